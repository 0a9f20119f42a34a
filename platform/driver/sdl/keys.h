// The virtual-key code of an SDL key, as Windows gives it for the user's
// keyboard layout.
#pragma once

#include <windows.h>

#include <SDL.h>

namespace drv::sdl {

// 0 for keys the program has no code for (media keys). Letters follow the
// layout (the QWERTZ `z`); a letter of another alphabet, and the number row,
// keep the code of their place on a US keyboard. Keys typing `+ , - .` have
// VK_OEM_PLUS, COMMA, MINUS, PERIOD wherever they are; the other character
// keys (`ö`, `#`, `<` on ISO keyboards) have the VK_OEM_* code of their
// place, VK_OEM_8 where that code belongs to one of the four elsewhere.
UINT vk_of_key(const SDL_Keysym &key);

}   // namespace drv::sdl
