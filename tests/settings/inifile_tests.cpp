// The settings file qmsc98.ini: creation, loading the options, rewriting.
#include "settings/inifile.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include "crt/faults.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using testsupport::crlf;
using testsupport::read_bytes;
using testsupport::TempDir;
using testsupport::write_bytes;

namespace {

const char kNewFile[] = "\r\n\r\nIni file for QM Stonecall V1.10\r\n\r\n\r\nShowEditHelp=1\r\nShowStartBanner=1\r\n"
                        "DefaultStartUpSpread=\r\n";

// Loads the options from a settings file holding `text` (LF as CR LF).
void load(const std::string &text)
{
    write_bytes(INI_FILE_NAME, crlf(text));
    GetIniData();
}

} // namespace

TEST(Settings, FirstStartCreatesTheEightDefaultLines)
{
    TempDir dir;
    GetIniData();
    EXPECT_NE(IniFileHandle, -1);
    EXPECT_EQ(ShowEditHelp, 1);
    EXPECT_EQ(ShowStartBanner, 1);
    EXPECT_STREQ(DefaultStartUpSpread, "");
    EXPECT_EQ(ColourRefRGB, 0x00AAD8FFu);
    EXPECT_EQ(TerminateIniFile(), 1);
    EXPECT_EQ(read_bytes(INI_FILE_NAME), std::string(kNewFile));
}

TEST(Settings, OnlyTheNumberOneTurnsAnOptionOn)
{
    TempDir dir;
    struct Case {
        const char *value;
        int on;
    } cases[] = {{"1", 1}, {"01", 1}, {" 1", 1}, {"1x", 1}, {"+1", 1}, {"0", 0},
                 {"2", 0}, {"yes", 0}, {"", 0},  {"-1", 0}, {"11", 0}};
    for (const Case &c : cases) {
        load(std::string("ShowEditHelp=") + c.value + "\nShowStartBanner=" + c.value + "\n");
        EXPECT_EQ(ShowEditHelp, c.on) << c.value;
        EXPECT_EQ(ShowStartBanner, c.on) << c.value;
        TerminateIniFile();
    }
}

TEST(Settings, AnExistingFileIsTakenAsItIs)
{
    TempDir dir;
    // No header, another order, the path first: only the keys count.
    std::string text = "DefaultStartUpSpread=/home/user/Two.SCS\nShowStartBanner=0\nShowEditHelp=1\n";
    load(text);
    EXPECT_EQ(ShowEditHelp, 1);
    EXPECT_EQ(ShowStartBanner, 0);
    EXPECT_STREQ(DefaultStartUpSpread, "/home/user/Two.SCS");
    TerminateIniFile();
    EXPECT_EQ(read_bytes(INI_FILE_NAME), crlf(text));
}

TEST(Settings, MissingKeysReadAsEmpty)
{
    TempDir dir;
    strcpy(DefaultStartUpSpread, "stale");
    load("ShowEditHelp=1\n");
    EXPECT_EQ(ShowEditHelp, 1);
    EXPECT_EQ(ShowStartBanner, 0);
    EXPECT_STREQ(DefaultStartUpSpread, "");
    char value[1000] = "x";
    EXPECT_EQ(GetFromIniFile("Nothing=", value), value);
    EXPECT_STREQ(value, "");
}

TEST(Settings, BadFilesLoadWithoutHarm)
{
    TempDir dir;
    for (const std::string &bytes : {std::string(), std::string("\x00\xff\x1a\r\r\n\x01ShowEditHelp", 16),
                                     std::string(5000, 'x'), std::string("ShowEditHelp=1")}) {
        write_bytes(INI_FILE_NAME, bytes);
        GetIniData();
        EXPECT_EQ(ShowEditHelp, bytes == "ShowEditHelp=1" ? 1 : 0);
        EXPECT_EQ(ShowStartBanner, 0);
        TerminateIniFile();
        EXPECT_EQ(read_bytes(INI_FILE_NAME), bytes);
    }
}

TEST(Settings, ALongStartUpPathIsCutToTheOption)
{
    TempDir dir;
    load("DefaultStartUpSpread=" + std::string(600, 'p') + "\n");
    EXPECT_EQ(std::string(DefaultStartUpSpread), std::string(DEFAULT_START_UP_SPREAD_SIZE - 1, 'p'));
}

TEST(Settings, AReadOnlyFileIsMadeWritable)
{
    TempDir dir;
    write_bytes(INI_FILE_NAME, crlf("ShowEditHelp=1\n"));
    ASSERT_EQ(_chmod(INI_FILE_NAME, _S_IREAD), 0);
    GetIniData();
    ASSERT_NE(IniFileHandle, -1);
    EXPECT_EQ(SendToIniFile("ShowEditHelp=", "0"), 1);
    TerminateIniFile();
    EXPECT_EQ(read_bytes(INI_FILE_NAME), crlf("ShowEditHelp=0\n"));
}

TEST(Settings, AValueRewrittenReadsBack)
{
    TempDir dir;
    GetIniData();
    EXPECT_EQ(SendToIniFile("DefaultStartUpSpread=", "/data/spreads/Celtic Cross.SCS"), 1);
    EXPECT_EQ(SendToIniFile("ShowEditHelp=", "0"), 1);
    EXPECT_STREQ(GetFromIniFile("DefaultStartUpSpread=", nullptr), "/data/spreads/Celtic Cross.SCS");
    EXPECT_EQ(TerminateIniFile(), 1);
    GetIniData();
    EXPECT_EQ(ShowEditHelp, 0);
    EXPECT_EQ(ShowStartBanner, 1);
    EXPECT_STREQ(DefaultStartUpSpread, "/data/spreads/Celtic Cross.SCS");
    // Writing the same values back leaves every byte as it was.
    std::string before = read_bytes(INI_FILE_NAME);
    SendToIniFile("ShowEditHelp=", "0");
    SendToIniFile("ShowStartBanner=", "1");
    SendToIniFile("DefaultStartUpSpread=", DefaultStartUpSpread);
    EXPECT_EQ(read_bytes(INI_FILE_NAME), before);
}

TEST(Settings, AMissingKeyIsAddedWhenWritten)
{
    TempDir dir;
    load("ShowEditHelp=1");
    SendToIniFile("ShowStartBanner=", "0");
    TerminateIniFile();
    EXPECT_EQ(read_bytes(INI_FILE_NAME), crlf("ShowEditHelp=1\nShowStartBanner=0\n"));
}

TEST(Settings, AFileThatCannotBeOpenedLeavesEverythingOff)
{
    TempDir dir;
    std::filesystem::create_directory(INI_FILE_NAME);
    GetIniData();
    EXPECT_EQ(IniFileHandle, -1);
    EXPECT_EQ(ShowEditHelp, 0);
    EXPECT_EQ(ShowStartBanner, 0);
    EXPECT_STREQ(DefaultStartUpSpread, "");
    EXPECT_EQ(SendToIniFile("ShowEditHelp=", "1"), 1);
    EXPECT_STREQ(GetFromIniFile("ShowEditHelp=", nullptr), "");
    EXPECT_EQ(TerminateIniFile(), 0);
}

TEST(Settings, AFolderThatTakesNoFileLeavesEverythingOff)
{
    TempDir dir;
    faults::fail(faults::Call::Open, 2);
    GetIniData();
    EXPECT_EQ(IniFileHandle, -1);
    EXPECT_EQ(ShowStartBanner, 0);
    EXPECT_FALSE(std::filesystem::exists(INI_FILE_NAME));
}

TEST(Settings, InitiateWithNoLinesLeavesAnEmptyFile)
{
    TempDir dir;
    EXPECT_EQ(InitiateIniFile("other.ini", 0, "Header\n"), 0);
    EXPECT_EQ(IniFileHandle, -1);
    EXPECT_TRUE(std::filesystem::exists("other.ini"));
    EXPECT_EQ(read_bytes("other.ini"), "");
    // An existing file opens whatever the count.
    EXPECT_EQ(InitiateIniFile("other.ini", 0, "Header\n"), 1);
    EXPECT_EQ(TerminateIniFile(), 1);
    EXPECT_EQ(InitiateIniFile("third.ini", 2, "H", "k=v"), 1);
    TerminateIniFile();
    EXPECT_EQ(read_bytes("third.ini"), crlf("\n\nH\nk=v\n"));
}

TEST(Settings, AFailedCloseIsReported)
{
    TempDir dir;
    GetIniData();
    faults::fail(faults::Call::Close);
    EXPECT_EQ(TerminateIniFile(), 0);
    EXPECT_EQ(IniFileHandle, -1);
}
