// The clipboard the edit controls cut, copy and paste through: the desktop's,
// by way of the driver. The program's texts are Windows-1252 with CR LF line
// ends; the desktop's are UTF-8 with LF.
#pragma once

#include <string>

namespace user32 {

void clipboard_put_text(const std::string &text);
// Empty when the clipboard holds no text. A character Windows-1252 has no
// byte for comes as '?', as Windows' own conversion to the ANSI code page
// gives it; a lone LF comes as CR LF.
std::string clipboard_text();

}   // namespace user32
