// The small text and number routines: joining, bounded copying and appending,
// comparing, and decimal text to and from numbers.
#include "util/text.h"

#include <io.h>

#include <ctype.h>
#include <stdarg.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>

static char MakeStringArea[MAKESTRING_AREA_SIZE];
static char IntToCharArea[12];   // "-2147483648" and the NUL

int swrite(int handle, const char *text)
{
    return _write(handle, text, (unsigned int)strlen(text));
}

char *MakeString(char *dest, int count, const char *first, ...)
{
    va_list args;
    char *result = dest ? dest : MakeStringArea;
    // Only the own area has a size known here.
    size_t room = dest ? SIZE_MAX : sizeof MakeStringArea;
    size_t used = 0;
    const char *piece = first;

    va_start(args, first);
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            piece = va_arg(args, const char *);
        size_t len = strlen(piece);
        if (len > room - 1 - used)
            len = room - 1 - used;
        memmove(result + used, piece, len);
        used += len;
    }
    va_end(args);
    result[used] = '\0';
    return result;
}

char *copy_text(char *dest, size_t size, const char *text)
{
    size_t n = 0;

    if (size == 0)
        return dest;
    while (n + 1 < size && text[n])
        ++n;
    memmove(dest, text, n);
    dest[n] = '\0';
    return dest;
}

char *append_text(char *dest, size_t size, const char *piece)
{
    size_t used = strnlen(dest, size);

    if (used < size)
        copy_text(dest + used, size - used, piece);
    return dest;
}

int compare_strings(const char *a, const char *b)
{
    return strcmp(a, b);
}

char *int_to_char(LONG value, int radix)
{
    (void)radix;
    snprintf(IntToCharArea, sizeof IntToCharArea, "%ld", (long)value);
    return IntToCharArea;
}

LONG char_to_int(const char *text)
{
    const LONG lowest = INT32_MIN;
    const LONG highest = INT32_MAX;
    long long value = 0;
    int negative = 0;

    while (isspace((unsigned char)*text))
        ++text;
    if (*text == '-' || *text == '+')
        negative = *text++ == '-';
    for (; isdigit((unsigned char)*text); ++text) {
        value = value * 10 + (*text - '0');
        // Past either end the value stays there; no later digit can bring it back.
        if (value > (long long)highest + 1)
            break;
    }
    if (negative)
        value = -value;
    if (value < lowest)
        return lowest;
    if (value > highest)
        return highest;
    return (LONG)value;
}
