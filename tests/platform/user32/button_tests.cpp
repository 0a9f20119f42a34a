// BUTTON: push buttons click on release inside, by Space and by BM_CLICK;
// check boxes flip before the parent hears of it, and not when the program
// sets them; group boxes let what lies inside show; the look of each kind in
// each state.
#include "support/dialogs.h"
#include "support/golden.h"
#include "support/msgseq.h"

#include "driver/driver.h"
#include "user32/compositor.h"

#include <gtest/gtest.h>

using msgseq::Seen;
using msgseq::Sent;

namespace {

std::vector<Seen> commands(HWND dlg) { return msgseq::select(dlg, {WM_COMMAND}); }

Seen clicked(HWND dlg, int id)
{
    return Seen{dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)), Sent};
}

bool pushed(HWND button) { return (SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0; }

// What a dialog procedure saw of check box 20 when the click reached it.
int checkAtClick = -1;
INT_PTR CALLBACK check_watcher(HWND dlg, UINT msg, WPARAM wp, LPARAM)
{
    if (msg == WM_COMMAND && LOWORD(wp) == 20 && HIWORD(wp) == BN_CLICKED)
        checkAtClick = static_cast<int>(IsDlgButtonChecked(dlg, 20));
    return msg == WM_INITDIALOG;
}

uint32_t desk(HWND hwnd, int x, int y)
{
    POINT p{x, y};
    ClientToScreen(hwnd, &p);
    return user32::desktop_image().row(p.y)[p.x];
}

} // namespace

TEST(PushButton, ClicksOnReleaseInsideAndNotWhenReleasedOutside)
{
    HWND dlg = dialogs::open(600);
    HWND push = GetDlgItem(dlg, 10);
    dialogs::pump(dlg);
    msgseq::log().clear();

    dialogs::mouse(push, POINT{5, 5}, true);
    dialogs::pump(dlg);
    EXPECT_TRUE(pushed(push));
    EXPECT_EQ(GetFocus(), push);
    EXPECT_TRUE(commands(dlg).empty());
    dialogs::mouse(push, POINT{6, 6}, false);
    dialogs::pump(dlg);
    EXPECT_FALSE(pushed(push));
    EXPECT_SEQUENCE("release inside", {clicked(dlg, 10)}, commands(dlg));

    // Pressed, dragged off (the look goes back up), released outside: nothing.
    msgseq::log().clear();
    dialogs::mouse(push, POINT{5, 5}, true);
    POINT away{200, 200};
    ClientToScreen(push, &away);
    drv::mouse_move(away);
    dialogs::pump(dlg);
    EXPECT_FALSE(pushed(push));
    drv::mouse_button(away, drv::Button::Left, false);
    dialogs::pump(dlg);
    EXPECT_TRUE(commands(dlg).empty());
    EXPECT_EQ(GetCapture(), nullptr);

    // A disabled button hears no click.
    dialogs::click(dlg, GetDlgItem(dlg, 12), POINT{5, 5});
    EXPECT_TRUE(commands(dlg).empty());
}

// (Enter and the default button are the dialog's business: see the dialog tests.)
TEST(PushButton, SpaceAndBmClickClickTheFocusedButton)
{
    HWND dlg = dialogs::open(600);
    HWND push = GetDlgItem(dlg, 10);
    SendMessageA(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(push), TRUE);
    dialogs::pump(dlg);
    msgseq::log().clear();

    drv::key(VK_SPACE, true);
    dialogs::pump(dlg);
    EXPECT_TRUE(pushed(push));
    EXPECT_TRUE(commands(dlg).empty());
    drv::key(VK_SPACE, false);
    dialogs::pump(dlg);
    SendMessageA(push, BM_CLICK, 0, 0);
    EXPECT_SEQUENCE("Space, BM_CLICK", (std::vector<Seen>{clicked(dlg, 10), clicked(dlg, 10)}), commands(dlg));
}

TEST(CheckBox, ClickAndSpaceFlipItBeforeTheParentHearsAndTheProgramSetsItSilently)
{
    HWND dlg = dialogs::open(600, nullptr, check_watcher);
    HWND box = GetDlgItem(dlg, 20);
    EXPECT_EQ(IsDlgButtonChecked(dlg, 20), BST_UNCHECKED);

    dialogs::click(dlg, box, POINT{3, 3});
    EXPECT_EQ(IsDlgButtonChecked(dlg, 20), BST_CHECKED);
    EXPECT_EQ(checkAtClick, BST_CHECKED);
    EXPECT_EQ(GetFocus(), box);

    dialogs::press(dlg, VK_SPACE);
    EXPECT_EQ(IsDlgButtonChecked(dlg, 20), BST_UNCHECKED);
    EXPECT_EQ(checkAtClick, BST_UNCHECKED);

    // The mnemonic clicks it too.
    dialogs::press(dlg, 'C', VK_MENU);
    EXPECT_EQ(IsDlgButtonChecked(dlg, 20), BST_CHECKED);

    checkAtClick = -1;
    EXPECT_TRUE(CheckDlgButton(dlg, 20, BST_UNCHECKED));
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    dialogs::pump(dlg);
    EXPECT_EQ(checkAtClick, -1);

    // A disabled box does not flip; a push button has no check; a missing control is unchecked.
    dialogs::click(dlg, GetDlgItem(dlg, 21), POINT{3, 3});
    EXPECT_EQ(IsDlgButtonChecked(dlg, 21), BST_UNCHECKED);
    CheckDlgButton(dlg, 10, BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dlg, 10), BST_UNCHECKED);
    EXPECT_FALSE(CheckDlgButton(dlg, 999, BST_CHECKED));
    EXPECT_EQ(IsDlgButtonChecked(dlg, 999), 0u);
}

TEST(RadioButton, AClickChecksItAndClearsTheOthersOfItsGroup)
{
    HWND dlg = dialogs::open(503);
    dialogs::click(dlg, GetDlgItem(dlg, 22), POINT{3, 3});
    EXPECT_EQ(IsDlgButtonChecked(dlg, 22), BST_CHECKED);
    dialogs::press(dlg, VK_DOWN);   // the dialog moves on and clicks Three
    EXPECT_EQ(IsDlgButtonChecked(dlg, 23), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dlg, 22), BST_UNCHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dlg, 21), BST_UNCHECKED);
    // Setting a check by the program leaves the others alone.
    CheckDlgButton(dlg, 21, BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dlg, 23), BST_CHECKED);
}

// (That a group box takes no input is tested with the labels.)
TEST(GroupBox, ShowsWhatLiesInsideItsFrame)
{
    HWND dlg = dialogs::open(600);
    HWND group = GetDlgItem(dlg, 30);
    dialogs::pump(dlg);
    RECT gr;
    GetClientRect(group, &gr);

    // What the dialog draws inside the frame shows through; the frame itself does not.
    HDC dc = GetDC(dlg);
    RECT all;
    GetClientRect(dlg, &all);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(dc, &all, red);
    DeleteObject(red);
    ReleaseDC(dlg, dc);
    InvalidateRect(group, nullptr, TRUE);
    dialogs::pump(dlg);
    EXPECT_EQ(desk(group, gr.right - 4, gr.bottom - 6), 0xFF0000u);
    EXPECT_EQ(desk(group, 0, gr.bottom - 2), 0x808080u);   // the etched frame's shadow
    EXPECT_EQ(desk(group, 2, gr.bottom - 1), 0xFFFFFFu);   // and its light
}

TEST(Golden, ButtonsInEachState)
{
    HWND dlg = dialogs::open(600);
    SendMessageA(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dlg, 20)), TRUE);
    SendDlgItemMessageA(dlg, 13, BM_SETSTATE, TRUE, 0);
    CheckDlgButton(dlg, 22, BST_CHECKED);
    CheckDlgButton(dlg, 21, BST_CHECKED);
    CheckDlgButton(dlg, 23, BST_CHECKED);
    dialogs::pump(dlg);
    gfx::Surface all = dialogs::picture(dlg);
    EXPECT_TRUE(matches_golden(all.canvas, "controls_buttons"));

    // A push button with the focus: the default button's black ring, the dotted rectangle.
    SendMessageA(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dlg, 10)), TRUE);
    dialogs::pump(dlg);
    gfx::Surface focused = dialogs::picture(GetDlgItem(dlg, 10));
    EXPECT_TRUE(matches_golden(focused.canvas, "controls_button_focused"));
}
