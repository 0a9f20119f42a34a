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

struct Parsed {
    bool ok;
    Step step;
    std::string why;
};

Parsed parse(const std::string &line)
{
    Parsed p;
    p.ok = script::parse_step(line, host(), p.step, p.why);
    return p;
}

} // namespace

TEST(ScriptSteps, ArgumentsAndFreeTextAreTakenAsWritten)
{
    struct Case {
        const char *line;
        Op op;
        long a, b;
        const char *text;
    };
    const Case cases[] = {
        {"clickat -4 17   # a comment", Op::ClickAt, -4, 17, ""},
        // Free text starts after one blank and keeps the rest, '#' and blanks too.
        {"type  two  # not a comment ", Op::Type, 0, 0, " two  # not a comment "},
        {"expect-text 30 count 2", Op::ExpectText, 30, 0, "count 2"},
        {"expect-text 30", Op::ExpectText, 30, 0, ""},
        {"expect-window", Op::ExpectWindow, 0, 0, ""},
        {"menu Spread Run", Op::Menu, 0, 0, "Spread Run"},
        {"select 104 2", Op::Select, 104, 2, ""},
        {"wait 0", Op::Wait, 0, 0, ""},
        {"close # at last", Op::Close, 0, 0, ""},
    };
    for (const Case &c : cases) {
        Parsed p = parse(c.line);
        ASSERT_TRUE(p.ok) << c.line << ": " << p.why;
        EXPECT_EQ(p.step.op, c.op) << c.line;
        EXPECT_EQ(p.step.a, c.a) << c.line;
        EXPECT_EQ(p.step.b, c.b) << c.line;
        EXPECT_EQ(p.step.text, c.text) << c.line;
    }
}

TEST(ScriptSteps, OnlyTheFilesStepsWriteGoThroughTheHostsPaths)
{
    for (const char *line : {"dump tree.json", "screenshot shots/one.png", "type tree.json", "expect-window x.png"}) {
        Parsed p = parse(line);
        ASSERT_TRUE(p.ok) << line;
        const bool file = line[0] == 'd' || line[0] == 's';
        EXPECT_EQ(p.step.text, (file ? "/start/" : "") + std::string(std::strchr(line, ' ') + 1)) << line;
    }
}

TEST(ScriptSteps, SingleCharactersAreKeysOfTheHostsKeyboard)
{
    asked.clear();
    Parsed p = parse("key +");
    ASSERT_TRUE(p.ok) << p.why;
    EXPECT_EQ(p.step.vk, static_cast<unsigned>(VK_OEM_PLUS));
    EXPECT_TRUE(p.step.shift);
    EXPECT_EQ(p.step.ch, '+');
    p = parse("key a");
    ASSERT_TRUE(p.ok) << p.why;
    EXPECT_EQ(p.step.vk, static_cast<unsigned>('A'));
    EXPECT_FALSE(p.step.shift);
    EXPECT_EQ(p.step.ch, 'a');
    // Names are not the host's business, and carry no character.
    p = parse("key add");
    ASSERT_TRUE(p.ok) << p.why;
    EXPECT_EQ(p.step.vk, static_cast<unsigned>(VK_ADD));
    EXPECT_EQ(p.step.ch, 0);
    EXPECT_EQ(asked, (std::vector<char>{'+', 'a'}));

    p = parse("key \xe9");
    EXPECT_FALSE(p.ok);
    EXPECT_EQ(p.why, "no key is named \"\xe9\"");
}

TEST(ScriptSteps, LinesThatAreNoStepsSayWhy)
{
    struct Case {
        const char *line;
        const char *why;
    };
    const Case cases[] = {
        {"jump 3", "unknown step \"jump\""},
        {"Click 10", "unknown step \"Click\""},
        {"click", "a number must follow"},
        {"click 10x", "a number must follow"},
        {"click 99999999999999999999", "a number must follow"},
        {"click 10 # fine", nullptr},
        {"click 10 11", "too many arguments"},
        {"close now", "too many arguments"},
        {"select 41", "two numbers must follow"},
        {"clickat 4", "two numbers must follow"},
        {"wait 10 20", "too many arguments"},
        {"key F25", "no key is named \"F25\""},
        {"screenshot", "text must follow"},
        {"wait -1", "a time cannot be negative"},
        {"key", "no key is named \"\""},
        {"key VK_RETURN", "no key is named \"VK_RETURN\""},
        {"key RETURN RETURN", "too many arguments"},
        {"type", "text must follow"},
        {"dump", "text must follow"},
        {"expect-text", "a control id must follow"},
        {"expect-text x y", "a control id must follow"},
    };
    for (const Case &c : cases) {
        Parsed p = parse(c.line);
        EXPECT_EQ(p.ok, c.why == nullptr) << c.line;
        if (c.why) {
            EXPECT_EQ(p.why, c.why) << c.line;
        }
    }
}

TEST(ScriptSteps, KeyNamesAreWindowsVirtualKeyNamesInAnyCase)
{
    struct Case {
        const char *name;
        unsigned vk;
    };
    // Every listed name against the value Windows gives it.
    const Case cases[] = {
        {"BACK", VK_BACK},         {"TAB", VK_TAB},           {"CLEAR", VK_CLEAR},     {"RETURN", VK_RETURN},
        {"SHIFT", VK_SHIFT},       {"CONTROL", VK_CONTROL},   {"MENU", VK_MENU},       {"PAUSE", VK_PAUSE},
        {"CAPITAL", VK_CAPITAL},   {"ESCAPE", VK_ESCAPE},     {"SPACE", VK_SPACE},     {"PRIOR", VK_PRIOR},
        {"NEXT", VK_NEXT},         {"END", VK_END},           {"HOME", VK_HOME},       {"LEFT", VK_LEFT},
        {"UP", VK_UP},             {"RIGHT", VK_RIGHT},       {"DOWN", VK_DOWN},       {"INSERT", VK_INSERT},
        {"DELETE", VK_DELETE},     {"MULTIPLY", VK_MULTIPLY}, {"ADD", VK_ADD},         {"SEPARATOR", VK_SEPARATOR},
        {"SUBTRACT", VK_SUBTRACT}, {"DECIMAL", VK_DECIMAL},   {"DIVIDE", VK_DIVIDE},   {"NUMLOCK", VK_NUMLOCK},
        {"SCROLL", VK_SCROLL},     {"escape", VK_ESCAPE},     {"NumLock", VK_NUMLOCK}, {"NUMPAD0", VK_NUMPAD0},
        {"numpad9", VK_NUMPAD9},   {"F1", VK_F1},             {"f10", VK_F10},         {"F12", VK_F12},
        {"F24", VK_F1 + 23},
    };
    for (const Case &c : cases) {
        unsigned vk = 0;
        EXPECT_TRUE(script::virtual_key_named(c.name, vk)) << c.name;
        EXPECT_EQ(vk, c.vk) << c.name;
    }
    for (const char *name : {"", "F", "F0", "F25", "F100", "NUMPAD", "NUMPAD10", "NUMPAD-1", "F1X", "VK_TAB",
                             "ENTER", "RETURN ", "a"}) {
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
