// The label-value store: finds a label (a fixed text such as "title=") and
// reads the value after it, up to an end character (LF unless given), in a text
// held in memory or in a file reached through an open low-level handle; in
// files it also rewrites values in place, moving the rest of the file.
//
// Lookups are case-sensitive, not anchored to line starts, first occurrence.
// Positions in a text are the index of the label's last character; positions
// in a file are raw byte offsets just after the label. Missing labels give -1
// from the position finders and the empty text from the value entries.
// Values are returned in one shared area, valid until the next call of the
// store. Labels and values are cut at LABEL_VALUE_MAX characters.
#ifndef STONECALL_UTIL_LABELSTORE_H
#define STONECALL_UTIL_LABELSTORE_H

#include <windows.h>

#define LABEL_VALUE_MAX 999

// In a text held in memory
LONG get_label_end_pos_of_string(const char *text, LONG start, const char *label);
char *get_variable_of_label_pos_of_string(const char *text, LONG pos, const char *end);
char *get_variable_of_label_of_string(const char *text, const char *label);
char *get_variable_of_label_with_end_char_of_string(const char *text, const char *label, const char *end);
char *get_variable_of_label_in_section_of_string(const char *text, const char *section, const char *label);
char *get_variable_of_label_in_section_with_end_char_of_strin(const char *text, const char *section, const char *label,
                                                              const char *end);

// In a file
LONG get_label_end_pos(int handle, LONG start, const char *label);
char *get_variable_of_label_pos(int handle, LONG offset, const char *end);
char *get_variable_of_label(int handle, const char *label);
char *get_variable_of_label_with_end_char(int handle, const char *label, const char *end);
char *get_variable_of_label_in_section(int handle, const char *section, const char *label);
char *get_variable_of_label_in_section_with_end_char(int handle, const char *section, const char *label,
                                                     const char *end);

// Rewriting values in a file. Each returns 0, or -1 when the file could not
// be changed (a bad handle, a failed write). A label that is missing is added
// as a line of its own: at the end of the file, or for the section entries
// just after the section label's line (with the section too when that is
// missing).
int set_variable_of_label(int handle, const char *label, const char *value);
int set_variable_of_label_with_end_char(int handle, const char *label, const char *value, const char *end);
int set_variable_of_label_in_section(int handle, const char *section, const char *label, const char *value);
int set_variable_of_label_in_section_with_end_char(int handle, const char *section, const char *label,
                                                   const char *value, const char *end);

// Removes `count` bytes at `position` (count > 0) or opens a gap of -count
// bytes there (count < 0), moving the whole rest of the file byte for byte.
// Returns 0, or -1 when the file could not be changed.
int remove_from_file(int handle, int position, int count);

// Older line-based entries: a line matches when it begins with the label
// directly followed by "=" (label_exists, get_variable_in_section) or when
// its whole text is the section name (get_section_pos). Every line counts,
// the first one included.
int label_exists(int handle, const char *label);
LONG get_section_pos(int handle, const char *section);
char *get_variable_in_section(int handle, int section_pos, const char *label);

#endif
