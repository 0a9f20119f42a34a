// The spread chooser opened by Run, over real spread files in a temporary
// folder: what each way of leaving it puts into SpreadFilename, however many
// files, and when files go between the listing and OK. (What it lists, in which order, in its box, is the scripted
// session chooser's.)
#include "editor/chooser.h"

#include "app/screenloop.h"
#include "runes/spread.h"

#include "support/program.h"

#include "user32/msgbox_hook.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

using testsupport::write_bytes;

namespace {

// A small spread file; the title "-" stands for no title line at all.
void write_spread(const std::string &name, const std::string &title)
{
    std::string text = "\nSpread Data File Created By Quenmire Stonecall V1.10\n\nversion=1100\n";
    if (title != "-") text += "title=" + title + "\n";
    write_bytes(name, testsupport::crlf(text + "runemeaning0=First*\nrune0x=10\nrune0y=20\nNumCards=1\n\n"));
}

// The chooser as Run opens it; SpreadFilename holds OLD.SCS before. The test
// plays the person.
struct Chooser : testsupport::Program {
    HWND screen = nullptr;

    void open()
    {
        testsupport::write_settings(0, "");
        start();
        strcpy(SpreadFilename, "OLD.SCS");
        menu("Spread", "Run");
        screen = hWnd_sim_dialog;
    }
    HWND list() { return run.control(screen, CHOOSER_LIST_ID); }
    void choose(int item)
    {
        if (item >= 0) run.select(list(), item);
        run.click(run.control(screen, IDOK));
        EXPECT_FALSE(IsWindow(screen));
    }
};

}   // namespace

// Cancel (button or Escape) empties the name; the close command, and OK in
// a folder without spreads, leave it as it was.
TEST(Chooser, CancelEmptiesTheNameCloseAndEmptyFolderKeepIt)
{
    enum Way { CancelButton, Escape, CloseCommand, OkWithoutSpreads };
    for (Way way : {CancelButton, Escape, CloseCommand, OkWithoutSpreads}) {
        SCOPED_TRACE(way);
        Chooser c;
        if (way != OkWithoutSpreads) write_spread("A.SCS", "One");
        c.open();
        if (way == CancelButton) c.run.click(c.run.control(c.screen, IDCANCEL));
        if (way == Escape) c.run.key(VK_ESCAPE);
        if (way == CloseCommand) c.run.post(c.screen, WM_SYSCOMMAND, SC_CLOSE, 0);
        if (way == OkWithoutSpreads) c.choose(-1);
        EXPECT_FALSE(IsWindow(c.screen));
        EXPECT_STREQ(SpreadFilename, way == CancelButton || way == Escape ? "" : "OLD.SCS");
    }
}

// Far more files than the old fixed table's fifteen: every one is listed and
// the last can be chosen, under a name longer than fourteen characters.
TEST(Chooser, EveryFileIsListedHoweverManyAndLongNamesStayWhole)
{
    Chooser c;
    for (int i = 0; i < 40; ++i) {
        char name[64];
        snprintf(name, sizeof name, "spread-with-a-long-name-%02d.SCS", i);
        write_spread(name, "Title " + std::to_string(i));
    }
    c.open();
    EXPECT_EQ(SendMessageA(c.list(), LB_GETCOUNT, 0, 0), 40);
    EXPECT_EQ(spreadfilecount, 40);
    c.choose(39);
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
        const char *chosen, *title;
    } cases[] = {
        {"one title twice", {{"A.SCS", "Twin"}, {"B.SCS", "Other"}, {"C.SCS", "Twin"}}, nullptr, 2, "A.SCS", "Twin"},
        {"no title line", {{"A.SCS", "Named"}, {"B.SCS", "-"}}, nullptr, 1, "B.SCS", ""},
        {"nothing selected", {{"A.SCS", "First"}, {"B.SCS", "Last"}}, nullptr, -1, "B.SCS", "Last"},
        {"an earlier file gone",
         {{"A.SCS", "Gone"}, {"B.SCS", "Kept"}, {"C.SCS", "Third"}},
         "A.SCS",
         1,
         "B.SCS",
         "Kept"},
        {"the chosen file gone", {{"A.SCS", "First"}, {"B.SCS", "Gone"}}, "B.SCS", 1, "OLD.SCS", "Gone"},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.what);
        Chooser c;
        for (const File &f : k.files) write_spread(f.name, f.title);
        c.open();
        msgbox_hook::clear();
        if (k.removed) std::remove(k.removed);
        c.choose(k.item);
        EXPECT_STREQ(SpreadFilename, k.chosen);
        EXPECT_STREQ(title, k.title);   // the chosen title, read or kept
        if (k.removed) {
            ASSERT_EQ(msgbox_hook::boxes().size(), 1u);
            EXPECT_EQ(msgbox_hook::boxes()[0].text, "Error opening file");
            EXPECT_EQ(msgbox_hook::boxes()[0].caption, k.removed);
        } else {
            EXPECT_TRUE(msgbox_hook::boxes().empty());
        }
    }
}
