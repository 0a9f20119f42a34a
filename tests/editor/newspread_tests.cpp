// New on the Spread menu through the lock-step driver in a temporary folder:
// the new-spread dialog's checks one at a time with their messages, the
// cascade of a new spread's buttons, and its file, which appears only when
// the user agrees to save.
#include "editor/newspread.h"

#include "editor/editor_flow.h"

#include "app/screenloop.h"

#include "crt/faults.h"
#include "user32/msgbox_hook.h"
#include "user32/window_internal.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using editorflow::place;
using editorflow::Positions;
using editorflow::set_field;
using editorflow::size_of;
using editorflow::spread_bytes;
using testsupport::boxes;
using testsupport::Program;
using testsupport::read_bytes;
using testsupport::Seen;
using testsupport::write_bytes;
using testsupport::write_settings;

namespace {

const char kTitleMessage[] = "You must enter a title for your spread";
const char kNameMessage[] = "You must enter a filename for your spread.";
const char kExtensionMessage[] = "The file must have the extension .SCS!";
const char kZeroMessage[] = "You must enter a value greater than zero for the number of runes in your spread.";
const char kSixteenMessage[] = "You must enter a value less than sixteen for the number of runes in your spread.";
const char kFileMessage[] = "You have entered either an invalid filename, or the filename of a file that already exists.";
const char kSavePrompt[] = "Do you wish to save the new spread configuration?";

struct NewRun : Program {
    HWND dialog = nullptr;

    void open_dialog(int editHelp = 0)
    {
        write_settings(0, "", editHelp);
        start();
        command(IDM_NEW);
        dialog = screen();
        ASSERT_NE(dialog, main());
        ASSERT_NE(GetDlgItem(dialog, IDC_NEW_POSITIONS), nullptr);
    }
    void fill(const std::string &title, const std::string &name, const std::string &count)
    {
        set_field(run, dialog, IDC_NEW_TITLE, title);
        set_field(run, dialog, IDC_NEW_FILENAME, name);
        set_field(run, dialog, IDC_NEW_POSITIONS, count);
    }
    void ok() { run.click(run.control(dialog, IDOK)); }
    std::string field(int id) { return run.text(run.control(dialog, id)); }
};

} // namespace

// Each failing check shows its own message and keeps the dialog open; the
// first failing check is the one shown.
TEST(NewSpread, EveryCheckInOrderWithItsMessage)
{
    NewRun n;
    n.open_dialog();
    std::filesystem::create_directory("SUB");
    write_bytes("TAKEN.SCS", "mine");
    struct Step {
        const char *title, *name, *count, *message;
    };
    const Step steps[] = {
        {"", "", "", kTitleMessage},   // both empty: only the title is named
        {"My Spread", "", "3", kNameMessage},
        {"My Spread", "MINE.TXT", "3", kExtensionMessage},
        {"My Spread", "MINE", "3", kExtensionMessage},
        {"My Spread", "MINE.SCS", "0", kZeroMessage},
        {"My Spread", "MINE.SCS", "", kZeroMessage},
        {"My Spread", "MINE.SCS", "ab", kZeroMessage},
        {"My Spread", "MINE.SCS", "-1", kZeroMessage},
        {"My Spread", "MINE.SCS", "16", kSixteenMessage},
        {"My Spread", "TAKEN.SCS", "3", kFileMessage},
        {"My Spread", "SUB/A.SCS", "3", kFileMessage},   // a folder part is refused...
        {"My Spread", "SUB\\A.SCS", "3", kFileMessage},  // ...with either separator
    };
    for (const Step &s : steps) {
        SCOPED_TRACE(std::string(s.title) + "|" + s.name + "|" + s.count);
        msgbox_hook::clear();
        n.fill(s.title, s.name, s.count);
        n.ok();
        ASSERT_EQ(boxes(), (std::vector<Seen>{{s.message, "Error"}}));
        EXPECT_EQ(msgbox_hook::boxes()[0].owner, n.dialog);
        EXPECT_EQ(msgbox_hook::boxes()[0].flags, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
        EXPECT_TRUE(IsWindow(n.dialog));
        EXPECT_EQ(n.screen(), n.dialog);
        EXPECT_STREQ(title, s.title);   // what was read stays in the current spread
    }
    EXPECT_EQ(read_bytes("TAKEN.SCS"), "mine");
    EXPECT_TRUE(std::filesystem::is_empty("SUB"));
    EXPECT_FALSE(std::filesystem::exists("SUB\\A.SCS"));
    EXPECT_FALSE(std::filesystem::exists("MINE.SCS"));
    EXPECT_EQ(CancelNewSpread, 0);
    // Cancelled: new mode stays without buttons, and leaving it asks nothing.
    msgbox_hook::clear();
    n.run.click(n.run.control(n.dialog, IDCANCEL));
    EXPECT_FALSE(IsWindow(n.dialog));
    EXPECT_EQ(CancelNewSpread, 1);
    EXPECT_EQ(NewSpreadSelected, 1);
    EXPECT_TRUE(user32::find(n.main())->children.empty());
    n.command(IDM_EXIT);
    EXPECT_TRUE(n.run.finished());
    EXPECT_TRUE(boxes().empty());
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
    msgbox_hook::clear();
    n.ok();
    ASSERT_EQ(boxes(), (std::vector<Seen>{{"The file MINE.SCS cannot be created here: the folder does not take new "
                                           "files, or the disk is full.",
                                           "Error"}}));
    EXPECT_TRUE(IsWindow(n.dialog));
    EXPECT_FALSE(std::filesystem::exists("MINE.SCS"));
    faults::reset();
    n.ok();
    EXPECT_FALSE(IsWindow(n.dialog));
    EXPECT_FALSE(std::filesystem::exists("MINE.SCS"));
}

// The field upper-cases what is typed, so a lower-case extension passes; 15
// positions are the most, laid out as a cascade that ends at (480, 290).
TEST(NewSpread, FifteenInLowerCaseMakeTheWholeCascade)
{
    NewRun n;
    n.open_dialog();
    n.fill("All Of Them", "all.scs", "15");
    EXPECT_EQ(n.field(IDC_NEW_FILENAME), "ALL.SCS");
    n.ok();
    ASSERT_FALSE(IsWindow(n.dialog));
    EXPECT_TRUE(boxes().empty());
    EXPECT_STREQ(SpreadFilename, "ALL.SCS");
    EXPECT_EQ(NumCards, 15);
    HWND main = n.main();
    EXPECT_EQ(n.run.text(main), "Quenmire Stonecall V1.1 - All Of Them");
    for (int i = 0; i < 15; ++i) {
        HWND b = GetDlgItem(main, 10 + i);
        ASSERT_NE(b, nullptr) << i;
        EXPECT_EQ(b, ButtonHandles[i]);
        POINT at = place(main, b);
        EXPECT_EQ(at.x, 200 + 20 * i) << i;
        EXPECT_EQ(at.y, 10 + 20 * i) << i;
    }
    EXPECT_EQ(place(main, ButtonHandles[14]).x, 480);
    EXPECT_EQ(place(main, ButtonHandles[14]).y, 290);
    EXPECT_FALSE(std::filesystem::exists("ALL.SCS"));
}

// Three positions: the buttons, their texts and sizes, the flags and the
// version of a new spread; no file until the save prompt is answered Yes,
// then exactly the writer's bytes.
TEST(NewSpread, ThreePositionsThenSavedOnYes)
{
    NewRun n;
    n.open_dialog();
    n.fill("Three Ways", "three.scs", "3");
    n.ok();
    ASSERT_FALSE(IsWindow(n.dialog));
    HWND main = n.main();
    const POINT expected[3] = {{200, 10}, {220, 30}, {240, 50}};
    for (int i = 0; i < 3; ++i) {
        HWND b = ButtonHandles[i];
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(n.run.text(b), "rune " + std::to_string(i + 1));
        EXPECT_EQ(place(main, b).x, expected[i].x);
        EXPECT_EQ(place(main, b).y, expected[i].y);
        EXPECT_EQ(size_of(b).cx, 70);
        EXPECT_EQ(size_of(b).cy, 129);
        EXPECT_EQ(GetDlgCtrlID(b), 10 + i);
        EXPECT_EQ(horizontal[i], 0);
        EXPECT_EQ(PositionPlace(i).x, expected[i].x);
        EXPECT_EQ(PositionPlace(i).y, expected[i].y);
    }
    EXPECT_EQ(ButtonHandles[3], nullptr);
    EXPECT_EQ(version, 2000);
    for (int i = 0; i < MAX_POSITIONS; ++i) EXPECT_STREQ(pm[i], "");
    // A later position lies above an earlier one where they overlap.
    POINT both{235, 40};
    ClientToScreen(main, &both);
    EXPECT_EQ(user32::window_at(both), ButtonHandles[1]);
    EXPECT_FALSE(std::filesystem::exists("THREE.SCS"));
    n.answer = IDYES;
    n.command(IDM_EXIT);
    ASSERT_TRUE(n.run.finished());
    EXPECT_EQ(boxes(), (std::vector<Seen>{{kSavePrompt, "Save.."}, {"Data writen to file.", "Done..."}}));
    Positions at{};
    for (int i = 0; i < 3; ++i) at[i] = {expected[i].x, expected[i].y, ""};
    EXPECT_EQ(read_bytes("THREE.SCS"), spread_bytes("Three Ways", at, 3));
}

// The dialog has no caption, yet Alt+F4 closes it: a cancel, even after an OK
// that failed a check (which clears the flag), so nothing is offered for saving.
TEST(NewSpread, TheCloseCommandCountsAsCancel)
{
    NewRun n;
    n.open_dialog();
    n.fill("Half Done", "HALF.SCS", "0");
    n.ok();
    ASSERT_EQ(CancelNewSpread, 0);
    msgbox_hook::clear();
    n.run.key(VK_F4, VK_MENU);
    EXPECT_FALSE(IsWindow(n.dialog));
    EXPECT_EQ(CancelNewSpread, 1);
    EXPECT_TRUE(user32::find(n.main())->children.empty());
    n.command(IDM_EXIT);
    ASSERT_TRUE(n.run.finished());
    EXPECT_TRUE(boxes().empty());
    EXPECT_FALSE(std::filesystem::exists("HALF.SCS"));
}

// With the help on, the editor explains itself before its buttons appear;
// the text names the file twice and the title once.
TEST(NewSpread, TheEditHelpComesFirstWithTheFileAndTheTitle)
{
    NewRun n;
    bool buttonsAtHelp = true;
    n.answer = 0;
    msgbox_hook::set_answerer([&](const msgbox_hook::Box &) {
        buttonsAtHelp = ButtonHandles[0] != nullptr;
        return IDOK;
    });
    n.open_dialog(1);
    n.fill("Helpful", "HELP.SCS", "2");
    n.ok();
    ASSERT_EQ(boxes().size(), 1u);
    const msgbox_hook::Box &help = msgbox_hook::boxes()[0];
    EXPECT_EQ(help.caption, "Important information about creating your spread...");
    EXPECT_EQ(help.flags, static_cast<UINT>(MB_OK));
    EXPECT_EQ(help.owner, n.main());
    EXPECT_FALSE(buttonsAtHelp);
    EXPECT_NE(ButtonHandles[1], nullptr);
    EXPECT_EQ(help.text.rfind("The position of the runes are represented by large buttons.  ", 0), 0u);
    EXPECT_NE(help.text.find("recorded to a file called HELP.SCS when you Exit.  If you want to distribute your "
                             "spread then e-mail me with the file 'HELP.SCS 'included in the e-mail (support@"),
              std::string::npos);
    EXPECT_NE(help.text.find("you're doing so).\n\nWhen you want to run your spread"), std::string::npos);
    const std::string end = "look for the spread named 'Helpful' from the list, highlight it and click 'OK'.";
    EXPECT_EQ(help.text.substr(help.text.size() - end.size()), end);
    msgbox_hook::set_answerer([&](const msgbox_hook::Box &) { return n.answer; });
}
