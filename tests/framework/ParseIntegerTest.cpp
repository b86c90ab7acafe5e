// The integer binding's parser: one signed decimal integer of the 32-bit range with blanks
// or tabs around it, and nothing else.
#include "DataExchange.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace
{
struct Accepted
{
    std::string_view text;
    int value;
};

const Accepted kAccepted[] = {
    {"0", 0},
    {"7", 7},
    {"-7", -7},
    {"+7", 7},
    {"-0", 0},
    {"0042", 42},
    {" 12", 12},
    {"12 ", 12},
    {"\t12\t", 12},
    {" \t -3 \t ", -3},
    {"2147483647", INT_MAX},
    {"-2147483648", INT_MIN},
    {"+2147483647", INT_MAX},
    {"00000000000000000000000000001", 1}, // many digits, small value
    {"-000000000002147483648", INT_MIN},
};

const std::string_view kRefused[] = {
    "",
    " ",
    "\t",
    "+",
    "-",
    "+-1",
    "--1",
    "- 1",   // blank between sign and digits
    "1 2",   // two numbers
    "12abc", // trailing letters
    "abc",
    "x12",
    "0x10",
    "1e3",
    "1.0",
    "1,000",
    "\n12",  // only blanks and tabs count as blanks
    "12\r\n",
    "\v12",
    "2147483648",
    "-2147483649",
    "4294967296",
    "99999999999999999999999999",
    "-99999999999999999999999999",
};
} // namespace

TEST(ParseInteger, AcceptsOneSignedDecimalIntegerOfTheRange)
{
    for (const Accepted& c : kAccepted)
    {
        const std::optional<int> parsed = ParseInteger(c.text);
        ASSERT_TRUE(parsed.has_value()) << '"' << c.text << "\" was refused";
        EXPECT_EQ(*parsed, c.value) << '"' << c.text << '"';
    }
}

TEST(ParseInteger, RefusesEverythingElse)
{
    for (std::string_view text : kRefused)
        EXPECT_FALSE(ParseInteger(text).has_value()) << '"' << text << "\" was accepted as " << ParseInteger(text).value_or(0);
}

TEST(ParseInteger, ReadsWhatSignedDecimalWritesAcrossTheRange)
{
    for (long long value = INT_MIN; value <= INT_MAX; value += 65537 * 31)
    {
        const std::string text = std::to_string(value);
        EXPECT_EQ(ParseInteger(text), static_cast<int>(value)) << text;
    }
    for (int edge : {INT_MIN, INT_MIN + 1, -1, 0, 1, INT_MAX - 1, INT_MAX})
        EXPECT_EQ(ParseInteger(std::to_string(edge)), edge);
}

TEST(ParseInteger, TextEndsWhereTheViewEnds)
{
    const std::string buffer = "123456";
    EXPECT_EQ(ParseInteger(std::string_view(buffer).substr(0, 3)), 123) << "characters past the view are not read";
    const std::string withNul("12\0" "3", 4);
    EXPECT_FALSE(ParseInteger(withNul).has_value()) << "an embedded NUL is not a blank";
}
