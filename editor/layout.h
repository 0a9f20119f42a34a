// The layout editor: the main window's position buttons, moved with the keypad.
#ifndef STONECALL_EDITOR_LAYOUT_H
#define STONECALL_EDITOR_LAYOUT_H

#include "runes/spread.h"

#include <windows.h>

// The button of each position; the main window destroys all 15 when a layout mode ends.
extern HWND ButtonHandles[MAX_POSITIONS];

// The Edit flow: choose a spread and show its position buttons.
void EditSpread(void);

#endif
