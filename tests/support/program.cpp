#include "support/program.h"

#include "app/mainwindow.h"
#include "app/screenloop.h"

#include "platform/rc/embedded.h"

#include "rc/module.h"
#include "user32/msgbox_hook.h"
#include "user32/window_internal.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace testsupport {

void write_settings(int banner, const std::string &spread, int editHelp)
{
    write_bytes("qmsc98.ini", crlf("\n\nIni file for QM Stonecall V1.10\n\n\nShowEditHelp=" + std::to_string(editHelp) +
                                   "\nShowStartBanner=" + std::to_string(banner) +
                                   "\nDefaultStartUpSpread=" + spread + "\n"));
}

void copy_sample(const char *name)
{
    std::filesystem::copy_file(std::filesystem::path(STONECALL_SOURCE_DIR) / "spreads" / name, name);
}

Program::Program()
{
    msgbox_hook::clear();
    msgbox_hook::set_answerer([this](const msgbox_hook::Box &) { return answer; });
}

Program::~Program()
{
    answer = IDNO;
    msgbox_hook::set_answerer([this](const msgbox_hook::Box &) { return answer; });
    while (!run.finished() && !run.failed() && !user32::top_level_windows().empty())
        run.close(user32::top_level_windows().front());
    msgbox_hook::set_answerer(nullptr);
}

void Program::start(const std::string &commandLine)
{
    line = commandLine;
    run.start([this] {
        size_t size;
        const unsigned char *image = stonecall_res(&size);
        HINSTANCE module = rc::register_module(image, size);
        exitCode = WinMain(module, nullptr, line.data(), SW_SHOWDEFAULT);
    });
}

// Found once by its first title: the editor and a reading add the spread's title to it.
HWND Program::main()
{
    if (!mainWindow || !IsWindow(mainWindow)) mainWindow = run.window("Quenmire Stonecall V1.1");
    return mainWindow;
}

void Program::command(int code)
{
    struct Item {
        int code;
        const char *top, *item;
    };
    static const Item items[] = {{IDM_EXIT, "File", "Exit"},         {IDM_NEW, "Spread", "New"},
                                 {IDM_EDIT, "Spread", "Edit"},       {IDM_RUN, "Spread", "Run"},
                                 {IDM_HTMLISE, "Spread", "HTMLise"}, {IDM_ABOUT, "Help", "About.."}};
    for (const Item &i : items)
        if (i.code == code) return run.menu(main(), i.top, i.item);
    ADD_FAILURE() << "no menu item " << code;
}

void Program::run_and_cancel()
{
    command(IDM_RUN);
    cancel();
}

HWND Program::screen() { return hWnd_sim_dialog; }

void Program::cancel() { run.click(run.control(screen(), IDCANCEL)); }

COLORREF Program::at(int x, int y)
{
    HWND w = main();
    HDC dc = GetDC(w);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(w, dc);
    return c;
}

std::vector<COLORREF> Program::samples()
{
    RECT r;
    GetClientRect(main(), &r);
    return {at(0, 0), at(r.right - 1, 0), at(0, r.bottom - 1), at(r.right - 1, r.bottom - 1),
            at(r.right / 2, r.bottom / 2)};
}

void Program::scribble()
{
    HWND w = main();
    HDC dc = GetDC(w);
    RECT r;
    GetClientRect(w, &r);
    HBRUSH b = CreateSolidBrush(RGB(1, 2, 3));
    FillRect(dc, &r, b);
    DeleteObject(b);
    ReleaseDC(w, dc);
}

bool Program::htmlise_greyed()
{
    return (GetMenuState(GetMenu(main()), IDM_HTMLISE, MF_BYCOMMAND) & MF_GRAYED) != 0;
}

std::ostream &operator<<(std::ostream &os, const Seen &s) { return os << "[" << s.caption << "] " << s.text; }

std::vector<Seen> boxes()
{
    std::vector<Seen> out;
    for (const auto &b : msgbox_hook::boxes()) out.push_back({b.text, b.caption});
    return out;
}

} // namespace testsupport
