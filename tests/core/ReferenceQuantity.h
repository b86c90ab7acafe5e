// A second, deliberately plain reading of a quantity text, for checking QuantityValue
// in the tests and the fuzzer. It never accumulates an unbounded number: the digit run
// is compared as a decimal string against the limit, so no value can overflow here.
#pragma once

#include <cstdint>
#include <string_view>

namespace reference
{

inline bool IsBlank(char c)
{
    switch (c)
    {
    case ' ':
    case '\t':
    case '\n':
    case '\v':
    case '\f':
    case '\r':
        return true;
    default:
        return false;
    }
}

inline bool IsDigit(char c)
{
    return std::string_view("0123456789").find(c) != std::string_view::npos;
}

inline std::int32_t QuantityValue(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;

    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
    {
        negative = text[i] == '-';
        ++i;
    }

    std::size_t end = i;
    while (end < text.size() && IsDigit(text[end]))
        ++end;
    std::string_view digits = text.substr(i, end - i);
    while (!digits.empty() && digits.front() == '0')
        digits.remove_prefix(1);

    // Same length means plain string order is numeric order.
    const std::string_view limit = negative ? "2147483648" : "2147483647";
    if (digits.size() > limit.size() || (digits.size() == limit.size() && digits > limit))
        digits = limit;

    std::int64_t magnitude = 0; // at most ten digits by now
    for (char d : digits)
        magnitude = magnitude * 10 + (d - '0');
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

} // namespace reference
