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

// The virtual key of the next key down, with the extended bit of its lParam.
std::pair<WPARAM, bool> next_key_down()
{
    MSG m;
    while (PeekMessageA(&m, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE))
        if (m.message == WM_KEYDOWN) return {m.wParam, (m.lParam & (1 << 24)) != 0};
    return {0, false};
}

} // namespace

TEST(Keyboard, KeypadFollowsTheLayersNumLockToggle)
{
    HWND w = focused_window();
    ASSERT_EQ(GetFocus(), w);
    // Headless, NumLock starts off: keypad 8 is the up key, without the
    // extended bit of the separate arrow keys.
    drv::key(VK_NUMPAD8, true);
    EXPECT_EQ(next_key_down(), std::make_pair(WPARAM{VK_UP}, false));
    drv::key(VK_UP, true);
    EXPECT_EQ(next_key_down(), std::make_pair(WPARAM{VK_UP}, true));
    drv::key(VK_DECIMAL, true);
    EXPECT_EQ(next_key_down(), std::make_pair(WPARAM{VK_DELETE}, false));

    // The program's NumLock forcing: pressed-and-toggled written back.
    BYTE keys[256];
    ASSERT_TRUE(GetKeyboardState(keys));
    EXPECT_EQ(keys[VK_NUMLOCK] & 1, 0);
    keys[VK_NUMLOCK] = 0x81;
    ASSERT_TRUE(SetKeyboardState(keys));
    EXPECT_LT(GetKeyState(VK_NUMLOCK), 0);
    EXPECT_EQ(GetKeyState(VK_NUMLOCK) & 1, 1);
    drv::key(VK_NUMPAD8, true);
    EXPECT_EQ(next_key_down().first, WPARAM{VK_NUMPAD8});

    // The NumLock key flips it back.
    drv::key(VK_NUMLOCK, false);
    drv::key(VK_NUMLOCK, true);
    drv::key(VK_NUMLOCK, false);
    drv::key(VK_NUMPAD2, true);
    EXPECT_EQ(next_key_down().first, WPARAM{VK_NUMLOCK});
    EXPECT_EQ(next_key_down().first, WPARAM{VK_DOWN});
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
    EXPECT_EQ(m.wParam, WPARAM{VK_TAB});
    // The shift is still down for this message, though the driver released it since.
    EXPECT_LT(GetKeyState(VK_SHIFT), 0);
    EXPECT_LT(GetKeyState(VK_TAB), 0);
    while (PeekMessageA(&m, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    }
    EXPECT_EQ(GetKeyState(VK_SHIFT) & 0x8000, 0);
    EXPECT_EQ(GetKeyState(VK_TAB) & 0x8000, 0);
}

TEST(Keyboard, AltMakesSystemKeysAndWithoutFocusTheActiveWindowGetsThem)
{
    HWND w = focused_window();
    drv::key(VK_MENU, true);
    drv::key('F', true);
    drv::key('F', false);
    drv::key(VK_MENU, false);
    std::vector<UINT> seen;
    MSG m;
    while (seen.size() < 20 && PeekMessageA(&m, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
        TranslateMessage(&m);
        seen.push_back(m.message);
    }
    // The character comes right after its key: translated characters are posted.
    seen.resize(4);
    EXPECT_EQ(seen, (std::vector<UINT>{WM_SYSKEYDOWN, WM_SYSKEYDOWN, WM_SYSCHAR, WM_SYSKEYUP}));
    SetFocus(nullptr);
    drv::key('G', true);
    ASSERT_TRUE(PeekMessageA(&m, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE));
    EXPECT_EQ(m.hwnd, w);
    EXPECT_EQ(m.message, static_cast<UINT>(WM_SYSKEYDOWN));
}

// Alt+F4 closes a window before the keys are let go: their releases go to the
// window that has the focus next, so Alt is not left held down and the next
// Enter is a plain key again.
TEST(Keyboard, KeysLetGoAfterTheirWindowClosedReachTheNextFocus)
{
    HWND below = focused_window();
    HWND closing = focused_window();
    ASSERT_EQ(GetFocus(), closing);
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
    std::vector<std::pair<HWND, UINT>> seen;
    while (PeekMessageA(&m, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) seen.push_back({m.hwnd, m.message});
    EXPECT_EQ(seen, (std::vector<std::pair<HWND, UINT>>{
                        {below, WM_SYSKEYDOWN}, {below, WM_SYSKEYUP}, {below, WM_SYSKEYUP}}));
    EXPECT_EQ(GetKeyState(VK_MENU) & 0x8000, 0);
    drv::key(VK_RETURN, true);
    ASSERT_TRUE(PeekMessageA(&m, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_KEYDOWN));
}
