// Moving windows by the caption and sizing them by the border: the hit test
// of the frame, the modal loop's messages in Windows' order, the limits a
// window gives in WM_GETMINMAXINFO, and Move and Size from the keyboard.
#include "support/dialogs.h"
#include "support/golden.h"
#include "support/msgseq.h"
#include "support/person.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

using msgseq::Any;
using msgseq::Seen;
using testsupport::Person;

namespace {

const POINT kMinTrack{150, 100}, kMaxTrack{400, 300};

// Records every message and answers WM_GETMINMAXINFO with the limits above.
LRESULT CALLBACK limited(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    msgseq::log().push_back(Seen{hwnd, msg, wp, lp, Any});
    if (msg != WM_GETMINMAXINFO) return DefWindowProcA(hwnd, msg, wp, lp);
    auto *mmi = reinterpret_cast<MINMAXINFO *>(lp);
    mmi->ptMinTrackSize = kMinTrack;
    mmi->ptMaxTrackSize = kMaxTrack;
    return 0;
}

HWND window(DWORD style = WS_OVERLAPPEDWINDOW)
{
    return CreateWindowExA(0, msgseq::window_class("SizeProbe", limited), "Probe", style | WS_VISIBLE, 100, 50, 300,
                           200, nullptr, nullptr, nullptr, nullptr);
}

using Edges = std::array<LONG, 4>;

Edges edges(const RECT &r) { return Edges{r.left, r.top, r.right, r.bottom}; }

Edges window_edges(HWND w)
{
    RECT r;
    GetWindowRect(w, &r);
    return edges(r);
}

// The loop's messages, pointers to structures left out.
std::vector<Seen> loop_messages(HWND w)
{
    std::vector<Seen> seen = msgseq::select(w, {WM_SYSCOMMAND, WM_GETMINMAXINFO, WM_ENTERSIZEMOVE, WM_MOVING, WM_SIZING,
                                                WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE,
                                                WM_CAPTURECHANGED, WM_EXITSIZEMOVE});
    for (Seen &s : seen)
        if (s.msg != WM_SYSCOMMAND && s.msg != WM_MOVE && s.msg != WM_SIZE) s.lp = 0;
    return seen;
}

}   // namespace

// The caption moves, the border sizes: the loop's messages in Windows' order
// (tests/golden/move_size_loop.txt).
TEST(MoveSize, DraggingTheCaptionMovesAndTheBorderSizesTheWindowInWindowsOrder)
{
    std::string sequences;
    for (bool caption : {true, false}) {
        HWND w = window();
        RECT before;
        GetWindowRect(w, &before);
        const POINT from = caption ? POINT{before.left + 150, before.top + 12} : POINT{399, 150};
        EXPECT_EQ(SendMessageA(w, WM_NCHITTEST, 0, MAKELPARAM(from.x, from.y)), caption ? HTCAPTION : HTRIGHT);
        msgseq::log().clear();
        dialogs::drag(nullptr, from, POINT{from.x + 37, from.y - (caption ? 21 : 0)});
        RECT after = before;
        if (caption) OffsetRect(&after, 37, -21);
        else after.right += 37;
        EXPECT_EQ(window_edges(w), edges(after));
        sequences += (caption ? "caption drag:\n" : "border drag:\n") + msgseq::text(loop_messages(w), {{w, "w"}});
        EXPECT_EQ(GetCapture(), nullptr);
        DestroyWindow(w);
    }
    EXPECT_TRUE(matches_expected_text(sequences, "move_size_loop.txt"));
}

TEST(MoveSize, TheSizingBorderSizesByItsEdgeWithinTheWindowsLimits)
{
    // Points on the frame of a 300 x 200 window at (100, 50), dragged by (dx, dy).
    const struct {
        DWORD style;
        POINT at;
        LRESULT hit;
        POINT by;
        RECT after;
    } rows[] = {
        {WS_OVERLAPPEDWINDOW, {399, 150}, HTRIGHT, {50, 9}, {100, 50, 450, 250}},
        {WS_OVERLAPPEDWINDOW, {399, 150}, HTRIGHT, {300, 0}, {100, 50, 500, 250}},   // at most 400 wide
        {WS_OVERLAPPEDWINDOW, {101, 150}, HTLEFT, {200, 0}, {250, 50, 400, 250}},    // at least 150
        {WS_OVERLAPPEDWINDOW, {250, 51}, HTTOP, {0, -30}, {100, 20, 400, 250}},
        {WS_OVERLAPPEDWINDOW, {250, 248}, HTBOTTOM, {5, 200}, {100, 50, 400, 350}},    // at most 300 high
        {WS_OVERLAPPEDWINDOW, {102, 60}, HTTOPLEFT, {-20, -30}, {80, 20, 400, 250}},   // a corner along the side
        {WS_OVERLAPPEDWINDOW, {392, 249}, HTBOTTOMRIGHT, {-500, -500}, {100, 50, 250, 150}},
        {WS_OVERLAPPEDWINDOW, {101, 249}, HTBOTTOMLEFT, {-10, 10}, {90, 50, 400, 260}},
        {WS_OVERLAPPEDWINDOW, {398, 52}, HTTOPRIGHT, {10, 10}, {100, 60, 410, 250}},
        {WS_POPUP | WS_CAPTION | WS_SYSMENU, {399, 150}, HTBORDER, {50, 0}, {100, 50, 400, 250}},
    };
    for (const auto &row : rows) {
        HWND w = window(row.style);
        EXPECT_EQ(SendMessageA(w, WM_NCHITTEST, 0, MAKELPARAM(row.at.x, row.at.y)), row.hit) << row.hit;
        msgseq::log().clear();
        dialogs::drag(nullptr, row.at, POINT{row.at.x + row.by.x, row.at.y + row.by.y});
        EXPECT_EQ(window_edges(w), edges(row.after)) << row.hit;
        const std::vector<Seen> sizing = msgseq::select(w, {WM_SIZING});
        const WPARAM edge = row.hit == HTBORDER ? 0 : static_cast<WPARAM>(row.hit - HTLEFT + WMSZ_LEFT);
        EXPECT_EQ(sizing.empty() ? 0 : sizing.front().wp, edge) << row.hit;
        DestroyWindow(w);
    }
}

TEST(MoveSize, FromTheKeyboardArrowsStepByEightEnterKeepsAndEscapeGoesBack)
{
    // The first arrow of a keyboard Size chooses the edge it moves.
    const struct {
        WPARAM cmd;
        std::vector<UINT> keys;
        RECT after;
    } rows[] = {
        {SC_MOVE, {VK_RIGHT, VK_DOWN, VK_DOWN, VK_RETURN}, {108, 66, 408, 266}},
        {SC_MOVE, {VK_LEFT, VK_UP, VK_ESCAPE}, {100, 50, 400, 250}},
        {SC_SIZE, {VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RETURN}, {100, 50, 416, 250}},
        {SC_SIZE, {VK_UP, VK_UP, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, {100, 66, 400, 250}},
        {SC_SIZE, {VK_LEFT, VK_RIGHT, VK_ESCAPE}, {100, 50, 400, 250}},
    };
    for (const auto &row : rows) {
        HWND w = window();
        for (UINT vk : row.keys) Person::tap(vk);
        SendMessageA(w, WM_SYSCOMMAND, row.cmd, 0);
        EXPECT_EQ(window_edges(w), edges(row.after)) << row.cmd << " " << row.keys.size();
        EXPECT_EQ(msgseq::select(w, {WM_EXITSIZEMOVE}).size(), 1u);
        DestroyWindow(w);
    }
}
