// The headless driver: a virtual desktop and a virtual clock.
//
// Time moves by rule. While the program waits for time alone (Sleep, or a
// GetMessageA whose filter only a timer can satisfy) the clock jumps to the
// moment it waits for. While it waits for input the clock stands still: the
// wait goes to the block hook (the lock-step test driver, an automation
// script), which may deliver input or let the clock move on.
#pragma once

#include "driver/driver.h"

#include <functional>

namespace drv {

class HeadlessDriver : public Driver {
  public:
    HeadlessDriver();

    uint64_t now() override { return clock_; }
    int64_t calendar_ms() override { return calendarAtZero_ + static_cast<int64_t>(clock_); }
    SIZE desktop_size() override { return desktop_; }
    void wait(uint64_t deadline, bool inputCanEnd) override;
    void checkpoint() override;
    bool input_can_come() override { return static_cast<bool>(onBlock_); }

    // Moves the clock forward (never back).
    void set_now(uint64_t t);
    // The calendar time (ms since 1970 UTC) at clock 0; the real time by default.
    void set_calendar_at_zero(int64_t ms) { calendarAtZero_ = ms; }
    void set_desktop_size(SIZE s) { desktop_ = s; }
    void set_checkpoint_hook(std::function<void()> hook) { onCheckpoint_ = std::move(hook); }

  private:
    uint64_t clock_ = 0;
    int64_t calendarAtZero_;
    SIZE desktop_{1024, 768};
    std::function<void()> onCheckpoint_;
};

// The installed driver as the headless one, installing a fresh one when
// another kind (or none) is installed.
HeadlessDriver &headless();

}   // namespace drv
