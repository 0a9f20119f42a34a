// The screen loop: DirectDialog runs a screen from its template until it is
// closed; DlgProc turns every command and close request into the private
// command message, so that all command handling happens in the loop and the
// screens' callbacks, never inside a window procedure.
#include "app/screenloop.h"

#include "app/publisher.h"

HWND hWnd_sim_dialog = NULL;
HWND hWndSimDialog = NULL;
HWND hWnd_owid = NULL;
HINSTANCE hInst2 = NULL;
MSG msg_sim_dialog;
int id = 0;
int CloseDialog = 0;
int FirstRun = 0;
HWND hWnd_sim_dialog_id[100];
int (*DialogKeyFilter)(const MSG *msg) = NULL;

// 25 blanks lead the text, as the box has always shown it.
static const char CreateFailedText[] = "                         Could Not Create Dialog Box\n"
                                       "Please report this error to " PUBLISHER_SUPPORT_ADDRESS ".  Thankyou.";

static void SetCurrentWindow(HWND hWnd)
{
    hWnd_sim_dialog = hWnd;
    hWndSimDialog = hWnd;
}

// The screen-handle table has a slot for each template id below 100; the
// start banner's 987 and any other large id are not recorded.
static void RecordScreen(int template_id, HWND hWnd)
{
    if (template_id >= 0 && template_id < 100)
        hWnd_sim_dialog_id[template_id] = hWnd;
}

// The command step: KC gets the pending code (a screen without KC closes at
// its first command); code 3 ends the loop.
static void CommandStep(void (*KC)(int))
{
    if (KC)
        KC(id);
    else
        EndScreen();
    if (id == SCREEN_CLOSE_CODE)
        CloseDialog = 1;
    id = 0;
}

int DirectDialog(int template_id, void (*Con)(void), void (*MM)(void), void (*KC)(int))
{
    HWND hWndParent;
    HWND hWndScreen;
    BOOL got;

    FirstRun = 1;
    hWndParent = hWnd_sim_dialog;
    hWnd_owid = hWndParent;
    id = 0;
    hWnd_sim_dialog_id[0] = NULL;

    hWndScreen = CreateDialogParamA(hInst2, MAKEINTRESOURCEA((WORD)template_id), hWndParent, DlgProc, 0);
    if (hWndScreen == NULL) {
        MessageBoxA(NULL, CreateFailedText, "Error..", MB_OK);
        FirstRun = 0;
        return -1;
    }
    SetCurrentWindow(hWndScreen);
    RecordScreen(template_id, hWndScreen);

    if (Con)
        Con();
    FirstRun = 0;

    while (!CloseDialog) {
        if (id == 0) {
            got = GetMessageA(&msg_sim_dialog, hWndScreen, 0, 0);
            // The screen's window is gone (a callback destroyed it): nothing
            // can reach this loop any more, so the screen ends.
            if (got == -1)
                break;
            if (got) {
                if (msg_sim_dialog.message == SCREEN_COMMAND_MESSAGE) {
                    id = (int)msg_sim_dialog.wParam;
                } else if (DialogKeyFilter && DialogKeyFilter(&msg_sim_dialog)) {
                    TranslateMessage(&msg_sim_dialog);
                    DispatchMessageA(&msg_sim_dialog);
                } else {
                    IsDialogMessageA(hWndScreen, &msg_sim_dialog);
                }
                if (MM)
                    MM();
                continue;
            }
            // The quit message: a command step with code 0.
        }
        CommandStep(KC);
    }

    CloseDialog = 0;
    DestroyWindow(hWndScreen);
    SetCurrentWindow(hWndParent);
    SendMessageA(hWndParent, WM_PAINT, 0, 0);
    return 1;
}

void EndScreen(void)
{
    id = SCREEN_CLOSE_CODE;
}

INT_PTR CALLBACK DlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        PostMessageA(hWnd, SCREEN_COMMAND_MESSAGE, wParam, lParam);
        return TRUE;
    case WM_CLOSE:
        // The platform does not close the window: the close request is code 3,
        // never the Cancel code.
        PostMessageA(hWnd, SCREEN_COMMAND_MESSAGE, SCREEN_CLOSE_CODE, 0);
        return TRUE;
    }
    return FALSE;
}

int CheckMessage(int message)
{
    return msg_sim_dialog.message == (UINT)message ? 1 : 0;
}

WPARAM GetwParam(void)
{
    return msg_sim_dialog.wParam;
}

LPARAM GetlParam(void)
{
    return msg_sim_dialog.lParam;
}

HWND GetMessageWindow(void)
{
    return msg_sim_dialog.hwnd;
}

int GetRepaint(void)
{
    return CheckMessage(WM_PAINT);
}

int GetKeyDown(void)
{
    return CheckMessage(WM_KEYDOWN);
}

// Waits the given whole seconds on the current window, taking nothing but
// timer messages: input stays queued and the window is not repainted; ticks of
// other timers are consumed. With any_timer the first tick of any timer ends it.
void Pause(int seconds, int any_timer)
{
    HWND hWnd = hWnd_sim_dialog;
    UINT_PTR timer;
    BOOL got;

    // Without a window the timer gets an id of the system's choosing; wait for that one.
    timer = SetTimer(hWnd, PAUSE_TIMER_ID, (UINT)seconds * 1000, NULL);
    if (timer == 0)
        return;
    for (;;) {
        got = GetMessageA(&msg_sim_dialog, hWnd, WM_TIMER, WM_TIMER);
        if (got == -1)
            break;
        if (got == 0) {
            // A quit request is not for the pause to swallow: post it again
            // for the screen loop and stop waiting.
            PostQuitMessage((int)msg_sim_dialog.wParam);
            break;
        }
        if (any_timer || msg_sim_dialog.wParam == timer)
            break;
    }
    KillTimer(hWnd, timer);
}
