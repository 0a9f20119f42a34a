// BUTTON and STATIC: push buttons click on release inside, by Space and by
// BM_CLICK; check boxes flip before the parent hears of it, and not when the
// program sets them; labels and group boxes let clicks through and ask the
// parent for their colours; the look of each kind in each state.
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

// What a dialog procedure saw of check box 20 when the click reached it; it
// paints label 41 on white.
int checkAtClick = -1;
INT_PTR CALLBACK watcher(HWND dlg, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_COMMAND && LOWORD(wp) == 20 && HIWORD(wp) == BN_CLICKED)
        checkAtClick = static_cast<int>(IsDlgButtonChecked(dlg, 20));
    if (msg == WM_CTLCOLORSTATIC && GetDlgCtrlID(reinterpret_cast<HWND>(lp)) == 41)
        return reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
    return msg == WM_INITDIALOG;
}

uint32_t desk(HWND hwnd, int x, int y)
{
    POINT p{x, y};
    ClientToScreen(hwnd, &p);
    return user32::desktop_image().row(p.y)[p.x];
}

} // namespace

TEST(PushButton, ClicksOnReleaseInsideBySpaceAndByBmClickOnly)
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
    EXPECT_SEQUENCE("release inside, Space, BM_CLICK", (std::vector<Seen>(3, clicked(dlg, 10))), commands(dlg));
}

TEST(CheckBox, ClickSpaceAndMnemonicFlipItBeforeTheParentHearsAndTheProgramSetsItSilently)
{
    HWND dlg = dialogs::open(600, nullptr, watcher);
    HWND box = GetDlgItem(dlg, 20);
    EXPECT_EQ(IsDlgButtonChecked(dlg, 20), BST_UNCHECKED);
    dialogs::click(dlg, box, POINT{3, 3});
    EXPECT_EQ(checkAtClick, BST_CHECKED);
    EXPECT_EQ(GetFocus(), box);
    dialogs::press(dlg, VK_SPACE);
    EXPECT_EQ(checkAtClick, BST_UNCHECKED);
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

// A label, and a group box inside its frame where no control lies.
TEST(Static, LabelsAndGroupBoxesAnswerDlgcStaticAndLetClicksThroughToTheDialog)
{
    HWND dlg = dialogs::open(600);
    dialogs::pump(dlg);
    RECT group;
    GetClientRect(GetDlgItem(dlg, 30), &group);
    const struct {
        int id;
        POINT at;
    } cases[] = {{41, {2, 2}}, {30, {group.right - 4, group.bottom - 6}}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.id);
        HWND control = GetDlgItem(dlg, c.id);
        EXPECT_EQ(SendMessageA(control, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
        msgseq::log().clear();
        const HWND focus = GetFocus();
        dialogs::click(dlg, control, c.at);
        EXPECT_EQ(GetFocus(), focus);
        EXPECT_EQ(msgseq::select(dlg, {WM_LBUTTONDOWN}).size(), 1u);
        EXPECT_TRUE(commands(dlg).empty());
    }
}

TEST(Static, SettingTextRedrawsInTheColoursTheParentChooses)
{
    HWND dlg = dialogs::open(600, nullptr, watcher);
    HWND label = GetDlgItem(dlg, 41);
    RECT r;
    GetClientRect(label, &r);
    const auto inked = [&] {
        dialogs::pump(dlg);
        int n = 0;
        for (int x = 0; x < r.right; ++x) n += desk(label, x, r.bottom / 2) != 0xFFFFFFu;
        return n;
    };
    EXPECT_GT(inked(), 0);
    SetWindowTextA(label, "");
    EXPECT_EQ(inked(), 0);
    EXPECT_EQ(desk(GetDlgItem(dlg, 40), 0, 0), 0xC0C0C0u);   // the dialog colour by default
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
    HDC dc = GetDC(dlg);
    RECT all;
    GetClientRect(dlg, &all);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(dc, &all, red);
    DeleteObject(red);
    ReleaseDC(dlg, dc);
    InvalidateRect(GetDlgItem(dlg, 30), nullptr, TRUE);
    dialogs::pump(dlg);
    EXPECT_TRUE(matches_golden(dialogs::picture(dlg).canvas, "controls_buttons"));
    // A push button held down with the mouse: the default ring, sunk, the dotted rectangle.
    dialogs::mouse(GetDlgItem(dlg, 10), POINT{5, 5}, true);
    dialogs::pump(dlg);
    EXPECT_TRUE(matches_golden(dialogs::picture(GetDlgItem(dlg, 10)).canvas, "controls_button_focused"));
}
