// The screen loop's shared state: the window of the screen whose loop runs.
// Every drawing call draws into it and message boxes are owned by it.
#ifndef STONECALL_APP_SCREENLOOP_H
#define STONECALL_APP_SCREENLOOP_H

#include <windows.h>

extern HWND hWnd_sim_dialog;

#endif
