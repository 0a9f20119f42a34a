// SDL key codes to the virtual-key codes a US keyboard sends.
#include "driver/sdl/keys.h"

namespace drv::sdl {
namespace {

struct KeyVk {
    SDL_Keycode key;
    UINT vk;
};

// SDL names the keypad's keys apart from the lock (SDLK_KP_8 with NumLock on
// or off): they go to the layer as the digits, and the layer's own NumLock
// toggle makes them navigation keys. Both Shift, Ctrl and Alt keys are the
// one VK_SHIFT, VK_CONTROL and VK_MENU the program's messages carry.
const KeyVk keyVks[] = {
    {SDLK_BACKSPACE, VK_BACK},
    {SDLK_TAB, VK_TAB},
    {SDLK_RETURN, VK_RETURN},
    {SDLK_ESCAPE, VK_ESCAPE},
    {SDLK_SPACE, VK_SPACE},
    {SDLK_PAUSE, VK_PAUSE},
    {SDLK_LSHIFT, VK_SHIFT},
    {SDLK_RSHIFT, VK_SHIFT},
    {SDLK_LCTRL, VK_CONTROL},
    {SDLK_RCTRL, VK_CONTROL},
    {SDLK_LALT, VK_MENU},
    {SDLK_RALT, VK_MENU},
    {SDLK_CAPSLOCK, VK_CAPITAL},
    {SDLK_NUMLOCKCLEAR, VK_NUMLOCK},
    {SDLK_SCROLLLOCK, VK_SCROLL},
    {SDLK_PAGEUP, VK_PRIOR},
    {SDLK_PAGEDOWN, VK_NEXT},
    {SDLK_END, VK_END},
    {SDLK_HOME, VK_HOME},
    {SDLK_LEFT, VK_LEFT},
    {SDLK_UP, VK_UP},
    {SDLK_RIGHT, VK_RIGHT},
    {SDLK_DOWN, VK_DOWN},
    {SDLK_INSERT, VK_INSERT},
    {SDLK_DELETE, VK_DELETE},
    {SDLK_PRINTSCREEN, VK_SNAPSHOT},
    {SDLK_APPLICATION, VK_APPS},
    {SDLK_LGUI, VK_LWIN},
    {SDLK_RGUI, VK_RWIN},
    {SDLK_KP_0, VK_NUMPAD0},
    {SDLK_KP_1, VK_NUMPAD1},
    {SDLK_KP_2, VK_NUMPAD2},
    {SDLK_KP_3, VK_NUMPAD3},
    {SDLK_KP_4, VK_NUMPAD4},
    {SDLK_KP_5, VK_NUMPAD5},
    {SDLK_KP_6, VK_NUMPAD6},
    {SDLK_KP_7, VK_NUMPAD7},
    {SDLK_KP_8, VK_NUMPAD8},
    {SDLK_KP_9, VK_NUMPAD9},
    {SDLK_KP_PERIOD, VK_DECIMAL},
    {SDLK_KP_MULTIPLY, VK_MULTIPLY},
    {SDLK_KP_PLUS, VK_ADD},
    {SDLK_KP_MINUS, VK_SUBTRACT},
    {SDLK_KP_DIVIDE, VK_DIVIDE},
    {SDLK_KP_ENTER, VK_RETURN},
};

// The character keys by their place, with the code a US keyboard's key there has.
struct PlaceVk {
    SDL_Scancode place;
    UINT vk;
};
const PlaceVk placeVks[] = {
    {SDL_SCANCODE_SEMICOLON, VK_OEM_1},
    {SDL_SCANCODE_EQUALS, VK_OEM_PLUS},
    {SDL_SCANCODE_COMMA, VK_OEM_COMMA},
    {SDL_SCANCODE_MINUS, VK_OEM_MINUS},
    {SDL_SCANCODE_PERIOD, VK_OEM_PERIOD},
    {SDL_SCANCODE_SLASH, VK_OEM_2},
    {SDL_SCANCODE_GRAVE, VK_OEM_3},
    {SDL_SCANCODE_LEFTBRACKET, VK_OEM_4},
    {SDL_SCANCODE_BACKSLASH, VK_OEM_5},
    {SDL_SCANCODE_NONUSHASH, VK_OEM_5},
    {SDL_SCANCODE_RIGHTBRACKET, VK_OEM_6},
    {SDL_SCANCODE_APOSTROPHE, VK_OEM_7},
    {SDL_SCANCODE_NONUSBACKSLASH, VK_OEM_102},
};

// The four characters whose keys have a code of their own on every layout.
const KeyVk ownCodes[] = {
    {'+', VK_OEM_PLUS},
    {',', VK_OEM_COMMA},
    {'-', VK_OEM_MINUS},
    {'.', VK_OEM_PERIOD},
};

// Whether another character key of the layout types `c` unshifted.
bool typed_elsewhere(SDL_Keycode c, SDL_Scancode here)
{
    for (const PlaceVk &p : placeVks)
        if (p.place != here && SDL_GetKeyFromScancode(p.place) == c) return true;
    return false;
}

UINT vk_of_place(SDL_Scancode place)
{
    if (place >= SDL_SCANCODE_A && place <= SDL_SCANCODE_Z) return static_cast<UINT>('A' + (place - SDL_SCANCODE_A));
    if (place >= SDL_SCANCODE_1 && place <= SDL_SCANCODE_9) return static_cast<UINT>('1' + (place - SDL_SCANCODE_1));
    if (place == SDL_SCANCODE_0) return '0';
    for (const PlaceVk &p : placeVks) {
        if (p.place != place) continue;
        for (const KeyVk &own : ownCodes)
            if (own.vk == p.vk && typed_elsewhere(own.key, place)) return VK_OEM_8;
        return p.vk;
    }
    return 0;
}

}   // namespace

UINT vk_of_key(const SDL_Keysym &k)
{
    SDL_Keycode key = k.sym;
    if (key >= SDLK_a && key <= SDLK_z) return static_cast<UINT>('A' + (key - SDLK_a));
    if (key >= SDLK_0 && key <= SDLK_9) return static_cast<UINT>('0' + (key - SDLK_0));
    if (key >= SDLK_F1 && key <= SDLK_F12) return static_cast<UINT>(VK_F1 + (key - SDLK_F1));
    for (const KeyVk &v : keyVks)
        if (v.key == key) return v.vk;
    for (const KeyVk &own : ownCodes)
        if (own.key == key) return own.vk;
    return vk_of_place(k.scancode);
}

}   // namespace drv::sdl
