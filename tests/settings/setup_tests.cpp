// The setup screen through the lock-step driver, started as a user starts it
// (the command line "DeckwiseSetup") on real settings files in a temporary
// folder: the check boxes and the path it shows, what OK, Cancel and the close
// box leave in the file, and the open-file dialog with its failures.
#include "settings/setup.h"

#include "settings/inifile.h"

#include "support/program.h"
#include "support/tempdir.h"

#include <commdlg.h>

#include "crt/faults.h"
#include "user32/msgbox_hook.h"
#include "user32/window_internal.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using testsupport::boxes;
using testsupport::crlf;
using testsupport::Program;
using testsupport::read_bytes;
using testsupport::Seen;
using testsupport::write_bytes;
using testsupport::write_settings;

namespace {

const char kSetupTitle[] = "Quenmire Stonecall V1.1 - Setup";
const char kDialogTitle[] = "Choose the spread you wish to auto-start";

std::string settings_text(int help, int banner, const std::string &spread)
{
    return crlf("\n\nIni file for QM Stonecall V1.10\n\n\nShowEditHelp=" + std::to_string(help) +
                "\nShowStartBanner=" + std::to_string(banner) + "\nDefaultStartUpSpread=" + spread + "\n");
}

struct SetupRun : Program {
    HWND screen = nullptr;

    void open()
    {
        start("DeckwiseSetup");
        screen = run.window(kSetupTitle);
    }
    bool checked(int box) { return IsDlgButtonChecked(screen, box) == BST_CHECKED; }
    std::string path() { return run.text(run.control(screen, IDC_START_UP_SPREAD)); }
    void press(int button) { run.click(run.control(screen, button)); }
};

} // namespace

TEST(Setup, ShowsTheStoredOptionsAndPath)
{
    struct Case {
        int help, banner;
        const char *spread;
    };
    for (const Case &c : {Case{1, 1, ""}, Case{0, 1, "CROSS.SCS"}, Case{1, 0, "/some/where/ODD.SCS"}, Case{0, 0, ""}}) {
        SCOPED_TRACE(std::to_string(c.help) + std::to_string(c.banner) + c.spread);
        SetupRun s;
        write_bytes("qmsc98.ini", settings_text(c.help, c.banner, c.spread));
        s.open();
        EXPECT_EQ(s.checked(IDC_SHOW_EDIT_HELP), c.help == 1);
        EXPECT_EQ(s.checked(IDC_SHOW_START_BANNER), c.banner == 1);
        EXPECT_EQ(s.path(), c.spread);
        EXPECT_FALSE(s.run.has_window("Quenmire Stonecall V1.1"));
    }
}

TEST(Setup, AFreshSettingsFileChecksBothAndShowsNoPath)
{
    SetupRun s;
    s.open();
    EXPECT_TRUE(s.checked(IDC_SHOW_EDIT_HELP));
    EXPECT_TRUE(s.checked(IDC_SHOW_START_BANNER));
    EXPECT_EQ(s.path(), "");
}

// The repaint timer calls the construct again; only the first one fills the boxes.
TEST(Setup, UncheckingSurvivesTheRepaintTicks)
{
    SetupRun s;
    write_bytes("qmsc98.ini", settings_text(1, 1, "A.SCS"));
    s.open();
    s.press(IDC_SHOW_EDIT_HELP);
    EXPECT_FALSE(s.checked(IDC_SHOW_EDIT_HELP));
    s.run.advance(16000);   // three ticks
    InvalidateRect(s.screen, nullptr, TRUE);
    s.run.post(s.screen, WM_NULL, 0, 0);
    EXPECT_FALSE(s.checked(IDC_SHOW_EDIT_HELP));
    EXPECT_TRUE(s.checked(IDC_SHOW_START_BANNER));
    EXPECT_EQ(s.path(), "A.SCS");
}

TEST(Setup, OkWritesTheBoxesAsZeroOrOneAndThePathThenEnds)
{
    SetupRun s;
    write_bytes("qmsc98.ini", settings_text(1, 0, "CROSS.SCS"));
    s.open();
    s.press(IDC_SHOW_EDIT_HELP);      // off
    s.press(IDC_SHOW_START_BANNER);   // on
    s.press(IDOK);
    ASSERT_TRUE(s.run.finished());
    EXPECT_EQ(s.exitCode, 0);
    EXPECT_EQ(read_bytes("qmsc98.ini"), settings_text(0, 1, "CROSS.SCS"));
    EXPECT_TRUE(boxes().empty());
}

// What the program wrote, saved again unchanged, keeps every byte: the
// file it creates on a first start, and one holding a path.
TEST(Setup, OkWithoutChangesKeepsTheFilesBytes)
{
    {
        SetupRun s;
        s.open();
        const std::string created = read_bytes("qmsc98.ini");
        ASSERT_EQ(created, settings_text(1, 1, ""));
        s.press(IDOK);
        ASSERT_TRUE(s.run.finished());
        EXPECT_EQ(read_bytes("qmsc98.ini"), created);
    }
    {
        SetupRun s;
        write_bytes("qmsc98.ini", settings_text(1, 1, "/tmp/A PATH/X.SCS"));
        s.open();
        s.press(IDOK);
        ASSERT_TRUE(s.run.finished());
        EXPECT_EQ(read_bytes("qmsc98.ini"), settings_text(1, 1, "/tmp/A PATH/X.SCS"));
    }
}

// Cancel and the close box leave the file as it was, whatever was changed.
TEST(Setup, CancelAndTheCloseBoxWriteNothing)
{
    for (bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox ? "close box" : "Cancel");
        SetupRun s;
        write_bytes("A.SCS", "x");
        write_bytes("qmsc98.ini", settings_text(1, 1, ""));
        s.open();
        s.press(IDC_SHOW_EDIT_HELP);
        s.press(IDC_SHOW_START_BANNER);
        s.press(IDC_CHANGE_START_UP_SPREAD);
        HWND dialog = s.run.window(kDialogTitle);
        s.run.select(s.run.control(dialog, lst1), 0);
        s.run.click(s.run.control(dialog, IDOK));
        EXPECT_NE(s.path(), "");
        if (closeBox)
            s.run.close(s.screen);
        else
            s.press(IDCANCEL);
        ASSERT_TRUE(s.run.finished());
        EXPECT_EQ(s.exitCode, 0);
        EXPECT_EQ(read_bytes("qmsc98.ini"), settings_text(1, 1, ""));
    }
}

// The dialog lists the spreads, starts from the stored path, and the chosen
// file's full path is shown and saved.
TEST(Setup, TheOpenFileDialogChoosesTheStartUpSpread)
{
    SetupRun s;
    write_bytes("A.SCS", "x");
    write_bytes("B.SCS", "x");
    write_bytes("notes.txt", "x");
    const std::string folder = std::filesystem::canonical(s.dir.path()).string();
    write_bytes("qmsc98.ini", settings_text(1, 1, folder + "/A.SCS"));
    s.open();
    s.press(IDC_CHANGE_START_UP_SPREAD);
    HWND dialog = s.run.window(kDialogTitle);
    EXPECT_EQ(user32::find(dialog)->owner, s.screen);
    HWND list = s.run.control(dialog, lst1);
    ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(s.run.text(s.run.control(dialog, edt1)), "A.SCS");
    s.run.select(list, 1);
    s.run.click(s.run.control(dialog, IDOK));
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(s.path(), folder + "/B.SCS");
    EXPECT_EQ(std::filesystem::current_path(), s.dir.path());
    s.press(IDOK);
    ASSERT_TRUE(s.run.finished());
    EXPECT_EQ(read_bytes("qmsc98.ini"), settings_text(1, 1, folder + "/B.SCS"));
    EXPECT_TRUE(boxes().empty());
}

// A cancelled dialog shows nothing and changes nothing.
TEST(Setup, ACancelledDialogLeavesThePath)
{
    SetupRun s;
    write_bytes("qmsc98.ini", settings_text(1, 1, "OLD.SCS"));
    s.open();
    s.press(IDC_CHANGE_START_UP_SPREAD);
    s.run.click(s.run.control(s.run.window(kDialogTitle), IDCANCEL));
    EXPECT_EQ(s.path(), "OLD.SCS");
    EXPECT_TRUE(boxes().empty());
    s.press(IDOK);
    EXPECT_EQ(read_bytes("qmsc98.ini"), settings_text(1, 1, "OLD.SCS"));
}

// A path longer than the 255 bytes the option holds: the dialog fails with
// FNERR_BUFFERTOOSMALL (12291), the user is told, and the stored path is kept
// (the dialog writes the size it needed into the front of its buffer).
TEST(Setup, APathTooLongForTheOptionWarnsWithTheNumberAndKeepsThePath)
{
    SetupRun s;
    std::filesystem::path deep = s.dir.path();
    for (int i = 0; i < 5; ++i) deep /= std::string(50, static_cast<char>('a' + i));
    std::filesystem::create_directories(deep);
    write_bytes((deep / "FAR.SCS").string(), "x");
    const std::string far = std::filesystem::canonical(deep / "FAR.SCS").string();
    ASSERT_GT(far.size(), 254u);
    write_bytes("qmsc98.ini", settings_text(1, 1, "OLD.SCS"));
    s.open();
    s.press(IDC_CHANGE_START_UP_SPREAD);
    HWND dialog = s.run.window(kDialogTitle);
    HWND name = s.run.control(dialog, edt1);
    s.run.click(name);
    SendMessageA(name, EM_SETSEL, 0, -1);
    s.run.type(far);
    s.run.key(VK_RETURN);
    EXPECT_FALSE(IsWindow(dialog));
    ASSERT_EQ(boxes(), (std::vector<Seen>{{"An error occured during execution.  Please e-mail Quenmire Software at "
                                           "support@quenmire.example and quote the number #12291",
                                           "WARNING"}}));
    EXPECT_EQ(msgbox_hook::boxes()[0].owner, s.screen);
    EXPECT_EQ(msgbox_hook::boxes()[0].flags, static_cast<UINT>(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(s.path(), "OLD.SCS");
    s.press(IDOK);
    ASSERT_TRUE(s.run.finished());
    EXPECT_EQ(read_bytes("qmsc98.ini"), settings_text(1, 1, "OLD.SCS"));
}

// Without a settings file the screen starts empty; OK says the settings
// could not be saved, closes, and nothing reaches the disk.
TEST(Setup, WithoutASettingsFileOkSaysSoAndWritesNothing)
{
    SetupRun s;
    faults::fail(faults::Call::Open, -1, 0, "qmsc98.ini");
    s.open();
    EXPECT_FALSE(s.checked(IDC_SHOW_EDIT_HELP));
    EXPECT_FALSE(s.checked(IDC_SHOW_START_BANNER));
    EXPECT_EQ(s.path(), "");
    s.press(IDC_SHOW_EDIT_HELP);
    s.press(IDOK);
    ASSERT_TRUE(s.run.finished());
    EXPECT_EQ(s.exitCode, 0);
    // Told once at the start, and again when OK cannot save.
    ASSERT_EQ(boxes().size(), 2u);
    EXPECT_EQ(boxes()[0].caption, "Settings file");
    EXPECT_NE(boxes()[1].text.find("could not be saved"), std::string::npos) << boxes()[1];
    EXPECT_EQ(msgbox_hook::boxes()[1].owner, s.screen);
    faults::reset();
    EXPECT_FALSE(std::filesystem::exists("qmsc98.ini"));
}

// A hand-edited file that lacks a key gets it added as a line at the end;
// every other byte stays, the user's own lines included.
TEST(Setup, OkAddsAMissingKeyAndKeepsEveryOtherByte)
{
    SetupRun s;
    const std::string mine = crlf("; my settings\nShowStartBanner=0\n\nDefaultStartUpSpread=CROSS.SCS\nColour=blue");
    write_bytes("qmsc98.ini", mine);
    s.open();
    EXPECT_FALSE(s.checked(IDC_SHOW_EDIT_HELP));
    s.press(IDC_SHOW_EDIT_HELP);
    s.press(IDOK);
    ASSERT_TRUE(s.run.finished());
    EXPECT_EQ(read_bytes("qmsc98.ini"), mine + crlf("\nShowEditHelp=1\n"));
}

// A settings file that refuses a change on a full disk: OK says so, the
// program still ends normally, and the file keeps every byte it had (the
// empty value needs room to take its "1"; the others are rewritten as they
// were).
TEST(Setup, AFullDiskAtOkIsReportedAndTheFileKeepsItsBytes)
{
    SetupRun s;
    const std::string before = crlf("ShowEditHelp=\nShowStartBanner=1\nDefaultStartUpSpread=CROSS.SCS\n");
    write_bytes("qmsc98.ini", before);
    s.open();
    s.press(IDC_SHOW_EDIT_HELP);
    faults::disk_full_after(0);
    s.press(IDOK);
    ASSERT_TRUE(s.run.finished());
    EXPECT_EQ(s.exitCode, 0);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].caption, "Settings not saved");
    EXPECT_NE(boxes()[0].text.find("Not every setting could be saved"), std::string::npos) << boxes()[0];
    EXPECT_EQ(read_bytes("qmsc98.ini"), before);
}
