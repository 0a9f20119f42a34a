// The reading on the main window, and the rune detail screen.
#ifndef STONECALL_RUNES_DISPLAY_H
#define STONECALL_RUNES_DISPLAY_H

// Draws the rune of each position in use at its place, 70 x 129 pixels. Returns 0.
int RefreshBitBlt(void);

// The rune detail screen (template 2) for position CardChosen.
void messages_cons(void);
void messagesMM(void);
void messagesKC(int code);

#endif
