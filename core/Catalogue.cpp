#include "Catalogue.h"

#include <cassert>

namespace
{

using enum Reagent;

constexpr std::array<ReagentInfo, kReagentCount> kReagents{{
    {BlackPearl, "Black Pearl", 1000},
    {Garlic, "Garlic", 1003},
    {BloodMoss, "Blood Moss", 1002},
    {Ginseng, "Ginseng", 1004},
    {MandrakeRoot, "Mandrake Root", 1005},
    {Nightshade, "Nightshade", 1006},
    {SulphurousAsh, "Sulphurous Ash", 1001},
    {SpiderSilk, "Spider Silk", 1007},
}};

constexpr std::array<CircleInfo, kCircleCount> kCircles{{
    {1, 129, "First Spell Circle", "Circle 1", 1009, {{
        {{1, 1}, "Reactive Armor", 1018, 1019, {Garlic, SulphurousAsh, SpiderSilk}},
        {{1, 2}, "Clumsy", 1021, 1020, {BloodMoss, Nightshade}},
        {{1, 3}, "Create Food", 1022, 1028, {Garlic, Ginseng, MandrakeRoot}},
        {{1, 4}, "Feeblemind", 1023, 1029, {Ginseng, Nightshade}},
        {{1, 5}, "Heal", 1024, 1030, {Garlic, Ginseng, SpiderSilk}},
        {{1, 6}, "Magic Arrow", 1025, 1031, {BlackPearl, Nightshade}},
        {{1, 7}, "Night Sight", 1026, 1006, {SulphurousAsh, SpiderSilk}},
        {{1, 8}, "Weaken", 1027, 1007, {Garlic, Nightshade}},
    }}},
    {2, 130, "Second Spell Circle", "Circle 2", 1010, {{
        {{2, 1}, "Agility", 1032, 1033, {BloodMoss, MandrakeRoot}},
        {{2, 2}, "Cunning", 1034, 1035, {MandrakeRoot, Nightshade}},
        {{2, 3}, "Cure", 1036, 1037, {Garlic, Ginseng}},
        {{2, 4}, "Harm", 1038, 1039, {Nightshade, SpiderSilk}},
        {{2, 5}, "Magic Trap", 1040, 1041, {Garlic, Ginseng, Nightshade}},
        {{2, 6}, "Remove Trap", 1042, 1043, {BloodMoss, SulphurousAsh}},
        {{2, 7}, "Protection", 1044, 1045, {Garlic, Ginseng, SulphurousAsh}},
        {{2, 8}, "Strength", 1046, 1047, {MandrakeRoot, Nightshade}},
    }}},
    {3, 131, "Third Spell Circle", "Circle 3", 1011, {{
        {{3, 1}, "Bless", 1048, 1056, {Garlic, MandrakeRoot}},
        {{3, 2}, "Fireball", 1049, 1057, {BlackPearl, SulphurousAsh}},
        {{3, 3}, "Magic Lock", 1050, 1058, {Garlic, BloodMoss, SulphurousAsh}},
        {{3, 4}, "Poison", 1051, 1059, {Nightshade}},
        {{3, 5}, "Telekinesis", 1052, 1060, {BloodMoss, MandrakeRoot}},
        {{3, 6}, "Teleport", 1053, 1061, {BloodMoss, MandrakeRoot}},
        {{3, 7}, "Unlock", 1054, 1062, {BloodMoss, SulphurousAsh}},
        {{3, 8}, "Wall of Stone", 1055, 1063, {Garlic, BloodMoss}},
    }}},
    {4, 132, "Fourth Spell Circle", "Circle 4", 1012, {{
        {{4, 1}, "Archcure", 1064, 1072, {Garlic, Ginseng, MandrakeRoot}},
        {{4, 2}, "Archprotection", 1065, 1073, {Garlic, Ginseng, MandrakeRoot, SulphurousAsh}},
        {{4, 3}, "Curse", 1066, 1074, {Garlic, Nightshade, SulphurousAsh}},
        {{4, 4}, "Fire Field", 1067, 1075, {BlackPearl, SulphurousAsh, SpiderSilk}},
        {{4, 5}, "Greater Heal", 1068, 1076, {Garlic, Ginseng, MandrakeRoot, SpiderSilk}},
        {{4, 6}, "Lightning", 1069, 1077, {BlackPearl, MandrakeRoot, SulphurousAsh}},
        {{4, 7}, "Mana Drain", 1070, 1078, {BlackPearl, MandrakeRoot, SpiderSilk}},
        {{4, 8}, "Recall", 1071, 1079, {BlackPearl, BloodMoss, MandrakeRoot}},
    }}},
    {5, 133, "Fifth Spell Circle", "Circle 5", 1013, {{
        {{5, 1}, "Blade Spirits", 1080, 1088, {BlackPearl, MandrakeRoot, Nightshade}},
        {{5, 2}, "Dispel Field", 1081, 1089, {BlackPearl, Garlic, SulphurousAsh, SpiderSilk}},
        {{5, 3}, "Incognito", 1082, 1090, {Garlic, BloodMoss, Nightshade}},
        {{5, 4}, "Magic Reflection", 1083, 1005, {Garlic, MandrakeRoot, SpiderSilk}},
        {{5, 5}, "Mind Blast", 1084, 1091, {BlackPearl, MandrakeRoot, Nightshade, SulphurousAsh}},
        {{5, 6}, "Paralyze", 1085, 1092, {Garlic, MandrakeRoot, SpiderSilk}},
        {{5, 7}, "Poison Field", 1086, 1093, {BlackPearl, Nightshade, SpiderSilk}},
        {{5, 8}, "Summon Creature", 1087, 1094, {BloodMoss, MandrakeRoot, SpiderSilk}},
    }}},
    {6, 134, "Sixth Spell Circle", "Circle 6", 1014, {{
        {{6, 1}, "Dispel", 1095, 1103, {Garlic, MandrakeRoot, SulphurousAsh}},
        {{6, 2}, "Energy Bolt", 1096, 1104, {BlackPearl, Nightshade}},
        {{6, 3}, "Explosion", 1097, 1105, {BlackPearl, MandrakeRoot, SulphurousAsh}},
        {{6, 4}, "Invisibility", 1098, 1106, {BloodMoss, Nightshade}},
        {{6, 5}, "Mark", 1099, 1107, {BlackPearl, BloodMoss, MandrakeRoot}},
        {{6, 6}, "Mass Curse", 1100, 1108, {Garlic, MandrakeRoot, Nightshade, SulphurousAsh}},
        {{6, 7}, "Paralyze Field", 1101, 1109, {BlackPearl, Ginseng, SpiderSilk}},
        {{6, 8}, "Reveal", 1102, 1110, {BloodMoss, SulphurousAsh}},
    }}},
    {7, 135, "Seventh Spell Circle", "Circle 7", 1015, {{
        {{7, 1}, "Chain Lightning", 1111, 1020, {BlackPearl, BloodMoss, MandrakeRoot, SulphurousAsh}},
        {{7, 2}, "Energy Field", 1112, 1119, {BlackPearl, MandrakeRoot, SulphurousAsh, SpiderSilk}},
        {{7, 3}, "Flamestrike", 1113, 1120, {SulphurousAsh, SpiderSilk}},
        {{7, 4}, "Gate Travel", 1114, 1121, {BlackPearl, MandrakeRoot, SulphurousAsh}},
        {{7, 5}, "Mana Vampire", 1115, 1122,
         {BlackPearl, Garlic, BloodMoss, Ginseng, MandrakeRoot, SulphurousAsh, SpiderSilk}},
        {{7, 6}, "Mass Dispel", 1116, 1078, {BlackPearl, Garlic, MandrakeRoot, SulphurousAsh}},
        {{7, 7}, "Meteor Swarm", 1117, 1123, {BloodMoss, MandrakeRoot, SulphurousAsh, SpiderSilk}},
        {{7, 8}, "Polymorph", 1118, 1124, {BloodMoss, MandrakeRoot, SpiderSilk}},
    }}},
    {8, 136, "Eighth Spell Circle", "Circle 8", 1016, {{
        {{8, 1}, "Earthquake", 1125, 1133, {BloodMoss, Ginseng, MandrakeRoot, SulphurousAsh}},
        {{8, 2}, "Energy Vortex", 1126, 1134, {BlackPearl, BloodMoss, MandrakeRoot, Nightshade}},
        {{8, 3}, "Resurrection", 1127, 1135, {BlackPearl, Garlic, Ginseng}},
        {{8, 4}, "Summon Air Elemental", 1128, 1001, {BloodMoss, MandrakeRoot, SpiderSilk}},
        {{8, 5}, "Summon Daemon", 1129, 1136, {BloodMoss, MandrakeRoot, SulphurousAsh, SpiderSilk}},
        {{8, 6}, "Summon Earth Elemental", 1130, 1137, {BloodMoss, MandrakeRoot, SpiderSilk}},
        {{8, 7}, "Summon Fire Elemental", 1131, 1138, {BloodMoss, MandrakeRoot, SulphurousAsh, SpiderSilk}},
        {{8, 8}, "Summon Water Ele", 1132, 1139, {BloodMoss, MandrakeRoot, SpiderSilk}},
    }}},
}};

// The lookups below index the tables by position, so the tables must be in order.
constexpr bool TablesInOrder()
{
    for (int i = 0; i < kReagentCount; ++i)
        if (static_cast<int>(kReagents[i].reagent) != i)
            return false;
    for (int c = 0; c < kCircleCount; ++c)
    {
        if (kCircles[c].number != c + 1 || kCircles[c].templateId != 129 + c || kCircles[c].buttonId != 1009 + c)
            return false;
        for (int r = 0; r < kRowCount; ++r)
            if (kCircles[c].spells[r].ref != SpellRef{c + 1, r + 1})
                return false;
    }
    return true;
}
static_assert(TablesInOrder());

} // namespace

std::span<const ReagentInfo, kReagentCount> Reagents()
{
    return kReagents;
}

const ReagentInfo& ReagentOf(Reagent reagent)
{
    return kReagents[static_cast<std::size_t>(reagent)];
}

std::span<const CircleInfo, kCircleCount> Circles()
{
    return kCircles;
}

const CircleInfo& CircleOf(int circle)
{
    assert(circle >= 1 && circle <= kCircleCount);
    return kCircles[static_cast<std::size_t>(circle - 1)];
}

const SpellInfo& SpellOf(SpellRef spell)
{
    assert(spell.row >= 1 && spell.row <= kRowCount);
    return CircleOf(spell.circle).spells[static_cast<std::size_t>(spell.row - 1)];
}

int RowOfCheckBox(int circle, int controlId)
{
    for (const SpellInfo& spell : CircleOf(circle).spells)
        if (spell.checkBoxId == controlId)
            return spell.ref.row;
    return 0;
}
