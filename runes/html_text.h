// Text from spread files on its way into the reading's web page.
#ifndef STONECALL_RUNES_HTML_TEXT_H
#define STONECALL_RUNES_HTML_TEXT_H

#include <string>

// Returns a spread's title or position meaning ready to stand as text in
// RUNE.HTM. Spread files are passed around between people, so their texts
// must not be able to put scripts or live markup into the reader's browser.
//
// What passes unchanged:
// - the bare formatting tags <B> <I> <U> <EM> <STRONG> <BIG> <SMALL> <BR>,
//   opening or closing, in any letter case: '<', an optional '/', the name,
//   '>' and nothing else (so "<BR/>", "<BR />", "<B >", "< B>" and any tag
//   with attributes are escaped);
// - well-formed character references: "&name;" (a letter, then letters or
//   digits, 32 at most), "&#N;" (1 to 7 decimal digits) and "&#xN;" or
//   "&#XN;" (1 to 6 hex digits), a numeric one only when it names a Unicode
//   scalar value (1 to 0x10FFFF, no surrogates); names are not looked up;
// - every other byte, line breaks and bytes of 0x80 and above included.
// Every other '&', '<', '>' and '"' becomes "&amp;", "&lt;", "&gt;", "&quot;".
// The result may be several times longer than the text; it is never cut.
// A null text gives an empty result.
std::string html_safe_text(const char *text);

#endif
