// The lock-step driver: the test acts while the program is blocked; a program
// that never blocks, or waits for what cannot come, fails the test within the
// bound with the window tree instead of hanging it. (Its steps share their
// aim and refusals with the script runner, tested in script_tests.cpp.)
#include "support/msgseq.h"

#include "driver/driver.h"
#include "testing/lockstep.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> failures;

lockstep::Runner collecting_runner()
{
    return lockstep::Runner([](const std::string &why) { failures.push_back(why); }, std::chrono::milliseconds(300));
}

HWND window(const char *title)
{
    return CreateWindowExA(0, msgseq::recorder_class(), title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100,
                           nullptr, nullptr, nullptr, nullptr);
}

}   // namespace

TEST(LockStep, ProgramThatNeverBlocksFailsWithTheWindowTree)
{
    {
        auto run = collecting_runner();
        run.start([] {
            HWND w = window("Spinner");
            MSG m;
            for (;;) {
                PostMessageA(w, WM_USER, 0, 0);
                GetMessageA(&m, nullptr, 0, 0);
                DispatchMessageA(&m);
            }
        });
        EXPECT_TRUE(run.failed());
        EXPECT_TRUE(run.finished());
        run.key(VK_RETURN);   // a failed runner does nothing more
    }
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find("did not wait for input"), std::string::npos) << failures[0];
    EXPECT_NE(failures[0].find("\"Spinner\""), std::string::npos) << failures[0];
}

TEST(LockStep, WaitThatNothingCanEndGoesBackToTheTest)
{
    auto run = collecting_runner();
    run.start([] {
        HWND w = window("Waiter");
        MSG m;
        // A timer-only filter without a timer: Windows would block forever.
        GetMessageA(&m, w, WM_TIMER, WM_TIMER);
        ADD_FAILURE() << "the wait ended";
    });
    EXPECT_FALSE(run.finished());
    EXPECT_EQ(run.deadline(), drv::NO_DEADLINE);
    run.advance(60000);
    EXPECT_EQ(run.now(), 60000u);
    EXPECT_FALSE(run.finished());
    EXPECT_TRUE(failures.empty());
    // Leaving the test unwinds the blocked program.
}

TEST(LockStep, StepsFindWindowsAndReportWhatIsMissing)
{
    auto run = collecting_runner();
    run.start([] {
        HWND w = window("Finder");
        SetWindowTextA(w, "Found");
        MSG m;
        while (GetMessageA(&m, nullptr, 0, 0)) DispatchMessageA(&m);
    });
    HWND w = run.window("Found");
    EXPECT_NE(w, nullptr);
    EXPECT_EQ(run.text(w), "Found");
    EXPECT_FALSE(run.has_window("Finder"));
    EXPECT_TRUE(failures.empty());
    EXPECT_EQ(run.control(w, 5), nullptr);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find("no control 5"), std::string::npos);
    EXPECT_NE(failures[0].find("\"Found\""), std::string::npos);
}

TEST(LockStep, ProgramThatEndsTakesNoMoreSteps)
{
    auto run = collecting_runner();
    run.start([] {});
    EXPECT_TRUE(run.finished());
    run.click(POINT{1, 1});
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find("not running"), std::string::npos);
}
