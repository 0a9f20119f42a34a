#include "util/text.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

TEST(IntToChar, WritesDecimalWithSignInOneSharedArea)
{
    EXPECT_STREQ(int_to_char(0, 1), "0");
    EXPECT_STREQ(int_to_char(-45, 1), "-45");
    EXPECT_STREQ(int_to_char(INT32_MIN, 1), "-2147483648");
    EXPECT_STREQ(int_to_char(INT32_MAX, 1), "2147483647");
    // Two results used together both show the second call's text.
    char *first = int_to_char(12, 1);
    char *second = int_to_char(345, 1);
    EXPECT_EQ(first, second);
    EXPECT_STREQ(first, "345");
}

TEST(CharToInt, ReadsSignAndDigitsAfterBlanks)
{
    EXPECT_EQ(char_to_int(""), 0);
    EXPECT_EQ(char_to_int("abc"), 0);
    EXPECT_EQ(char_to_int("  \t42xyz"), 42);
    EXPECT_EQ(char_to_int("-17"), -17);
    EXPECT_EQ(char_to_int("+8"), 8);
    EXPECT_EQ(char_to_int("01"), 1);
    EXPECT_EQ(char_to_int("- 5"), 0);
}

TEST(CharToInt, SaturatesBeyondTheRangeOfLong)
{
    EXPECT_EQ(char_to_int("2147483647"), INT32_MAX);
    EXPECT_EQ(char_to_int("2147483648"), INT32_MAX);
    EXPECT_EQ(char_to_int("-2147483648"), INT32_MIN);
    EXPECT_EQ(char_to_int("-2147483649"), INT32_MIN);
    EXPECT_EQ(char_to_int(std::string(5000, '9').c_str()), INT32_MAX);
    EXPECT_EQ(char_to_int(("-" + std::string(5000, '9')).c_str()), INT32_MIN);
    // Leading zeros do not count towards the overflow.
    EXPECT_EQ(char_to_int((std::string(300, '0') + "123").c_str()), 123);
}

TEST(CompareStrings, IsByteWiseAndCaseSensitive)
{
    EXPECT_EQ(compare_strings("DeckwiseSetup", "DeckwiseSetup"), 0);
    EXPECT_NE(compare_strings("deckwisesetup", "DeckwiseSetup"), 0);
    EXPECT_NE(compare_strings("DeckwiseSetup ", "DeckwiseSetup"), 0);
    EXPECT_LT(compare_strings("abc", "abd"), 0);
    EXPECT_GT(compare_strings("b", "a"), 0);
    EXPECT_LT(compare_strings("", "a"), 0);
}

TEST(MakeString, JoinsIntoTheCallersBufferOrItsOwnArea)
{
    char buffer[64];
    EXPECT_EQ(MakeString(buffer, 3, "Auto-loading ", "Two", " Paths"), buffer);
    EXPECT_STREQ(buffer, "Auto-loading Two Paths");
    char *own = MakeString(nullptr, 2, "ab", "cd");
    EXPECT_STREQ(own, "abcd");
    EXPECT_STREQ(MakeString(nullptr, 2, "", ""), "");
}

TEST(MakeString, CutsWhatDoesNotFitItsOwnArea)
{
    std::string big(MAKESTRING_AREA_SIZE, 'x');
    char *own = MakeString(nullptr, 3, "head", big.c_str(), "tail");
    std::string result = own;
    EXPECT_EQ(result.size(), static_cast<size_t>(MAKESTRING_AREA_SIZE - 1));
    EXPECT_EQ(result.substr(0, 4), "head");
    EXPECT_EQ(result.back(), 'x');
}
