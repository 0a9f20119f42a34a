// What the dialog files (creation, default processing, keyboard) share.
#pragma once

#include "user32/internal.h"

namespace user32 {

// The control that gets the focus first: the first visible, enabled tab stop,
// else the first control.
HWND first_focus_control(HWND dlg);
// Moves the focus to a control as the dialog manager does: a push button that
// gets it becomes the default button while it has it.
void dialog_set_focus(HWND dlg, HWND control);
// A dialog's information, null for other windows.
DialogInfo *dialog_info(HWND dlg);

}   // namespace user32
