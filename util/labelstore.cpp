// The label-value store's search and its entries over texts in memory.
//
// The label scan is a Knuth-Morris-Pratt search: after a broken partial match
// it goes on with the longest part of the label that still matches, so the
// first occurrence is always found ("ab=" in "aab=1") while a file is still
// read front to back, one byte per read, with no seeking back.
#include "util/labelstore.h"

#include "util/labelstore_scan.h"
#include "util/text.h"

#include <string.h>

static char LabelArea[LABEL_AREA_SIZE];
static int LabelFallback[LABEL_AREA_SIZE];   // KMP: longest proper border of each prefix
char LabelValueArea[LABEL_AREA_SIZE];

// ---- the scan --------------------------------------------------------

char *EmptyLabelValue(void)
{
    LabelValueArea[0] = '\0';
    return LabelValueArea;
}

char LabelEndChar(const char *end)
{
    return end ? end[0] : '\0';
}

int PrepareLabelScan(const char *label)
{
    int length, k = 0;

    copy_text(LabelArea, sizeof LabelArea, label);
    length = (int)strlen(LabelArea);
    if (length > 0)
        LabelFallback[0] = 0;
    for (int i = 1; i < length; ++i) {
        while (k > 0 && LabelArea[i] != LabelArea[k])
            k = LabelFallback[k - 1];
        if (LabelArea[i] == LabelArea[k])
            ++k;
        LabelFallback[i] = k;
    }
    return length;
}

int AdvanceLabelScan(int matched, char c)
{
    while (matched > 0 && LabelArea[matched] != c)
        matched = LabelFallback[matched - 1];
    return LabelArea[matched] == c ? matched + 1 : 0;
}

// ---- texts -----------------------------------------------------------

LONG get_label_end_pos_of_string(const char *text, LONG start, const char *label)
{
    int length = PrepareLabelScan(label);
    int matched = 0;

    if (length == 0)
        return -1;
    if (start < 0)
        start = 0;
    for (LONG i = 0; i < start; ++i)
        if (text[i] == '\0')
            return -1;
    for (LONG i = start; text[i]; ++i) {
        matched = AdvanceLabelScan(matched, text[i]);
        if (matched == length)
            return i;
    }
    return -1;
}

char *get_variable_of_label_pos_of_string(const char *text, LONG pos, const char *end)
{
    char stop = LabelEndChar(end);
    size_t n = 0;

    if (pos < -1 || pos >= (LONG)strlen(text))
        return EmptyLabelValue();
    for (const char *s = text + pos + 1; *s && *s != stop && n < LABEL_VALUE_MAX; ++s)
        LabelValueArea[n++] = *s;
    LabelValueArea[n] = '\0';
    return LabelValueArea;
}

static char *ValueOfString(const char *text, LONG start, const char *label, const char *end)
{
    LONG pos = get_label_end_pos_of_string(text, start, label);
    return pos < 0 ? EmptyLabelValue() : get_variable_of_label_pos_of_string(text, pos, end);
}

char *get_variable_of_label_of_string(const char *text, const char *label)
{
    return ValueOfString(text, 0, label, "\n");
}

char *get_variable_of_label_with_end_char_of_string(const char *text, const char *label, const char *end)
{
    return ValueOfString(text, 0, label, end);
}

char *get_variable_of_label_in_section_of_string(const char *text, const char *section, const char *label)
{
    return get_variable_of_label_in_section_with_end_char_of_strin(text, section, label, "\n");
}

char *get_variable_of_label_in_section_with_end_char_of_strin(const char *text, const char *section, const char *label,
                                                              const char *end)
{
    LONG pos = get_label_end_pos_of_string(text, 0, section);
    return pos < 0 ? EmptyLabelValue() : ValueOfString(text, pos, label, end);
}
