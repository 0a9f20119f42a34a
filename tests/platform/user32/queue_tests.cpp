// The queue: the order messages come out in, the window and range filters,
// WM_QUIT, WM_PAINT made on demand, and characters made from keys.
#include "support/msgseq.h"

#include "driver/headless/headless.h"
#include "driver/driver.h"

#include <gtest/gtest.h>

using msgseq::Posted;
using msgseq::Seen;
using msgseq::Sent;

namespace {

HWND top(const char *title, HWND parent = nullptr)
{
    const DWORD style = parent ? WS_CHILD | WS_VISIBLE : WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    HWND w = CreateWindowExA(0, msgseq::recorder_class(), title, style, 10, 10, 200, 150, parent, nullptr, nullptr,
                             nullptr);
    MSG m;
    for (int guard = 0; guard < 100 && PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE); ++guard) DispatchMessageA(&m);
    msgseq::log().clear();
    return w;
}

// The message of the next PeekMessageA with a filter; 0 when none comes.
UINT peek(HWND filter = nullptr, UINT min = 0, UINT max = 0, UINT remove = PM_REMOVE)
{
    MSG m;
    return PeekMessageA(&m, filter, min, max, remove) ? m.message : 0;
}

} // namespace

TEST(MessageQueue, PostedComeBeforeInputBeforePaintBeforeTimerAndSentAtOnce)
{
    HWND w = top("order");
    SetTimer(w, 7, 100, nullptr);
    drv::headless().set_now(100);
    InvalidateRect(w, nullptr, FALSE);
    drv::key('A', true);
    drv::key('A', false);
    PostMessageA(w, WM_USER + 1, 11, 22);
    EXPECT_EQ(SendMessageA(w, WM_USER + 2, 33, 44), 0);
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
    EXPECT_SEQUENCE("GetMessageA order",
                    (std::vector<Seen>{{w, WM_USER + 2, 33, 44, Sent},
                                       {w, WM_USER + 1, 11, 22, Posted},
                                       {w, WM_KEYDOWN, 'A', 1, Posted},
                                       {w, WM_KEYUP, 'A', static_cast<LPARAM>(0xC0000001u), Posted},
                                       {w, WM_PAINT, 0, 0, Posted},
                                       {w, WM_TIMER, 7, 0, Posted}}),
                    msgseq::select(w, {WM_USER + 1, WM_USER + 2, WM_KEYDOWN, WM_KEYUP, WM_PAINT, WM_TIMER}));
}

TEST(MessageQueue, WindowAndRangeFiltersSkipAheadAndLeaveTheRestInOrder)
{
    HWND parent = top("parent");
    HWND c = top("", parent);
    HWND other = top("other");
    PostMessageA(other, WM_USER + 1, 0, 0);
    PostMessageA(nullptr, WM_USER + 2, 0, 0);
    PostMessageA(c, WM_USER + 3, 0, 0);
    PostMessageA(parent, WM_USER + 4, 0, 0);
    PostMessageA(parent, WM_USER + 5, 0, 0);
    drv::key('B', true);
    // A window takes its children's messages but no others' and no thread messages.
    EXPECT_EQ(peek(parent, WM_USER + 4, WM_USER + 9, PM_NOREMOVE), WM_USER + 4u);
    EXPECT_EQ(peek(parent, WM_USER + 5, WM_USER + 5), WM_USER + 5u);
    EXPECT_EQ(peek(parent), WM_USER + 3u);
    EXPECT_EQ(peek(parent), WM_USER + 4u);
    EXPECT_EQ(peek(parent, WM_USER, WM_USER + 9), 0u);
    // Input before posted messages needs the range filter; (HWND)-1 takes thread messages only.
    EXPECT_EQ(peek(nullptr, WM_KEYFIRST, WM_KEYLAST), static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(peek(reinterpret_cast<HWND>(-1)), WM_USER + 2u);
    EXPECT_EQ(peek(), WM_USER + 1u);
    EXPECT_EQ(peek(), 0u);
}

TEST(MessageQueue, QuitComesAfterEarlierPostsAndPassesEveryFilter)
{
    HWND w = top("quit");
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
    EXPECT_EQ(peek(), 0u);
}

TEST(MessageQueue, PaintIsOneMessageWithTheUnionUntilValidatedAndAPostedOneValidatesNothing)
{
    HWND w = top("paint");
    RECT a{0, 0, 10, 10}, b{20, 30, 40, 50};
    InvalidateRect(w, &a, FALSE);
    InvalidateRect(w, &b, TRUE);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(peek(), static_cast<UINT>(WM_PAINT));   // not validated: again and again
    PAINTSTRUCT ps;
    BeginPaint(w, &ps);
    EndPaint(w, &ps);
    const RECT both{0, 0, 40, 50};
    EXPECT_TRUE(EqualRect(&ps.rcPaint, &both));
    // The erase was asked for and the class has no brush: the painter must erase.
    EXPECT_TRUE(ps.fErase);
    EXPECT_SEQUENCE("BeginPaint", (std::vector<Seen>{{w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(ps.hdc), 0, Sent}}),
                    msgseq::log());
    EXPECT_EQ(peek(), 0u);
    PostMessageA(w, WM_PAINT, 0, 0);
    EXPECT_EQ(peek(), static_cast<UINT>(WM_PAINT));
    EXPECT_EQ(peek(), 0u);
    InvalidateRect(w, nullptr, FALSE);
    PostMessageA(w, WM_PAINT, 0, 0);
    EXPECT_EQ(peek(), static_cast<UINT>(WM_PAINT));
    EXPECT_EQ(peek(), static_cast<UINT>(WM_PAINT));
    EXPECT_TRUE(GetUpdateRect(w, nullptr, FALSE));
}

TEST(MessageQueue, TranslateMessageMakesCharactersFromKeysWithShiftAndCapsLock)
{
    HWND w = top("chars");
    const auto typed = [&](std::initializer_list<std::pair<UINT, bool>> keys) {
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

TEST(MessageQueue, MouseMessagesCarryTheirOwnPointAndKeysTheCursor)
{
    HWND w = top("points");
    drv::mouse_button(POINT{40, 60}, drv::Button::Left, true);
    drv::mouse_button(POINT{45, 70}, drv::Button::Left, false);
    drv::key('A', true);
    MSG down{}, up{}, key{};
    ASSERT_TRUE(PeekMessageA(&down, w, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE));
    ASSERT_TRUE(PeekMessageA(&up, w, WM_LBUTTONUP, WM_LBUTTONUP, PM_REMOVE));
    ASSERT_TRUE(PeekMessageA(&key, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
    EXPECT_EQ(down.pt.x, 40);
    EXPECT_EQ(up.pt.y, 70);
    EXPECT_EQ(key.pt.x, 45);
}
