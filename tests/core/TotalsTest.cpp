#include "ExpectedCatalogue.h"
#include "RandomText.h"
#include "ReferenceQuantity.h"
#include "Totals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

// Lets failure messages show all ten numbers.
static void PrintTo(const ReagentTotals& totals, std::ostream* out)
{
    *out << "{";
    for (std::size_t r = 0; r < totals.count.size(); ++r)
        *out << expected::kReagents[r].caption << " " << totals.count[r] << ", ";
    *out << "reagents " << totals.reagentTotal << ", spells " << totals.spellTotal << "}";
}

namespace
{

using enum Reagent;

constexpr std::int32_t kMax = 2147483647;
constexpr std::int32_t kMin = -2147483647 - 1;
const std::string kMaxText = "2147483647";
const std::string kMinText = "-2147483648";

using Texts = std::vector<std::pair<SpellRef, std::string>>;

ReagentTotals TotalsOf(const Texts& texts)
{
    Selection selection;
    for (const auto& [spell, text] : texts)
        selection.Text(spell) = text;
    ReagentTotals totals;
    RecalculateTotals(selection, totals);
    return totals;
}

ReagentTotals Totals(std::vector<std::pair<Reagent, std::int32_t>> counts, std::int32_t reagentTotal,
                     std::int32_t spellTotal)
{
    ReagentTotals totals;
    for (const auto& [reagent, count] : counts)
        totals[reagent] = count;
    totals.reagentTotal = reagentTotal;
    totals.spellTotal = spellTotal;
    return totals;
}

std::int32_t Clamped(std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, kMin, kMax));
}

// The totals worked out from the hand-written catalogue and the reference conversion.
ReagentTotals ExpectedTotals(const Selection& selection)
{
    std::int64_t counts[kReagentCount] = {};
    std::int64_t spells = 0;
    for (const expected::SpellRow& spell : expected::kSpells)
    {
        const std::int64_t value = reference::QuantityValue(selection.Text({spell.circle, spell.row}));
        spells += value;
        const std::vector<Reagent> reagents = expected::ReagentList(spell.reagents).value();
        for (Reagent reagent : reagents)
            counts[static_cast<int>(reagent)] += value;
    }
    ReagentTotals totals;
    std::int64_t reagents = 0;
    for (int r = 0; r < kReagentCount; ++r)
    {
        totals.count[static_cast<std::size_t>(r)] = Clamped(counts[r]);
        reagents += counts[r];
    }
    totals.reagentTotal = Clamped(reagents);
    totals.spellTotal = Clamped(spells);
    return totals;
}

Selection AllAt(const std::string& text)
{
    Selection selection;
    for (int c = 1; c <= kCircleCount; ++c)
        selection.Circle(c).fill(text);
    return selection;
}

std::vector<SpellRef> SpellsUsing(Reagent reagent)
{
    std::vector<SpellRef> spells;
    for (const expected::SpellRow& spell : expected::kSpells)
        if (expected::Uses(spell, reagent))
            spells.push_back({spell.circle, spell.row});
    return spells;
}

} // namespace

TEST(Totals, EmptyOrWordyTextsGiveZerosWhateverWasThereBefore)
{
    for (const std::string text : {"", "abc", " ", "-", "x12"})
    {
        const Selection selection = AllAt(text);
        ReagentTotals totals = Totals({{BlackPearl, 5}, {SpiderSilk, -3}}, 99, 7);
        RecalculateTotals(selection, totals);
        EXPECT_EQ(totals, ReagentTotals{}) << "every text " << Escaped(text);
    }
}

TEST(Totals, KnownSelectionsGiveKnownTotals)
{
    const struct
    {
        const char* what;
        Texts texts;
        ReagentTotals totals;
    } cases[] = {
        {"Heal 3", {{{1, 5}, "3"}}, Totals({{Garlic, 3}, {Ginseng, 3}, {SpiderSilk, 3}}, 9, 3)},
        {"Dispel Field 2, Mind Blast 4",
         {{{5, 2}, "2"}, {{5, 5}, "4"}},
         Totals({{BlackPearl, 6}, {Garlic, 2}, {MandrakeRoot, 4}, {Nightshade, 4}, {SulphurousAsh, 6}, {SpiderSilk, 2}},
                24, 6)},
        {"Fireball 10", {{{3, 2}, "10"}}, Totals({{BlackPearl, 10}, {SulphurousAsh, 10}}, 20, 10)},
        {"Heal -5", {{{1, 5}, "-5"}}, Totals({{Garlic, -5}, {Ginseng, -5}, {SpiderSilk, -5}}, -15, -5)},
        {"Fireball 10, Flamestrike -4",
         {{{3, 2}, "10"}, {{7, 3}, "-4"}},
         Totals({{BlackPearl, 10}, {SulphurousAsh, 6}, {SpiderSilk, -4}}, 12, 6)},
        {"Mana Vampire 2",
         {{{7, 5}, "2"}},
         Totals({{BlackPearl, 2}, {Garlic, 2}, {BloodMoss, 2}, {Ginseng, 2}, {MandrakeRoot, 2}, {SulphurousAsh, 2},
                 {SpiderSilk, 2}},
                14, 2)},
        {"Poison ' 3 apples', Heal 'none'", {{{3, 4}, " 3 apples"}, {{1, 5}, "none"}}, Totals({{Nightshade, 3}}, 3, 3)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TotalsOf(c.texts), c.totals) << c.what;
}

TEST(Totals, EachSpellCountsOnceForEveryReagentOfItsSet)
{
    std::int64_t uses[kReagentCount] = {};
    for (const expected::SpellRow& spell : expected::kSpells)
    {
        const std::vector<Reagent> reagents = expected::ReagentList(spell.reagents).value();
        ReagentTotals want;
        for (Reagent reagent : reagents)
        {
            want[reagent] = 1;
            ++uses[static_cast<int>(reagent)];
        }
        want.reagentTotal = static_cast<std::int32_t>(reagents.size());
        want.spellTotal = 1;
        EXPECT_EQ(TotalsOf({{{spell.circle, spell.row}, "1"}}), want) << spell.caption << " alone";
    }

    ReagentTotals totals;
    RecalculateTotals(AllAt("1"), totals);
    std::int64_t reagentTotal = 0;
    for (int r = 0; r < kReagentCount; ++r)
    {
        EXPECT_EQ(totals.count[static_cast<std::size_t>(r)], uses[r]) << expected::kReagents[r].caption << ", all at 1";
        reagentTotal += uses[r];
    }
    EXPECT_EQ(totals.reagentTotal, reagentTotal) << "all at 1";
    EXPECT_EQ(totals.spellTotal, 64) << "all at 1";
}

TEST(Totals, ClearAllEmptiesEveryTextAndZeroesTheTotals)
{
    Selection selection;
    for (const expected::SpellRow& spell : expected::kSpells)
        selection.Text({spell.circle, spell.row}) = std::to_string(spell.checkBoxId);
    ReagentTotals totals;
    RecalculateTotals(selection, totals);
    ASSERT_NE(totals, ReagentTotals{}) << "the selection should count before it is cleared";

    ClearAll(selection, totals);
    for (const expected::SpellRow& spell : expected::kSpells)
        EXPECT_EQ(selection.Text({spell.circle, spell.row}), "") << spell.caption << " kept its text";
    EXPECT_EQ(totals, ReagentTotals{}) << "totals straight after ClearAll";

    RecalculateTotals(selection, totals);
    EXPECT_EQ(totals, ReagentTotals{}) << "totals recalculated after ClearAll";
}

TEST(Selection, CircleHoldsExactlyItsOwnEightTextsInRowOrder)
{
    Selection selection;
    for (int c = 1; c <= kCircleCount; ++c)
        for (int r = 1; r <= kRowCount; ++r)
            selection.Text({c, r}) = std::to_string(c * 10 + r);

    const Selection& constant = selection;
    for (int c = 1; c <= kCircleCount; ++c)
    {
        CircleQuantities& circle = selection.Circle(c);
        for (int r = 1; r <= kRowCount; ++r)
        {
            const std::size_t i = static_cast<std::size_t>(r - 1);
            EXPECT_EQ(circle[i], std::to_string(c * 10 + r)) << "circle " << c << " row " << r;
            EXPECT_EQ(&circle[i], &selection.Text({c, r})) << "Text and Circle differ at circle " << c << " row " << r;
            EXPECT_EQ(&constant.Circle(c)[i], &constant.Text({c, r})) << "const access, circle " << c << " row " << r;
        }
    }

    // What a circle dialog writes through its eight texts is what the totals read.
    selection.Circle(3)[1] = "10";
    selection.Circle(1)[4] = "";
    EXPECT_EQ(selection.Text({3, 2}), "10");
    EXPECT_EQ(selection.Text({1, 5}), "");
    ReagentTotals totals;
    ClearAll(selection, totals);
    selection.Circle(3)[1] = "10";
    RecalculateTotals(selection, totals);
    EXPECT_EQ(totals, Totals({{BlackPearl, 10}, {SulphurousAsh, 10}}, 20, 10)) << "Fireball set through its circle";
}

TEST(Totals, CountsStayAtTheLimitsInsteadOfWrapping)
{
    const struct
    {
        const char* what;
        std::string text;
        std::int32_t limit;
    } everywhere[] = {{"all at the maximum", kMaxText, kMax}, {"all at the minimum", kMinText, kMin}};
    for (const auto& c : everywhere)
    {
        ReagentTotals want;
        want.count.fill(c.limit);
        want.reagentTotal = c.limit;
        want.spellTotal = c.limit;
        ReagentTotals totals;
        RecalculateTotals(AllAt(c.text), totals);
        EXPECT_EQ(totals, want) << c.what;
    }

    // One past the maximum: Fireball at the limit plus Magic Arrow 1 share Black Pearl.
    EXPECT_EQ(TotalsOf({{{3, 2}, kMaxText}, {{1, 6}, "1"}}),
              Totals({{BlackPearl, kMax}, {SulphurousAsh, kMax}, {Nightshade, 1}}, kMax, kMax));
    EXPECT_EQ(TotalsOf({{{3, 2}, kMinText}, {{1, 6}, "-1"}}),
              Totals({{BlackPearl, kMin}, {SulphurousAsh, kMin}, {Nightshade, -1}}, kMin, kMin));
    // A text beyond the range counts as the limit before it is added.
    EXPECT_EQ(TotalsOf({{{3, 4}, "99999999999"}, {{6, 4}, "-1"}}),
              Totals({{Nightshade, kMax - 1}, {BloodMoss, -1}}, kMax - 2, kMax - 1));
}

TEST(Totals, SumsAreExactWhateverTheOrderOfTheTexts)
{
    // Four spells at the maximum, four at the minimum and one at 5 give exactly 1 for the
    // reagent they share, even though running sums in row order leave the 32-bit range.
    const std::vector<SpellRef> mandrake = SpellsUsing(MandrakeRoot);
    ASSERT_EQ(mandrake.size(), 36u);
    std::vector<std::string> values = {kMaxText, kMaxText, kMaxText, kMaxText, kMinText,
                                       kMinText, kMinText, kMinText, "5"};

    Random random(0x0D0E);
    for (int arrangement = 0; arrangement < 40; ++arrangement)
    {
        std::vector<SpellRef> spells = mandrake;
        if (arrangement == 1)
            std::reverse(spells.begin(), spells.end());
        for (std::size_t i = spells.size() - 1; arrangement >= 2 && i > 0; --i)
            std::swap(spells[i], spells[random.Below(i + 1)]);
        if (arrangement % 3 == 1)
            std::reverse(values.begin(), values.end());

        Selection selection;
        for (std::size_t i = 0; i < values.size(); ++i)
            selection.Text(spells[i]) = values[i];
        ReagentTotals totals;
        RecalculateTotals(selection, totals);
        EXPECT_EQ(totals[MandrakeRoot], 1) << "arrangement " << arrangement;
        EXPECT_EQ(totals.spellTotal, 1) << "arrangement " << arrangement;
        EXPECT_EQ(totals, ExpectedTotals(selection)) << "arrangement " << arrangement;
    }
}

TEST(Totals, ReagentTotalIsClampedFromTheExactCountsNotFromTheShownOnes)
{
    // Counts in range whose sum is not.
    EXPECT_EQ(TotalsOf({{{7, 5}, "1000000000"}}).reagentTotal, kMax) << "Mana Vampire 1000000000";
    EXPECT_EQ(TotalsOf({{{7, 5}, "-1000000000"}}).reagentTotal, kMin) << "Mana Vampire -1000000000";

    // Clumsy and Magic Arrow at the maximum, Remove Trap and Fireball at the minimum:
    // Nightshade is exactly 2 * max and Sulphurous Ash 2 * min, each shown at its limit,
    // Blood Moss and Black Pearl are -1. Exactly, the reagents add up to -4; adding the
    // shown counts would give -3.
    const ReagentTotals totals =
        TotalsOf({{{1, 2}, kMaxText}, {{1, 6}, kMaxText}, {{2, 6}, kMinText}, {{3, 2}, kMinText}});
    EXPECT_EQ(totals, Totals({{Nightshade, kMax}, {SulphurousAsh, kMin}, {BloodMoss, -1}, {BlackPearl, -1}}, -4, -2));
}

TEST(Totals, AgreeWithTheHandWrittenCatalogueOnRandomSelections)
{
    constexpr std::uint64_t kSeed = 0x746F74616Cu;
    Random random(kSeed);
    for (int trial = 0; trial < 300; ++trial)
    {
        Selection selection;
        for (const expected::SpellRow& spell : expected::kSpells)
        {
            std::string& text = selection.Text({spell.circle, spell.row});
            switch (random.Below(6))
            {
            case 0:
            case 1:
            case 2:
                break; // most spells are not chosen
            case 3:
                text = std::to_string(static_cast<int>(random.Below(2001)) - 1000);
                break;
            case 4:
                text = random.OneIn(2) ? kMaxText : kMinText;
                break;
            default:
                text = RandomQuantityText(random);
                break;
            }
        }
        ReagentTotals totals;
        RecalculateTotals(selection, totals);
        const ReagentTotals want = ExpectedTotals(selection);
        if (totals != want)
        {
            ADD_FAILURE() << "seed " << kSeed << " trial " << trial << ": got " << testing::PrintToString(totals)
                          << ", expected " << testing::PrintToString(want);
            return;
        }
    }
}
