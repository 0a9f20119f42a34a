// The rune table: each interpretation speaks of its own rune; numbers
// outside the table give the empty text.
#include "runes/runetable.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

TEST(RuneTable, EachInterpretationIsOneParagraphAboutItsRune)
{
    for (int n = 1; n <= RUNE_COUNT; ++n) {
        std::string name = get_card_title(n);
        std::string text = get_card_desc(n);
        EXPECT_NE(text.find("Rune is " + name), std::string::npos) << n;
        EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos) << name;
        // The detail screen joins name, "  -  " and the text in 1000 bytes.
        EXPECT_LT(name.size() + 5 + text.size(), 1000u) << name;
    }
    for (int n : {0, 26, -1, -25, INT32_MIN, INT32_MAX}) {
        EXPECT_STREQ(get_card_title(n), "") << n;
        EXPECT_STREQ(get_card_desc(n), "") << n;
    }
}
