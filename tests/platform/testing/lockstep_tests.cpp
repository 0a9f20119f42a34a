// The lock-step driver: the test acts while the program is blocked; a program
// that never blocks, or waits for what cannot come, fails the test within the
// bound with the window tree instead of hanging it. (Its steps share their
// aim and refusals with the script runner, tested in script_tests.cpp.)
#include "support/msgseq.h"

#include "driver/driver.h"
#include "testing/lockstep.h"

#include <gtest/gtest.h>

namespace {

HWND window(const char *title)
{
    return CreateWindowExA(0, msgseq::recorder_class(), title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100,
                           nullptr, nullptr, nullptr, nullptr);
}

// A window "Shown" and the program's loop; a spinning program never waits.
void shown_and_looping(bool spins)
{
    HWND w = window("Shown");
    MSG m;
    for (;;) {
        if (spins) PostMessageA(w, WM_USER, 0, 0);
        GetMessageA(&m, nullptr, 0, 0);
        DispatchMessageA(&m);
    }
}

}   // namespace

// A program that never blocks, a step on a control that is not there, a step
// once the program has ended: each fails once with its reason and the window
// tree, and the failed runner takes no more steps.
TEST(LockStep, WhatCannotGoOnFailsWithTheReasonAndTheWindowTree)
{
    struct Case {
        void (*program)();
        void (*step)(lockstep::Runner &);
        const char *why;
    };
    const Case cases[] = {
        {[] { shown_and_looping(true); }, [](lockstep::Runner &run) { run.key(VK_RETURN); }, "did not wait for input"},
        {[] { shown_and_looping(false); },
         [](lockstep::Runner &run) { EXPECT_EQ(run.control(run.window("Shown"), 5), nullptr); }, "no control 5"},
        {[] { window("Shown"); },
         [](lockstep::Runner &run) {
             run.click(POINT{1, 1});
         },
         "not running"},
    };
    for (const Case &c : cases) {
        std::vector<std::string> failures;
        {
            lockstep::Runner run([&failures](const std::string &why) { failures.push_back(why); },
                                 std::chrono::milliseconds(300));
            run.start(c.program);
            c.step(run);
            EXPECT_TRUE(run.failed());
            run.key(VK_RETURN);
        }
        ASSERT_EQ(failures.size(), 1u) << c.why;
        EXPECT_NE(failures[0].find(c.why), std::string::npos) << failures[0];
        EXPECT_NE(failures[0].find("\"Shown\""), std::string::npos) << failures[0];
    }
}

TEST(LockStep, WaitThatNothingCanEndGoesBackToTheTest)
{
    lockstep::Runner run([](const std::string &why) { ADD_FAILURE() << why; });
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
    // Leaving the test unwinds the blocked program.
}
