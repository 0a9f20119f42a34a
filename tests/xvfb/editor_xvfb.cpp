// The layout editor in a real window on a virtual X server, with real X
// input: the X server's NumLock is off, Edit turns the layer's own NumLock on,
// and the keypad's 8 then moves the acquired button up by the jump size. A
// script plays the menus and the chooser and dumps the window tree around the
// key, which xdotool sends as the bare keypad keycode (KP_Up is its keysym
// with the lock off, so xdotool touches no lock to send it).
#include "xnumlock.h"
#include "xprogram.h"
#include "xscreen.h"

#include "support/json.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace {

using testsupport::Json;

bool read_json(const std::string &path, Json &out)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::stringstream text;
    text << in.rdbuf();
    std::string error;
    return testsupport::parse_json(text.str(), out, &error);
}

// The rectangle [x, y, w, h] of the control with the id in the window whose
// title starts with `title`; empty when there is none.
std::vector<long long> control_rect(const Json &dump, const std::string &title, int id)
{
    for (const Json &w : dump["windows"].array) {
        if (w["text"].string.rfind(title, 0) != 0) continue;
        for (const Json &c : w["children"].array)
            if (c["id"].integer() == id) {
                std::vector<long long> r;
                for (const Json &v : c["rect"].array) r.push_back(v.integer());
                return r;
            }
    }
    return {};
}

class EditorXTest : public XProgramTest {
protected:
    // The dump once it is there whole (it parses); false after 10 s.
    bool wait_for_dump(const std::string &name, Json &out)
    {
        for (int i = 0; i < 500; ++i) {
            if (read_json(folder + "/" + name, out)) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }
};

TEST_F(EditorXTest, EditForcesNumLockOnAndKeypadEightMovesTheButtonUp)
{
    write("qmsc98.ini", "ShowEditHelp=0\r\nShowStartBanner=0\r\nDefaultStartUpSpread=\r\n");
    write("MINE.SCS", "\r\nversion=1100\r\ntitle=Mine\r\nrunemeaning0=Here*\r\nrune0x=300\r\nrune0y=200\r\n"
                      "NumCards=1\r\n\r\n");
    write("steps.txt", "dump start.json\n"
                       "menu Spread Edit\n"
                       "select 104 0\n"
                       "click 1\n"
                       "click 10\n"
                       "dump before.json\n"
                       "wait 4000\n"
                       "dump after.json\n"
                       "menu File Exit\n"
                       "click 7\n");
    ASSERT_FALSE(x_numlock_on());

    start("steps.txt");
    Json before, after;
    ASSERT_TRUE(wait_for_dump("before.json", before)) << "the script did not reach its first dump";
    std::string xid = xscreen::output_of("timeout 10 xdotool search --sync --name '^Quenmire Stonecall V1.1'");
    ASSERT_FALSE(xid.empty());
    ASSERT_EQ(0, std::system(("xdotool windowfocus --sync " + xid + " key KP_Up").c_str()));
    EXPECT_EQ(1, exit_code());
    EXPECT_FALSE(x_numlock_on());   // the X server's lock was never touched

    Json start;
    ASSERT_TRUE(read_json(folder + "/start.json", start));
    ASSERT_TRUE(read_json(folder + "/after.json", after));
    EXPECT_FALSE(start["numlock"].boolean);   // the layer's lock began as the server's
    EXPECT_TRUE(before["numlock"].boolean);
    const std::vector<long long> was = control_rect(before, "Quenmire Stonecall V1.1 - Mine", 10);
    const std::vector<long long> now = control_rect(after, "Quenmire Stonecall V1.1 - Mine", 10);
    ASSERT_EQ(was.size(), 4u);
    ASSERT_EQ(now.size(), 4u);
    EXPECT_EQ(now[0], was[0]);
    EXPECT_EQ(now[1], was[1] - 5);   // up by the jump size
    EXPECT_EQ(now[2], 70);
    EXPECT_EQ(now[3], 129);
}

} // namespace
