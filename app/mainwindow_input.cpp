// The main window's message monitor: repaints, clicks on the runes of a
// reading, the layout modes' keypad, and the end of the mode on a close request.
#include "app/mainwindow.h"

#include "app/screenloop.h"
#include "runes/spread.h"

// Where the last left click tested in run mode was, in the main window's client area.
POINT cursor = {0, 0};

// The rectangle position i's picture covers, rebuilt from its transposed
// CardRect entry (y, x, y + width, x + height).
static RECT PictureRect(int i)
{
    const RECT *stored = &CardRect[i];
    RECT r;

    r.left = stored->top;
    r.top = stored->left;
    r.right = stored->top + (stored->right - stored->left);
    r.bottom = stored->left + (stored->bottom - stored->top);
    return r;
}

// A left click on a rune picture opens its detail screen; the last position
// is drawn on top, so it is tested first.
static void RuneHitTest(void)
{
    LPARAM at;
    int i;

    if (!CheckMessage(WM_LBUTTONDOWN))
        return;
    at = GetlParam();
    cursor.x = LOWORD(at);
    cursor.y = HIWORD(at);
    for (i = NumCards - 1; i >= 0; i--) {
        RECT r = PictureRect(i);
        if (PtInRect(&r, cursor)) {
            CardSelected(i);
            return;
        }
    }
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
