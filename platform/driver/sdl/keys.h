// The virtual-key code of an SDL key, as a US keyboard's key would send it.
#pragma once

#include <windows.h>

#include <SDL.h>

namespace drv::sdl {

// 0 for keys the program has no code for (media keys, letters of other alphabets).
UINT vk_of_key(SDL_Keycode key);

}   // namespace drv::sdl
