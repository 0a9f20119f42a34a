// The settings file qmsc98.ini: what an option's value means, and the file
// under faults. (Creating it, reading a hand-edited one and rewriting its
// options from the setup screen are the scripted sessions first_start and
// setup*.)
#include "settings/inifile.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include "crt/faults.h"
#include "support/tempdir.h"
#include "user32/msgbox_hook.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

using testsupport::crlf;
using testsupport::read_bytes;
using testsupport::TempDir;
using testsupport::write_bytes;

namespace {

const char kNewFile[] = "\r\n\r\nIni file for QM Stonecall V1.10\r\n\r\n\r\nShowEditHelp=1\r\nShowStartBanner=1\r\n"
                        "DefaultStartUpSpread=\r\n";

void expect_told_there_is_no_settings_file()
{
    ASSERT_EQ(msgbox_hook::boxes().size(), 1u);
    EXPECT_EQ(msgbox_hook::boxes()[0].caption, "Settings file");
    EXPECT_NE(msgbox_hook::boxes()[0].text.find("could be neither opened nor created"), std::string::npos);
    msgbox_hook::clear();
}

}   // namespace

TEST(Settings, OnlyTheNumberOneTurnsAnOptionOn)
{
    TempDir dir;
    struct Case {
        const char *value;
        int on;
    } cases[] = {{"1", 1}, {"01", 1},  {" 1", 1}, {"1x", 1}, {"+1", 1}, {"0", 0},
                 {"2", 0}, {"yes", 0}, {"", 0},   {"-1", 0}, {"11", 0}};
    for (const Case &c : cases) {
        write_bytes(INI_FILE_NAME,
                    crlf(std::string("ShowEditHelp=") + c.value + "\nShowStartBanner=" + c.value + "\n"));
        GetIniData();
        EXPECT_EQ(ShowEditHelp, c.on) << c.value;
        EXPECT_EQ(ShowStartBanner, c.on) << c.value;
        TerminateIniFile();
    }
}

TEST(Settings, ALongStartUpPathIsCutToTheOption)
{
    TempDir dir;
    write_bytes(INI_FILE_NAME, "DefaultStartUpSpread=" + std::string(600, 'p') + "\r\n");
    GetIniData();
    EXPECT_EQ(std::string(DefaultStartUpSpread), std::string(DEFAULT_START_UP_SPREAD_SIZE - 1, 'p'));
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
// nothing can be written, and the program goes on.
TEST(Settings, NoFileToBeHadLeavesEverythingOffAndSaysSo)
{
    struct Case {
        const char *what;
        std::function<void()> make;
    } cases[] = {
        {"a folder of that name", [] { std::filesystem::create_directory(INI_FILE_NAME); }},
        {"a folder that takes no new file", [] { faults::read_only_folder("."); }},
        {"a file that will not open", [] { faults::fail(faults::Call::Open, 2); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        c.make();
        GetIniData();
        EXPECT_EQ(IniFileHandle, -1);
        EXPECT_EQ(ShowEditHelp, 0);
        EXPECT_EQ(ShowStartBanner, 0);
        EXPECT_STREQ(DefaultStartUpSpread, "");
        expect_told_there_is_no_settings_file();
        EXPECT_EQ(SendToIniFile("ShowEditHelp=", "1"), 0);
        EXPECT_EQ(TerminateIniFile(), 0);
        EXPECT_FALSE(std::filesystem::is_regular_file(INI_FILE_NAME));
        faults::reset();
    }
}

// A new file that the disk does not take whole is removed again, so that the
// next start makes it anew instead of taking half of it for the settings.
TEST(Settings, ANewFileNotWrittenWholeIsRemovedAndTheNextStartMakesItAnew)
{
    std::vector<std::function<void()>> faults_on_creation;
    for (long long room : {0, 10, 40, 60}) faults_on_creation.push_back([room] { faults::disk_full_after(room); });
    for (int k = 0; k < 8; ++k) faults_on_creation.push_back([k] { faults::fail(faults::Call::Write, 1, k); });
    for (size_t i = 0; i < faults_on_creation.size(); ++i) {
        SCOPED_TRACE(i);
        TempDir dir;
        faults_on_creation[i]();
        GetIniData();
        faults::reset();
        EXPECT_EQ(IniFileHandle, -1);
        EXPECT_EQ(ShowStartBanner, 0);
        EXPECT_FALSE(std::filesystem::exists(INI_FILE_NAME));
        expect_told_there_is_no_settings_file();
        GetIniData();
        EXPECT_EQ(ShowStartBanner, 1);
        EXPECT_TRUE(msgbox_hook::boxes().empty());
        TerminateIniFile();
        EXPECT_EQ(read_bytes(INI_FILE_NAME), kNewFile);
    }
}
