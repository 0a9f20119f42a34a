#include "user32/clipboard.h"

#include "driver/driver.h"
#include "kernel32/codepage.h"

namespace user32 {
namespace {

// The length of the UTF-8 sequence a byte starts, as far as its lead says.
size_t sequence_length(unsigned char lead)
{
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

}   // namespace

void clipboard_put_text(const std::string &text)
{
    std::string lf;
    for (size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) lf += text[i];
    drv::current().set_clipboard_text(kernel32::utf8_of_ansi(lf));
}

std::string clipboard_text()
{
    const std::string utf8 = drv::current().clipboard_text();
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        size_t n = 1;
        while (n < sequence_length(static_cast<unsigned char>(utf8[i])) && i + n < utf8.size() &&
               (static_cast<unsigned char>(utf8[i + n]) & 0xC0) == 0x80)
            ++n;
        std::string ansi = kernel32::ansi_of_utf8(utf8.substr(i, n));
        if (utf8[i] == '\n' && (out.empty() || out.back() != '\r')) out += '\r';
        out += ansi.empty() ? "?" : ansi;
        i += n;
    }
    return out;
}

}   // namespace user32
