#include "kernel32/codepage.h"

namespace kernel32 {
namespace {

// 0x80..0x9F, where Windows-1252 is not Latin-1; 0 for the undefined bytes.
constexpr uint16_t high[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

// The byte of a Unicode character, -1 when Windows-1252 has none.
int ansi_of_unicode(uint32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (int i = 0; i < 32; ++i)
        if (unicode_of_ansi(static_cast<unsigned char>(0x80 + i)) == cp) return 0x80 + i;
    return -1;
}

// The length of the valid UTF-8 sequence at the start of `s` and its
// character; 0 when it is not one (overlong forms and surrogates included).
size_t decode(std::string_view s, uint32_t &cp)
{
    auto b = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
    size_t n = b(0) >= 0xF0 && b(0) <= 0xF4 ? 4 : b(0) >= 0xE0 ? 3 : b(0) >= 0xC2 && b(0) < 0xE0 ? 2 : 0;
    if (n == 0 || s.size() < n) return 0;
    cp = b(0) & (0x7F >> n);
    for (size_t i = 1; i < n; ++i) {
        if ((b(i) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b(i) & 0x3F);
    }
    const uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < least[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return n;
}

}   // namespace

uint32_t unicode_of_ansi(unsigned char c)
{
    if (c < 0x80 || c >= 0xA0 || !high[c - 0x80]) return c;
    return high[c - 0x80];
}

std::string utf8_of_ansi(std::string_view text)
{
    std::string out;
    for (unsigned char c : text) {
        uint32_t cp = unicode_of_ansi(c);
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

std::string ansi_of_utf8(std::string_view text)
{
    std::string out;
    for (size_t i = 0; i < text.size();) {
        uint32_t cp = 0;
        size_t n = static_cast<unsigned char>(text[i]) < 0x80 ? 0 : decode(text.substr(i), cp);
        if (n == 0) {
            out += text[i++];
            continue;
        }
        if (int b = ansi_of_unicode(cp); b >= 0) out += static_cast<char>(b);
        i += n;
    }
    return out;
}

}   // namespace kernel32
