// The headless driver: waiting on the virtual clock, and setting it.
#include "driver/headless/headless.h"

#include "user32/window_internal.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace drv {

HeadlessDriver::HeadlessDriver()
    : calendarAtZero_(
          std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch())
              .count())
{}

void HeadlessDriver::wait(uint64_t deadline, bool inputCanEnd)
{
    if (!inputCanEnd && deadline != NO_DEADLINE) {
        set_now(deadline);
        return;
    }
    if (onBlock_) {
        // Nothing real happens while the clock stands: the time the hook needs
        // nothing until is reached at once, unless a timer is due first.
        set_now(std::min(onBlock_(deadline), deadline));
        return;
    }
    // Nobody will ever type or click: the program would wait forever.
    std::fprintf(stderr, "headless: the program waits for input and nothing drives it\n%s",
                 user32::dump_windows().c_str());
    std::fflush(stderr);
    std::_Exit(2);
}

void HeadlessDriver::checkpoint()
{
    if (onCheckpoint_) onCheckpoint_();
}

void HeadlessDriver::set_now(uint64_t t)
{
    if (t > clock_) clock_ = t;
}

HeadlessDriver &headless()
{
    if (auto *h = dynamic_cast<HeadlessDriver *>(&current())) return *h;
    install(std::make_unique<HeadlessDriver>());
    return static_cast<HeadlessDriver &>(current());
}

}   // namespace drv
