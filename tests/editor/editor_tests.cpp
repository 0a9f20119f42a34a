// The editor's screens through the lock-step driver, for what the sessions
// (chooser, edit, no_keypad, layout_moves, new_*) cannot show: what each way of
// leaving the chooser puts into SpreadFilename; the jump size's limits and the
// help text's bound; the new-spread checks with their messages, owners and
// flags, and the folder that takes no file.
#include "app/mainwindow.h"
#include "app/screenloop.h"
#include "editor/chooser.h"
#include "editor/layout.h"
#include "editor/newspread.h"
#include "runes/spread.h"

#include "support/boxes.h"
#include "support/golden.h"
#include "support/program.h"
#include "support/spreads.h"

#include "crt/faults.h"
#include "user32/msgbox_hook.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

using testsupport::write_spread;

namespace {

// The chooser's spreads have one position each.
const std::vector<testsupport::SpreadPosition> kOnePosition = {{10, 20, "First"}};

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

struct NewRun : testsupport::Program {
    HWND dialog = nullptr;

    void open_dialog()
    {
        testsupport::write_settings(0, "", 0);
        start();
        menu("Spread", "New");
        dialog = hWnd_sim_dialog;
        ASSERT_NE(dialog, main());
    }
    // Each field's text replaced as a person does: click, select it all, type.
    void fill(const std::string &title, const std::string &name, const std::string &count)
    {
        const std::pair<int, std::string> fields[] = {
            {IDC_NEW_TITLE, title}, {IDC_NEW_FILENAME, name}, {IDC_NEW_POSITIONS, count}};
        for (const auto &[id, text] : fields) {
            HWND field = run.control(dialog, id);
            run.click(field);
            SendMessageA(field, EM_SETSEL, 0, -1);
            if (text.empty()) run.key(VK_DELETE);
            else run.type(text);
        }
    }
};

}   // namespace

// Cancel (button or Escape) empties the name and leaves run mode; the close
// command, and OK in a folder without spreads, leave the name as it was.
TEST(Chooser, CancelEmptiesTheNameCloseAndEmptyFolderKeepIt)
{
    enum Way { CancelButton, Escape, CloseCommand, OkWithoutSpreads };
    for (Way way : {CancelButton, Escape, CloseCommand, OkWithoutSpreads}) {
        SCOPED_TRACE(way);
        Chooser c;
        if (way != OkWithoutSpreads) write_spread("A.SCS", "One", kOnePosition);
        c.open();
        if (way == CancelButton) c.run.click(c.run.control(c.screen, IDCANCEL));
        if (way == Escape) c.run.key(VK_ESCAPE);
        if (way == CloseCommand) c.run.post(c.screen, WM_SYSCOMMAND, SC_CLOSE, 0);
        if (way == OkWithoutSpreads) c.choose(-1);
        EXPECT_FALSE(IsWindow(c.screen));
        const bool cancelled = way == CancelButton || way == Escape;
        EXPECT_STREQ(SpreadFilename, cancelled ? "" : "OLD.SCS");
        EXPECT_TRUE(!cancelled || RunSpreadSelected == 0) << RunSpreadSelected;
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
        write_spread(name, "Title " + std::to_string(i), kOnePosition);
    }
    c.open();
    EXPECT_EQ(SendMessageA(c.list(), LB_GETCOUNT, 0, 0), 40);
    EXPECT_EQ(spreadfilecount, 40);
    c.choose(39);
    EXPECT_STREQ(SpreadFilename, "spread-with-a-long-name-39.SCS");
}

// OK looks the chosen item's title up among the files again: the first file
// with it wins, whichever item carries it; a file with an empty title is an
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
        const char *seen;   // the name, the title read or kept, and the file each error box names
    } cases[] = {
        {"one title twice", {{"A.SCS", "Twin"}, {"B.SCS", "Other"}, {"C.SCS", "Twin"}}, nullptr, 2, "A.SCS Twin"},
        {"an empty title", {{"A.SCS", "Named"}, {"B.SCS", ""}}, nullptr, 1, "B.SCS "},
        {"nothing selected", {{"A.SCS", "First"}, {"B.SCS", "Last"}}, nullptr, -1, "B.SCS Last"},
        {"one gone", {{"A.SCS", "Gone"}, {"B.SCS", "Kept"}, {"C.SCS", "3"}}, "A.SCS", 1, "B.SCS Kept | A.SCS"},
        {"the chosen gone", {{"A.SCS", "First"}, {"B.SCS", "Gone"}}, "B.SCS", 1, "OLD.SCS Gone | B.SCS"}};
    for (const Case &k : cases) {
        SCOPED_TRACE(k.what);
        Chooser c;
        for (const File &f : k.files) write_spread(f.name, f.title, kOnePosition);
        c.open();
        msgbox_hook::clear();
        if (k.removed) std::remove(k.removed);
        c.choose(k.item);
        std::string seen = std::string(SpreadFilename) + " " + title;
        for (const auto &box : msgbox_hook::boxes()) seen += " | " + box.caption;
        EXPECT_EQ(seen, k.seen);
    }
}

// + and - stop at 50 and 1 with their messages; * tells the size; the new
// size takes effect at the next move. The editor's boxes, owners and flags.
TEST(EditSpread, TheJumpSizeStopsAtItsLimitsWithItsMessages)
{
    testsupport::Program e;
    write_spread("MINE.SCS", "Mine", {{500, 70, "Future"}});
    testsupport::write_settings(0, "", 0);
    e.start();
    e.edit_first_spread();
    e.run.click(ButtonHandles[0]);
    e.run.key(VK_MULTIPLY);
    for (int i = 0; i < 45; ++i) e.run.key(VK_ADD);
    EXPECT_EQ(e.boxes().size(), 1u);
    e.run.key(VK_ADD);
    e.run.key(VK_MULTIPLY);
    e.run.key(VK_NUMPAD6);
    EXPECT_EQ(PositionPlace(0).x, 550);
    for (int i = 0; i < 49; ++i) e.run.key(VK_SUBTRACT);
    EXPECT_EQ(e.boxes().size(), 3u);
    e.run.key(VK_SUBTRACT);
    e.run.key(VK_NUMPAD2);
    EXPECT_EQ(PositionPlace(0).y, 71);
    EXPECT_EQ(e.boxes(),
              (std::vector<std::string>{"Button jump size..: Button jump size has been set to 5 pixels per jump.",
                                        "Button jump size changed..: Cannot jump more than 50 pixels.",
                                        "Button jump size..: Button jump size has been set to 50 pixels per jump.",
                                        "Button jump size changed..: Cannot jump less than one pixel!"}));
    for (const auto &b : msgbox_hook::boxes()) {
        EXPECT_EQ(b.owner, e.main());
        EXPECT_EQ(b.flags, static_cast<UINT>(MB_OK | MB_ICONWARNING));
    }
    // A meaning with a star is refused by a box of the meaning dialog's own.
    msgbox_hook::clear();
    e.run.key(VK_NUMPAD5);
    HWND meaning = hWnd_sim_dialog;
    e.run.click(e.run.control(meaning, IDC_POSITION_MEANING));
    e.run.type("*");
    e.press(IDOK);
    expect_only_box("Error", "", meaning, MB_OK | MB_ICONEXCLAMATION);
}

// However long the file name and the title, the help text stays within its
// 1500 bytes: cut at the end, never written past it; the longest name and
// title a new spread can have leave it whole, its last paragraph included.
// (Whole, with a short name and title, it is the session new_spread's.)
TEST(EditHelp, CutToItsBufferWhateverTheNameAndTitle)
{
    std::memset(title, 'T', sizeof title - 1);
    title[sizeof title - 1] = '\0';
    for (const std::string &name : {std::string(sizeof SpreadFilename - 1, 'F'), std::string("ABCDEFGH.SCS")}) {
        SCOPED_TRACE(name);
        std::strcpy(SpreadFilename, name.c_str());
        std::vector<char> text(EDIT_HELP_SIZE, 'x');   // on the heap: a byte past it is caught
        MakeEditHelp(text.data());
        const std::string made(text.data());
        if (name.size() > 12) {
            EXPECT_EQ(made.size(), static_cast<size_t>(EDIT_HELP_SIZE - 1));
            EXPECT_NE(made.find(name + " when you Exit."), std::string::npos);
        } else {
            EXPECT_LT(made.size(), static_cast<size_t>(EDIT_HELP_SIZE - 1));
            EXPECT_EQ(made.substr(made.size() - 32), "double-click it for its meaning.");
        }
    }
}

// Each failing check shows its own message and keeps the dialog open; the
// first failing check is the one shown. A folder that takes no new file is a
// different trouble from a bad name (it was once blamed on the name): the
// message names the file and the folder, the dialog stays, nothing is left on
// the disk, and once the folder takes files again OK goes through.
TEST(NewSpread, EveryCheckInOrderWithItsMessage)
{
    NewRun n;
    n.open_dialog();
    std::filesystem::create_directory("SUB");
    testsupport::write_bytes("TAKEN.SCS", "mine");
    // Each step's fields, then the box it brings (in new_spread_checks.txt).
    const char *const steps[][3] = {
        {"", "", ""},   // both empty: only the title is named
        {"My Spread", "", "3"},
        {"My Spread", "MINE.TXT", "3"},
        {"My Spread", "MINE", "3"},
        {"My Spread", "MINE.SCS", "0"},
        {"My Spread", "MINE.SCS", ""},
        {"My Spread", "MINE.SCS", "ab"},
        {"My Spread", "MINE.SCS", "-1"},
        {"My Spread", "MINE.SCS", "16"},
        {"My Spread", "TAKEN.SCS", "3"},
        {"My Spread", "SUB/A.SCS", "3"},    // a folder part is refused...
        {"My Spread", "SUB\\A.SCS", "3"},   // ...with either separator
    };
    std::string seen;
    for (const auto &s : steps) {
        const std::string fields = std::string(s[0]) + "|" + s[1] + "|" + s[2];
        SCOPED_TRACE(fields);
        msgbox_hook::clear();
        n.fill(s[0], s[1], s[2]);
        n.press(IDOK);
        ASSERT_EQ(n.boxes().size(), 1u);
        seen += fields + " -> " + n.boxes()[0] + "\n";
        EXPECT_EQ(msgbox_hook::boxes()[0].owner, n.dialog);
        EXPECT_EQ(msgbox_hook::boxes()[0].flags, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
        EXPECT_EQ(hWnd_sim_dialog, n.dialog);
        EXPECT_STREQ(::title, s[0]);   // what was read stays in the current spread
    }
    EXPECT_TRUE(matches_expected_text(seen, "new_spread_checks.txt"));
    EXPECT_EQ(testsupport::read_bytes("TAKEN.SCS"), "mine");
    EXPECT_TRUE(std::filesystem::is_empty("SUB"));
    EXPECT_FALSE(std::filesystem::exists("SUB\\A.SCS"));
    msgbox_hook::clear();
    faults::read_only_folder(".");
    n.fill("My Spread", "MINE.SCS", "3");
    n.press(IDOK);
    ASSERT_EQ(n.boxes(), (std::vector<std::string>{"Error: The file MINE.SCS cannot be created here: the folder does "
                                                   "not take new files, or the disk is full."}));
    EXPECT_TRUE(IsWindow(n.dialog));
    EXPECT_FALSE(std::filesystem::exists("MINE.SCS"));
    faults::reset();
    n.press(IDOK);
    EXPECT_FALSE(IsWindow(n.dialog));
    EXPECT_FALSE(std::filesystem::exists("MINE.SCS"));
}
