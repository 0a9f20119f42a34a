// The new-spread dialog's checks, one at a time with their messages, owners
// and flags, and the folder that takes no file. (A new spread made, saved
// and cancelled is the scripted sessions new_*.)
#include "editor/newspread.h"

#include "app/screenloop.h"
#include "runes/spread.h"

#include "support/program.h"

#include "crt/faults.h"
#include "user32/msgbox_hook.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using testsupport::Program;
using testsupport::read_bytes;
using testsupport::write_bytes;

namespace {

struct NewRun : Program {
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

// Each failing check shows its own message and keeps the dialog open; the
// first failing check is the one shown.
TEST(NewSpread, EveryCheckInOrderWithItsMessage)
{
    NewRun n;
    n.open_dialog();
    std::filesystem::create_directory("SUB");
    write_bytes("TAKEN.SCS", "mine");
    const std::string title = "You must enter a title for your spread";
    const std::string name = "You must enter a filename for your spread.";
    const std::string extension = "The file must have the extension .SCS!";
    const std::string zero = "You must enter a value greater than zero for the number of runes in your spread.";
    const std::string sixteen = "You must enter a value less than sixteen for the number of runes in your spread.";
    const std::string file =
        "You have entered either an invalid filename, or the filename of a file that already exists.";
    struct Step {
        const char *title, *name, *count;
        std::string message;
    } steps[] = {
        {"", "", "", title},   // both empty: only the title is named
        {"My Spread", "", "3", name},
        {"My Spread", "MINE.TXT", "3", extension},
        {"My Spread", "MINE", "3", extension},
        {"My Spread", "MINE.SCS", "0", zero},
        {"My Spread", "MINE.SCS", "", zero},
        {"My Spread", "MINE.SCS", "ab", zero},
        {"My Spread", "MINE.SCS", "-1", zero},
        {"My Spread", "MINE.SCS", "16", sixteen},
        {"My Spread", "TAKEN.SCS", "3", file},
        {"My Spread", "SUB/A.SCS", "3", file},    // a folder part is refused...
        {"My Spread", "SUB\\A.SCS", "3", file},   // ...with either separator
    };
    for (const Step &s : steps) {
        SCOPED_TRACE(std::string(s.title) + "|" + s.name + "|" + s.count);
        msgbox_hook::clear();
        n.fill(s.title, s.name, s.count);
        n.press(IDOK);
        ASSERT_EQ(n.boxes(), (std::vector<std::string>{"Error: " + s.message}));
        EXPECT_EQ(msgbox_hook::boxes()[0].owner, n.dialog);
        EXPECT_EQ(msgbox_hook::boxes()[0].flags, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
        EXPECT_EQ(hWnd_sim_dialog, n.dialog);
        EXPECT_STREQ(::title, s.title);   // what was read stays in the current spread
    }
    EXPECT_EQ(read_bytes("TAKEN.SCS"), "mine");
    EXPECT_TRUE(std::filesystem::is_empty("SUB"));
    EXPECT_FALSE(std::filesystem::exists("SUB\\A.SCS"));
    EXPECT_FALSE(std::filesystem::exists("MINE.SCS"));
}

// A folder that takes no new file is a different trouble from a bad name:
// the message names the file and the folder, the dialog stays, nothing is
// left on the disk, and once the folder takes files again OK goes through.
TEST(NewSpread, AFolderThatTakesNoFileIsToldApartFromABadName)
{
    NewRun n;
    n.open_dialog();
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
