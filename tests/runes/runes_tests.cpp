// The runes folder: a reading from the menu to the web page through the
// lock-step driver (the cast in virtual time, the pictures, the detail screen,
// RUNE.HTM) and the ways a Run ends early or warns (a cancelled chooser is the
// chooser tests' and the session modes'); the casting screen's callbacks; the
// rune table; the spread file written, read back, hand-made, unreadable or not
// saved; the page's escaping and what its failures leave.
#include "app/mainwindow.h"
#include "app/screenloop.h"
#include "editor/chooser.h"
#include "runes/casting.h"
#include "runes/display.h"
#include "runes/html_text.h"
#include "runes/htmlreport.h"
#include "runes/runetable.h"
#include "runes/spread.h"

#include "gfx/current_window.h"
#include "support/boxes.h"
#include "support/golden.h"
#include "support/program.h"
#include "support/spreads.h"
#include "support/tempdir.h"

#include "crt/faults.h"
#include "driver/headless/headless.h"
#include "user32/msgbox_hook.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
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
using testsupport::write_spread;

namespace {

const char kTitle[] = "Quenmire Stonecall V1.1";
const COLORREF kBackground = RGB(255, 216, 170);
const char kCreated[] = "Rune.htm created...: The file 'Rune.htm' has been created, and contains infomation about "
                        "this reading";
// A calendar second with 400 ms of it gone, so waits for the next second are partial.
const int64_t kCalendarAtZero = 1700000000400LL;

// The program with the banner off, its clock at kCalendarAtZero.
struct Program : testsupport::Program {
    Program() { testsupport::write_settings(0, ""); }
    void start()
    {
        run.driver().set_calendar_at_zero(kCalendarAtZero);
        testsupport::Program::start();
        main();
    }
    void menu(const char *item) { run.menu(main(), "Spread", item); }
    // Run, the spread of list item `item` chosen: the casting screen waits.
    HWND run_spread(int item)
    {
        menu("Run");
        HWND chooser = hWnd_sim_dialog;
        run.select(run.control(chooser, CHOOSER_LIST_ID), item);
        run.click(run.control(chooser, IDOK));
        return hWnd_sim_dialog;
    }
    // A left click at a point of the main window's client area.
    void click_main(int x, int y)
    {
        POINT at{x, y};
        ClientToScreen(main(), &at);
        run.click(at);
    }
};

// A pixel of the window's own client area, whatever lies over it.
COLORREF own_pixel(HWND hwnd, int x, int y)
{
    HDC dc = GetDC(hwnd);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return c;
}

// The text with its control bytes and the bytes past ASCII shown as \xNN.
std::string shown(const std::string &text)
{
    std::string out;
    char hex[5];
    for (unsigned char c : text) {
        snprintf(hex, sizeof hex, "\\x%02X", c);
        out += c < 0x20 || c > 0x7E ? std::string(hex) : std::string(1, (char)c);
    }
    return out;
}

// The runes a cast started in calendar second `start` takes, as drawing the
// first value after seeding with each second in turn gives them.
std::vector<int> runes_cast_from(time_t start, time_t *last)
{
    std::vector<int> runes;
    time_t second = start;
    while (runes.size() < 15) {
        srand((unsigned)second);
        int n = rand() % 25 + 1;
        if (std::find(runes.begin(), runes.end(), n) == runes.end()) runes.push_back(n);
        else ++second;
    }
    *last = second;
    return runes;
}

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

// The spread's version is after the program's own: the warning comes before
// the runes are drawn (for its own version no box comes: the spread-gone
// test's boxes), and the reading is shown all the same.
TEST(Reading, TheWholeRoadFromRunToThePage)
{
    Program p;
    write_spread("A.SCS", "First", {{10, 10, "a"}});
    // Positions 0 and 1 overlap; position 2 stands apart.
    write_spread("B.SCS", "Second & <Best>",
                 {{200, 100, "The past & what <B>roots</B> it"}, {240, 150, "Now\nand here"}, {500, 300, ""}}, 1101);
    p.start();
    HWND main = p.mainWindow;
    HWND casting = p.run_spread(1);
    EXPECT_STREQ(SpreadFilename, "B.SCS");
    COLORREF atWarning = CLR_INVALID;
    msgbox_hook::set_answerer([&](const msgbox_hook::Box &) {
        if (atWarning == CLR_INVALID) atWarning = own_pixel(main, 545, 350);
        return IDOK;
    });

    // The cast, in virtual time: the runes and the pace of one seeding per second.
    // (The casting screen itself is the session reading's dump.)
    const time_t start = time(nullptr);
    p.run.click(p.run.control(casting, CASTING_OK_ID));
    EXPECT_FALSE(IsWindow(casting));
    expect_only_box("Posible problem...", SPREAD_VERSION_WARNING, main, MB_OK | MB_ICONWARNING);
    EXPECT_EQ(atWarning, kBackground);
    time_t last;
    EXPECT_EQ(std::vector<int>(ran_cards_used, ran_cards_used + 15), runes_cast_from(start, &last));
    EXPECT_EQ(std::vector<int>(ran_upsidedown, ran_upsidedown + 15), std::vector<int>(15, 0));
    // Each rejected second is slept out to its end and no further.
    EXPECT_EQ(kCalendarAtZero + (int64_t)p.run.now(), (int64_t)last * 1000);

    // The reading: the title, and exactly the three pictures at their places.
    EXPECT_EQ(p.run.text(main), std::string(kTitle) + " - Second & <Best>");
    for (int i = 0; i < 3; ++i) EXPECT_EQ(CardNumber[i], ran_cards_used[i]);
    EXPECT_TRUE(matches_golden(client_image(main, 1000, 700).canvas, "reading_three_runes"));

    // A picture takes clicks on its 70 x 129 pixels and no further; in the
    // detail screen a Cancel command does nothing, Escape in its text closes
    // it (as the edit control does on Windows).
    for (POINT beside : {POINT{570, 300}, POINT{500, 429}, POINT{499, 300}, POINT{500, 299}}) {
        p.click_main(beside.x, beside.y);
        EXPECT_EQ(hWnd_sim_dialog, main) << beside.x << "," << beside.y;
    }
    p.click_main(569, 428);
    ASSERT_NE(hWnd_sim_dialog, main);
    EXPECT_EQ(CardChosen, 2);
    p.run.post(hWnd_sim_dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_NE(hWnd_sim_dialog, main);
    p.run.key(VK_ESCAPE);
    EXPECT_EQ(hWnd_sim_dialog, main);

    // A click where positions 0 and 1 overlap opens position 1, drawn on top.
    p.click_main(250, 160);
    HWND detail = hWnd_sim_dialog;
    ASSERT_NE(detail, main);
    EXPECT_EQ(CardChosen, 1);
    EXPECT_EQ(cursor.x, 250);
    EXPECT_EQ(cursor.y, 160);
    EXPECT_EQ(p.run.text(GetDlgItem(detail, DETAIL_MEANING_ID)), "Now\nand here");
    EXPECT_EQ(p.run.text(GetDlgItem(detail, DETAIL_TEXT_ID)),
              std::string(get_card_title(ran_cards_used[1])) + "  -  " + get_card_desc(ran_cards_used[1]));
    p.run.click(p.run.control(detail, IDOK));
    EXPECT_EQ(hWnd_sim_dialog, main);

    // The page: every piece in order, the spread's texts made safe (the
    // pictures' numbers are the cast's above).
    msgbox_hook::clear();
    p.menu("HTMLise");
    EXPECT_EQ(p.boxes(), std::vector<std::string>{kCreated});
    EXPECT_EQ(msgbox_hook::boxes()[0].owner, main);
    EXPECT_TRUE(matches_expected_text(read_bytes("RUNE.HTM"), "reading_page.htm"));
}

// The chosen file removed while the casting screen waits: the cast happens,
// the file's error is shown, and the reading keeps the spread the chooser
// read last (the chosen one); its meanings cannot be read, so the detail
// screen and the page show them empty, and the page is still completed.
TEST(Reading, SpreadFileGoneBeforeItIsReadShowsTheReadingWithEmptyMeanings)
{
    Program p;
    write_spread("A.SCS", "First", {{10, 10, "a"}});
    write_spread("B.SCS", "Going", {{100, 100, "p0"}, {300, 100, "p1"}});
    p.start();
    HWND casting = p.run_spread(1);
    std::remove("B.SCS");
    msgbox_hook::clear();
    p.run.click(p.run.control(casting, CASTING_OK_ID));
    EXPECT_EQ(p.boxes(), (std::vector<std::string>{"B.SCS: Error opening file"}));
    EXPECT_EQ(NumCards, 2);
    EXPECT_EQ(p.run.text(p.mainWindow), std::string(kTitle) + " - Going");
    p.click_main(110, 110);
    HWND detail = hWnd_sim_dialog;
    ASSERT_NE(detail, p.mainWindow);
    EXPECT_EQ(p.run.text(GetDlgItem(detail, DETAIL_MEANING_ID)), "");
    p.run.click(p.run.control(detail, IDOK));
    msgbox_hook::clear();
    p.menu("HTMLise");
    EXPECT_EQ(p.boxes(),
              (std::vector<std::string>{"B.SCS: Error opening file", "B.SCS: Error opening file", kCreated}));
    const std::string page = read_bytes("RUNE.HTM");
    EXPECT_NE(page.find(".jpg\" WIDTH=70 HEIGHT=129><U></U><BR><BR><U>"), std::string::npos);
    EXPECT_EQ(page.size() - page.rfind("</HTML>"), 7u);
}

// The first command swaps the instruction for "Now Spreading the Deck", hides
// the OK button, leaves the bar full where the button was, and ends the
// screen; the cast took one calendar second per accepted rune at least.
TEST(Casting, TheFirstCommandCastsBehindAFullBarAndClosesTheScreen)
{
    CurrentWindow main;
    HWND screen = CreateDialogParamA(hInst2, MAKEINTRESOURCEA(CASTING_TEMPLATE_ID), main.hwnd, DlgProc, 0);
    ASSERT_NE(screen, nullptr);
    hWnd_sim_dialog = hWndSimDialog = screen;
    GetRandomCardsCon();
    EXPECT_EQ(GetDlgCtrlID(button_OK), CASTING_OK_ID);
    const time_t start = time(nullptr);
    id = 0;
    GetRandomCardsKC(12345);
    EXPECT_EQ(id, SCREEN_CLOSE_CODE);
    EXPECT_GE(time(nullptr) - start, 14);
    char text[64] = "";
    GetWindowTextA(GetDlgItem(screen, CASTING_TEXT_ID), text, sizeof text);
    EXPECT_STREQ(text, "Now Spreading the Deck\n\n");
    EXPECT_FALSE(IsWindowVisible(button_OK));
    // The bar is left full: blue up to its right end.
    EXPECT_EQ(own_pixel(screen, 390, 160), RGB(0, 0, 255));
    DestroyWindow(screen);
    hWnd_sim_dialog = hWndSimDialog = main.hwnd;
}

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
    EXPECT_EQ(read_bytes("TWOPATHS.SCS"), testsupport::spread_bytes(kTwoPaths, two_paths_at(), 2));
    expect_only_box("Done...", "Data writen to file.", hWnd_sim_dialog, MB_OK);

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
        expect_only_box(c.name, "Error opening file", nullptr, MB_OK);
        faults::reset();
    }
    get_spread_data(const_cast<char *>("GOOD.SCS"));
    EXPECT_STREQ(title, "Good");
    // Nor is a meaning read from it: it is empty.
    strcpy(SpreadFilename, "GOOD.SCS");
    msgbox_hook::clear();
    faults::fail(faults::Call::GlobalAlloc);
    EXPECT_STREQ(get_card_pm(0), "");
    expect_only_box("GOOD.SCS", "Error opening file", nullptr, MB_OK);
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
                        hWnd_sim_dialog, MB_OK | MB_ICONSTOP);
        EXPECT_EQ(fs::is_directory(name) ? "old" : read_bytes(name), "old");
    }
}

// Each text, then what the page makes of it (html_safe_text.txt).
TEST(HtmlSafeText, OnlyBareFormattingTagsAndWellFormedReferencesPass)
{
    std::string seen;
    // Tags; named references and the first numbered ones; the other numbered ones and the rest.
    for (const auto &texts :
         {std::vector<const char *>{"a<B>b</B>c<i>d</I><U></u><eM></Em>",
                                    "<StRoNg></STRONG><BIG></big><Small></sMALL><BR></BR>", "<script>x</script>",
                                    "<B onclick=x>b</B>", "<img src=\"x\">", "< B><B ></ B><//B><BR/><B/>",
                                    "<BB><BRR><STRONGER><STRON><B1><S>", "<B\xE9><B\n><></>", "<", "text </STRONG",
                                    "<<B><B>>", "\"a\" > b's"},
          std::vector<const char *>{"caf&eacute;&amp;&frac12;&unknownname;", "&abcdefghijklmnopqrstuvwxyzABCDEF;",
                                    "&abcdefghijklmnopqrstuvwxyzABCDEFG;",
                                    "&#1;&#0065;&#1114111;&#x10FFFF;&#X2014;&#xabcDe;", "&#xD7FF;&#xE000;",
                                    "salt & pepper", "&&amp;", "&;", "&eacute", "&eacute ;", "&1abc;", "&\xE9;", "&#;",
                                    "&#x;"},
          std::vector<const char *>{"&#12a;", "&#xG1;", "&#65", "&#12345678;", "&#x0000041;", "&#0;", "&#x0;",
                                    "&#1114112;", "&#x110000;", "&#xD800;", "&#57343;",
                                    "one\r\ntwo\rthree\t\x01\xE9\x80\xFF", ""}})
        for (const char *text : texts) seen += shown(text) + " -> " + shown(html_safe_text(text)) + "\n";
    EXPECT_TRUE(matches_expected_text(seen, "html_safe_text.txt"));
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
        expect_only_box("Error..", "The file RUNE.HTM could not be written; any page it held before is unchanged.",
                        hWnd_sim_dialog, MB_OK | MB_ICONSTOP);
    }
    Report r;
    faults::fail(faults::Call::Open, -1, 0, ".TMP");
    faults::fail(faults::Call::Open, -1, 0, "RUNE.HTM");
    r.write();
    faults::reset();
    EXPECT_FALSE(std::filesystem::exists("RUNE.HTM"));
    expect_only_box("", "unable to comply!", nullptr, MB_OK);
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
