// The key state and the layer's own NumLock: GetKeyState describes the message
// being handled, and the keypad follows the toggle SetKeyboardState writes.
#include "support/msgseq.h"

#include "driver/driver.h"

#include <gtest/gtest.h>

namespace {

HWND focused_window()
{
    return CreateWindowExA(0, msgseq::recorder_class(), "k", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100,
                           nullptr, nullptr, nullptr, nullptr);
}

// The keyboard messages waiting, as (window, message, virtual key), taken one by one.
struct Key {
    HWND hwnd;
    UINT msg;
    WPARAM vk;
    bool operator==(const Key &) const = default;
};
std::vector<Key> keys(bool translate = false)
{
    std::vector<Key> out;
    MSG m;
    while (out.size() < 20 && PeekMessageA(&m, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
        if (translate) TranslateMessage(&m);
        out.push_back(Key{m.hwnd, m.message, m.wParam});
    }
    return out;
}

} // namespace

TEST(Keyboard, KeypadFollowsTheLayersNumLockToggle)
{
    HWND w = focused_window();
    // Headless, NumLock starts off: keypad 8 is the up key, without the
    // extended bit of the separate arrow keys.
    drv::key(VK_NUMPAD8, true);
    drv::key(VK_UP, true);
    drv::key(VK_DECIMAL, true);
    MSG m;
    for (const auto &[vk, extended] : {std::pair{VK_UP, false}, std::pair{VK_UP, true}, std::pair{VK_DELETE, false}}) {
        ASSERT_TRUE(PeekMessageA(&m, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
        EXPECT_EQ(m.wParam, WPARAM(vk));
        EXPECT_EQ((m.lParam & (1 << 24)) != 0, extended) << vk;
    }
    // The program's NumLock forcing: pressed-and-toggled written back.
    BYTE state[256];
    ASSERT_TRUE(GetKeyboardState(state));
    EXPECT_EQ(state[VK_NUMLOCK] & 1, 0);
    state[VK_NUMLOCK] = 0x81;
    ASSERT_TRUE(SetKeyboardState(state));
    EXPECT_EQ(GetKeyState(VK_NUMLOCK) & 0x8001, 0x8001);
    drv::key(VK_NUMPAD8, true);
    drv::key(VK_NUMPAD8, false);
    // The NumLock key flips it back.
    drv::key(VK_NUMLOCK, false);
    drv::key(VK_NUMLOCK, true);
    drv::key(VK_NUMLOCK, false);
    drv::key(VK_NUMPAD2, true);
    EXPECT_EQ(keys(), (std::vector<Key>{{w, WM_KEYDOWN, VK_NUMPAD8}, {w, WM_KEYUP, VK_NUMPAD8}, {w, WM_KEYUP, VK_NUMLOCK},
                                        {w, WM_KEYDOWN, VK_NUMLOCK}, {w, WM_KEYUP, VK_NUMLOCK}, {w, WM_KEYDOWN, VK_DOWN}}));
    EXPECT_EQ(GetKeyState(VK_NUMLOCK), 0);
}

TEST(Keyboard, KeyStateDescribesTheMessageBeingHandled)
{
    focused_window();
    drv::key(VK_SHIFT, true);
    drv::key(VK_TAB, true);
    drv::key(VK_TAB, false);
    drv::key(VK_SHIFT, false);
    MSG m;
    ASSERT_TRUE(PeekMessageA(&m, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE));   // shift down
    ASSERT_TRUE(PeekMessageA(&m, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE));   // tab down
    // The shift is still down for this message, though the driver released it since.
    EXPECT_LT(GetKeyState(VK_SHIFT), 0);
    EXPECT_LT(GetKeyState(VK_TAB), 0);
    keys();
    EXPECT_EQ(GetKeyState(VK_SHIFT) & 0x8000, 0);
    EXPECT_EQ(GetKeyState(VK_TAB) & 0x8000, 0);
}

// The character comes right after its key: translated characters are posted.
TEST(Keyboard, AltMakesSystemKeysAndWithoutFocusTheActiveWindowGetsThem)
{
    HWND w = focused_window();
    drv::key(VK_MENU, true);
    drv::key('F', true);
    drv::key('F', false);
    drv::key(VK_MENU, false);
    SetFocus(nullptr);
    drv::key('G', true);
    EXPECT_EQ(keys(true), (std::vector<Key>{{w, WM_SYSKEYDOWN, VK_MENU}, {w, WM_SYSKEYDOWN, 'F'}, {w, WM_SYSCHAR, 'f'},
                                            {w, WM_SYSKEYUP, 'F'}, {w, WM_SYSKEYUP, VK_MENU}, {w, WM_SYSKEYDOWN, 'G'},
                                            {w, WM_SYSCHAR, 'g'}}));
}

// Alt+F4 closes a window before the keys are let go: their releases go to the
// window that has the focus next, so Alt is not left held down and the next
// Enter is a plain key again.
TEST(Keyboard, KeysLetGoAfterTheirWindowClosedReachTheNextFocus)
{
    HWND below = focused_window();
    HWND closing = focused_window();
    drv::key(VK_MENU, true);
    drv::key(VK_F4, true);
    drv::key(VK_F4, false);
    drv::key(VK_MENU, false);
    MSG m;
    ASSERT_TRUE(PeekMessageA(&m, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE));   // Alt down
    ASSERT_TRUE(PeekMessageA(&m, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE)); // F4 down, aimed at it
    EXPECT_EQ(m.hwnd, closing);
    DestroyWindow(closing);
    SetFocus(below);
    drv::key(VK_RETURN, true);
    EXPECT_EQ(keys(), (std::vector<Key>{{below, WM_SYSKEYDOWN, VK_F4}, {below, WM_SYSKEYUP, VK_F4},
                                        {below, WM_SYSKEYUP, VK_MENU}, {below, WM_KEYDOWN, VK_RETURN}}));
    EXPECT_EQ(GetKeyState(VK_MENU) & 0x8000, 0);
}
