// Typing with the user's own keyboard layout: the driver tells what each key
// typed, and the program sees the messages Windows sends for that layout.
// Texts cross to UTF-8 and back as Windows-1252.
#include "support/msgseq.h"

#include "driver/driver.h"
#include "kernel32/codepage.h"
#include "testing/script_steps.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Press {
    UINT vk;
    bool down;
    const char *typed;
};

struct Seen {
    UINT msg;
    WPARAM wp;
    bool operator==(const Seen &o) const { return msg == o.msg && wp == o.wp; }
};

std::ostream &operator<<(std::ostream &out, const Seen &s) { return out << msgseq::name(s.msg) << ' ' << s.wp; }

struct Case {
    const char *what;
    std::vector<Press> presses;
    std::vector<Seen> expected;
};

constexpr UINT SHIFT = VK_SHIFT, CTRL = VK_CONTROL, ALT = VK_MENU;

// German (QWERTZ) and French (AZERTY) keys as X reports them. Shift is let
// go in the rows only where it matters.
const Case cases[] = {
    {"Shift+2 on a German keyboard types the quote",
     {{SHIFT, true, ""}, {'2', true, "\""}, {'2', false, ""}, {SHIFT, false, ""}},
     {{WM_KEYDOWN, SHIFT}, {WM_KEYDOWN, '2'}, {WM_CHAR, '"'}, {WM_KEYUP, '2'}, {WM_KEYUP, SHIFT}}},
    {"AltGr+Q is Ctrl+Alt: key downs, the at sign, no menu",
     {{CTRL, true, ""}, {ALT, true, ""}, {'Q', true, "@"}, {'Q', false, ""}, {ALT, false, ""}, {CTRL, false, ""}},
     {{WM_KEYDOWN, CTRL},
      {WM_KEYDOWN, ALT},
      {WM_KEYDOWN, 'Q'},
      {WM_CHAR, '@'},
      {WM_KEYUP, 'Q'},
      {WM_KEYUP, ALT},
      {WM_KEYUP, CTRL}}},
    {"AltGr+E types the euro sign, 0x80",
     {{CTRL, true, ""}, {ALT, true, ""}, {'E', true, "\x80"}},
     {{WM_KEYDOWN, CTRL}, {WM_KEYDOWN, ALT}, {WM_KEYDOWN, 'E'}, {WM_CHAR, 0x80}}},
    {"AltGr pressed and let go alone enters no menu",
     {{CTRL, true, ""}, {ALT, true, ""}, {ALT, false, ""}, {CTRL, false, ""}},
     {{WM_KEYDOWN, CTRL}, {WM_KEYDOWN, ALT}, {WM_KEYUP, ALT}, {WM_KEYUP, CTRL}}},
    {"Left Alt alone still does",
     {{ALT, true, ""}, {ALT, false, ""}},
     {{WM_SYSKEYDOWN, ALT}, {WM_SYSKEYUP, ALT}, {WM_SYSCOMMAND, SC_KEYMENU}}},
    {"A dead key then e: one e circumflex",
     {{VK_OEM_6, true, ""}, {VK_OEM_6, false, ""}, {'E', true, "\xEA"}},
     {{WM_KEYDOWN, VK_OEM_6}, {WM_KEYUP, VK_OEM_6}, {WM_KEYDOWN, 'E'}, {WM_CHAR, 0xEA}}},
    {"The ISO key and sharp s: their own codes and characters",
     {{VK_OEM_102, true, "<"}, {VK_OEM_8, true, "\xDF"}},
     {{WM_KEYDOWN, VK_OEM_102}, {WM_CHAR, '<'}, {WM_KEYDOWN, VK_OEM_8}, {WM_CHAR, 0xDF}}},
    {"AZERTY: the 1 key types the ampersand, A is where Q was",
     {{'1', true, "&"}, {'A', true, "a"}},
     {{WM_KEYDOWN, '1'}, {WM_CHAR, '&'}, {WM_KEYDOWN, 'A'}, {WM_CHAR, 'a'}}},
    {"Control characters keep Windows' rules",
     {{VK_BACK, true, ""},
      {VK_RETURN, true, ""},
      {VK_ESCAPE, true, ""},
      {CTRL, true, ""},
      {'Z', true, "z"},
      {VK_RETURN, true, ""},
      {VK_OEM_PLUS, true, "+"}},
     {{WM_KEYDOWN, VK_BACK},
      {WM_CHAR, '\b'},
      {WM_KEYDOWN, VK_RETURN},
      {WM_CHAR, '\r'},
      {WM_KEYDOWN, VK_ESCAPE},
      {WM_CHAR, 0x1B},
      {WM_KEYDOWN, CTRL},
      {WM_KEYDOWN, 'Z'},
      {WM_CHAR, 0x1A},
      {WM_KEYDOWN, VK_RETURN},
      {WM_CHAR, '\n'},
      {WM_KEYDOWN, VK_OEM_PLUS}}},
    {"The keypad follows the layer's NumLock where the desktop's typed nothing",
     {{VK_NUMLOCK, true, ""}, {VK_NUMLOCK, false, ""}, {VK_NUMPAD8, true, ""}},
     {{WM_KEYDOWN, VK_NUMLOCK}, {WM_KEYUP, VK_NUMLOCK}, {WM_KEYDOWN, VK_NUMPAD8}, {WM_CHAR, '8'}}},
    {"Alt+F types a system character for the menu",
     {{ALT, true, ""}, {'F', true, "f"}},
     {{WM_SYSKEYDOWN, ALT}, {WM_SYSKEYDOWN, 'F'}, {WM_SYSCHAR, 'f'}, {WM_SYSCOMMAND, SC_KEYMENU}}},
};

}   // namespace

TEST(KeyboardLayout, KeysSendWhatWindowsSendsForTheLayout)
{
    for (const Case &c : cases) {
        HWND w = CreateWindowExA(0, msgseq::recorder_class(), "k", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100,
                                 nullptr, nullptr, nullptr, nullptr);
        ASSERT_EQ(GetFocus(), w);
        msgseq::log().clear();
        for (const Press &p : c.presses) drv::layout_key(p.vk, p.down, p.typed);
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
        std::vector<Seen> seen;
        for (const msgseq::Seen &s :
             msgseq::select(w, {WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP, WM_CHAR, WM_SYSCHAR, WM_SYSCOMMAND}))
            seen.push_back({s.msg, s.msg == WM_SYSCOMMAND ? (s.wp & 0xFFF0) : s.wp});
        EXPECT_EQ(seen, c.expected) << c.what;
        DestroyWindow(w);
        BYTE none[256] = {};
        SetKeyboardState(none);
    }
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
    script::Host host;
    host.keyForCharacter = [](char, unsigned &, bool &) { return false; };
    host.pathFromStart = [](const std::string &name) { return name; };
    for (const char *line : {"type Z\xC3\xBCrich \"5\xE2\x82\xAC\"", "expect-text 7 Z\xC3\xBCrich \"5\xE2\x82\xAC\""}) {
        script::Step step;
        std::string why;
        ASSERT_TRUE(script::parse_step(line, host, step, why)) << why;
        EXPECT_EQ(step.text, "Z\xFCrich \"5\x80\"") << line;
    }
}
