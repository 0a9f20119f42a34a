// The SDL driver on a virtual X server (with-xvfb.sh): the OS window presents
// the desktop and follows the active window's title and size; real X input
// from xdotool arrives as the layer's messages; the window manager's close
// request closes the screen in front. Real time passes; timers bound each wait.
#include "driver/driver.h"
#include "driver/sdl/sdl_driver.h"
#include "user32/compositor.h"
#include "x11.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr UINT_PTR GUARD_TIMER = 77;
std::vector<MSG> seen;
bool timedOut = false;

LRESULT CALLBACK ProbeProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_TIMER && wp == GUARD_TIMER) timedOut = true;
    if (msg == WM_TIMER) return 0;
    if (msg == WM_DESTROY) PostQuitMessage(7);
    seen.push_back(MSG{hwnd, msg, wp, lp, 0, {}});
    return msg == WM_CLOSE ? 0 : DefWindowProcA(hwnd, msg, wp, lp);
}

int x_of(LPARAM lp) { return static_cast<short>(LOWORD(lp)); }
int y_of(LPARAM lp) { return static_cast<short>(HIWORD(lp)); }

std::vector<MSG> all(UINT msg)
{
    std::vector<MSG> out;
    for (const MSG &m : seen)
        if (m.message == msg) out.push_back(m);
    return out;
}

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
        xid = x11::output_of("xdotool search --name '^Probe window$'");
        ASSERT_FALSE(xid.empty()) << "no OS window titled after the active window";
        std::sscanf(geometry().c_str(), "WINDOW=%*d X=%d Y=%d", &origin.x, &origin.y);
        seen.clear();
    }

    void TearDown() override { drv::install(nullptr); }

    std::string geometry() { return x11::output_of("xdotool getwindowgeometry --shell " + xid); }
    // Whether the OS window shows every pixel of the desktop, each as `scale` x `scale` of its own.
    bool shows_desktop(size_t scale = 1)
    {
        const raster::Canvas &desk = user32::desktop_image();
        const size_t width = desk.width * scale;
        const std::vector<uint32_t> os = x11::pixels(origin.x, origin.y, int(width), int(desk.height * scale));
        for (size_t i = 0; i < os.size(); ++i)
            if (os[i] != desk.row(int(i / width / scale))[i % width / scale]) return false;
        return !os.empty();
    }

    // Handles messages until `done` answers true; false when `ms` pass first.
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
    void run_for(UINT ms)
    {
        run_until([] { return timedOut; }, ms);
    }

    void xdotool(const std::string &args) { ASSERT_EQ(0, std::system(("xdotool " + args).c_str())) << args; }

    // The first message `msg` came at the desktop point (x, y) of the probe's client area.
    void expect_at(UINT msg, int x, int y)
    {
        ASSERT_FALSE(all(msg).empty()) << msg;
        POINT expected{x, y};
        ScreenToClient(hwnd, &expected);
        EXPECT_EQ(expected.x, x_of(all(msg)[0].lParam)) << msg;
        EXPECT_EQ(expected.y, y_of(all(msg)[0].lParam)) << msg;
    }
};

TEST_F(SdlDriverTest, WindowShowsTheDesktopEvenDuringASleepAndItsTitleFollowsTheActiveWindow)
{
    EXPECT_NE(std::string::npos, geometry().find("WIDTH=1024\nHEIGHT=768")) << geometry();
    EXPECT_TRUE(shows_desktop());

    SetWindowTextA(hwnd, "Renamed \xE9t\xE9");
    run_for(100);
    EXPECT_EQ("Renamed \xC3\xA9t\xC3\xA9", x11::output_of("xdotool getwindowname " + xid));

    // A popup without a caption in front (a start banner) leaves its owner's title.
    HWND popup = CreateWindowExA(0, "Probe", "", WS_POPUP, 200, 200, 50, 50, hwnd, nullptr, nullptr, nullptr);
    ShowWindow(popup, SW_SHOW);
    ASSERT_EQ(popup, GetActiveWindow());
    SetWindowTextA(hwnd, "Owner");
    run_for(100);
    EXPECT_EQ("Owner", x11::output_of("xdotool getwindowname " + xid));

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
    EXPECT_TRUE(shows_desktop());

    // Waiting for a timer half a second away sleeps in SDL: no polling.
    std::clock_t cpu = std::clock();
    run_for(500);
    EXPECT_LT(static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC, 0.05);
}

// A drag: the press, the moves and the release, each where the pointer was.
TEST_F(SdlDriverTest, ClicksDragsAndTheWheelArriveAtThePointUnderThemAndKeysTypeEachCharacterOnce)
{
    SetFocus(hwnd);
    // X buttons 4 and 5: the wheel turned away from the user, then twice towards.
    xdotool("mousemove --window " + xid + " 150 120 click 4 click --repeat 2 5 mousedown 1 mousemove --window " + xid +
            " 170 130 mouseup 1");
    ASSERT_TRUE(run_until([] { return !all(WM_LBUTTONUP).empty(); }));
    std::vector<int> turns;
    for (const MSG &m : all(WM_MOUSEWHEEL)) {
        turns.push_back(static_cast<short>(HIWORD(m.wParam)));
        EXPECT_EQ(150, x_of(m.lParam));   // the wheel's point is on the desktop
        EXPECT_EQ(120, y_of(m.lParam));
    }
    EXPECT_EQ((std::vector<int>{WHEEL_DELTA, -WHEEL_DELTA, -WHEEL_DELTA}), turns);
    expect_at(WM_LBUTTONDOWN, 150, 120);
    expect_at(WM_LBUTTONUP, 170, 130);
    // After the press, the pointer moves to where it is let go.
    const auto press = std::find_if(seen.begin(), seen.end(), [](const MSG &m) { return m.message == WM_LBUTTONDOWN; });
    seen.erase(seen.begin(), press);
    expect_at(WM_MOUSEMOVE, 170, 130);

    // Keys arrive as virtual keys and type each character once.
    xdotool("windowfocus --sync " + xid + " key a shift+b alt+c KP_Up Down");
    ASSERT_TRUE(run_until([] { return all(WM_KEYUP).size() >= 6; }));
    std::vector<WPARAM> keys, chars;
    for (const MSG &m : seen)
        if (m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN) keys.push_back(m.wParam);
    for (const MSG &m : all(WM_CHAR)) chars.push_back(m.wParam);
    // The keypad's 8 with the layer's NumLock off (as the X server's is) is the up arrow.
    EXPECT_EQ((std::vector<WPARAM>{'A', VK_SHIFT, 'B', VK_MENU, 'C', VK_UP, VK_DOWN}), keys);
    EXPECT_EQ((std::vector<WPARAM>{'a', 'B'}), chars);
    EXPECT_EQ(2u, all(WM_SYSKEYDOWN).size());
}

// The OS window's own events: a new size resizes the desktop and a maximised
// window; the window manager's close request closes the active window.
TEST_F(SdlDriverTest, ResizingAndClosingTheOsWindowReachTheDesktopAndTheActiveWindow)
{
    ShowWindow(hwnd, SW_SHOWMAXIMIZED);
    seen.clear();
    xdotool("windowsize " + xid + " 800 600");
    ASSERT_TRUE(run_until([] { return drv::current().desktop_size().cx == 800; }));
    EXPECT_EQ(600, drv::current().desktop_size().cy);
    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(800, client.right);
    run_for(100);
    EXPECT_TRUE(shows_desktop());

    ASSERT_TRUE(x11::send_close(std::stoul(xid)));
    ASSERT_TRUE(run_until([] { return !all(WM_CLOSE).empty(); }));
    EXPECT_EQ(hwnd, all(WM_CLOSE)[0].hwnd);
}

// Run with XVFB_DPI=192 on a 2560 x 2048 screen: every desktop pixel is two by two OS pixels.
TEST_F(SdlDriverTest, HighDensityDisplayScalesByAWholeFactor)
{
    EXPECT_NE(std::string::npos, geometry().find("WIDTH=2048\nHEIGHT=1536")) << geometry();
    EXPECT_EQ(1024, drv::current().desktop_size().cx);
    EXPECT_EQ(768, drv::current().desktop_size().cy);
    EXPECT_TRUE(shows_desktop(2));

    xdotool("mousemove --window " + xid + " 301 241 click 1");
    ASSERT_TRUE(run_until([] { return !all(WM_LBUTTONDOWN).empty(); }));
    expect_at(WM_LBUTTONDOWN, 150, 120);
}

}   // namespace
