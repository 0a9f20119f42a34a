// The window dump's JSON as both script runners write it, from a tree the
// test builds by hand.
#include "support/json.h"

#include "testing/window_json.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <cstdio>
#include <string>

using script::MenuEntry;
using script::WindowState;
using script::WindowTree;

namespace {

// A dialog with a menu bar (a drop-down holding an item, a separator and a
// further drop-down), a checked button and a list box.
WindowTree sample()
{
    WindowTree tree;
    tree.clockMs = 4000;
    tree.active = 0x10;
    tree.focus = 0x12;
    tree.numlock = true;

    WindowState dlg;
    dlg.handle = 0x10;
    dlg.className = "#32770";
    dlg.text = "Main";
    dlg.x = -3, dlg.y = 5, dlg.width = 306, dlg.height = 214;
    dlg.visible = true;
    dlg.enabled = true;
    dlg.style = 0x94C80000;
    MenuEntry open{"&Open\tCtrl+O", 10, false, false, false, {}};
    MenuEntry separator{"", 0, false, true, false, {}};
    MenuEntry deeper{"&More", -1, true, false, true, {MenuEntry{"Z", 18, false, false, false, {}}}};
    dlg.menu = std::vector<MenuEntry>{MenuEntry{"&File", -1, false, false, true, {open, separator, deeper}}};

    WindowState button;
    button.handle = 0x11;
    button.className = "Button";
    button.id = 42;
    button.text = "Check";
    button.visible = true;
    button.checked = true;
    WindowState list;
    list.handle = 0x12;
    list.className = "ListBox";
    list.id = 41;
    list.enabled = true;
    list.listBox = script::ListBoxState{{"One", "Two"}, 1};
    dlg.children = {button, list};

    WindowState empty;
    empty.handle = 0x20;
    empty.className = "Empty";
    empty.visible = true;
    empty.listBox = script::ListBoxState{};
    empty.menu = std::vector<MenuEntry>{};
    tree.windows = {dlg, empty};
    return tree;
}

std::string escaped(const std::string &text)
{
    WindowTree tree;
    WindowState w;
    w.text = text;
    tree.windows.push_back(w);
    std::string out = script::to_json(tree);
    size_t from = out.find("\"text\": \"") + 9, to = out.find("\", \"rect\"");
    return out.substr(from, to - from);
}

} // namespace

TEST(WindowJson, TheTreeIsWrittenInItsFixedOrderWithOptionalPartsWhereTheyApply)
{
    const std::string want =
        "{\"clock_ms\": 4000, \"active\": 16, \"focus\": 18, \"numlock\": true, \"windows\": ["
        "{\"handle\": 16, \"class\": \"#32770\", \"id\": 0, \"text\": \"Main\", \"rect\": [-3, 5, 306, 214], "
        "\"visible\": true, \"enabled\": true, \"style\": 2496135168, "
        "\"menu\": [{\"text\": \"&File\", \"id\": -1, \"greyed\": false, \"items\": ["
        "{\"text\": \"&Open\\u0009Ctrl+O\", \"id\": 10, \"greyed\": false}, "
        "{\"text\": \"\", \"id\": 0, \"greyed\": false, \"separator\": true}, "
        "{\"text\": \"&More\", \"id\": -1, \"greyed\": true, \"items\": ["
        "{\"text\": \"Z\", \"id\": 18, \"greyed\": false}]}"
        "]}], \"children\": ["
        "{\"handle\": 17, \"class\": \"Button\", \"id\": 42, \"text\": \"Check\", \"rect\": [0, 0, 0, 0], "
        "\"visible\": true, \"enabled\": false, \"style\": 0, \"checked\": true, \"children\": []}, "
        "{\"handle\": 18, \"class\": \"ListBox\", \"id\": 41, \"text\": \"\", \"rect\": [0, 0, 0, 0], "
        "\"visible\": false, \"enabled\": true, \"style\": 0, \"items\": [\"One\", \"Two\"], \"selected\": 1, "
        "\"children\": []}]}, "
        "{\"handle\": 32, \"class\": \"Empty\", \"id\": 0, \"text\": \"\", \"rect\": [0, 0, 0, 0], "
        "\"visible\": true, \"enabled\": false, \"style\": 0, \"items\": [], \"selected\": -1, \"menu\": [], "
        "\"children\": []}]}\n";
    std::string got = script::to_json(sample());
    EXPECT_EQ(got, want);
    testsupport::Json parsed;
    std::string error;
    EXPECT_TRUE(testsupport::parse_json(got, parsed, &error)) << error;

    EXPECT_EQ(script::to_json(WindowTree{}),
              "{\"clock_ms\": 0, \"active\": 0, \"focus\": 0, \"numlock\": false, \"windows\": []}\n");
}

TEST(WindowJson, TextsAreWindows1252WrittenAsPlainAsciiEscapes)
{
    EXPECT_EQ(escaped("say \"hi\" \\ now"), "say \\\"hi\\\" \\\\ now");
    EXPECT_EQ(escaped("a\nb\x01\x1f\x7f"), "a\\u000ab\\u0001\\u001f\\u007f");
    EXPECT_EQ(escaped(" ~"), " ~");

    // Each byte above ASCII decodes to what the system's converter makes of
    // Windows-1252; bytes the code page leaves undefined keep their value.
    iconv_t cp1252 = iconv_open("UTF-8", "WINDOWS-1252");
    ASSERT_NE(cp1252, reinterpret_cast<iconv_t>(-1));
    int undefined = 0;
    for (int b = 0x80; b <= 0xFF; ++b) {
        char in[1] = {static_cast<char>(b)}, utf8[8] = {};
        char *inp = in, *outp = utf8;
        size_t inLeft = 1, outLeft = sizeof utf8;
        bool defined = iconv(cp1252, &inp, &inLeft, &outp, &outLeft) != static_cast<size_t>(-1);
        iconv(cp1252, nullptr, nullptr, nullptr, nullptr);
        std::string text = escaped(std::string(1, static_cast<char>(b)));
        ASSERT_EQ(text.size(), 6u) << b;
        for (char c : text) EXPECT_LT(static_cast<unsigned char>(c), 0x80) << b;
        testsupport::Json parsed;
        std::string error;
        ASSERT_TRUE(testsupport::parse_json("\"" + text + "\"", parsed, &error)) << error;
        if (defined) {
            EXPECT_EQ(parsed.string, std::string(utf8, outp)) << b;
        } else {
            ++undefined;
            char own[8];
            std::snprintf(own, sizeof own, "\\u%04x", b);
            EXPECT_EQ(text, own) << b;
        }
    }
    iconv_close(cp1252);
    EXPECT_EQ(undefined, 5);   // 0x81, 0x8D, 0x8F, 0x90, 0x9D
}
