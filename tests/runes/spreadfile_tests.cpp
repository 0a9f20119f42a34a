// The spread file: writing byte for byte, reading back, bad files, and the
// safe save under faults.
#include "runes/spread.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include "app/screenloop.h"
#include "crt/faults.h"
#include "support/spreads.h"
#include "support/tempdir.h"
#include "user32/msgbox_hook.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using testsupport::crlf;
using testsupport::read_bytes;
using testsupport::TempDir;
using testsupport::write_bytes;

namespace {

const std::string kTwoPaths = testsupport::spread_bytes("Two Paths", {{200, 10, "Your past"}, {220, 30, "Your future"}});

void set_position(int i, int x, int y)
{
    CardRect[i].top = x;
    CardRect[i].left = y;
}

void make_two_paths(const char *file)
{
    strcpy(title, "Two Paths");
    strcpy(pm[0], "Your past");
    strcpy(pm[1], "Your future");
    set_position(0, 200, 10);
    set_position(1, 220, 30);
    NumCards = 2;
    strcpy(SpreadFilename, file);
}

std::vector<std::string> listing(const char *extension)
{
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator("."))
        if (fs::path(entry.path()).extension() == extension)
            names.push_back(entry.path().filename().string());
    return names;
}

// The one box shown, which must be the confirmation or the error naming the file.
void expect_only_box(const char *caption, const std::string &text_part)
{
    const auto &boxes = msgbox_hook::boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, caption);
    EXPECT_NE(boxes[0].text.find(text_part), std::string::npos) << boxes[0].text;
    EXPECT_EQ(boxes[0].owner, hWnd_sim_dialog);
}

void expect_saved()
{
    expect_only_box("Done...", "Data writen to file.");
}

void expect_error_naming(const char *file)
{
    expect_only_box("Error..", file);
    EXPECT_TRUE(msgbox_hook::boxes()[0].flags & MB_ICONSTOP);
}

void expect_open_error(const char *path)
{
    const auto &boxes = msgbox_hook::boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Error opening file");
    EXPECT_EQ(boxes[0].caption, path);
    EXPECT_EQ(boxes[0].owner, nullptr);
    EXPECT_EQ(boxes[0].flags, static_cast<UINT>(MB_OK));
}

} // namespace

/* ---- writing --------------------------------------------------------- */

// An existing file of any length is replaced wholly by exactly these bytes.
TEST(SpreadWrite, TwoPathsIsWrittenByteForByte)
{
    TempDir dir;
    write_bytes("TWOPATHS.SCS", std::string(30000, 'o'));
    hWnd_sim_dialog = reinterpret_cast<HWND>(0x55);
    make_two_paths("TWOPATHS.SCS");
    version = 7;   // the writer stores 1100 whatever this holds
    write_data_to_file();
    EXPECT_EQ(read_bytes("TWOPATHS.SCS"), kTwoPaths);
    expect_saved();
    EXPECT_EQ(listing(".TMP"), std::vector<std::string>{});
}

TEST(SpreadWrite, FullMeaningsFitAndLongerOnesAreCut)
{
    TempDir dir;
    strcpy(SpreadFilename, "FULL.SCS");
    for (int i = 0; i < MAX_POSITIONS; ++i) {
        memset(pm[i], 'a' + i, POSITION_MEANING_SIZE);   // no terminating NUL at all
        set_position(i, 1000 * i, -i);
    }
    memset(title, 'T', SPREAD_TITLE_SIZE);
    NumCards = 15;
    write_data_to_file();
    expect_saved();
    std::string bytes = read_bytes("FULL.SCS");
    EXPECT_NE(bytes.find("title=" + std::string(SPREAD_TITLE_SIZE - 1, 'T') + "\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("runemeaning14=" + std::string(POSITION_MEANING_SIZE - 1, 'o') + "*\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("rune14x=14000\r\nrune14y=-14\r\n"), std::string::npos);
}

TEST(SpreadWrite, ALineBreakInAMeaningComesBackAsOneLineFeed)
{
    TempDir dir;
    make_two_paths("BREAK.SCS");
    strcpy(pm[1], "first line\r\nsecond line");   // as an edit box hands it over
    write_data_to_file();
    EXPECT_NE(read_bytes("BREAK.SCS").find("runemeaning1=first line\r\r\nsecond line*"), std::string::npos);
    EXPECT_STREQ(get_card_pm(1), "first line\nsecond line");
}

/* ---- reading --------------------------------------------------------- */

TEST(SpreadRead, WhatIsWrittenReadsBack)
{
    TempDir dir;
    make_two_paths("ROUND.SCS");
    for (int i = 2; i < MAX_POSITIONS; ++i)
        set_position(i, 37 * i - 300, -5 * i);
    write_data_to_file();
    RECT written[MAX_POSITIONS];
    memcpy(written, CardRect, sizeof written);
    memset(CardRect, 0, sizeof CardRect);
    strcpy(title, "other");
    NumCards = 0;
    version = 0;
    strcpy(pm[0], "untouched");
    get_spread_data(SpreadFilename);
    EXPECT_STREQ(title, "Two Paths");
    EXPECT_EQ(version, SPREAD_FILE_VERSION);
    EXPECT_EQ(NumCards, 2);
    for (int i = 0; i < MAX_POSITIONS; ++i) {
        EXPECT_EQ(CardRect[i].top, written[i].top) << i;
        EXPECT_EQ(CardRect[i].left, written[i].left) << i;
    }
    EXPECT_STREQ(pm[0], "untouched");
    EXPECT_STREQ(get_card_pm(0), "Your past");
    EXPECT_STREQ(get_card_pm(1), "Your future");
    EXPECT_STREQ(get_card_pm(2), "");
    EXPECT_STREQ(get_card_pm(15), "");
    EXPECT_TRUE(msgbox_hook::boxes().size() == 1);   // just the confirmation
}

TEST(SpreadRead, MissingLinesReadAsZeroOrEmpty)
{
    TempDir dir;
    write_bytes("GAPS.SCS", crlf("rune0x=5\nrune0y=6\nrune3y=9\nnumcards=4\nversion=1101\n"));
    set_position(3, 44, 44);
    strcpy(title, "old");
    EXPECT_STREQ(get_spread_name(const_cast<char *>("GAPS.SCS")), "");
    EXPECT_EQ(CardRect[0].top, 5);
    EXPECT_EQ(CardRect[0].left, 6);
    EXPECT_EQ(CardRect[3].top, 0);
    EXPECT_EQ(CardRect[3].left, 9);
    EXPECT_EQ(NumCards, 0);   // numcards= in lower case is not the label
    EXPECT_EQ(version, 1101);
}

// A title or meaning is free text; what in it looks like a later label is
// not that label: each line is looked for after the value before it.
TEST(SpreadRead, LabelsInsideATitleOrMeaningDoNotShadowTheLinesAfterThem)
{
    TempDir dir;
    write_bytes("SHADOW.SCS", crlf("title=Count NumCards=9 runemeaning1=x\nrunemeaning0=see rune0x=77 here*\n"
                                   "runemeaning1=one*\nrune0x=10\nNumCards=2\n"));
    get_spread_data(const_cast<char *>("SHADOW.SCS"));
    EXPECT_EQ(NumCards, 2);
    EXPECT_EQ(CardRect[0].top, 10);
    EXPECT_STREQ(title, "Count NumCards=9 runemeaning1=x");
    strcpy(SpreadFilename, "SHADOW.SCS");
    EXPECT_STREQ(get_card_pm(0), "see rune0x=77 here");
    EXPECT_STREQ(get_card_pm(1), "one");
}

// Files laid out by hand, in another order, still find each label where it
// first stands.
TEST(SpreadRead, LinesInAnotherOrderAreStillFound)
{
    TempDir dir;
    write_bytes("ORDER.SCS", crlf("NumCards=3\nrune1y=8\nrune0x=4\nrunemeaning1=b*\ntitle=Out of order\n"
                                  "runemeaning0=a*\n"));
    get_spread_data(const_cast<char *>("ORDER.SCS"));
    EXPECT_EQ(NumCards, 3);
    EXPECT_EQ(CardRect[0].top, 4);
    EXPECT_EQ(CardRect[1].left, 8);
    EXPECT_STREQ(title, "Out of order");
    strcpy(SpreadFilename, "ORDER.SCS");
    EXPECT_STREQ(get_card_pm(0), "a");
    EXPECT_STREQ(get_card_pm(1), "b");
}

// What a user types into a title or a meaning comes back as typed, and so do
// the places and the count written after it.
TEST(SpreadRead, TextLikeTheFilesOwnLabelsReadsBackAsWritten)
{
    TempDir dir;
    make_two_paths("LABELS.SCS");
    strcpy(title, "NumCards=9 rune0x=5 runemeaning0=t");
    strcpy(pm[0], "before\r\nNumCards=7\r\nrune1y=-3 version=1 runemeaning1=shadow");
    strcpy(pm[1], "title=not this rune0x=99");
    write_data_to_file();
    strcpy(title, "other");
    NumCards = 0;
    get_spread_data(SpreadFilename);
    EXPECT_STREQ(title, "NumCards=9 rune0x=5 runemeaning0=t");
    EXPECT_EQ(version, SPREAD_FILE_VERSION);
    EXPECT_EQ(NumCards, 2);
    EXPECT_EQ(CardRect[0].top, 200);
    EXPECT_EQ(CardRect[1].left, 30);
    EXPECT_STREQ(get_card_pm(0), "before\nNumCards=7\nrune1y=-3 version=1 runemeaning1=shadow");
    EXPECT_STREQ(get_card_pm(1), "title=not this rune0x=99");
}

TEST(SpreadRead, AMeaningEndsAtItsFirstStarOrTheText)
{
    TempDir dir;
    write_bytes("STAR.SCS", "runemeaning0=a*b*\r\nrunemeaning1=to the end");
    strcpy(SpreadFilename, "STAR.SCS");
    EXPECT_STREQ(get_card_pm(0), "a");
    EXPECT_STREQ(get_card_pm(1), "to the end");
}

TEST(SpreadRead, OversizedValuesAreCutAndClamped)
{
    TempDir dir;
    write_bytes("BIG.SCS", "title=" + std::string(400, 't') + "\nrunemeaning0=" + std::string(3000, 'm') +
                               "*\nrune0x=99999999999999\nrune0y=-99999999999999\nNumCards=1000000\n");
    get_spread_data(const_cast<char *>("BIG.SCS"));
    EXPECT_EQ(std::string(title), std::string(SPREAD_TITLE_SIZE - 1, 't'));
    EXPECT_EQ(CardRect[0].top, INT32_MAX);
    EXPECT_EQ(CardRect[0].left, INT32_MIN);
    EXPECT_EQ(NumCards, MAX_POSITIONS);
    strcpy(SpreadFilename, "BIG.SCS");
    EXPECT_EQ(std::string(get_card_pm(0)), std::string(POSITION_MEANING_SIZE - 1, 'm'));
    write_bytes("NEG.SCS", "NumCards=-3");
    get_spread_data(const_cast<char *>("NEG.SCS"));
    EXPECT_EQ(NumCards, 0);
}

TEST(SpreadRead, EmptyGarbageAndLineEndlessFilesReadWithoutHarm)
{
    TempDir dir;
    std::string garbage;
    for (int i = 0; i < 4096; ++i)
        garbage += static_cast<char>((i * 7919 + 13) & 0xFF);
    write_bytes("EMPTY.SCS", "");
    write_bytes("GARBAGE.SCS", garbage);
    write_bytes("ONELINE.SCS", "title=One Line rune0x=12 NumCards=3");
    get_spread_data(const_cast<char *>("EMPTY.SCS"));
    EXPECT_STREQ(title, "");
    EXPECT_EQ(NumCards, 0);
    get_spread_data(const_cast<char *>("GARBAGE.SCS"));
    EXPECT_LE(strlen(title), static_cast<size_t>(SPREAD_TITLE_SIZE - 1));
    get_spread_data(const_cast<char *>("ONELINE.SCS"));
    EXPECT_STREQ(title, "One Line rune0x=12 NumCards=3");
    EXPECT_EQ(CardRect[0].top, 12);
    EXPECT_EQ(NumCards, 3);
    EXPECT_TRUE(msgbox_hook::boxes().empty());
}

TEST(SpreadRead, ALargeFileIsReadWhole)
{
    TempDir dir;
    std::string filler;
    while (filler.size() < 300000)
        filler += "runemeaning99=nothing to see here*\r\n";
    write_bytes("LARGE.SCS", filler + "title=At The End\r\nNumCards=5");
    get_spread_data(const_cast<char *>("LARGE.SCS"));
    EXPECT_STREQ(title, "At The End");
    EXPECT_EQ(NumCards, 5);
}

TEST(SpreadRead, AnUnreadableFileLeavesTheSpreadAsItWas)
{
    TempDir dir;
    fs::create_directory("FOLDER.SCS");
    write_bytes("GOOD.SCS", crlf("title=Good\nNumCards=3\n"));
    write_bytes("HUGE.SCS", "title=Huge\n");
    fs::resize_file("HUGE.SCS", 0x80000000ull);   // sparse, 2 GiB
    struct Case {
        const char *name;
        faults::Call fault;
        bool armed;
    } cases[] = {
        {"MISSING.SCS", faults::Call::Open, false},     {"FOLDER.SCS", faults::Call::Open, false},
        {"HUGE.SCS", faults::Call::Open, false},        {"GOOD.SCS", faults::Call::Filelength, true},
        {"GOOD.SCS", faults::Call::GlobalAlloc, true},  {"GOOD.SCS", faults::Call::Read, true},
        {"GOOD.SCS", faults::Call::Open, true},
    };
    for (const Case &c : cases) {
        strcpy(title, "Kept");
        NumCards = 4;
        msgbox_hook::clear();
        if (c.armed)
            faults::fail(c.fault);
        EXPECT_STREQ(get_spread_name(const_cast<char *>(c.name)), "Kept") << c.name;
        EXPECT_EQ(NumCards, 4) << c.name;
        expect_open_error(c.name);
        faults::reset();
    }
    get_spread_data(const_cast<char *>("GOOD.SCS"));
    EXPECT_STREQ(title, "Good");
}

TEST(SpreadRead, AMeaningFromAnUnreadableFileIsEmpty)
{
    TempDir dir;
    strcpy(SpreadFilename, "GONE.SCS");
    EXPECT_STREQ(get_card_pm(0), "");
    expect_open_error("GONE.SCS");
    write_bytes("HERE.SCS", "runemeaning0=here*");
    strcpy(SpreadFilename, "HERE.SCS");
    faults::fail(faults::Call::GlobalAlloc);
    msgbox_hook::clear();
    EXPECT_STREQ(get_card_pm(0), "");
    expect_open_error("HERE.SCS");
    EXPECT_STREQ(get_card_pm(0), "here");
}

TEST(SpreadRead, ALongPathIsCarriedWhole)
{
    TempDir dir;
    std::string folder = std::string(100, 'f') + "/" + std::string(100, 'g');
    fs::create_directories(folder);
    std::string path = fs::absolute(folder + "/Long Spread Name.SCS").string();
    ASSERT_LT(path.size(), static_cast<size_t>(MAX_PATH));
    make_two_paths(path.c_str());
    write_data_to_file();
    expect_saved();
    EXPECT_EQ(read_bytes(path), kTwoPaths);
    EXPECT_STREQ(get_card_pm(1), "Your future");
}

/* ---- the safe save --------------------------------------------------- */

// A write, a full disk, the replace, the close or the buffer failing: the
// old file stays, the user is told which file, and no temporary is left.
TEST(SpreadSave, AFailureAtAnyStepKeepsTheOldFile)
{
    TempDir dir;
    const std::string old = crlf("title=Old\nNumCards=1\n");
    struct Case {
        const char *what;
        faults::Call call;
        int count;
        const char *path_part;
    } cases[] = {{"write", faults::Call::Write, -1, ".TMP"},   {"full disk", faults::Call::Write, 0, ""},
                 {"replace", faults::Call::MoveFile, 1, ""},  {"close", faults::Call::Close, 1, ".TMP"},
                 {"buffer", faults::Call::GlobalAlloc, 1, ""}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        write_bytes("KEEP.SCS", old);
        make_two_paths("KEEP.SCS");
        msgbox_hook::clear();
        if (c.count == 0)
            faults::disk_full_after(100);
        else
            faults::fail(c.call, c.count, 0, c.path_part);
        write_data_to_file();
        EXPECT_EQ(read_bytes("KEEP.SCS"), old);
        expect_error_naming("KEEP.SCS");
        EXPECT_EQ(listing(".TMP"), std::vector<std::string>{});
        faults::reset();
    }
}

// A folder that takes no new name: an existing spread is rewritten in
// place, a new one cannot be made, and the user is told which.
TEST(SpreadSave, AReadOnlyFolderIsWrittenInPlaceButTakesNoNewFile)
{
    TempDir dir;
    write_bytes("PLACE.SCS", std::string(500, 'o'));
    make_two_paths("PLACE.SCS");
    faults::read_only_folder(".");
    write_data_to_file();
    EXPECT_EQ(read_bytes("PLACE.SCS"), kTwoPaths);
    expect_saved();
    msgbox_hook::clear();
    strcpy(SpreadFilename, "NEW.SCS");
    write_data_to_file();
    EXPECT_FALSE(fs::exists("NEW.SCS"));
    expect_error_naming("NEW.SCS");
    // In place, a failing write puts the old bytes back.
    msgbox_hook::clear();
    strcpy(SpreadFilename, "PLACE.SCS");
    strcpy(title, "Changed");
    faults::fail(faults::Call::Write);
    write_data_to_file();
    EXPECT_EQ(read_bytes("PLACE.SCS"), kTwoPaths);
    expect_error_naming("PLACE.SCS");
}

TEST(SpreadSave, ReportsAFileThatCanNeitherBeReplacedNorWritten)
{
    TempDir dir;
    fs::create_directory("FOLDER.SCS");
    make_two_paths("FOLDER.SCS");
    write_data_to_file();
    expect_error_naming("FOLDER.SCS");
    EXPECT_TRUE(fs::is_directory("FOLDER.SCS"));
    EXPECT_EQ(listing(".TMP"), std::vector<std::string>{});
    msgbox_hook::clear();
    make_two_paths("missing/NEW.SCS");
    write_data_to_file();
    expect_error_naming("missing/NEW.SCS");
}

TEST(SpreadSave, AReadOnlyFileIsMadeWritableAndKeepsItsPermissions)
{
    TempDir dir;
    write_bytes("RO.SCS", "old");
    fs::permissions("RO.SCS", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_EQ(_chmod("RO.SCS", _S_IREAD), 0);
    make_two_paths("RO.SCS");
    write_data_to_file();
    expect_saved();
    EXPECT_EQ(read_bytes("RO.SCS"), kTwoPaths);
    EXPECT_EQ(fs::status("RO.SCS").permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(SpreadSave, WritesThroughASymbolicLink)
{
    TempDir dir;
    fs::create_directory("store");
    write_bytes("store/REAL.SCS", "old");
    fs::create_symlink("store/REAL.SCS", "LINK.SCS");
    make_two_paths("LINK.SCS");
    write_data_to_file();
    expect_saved();
    EXPECT_TRUE(fs::is_symlink("LINK.SCS"));
    EXPECT_EQ(read_bytes("store/REAL.SCS"), kTwoPaths);
    EXPECT_TRUE(fs::is_empty("store") == false);
    EXPECT_EQ(std::distance(fs::directory_iterator("store"), fs::directory_iterator()), 1);
}

TEST(SpreadSave, StepsAroundALeftoverTemporaryFile)
{
    TempDir dir;
    write_bytes("~SC0.TMP", "leftover");
    make_two_paths("NEXT.SCS");
    write_data_to_file();
    expect_saved();
    EXPECT_EQ(read_bytes("NEXT.SCS"), kTwoPaths);
    EXPECT_EQ(read_bytes("~SC0.TMP"), "leftover");
}
