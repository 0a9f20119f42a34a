// The program where it meets the user's desktop: typing with German and
// French keyboard layouts (keys sent by xdotool, the spread file's bytes
// read back), laying a spread out with the arrow keys and the mouse,
// resizing the OS window, and the X server going away under it.
#include <windows.h>

#include "support/spreads.h"
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

class DesktopXTest : public XProgramTest {
  protected:
    void skip_banner()
    {
        write("qmsc98.ini", "Ini file for QM Stonecall V1.10\r\n\r\nShowEditHelp=0\r\nShowStartBanner=0\r\n"
                            "DefaultStartUpSpread=\r\n");
    }
};

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
        // The title is typed from X while the script waits; the meaning comes
        // from the script itself, which is UTF-8.
        write("steps.txt", "menu Spread New\n"
                           "click 101\n"
                           "dump typing.json\n"
                           "wait 4000\n"
                           "click 102\n"
                           "key HOME\n"
                           "type norns\n"
                           "click 103\n"
                           "type 1\n"
                           "click 1\n"
                           "click 10\n"
                           "key NUMPAD5\n"
                           "click 1199\n"
                           "type Z\xC3\xBCrich \"5\xE2\x82\xAC\"\n"
                           "click 1\n"
                           "menu Spread Run\n"
                           "click 6\n"
                           "click 1\n"
                           "click 2\n"
                           "menu File Exit\n");
        start("steps.txt");
        ASSERT_TRUE(appears("typing.json")) << t.layout;
        // Set while the program is connected: the server resets its keyboard
        // when its last client leaves.
        ASSERT_EQ(0, std::system((std::string("setxkbmap ") + t.layout).c_str()));
        ASSERT_EQ(0, std::system((std::string("xdotool key --delay 40 ") + t.keys).c_str()));
        EXPECT_EQ(1, exit_code()) << t.layout;
        std::string spread = read("NORNS.SCS");
        EXPECT_NE(spread.find(std::string("\r\ntitle=") + t.title + "\r\n"), std::string::npos) << spread;
        EXPECT_NE(spread.find("\r\nrunemeaning0=Z\xFCrich \"5\x80\"*\r\n"), std::string::npos) << spread;
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
    write("steps.txt", "menu Spread New\n"
                       "click 101\n"
                       "dump title.json\n"
                       "wait 4000\n"
                       "click 102\n"
                       "key HOME\n"
                       "type norns\n"
                       "click 103\n"
                       "type 2\n"
                       "click 1\n"
                       "dump layout.json\n"
                       "wait 4000\n"
                       "click 11\n"
                       "key NUMPAD5\n"
                       "click 1199\n"
                       "dump meaning.json\n"
                       "wait 4000\n"
                       "click 1\n"
                       "menu File Exit\n"
                       "expect-window Save..\n"
                       "click 6\n"
                       "click 1\n");
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
    std::string spread = read("NORNS.SCS");
    EXPECT_NE(spread.find("\r\ntitle=Z\xFCrich \x96 5\x80 ?\r\n"), std::string::npos) << spread;
    // The field's CR LF is written in text mode, as a typed line end is.
    EXPECT_NE(spread.find("\r\nrunemeaning1=Erste Zeile \x80\r\r\nzweite \xABZeile\xBB*\r\n"), std::string::npos)
        << spread;
}

// A reading on screen while the OS window grows and shrinks: within a second
// (the program's own repaint comes every few seconds) every pixel of the
// client area is drawn again: the table's colour and the rune, no black.
TEST_F(DesktopXTest, AReadingIsWhollyDrawnAfterTheWindowIsResized)
{
    skip_banner();
    std::filesystem::copy_file(STONECALL_SOURCE_DIR "/spreads/ONERUNE.SCS", folder + "/ONERUNE.SCS");
    write("steps.txt", "menu Spread Run\n"
                       "select 104 0\n"
                       "click 1\n"
                       "click 101\n"
                       "wait 1000\n"
                       "expect-window Quenmire Stonecall V1.1 - One Rune for Today\n"
                       "dump reading.json\n"
                       "wait 30000\n");
    start("steps.txt");
    ASSERT_TRUE(appears("reading.json", 40));
    std::string xid = x11::output_of("xdotool search --name '^Quenmire Stonecall'");
    ASSERT_FALSE(xid.empty());
    const std::array<int, 2> o = origin(xid);
    const SIZE sizes[] = {{1200, 880}, {800, 600}};
    for (SIZE size : sizes) {
        ASSERT_EQ(
            0,
            std::system(
                ("xdotool windowsize " + xid + " " + std::to_string(size.cx) + " " + std::to_string(size.cy)).c_str()));
        // Below the caption and the menu bar, within the screen.
        RECT client{o[0], o[1] + 45, std::min<LONG>(o[0] + size.cx, 1280), std::min<LONG>(o[1] + size.cy, 1024)};
        int width = client.right - client.left;
        std::vector<uint32_t> shown;
        // Squares of 16 x 16 pixels all black: nothing drawn there (the
        // rune's lines are black too, but thin).
        auto unpainted = [&] {
            int blank = 0;
            for (size_t top = 0; top + 16 <= shown.size() / width; top += 16)
                for (int left = 0; left + 16 <= width; left += 16) {
                    bool black = true;
                    for (size_t y = top; y < top + 16 && black; ++y)
                        for (int x = left; x < left + 16 && black; ++x) black = shown[y * width + x] == 0;
                    blank += black;
                }
            return blank;
        };
        auto started = std::chrono::steady_clock::now();
        do {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            shown = x11::pixels(client.left, client.top, client.right - client.left, client.bottom - client.top);
        } while ((shown.empty() || unpainted() > 0) &&
                 std::chrono::steady_clock::now() - started < std::chrono::milliseconds(1000));
        ASSERT_FALSE(shown.empty());
        EXPECT_EQ(unpainted(), 0) << size.cx << " x " << size.cy;
        uint32_t table = shown[shown.size() / 2 + 5];
        long tableColoured = std::count(shown.begin(), shown.end(), table);
        EXPECT_GT(tableColoured, static_cast<long>(shown.size() / 2)) << size.cx;
        EXPECT_GT(static_cast<long>(shown.size()) - tableColoured, 1000) << "the rune, at " << size.cx;
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

// No keypad and NumLock off: a new spread's second position moved with the
// X server's arrow keys (jump 5), saved when Edit ends the mode; then, edited,
// dragged by (37, -21) with the X pointer and saved where it was let go.
TEST_F(DesktopXTest, ArrowKeysLayAndTheMouseDragsASpreadWithNumLockOff)
{
    skip_banner();
    write("steps.txt", "menu Spread New\nclick 101\ntype Row\nclick 102\nkey HOME\ntype row\nclick 103\ntype 3\n"
                       "click 1\nclick 11\ndump keys.json\nwait 3000\n"
                       "menu Spread Edit\nclick 6\nexpect-window Done...\nclick 1\n"
                       "select 104 0\nclick 1\ndump edit.json\nwait 4000\n"
                       "menu File Exit\nclick 6\nexpect-window Done...\nclick 1\n");
    ASSERT_FALSE(x11::numlock_on());
    start("steps.txt");
    ASSERT_TRUE(appears("keys.json"));
    const std::string xid = x11::output_of("xdotool search --name '^Quenmire Stonecall'");
    std::string keys = "Down Down Down Down";   // from (220, 30) to (300, 50)
    for (int i = 0; i < 16; ++i) keys += " Right";
    ASSERT_EQ(0, std::system(("xdotool windowfocus --sync " + xid + " key --delay 30 " + keys).c_str()));
    ASSERT_TRUE(appears("edit.json"));
    EXPECT_EQ(read("ROW.SCS"), testsupport::spread_bytes("Row", {{200, 10, ""}, {300, 50, ""}, {240, 50, ""}}));

    const std::array<int, 4> button = dumped_rect("edit.json", 11);
    ASSERT_NE(button[2], 0);
    const std::array<int, 2> o = origin(xid);
    POINT at{o[0] + (button[0] + button[2]) / 2, o[1] + (button[1] + button[3]) / 2};
    auto point = [](POINT p) { return std::to_string(p.x) + " " + std::to_string(p.y); };
    ASSERT_EQ(0, std::system(("xdotool mousemove " + point(at) + " mousedown 1 sleep 0.1 mousemove " +
                              point(POINT{at.x + 12, at.y - 7}) + " sleep 0.1 mousemove " +
                              point(POINT{at.x + 37, at.y - 21}) + " sleep 0.1 mouseup 1")
                                 .c_str()));
    EXPECT_EQ(1, exit_code());
    EXPECT_EQ(read("ROW.SCS"), testsupport::spread_bytes("Row", {{200, 10, ""}, {337, 29, ""}, {240, 50, ""}}));
    EXPECT_FALSE(x11::numlock_on());
}
