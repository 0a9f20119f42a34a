// The queue: the order messages come out in, the window and range filters,
// WM_QUIT, and WM_PAINT made on demand.
#include "support/msgseq.h"

#include "driver/headless/headless.h"
#include "driver/driver.h"

#include <gtest/gtest.h>

using msgseq::Posted;
using msgseq::Seen;
using msgseq::Sent;

namespace {

HWND top(const char *title, int x = 10)
{
    return CreateWindowExA(0, msgseq::recorder_class(), title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, 10, 200, 150,
                           nullptr, nullptr, nullptr, nullptr);
}

HWND child(HWND parent, int id)
{
    return CreateWindowExA(0, msgseq::recorder_class(), "", WS_CHILD | WS_VISIBLE, 5, 5, 50, 20, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

// Takes and dispatches everything, as a message loop would, and forgets what
// creating the windows logged.
void pump()
{
    MSG m;
    for (int guard = 0; guard < 100 && PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE); ++guard) DispatchMessageA(&m);
}

std::vector<Seen> posted_only(HWND hwnd)
{
    std::vector<Seen> out;
    for (const Seen &s : msgseq::select(hwnd))
        if (s.how == Posted) out.push_back(s);
    return out;
}

} // namespace

TEST(MessageQueue, PostedComeBeforeInputBeforePaintBeforeTimer)
{
    HWND w = top("order");
    pump();
    msgseq::log().clear();
    SetTimer(w, 7, 100, nullptr);
    drv::headless().set_now(100);
    InvalidateRect(w, nullptr, FALSE);
    drv::key('A', true);
    PostMessageA(w, WM_USER + 1, 11, 22);
    PostMessageA(w, WM_USER + 2, 33, 44);
    pump();
    LPARAM down = 1, up = static_cast<LPARAM>(0xC0000001u);
    EXPECT_SEQUENCE("GetMessageA order",
                    (std::vector<Seen>{{w, WM_USER + 1, 11, 22, Posted},
                                       {w, WM_USER + 2, 33, 44, Posted},
                                       {w, WM_KEYDOWN, 'A', down, Posted},
                                       {w, WM_PAINT, 0, 0, Posted},
                                       {w, WM_TIMER, 7, 0, Posted}}),
                    posted_only(w));
    drv::key('A', false);
    pump();
    EXPECT_EQ(posted_only(w).back().lp, up);
}

TEST(MessageQueue, WindowFilterTakesChildrenButNotOthersOrThreadMessages)
{
    HWND parent = top("parent");
    HWND c = child(parent, 5);
    HWND other = top("other", 300);
    pump();
    PostMessageA(other, WM_USER + 1, 1, 0);
    PostMessageA(nullptr, WM_USER + 2, 2, 0);
    PostMessageA(c, WM_USER + 3, 3, 0);
    PostMessageA(parent, WM_USER + 4, 4, 0);
    MSG m;
    ASSERT_TRUE(PeekMessageA(&m, parent, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.hwnd, c);
    EXPECT_EQ(m.message, WM_USER + 3u);
    ASSERT_TRUE(PeekMessageA(&m, parent, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, WM_USER + 4u);
    EXPECT_FALSE(PeekMessageA(&m, parent, 0, 0, PM_REMOVE));
    // (HWND)-1 takes thread messages only.
    ASSERT_TRUE(PeekMessageA(&m, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE));
    EXPECT_EQ(m.hwnd, nullptr);
    EXPECT_EQ(m.message, WM_USER + 2u);
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.hwnd, other);
}

TEST(MessageQueue, RangeFilterSkipsAheadAndLeavesTheRestInOrder)
{
    HWND w = top("range");
    pump();
    PostMessageA(w, WM_USER + 5, 0, 0);
    PostMessageA(w, WM_USER + 1, 0, 0);
    PostMessageA(w, WM_USER + 6, 0, 0);
    drv::key('B', true);
    MSG m;
    // Input before posted messages needs the range filter.
    ASSERT_TRUE(PeekMessageA(&m, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_KEYDOWN));
    ASSERT_TRUE(PeekMessageA(&m, w, WM_USER + 1, WM_USER + 1, PM_REMOVE));
    EXPECT_EQ(m.message, WM_USER + 1u);
    ASSERT_TRUE(PeekMessageA(&m, w, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, WM_USER + 5u);
    ASSERT_TRUE(PeekMessageA(&m, w, WM_USER + 2, WM_USER + 9, PM_NOREMOVE));
    EXPECT_EQ(m.message, WM_USER + 6u);
    ASSERT_TRUE(PeekMessageA(&m, w, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, WM_USER + 6u);
    EXPECT_FALSE(PeekMessageA(&m, w, 0, 0, PM_REMOVE));
}

TEST(MessageQueue, QuitComesAfterEarlierPostsAndPassesEveryFilter)
{
    HWND w = top("quit");
    pump();
    PostMessageA(w, WM_USER + 1, 0, 0);
    PostQuitMessage(42);
    MSG m;
    // A range that only a timer could satisfy, on one window: WM_QUIT still comes.
    ASSERT_TRUE(PeekMessageA(&m, w, WM_TIMER, WM_TIMER, PM_REMOVE));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(m.wParam, 42u);
    PostQuitMessage(43);
    EXPECT_EQ(GetMessageA(&m, nullptr, 0, 0), TRUE);
    EXPECT_EQ(m.message, WM_USER + 1u);
    EXPECT_EQ(GetMessageA(&m, nullptr, 0, 0), FALSE);
    EXPECT_EQ(m.wParam, 43u);
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
}

TEST(MessageQueue, PaintIsOneMessageWithTheUnionUntilValidated)
{
    HWND w = top("paint");
    pump();
    RECT a{0, 0, 10, 10}, b{20, 30, 40, 50};
    InvalidateRect(w, &a, FALSE);
    InvalidateRect(w, &b, TRUE);
    RECT u;
    ASSERT_TRUE(GetUpdateRect(w, &u, FALSE));
    EXPECT_EQ(u.left, 0);
    EXPECT_EQ(u.bottom, 50);
    MSG m;
    // Not validated: it comes again and again.
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
        EXPECT_EQ(m.message, static_cast<UINT>(WM_PAINT));
    }
    PAINTSTRUCT ps;
    msgseq::log().clear();
    BeginPaint(w, &ps);
    EndPaint(w, &ps);
    EXPECT_EQ(ps.rcPaint.right, 40);
    EXPECT_EQ(ps.rcPaint.bottom, 50);
    // The erase was asked for and the class has no brush: the painter must erase.
    EXPECT_TRUE(ps.fErase);
    EXPECT_NE(ps.hdc, nullptr);
    EXPECT_SEQUENCE("BeginPaint", (std::vector<Seen>{{w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(ps.hdc), 0, Sent}}),
                    msgseq::log());
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
}

TEST(MessageQueue, PostedPaintIsAnOrdinaryMessageAndValidatesNothing)
{
    HWND w = top("fake paint");
    pump();
    PostMessageA(w, WM_PAINT, 0, 0);
    MSG m;
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_PAINT));
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    InvalidateRect(w, nullptr, FALSE);
    PostMessageA(w, WM_PAINT, 0, 0);
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_PAINT));
    EXPECT_TRUE(GetUpdateRect(w, nullptr, FALSE));
}

TEST(MessageQueue, SendCallsTheProcedureAtOnceAndDispatchIgnoresThreadMessages)
{
    HWND w = top("send");
    pump();
    msgseq::log().clear();
    EXPECT_EQ(SendMessageA(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("new")), TRUE);
    MSG thread{nullptr, WM_USER, 0, 0, 0, {}};
    EXPECT_EQ(DispatchMessageA(&thread), 0);
    EXPECT_SEQUENCE("SendMessageA", (std::vector<Seen>{{w, WM_SETTEXT, 0, 0, Sent}}), msgseq::log(), false);
    char buf[8];
    EXPECT_EQ(GetWindowTextA(w, buf, sizeof buf), 3);
    EXPECT_STREQ(buf, "new");
}

TEST(MessageQueue, TranslateMessageMakesCharactersFromKeysWithShiftAndCapsLock)
{
    HWND w = top("chars");
    pump();
    auto typed = [&](std::initializer_list<std::pair<UINT, bool>> keys) {
        for (auto [vk, down] : keys) drv::key(vk, down);
        std::string s;
        MSG m;
        for (int guard = 0; guard < 100 && PeekMessageA(&m, w, 0, 0, PM_REMOVE); ++guard) {
            TranslateMessage(&m);
            if (m.message == WM_CHAR) s += static_cast<char>(m.wParam);
        }
        return s;
    };
    EXPECT_EQ(typed({{'Q', true}, {'Q', false}, {'7', true}, {'7', false}}), "q7");
    EXPECT_EQ(typed({{VK_SHIFT, true}, {'Q', true}, {'7', true}, {VK_OEM_1, true}, {VK_SHIFT, false}}), "Q&:");
    EXPECT_EQ(typed({{VK_CAPITAL, true}, {VK_CAPITAL, false}, {'Q', true}, {VK_LEFT, true}, {VK_RETURN, true}}),
              "Q\r");
    EXPECT_EQ(typed({{VK_CONTROL, true}, {'C', true}, {VK_CONTROL, false}}), "\x03");
}
