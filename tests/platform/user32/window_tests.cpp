// Window objects: handles that go stale safely, the tree and its z-order,
// destruction order, geometry, showing and maximising, focus, text.
#include "support/msgseq.h"

#include "driver/headless/headless.h"
#include "user32/window_internal.h"

#include <gtest/gtest.h>

using msgseq::Seen;
using msgseq::Sent;

namespace {

HWND top(const char *title, DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE)
{
    return CreateWindowExA(0, msgseq::recorder_class(), title, style, 100, 50, 300, 200, nullptr, nullptr, nullptr,
                           nullptr);
}

HWND child(HWND parent, int id, int x = 0)
{
    return CreateWindowExA(0, msgseq::recorder_class(), "", WS_CHILD | WS_VISIBLE, x, 0, 20, 20, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

POINT client_origin(HWND w)
{
    POINT o{0, 0};
    ClientToScreen(w, &o);
    return o;
}

} // namespace

TEST(Windows, DestroyedHandlesGoStaleAndAreNeverReused)
{
    HWND a = top("a");
    HWND kid = child(a, 3);
    ASSERT_TRUE(DestroyWindow(a));
    EXPECT_FALSE(IsWindow(kid));
    // Every call on a stale handle fails without harm.
    char buf[4] = "xyz";
    EXPECT_FALSE(DestroyWindow(a));
    EXPECT_FALSE(SetWindowTextA(a, "t"));
    EXPECT_EQ(GetWindowTextA(a, buf, sizeof buf), 0);
    EXPECT_STREQ(buf, "");
    EXPECT_FALSE(PostMessageA(a, WM_USER, 0, 0));
    EXPECT_EQ(SetTimer(a, 1, 10, nullptr), 0u);
    EXPECT_FALSE(ShowWindow(a, SW_SHOW));
    MSG m;
    EXPECT_EQ(GetMessageA(&m, a, 0, 0), -1);
    for (int i = 0; i < 50; ++i) {
        HWND n = top("n");
        EXPECT_NE(n, a);
        EXPECT_NE(n, kid);
        DestroyWindow(n);
    }
}

TEST(Windows, DestroyTellsTheWindowFirstThenItsChildrenAndOwnedWindowsGoBefore)
{
    HWND a = top("a");
    HWND k1 = child(a, 1), k2 = child(a, 2);
    HWND owned = CreateWindowExA(0, msgseq::recorder_class(), "owned", WS_POPUP, 0, 0, 5, 5, k1, nullptr, nullptr,
                                 nullptr);
    EXPECT_EQ(GetParent(owned), a);   // an owner is always top-level
    msgseq::log().clear();
    DestroyWindow(a);
    EXPECT_SEQUENCE("DestroyWindow",
                    (std::vector<Seen>{{owned, WM_DESTROY, 0, 0, Sent},
                                       {owned, WM_NCDESTROY, 0, 0, Sent},
                                       {a, WM_DESTROY, 0, 0, Sent},
                                       {k1, WM_DESTROY, 0, 0, Sent},
                                       {k2, WM_DESTROY, 0, 0, Sent},
                                       {k1, WM_NCDESTROY, 0, 0, Sent},
                                       {k2, WM_NCDESTROY, 0, 0, Sent},
                                       {a, WM_NCDESTROY, 0, 0, Sent}}),
                    msgseq::select(nullptr, {WM_DESTROY, WM_NCDESTROY}));
}

TEST(Windows, ANewChildGoesToTheBottomAndThePointBelongsToTheTopmostEnabledOne)
{
    HWND a = top("a");
    HWND first = child(a, 10, 0), second = child(a, 11, 10), minus = child(a, -1, 0);
    EXPECT_EQ(user32::find(a)->children, (std::vector<HWND>{first, second, minus}));
    EXPECT_EQ(GetDlgItem(a, 11), second);
    EXPECT_EQ(GetDlgCtrlID(minus), -1);
    const POINT o = client_origin(a);
    EXPECT_EQ(user32::window_at(POINT{o.x + 12, o.y + 5}), first);
    SetWindowPos(second, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(user32::window_at(POINT{o.x + 12, o.y + 5}), second);
    EnableWindow(second, FALSE);   // a disabled child leaves the point to what lies below
    EXPECT_EQ(user32::window_at(POINT{o.x + 25, o.y + 5}), a);
}

// A child moved partly out of its parent's client area is cut off there: the
// caption and the menu bar above it still take the clicks.
TEST(Windows, AChildMovedOutOfTheClientAreaDoesNotTakePointsBeyondIt)
{
    HWND a = top("a");
    HWND up = child(a, 10, 40);
    SetWindowPos(up, nullptr, 40, -15, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const POINT o = client_origin(a);
    EXPECT_EQ(user32::window_at(POINT{o.x + 45, o.y + 2}), up);
    EXPECT_EQ(user32::window_at(POINT{o.x + 45, o.y - 5}), a);
    EXPECT_EQ(SendMessageA(a, WM_NCHITTEST, 0, MAKELPARAM(o.x + 45, o.y - 5)), HTCAPTION);
    RECT r;
    GetClientRect(a, &r);
    SetWindowPos(up, nullptr, r.right - 10, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(user32::window_at(POINT{o.x + r.right - 5, o.y + 35}), up);
    EXPECT_EQ(user32::window_at(POINT{o.x + r.right + 2, o.y + 35}), a);
}

TEST(Windows, FrameAndClientFollowTheStyleAndAMaximisedWindowFillsTheDesktop)
{
    HWND a = top("a", WS_POPUP | WS_CAPTION | WS_VISIBLE);
    RECT c;
    GetClientRect(a, &c);
    // A fixed frame of 3 on each side and a 19-pixel caption.
    EXPECT_EQ(c.right, 300 - 6);
    EXPECT_EQ(c.bottom, 200 - 6 - 19);
    EXPECT_EQ(client_origin(a).y, 50 + 3 + 19);
    EXPECT_EQ(user32::find(a)->surface.canvas.height, c.bottom);
    RECT adj{0, 0, 100, 100};
    AdjustWindowRectEx(&adj, WS_OVERLAPPEDWINDOW, TRUE, 0);
    EXPECT_EQ(adj.left, -4);
    EXPECT_EQ(adj.top, -4 - 19 - 19);

    HWND b = top("b");
    WINDOWPLACEMENT wp{};
    EXPECT_FALSE(GetWindowPlacement(b, &wp));   // length not set
    wp.length = sizeof wp;
    ShowWindow(b, SW_SHOWMAXIMIZED);
    ASSERT_TRUE(GetWindowPlacement(b, &wp));
    EXPECT_EQ(wp.showCmd, static_cast<UINT>(SW_SHOWMAXIMIZED));
    EXPECT_EQ(wp.rcNormalPosition.bottom, 250);
    GetClientRect(b, &c);
    EXPECT_EQ(c.bottom, 768 - 19);   // the frame off the desktop, the caption on it
    EXPECT_EQ(client_origin(b).x, 0);
    EXPECT_EQ(user32::find(b)->surface.canvas.width, 1024);
    ShowWindow(b, SW_RESTORE);
    GetWindowPlacement(b, &wp);
    EXPECT_EQ(wp.showCmd, static_cast<UINT>(SW_SHOWNORMAL));
    RECT r;
    GetWindowRect(b, &r);
    EXPECT_TRUE(EqualRect(&r, &wp.rcNormalPosition));
    // Maximised again on a smaller desktop, it fills that one.
    drv::headless().set_desktop_size(SIZE{800, 600});
    ShowWindow(b, SW_SHOWMAXIMIZED);
    GetClientRect(b, &c);
    EXPECT_EQ(c.right, 800);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 600);
}

TEST(Windows, ShowingActivatesAndFocusesAndHidingHandsActivationToTheOwner)
{
    HWND a = top("a");
    EXPECT_EQ(GetFocus(), a);
    HWND b = CreateWindowExA(0, msgseq::recorder_class(), "b", WS_POPUP, 0, 0, 50, 50, a, nullptr, nullptr, nullptr);
    msgseq::log().clear();
    EXPECT_FALSE(ShowWindow(b, SW_SHOW));
    // Last, the window is erased at once through a DC of its own.
    const WPARAM eraseDC = msgseq::log().empty() ? 0 : msgseq::log().back().wp;
    EXPECT_NE(eraseDC, 0u);
    EXPECT_SEQUENCE("ShowWindow(SW_SHOW)",
                    (std::vector<Seen>{{b, WM_SHOWWINDOW, TRUE, 0, Sent},
                                       {a, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(b), Sent},
                                       {b, WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(a), Sent},
                                       {a, WM_KILLFOCUS, reinterpret_cast<WPARAM>(b), 0, Sent},
                                       {b, WM_SETFOCUS, reinterpret_cast<WPARAM>(a), 0, Sent},
                                       {b, WM_ERASEBKGND, eraseDC, 0, Sent}}),
                    msgseq::log());
    EXPECT_EQ(user32::top_level_windows().front(), b);
    EXPECT_TRUE(ShowWindow(b, SW_HIDE));
    EXPECT_EQ(GetActiveWindow(), a);
    EXPECT_EQ(GetFocus(), a);
    DestroyWindow(a);
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
}

TEST(Windows, FocusLeavingAControlGoesBackToItsParentNotToAnotherControl)
{
    HWND a = top("a");
    HWND k1 = child(a, 1), k2 = child(a, 2);
    SetFocus(k1);
    ShowWindow(k1, SW_HIDE);
    EXPECT_EQ(GetFocus(), a);
    SetFocus(k2);
    DestroyWindow(k2);
    EXPECT_EQ(GetFocus(), a);
}

TEST(Windows, TextCopiesAreBoundedAndCountTheTerminator)
{
    HWND a = top("Quenmire");
    char buf[5];
    EXPECT_EQ(GetWindowTextA(a, buf, sizeof buf), 4);
    EXPECT_STREQ(buf, "Quen");
    EXPECT_EQ(GetWindowTextLengthA(a), 8);
    EXPECT_EQ(GetWindowTextA(a, buf, 0), 0);
    child(a, 7);
    EXPECT_TRUE(SetDlgItemTextA(a, 7, "item"));
    EXPECT_EQ(GetDlgItemTextA(a, 7, buf, sizeof buf), 4u);   // the whole of it fits, NUL included
    EXPECT_EQ(GetDlgItemTextA(a, 99, buf, sizeof buf), 0u);
    EXPECT_STREQ(buf, "");
}

TEST(Windows, MulDivRoundsHalvesAwayFromZeroAndRefusesOverflow)
{
    const struct {
        int a, b, c, result;
    } cases[] = {{229, 6, 4, 344}, {123, 13, 8, 200}, {-3, 1, 2, -2}, {3, 1, -2, -2}, {1, 1, 4, 0}, {1, 1, 0, -1},
                 {0x40000000, 4, 1, -1}};
    for (const auto &c : cases) EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.result) << c.a << " " << c.b << " " << c.c;
}
