// The casting screen's own callbacks on the test's thread (the headless
// driver's clock jumps over every Sleep): what the screen shows while and
// after it casts.
#include "runes/casting.h"

#include "app/screenloop.h"
#include "gfx/effects.h"

#include "gfx/current_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<COLORREF> bar_pixels(HWND screen)
{
    HDC dc = GetDC(screen);
    std::vector<COLORREF> out;
    for (int y = 150; y <= 171; ++y)
        for (int x = 34; x < 34 + 364; ++x) out.push_back(GetPixel(dc, x, y));
    ReleaseDC(screen, dc);
    return out;
}

std::string text_of(HWND w)
{
    char buffer[512] = "";
    GetWindowTextA(w, buffer, sizeof buffer);
    return buffer;
}

} // namespace

// The first command swaps the instruction for "Now Spreading the Deck", hides
// the OK button, leaves the bar full where the button was, and closes the
// screen; the cast took one calendar second per accepted rune at least.
TEST(Casting, TheFirstCommandCastsBehindAFullBarAndClosesTheScreen)
{
    CurrentWindow main;
    HWND screen = CreateDialogParamA(hInst2, MAKEINTRESOURCEA(CASTING_TEMPLATE_ID), main.hwnd, DlgProc, 0);
    ASSERT_NE(screen, nullptr);
    hWnd_sim_dialog = hWndSimDialog = screen;
    GetRandomCardsCon();
    ASSERT_NE(button_OK, nullptr);
    EXPECT_EQ(GetDlgCtrlID(button_OK), CASTING_OK_ID);
    const std::vector<COLORREF> before = bar_pixels(screen);

    const time_t start = time(nullptr);
    id = 0;
    GetRandomCardsKC(12345);
    EXPECT_EQ(id, SCREEN_CLOSE_CODE);
    EXPECT_GE(time(nullptr) - start, 14);
    EXPECT_EQ(text_of(GetDlgItem(screen, CASTING_TEXT_ID)), "Now Spreading the Deck\n\n");
    EXPECT_FALSE(IsWindowVisible(button_OK));
    const std::vector<COLORREF> after = bar_pixels(screen);
    EXPECT_NE(after, before);
    ProgressBarTarot(34, 150, 364.0f, 20, 14, 13);
    EXPECT_NE(bar_pixels(screen), after);
    ProgressBarTarot(34, 150, 364.0f, 20, 14, 14);
    EXPECT_EQ(bar_pixels(screen), after);
    DestroyWindow(screen);
    hWnd_sim_dialog = hWndSimDialog = main.hwnd;
}
