// Seeded random quantity texts for the differential tests. Most of them sit near the
// edges that matter (blanks, signs, the 32-bit limits, long digit runs, high bytes)
// rather than being uniform noise, which would almost never hold a number.
#pragma once

#include <cstdint>
#include <cstdio>
#include <iterator>
#include <string>
#include <string_view>

// SplitMix64: tiny, and the same sequence on every compiler and library.
class Random
{
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t Next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15u);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
        return z ^ (z >> 31);
    }
    std::size_t Below(std::size_t n) { return static_cast<std::size_t>(Next() % n); }
    bool OneIn(std::size_t n) { return Below(n) == 0; }
    char ByteOf(std::string_view choices) { return choices[Below(choices.size())]; }
    char AnyByte() { return static_cast<char>(Below(256)); }
    char Digit() { return static_cast<char>('0' + Below(10)); }

private:
    std::uint64_t m_state;
};

inline constexpr std::string_view kBlankBytes = " \t\n\v\f\r";

// Bytes right beside the blanks, signs and digits, and bytes with the high bit set, which
// a conversion that leans on the C library or on signed char could take for one of them.
inline constexpr std::string_view kNearMissBytes = std::string_view("\x00\x08\x0E\x1F\x2A\x2C\x2E\x2F\x3A\x7F"
                                                                    "\x80\x85\x89\x8A\xA0\xAB\xAD\xB0\xB9\xFF",
                                                                    20);

inline std::string RandomQuantityText(Random& random)
{
    std::string text;
    if (random.OneIn(8))
    {
        const std::size_t length = random.Below(25);
        const bool anyByte = random.OneIn(2);
        for (std::size_t i = 0; i < length; ++i)
            text += anyByte ? random.AnyByte() : random.ByteOf("+- 0123456789\t\xA0\x80");
        return text;
    }

    static constexpr std::size_t kBlankRuns[] = {0, 0, 0, 1, 2, 3, 7, 300};
    for (std::size_t n = kBlankRuns[random.Below(std::size(kBlankRuns))]; n > 0; --n)
        text += random.ByteOf(kBlankBytes);
    if (random.OneIn(10))
        text += random.ByteOf(kNearMissBytes);

    switch (random.Below(8))
    {
    case 4:
        text += '+';
        break;
    case 5:
        text += '-';
        break;
    case 6:
        text += random.ByteOf("+-");
        text += random.ByteOf("+-");
        break;
    case 7:
        text += random.ByteOf("+-");
        text += random.OneIn(2) ? random.ByteOf(kBlankBytes) : random.ByteOf(kNearMissBytes);
        break;
    default:
        break;
    }

    if (random.OneIn(4))
    {
        static constexpr std::size_t kZeroRuns[] = {1, 2, 9, 10, 11, 500};
        text.append(kZeroRuns[random.Below(std::size(kZeroRuns))], '0');
    }

    switch (random.Below(6))
    {
    case 0:
        break;
    case 1:
        for (std::size_t n = 1 + random.Below(9); n > 0; --n)
            text += random.Digit();
        break;
    case 2:
    {
        // Close to a limit, or to a number whose wrap or truncation would look plausible.
        static constexpr std::int64_t kEdges[] = {2147483647, 2147483648, 4294967296, 9999999999, 1000000000,
                                                  214748364,  21474836470};
        const std::int64_t edge = kEdges[random.Below(std::size(kEdges))];
        text += std::to_string(edge + static_cast<std::int64_t>(random.Below(7)) - 3);
        break;
    }
    case 3:
        for (int n = 0; n < 10; ++n)
            text += random.Digit();
        break;
    case 4:
        for (std::size_t n = 11 + random.Below(30); n > 0; --n)
            text += random.Digit();
        break;
    default:
        for (std::size_t n = 41 + random.Below(2000); n > 0; --n)
            text += random.Digit();
        break;
    }

    for (std::size_t n = random.Below(4); n > 0; --n)
        text += random.AnyByte();
    return text;
}

// A text as it can be read in a failure message: bytes outside printable ASCII escaped,
// long texts cut short with their length given.
inline std::string Escaped(std::string_view text)
{
    constexpr std::size_t kShown = 80;
    std::string out = "'";
    for (std::size_t i = 0; i < text.size() && i < kShown; ++i)
    {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c < 0x7F && c != '\\')
        {
            out += static_cast<char>(c);
        }
        else
        {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    out += '\'';
    if (text.size() > kShown)
        out += "... (" + std::to_string(text.size()) + " bytes)";
    return out;
}
