// Reading automation scripts: the part our layer's runner and the Windows
// build's driver share, with a host of the test's own, so what reaches the
// system (keys of characters, paths of files) is seen on its way.
#include "support/golden.h"

#include "testing/key_names.h"
#include "testing/script_steps.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

using script::Op;
using script::Step;

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
    Step s;
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
// business and carries no character.
TEST(ScriptSteps, EachLineReadsAsItsStepOrSaysWhyNot)
{
    struct Case {
        const char *line;
        const char *step;
    };
    const Case cases[] = {
        {"clickat -4 17   # a comment", "clickat -4 17 []"},
        {"type  two  # not a comment ", "type 0 0 [ two  # not a comment ]"},
        {"type tree.json", "type 0 0 [tree.json]"},
        {"expect-text 30", "expect-text 30 0 []"},
        {"expect-window", "expect-window 0 0 []"},
        {"wait 0", "wait 0 0 []"},
        {"close # at last", "close 0 0 []"},
        {"drag 12 37 -21 # a comment", "drag 12 37 -21 []"},
        {"drag 12 37", "no: three numbers must follow"},
        {"dump tree.json", "dump 0 0 [/start/tree.json]"},
        {"screenshot shots/one.png", "screenshot 0 0 [/start/shots/one.png]"},
        {"key +", "key 0 0 [] vk 187 shift +"},
        {"key a", "key 0 0 [] vk 65 a"},
        {"key add", "key 0 0 [] vk 107"},
        {"key \xe9", "no: no key is named \"\xe9\""},
        {"Click 10", "no: unknown step \"Click\""},
        {"click", "no: a number must follow"},
        {"click 10x", "no: a number must follow"},
        {"click 99999999999999999999", "no: a number must follow"},
        {"click 10 11", "no: too many arguments"},
        {"close now", "no: too many arguments"},
        {"select 41", "no: two numbers must follow"},
        {"screenshot", "no: text must follow"},
        {"wait -1", "no: a time cannot be negative"},
        {"key", "no: no key is named \"\""},
        {"key RETURN RETURN", "no: too many arguments"},
        {"type", "no: text must follow"},
        {"dump", "no: text must follow"},
        {"expect-text", "no: a control id must follow"},
        {"key control+A", "key 0 0 [] vk 65 with 17"},
        {"key MENU+F4", "key 0 0 [] vk 115 with 18"},
        {"key SHIFT++", "no: no key is named \"SHIFT++\""},
        {"key TAB+a", "no: no key is named \"TAB+a\""},
        {"key MENU+", "no: no key is named \"MENU+\""},
        {"resize 800 600", "resize 800 600 []"},
        {"resize 0 600", "no: a size must be positive"},
    };
    asked.clear();
    for (const Case &c : cases) EXPECT_EQ(parsed(c.line), c.step) << c.line;
    EXPECT_EQ(std::string(asked.begin(), asked.end()), std::string("+a\xe9") + "a+");
}

// Every listed name against the value Windows gives it (key_names.txt), in
// any case; the counted ones (NUMPAD0..9, F1..F24) at their ends.
TEST(ScriptSteps, KeyNamesAreWindowsVirtualKeyNamesInAnyCase)
{
    std::istringstream names("BACK TAB CLEAR RETURN SHIFT CONTROL MENU PAUSE CAPITAL ESCAPE SPACE PRIOR NEXT END HOME "
                             "LEFT UP RIGHT DOWN INSERT DELETE MULTIPLY ADD SEPARATOR SUBTRACT DECIMAL DIVIDE NUMLOCK "
                             "SCROLL NUMPAD0 NUMPAD9 F1 F12 F24 escape NumLock numpad9 f10");
    std::string name, answers;
    while (names >> name) {
        unsigned vk = 0;
        const bool known = script::virtual_key_named(name, vk);
        answers += name + " " + (known ? std::to_string(vk) : "unknown") + "\n";
    }
    EXPECT_TRUE(matches_expected_text(answers, "key_names.txt"));
    for (const char *name :
         {"", "F", "F0", "F25", "F100", "NUMPAD", "NUMPAD10", "NUMPAD-1", "F1X", "VK_TAB", "ENTER", "RETURN ", "a"}) {
        unsigned vk = 0;
        EXPECT_FALSE(script::virtual_key_named(name, vk)) << name;
    }
}
