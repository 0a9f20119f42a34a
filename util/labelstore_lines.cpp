// The label-value store's older line-based entries over open files.
#include "util/labelstore.h"

#include "util/labelstore_scan.h"
#include "util/text.h"

#include <io.h>

#include <stdio.h>
#include <string.h>

#define LINE_AREA_SIZE (2 * LABEL_AREA_SIZE)

static int ReadLine(int handle, char *line, size_t size)
{
    size_t n = 0;
    int got = 0;
    char c;

    while (_read(handle, &c, 1) == 1) {
        got = 1;
        if (c == '\n')
            break;
        if (n + 1 < size)
            line[n++] = c;
    }
    line[n] = '\0';
    return got ? (int)n : -1;
}

// label + "=", cut to fit a line.
static void LineLabel(char *dest, const char *label)
{
    copy_text(dest, LABEL_AREA_SIZE, label);
    append_text(dest, LABEL_AREA_SIZE + 1, "=");
}

int label_exists(int handle, const char *label)
{
    char want[LABEL_AREA_SIZE + 1];
    char line[LINE_AREA_SIZE];

    LineLabel(want, label);
    if (_lseek(handle, 0, SEEK_SET) < 0)
        return 0;
    while (ReadLine(handle, line, sizeof line) >= 0)
        if (strncmp(line, want, strlen(want)) == 0)
            return 1;
    return 0;
}

LONG get_section_pos(int handle, const char *section)
{
    char line[LINE_AREA_SIZE];

    if (_lseek(handle, 0, SEEK_SET) < 0)
        return -1;
    while (ReadLine(handle, line, sizeof line) >= 0)
        if (strcmp(line, section) == 0)
            return _tell(handle);
    return -1;
}

char *get_variable_in_section(int handle, int section_pos, const char *label)
{
    char want[LABEL_AREA_SIZE + 1];
    char line[LINE_AREA_SIZE];

    LineLabel(want, label);
    if (section_pos < 0 || _lseek(handle, section_pos, SEEK_SET) < 0)
        return EmptyLabelValue();
    while (ReadLine(handle, line, sizeof line) >= 0) {
        if (strncmp(line, want, strlen(want)) == 0) {
            copy_text(LabelValueArea, sizeof LabelValueArea, line + strlen(want));
            return LabelValueArea;
        }
    }
    return EmptyLabelValue();
}
