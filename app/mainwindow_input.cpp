// The main window's message monitor: repaints, clicks on the runes of a
// reading, the layout modes' keys and mouse, and the end of the mode on a
// close request.
#include "app/mainwindow.h"

#include "app/screenloop.h"
#include "editor/layout.h"
#include "runes/spread.h"
#include "util/text.h"

#include <stdlib.h>

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

// The same moves for keyboards without a keypad: the arrow keys, and Home,
// Page Up, End and Page Down for the diagonals, where the keypad's 7, 9, 1
// and 3 have them printed. With NumLock off the keypad sends these codes too.
static const struct KeypadMove NavigationMoves[] = {
    {VK_UP, -1, 0},    {VK_DOWN, 1, 0},   {VK_LEFT, 0, -1}, {VK_RIGHT, 0, 1},
    {VK_HOME, -1, -1}, {VK_PRIOR, -1, 1}, {VK_END, 1, -1},  {VK_NEXT, 1, 1},
};

#define MOVE_COUNT(table) (sizeof(table) / sizeof((table)[0]))

// A position button follows the mouse once the pointer has gone this far
// from where it was pressed; less is still a click.
#define DRAG_START_DISTANCE 4

// The drag of a position button: its index (-1 while none is pressed), the
// point of the button the pointer holds, where the press was on the main
// window, and whether the pointer has left that spot.
static int DragPosition = -1;
static POINT DragGrip;
static POINT DragPress;
static int DragMoved = 0;

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

static const struct KeypadMove *FindMove(const struct KeypadMove *table, size_t count, WPARAM key)
{
    size_t i;

    for (i = 0; i < count; i++)
        if (table[i].key == key)
            return &table[i];
    return NULL;
}

// Marked as changed whatever the user chose in the dialog.
static void EditAcquiredMeaning(void)
{
    EditCardMeaning();
    SpreadChanged = 1;
}

// The keypad's + - * type their characters as well, and the main keyboard's
// keys for them are known by those characters alone: the character this key
// has just typed is taken off the queue, so the key counts once.
static void DropTypedCharacter(void)
{
    MSG typed;
    HWND hWnd = GetMessageWindow();

    if (PeekMessageA(&typed, hWnd, WM_CHAR, WM_CHAR, PM_NOREMOVE) &&
        (typed.wParam == '+' || typed.wParam == '-' || typed.wParam == '*'))
        PeekMessageA(&typed, hWnd, WM_CHAR, WM_CHAR, PM_REMOVE);
}

static void LayoutKey(WPARAM key)
{
    const struct KeypadMove *move = FindMove(KeypadMoves, MOVE_COUNT(KeypadMoves), key);

    if (!move)
        move = FindMove(NavigationMoves, MOVE_COUNT(NavigationMoves), key);
    if (move) {
        MoveAcquiredPosition(move->down, move->right);
        return;
    }
    switch (key) {
    case VK_NUMPAD5:
    case VK_CLEAR:
    case VK_F2:
        EditAcquiredMeaning();
        break;
    case VK_ADD:
        DropTypedCharacter();
        ChangeJumpWidth(1);
        break;
    case VK_SUBTRACT:
        DropTypedCharacter();
        ChangeJumpWidth(-1);
        break;
    case VK_MULTIPLY:
        DropTypedCharacter();
        ShowJumpWidth();
        break;
    }
}

// + - * as typed: whichever keys the user's keyboard layout has them on.
static void LayoutCharacter(WPARAM ch)
{
    switch (ch) {
    case '+':
        ChangeJumpWidth(1);
        break;
    case '-':
        ChangeJumpWidth(-1);
        break;
    case '*':
        ShowJumpWidth();
        break;
    }
}

int LayoutKeyFilter(const MSG *msg)
{
    HWND hWndMain = hWnd_sim_dialog_id[MAIN_WINDOW_TEMPLATE_ID];

    if (!(EditSpreadSelected || NewSpreadSelected) || msg->message != WM_KEYDOWN)
        return 0;
    if (msg->hwnd != hWndMain && !IsChild(hWndMain, msg->hwnd))
        return 0;
    return FindMove(NavigationMoves, MOVE_COUNT(NavigationMoves), msg->wParam) != NULL;
}

static int PositionOfButton(HWND hWnd)
{
    int i;

    for (i = 0; i < NumCards && i < MAX_POSITIONS; i++)
        if (hWnd && ButtonHandles[i] == hWnd)
            return i;
    return -1;
}

// The mouse message's point, from the window it is for to the main window's client area.
static POINT PointerOnMainWindow(void)
{
    LPARAM at = GetlParam();
    POINT p;

    p.x = (short)LOWORD(at);
    p.y = (short)HIWORD(at);
    ClientToScreen(GetMessageWindow(), &p);
    ScreenToClient(hWnd_sim_dialog, &p);
    return p;
}

static LONG Clamp(LONG value, LONG low, LONG high)
{
    if (value > high)
        value = high;
    if (value < low)
        value = low;
    return value;
}

static void StartDrag(int position)
{
    LPARAM at = GetlParam();

    DragPosition = position;
    DragGrip.x = (short)LOWORD(at);
    DragGrip.y = (short)HIWORD(at);
    DragPress = PointerOnMainWindow();
    DragMoved = 0;
}

// The dragged button keeps the point it was gripped by under the pointer, as
// far as it stays wholly inside the main window's client area; its place
// moves with it, as the keys move it.
static void FollowPointer(void)
{
    POINT at = PointerOnMainWindow();
    POINT place;
    POINT was;
    RECT client;
    RECT button;

    if (!DragMoved && abs(at.x - DragPress.x) < DRAG_START_DISTANCE && abs(at.y - DragPress.y) < DRAG_START_DISTANCE)
        return;
    DragMoved = 1;
    GetClientRect(hWnd_sim_dialog, &client);
    GetWindowRect(ButtonHandles[DragPosition], &button);
    place.x = Clamp(at.x - DragGrip.x, 0, client.right - (button.right - button.left));
    place.y = Clamp(at.y - DragGrip.y, 0, client.bottom - (button.bottom - button.top));
    was = PositionPlace(DragPosition);
    MovePosition(DragPosition, place.x - was.x, place.y - was.y);
    SetWindowPos(ButtonHandles[DragPosition], NULL, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SpreadChanged = 1;
}

// A drag acquires its button, as a click does; released outside the button
// (held back at the window's edge) it makes no click of its own.
static void EndDrag(void)
{
    if (DragMoved)
        ButtonAquired = DragPosition;
    DragPosition = -1;
    DragMoved = 0;
}

// The second press is no drag. (The button lets the mouse go as the
// meaning's dialog takes the focus, and makes no click of that press.)
static void OpenMeaningOf(int position)
{
    DragPosition = -1;
    DragMoved = 0;
    ButtonAquired = position;
    EditAcquiredMeaning();
}

// Pressing a position button grips it; moving the pointer with the button
// held drags it; a double-click opens its meaning.
static void LayoutMouse(void)
{
    HWND hWnd = GetMessageWindow();
    int position = PositionOfButton(hWnd);

    if (CheckMessage(WM_LBUTTONDOWN) && position >= 0) {
        StartDrag(position);
    } else if (CheckMessage(WM_LBUTTONDBLCLK) && position >= 0) {
        OpenMeaningOf(position);
    } else if (DragPosition >= 0 && hWnd && hWnd == ButtonHandles[DragPosition]) {
        if (CheckMessage(WM_MOUSEMOVE) && (GetwParam() & MK_LBUTTON)) {
            FollowPointer();
        } else if (CheckMessage(WM_LBUTTONUP)) {
            FollowPointer();
            EndDrag();
        }
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
    if (CheckMessage(WM_CHAR))
        LayoutCharacter(GetwParam());
    LayoutMouse();
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
