// The test hook of MessageBoxA. Every box is recorded here (owner, text,
// caption, flags), and a test can answer boxes without showing them: queued
// replies first, in order, then an installed answerer. MessageBoxA consults
// the hook before it shows anything.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace msgbox_hook {

struct Box {
    HWND owner;
    std::string text;
    std::string caption;
    UINT flags;
};

// Every box shown since the start of the process, or since clear().
const std::vector<Box> &boxes();
void clear();

// The next box is answered with `reply` (IDOK, IDYES, IDNO...), without showing it.
void queue_reply(int reply);

// Answers every box that no queued reply answers; an empty function removes it.
void set_answerer(std::function<int(const Box &)> answerer);

// For MessageBoxA: records the box and returns the test's answer, or 0 when no
// test answers it and it is to be shown.
int record(const Box &box);

} // namespace msgbox_hook
