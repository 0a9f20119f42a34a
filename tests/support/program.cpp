#include "support/program.h"

#include "app/mainwindow.h"
#include "app/screenloop.h"
#include "editor/chooser.h"

#include "platform/rc/embedded.h"

#include "rc/module.h"
#include "user32/msgbox_hook.h"
#include "user32/window_internal.h"

// The test program keeps a record of every message box for the tests to
// compare (msgbox_hook::boxes()); the program on its own keeps none.
static const bool recordingBoxes = (msgbox_hook::keep_records(true), true);

namespace testsupport {

std::string settings_text(int banner, const std::string &spread, int editHelp)
{
    return crlf("\n\nIni file for QM Stonecall V1.10\n\n\nShowEditHelp=" + std::to_string(editHelp) +
                "\nShowStartBanner=" + std::to_string(banner) + "\nDefaultStartUpSpread=" + spread + "\n");
}

void write_settings(int banner, const std::string &spread, int editHelp)
{
    write_bytes("qmsc98.ini", settings_text(banner, spread, editHelp));
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

void Program::press(int button) { run.click(run.control(hWnd_sim_dialog, button)); }

void Program::edit_first_spread()
{
    menu("Spread", "Edit");
    run.select(run.control(hWnd_sim_dialog, CHOOSER_LIST_ID), 0);
    press(IDOK);
}

std::vector<std::string> Program::boxes() const
{
    std::vector<std::string> out;
    for (const auto &b : msgbox_hook::boxes()) out.push_back(b.caption + ": " + b.text);
    return out;
}

}   // namespace testsupport
