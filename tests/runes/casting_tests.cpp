// The casting screen's own callbacks on the test's thread (the headless
// driver's clock jumps over every Sleep): what the screen shows after it casts.
#include "runes/casting.h"

#include "app/screenloop.h"

#include "gfx/current_window.h"

#include <gtest/gtest.h>

// The first command swaps the instruction for "Now Spreading the Deck", hides
// the OK button, leaves the bar full where the button was, and ends the
// screen; the cast took one calendar second per accepted rune at least.
TEST(Casting, TheFirstCommandCastsBehindAFullBarAndClosesTheScreen)
{
    CurrentWindow main;
    HWND screen = CreateDialogParamA(hInst2, MAKEINTRESOURCEA(CASTING_TEMPLATE_ID), main.hwnd, DlgProc, 0);
    ASSERT_NE(screen, nullptr);
    hWnd_sim_dialog = hWndSimDialog = screen;
    GetRandomCardsCon();
    EXPECT_EQ(GetDlgCtrlID(button_OK), CASTING_OK_ID);
    const time_t start = time(nullptr);
    id = 0;
    GetRandomCardsKC(12345);
    EXPECT_EQ(id, SCREEN_CLOSE_CODE);
    EXPECT_GE(time(nullptr) - start, 14);
    char text[64] = "";
    GetWindowTextA(GetDlgItem(screen, CASTING_TEXT_ID), text, sizeof text);
    EXPECT_STREQ(text, "Now Spreading the Deck\n\n");
    EXPECT_FALSE(IsWindowVisible(button_OK));
    // The bar is left full: blue up to its right end.
    HDC dc = GetDC(screen);
    EXPECT_EQ(GetPixel(dc, 390, 160), RGB(0, 0, 255));
    ReleaseDC(screen, dc);
    DestroyWindow(screen);
    hWnd_sim_dialog = hWndSimDialog = main.hwnd;
}
