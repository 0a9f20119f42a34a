// The reading on the main window, and the rune detail screen (template 2).
#ifndef STONECALL_RUNES_DISPLAY_H
#define STONECALL_RUNES_DISPLAY_H

#define DETAIL_MEANING_ID 114
#define DETAIL_TEXT_ID 115
#define DETAIL_SKIN_BITMAP_ID 26

// Completes the extents of every CardRect entry, then draws the reading.
void DrawCards(void);
// Draws the rune of each position in use at its place, 70 x 129. Returns 0.
int RefreshBitBlt(void);

// The rune detail screen for position CardChosen.
void messages_cons(void);
void messagesMM(void);
void messagesKC(int code);

#endif
