// RUNE.HTM written from a reading on its own: how it replaces an old page,
// what each failure leaves behind and says, and spread texts that escaping
// makes longer than any fixed piece.
#include "runes/htmlreport.h"

#include <io.h>

#include "runes/spread.h"

#include "crt/faults.h"
#include "support/tempdir.h"
#include "user32/msgbox_hook.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

using testsupport::crlf;
using testsupport::read_bytes;
using testsupport::write_bytes;

namespace {

const char kCreated[] = "The file 'Rune.htm' has been created, and contains infomation about this reading";

// A spread of two positions in S.SCS, made the current spread, and a reading for it.
struct Report {
    testsupport::TempDir dir;
    int runes[15] = {7, 19, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13, 14};
    int flags[15] = {};

    explicit Report(const std::string &meaning0 = "Roots")
    {
        msgbox_hook::clear();
        msgbox_hook::set_answerer([](const msgbox_hook::Box &) { return IDOK; });
        write_bytes("S.SCS", crlf("\ntitle=Two\nrunemeaning0=" + meaning0 + "*\nrunemeaning1=Crown*\nNumCards=2\n"));
        strcpy(SpreadFilename, "S.SCS");
        strcpy(title, "Two");
        NumCards = 2;
    }
    ~Report() { msgbox_hook::set_answerer(nullptr); }
    void write() { html_module(runes, flags); }
    std::vector<std::string> boxes()
    {
        std::vector<std::string> out;
        for (const auto &b : msgbox_hook::boxes()) out.push_back(b.caption + ": " + b.text);
        return out;
    }
};

bool temp_files_left()
{
    for (const auto &e : std::filesystem::directory_iterator("."))
        if (e.path().extension() == ".TMP") return true;
    return false;
}

} // namespace

// A read-only page is made writable and replaced; the new one is whole.
TEST(HtmlReport, ReadOnlyOldPageIsReplacedWhole)
{
    Report r;
    write_bytes("RUNE.HTM", "old page");
    ASSERT_EQ(_chmod("RUNE.HTM", _S_IREAD), 0);
    r.write();
    const std::string page = read_bytes("RUNE.HTM");
    EXPECT_EQ(page.rfind("<HTML><HEAD><TITLE>Quenmire Stonecall V1.1</TITLE>", 0), 0u);
    EXPECT_NE(page.find("<IMG ALIGN=LEFT SRC=\"images/7.jpg\" WIDTH=70 HEIGHT=129><U>Roots</U><BR><BR><U>Nauthiz"),
              std::string::npos);
    EXPECT_LT(page.find("images/7.jpg"), page.find("images/19.jpg"));
    EXPECT_EQ(page.find("images/1.jpg"), std::string::npos);
    EXPECT_EQ(page.substr(page.size() - 14), "</BODY></HTML>");
    struct stat st;
    ASSERT_EQ(stat("RUNE.HTM", &st), 0);
    EXPECT_NE(st.st_mode & S_IWUSR, 0u);
    EXPECT_EQ(r.boxes(), (std::vector<std::string>{std::string("Rune.htm created...: ") + kCreated}));
    EXPECT_FALSE(temp_files_left());
}

// A write that fails part way, a full disk or a replace that fails: the old
// page stays as it was, and the user is told so.
TEST(HtmlReport, FailedWriteKeepsTheOldPageAndSaysItCouldNotBeWritten)
{
    struct Case {
        const char *what;
        faults::Call call;
        int skip;   // -1: the disk is full instead
    } cases[] = {{"first write", faults::Call::Write, 0}, {"sixth write", faults::Call::Write, 5},
                 {"21st write", faults::Call::Write, 20}, {"full disk", faults::Call::Write, -1},
                 {"replace", faults::Call::MoveFile, 0}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Report r;
        write_bytes("RUNE.HTM", "old page");
        if (c.skip < 0)
            faults::disk_full_after(100);
        else
            faults::fail(c.call, 1, c.skip, c.call == faults::Call::Write ? ".TMP" : "");
        r.write();
        EXPECT_EQ(read_bytes("RUNE.HTM"), "old page");
        EXPECT_EQ(r.boxes(), (std::vector<std::string>{"Error..: The file RUNE.HTM could not be written; any page it "
                                                       "held before is unchanged."}));
        EXPECT_FALSE(temp_files_left());
        faults::reset();
    }
}

// Where the folder takes no new file, the page is rewritten in place, and
// put back as it was when a write fails; where not even the page opens, the
// old terse message stays and nothing is written.
TEST(HtmlReport, NoTemporaryFileMeansInPlaceNoFileAtAllMeansUnableToComply)
{
    {
        Report r;
        write_bytes("RUNE.HTM", "old page");
        faults::read_only_folder(".");
        r.write();
        EXPECT_EQ(read_bytes("RUNE.HTM").rfind("<HTML>", 0), 0u);
        EXPECT_EQ(r.boxes(), (std::vector<std::string>{std::string("Rune.htm created...: ") + kCreated}));
        faults::reset();
    }
    {
        Report r;
        write_bytes("RUNE.HTM", "old page");
        faults::read_only_folder(".");
        faults::fail(faults::Call::Write, 1, 3);
        r.write();
        EXPECT_EQ(read_bytes("RUNE.HTM"), "old page");
        ASSERT_EQ(msgbox_hook::boxes().size(), 1u);
        EXPECT_EQ(msgbox_hook::boxes()[0].caption, "Error..");
        faults::reset();
    }
    {
        Report r;
        faults::fail(faults::Call::Open, -1, 0, ".TMP");
        faults::fail(faults::Call::Open, -1, 0, "RUNE.HTM");
        r.write();
        EXPECT_FALSE(std::filesystem::exists("RUNE.HTM"));
        ASSERT_EQ(msgbox_hook::boxes().size(), 1u);
        const msgbox_hook::Box &b = msgbox_hook::boxes()[0];
        EXPECT_EQ(b.text, "unable to comply!");
        EXPECT_EQ(b.caption, "");
        EXPECT_EQ(b.owner, nullptr);
        EXPECT_EQ(b.flags, (UINT)MB_OK);
        faults::reset();
    }
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
