// The standard vertical scroll bar held down: its arrows and page areas
// repeat on the virtual clock, and SB_ENDSCROLL comes once, on release.
#include "support/msgseq.h"
#include "support/person.h"

#include "driver/driver.h"
#include "driver/headless/headless.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using testsupport::Person;

namespace {

// (clock time, scroll code) of each WM_VSCROLL, the position following a
// line by 1 and a page by 10 as a window that scrolls would set it.
std::vector<std::pair<DWORD, WORD>> scrolls;

LRESULT CALLBACK scroller(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg != WM_VSCROLL) return DefWindowProcA(hwnd, msg, wp, lp);
    scrolls.emplace_back(GetTickCount(), LOWORD(wp));
    const int steps[] = {-1, 1, -10, 10};
    if (LOWORD(wp) <= SB_PAGEDOWN) SetScrollPos(hwnd, SB_VERT, GetScrollPos(hwnd, SB_VERT) + steps[LOWORD(wp)], TRUE);
    return 0;
}

// A client area 216 high: arrows of 16, a track of 184, a range of 100 with a
// page of 10 (a thumb of 18 pixels).
HWND scrolling_window()
{
    HWND w = CreateWindowExA(0, msgseq::window_class("Scroller", scroller), "", WS_POPUP | WS_VISIBLE | WS_VSCROLL, 0,
                             0, 216, 216, nullptr, nullptr, nullptr, nullptr);
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 0, 0};
    SetScrollInfo(w, SB_VERT, &si, TRUE);
    return w;
}

}   // namespace

TEST(ScrollBar, HeldDownItRepeatsAfter200msThenEvery50msAndEndsOnceOnRelease)
{
    // The down arrow repeats while held; the track below the thumb (at 76)
    // stops once the thumb has come under the pointer, after three pages.
    const struct {
        int y;
        std::vector<std::pair<DWORD, WORD>> expected;
    } rows[] = {
        {210, {{0, SB_LINEDOWN}, {200, SB_LINEDOWN}, {250, SB_LINEDOWN}, {300, SB_LINEDOWN}, {300, SB_ENDSCROLL}}},
        {76, {{0, SB_PAGEDOWN}, {200, SB_PAGEDOWN}, {250, SB_PAGEDOWN}, {300, SB_ENDSCROLL}}},
    };
    for (const auto &row : rows) {
        HWND w = scrolling_window();
        const POINT at{208, row.y};
        const DWORD start = GetTickCount();
        scrolls.clear();
        Person p;
        // The clock goes to a millisecond before each repeat, then to the repeat.
        for (DWORD t : {199u, 200u, 249u, 250u, 299u, 300u}) p.then([start, t] { drv::headless().set_now(start + t); });
        p.then([at] { drv::mouse_button(at, drv::Button::Left, false); });
        drv::mouse_button(at, drv::Button::Left, true);
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
        EXPECT_TRUE(p.done());
        for (auto &s : scrolls) s.first -= start;
        EXPECT_EQ(scrolls, row.expected) << row.y;
        EXPECT_EQ(GetCapture(), nullptr);
        DestroyWindow(w);
    }
}
