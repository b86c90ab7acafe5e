#include "RandomText.h"
#include "ReferenceQuantity.h"
#include "Totals.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

using namespace std::string_literals;

namespace
{

constexpr std::int32_t kMax = 2147483647;
constexpr std::int32_t kMin = -2147483647 - 1;

struct Example
{
    std::string text;
    std::int32_t value;
};

// Checks the reference too, so the differential tests below lean on a checked reference.
void ExpectValues(const std::vector<Example>& examples)
{
    for (const Example& example : examples)
    {
        EXPECT_EQ(QuantityValue(example.text), example.value) << "text " << Escaped(example.text);
        EXPECT_EQ(reference::QuantityValue(example.text), example.value)
            << "the reference reads " << Escaped(example.text) << " wrongly";
    }
}

std::string Blanks(std::size_t n)
{
    std::string text;
    for (std::size_t i = 0; i < n; ++i)
        text += kBlankBytes[i % kBlankBytes.size()];
    return text;
}

// Compares with the reference; false once too many texts disagreed to be worth listing.
bool AgreesWithReference(const std::string& text, const std::string& context, int& mismatches)
{
    const std::int32_t got = QuantityValue(text);
    const std::int32_t want = reference::QuantityValue(text);
    if (got == want)
        return true;
    ADD_FAILURE() << context << ": text " << Escaped(text) << " gives " << got << ", expected " << want;
    return ++mismatches < 10;
}

} // namespace

TEST(QuantityValue, ReadsOptionalSignThenDigitsAndIgnoresTheRest)
{
    ExpectValues({
        {"", 0},
        {"3", 3},
        {"  12abc", 12},
        {"+7", 7},
        {"-5", -5},
        {"-0", 0},
        {"+0", 0},
        {"007", 7},
        {"abc", 0},
        {"x12", 0},
        {"0x10", 0},
        {"1e3", 1},
        {"12.9", 12},
        {"3 4", 3},
        {"1,000", 1},
        {"+", 0},
        {"-", 0},
        {"+-1", 0},
        {"-+1", 0},
        {"--1", 0},
        {"- 5", 0},
        {"+ 5", 0},
        {"5-", 5},
        {"1\0" "2"s, 1},
        {"\0" "12"s, 0},
        {"-\0" "3"s, 0},
    });
}

TEST(QuantityValue, SkipsOnlyBlankAndControlCharactersNineToThirteen)
{
    ExpectValues({
        {"   ", 0},
        {" 42", 42},
        {"\t42", 42},
        {"\n42", 42},
        {"\v42", 42},
        {"\f42", 42},
        {"\r42", 42},
        {"\t\r\n\v\f -8", -8},
        {"\x08" "5", 0},
        {"\x0E" "5", 0},
        {"\x1F" "5", 0},
        {"\x7F" "5", 0},
        // Bytes with the high bit set are ordinary characters, whatever the locale or the
        // signedness of char would make of them.
        {"\xA0" "12", 0},
        {"\x85" "12", 0},
        {" \xA0 5", 0},
        {"\xFF" "7", 0},
        {"\xB9" "7", 0},
        {"-\xB9", 0},
        {"12\x80", 12},
        {"12\xFF" "3", 12},
    });
}

TEST(QuantityValue, SaturatesBeyondTheThirtyTwoBitRange)
{
    ExpectValues({
        {"2147483646", kMax - 1},
        {"2147483647", kMax},
        {"+2147483647", kMax},
        {"2147483648", kMax},
        {"2147483649", kMax},
        {"-2147483647", kMin + 1},
        {"-2147483648", kMin},
        {"-2147483649", kMin},
        {"4294967295", kMax},
        {"4294967296", kMax},
        {"4294967297", kMax},
        {"-4294967297", kMin},
        {"21474836470", kMax},
        {"9999999999", kMax},
        {"1234567890123456789012345678901234567890", kMax},
        {"-1234567890123456789012345678901234567890", kMin},
        {"18446744073709551617", kMax},
        {"-18446744073709551616", kMin},
        {"0000000000000000000000000000000000002147", 2147},
        {"-00000000000000000000000000000002147483648", kMin},
        {"00000000000000000000000000000002147483648", kMax},
        {"2147483647abc", kMax},
        {" -2147483648 ", kMin},
    });
}

TEST(QuantityValue, ReadsTextsOfAHundredThousandBytes)
{
    constexpr std::size_t kLength = 100000;
    ExpectValues({
        {std::string(kLength - 1, '0') + "7", 7},
        {Blanks(kLength - 2) + "42", 42},
        {Blanks(50000) + "-" + std::string(kLength - 50000 - 1 - 10, '0') + "2147483648", kMin},
        {std::string(kLength, '9'), kMax},
        {"-" + std::string(kLength - 1, '9'), kMin},
        {"-" + std::string(kLength - 1, '0'), 0},
        {Blanks(kLength - 3) + "\xA0" "12", 0},
        {"12" + std::string(kLength - 2, 'x'), 12},
    });
}

TEST(QuantityValue, AgreesWithReferenceForEveryByteInEveryPosition)
{
    int mismatches = 0;
    for (int b = 0; b < 256; ++b)
    {
        const std::string c(1, static_cast<char>(b));
        const std::string texts[] = {
            c + "12",     " " + c + "12", "\t" + c + "-9",      "-" + c + "12",     "+" + c + "7",
            "1" + c + "2", "0" + c + "5",  "12" + c,             "214748364" + c,    "-214748364" + c,
            c + c + "3",   c,              "2147483647" + c,     "-2147483648" + c,  std::string(20, '0') + c,
        };
        for (const std::string& text : texts)
            if (!AgreesWithReference(text, "byte " + std::to_string(b), mismatches))
                return;

        // Independent of the reference: a byte that is neither blank, sign nor digit ends
        // the number wherever it stands.
        const bool blank = b == ' ' || (b >= 0x09 && b <= 0x0D);
        const bool sign = b == '+' || b == '-';
        const bool digit = b >= '0' && b <= '9';
        if (!blank && !sign && !digit)
        {
            EXPECT_EQ(QuantityValue(c + "12"), 0) << "byte " << b << " before the digits";
            EXPECT_EQ(QuantityValue(" " + c + "12"), 0) << "byte " << b << " among the blanks";
            EXPECT_EQ(QuantityValue("-" + c + "12"), 0) << "byte " << b << " after the sign";
            EXPECT_EQ(QuantityValue("1" + c + "2"), 1) << "byte " << b << " among the digits";
            EXPECT_EQ(QuantityValue("12" + c), 12) << "byte " << b << " after the digits";
        }
        if (blank)
        {
            EXPECT_EQ(QuantityValue(c + c + "-12"), -12) << "byte " << b << " is a blank";
        }
    }
}

TEST(QuantityValue, ReadsTheSameInEveryLocale)
{
    // Windows code pages class 0xA0 as a blank; the Linux default locale may be UTF-8.
    const char* const locales[] = {"C", "", ".1252", ".850", "C.UTF-8"};
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    int mismatches = 0;
    int applied = 0;
    for (const char* name : locales)
    {
        if (std::setlocale(LC_ALL, name) == nullptr)
            continue;
        ++applied;
        for (int b = 0; b < 256 && mismatches < 10; ++b)
        {
            const std::string c(1, static_cast<char>(b));
            for (const std::string& text : {c + "12", " " + c + "7", "-" + c + "7", "1" + c + "2"})
                AgreesWithReference(text, std::string("locale '") + name + "', byte " + std::to_string(b), mismatches);
        }
    }
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_GE(applied, 2) << "no locale besides \"C\" could be set";
}

TEST(QuantityValue, AgreesWithReferenceOnRandomTexts)
{
    constexpr std::uint64_t kSeeds[] = {0x4D6F7274u, 0x61726978u, 0x51756E74u, 0x69747921u};
    constexpr int kTextsPerSeed = 6000;
    int mismatches = 0;
    for (std::uint64_t seed : kSeeds)
    {
        Random random(seed);
        for (int i = 0; i < kTextsPerSeed; ++i)
            if (!AgreesWithReference(RandomQuantityText(random),
                                     "seed " + std::to_string(seed) + " text " + std::to_string(i), mismatches))
                return;
    }

    // Texts of 100,000 bytes: a long blank run before a random number, or any bytes at all.
    Random random(kSeeds[0]);
    for (int i = 0; i < 8; ++i)
    {
        std::string text;
        if (i % 2 == 0)
        {
            for (std::size_t n = random.Below(99000); n > 0; --n)
                text += random.ByteOf(kBlankBytes);
            text += RandomQuantityText(random);
        }
        while (text.size() < 100000)
            text += random.AnyByte();
        const std::string name = std::string("long text ") + std::to_string(i) + " of seed " + std::to_string(kSeeds[0]);
        if (!AgreesWithReference(text, name, mismatches))
            return;
    }
}
