// Moving and sizing windows with the mouse and the keyboard (movesize.cpp),
// for the default window procedure.
#pragma once

#include <windows.h>

namespace user32 {

// DefWindowProcA's SC_MOVE and SC_SIZE: the modal loop that follows the mouse
// (or the arrow keys) until the button comes up, Enter or Esc. The command's
// low four bits say how it started: HTCAPTION for a caption drag, WMSZ_LEFT...
// WMSZ_BOTTOMRIGHT for a border drag, 0 from the keyboard. `pt` is the
// desktop point the press was at.
void move_size_loop(HWND hwnd, WPARAM cmd, POINT pt);

// What a window answers to WM_GETMINMAXINFO, asked with the desktop's defaults.
MINMAXINFO min_max_info(HWND hwnd);

}   // namespace user32
