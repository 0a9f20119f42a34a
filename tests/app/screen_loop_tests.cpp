// The screen loop through the lock-step driver, on the test templates of
// screens.rc: a screen without KC, Pause, and the screens that cannot run.
// (Commands, the close request, nesting and every screen's ordinary flow are
// the scripted sessions'.)
#include "app/screenloop.h"

#include "platform/rc/embedded.h"
#include "support/msgseq.h"

#include "rc/module.h"
#include "testing/lockstep.h"
#include "user32/msgbox_hook.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

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
lockstep::Runner &run_screen(lockstep::Runner &run, void (*Con)(), void (*MM)(), void (*KC)(int), int screen = 10)
{
    trace.clear();
    static int which;
    static void (*con)(), (*mm)(), (*kc)(int);
    which = screen, con = Con, mm = MM, kc = KC;
    run.start([] {
        use_test_screens();
        note("returned " + std::to_string(DirectDialog(which, con, mm, kc)));
    });
    return run;
}

lockstep::Runner make_runner()
{
    return lockstep::Runner([](const std::string &why) { ADD_FAILURE() << why; });
}

}   // namespace

// A screen without KC ends at its first command, the close box's included;
// the banner's id has no slot in the screen table: nothing is recorded,
// nothing overruns.
TEST(ScreenLoop, ScreenWithoutKcEndsAtItsFirstCommand)
{
    auto run = make_runner();
    run_screen(run, nullptr, CommandMM, nullptr, 987);
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
    auto run = make_runner();
    run_screen(
        run,
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

TEST(ScreenLoop, ScreenThatCannotBeCreatedReportsItAndLeavesTheCurrentWindow)
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
    const auto &boxes = msgbox_hook::boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].owner, nullptr);
    EXPECT_EQ(boxes[0].caption, "Error..");
    EXPECT_EQ(boxes[0].flags, static_cast<UINT>(MB_OK));
    EXPECT_EQ(boxes[0].text, std::string(25, ' ') + "Could Not Create Dialog Box\nPlease report this error to "
                                                    "support@quenmire.example.  Thankyou.");
}

TEST(ScreenLoop, ScreenWhoseWindowACallbackDestroyedEndsInsteadOfSpinning)
{
    use_test_screens();
    EXPECT_EQ(DirectDialog(
                  10, [] { DestroyWindow(hWnd_sim_dialog); }, CommandMM, RecordKC),
              1);
    EXPECT_TRUE(trace.empty());
    EXPECT_EQ(hWnd_sim_dialog, nullptr);
}
