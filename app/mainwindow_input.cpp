// The main window's message monitor: repaints, clicks on the runes of a
// reading, the layout modes' keypad, and the end of the mode on a close request.
#include "app/mainwindow.h"

#include "app/screenloop.h"
#include "editor/layout.h"
#include "runes/spread.h"
#include "util/text.h"

// Where the last left click tested in run mode was, in the main window's client area.
POINT cursor = {0, 0};

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
        RECT r = PositionPicture(i);
        if (PtInRect(&r, cursor)) {
            CardSelected(i);
            return;
        }
    }
}

// The keypad's eight direction keys: how far each moves the acquired
// position down and right, in jumps.
struct KeypadMove {
    WPARAM key;
    int down;
    int right;
};

static const struct KeypadMove KeypadMoves[] = {
    {VK_NUMPAD8, -1, 0},  {VK_NUMPAD2, 1, 0},  {VK_NUMPAD4, 0, -1}, {VK_NUMPAD6, 0, 1},
    {VK_NUMPAD7, -1, -1}, {VK_NUMPAD9, -1, 1}, {VK_NUMPAD1, 1, -1}, {VK_NUMPAD3, 1, 1},
};

#define MAX_JUMP_WIDTH 50
#define MIN_JUMP_WIDTH 1

static void JumpSizeMessage(const char *text, const char *caption)
{
    MessageBoxA(hWnd_sim_dialog, text, caption, MB_OK | MB_ICONWARNING);
}

// Both values of each pair move together, so the entry keeps its extents;
// nothing is clamped, a button may leave the window.
static void MoveAcquiredPosition(int down, int right)
{
    POINT place;

    MovePosition(ButtonAquired, right * ButtonJumpWidth, down * ButtonJumpWidth);
    place = PositionPlace(ButtonAquired);
    if (ButtonHandles[ButtonAquired])
        SetWindowPos(ButtonHandles[ButtonAquired], NULL, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SpreadChanged = 1;
}

static void ChangeJumpWidth(int step)
{
    ButtonJumpWidth += step;
    if (ButtonJumpWidth > MAX_JUMP_WIDTH) {
        JumpSizeMessage("Cannot jump more than 50 pixels.", "Button jump size changed..");
        ButtonJumpWidth = MAX_JUMP_WIDTH;
    }
    if (ButtonJumpWidth < MIN_JUMP_WIDTH) {
        JumpSizeMessage("Cannot jump less than one pixel!", "Button jump size changed..");
        ButtonJumpWidth = MIN_JUMP_WIDTH;
    }
}

static void ShowJumpWidth(void)
{
    char text[80];

    MakeString(text, 3, "Button jump size has been set to ", int_to_char(ButtonJumpWidth, 10), " pixels per jump.");
    JumpSizeMessage(text, "Button jump size..");
}

static void LayoutKey(WPARAM key)
{
    size_t i;

    for (i = 0; i < sizeof KeypadMoves / sizeof KeypadMoves[0]; i++)
        if (KeypadMoves[i].key == key) {
            MoveAcquiredPosition(KeypadMoves[i].down, KeypadMoves[i].right);
            return;
        }
    switch (key) {
    case VK_NUMPAD5:
        // Marked as changed whatever the user chose in the dialog.
        EditCardMeaning();
        SpreadChanged = 1;
        break;
    case VK_ADD:
        ChangeJumpWidth(1);
        break;
    case VK_SUBTRACT:
        ChangeJumpWidth(-1);
        break;
    case VK_MULTIPLY:
        ShowJumpWidth();
        break;
    }
}

// A click on a position button (or Enter on it) arrives as its command and
// acquires it; any other command leaves the acquired position alone.
static void LayoutModeInput(void)
{
    int code;

    if (CheckMessage(SCREEN_COMMAND_MESSAGE)) {
        code = (int)GetwParam();
        if (code >= POSITION_BUTTON_FIRST_ID && code < POSITION_BUTTON_FIRST_ID + NumCards)
            ButtonAquired = code - POSITION_BUTTON_FIRST_ID;
    }
    if (CheckMessage(WM_KEYDOWN))
        LayoutKey(GetwParam());
}

void MainWindow1MM(void)
{
    // Ticks of other timers are not for the repaint.
    if (CheckMessage(WM_PAINT) || (CheckMessage(WM_TIMER) && GetwParam() == REPAINT_TIMER_ID))
        MainWindow1Con();
    if (RunSpreadSelected)
        RuneHitTest();
    if (EditSpreadSelected || NewSpreadSelected)
        LayoutModeInput();
    // The loop has set id from the close request or Exit before calling here:
    // end the mode (and offer to save) before the window goes.
    if (id == SCREEN_CLOSE_CODE)
        CleanUpMainWin();
}
