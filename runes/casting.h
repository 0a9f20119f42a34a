// The reading and the Run command's flow.
#ifndef STONECALL_RUNES_CASTING_H
#define STONECALL_RUNES_CASTING_H

#include "runes/spread.h"

// The rune number cast for each position, -1 for none; entry 0 at -1 means
// that no reading is shown.
extern int ran_cards_used[MAX_POSITIONS];
// Upside-down flag per position; casting leaves them all 0.
extern int ran_upsidedown[MAX_POSITIONS];

// The Run flow: choose a spread, cast, show the reading.
void LoadSpread(void);

#endif
