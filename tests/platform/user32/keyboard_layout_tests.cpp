// Typing with the user's own keyboard layout: the driver tells what each key
// typed, and the program sees the messages Windows sends for that layout (as
// listed in tests/golden/keyboard_layout.txt).
// Texts cross to UTF-8 and back as Windows-1252.
#include "support/dialogs.h"
#include "support/golden.h"
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

struct Case {
    const char *what;
    std::vector<Press> presses;
};

constexpr UINT SHIFT = VK_SHIFT, CTRL = VK_CONTROL, ALT = VK_MENU;

// German (QWERTZ) and French (AZERTY) keys as X reports them. Shift is let
// go in the rows only where it matters.
const Case cases[] = {
    {"Shift+2 on a German keyboard types the quote",
     {{SHIFT, true, ""}, {'2', true, "\""}, {'2', false, ""}, {SHIFT, false, ""}}},
    {"AltGr+Q is Ctrl+Alt: key downs, the at sign, no menu",
     {{CTRL, true, ""}, {ALT, true, ""}, {'Q', true, "@"}, {'Q', false, ""}, {ALT, false, ""}, {CTRL, false, ""}}},
    {"AltGr+E types the euro sign, 0x80", {{CTRL, true, ""}, {ALT, true, ""}, {'E', true, "\x80"}}},
    {"AltGr pressed and let go alone enters no menu",
     {{CTRL, true, ""}, {ALT, true, ""}, {ALT, false, ""}, {CTRL, false, ""}}},
    {"Left Alt alone still does", {{ALT, true, ""}, {ALT, false, ""}}},
    {"A dead key then e: one e circumflex", {{VK_OEM_6, true, ""}, {VK_OEM_6, false, ""}, {'E', true, "\xEA"}}},
    {"The ISO key and sharp s: their own codes and characters", {{VK_OEM_102, true, "<"}, {VK_OEM_8, true, "\xDF"}}},
    {"AZERTY: the 1 key types the ampersand, A is where Q was", {{'1', true, "&"}, {'A', true, "a"}}},
    {"Control characters keep Windows' rules",
     {{VK_BACK, true, ""},
      {VK_RETURN, true, ""},
      {VK_ESCAPE, true, ""},
      {CTRL, true, ""},
      {'Z', true, "z"},
      {VK_RETURN, true, ""},
      {VK_OEM_PLUS, true, "+"}}},
    {"The keypad follows the layer's NumLock (off at first) where the desktop's typed nothing",
     {{VK_NUMPAD8, true, ""},
      {VK_UP, true, ""},
      {VK_DECIMAL, true, ""},
      {VK_NUMLOCK, true, ""},
      {VK_NUMLOCK, false, ""},
      {VK_NUMPAD8, true, ""},
      {VK_NUMLOCK, true, ""},
      {VK_NUMPAD2, true, ""}}},
    {"Alt+F types a system character for the menu", {{ALT, true, ""}, {'F', true, "f"}}},
};

}   // namespace

TEST(KeyboardLayout, KeysSendWhatWindowsSendsForTheLayout)
{
    std::string all;
    for (const Case &c : cases) {
        HWND w = msgseq::window("k", WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, {0, 0, 100, 100});
        ASSERT_EQ(GetFocus(), w);
        msgseq::log().clear();
        for (const Press &p : c.presses) drv::layout_key(p.vk, p.down, p.typed);
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
