// RUNE.HTM written from a reading on its own: the escaping of spread titles
// and position meanings (the fuzzer checks arbitrary texts; these rows hold the
// edges of each rule), what a failure leaves behind and says, and spread texts
// that escaping makes longer than any fixed piece. (The page byte for byte is
// the reading's test.)
#include "runes/html_text.h"
#include "runes/htmlreport.h"
#include "runes/spread.h"

#include "support/tempdir.h"

#include "crt/faults.h"
#include "user32/msgbox_hook.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

using testsupport::crlf;
using testsupport::read_bytes;
using testsupport::write_bytes;

TEST(HtmlSafeText, OnlyBareFormattingTagsAndWellFormedReferencesPass)
{
    const struct {
        const char *text, *safe;
    } rows[] = {
        {"a<B>b</B>c<i>d</I><U></u><eM></Em>", "a<B>b</B>c<i>d</I><U></u><eM></Em>"},
        {"<StRoNg></STRONG><BIG></big><Small></sMALL><BR></BR>",
         "<StRoNg></STRONG><BIG></big><Small></sMALL><BR></BR>"},
        {"<script>x</script>", "&lt;script&gt;x&lt;/script&gt;"},
        {"<B onclick=x>b</B>", "&lt;B onclick=x&gt;b</B>"},
        {"<img src=\"x\">", "&lt;img src=&quot;x&quot;&gt;"},
        {"< B><B ></ B><//B><BR/><B/>", "&lt; B&gt;&lt;B &gt;&lt;/ B&gt;&lt;//B&gt;&lt;BR/&gt;&lt;B/&gt;"},
        {"<BB><BRR><STRONGER><STRON><B1><S>", "&lt;BB&gt;&lt;BRR&gt;&lt;STRONGER&gt;&lt;STRON&gt;&lt;B1&gt;&lt;S&gt;"},
        {"<B\xE9><B\n><></>", "&lt;B\xE9&gt;&lt;B\n&gt;&lt;&gt;&lt;/&gt;"},
        {"<", "&lt;"},
        {"text </STRONG", "text &lt;/STRONG"},
        {"<<B><B>>", "&lt;<B><B>&gt;"},
        {"\"a\" > b's", "&quot;a&quot; &gt; b's"},
        {"caf&eacute;&amp;&frac12;&unknownname;", "caf&eacute;&amp;&frac12;&unknownname;"},
        {"&abcdefghijklmnopqrstuvwxyzABCDEF;", "&abcdefghijklmnopqrstuvwxyzABCDEF;"},
        {"&abcdefghijklmnopqrstuvwxyzABCDEFG;", "&amp;abcdefghijklmnopqrstuvwxyzABCDEFG;"},
        {"&#1;&#0065;&#1114111;&#x10FFFF;&#X2014;&#xabcDe;", "&#1;&#0065;&#1114111;&#x10FFFF;&#X2014;&#xabcDe;"},
        {"&#xD7FF;&#xE000;", "&#xD7FF;&#xE000;"},
        {"salt & pepper", "salt &amp; pepper"},
        {"&&amp;", "&amp;&amp;"},
        {"&;", "&amp;;"},
        {"&eacute", "&amp;eacute"},
        {"&eacute ;", "&amp;eacute ;"},
        {"&1abc;", "&amp;1abc;"},
        {"&\xE9;", "&amp;\xE9;"},
        {"&#;", "&amp;#;"},
        {"&#x;", "&amp;#x;"},
        {"&#12a;", "&amp;#12a;"},
        {"&#xG1;", "&amp;#xG1;"},
        {"&#65", "&amp;#65"},
        {"&#12345678;", "&amp;#12345678;"},
        {"&#x0000041;", "&amp;#x0000041;"},
        {"&#0;", "&amp;#0;"},
        {"&#x0;", "&amp;#x0;"},
        {"&#1114112;", "&amp;#1114112;"},
        {"&#x110000;", "&amp;#x110000;"},
        {"&#xD800;", "&amp;#xD800;"},
        {"&#57343;", "&amp;#57343;"},
        {"one\r\ntwo\rthree\t\x01\xE9\x80\xFF", "one\r\ntwo\rthree\t\x01\xE9\x80\xFF"},
        {"", ""},
    };
    for (const auto &row : rows) EXPECT_EQ(html_safe_text(row.text), row.safe) << "text: " << row.text;
    EXPECT_EQ(html_safe_text(nullptr), "");
}

namespace {

// A spread of two positions in S.SCS, made the current spread, and a reading for it.
struct Report {
    testsupport::TempDir dir;
    int runes[15] = {7, 19, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13, 14};
    int flags[15] = {};

    explicit Report(const std::string &meaning0 = "Roots")
    {
        msgbox_hook::clear();
        write_bytes("S.SCS", crlf("\ntitle=Two\nrunemeaning0=" + meaning0 + "*\nrunemeaning1=Crown*\nNumCards=2\n"));
        strcpy(SpreadFilename, "S.SCS");
        strcpy(title, "Two");
        NumCards = 2;
    }
    void write() { html_module(runes, flags); }
};

}   // namespace

// A failed save keeps the old page and says so; where no page can be opened
// at all, the old terse message comes, with no owner, and nothing is written.
TEST(HtmlReport, FailedWriteKeepsTheOldPageAndSaysItCouldNotBeWritten)
{
    {
        Report r;
        write_bytes("RUNE.HTM", "old page");
        faults::fail(faults::Call::Write, 1, 5, ".TMP");
        r.write();
        faults::reset();
        EXPECT_EQ(read_bytes("RUNE.HTM"), "old page");
        ASSERT_EQ(msgbox_hook::boxes().size(), 1u);
        EXPECT_EQ(msgbox_hook::boxes()[0].caption, "Error..");
        EXPECT_EQ(msgbox_hook::boxes()[0].text,
                  "The file RUNE.HTM could not be written; any page it held before is unchanged.");
        EXPECT_EQ(msgbox_hook::boxes()[0].flags, (UINT)(MB_OK | MB_ICONSTOP));
    }
    Report r;
    faults::fail(faults::Call::Open, -1, 0, ".TMP");
    faults::fail(faults::Call::Open, -1, 0, "RUNE.HTM");
    r.write();
    faults::reset();
    EXPECT_FALSE(std::filesystem::exists("RUNE.HTM"));
    ASSERT_EQ(msgbox_hook::boxes().size(), 1u);
    const msgbox_hook::Box &b = msgbox_hook::boxes()[0];
    EXPECT_EQ(b.text, "unable to comply!");
    EXPECT_EQ(b.caption, "");
    EXPECT_EQ(b.owner, nullptr);
    EXPECT_EQ(b.flags, (UINT)MB_OK);
}

// Escaping can make a meaning several times its length: it is written whole,
// and a script in it stays text.
TEST(HtmlReport, EscapedMeaningsLongerThanAnyFixedPieceAreWrittenWhole)
{
    Report r(std::string(499, '<'));
    strcpy(title, "<script>x=1</script>");
    r.write();
    const std::string page = read_bytes("RUNE.HTM");
    std::string escaped;
    for (int i = 0; i < 499; ++i) escaped += "&lt;";
    EXPECT_NE(page.find("<U>" + escaped + "</U><BR><BR><U>"), std::string::npos);
    EXPECT_NE(page.find("in the &lt;script&gt;x=1&lt;/script&gt; formation:"), std::string::npos);
    EXPECT_EQ(page.find("<script>"), std::string::npos);
}
