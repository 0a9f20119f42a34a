// Automation scripts against a small program of test templates (script.rc):
// the program runs on the test's thread and the script acts inside its waits.
// What the scripted sessions (tests/sessions) do not show: steps that fail and
// why, exact timings, the window dump, the observer.
#include "platform/rc/embedded.h"
#include "support/golden.h"
#include "support/tempdir.h"

#include "rc/module.h"
#include "testing/script.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace {

// What reached the program, one line each.
std::vector<std::string> trace;
int counted = 0;
int ticks = 0;
bool programStarted = false;

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
        for (int i = 0; GetDlgItem(dlg, 41) && i < 10; ++i)
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
int program_of(int templateId)
{
    programStarted = true;
    size_t size;
    const unsigned char *image = script_res(&size);
    WNDCLASSA wc{};
    wc.lpfnWndProc = ProbeProc;
    wc.lpszClassName = "ScriptProbe";
    wc.style = CS_DBLCLKS;
    RegisterClassA(&wc);
    HWND dlg =
        CreateDialogParamA(rc::register_module(image, size), MAKEINTRESOURCEA(templateId), nullptr, ScriptedProc, 0);
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0)) {
        if (IsDialogMessageA(dlg, &m)) continue;
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    return static_cast<int>(m.wParam);
}

int scripted() { return program_of(600); }
int menued() { return program_of(602); }
int listed() { return program_of(603); }

// Runs the script text against the program, capturing standard error.
struct Ran {
    int status;
    std::string errors;
};

Ran run(const std::string &script, int (*program)() = scripted, const script::Observer &observer = {})
{
    testsupport::write_bytes("steps.txt", script);
    testing::internal::CaptureStderr();
    int status = script::run_script("steps.txt", program, observer);
    return Ran{status, testing::internal::GetCapturedStderr()};
}

bool contains(const std::string &s, const std::string &part) { return s.find(part) != std::string::npos; }

// A dump with its handles numbered in the order they first appear, so that it
// compares with an expected file whatever handles the run gave out.
std::string dump_of(const std::string &name)
{
    const std::string text = testsupport::read_bytes(name);
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

// A step that cannot be done ends the run at its line with the reason and
// the window dump; neither it nor any step after it reaches the program.
TEST(Script, StepsFailOnWhatCannotBeDoneWithTheirReason)
{
    struct Case {
        const char *line;
        const char *why;
        int (*program)();
    };
    const Case cases[] = {
        {"click 14", "wholly covered", scripted},
        {"click 15", "hidden", scripted},
        {"click 99", "no control 99", scripted},
        {"expect-text 30 count 1", "control 30 reads \"count 0\"", scripted},
        {"expect-window Other", "the active window is \"Scripted\"", scripted},
        {"screenshot no/such/folder/shot.png", "shot.png: ", scripted},
        {"dump no/such/folder/tree.json", "failed: cannot write /", scripted},
        {"menu Two Words Greyed", "is greyed", menued},
        {"menu Two Words Deeper", "further drop-down", menued},
        {"menu File Nothing", "has no item \"Nothing\"", menued},
        {"menu Nowhere Count", "no drop-down", menued},
        {"menu FileCount", "no drop-down", menued},
        {"menu File Count", "has no menu", scripted},
        {"select 41 10", "it has 10 items", listed},
        {"select 41 -1", "it has 10 items", listed},
        {"select 42 0", "it is no list box", listed},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.line);
        testsupport::TempDir dir;
        trace.clear();
        Ran r = run(std::string(c.line) + "\nclose\n", c.program);
        EXPECT_EQ(r.status, script::kStepFailed);
        EXPECT_TRUE(contains(r.errors, "steps.txt:1: " + std::string(c.line))) << r.errors;
        EXPECT_TRUE(contains(r.errors, c.why)) << r.errors;
        EXPECT_TRUE(contains(r.errors, "\"windows\": [")) << r.errors;
        EXPECT_TRUE(trace.empty());
    }
}

// Blanks and comments are skipped but counted, CR LF ends a line like LF; a
// line that is no step (the step reader's tests say which) or a script that
// cannot be read fails the run before the program starts.
TEST(Script, MalformedScriptFailsBeforeTheProgramStarts)
{
    testsupport::TempDir dir;
    Ran r = run("# a comment\r\n\n  \t\n\t# indented\n  click 10\r\n  wait soon\r\n");
    EXPECT_EQ(r.status, script::kStepFailed);
    EXPECT_EQ(r.errors, "script steps.txt:6:   wait soon\n  a number must follow\n");
    testing::internal::CaptureStderr();
    EXPECT_EQ(script::run_script("no-such-script.txt", scripted), script::kStepFailed);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "script no-such-script.txt: cannot be read\n");
    EXPECT_FALSE(programStarted);
}

// The dump of every window, its texts in Windows-1252 written as ASCII
// escapes; a menu bar with a drop-down of eight items (whose count Windows
// answers where a separator's flag lies), a separator, a greyed item and a
// drop-down inside; a list box, a check box and an edit field with their state.
TEST(Golden, ScriptDumpsDescribeEveryWindowAsJson)
{
    testsupport::TempDir dir;
    counted = 0;
    Ran r = run("click 20\ntype Say \"hi\" \\ caf\xe9 \x80\ndump tree.json\nclose\n");
    EXPECT_EQ(r.status, 40) << r.errors;
    EXPECT_TRUE(matches_expected_text(dump_of("tree.json"), "script_scripted.json"));
    r = run("menu File Count\ndump menu.json\nmenu File Exit\n", menued);
    EXPECT_EQ(r.status, 61) << r.errors;
    EXPECT_TRUE(matches_expected_text(dump_of("menu.json"), "script_menued.json"));
    // Selecting an item out of view goes there with the arrow keys.
    r = run("select 41 9\ndump far.json\nselect 41 0\nclick 42\nclick 43\ntype Runes\ndump listed.json\nclose\n",
            listed);
    EXPECT_EQ(r.status, 41) << r.errors;
    EXPECT_TRUE(matches_expected_text(dump_of("far.json"), "script_listed_far.json"));
    EXPECT_TRUE(matches_expected_text(dump_of("listed.json"), "script_listed.json"));
}

TEST(Script, PathsStayWithTheFolderTheRunStartedIn)
{
    testsupport::TempDir dir;
    Ran r = run("dump first.json\nclose\n", [] {
        std::filesystem::create_directory("elsewhere");
        std::filesystem::current_path("elsewhere");
        return scripted();
    });
    EXPECT_EQ(r.status, 40 + counted) << r.errors;
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "first.json"));
}

// The observer sees the program after each input step has been taken (a menu
// once its item is chosen, a message box's answer once the box is gone), never
// after waits and expectations, nor after the step that ends the program; an
// answer other than the empty text fails the run at that step.
TEST(Script, ObserverLooksAfterEachInputStepOnceTheProgramHasTakenIt)
{
    testsupport::TempDir dir;
    counted = 0;
    std::vector<std::string> seen;
    Ran r = run("menu File Count\nwait 10\nexpect-text 30 count 1\nmenu File Count\n"
                "menu Two Words Say Hello\nclick 7\nmenu File Exit\n",
                menued, [&seen](int line) {
                    char text[64] = "";
                    HWND active = GetActiveWindow();
                    GetDlgItemTextA(active, 30, text, sizeof text);
                    GetWindowTextA(active, text + std::strlen(text), 20);
                    seen.push_back(std::to_string(line) + " " + text);
                    return std::string();
                });
    EXPECT_EQ(r.status, 62);
    EXPECT_EQ(seen, (std::vector<std::string>{"1 count 1Menued", "4 count 2Menued", "5 Question", "6 silenceMenued"}));
    const int before = counted;
    r = run("menu File Count\nmenu File Count\nmenu File Count\n", menued,
            [](int line) { return line == 2 ? std::string("two is too many") : std::string(); });
    EXPECT_EQ(r.status, script::kStepFailed);
    EXPECT_EQ(counted - before, 2);   // the third was never given
    EXPECT_TRUE(contains(r.errors, "steps.txt:2: menu File Count\n  failed: two is too many")) << r.errors;
}

// Steps and what reaches the program by them. Button 11 (5..55 units) has its
// left part (5..35) under probe 12, its centre (30) included: the click lands
// just right of the probe; probe 20 sits at 100, 40 units: 150, 65 pixels of
// the client area. While another application has the foreground nothing the
// program shows has the focus, so "a" reaches nobody; back again, the probe
// that had it has it. A key held with a modifier reaches the focus inside
// Ctrl's press. A drag's press at the spot of the click just before it is a
// press of its own, not the second half of a double-click.
TEST(Script, StepsReachTheProgramAsAPersonsInputWould)
{
    struct Case {
        const char *script;
        int status;
        std::vector<std::string> trace;
    };
    const Case cases[] = {
        {"click 11\nclickat 160 70\nclickat 151 66\nclose\n",
         40,
         {"command 11", "20 down 10 5", "20 down 1 1", "close"}},
        {"click 20\ndeactivate\ntype a\nactivate\ntype b\nexpect-text 20 b\nclose\n",
         40,
         {"20 down 67 32", "20 key 66", "close"}},
        {"wait 3500\nexpect-text 31 ticks 3\nwait 0\nwait 499\n"
         "expect-text 31 ticks 3\nwait 1\nexpect-text 31 ticks 4\n",
         script::kScriptRanOut,
         {}},
        {"click 20\nkey CONTROL+a\nexpect-text 20 \x01\nclose\n",
         40,
         {"20 down 67 32", "20 key 17", "20 key 65", "close"}},
        {"click 20\ndrag 20 30 0\ndoubleclick 20\nclose\n",
         40,
         {"20 down 67 32", "20 down 67 32", "20 down 67 32", "20 double", "close"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.script);
        testsupport::TempDir dir;
        trace.clear();
        ticks = 0;
        Ran r = run(c.script);
        EXPECT_EQ(r.status, c.status) << r.errors;
        EXPECT_EQ(trace, c.trace);
    }
}

// The desktop takes a new size.
TEST(Script, ResizeGivesTheDesktopANewSize)
{
    testsupport::TempDir dir;
    std::vector<int> widths;
    Ran r = run("resize 300 200\nresize 1024 768\nclose\n", scripted, [&widths](int) {
        widths.push_back(GetSystemMetrics(SM_CXSCREEN));
        return std::string();
    });
    EXPECT_EQ(r.status, 40) << r.errors;
    EXPECT_EQ(widths, (std::vector<int>{300, 1024}));
}
