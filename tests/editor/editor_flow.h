// What the editor's flow tests share: the program run through the lock-step
// driver, spread files as the writer stores them, and the position buttons as
// the user sees them on the main window.
#pragma once

#include "app/mainwindow.h"
#include "editor/layout.h"
#include "runes/spread.h"

#include "support/program.h"
#include "support/tempdir.h"

#include "testing/actions.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace editorflow {

struct Position {
    int x = 0, y = 0;
    std::string meaning;
};
using Positions = std::array<Position, MAX_POSITIONS>;

// The bytes of a spread file exactly as the writer stores them (a later
// version's writer only with another version).
inline std::string spread_bytes(const std::string &title, const Positions &at, int numCards, int version = 1100)
{
    std::string text = "\nSpread Data File Created By Quenmire Stonecall V1.10\n\nversion=" + std::to_string(version) +
                       "\ntitle=" + title;
    for (int i = 0; i < MAX_POSITIONS; ++i) text += "\nrunemeaning" + std::to_string(i) + "=" + at[i].meaning + "*";
    for (int i = 0; i < MAX_POSITIONS; ++i)
        text += "\nrune" + std::to_string(i) + "x=" + std::to_string(at[i].x) + "\nrune" + std::to_string(i) +
                "y=" + std::to_string(at[i].y);
    text += "\nNumCards=" + std::to_string(numCards) + "\n\n";
    return testsupport::crlf(text);
}

// A button's top-left corner in the main window's client area.
inline POINT place(HWND main, HWND button)
{
    RECT r;
    GetWindowRect(button, &r);
    POINT p{r.left, r.top};
    ScreenToClient(main, &p);
    return p;
}

inline SIZE size_of(HWND w)
{
    RECT r;
    GetWindowRect(w, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

// A click where the window shows, as a person aims past the buttons above it.
inline void click_visible(lockstep::Runner &run, HWND window)
{
    POINT at;
    std::string why;
    if (!actions::reachable_point(window, nullptr, at, why)) return run.fail("click: " + why);
    run.click(at);
}

// Replaces the text of a field of the current screen as a person does:
// click, select it all, type (or delete).
inline void set_field(lockstep::Runner &run, HWND screen, int id, const std::string &text)
{
    HWND field = run.control(screen, id);
    run.click(field);
    SendMessageA(field, EM_SETSEL, 0, -1);
    if (text.empty())
        run.key(VK_DELETE);
    else
        run.type(text);
}

} // namespace editorflow
