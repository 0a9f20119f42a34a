// Small text, number and file helpers shared by every subsystem.
#ifndef STONECALL_UTIL_TEXT_H
#define STONECALL_UTIL_TEXT_H

#include <windows.h>

// Size of MakeString's own area, used when it is given no destination.
#define MAKESTRING_AREA_SIZE 10000

// Writes the text (without its NUL) to the handle in one write call; returns
// what the write returns: the text's length, or -1.
int swrite(int handle, const char *text);

// Joins `count` texts (the first included, count >= 2) into `dest` and returns
// it; the caller makes sure they fit. With a null `dest` the result is built in
// MakeString's own area (cut to fit it), valid until its next such call.
char *MakeString(char *dest, int count, const char *first, ...);

// Copies as much of `text` as fits into `dest` (`size` bytes, the NUL
// included): at most size - 1 characters, so `text` need not end within them.
// Returns dest.
char *copy_text(char *dest, size_t size, const char *text);

// Appends as much of `piece` as still fits into `dest`, a text in a buffer of
// `size` bytes, the NUL included. Returns dest.
char *append_text(char *dest, size_t size, const char *piece);

// Byte-wise comparison, case matters: 0 when equal, < 0 when a sorts first.
int compare_strings(const char *a, const char *b);

// The decimal text of `value`; `radix` is not used (the base is always 10).
// The text lives in one area that every call overwrites.
char *int_to_char(LONG value, int radix);

// Reads a decimal number: leading white space, an optional sign, digits up to
// the first other character; 0 without digits. Beyond the range of LONG it
// stops at LONG's smallest or largest value.
LONG char_to_int(const char *text);

#endif
