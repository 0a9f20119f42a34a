// The escaping of spread texts for RUNE.HTM on arbitrary text: no '<' or '>'
// outside a bare formatting tag (<B> <I> <U> <EM> <STRONG> <BIG> <SMALL> <BR>,
// opening or closing, any case), no '"', no '&' that begins no well-formed
// character reference; escaping the output again changes nothing.
#include "support.h"

#include "runes/html_text.h"

#include <cstdlib>
#include <string>

#include <strings.h>

using namespace fuzzsupport;

namespace {

bool is_allowed_tag(std::string name)
{
    static const char *const allowed[] = {"B", "I", "U", "EM", "STRONG", "BIG", "SMALL", "BR"};
    if (!name.empty() && name[0] == '/') name.erase(0, 1);
    for (const char *tag : allowed)
        if (strcasecmp(name.c_str(), tag) == 0) return true;
    return false;
}

// ASCII classes only (bytes of 0x80 and above are text); never empty.
bool all_in(const std::string &text, const char *set) { return !text.empty() && text.find_first_not_of(set) == npos; }

const char kDigits[] = "0123456789";
const char kHexDigits[] = "0123456789abcdefABCDEF";
const char kLettersAndDigits[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

// "&name;" (a letter, then letters and digits, 32 in all at most), "&#N;" (1
// to 7 decimal digits) or "&#xN;" (1 to 6 hex digits) naming a Unicode scalar value.
bool is_reference(const std::string &body)
{
    if (body.empty() || body[0] != '#')
        return body.size() <= 32 && all_in(body, kLettersAndDigits) && !all_in(body.substr(0, 1), kDigits);
    const bool hex = body.size() > 1 && (body[1] == 'x' || body[1] == 'X');
    const std::string digits = body.substr(hex ? 2 : 1);
    if (digits.size() > (hex ? 6u : 7u) || !all_in(digits, hex ? kHexDigits : kDigits)) return false;
    unsigned long value = std::strtoul(digits.c_str(), nullptr, hex ? 16 : 10);
    return value >= 1 && value <= 0x10FFFF && !(value >= 0xD800 && value <= 0xDFFF);
}

void check_markup(const std::string &safe)
{
    for (size_t i = 0; i < safe.size(); ++i) {
        switch (safe[i]) {
        case '<': {
            size_t close = safe.find('>', i);
            check(close != npos && is_allowed_tag(safe.substr(i + 1, close - i - 1)),
                  "a '<' that begins no allowed tag got through");
            i = close;
            break;
        }
        case '&': {
            size_t semicolon = safe.find(';', i);
            check(semicolon != npos && is_reference(safe.substr(i + 1, semicolon - i - 1)),
                  "an '&' that begins no character reference got through");
            i = semicolon;
            break;
        }
        case '>':
            fail("a '>' outside an allowed tag got through");
        case '"':
            fail("a '\"' got through");
        default:
            break;
        }
    }
}

}   // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string text = c_text(std::string(reinterpret_cast<const char *>(data), size));
    const std::string safe = html_safe_text(text.c_str());

    check(safe.size() >= text.size(), "the escaped text is shorter than the text");
    check_markup(safe);
    check(html_safe_text(safe.c_str()) == safe, "escaping the escaped text changed it");
    return 0;
}
