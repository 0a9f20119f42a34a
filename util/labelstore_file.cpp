// The label-value store's entries over open files: reading values and
// rewriting them in place, moving the rest of the file.
//
// Files are opened in text mode by their owners, so the store reads LF where
// the file holds CR LF; its offsets are raw offsets all the same. Rewrites
// move the rest of the file as raw bytes (see remove_from_file).
#include "util/labelstore.h"

#include "util/labelstore_scan.h"
#include "util/text.h"

#include <fcntl.h>
#include <io.h>

#include <stdint.h>
#include <stdio.h>
#include <string.h>

#define SHIFT_BUFFER_SIZE 1000
#define NO_BYTE (-1)   // what ScanTo reports as the last byte when it read none

// Bytes the text takes in a text-mode file: each LF is stored as CR LF.
static LONG RawLength(const char *text)
{
    LONG n = 0;
    for (; *text; ++text)
        n += *text == '\n' ? 2 : 1;
    return n;
}

// Reads from offset `from` until a byte equal to `stop` has been read (never
// when stop is NUL) or the data ends. Returns the offset then; `last` gets the
// last byte read, as an unsigned char, or NO_BYTE (a NUL byte in the file is
// a byte like any other), and `last_at` the offset its read began at, so
// that a stop character's line end (CR before LF) stays outside the value.
static LONG ScanTo(int handle, LONG from, char stop, int *last, LONG *last_at)
{
    char c;
    LONG at = _lseek(handle, from, SEEK_SET);

    *last = NO_BYTE;
    *last_at = at;
    if (at < 0)
        return -1;
    for (;;) {
        LONG before = _tell(handle);
        int n = _read(handle, &c, 1);
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        *last = (unsigned char)c;
        *last_at = before;
        if (stop && c == stop)
            break;
    }
    return _tell(handle);
}

static int WriteAt(int handle, LONG at, const char *text)
{
    size_t length = strlen(text);

    if (_lseek(handle, at, SEEK_SET) < 0)
        return -1;
    return length == 0 || _write(handle, text, (unsigned int)length) == (int)length ? 0 : -1;
}

// Replaces the raw bytes [from, to) of the file by `text`, written in text
// mode, in an order that leaves every other label readable wherever a call
// fails on the way: only the value being written may be left garbled.
//
// A shorter text is written first and the rest of the file moved down after
// it: cut short, the old value's leftover trails the new line end as a line
// of its own. A longer one needs room, made by moving the rest of the file up
// from `from`; the bytes left behind are a copy of what stood there, so room
// is made in steps no longer than the region already is, and every copy is a
// piece of the old value, never a piece of the following lines. The old
// value stays at the end of the grown region, so when the text cannot be
// written the room is taken out again in front of it.
static int ReplaceRegion(int handle, LONG from, LONG to, const char *text)
{
    LONG raw = RawLength(text);
    LONG room = to - from;

    if (room >= raw)
        return WriteAt(handle, from, text) == 0 && remove_from_file(handle, from + raw, room - raw) == 0 ? 0 : -1;
    while (room < raw) {
        LONG step = room > 0 ? room : 1;
        if (step > raw - room)
            step = raw - room;
        if (remove_from_file(handle, from, -step) != 0)
            break;
        room += step;
    }
    if (room == raw && WriteAt(handle, from, text) == 0)
        return 0;
    remove_from_file(handle, from, room - (to - from));
    return -1;
}

// Adds `text` (which ends with its own line end) where the data ends,
// after a line end of its own when the file does not end with one.
static int AppendLines(int handle, const char *text)
{
    char line[4 * LABEL_AREA_SIZE];
    int last;
    LONG last_at;
    LONG end = ScanTo(handle, 0, '\0', &last, &last_at);

    if (end < 0)
        return -1;
    // Data ending in a NUL still needs the line end, or rewriting the value
    // before it would swallow the new line.
    MakeString(line, 2, (last != NO_BYTE && last != '\n') ? "\n" : "", text);
    return ReplaceRegion(handle, end, end, line);
}

// ---- files: reading --------------------------------------------------

// Where the label ends, from `start` on: the offset, LABEL_MISSING when the
// data holds no such label, or LABEL_UNREADABLE when the file could not be
// read to the end, so a rewrite never takes a label it could not see for one
// that is not there.
#define LABEL_MISSING (-1)
#define LABEL_UNREADABLE (-2)

static LONG FindLabelEnd(int handle, LONG start, const char *label)
{
    int length = PrepareLabelScan(label);
    int matched = 0;
    int n;
    char c;

    if (length == 0)
        return LABEL_MISSING;
    if (_lseek(handle, start < 0 ? 0 : start, SEEK_SET) < 0)
        return LABEL_UNREADABLE;
    while ((n = _read(handle, &c, 1)) == 1) {
        matched = AdvanceLabelScan(matched, c);
        if (matched == length)
            return _tell(handle);
    }
    return n < 0 ? LABEL_UNREADABLE : LABEL_MISSING;
}

LONG get_label_end_pos(int handle, LONG start, const char *label)
{
    LONG pos = FindLabelEnd(handle, start, label);
    return pos < 0 ? -1 : pos;
}

char *get_variable_of_label_pos(int handle, LONG offset, const char *end)
{
    char stop = LabelEndChar(end);
    size_t n = 0;
    char c;

    if (offset < 0 || _lseek(handle, offset, SEEK_SET) < 0)
        return EmptyLabelValue();
    while (n < LABEL_VALUE_MAX && _read(handle, &c, 1) == 1 && !(stop && c == stop))
        LabelValueArea[n++] = c;
    LabelValueArea[n] = '\0';
    return LabelValueArea;
}

static char *ValueOfFile(int handle, LONG start, const char *label, const char *end)
{
    LONG pos = get_label_end_pos(handle, start, label);
    return pos < 0 ? EmptyLabelValue() : get_variable_of_label_pos(handle, pos, end);
}

char *get_variable_of_label(int handle, const char *label)
{
    return ValueOfFile(handle, 0, label, "\n");
}

char *get_variable_of_label_with_end_char(int handle, const char *label, const char *end)
{
    return ValueOfFile(handle, 0, label, end);
}

char *get_variable_of_label_in_section(int handle, const char *section, const char *label)
{
    return get_variable_of_label_in_section_with_end_char(handle, section, label, "\n");
}

char *get_variable_of_label_in_section_with_end_char(int handle, const char *section, const char *label,
                                                     const char *end)
{
    LONG pos = get_label_end_pos(handle, 0, section);
    return pos < 0 ? EmptyLabelValue() : ValueOfFile(handle, pos, label, end);
}

// ---- files: rewriting ------------------------------------------------

// Rewrites the value of the first `label` found from `start`. With an end
// character the value runs up to it and the end character stays; without
// one (LF) the whole rest of the line is replaced by the value and a line end.
// A missing label is added by `add_missing`.
static int SetValue(int handle, LONG start, const char *label, const char *value, char stop,
                    int (*add_missing)(int, LONG, const char *))
{
    char cut_label[LABEL_AREA_SIZE];
    char cut_value[LABEL_AREA_SIZE];
    char text[3 * LABEL_AREA_SIZE];
    char stop_text[2] = {stop, '\0'};
    int last;
    LONG last_at, end;
    LONG pos = FindLabelEnd(handle, start, label);

    copy_text(cut_label, sizeof cut_label, label);
    copy_text(cut_value, sizeof cut_value, value);
    if (pos == LABEL_UNREADABLE)
        return -1;
    if (pos < 0) {
        // As a line of its own: the label, the value, the end character, a line end.
        MakeString(text, 4, cut_label, cut_value, stop == '\n' ? "" : stop_text, "\n");
        return add_missing(handle, start, text);
    }
    end = ScanTo(handle, pos, stop, &last, &last_at);
    if (end < 0)
        return -1;
    if (stop == '\n') {
        MakeString(text, 2, cut_value, "\n");
        return ReplaceRegion(handle, pos, end, text);
    }
    if (stop && last == (unsigned char)stop)
        end = last_at;
    return ReplaceRegion(handle, pos, end, cut_value);
}

static int AddAtEnd(int handle, LONG start, const char *text)
{
    (void)start;
    return AppendLines(handle, text);
}

// Adds the line just after the line of the section label, which ends at `start`.
static int AddAfterSection(int handle, LONG start, const char *text)
{
    char line[4 * LABEL_AREA_SIZE];
    int last;
    LONG last_at;
    LONG end = ScanTo(handle, start, '\n', &last, &last_at);

    if (end < 0)
        return -1;
    MakeString(line, 2, last == '\n' ? "" : "\n", text);
    return ReplaceRegion(handle, end, end, line);
}

int set_variable_of_label(int handle, const char *label, const char *value)
{
    return SetValue(handle, 0, label, value, '\n', AddAtEnd);
}

int set_variable_of_label_with_end_char(int handle, const char *label, const char *value, const char *end)
{
    return SetValue(handle, 0, label, value, LabelEndChar(end), AddAtEnd);
}

int set_variable_of_label_in_section(int handle, const char *section, const char *label, const char *value)
{
    return set_variable_of_label_in_section_with_end_char(handle, section, label, value, "\n");
}

int set_variable_of_label_in_section_with_end_char(int handle, const char *section, const char *label,
                                                   const char *value, const char *end)
{
    char cut_section[LABEL_AREA_SIZE];
    char text[LABEL_AREA_SIZE + 2];
    LONG pos = FindLabelEnd(handle, 0, section);

    if (pos == LABEL_UNREADABLE)
        return -1;
    if (pos >= 0)
        return SetValue(handle, pos, label, value, LabelEndChar(end), AddAfterSection);
    // No section: add it, then the label after it.
    copy_text(cut_section, sizeof cut_section, section);
    MakeString(text, 2, cut_section, "\n");
    if (AppendLines(handle, text) != 0)
        return -1;
    pos = get_label_end_pos(handle, 0, section);
    return pos < 0 ? -1 : SetValue(handle, pos, label, value, LabelEndChar(end), AddAfterSection);
}

// Moves the raw bytes [from, length) down by `count` bytes, front to back.
static int MoveDown(int handle, LONG from, LONG length, LONG count)
{
    char buffer[SHIFT_BUFFER_SIZE];

    for (LONG src = from; src < length;) {
        int want = length - src < SHIFT_BUFFER_SIZE ? (int)(length - src) : SHIFT_BUFFER_SIZE;
        if (_lseek(handle, src, SEEK_SET) < 0 || _read(handle, buffer, want) != want)
            return -1;
        if (_lseek(handle, src - count, SEEK_SET) < 0 || _write(handle, buffer, want) != want)
            return -1;
        src += want;
    }
    if (_chsize(handle, length - count) == 0)
        return 0;
    // The file keeps its old end, a copy of bytes now in front of it, which
    // would run on from the last line. NUL bytes end a value where it stands.
    memset(buffer, 0, sizeof buffer);
    if (_lseek(handle, length - count, SEEK_SET) >= 0)
        for (LONG left = count; left > 0; left -= SHIFT_BUFFER_SIZE)
            if (_write(handle, buffer, left < SHIFT_BUFFER_SIZE ? (unsigned int)left : SHIFT_BUFFER_SIZE) < 0)
                break;
    return -1;
}

// Moves the raw bytes [from, length) up by `gap` bytes, back to front, so
// nothing is overwritten before it has moved. The file grows first: when
// the disk has no room for it, nothing has moved yet.
static int MoveUp(int handle, LONG from, LONG length, LONG gap)
{
    char buffer[SHIFT_BUFFER_SIZE];

    if (_chsize(handle, length + gap) != 0)
        return -1;
    for (LONG end = length; end > from;) {
        LONG start = end - from > SHIFT_BUFFER_SIZE ? end - SHIFT_BUFFER_SIZE : from;
        int want = (int)(end - start);
        if (_lseek(handle, start, SEEK_SET) < 0 || _read(handle, buffer, want) != want)
            return -1;
        if (_lseek(handle, start + gap, SEEK_SET) < 0 || _write(handle, buffer, want) != want)
            return -1;
        end = start;
    }
    return 0;
}

int remove_from_file(int handle, int position, int count)
{
    LONG length = _filelength(handle);
    int mode, result;

    if (count == 0)
        return 0;
    if (length < 0 || position < 0 || position > length)
        return -1;
    if (count > 0 && count > length - position)
        count = length - position;
    if (count < 0 && (long long)length - count > INT32_MAX)
        return -1;
    // Raw bytes: CRs and Ctrl-Z move like any other byte.
    mode = _setmode(handle, _O_BINARY);
    if (mode < 0)
        return -1;
    if (count > 0)
        result = MoveDown(handle, position + count, length, count);
    else
        result = MoveUp(handle, position, length, -(LONG)count);
    _setmode(handle, mode);
    return result;
}
