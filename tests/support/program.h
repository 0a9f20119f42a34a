// The whole program (WinMain) run through the lock-step driver in a fresh
// temporary folder, with real settings files: what the flow tests of the
// main window, the editor, the setup screen and the reading share. Message
// boxes are recorded and answered by `answer` (OK unless a test says otherwise).
#pragma once

#include "support/tempdir.h"

#include "testing/lockstep.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace testsupport {

// A settings file as the program writes it, with the given values.
std::string settings_text(int banner, const std::string &spread, int editHelp = 1);
void write_settings(int banner, const std::string &spread, int editHelp = 1);

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
    // The item of the main window's menu, chosen with the mouse.
    void menu(const char *top, const char *item) { run.menu(main(), top, item); }
    // A click on a button of the screen whose loop runs now.
    void press(int button);
    // Spread > Edit, the chooser's first spread taken with OK.
    void edit_first_spread();
    // "caption: text" of every box recorded since the last msgbox_hook::clear().
    std::vector<std::string> boxes() const;
};

}   // namespace testsupport
