// What the parts of the label-value store share: the label scan, the one
// area every value is returned in, and how an end text is read.
#ifndef STONECALL_UTIL_LABELSTORE_SCAN_H
#define STONECALL_UTIL_LABELSTORE_SCAN_H

#include "util/labelstore.h"

#define LABEL_AREA_SIZE (LABEL_VALUE_MAX + 1)

// The value every entry of the store returns, valid until its next call.
extern char LabelValueArea[LABEL_AREA_SIZE];

// The value area emptied.
char *EmptyLabelValue(void);

// Only the first character of an end text counts; NUL runs to the end.
char LabelEndChar(const char *end);

// Takes the label (cut to LABEL_VALUE_MAX) into the scan and returns its length.
int PrepareLabelScan(const char *label);

// How much of the prepared label matches after character c, given `matched` before it.
int AdvanceLabelScan(int matched, char c);

#endif
