// Driving the test templates' dialogs (tests/platform/rc/screens.rc) as a
// user would, without the lock-step driver: input goes to the driver's queue
// and a modeless dialog loop takes it.
#pragma once

#include <windows.h>

#include "gdi32/canvas.h"

#include <string>

namespace dialogs {

// A template of screens.rc as a modeless dialog; its procedure is `proc`, or
// one that records every message (msgseq::recording_dlgproc).
HWND open(int id, HWND owner = nullptr, DLGPROC proc = nullptr);
// The program's own template `id` (5: the main window), recording every message.
HWND open_program(int id);
// Runs the dialog loop until nothing is left to do, paints included.
void pump(HWND dlg);
// The text of the dialog's control.
std::string text(HWND dlg, int id);
// The focus moved to the control as the dialog moves it, the message log cleared after.
HWND focus(HWND dlg, int id);
// A key pressed and released, with a modifier key held (VK_SHIFT, VK_CONTROL) or none.
void press(HWND dlg, UINT vk, UINT modifier = 0);
// Text typed on the keyboard, character by character.
void type(HWND dlg, const std::string &text);
// The left button pressed and released at a point of a control's client area.
void click(HWND dlg, HWND control, POINT at);
void mouse(HWND control, POINT at, bool down);
// The left button pressed at a desktop point, moved to another and released there.
void drag(HWND dlg, POINT from, POINT to);
// A turn of the wheel over the control.
void wheel(HWND dlg, HWND control, int notches);
// A menu's items as one line: each item's text, "~" after a greyed one, "-"
// for a separator.
std::string menu_items(HMENU m);
// The window's whole client area filled with one colour, past its painting.
void fill_client(HWND window, COLORREF colour);
// The window's picture as composed on the desktop, frame included.
raster::Surface picture(HWND window);

}   // namespace dialogs
