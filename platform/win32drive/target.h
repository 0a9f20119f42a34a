// The program the driver runs, seen from outside through Win32 calls on its
// windows: which window is active, where a control is, what it reads.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace drive {

struct Target {
    HANDLE process = nullptr;
    DWORD processId = 0;
    DWORD threadId = 0;   // the program's user-interface thread
    DWORD started = 0;    // GetTickCount() when it started
};

// The active and the focused window of the program's thread (null for none).
HWND active_window(const Target &t);
HWND focus_window(const Target &t);
// Its top-level windows, topmost first.
std::vector<HWND> top_level_windows(const Target &t);
// Children of `parent`, topmost first.
std::vector<HWND> children(HWND parent);

std::string class_name(HWND h);
// The window's text as the program answers WM_GETTEXT.
std::string window_text(HWND h);
bool is_class(HWND h, const char *name);   // case-insensitive, as Windows compares class names

}   // namespace drive
