// The files the runes folder writes. The spread file: writing byte for byte,
// reading back, hand-made and bad files, and a failed save reaching the user.
// RUNE.HTM written from a reading on its own: the escaping of spread titles and
// position meanings (the fuzzer checks arbitrary texts; these rows hold the
// edges of each rule), what a failure leaves behind and says, and spread texts
// that escaping makes longer than any fixed piece. (The page byte for byte is
// the reading's test.)
#include "app/screenloop.h"
#include "runes/html_text.h"
#include "runes/htmlreport.h"
#include "runes/spread.h"

#include "support/golden.h"
#include "support/spreads.h"
#include "support/tempdir.h"

#include "crt/faults.h"
#include "user32/msgbox_hook.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using testsupport::crlf;
using testsupport::read_bytes;
using testsupport::SpreadPosition;
using testsupport::TempDir;
using testsupport::write_bytes;

namespace {

// Two Paths with its two positions, and positions 2 to 14 at places of their
// own. Its title and first meaning hold what looks like the file's labels.
const char kTwoPaths[] = "Two Paths NumCards=9 rune0x=5 runemeaning0=t";

std::vector<SpreadPosition> two_paths_at()
{
    std::vector<SpreadPosition> at = {{200, 10, "Your past NumCards=7 rune1y=-3 version=1 runemeaning1=shadow"},
                                      {220, 30, "Your future"}};
    for (int i = 2; i < MAX_POSITIONS; ++i) at.push_back({37 * i - 300, -5 * i, ""});
    return at;
}

void make_two_paths(const char *file)
{
    const std::vector<SpreadPosition> at = two_paths_at();
    strcpy(title, kTwoPaths);
    for (int i = 0; i < MAX_POSITIONS; ++i) {
        strcpy(pm[i], at[i].meaning.c_str());
        SetPositionPlace(i, at[i].x, at[i].y);
    }
    NumCards = 2;
    strcpy(SpreadFilename, file);
}

std::string two_paths_bytes() { return testsupport::spread_bytes(kTwoPaths, two_paths_at(), 2); }

// The one box shown, with its caption, a part of its text and its owner.
void expect_only_box(const char *caption, const std::string &text_part, HWND owner)
{
    const auto &boxes = msgbox_hook::boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, caption);
    EXPECT_NE(boxes[0].text.find(text_part), std::string::npos) << boxes[0].text;
    EXPECT_EQ(boxes[0].owner, owner);
}

// A spread of two positions in S.SCS, made the current spread, and a reading for it.
struct Report {
    testsupport::TempDir dir;
    int runes[15] = {7, 19, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13, 14};
    int flags[15] = {};

    explicit Report(const std::string &meaning0 = "Roots")
    {
        msgbox_hook::clear();
        write_bytes("S.SCS", crlf("\ntitle=Two\nrunemeaning0=" + meaning0 + "*\nrunemeaning1=Crown*\nNumCards=2\n"));
        strcpy(SpreadFilename, "S.SCS");
        strcpy(title, "Two");
        NumCards = 2;
    }
    void write() { html_module(runes, flags); }
};

}   // namespace

// An existing file of any length is replaced wholly by exactly these bytes,
// and everything but the meanings reads back, what a user typed as typed;
// the meanings come from the file.
TEST(SpreadWrite, TwoPathsIsWrittenByteForByteAndReadsBack)
{
    TempDir dir;
    write_bytes("TWOPATHS.SCS", std::string(30000, 'o'));
    hWnd_sim_dialog = reinterpret_cast<HWND>(0x55);
    make_two_paths("TWOPATHS.SCS");
    version = 7;   // the writer stores 1100 whatever this holds
    write_data_to_file();
    EXPECT_EQ(read_bytes("TWOPATHS.SCS"), two_paths_bytes());
    expect_only_box("Done...", "Data writen to file.", hWnd_sim_dialog);

    memset(CardRect, 0, sizeof CardRect);
    strcpy(title, "other");
    NumCards = 0;
    strcpy(pm[0], "untouched");
    get_spread_data(SpreadFilename);
    EXPECT_STREQ(title, kTwoPaths);
    EXPECT_EQ(version, SPREAD_FILE_VERSION);
    EXPECT_EQ(NumCards, 2);
    for (int i = 0; i < MAX_POSITIONS; ++i) {
        EXPECT_EQ(PositionPlace(i).x, two_paths_at()[i].x) << i;
        EXPECT_EQ(PositionPlace(i).y, two_paths_at()[i].y) << i;
    }
    EXPECT_STREQ(pm[0], "untouched");
    EXPECT_STREQ(get_card_pm(1), "Your future");
    EXPECT_STREQ(get_card_pm(15), "");
}

TEST(SpreadWrite, FullFieldsWithoutTheirNulAreWrittenNoFurtherThanTheFieldAndBreaksComeBackAsOne)
{
    TempDir dir;
    strcpy(SpreadFilename, "FULL.SCS");
    for (int i = 0; i < MAX_POSITIONS; ++i)
        memset(pm[i], 'a' + i, POSITION_MEANING_SIZE);   // no terminating NUL at all
    memset(title, 'T', SPREAD_TITLE_SIZE);
    write_data_to_file();
    std::string bytes = read_bytes("FULL.SCS");
    EXPECT_NE(bytes.find("title=" + std::string(SPREAD_TITLE_SIZE - 1, 'T') + "\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("runemeaning14=" + std::string(POSITION_MEANING_SIZE - 1, 'o') + "*\r\n"), std::string::npos);
    strcpy(pm[1], "first line\r\nsecond line");   // as an edit box hands it over
    write_data_to_file();
    EXPECT_NE(read_bytes("FULL.SCS").find("runemeaning1=first line\r\r\nsecond line*"), std::string::npos);
    EXPECT_STREQ(get_card_pm(1), "first line\nsecond line");
}

// Each file's bytes, then what the reader takes from it (title, version,
// places of positions 0 and 3, count, first meaning: spread_hand_made.txt).
// Missing lines read as 0 or empty, values are cut to their fields and the
// count clamped; no box is shown. A title or meaning is free text: what in it
// looks like a later label is not that label, as each line is looked for
// after the value before it; a file laid out by hand in another order still
// finds each label where it first stands.
TEST(SpreadRead, HandMadeFilesReadAsFarAsTheyGo)
{
    std::string garbage;
    for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 7919 + 13) & 0xFF);
    std::string large;
    while (large.size() < 300000) large += "runemeaning99=nothing to see here*\r\n";
    const std::string files[] = {
        crlf("rune0x=5\nrune0y=6\nrune3y=9\nnumcards=4\nversion=1101\n"),
        "runemeaning0=a*b*\r\nNumCards=-3",
        "runemeaning0=to the end",
        "title=" + std::string(400, 't') + "\nrunemeaning0=" + std::string(3000, 'm') +
            "*\nrune0x=99999999999999\nrune0y=-99999999999999\nNumCards=1000000\n",
        "",
        "title=One Line rune0x=12 NumCards=3",
        large + "title=At The End\r\nNumCards=5",
        crlf("title=Count NumCards=9 runemeaning0=x\nrunemeaning0=see rune0x=77 here*\nrune0x=10\nNumCards=2\n"),
        crlf("NumCards=3\nrune3y=8\nrune0x=4\nrunemeaning1=b*\ntitle=Out of order\nrunemeaning0=a*\n"),
        garbage};
    TempDir dir;
    std::string seen;
    for (const std::string &bytes : files) {
        write_bytes("HAND.SCS", bytes);
        SetPositionPlace(3, 44, 44);
        strcpy(SpreadFilename, "HAND.SCS");
        EXPECT_EQ(get_spread_name(SpreadFilename), title);
        seen += std::string(title) + " | " + std::to_string(version) + " | " + std::to_string(PositionPlace(0).x) +
                "," + std::to_string(PositionPlace(0).y) + " " + std::to_string(PositionPlace(3).x) + "," +
                std::to_string(PositionPlace(3).y) + " | " + std::to_string(NumCards) + " | " + get_card_pm(0) + "\n";
    }
    EXPECT_TRUE(matches_expected_text(seen, "spread_hand_made.txt"));
    EXPECT_TRUE(msgbox_hook::boxes().empty());
}

// Nothing of an unreadable file is taken: the spread stays as it was, a
// meaning is empty.
TEST(SpreadRead, AnUnreadableFileLeavesTheSpreadAsItWas)
{
    TempDir dir;
    fs::create_directory("FOLDER.SCS");
    write_bytes("GOOD.SCS", crlf("title=Good\nNumCards=3\n"));
    write_bytes("HUGE.SCS", "title=Huge\n");
    fs::resize_file("HUGE.SCS", 0x80000000ull);   // sparse, 2 GiB
    const struct {
        const char *name;
        faults::Call fault;
        bool armed;
    } cases[] = {
        {"MISSING.SCS", faults::Call::Open, false},    {"FOLDER.SCS", faults::Call::Open, false},
        {"HUGE.SCS", faults::Call::Open, false},       {"GOOD.SCS", faults::Call::Filelength, true},
        {"GOOD.SCS", faults::Call::GlobalAlloc, true}, {"GOOD.SCS", faults::Call::Read, true},
        {"GOOD.SCS", faults::Call::Open, true},
    };
    for (const auto &c : cases) {
        strcpy(title, "Kept");
        NumCards = 4;
        msgbox_hook::clear();
        if (c.armed) faults::fail(c.fault);
        EXPECT_STREQ(get_spread_name(const_cast<char *>(c.name)), "Kept") << c.name;
        EXPECT_EQ(NumCards, 4) << c.name;
        expect_only_box(c.name, "Error opening file", nullptr);
        faults::reset();
    }
    get_spread_data(const_cast<char *>("GOOD.SCS"));
    EXPECT_STREQ(title, "Good");
    // Nor is a meaning read from it: it is empty.
    strcpy(SpreadFilename, "GOOD.SCS");
    msgbox_hook::clear();
    faults::fail(faults::Call::GlobalAlloc);
    EXPECT_STREQ(get_card_pm(0), "");
    expect_only_box("GOOD.SCS", "Error opening file", nullptr);
}

// How a save fails is the safe save's business; here: the old file stays and
// the user is told which file, for a write that fails and for a name that is
// a folder.
TEST(SpreadSave, AFailureKeepsTheOldFileAndNamesIt)
{
    TempDir dir;
    fs::create_directory("FOLDER.SCS");
    for (const char *name : {"KEEP.SCS", "FOLDER.SCS"}) {
        if (!fs::is_directory(name)) write_bytes(name, "old");
        make_two_paths(name);
        msgbox_hook::clear();
        faults::fail(faults::Call::Write, -1);
        write_data_to_file();
        faults::reset();
        expect_only_box("Error..", std::string("The spread could not be saved to the file ") + name + ".",
                        hWnd_sim_dialog);
        EXPECT_TRUE(msgbox_hook::boxes()[0].flags & MB_ICONSTOP);
        EXPECT_EQ(fs::is_directory(name) ? "old" : read_bytes(name), "old");
    }
}

TEST(HtmlSafeText, OnlyBareFormattingTagsAndWellFormedReferencesPass)
{
    const struct {
        const char *text, *safe;
    } rows[] = {
        {"a<B>b</B>c<i>d</I><U></u><eM></Em>", "a<B>b</B>c<i>d</I><U></u><eM></Em>"},
        {"<StRoNg></STRONG><BIG></big><Small></sMALL><BR></BR>",
         "<StRoNg></STRONG><BIG></big><Small></sMALL><BR></BR>"},
        {"<script>x</script>", "&lt;script&gt;x&lt;/script&gt;"},
        {"<B onclick=x>b</B>", "&lt;B onclick=x&gt;b</B>"},
        {"<img src=\"x\">", "&lt;img src=&quot;x&quot;&gt;"},
        {"< B><B ></ B><//B><BR/><B/>", "&lt; B&gt;&lt;B &gt;&lt;/ B&gt;&lt;//B&gt;&lt;BR/&gt;&lt;B/&gt;"},
        {"<BB><BRR><STRONGER><STRON><B1><S>", "&lt;BB&gt;&lt;BRR&gt;&lt;STRONGER&gt;&lt;STRON&gt;&lt;B1&gt;&lt;S&gt;"},
        {"<B\xE9><B\n><></>", "&lt;B\xE9&gt;&lt;B\n&gt;&lt;&gt;&lt;/&gt;"},
        {"<", "&lt;"},
        {"text </STRONG", "text &lt;/STRONG"},
        {"<<B><B>>", "&lt;<B><B>&gt;"},
        {"\"a\" > b's", "&quot;a&quot; &gt; b's"},
        {"caf&eacute;&amp;&frac12;&unknownname;", "caf&eacute;&amp;&frac12;&unknownname;"},
        {"&abcdefghijklmnopqrstuvwxyzABCDEF;", "&abcdefghijklmnopqrstuvwxyzABCDEF;"},
        {"&abcdefghijklmnopqrstuvwxyzABCDEFG;", "&amp;abcdefghijklmnopqrstuvwxyzABCDEFG;"},
        {"&#1;&#0065;&#1114111;&#x10FFFF;&#X2014;&#xabcDe;", "&#1;&#0065;&#1114111;&#x10FFFF;&#X2014;&#xabcDe;"},
        {"&#xD7FF;&#xE000;", "&#xD7FF;&#xE000;"},
        {"salt & pepper", "salt &amp; pepper"},
        {"&&amp;", "&amp;&amp;"},
        {"&;", "&amp;;"},
        {"&eacute", "&amp;eacute"},
        {"&eacute ;", "&amp;eacute ;"},
        {"&1abc;", "&amp;1abc;"},
        {"&\xE9;", "&amp;\xE9;"},
        {"&#;", "&amp;#;"},
        {"&#x;", "&amp;#x;"},
        {"&#12a;", "&amp;#12a;"},
        {"&#xG1;", "&amp;#xG1;"},
        {"&#65", "&amp;#65"},
        {"&#12345678;", "&amp;#12345678;"},
        {"&#x0000041;", "&amp;#x0000041;"},
        {"&#0;", "&amp;#0;"},
        {"&#x0;", "&amp;#x0;"},
        {"&#1114112;", "&amp;#1114112;"},
        {"&#x110000;", "&amp;#x110000;"},
        {"&#xD800;", "&amp;#xD800;"},
        {"&#57343;", "&amp;#57343;"},
        {"one\r\ntwo\rthree\t\x01\xE9\x80\xFF", "one\r\ntwo\rthree\t\x01\xE9\x80\xFF"},
        {"", ""},
    };
    for (const auto &row : rows) EXPECT_EQ(html_safe_text(row.text), row.safe) << "text: " << row.text;
    EXPECT_EQ(html_safe_text(nullptr), "");
}

// A failed save keeps the old page and says so; where no page can be opened
// at all, the old terse message comes, with no owner, and nothing is written.
TEST(HtmlReport, FailedWriteKeepsTheOldPageAndSaysItCouldNotBeWritten)
{
    {
        Report r;
        write_bytes("RUNE.HTM", "old page");
        faults::fail(faults::Call::Write, 1, 5, ".TMP");
        r.write();
        faults::reset();
        EXPECT_EQ(read_bytes("RUNE.HTM"), "old page");
        ASSERT_EQ(msgbox_hook::boxes().size(), 1u);
        EXPECT_EQ(msgbox_hook::boxes()[0].caption, "Error..");
        EXPECT_EQ(msgbox_hook::boxes()[0].text,
                  "The file RUNE.HTM could not be written; any page it held before is unchanged.");
        EXPECT_EQ(msgbox_hook::boxes()[0].flags, (UINT)(MB_OK | MB_ICONSTOP));
    }
    Report r;
    faults::fail(faults::Call::Open, -1, 0, ".TMP");
    faults::fail(faults::Call::Open, -1, 0, "RUNE.HTM");
    r.write();
    faults::reset();
    EXPECT_FALSE(std::filesystem::exists("RUNE.HTM"));
    ASSERT_EQ(msgbox_hook::boxes().size(), 1u);
    const msgbox_hook::Box &b = msgbox_hook::boxes()[0];
    EXPECT_EQ(b.text, "unable to comply!");
    EXPECT_EQ(b.caption, "");
    EXPECT_EQ(b.owner, nullptr);
    EXPECT_EQ(b.flags, (UINT)MB_OK);
}

// Escaping can make a meaning several times its length: it is written whole,
// and a script in it stays text.
TEST(HtmlReport, EscapedMeaningsLongerThanAnyFixedPieceAreWrittenWhole)
{
    Report r(std::string(499, '<'));
    strcpy(title, "<script>x=1</script>");
    r.write();
    const std::string page = read_bytes("RUNE.HTM");
    std::string escaped;
    for (int i = 0; i < 499; ++i) escaped += "&lt;";
    EXPECT_NE(page.find("<U>" + escaped + "</U><BR><BR><U>"), std::string::npos);
    EXPECT_NE(page.find("in the &lt;script&gt;x=1&lt;/script&gt; formation:"), std::string::npos);
    EXPECT_EQ(page.find("<script>"), std::string::npos);
}
