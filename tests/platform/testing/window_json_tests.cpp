// The window dump's texts as both script runners write them. (Whole dumps
// are compared with expected files in script_tests.cpp.)
#include "support/json.h"

#include "testing/window_json.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <cstdio>
#include <string>

using script::WindowState;
using script::WindowTree;

namespace {

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

}   // namespace

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
