// The sample spreads shipped in spreads/: each is exactly what the writer
// produces, and each lays its pictures out inside the main window.
#include "runes/spread.h"

#include <io.h>

#include "support/tempdir.h"
#include "user32/msgbox_hook.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using testsupport::read_bytes;
using testsupport::TempDir;

namespace {

// The client area of a maximised main window on a 1024 x 768 desktop,
// below the caption and the menu bar.
const int kClientWidth = 1000;
const int kClientHeight = 700;

std::vector<fs::path> sample_spreads()
{
    std::vector<fs::path> files;
    for (const auto &entry : fs::directory_iterator(fs::path(STONECALL_SOURCE_DIR) / "spreads"))
        if (entry.path().extension() == ".SCS")
            files.push_back(fs::absolute(entry.path()));
    return files;
}

} // namespace

TEST(SampleSpreads, EachIsWhatTheWriterProduces)
{
    TempDir dir;
    std::vector<fs::path> files = sample_spreads();
    ASSERT_GE(files.size(), 6u);
    std::set<std::string> titles;
    int fewest = MAX_POSITIONS + 1, most = 0;
    for (const fs::path &file : files) {
        std::string name = file.filename().string();
        EXPECT_LE(name.size(), 12u) << name;
        std::string original = read_bytes(file.string());
        fs::copy_file(file, name);
        get_spread_data(name.data());
        strcpy(SpreadFilename, name.c_str());
        for (int i = 0; i < MAX_POSITIONS; ++i)
            strcpy(pm[i], get_card_pm(i));
        EXPECT_TRUE(titles.insert(title).second) << "a second spread titled " << title;
        fewest = std::min(fewest, NumCards);
        most = std::max(most, NumCards);
        for (int i = 0; i < NumCards; ++i) {
            EXPECT_STRNE(pm[i], "") << name << " position " << i;
            int x = CardRect[i].top, y = CardRect[i].left;
            EXPECT_GE(x, 0) << name << " position " << i;
            EXPECT_GE(y, 0) << name << " position " << i;
            EXPECT_LE(x + StretchCardWidth, kClientWidth) << name << " position " << i;
            EXPECT_LE(y + StretchCardLength, kClientHeight) << name << " position " << i;
        }
        msgbox_hook::clear();
        write_data_to_file();
        EXPECT_EQ(read_bytes(name), original) << name;
        ASSERT_EQ(msgbox_hook::boxes().size(), 1u);
        EXPECT_EQ(msgbox_hook::boxes()[0].text, "Data writen to file.");
    }
    // From a single rune to a full fifteen.
    EXPECT_EQ(fewest, 1);
    EXPECT_EQ(most, MAX_POSITIONS);
}
