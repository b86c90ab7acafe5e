// The catalogue written out a second time, by hand and as plain text, so that the tests
// can hold the program's tables against it: a typo in either one shows up as a mismatch.
#pragma once

#include "Catalogue.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <string_view>
#include <vector>

namespace expected
{

struct ReagentRow
{
    const char* caption;
    int countFieldId;
};

// In counter order.
inline constexpr ReagentRow kReagents[] = {
    {"Black Pearl", 1000},   {"Garlic", 1003},        {"Blood Moss", 1002},     {"Ginseng", 1004},
    {"Mandrake Root", 1005}, {"Nightshade", 1006},    {"Sulphurous Ash", 1001}, {"Spider Silk", 1007},
};

struct CircleRow
{
    int templateId;
    const char* caption;
    const char* buttonCaption;
    int buttonId;
};

inline constexpr CircleRow kCircles[] = {
    {129, "First Spell Circle", "Circle 1", 1009},   {130, "Second Spell Circle", "Circle 2", 1010},
    {131, "Third Spell Circle", "Circle 3", 1011},   {132, "Fourth Spell Circle", "Circle 4", 1012},
    {133, "Fifth Spell Circle", "Circle 5", 1013},   {134, "Sixth Spell Circle", "Circle 6", 1014},
    {135, "Seventh Spell Circle", "Circle 7", 1015}, {136, "Eighth Spell Circle", "Circle 8", 1016},
};

struct SpellRow
{
    int circle;
    int row;
    const char* caption;
    int checkBoxId;
    int quantityFieldId;
    const char* reagents; // captions joined by ", "
};

inline constexpr SpellRow kSpells[] = {
    {1, 1, "Reactive Armor", 1018, 1019, "Garlic, Sulphurous Ash, Spider Silk"},
    {1, 2, "Clumsy", 1021, 1020, "Blood Moss, Nightshade"},
    {1, 3, "Create Food", 1022, 1028, "Garlic, Ginseng, Mandrake Root"},
    {1, 4, "Feeblemind", 1023, 1029, "Ginseng, Nightshade"},
    {1, 5, "Heal", 1024, 1030, "Garlic, Ginseng, Spider Silk"},
    {1, 6, "Magic Arrow", 1025, 1031, "Black Pearl, Nightshade"},
    {1, 7, "Night Sight", 1026, 1006, "Sulphurous Ash, Spider Silk"},
    {1, 8, "Weaken", 1027, 1007, "Garlic, Nightshade"},

    {2, 1, "Agility", 1032, 1033, "Blood Moss, Mandrake Root"},
    {2, 2, "Cunning", 1034, 1035, "Mandrake Root, Nightshade"},
    {2, 3, "Cure", 1036, 1037, "Garlic, Ginseng"},
    {2, 4, "Harm", 1038, 1039, "Nightshade, Spider Silk"},
    {2, 5, "Magic Trap", 1040, 1041, "Garlic, Ginseng, Nightshade"},
    {2, 6, "Remove Trap", 1042, 1043, "Blood Moss, Sulphurous Ash"},
    {2, 7, "Protection", 1044, 1045, "Garlic, Ginseng, Sulphurous Ash"},
    {2, 8, "Strength", 1046, 1047, "Mandrake Root, Nightshade"},

    {3, 1, "Bless", 1048, 1056, "Garlic, Mandrake Root"},
    {3, 2, "Fireball", 1049, 1057, "Black Pearl, Sulphurous Ash"},
    {3, 3, "Magic Lock", 1050, 1058, "Garlic, Blood Moss, Sulphurous Ash"},
    {3, 4, "Poison", 1051, 1059, "Nightshade"},
    {3, 5, "Telekinesis", 1052, 1060, "Blood Moss, Mandrake Root"},
    {3, 6, "Teleport", 1053, 1061, "Blood Moss, Mandrake Root"},
    {3, 7, "Unlock", 1054, 1062, "Blood Moss, Sulphurous Ash"},
    {3, 8, "Wall of Stone", 1055, 1063, "Garlic, Blood Moss"},

    {4, 1, "Archcure", 1064, 1072, "Garlic, Ginseng, Mandrake Root"},
    {4, 2, "Archprotection", 1065, 1073, "Garlic, Ginseng, Mandrake Root, Sulphurous Ash"},
    {4, 3, "Curse", 1066, 1074, "Garlic, Nightshade, Sulphurous Ash"},
    {4, 4, "Fire Field", 1067, 1075, "Black Pearl, Sulphurous Ash, Spider Silk"},
    {4, 5, "Greater Heal", 1068, 1076, "Garlic, Ginseng, Mandrake Root, Spider Silk"},
    {4, 6, "Lightning", 1069, 1077, "Black Pearl, Mandrake Root, Sulphurous Ash"},
    {4, 7, "Mana Drain", 1070, 1078, "Black Pearl, Mandrake Root, Spider Silk"},
    {4, 8, "Recall", 1071, 1079, "Black Pearl, Blood Moss, Mandrake Root"},

    {5, 1, "Blade Spirits", 1080, 1088, "Black Pearl, Mandrake Root, Nightshade"},
    {5, 2, "Dispel Field", 1081, 1089, "Black Pearl, Garlic, Sulphurous Ash, Spider Silk"},
    {5, 3, "Incognito", 1082, 1090, "Garlic, Blood Moss, Nightshade"},
    {5, 4, "Magic Reflection", 1083, 1005, "Garlic, Mandrake Root, Spider Silk"},
    {5, 5, "Mind Blast", 1084, 1091, "Black Pearl, Mandrake Root, Nightshade, Sulphurous Ash"},
    {5, 6, "Paralyze", 1085, 1092, "Garlic, Mandrake Root, Spider Silk"},
    {5, 7, "Poison Field", 1086, 1093, "Black Pearl, Nightshade, Spider Silk"},
    {5, 8, "Summon Creature", 1087, 1094, "Blood Moss, Mandrake Root, Spider Silk"},

    {6, 1, "Dispel", 1095, 1103, "Garlic, Mandrake Root, Sulphurous Ash"},
    {6, 2, "Energy Bolt", 1096, 1104, "Black Pearl, Nightshade"},
    {6, 3, "Explosion", 1097, 1105, "Black Pearl, Mandrake Root, Sulphurous Ash"},
    {6, 4, "Invisibility", 1098, 1106, "Blood Moss, Nightshade"},
    {6, 5, "Mark", 1099, 1107, "Black Pearl, Blood Moss, Mandrake Root"},
    {6, 6, "Mass Curse", 1100, 1108, "Garlic, Mandrake Root, Nightshade, Sulphurous Ash"},
    {6, 7, "Paralyze Field", 1101, 1109, "Black Pearl, Ginseng, Spider Silk"},
    {6, 8, "Reveal", 1102, 1110, "Blood Moss, Sulphurous Ash"},

    {7, 1, "Chain Lightning", 1111, 1020, "Black Pearl, Blood Moss, Mandrake Root, Sulphurous Ash"},
    {7, 2, "Energy Field", 1112, 1119, "Black Pearl, Mandrake Root, Sulphurous Ash, Spider Silk"},
    {7, 3, "Flamestrike", 1113, 1120, "Sulphurous Ash, Spider Silk"},
    {7, 4, "Gate Travel", 1114, 1121, "Black Pearl, Mandrake Root, Sulphurous Ash"},
    {7, 5, "Mana Vampire", 1115, 1122,
     "Black Pearl, Garlic, Blood Moss, Ginseng, Mandrake Root, Sulphurous Ash, Spider Silk"},
    {7, 6, "Mass Dispel", 1116, 1078, "Black Pearl, Garlic, Mandrake Root, Sulphurous Ash"},
    {7, 7, "Meteor Swarm", 1117, 1123, "Blood Moss, Mandrake Root, Sulphurous Ash, Spider Silk"},
    {7, 8, "Polymorph", 1118, 1124, "Blood Moss, Mandrake Root, Spider Silk"},

    {8, 1, "Earthquake", 1125, 1133, "Blood Moss, Ginseng, Mandrake Root, Sulphurous Ash"},
    {8, 2, "Energy Vortex", 1126, 1134, "Black Pearl, Blood Moss, Mandrake Root, Nightshade"},
    {8, 3, "Resurrection", 1127, 1135, "Black Pearl, Garlic, Ginseng"},
    {8, 4, "Summon Air Elemental", 1128, 1001, "Blood Moss, Mandrake Root, Spider Silk"},
    {8, 5, "Summon Daemon", 1129, 1136, "Blood Moss, Mandrake Root, Sulphurous Ash, Spider Silk"},
    {8, 6, "Summon Earth Elemental", 1130, 1137, "Blood Moss, Mandrake Root, Spider Silk"},
    {8, 7, "Summon Fire Elemental", 1131, 1138, "Blood Moss, Mandrake Root, Sulphurous Ash, Spider Silk"},
    {8, 8, "Summon Water Ele", 1132, 1139, "Blood Moss, Mandrake Root, Spider Silk"},
};

// The reagent with this caption, by its position in kReagents.
inline std::optional<Reagent> ReagentNamed(std::string_view caption)
{
    for (std::size_t i = 0; i < std::size(kReagents); ++i)
        if (caption == kReagents[i].caption)
            return static_cast<Reagent>(i);
    return std::nullopt;
}

// A spell's reagents, in the order written; nullopt if a name is unknown.
inline std::optional<std::vector<Reagent>> ReagentList(std::string_view list)
{
    std::vector<Reagent> reagents;
    while (!list.empty())
    {
        const std::size_t comma = list.find(", ");
        const std::optional<Reagent> reagent = ReagentNamed(list.substr(0, comma));
        if (!reagent)
            return std::nullopt;
        reagents.push_back(*reagent);
        list = comma == std::string_view::npos ? std::string_view{} : list.substr(comma + 2);
    }
    return reagents;
}

inline bool Uses(const SpellRow& spell, Reagent reagent)
{
    const auto reagents = ReagentList(spell.reagents);
    return reagents && std::find(reagents->begin(), reagents->end(), reagent) != reagents->end();
}

} // namespace expected
