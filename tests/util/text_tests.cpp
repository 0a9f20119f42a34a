// The small text and number routines.
#include "util/text.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

TEST(IntToChar, WritesDecimalWithSignInOneSharedArea)
{
    EXPECT_STREQ(int_to_char(0, 1), "0");
    EXPECT_STREQ(int_to_char(-45, 1), "-45");
    EXPECT_STREQ(int_to_char(INT32_MIN, 1), "-2147483648");
    char *first = int_to_char(12, 1);
    EXPECT_EQ(first, int_to_char(INT32_MAX, 1));
    EXPECT_STREQ(first, "2147483647");
}

TEST(CharToInt, ReadsSignAndDigitsAfterBlanksAndSaturates)
{
    const struct {
        std::string text;
        LONG value;
    } rows[] = {
        {"", 0},
        {"abc", 0},
        {"  \t42xyz", 42},
        {"-17", -17},
        {"+8", 8},
        {"- 5", 0},
        {"2147483647", INT32_MAX},
        {"2147483648", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"-2147483649", INT32_MIN},
        {std::string(5000, '9'), INT32_MAX},
        {"-" + std::string(5000, '9'), INT32_MIN},
        {std::string(300, '0') + "123", 123},   // leading zeros do not count towards the overflow
    };
    for (const auto &row : rows) EXPECT_EQ(char_to_int(row.text.c_str()), row.value) << row.text.substr(0, 20);
}

TEST(MakeString, JoinsIntoTheCallersBufferOrItsOwnAreaCutToFit)
{
    char buffer[64];
    EXPECT_EQ(MakeString(buffer, 3, "Auto-loading ", "Two", " Paths"), buffer);
    EXPECT_STREQ(buffer, "Auto-loading Two Paths");
    std::string big(MAKESTRING_AREA_SIZE, 'x');
    std::string own = MakeString(nullptr, 3, "head", big.c_str(), "tail");
    EXPECT_EQ(own, "head" + big.substr(0, MAKESTRING_AREA_SIZE - 5));
}

// Both stop at the buffer's end; the copy reads no further than it writes.
TEST(BoundedText, CopyAndAppendStopAtTheBufferEnd)
{
    char small[6] = "xxxxx";
    EXPECT_EQ(copy_text(small, sizeof small, "abc"), small);
    EXPECT_STREQ(small, "abc");
    EXPECT_STREQ(append_text(small, sizeof small, "defg"), "abcde");
    EXPECT_STREQ(append_text(small, sizeof small, "z"), "abcde");
    const char unended[3] = {'p', 'q', 'r'};
    EXPECT_STREQ(copy_text(small, 3, unended), "pq");
    EXPECT_STREQ(copy_text(small, 1, "abc"), "");
}
