// What our layer's script runner and the Windows build's driver share: the
// reading of steps, with a host of the test's own, so what reaches the system
// (keys of characters, paths of files) is seen on its way; the window dump's
// texts.
#include "support/golden.h"

#include "testing/script_steps.h"
#include "testing/window_json.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

// Only 'a' (plain) and '+' (with Shift) have keys; files go under "/start".
std::vector<char> asked;
script::Host host()
{
    script::Host h;
    h.keyForCharacter = [](char c, unsigned &vk, bool &shift) {
        asked.push_back(c);
        if (c == 'a') return vk = 'A', shift = false, true;
        if (c == '+') return vk = VK_OEM_PLUS, shift = true, true;
        return false;
    };
    h.pathFromStart = [](const std::string &name) { return "/start/" + name; };
    return h;
}

// What a line reads as: the step's fields, or why it is no step.
std::string parsed(const std::string &line)
{
    static const char *const names[] = {
        "menu", "click",         "clickat",     "select",      "key",  "type",       "close",    "wait",  "screenshot",
        "dump", "expect-window", "expect-text", "doubleclick", "drag", "deactivate", "activate", "resize"};
    script::Step s;
    std::string why;
    if (!script::parse_step(line, host(), s, why)) return "no: " + why;
    std::string out = std::string(names[static_cast<int>(s.op)]) + " " + std::to_string(s.a) + " " +
                      std::to_string(s.b) + (s.c ? " " + std::to_string(s.c) : "") + " [" + s.text + "]";
    if (s.vk)
        out += " vk " + std::to_string(s.vk) + (s.shift ? " shift" : "") + (s.ch ? std::string(" ") + s.ch : "") +
               (s.modifier ? " with " + std::to_string(s.modifier) : "");
    return out;
}

}   // namespace

// Free text starts after one blank and keeps the rest, '#' and blanks too;
// only the files steps write go through the host's paths; a single
// character is a key of the host's keyboard, a name is not the host's
// business and carries no character. Key names are Windows' virtual-key
// names in any case, the counted ones (NUMPAD0..9, F1..F24) checked at their
// ends. Each line and what it reads as are in tests/golden/script_steps.txt.
TEST(ScriptSteps, EachLineReadsAsItsStepOrSaysWhyNot)
{
    const char *const lines[] = {"clickat -4 17   # a comment",
                                 "type  two  # not a comment ",
                                 "type tree.json",
                                 "expect-text 30",
                                 "expect-window",
                                 "wait 0",
                                 "close # at last",
                                 "drag 12 37 -21 # a comment",
                                 "drag 12 37",
                                 "dump tree.json",
                                 "screenshot shots/one.png",
                                 "key +",
                                 "key a",
                                 "key add",
                                 "key \xe9",
                                 "Click 10",
                                 "click",
                                 "click 10x",
                                 "click 99999999999999999999",
                                 "click 10 11",
                                 "close now",
                                 "select 41",
                                 "screenshot",
                                 "wait -1",
                                 "key",
                                 "key RETURN RETURN",
                                 "type",
                                 "dump",
                                 "expect-text",
                                 "key control+A",
                                 "key MENU+F4",
                                 "key SHIFT++",
                                 "key TAB+a",
                                 "key MENU+",
                                 "resize 800 600",
                                 "resize 0 600"};
    std::istringstream names("BACK TAB CLEAR RETURN SHIFT CONTROL MENU PAUSE CAPITAL ESCAPE SPACE PRIOR NEXT END HOME "
                             "LEFT UP RIGHT DOWN INSERT DELETE MULTIPLY ADD SEPARATOR SUBTRACT DECIMAL DIVIDE NUMLOCK "
                             "SCROLL NUMPAD0 NUMPAD9 F1 F12 F24 escape NumLock numpad9 f10 F F0 F25 F100 NUMPAD "
                             "NUMPAD10 NUMPAD-1 F1X VK_TAB ENTER");
    std::string answers;
    asked.clear();
    for (const std::string line : lines) answers += line + " -> " + parsed(line) + "\n";
    for (std::string name; names >> name;) answers += "key " + name + " -> " + parsed("key " + name) + "\n";
    answers += "keys asked for: " + std::string(asked.begin(), asked.end()) + "\n";
    EXPECT_TRUE(matches_expected_text(answers, "script_steps.txt"));
}

// The dump's texts are Windows-1252: quotes, backslashes, control characters
// and each byte above ASCII written as escapes, the last of the UTF-16 unit
// the system's converter makes of it (bytes the code page leaves undefined
// keep their value); in tests/golden/window_json.txt.
TEST(WindowJson, TextsAreWindows1252WrittenAsPlainAsciiEscapes)
{
    script::WindowTree tree;
    tree.windows.emplace_back();
    tree.windows[0].text = " ~\"\\a\nb\x01\x1f\x7f";
    for (int b = 0x80; b <= 0xFF; ++b) tree.windows[0].text += static_cast<char>(b);
    EXPECT_TRUE(matches_expected_text(script::to_json(tree), "window_json.txt"));
}
