// Escaping of spread titles and position meanings for RUNE.HTM (the fuzzer
// checks arbitrary texts; these rows hold the edges of each rule).
#include "runes/html_text.h"

#include <gtest/gtest.h>

#include <string>

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
