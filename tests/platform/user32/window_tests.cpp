// Window objects: handles that go stale safely, the tree and its z-order,
// destruction order, geometry, showing and maximising, text.
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

} // namespace

TEST(Windows, DestroyedHandlesGoStaleAndAreNeverReused)
{
    HWND a = top("a");
    HWND kid = child(a, 3);
    ASSERT_TRUE(DestroyWindow(a));
    EXPECT_FALSE(IsWindow(a));
    EXPECT_FALSE(IsWindow(kid));
    // Every call on a stale handle fails without harm.
    char buf[4] = "xyz";
    EXPECT_FALSE(DestroyWindow(a));
    EXPECT_FALSE(SetWindowTextA(a, "t"));
    EXPECT_EQ(GetWindowTextA(a, buf, sizeof buf), 0);
    EXPECT_STREQ(buf, "");
    EXPECT_FALSE(PostMessageA(a, WM_USER, 0, 0));
    EXPECT_EQ(SendMessageA(a, WM_GETTEXTLENGTH, 0, 0), 0);
    EXPECT_EQ(SetTimer(a, 1, 10, nullptr), 0u);
    EXPECT_FALSE(ShowWindow(a, SW_SHOW));
    EXPECT_EQ(GetDlgItem(a, 3), nullptr);
    MSG m;
    EXPECT_EQ(GetMessageA(&m, a, 0, 0), -1);
    // A new window never takes an old handle.
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

TEST(Windows, NewChildGoesToTheBottomAndIdsFindControls)
{
    HWND a = top("a");
    HWND first = child(a, 10, 0), second = child(a, 11, 10), minus = child(a, -1, 0);
    const user32::Window *w = user32::find(a);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->children, (std::vector<HWND>{first, second, minus}));
    EXPECT_EQ(GetDlgItem(a, 11), second);
    EXPECT_EQ(GetDlgItem(a, -1), minus);
    EXPECT_EQ(GetDlgCtrlID(minus), -1);
    // The point where two siblings overlap belongs to the one on top: the first.
    POINT o{0, 0};
    ClientToScreen(a, &o);
    EXPECT_EQ(user32::window_at(POINT{o.x + 12, o.y + 5}), first);
    SetWindowPos(second, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(user32::window_at(POINT{o.x + 12, o.y + 5}), second);
    EnableWindow(second, FALSE);
    // A disabled child leaves the point to the one below it... or its parent.
    EXPECT_EQ(user32::window_at(POINT{o.x + 25, o.y + 5}), a);
}

// A child moved partly out of its parent's client area is cut off there: the
// caption and the menu bar above it still take the clicks.
TEST(Windows, AChildMovedOutOfTheClientAreaDoesNotTakePointsBeyondIt)
{
    HWND a = top("a");
    HWND up = child(a, 10, 40);
    SetWindowPos(up, nullptr, 40, -15, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    POINT o{0, 0};
    ClientToScreen(a, &o);
    EXPECT_EQ(user32::window_at(POINT{o.x + 45, o.y + 2}), up);
    EXPECT_EQ(user32::window_at(POINT{o.x + 45, o.y - 5}), a);
    EXPECT_EQ(SendMessageA(a, WM_NCHITTEST, 0, MAKELPARAM(o.x + 45, o.y - 5)), HTCAPTION);
    // Beyond the right edge too.
    RECT r;
    GetClientRect(a, &r);
    SetWindowPos(up, nullptr, r.right - 10, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(user32::window_at(POINT{o.x + r.right - 5, o.y + 35}), up);
    EXPECT_EQ(user32::window_at(POINT{o.x + r.right + 2, o.y + 35}), a);
}

TEST(Windows, FrameAndClientRectanglesFollowTheStyle)
{
    HWND a = top("a", WS_POPUP | WS_CAPTION | WS_VISIBLE);
    RECT c, r;
    GetClientRect(a, &c);
    GetWindowRect(a, &r);
    EXPECT_EQ(r.right - r.left, 300);
    // A fixed frame of 3 on each side and a 19-pixel caption.
    EXPECT_EQ(c.right, 300 - 6);
    EXPECT_EQ(c.bottom, 200 - 6 - 19);
    POINT p{0, 0};
    ClientToScreen(a, &p);
    EXPECT_EQ(p.x, 103);
    EXPECT_EQ(p.y, 50 + 3 + 19);
    RECT adj{0, 0, 100, 100};
    AdjustWindowRectEx(&adj, WS_OVERLAPPEDWINDOW, TRUE, 0);
    EXPECT_EQ(adj.left, -4);
    EXPECT_EQ(adj.top, -4 - 19 - 19);
    const user32::Window *w = user32::find(a);
    EXPECT_EQ(w->surface.canvas.width, c.right);
    EXPECT_EQ(w->surface.canvas.height, c.bottom);
}

TEST(Windows, MaximisedWindowFillsTheDesktopAndRemembersItsNormalPlace)
{
    HWND a = top("a");
    WINDOWPLACEMENT wp{};
    EXPECT_FALSE(GetWindowPlacement(a, &wp));   // length not set
    wp.length = sizeof wp;
    ShowWindow(a, SW_SHOWMAXIMIZED);
    ASSERT_TRUE(GetWindowPlacement(a, &wp));
    EXPECT_EQ(wp.showCmd, static_cast<UINT>(SW_SHOWMAXIMIZED));
    EXPECT_EQ(wp.flags, 0u);
    EXPECT_EQ(wp.rcNormalPosition.left, 100);
    EXPECT_EQ(wp.rcNormalPosition.bottom, 250);
    RECT c;
    GetClientRect(a, &c);
    EXPECT_EQ(c.right, 1024);
    EXPECT_EQ(c.bottom, 768 - 19);
    POINT p{0, 0};
    ClientToScreen(a, &p);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 19);
    EXPECT_EQ(user32::find(a)->surface.canvas.width, 1024);
    ShowWindow(a, SW_RESTORE);
    GetWindowPlacement(a, &wp);
    EXPECT_EQ(wp.showCmd, static_cast<UINT>(SW_SHOWNORMAL));
    RECT r;
    GetWindowRect(a, &r);
    EXPECT_TRUE(EqualRect(&r, &wp.rcNormalPosition));
    EXPECT_EQ(r.right, 400);

    // Maximised again on a smaller desktop, it fills that one.
    drv::headless().set_desktop_size(SIZE{800, 600});
    ShowWindow(a, SW_SHOWMAXIMIZED);
    GetClientRect(a, &c);
    EXPECT_EQ(c.right, 800);
    EXPECT_EQ(c.bottom, 600 - 19);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 800);
}

TEST(Windows, ShowingActivatesAndFocusesAndHidingHandsActivationToTheOwner)
{
    HWND a = top("a");
    EXPECT_EQ(GetActiveWindow(), a);
    EXPECT_EQ(GetFocus(), a);
    HWND b = CreateWindowExA(0, msgseq::recorder_class(), "b", WS_POPUP, 0, 0, 50, 50, a, nullptr, nullptr, nullptr);
    EXPECT_FALSE(IsWindowVisible(b));
    msgseq::log().clear();
    EXPECT_FALSE(ShowWindow(b, SW_SHOW));
    EXPECT_TRUE(IsWindowVisible(b));
    EXPECT_EQ(GetActiveWindow(), b);
    EXPECT_EQ(GetFocus(), b);
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

TEST(Windows, TextCopiesAreBoundedAndCountTheTerminator)
{
    HWND a = top("Quenmire");
    char buf[5];
    EXPECT_EQ(GetWindowTextA(a, buf, sizeof buf), 4);
    EXPECT_STREQ(buf, "Quen");
    EXPECT_EQ(GetWindowTextLengthA(a), 8);
    child(a, 7);
    EXPECT_TRUE(SetDlgItemTextA(a, 7, "item"));
    EXPECT_EQ(GetDlgItemTextA(a, 7, buf, sizeof buf), 4u);   // the whole of it fits, NUL included
    EXPECT_STREQ(buf, "item");
    buf[0] = 'x';
    EXPECT_EQ(GetDlgItemTextA(a, 99, buf, sizeof buf), 0u);
    EXPECT_STREQ(buf, "");
    EXPECT_EQ(GetWindowTextA(a, buf, 0), 0);
}

TEST(Windows, RectangleHelpersExcludeTheRightAndBottomEdges)
{
    RECT r{10, 20, 30, 40};
    EXPECT_TRUE(PtInRect(&r, POINT{10, 20}));
    EXPECT_TRUE(PtInRect(&r, POINT{29, 39}));
    EXPECT_FALSE(PtInRect(&r, POINT{30, 39}));
    EXPECT_FALSE(PtInRect(&r, POINT{29, 40}));
    EXPECT_FALSE(PtInRect(nullptr, POINT{0, 0}));
    RECT a{0, 0, 10, 10}, b{10, 0, 20, 10}, out;
    EXPECT_FALSE(IntersectRect(&out, &a, &b));
    EXPECT_TRUE(UnionRect(&out, &a, &b));
    EXPECT_EQ(out.right, 20);
}

TEST(Windows, MulDivRoundsHalvesAwayFromZeroAndRefusesOverflow)
{
    EXPECT_EQ(MulDiv(60, 6, 4), 90);
    EXPECT_EQ(MulDiv(229, 6, 4), 344);    // 343.5
    EXPECT_EQ(MulDiv(123, 13, 8), 200);   // 199.875
    EXPECT_EQ(MulDiv(-3, 1, 2), -2);
    EXPECT_EQ(MulDiv(3, 1, -2), -2);
    EXPECT_EQ(MulDiv(1, 1, 4), 0);
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
    EXPECT_EQ(MulDiv(0x40000000, 4, 1), -1);
}

TEST(Windows, FocusLeavingAControlGoesBackToItsDialogNotToTheControl)
{
    HWND a = top("a");
    HWND k1 = child(a, 1), k2 = child(a, 2);
    SetFocus(k1);
    ShowWindow(k1, SW_HIDE);
    EXPECT_EQ(GetFocus(), a);
    SetFocus(k2);
    DestroyWindow(k2);
    EXPECT_EQ(GetFocus(), a);
    EXPECT_TRUE(IsWindow(k1));
}
