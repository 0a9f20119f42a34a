// The reading as a web page, RUNE.HTM.
#ifndef STONECALL_RUNES_HTMLREPORT_H
#define STONECALL_RUNES_HTMLREPORT_H

// Writes RUNE.HTM for positions 0 to NumCards - 1, rune i from runes[i];
// the flags are not read.
void html_module(int *runes, int *flags);

#endif
