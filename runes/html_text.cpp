// Escaping of spread texts for the reading's web page: the only harmless
// markup an author may mean survives, everything else is shown as typed.
#include "runes/html_text.h"

#include <string.h>

// Tags that only change how text looks. With attributes they could carry
// event handlers, so only the bare forms are recognised.
static const char *const html_tags[] = {"B", "I", "U", "EM", "STRONG", "BIG", "SMALL", "BR"};

// Longest named reference HTML knows has 31 letters; 7 decimal or 6 hex
// digits reach the last code point. Longer runs are not references.
static const size_t HTML_NAME_MAX = 32;
static const size_t HTML_DECIMAL_MAX = 7;
static const size_t HTML_HEX_MAX = 6;
static const unsigned long HTML_CODE_POINT_MAX = 0x10FFFF;
static const unsigned long HTML_SURROGATE_FIRST = 0xD800;
static const unsigned long HTML_SURROGATE_LAST = 0xDFFF;

// ASCII only: bytes of 0x80 and above are text in the spread's code page,
// never part of a tag or reference name.
static bool html_is_letter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

static char html_upper(char c)
{
    return (c >= 'a' && c <= 'z') ? (char)(c - 'a' + 'A') : c;
}

// Value of c as a digit of the given base (10 or 16), or -1.
static int html_digit(char c, int base)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (base == 16 && html_upper(c) >= 'A' && html_upper(c) <= 'F')
        return html_upper(c) - 'A' + 10;
    return -1;
}

static bool html_is_tag_name(const char *name, size_t length)
{
    for (const char *tag : html_tags) {
        if (strlen(tag) != length)
            continue;
        size_t i = 0;
        while (i < length && html_upper(name[i]) == tag[i])
            i++;
        if (i == length)
            return true;
    }
    return false;
}

// Length of the allowed tag at text (which starts with '<'), or 0.
static size_t html_tag_length(const char *text)
{
    size_t i = 1;
    if (text[i] == '/')
        i++;
    size_t name = i;
    while (html_is_letter(text[i]))
        i++;
    if (text[i] != '>' || !html_is_tag_name(text + name, i - name))
        return 0;
    return i + 1;
}

// Length of "&#N;" or "&#xN;" at text, or 0 when the digits are missing, too
// many, not closed by ';', or name no character.
static size_t html_numeric_reference_length(const char *text)
{
    bool hex = text[2] == 'x' || text[2] == 'X';
    int base = hex ? 16 : 10;
    size_t most = hex ? HTML_HEX_MAX : HTML_DECIMAL_MAX;
    size_t first = hex ? 3 : 2;
    size_t i = first;
    unsigned long value = 0;
    int digit;
    while (i - first < most && (digit = html_digit(text[i], base)) >= 0) {
        value = value * base + digit;
        i++;
    }
    if (i == first || text[i] != ';')
        return 0;
    if (value == 0 || value > HTML_CODE_POINT_MAX || (value >= HTML_SURROGATE_FIRST && value <= HTML_SURROGATE_LAST))
        return 0;
    return i + 1;
}

// Length of the well-formed character reference at text (which starts with
// '&'), or 0.
static size_t html_reference_length(const char *text)
{
    if (text[1] == '#')
        return html_numeric_reference_length(text);
    if (!html_is_letter(text[1]))
        return 0;
    size_t i = 1;
    while (i <= HTML_NAME_MAX && (html_is_letter(text[i]) || html_digit(text[i], 10) >= 0))
        i++;
    return text[i] == ';' ? i + 1 : 0;
}

// The characters that can make markup; where one starts a harmless piece,
// the piece is kept whole, otherwise the character is replaced.
struct HtmlSpecial {
    char c;
    const char *escaped;
    size_t (*harmless_length)(const char *text);
};

static const HtmlSpecial html_specials[] = {
    {'<', "&lt;", html_tag_length},
    {'&', "&amp;", html_reference_length},
    {'>', "&gt;", nullptr},
    {'"', "&quot;", nullptr},
};

static const HtmlSpecial *html_special(char c)
{
    for (const HtmlSpecial &special : html_specials)
        if (special.c == c)
            return &special;
    return nullptr;
}

std::string html_safe_text(const char *text)
{
    std::string safe;
    if (!text)
        return safe;
    safe.reserve(strlen(text));
    while (*text) {
        const HtmlSpecial *special = html_special(*text);
        size_t kept = 1;
        if (special)
            kept = special->harmless_length ? special->harmless_length(text) : 0;
        if (kept) {
            safe.append(text, kept);
            text += kept;
        } else {
            safe += special->escaped;
            text++;
        }
    }
    return safe;
}
