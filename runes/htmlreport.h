// The reading as a web page, RUNE.HTM, beside an images/ folder that holds
// the pictures it refers to.
#ifndef STONECALL_RUNES_HTMLREPORT_H
#define STONECALL_RUNES_HTMLREPORT_H

#define HTML_REPORT_FILE "RUNE.HTM"

// Writes RUNE.HTM for positions 0 to NumCards - 1, rune i from runes[i]; the
// flags are not read. With no reading (runes[0] at -1) it writes nothing.
void html_module(int *runes, int *flags);

#endif
