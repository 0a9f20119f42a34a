// Window DCs, the erase of a shown window, the dialog font, and the
// compositor's desktop image.
#include "platform/rc/embedded.h"
#include "support/golden.h"

#include "driver/headless/headless.h"
#include "rc/module.h"

#include "gdi32/png.h"
#include "user32/compositor.h"
#include "user32/window_internal.h"

#include <gtest/gtest.h>

namespace {

const uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kFace = 0xC0C0C0, kTeal = 0x008080;

// A class that paints nothing itself; its background is the face colour.
const char *plain_class()
{
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.lpszClassName = "CompositorTestWindow";
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_3DFACE + 1));
        return RegisterClassA(&wc) != 0;
    }();
    return registered ? "CompositorTestWindow" : nullptr;
}

// A dialog-like popup: modal frame and caption, 3 + 19 pixels above its client area.
HWND popup(int x, int y, int w, int h, const char *title = "Rune")
{
    return CreateWindowExA(WS_EX_DLGMODALFRAME, plain_class(), title, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
                           x, y, w, h, nullptr, nullptr, nullptr, nullptr);
}

HWND child(HWND parent, int x, int y, int w, int h)
{
    return CreateWindowExA(0, plain_class(), "", WS_CHILD | WS_VISIBLE, x, y, w, h, parent, nullptr, nullptr, nullptr);
}

void fill(HWND hwnd, RECT r, COLORREF c)
{
    HDC dc = GetDC(hwnd);
    HBRUSH b = CreateSolidBrush(c);
    FillRect(dc, &r, b);
    DeleteObject(b);
    ReleaseDC(hwnd, dc);
}

uint32_t desk(int x, int y) { return user32::desktop_image().row(y)[x]; }

void pump()
{
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
}

} // namespace

TEST(WindowDC, StateResetsWhenReleasedAndStaleHandlesFail)
{
    HWND w = popup(0, 0, 100, 100);
    HDC dc = GetDC(w);
    SetBkMode(dc, TRANSPARENT);
    EXPECT_EQ(ReleaseDC(w, dc), 1);
    EXPECT_EQ(ReleaseDC(w, dc), 0);
    dc = GetDC(w);
    EXPECT_EQ(SetBkMode(dc, OPAQUE), OPAQUE);
    ReleaseDC(w, dc);
    HDC mem = CreateCompatibleDC(nullptr);   // not given back through ReleaseDC
    EXPECT_EQ(ReleaseDC(w, mem), 0);
    DeleteDC(mem);
    // Drawing through a DC whose window has gone does nothing, safely.
    dc = GetDC(w);
    DestroyWindow(w);
    RECT r{0, 0, 50, 50};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EXPECT_EQ(GetPixel(dc, 1, 1), CLR_INVALID);
    ReleaseDC(w, dc);
    EXPECT_EQ(GetDC(w), nullptr);
}

TEST(Compositor, ChildrenLieAboveTheirParentClippedToItsClientAreaInZOrder)
{
    HWND parent = popup(100, 50, 200, 150);
    HWND kid = child(parent, -5, -5, 20, 20), second = child(parent, 10, 10, 30, 30);
    fill(kid, RECT{0, 0, 20, 20}, RGB(0, 255, 0));
    fill(second, RECT{0, 0, 30, 30}, RGB(255, 0, 0));
    fill(parent, RECT{0, 0, 200, 200}, RGB(0, 0, 255));   // never over its children
    EXPECT_EQ(desk(103, 72), kGreen);            // the child's visible part, from the client origin
    EXPECT_EQ(desk(103 + 12, 72 + 12), kGreen);  // the first child lies over the second
    EXPECT_EQ(desk(103 + 15, 72 + 15), kRed);
    EXPECT_EQ(desk(102, 72), kFace);             // the part off the client area stays hidden
    EXPECT_EQ(desk(103, 71), kFace);
    SetWindowPos(second, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(desk(103 + 12, 72 + 12), kRed);
}

TEST(Compositor, OnlyWhatChangedIsComposedAgain)
{
    HWND a = popup(0, 0, 100, 100);
    HWND b = popup(300, 300, 100, 100);
    // Marks on the desktop that only a new composition of their place removes.
    gfx::Canvas d = user32::desktop_image();
    d.row(200)[200] = 0x123456;
    d.row(340)[330] = 0x123456;   // inside b's client area
    fill(a, RECT{0, 0, 5, 5}, RGB(255, 0, 0));
    EXPECT_EQ(desk(3, 22), kRed);
    EXPECT_EQ(desk(330, 340), 0x123456u);
    // Moving a window composes its old and new places only. (Activating it
    // would raise it, a new order of windows that composes everything.)
    SetWindowPos(a, nullptr, 150, 0, 100, 100, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(desk(3, 22), kTeal);
    EXPECT_EQ(desk(153, 22), kRed);
    EXPECT_EQ(desk(200, 200), 0x123456u);
    fill(b, RECT{0, 0, 1, 1}, RGB(0, 255, 0));
    EXPECT_EQ(desk(330, 340), kFace);
    popup(600, 600, 50, 50);   // a new set of windows: everything is composed again
    EXPECT_EQ(desk(200, 200), kTeal);
}

// Headless, nothing may ever ask for the desktop: the windows that drew since
// it was last composed are held only while they exist.
TEST(Compositor, AWindowThatIsGoneIsNoLongerHeldAsChanged)
{
    HWND kept = popup(0, 0, 100, 100);
    fill(kept, RECT{0, 0, 5, 5}, RGB(255, 0, 0));
    for (int i = 0; i < 50; ++i) {
        HWND shortLived = popup(200, 200, 100, 100);
        fill(child(shortLived, 0, 0, 10, 10), RECT{0, 0, 5, 5}, RGB(0, 255, 0));
        fill(shortLived, RECT{0, 0, 5, 5}, RGB(0, 255, 0));
        DestroyWindow(shortLived);
    }
    EXPECT_EQ(user32::windows_changed(), 1u);
    EXPECT_EQ(desk(3, 22), kRed);
    EXPECT_EQ(desk(203, 222), kTeal);
    EXPECT_EQ(user32::windows_changed(), 0u);
}

TEST(Compositor, DesktopFollowsTheDriversSizeAndSavesAsPng)
{
    auto driver = std::make_unique<drv::HeadlessDriver>();
    drv::HeadlessDriver &headless = *driver;
    drv::install(std::move(driver));
    popup(10, 10, 100, 100);
    headless.set_desktop_size(SIZE{640, 480});
    EXPECT_EQ(user32::desktop_image().width, 640);
    std::string error;
    const std::string path = testing::TempDir() + "desktop.png";
    ASSERT_TRUE(user32::save_desktop_png(path, &error)) << error;
    gfx::Surface back;
    ASSERT_TRUE(gfx::read_png(path, back, &error)) << error;
    EXPECT_EQ(back.canvas.height, 480);
    EXPECT_EQ(back.canvas.row(32)[13], kFace);   // composed afresh at the new size
    EXPECT_FALSE(user32::save_desktop_png("/no/such/folder/desktop.png", &error));
    drv::install(nullptr);
}

TEST(Compositor, ActivationChangesTheCaptionColourAndDisablingKeepsWhatWasDrawn)
{
    HWND a = popup(0, 0, 100, 100);
    popup(300, 0, 100, 100);   // shown and activated above
    EXPECT_EQ(desk(5, 5), 0x808080u);
    SetActiveWindow(a);
    EXPECT_EQ(desk(5, 5), 0x000080u);
    // A message box disables its owner; the owner's own drawing must stay.
    pump();
    fill(a, RECT{0, 0, 100, 100}, RGB(255, 0, 0));
    EnableWindow(a, FALSE);
    pump();
    EnableWindow(a, TRUE);
    pump();
    EXPECT_EQ(desk(50, 50), kRed);
}

TEST(Erase, ShownWindowIsErasedAtOnceAndLaterOnlyWhereInvalidatedWithErasing)
{
    HWND w = popup(0, 0, 100, 100);
    // Erased before anything is dispatched, so what is drawn next stays.
    fill(w, RECT{0, 0, 94, 78}, RGB(255, 0, 0));
    pump();   // the WM_PAINT of being shown: nothing left to erase
    EXPECT_EQ(desk(3 + 50, 22 + 50), kRed);
    RECT part{10, 10, 20, 20}, other{30, 30, 40, 40};
    InvalidateRect(w, &part, TRUE);
    pump();
    InvalidateRect(w, &other, FALSE);
    pump();
    EXPECT_EQ(desk(3 + 15, 22 + 15), kFace);   // erased where invalidated with erasing
    EXPECT_EQ(desk(3 + 35, 22 + 35), kRed);    // not where invalidated without
}

TEST(DialogFont, TemplateFontAt96DotsPerInchSharedByEveryDialogAskingForIt)
{
    size_t size = 0;
    const unsigned char *image = stonecall_res(&size);
    HINSTANCE module = rc::register_module(image, size);
    const DLGPROC proc = [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; };
    const auto font = [&](int id) {
        return reinterpret_cast<HFONT>(SendMessageA(CreateDialogParamA(module, MAKEINTRESOURCE(id), nullptr, proc, 0),
                                                    WM_GETFONT, 0, 0));
    };
    LOGFONTA lf{};
    ASSERT_EQ(GetObjectA(font(2), sizeof lf, &lf), static_cast<int>(sizeof lf));
    EXPECT_STREQ(lf.lfFaceName, "Nosferatu");
    EXPECT_EQ(lf.lfHeight, -16);   // 12 points
    EXPECT_EQ(font(2), font(2));
    HFONT sans = font(6);
    ASSERT_EQ(GetObjectA(sans, sizeof lf, &lf), static_cast<int>(sizeof lf));
    EXPECT_STREQ(lf.lfFaceName, "MS Sans Serif");
    EXPECT_EQ(lf.lfHeight, -11);   // 8 points: the 13-pixel face
    EXPECT_TRUE(DeleteObject(sans));   // the program may try: the font stays
    EXPECT_EQ(GetObjectA(sans, sizeof lf, &lf), static_cast<int>(sizeof lf));
}

TEST(Golden, DialogFrameCaptionAndBackground)
{
    HWND under = CreateWindowExA(0, plain_class(), "Quenmire Stonecall", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300,
                                 200, nullptr, nullptr, nullptr, nullptr);
    fill(under, RECT{0, 0, 300, 200}, RGB(255, 216, 170));
    HWND dlg = popup(120, 90, 220, 130, "Meaning of Position");
    HWND kid = CreateWindowExA(WS_EX_CLIENTEDGE, plain_class(), "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 10, 10, 150,
                               60, dlg, nullptr, nullptr, nullptr);
    fill(kid, RECT{0, 0, 200, 200}, RGB(255, 255, 255));
    gfx::Surface crop(360, 240);
    gfx::blit(crop.canvas, 0, 0, user32::desktop_image(), gfx::Rect{0, 0, 360, 240}, gfx::bounds(crop.canvas));
    EXPECT_TRUE(matches_golden(crop.canvas, "desktop_dialog"));
}
