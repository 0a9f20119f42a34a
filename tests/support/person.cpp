#include "support/person.h"

#include "driver/headless/headless.h"
#include "user32/window_internal.h"

#include <gtest/gtest.h>

namespace testsupport {

Person::Person()
{
    drv::headless().set_block_hook([this](uint64_t) {
        if (steps_.empty()) {
            ADD_FAILURE() << "the program waits for input and the test has nothing more to do\n"
                          << user32::dump_windows();
            for (int i = 0; i < 3; ++i) tap(VK_ESCAPE);
            return drv::headless().now();
        }
        auto step = std::move(steps_.front());
        steps_.pop_front();
        step();
        return drv::headless().now();   // it acted: the program goes on at once
    });
}

Person::~Person() { drv::headless().set_block_hook(nullptr); }

void Person::tap(UINT vk, UINT modifier)
{
    if (modifier) drv::key(modifier, true);
    drv::key(vk, true);
    drv::key(vk, false);
    if (modifier) drv::key(modifier, false);
}

void Person::click(POINT p)
{
    drv::mouse_button(p, drv::Button::Left, true);
    drv::mouse_button(p, drv::Button::Left, false);
}

void Person::click(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    click(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

}   // namespace testsupport
