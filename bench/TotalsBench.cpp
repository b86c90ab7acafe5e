// How long a recalculation takes: over what a user typically leaves in the 64 fields,
// and over 64 texts of 10,000 bytes each that the conversion has to walk through.
#include "Totals.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <iterator>
#include <string>

namespace
{

constexpr std::size_t kLongText = 10000;

template <typename MakeText>
Selection SelectionOf(MakeText makeText)
{
    Selection selection;
    int index = 0;
    for (int c = 1; c <= kCircleCount; ++c)
        for (std::string& text : selection.Circle(c))
            text = makeText(index++);
    return selection;
}

// Mostly short counts, a few blanks and signs, many fields left empty.
std::string TypicalText(int index)
{
    static const char* const kTexts[] = {"", "1", "12", "", "5", "100", " 3", "", "250", "7", "", "42", "9", "", "1000", "-2"};
    return kTexts[static_cast<std::size_t>(index) % std::size(kTexts)];
}

// A number at the end of a long run of blanks of every kind.
std::string BlanksThenDigits(int index)
{
    const std::string number = std::to_string(index + 1);
    std::string text;
    for (std::size_t i = 0; text.size() + number.size() < kLongText; ++i)
        text += " \t\n\v\f\r"[i % 6];
    return text + number;
}

// A number with a long run of leading zeros, which never reaches a limit.
std::string LeadingZeros(int index)
{
    const std::string number = std::to_string(index + 1);
    return std::string(kLongText - number.size(), '0') + number;
}

void Recalculate(benchmark::State& state, const Selection& selection)
{
    ReagentTotals totals;
    for (auto _ : state)
    {
        RecalculateTotals(selection, totals);
        benchmark::DoNotOptimize(totals);
        benchmark::ClobberMemory();
    }
    std::int64_t bytes = 0;
    for (int c = 1; c <= kCircleCount; ++c)
        for (const std::string& text : selection.Circle(c))
            bytes += static_cast<std::int64_t>(text.size());
    state.SetBytesProcessed(bytes * state.iterations());
}

void RecalculateTypical(benchmark::State& state)
{
    Recalculate(state, SelectionOf(TypicalText));
}

void RecalculateLongBlanks(benchmark::State& state)
{
    Recalculate(state, SelectionOf(BlanksThenDigits));
}

void RecalculateLongZeros(benchmark::State& state)
{
    Recalculate(state, SelectionOf(LeadingZeros));
}

void QuantityValueShort(benchmark::State& state)
{
    std::string text = "  250";
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(text.data());
        benchmark::DoNotOptimize(QuantityValue(text));
    }
}

} // namespace

BENCHMARK(RecalculateTypical)->Unit(benchmark::kNanosecond);
BENCHMARK(RecalculateLongBlanks)->Unit(benchmark::kNanosecond);
BENCHMARK(RecalculateLongZeros)->Unit(benchmark::kNanosecond);
BENCHMARK(QuantityValueShort)->Unit(benchmark::kNanosecond);

BENCHMARK_MAIN();
