#include "runes/runetable.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(RuneTable, NamesFollowTheRuneNumbers)
{
    EXPECT_STREQ(get_card_title(1), "Mannaz");
    EXPECT_STREQ(get_card_title(2), "Gebo");
    EXPECT_STREQ(get_card_title(7), "Nauthiz");
    EXPECT_STREQ(get_card_title(21), "Thurisaz");
    EXPECT_STREQ(get_card_title(23), "Isa");
    EXPECT_STREQ(get_card_title(25), "Odin");
}

TEST(RuneTable, NumbersOutsideTheTableGiveTheEmptyText)
{
    for (int n : {0, 26, -1, -25, 1000, INT32_MIN, INT32_MAX}) {
        EXPECT_STREQ(get_card_title(n), "") << n;
        EXPECT_STREQ(get_card_desc(n), "") << n;
    }
}

TEST(RuneTable, EachInterpretationIsOneParagraphAboutItsRune)
{
    for (int n = 1; n <= RUNE_COUNT; ++n) {
        std::string name = get_card_title(n);
        std::string text = get_card_desc(n);
        EXPECT_GE(text.size(), 450u) << name;
        EXPECT_LE(text.size(), 600u) << name;
        EXPECT_EQ(text.find('\n'), std::string::npos) << name;
        EXPECT_EQ(text.find('\r'), std::string::npos) << name;
        bool speaks_of_this_rune =
            text.find("this Rune") != std::string::npos || text.find("This Rune") != std::string::npos;
        EXPECT_TRUE(speaks_of_this_rune) << name;
        EXPECT_NE(text.find(name), std::string::npos) << name;
        // The detail screen joins name, "  -  " and the text in 1000 bytes.
        EXPECT_LT(name.size() + 5 + text.size(), 1000u) << name;
    }
}
