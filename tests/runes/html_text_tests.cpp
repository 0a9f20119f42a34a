// Escaping of spread titles and position meanings for RUNE.HTM.
#include "runes/html_text.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <cstring>
#include <random>
#include <regex>
#include <string>
#include <vector>

namespace {

struct Case {
    const char *text;
    const char *expected;
};

void expect_cases(const std::vector<Case> &cases)
{
    for (const Case &c : cases)
        EXPECT_EQ(html_safe_text(c.text), c.expected) << "text: " << c.text;
}

// The tags a page may carry, every one written out, compared without regard
// to letter case.
const char *const allowed_tags[] = {
    "<b>", "</b>", "<i>", "</i>", "<u>", "</u>", "<em>", "</em>", "<strong>", "</strong>",
    "<big>", "</big>", "<small>", "</small>", "<br>", "</br>",
};

size_t allowed_tag_at(const std::string &s, size_t at)
{
    for (std::string tag : allowed_tags) {
        if (s.size() - at < tag.size())
            continue;
        std::string piece = s.substr(at, tag.size());
        for (char &c : piece)
            c = (char)std::tolower((unsigned char)c);
        if (piece == tag)
            return tag.size();
    }
    return 0;
}

const std::regex &reference_pattern()
{
    static const std::regex pattern("&([A-Za-z][A-Za-z0-9]{0,31}|#[0-9]{1,7}|#[xX][0-9A-Fa-f]{1,6});");
    return pattern;
}

size_t reference_at(const std::string &s, size_t at)
{
    std::smatch match;
    if (!std::regex_search(s.begin() + (std::ptrdiff_t)at, s.end(), match, reference_pattern(),
                           std::regex_constants::match_continuous))
        return 0;
    return (size_t)match.length(0);
}

// Empty when the page text is safe: every '<' opens an allowed tag, every
// '&' a reference, and no '>' or '"' stands outside them. Otherwise says
// where it is not.
std::string unsafe_spot(const std::string &page)
{
    size_t at = 0;
    while (at < page.size()) {
        size_t piece = 0;
        if (page[at] == '<')
            piece = allowed_tag_at(page, at);
        else if (page[at] == '&')
            piece = reference_at(page, at);
        else if (page[at] != '>' && page[at] != '"')
            piece = 1;
        if (piece == 0)
            return "at " + std::to_string(at) + ": " + page.substr(at, 20);
        at += piece;
    }
    return "";
}

std::string unescape(const std::string &page)
{
    static const Case entities[] = {{"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}};
    std::string text;
    size_t at = 0;
    while (at < page.size()) {
        bool replaced = false;
        for (const Case &e : entities) {
            if (page.compare(at, strlen(e.text), e.text) == 0) {
                text += e.expected;
                at += strlen(e.text);
                replaced = true;
                break;
            }
        }
        if (!replaced)
            text += page[at++];
    }
    return text;
}

// Random texts made of the characters and pieces that matter here: markup
// characters, letters of the allowed tag names, digits, reference parts, line
// breaks, high bytes, and whole tags and references right and nearly right.
std::string random_text(std::mt19937 &random)
{
    static const char singles[] = "<>&\"/#;xX019aAbBeEgGiImMnNoOrRsStTuU =\r\n'\x80\xE9\xFF";
    static const char *const pieces[] = {
        "<B>", "</i>", "<Strong>", "</SMALL>", "<br>", "<BR/>", "<BR />", "< B>", "<B onclick=x>",
        "<script>", "<img src=x onerror=x=1>", "&amp;", "&eacute;", "&#8212;", "&#x2014;",
        "&#;", "&#x110000;", "&#12345678;", "&", "\r\n",
    };
    std::string text;
    uint32_t length = random() % 60;
    for (uint32_t i = 0; i < length; i++) {
        if (random() % 4 == 0)
            text += pieces[random() % std::size(pieces)];
        else
            text += singles[random() % (sizeof singles - 1)];
    }
    return text;
}

const int RANDOM_TEXTS = 20000;
const uint32_t SEED = 20261206;

} // namespace

TEST(HtmlSafeText, AllowedTagsPassInAnyCase)
{
    expect_cases({
        {"a<B>b</B>c", "a<B>b</B>c"},
        {"a<i>b</I>c", "a<i>b</I>c"},
        {"<U>line</u>", "<U>line</u>"},
        {"<eM>x</Em>", "<eM>x</Em>"},
        {"<strong>x</STRONG>", "<strong>x</STRONG>"},
        {"<StRoNg>x</sTrOnG>", "<StRoNg>x</sTrOnG>"},
        {"<BIG>x</big>", "<BIG>x</big>"},
        {"<Small>x</sMALL>", "<Small>x</sMALL>"},
        {"one<BR>two<br>three<Br>four</BR>", "one<BR>two<br>three<Br>four</BR>"},
        {"The <B>past</B> that<BR>shapes <I>you</I>", "The <B>past</B> that<BR>shapes <I>you</I>"},
        {"<B><I><U>nested</U></I></B>", "<B><I><U>nested</U></I></B>"},
    });
}

TEST(HtmlSafeText, ScriptsAttributesAndOtherTagsAreEscaped)
{
    expect_cases({
        {"<script>alert(1)</script>", "&lt;script&gt;alert(1)&lt;/script&gt;"},
        {"<SCRIPT>x=1</SCRIPT>", "&lt;SCRIPT&gt;x=1&lt;/SCRIPT&gt;"},
        {"<img src=x onerror=\"pwned=1\">", "&lt;img src=x onerror=&quot;pwned=1&quot;&gt;"},
        {"<B onclick=x>bold?</B>", "&lt;B onclick=x&gt;bold?</B>"},
        {"<B style=\"x\">", "&lt;B style=&quot;x&quot;&gt;"},
        {"<A HREF=\"x\">link</A>", "&lt;A HREF=&quot;x&quot;&gt;link&lt;/A&gt;"},
        {"<S>struck</S>", "&lt;S&gt;struck&lt;/S&gt;"},
        {"<P>", "&lt;P&gt;"},
        {"<!-- note -->", "&lt;!-- note --&gt;"},
        {"<svg/onload=x>", "&lt;svg/onload=x&gt;"},
    });
}

TEST(HtmlSafeText, NearMissesOfAllowedTagsAreEscaped)
{
    expect_cases({
        {"< B>", "&lt; B&gt;"},
        {"<B >", "&lt;B &gt;"},
        {"</ B>", "&lt;/ B&gt;"},
        {"<//B>", "&lt;//B&gt;"},
        {"<BR/>", "&lt;BR/&gt;"},
        {"<BR />", "&lt;BR /&gt;"},
        {"<B/>", "&lt;B/&gt;"},
        {"<BB>", "&lt;BB&gt;"},
        {"<BRR>", "&lt;BRR&gt;"},
        {"<STRONGER>", "&lt;STRONGER&gt;"},
        {"<STRON>", "&lt;STRON&gt;"},
        {"<B1>", "&lt;B1&gt;"},
        {"<B\xE9>", "&lt;B\xE9&gt;"},
        {"<B\n>", "&lt;B\n&gt;"},
        {"<>", "&lt;&gt;"},
        {"</>", "&lt;/&gt;"},
        {"<", "&lt;"},
        {"<B", "&lt;B"},
        {"text <B", "text &lt;B"},
        {"</STRONG", "&lt;/STRONG"},
        {"<<B>", "&lt;<B>"},
        {"<B>>", "<B>&gt;"},
    });
}

TEST(HtmlSafeText, QuotesAndStrayAnglesAreEscaped)
{
    expect_cases({
        {"\"Fate\"", "&quot;Fate&quot;"},
        {"a > b", "a &gt; b"},
        {">", "&gt;"},
        {"x<y", "x&lt;y"},
        {"it's", "it's"},
    });
}

TEST(HtmlSafeText, WellFormedReferencesPass)
{
    expect_cases({
        {"caf&eacute;", "caf&eacute;"},
        {"&amp;&lt;&gt;&quot;", "&amp;&lt;&gt;&quot;"},
        {"&frac12; &sup2;", "&frac12; &sup2;"},
        {"&CounterClockwiseContourIntegral;", "&CounterClockwiseContourIntegral;"},
        {"&abcdefghijklmnopqrstuvwxyzABCDEF;", "&abcdefghijklmnopqrstuvwxyzABCDEF;"},
        {"&unknownname;", "&unknownname;"},
        {"a&#8212;b", "a&#8212;b"},
        {"&#1;", "&#1;"},
        {"&#0065;", "&#0065;"},
        {"&#1114111;", "&#1114111;"},
        {"a&#x2014;b", "a&#x2014;b"},
        {"&#X2014;", "&#X2014;"},
        {"&#xabcDe;", "&#xabcDe;"},
        {"&#x10FFFF;", "&#x10FFFF;"},
        {"&#xD7FF;&#xE000;", "&#xD7FF;&#xE000;"},
    });
}

TEST(HtmlSafeText, MalformedReferencesAreEscaped)
{
    expect_cases({
        {"&", "&amp;"},
        {"salt & pepper", "salt &amp; pepper"},
        {"&&amp;", "&amp;&amp;"},
        {"&;", "&amp;;"},
        {"&eacute", "&amp;eacute"},
        {"&eacute ;", "&amp;eacute ;"},
        {"&a b;", "&amp;a b;"},
        {"&1abc;", "&amp;1abc;"},
        {"&\xE9;", "&amp;\xE9;"},
        {"&abcdefghijklmnopqrstuvwxyzABCDEFG;", "&amp;abcdefghijklmnopqrstuvwxyzABCDEFG;"},
        {"&#;", "&amp;#;"},
        {"&#x;", "&amp;#x;"},
        {"&# 65;", "&amp;# 65;"},
        {"&#-1;", "&amp;#-1;"},
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
    });
}

TEST(HtmlSafeText, LineBreaksControlsAndHighBytesPassUnchanged)
{
    expect_cases({
        {"one\r\ntwo\nthree\rfour", "one\r\ntwo\nthree\rfour"},
        {"\xE9t\xE9 \xA9 \x80\xFF", "\xE9t\xE9 \xA9 \x80\xFF"},
        {"tab\there\x01", "tab\there\x01"},
        {"<B>\r\n</B>", "<B>\r\n</B>"},
    });
}

TEST(HtmlSafeText, NullAndEmptyTextGiveEmpty)
{
    EXPECT_EQ(html_safe_text(nullptr), "");
    EXPECT_EQ(html_safe_text(""), "");
}

TEST(HtmlSafeText, LongTextIsNeverCut)
{
    // 100 kB of nothing but markup characters: the page text grows to about
    // five times that, far past any fixed buffer, and must arrive whole.
    std::string hostile;
    while (hostile.size() < 100000)
        hostile += "<\"&>";
    std::string safe = html_safe_text(hostile.c_str());
    EXPECT_EQ(safe.size(), hostile.size() / 4 * (4 + 6 + 5 + 4));
    EXPECT_EQ(safe.substr(0, 19), "&lt;&quot;&amp;&gt;");
    EXPECT_EQ(safe.substr(safe.size() - 19), "&lt;&quot;&amp;&gt;");

    // 100 kB of allowed tags and references comes back byte for byte.
    std::string formatted;
    while (formatted.size() < 100000)
        formatted += "<B>x</B>&eacute;<BR>&#x2014;\r\n";
    EXPECT_EQ(html_safe_text(formatted.c_str()), formatted);
}

// Random texts: the output holds only allowed tags and references as markup,
// unescaping gives back a text that had no references, and escaping again
// changes nothing more.
TEST(HtmlSafeTextProperty, OutputIsSafeReversibleAndStable)
{
    std::mt19937 random(SEED);
    int reversed = 0;
    for (int i = 0; i < RANDOM_TEXTS; i++) {
        std::string text = random_text(random);
        std::string safe = html_safe_text(text.c_str());
        ASSERT_EQ(unsafe_spot(safe), "") << "text: " << text << "\nsafe: " << safe;
        ASSERT_EQ(html_safe_text(safe.c_str()), safe) << "text: " << text;
        if (std::regex_search(text, reference_pattern()))
            continue;
        reversed++;
        ASSERT_EQ(unescape(safe), text) << "safe: " << safe;
    }
    // The texts without references must be a real sample, not a handful.
    EXPECT_GT(reversed, RANDOM_TEXTS / 4);
}
