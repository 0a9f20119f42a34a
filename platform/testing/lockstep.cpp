#include "testing/lockstep.h"

#include "driver/headless/headless.h"
#include "user32/window_internal.h"

#include <cstdio>
#include <cstdlib>

namespace lockstep {
namespace {

// Thrown on the program thread to unwind a program the test has left.
struct Abandoned {};

} // namespace

Runner::Runner(FailureHandler onFailure, std::chrono::milliseconds bound)
    : onFailure_(std::move(onFailure)), bound_(bound)
{
    drv::install(std::make_unique<drv::HeadlessDriver>());
    driver_ = &drv::headless();
    driver_->set_block_hook([this](uint64_t deadline) { on_block(deadline); });
    driver_->set_checkpoint_hook([this] { on_checkpoint(); });
}

Runner::~Runner()
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
        } catch (const Abandoned &) {
        }
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
    drv::mouse_button(pt, drv::Button::Left, true);
    drv::mouse_button(pt, drv::Button::Left, false);
    resume();
}

void Runner::click(HWND window)
{
    RECT r;
    if (!GetWindowRect(window, &r)) return fail("click: no such window");
    click(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

void Runner::key_down(UINT vk)
{
    if (!usable("key")) return;
    drv::key(vk, true);
    resume();
}

void Runner::key_up(UINT vk)
{
    if (!usable("key")) return;
    drv::key(vk, false);
    resume();
}

void Runner::key(UINT vk)
{
    if (!usable("key")) return;
    drv::key(vk, true);
    drv::key(vk, false);
    resume();
}

void Runner::key(UINT vk, UINT modifier)
{
    if (!usable("key")) return;
    drv::key(modifier, true);
    drv::key(vk, true);
    drv::key(vk, false);
    drv::key(modifier, false);
    resume();
}

void Runner::type(const std::string &text)
{
    if (!usable("type")) return;
    for (char c : text) {
        UINT vk;
        bool shift;
        auto ch = static_cast<unsigned char>(c);
        if (!user32::vk_for_char(ch, vk, shift)) {
            drv::character(ch);
            continue;
        }
        if (shift) drv::key(VK_SHIFT, true);
        drv::key(vk, true);
        drv::key(vk, false);
        if (shift) drv::key(VK_SHIFT, false);
    }
    resume();
}

void Runner::close(HWND window)
{
    if (!usable("close")) return;
    if (!IsWindow(window)) return fail("close: no such window");
    drv::close_request(window);
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

std::string Runner::dump() const { return user32::dump_windows(); }

} // namespace lockstep
