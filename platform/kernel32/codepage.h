// The program's texts are Windows-1252 (the ANSI code page); the desktop
// around it speaks UTF-8 (window titles, typed text, automation scripts).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kernel32 {

// The Unicode character of a Windows-1252 byte. The five bytes the code page
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) keep their value, as
// MultiByteToWideChar gives them.
uint32_t unicode_of_ansi(unsigned char c);

std::string utf8_of_ansi(std::string_view text);

// UTF-8 to Windows-1252. A character the code page has no byte for is left
// out; a byte that starts no valid UTF-8 sequence is taken as a Windows-1252
// byte already, so text that was never UTF-8 passes unchanged.
std::string ansi_of_utf8(std::string_view text);

}   // namespace kernel32
