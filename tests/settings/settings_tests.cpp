// The settings file qmsc98.ini and the setup screen: what an option's value
// means, the file under faults, and the setup screen started as a user starts
// it (the command line "DeckwiseSetup") through the lock-step driver, with the
// open-file dialog, its owner and its failures. (Creating the file, reading a
// hand-edited one, the boxes, the path, OK, Cancel and the close command are
// the scripted sessions first_start and setup*.)
#include "settings/inifile.h"
#include "settings/setup.h"

#include <io.h>
#include <sys/stat.h>

#include "support/boxes.h"
#include "support/program.h"
#include "support/tempdir.h"

#include <commdlg.h>

#include "crt/faults.h"
#include "user32/msgbox_hook.h"
#include "user32/window_internal.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

using testsupport::crlf;
using testsupport::read_bytes;
using testsupport::settings_text;
using testsupport::TempDir;
using testsupport::write_bytes;

namespace {
const char kNewFile[] = "\r\n\r\nIni file for QM Stonecall V1.10\r\n\r\n\r\nShowEditHelp=1\r\nShowStartBanner=1\r\n"
                        "DefaultStartUpSpread=\r\n";

const char kDialogTitle[] = "Choose the spread you wish to auto-start";

struct SetupRun : testsupport::Program {
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

// Only the number 1 turns an option on; a long start-up path is cut to the option.
TEST(Settings, OnlyTheNumberOneTurnsAnOptionOn)
{
    TempDir dir;
    struct Case {
        const char *value;
        int on;
    } cases[] = {{"1", 1}, {"01", 1},  {" 1", 1}, {"1x", 1}, {"+1", 1}, {"0", 0},
                 {"2", 0}, {"yes", 0}, {"", 0},   {"-1", 0}, {"11", 0}};
    for (const Case &c : cases) {
        write_bytes(INI_FILE_NAME, crlf(std::string("ShowEditHelp=") + c.value + "\nShowStartBanner=" + c.value +
                                        "\nDefaultStartUpSpread=" + std::string(600, 'p') + "\n"));
        GetIniData();
        EXPECT_EQ(ShowEditHelp, c.on) << c.value;
        EXPECT_EQ(ShowStartBanner, c.on) << c.value;
        EXPECT_EQ(std::string(DefaultStartUpSpread), std::string(DEFAULT_START_UP_SPREAD_SIZE - 1, 'p'));
        TerminateIniFile();
    }
}

TEST(Settings, AReadOnlyFileIsMadeWritable)
{
    TempDir dir;
    write_bytes(INI_FILE_NAME, crlf("ShowEditHelp=1\n"));
    ASSERT_EQ(_chmod(INI_FILE_NAME, _S_IREAD), 0);
    EXPECT_EQ(InitiateIniFile(INI_FILE_NAME, 0, ""), 1);
    EXPECT_EQ(SendToIniFile("ShowEditHelp=", "0"), 1);
    TerminateIniFile();
    EXPECT_EQ(read_bytes(INI_FILE_NAME), crlf("ShowEditHelp=0\n"));
}

// A settings file that cannot be had: every option is off, the user is told,
// nothing can be written, and the program goes on. A new file that the disk
// does not take whole is removed again, so that the next start makes it anew
// instead of taking half of it for the settings.
TEST(Settings, NoFileToBeHadLeavesEverythingOffAndSaysSo)
{
    std::vector<std::function<void()>> no_file = {
        [] { std::filesystem::create_directory(INI_FILE_NAME); },   // a folder of that name
        [] { faults::read_only_folder("."); },                      // a folder that takes no new file
        [] { faults::fail(faults::Call::Open, 2); }};               // a file that will not open
    const size_t not_written_whole = no_file.size();
    for (long long room : {0, 10, 40, 60}) no_file.push_back([room] { faults::disk_full_after(room); });
    for (int k = 0; k < 8; ++k) no_file.push_back([k] { faults::fail(faults::Call::Write, 1, k); });
    for (size_t i = 0; i < no_file.size(); ++i) {
        SCOPED_TRACE(i);
        TempDir dir;
        no_file[i]();
        GetIniData();
        EXPECT_EQ(IniFileHandle, -1);
        EXPECT_EQ(ShowEditHelp, 0);
        EXPECT_EQ(ShowStartBanner, 0);
        EXPECT_STREQ(DefaultStartUpSpread, "");
        expect_only_box("Settings file", "could be neither opened nor created", nullptr, MB_OK | MB_ICONWARNING);
        msgbox_hook::clear();
        EXPECT_EQ(SendToIniFile("ShowEditHelp=", "1"), 0);
        EXPECT_EQ(TerminateIniFile(), 0);
        EXPECT_FALSE(std::filesystem::is_regular_file(INI_FILE_NAME));
        faults::reset();
        if (i < not_written_whole) continue;
        GetIniData();
        EXPECT_EQ(ShowStartBanner, 1);
        EXPECT_TRUE(msgbox_hook::boxes().empty());
        TerminateIniFile();
        EXPECT_EQ(read_bytes(INI_FILE_NAME), kNewFile);
    }
}

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
    expect_only_box("WARNING",
                    "An error occured during execution.  Please e-mail Quenmire Software at "
                    "support@quenmire.example and quote the number #12291",
                    s.screen, MB_OK | MB_ICONSTOP);
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
    // Told once at the start, and again when OK cannot save.
    expect_only_box("Settings file", "could be neither opened nor created", nullptr, MB_OK | MB_ICONWARNING);
    msgbox_hook::clear();
    EXPECT_NE(IsDlgButtonChecked(s.screen, IDC_SHOW_EDIT_HELP), BST_CHECKED);
    EXPECT_NE(IsDlgButtonChecked(s.screen, IDC_SHOW_START_BANNER), BST_CHECKED);
    s.press(IDC_SHOW_EDIT_HELP);
    s.ok();
    expect_only_box("Settings not saved", "could not be saved", s.screen, MB_OK | MB_ICONSTOP);
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
    expect_only_box("Settings not saved", "Not every setting could be saved", s.screen, MB_OK | MB_ICONSTOP);
    EXPECT_EQ(read_bytes("qmsc98.ini"), before);
}
