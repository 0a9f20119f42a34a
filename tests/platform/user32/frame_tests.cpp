// Window frames: the caption's buttons drawn where they are hit-tested, and
// every way of closing a top-level window ending in WM_CLOSE through
// WM_SYSCOMMAND SC_CLOSE; minimise and maximise on the main window.
#include "platform/rc/embedded.h"
#include "support/msgseq.h"

#include "driver/driver.h"
#include "rc/module.h"
#include "user32/compositor.h"
#include "user32/window_internal.h"

#include <gtest/gtest.h>

using msgseq::Seen;
using msgseq::Sent;

namespace {

const uint32_t kLight = 0xDFDFDF, kBlack = 0, kGrey = 0x808080, kWhite = 0xFFFFFF;

HWND recorder(DWORD style, DWORD ex = 0)
{
    return CreateWindowExA(ex, msgseq::recorder_class(), "Framed", style | WS_VISIBLE, 40, 30, 240, 160, nullptr,
                           nullptr, nullptr, nullptr);
}

HWND main_window()
{
    size_t size;
    const unsigned char *image = stonecall_res(&size);
    return CreateDialogParamA(rc::register_module(image, size), MAKEINTRESOURCEA(5), nullptr,
                              msgseq::recording_dlgproc, 0);
}

void pump()
{
    MSG m;
    for (int guard = 0; guard < 200 && PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE); ++guard) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}

// A caption button's rectangle on the desktop.
RECT button(HWND w, LRESULT which)
{
    RECT r = user32::caption_button_rect(*user32::find(w), which);
    RECT wr;
    GetWindowRect(w, &wr);
    OffsetRect(&r, wr.left, wr.top);
    return r;
}

void click(POINT p)
{
    drv::mouse_button(p, drv::Button::Left, true);
    drv::mouse_button(p, drv::Button::Left, false);
    pump();
}

void click(const RECT &r) { click(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}); }

uint32_t desk(int x, int y) { return user32::desktop_image().row(y)[x]; }

std::vector<Seen> closing(HWND w) { return msgseq::select(w, {WM_SYSCOMMAND, WM_CLOSE}); }

const std::vector<Seen> kClosed = {{nullptr, WM_SYSCOMMAND, SC_CLOSE, 0, Sent}, {nullptr, WM_CLOSE, 0, 0, Sent}};

} // namespace

TEST(WindowFrame, TheCloseBoxIsDrawnExactlyWhereItIsHitAndCloses)
{
    HWND w = recorder(WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME);
    RECT r = button(w, HTCLOSE);
    EXPECT_EQ(r.right - r.left, 16);
    EXPECT_EQ(r.bottom - r.top, 14);
    // The raised square's outer corners are the rectangle's corners.
    EXPECT_EQ(desk(r.left, r.top), kLight);
    EXPECT_EQ(desk(r.right - 1, r.bottom - 1), kBlack);
    EXPECT_EQ(desk(r.left + 1, r.top + 1), kWhite);
    EXPECT_NE(desk(r.left - 1, r.top), kLight);     // caption blue beside it
    EXPECT_NE(desk(r.right, r.bottom - 1), kBlack);
    // No minimise or maximise box without their styles.
    RECT none = button(w, HTMAXBUTTON);
    EXPECT_TRUE(IsRectEmpty(&none));
    EXPECT_EQ(SendMessageA(w, WM_NCHITTEST, 0, MAKELPARAM(r.left, r.top)), HTCLOSE);
    EXPECT_EQ(SendMessageA(w, WM_NCHITTEST, 0, MAKELPARAM(r.left - 1, r.top)), HTCAPTION);
    click(r);
    EXPECT_FALSE(IsWindow(w));   // the default WM_CLOSE destroys it
    EXPECT_SEQUENCE("close box", kClosed, closing(w), false);
}

TEST(WindowFrame, AltF4ClosesEveryTopLevelWindowWithOrWithoutACaption)
{
    for (DWORD style : {DWORD(WS_POPUP | WS_CAPTION | WS_SYSMENU), DWORD(WS_POPUP | WS_BORDER), DWORD(WS_POPUP)}) {
        msgseq::log().clear();
        HWND w = recorder(style);
        SetFocus(w);
        drv::key(VK_MENU, true);
        drv::key(VK_F4, true);
        drv::key(VK_F4, false);
        drv::key(VK_MENU, false);
        pump();
        EXPECT_FALSE(IsWindow(w)) << std::hex << style;
        EXPECT_SEQUENCE("Alt+F4", kClosed, closing(w), false);
    }
}

TEST(WindowFrame, AGreyedCloseIsDrawnEtchedAndRefusesEveryWayOfClosing)
{
    HWND w = recorder(WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME);
    RECT r = button(w, HTCLOSE);
    int blackBefore = 0;
    for (int y = r.top + 2; y < r.bottom - 2; ++y)
        for (int x = r.left + 2; x < r.right - 2; ++x) blackBefore += desk(x, y) == kBlack;
    EXPECT_GT(blackBefore, 10);
    HMENU sys = GetSystemMenu(w, FALSE);
    ASSERT_NE(sys, nullptr);
    EXPECT_EQ(EnableMenuItem(sys, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED), MF_ENABLED);
    int black = 0, grey = 0;
    for (int y = r.top + 2; y < r.bottom - 2; ++y)
        for (int x = r.left + 2; x < r.right - 2; ++x) {
            black += desk(x, y) == kBlack;
            grey += desk(x, y) == kGrey;
        }
    EXPECT_EQ(black, 0);
    EXPECT_GT(grey, 10);
    click(r);
    SetFocus(w);
    drv::key(VK_MENU, true);
    drv::key(VK_F4, true);
    drv::key(VK_F4, false);
    drv::key(VK_MENU, false);
    drv::close_request(w);
    pump();
    EXPECT_TRUE(IsWindow(w));
    EXPECT_TRUE(msgseq::select(w, {WM_CLOSE}).empty());
    // Back to the default menu: closing works again.
    GetSystemMenu(w, TRUE);
    drv::close_request(w);
    pump();
    EXPECT_FALSE(IsWindow(w));
}

TEST(WindowFrame, TheMainWindowMaximisesMinimisesToACaptionAndRestores)
{
    HWND w = main_window();
    ASSERT_NE(w, nullptr);
    RECT normal;
    GetWindowRect(w, &normal);
    RECT max = button(w, HTMAXBUTTON), min = button(w, HTMINBUTTON), close = button(w, HTCLOSE);
    EXPECT_EQ(max.right + 2, close.left);   // a gap before close, then maximise and minimise side by side
    EXPECT_EQ(min.right, max.left);
    EXPECT_EQ(desk(min.left, min.top), kLight);

    click(max);
    EXPECT_TRUE(GetWindowLongA(w, GWL_STYLE) & WS_MAXIMIZE);
    RECT client;
    GetClientRect(w, &client);
    EXPECT_EQ(client.right, 1024);
    click(button(w, HTMAXBUTTON));   // now the restore button
    EXPECT_FALSE(GetWindowLongA(w, GWL_STYLE) & WS_MAXIMIZE);
    RECT back;
    GetWindowRect(w, &back);
    EXPECT_TRUE(EqualRect(&back, &normal));

    ShowWindow(w, SW_SHOWMAXIMIZED);
    click(button(w, HTMINBUTTON));
    EXPECT_TRUE(GetWindowLongA(w, GWL_STYLE) & WS_MINIMIZE);
    RECT iconic;
    GetWindowRect(w, &iconic);
    EXPECT_EQ(iconic.left, 0);
    EXPECT_EQ(iconic.right, 160);
    EXPECT_EQ(iconic.bottom, 768);
    GetClientRect(w, &client);
    EXPECT_EQ(client.bottom, 0);
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    ASSERT_TRUE(GetWindowPlacement(w, &wp));
    EXPECT_EQ(wp.showCmd, static_cast<UINT>(SW_SHOWMINIMIZED));
    EXPECT_TRUE(EqualRect(&wp.rcNormalPosition, &normal));
    // A click on the caption brings it back as it was: maximised.
    click(POINT{iconic.left + 30, iconic.top + 10});
    EXPECT_FALSE(GetWindowLongA(w, GWL_STYLE) & WS_MINIMIZE);
    EXPECT_TRUE(GetWindowLongA(w, GWL_STYLE) & WS_MAXIMIZE);
    GetClientRect(w, &client);
    EXPECT_EQ(client.right, 1024);
    std::vector<Seen> expected = {{w, WM_SYSCOMMAND, SC_MAXIMIZE, 0, Sent}, {w, WM_SYSCOMMAND, SC_RESTORE, 0, Sent},
                                  {w, WM_SYSCOMMAND, SC_MINIMIZE, 0, Sent}, {w, WM_SYSCOMMAND, SC_RESTORE, 0, Sent}};
    EXPECT_SEQUENCE("max, restore, min, restore", expected, msgseq::select(w, {WM_SYSCOMMAND}), false);
}
