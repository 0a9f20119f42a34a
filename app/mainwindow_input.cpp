// The main window's message monitor: repaints, clicks on the runes of a
// reading, the layout modes' keypad, and the end of the mode on a close request.
#include "app/mainwindow.h"

#include "app/screenloop.h"

// Becomes the hit test of run mode: a left click on a rune picture opens its
// detail screen (CardSelected), the topmost picture first.
static void RuneHitTest(void)
{
}

// Becomes the layout modes' input: a click acquires a position button, the
// keypad moves it, changes the jump size or edits the position's meaning.
static void LayoutModeInput(void)
{
}

void MainWindow1MM(void)
{
    /* Ticks of other timers are not for the repaint. */
    if (CheckMessage(WM_PAINT) || (CheckMessage(WM_TIMER) && GetwParam() == REPAINT_TIMER_ID))
        MainWindow1Con();
    if (RunSpreadSelected)
        RuneHitTest();
    if (EditSpreadSelected || NewSpreadSelected)
        LayoutModeInput();
    /* The loop has set id from the close request or Exit before calling here:
     * end the mode (and offer to save) before the window goes. */
    if (id == SCREEN_CLOSE_CODE)
        CleanUpMainWin();
}
