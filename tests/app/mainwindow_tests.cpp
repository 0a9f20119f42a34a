// The main window through the lock-step driver, started by WinMain with real
// settings files in a temporary folder, for what the scripted sessions
// (tests/sessions) cannot show: the timings of the start, the fades and the
// repaint timer, NumLock held down, the boxes' owners and flags, the file
// faults. Then the screen loop on the test templates of screens.rc: a screen
// without KC, Pause, and the screens that cannot run.
#include "app/mainwindow.h"

#include "app/screenloop.h"
#include "platform/rc/embedded.h"
#include "runes/casting.h"
#include "runes/spread.h"
#include "settings/inifile.h"

#include "support/boxes.h"
#include "support/dialogs.h"
#include "support/program.h"

#include "crt/faults.h"
#include "rc/module.h"
#include "user32/msgbox_hook.h"
#include "user32/window_internal.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

using testsupport::Program;
using testsupport::write_settings;

namespace {

const COLORREF kBackground = RGB(255, 216, 170);

void set_numlock(BYTE state)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_NUMLOCK] = state;
    SetKeyboardState(keys);
}

COLORREF middle(Program &p) { return p.run.pixel(p.main(), POINT{300, 300}); }

using Lines = std::vector<std::string>;

// What the callbacks saw, one line each; read by the test only while the
// program is blocked.
Lines trace;

void note(const std::string &s) { trace.push_back(s); }

void use_test_screens()
{
    size_t size;
    const unsigned char *image = screens_res(&size);
    hInst2 = rc::register_module(image, size);
}

// The private command message with the code already pending.
void CommandMM()
{
    if (CheckMessage(SCREEN_COMMAND_MESSAGE)) note("MM " + std::to_string(GetwParam()) + " id=" + std::to_string(id));
}

void RecordKC(int code) { note("KC " + std::to_string(code)); }

// The test screen 10 (or `screen`) run by DirectDialog with these callbacks.
struct ScreenRun : lockstep::Runner {
    ScreenRun(void (*Con)(), void (*MM)(), void (*KC)(int), int screen = 10)
        : lockstep::Runner([](const std::string &why) { ADD_FAILURE() << why; })
    {
        trace.clear();
        static int which;
        static void (*con)(), (*mm)(), (*kc)(int);
        which = screen, con = Con, mm = MM, kc = KC;
        start([] {
            use_test_screens();
            note("returned " + std::to_string(DirectDialog(which, con, mm, kc)));
        });
    }
};

}   // namespace

// The banner stays three seconds, owned by the main window, unless Enter or
// Escape ends it; then the one-second pause, after which the main window waits.
// A command line that is not the whole keyword "DeckwiseSetup" starts the
// program as usual (the sessions setup* run the keyword).
TEST(StartUp, BannerForThreeSecondsOrUntilAKeyThenTheOneSecondPause)
{
    struct Case {
        int banner;
        UINT key;   // none: the banner's time runs out
        uint64_t idle;
        const char *line;
    } cases[] = {{0, 0, 1000, "DeckwiseSetup "},
                 {1, 0, 4000, "deckwisesetup"},
                 {1, VK_RETURN, 1000, "DECKWISESETUP"},
                 {1, VK_ESCAPE, 1000, " DeckwiseSetup"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.line);
        Program p;
        write_settings(c.banner, "");
        p.start(c.line);
        HWND main = p.main();
        if (c.banner) {
            HWND banner = hWnd_sim_dialog;
            ASSERT_NE(banner, main);
            EXPECT_EQ(user32::find(banner)->owner, main);
            if (c.key) {
                p.run.key(c.key);
            } else {
                p.run.advance(2999);
                EXPECT_TRUE(IsWindow(banner));
                p.run.advance(1);
            }
            EXPECT_FALSE(IsWindow(banner));
        }
        EXPECT_EQ(p.run.now(), c.idle);
        EXPECT_EQ(hWnd_sim_dialog, main);
    }
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
            std::filesystem::copy_file(std::filesystem::path(STONECALL_SOURCE_DIR) / "spreads" / c.file, c.file);
            faults::fail(faults::Call::Open, -1, 0, c.file);
        }
        strcpy(title, c.heldTitle);
        p.start();
        EXPECT_EQ(p.boxes(),
                  (std::vector<std::string>{c.file + std::string(": Error opening file"),
                                            std::string("Auto-load activated!: Auto-loading ") + c.heldTitle}));
        EXPECT_STREQ(SpreadFilename, c.file);
        EXPECT_EQ(RunDefaultStartUpSpread, 0);
        EXPECT_EQ(RunSpreadSelected, 1);
        faults::reset();
    }
}

// Edit and New fade to white in nine ticks, the same command again fades
// back first; they force NumLock on (pressed and on) unless the key is held
// down. (That they turn it on, and Run does not, is the session modes'.)
TEST(Menu, EditAndNewFadeInNineTicksAndLeaveAHeldNumLock)
{
    for (const char *item : {"Edit", "New"}) {
        SCOPED_TRACE(item);
        Program p;
        write_settings(0, "");
        p.start();
        set_numlock(0x80);
        uint64_t before = p.run.now();
        p.menu("Spread", item);
        EXPECT_EQ(p.run.now() - before, 9u * USER_TIMER_MINIMUM);
        EXPECT_EQ(GetKeyState(VK_NUMLOCK) & 1, 0);
        p.press(IDCANCEL);
        set_numlock(1);
        before = p.run.now();
        p.menu("Spread", item);
        EXPECT_EQ(p.run.now() - before, 18u * USER_TIMER_MINIMUM);
        BYTE keys[256];
        GetKeyboardState(keys);
        EXPECT_EQ(keys[VK_NUMLOCK], 0x81);
        p.press(IDCANCEL);
    }
}

TEST(Repaint, TimerTicksAndPaintMessagesBringTheBackgroundBack)
{
    Program p;
    write_settings(0, "");
    p.start();
    dialogs::fill_client(p.main(), RGB(1, 2, 3));
    p.run.advance(3999);   // the first tick is due 5000 ms after the start
    EXPECT_EQ(middle(p), RGB(1, 2, 3));
    p.run.advance(1);
    EXPECT_EQ(middle(p), kBackground);
    // A paint message repaints with the colour, not the dialog's grey.
    dialogs::fill_client(p.main(), RGB(1, 2, 3));
    InvalidateRect(p.main(), nullptr, TRUE);
    p.run.post(p.main(), WM_NULL, 0, 0);
    EXPECT_EQ(middle(p), kBackground);
    // A tick of another timer of the window does not repaint.
    dialogs::fill_client(p.main(), RGB(1, 2, 3));
    SetTimer(p.main(), 77, 100, nullptr);
    p.run.advance(100);
    KillTimer(p.main(), 77);
    EXPECT_EQ(middle(p), RGB(1, 2, 3));
}

// The main window's own boxes along a day's use (auto-load, About, the
// editor's help, the save prompt at Exit): each owned by the main window,
// with its buttons and icon. (Their texts are the sessions'.) The settings
// file not closing cleanly at Exit makes the exit code 0.
TEST(Boxes, TheMainWindowsBoxesAreItsOwnWithTheirFlags)
{
    Program p;
    std::filesystem::copy_file(std::filesystem::path(STONECALL_SOURCE_DIR) / "spreads" / "ONERUNE.SCS", "ONERUNE.SCS");
    write_settings(0, "ONERUNE.SCS");
    p.start();
    HWND main = p.main();
    p.press(CASTING_OK_ID);
    p.menu("Help", "About..");
    p.edit_first_spread();
    p.run.key(VK_NUMPAD3);
    p.answer = IDNO;
    faults::fail(faults::Call::Close, 1, 0, "qmsc98.ini");
    p.menu("File", "Exit");
    ASSERT_TRUE(p.run.finished());
    EXPECT_EQ(p.exitCode, 0);
    std::vector<std::pair<std::string, UINT>> seen;
    for (const auto &b : msgbox_hook::boxes()) {
        seen.emplace_back(b.caption, b.flags);
        EXPECT_EQ(b.owner, main) << b.caption;
    }
    EXPECT_EQ(seen,
              (std::vector<std::pair<std::string, UINT>>{{"Auto-load activated!", MB_OK},
                                                         {"About..", MB_OK},
                                                         {"Important information about creating your spread...", MB_OK},
                                                         {"Save..", MB_ICONQUESTION | MB_YESNO}}));
}

// A screen without KC ends at its first command, the close box's included;
// the banner's id has no slot in the screen table: nothing is recorded,
// nothing overruns.
TEST(ScreenLoop, ScreenWithoutKcEndsAtItsFirstCommand)
{
    ScreenRun run(nullptr, CommandMM, nullptr, 987);
    HWND banner = run.window("Banner");
    for (HWND h : hWnd_sim_dialog_id) EXPECT_EQ(h, nullptr);
    run.close(banner);
    EXPECT_EQ(trace, (Lines{"MM 3 id=3", "returned 1"}));
    EXPECT_FALSE(IsWindow(banner));
    EXPECT_EQ(hWnd_sim_dialog, nullptr);
}

// Pause waits for time alone, swallowing the ticks of other timers, and
// leaves a quit request for the screen loop.
TEST(ScreenLoop, PauseSwallowsOtherTicksAndLeavesAQuitRequest)
{
    ScreenRun run(
        [] {
            SetTimer(hWnd_sim_dialog, 1, 300, nullptr);
            Pause(1, 0);
            note("paused until " + std::to_string(GetTickCount()));
            PostQuitMessage(4);
            Pause(3, 0);
            note("paused until " + std::to_string(GetTickCount()));
        },
        [] {
            if (CheckMessage(WM_TIMER)) note("tick at " + std::to_string(GetTickCount()));
        },
        RecordKC);
    EXPECT_EQ(trace, (Lines{"paused until 1000", "paused until 1000", "KC 0"}));
    EXPECT_EQ(run.deadline(), 1200u);
    run.advance(300);
    EXPECT_EQ(trace.back(), "tick at 1200");
}

// A screen that cannot be created is reported and leaves the current window;
// one whose window a callback destroyed ends instead of spinning.
TEST(ScreenLoop, ScreensThatCannotRunEndAtOnce)
{
    use_test_screens();
    HWND before = reinterpret_cast<HWND>(0x77);
    hWnd_sim_dialog = hWndSimDialog = before;
    EXPECT_EQ(DirectDialog(
                  42, [] { note("Con"); }, nullptr, RecordKC),
              -1);
    EXPECT_TRUE(trace.empty());
    EXPECT_EQ(hWnd_sim_dialog, before);
    EXPECT_EQ(FirstRun, 0);
    expect_only_box("Error..",
                    std::string(25, ' ') +
                        "Could Not Create Dialog Box\nPlease report this error to support@quenmire.example.  Thankyou.",
                    nullptr, MB_OK);
    hWnd_sim_dialog = hWndSimDialog = nullptr;
    EXPECT_EQ(DirectDialog(
                  10, [] { DestroyWindow(hWnd_sim_dialog); }, CommandMM, RecordKC),
              1);
    EXPECT_TRUE(trace.empty());
    EXPECT_EQ(hWnd_sim_dialog, nullptr);
}
