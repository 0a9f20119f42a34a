// The soak's own parts: its strict reading of spread files and pages must
// catch what a broken writer leaves, and its walk must be the same for a seed.
#include "soak/checks.h"
#include "soak/generator.h"

#include "support/tempdir.h"

#include "runes/spread.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace soak;

namespace {

// A spread written by the program itself.
std::string written_spread()
{
    testsupport::TempDir dir;
    std::strcpy(title, "Two Paths");
    std::strcpy(pm[0], "Your past\r\nand more");
    std::strcpy(pm[1], "Your future");
    SetPositionPlace(0, 200, 10);
    SetPositionPlace(1, -20, 30);
    NumCards = 2;
    std::strcpy(SpreadFilename, "TWO.SCS");
    write_data_to_file();
    return testsupport::read_bytes("TWO.SCS");
}

bool contains(const std::string &s, const std::string &part) { return s.find(part) != std::string::npos; }

} // namespace

TEST(SoakChecks, ASpreadTheProgramWroteParsesWithItsValues)
{
    std::string bytes = written_spread();
    SpreadText s;
    ASSERT_EQ(parse_spread(bytes, s), "");
    EXPECT_EQ(spread_bounds(s), "");
    EXPECT_EQ(s.title, "Two Paths");
    EXPECT_EQ(s.count, 2);
    EXPECT_EQ(s.x[1], -20);
    EXPECT_EQ(s.y[0], 10);
    EXPECT_EQ(s.meaning[0], "Your past\nand more");
    EXPECT_EQ(s.meaning[14], "");
}

TEST(SoakChecks, DamagedSpreadFilesAreCaught)
{
    std::string bytes = written_spread();
    SpreadText s;
    EXPECT_TRUE(contains(parse_spread(bytes.substr(0, bytes.size() - 2), s), "\"\r\n\" expected"));
    EXPECT_TRUE(contains(parse_spread(bytes + "x", s), "nothing may follow"));
    std::string starless = bytes;
    starless.erase(starless.find("Your future") + 11, 1);
    EXPECT_NE(parse_spread(starless, s), "");
    std::string notANumber = bytes;
    notANumber.replace(notANumber.find("rune0x=200"), 10, "rune0x=2x0");
    EXPECT_TRUE(contains(parse_spread(notANumber, s), "is no number"));
    std::string noHeader = bytes.substr(2);
    EXPECT_NE(parse_spread(noHeader, s), "");

    ASSERT_EQ(parse_spread(bytes, s), "");
    s.count = 16;
    EXPECT_TRUE(contains(spread_bounds(s), "16 positions"));
    s.count = 2;
    s.title = std::string(52, 't');
    EXPECT_TRUE(contains(spread_bounds(s), "title of 52"));
}

TEST(SoakChecks, APageMustBeWholeAndShowTheReading)
{
    Reading r{"A & B", {7, 12}, {"first", "two\nlines"}};
    const std::string head = "<HTML><HEAD>...in the A &amp; B formation:<BR><BR>";
    const std::string runes = "<IMG ALIGN=LEFT SRC=\"images/7.jpg\" WIDTH=70 HEIGHT=129><U>first</U><BR><BR><U>Name</U>"
                              "<IMG ALIGN=LEFT SRC=\"images/12.jpg\" WIDTH=70 HEIGHT=129><U>two\r\nlines</U><BR>text";
    const std::string foot = "<Center><IMG SRC=\"images/quenmirs.gif\"></B></BODY></HTML>";
    EXPECT_EQ(check_page(head + runes + foot, r), "");
    EXPECT_TRUE(contains(check_page(head + runes, r), "does not end"));
    EXPECT_TRUE(contains(check_page(head.substr(1) + runes + foot, r), "does not begin"));
    Reading other = r;
    other.runes[1] = 13;
    EXPECT_TRUE(contains(check_page(head + runes + foot, other), "should show rune 13"));
    other = r;
    other.runes.push_back(3);
    EXPECT_TRUE(contains(check_page(head + runes + foot, other), "2 pictures, not 3"));
    other = r;
    other.runes.pop_back();
    EXPECT_TRUE(contains(check_page(head + runes + foot, other), "more pictures"));
    other = r;
    other.meanings[1] = "two lines";
    EXPECT_TRUE(contains(check_page(head + runes + foot, other), "position 1 does not show its meaning"));
    other = r;
    other.title = "A & C";
    EXPECT_TRUE(contains(check_page(head + runes + foot, other), "does not name the spread"));
    std::string badRune = head + runes + foot;
    badRune.replace(badRune.find("images/12"), 9, "images/26");
    EXPECT_TRUE(contains(check_page_frame(badRune), "rune 26"));
}

TEST(SoakWalk, ASeedGivesTheSameSessionsWithEveryActionCounted)
{
    Files files;
    Spread one;
    one.title = "One";
    one.count = 1;
    one.x[0] = 300;
    one.y[0] = 200;
    one.placed.fill(true);
    files["ONE.SCS"] = one;
    WalkOptions o;
    o.seed = 11;
    o.actions = 3000;
    o.sessionActions = 500;
    std::vector<Session> a = generate(o, files), b = generate(o, files);
    ASSERT_EQ(a.size(), b.size());
    int actions = 0, setups = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].script, b[i].script);
        actions += a[i].actions;
        setups += a[i].setup;
        // Each step given is a line of its own, and each check stands at one.
        int inputs = 0;
        for (const char *step : {"\nmenu ", "\nclick ", "\nclickat ", "\nselect ", "\nkey ", "\ntype ", "\nclose"})
            for (size_t at = a[i].script.find(step); at != std::string::npos; at = a[i].script.find(step, at + 1))
                ++inputs;
        EXPECT_EQ(inputs, a[i].actions) << i;
        if (!a[i].setup) {
            EXPECT_TRUE(contains(a[i].script, "\nexpect-window Quenmire Stonecall V1.1")) << i;
        }
    }
    EXPECT_GE(actions, o.actions);
    EXPECT_GT(setups, 0);
    EXPECT_FALSE(a[0].setup);
    o.seed = 12;
    EXPECT_NE(generate(o, files)[0].script, a[0].script);
}
