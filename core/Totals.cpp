#include "Totals.h"

#include <algorithm>
#include <limits>

namespace
{

constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();

// Byte tests by value, so neither the C locale nor the signedness of char matters.
constexpr bool IsBlank(unsigned char c)
{
    return c == ' ' || (c >= 0x09 && c <= 0x0D);
}

constexpr bool IsDigit(unsigned char c)
{
    return c >= '0' && c <= '9';
}

std::int32_t Clamp(std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp(value, kMin, kMax));
}

} // namespace

std::int32_t QuantityValue(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && IsBlank(static_cast<unsigned char>(text[i])))
        ++i;

    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';

    // Once past 2^31 the result is a limit whatever digits follow, so stop there.
    std::int64_t magnitude = 0;
    for (; i < text.size() && IsDigit(static_cast<unsigned char>(text[i])) && magnitude <= kMax; ++i)
        magnitude = magnitude * 10 + (text[i] - '0');

    return Clamp(negative ? -magnitude : magnitude);
}

void RecalculateTotals(const Selection& selection, ReagentTotals& totals)
{
    std::array<std::int64_t, kReagentCount> count{};
    std::int64_t spells = 0;
    for (const CircleInfo& circle : Circles())
    {
        for (const SpellInfo& spell : circle.spells)
        {
            const std::int64_t value = QuantityValue(selection.Text(spell.ref));
            if (value == 0)
                continue;
            spells += value;
            for (int r = 0; r < kReagentCount; ++r)
                if (spell.reagents.Contains(static_cast<Reagent>(r)))
                    count[static_cast<std::size_t>(r)] += value;
        }
    }

    std::int64_t reagents = 0;
    for (std::size_t r = 0; r < count.size(); ++r)
    {
        reagents += count[r];
        totals.count[r] = Clamp(count[r]);
    }
    totals.reagentTotal = Clamp(reagents);
    totals.spellTotal = Clamp(spells);
}

void ClearAll(Selection& selection, ReagentTotals& totals)
{
    for (int c = 1; c <= kCircleCount; ++c)
        for (std::string& text : selection.Circle(c))
            text.clear();
    totals = ReagentTotals{};
}
