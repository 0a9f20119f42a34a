// The whole program (WinMain) run through the lock-step driver in a fresh
// temporary folder, with real settings files: what the main window's, the
// editor's and the setup screen's flow tests share. Message boxes are recorded
// and answered by `answer` (OK unless a test says otherwise).
#pragma once

#include "support/tempdir.h"

#include "testing/lockstep.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

namespace testsupport {

// A settings file as the program writes it, with the given values.
void write_settings(int banner, const std::string &spread, int editHelp = 1);
// A sample spread of spreads/ copied into the current folder.
void copy_sample(const char *name);

struct Program {
    TempDir dir;
    lockstep::Runner run{[](const std::string &why) { ADD_FAILURE() << why; }};
    std::string line;
    int exitCode = -1;
    int answer = IDOK;
    HWND mainWindow = nullptr;

    Program();
    // A program still running is closed (boxes answered No), so no window of
    // it outlives the test.
    ~Program();
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    void start(const std::string &commandLine = "");
    // The main window, found by the title it has at start and remembered.
    HWND main();
    // The menu item of the command, chosen with the mouse.
    void command(int code);
    // Run waits in the spread chooser: Cancel there ends it without a reading.
    void run_and_cancel();
    // The screen whose loop runs now (the chooser, the new-spread dialog...).
    HWND screen();
    // A click on that screen's Cancel button.
    void cancel();

    COLORREF at(int x, int y);
    // The client area's four corners and its middle.
    std::vector<COLORREF> samples();
    void scribble();
    bool htmlise_greyed();
};

// A message box as a test compares it: text and caption.
struct Seen {
    std::string text, caption;
    bool operator==(const Seen &) const = default;
};
std::ostream &operator<<(std::ostream &os, const Seen &s);
// Every box recorded since the last msgbox_hook::clear().
std::vector<Seen> boxes();

} // namespace testsupport
