// Window frames: the caption's buttons drawn where they are hit-tested, and
// every way of closing a top-level window ending in WM_CLOSE through
// WM_SYSCOMMAND SC_CLOSE; minimise and maximise on the main window.
#include "platform/rc/embedded.h"
#include "support/msgseq.h"
#include "support/person.h"

#include "driver/driver.h"
#include "rc/module.h"
#include "user32/compositor.h"
#include "user32/window_internal.h"

#include <gtest/gtest.h>

using msgseq::Seen;
using msgseq::Sent;

namespace {

HWND framed(DWORD style, DWORD ex = 0)
{
    return CreateWindowExA(ex, msgseq::recorder_class(), "Framed", style | WS_VISIBLE, 40, 30, 240, 160, nullptr,
                           nullptr, nullptr, nullptr);
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
    RECT r = user32::caption_button_rect(*user32::find(w), which), wr;
    GetWindowRect(w, &wr);
    OffsetRect(&r, wr.left, wr.top);
    return r;
}

void click(const RECT &r)
{
    testsupport::Person::click(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    pump();
}

void alt_f4(HWND w)
{
    SetFocus(w);
    testsupport::Person::tap(VK_F4, VK_MENU);
    pump();
}

// How many pixels inside the close box's raised edge are of a colour.
int inside(const RECT &r, uint32_t colour)
{
    int n = 0;
    for (int y = r.top + 2; y < r.bottom - 2; ++y)
        for (int x = r.left + 2; x < r.right - 2; ++x) n += user32::desktop_image().row(y)[x] == colour;
    return n;
}

const std::vector<Seen> kClosed = {{nullptr, WM_SYSCOMMAND, SC_CLOSE, 0, Sent}, {nullptr, WM_CLOSE, 0, 0, Sent}};

} // namespace

TEST(WindowFrame, TheCloseBoxIsDrawnWhereItIsHitAndItAndAltF4CloseAnyWindow)
{
    HWND w = framed(WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME);
    RECT r = button(w, HTCLOSE);
    EXPECT_EQ(r.right - r.left, 16);
    EXPECT_EQ(r.bottom - r.top, 14);
    // The raised square's outer corners are the rectangle's corners.
    EXPECT_EQ(user32::desktop_image().row(r.top)[r.left], 0xDFDFDFu);
    EXPECT_EQ(user32::desktop_image().row(r.top)[r.left - 1], 0x000080u);   // the caption beside it
    EXPECT_EQ(user32::desktop_image().row(r.bottom - 1)[r.right - 1], 0u);
    const RECT none = button(w, HTMAXBUTTON);   // none without the style
    EXPECT_TRUE(IsRectEmpty(&none));
    EXPECT_EQ(SendMessageA(w, WM_NCHITTEST, 0, MAKELPARAM(r.left, r.top)), HTCLOSE);
    EXPECT_EQ(SendMessageA(w, WM_NCHITTEST, 0, MAKELPARAM(r.left - 1, r.top)), HTCAPTION);
    click(r);
    EXPECT_FALSE(IsWindow(w));   // the default WM_CLOSE destroys it
    EXPECT_SEQUENCE("close box", kClosed, msgseq::select(w, {WM_SYSCOMMAND, WM_CLOSE}), false);
    for (DWORD style : {DWORD(WS_POPUP | WS_CAPTION | WS_SYSMENU), DWORD(WS_POPUP)}) {
        msgseq::log().clear();
        HWND other = framed(style);
        alt_f4(other);
        EXPECT_FALSE(IsWindow(other)) << std::hex << style;
        EXPECT_SEQUENCE("Alt+F4", kClosed, msgseq::select(other, {WM_SYSCOMMAND, WM_CLOSE}), false);
    }
}

TEST(WindowFrame, AGreyedCloseIsDrawnEtchedAndRefusesEveryWayOfClosing)
{
    HWND w = framed(WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME);
    RECT r = button(w, HTCLOSE);
    EXPECT_GT(inside(r, 0), 10);
    EXPECT_EQ(EnableMenuItem(GetSystemMenu(w, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED), MF_ENABLED);
    EXPECT_EQ(inside(r, 0), 0);
    EXPECT_GT(inside(r, 0x808080), 10);
    click(r);
    alt_f4(w);
    drv::close_request(w);
    pump();
    EXPECT_TRUE(msgseq::select(w, {WM_CLOSE}).empty());
    GetSystemMenu(w, TRUE);   // back to the default menu: closing works again
    drv::close_request(w);
    pump();
    EXPECT_FALSE(IsWindow(w));
}

TEST(WindowFrame, TheMainWindowMaximisesMinimisesToACaptionAndRestores)
{
    size_t size;
    const unsigned char *image = stonecall_res(&size);
    HWND w = CreateDialogParamA(rc::register_module(image, size), MAKEINTRESOURCEA(5), nullptr,
                                msgseq::recording_dlgproc, 0);
    RECT normal, client, iconic;
    GetWindowRect(w, &normal);
    const RECT max = button(w, HTMAXBUTTON), min = button(w, HTMINBUTTON), close = button(w, HTCLOSE);
    EXPECT_EQ(max.right + 2, close.left);   // a gap before close, then maximise and minimise side by side
    EXPECT_EQ(min.right, max.left);
    click(max);
    GetClientRect(w, &client);
    EXPECT_EQ(client.right, 1024);
    click(button(w, HTMAXBUTTON));   // now the restore button
    GetWindowRect(w, &client);
    EXPECT_TRUE(EqualRect(&client, &normal));
    ShowWindow(w, SW_SHOWMAXIMIZED);
    click(button(w, HTMINBUTTON));
    GetWindowRect(w, &iconic);
    EXPECT_EQ(iconic.left, 0);   // a caption 160 wide at the bottom left
    EXPECT_EQ(iconic.right, 160);
    EXPECT_EQ(iconic.bottom, 768);
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    ASSERT_TRUE(GetWindowPlacement(w, &wp));
    EXPECT_EQ(wp.showCmd, static_cast<UINT>(SW_SHOWMINIMIZED));
    EXPECT_TRUE(EqualRect(&wp.rcNormalPosition, &normal));
    // A click on the caption brings it back as it was: maximised.
    click(RECT{iconic.left + 30, iconic.top + 10, iconic.left + 31, iconic.top + 11});
    EXPECT_TRUE(GetWindowLongA(w, GWL_STYLE) & WS_MAXIMIZE);
    std::vector<Seen> expected = {{w, WM_SYSCOMMAND, SC_MAXIMIZE, 0, Sent}, {w, WM_SYSCOMMAND, SC_RESTORE, 0, Sent},
                                  {w, WM_SYSCOMMAND, SC_MINIMIZE, 0, Sent}, {w, WM_SYSCOMMAND, SC_RESTORE, 0, Sent}};
    EXPECT_SEQUENCE("max, restore, min, restore", expected, msgseq::select(w, {WM_SYSCOMMAND}), false);
}
