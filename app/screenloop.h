// The screen loop: every window of the program but its message boxes and the
// open-file dialog is a screen, a modeless dialog from a template run by
// DirectDialog with three callbacks (construct, message monitor, command).
//
// The current window (hWnd_sim_dialog, also hWndSimDialog) is the window of the
// screen whose loop runs: every drawing call draws into it, message boxes are
// owned by it. hInst2 is the module the templates and bitmaps come from.
#ifndef STONECALL_APP_SCREENLOOP_H
#define STONECALL_APP_SCREENLOOP_H

#include <windows.h>

// The private command message DlgProc posts for every command and close request.
#define SCREEN_COMMAND_MESSAGE (WM_USER + 100)
// The command code of a close request (and of the Exit item).
#define SCREEN_CLOSE_CODE 3
// The timer Pause runs (and the colour fades).
#define PAUSE_TIMER_ID 9876

// The loop's state, shared by every nesting level:
//
//   global              written by                         read by
//   hWnd_sim_dialog,    DirectDialog (a screen starts and  every drawing call and message box,
//   hWndSimDialog       ends), WinMain; always equal       the callbacks; the banner's timer
//                                                          goes by the second name
//   hWnd_owid           DirectDialog: the latest parent    nothing (kept by its known name)
//   hInst2              WinMain                            DirectDialog, bitmaps, child windows
//   msg_sim_dialog      the loop, Pause                    CheckMessage, GetwParam, GetlParam
//   id                  the loop; EndScreen; the main      the loop; the main window's monitor
//                       window (auto-load Run, the end     (the close request)
//                       of the rune detail screen)
//   CloseDialog         the command step, DirectDialog     the loop
//   FirstRun            DirectDialog                       MainWindow1Con, the setup screen's Con
//   hWnd_sim_dialog_id  DirectDialog                       the main window's key filter (its window)
//   DialogKeyFilter     the main window (at its start)     the loop
extern HWND hWnd_sim_dialog;
extern HWND hWndSimDialog;
extern HWND hWnd_owid;
extern HINSTANCE hInst2;
extern MSG msg_sim_dialog;
extern int id;
extern int CloseDialog;
extern int FirstRun;
extern HWND hWnd_sim_dialog_id[100];
// Keys a monitor takes for itself, out of the dialog manager's way (it would
// move the focus with the arrow keys): a retrieved message for which the
// filter answers 1 is translated and dispatched as a plain window's loop does.
extern int (*DialogKeyFilter)(const MSG *msg);

int DirectDialog(int template_id, void (*Con)(void), void (*MM)(void), void (*KC)(int));
// Ends the running screen: a callback calls it, and the loop closes the
// screen after the command step (KC runs first when an MM calls it).
void EndScreen(void);
INT_PTR CALLBACK DlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

int CheckMessage(int message);
WPARAM GetwParam(void);
LPARAM GetlParam(void);
// The window the message is for: a screen or one of its controls.
HWND GetMessageWindow(void);
int GetRepaint(void);
int GetKeyDown(void);

void Pause(int seconds, int any_timer);

#endif
