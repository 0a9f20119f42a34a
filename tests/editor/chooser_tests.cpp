// The spread chooser through the lock-step driver, over real spread files in
// a temporary folder: what it lists, in which order, and what each way of
// leaving it puts into SpreadFilename.
#include "editor/chooser.h"

#include "app/mainwindow.h"
#include "app/screenloop.h"
#include "runes/spread.h"

#include "platform/rc/embedded.h"
#include "support/tempdir.h"

#include "crt/faults.h"
#include "rc/module.h"
#include "testing/lockstep.h"
#include "user32/msgbox_hook.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using testsupport::crlf;
using testsupport::write_bytes;

namespace {

// A small spread file; the title "-" stands for no title line at all.
void write_spread(const std::string &name, const std::string &title)
{
    std::string text = "\nSpread Data File Created By Quenmire Stonecall V1.10\n\nversion=1100\n";
    if (title != "-") text += "title=" + title + "\n";
    text += "runemeaning0=First*\nrune0x=10\nrune0y=20\nNumCards=1\n\n";
    write_bytes(name, crlf(text));
}

// The chooser run from a main window made current by hand, as Run and Edit
// run it; the test plays the person at it.
struct Chooser {
    testsupport::TempDir dir;
    lockstep::Runner run{[](const std::string &why) { ADD_FAILURE() << why; }};
    HWND owner = nullptr;
    HWND screen = nullptr;

    Chooser() { msgbox_hook::clear(); }
    ~Chooser()
    {
        if (!run.finished() && screen && IsWindow(screen)) run.close(screen);
        if (owner) DestroyWindow(owner);
        msgbox_hook::set_answerer(nullptr);
    }
    void open(const std::string &before = "")
    {
        snprintf(SpreadFilename, sizeof SpreadFilename, "%s", before.c_str());
        run.start([this] {
            size_t size;
            const unsigned char *image = stonecall_res(&size);
            hInst2 = rc::register_module(image, size);
            owner = CreateDialogParamA(hInst2, MAKEINTRESOURCEA(MAIN_WINDOW_TEMPLATE_ID), nullptr, DlgProc, 0);
            hWnd_sim_dialog = hWndSimDialog = owner;
            ChooseSpread();
        });
        screen = hWnd_sim_dialog;
    }
    HWND list() { return run.control(screen, CHOOSER_LIST_ID); }
    std::vector<std::string> items()
    {
        std::vector<std::string> out;
        HWND l = list();
        int n = (int)SendMessageA(l, LB_GETCOUNT, 0, 0);
        for (int i = 0; i < n; ++i) {
            std::string s((size_t)SendMessageA(l, LB_GETTEXTLEN, i, 0), '\0');
            SendMessageA(l, LB_GETTEXT, i, (LPARAM)s.data());
            out.push_back(s);
        }
        return out;
    }
    void ok() { run.click(run.control(screen, IDOK)); }
    void cancel() { run.click(run.control(screen, IDCANCEL)); }
};

} // namespace

// The list box is made when the screen opens, where and how the screen wants
// it; titles come in the folder's order, unsorted, and the second chosen
// gives the second file.
TEST(Chooser, ListsTitlesInFolderOrderAndOkChoosesTheSelectedFile)
{
    Chooser c;
    write_spread("A.SCS", "Zeta");
    write_spread("b.scs", "Alpha");
    write_spread("C.SCS", "Mid");
    write_spread("notes.txt", "Not a spread");
    c.open("OLD.SCS");
    HWND list = c.list();
    RECT r;
    GetWindowRect(list, &r);
    POINT origin{0, 0};
    ClientToScreen(c.screen, &origin);
    EXPECT_EQ(r.left - origin.x, 10);
    EXPECT_EQ(r.top - origin.y, 10);
    EXPECT_EQ(r.right - r.left, 220);
    // Without LBS_NOINTEGRALHEIGHT the box shows whole items only.
    const int itemHeight = (int)SendMessageA(list, LB_GETITEMHEIGHT, 0, 0);
    EXPECT_LE(r.bottom - r.top, 232);
    EXPECT_GT(r.bottom - r.top, 232 - itemHeight);
    const LONG style = GetWindowLongA(list, GWL_STYLE);
    EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL), WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL);
    EXPECT_EQ(style & (LBS_SORT | LBS_NOTIFY), 0);
    EXPECT_EQ(c.items(), (std::vector<std::string>{"Zeta", "Alpha", "Mid"}));
    c.run.select(list, 1);
    c.ok();
    EXPECT_TRUE(c.run.finished());
    EXPECT_STREQ(SpreadFilename, "b.scs");
    EXPECT_TRUE(msgbox_hook::boxes().empty());
}

// With nothing selected, OK looks for the title the listing left behind: the
// Cancel (button or Escape) empties the name; the close command and an empty
// folder's OK leave it as it was.
TEST(Chooser, CancelEmptiesTheNameCloseAndEmptyFolderKeepIt)
{
    {
        Chooser c;
        write_spread("A.SCS", "One");
        c.open("OLD.SCS");
        c.run.select(c.list(), 0);
        c.cancel();
        EXPECT_TRUE(c.run.finished());
        EXPECT_STREQ(SpreadFilename, "");
    }
    {
        Chooser c;
        write_spread("A.SCS", "One");
        c.open("OLD.SCS");
        c.run.key(VK_ESCAPE);
        EXPECT_TRUE(c.run.finished());
        EXPECT_STREQ(SpreadFilename, "");
    }
    {
        Chooser c;
        write_spread("A.SCS", "One");
        c.open("OLD.SCS");
        c.run.select(c.list(), 0);
        c.run.post(c.screen, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_TRUE(c.run.finished());
        EXPECT_STREQ(SpreadFilename, "OLD.SCS");
    }
    {
        Chooser c;
        c.open("OLD.SCS");
        EXPECT_TRUE(c.items().empty());
        c.ok();
        EXPECT_TRUE(c.run.finished());
        EXPECT_STREQ(SpreadFilename, "OLD.SCS");
    }
}

// Far more files than the old fixed table's fifteen: every one is listed and
// the last can be chosen, under a name longer than fourteen characters.
TEST(Chooser, EveryFileIsListedHoweverManyAndLongNamesStayWhole)
{
    Chooser c;
    std::vector<std::string> expected;
    for (int i = 0; i < 40; ++i) {
        char name[64];
        snprintf(name, sizeof name, "spread-with-a-long-name-%02d.SCS", i);
        write_spread(name, "Title " + std::to_string(i));
        expected.push_back("Title " + std::to_string(i));
    }
    c.open();
    EXPECT_EQ(c.items(), expected);
    EXPECT_EQ(spreadfilecount, 40);
    c.run.select(c.list(), 39);
    c.ok();
    EXPECT_STREQ(SpreadFilename, "spread-with-a-long-name-39.SCS");
}

// OK looks the chosen item's title up among the files again: the first file
// with it wins, whichever item carries it; a file without a title line is an
// empty item; with nothing selected the title the listing left behind (the
// last file's) is looked for. A file gone since the listing is skipped with
// its error; when the chosen one itself is gone, no file has the title any
// more and the name stays as it was rather than naming a file not there.
TEST(Chooser, OkLooksTheChosenTitleUpAmongTheFiles)
{
    struct File {
        const char *name, *title;
    };
    struct Case {
        const char *what;
        std::vector<File> files;
        const char *removed;
        int item;
        const char *chosen;
    };
    const Case cases[] = {
        {"one title twice", {{"A.SCS", "Twin"}, {"B.SCS", "Other"}, {"C.SCS", "Twin"}}, nullptr, 2, "A.SCS"},
        {"no title line", {{"A.SCS", "Named"}, {"B.SCS", "-"}}, nullptr, 1, "B.SCS"},
        {"nothing selected", {{"A.SCS", "First"}, {"B.SCS", "Last"}}, nullptr, -1, "B.SCS"},
        {"an earlier file gone", {{"A.SCS", "Gone"}, {"B.SCS", "Kept"}, {"C.SCS", "Third"}}, "A.SCS", 1, "B.SCS"},
        {"the chosen file gone", {{"A.SCS", "First"}, {"B.SCS", "Gone"}}, "B.SCS", 1, "OLD.SCS"},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.what);
        Chooser c;
        std::vector<std::string> titles;
        for (const File &f : k.files) {
            write_spread(f.name, f.title);
            titles.push_back(std::strcmp(f.title, "-") == 0 ? "" : f.title);
        }
        c.open("OLD.SCS");
        EXPECT_EQ(c.items(), titles);
        msgbox_hook::set_answerer([](const msgbox_hook::Box &) { return IDOK; });
        if (k.removed) std::remove(k.removed);
        if (k.item >= 0)
            c.run.select(c.list(), k.item);
        else
            EXPECT_EQ(SendMessageA(c.list(), LB_GETCURSEL, 0, 0), LB_ERR);
        c.ok();
        EXPECT_TRUE(c.run.finished());
        EXPECT_STREQ(SpreadFilename, k.chosen);
        if (k.removed) {
            ASSERT_EQ(msgbox_hook::boxes().size(), 1u);
            EXPECT_EQ(msgbox_hook::boxes()[0].text, "Error opening file");
            EXPECT_EQ(msgbox_hook::boxes()[0].caption, k.removed);
            EXPECT_STREQ(title, titles[k.item].c_str());   // the chosen title, read or kept
        } else {
            EXPECT_TRUE(msgbox_hook::boxes().empty());
        }
    }
}
