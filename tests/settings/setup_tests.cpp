// The setup screen started as a user starts it (the command line
// "DeckwiseSetup") through the lock-step driver: the open-file dialog, with
// its owner and its failures, and the settings file's faults. (The boxes,
// the path, OK, Cancel and the close command are the scripted sessions
// setup*.)
#include "settings/setup.h"

#include "settings/inifile.h"

#include "support/program.h"

#include <commdlg.h>

#include "crt/faults.h"
#include "user32/msgbox_hook.h"
#include "user32/window_internal.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using testsupport::crlf;
using testsupport::Program;
using testsupport::read_bytes;
using testsupport::settings_text;
using testsupport::write_bytes;

namespace {

const char kDialogTitle[] = "Choose the spread you wish to auto-start";

struct SetupRun : Program {
    HWND screen = nullptr;

    void open()
    {
        start("DeckwiseSetup");
        screen = run.window("Quenmire Stonecall V1.1 - Setup");
    }
    std::string path() { return run.text(run.control(screen, IDC_START_UP_SPREAD)); }
    HWND open_file_dialog()
    {
        press(IDC_CHANGE_START_UP_SPREAD);
        return run.window(kDialogTitle);
    }
    void ok()
    {
        press(IDOK);
        ASSERT_TRUE(run.finished());
        EXPECT_EQ(exitCode, 0);
    }
};

}   // namespace

// The dialog, owned by the screen, lists the spreads and starts from the
// stored file; a cancelled dialog changes nothing; the chosen file's full
// path is shown and saved, and the working folder stays.
TEST(Setup, TheOpenFileDialogChoosesTheStartUpSpread)
{
    SetupRun s;
    write_bytes("A.SCS", "x");
    write_bytes("B.SCS", "x");
    write_bytes("notes.txt", "x");
    const std::string folder = std::filesystem::canonical(s.dir.path()).string();
    write_bytes("qmsc98.ini", settings_text(1, folder + "/A.SCS"));
    s.open();
    s.run.click(s.run.control(s.open_file_dialog(), IDCANCEL));
    EXPECT_EQ(s.path(), folder + "/A.SCS");
    HWND dialog = s.open_file_dialog();
    EXPECT_EQ(user32::find(dialog)->owner, s.screen);
    HWND list = s.run.control(dialog, lst1);
    ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(s.run.text(s.run.control(dialog, edt1)), "A.SCS");
    s.run.select(list, 1);
    s.run.click(s.run.control(dialog, IDOK));
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(s.path(), folder + "/B.SCS");
    EXPECT_EQ(std::filesystem::current_path(), s.dir.path());
    s.ok();
    EXPECT_EQ(read_bytes("qmsc98.ini"), settings_text(1, folder + "/B.SCS"));
    EXPECT_TRUE(msgbox_hook::boxes().empty());
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
    write_bytes("qmsc98.ini", settings_text(1, "OLD.SCS"));
    s.open();
    HWND name = s.run.control(s.open_file_dialog(), edt1);
    s.run.click(name);
    SendMessageA(name, EM_SETSEL, 0, -1);
    s.run.type(far);
    s.run.key(VK_RETURN);
    EXPECT_FALSE(s.run.has_window(kDialogTitle));
    ASSERT_EQ(s.boxes(),
              (std::vector<std::string>{"WARNING: An error occured during execution.  Please e-mail Quenmire "
                                        "Software at support@quenmire.example and quote the number #12291"}));
    EXPECT_EQ(msgbox_hook::boxes()[0].owner, s.screen);
    EXPECT_EQ(msgbox_hook::boxes()[0].flags, static_cast<UINT>(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(s.path(), "OLD.SCS");
    s.ok();
    EXPECT_EQ(read_bytes("qmsc98.ini"), settings_text(1, "OLD.SCS"));
}

// Without a settings file the screen starts empty; OK says the settings
// could not be saved, closes, and nothing reaches the disk.
TEST(Setup, WithoutASettingsFileOkSaysSoAndWritesNothing)
{
    SetupRun s;
    faults::fail(faults::Call::Open, -1, 0, "qmsc98.ini");
    s.open();
    EXPECT_NE(IsDlgButtonChecked(s.screen, IDC_SHOW_EDIT_HELP), BST_CHECKED);
    EXPECT_NE(IsDlgButtonChecked(s.screen, IDC_SHOW_START_BANNER), BST_CHECKED);
    s.press(IDC_SHOW_EDIT_HELP);
    s.ok();
    // Told once at the start, and again when OK cannot save.
    ASSERT_EQ(msgbox_hook::boxes().size(), 2u);
    EXPECT_EQ(msgbox_hook::boxes()[0].caption, "Settings file");
    EXPECT_NE(msgbox_hook::boxes()[1].text.find("could not be saved"), std::string::npos);
    EXPECT_EQ(msgbox_hook::boxes()[1].owner, s.screen);
    faults::reset();
    EXPECT_FALSE(std::filesystem::exists("qmsc98.ini"));
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
    s.ok();
    ASSERT_EQ(msgbox_hook::boxes().size(), 1u);
    EXPECT_EQ(msgbox_hook::boxes()[0].caption, "Settings not saved");
    EXPECT_NE(msgbox_hook::boxes()[0].text.find("Not every setting could be saved"), std::string::npos);
    EXPECT_EQ(read_bytes("qmsc98.ini"), before);
}
