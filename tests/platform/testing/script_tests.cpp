// The script runner and the lock-step driver against a small program of a
// test template (script.rc), for what the scripted sessions (tests/sessions)
// and the program's tests do not show: steps that fail and why, exact
// timings, the window dump, the observer, programs that never block.
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

void note(const std::string &s) { trace.push_back(s); }

// A probe control: notes clicks (client coordinates), double-clicks and keys,
// takes the focus when clicked and keeps the characters typed into it as its text.
LRESULT CALLBACK ProbeProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    const std::string id = std::to_string(GetDlgCtrlID(hwnd));
    switch (msg) {
    case WM_GETDLGCODE:
        return DLGC_WANTCHARS | DLGC_WANTARROWS;
    case WM_LBUTTONDOWN:
        SetFocus(hwnd);
        note(id + " down " + std::to_string(LOWORD(lp)) + " " + std::to_string(HIWORD(lp)));
        return 0;
    case WM_LBUTTONDBLCLK:
        note(id + " double");
        return 0;
    case WM_KEYDOWN:
        note(id + " key " + std::to_string(wp));
        return 0;
    case WM_CHAR: {
        char text[256];
        GetWindowTextA(hwnd, text, sizeof text);
        SetWindowTextA(hwnd, (text + std::string(1, static_cast<char>(wp))).c_str());
        return 0;
    }
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
        note("command " + std::to_string(LOWORD(wp)));
        if (LOWORD(wp) == 10) SetDlgItemTextA(dlg, 30, ("count " + std::to_string(++counted)).c_str());
        if (LOWORD(wp) == 16) {
            int answer = MessageBoxA(dlg, "Say hello?", "Question", MB_YESNO | MB_ICONQUESTION);
            SetDlgItemTextA(dlg, 30, answer == IDYES ? "hello" : "silence");
        }
        if (LOWORD(wp) == 3) {   // the menu's Exit
            DestroyWindow(dlg);
            PostQuitMessage(60 + counted);
        }
        return TRUE;
    case WM_CLOSE:
        note("close");
        DestroyWindow(dlg);
        PostQuitMessage(40 + counted);
        return TRUE;
    }
    return FALSE;
}

// The program: one dialog and its loop; its exit code tells how it ended.
int program()
{
    note("start");
    size_t size;
    const unsigned char *image = script_res(&size);
    WNDCLASSA wc{};
    wc.lpfnWndProc = ProbeProc;
    wc.lpszClassName = "ScriptProbe";
    wc.style = CS_DBLCLKS;
    RegisterClassA(&wc);
    HWND dlg = shown =
        CreateDialogParamA(rc::register_module(image, size), MAKEINTRESOURCEA(600), nullptr, ScriptedProc, 0);
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0)) {
        if (IsDialogMessageA(dlg, &m)) continue;
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    return static_cast<int>(m.wParam);
}

// The program moves to another folder once it runs.
int moved()
{
    std::filesystem::create_directory("elsewhere");
    std::filesystem::current_path("elsewhere");
    return program();
}

// Looks at the program after each input step; objects once the count is 3.
std::string observe(int line)
{
    char title[64] = "", count[64] = "";
    HWND active = GetActiveWindow();
    GetWindowTextA(active, title, sizeof title);
    GetDlgItemTextA(active, 30, count, sizeof count);
    note(std::to_string(line) + " seen " + title + ", " + count + ", " + std::to_string(GetSystemMetrics(SM_CXSCREEN)));
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
    struct Run {
        int (*program)();
        const char *script;
    };
    const Run runs[] = {
        {program, "click 14\nclose\n"},
        {program, "click 15\nclose\n"},
        {program, "click 99\nclose\n"},
        {program, "expect-text 30 count 1\nclose\n"},
        {program, "expect-window Other\nclose\n"},
        {program, "screenshot no/such/folder/shot.png\nclose\n"},
        {program, "dump no/such/folder/tree.json\nclose\n"},
        {program, "menu Two Words Greyed\nclose\n"},
        {program, "menu Two Words Deeper\nclose\n"},
        {program, "menu File Nothing\nclose\n"},
        {program, "menu Nowhere Count\nclose\n"},
        {program, "menu FileCount\nclose\n"},
        {program, "menu Two Words Say Hello\nmenu File Count\n"},
        {program, "select 41 10\nclose\n"},
        {program, "select 41 -1\nclose\n"},
        {program, "select 42 0\nclose\n"},
        {program, "# a comment\r\n\n  \t\n\t# indented\n  click 10\r\n  wait soon\r\n"},
        {program, nullptr},
        {program,
         "click 20\ntype Say \"hi\" \\ caf\xe9 \x80\nmenu File Count\ndump tree.json\nselect 41 9\ndump far.json\n"
         "select 41 0\nclick 42\nclick 43\ntype Runes\ndump listed.json\nclose\n"},
        {moved, "dump first.json\nclose\n"},
        {program, "menu File Count\nwait 10\nexpect-text 30 count 1\nmenu File Count\nmenu Two Words Say Hello\n"
                  "click 7\nmenu File Exit\n"},
        {program, "menu File Count\nmenu File Count\nmenu File Count\nmenu File Count\n"},
        {program, "click 11\nclickat 160 70\nclickat 151 66\nclick 20\ndrag 20 30 0\ndoubleclick 20\nclose\n"},
        {program, "click 20\ndeactivate\ntype a\nactivate\ntype b\nkey CONTROL+a\nexpect-text 20 b\x01\nclose\n"},
        {program, "wait 3500\nexpect-text 31 ticks 3\nwait 0\nwait 499\nexpect-text 31 ticks 3\nwait 1\n"
                  "expect-text 31 ticks 4\n"},
        {program, "resize 300 200\nresize 1024 768\nclose\n"},
    };
    std::string all;
    for (const Run &r : runs) {
        testsupport::TempDir dir;
        trace.clear();
        counted = 0;
        ticks = 0;
        if (r.script) testsupport::write_bytes("steps.txt", r.script);
        testing::internal::CaptureStderr();
        const int status = script::run_script("steps.txt", r.program, observe);
        DestroyWindow(shown);
        std::string out = "== " + std::string(r.script ? r.script : "(no script)\n");
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
    EXPECT_FALSE(run.finished());
    EXPECT_EQ(run.deadline(), drv::NO_DEADLINE);
    run.advance(60000);
    EXPECT_EQ(run.now(), 60000u);
    EXPECT_FALSE(run.finished());
    // Leaving the test unwinds the blocked program.
}
