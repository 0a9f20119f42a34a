// The SDL driver on a virtual X server (tests/xvfb/with-xvfb.sh): the OS window
// and what it shows, real X input from xdotool, the desktop following the OS
// window. Real time passes here; every wait is bounded by a timer.
#include "driver/driver.h"
#include "driver/sdl/sdl_driver.h"
#include "testing/script.h"
#include "user32/compositor.h"
#include "xclose.h"
#include "xscreen.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

constexpr UINT_PTR GUARD_TIMER = 77;
std::vector<MSG> seen;
bool timedOut = false;

LRESULT CALLBACK ProbeProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_TIMER:
        if (wp == GUARD_TIMER) timedOut = true;
        return 0;
    case WM_LBUTTONDOWN: case WM_MOUSEWHEEL: case WM_KEYDOWN: case WM_KEYUP: case WM_CHAR: case WM_SYSKEYDOWN: case WM_SIZE:
    case WM_CLOSE:
        seen.push_back(MSG{hwnd, msg, wp, lp, 0, {}});
        if (msg == WM_CLOSE) return 0;
        break;
    case WM_DESTROY:
        PostQuitMessage(7);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

int x_of(LPARAM lp) { return static_cast<short>(LOWORD(lp)); }
int y_of(LPARAM lp) { return static_cast<short>(HIWORD(lp)); }

using xscreen::output_of;

uint32_t screen_pixel(int x, int y) { return xscreen::pixel(x, y); }

class SdlDriverTest : public ::testing::Test {
protected:
    HWND hwnd = nullptr;
    std::string xid;   // the OS window, for xdotool
    POINT origin{};    // its place on the X screen

    void SetUp() override
    {
        std::string why;
        ASSERT_TRUE(drv::install_sdl_driver(why)) << why;
        WNDCLASSA wc{};
        wc.lpfnWndProc = ProbeProc;
        wc.lpszClassName = "Probe";
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        RegisterClassA(&wc);
        hwnd = CreateWindowExA(0, "Probe", "Probe window", WS_OVERLAPPEDWINDOW, 100, 80, 300, 200, nullptr, nullptr,
                               nullptr, nullptr);
        ShowWindow(hwnd, SW_SHOW);
        run_for(150);
        xid = output_of("xdotool search --name '^Probe window$'");
        ASSERT_FALSE(xid.empty()) << "no OS window titled after the active window";
        origin = xscreen::window_origin(xid);
        ASSERT_GE(origin.x, 0);
        seen.clear();
    }

    void TearDown() override { drv::install(nullptr); }

    // Handles messages until `done` answers true; false when 5 s pass first.
    bool run_until(const std::function<bool()> &done, UINT ms = 5000)
    {
        timedOut = false;
        SetTimer(hwnd, GUARD_TIMER, ms, nullptr);
        MSG msg;
        while (!done() && !timedOut && GetMessageA(&msg, nullptr, 0, 0)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        KillTimer(hwnd, GUARD_TIMER);
        return done();
    }
    void run_for(UINT ms) { run_until([] { return timedOut; }, ms); }

    void xdotool(const std::string &args) { ASSERT_EQ(0, std::system(("xdotool " + args).c_str())) << args; }

    static const MSG *first(UINT msg)
    {
        for (const MSG &m : seen)
            if (m.message == msg) return &m;
        return nullptr;
    }
    static std::vector<MSG> all(UINT msg)
    {
        std::vector<MSG> out;
        for (const MSG &m : seen)
            if (m.message == msg) out.push_back(m);
        return out;
    }
};

TEST_F(SdlDriverTest, WindowShowsTheDesktopAndItsTitleFollowsTheActiveWindow)
{
    std::string geometry = output_of("xdotool getwindowgeometry --shell " + xid);
    EXPECT_NE(std::string::npos, geometry.find("WIDTH=1024\nHEIGHT=768")) << geometry;
    const gfx::Canvas &desk = user32::desktop_image();
    // The teal ground, the caption and the client area, as the OS window shows them.
    for (POINT p : {POINT{10, 10}, POINT{150, 90}, POINT{250, 200}, POINT{1000, 700}})
        EXPECT_EQ(desk.row(p.y)[p.x], screen_pixel(origin.x + p.x, origin.y + p.y)) << p.x << "," << p.y;

    SetWindowTextA(hwnd, "Renamed \xE9t\xE9");
    run_for(100);
    EXPECT_EQ("Renamed \xC3\xA9t\xC3\xA9", output_of("xdotool getwindowname " + xid));

    // A popup without a caption in front (a start banner) leaves its owner's title.
    HWND popup = CreateWindowExA(0, "Probe", "", WS_POPUP, 200, 200, 50, 50, hwnd, nullptr, nullptr, nullptr);
    ShowWindow(popup, SW_SHOW);
    ASSERT_EQ(popup, GetActiveWindow());
    SetWindowTextA(hwnd, "Owner");
    run_for(100);
    EXPECT_EQ("Owner", output_of("xdotool getwindowname " + xid));
}

TEST_F(SdlDriverTest, ClickAndWheelArriveAtThePointUnderThem)
{
    SetFocus(hwnd);
    // X buttons 4 and 5: the wheel turned away from the user, then twice towards.
    xdotool("mousemove --window " + xid + " 150 120 click 1 click 4 click --repeat 2 5");
    ASSERT_TRUE(run_until([] { return all(WM_MOUSEWHEEL).size() >= 3; }));
    std::vector<int> turns;
    for (const MSG &m : all(WM_MOUSEWHEEL)) {
        turns.push_back(static_cast<short>(HIWORD(m.wParam)));
        EXPECT_EQ(150, x_of(m.lParam));   // the wheel's point is on the desktop
        EXPECT_EQ(120, y_of(m.lParam));
    }
    EXPECT_EQ((std::vector<int>{WHEEL_DELTA, -WHEEL_DELTA, -WHEEL_DELTA}), turns);
    POINT expected{150, 120};
    ScreenToClient(hwnd, &expected);
    const MSG *down = first(WM_LBUTTONDOWN);
    EXPECT_EQ(expected.x, x_of(down->lParam));
    EXPECT_EQ(expected.y, y_of(down->lParam));
}

TEST_F(SdlDriverTest, KeysArriveAsVirtualKeysAndTypeEachCharacterOnce)
{
    SetFocus(hwnd);
    xdotool("windowfocus --sync " + xid + " key a shift+b KP_Up");
    ASSERT_TRUE(run_until([] { return all(WM_KEYUP).size() >= 4; }));
    std::vector<WPARAM> keys, chars;
    for (const MSG &m : all(WM_KEYDOWN)) keys.push_back(m.wParam);
    for (const MSG &m : all(WM_CHAR)) chars.push_back(m.wParam);
    // The keypad's 8 with the layer's NumLock off (as the X server's is) is the up arrow.
    EXPECT_EQ((std::vector<WPARAM>{'A', VK_SHIFT, 'B', VK_UP}), keys);
    EXPECT_EQ((std::vector<WPARAM>{'a', 'B'}), chars);

    // The layer's own toggle decides, not the X server's lock.
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_NUMLOCK] |= 1;
    SetKeyboardState(state);
    seen.clear();
    xdotool("key KP_Up");
    ASSERT_TRUE(run_until([] { return first(WM_KEYUP) != nullptr; }));
    ASSERT_NE(nullptr, first(WM_KEYDOWN));
    EXPECT_EQ(static_cast<WPARAM>(VK_NUMPAD8), first(WM_KEYDOWN)->wParam);
    ASSERT_NE(nullptr, first(WM_CHAR));
    EXPECT_EQ(static_cast<WPARAM>('8'), first(WM_CHAR)->wParam);
}

TEST_F(SdlDriverTest, ResizingTheOsWindowResizesTheDesktopAndAMaximisedWindow)
{
    ShowWindow(hwnd, SW_SHOWMAXIMIZED);
    seen.clear();
    xdotool("windowsize " + xid + " 800 600");
    ASSERT_TRUE(run_until([] { return drv::current().desktop_size().cx == 800; }));
    EXPECT_EQ(600, drv::current().desktop_size().cy);
    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(800, client.right);
    const MSG *size = first(WM_SIZE);
    ASSERT_NE(nullptr, size);
    EXPECT_EQ(800, LOWORD(size->lParam));
    run_for(100);
    const gfx::Canvas &desk = user32::desktop_image();
    EXPECT_EQ(800, desk.width);
    EXPECT_EQ(desk.row(599)[799], screen_pixel(origin.x + 799, origin.y + 599));
}

TEST_F(SdlDriverTest, ClosingTheOsWindowClosesTheActiveWindow)
{
    ASSERT_TRUE(send_window_close(std::stoul(xid)));
    ASSERT_TRUE(run_until([] { return first(WM_CLOSE) != nullptr; }));
    EXPECT_EQ(hwnd, first(WM_CLOSE)->hwnd);
}

TEST_F(SdlDriverTest, SleepShowsWhatWasDrawnAndWaitingTakesNoCpu)
{
    // Long synchronous work: draw, then Sleep, with no message loop between.
    HDC dc = GetDC(hwnd);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    RECT r{0, 0, 40, 40};
    FillRect(dc, &r, red);
    DeleteObject(red);
    ReleaseDC(hwnd, dc);
    auto started = std::chrono::steady_clock::now();
    Sleep(100);
    EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(100));
    POINT p{10, 10};
    ClientToScreen(hwnd, &p);
    EXPECT_EQ(0xFF0000u, screen_pixel(origin.x + p.x, origin.y + p.y));

    // Waiting for a timer half a second away sleeps in SDL: no polling.
    std::clock_t cpu = std::clock();
    run_for(500);
    EXPECT_LT(static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC, 0.05);
}

TEST_F(SdlDriverTest, ScriptStepsRunAndWaitInRealTime)
{
    const std::string path = "/tmp/sdl-script-" + std::to_string(getpid()) + ".txt";
    {
        std::ofstream script(path);
        script << "wait 300\nclickat 20 30\nwait 50\nclose\n";
    }
    auto started = std::chrono::steady_clock::now();
    int status = script::run_script(path, [this] {
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0)) {
            TranslateMessage(&msg);
            if (msg.message == WM_SYSKEYDOWN && msg.wParam == VK_F4) DestroyWindow(hwnd);
            DispatchMessageA(&msg);
        }
        return static_cast<int>(msg.wParam);
    });
    auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
    std::remove(path.c_str());
    EXPECT_EQ(7, status);
    EXPECT_GE(took.count(), 350);
    ASSERT_NE(nullptr, first(WM_LBUTTONDOWN));
    EXPECT_EQ(20, x_of(first(WM_LBUTTONDOWN)->lParam));
    EXPECT_EQ(30, y_of(first(WM_LBUTTONDOWN)->lParam));
}

// Run with XVFB_DPI=192 on a 2560 x 2048 screen: every desktop pixel is two by two OS pixels.
TEST_F(SdlDriverTest, HighDensityDisplayScalesByAWholeFactor)
{
    std::string geometry = output_of("xdotool getwindowgeometry --shell " + xid);
    EXPECT_NE(std::string::npos, geometry.find("WIDTH=2048\nHEIGHT=1536")) << geometry;
    EXPECT_EQ(1024, drv::current().desktop_size().cx);
    EXPECT_EQ(768, drv::current().desktop_size().cy);
    const gfx::Canvas &desk = user32::desktop_image();
    for (POINT p : {POINT{150, 90}, POINT{101, 81}})
        for (POINT d : {POINT{0, 0}, POINT{1, 1}})
            EXPECT_EQ(desk.row(p.y)[p.x], screen_pixel(origin.x + 2 * p.x + d.x, origin.y + 2 * p.y + d.y));

    xdotool("mousemove --window " + xid + " 301 241 click 1");
    ASSERT_TRUE(run_until([] { return first(WM_LBUTTONDOWN) != nullptr; }));
    POINT expected{150, 120};
    ScreenToClient(hwnd, &expected);
    EXPECT_EQ(expected.x, x_of(first(WM_LBUTTONDOWN)->lParam));
    EXPECT_EQ(expected.y, y_of(first(WM_LBUTTONDOWN)->lParam));
}

} // namespace
