// The lock-step test driver: the program's thread, its waits, the test's steps.
#include "testing/lockstep.h"

#include "driver/headless/headless.h"
#include "gdi32/gdiobj.h"
#include "testing/actions.h"
#include "user32/compositor.h"
#include "user32/window_internal.h"

#include <cstdio>
#include <cstdlib>

namespace lockstep {
namespace {

// Thrown on the program thread to unwind a program the test has left.
struct Abandoned {};

}   // namespace

Runner::Runner(FailureHandler onFailure, std::chrono::milliseconds bound)
    : onFailure_(std::move(onFailure)), bound_(bound)
{
    drv::install(std::make_unique<drv::HeadlessDriver>());
    driver_ = &drv::headless();
    driver_->set_block_hook([this](uint64_t deadline) {
        on_block(deadline);
        return driver_->now();   // the test moved the clock itself
    });
    driver_->set_checkpoint_hook([this] { on_checkpoint(); });
}

Runner::~Runner()
{
    stop_program();
    // The driver outlives this runner: leave it no hook that points here.
    if (&drv::current() == driver_) {
        driver_->set_block_hook(nullptr);
        driver_->set_checkpoint_hook(nullptr);
    }
}

void Runner::stop_program()
{
    if (!thread_.joinable()) return;
    {
        std::unique_lock lock(mutex_);
        abandon_ = true;
        stopRequested_ = true;
        cv_.notify_all();
        if (!cv_.wait_for(lock, bound_, [&] { return finished_; })) {
            // The program neither blocks nor retrieves messages: nothing can stop it.
            std::fprintf(stderr, "lockstep: the program cannot be stopped\n");
            std::fflush(stderr);
            std::_Exit(1);
        }
    }
    thread_.join();
}

void Runner::start(std::function<void()> program)
{
    if (started_) return fail("the program was already started");
    started_ = true;
    turn_ = Turn::Program;
    thread_ = std::thread([this, program = std::move(program)] {
        try {
            program();
        } catch (const Abandoned &) {}
        std::lock_guard lock(mutex_);
        finished_ = true;
        turn_ = Turn::Test;
        cv_.notify_all();
    });
    std::unique_lock lock(mutex_);
    wait_for_program(lock);
}

void Runner::on_block(uint64_t deadline)
{
    std::unique_lock lock(mutex_);
    deadline_ = deadline;
    turn_ = Turn::Test;
    cv_.notify_all();
    cv_.wait(lock, [&] { return turn_ == Turn::Program || abandon_; });
    if (abandon_) throw Abandoned{};
}

void Runner::on_checkpoint()
{
    std::unique_lock lock(mutex_);
    if (!stopRequested_) return;
    runawayDump_ = user32::dump_windows();
    abandon_ = true;
    throw Abandoned{};
}

void Runner::resume()
{
    std::unique_lock lock(mutex_);
    if (finished_) return;
    turn_ = Turn::Program;
    cv_.notify_all();
    wait_for_program(lock);
}

void Runner::wait_for_program(std::unique_lock<std::mutex> &lock)
{
    if (cv_.wait_for(lock, bound_, [&] { return turn_ == Turn::Test; })) return;
    // A run-away program: stop it at its next retrieval and take the window
    // tree from its own thread.
    stopRequested_ = true;
    bool stopped = cv_.wait_for(lock, bound_, [&] { return finished_; });
    std::string why = "the program did not wait for input within the bound";
    why += stopped ? "\n" + runawayDump_ : " and could not be stopped";
    failed_ = true;
    lock.unlock();
    onFailure_(why);
    if (!stopped) {
        std::fprintf(stderr, "lockstep: %s\n", why.c_str());
        std::fflush(stderr);
        std::_Exit(1);
    }
}

bool Runner::usable(const char *step)
{
    if (failed_) return false;
    if (!started_ || finished_) {
        fail(std::string(step) + ": the program is not running");
        return false;
    }
    return true;
}

void Runner::fail(const std::string &why)
{
    if (failed_) return;
    failed_ = true;
    // While the program is blocked (or gone) its windows can be read safely.
    bool safe;
    {
        std::lock_guard lock(mutex_);
        safe = finished_ || turn_ == Turn::Test;
    }
    onFailure_(why + "\n" + (safe ? user32::dump_windows() : std::string("(the program is running)")));
}

uint64_t Runner::now() const { return driver_->now(); }

void Runner::advance(uint32_t ms)
{
    if (!usable("advance")) return;
    uint64_t target = driver_->now() + ms;
    while (!failed_ && !finished_ && deadline_ <= target) {
        driver_->set_now(deadline_);
        resume();
    }
    driver_->set_now(target);
}

void Runner::click(POINT pt)
{
    if (!usable("click")) return;
    actions::click(pt);
    resume();
}

void Runner::click(HWND window)
{
    RECT r;
    if (!GetWindowRect(window, &r)) return fail("click: no such window");
    click(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

void Runner::key(UINT vk)
{
    if (!usable("key")) return;
    actions::key(vk);
    resume();
}

void Runner::key(UINT vk, UINT modifier)
{
    if (!usable("key")) return;
    actions::key(vk, modifier);
    resume();
}

void Runner::type(const std::string &text)
{
    if (!usable("type")) return;
    actions::type(text);
    resume();
}

void Runner::close(HWND window)
{
    if (!usable("close")) return;
    if (!IsWindow(window)) return fail("close: no such window");
    drv::close_request(window);
    resume();
}

void Runner::post(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!usable("post")) return;
    if (!PostMessageA(window, msg, wParam, lParam)) return fail("post: no such window");
    resume();
}

void Runner::menu(HWND window, const std::string &top, const std::string &item)
{
    if (!usable("menu")) return;
    actions::MenuChoice choice;
    POINT pt;
    std::string why;
    if (!actions::find_menu_item(window, top, item, choice, why) || !actions::menu_bar_point(choice, pt, why))
        return fail("menu: " + why);
    actions::click(pt);
    resume();
    if (!usable("menu")) return;
    if (!actions::menu_item_point(choice, pt, why)) return fail("menu: " + why);
    actions::click(pt);
    resume();
}

void Runner::select(HWND list, int index)
{
    if (!usable("select")) return;
    POINT pt;
    int arrows;
    std::string why;
    if (!actions::list_item_point(list, index, pt, arrows, why)) return fail("select: " + why);
    actions::select_list_item(pt, arrows);
    resume();
}

bool Runner::has_window(const std::string &title) const
{
    for (HWND t : user32::top_level_windows())
        if (user32::find(t)->text == title) return true;
    return false;
}

HWND Runner::window(const std::string &title)
{
    for (HWND t : user32::top_level_windows())
        if (user32::find(t)->text == title) return t;
    fail("no window titled \"" + title + "\"");
    return nullptr;
}

HWND Runner::control(HWND parent, int id)
{
    HWND c = GetDlgItem(parent, id);
    if (!c) fail("no control " + std::to_string(id));
    return c;
}

std::string Runner::text(HWND window) const
{
    user32::Window *w = user32::find(window);
    return w ? w->text : std::string();
}

COLORREF Runner::pixel(POINT pt)
{
    const raster::Canvas &desktop = user32::desktop_image();
    if (pt.x < 0 || pt.y < 0 || pt.x >= desktop.width || pt.y >= desktop.height) {
        fail("pixel: (" + std::to_string(pt.x) + ", " + std::to_string(pt.y) + ") is off the desktop");
        return CLR_INVALID;
    }
    return gdi::colorref_of(desktop.row(pt.y)[pt.x]);
}

COLORREF Runner::pixel(HWND window, POINT client)
{
    RECT c;
    if (!GetClientRect(window, &c) || !PtInRect(&c, client)) {
        fail("pixel: (" + std::to_string(client.x) + ", " + std::to_string(client.y) +
             ") is outside the window's client area");
        return CLR_INVALID;
    }
    ClientToScreen(window, &client);
    return pixel(client);
}

}   // namespace lockstep
