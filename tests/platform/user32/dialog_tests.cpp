// Dialogs from compiled templates: the default dialog processing and the
// dialog keyboard; push buttons, check boxes, group boxes and labels, and
// their look.
#include "support/dialogs.h"
#include "support/golden.h"
#include "support/msgseq.h"

#include "driver/driver.h"

#include <gtest/gtest.h>

using msgseq::Seen;
using msgseq::Sent;

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
