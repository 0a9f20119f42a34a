// The queue: the order messages come out in, WM_PAINT made on demand, timers
// on the virtual clock, the keyboard (the key state, system keys, keys let go
// after their window closed, the user's own layout as in
// tests/golden/keyboard_layout.txt, Windows-1252 texts) and double-clicks.
#include "support/dialogs.h"
#include "support/golden.h"
#include "support/msgseq.h"

#include "driver/driver.h"
#include "driver/headless/headless.h"
#include "kernel32/codepage.h"
#include "testing/script_steps.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

HWND top()
{
    HWND w = msgseq::window("q", WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, {10, 10, 200, 150});
    dialogs::pump(nullptr);
    msgseq::log().clear();
    return w;
}

// The messages waiting in a range, as (window, message, wParam), taken one by
// one (at most 20), translated into characters if asked.
using Taken = std::vector<std::tuple<HWND, UINT, WPARAM>>;
Taken take(UINT min, UINT max, bool translate = false)
{
    Taken out;
    MSG m;
    while (out.size() < 20 && PeekMessageA(&m, nullptr, min, max, PM_REMOVE)) {
        if (translate) TranslateMessage(&m);
        out.emplace_back(m.hwnd, m.message, m.wParam);
    }
    return out;
}

Taken ticks_at(uint64_t now)
{
    drv::headless().set_now(now);
    return take(WM_TIMER, WM_TIMER);
}

struct Press {
    uint64_t at;   // ms after the first
    POINT off;     // from the first
    drv::Button button;
};

// Each press goes down and up at its time; the window reads them only after the last.
void press_all(POINT where, const std::vector<Press> &presses)
{
    const uint64_t start = drv::headless().now();
    for (const Press &p : presses) {
        drv::headless().set_now(start + p.at);
        const POINT at{where.x + p.off.x, where.y + p.off.y};
        drv::mouse_button(at, p.button, true);
        drv::mouse_button(at, p.button, false);
    }
    drv::headless().set_now(start + presses.back().at + 1000);
}

// A key going down (typing what the layout gives) or up.
struct Stroke {
    UINT vk;
    bool down = true;
    const char *typed = "";
};

struct Typing {
    const char *what;
    std::vector<Stroke> strokes;
};

constexpr UINT SHIFT = VK_SHIFT, CTRL = VK_CONTROL, ALT = VK_MENU;

// German (QWERTZ) and French (AZERTY) keys as X reports them. Shift is let
// go in the rows only where it matters.
const Typing typings[] = {
    {"Shift+2 on a German keyboard types the quote", {{SHIFT}, {'2', true, "\""}, {'2', false}, {SHIFT, false}}},
    {"AltGr+Q is Ctrl+Alt: key downs, the at sign, no menu",
     {{CTRL}, {ALT}, {'Q', true, "@"}, {'Q', false}, {ALT, false}, {CTRL, false}}},
    {"AltGr+E types the euro sign, 0x80", {{CTRL}, {ALT}, {'E', true, "\x80"}}},
    {"AltGr pressed and let go alone enters no menu", {{CTRL}, {ALT}, {ALT, false}, {CTRL, false}}},
    {"Left Alt alone still does", {{ALT}, {ALT, false}}},
    {"A dead key then e: one e circumflex", {{VK_OEM_6}, {VK_OEM_6, false}, {'E', true, "\xEA"}}},
    {"The ISO key and sharp s: their own codes and characters", {{VK_OEM_102, true, "<"}, {VK_OEM_8, true, "\xDF"}}},
    {"AZERTY: the 1 key types the ampersand, A is where Q was", {{'1', true, "&"}, {'A', true, "a"}}},
    {"Control characters keep Windows' rules",
     {{VK_BACK}, {VK_RETURN}, {VK_ESCAPE}, {CTRL}, {'Z', true, "z"}, {VK_RETURN}, {VK_OEM_PLUS, true, "+"}}},
    {"The keypad follows the layer's NumLock (off at first) where the desktop's typed nothing",
     {{VK_NUMPAD8},
      {VK_UP},
      {VK_DECIMAL},
      {VK_NUMLOCK},
      {VK_NUMLOCK, false},
      {VK_NUMPAD8},
      {VK_NUMLOCK},
      {VK_NUMPAD2}}},
    {"Alt+F types a system character for the menu", {{ALT}, {'F', true, "f"}}},
};

}   // namespace

TEST(MessageQueue, PostedComeBeforeInputBeforePaintBeforeTimerSentAtOnceAndPaintIsMadeOnDemand)
{
    HWND w = top();
    SetTimer(w, 7, 100, nullptr);
    drv::headless().set_now(100);
    InvalidateRect(w, nullptr, FALSE);
    drv::key('A', true);
    drv::key('A', false);
    PostMessageA(w, WM_USER + 1, 11, 22);
    EXPECT_EQ(SendMessageA(w, WM_USER + 2, 33, 44), 0);
    dialogs::pump(nullptr);
    const auto seen = msgseq::select(w, {WM_USER + 1, WM_USER + 2, WM_KEYDOWN, WM_KEYUP, WM_PAINT, WM_TIMER});
    EXPECT_TRUE(matches_expected_text(msgseq::text(seen, {{w, "w"}}), "queue_order.txt"));
    // WM_PAINT is one message with the union until validated; a posted one validates nothing.
    msgseq::log().clear();
    RECT a{0, 0, 10, 10}, b{20, 30, 40, 50};
    InvalidateRect(w, &a, FALSE);
    InvalidateRect(w, &b, TRUE);
    EXPECT_EQ(take(WM_PAINT, WM_PAINT).size(), 20u);   // not validated: it comes again and again
    PAINTSTRUCT ps;
    BeginPaint(w, &ps);
    EndPaint(w, &ps);
    const RECT both{0, 0, 40, 50};
    EXPECT_TRUE(EqualRect(&ps.rcPaint, &both));
    // The erase was asked for and the class has no brush: the painter must erase.
    EXPECT_TRUE(ps.fErase);
    EXPECT_SEQUENCE("BeginPaint",
                    (std::vector<msgseq::Seen>{{w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(ps.hdc), 0, msgseq::Sent}}),
                    msgseq::log());
    PostMessageA(w, WM_PAINT, 0, 0);
    EXPECT_EQ(take(0, 0), (Taken{{w, WM_PAINT, 0}}));
    InvalidateRect(w, nullptr, FALSE);
    PostMessageA(w, WM_PAINT, 0, 0);
    EXPECT_EQ(take(0, 0).size(), 20u);   // the posted one, then the real one again and again
    EXPECT_TRUE(GetUpdateRect(w, nullptr, FALSE));
}

TEST(Timers, ManyElapsedPeriodsMakeOneMessageRearmingRestartsAndKillingLeavesNothing)
{
    HWND w = top();
    SetTimer(w, 1, 100, nullptr);
    EXPECT_EQ(ticks_at(99), Taken{});
    EXPECT_EQ(ticks_at(350), (Taken{{w, WM_TIMER, 1}}));
    EXPECT_EQ(ticks_at(399), Taken{});   // the rhythm is kept
    EXPECT_EQ(ticks_at(400), (Taken{{w, WM_TIMER, 1}}));
    EXPECT_EQ(SetTimer(w, 1, 100, nullptr), 1u);
    EXPECT_EQ(ticks_at(499), Taken{});
    EXPECT_EQ(ticks_at(500), (Taken{{w, WM_TIMER, 1}}));
    drv::headless().set_now(900);   // expired, not yet taken
    EXPECT_TRUE(KillTimer(w, 1));
    EXPECT_EQ(ticks_at(900), Taken{});
    EXPECT_FALSE(KillTimer(w, 1));
}

// Without a focus, keys go to the active window as system keys. The key
// state is the one of the message being handled.
TEST(Keyboard, WithoutAFocusTheActiveWindowGetsSystemKeys)
{
    HWND w = top();
    drv::key(VK_MENU, true);
    drv::key(VK_MENU, false);
    SetFocus(nullptr);
    drv::key('G', true);
    MSG m;
    ASSERT_TRUE(PeekMessageA(&m, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE));
    EXPECT_LT(GetKeyState(VK_MENU), 0);   // though the driver released it since
    EXPECT_EQ(take(WM_KEYFIRST, WM_KEYLAST, true),
              (Taken{{w, WM_SYSKEYUP, VK_MENU}, {w, WM_SYSKEYDOWN, 'G'}, {w, WM_SYSCHAR, 'g'}}));
    EXPECT_EQ(GetKeyState(VK_MENU) & 0x8000, 0);
}

// Alt+F4 closes a window before the keys are let go: their releases go to the
// window that has the focus next, so Alt is not left held down and the next
// Enter is a plain key again.
TEST(Keyboard, KeysLetGoAfterTheirWindowClosedReachTheNextFocus)
{
    HWND below = top();
    HWND closing = top();
    drv::key(VK_MENU, true);
    drv::key(VK_F4, true);
    drv::key(VK_F4, false);
    drv::key(VK_MENU, false);
    MSG m;
    ASSERT_TRUE(PeekMessageA(&m, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE));     // Alt down
    ASSERT_TRUE(PeekMessageA(&m, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE));   // F4 down, aimed at it
    EXPECT_EQ(m.hwnd, closing);
    DestroyWindow(closing);
    SetFocus(below);
    drv::key(VK_RETURN, true);
    EXPECT_EQ(take(WM_KEYFIRST, WM_KEYLAST), (Taken{{below, WM_SYSKEYDOWN, VK_F4},
                                                    {below, WM_SYSKEYUP, VK_F4},
                                                    {below, WM_SYSKEYUP, VK_MENU},
                                                    {below, WM_KEYDOWN, VK_RETURN}}));
    EXPECT_EQ(GetKeyState(VK_MENU) & 0x8000, 0);
}

// The times are the input's own, however late the window reads it; the press
// after a double-click starts afresh (tests/golden/double_clicks.txt).
TEST(Mouse, TwoPressesMakeADoubleClickOnlyQuicklyNearbyWithOneButtonAndForAClassThatAsks)
{
    const drv::Button L = drv::Button::Left, R = drv::Button::Right;
    const char *const asking = msgseq::window_class("DoubleClicks", DefWindowProcA, CS_DBLCLKS);
    struct Case {
        const char *what;
        bool asks;
        std::vector<Press> presses;
    };
    const Case cases[] = {
        {"400 ms later, a pixel off", true, {{0, {}, L}, {400, {1, -1}, L}}},
        {"500 ms later", true, {{0, {}, L}, {500, {}, L}}},
        {"4 pixels to the right", true, {{0, {}, L}, {0, {4, 0}, L}}},
        {"4 pixels up", true, {{0, {}, L}, {0, {0, -4}, L}}},
        {"a third click", true, {{0, {}, L}, {0, {}, L}, {0, {}, L}}},
        {"the right button", true, {{0, {}, R}, {100, {}, R}}},
        {"one of each button", true, {{0, {}, L}, {0, {}, R}}},
        {"a class without CS_DBLCLKS", false, {{0, {}, L}, {0, {}, L}}},
        {"a pixel down, in a child window that asks too", true, {{0, {}, L}, {0, {0, 1}, L}}},
    };
    std::string seen;
    for (const Case &c : cases) {
        HWND w = CreateWindowExA(0, c.asks ? asking : msgseq::recorder_class(), "d", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 10, 10, 200, 150, nullptr, nullptr, nullptr, nullptr);
        CreateWindowExA(0, asking, "", WS_CHILD | WS_VISIBLE, 0, 51, 200, 50, w, nullptr, nullptr, nullptr);
        POINT at{50, 50};
        ClientToScreen(w, &at);
        press_all(at, c.presses);
        seen += std::string(c.what) + ":";
        for (const auto &[hwnd, msg, wp] : take(WM_LBUTTONDOWN, WM_MBUTTONDBLCLK))
            seen += (hwnd == w ? " " : " elsewhere ") + msgseq::name(msg) + "/" + std::to_string(wp);
        seen += "\n";
        DestroyWindow(w);
    }
    EXPECT_TRUE(matches_expected_text(seen, "double_clicks.txt"));
}

// Non-client double-clicks come whatever the class; DefWindowProc maximises
// and restores a window with a maximise box. Each plain press on a normal
// window's caption asks to move it (tests/golden/caption_double_clicks.txt).
TEST(Mouse, ACaptionDoubleClickMaximisesAndRestores)
{
    std::string seen;
    for (DWORD style : {DWORD(WS_OVERLAPPEDWINDOW), DWORD(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU)}) {
        HWND w = msgseq::window("c", style | WS_VISIBLE, nullptr, {10, 10, 200, 150});
        for (int round = 0; round < 2; ++round) {
            RECT r;
            GetWindowRect(w, &r);
            press_all({(r.left + r.right) / 2, r.top + GetSystemMetrics(SM_CYFRAME) + 5},
                      {{0, {}, drv::Button::Left}, {300, {}, drv::Button::Left}});
            dialogs::pump(nullptr);
            seen += (GetWindowLongA(w, GWL_STYLE) & WS_MAXIMIZE) ? "maximised\n" : "not maximised\n";
        }
        seen += msgseq::text(msgseq::select(w, {WM_NCLBUTTONDBLCLK, WM_SYSCOMMAND}), {{w, "w"}});
        DestroyWindow(w);
        msgseq::log().clear();
    }
    EXPECT_TRUE(matches_expected_text(seen, "caption_double_clicks.txt"));
}

TEST(KeyboardLayout, KeysSendWhatWindowsSendsForTheLayout)
{
    std::string all;
    for (const Typing &c : typings) {
        HWND w = msgseq::window("k", WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, {0, 0, 100, 100});
        msgseq::log().clear();
        for (const Stroke &p : c.strokes) drv::layout_key(p.vk, p.down, p.typed);
        dialogs::pump(nullptr);
        std::vector<msgseq::Seen> seen =
            msgseq::select(w, {WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP, WM_CHAR, WM_SYSCHAR, WM_SYSCOMMAND});
        for (msgseq::Seen &s : seen) {
            s.wp = s.msg == WM_SYSCOMMAND ? (s.wp & 0xFFF0) : s.wp;
            s.lp &= 1 << 24;   // the extended bit of the separate arrow keys
        }
        all += std::string(c.what) + ":\n" + msgseq::text(seen, {{w, "w"}});
        DestroyWindow(w);
        BYTE none[256] = {};
        SetKeyboardState(none);
    }
    EXPECT_TRUE(matches_expected_text(all, "keyboard_layout.txt"));
}

TEST(KeyboardLayout, TextsCrossBetweenWindows1252AndUtf8)
{
    for (int b = 1; b < 256; ++b) {
        std::string ansi(1, static_cast<char>(b));
        EXPECT_EQ(kernel32::ansi_of_utf8(kernel32::utf8_of_ansi(ansi)), ansi) << b;
    }
    const std::pair<const char *, const char *> utf8ToAnsi[] = {
        {"Z\xC3\xBCrich \"5\xE2\x82\xAC\"", "Z\xFCrich \"5\x80\""},   // Zürich "5€"
        {"\xE2\x80\x93 \xC5\xA1", "\x96 \x9A"},                       // en dash, s caron
        {"\xE4\xB8\xAD|\xC2\x80|\xF0\x9F\x98\x80", "||"},             // none in the code page
        {"caf\xE9 \xC3", "caf\xE9 \xC3"},                             // not UTF-8: taken as it is
        {"\xC0\xAF\xED\xA0\x80", "\xC0\xAF\xED\xA0\x80"},             // overlong, surrogate
    };
    for (const auto &[utf8, ansi] : utf8ToAnsi) EXPECT_EQ(kernel32::ansi_of_utf8(utf8), ansi) << utf8;
    EXPECT_EQ(kernel32::utf8_of_ansi("\x80\x81\x9F"), "\xE2\x82\xAC\xC2\x81\xC5\xB8");

    // An automation script is UTF-8: what it types and expects is the program's Windows-1252.
    script::Host host;   // neither line asks it for keys or paths
    for (const char *line : {"type Z\xC3\xBCrich \"5\xE2\x82\xAC\"", "expect-text 7 Z\xC3\xBCrich \"5\xE2\x82\xAC\""}) {
        script::Step step;
        std::string why;
        ASSERT_TRUE(script::parse_step(line, host, step, why)) << why;
        EXPECT_EQ(step.text, "Z\xFCrich \"5\x80\"") << line;
    }
}
