// The lock-step test driver. The program runs on a thread of its own; the test
// acts only while the program is blocked waiting for input, so the two threads
// never run at once and the layer needs no locks.
//
// Every step that lets the program run waits for it to block again, within a
// bound of real time. A program that does not block in time (or a step that
// finds nothing) is reported through the failure handler with the window tree,
// and the runner stops: later steps do nothing. A program that never blocks is
// stopped at its next message retrieval.
#pragma once

#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace drv {
class HeadlessDriver;
}

namespace lockstep {

class Runner {
  public:
    using FailureHandler = std::function<void(const std::string &)>;

    // Installs a fresh headless driver (1024 x 768, clock at 0).
    explicit Runner(FailureHandler onFailure, std::chrono::milliseconds bound = std::chrono::seconds(5));
    ~Runner();   // stops a program that is still blocked
    Runner(const Runner &) = delete;
    Runner &operator=(const Runner &) = delete;

    drv::HeadlessDriver &driver() { return *driver_; }

    // Runs `program` on its own thread until it first blocks for input or ends.
    void start(std::function<void()> program);
    bool finished() const { return finished_; }
    // Whether a step failed (the runner has stopped).
    bool failed() const { return failed_; }

    // Moves the clock on, letting every timer due on the way fire at its moment.
    void advance(uint32_t ms);
    uint64_t now() const;
    // The clock time the blocked program's timers wait for, drv::NO_DEADLINE if none.
    uint64_t deadline() const { return deadline_; }

    void click(POINT desktop);
    // A click at the middle of a window.
    void click(HWND window);
    void key(UINT vk);                    // down and up
    void key(UINT vk, UINT modifier);     // with a modifier held (VK_SHIFT, VK_CONTROL, VK_MENU)
    void type(const std::string &text);   // as keys where a US keyboard has them
    void close(HWND window);              // its close box
    // Posts a message to a window, as another program could, and lets the
    // program handle it (WM_COMMAND 905 is the menu item 905 chosen).
    void post(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    // Chooses a menu item as a person does: a click on the drop-down's title
    // in the window's menu bar, then one on the item (texts without '&').
    void menu(HWND window, const std::string &top, const std::string &item);
    // Selects an item of a list box as a person does: a click on it, or on
    // the first item in view and arrow keys from there when it is scrolled away.
    void select(HWND list, int index);

    // A top-level window by its title; fails with the window tree when none.
    HWND window(const std::string &title);
    bool has_window(const std::string &title) const;
    // A control of a window by id; fails with the window tree when none.
    HWND control(HWND parent, int id);
    std::string text(HWND window) const;
    // A pixel of the composed desktop, as a screenshot shows it: at a desktop
    // point, or at a point of a window's client area (whatever shows there,
    // its children included). CLR_INVALID, and a failure, outside.
    COLORREF pixel(POINT desktop);
    COLORREF pixel(HWND window, POINT client);

    void fail(const std::string &why);

  private:
    enum class Turn { Program, Test };

    void resume();   // let the program run until it blocks or ends
    void wait_for_program(std::unique_lock<std::mutex> &lock);
    void stop_program();
    void on_block(uint64_t deadline);   // program thread
    void on_checkpoint();               // program thread
    bool usable(const char *step);

    FailureHandler onFailure_;
    std::chrono::milliseconds bound_;
    drv::HeadlessDriver *driver_;
    std::thread thread_;
    mutable std::mutex mutex_;
    std::condition_variable cv_;
    Turn turn_ = Turn::Test;
    bool started_ = false;
    bool finished_ = false;
    bool failed_ = false;
    bool abandon_ = false;         // the program must unwind at its next block
    bool stopRequested_ = false;   // ... or at its next retrieval (run-away)
    std::string runawayDump_;
    uint64_t deadline_ = UINT64_MAX;
};

}   // namespace lockstep
