// The layout editor: the main window's position buttons, moved with the
// keys or the mouse, and the dialog for each position's meaning.
#ifndef STONECALL_EDITOR_LAYOUT_H
#define STONECALL_EDITOR_LAYOUT_H

#include "runes/spread.h"

#include <windows.h>

#define POSITION_MEANING_TEMPLATE_ID 6
#define IDC_POSITION_MEANING 1199
// The button of position i has the control id i + 10.
#define POSITION_BUTTON_FIRST_ID 10

#define EDIT_HELP_SIZE 1500

// The button of each position: written by the layout editor (created) and
// by the main window's end of a layout mode (all 15 destroyed); read by the
// main window's monitor (the keypad moves them).
extern HWND ButtonHandles[MAX_POSITIONS];

// The Edit flow: choose a spread and show its position buttons.
void EditSpread(void);

// Builds the editor on the main window for the current spread: a new spread
// (edit_spread 0) is laid out as a cascade, an edited one keeps its places and
// gets its meanings from its file.
void new_spread_edit_cons(void);

// The help shown when the editor opens (ShowEditHelp), assembled into `text`
// (EDIT_HELP_SIZE bytes) and cut to fit it.
void MakeEditHelp(char *text);

// Edits the meaning of position ButtonAquired in its dialog.
void EditCardMeaning(void);
void EditCardMeaningCon(void);
void EditCardMeaningKC(int command);

#endif
