// The lock-step driver: the test acts while the program is blocked; a program
// that never blocks, or waits for what cannot come, fails the test within the
// bound with the window tree instead of hanging it.
#include "platform/rc/embedded.h"
#include "support/msgseq.h"

#include "driver/driver.h"
#include "rc/module.h"
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
    EXPECT_NE(run.dump().find("\"Found\""), std::string::npos);
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

namespace {

std::vector<WORD> chosen;

INT_PTR CALLBACK CommandsProc(HWND, UINT msg, WPARAM wp, LPARAM)
{
    if (msg == WM_COMMAND) chosen.push_back(LOWORD(wp));
    return msg == WM_INITDIALOG;
}

// The "Menued" test template (script.rc) with its menu bar, in a plain loop.
void menued_program()
{
    size_t size;
    const unsigned char *image = script_res(&size);
    CreateDialogParamA(rc::register_module(image, size), MAKEINTRESOURCEA(602), nullptr, CommandsProc, 0);
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0)) DispatchMessageA(&m);
}

}   // namespace

TEST(LockStep, MenuChoosesAnItemThroughTheOpenDropDownButNotAGreyedOne)
{
    auto run = collecting_runner();
    run.start(menued_program);
    HWND w = run.window("Menued");
    run.menu(w, "Two Words", "Say Hello");
    run.menu(w, "Two Words", "Greyed");
    EXPECT_EQ(chosen, (std::vector<WORD>{16}));
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find("menu: the item \"Greyed\" is greyed"), std::string::npos) << failures[0];
}

TEST(LockStep, PixelsAreReadFromTheComposedDesktopInsideAClientArea)
{
    auto run = collecting_runner();
    run.start(menued_program);
    HWND w = run.window("Menued");
    EXPECT_EQ(run.pixel(w, POINT{0, 0}), GetSysColor(COLOR_3DFACE));
    EXPECT_EQ(run.pixel(POINT{999, 700}), RGB(0, 128, 128));   // the desktop's ground
    EXPECT_EQ(run.pixel(w, POINT{1000, 0}), CLR_INVALID);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find("outside the window's client area"), std::string::npos);
}

TEST(LockStep, SelectClicksAListItemOrArrowsToIt)
{
    auto run = collecting_runner();
    run.start([] {
        size_t size;
        const unsigned char *image = script_res(&size);
        HWND dlg =
            CreateDialogParamA(rc::register_module(image, size), MAKEINTRESOURCEA(603), nullptr, CommandsProc, 0);
        for (const char *item : {"One", "Two", "Three", "Four", "Five", "Six"})
            SendDlgItemMessageA(dlg, 41, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        MSG m;
        while (GetMessageA(&m, nullptr, 0, 0)) DispatchMessageA(&m);
    });
    HWND list = run.control(run.window("Listed"), 41);
    run.select(list, 5);   // below the four in view
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 5);
    EXPECT_TRUE(failures.empty());
    run.select(list, 6);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find("select: it has 6 items"), std::string::npos) << failures[0];
}
