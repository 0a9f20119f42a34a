// The main window through the lock-step driver, started by WinMain with real
// settings files in a temporary folder: start-up with and without the banner,
// the auto-load, the setup keyword, the menu commands, the end of each mode
// with its save prompt, and the exit codes.
#include "app/mainwindow.h"

#include "app/screenloop.h"
#include "editor/layout.h"
#include "gfx/drawing.h"
#include "runes/casting.h"
#include "runes/spread.h"
#include "settings/inifile.h"

#include "gfx/current_window.h"
#include "support/program.h"

#include "crt/faults.h"
#include "user32/compositor.h"
#include "user32/msgbox_hook.h"
#include "user32/window_internal.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

using testsupport::boxes;
using testsupport::copy_sample;
using testsupport::Program;
using testsupport::Seen;
using testsupport::write_settings;
using testsupport::read_bytes;

namespace {

const char kTitle[] = "Quenmire Stonecall V1.1";
const COLORREF kBackground = RGB(255, 216, 170);
const char kSavePrompt[] = "Do you wish to save the new spread configuration?";

std::vector<COLORREF> all(COLORREF c) { return std::vector<COLORREF>(5, c); }

} // namespace

TEST(StartUp, WithoutBannerMaximisedIdleAfterTheOneSecondPause)
{
    Program p;
    write_settings(0, "");
    p.start();
    HWND main = p.main();
    EXPECT_EQ(p.run.now(), 1000u);
    WINDOWPLACEMENT wp{};
    wp.length = sizeof(wp);
    ASSERT_TRUE(GetWindowPlacement(main, &wp));
    EXPECT_EQ(wp.showCmd, (UINT)SW_SHOWMAXIMIZED);
    EXPECT_EQ(p.samples(), all(kBackground));
    EXPECT_TRUE(boxes().empty());
    EXPECT_TRUE(p.htmlise_greyed());
    EXPECT_EQ(RunSpreadSelected + EditSpreadSelected + NewSpreadSelected, 0);
}

TEST(StartUp, BannerClosesAfterThreeSecondsThenTheOneSecondPause)
{
    Program p;
    write_settings(1, "");
    p.start();
    HWND banner = hWnd_sim_dialog;
    HWND main = p.main();
    ASSERT_NE(banner, main);
    EXPECT_TRUE(IsWindowVisible(banner));
    EXPECT_EQ(user32::find(banner)->owner, main);
    // The main window is maximised and coloured before the banner shows.
    EXPECT_EQ(p.samples(), all(kBackground));
    p.run.advance(2999);
    EXPECT_TRUE(IsWindow(banner));
    p.run.advance(1);
    EXPECT_FALSE(IsWindow(banner));
    EXPECT_EQ(p.run.now(), 4000u);
    EXPECT_EQ(hWnd_sim_dialog, main);
}

TEST(StartUp, BannerClosesAtOnceOnEnter)
{
    Program p;
    write_settings(1, "");
    p.start();
    HWND banner = hWnd_sim_dialog;
    p.run.key(VK_RETURN);
    EXPECT_FALSE(IsWindow(banner));
    EXPECT_EQ(p.run.now(), 1000u);
    EXPECT_EQ(hWnd_sim_dialog, p.main());
}

TEST(StartUp, MissingSettingsFileIsCreatedWithTheBannerOn)
{
    Program p;
    p.start();
    EXPECT_NE(hWnd_sim_dialog, p.main());   // the banner
    EXPECT_NE(read_bytes("qmsc98.ini").find("ShowStartBanner=1"), std::string::npos);
}

// The message names the default spread, then the pending Run starts without
// waiting for anything: the chooser is skipped, the casting screen waits.
TEST(AutoLoad, MessageWithTheSpreadsTitleThenRunStarts)
{
    Program p;
    write_settings(0, "CROSS.SCS");
    copy_sample("CROSS.SCS");
    int pendingAtBox = -1;
    bool greyedAtBox = false;
    p.answer = 0;
    msgbox_hook::set_answerer([&](const msgbox_hook::Box &b) {
        pendingAtBox = id;
        greyedAtBox = (GetMenuState(GetMenu(b.owner), IDM_HTMLISE, MF_BYCOMMAND) & MF_GRAYED) != 0;
        return IDOK;
    });
    p.start();
    HWND main = p.main();
    ASSERT_EQ(boxes(), (std::vector<Seen>{{"Auto-loading The Five-Rune Cross", "Auto-load activated!"}}));
    EXPECT_EQ(msgbox_hook::boxes()[0].owner, main);
    EXPECT_EQ(msgbox_hook::boxes()[0].flags, (UINT)MB_OK);
    EXPECT_EQ(pendingAtBox, 0);
    EXPECT_TRUE(greyedAtBox);
    // Run has started on the default spread: HTMLise enabled, the start-up
    // flag spent, the casting screen (not the chooser) waiting for its OK.
    EXPECT_STREQ(SpreadFilename, "CROSS.SCS");
    EXPECT_STREQ(title, "The Five-Rune Cross");
    EXPECT_FALSE(p.htmlise_greyed());
    EXPECT_EQ(RunDefaultStartUpSpread, 0);
    EXPECT_EQ(RunSpreadSelected, 1);
    EXPECT_EQ(p.run.now(), 1000u);
    HWND casting = hWnd_sim_dialog;
    ASSERT_NE(casting, main);
    p.run.click(p.run.control(casting, 101));
    EXPECT_FALSE(IsWindow(casting));
    EXPECT_EQ(hWnd_sim_dialog, main);
    EXPECT_EQ(p.run.text(main), std::string(kTitle) + " - The Five-Rune Cross");
}

// An unreadable default (one the file layer will not open, or one that is
// gone): its error comes first, then the message with the title still held,
// and Run starts all the same.
TEST(AutoLoad, UnreadableDefaultShowsTheErrorFirstThenTheTitleStillHeld)
{
    struct Case {
        const char *file, *heldTitle;
        bool present;
    } cases[] = {{"CROSS.SCS", "", true}, {"GONE.SCS", "Old Title", false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file);
        Program p;
        write_settings(0, c.file);
        if (c.present) {
            copy_sample(c.file);
            faults::fail(faults::Call::Open, -1, 0, c.file);
        }
        strcpy(title, c.heldTitle);
        p.start();
        EXPECT_EQ(boxes(), (std::vector<Seen>{{"Error opening file", c.file},
                                              {std::string("Auto-loading ") + c.heldTitle, "Auto-load activated!"}}));
        EXPECT_STREQ(SpreadFilename, c.file);
        EXPECT_EQ(RunDefaultStartUpSpread, 0);
        EXPECT_FALSE(p.htmlise_greyed());
        faults::reset();
    }
}

TEST(CommandLine, OnlyTheWholeKeywordOpensTheSetupScreen)
{
    {
        Program p;
        write_settings(0, "");
        p.start("DeckwiseSetup");
        EXPECT_FALSE(p.run.has_window(kTitle));
        HWND setup = p.run.window("Quenmire Stonecall V1.1 - Setup");
        p.run.close(setup);
        EXPECT_TRUE(p.run.finished());
        EXPECT_EQ(p.exitCode, 0);
    }
    for (const char *line : {"DeckwiseSetup ", "deckwisesetup", "DECKWISESETUP", "DeckwiseSetup now", " DeckwiseSetup"}) {
        Program p;
        write_settings(0, "");
        p.start(line);
        EXPECT_TRUE(p.run.has_window(kTitle)) << line;
        EXPECT_FALSE(p.run.has_window("Quenmire Stonecall V1.1 - Setup")) << line;
        p.run.close(p.main());
        EXPECT_EQ(p.exitCode, 1) << line;
    }
}

TEST(CommandLine, SettingsAreLoadedBeforeTheSetupScreenOpens)
{
    Program p;
    p.start("DeckwiseSetup");
    EXPECT_NE(read_bytes("qmsc98.ini").find("DefaultStartUpSpread="), std::string::npos);
    EXPECT_EQ(ColourRefRGB, kBackground);
}

TEST(Menu, AboutShowsItsTextAndChangesNothing)
{
    Program p;
    write_settings(0, "");
    p.start();
    p.command(IDM_ABOUT);
    ASSERT_EQ(boxes(), (std::vector<Seen>{{"         Quenmire Stonecall V1.10\n\n"
                                           "See ReadMe.htm for detailed help infomation.",
                                           "About.."}}));
    EXPECT_EQ(msgbox_hook::boxes()[0].owner, p.main());
    EXPECT_EQ(msgbox_hook::boxes()[0].flags, (UINT)MB_OK);
    EXPECT_TRUE(p.htmlise_greyed());
    EXPECT_EQ(RunSpreadSelected + EditSpreadSelected + NewSpreadSelected, 0);
    EXPECT_FALSE(p.run.finished());
}

// Run enables HTMLise (a Run whose chooser yields nothing stays so), every
// other mode-starting command greys it, About leaves it.
TEST(Menu, HtmliseGreyedAndEnabledAsTheModesChange)
{
    Program p;
    write_settings(0, "");
    p.start();
    EXPECT_TRUE(p.htmlise_greyed());
    p.run_and_cancel();
    EXPECT_FALSE(p.htmlise_greyed());
    p.command(IDM_ABOUT);
    EXPECT_FALSE(p.htmlise_greyed());
    p.command(IDM_EDIT);
    EXPECT_TRUE(p.htmlise_greyed());   // already while the chooser is open
    p.cancel();
    EXPECT_TRUE(p.htmlise_greyed());
    p.run_and_cancel();
    EXPECT_FALSE(p.htmlise_greyed());
    p.command(IDM_NEW);
    EXPECT_TRUE(p.htmlise_greyed());   // already while the new-spread dialog is open
    p.cancel();
    EXPECT_TRUE(p.htmlise_greyed());
}

namespace {

void set_numlock(BYTE state)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_NUMLOCK] = state;
    SetKeyboardState(keys);
}

} // namespace

TEST(Menu, EditAndNewTurnNumLockOnAndFadeToWhite)
{
    for (int code : {IDM_EDIT, IDM_NEW}) {
        Program p;
        write_settings(0, "");
        p.start();
        set_numlock(0);
        uint64_t before = p.run.now();
        p.command(code);
        EXPECT_EQ(GetKeyState(VK_NUMLOCK) & 1, 1) << code;
        EXPECT_EQ(p.samples(), all(RGB(255, 255, 255))) << code;
        EXPECT_EQ(ColourMainBackground, 0);
        EXPECT_EQ(edit_spread, code == IDM_EDIT ? 1 : 0);
        EXPECT_EQ(code == IDM_EDIT ? EditSpreadSelected : NewSpreadSelected, 1);
        EXPECT_EQ(p.run.now() - before, 9u * USER_TIMER_MINIMUM);
        // The chooser or the new-spread dialog now waits; cancelled, the mode stays.
        EXPECT_NE(p.screen(), p.main());
        p.cancel();
        EXPECT_EQ(code == IDM_EDIT ? EditSpreadSelected : NewSpreadSelected, 1);
        // The same command again first fades back, then to white once more.
        before = p.run.now();
        p.command(code);
        EXPECT_EQ(p.run.now() - before, 18u * USER_TIMER_MINIMUM) << code;
        EXPECT_EQ(p.samples(), all(RGB(255, 255, 255))) << code;
        p.cancel();
    }
}

// The forcing looks at the key's pressed bit, not at its toggle: held down,
// NumLock is left as it is; Run never touches it.
TEST(Menu, NumLockLeftAloneWhileHeldAndByRun)
{
    Program p;
    write_settings(0, "");
    p.start();
    set_numlock(0x80);
    p.command(IDM_EDIT);
    EXPECT_EQ(GetKeyState(VK_NUMLOCK) & 1, 0);
    p.cancel();
    set_numlock(0);
    p.run_and_cancel();
    EXPECT_EQ(GetKeyState(VK_NUMLOCK) & 1, 0);
    // Already on, it is written again all the same: pressed and on.
    set_numlock(1);
    p.command(IDM_NEW);
    BYTE keys[256];
    GetKeyboardState(keys);
    EXPECT_EQ(keys[VK_NUMLOCK], 0x81);
    p.cancel();
}

TEST(Repaint, TimerTicksAndPaintMessagesBringTheBackgroundBack)
{
    Program p;
    write_settings(0, "");
    p.start();
    p.scribble();
    p.run.advance(3999);   // the first tick is due 5000 ms after the start
    EXPECT_EQ(p.samples(), all(RGB(1, 2, 3)));
    p.run.advance(1);
    EXPECT_EQ(p.samples(), all(kBackground));

    // A paint message repaints with the colour, not the dialog's grey.
    p.scribble();
    InvalidateRect(p.main(), nullptr, TRUE);
    p.run.post(p.main(), WM_NULL, 0, 0);
    EXPECT_EQ(p.samples(), all(kBackground));

    // A tick of another timer of the window does not repaint.
    p.scribble();
    SetTimer(p.main(), 77, 100, nullptr);
    p.run.advance(100);
    KillTimer(p.main(), 77);
    EXPECT_EQ(p.samples(), all(RGB(1, 2, 3)));
}

namespace {

struct SaveCase {
    const char *name;
    int *mode;
    const char *file;
    int changed;
    int cancelled;
    bool asks;
};

// Buttons at the first and the last position, whatever the spread's size.
void make_buttons(HWND main)
{
    NumCards = 1;
    for (int i : {0, 14})
        ButtonHandles[i] = CreateWindowExA(0, "BUTTON", "rune", WS_CHILD | WS_VISIBLE, 10 * i, 10, 70, 129, main,
                                           (HMENU)(INT_PTR)(10 + i), nullptr, nullptr);
}

} // namespace

// Edit mode asks only after a layout edit, new mode for every spread the
// dialog made; neither without a file name. Exit ends the mode here, as every
// mode-starting command does, without starting a flow of its own.
TEST(SavePrompt, AskedUnderEachConditionAndSavedOnlyOnYes)
{
    const SaveCase cases[] = {
        {"edit, changed", &EditSpreadSelected, "MINE.SCS", 1, 0, true},
        {"edit, unchanged", &EditSpreadSelected, "MINE.SCS", 0, 0, false},
        {"edit, no file", &EditSpreadSelected, "", 1, 0, false},
        {"edit, changed, cancel flag", &EditSpreadSelected, "MINE.SCS", 1, 1, true},
        {"new, unchanged", &NewSpreadSelected, "MINE.SCS", 0, 0, true},
        {"new, cancelled", &NewSpreadSelected, "MINE.SCS", 1, 1, false},
        {"new, no file", &NewSpreadSelected, "", 0, 0, false},
    };
    for (const SaveCase &k : cases)
        for (int reply : {IDYES, IDNO}) {
            SCOPED_TRACE(std::string(k.name) + (reply == IDYES ? ", yes" : ", no"));
            msgbox_hook::clear();
            Program p;
            write_settings(0, "");
            p.start();
            HWND main = p.main();
            *k.mode = 1;
            ColourMainBackground = 0;
            SpreadChanged = k.changed;
            CancelNewSpread = k.cancelled;
            strcpy(SpreadFilename, k.file);
            strcpy(title, "Mine");
            make_buttons(main);
            std::vector<COLORREF> atPrompt;
            p.answer = 0;
            bool buttonsGoneAtPrompt = false;
            msgbox_hook::set_answerer([&](const msgbox_hook::Box &) {
                atPrompt = p.samples();
                buttonsGoneAtPrompt = user32::find(main)->children.empty();
                return reply;
            });
            p.command(IDM_EXIT);
            ASSERT_TRUE(p.run.finished());
            EXPECT_EQ(p.exitCode, 1);
            if (k.asks) {
                // The spread's writer confirms a save with a box of its own.
                ASSERT_EQ(boxes().size(), reply == IDYES ? 2u : 1u);
                EXPECT_EQ(boxes()[0], (Seen{kSavePrompt, "Save.."}));
                EXPECT_EQ(msgbox_hook::boxes()[0].flags, (UINT)(MB_ICONQUESTION | MB_YESNO));
                EXPECT_EQ(msgbox_hook::boxes()[0].owner, main);
                // Faded back, the buttons gone and repainted before the question.
                EXPECT_EQ(atPrompt, all(kBackground));
                EXPECT_TRUE(buttonsGoneAtPrompt);
            } else {
                EXPECT_TRUE(boxes().empty());
            }
            EXPECT_EQ(std::filesystem::exists("MINE.SCS"), k.asks && reply == IDYES);
            EXPECT_EQ(EditSpreadSelected + NewSpreadSelected + SpreadChanged, 0);
            EXPECT_EQ(ColourMainBackground, 1);
            for (HWND button : ButtonHandles) EXPECT_EQ(button, nullptr);
            msgbox_hook::set_answerer(nullptr);
        }
}

// Exit and the close box end the active mode (with its save prompt) and then
// the program, whose exit code says the settings file closed cleanly.
TEST(Exit, MenuAndCloseBoxEndEveryMode)
{
    int *modes[] = {nullptr, &RunSpreadSelected, &EditSpreadSelected, &NewSpreadSelected};
    for (int *mode : modes)
        for (bool closeBox : {false, true}) {
            SCOPED_TRACE(std::string(mode == &RunSpreadSelected    ? "run"
                                     : mode == &EditSpreadSelected ? "edit"
                                     : mode == &NewSpreadSelected  ? "new"
                                                                   : "idle") +
                         (closeBox ? ", close box" : ", Exit"));
            msgbox_hook::clear();
            Program p;
            write_settings(0, "");
            p.start();
            HWND main = p.main();
            if (mode) *mode = 1;
            strcpy(SpreadFilename, "MINE.SCS");
            SpreadChanged = 1;
            CancelNewSpread = 0;
            p.answer = IDNO;
            if (closeBox)
                p.run.close(main);
            else
                p.command(IDM_EXIT);
            ASSERT_TRUE(p.run.finished());
            EXPECT_FALSE(IsWindow(main));
            EXPECT_EQ(p.exitCode, 1);
            EXPECT_EQ(RunSpreadSelected + EditSpreadSelected + NewSpreadSelected, 0);
            const bool layout = mode == &EditSpreadSelected || mode == &NewSpreadSelected;
            EXPECT_EQ(boxes().size(), layout ? 1u : 0u);
        }
}

TEST(Exit, CodeIsZeroWhenTheSettingsFileDoesNotCloseCleanly)
{
    Program p;
    write_settings(0, "");
    p.start();
    faults::fail(faults::Call::Close, 1, 0, "qmsc98.ini");
    p.run.close(p.main());
    ASSERT_TRUE(p.run.finished());
    EXPECT_EQ(p.exitCode, 0);
}

namespace {

// Two runes of a reading, the second overlapping the first, and a third
// position flagged upside down.
void lay_out_three()
{
    NumCards = 3;
    const int places[3][2] = {{40, 30}, {100, 60}, {300, 300}};   // top, left
    for (int i = 0; i < 3; ++i) {
        CardNumber[i] = i + 1;
        usd[i] = i == 2;
        horizontal[i] = 0;
        SetPositionPlace(i, places[i][1], places[i][0]);
        SetPositionPictureSize(i, 70, 129);
    }
    ran_cards_used[0] = 1;
}

} // namespace

// The pictures stand with their top-left corner at the position's x and y,
// 70 x 129, later positions on top; flagged positions get none.
TEST(Repaint, RunModeDrawsTheReadingOverTheBackground)
{
    CurrentWindow w;
    ColourRefRGB = kBackground;
    lay_out_three();
    RunSpreadSelected = 1;
    MainWindow1Con();
    SIZE c = w.client();
    const int covered = 70 * 129 * 2 - (70 - 30) * (129 - 60);
    EXPECT_EQ(w.count(0, 0, c.cx, c.cy, kBackground), c.cx * c.cy - covered);
    EXPECT_EQ(w.count(30, 40, 100, 169, kBackground), 0);
    EXPECT_EQ(w.count(60, 100, 130, 229, kBackground), 0);
    // Where they overlap, the second picture shows: as drawn alone at its place.
    const COLORREF overlap = w.at(70, 120);
    BackgroundColour(kBackground);
    DrawBitmapFromID(2, 100, 60, 70, 129);
    EXPECT_EQ(w.at(70, 120), overlap);

    // Without a reading, or out of run mode, the background alone.
    ran_cards_used[0] = -1;
    MainWindow1Con();
    EXPECT_EQ(w.count(0, 0, c.cx, c.cy, kBackground), c.cx * c.cy);
    ran_cards_used[0] = 1;
    RunSpreadSelected = 0;
    MainWindow1Con();
    EXPECT_EQ(w.count(0, 0, c.cx, c.cy, kBackground), c.cx * c.cy);
}

TEST(Repaint, LayoutModesKeepTheirWhiteBackground)
{
    CurrentWindow w;
    SIZE c = w.client();
    BackgroundColour(RGB(255, 255, 255));
    ColourRefRGB = kBackground;
    ColourMainBackground = 0;
    MainWindow1Con();
    EXPECT_EQ(w.count(0, 0, c.cx, c.cy, RGB(255, 255, 255)), c.cx * c.cy);
}

// The desktop as the driver shows it after start: the maximised main window,
// its menu bar and the background colour. STONECALL_SCREENSHOT=FILE also
// writes the PNG there (the README's picture comes from it).
TEST(StartUp, DesktopShowsTheMainWindowWithItsMenuAndColour)
{
    Program p;
    write_settings(0, "");
    p.start();
    POINT middle{300, 300};
    ClientToScreen(p.main(), &middle);
    const gfx::Canvas &desktop = user32::desktop_image();
    const uint32_t pixel = desktop.row(middle.y)[middle.x] & 0xFFFFFF;
    EXPECT_EQ(pixel, 0xFFD8AAu);   // 0xRRGGBB in the canvas
    std::string error;
    EXPECT_TRUE(user32::save_desktop_png((p.dir.path() / "main.png").string(), &error)) << error;
    if (const char *shot = std::getenv("STONECALL_SCREENSHOT")) {
        EXPECT_TRUE(user32::save_desktop_png(shot, &error)) << error;
    }
}
