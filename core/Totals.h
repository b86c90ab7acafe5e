// Turning the stored quantity texts into the ten numbers the main window shows.
#pragma once

#include "Selection.h"

#include <array>
#include <cstdint>
#include <string_view>

struct ReagentTotals
{
    std::array<std::int32_t, kReagentCount> count{}; // in counter order
    std::int32_t reagentTotal = 0;
    std::int32_t spellTotal = 0;

    std::int32_t& operator[](Reagent r) { return count[static_cast<std::size_t>(r)]; }
    std::int32_t operator[](Reagent r) const { return count[static_cast<std::size_t>(r)]; }
    friend bool operator==(const ReagentTotals&, const ReagentTotals&) = default;
};

// The number a quantity text stands for: leading blanks and 0x09 to 0x0D skipped,
// one optional sign, decimal digits up to the first other character; no digits
// means 0. A value beyond the 32-bit range counts as the nearest limit.
std::int32_t QuantityValue(std::string_view text);

// Overwrites all ten totals from the 64 texts. Sums are exact and only then
// clamped to the 32-bit range, so no count ever changes sign by overflow.
void RecalculateTotals(const Selection& selection, ReagentTotals& totals);

// Empties every stored text and zeroes every total.
void ClearAll(Selection& selection, ReagentTotals& totals);
