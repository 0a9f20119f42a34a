// MessageBoxA: the test hook, the shown box (buttons, Esc, the close box, the
// owner disabled, timers running, placement and size) and its look.
#include "support/dialogs.h"
#include "support/golden.h"
#include "support/msgseq.h"
#include "support/person.h"

#include "driver/headless/headless.h"
#include "user32/msgbox_hook.h"

#include <gtest/gtest.h>

using testsupport::Person;

namespace {

// A box shown to a person who does `answer` once it is open.
int shown(HWND owner, const char *text, const char *caption, UINT type, std::function<void()> answer)
{
    Person p;
    p.then(std::move(answer));
    const int result = MessageBoxA(owner, text, caption, type);
    EXPECT_TRUE(p.done());
    return result;
}

}   // namespace

// The program keeps no record of its boxes: a long session would otherwise
// hold every text it ever showed. Only a test that asks gets one.
TEST(MessageBox, BoxesAreRecordedOnlyWhileRecordsAreKept)
{
    msgbox_hook::keep_records(false);
    msgbox_hook::clear();
    EXPECT_EQ(MessageBoxA(nullptr, "not kept", "One", MB_OK), IDOK);
    EXPECT_TRUE(msgbox_hook::boxes().empty());
    msgbox_hook::keep_records(true);
    EXPECT_EQ(MessageBoxA(nullptr, "kept", "Two", MB_OK), IDOK);
    ASSERT_EQ(msgbox_hook::boxes().size(), 1u);
    EXPECT_EQ(msgbox_hook::boxes()[0].text, "kept");
}

TEST(MessageBox, TimersKeepFiringWhileItIsOpenAndAQuitRequestEndsItAndIsHandedOn)
{
    HWND owner = msgseq::window("Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, {100, 80, 500, 400});
    SetTimer(owner, 1, 5000, nullptr);
    Person p;
    p.then([] { drv::headless().set_now(drv::headless().now() + 12000); });
    p.then([&] {
        // One tick: timers coalesce, and the clock jumped past two periods at once.
        EXPECT_EQ(msgseq::select(owner, {WM_TIMER}).size(), 1u);
        PostQuitMessage(3);
    });
    EXPECT_EQ(MessageBoxA(owner, "Auto-loading Three Runes", "Auto-load activated!", MB_YESNO), 0);
    EXPECT_TRUE(p.done());
    EXPECT_TRUE(IsWindowEnabled(owner));
    MSG m;
    ASSERT_EQ(GetMessageA(&m, nullptr, 0, 0), FALSE);
    EXPECT_EQ(m.wParam, 3u);
}

TEST(Golden, MessageBoxesOfEachKind)
{
    const struct {
        const char *golden, *text, *caption;
        UINT type;
    } kinds[] = {
        {"msgbox_about", "         Quenmire Stonecall V1.10\n\nSee ReadMe.htm for detailed help infomation.", "About..",
         MB_OK},
        {"msgbox_question", "Do you wish to save the new spread configuration?", "Save..", MB_YESNO | MB_ICONQUESTION},
        {"msgbox_warning", "This spread was made by a later version.", "Warning", MB_OK | MB_ICONEXCLAMATION},
        {"msgbox_stop", "An error occured during execution.  Please e-mail us and quote the number #12291", "WARNING",
         MB_OK | MB_ICONSTOP},
    };
    for (const auto &k : kinds)
        shown(nullptr, k.text, k.caption, k.type, [&] {
            EXPECT_TRUE(matches_golden(dialogs::picture(GetActiveWindow()).canvas, k.golden));   // the box
            Person::tap(VK_RETURN);
        });
}
