// The reading and the Run command's flow: the spread chooser, the casting
// screen (template 3) and the reading shown on the main window.
#ifndef STONECALL_RUNES_CASTING_H
#define STONECALL_RUNES_CASTING_H

#include "runes/spread.h"

#include <windows.h>

#define CASTING_TEMPLATE_ID 3
#define CASTING_OK_ID 101
#define CASTING_TEXT_ID (-1)

// The reading:
//
//   global           written by                      read by
//   ran_cards_used   the cast (GetRandomCardsKC);    LoadSpread, MainWindow1Con, HTMLise
//                    CleanUpMainWin (entry 0: -1)
//   ran_upsidedown   the cast (all 0)                LoadSpread, HTMLise
//   button_OK        GetRandomCardsCon               GetRandomCardsKC (hides it)
//
// ran_cards_used holds the rune number cast for each position, -1 for none;
// entry 0 at -1 means that no reading is shown.
extern int ran_cards_used[MAX_POSITIONS];
extern int ran_upsidedown[MAX_POSITIONS];
extern HWND button_OK;

// The Run flow: choose a spread, cast, show the reading.
void LoadSpread(void);

// The casting screen: the construct callback adds the OK button; the first
// command of any kind casts the 15 runes and closes the screen.
void GetRandomCardsCon(void);
void GetRandomCardsKC(int code);

#endif
