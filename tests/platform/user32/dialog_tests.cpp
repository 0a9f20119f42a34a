// Dialogs from compiled templates: geometry in dialog units, WM_INITDIALOG and
// the default focus, the default dialog processing and the dialog keyboard.
#include "platform/rc/embedded.h"
#include "support/dialogs.h"
#include "support/msgseq.h"

#include "driver/driver.h"
#include "rc/module.h"
#include "user32/window_internal.h"

#include <gtest/gtest.h>

using msgseq::Posted;
using msgseq::Seen;
using msgseq::Sent;

namespace {

HINSTANCE screens()
{
    size_t size;
    const unsigned char *image = screens_res(&size);
    return rc::register_module(image, size);
}

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

RECT rect_in_parent(HWND control)
{
    return user32::find(control)->rect;
}

} // namespace

TEST(Dialogs, TemplateUnitsBecomePixelsByTheFontsBaseUnits)
{
    // (Client sizes and a button's place are pinned with the program's screens.)
    HWND dlg = dialogs::open(500);
    ASSERT_NE(dlg, nullptr);
    RECT c;
    EXPECT_EQ(rect_in_parent(GetDlgItem(dlg, IDOK)).bottom, 140 + 23);   // 14 units: 22.75
    // Without an owner the template point is the client origin on the desktop.
    POINT o{0, 0};
    ClientToScreen(dlg, &o);
    EXPECT_EQ(o.x, 15);
    EXPECT_EQ(o.y, 33);   // 32.5
    // A bordered control gets the sunken edge instead: 2 pixels each side.
    HWND edit = GetDlgItem(dlg, 40);
    EXPECT_EQ(GetWindowLongA(edit, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, WS_EX_CLIENTEDGE);
    EXPECT_EQ(GetWindowLongA(edit, GWL_STYLE) & WS_BORDER, 0);
    GetClientRect(edit, &c);
    EXPECT_EQ(c.right, 90 - 4);
    // The id 0xFFFF of the label is -1.
    EXPECT_NE(GetDlgItem(dlg, -1), nullptr);
    RECT units{4, 8, 8, 16};
    MapDialogRect(dlg, &units);
    EXPECT_EQ(units.left, 6);
    EXPECT_EQ(units.bottom, 26);
}

TEST(Dialogs, PositionIsRelativeToTheOwnersClientAreaAndStaysOnTheDesktop)
{
    HWND owner = CreateWindowExA(0, msgseq::recorder_class(), "owner", WS_POPUP | WS_CAPTION | WS_VISIBLE, 100,
                                 50, 400, 300, nullptr, nullptr, nullptr, nullptr);
    HWND dlg = dialogs::open(500, owner);
    POINT o{0, 0}, oo{0, 0};
    ClientToScreen(dlg, &o);
    ClientToScreen(owner, &oo);
    EXPECT_EQ(o.x, oo.x + 15);
    EXPECT_EQ(o.y, oo.y + 33);
    EXPECT_EQ(GetParent(dlg), owner);
    SetWindowPos(owner, nullptr, 900, 700, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    HWND pushed = dialogs::open(500, owner);
    RECT r;
    GetWindowRect(pushed, &r);
    EXPECT_EQ(r.right, 1024);
    EXPECT_EQ(r.bottom, 768);
}

TEST(Dialogs, InitDialogOffersTheFirstTabStopWhichGetsTheFocus)
{
    msgseq::log().clear();
    HWND dlg = CreateDialogParamA(screens(), MAKEINTRESOURCEA(501), nullptr, msgseq::recording_dlgproc, 1234);
    ASSERT_NE(dlg, nullptr);
    HWND edit = GetDlgItem(dlg, 40);
    std::vector<Seen> init = msgseq::select(dlg, {WM_INITDIALOG});
    EXPECT_SEQUENCE("CreateDialogParamA",
                    (std::vector<Seen>{{dlg, WM_INITDIALOG, reinterpret_cast<WPARAM>(edit), 1234, Sent}}), init);
    // No WM_CREATE reaches the dialog procedure; WM_INITDIALOG comes before the showing.
    EXPECT_TRUE(msgseq::select(dlg, {WM_CREATE}).empty());
    std::vector<Seen> order = msgseq::select(dlg, {WM_INITDIALOG, WM_SHOWWINDOW});
    ASSERT_EQ(order.size(), 2u);
    EXPECT_EQ(order[0].msg, static_cast<UINT>(WM_INITDIALOG));
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(GetActiveWindow(), dlg);
    EXPECT_TRUE(IsWindowVisible(dlg));
}

TEST(Dialogs, TabAndShiftTabVisitTheEnabledTabStopsInTemplateOrder)
{
    HWND dlg = dialogs::open(501);
    HWND edit = GetDlgItem(dlg, 40), alpha = GetDlgItem(dlg, 10), beta = GetDlgItem(dlg, 11),
         cancel = GetDlgItem(dlg, IDCANCEL);
    std::vector<HWND> visited;
    for (int i = 0; i < 4; ++i) {
        dialogs::press(dlg, VK_TAB);
        visited.push_back(GetFocus());
    }
    EXPECT_EQ(visited, (std::vector<HWND>{alpha, beta, cancel, edit}));
    dialogs::press(dlg, VK_TAB, VK_SHIFT);
    EXPECT_EQ(GetFocus(), cancel);
    // Tab is the dialog's: the edit field never saw it.
    EXPECT_TRUE(msgseq::select(edit, {WM_CHAR}).empty());
}

TEST(Dialogs, EnterGoesToTheFocusedButtonElseTheDefaultButton)
{
    HWND dlg = dialogs::open(501);
    HWND alpha = GetDlgItem(dlg, 10), beta = GetDlgItem(dlg, 11);
    msgseq::log().clear();
    dialogs::press(dlg, VK_RETURN);   // focus in the edit field: the default button
    dialogs::press(dlg, VK_TAB);      // to Alpha
    dialogs::press(dlg, VK_RETURN);
    EXPECT_SEQUENCE("IsDialogMessageA(VK_RETURN)", (std::vector<Seen>{command(dlg, 11, beta), command(dlg, 10, alpha)}),
                    commands(dlg));
    // Focus on a push button makes it the default while it has it.
    EXPECT_EQ(GetWindowLongA(alpha, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(GetWindowLongA(beta, GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
    EXPECT_EQ(SendMessageA(dlg, DM_GETDEFID, 0, 0), MAKELONG(11, DC_HASDEFID));
    dialogs::press(dlg, VK_TAB, VK_SHIFT);   // back to the edit field
    EXPECT_EQ(GetWindowLongA(beta, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(GetWindowLongA(alpha, GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
    SendMessageA(dlg, DM_SETDEFID, 12, 0);   // a disabled default button takes no Enter
    msgseq::log().clear();
    dialogs::press(dlg, VK_RETURN);
    EXPECT_TRUE(commands(dlg).empty()) << msgseq::describe(commands(dlg));
}

TEST(Dialogs, EnterAndEscapeWithoutButtonsSendIdokAndIdcancelWithoutAControl)
{
    HWND dlg = dialogs::open(502);
    msgseq::log().clear();
    dialogs::press(dlg, VK_RETURN);
    dialogs::press(dlg, VK_ESCAPE);
    EXPECT_SEQUENCE("IsDialogMessageA(VK_RETURN, VK_ESCAPE)",
                    (std::vector<Seen>{command(dlg, IDOK, nullptr), command(dlg, IDCANCEL, nullptr)}), commands(dlg));
}

TEST(Dialogs, EscapeAndTheCloseBoxAreCancelUnlessCancelIsDisabled)
{
    HWND dlg = dialogs::open(501);
    HWND cancel = GetDlgItem(dlg, IDCANCEL);
    msgseq::log().clear();
    dialogs::press(dlg, VK_ESCAPE);
    drv::close_request(dlg);
    dialogs::pump(dlg);
    // Escape sends; the default WM_CLOSE posts.
    EXPECT_SEQUENCE("Escape, close box",
                    (std::vector<Seen>{command(dlg, IDCANCEL, cancel), command(dlg, IDCANCEL, cancel, Posted)}),
                    commands(dlg));
    EXPECT_TRUE(IsWindow(dlg));

    HWND stuck = dialogs::open(505);
    msgseq::log().clear();
    dialogs::press(stuck, VK_ESCAPE);
    drv::close_request(stuck);
    dialogs::pump(stuck);
    EXPECT_TRUE(commands(stuck).empty()) << msgseq::describe(commands(stuck));
    EXPECT_EQ(msgseq::select(stuck, {WM_CLOSE}).size(), 1u);
}

TEST(Dialogs, MnemonicsClickButtonsAndGroupBoxesMoveToTheNextTabStop)
{
    HWND dlg = dialogs::open(501);
    HWND edit = GetDlgItem(dlg, 40), alpha = GetDlgItem(dlg, 10);
    dialogs::press(dlg, VK_TAB);   // off the edit field, onto Alpha
    msgseq::log().clear();
    dialogs::press(dlg, 'B');
    EXPECT_SEQUENCE("mnemonic b", (std::vector<Seen>{command(dlg, 11, GetDlgItem(dlg, 11))}), commands(dlg));
    EXPECT_EQ(GetFocus(), GetDlgItem(dlg, 11));
    dialogs::press(dlg, 'L');
    EXPECT_EQ(GetFocus(), edit);
    // Alt+letter works from anywhere, the edit field included.
    msgseq::log().clear();
    drv::key(VK_MENU, true);
    dialogs::press(dlg, 'A');
    drv::key(VK_MENU, false);
    dialogs::pump(dlg);
    EXPECT_SEQUENCE("mnemonic Alt+a", (std::vector<Seen>{command(dlg, 10, alpha)}), commands(dlg));
}

TEST(Dialogs, ArrowKeysMoveWithinTheGroupAndClickAutomaticRadioButtons)
{
    HWND dlg = dialogs::open(503);
    HWND one = GetDlgItem(dlg, 21), two = GetDlgItem(dlg, 22), three = GetDlgItem(dlg, 23);
    ASSERT_EQ(GetFocus(), one);
    msgseq::log().clear();
    dialogs::press(dlg, VK_DOWN);
    EXPECT_EQ(GetFocus(), two);
    dialogs::press(dlg, VK_UP);
    dialogs::press(dlg, VK_UP);   // wraps inside the group, never to "After"
    EXPECT_EQ(GetFocus(), three);
    EXPECT_EQ(GetNextDlgGroupItem(dlg, three, FALSE), one);
    EXPECT_SEQUENCE("arrows", (std::vector<Seen>{command(dlg, 22, two), command(dlg, 21, one), command(dlg, 23, three)}),
                    commands(dlg));
}

TEST(Dialogs, IsDialogMessageRefusesOtherWindowsAndDispatchesTheRest)
{
    HWND dlg = dialogs::open(501);
    HWND other = CreateWindowExA(0, msgseq::recorder_class(), "other", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr,
                                 nullptr, nullptr);
    MSG m{other, WM_USER, 0, 0, 0, {}};
    EXPECT_FALSE(IsDialogMessageA(dlg, &m));
    msgseq::log().clear();
    MSG mine{dlg, WM_USER + 7, 1, 2, 0, {}};
    EXPECT_TRUE(IsDialogMessageA(dlg, &mine));
    EXPECT_SEQUENCE("IsDialogMessageA(WM_USER+7)", (std::vector<Seen>{{dlg, WM_USER + 7, 1, 2, Posted}}),
                    msgseq::log());
}

TEST(Dialogs, ClicksGoThroughGroupBoxesToTheControlsInside)
{
    HWND dlg = dialogs::open(501);
    HWND group = GetDlgItem(dlg, -1);
    SetWindowPos(group, nullptr, 0, 0, 300, 150, SWP_NOMOVE | SWP_NOZORDER);   // now over every button
    HWND alpha = GetDlgItem(dlg, 10);
    RECT r;
    GetWindowRect(alpha, &r);
    msgseq::log().clear();
    drv::mouse_button(POINT{r.left + 3, r.top + 3}, drv::Button::Left, true);
    drv::mouse_button(POINT{r.left + 3, r.top + 3}, drv::Button::Left, false);
    dialogs::pump(dlg);
    EXPECT_SEQUENCE("click through a group box", (std::vector<Seen>{command(dlg, 10, alpha)}), commands(dlg));
}

TEST(Dialogs, EveryScreenOfTheProgramCreatesWithItsClientSizeAndPlacesItsControls)
{
    size_t size;
    const unsigned char *image = stonecall_res(&size);
    HINSTANCE program = rc::register_module(image, size);
    struct Screen {
        int id;
        LONG cx, cy;
    };
    // Client sizes from the template sizes and the font's base units.
    const Screen screensOfProgram[] = {{5, 627, 471}, {2, 578, 510}, {3, 432, 208}, {6, 279, 250},
                                       {7, 344, 200}, {8, 279, 250}, {10, 270, 138}, {987, 431, 85}};
    for (const Screen &s : screensOfProgram) {
        HWND dlg = CreateDialogParamA(program, MAKEINTRESOURCEA(s.id), nullptr, msgseq::recording_dlgproc, 0);
        ASSERT_NE(dlg, nullptr) << "screen " << s.id;
        RECT c;
        GetClientRect(dlg, &c);
        EXPECT_EQ(c.right, s.cx) << "screen " << s.id;
        EXPECT_EQ(c.bottom, s.cy) << "screen " << s.id;
        DestroyWindow(dlg);
    }
    // The setup screen's OK button, 60, 86, 50 x 20 units, in pixels.
    HWND setup = CreateDialogParamA(program, MAKEINTRESOURCEA(7), nullptr, msgseq::recording_dlgproc, 0);
    RECT ok = rect_in_parent(GetDlgItem(setup, IDOK));
    EXPECT_EQ(ok.left, 90);
    EXPECT_EQ(ok.top, 140);
    EXPECT_EQ(ok.right - ok.left, 75);
    EXPECT_EQ(ok.bottom - ok.top, 33);   // 32.5
    // A template the module does not hold makes no dialog.
    EXPECT_EQ(CreateDialogParamA(program, MAKEINTRESOURCEA(77), nullptr, msgseq::recording_dlgproc, 0), nullptr);
}

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
        b.cx = 40;
        b.cy = 14;
        t.items.push_back(b);
    }
    HWND dlg = user32::create_dialog(nullptr, t, nullptr, msgseq::recording_dlgproc, 0);
    ASSERT_NE(dlg, nullptr);
    EXPECT_FALSE(IsWindowVisible(dlg));   // no WS_VISIBLE in the template
    EXPECT_EQ(SendMessageA(dlg, DM_GETDEFID, 0, 0), MAKELONG(32, DC_HASDEFID));
    EXPECT_EQ(GetWindowLongA(GetDlgItem(dlg, 31), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
    // A hidden dialog takes the focus only when it is shown.
    EXPECT_EQ(GetFocus(), nullptr);
    ShowWindow(dlg, SW_SHOW);
    EXPECT_EQ(GetFocus(), GetDlgItem(dlg, 31));
}
