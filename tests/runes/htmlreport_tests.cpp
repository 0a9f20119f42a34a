// RUNE.HTM written from a reading on its own: what a failure leaves behind
// and says, and spread texts that escaping makes longer than any fixed piece.
// (The page byte for byte is the reading's test.)
#include "runes/htmlreport.h"

#include "runes/spread.h"

#include "crt/faults.h"
#include "support/tempdir.h"
#include "user32/msgbox_hook.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

using testsupport::crlf;
using testsupport::read_bytes;
using testsupport::write_bytes;

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
