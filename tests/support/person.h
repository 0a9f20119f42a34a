// Plays the person at the keyboard for a program that waits for input on the
// test's own thread (a menu, a message box, the open-file dialog): the steps
// run one at a time, each when the program next waits. A wait with no step
// left fails the test, and Escapes then let the modal loop go.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>

namespace testsupport {

class Person {
  public:
    Person();
    ~Person();
    Person(const Person &) = delete;
    Person &operator=(const Person &) = delete;

    void then(std::function<void()> step) { steps_.push_back(std::move(step)); }
    bool done() const { return steps_.empty(); }

    // Input for the program to take when it next looks.
    // A key down and up, with VK_MENU, VK_SHIFT or VK_CONTROL held or none.
    static void tap(UINT vk, UINT modifier = 0);
    static void click(POINT desktop);
    static void click(HWND window);   // at its middle

  private:
    std::deque<std::function<void()>> steps_;
};

}   // namespace testsupport
