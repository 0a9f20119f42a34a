// The window dump's texts as both script runners write them. (Whole dumps,
// quotes and backslashes among them, are compared with expected files in
// script_tests.cpp.)
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
    EXPECT_EQ(escaped("a\nb\x01\x1f\x7f"), "a\\u000ab\\u0001\\u001f\\u007f");
    EXPECT_EQ(escaped(" ~"), " ~");

    // Each byte above ASCII is escaped as the UTF-16 unit the system's
    // converter makes of it in Windows-1252; bytes the code page leaves
    // undefined keep their value.
    iconv_t cp1252 = iconv_open("UTF-16LE", "WINDOWS-1252");
    ASSERT_NE(cp1252, reinterpret_cast<iconv_t>(-1));
    int undefined = 0;
    for (int b = 0x80; b <= 0xFF; ++b) {
        char in[1] = {static_cast<char>(b)}, utf16[4] = {};
        char *inp = in, *outp = utf16;
        size_t inLeft = 1, outLeft = sizeof utf16;
        const bool defined = iconv(cp1252, &inp, &inLeft, &outp, &outLeft) != static_cast<size_t>(-1);
        iconv(cp1252, nullptr, nullptr, nullptr, nullptr);
        undefined += !defined;
        const unsigned unit = static_cast<unsigned char>(utf16[0]) | (static_cast<unsigned char>(utf16[1]) << 8);
        char expected[8];
        std::snprintf(expected, sizeof expected, "\\u%04x", defined ? unit : static_cast<unsigned>(b));
        EXPECT_EQ(escaped(std::string(1, static_cast<char>(b))), expected) << b;
    }
    iconv_close(cp1252);
    EXPECT_EQ(undefined, 5);   // 0x81, 0x8D, 0x8F, 0x90, 0x9D
}
