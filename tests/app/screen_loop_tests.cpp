// The screen loop through the lock-step driver: what the callbacks see and in
// which order, command codes from buttons, keys and the close box, nesting,
// and Pause. The screens are the test templates of screens.rc.
#include "app/screenloop.h"

#include "platform/rc/embedded.h"
#include "support/msgseq.h"

#include "driver/headless/headless.h"
#include "rc/module.h"
#include "testing/lockstep.h"
#include "user32/msgbox_hook.h"
#include "user32/window_internal.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// What the callbacks saw, one line each; read by the test only while the
// program is blocked.
std::vector<std::string> trace;

void note(const std::string &s) { trace.push_back(s); }

void use_test_screens()
{
    size_t size;
    const unsigned char *image = screens_res(&size);
    hInst2 = rc::register_module(image, size);
}

// A message monitor that writes down every message the loop hands it,
// with the pending code when it is set.
void RecordMM()
{
    std::string s = "MM " + msgseq::name(msg_sim_dialog.message) + " " + std::to_string(GetwParam());
    if (id) s += " id=" + std::to_string(id);
    note(s);
}

// Only the private command message, for tests that do not care about paints.
void CommandMM()
{
    if (CheckMessage(SCREEN_COMMAND_MESSAGE)) RecordMM();
}

void RecordKC(int code) { note("KC " + std::to_string(code)); }

std::vector<std::string> only(const std::string &prefix)
{
    std::vector<std::string> out;
    for (const std::string &s : trace)
        if (s.rfind(prefix, 0) == 0) out.push_back(s);
    return out;
}

lockstep::Runner make_runner(std::chrono::milliseconds bound = std::chrono::seconds(5))
{
    return lockstep::Runner([](const std::string &why) { ADD_FAILURE() << why; }, bound);
}

using Lines = std::vector<std::string>;

} // namespace

TEST(ScreenLoop, ScreenWithoutKcEndsAtItsFirstCommandTheCloseBoxIncluded)
{
    auto run = make_runner();
    run.start([] {
        use_test_screens();
        note("returned " + std::to_string(DirectDialog(987, nullptr, CommandMM, nullptr)));
    });
    HWND banner = run.window("Banner");
    // The banner's id has no slot in the table: nothing is recorded, nothing overruns.
    for (HWND h : hWnd_sim_dialog_id) EXPECT_EQ(h, nullptr);
    run.close(banner);
    EXPECT_TRUE(run.finished());
    EXPECT_EQ(trace, (Lines{"MM WM_USER+100 3 id=3", "returned 1"}));
    EXPECT_FALSE(IsWindow(banner));
    EXPECT_EQ(hWnd_sim_dialog, nullptr);
    EXPECT_EQ(CloseDialog, 0);
}

namespace {
int closeRequests = 0;
void StubbornKC(int code)
{
    RecordKC(code);
    // The first close request is refused by storing another code.
    if (code == 3 && ++closeRequests == 1) id = 5;
}
} // namespace

TEST(ScreenLoop, CloseBoxCallsKcWithThreeOnceAndEndsUnlessKcStoresAnotherCode)
{
    auto run = make_runner();
    run.start([] {
        use_test_screens();
        DirectDialog(10, nullptr, nullptr, StubbornKC);
        note("returned");
    });
    HWND screen = run.window("Screen");
    EXPECT_EQ(hWnd_sim_dialog_id[10], screen);
    EXPECT_EQ(hWnd_sim_dialog, screen);
    EXPECT_EQ(hWndSimDialog, screen);
    run.close(screen);
    EXPECT_FALSE(run.finished());
    EXPECT_EQ(trace, (Lines{"KC 3"}));
    run.close(screen);
    EXPECT_TRUE(run.finished());
    EXPECT_EQ(trace, (Lines{"KC 3", "KC 3", "returned"}));
}

namespace {
void Queue901Con()
{
    note(std::string("Con FirstRun=") + std::to_string(FirstRun));
    id = 901;
}
void CloseOnOkKC(int code)
{
    RecordKC(code);
    if (code == IDOK || code == IDCANCEL) id = 3;
}
} // namespace

TEST(ScreenLoop, ConThatStores901HasKcRunItBeforeTheFirstWait)
{
    auto run = make_runner();
    run.start([] {
        use_test_screens();
        DirectDialog(10, Queue901Con, RecordMM, CloseOnOkKC);
    });
    // Nothing was waited for before KC(901): no message reached MM first.
    ASSERT_GE(trace.size(), 2u);
    EXPECT_EQ(trace[0], "Con FirstRun=1");
    EXPECT_EQ(trace[1], "KC 901");
    EXPECT_EQ(FirstRun, 0);
    run.key(VK_ESCAPE);
    EXPECT_TRUE(run.finished());
    EXPECT_EQ(only("KC"), (Lines{"KC 901", "KC 2"}));
}

TEST(ScreenLoop, ButtonsEnterAndEscapeBecomeCodesThatMmSeesBeforeKc)
{
    auto run = make_runner();
    run.start([] {
        use_test_screens();
        DirectDialog(10, nullptr, CommandMM, RecordKC);
    });
    HWND screen = run.window("Screen");
    run.click(run.control(screen, 20));
    run.key(VK_ESCAPE);
    run.key(VK_TAB);      // from Go (the first tab stop) to OK
    run.key(VK_TAB);      // to Cancel
    run.key(VK_RETURN);   // the focused button
    run.key(VK_TAB);      // wraps to Go
    run.key(VK_RETURN);
    run.type("g");        // Go's mnemonic
    // MM sees the private message with the code already pending; KC follows.
    EXPECT_EQ(trace, (Lines{"MM WM_USER+100 20 id=20", "KC 20", "MM WM_USER+100 2 id=2", "KC 2",
                            "MM WM_USER+100 2 id=2", "KC 2", "MM WM_USER+100 20 id=20", "KC 20",
                            "MM WM_USER+100 20 id=20", "KC 20"}));
    EXPECT_FALSE(run.finished());
}

namespace {
void Store3OnPaintMM()
{
    RecordMM();
    if (GetRepaint()) id = 3;
}
} // namespace

TEST(ScreenLoop, MmThatStoresThreeEndsTheScreenAfterKcHearsIt)
{
    auto run = make_runner();
    run.start([] {
        use_test_screens();
        DirectDialog(10, nullptr, Store3OnPaintMM, RecordKC);
        note("returned");
    });
    // The first message is the dialog's paint.
    EXPECT_TRUE(run.finished());
    EXPECT_EQ(trace, (Lines{"MM WM_PAINT 0", "KC 3", "returned"}));
}

namespace {
HWND outerScreen;
void NestingKC(int code)
{
    RecordKC(code);
    if (code != 20) {
        id = code == IDCANCEL ? 3 : 0;
        return;
    }
    DirectDialog(11, nullptr, CommandMM, CloseOnOkKC);
    note("after nested: id=" + std::to_string(id) + " CloseDialog=" + std::to_string(CloseDialog) +
         " FirstRun=" + std::to_string(FirstRun) + " current=" + std::to_string(hWnd_sim_dialog == outerScreen) +
         " owid=" + std::to_string(hWnd_owid == outerScreen) + " msg=" + msgseq::name(msg_sim_dialog.message) + " " +
         std::to_string(GetwParam()));
}
} // namespace

TEST(ScreenLoop, NestedScreenReturnsTheCurrentWindowAndLeavesItsLastMessage)
{
    auto run = make_runner();
    run.start([] {
        use_test_screens();
        DirectDialog(10, [] { outerScreen = hWnd_sim_dialog; }, CommandMM, NestingKC);
        note("returned");
    });
    HWND screen = run.window("Screen");
    run.click(run.control(screen, 20));
    HWND nested = run.window("Nested");
    EXPECT_EQ(GetParent(nested), screen);
    EXPECT_EQ(hWnd_sim_dialog, nested);
    // A click on the outer screen waits in the queue until the nested one is gone.
    run.click(run.control(screen, 20));
    EXPECT_EQ(only("KC"), (Lines{"KC 20"}));
    run.close(nested);
    Lines expected{"MM WM_USER+100 20 id=20", "KC 20", "MM WM_USER+100 3 id=3", "KC 3",
                   "after nested: id=0 CloseDialog=0 FirstRun=0 current=1 owid=1 msg=WM_USER+100 3",
                   // Then the outer loop takes the click that waited, and nests again.
                   "MM WM_USER+100 20 id=20", "KC 20"};
    EXPECT_EQ(trace, expected);
    EXPECT_FALSE(run.finished());
}

namespace {
void PauseCon()
{
    SetTimer(hWnd_sim_dialog, 1, 300, nullptr);
    Pause(1, 0);
    note("paused until " + std::to_string(GetTickCount()) + " on " + std::to_string(GetwParam()));
}
void TimerMM()
{
    if (CheckMessage(WM_TIMER)) note("MM tick " + std::to_string(GetwParam()) + " at " + std::to_string(GetTickCount()));
}
} // namespace

TEST(ScreenLoop, PauseOfOneSecondSwallowsTheTicksOfOtherTimers)
{
    auto run = make_runner();
    run.start([] {
        use_test_screens();
        DirectDialog(10, PauseCon, TimerMM, RecordKC);
    });
    // The pause waited for time alone: the clock jumped, no real time passed.
    EXPECT_EQ(trace, (Lines{"paused until 1000 on 9876"}));
    EXPECT_EQ(run.deadline(), 1200u);
    run.advance(1000);
    EXPECT_EQ(trace, (Lines{"paused until 1000 on 9876", "MM tick 1 at 1200", "MM tick 1 at 1500",
                            "MM tick 1 at 1800"}));
}

namespace {
void AnyTimerPauseCon()
{
    SetTimer(hWnd_sim_dialog, 1, 300, nullptr);
    Pause(5, 1);
    note("paused until " + std::to_string(GetTickCount()) + " on " + std::to_string(GetwParam()));
    KillTimer(hWnd_sim_dialog, 1);
}
} // namespace

TEST(ScreenLoop, PauseForAnyTimerEndsAtTheFirstTickAndLeavesNoTimerBehind)
{
    auto run = make_runner();
    run.start([] {
        use_test_screens();
        DirectDialog(10, AnyTimerPauseCon, TimerMM, RecordKC);
    });
    EXPECT_EQ(trace, (Lines{"paused until 300 on 1"}));
    run.advance(10000);
    EXPECT_EQ(trace.size(), 1u);
}

TEST(ScreenLoop, QuitMessageIsACommandStepWithCodeZero)
{
    auto run = make_runner();
    run.start([] {
        use_test_screens();
        DirectDialog(10, [] { PostQuitMessage(0); }, nullptr, RecordKC);
    });
    EXPECT_EQ(trace, (Lines{"KC 0"}));
    EXPECT_FALSE(run.finished());
    EXPECT_TRUE(run.has_window("Screen"));
}

namespace {
void TwoScreensKC(int code)
{
    RecordKC(code);
    if (code != 20) return;
    DirectDialog(11, nullptr, nullptr, nullptr);
    note(std::string("first returned current=") + std::to_string(hWnd_sim_dialog == outerScreen));
    DirectDialog(11, nullptr, nullptr, nullptr);
    note(std::string("second returned current=") + std::to_string(hWnd_sim_dialog == outerScreen));
}
} // namespace

TEST(ScreenLoop, TwoScreensInARowEachGiveTheCurrentWindowBack)
{
    auto run = make_runner();
    run.start([] {
        use_test_screens();
        DirectDialog(10, [] { outerScreen = hWnd_sim_dialog; }, nullptr, TwoScreensKC);
    });
    run.click(run.control(run.window("Screen"), 20));
    run.key(VK_RETURN);
    run.key(VK_ESCAPE);
    EXPECT_EQ(trace, (Lines{"KC 20", "first returned current=1", "second returned current=1"}));
}

TEST(ScreenLoop, ScreenThatCannotBeCreatedReportsItAndLeavesTheCurrentWindow)
{
    use_test_screens();
    HWND before = reinterpret_cast<HWND>(0x77);
    hWnd_sim_dialog = hWndSimDialog = before;
    EXPECT_EQ(DirectDialog(42, [] { note("Con"); }, nullptr, RecordKC), -1);
    EXPECT_TRUE(trace.empty());
    EXPECT_EQ(hWnd_sim_dialog, before);
    EXPECT_EQ(FirstRun, 0);
    const auto &boxes = msgbox_hook::boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].owner, nullptr);
    EXPECT_EQ(boxes[0].caption, "Error..");
    EXPECT_EQ(boxes[0].flags, static_cast<UINT>(MB_OK));
    EXPECT_EQ(boxes[0].text, std::string(25, ' ') +
                                 "Could Not Create Dialog Box\nPlease report this error to "
                                 "support@quenmire.example.  Thankyou.");
}

TEST(ScreenLoop, DlgProcTurnsCommandsAndCloseRequestsIntoThePrivateMessage)
{
    HWND w = CreateWindowExA(0, msgseq::recorder_class(), "w", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr, nullptr,
                             nullptr);
    EXPECT_EQ(DlgProc(w, WM_INITDIALOG, 0, 0), TRUE);
    EXPECT_EQ(DlgProc(w, WM_COMMAND, MAKEWPARAM(907, 0), 0), TRUE);
    EXPECT_EQ(DlgProc(w, WM_COMMAND, MAKEWPARAM(12, 1), 0x1234), TRUE);
    EXPECT_EQ(DlgProc(w, WM_CLOSE, 0, 0), TRUE);
    EXPECT_EQ(DlgProc(w, WM_PAINT, 0, 0), FALSE);
    EXPECT_EQ(DlgProc(w, WM_TIMER, 1, 0), FALSE);
    std::vector<std::pair<WPARAM, LPARAM>> posted;
    MSG m;
    while (PeekMessageA(&m, w, SCREEN_COMMAND_MESSAGE, SCREEN_COMMAND_MESSAGE, PM_REMOVE))
        posted.emplace_back(m.wParam, m.lParam);
    EXPECT_EQ(posted, (std::vector<std::pair<WPARAM, LPARAM>>{{907, 0}, {MAKEWPARAM(12, 1), 0x1234}, {3, 0}}));
}

TEST(ScreenLoop, ScreenWhoseWindowACallbackDestroyedEndsInsteadOfSpinning)
{
    use_test_screens();
    EXPECT_EQ(DirectDialog(10, [] { DestroyWindow(hWnd_sim_dialog); }, RecordMM, RecordKC), 1);
    EXPECT_TRUE(trace.empty());
    EXPECT_EQ(hWnd_sim_dialog, nullptr);
}

TEST(ScreenLoop, PauseWithoutACurrentWindowWaitsForItsOwnTimer)
{
    ASSERT_EQ(hWnd_sim_dialog, nullptr);
    Pause(2, 0);
    EXPECT_EQ(GetTickCount(), 2000u);
    EXPECT_EQ(msg_sim_dialog.message, static_cast<UINT>(WM_TIMER));
    // The timer is gone: nothing more comes.
    MSG m;
    drv::headless().set_now(10000);
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
}

TEST(ScreenLoop, PauseLeavesAQuitRequestForTheScreenLoop)
{
    HWND w = CreateWindowExA(0, msgseq::recorder_class(), "w", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr, nullptr,
                             nullptr);
    hWnd_sim_dialog = w;
    PostQuitMessage(4);
    Pause(3, 0);
    EXPECT_EQ(GetTickCount(), 0u);
    MSG m;
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(m.wParam, 4u);
    drv::headless().set_now(5000);
    EXPECT_FALSE(PeekMessageA(&m, w, WM_TIMER, WM_TIMER, PM_REMOVE));
}

// Alt+F4 and a click on the caption's close box (not on the caption beside
// it) are the close request, not Cancel.
TEST(ScreenLoop, AltF4AndTheCaptionsCloseBoxAreTheCloseRequest)
{
    for (bool altF4 : {true, false}) {
        SCOPED_TRACE(altF4 ? "Alt+F4" : "close box");
        trace.clear();
        auto run = make_runner();
        run.start([] {
            use_test_screens();
            DirectDialog(10, nullptr, nullptr, RecordKC);
            note("returned");
        });
        HWND screen = run.window("Screen");
        if (altF4) {
            run.key(VK_F4, VK_MENU);
        } else {
            RECT r, box = user32::close_box_rect(*user32::find(screen));
            GetWindowRect(screen, &r);
            ASSERT_FALSE(IsRectEmpty(&box));
            run.click(POINT{r.left + box.left - 3, r.top + (box.top + box.bottom) / 2});   // the caption beside it
            run.click(POINT{r.left + (box.left + box.right) / 2, r.top + (box.top + box.bottom) / 2});
        }
        EXPECT_EQ(trace, (Lines{"KC 3", "returned"}));
    }
}
