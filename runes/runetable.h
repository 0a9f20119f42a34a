// The 25 runes every reading is cast from, by rune number 1 to 25.
#ifndef STONECALL_RUNES_RUNETABLE_H
#define STONECALL_RUNES_RUNETABLE_H

#define RUNE_COUNT 25

// The rune's name; the empty text for any other number.
const char *get_card_title(int n);
// The rune's interpretation; the empty text for any other number.
const char *get_card_desc(int n);

#endif
