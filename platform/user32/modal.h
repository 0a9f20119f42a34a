// The loop of a modal window that the layer makes itself (message boxes, the
// open-file dialog): the owner is disabled while it runs, everything else's
// messages are dispatched (timers and paints keep running), and a quit
// request ends it and is handed on to the program's own loop.
#pragma once

#include <windows.h>

namespace user32 {

// Shows `dialog` (already made, owned by `owner` or by nobody), focuses
// `focus`, and runs until `done` is set by the dialog's procedure, the dialog
// goes, or a quit request comes. The owner is enabled again before the dialog
// is destroyed, so the owner is what becomes active. False when it ended
// without `done`.
bool run_modal(HWND dialog, HWND owner, HWND focus, const bool &done);

}   // namespace user32
