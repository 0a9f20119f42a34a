// The driver: what lies beneath the layer. It owns the one clock, the size of
// the virtual desktop, and the way the program blocks; it delivers input as a
// keyboard and mouse would. The core never includes a backend's headers: the
// headless driver (virtual clock) is the default, a real window installs its own.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace drv {

// A wait with no deadline: nothing but input can end it.
constexpr uint64_t NO_DEADLINE = UINT64_MAX;

class Driver {
  public:
    virtual ~Driver() = default;

    // Milliseconds since the driver started: GetTickCount, timers, Sleep.
    virtual uint64_t now() = 0;
    // Milliseconds since 1970-01-01 UTC: GetSystemTime*, the program's time().
    virtual int64_t calendar_ms() = 0;
    virtual SIZE desktop_size() = 0;

    // The program has nothing to do. `deadline` is the clock time of the earliest
    // timer (or Sleep) that could end the wait, NO_DEADLINE if none;
    // `inputCanEnd` tells whether input could. Returns when either may have
    // happened; the caller looks again and may call again.
    virtual void wait(uint64_t deadline, bool inputCanEnd) = 0;

    // Called at every retrieval of a message, so a driver can stop a program
    // that never blocks (the test driver's bound on a run-away program).
    virtual void checkpoint() {}

    // Whether anybody can answer a wait for input: a person, a test driver or
    // a script. A headless run without any is never shown a window that only
    // input could close (a message box answers itself as Enter would).
    virtual bool input_can_come() { return true; }

    // The desktop's clipboard as text: UTF-8 with LF line ends, empty when it
    // holds none. Without a desktop (headless) the driver keeps its own.
    virtual std::string clipboard_text() { return clipboard_; }
    virtual void set_clipboard_text(const std::string &text) { clipboard_ = text; }

    // Whoever drives the program from outside (the lock-step test driver, an
    // automation script) is called on the program's thread whenever the program
    // waits for input, with the wait's deadline. It may deliver input through
    // the functions below. It answers the clock time until which it needs
    // nothing: now() or earlier when it acted, so wait() returns at once; a
    // later time when it lets time pass (a script's `wait`), so wait() waits
    // for input, the deadline or that time, whichever comes first, and returns.
    // Every driver's wait() must call it when input could end the wait, and
    // let what it throws pass (a script ends the run that way).
    using BlockHook = std::function<uint64_t(uint64_t deadline)>;
    void set_block_hook(BlockHook hook) { onBlock_ = std::move(hook); }

  protected:
    BlockHook onBlock_;

  private:
    std::string clipboard_;
};

// The installed driver; the headless one when none was installed.
Driver &current();
// Replaces the driver (null restores the default headless one on next use).
void install(std::unique_ptr<Driver> driver);

// Input, as a keyboard and mouse deliver it. Points are desktop coordinates.
// Keypad digit keys are reported as VK_NUMPAD0..9 and the keypad point as
// VK_DECIMAL whatever the lock: the layer's own NumLock toggle turns them into
// navigation keys while it is off.
enum class Button { Left, Right, Middle };
void mouse_move(POINT pt);
void mouse_button(POINT pt, Button button, bool down);
// A turn of the mouse wheel, in WHEEL_DELTA units per notch (positive away
// from the user); it goes to the window with the focus.
void mouse_wheel(POINT pt, int delta);
void key(UINT vk, bool down);
// A key of the user's own keyboard layout, which typed `typed` (Windows-1252;
// empty for nothing: an arrow, a dead key). TranslateMessage gives these
// characters in place of what the key types on a US keyboard; Backspace,
// Tab, Enter, Esc and Ctrl+letter keep Windows' control characters.
void layout_key(UINT vk, bool down, const std::string &typed);
// A character that no key produces (text input of another layout).
void character(unsigned char ch);
// The close box of a top-level window (the OS window's close for a real window).
void close_request(HWND window);
// The OS window lost the keyboard focus to another application (Alt+Tab, a
// click elsewhere), or has it again. Keys let go while it was away never
// reach the program: send no key-ups for them.
void app_focus(bool has);

}   // namespace drv
