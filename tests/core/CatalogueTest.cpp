#include "Catalogue.h"
#include "ExpectedCatalogue.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace
{

using enum Reagent;

std::string Where(const SpellInfo& spell)
{
    return "circle " + std::to_string(spell.ref.circle) + " row " + std::to_string(spell.ref.row) + " (" +
           spell.caption + ")";
}

std::vector<const SpellInfo*> AllSpells()
{
    std::vector<const SpellInfo*> spells;
    for (const CircleInfo& circle : Circles())
        for (const SpellInfo& spell : circle.spells)
            spells.push_back(&spell);
    return spells;
}

} // namespace

TEST(Catalogue, ReagentsMatchTheirCaptionsAndFieldsInCounterOrder)
{
    ASSERT_EQ(Reagents().size(), std::size(expected::kReagents));
    for (std::size_t i = 0; i < Reagents().size(); ++i)
    {
        const ReagentInfo& info = Reagents()[i];
        const expected::ReagentRow& want = expected::kReagents[i];
        EXPECT_EQ(static_cast<std::size_t>(info.reagent), i) << "counter position " << i << " holds the wrong reagent";
        EXPECT_STREQ(info.caption, want.caption) << "caption of counter " << i;
        EXPECT_EQ(info.countFieldId, want.countFieldId) << "count field of " << want.caption;
        EXPECT_EQ(&ReagentOf(static_cast<Reagent>(i)), &info) << "ReagentOf disagrees with Reagents() for " << want.caption;
    }
}

TEST(Catalogue, CirclesMatchTheirTemplatesCaptionsAndButtons)
{
    ASSERT_EQ(Circles().size(), std::size(expected::kCircles));
    for (int n = 1; n <= kCircleCount; ++n)
    {
        const CircleInfo& circle = Circles()[static_cast<std::size_t>(n - 1)];
        const expected::CircleRow& want = expected::kCircles[n - 1];
        SCOPED_TRACE("circle " + std::to_string(n));
        EXPECT_EQ(circle.number, n);
        EXPECT_EQ(circle.templateId, want.templateId);
        EXPECT_EQ(circle.templateId, 128 + n) << "templates run 129 to 136";
        EXPECT_STREQ(circle.caption, want.caption);
        EXPECT_STREQ(circle.buttonCaption, want.buttonCaption);
        EXPECT_EQ(circle.buttonId, want.buttonId);
        EXPECT_EQ(circle.buttonId, 1008 + n) << "buttons run 1009 to 1016";
        EXPECT_EQ(&CircleOf(n), &circle) << "CircleOf disagrees with Circles()";
    }
}

TEST(Catalogue, SpellsMatchTheHandWrittenTable)
{
    const std::vector<const SpellInfo*> spells = AllSpells();
    ASSERT_EQ(spells.size(), 64u);
    ASSERT_EQ(std::size(expected::kSpells), 64u);
    for (std::size_t i = 0; i < spells.size(); ++i)
    {
        const SpellInfo& spell = *spells[i];
        const expected::SpellRow& want = expected::kSpells[i];
        SCOPED_TRACE(Where(spell));
        EXPECT_EQ(spell.ref, (SpellRef{want.circle, want.row})) << "spell out of place";
        EXPECT_EQ(&SpellOf({want.circle, want.row}), &spell) << "SpellOf finds another spell";
        EXPECT_STREQ(spell.caption, want.caption);
        EXPECT_EQ(spell.checkBoxId, want.checkBoxId) << "check box ID";
        EXPECT_EQ(spell.quantityFieldId, want.quantityFieldId) << "quantity field ID";

        const auto reagents = expected::ReagentList(want.reagents);
        ASSERT_TRUE(reagents.has_value()) << "unknown reagent in the test table: " << want.reagents;
        EXPECT_EQ(spell.reagents.Size(), static_cast<int>(reagents->size())) << "reagent set size for " << want.reagents;
        for (int r = 0; r < kReagentCount; ++r)
        {
            const Reagent reagent = static_cast<Reagent>(r);
            EXPECT_EQ(spell.reagents.Contains(reagent), expected::Uses(want, reagent))
                << expected::kReagents[r].caption << " in the set, expected " << want.reagents;
        }
    }
}

TEST(Catalogue, ReagentSetsHaveTheKnownCountsAndSizes)
{
    // How many spells use each reagent.
    const std::map<Reagent, int> uses = {
        {MandrakeRoot, 36}, {SulphurousAsh, 27}, {BloodMoss, 25}, {Garlic, 23},
        {SpiderSilk, 23},   {BlackPearl, 21},    {Nightshade, 18}, {Ginseng, 13},
    };
    const std::map<int, int> bySize = {{1, 1}, {2, 21}, {3, 28}, {4, 13}, {7, 1}};

    std::map<Reagent, int> countedUses;
    std::map<int, int> countedSizes;
    for (const SpellInfo* spell : AllSpells())
    {
        EXPECT_GE(spell->reagents.Size(), 1) << Where(*spell) << " uses no reagent";
        ++countedSizes[spell->reagents.Size()];
        for (int r = 0; r < kReagentCount; ++r)
            if (spell->reagents.Contains(static_cast<Reagent>(r)))
                ++countedUses[static_cast<Reagent>(r)];
        if (spell->reagents.Size() == 1)
        {
            EXPECT_STREQ(spell->caption, "Poison") << "the only single-reagent spell";
            EXPECT_TRUE(spell->reagents.Contains(Nightshade)) << "Poison is Nightshade only";
        }
        if (spell->reagents.Size() == 7)
        {
            EXPECT_STREQ(spell->caption, "Mana Vampire") << "the only seven-reagent spell";
            EXPECT_FALSE(spell->reagents.Contains(Nightshade)) << "Mana Vampire uses all but Nightshade";
        }
    }
    for (const auto& [reagent, count] : uses)
        EXPECT_EQ(countedUses[reagent], count) << "spells using " << ReagentOf(reagent).caption;
    EXPECT_EQ(countedSizes, bySize) << "number of spells per reagent set size";
}

TEST(Catalogue, HighCirclesFollowTheirReagentPatterns)
{
    for (const SpellInfo& spell : CircleOf(7).spells)
        EXPECT_FALSE(spell.reagents.Contains(Nightshade)) << Where(spell) << " uses Nightshade";

    int exceptions = 0;
    for (const SpellInfo& spell : CircleOf(8).spells)
    {
        const bool mossAndMandrake = spell.reagents.Contains(BloodMoss) && spell.reagents.Contains(MandrakeRoot);
        if (std::string(spell.caption) == "Resurrection")
        {
            ++exceptions;
            EXPECT_FALSE(mossAndMandrake) << "Resurrection is the exception";
        }
        else
        {
            EXPECT_TRUE(mossAndMandrake) << Where(spell) << " lacks Blood Moss or Mandrake Root";
        }
    }
    EXPECT_EQ(exceptions, 1) << "Resurrection must be in circle 8 exactly once";
    EXPECT_STREQ(SpellOf({8, 8}).caption, "Summon Water Ele");
}

TEST(Catalogue, ControlIdsAreUniqueWithinEachDialog)
{
    std::set<int> mainDialog;
    for (const ReagentInfo& reagent : Reagents())
        EXPECT_TRUE(mainDialog.insert(reagent.countFieldId).second) << "count field " << reagent.countFieldId << " twice";
    for (const CircleInfo& circle : Circles())
        EXPECT_TRUE(mainDialog.insert(circle.buttonId).second) << "button " << circle.buttonId << " collides";

    for (const CircleInfo& circle : Circles())
    {
        std::set<int> ids = {1, 2}; // OK and Cancel
        for (const SpellInfo& spell : circle.spells)
        {
            EXPECT_TRUE(ids.insert(spell.checkBoxId).second) << Where(spell) << ": check box ID " << spell.checkBoxId
                                                            << " is already used in its circle";
            EXPECT_TRUE(ids.insert(spell.quantityFieldId).second)
                << Where(spell) << ": quantity field ID " << spell.quantityFieldId << " is already used in its circle";
        }
    }
}

TEST(Catalogue, OnlyTheKnownIdsRecurAcrossDialogs)
{
    // Control ID -> the dialogs that use it; the main dialog counts as circle 0.
    std::map<int, std::set<int>> dialogsOf;
    for (const ReagentInfo& reagent : Reagents())
        dialogsOf[reagent.countFieldId].insert(0);
    for (const CircleInfo& circle : Circles())
        dialogsOf[circle.buttonId].insert(0);
    for (const CircleInfo& circle : Circles())
        for (const SpellInfo& spell : circle.spells)
        {
            dialogsOf[spell.checkBoxId].insert(circle.number);
            dialogsOf[spell.quantityFieldId].insert(circle.number);
        }
    std::map<int, std::set<int>> recurring;
    for (const auto& [id, dialogs] : dialogsOf)
        if (dialogs.size() > 1)
            recurring[id] = dialogs;

    const std::map<int, std::set<int>> known = {
        {1001, {0, 8}}, {1005, {0, 5}}, {1006, {0, 1}}, {1007, {0, 1}}, {1020, {1, 7}}, {1078, {4, 7}},
    };
    EXPECT_EQ(recurring, known);

    // The recurring count fields belong to these reagents.
    EXPECT_EQ(ReagentOf(SulphurousAsh).countFieldId, 1001);
    EXPECT_EQ(ReagentOf(MandrakeRoot).countFieldId, 1005);
    EXPECT_EQ(ReagentOf(Nightshade).countFieldId, 1006);
    EXPECT_EQ(ReagentOf(SpiderSilk).countFieldId, 1007);
}

TEST(Catalogue, RowOfCheckBoxFindsEveryBoxOfItsCircleAndNothingElse)
{
    for (const CircleInfo& circle : Circles())
    {
        for (const SpellInfo& spell : circle.spells)
            EXPECT_EQ(RowOfCheckBox(circle.number, spell.checkBoxId), spell.ref.row) << Where(spell);

        std::vector<int> foreign = {0, 1, 2, -1, 65535, circle.buttonId};
        for (const SpellInfo& spell : circle.spells)
            foreign.push_back(spell.quantityFieldId);
        for (const CircleInfo& other : Circles())
            if (other.number != circle.number)
                for (const SpellInfo& spell : other.spells)
                    foreign.push_back(spell.checkBoxId);
        for (const ReagentInfo& reagent : Reagents())
            foreign.push_back(reagent.countFieldId);

        for (int id : foreign)
            EXPECT_EQ(RowOfCheckBox(circle.number, id), 0)
                << "ID " << id << " is not a check box of circle " << circle.number;
    }
}
