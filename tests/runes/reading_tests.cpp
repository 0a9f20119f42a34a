// A reading from the menu to the web page, through the lock-step driver with
// WinMain in a temporary folder: the chooser, the casting screen, the cast in
// virtual time, the pictures, the rune detail screen and RUNE.HTM; then the
// ways a Run can end early or warn (a cancelled chooser is the session
// modes'). Then the casting screen's own callbacks on the test's thread (the
// headless driver's clock jumps over every Sleep), and the rune table: each
// interpretation speaks of its own rune; numbers outside the table give the
// empty text.
#include "app/mainwindow.h"
#include "app/screenloop.h"
#include "editor/chooser.h"
#include "runes/casting.h"
#include "runes/display.h"
#include "runes/runetable.h"
#include "runes/spread.h"

#include "gfx/current_window.h"
#include "support/golden.h"
#include "support/program.h"
#include "support/spreads.h"

#include "driver/headless/headless.h"
#include "user32/msgbox_hook.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using testsupport::read_bytes;
using testsupport::write_bytes;

namespace {

const char kTitle[] = "Quenmire Stonecall V1.1";
const COLORREF kBackground = RGB(255, 216, 170);
const char kCreated[] = "Rune.htm created...: The file 'Rune.htm' has been created, and contains infomation about "
                        "this reading";
// A calendar second with 400 ms of it gone, so waits for the next second are partial.
const int64_t kCalendarAtZero = 1700000000400LL;

void write_spread(const std::string &name, const std::string &title,
                  const std::vector<testsupport::SpreadPosition> &positions, int version = 1100)
{
    write_bytes(name, testsupport::spread_bytes(title, positions, -1, version));
}

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

}   // namespace

TEST(Reading, TheWholeRoadFromRunToThePage)
{
    Program p;
    write_spread("A.SCS", "First", {{10, 10, "a"}});
    // Positions 0 and 1 overlap; position 2 stands apart.
    write_spread("B.SCS", "Second & <Best>",
                 {{200, 100, "The past & what <B>roots</B> it"}, {240, 150, "Now\nand here"}, {500, 300, ""}});
    p.start();
    HWND main = p.mainWindow;
    HWND casting = p.run_spread(1);
    EXPECT_STREQ(SpreadFilename, "B.SCS");

    // The cast, in virtual time: the runes and the pace of one seeding per second.
    // (The casting screen itself is the session reading's dump.)
    const time_t start = time(nullptr);
    p.run.click(p.run.control(casting, CASTING_OK_ID));
    EXPECT_FALSE(IsWindow(casting));
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

// The warning comes for a version after the program's own (for its own
// version no box comes: the spread-gone test's boxes), before the runes are
// drawn; the reading is shown all the same.
TEST(Reading, LaterVersionWarnsBeforeTheRunesAreDrawn)
{
    Program p;
    write_spread("V.SCS", "Versioned", {{30, 40, "Here"}}, 1101);
    p.start();
    COLORREF atWarning = CLR_INVALID;
    msgbox_hook::set_answerer([&](const msgbox_hook::Box &) {
        HDC dc = GetDC(p.mainWindow);
        atWarning = GetPixel(dc, 75, 90);
        ReleaseDC(p.mainWindow, dc);
        return IDOK;
    });
    p.run.click(p.run.control(p.run_spread(0), CASTING_OK_ID));
    ASSERT_EQ(msgbox_hook::boxes().size(), 1u);
    const msgbox_hook::Box &b = msgbox_hook::boxes()[0];
    EXPECT_EQ(b.caption, "Posible problem...");
    EXPECT_EQ(b.text, SPREAD_VERSION_WARNING);
    EXPECT_EQ(b.owner, p.mainWindow);
    EXPECT_EQ(b.flags & MB_ICONMASK, (UINT)MB_ICONWARNING);
    EXPECT_EQ(atWarning, kBackground);
    HDC dc = GetDC(p.mainWindow);
    EXPECT_NE(GetPixel(dc, 75, 90), kBackground);
    ReleaseDC(p.mainWindow, dc);
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
    HDC dc = GetDC(screen);
    EXPECT_EQ(GetPixel(dc, 390, 160), RGB(0, 0, 255));
    ReleaseDC(screen, dc);
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
