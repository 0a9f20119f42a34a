// Dialogs from compiled templates: the default dialog processing and the
// dialog keyboard; push buttons, check boxes, group boxes and labels, and
// their look. MessageBoxA: the test hook, the shown box (timers running, a
// quit request) and its look.
#include "support/dialogs.h"
#include "support/golden.h"
#include "support/msgseq.h"
#include "support/person.h"

#include "driver/driver.h"
#include "driver/headless/headless.h"
#include "user32/msgbox_hook.h"

#include <gtest/gtest.h>

using msgseq::Seen;
using msgseq::Sent;
using testsupport::Person;

namespace {

// The buttons' commands; edit fields tell of focus changes too.
std::vector<Seen> commands(HWND dlg)
{
    std::vector<Seen> out = msgseq::select(dlg, {WM_COMMAND});
    std::erase_if(out, [](const Seen &s) { return HIWORD(s.wp) != BN_CLICKED; });
    return out;
}

Seen command(HWND dlg, int id, HWND control)
{
    return Seen{dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control), Sent};
}

}   // namespace

TEST(Dialogs, TabVisitsTheEnabledTabStopsInOrderAndArrowsStayInTheGroup)
{
    HWND dlg = dialogs::open(501);
    HWND edit = GetDlgItem(dlg, 40), cancel = GetDlgItem(dlg, IDCANCEL);
    std::vector<HWND> visited;
    for (int i = 0; i < 4; ++i) {
        dialogs::press(dlg, VK_TAB);
        visited.push_back(GetFocus());
    }
    EXPECT_EQ(visited, (std::vector<HWND>{GetDlgItem(dlg, 10), GetDlgItem(dlg, 11), cancel, edit}));
    dialogs::press(dlg, VK_TAB, VK_SHIFT);
    EXPECT_EQ(GetFocus(), cancel);

    HWND group = dialogs::open(503);
    const struct {
        UINT vk;
        int focus;
    } arrows[] = {{VK_DOWN, 22}, {VK_UP, 21}, {VK_UP, 23}, {VK_RIGHT, 21}};   // wraps, never to "After"
    for (const auto &a : arrows) {
        dialogs::press(group, a.vk);
        EXPECT_EQ(GetFocus(), GetDlgItem(group, a.focus)) << a.vk;
    }
    EXPECT_TRUE(commands(group).empty());
}

TEST(Dialogs, MnemonicsClickButtonsAndGroupBoxesMoveToTheNextTabStop)
{
    HWND dlg = dialogs::open(501);
    dialogs::press(dlg, VK_TAB);   // off the edit field, onto Alpha
    msgseq::log().clear();
    dialogs::press(dlg, 'B');
    EXPECT_EQ(GetFocus(), GetDlgItem(dlg, 11));
    dialogs::press(dlg, 'L');
    EXPECT_EQ(GetFocus(), GetDlgItem(dlg, 40));
    dialogs::press(dlg, 'A', VK_MENU);   // Alt+letter works from anywhere, the edit field included
    EXPECT_SEQUENCE("b, l, Alt+a",
                    (std::vector<Seen>{command(dlg, 11, GetDlgItem(dlg, 11)), command(dlg, 10, GetDlgItem(dlg, 10))}),
                    commands(dlg));
}

TEST(PushButton, ClicksOnReleaseInsideBySpaceByBmClickAndTwiceOnADoubleClick)
{
    HWND dlg = dialogs::open(600);
    HWND push = GetDlgItem(dlg, 10);
    dialogs::pump(dlg);
    msgseq::log().clear();
    dialogs::mouse(push, POINT{5, 5}, true);
    dialogs::pump(dlg);
    EXPECT_EQ(GetFocus(), push);
    EXPECT_TRUE(commands(dlg).empty());
    dialogs::click(dlg, push, POINT{6, 6});
    // Pressed, dragged off, released outside: nothing; a disabled button hears no click.
    dialogs::mouse(push, POINT{5, 5}, true);
    POINT away{200, 200};
    ClientToScreen(push, &away);
    drv::mouse_move(away);
    dialogs::pump(dlg);
    EXPECT_EQ(SendMessageA(push, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);   // up again off the button
    dialogs::mouse(push, POINT{200, 200}, false);
    dialogs::pump(dlg);
    EXPECT_EQ(GetCapture(), nullptr);
    dialogs::click(dlg, GetDlgItem(dlg, 12), POINT{5, 5});
    drv::key(VK_SPACE, true);
    dialogs::pump(dlg);
    EXPECT_EQ(commands(dlg).size(), 1u);   // Space clicks when it comes up
    drv::key(VK_SPACE, false);
    dialogs::pump(dlg);
    SendMessageA(push, BM_CLICK, 0, 0);
    dialogs::click(dlg, push, POINT{6, 6});   // a double-click: two presses
    dialogs::click(dlg, push, POINT{6, 6});
    EXPECT_SEQUENCE("release inside, Space, BM_CLICK, a double-click", (std::vector<Seen>(5, command(dlg, 10, push))),
                    commands(dlg));
}

// The dialog draws red over its whole client area: inside the group box's
// frame it shows through, the labels and the frame itself cover it.
TEST(Golden, ButtonsAndLabelsInEachState)
{
    HWND dlg = dialogs::open(600);
    SendMessageA(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dlg, 20)), TRUE);
    CheckDlgButton(dlg, 22, BST_CHECKED);
    CheckDlgButton(dlg, 21, BST_CHECKED);
    dialogs::pump(dlg);
    dialogs::fill_client(dlg, RGB(255, 0, 0));
    InvalidateRect(GetDlgItem(dlg, 30), nullptr, TRUE);
    dialogs::pump(dlg);
    EXPECT_TRUE(matches_golden(dialogs::picture(dlg).canvas, "controls_buttons"));
    // A push button held down with the mouse: the default ring, sunk, the dotted rectangle.
    dialogs::mouse(GetDlgItem(dlg, 10), POINT{5, 5}, true);
    dialogs::pump(dlg);
    EXPECT_TRUE(matches_golden(dialogs::picture(GetDlgItem(dlg, 10)).canvas, "controls_button_focused"));
}

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
