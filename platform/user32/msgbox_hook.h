// The test hook of MessageBoxA. Once a test or fuzzer asks for it, every box
// is recorded here (owner, text, caption, flags); the program itself keeps no
// record, or a long session would hold every box it ever showed. A test can
// answer boxes without showing them: queued replies first, in order, then an
// installed answerer. MessageBoxA consults the hook before it shows anything.
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

// From now on every box is recorded (or, with false, none is any more).
void keep_records(bool on);

// Every box shown while records are kept, since keep_records or clear().
const std::vector<Box> &boxes();
void clear();

// The next box is answered with `reply` (IDOK, IDYES, IDNO...), without showing it.
void queue_reply(int reply);

// Answers every box that no queued reply answers; an empty function removes it.
void set_answerer(std::function<int(const Box &)> answerer);

// For MessageBoxA: records the box (where records are kept) and returns the
// test's answer, or 0 when no test answers it and it is to be shown.
int record(const Box &box);

}   // namespace msgbox_hook
