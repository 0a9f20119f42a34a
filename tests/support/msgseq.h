// Message-sequence recording: what window procedures (and screen callbacks)
// see, compared with an expected list named after the call it covers; a
// mismatch prints both lists, each message by its number (in hex, or
// WM_USER+N).
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace msgseq {

enum How { Sent, Posted, Any };

struct Seen {
    HWND hwnd;
    UINT msg;
    WPARAM wp;
    LPARAM lp;
    How how;
};

// Every message a recording window procedure saw, in order.
std::vector<Seen> &log();
// Registers (once) the class "Recorder" whose procedure logs every message and
// then does the default processing.
const char *recorder_class();
// Registers a class of that name with the procedure, class style and
// background colour (a COLOR_ index, -1: none); gives its name.
const char *window_class(const char *name, WNDPROC proc, UINT style = 0, int background = -1);
// A window of the recording class, placed at `at` (left, top, width, height).
HWND window(const char *title, DWORD style, HWND parent = nullptr, RECT at = {100, 50, 300, 200}, int id = 0);
// A dialog procedure that logs every message and returns FALSE (TRUE for
// WM_INITDIALOG), leaving the rest to the default dialog processing.
INT_PTR CALLBACK recording_dlgproc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

std::string name(UINT msg);

// A list as text for an expected file, one message a line: the window's label,
// the message, wParam and lParam in hex (a window's handle by its label) and
// how it came. Windows without a label show as "?".
std::string text(const std::vector<Seen> &list, const std::vector<std::pair<HWND, std::string>> &labels);

// The log entries for `hwnd` (null: all) whose message is among `only`
// (empty: all).
std::vector<Seen> select(HWND hwnd, std::vector<UINT> only = {});
// The notification codes `parent` heard from its control `id`, in order.
std::vector<WORD> notes(HWND parent, int id);

// Compares ignoring what the expected entries leave open: hwnd null matches
// any window, How Any matches either delivery, and wp/lp are compared unless
// `compareParams` is false.
::testing::AssertionResult same(const char *call, const std::vector<Seen> &expected, const std::vector<Seen> &actual,
                                bool compareParams = true);

}   // namespace msgseq

#define EXPECT_SEQUENCE(call, expected, ...) EXPECT_TRUE(msgseq::same(call, expected, __VA_ARGS__))
