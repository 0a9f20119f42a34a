// Dialogs from compiled templates: geometry in dialog units, WM_INITDIALOG and
// the default focus, the default dialog processing and the dialog keyboard;
// push buttons, check boxes, group boxes and labels, and their look.
#include "platform/rc/embedded.h"
#include "support/dialogs.h"
#include "support/golden.h"
#include "support/msgseq.h"

#include "driver/driver.h"
#include "rc/module.h"
#include "user32/window_internal.h"

#include <gtest/gtest.h>

using msgseq::Posted;
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

Seen command(HWND dlg, int id, HWND control, msgseq::How how = Sent)
{
    return Seen{dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control), how};
}

UINT type(HWND button) { return static_cast<UINT>(GetWindowLongA(button, GWL_STYLE)) & BS_TYPEMASK; }

}   // namespace

TEST(Dialogs, TemplateUnitsBecomePixelsByTheFontsBaseUnitsForEveryScreenOfTheProgram)
{
    size_t size;
    const unsigned char *image = stonecall_res(&size);
    HINSTANCE program = rc::register_module(image, size);
    const struct {
        int id;
        LONG cx, cy;
    } screens[] = {{5, 627, 471}, {2, 578, 510}, {3, 432, 208},  {6, 279, 250},
                   {7, 344, 200}, {8, 279, 250}, {10, 270, 138}, {987, 431, 85}};
    for (const auto &s : screens) {
        HWND dlg = CreateDialogParamA(program, MAKEINTRESOURCEA(s.id), nullptr, msgseq::recording_dlgproc, 0);
        ASSERT_NE(dlg, nullptr) << "screen " << s.id;
        RECT c;
        GetClientRect(dlg, &c);
        EXPECT_EQ(c.right, s.cx) << "screen " << s.id;
        EXPECT_EQ(c.bottom, s.cy) << "screen " << s.id;
        DestroyWindow(dlg);
    }
    EXPECT_EQ(CreateDialogParamA(program, MAKEINTRESOURCEA(77), nullptr, msgseq::recording_dlgproc, 0), nullptr);
    // A button of 60, 86, 50 x 14 units; a bordered edit gets the sunken edge instead, 2 pixels each side.
    HWND dlg = dialogs::open(500);
    const RECT ok = user32::find(GetDlgItem(dlg, IDOK))->rect, pixels{90, 140, 165, 163};   // 162.75
    EXPECT_TRUE(EqualRect(&ok, &pixels));
    HWND edit = GetDlgItem(dlg, 40);
    EXPECT_EQ(GetWindowLongA(edit, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, WS_EX_CLIENTEDGE);
    RECT c;
    GetClientRect(edit, &c);
    EXPECT_EQ(c.right, 90 - 4);
    RECT units{4, 8, 8, 16};
    MapDialogRect(dlg, &units);
    EXPECT_EQ(units.left, 6);
    EXPECT_EQ(units.bottom, 26);
}

TEST(Dialogs, InitDialogOffersTheFirstTabStopWhichGetsTheFocus)
{
    size_t size;
    const unsigned char *image = screens_res(&size);
    msgseq::log().clear();
    HWND dlg = CreateDialogParamA(rc::register_module(image, size), MAKEINTRESOURCEA(501), nullptr,
                                  msgseq::recording_dlgproc, 1234);
    HWND edit = GetDlgItem(dlg, 40);
    // No WM_CREATE reaches the dialog procedure; WM_INITDIALOG comes before the showing.
    EXPECT_SEQUENCE("CreateDialogParamA",
                    (std::vector<Seen>{{dlg, WM_INITDIALOG, reinterpret_cast<WPARAM>(edit), 1234, Sent},
                                       {dlg, WM_SHOWWINDOW, TRUE, 0, Sent}}),
                    msgseq::select(dlg, {WM_CREATE, WM_INITDIALOG, WM_SHOWWINDOW}));
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(GetActiveWindow(), dlg);
}

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
    EXPECT_TRUE(msgseq::select(edit, {WM_CHAR}).empty());   // Tab is the dialog's

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

// A template built in code, as the message boxes are: the last of several
// default buttons is the default, and a hidden dialog takes the focus when shown.
TEST(Dialogs, OfSeveralDefaultPushButtonsTheLastIsTheDefault)
{
    rc::DialogTemplate t;
    t.style = WS_POPUP | DS_SETFONT;
    t.hasFont = true;
    t.pointSize = 8;
    t.faceName = "MS Sans Serif";
    t.cx = 100;
    t.cy = 50;
    for (WORD id : {31, 32}) {
        rc::DialogItem b;
        b.style = WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON;
        b.id = id;
        b.className = "BUTTON";
        t.items.push_back(b);
    }
    HWND dlg = user32::create_dialog(nullptr, t, nullptr, msgseq::recording_dlgproc, 0);
    EXPECT_EQ(SendMessageA(dlg, DM_GETDEFID, 0, 0), MAKELONG(32, DC_HASDEFID));
    EXPECT_EQ(type(GetDlgItem(dlg, 31)), static_cast<UINT>(BS_PUSHBUTTON));
    EXPECT_EQ(GetFocus(), nullptr);
    ShowWindow(dlg, SW_SHOW);
    EXPECT_EQ(GetFocus(), GetDlgItem(dlg, 31));
}

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
    EXPECT_SEQUENCE("release inside, Space, BM_CLICK", (std::vector<Seen>(3, command(dlg, 10, push))), commands(dlg));
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
