// Reading automation scripts: the part our layer's runner and the Windows
// build's driver share, with a host of the test's own, so what reaches the
// system (keys of characters, paths of files) is seen on its way.
#include "support/tempdir.h"

#include "testing/key_names.h"
#include "testing/script_steps.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
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
    static const char *const names[] = {"menu",          "click",       "clickat",     "select",     "key",
                                        "type",          "close",       "wait",        "screenshot", "dump",
                                        "expect-window", "expect-text", "doubleclick", "drag"};
    Step s;
    std::string why;
    if (!script::parse_step(line, host(), s, why)) return "no: " + why;
    std::string out = std::string(names[static_cast<int>(s.op)]) + " " + std::to_string(s.a) + " " +
                      std::to_string(s.b) + (s.c ? " " + std::to_string(s.c) : "") + " [" + s.text + "]";
    if (s.vk) out += " vk " + std::to_string(s.vk) + (s.shift ? " shift" : "") + (s.ch ? std::string(" ") + s.ch : "");
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
        {"expect-text 30 count 2", "expect-text 30 0 [count 2]"},
        {"expect-text 30", "expect-text 30 0 []"},
        {"expect-window", "expect-window 0 0 []"},
        {"menu Spread Run", "menu 0 0 [Spread Run]"},
        {"select 104 2", "select 104 2 []"},
        {"wait 0", "wait 0 0 []"},
        {"close # at last", "close 0 0 []"},
        {"click 10 # fine", "click 10 0 []"},
        {"doubleclick 12", "doubleclick 12 0 []"},
        {"drag 12 37 -21 # a comment", "drag 12 37 -21 []"},
        {"drag 12 37", "no: three numbers must follow"},
        {"dump tree.json", "dump 0 0 [/start/tree.json]"},
        {"screenshot shots/one.png", "screenshot 0 0 [/start/shots/one.png]"},
        {"key +", "key 0 0 [] vk 187 shift +"},
        {"key a", "key 0 0 [] vk 65 a"},
        {"key add", "key 0 0 [] vk 107"},
        {"key \xe9", "no: no key is named \"\xe9\""},
        {"jump 3", "no: unknown step \"jump\""},
        {"Click 10", "no: unknown step \"Click\""},
        {"click", "no: a number must follow"},
        {"click 10x", "no: a number must follow"},
        {"click 99999999999999999999", "no: a number must follow"},
        {"click 10 11", "no: too many arguments"},
        {"close now", "no: too many arguments"},
        {"select 41", "no: two numbers must follow"},
        {"clickat 4", "no: two numbers must follow"},
        {"wait 10 20", "no: too many arguments"},
        {"key F25", "no: no key is named \"F25\""},
        {"screenshot", "no: text must follow"},
        {"wait -1", "no: a time cannot be negative"},
        {"key", "no: no key is named \"\""},
        {"key VK_RETURN", "no: no key is named \"VK_RETURN\""},
        {"key RETURN RETURN", "no: too many arguments"},
        {"type", "no: text must follow"},
        {"dump", "no: text must follow"},
        {"expect-text", "no: a control id must follow"},
        {"expect-text x y", "no: a control id must follow"},
    };
    asked.clear();
    for (const Case &c : cases) EXPECT_EQ(parsed(c.line), c.step) << c.line;
    EXPECT_EQ(std::string(asked.begin(), asked.end()), "+a\xe9");
}

TEST(ScriptSteps, KeyNamesAreWindowsVirtualKeyNamesInAnyCase)
{
    struct Case {
        const char *name;
        unsigned vk;
    };
    // Every listed name against the value Windows gives it.
    const Case cases[] = {
        {"BACK", VK_BACK},
        {"TAB", VK_TAB},
        {"CLEAR", VK_CLEAR},
        {"RETURN", VK_RETURN},
        {"SHIFT", VK_SHIFT},
        {"CONTROL", VK_CONTROL},
        {"MENU", VK_MENU},
        {"PAUSE", VK_PAUSE},
        {"CAPITAL", VK_CAPITAL},
        {"ESCAPE", VK_ESCAPE},
        {"SPACE", VK_SPACE},
        {"PRIOR", VK_PRIOR},
        {"NEXT", VK_NEXT},
        {"END", VK_END},
        {"HOME", VK_HOME},
        {"LEFT", VK_LEFT},
        {"UP", VK_UP},
        {"RIGHT", VK_RIGHT},
        {"DOWN", VK_DOWN},
        {"INSERT", VK_INSERT},
        {"DELETE", VK_DELETE},
        {"MULTIPLY", VK_MULTIPLY},
        {"ADD", VK_ADD},
        {"SEPARATOR", VK_SEPARATOR},
        {"SUBTRACT", VK_SUBTRACT},
        {"DECIMAL", VK_DECIMAL},
        {"DIVIDE", VK_DIVIDE},
        {"NUMLOCK", VK_NUMLOCK},
        {"SCROLL", VK_SCROLL},
        {"escape", VK_ESCAPE},
        {"NumLock", VK_NUMLOCK},
        {"NUMPAD0", VK_NUMPAD0},
        {"numpad9", VK_NUMPAD9},
        {"F1", VK_F1},
        {"f10", VK_F10},
        {"F12", VK_F12},
        {"F24", VK_F1 + 23},
    };
    for (const Case &c : cases) {
        unsigned vk = 0;
        EXPECT_TRUE(script::virtual_key_named(c.name, vk)) << c.name;
        EXPECT_EQ(vk, c.vk) << c.name;
    }
    for (const char *name :
         {"", "F", "F0", "F25", "F100", "NUMPAD", "NUMPAD10", "NUMPAD-1", "F1X", "VK_TAB", "ENTER", "RETURN ", "a"}) {
        unsigned vk = 0;
        EXPECT_FALSE(script::virtual_key_named(name, vk)) << name;
    }
}

TEST(ScriptSteps, LoadingSkipsBlanksAndCommentsAndNamesTheFaultyLine)
{
    testsupport::TempDir dir;
    testsupport::write_bytes("steps.txt", "# a comment\r\n"
                                          "\n"
                                          "  \t\n"
                                          "\t# indented\n"
                                          "  click 10\r\n"
                                          "type done\r\n");
    std::vector<Step> steps;
    ASSERT_TRUE(script::load_steps("steps.txt", host(), steps));
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0].line, 5);
    EXPECT_EQ(steps[0].source, "  click 10");
    EXPECT_EQ(steps[0].a, 10);
    EXPECT_EQ(steps[1].line, 6);
    EXPECT_EQ(steps[1].text, "done");   // the CR is no part of it

    testsupport::write_bytes("bad.txt", "click 10\n\n  wait soon\nclick 11\n");
    steps.clear();
    testing::internal::CaptureStderr();
    EXPECT_FALSE(script::load_steps("bad.txt", host(), steps));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "script bad.txt:3:   wait soon\n  a number must follow\n");

    testing::internal::CaptureStderr();
    EXPECT_FALSE(script::load_steps("missing.txt", host(), steps));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "script missing.txt: cannot be read\n");
}
