// The sample spreads shipped in spreads/: each is exactly what the writer
// produces from what the reader takes from it, and lays its pictures out
// inside the main window (1000 x 700 below the caption and the menu bar).
#include "runes/spread.h"

#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>

namespace fs = std::filesystem;

TEST(SampleSpreads, EachIsWhatTheWriterProducesAndFitsTheWindow)
{
    testsupport::TempDir dir;
    std::set<std::string> titles;
    std::set<int> counts;
    for (const auto &entry : fs::directory_iterator(fs::path(STONECALL_SOURCE_DIR) / "spreads")) {
        std::string name = entry.path().filename().string();
        if (entry.path().extension() != ".SCS") continue;
        fs::copy_file(entry.path(), name);
        get_spread_data(name.data());
        strcpy(SpreadFilename, name.c_str());
        for (int i = 0; i < MAX_POSITIONS; ++i) strcpy(pm[i], get_card_pm(i));
        EXPECT_TRUE(titles.insert(title).second) << "a second spread titled " << title;
        counts.insert(NumCards);
        for (int i = 0; i < NumCards; ++i) {
            const RECT picture = {PositionPlace(i).x, PositionPlace(i).y, PositionPlace(i).x + StretchCardWidth,
                                  PositionPlace(i).y + StretchCardLength};
            EXPECT_STRNE(pm[i], "") << name << " position " << i;
            EXPECT_TRUE(picture.left >= 0 && picture.top >= 0 && picture.right <= 1000 && picture.bottom <= 700)
                << name << " position " << i;
        }
        const std::string original = testsupport::read_bytes(name);
        write_data_to_file();
        EXPECT_EQ(testsupport::read_bytes(name), original) << name;
    }
    EXPECT_GE(titles.size(), 6u);
    // From a single rune to a full fifteen.
    EXPECT_EQ(*counts.begin(), 1);
    EXPECT_EQ(*counts.rbegin(), MAX_POSITIONS);
}
