// The script runner and the lock-step driver against a small program of a
// test template (700 in screens.rc), for what the scripted sessions
// (tests/sessions) and the program's tests do not show: steps that fail and
// why, exact timings, the window dump, the observer, programs that never block.
#include "platform/rc/embedded.h"
#include "support/golden.h"
#include "support/tempdir.h"

#include "driver/driver.h"
#include "rc/module.h"
#include "testing/lockstep.h"
#include "testing/script.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

// What reached the program, one line each.
std::vector<std::string> trace;
int counted = 0;
int ticks = 0;
HWND shown;   // the program's dialog, which a failed run leaves open

// A probe control: notes clicks (client coordinates), double-clicks, keys and
// characters, and takes the focus when clicked.
LRESULT CALLBACK ProbeProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    const std::string id = std::to_string(GetDlgCtrlID(hwnd));
    switch (msg) {
    case WM_GETDLGCODE:
        return DLGC_WANTCHARS | DLGC_WANTARROWS;
    case WM_LBUTTONDOWN:
        SetFocus(hwnd);
        trace.push_back(id + " down " + std::to_string(LOWORD(lp)) + " " + std::to_string(HIWORD(lp)));
        return 0;
    case WM_LBUTTONDBLCLK:
        trace.push_back(id + " double");
        return 0;
    case WM_KEYDOWN:
        trace.push_back(id + " key " + std::to_string(wp));
        return 0;
    case WM_CHAR:
        trace.push_back(id + " char " + std::to_string(wp));
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

INT_PTR CALLBACK ScriptedProc(HWND dlg, UINT msg, WPARAM wp, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        SetTimer(dlg, 1, 1000, nullptr);
        for (int i = 0; i < 10; ++i)
            SendDlgItemMessageA(dlg, 41, LB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>(("Item " + std::to_string(i)).c_str()));
        return TRUE;
    case WM_TIMER:
        SetDlgItemTextA(dlg, 31, ("ticks " + std::to_string(++ticks)).c_str());
        return TRUE;
    case WM_COMMAND:
        trace.push_back("command " + std::to_string(LOWORD(wp)));
        if (LOWORD(wp) == 10) SetDlgItemTextA(dlg, 30, ("count " + std::to_string(++counted)).c_str());
        if (LOWORD(wp) == 16) {
            int answer = MessageBoxA(dlg, "Say hello?", "Question", MB_YESNO | MB_ICONQUESTION);
            SetDlgItemTextA(dlg, 30, answer == IDYES ? "hello" : "silence");
        }
        if (LOWORD(wp) == 3) SendMessageA(dlg, WM_CLOSE, 0, 0);   // the menu's Exit
        return TRUE;
    case WM_CLOSE:
        trace.push_back("close");
        DestroyWindow(dlg);
        PostQuitMessage(40 + counted);
        return TRUE;
    }
    return FALSE;
}

// The program: one dialog and its loop, its exit code telling the count. It
// moves to another folder first, where the script's paths are not taken from.
int program()
{
    trace.push_back("start");
    counted = ticks = 0;
    std::filesystem::create_directory("elsewhere");
    std::filesystem::current_path("elsewhere");
    size_t size;
    const unsigned char *image = screens_res(&size);
    WNDCLASSA wc{};
    wc.lpfnWndProc = ProbeProc;
    wc.lpszClassName = "ScriptProbe";
    wc.style = CS_DBLCLKS;
    RegisterClassA(&wc);
    HWND dlg = shown =
        CreateDialogParamA(rc::register_module(image, size), MAKEINTRESOURCEA(700), nullptr, ScriptedProc, 0);
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0)) {
        if (IsDialogMessageA(dlg, &m)) continue;
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    return static_cast<int>(m.wParam);
}

// Looks at the program after each input step; objects once the count is 3.
std::string observe(int line)
{
    char title[64] = "", count[64] = "";
    HWND active = GetActiveWindow();
    GetWindowTextA(active, title, sizeof title);
    GetDlgItemTextA(active, 30, count, sizeof count);
    trace.push_back(std::to_string(line) + " seen " + title + ", " + count + ", " +
                    std::to_string(GetSystemMetrics(SM_CXSCREEN)));
    return std::string(count) == "count 3" ? "three is too many" : "";
}

// The text with its handles numbered in the order they first appear, so that
// it compares with an expected file whatever handles the run gave out.
std::string numbered(const std::string &text)
{
    const std::regex handle("\"(handle|active|focus)\": ([0-9]+)");
    std::map<std::string, int> numbers;
    std::string out;
    auto from = text.cbegin();
    for (std::sregex_iterator it(text.begin(), text.end(), handle), end; it != end; ++it) {
        const int n = numbers.emplace((*it)[2], static_cast<int>(numbers.size()) + 1).first->second;
        out.append(from, (*it)[0].first).append("\"" + (*it)[1].str() + "\": " + std::to_string(n));
        from = (*it)[0].second;
    }
    return out.append(from, text.cend());
}

}   // namespace

// Each run's exit status, what reached the program, the messages and the
// dumps written, compared with tests/golden/script_runs.txt. A step that
// cannot be done ends the run at its line with the reason and the window dump;
// a line that is no step fails it before the program starts. The observer sees
// the program after each input step has been taken (a message box's answer
// once the box is gone), never after waits and expectations, nor after the
// step that ends the program. Button 11's centre lies under probe 12: the click
// lands just right of the probe; probe 20 sits at 150, 65 pixels of the client
// area. A drag's press at the spot of the click just before it is a press of
// its own, not the second half of a double-click.
TEST(Golden, ScriptRunsGiveTheirStatusInputMessagesAndDumps)
{
    const char *const runs[] = {
        "click 14\nclose\n",
        "click 15\nclose\n",
        "click 99\nclose\n",
        "expect-text 30 count 1\nclose\n",
        "expect-window Other\nclose\n",
        "screenshot no/such/folder/shot.png\nclose\n",
        "dump no/such/folder/tree.json\nclose\n",
        "menu Two Words Greyed\nclose\n",
        "menu Two Words Deeper\nclose\n",
        "menu File Nothing\nclose\n",
        "menu Nowhere Count\nclose\n",
        "menu FileCount\nclose\n",
        "menu Two Words Say Hello\nmenu File Count\n",
        "select 41 10\nclose\n",
        "select 41 -1\nclose\n",
        "select 42 0\nclose\n",
        "# a comment\r\n\n  \t\n\t# indented\n  click 10\r\n  wait soon\r\n",
        nullptr,
        "click 43\ntype Say \"hi\" \\ caf\xe9 \x80\nmenu File Count\nselect 41 9\ndump far.json\nselect 41 0\n"
        "click 42\ndump tree.json\nclose\n",
        "menu File Count\nwait 10\nexpect-text 30 count 1\nmenu File Count\nmenu Two Words Say Hello\nclick 7\n"
        "menu File Exit\n",
        "menu File Count\nmenu File Count\nmenu File Count\nmenu File Count\n",
        "click 11\nclickat 160 70\nclickat 151 66\nclick 20\ndrag 20 30 0\ndoubleclick 20\nclose\n",
        "click 20\ndeactivate\ntype a\nactivate\ntype b\nkey CONTROL+a\nclose\n",
        "wait 3500\nexpect-text 31 ticks 3\nwait 0\nwait 499\nexpect-text 31 ticks 3\nwait 1\nexpect-text 31 ticks 4\n",
        "resize 300 200\nresize 1024 768\nclose\n",
    };
    std::string all;
    for (const char *script : runs) {
        testsupport::TempDir dir;
        trace.clear();
        if (script) testsupport::write_bytes("steps.txt", script);
        testing::internal::CaptureStderr();
        const int status = script::run_script("steps.txt", program, observe);
        DestroyWindow(shown);
        std::string out = "== " + std::string(script ? script : "(no script)\n");
        out += "status " + std::to_string(status) + "\n";
        for (const std::string &t : trace) out += "> " + t + "\n";
        out += testing::internal::GetCapturedStderr();
        std::set<std::string> dumps;
        for (const auto &f : std::filesystem::directory_iterator(dir.path()))
            if (f.path().extension() == ".json") dumps.insert(f.path().filename().string());
        for (const std::string &name : dumps)
            out += "-- " + name + "\n" + testsupport::read_bytes((dir.path() / name).string());
        const std::string base = dir.path().string();
        for (size_t at; (at = out.find(base)) != std::string::npos;) out.replace(at, base.size(), "DIR");
        all += numbered(out);
    }
    EXPECT_TRUE(matches_expected_text(all, "script_runs.txt"));
}

// Lock-step (the program on a thread of its own): a program that never blocks,
// a step on a control that is not there, a step once the program has ended
// each fail once with the reason and the window tree; then no step is taken.
// (The windows of a program left blocked stay: each case's are destroyed.)
TEST(LockStep, WhatCannotGoOnFailsWithTheReasonAndTheWindowTree)
{
    testsupport::TempDir dir;
    struct Case {
        void (*program)();
        void (*step)(lockstep::Runner &);
        const char *why;
        bool showsTheProgram;
    };
    const Case cases[] = {
        {[] { program(); }, [](lockstep::Runner &run) { EXPECT_EQ(run.control(run.window("Scripted"), 5), nullptr); },
         "no control 5", true},
        {[] { program(); },
         [](lockstep::Runner &run) {
             run.close(run.window("Scripted"));
             run.click(POINT{1, 1});
         },
         "not running", false},
        {[] {
             HWND w =
                 CreateWindowExA(0, "STATIC", "Scripted", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
             for (MSG m;; GetMessageA(&m, nullptr, 0, 0)) PostMessageA(w, WM_USER, 0, 0);
         },
         [](lockstep::Runner &) {}, "did not wait for input", true},
    };
    for (const Case &c : cases) {
        std::vector<std::string> failures;
        {
            lockstep::Runner run([&failures](const std::string &why) { failures.push_back(why); },
                                 std::chrono::milliseconds(300));
            run.start(c.program);
            c.step(run);
            EXPECT_TRUE(run.failed());
            run.key(VK_RETURN);
        }
        DestroyWindow(shown);
        ASSERT_EQ(failures.size(), 1u) << c.why;
        EXPECT_NE(failures[0].find(c.why), std::string::npos) << failures[0];
        EXPECT_EQ(failures[0].find("\"Scripted\"") != std::string::npos, c.showsTheProgram) << failures[0];
    }
}

TEST(LockStep, WaitThatNothingCanEndGoesBackToTheTest)
{
    lockstep::Runner run([](const std::string &why) { ADD_FAILURE() << why; });
    run.start([] {
        HWND w = CreateWindowExA(0, "STATIC", "Waiter", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
        MSG m;
        // A timer-only filter without a timer: Windows would block forever.
        GetMessageA(&m, w, WM_TIMER, WM_TIMER);
        ADD_FAILURE() << "the wait ended";
    });
    EXPECT_EQ(run.deadline(), drv::NO_DEADLINE);
    run.advance(60000);
    EXPECT_EQ(run.now(), 60000u);
    EXPECT_FALSE(run.finished());
    // Leaving the test unwinds the blocked program.
}
