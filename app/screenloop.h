// The screen loop's shared state: the window of the screen whose loop runs
// (every drawing call draws into it, message boxes are owned by it) and the
// module the templates and bitmaps come from.
#ifndef STONECALL_APP_SCREENLOOP_H
#define STONECALL_APP_SCREENLOOP_H

#include <windows.h>

extern HWND hWnd_sim_dialog;
extern HINSTANCE hInst2;

#endif
