// The new-spread dialog's checks, one at a time with their messages, owners
// and flags, and the folder that takes no file. (A new spread made, saved
// and cancelled is the scripted sessions new_*.)
#include "editor/newspread.h"

#include "app/screenloop.h"
#include "runes/spread.h"

#include "support/golden.h"
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
