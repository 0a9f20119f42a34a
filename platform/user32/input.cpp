// Input: what the driver delivers waits in the input queue until a retrieval
// takes it, and only then becomes a message for the window that should have
// it (the focus, the capture, the window under the mouse) and updates the key
// state, so GetKeyState describes the message being handled.
//
// A press soon after another in the same place becomes a double-click when
// it is taken, as Windows decides from the times the events happened (the
// virtual clock's, headless): the same window, button and part (client or
// frame), within GetDoubleClickTime and a SM_CXDOUBLECLK x SM_CYDOUBLECLK box
// centred on the first press, and, in the client area, only for a class with
// CS_DBLCLKS. The press after a double-click starts afresh.
#include "user32/internal.h"

#include "driver/driver.h"

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <iterator>
#include <string>

namespace user32 {
namespace {

enum class Kind { Key, Char, Move, Button, Wheel, Close, Activation };

struct InputEvent {
    Kind kind;
    UINT vk = 0;            // Key
    bool down = false;      // Key, Button; Activation: the application is active again
    unsigned char ch = 0;   // Char
    POINT pt{};             // Move, Button, Wheel (desktop)
    int delta = 0;          // Wheel
    drv::Button button = drv::Button::Left;
    HWND close = nullptr;   // Close
    bool resolved = false;
    MSG msg{};
    bool layout = false;   // Key: of the user's layout, which typed `typed`
    std::string typed{};
    DWORD time = static_cast<DWORD>(drv::current().now());   // when it happened
};

// The key down last taken from the queue, for TranslateMessage.
struct TakenKey {
    MSG msg{};
    bool layout = false;
    std::string typed{};
};

// The last press taken that a second one could make a double-click of.
struct Click {
    HWND hwnd = nullptr;
    UINT msg = 0;
    DWORD time = 0;
    POINT pt{};
};

struct Input {
    std::deque<InputEvent> events;
    Click click;
    BYTE keys[256] = {};   // the key state table: 0x80 down, 0x01 toggled
    POINT cursor{};
    TakenKey lastDown;
};

Input &input()
{
    static Input in;
    return in;
}

bool key_down(UINT vk) { return (input().keys[vk & 0xFF] & 0x80) != 0; }

// A keypad key while the layer's NumLock is off is the navigation key printed
// beside its digit (without the extended bit that the separate cluster has).
const UINT keypadNavigation[] = {VK_INSERT, VK_END,   VK_DOWN, VK_NEXT, VK_LEFT,
                                 VK_CLEAR,  VK_RIGHT, VK_HOME, VK_UP,   VK_PRIOR};

bool extended_key(UINT vk)
{
    switch (vk) {
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_INSERT:
    case VK_DELETE:
    case VK_DIVIDE:
    case VK_RCONTROL:
    case VK_RMENU:
        return true;
    }
    return false;
}

HWND keyboard_target(bool &sys)
{
    if (HWND f = GetFocus()) return f;
    // Without a focus, keys go to the active window as system keys.
    sys = true;
    return GetActiveWindow();
}

bool resolve_key(InputEvent &e)
{
    UINT vk = e.vk;
    bool ext = extended_key(vk);
    bool numLock = (input().keys[VK_NUMLOCK] & 1) != 0;
    if (!numLock && vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) {
        vk = keypadNavigation[vk - VK_NUMPAD0];
        ext = false;
    } else if (!numLock && vk == VK_DECIMAL) {
        vk = VK_DELETE;
        ext = false;
    }
    bool alt = key_down(VK_MENU) && !key_down(VK_CONTROL);
    // Alt pressed while Ctrl is down (AltGr) makes no system key.
    bool sys = alt || vk == VK_F10 || (vk == VK_MENU && !key_down(VK_CONTROL));
    HWND target = keyboard_target(sys);
    if (!target) return false;
    UINT msg = e.down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
    LPARAM lp = 1 | (ext ? 1 << 24 : 0) | (alt ? 1 << 29 : 0);
    if (!e.down) lp |= 3u << 30;
    else if (key_down(vk)) lp |= 1 << 30;   // auto-repeat: it was down already
    e.msg = MSG{target, msg, vk, lp, 0, {}};
    return true;
}

WPARAM mouse_keys()
{
    WPARAM k = 0;
    if (key_down(VK_LBUTTON)) k |= MK_LBUTTON;
    if (key_down(VK_RBUTTON)) k |= MK_RBUTTON;
    if (key_down(VK_MBUTTON)) k |= MK_MBUTTON;
    if (key_down(VK_SHIFT)) k |= MK_SHIFT;
    if (key_down(VK_CONTROL)) k |= MK_CONTROL;
    return k;
}

const UINT buttonVk[] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};
const UINT buttonDown[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
const UINT buttonUp[] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
const UINT ncButtonDown[] = {WM_NCLBUTTONDOWN, WM_NCRBUTTONDOWN, WM_NCMBUTTONDOWN};
const UINT ncButtonUp[] = {WM_NCLBUTTONUP, WM_NCRBUTTONUP, WM_NCMBUTTONUP};

bool resolve_mouse(InputEvent &e)
{
    HWND target = GetCapture();
    bool captured = target != nullptr;
    if (!target) target = window_at(e.pt);
    WindowRef w = ref(target);
    if (!w) return false;
    if (e.kind == Kind::Button && e.down && !captured) {
        // A click activates the window's top-level window first.
        HWND top = top_level_of(target);
        if (top != GetActiveWindow() && IsWindowEnabled(top)) activate(top, WA_CLICKACTIVE);
        if (!IsWindow(target)) return false;
    }
    if (w->style & WS_DISABLED) return false;   // Windows beeps; nothing arrives
    int b = static_cast<int>(e.button);
    if (!captured) {
        // Over the frame, the caption, the close box or the menu bar: a
        // non-client message with what the point is over.
        LRESULT hit = SendMessageA(target, WM_NCHITTEST, 0, MAKELPARAM(e.pt.x, e.pt.y));
        if (!IsWindow(target)) return false;
        if (hit != HTCLIENT) {
            UINT nc = e.kind == Kind::Move ? WM_NCMOUSEMOVE : e.down ? ncButtonDown[b] : ncButtonUp[b];
            e.msg = MSG{target, nc, static_cast<WPARAM>(hit), MAKELPARAM(e.pt.x, e.pt.y), 0, e.pt};
            return true;
        }
    }
    POINT o = client_origin_on_desktop(*w);
    POINT local{e.pt.x - o.x, e.pt.y - o.y};
    WPARAM keys = mouse_keys();
    UINT msg = WM_MOUSEMOVE;
    if (e.kind == Kind::Button) {
        msg = e.down ? buttonDown[b] : buttonUp[b];
        keys = e.down ? keys | (b == 0   ? MK_LBUTTON
                                : b == 1 ? MK_RBUTTON
                                         : MK_MBUTTON)
                      : keys & ~static_cast<WPARAM>(b == 0   ? MK_LBUTTON
                                                    : b == 1 ? MK_RBUTTON
                                                             : MK_MBUTTON);
    }
    e.msg = MSG{target, msg, keys, MAKELPARAM(local.x, local.y), 0, e.pt};
    return true;
}

bool resolve(InputEvent &e)
{
    switch (e.kind) {
    case Kind::Key:
        return resolve_key(e);
    case Kind::Char: {
        bool sys = false;
        HWND target = keyboard_target(sys);
        e.msg = MSG{target, WM_CHAR, e.ch, 1, 0, {}};
        return target != nullptr;
    }
    case Kind::Move:
    case Kind::Button:
        return resolve_mouse(e);
    case Kind::Wheel: {
        bool sys = false;
        HWND target = keyboard_target(sys);
        e.msg = MSG{target, WM_MOUSEWHEEL, MAKEWPARAM(mouse_keys(), e.delta), MAKELPARAM(e.pt.x, e.pt.y), 0, e.pt};
        return target != nullptr;
    }
    case Kind::Close:
        e.msg = MSG{e.close, WM_SYSCOMMAND, SC_CLOSE, 0, 0, {}};
        return IsWindow(e.close);
    case Kind::Activation:
        return false;
    }
    return false;
}

constexpr UINT kDoubleClickTime = 500;

bool double_click(const InputEvent &e)
{
    if (e.kind != Kind::Button || !e.down) return false;
    const MSG &m = e.msg;
    if (m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST) {
        const Window *w = find(m.hwnd);
        if (!w || !(w->cls->style & CS_DBLCLKS)) return false;
    }
    const Click &c = input().click;
    return c.msg == m.message && c.hwnd == m.hwnd && e.time - c.time < GetDoubleClickTime() &&
           std::abs(e.pt.x - c.pt.x) < GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
           std::abs(e.pt.y - c.pt.y) < GetSystemMetrics(SM_CYDOUBLECLK) / 2;
}

// What taking the event does to the key state table.
void apply(const InputEvent &e)
{
    Input &in = input();
    if (e.kind == Kind::Key) {
        UINT vk = static_cast<UINT>(e.msg.wParam);
        if (e.down) {
            if (!(in.keys[vk] & 0x80)) in.keys[vk] ^= 1;   // each press flips the toggle
            in.keys[vk] |= 0x80;
            in.lastDown = TakenKey{e.msg, e.layout, e.typed};
        } else {
            in.keys[vk] &= ~0x80;
        }
    } else if (e.kind == Kind::Button) {
        UINT vk = buttonVk[static_cast<int>(e.button)];
        in.keys[vk] = e.down ? (in.keys[vk] | 0x80) : (in.keys[vk] & ~0x80);
    }
    if (e.kind == Kind::Move || e.kind == Kind::Button) in.cursor = e.pt;
}

void push(const InputEvent &e) { input().events.push_back(e); }

// A US keyboard: the characters of the keys that are not letters or digits.
struct CharKey {
    UINT vk;
    char plain, shifted;
};
const CharKey charKeys[] = {
    {VK_SPACE, ' ', ' '},     {VK_OEM_1, ';', ':'},      {VK_OEM_PLUS, '=', '+'}, {VK_OEM_COMMA, ',', '<'},
    {VK_OEM_MINUS, '-', '_'}, {VK_OEM_PERIOD, '.', '>'}, {VK_OEM_2, '/', '?'},    {VK_OEM_3, '`', '~'},
    {VK_OEM_4, '[', '{'},     {VK_OEM_5, '\\', '|'},     {VK_OEM_6, ']', '}'},    {VK_OEM_7, '\'', '"'},
    {VK_MULTIPLY, '*', '*'},  {VK_ADD, '+', '+'},        {VK_SUBTRACT, '-', '-'}, {VK_DECIMAL, '.', '.'},
    {VK_DIVIDE, '/', '/'},    {VK_BACK, '\b', '\b'},     {VK_TAB, '\t', '\t'},    {VK_ESCAPE, 0x1B, 0x1B},
};
const char shiftedDigits[] = ")!@#$%^&*(";

// The character a key down types, 0 for none.
unsigned char char_of_key(UINT vk)
{
    bool shift = key_down(VK_SHIFT), ctrl = key_down(VK_CONTROL);
    bool caps = (input().keys[VK_CAPITAL] & 1) != 0;
    if (vk >= 'A' && vk <= 'Z') {
        if (ctrl) return static_cast<unsigned char>(vk - 'A' + 1);
        return static_cast<unsigned char>((shift != caps) ? vk : vk - 'A' + 'a');
    }
    if (ctrl) return vk == VK_RETURN ? '\n' : 0;
    if (vk >= '0' && vk <= '9') return static_cast<unsigned char>(shift ? shiftedDigits[vk - '0'] : vk);
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return static_cast<unsigned char>('0' + vk - VK_NUMPAD0);
    if (vk == VK_RETURN) return '\r';
    for (const CharKey &k : charKeys)
        if (k.vk == vk) return static_cast<unsigned char>(shift ? k.shifted : k.plain);
    return 0;
}

// The characters a key down types: Windows' control characters on every
// layout; otherwise what the user's layout typed, or a US keyboard's.
std::string chars_of_key(const MSG &m)
{
    UINT vk = static_cast<UINT>(m.wParam);
    bool ctrl = key_down(VK_CONTROL), alt = key_down(VK_MENU);
    bool control =
        vk == VK_BACK || vk == VK_TAB || vk == VK_RETURN || vk == VK_ESCAPE || (ctrl && !alt && vk >= 'A' && vk <= 'Z');
    const TakenKey &last = input().lastDown;
    bool fromLayout = last.layout && last.msg.hwnd == m.hwnd && last.msg.message == m.message &&
                      last.msg.wParam == m.wParam && last.msg.lParam == m.lParam;
    // The keypad follows the layer's own NumLock, which the layout's text
    // (typed under the desktop's lock) may not: it falls back on the layer's.
    bool keypadUntyped = vk >= VK_NUMPAD0 && vk <= VK_DIVIDE && last.typed.empty();
    if (fromLayout && !control && !keypadUntyped) return ctrl && !alt ? std::string() : last.typed;
    unsigned char ch = char_of_key(vk);
    return ch ? std::string(1, static_cast<char>(ch)) : std::string();
}

}   // namespace

// Keys, characters and the wheel go to the focus as it is when they are read,
// as Windows decides at the moment a message is read: a key let go while its
// window closed, or while another window's loop ran, is let go where the focus
// is now, in the order it came, or it would stay held for good. The mouse goes
// where it was aimed when first looked at, unless that window is gone.
static bool aimed_at_reading(const InputEvent &e)
{
    return e.kind == Kind::Key || e.kind == Kind::Char || e.kind == Kind::Wheel;
}

bool input_take(HWND filter, UINT min, UINT max, bool remove, MSG &out)
{
    auto &ev = input().events;
    for (auto it = ev.begin(); it != ev.end();) {
        if (it->kind == Kind::Activation) {   // no message: input_take_activation's
            ++it;
            continue;
        }
        if (!it->resolved || aimed_at_reading(*it) || !IsWindow(it->msg.hwnd)) {
            if (!resolve(*it)) {
                it = ev.erase(it);
                continue;
            }
            it->resolved = true;
        }
        MSG m = it->msg;
        const bool doubled = double_click(*it);
        // Every button's double-click message lies as far from its press.
        if (doubled) m.message += WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
        if (filter_accepts_window(filter, m.hwnd) && filter_accepts_message(min, max, m.message)) {
            out = m;
            out.time = it->time;
            // A mouse message carries the point where it happened; a key message
            // the cursor as it stands when the key arrives.
            bool mouse = it->kind == Kind::Move || it->kind == Kind::Button || it->kind == Kind::Wheel;
            out.pt = mouse ? it->pt : input().cursor;
            if (remove) {
                if (it->kind == Kind::Button && it->down)
                    input().click = doubled ? Click{} : Click{m.hwnd, m.message, it->time, it->pt};
                apply(*it);
                ev.erase(it);
            }
            return true;
        }
        ++it;
    }
    return false;
}

void input_take_activation()
{
    auto &ev = input().events;
    while (!ev.empty() && ev.front().kind == Kind::Activation) {
        bool active = ev.front().down;
        ev.pop_front();
        if (active) app_activate();
        else app_deactivate();
    }
}

// Keys let go in another application are up when the program looks again;
// the lock keys keep their toggles.
void input_release_keys()
{
    for (BYTE &k : input().keys) k &= static_cast<BYTE>(~0x80);
}

void input_move_at_cursor() { push(InputEvent{Kind::Move, 0, false, 0, input().cursor}); }

bool vk_for_char(unsigned char ch, UINT &vk, bool &shift)
{
    shift = false;
    if (ch >= 'a' && ch <= 'z') return vk = ch - 'a' + 'A', true;
    if (ch >= 'A' && ch <= 'Z') return vk = ch, shift = true, true;
    if (ch >= '0' && ch <= '9') return vk = ch, true;
    for (int d = 0; d < 10; ++d)
        if (static_cast<unsigned char>(shiftedDigits[d]) == ch) return vk = '0' + d, shift = true, true;
    if (ch == '\r' || ch == '\n') return vk = VK_RETURN, true;
    for (const CharKey &k : charKeys) {
        if (k.vk >= VK_MULTIPLY && k.vk <= VK_DIVIDE) continue;   // the main keys come first
        if (k.plain == static_cast<char>(ch)) return vk = k.vk, true;
        if (k.shifted == static_cast<char>(ch)) return vk = k.vk, shift = true, true;
    }
    return false;
}

void input_forget_click() { input().click = Click{}; }

void seed_lock_keys(bool numLock, bool capsLock)
{
    BYTE *k = input().keys;
    k[VK_NUMLOCK] = static_cast<BYTE>((k[VK_NUMLOCK] & ~1) | (numLock ? 1 : 0));
    k[VK_CAPITAL] = static_cast<BYTE>((k[VK_CAPITAL] & ~1) | (capsLock ? 1 : 0));
}

}   // namespace user32

using namespace user32;

namespace drv {

void mouse_move(POINT pt) { push(InputEvent{Kind::Move, 0, false, 0, pt}); }

void mouse_button(POINT pt, Button button, bool down)
{
    InputEvent e{Kind::Button, 0, down, 0, pt};
    e.button = button;
    push(e);
}

void mouse_wheel(POINT pt, int delta)
{
    InputEvent e{Kind::Wheel, 0, false, 0, pt};
    e.delta = delta;
    push(e);
}

void key(UINT vk, bool down) { push(InputEvent{Kind::Key, vk & 0xFF, down}); }

void layout_key(UINT vk, bool down, const std::string &typed)
{
    InputEvent e{Kind::Key, vk & 0xFF, down};
    e.layout = true;
    e.typed = typed;
    push(e);
}

void character(unsigned char ch) { push(InputEvent{Kind::Char, 0, false, ch}); }

void close_request(HWND window)
{
    InputEvent e{Kind::Close};
    e.close = window;
    push(e);
}

void app_focus(bool has) { push(InputEvent{Kind::Activation, 0, has}); }

}   // namespace drv

BOOL WINAPI TranslateMessage(const MSG *msg)
{
    if (!msg) return FALSE;
    if (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)
        return msg->message == WM_KEYUP || msg->message == WM_SYSKEYUP;
    for (char ch : chars_of_key(*msg))
        PostMessageA(msg->hwnd, msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR, static_cast<unsigned char>(ch),
                     msg->lParam);
    return TRUE;
}

SHORT WINAPI GetKeyState(int vk)
{
    BYTE v = input().keys[vk & 0xFF];
    return static_cast<SHORT>(((v & 0x80) ? 0xFF80 : 0) | (v & 1));
}

BOOL WINAPI GetKeyboardState(PBYTE keys)
{
    if (!keys) return FALSE;
    std::copy(std::begin(input().keys), std::end(input().keys), keys);
    return TRUE;
}

// The layer's own table: the NumLock toggle written here is the one that
// decides what the keypad sends (on Windows it would not be; our layer keeps
// one table so the program's NumLock forcing works on every driver).
BOOL WINAPI SetKeyboardState(LPBYTE keys)
{
    if (!keys) return FALSE;
    std::copy(keys, keys + 256, input().keys);
    return TRUE;
}

BOOL WINAPI MessageBeep(UINT) { return TRUE; }

UINT WINAPI GetDoubleClickTime(void) { return kDoubleClickTime; }
