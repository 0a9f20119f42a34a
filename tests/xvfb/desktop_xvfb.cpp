// The program where it meets the user's desktop: typing with German and
// French keyboard layouts (keys sent by xdotool, the spread file's bytes
// read back), the X clipboard and another window taking the focus,
// resizing the OS window, and the X server going away under it.
#include <windows.h>

#include "x11.h"
#include "xprogram.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using DesktopXTest = XProgramTest;

// A new spread's steps to its first position: the title is typed from X
// while the script waits after the dump `ready`; the file is NORNS.SCS.
std::string new_spread(const std::string &ready, int positions)
{
    return "menu Spread New\nclick 101\ndump " + ready + "\nwait 4000\n" +
           "click 102\nkey HOME\ntype norns\nclick 103\ntype " + std::to_string(positions) + "\nclick 1\n";
}

struct Typing {
    const char *layout;
    const char *keys;    // xdotool key names
    const char *title;   // the bytes the spread file holds
};

// AltGr (ISO_Level3_Shift), a dead circumflex, keys without a US equivalent;
// AZERTY's number row types & é " unshifted and digits with Shift.
const Typing typings[] = {
    {"de",
     "z udiaeresis shift+2 w shift+2 space ISO_Level3_Shift+q space 5 ISO_Level3_Shift+e space ssharp shift+7 "
     "y space dead_circumflex e less numbersign",
     "z\xFC\"w\" @ 5\x80 \xDF/y \xEA<#"},
    {"fr",
     "a z q w ampersand eacute quotedbl shift+ampersand shift+eacute space ISO_Level3_Shift+agrave "
     "ISO_Level3_Shift+e dead_circumflex e ccedilla less m comma semicolon",
     "azqw&\xE9\"12 @\x80\xEA\xE7<m,;"},
};

}   // namespace

TEST_F(DesktopXTest, GermanAndFrenchKeysTypeTheLayoutsCharactersIntoASavedSpread)
{
    for (const Typing &t : typings) {
        skip_banner();
        std::remove((folder + "/NORNS.SCS").c_str());
        std::remove((folder + "/typing.json").c_str());
        write("steps.txt", new_spread("typing.json", 1) + "menu File Exit\nclick 6\nclick 1\n");
        start("steps.txt");
        ASSERT_TRUE(appears("typing.json")) << t.layout;
        // Set while the program is connected: the server resets its keyboard
        // when its last client leaves.
        ASSERT_EQ(0, std::system((std::string("setxkbmap ") + t.layout).c_str()));
        ASSERT_EQ(0, std::system((std::string("xdotool key --delay 40 ") + t.keys).c_str()));
        EXPECT_EQ(1, exit_code()) << t.layout;
        const std::string spread = read("NORNS.SCS");
        EXPECT_NE(spread.find(std::string("\r\ntitle=") + t.title + "\r\n"), std::string::npos) << spread;
        ASSERT_EQ(0, std::system("setxkbmap us"));
    }
}

// Another X client's clipboard and a trip to another window while Alt is
// held, in the new-spread editor: text pasted from the X clipboard (UTF-8,
// LF) is saved as Windows-1252 with CR LF, a single-line field taking its
// first line; text copied in the program is read back from X; and Alt let go
// in the other window leaves no menu behind, so the click that follows
// chooses the second position, whose meaning is the one pasted.
TEST_F(DesktopXTest, TheXClipboardAndAnotherWindowMeetTheNewSpreadEditor)
{
    skip_banner();
    write("steps.txt", new_spread("title.json", 2) + "dump layout.json\nwait 4000\n" +
                           "click 11\nkey NUMPAD5\nclick 1199\ndump meaning.json\nwait 4000\nclick 1\n" +
                           "menu File Exit\nexpect-window Save..\nclick 6\nclick 1\n");
    start("steps.txt");
    // Into the title: Zürich – 5€ 中, then a second line.
    ASSERT_TRUE(appears("title.json"));
    ASSERT_EQ(0, std::system("printf 'Z\\303\\274rich \\342\\200\\223 5\\342\\202\\254 \\344\\270\\255\\nsecond' | "
                             "xclip -selection clipboard >/dev/null 2>&1"));
    ASSERT_EQ(0, std::system("xdotool key ctrl+v ctrl+a ctrl+c"));
    const std::string copied = "Z\xC3\xBCrich \xE2\x80\x93 5\xE2\x82\xAC ?";
    std::string got;
    for (int i = 0; i < 100 && (got = x11::output_of("xclip -o -selection clipboard")) != copied; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(got, copied);

    // Alt goes down here, up in another window, and the focus comes back.
    ASSERT_TRUE(appears("layout.json"));
    const std::string ours = x11::output_of("xdotool getwindowfocus");
    const unsigned long other = x11::other_window();
    ASSERT_NE(other, 0u);
    ASSERT_EQ(0, std::system(("xdotool keydown alt windowfocus --sync " + std::to_string(other) +
                              " keyup alt windowfocus --sync " + ours)
                                 .c_str()));

    ASSERT_TRUE(appears("meaning.json"));
    ASSERT_EQ(0, std::system("printf 'Erste Zeile \\342\\202\\254\\nzweite \\302\\253Zeile\\302\\273' | "
                             "xclip -selection clipboard >/dev/null 2>&1"));
    ASSERT_EQ(0, std::system("xdotool key ctrl+v"));
    EXPECT_EQ(1, exit_code());
    const std::string spread = read("NORNS.SCS");
    EXPECT_NE(spread.find("\r\ntitle=Z\xFCrich \x96 5\x80 ?\r\n"), std::string::npos) << spread;
    // The field's CR LF is written in text mode, as a typed line end is.
    EXPECT_NE(spread.find("\r\nrunemeaning1=Erste Zeile \x80\r\r\nzweite \xABZeile\xBB*\r\n"), std::string::npos)
        << spread;
}

// A reading on screen while the OS window grows and shrinks: within a second
// (the program's own repaint comes every few seconds) the client area is
// drawn again: mostly the table's colour, the rune, and nearly no black.
TEST_F(DesktopXTest, AReadingIsWhollyDrawnAfterTheWindowIsResized)
{
    skip_banner();
    std::filesystem::copy_file(STONECALL_SOURCE_DIR "/spreads/ONERUNE.SCS", folder + "/ONERUNE.SCS");
    write("steps.txt", "menu Spread Run\nselect 104 0\nclick 1\nclick 101\nwait 1000\n"
                       "expect-window Quenmire Stonecall V1.1 - One Rune for Today\ndump reading.json\nwait 30000\n");
    start("steps.txt");
    ASSERT_TRUE(appears("reading.json", 40));
    const std::string xid = x11::output_of("xdotool search --name '^Quenmire Stonecall'");
    ASSERT_FALSE(xid.empty());
    const std::array<int, 2> o = origin(xid);
    for (SIZE size : {SIZE{1200, 880}, SIZE{800, 600}}) {
        const std::string wh = std::to_string(size.cx) + " " + std::to_string(size.cy);
        ASSERT_EQ(0, std::system(("xdotool windowsize " + xid + " " + wh).c_str()));
        // Below the caption and the menu bar, within the screen.
        const int width = std::min<int>(size.cx, 1280 - o[0]), height = std::min<int>(size.cy, 1024 - o[1]) - 45;
        std::vector<uint32_t> shown;
        long black = 0;
        const auto started = std::chrono::steady_clock::now();
        do {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            shown = x11::pixels(o[0], o[1] + 45, width, height);
            black = std::count(shown.begin(), shown.end(), 0u);
        } while ((shown.empty() || black * 50 > static_cast<long>(shown.size())) &&
                 std::chrono::steady_clock::now() - started < std::chrono::milliseconds(1000));
        ASSERT_FALSE(shown.empty());
        // The rune's lines are black too, but thin: an unpainted strip is more.
        EXPECT_LE(black * 50, static_cast<long>(shown.size())) << wh;
        const long table = std::count(shown.begin(), shown.end(), shown[shown.size() / 2 + 5]);
        EXPECT_GT(table, static_cast<long>(shown.size() / 2)) << wh;
        EXPECT_GT(static_cast<long>(shown.size()) - table - black, 1000) << "the rune, at " << wh;
    }
}

// The X server ends under the program (as xvfb-run's does when its command
// finishes): the program ends within a second instead of waiting on the dead
// connection, every time.
TEST_F(DesktopXTest, ProgramEndsWithinASecondWhenItsDisplayGoesAway)
{
    skip_banner();
    write("steps.txt", "dump ready.json\nwait 60000\n");
    for (int run = 0; run < 20; ++run) {
        // A display number of its own, far above those servers pick for
        // themselves (their names are shared by every server on the machine).
        std::string display = ":" + std::to_string(3000 + (getpid() % 1000) * 20 + run);
        pid_t server = fork();
        ASSERT_GE(server, 0);
        if (server == 0) {
            int devnull = open("/dev/null", O_WRONLY);
            dup2(devnull, STDERR_FILENO);
            execlp("Xvfb", "Xvfb", display.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-noreset",
                   static_cast<char *>(nullptr));
            _exit(101);
        }
        setenv("DISPLAY", display.c_str(), 1);
        // The server takes clients a moment after it starts.
        ASSERT_EQ(0, std::system("for i in $(seq 100); do xdotool getmouselocation >/dev/null 2>&1 && exit 0; "
                                 "sleep 0.05; done; exit 1"))
            << display;
        std::remove((folder + "/ready.json").c_str());
        start("steps.txt");
        // Its window shows, and it waits in its loop.
        ASSERT_TRUE(appears("ready.json")) << run << " on " << display;
        kill(server, SIGTERM);
        waitpid(server, nullptr, 0);
        auto ended = std::chrono::steady_clock::now();
        int status = 0;
        while (waitpid(pid, &status, WNOHANG) == 0 &&
               std::chrono::steady_clock::now() - ended < std::chrono::milliseconds(1000))
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        bool gone = waitpid(pid, &status, WNOHANG) != 0;
        EXPECT_TRUE(gone) << "run " << run << ": the program still runs a second after its display went away";
        if (gone) pid = -1;
        if (!gone) break;   // the fixture ends it
    }
}
