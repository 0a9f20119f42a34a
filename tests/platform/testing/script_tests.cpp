// Automation scripts against a small program of test templates (script.rc):
// the program runs on the test's thread and the script acts inside its waits,
// so the run's exit status comes back from run_script.
#include "platform/rc/embedded.h"
#include "support/json.h"
#include "support/tempdir.h"

#include "driver/headless/headless.h"
#include "gdi32/png.h"
#include "rc/module.h"
#include "testing/script.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using testsupport::Json;

namespace {

// What reached the program, one line each.
std::vector<std::string> trace;
int counted = 0;
int ticks = 0;
bool programStarted = false;

void note(const std::string &s) { trace.push_back(s); }

// A probe control: notes clicks (client coordinates) and keys, takes the
// focus when clicked and keeps the characters typed into it as its text.
LRESULT CALLBACK ProbeProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    int id = GetDlgCtrlID(hwnd);
    switch (msg) {
    case WM_GETDLGCODE:
        return DLGC_WANTCHARS | DLGC_WANTARROWS;
    case WM_LBUTTONDOWN:
        SetFocus(hwnd);
        note(std::to_string(id) + " down " + std::to_string(LOWORD(lp)) + " " + std::to_string(HIWORD(lp)));
        return 0;
    case WM_KEYDOWN:
        note(std::to_string(id) + " key " + std::to_string(wp));
        return 0;
    case WM_CHAR: {
        char text[256];
        GetWindowTextA(hwnd, text, sizeof text);
        std::string s = text;
        s += static_cast<char>(wp);
        SetWindowTextA(hwnd, s.c_str());
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
            SendDlgItemMessageA(dlg, 41, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(("Item " + std::to_string(i)).c_str()));
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
        if (LOWORD(wp) == IDCANCEL || LOWORD(wp) == IDOK) {
            DestroyWindow(dlg);
            PostQuitMessage(50 + counted);
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
    HINSTANCE module = rc::register_module(image, size);
    WNDCLASSA wc{};
    wc.lpfnWndProc = ProbeProc;
    wc.lpszClassName = "ScriptProbe";
    RegisterClassA(&wc);
    HWND dlg = CreateDialogParamA(module, MAKEINTRESOURCEA(templateId), nullptr, ScriptedProc, 0);
    if (!dlg) return -1;
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
int eight() { return program_of(604); }

// Runs the script text against the program, capturing standard error.
struct Ran {
    int status;
    std::string errors;
};

Ran run(const std::string &script, int (*program)() = scripted)
{
    testsupport::write_bytes("steps.txt", script);
    testing::internal::CaptureStderr();
    int status = script::run_script("steps.txt", program);
    return Ran{status, testing::internal::GetCapturedStderr()};
}

bool contains(const std::string &s, const std::string &part) { return s.find(part) != std::string::npos; }

Json read_dump(const std::string &name)
{
    Json j;
    std::string error;
    EXPECT_TRUE(testsupport::parse_json(testsupport::read_bytes(name), j, &error)) << error << testsupport::read_bytes(name);
    return j;
}

const Json *child_with_id(const Json &window, long long id)
{
    for (const Json &c : window["children"].array)
        if (c["id"].integer() == id) return &c;
    return nullptr;
}

} // namespace

TEST(Script, StepsDriveTheProgramUntilItEndsWithItsOwnCode)
{
    testsupport::TempDir dir;
    Ran r = run("# count twice, then type into the probe\n"
                "click 10\n"
                "click 10   # a trailing comment\n"
                "expect-text 30 count 2\n"
                "\n"
                "   # an indented comment\n"
                "click 20\n"
                "type Hello, World!\r\n"
                "key +\n"
                "key ADD\n"
                "expect-text 20 Hello, World!++\n"
                "expect-window Scripted\n"
                "close\n"
                "key RETURN\n");   // never reached: the program has ended
    EXPECT_EQ(r.status, 42) << r.errors;
    EXPECT_EQ(counted, 2);
    EXPECT_EQ(trace.back(), "close");
    EXPECT_EQ(r.errors, "");
}

TEST(Script, EscapeAndReturnReachTheDialogAsKeys)
{
    testsupport::TempDir dir;
    EXPECT_EQ(run("click 10\nkey ESCAPE\n").status, 51);
    trace.clear();
    counted = 0;
    // Return presses the default button: here none, so Windows answers IDOK.
    EXPECT_EQ(run("key RETURN\n", [] { return program_of(601); }).status, 50);
}

TEST(Script, ClickAtTakesClientCoordinatesOfTheActiveWindow)
{
    testsupport::TempDir dir;
    // The probe 20 sits at 100, 40 units: 150, 65 pixels of the client area.
    Ran r = run("clickat 160 70\nclickat 151 66\n");
    EXPECT_EQ(r.status, script::SCRIPT_RAN_OUT);
    EXPECT_EQ(trace, (std::vector<std::string>{"20 down 10 5", "20 down 1 1"}));
}

TEST(Script, ClickAimsAtTheVisiblePointNearestTheCentre)
{
    testsupport::TempDir dir;
    // Button 11 (5..55 units) has its left part (5..35) under probe 12, its
    // centre (30) included: the click lands just right of the probe.
    Ran r = run("click 11\n");
    EXPECT_EQ(r.status, script::SCRIPT_RAN_OUT);
    EXPECT_EQ(trace, (std::vector<std::string>{"command 11"}));
}

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
        {"expect-text 99 x", "no control 99", scripted},
        {"menu Two Words Greyed", "is greyed", menued},
        {"menu Two Words Deeper", "further drop-down", menued},
        {"menu File Nothing", "has no item \"Nothing\"", menued},
        {"menu Nowhere Count", "no drop-down", menued},
        {"menu FileCount", "no drop-down", menued},
        {"menu File Count", "has no menu", scripted},
        {"select 41 10", "it has 10 items", listed},
        {"select 41 -1", "it has 10 items", listed},
        {"select 42 0", "it is no list box", listed},
        {"select 77 0", "no control 77", listed},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.line);
        testsupport::TempDir dir;
        trace.clear();
        Ran r = run(std::string(c.line) + "\nclose\n", c.program);
        EXPECT_EQ(r.status, script::STEP_FAILED);
        EXPECT_TRUE(contains(r.errors, "steps.txt:1: " + std::string(c.line))) << r.errors;
        EXPECT_TRUE(contains(r.errors, c.why)) << r.errors;
        EXPECT_TRUE(contains(r.errors, "\"windows\": [")) << r.errors;
        EXPECT_TRUE(trace.empty());
    }
}

TEST(Script, FailedExpectationsEndTheRunWithStatus3)
{
    testsupport::TempDir dir;
    Ran r = run("expect-text 30 count 1\n");
    EXPECT_EQ(r.status, script::STEP_FAILED);
    EXPECT_TRUE(contains(r.errors, "control 30 reads \"count 0\"")) << r.errors;
    r = run("expect-window Other\n");
    EXPECT_EQ(r.status, script::STEP_FAILED);
    EXPECT_TRUE(contains(r.errors, "the active window is \"Scripted\"")) << r.errors;
}

TEST(Script, ScriptThatRunsOutWhileTheProgramWaitsEndsWithStatus4)
{
    testsupport::TempDir dir;
    Ran r = run("click 10\n");
    EXPECT_EQ(r.status, script::SCRIPT_RAN_OUT);
    EXPECT_EQ(counted, 1);
    EXPECT_TRUE(contains(r.errors, "ran out")) << r.errors;
    r = run("");
    EXPECT_EQ(r.status, script::SCRIPT_RAN_OUT);
}

// (What makes a line no step, and what it says, is the step reader's tests'.)
TEST(Script, MalformedScriptFailsBeforeTheProgramStarts)
{
    testsupport::TempDir dir;
    Ran r = run("click 10\n# then\nwait soon\n");
    EXPECT_EQ(r.status, script::STEP_FAILED);
    EXPECT_FALSE(programStarted);
    EXPECT_TRUE(contains(r.errors, "steps.txt:3:")) << r.errors;
    EXPECT_EQ(script::run_script("no-such-script.txt", scripted), script::STEP_FAILED);
    EXPECT_FALSE(programStarted);
}

TEST(Script, KeysByNameFollowTheNumLockToggle)
{
    testsupport::TempDir dir;
    Ran r = run("click 20\n"
                "key NUMPAD8\n"   // NumLock starts off: the keypad's 8 is Up
                "key NUMLOCK\n"
                "key NUMPAD8\n"
                "key LEFT\n"
                "key F10\n"       // a system key: the dialog's, not the probe's
                "key a\n"
                "key A\n"
                "dump keys.json\n");
    EXPECT_EQ(r.status, script::SCRIPT_RAN_OUT) << r.errors;
    // The click lands at the probe's centre (135 x 65 pixels); Shift comes
    // before the capital.
    auto key = [](UINT vk) { return "20 key " + std::to_string(vk); };
    EXPECT_EQ(trace, (std::vector<std::string>{"20 down 67 32", key(VK_UP), key(VK_NUMLOCK), key(VK_NUMPAD8),
                                               key(VK_LEFT), key('A'), key(VK_SHIFT), key('A')}));
    Json dump = read_dump("keys.json");
    EXPECT_TRUE(dump["numlock"].boolean);
    EXPECT_EQ(child_with_id(dump["windows"].array.at(0), 20)->operator[]("text").string, "8aA");
}

TEST(Script, WaitLetsTheProgramRunThatLong)
{
    testsupport::TempDir dir;
    Ran r = run("wait 3500\n"
                "expect-text 31 ticks 3\n"
                "wait 0\n"
                "wait 499\n"
                "expect-text 31 ticks 3\n"
                "wait 1\n"
                "expect-text 31 ticks 4\n"
                "dump clock.json\n");
    EXPECT_EQ(r.status, script::SCRIPT_RAN_OUT) << r.errors;
    EXPECT_EQ(read_dump("clock.json")["clock_ms"].integer(), 4000);
}

TEST(Script, DumpDescribesEveryWindowAsJson)
{
    testsupport::TempDir dir;
    // Quotes, a backslash, e acute and the euro sign of Windows-1252.
    Ran r = run("click 20\n"
                "type Say \"hi\" \\ caf\xe9 \x80\n"
                "dump tree.json\n");
    ASSERT_EQ(r.status, script::SCRIPT_RAN_OUT) << r.errors;
    std::string text = testsupport::read_bytes("tree.json");
    for (unsigned char c : text) EXPECT_LT(c, 0x80) << "the dump is ASCII";
    Json dump = read_dump("tree.json");
    ASSERT_EQ(dump["windows"].array.size(), 1u);
    const Json &dlg = dump["windows"].array[0];
    EXPECT_EQ(dlg["class"].string, "#32770");
    EXPECT_EQ(dlg["text"].string, "Scripted");
    EXPECT_EQ(dump["active"].integer(), dlg["handle"].integer());
    EXPECT_NE(dlg["handle"].integer(), 0);
    EXPECT_EQ(dlg["style"].integer(), WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_SETFONT);
    EXPECT_TRUE(dlg["visible"].boolean);
    ASSERT_EQ(dlg["rect"].array.size(), 4u);
    // 200 x 120 units of 6 x 13 pixels: a 300 x 195 client area in the frame.
    RECT frame = {0, 0, 300, 195};
    AdjustWindowRectEx(&frame, WS_POPUP | WS_CAPTION | WS_SYSMENU, FALSE, 0);
    EXPECT_EQ(dlg["rect"].array[2].integer(), frame.right - frame.left);
    EXPECT_EQ(dlg["rect"].array[3].integer(), frame.bottom - frame.top);

    const Json &children = dlg["children"];
    ASSERT_EQ(children.array.size(), 9u);
    EXPECT_EQ(children.array[0]["id"].integer(), 10);   // topmost first: the template's order
    const Json *probe = child_with_id(dlg, 20);
    ASSERT_NE(probe, nullptr);
    EXPECT_EQ(dump["focus"].integer(), (*probe)["handle"].integer());
    EXPECT_EQ((*probe)["class"].string, "ScriptProbe");
    EXPECT_EQ((*probe)["text"].string, "Say \"hi\" \\ caf\xc3\xa9 \xe2\x82\xac");
    EXPECT_EQ((*probe)["rect"].array[0].integer() - dlg["rect"].array[0].integer(), 150 + (frame.right - 300));
    EXPECT_EQ((*probe)["rect"].array[2].integer(), 135);
    EXPECT_EQ((*probe)["rect"].array[3].integer(), 65);
    const Json *hidden = child_with_id(dlg, 15);
    ASSERT_NE(hidden, nullptr);
    EXPECT_FALSE((*hidden)["visible"].boolean);
    EXPECT_TRUE((*hidden)["enabled"].boolean);
    EXPECT_EQ((*hidden)["text"].string, "Hidden");
    EXPECT_EQ(dump["clock_ms"].integer(), 0);
    EXPECT_FALSE(dump["numlock"].boolean);
}

TEST(Script, ScreenshotWritesThePictureOfTheDesktop)
{
    testsupport::TempDir dir;
    drv::headless().set_desktop_size(SIZE{640, 480});
    Ran r = run("screenshot shot.png\nscreenshot no/such/folder/shot.png\n");
    EXPECT_EQ(r.status, script::STEP_FAILED);
    EXPECT_TRUE(contains(r.errors, "steps.txt:2:")) << r.errors;
    gfx::Surface shot;
    std::string error;
    ASSERT_TRUE(gfx::read_png("shot.png", shot, &error)) << error;
    EXPECT_EQ(shot.canvas.width, 640);
    EXPECT_EQ(shot.canvas.height, 480);
    // The desktop's teal ground around the dialog at the top left.
    EXPECT_EQ(shot.canvas.row(470)[630], 0x008080u);
}

TEST(Script, PathsStayWithTheFolderTheRunStartedIn)
{
    testsupport::TempDir dir;
    std::string start = dir.path().string();
    Ran r = run("click 10\ndump first.json\n", [] {
        std::filesystem::create_directory("elsewhere");
        std::filesystem::current_path("elsewhere");
        return scripted();
    });
    EXPECT_EQ(r.status, script::SCRIPT_RAN_OUT) << r.errors;
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "first.json"));
}

TEST(Script, CloseIsTheSystemCommandEvenWithoutACloseBox)
{
    testsupport::TempDir dir;
    Ran r = run("close\n", [] { return program_of(601); });
    EXPECT_EQ(r.status, 40) << r.errors;
    EXPECT_EQ(trace, (std::vector<std::string>{"close"}));
}

TEST(Script, RunProgramTakesTheScriptFromTheEnvironment)
{
    testsupport::TempDir dir;
    unsetenv("STONECALL_SCRIPT");
    EXPECT_EQ(script::run_program([] { return 17; }), 17);
    testsupport::write_bytes("env.txt", "click 10\nclose\n");
    setenv("STONECALL_SCRIPT", "env.txt", 1);
    EXPECT_EQ(script::run_program(scripted), 41);
    unsetenv("STONECALL_SCRIPT");
}

TEST(Script, MenuChoosesAnItemByItsTextsThroughTheMenuBar)
{
    testsupport::TempDir dir;
    Ran r = run("menu File Count\n"
                "menu File Count\n"
                "expect-text 30 count 2\n"
                "menu Two Words Say Hello\n"   // a blank in the title; the keys after the tab are not part of it
                "expect-window Question\n"
                "click 6\n"                    // the message box's Yes
                "expect-window Menued\n"
                "expect-text 30 hello\n"
                "dump menu.json\n"
                "menu File Exit\n",
                menued);
    EXPECT_EQ(r.status, 62) << r.errors;
    EXPECT_EQ(trace, (std::vector<std::string>{"command 10", "command 10", "command 16", "command 3"}));

    Json dump = read_dump("menu.json");
    const Json &bar = dump["windows"].array.at(0)["menu"];
    ASSERT_EQ(bar.array.size(), 2u);
    EXPECT_EQ(bar.array[0]["text"].string, "&File");
    EXPECT_EQ(bar.array[0]["id"].integer(), -1);
    const Json &file = bar.array[0]["items"];
    ASSERT_EQ(file.array.size(), 2u);
    EXPECT_EQ(file.array[1]["text"].string, "E&xit");
    EXPECT_EQ(file.array[1]["id"].integer(), 3);
    EXPECT_FALSE(file.array[1]["greyed"].boolean);
    const Json &two = bar.array[1]["items"];
    ASSERT_EQ(two.array.size(), 4u);
    EXPECT_EQ(two.array[0]["text"].string, "Say &Hello\tCtrl+H");
    EXPECT_TRUE(two.array[1]["separator"].boolean);
    EXPECT_FALSE(two.array[0].has("separator"));
    EXPECT_TRUE(two.array[2]["greyed"].boolean);
    EXPECT_EQ(two.array[3]["items"].array.at(0)["id"].integer(), 18);
    // Children have no menu, and a window without a bar says nothing of one.
    EXPECT_FALSE(dump["windows"].array[0]["children"].array.at(0).has("menu"));
}

TEST(Script, ADropDownOfEightItemsIsNoSeparator)
{
    // Eight items set the bit of MF_SEPARATOR in the drop-down's state.
    testsupport::TempDir dir;
    Ran r = run("menu Many Count\n"
                "expect-text 30 count 1\n"
                "dump eight.json\n",
                eight);
    EXPECT_EQ(r.status, script::SCRIPT_RAN_OUT) << r.errors;
    Json dump = read_dump("eight.json");
    const Json &bar = dump["windows"].array.at(0)["menu"];
    ASSERT_EQ(bar.array.size(), 1u);
    EXPECT_EQ(bar.array[0]["text"].string, "&Many");
    EXPECT_FALSE(bar.array[0].has("separator"));
    EXPECT_EQ(bar.array[0]["items"].array.size(), 8u);
}

TEST(Script, SelectClicksTheItemOrReachesItWithArrowKeys)
{
    testsupport::TempDir dir;
    Ran r = run("select 41 2\n"
                "dump shown.json\n"
                "select 41 9\n"   // out of view: the first item in view, then Down
                "dump far.json\n"
                "select 41 0\n"   // scrolled away upwards: Up from the first in view
                "dump back.json\n",
                listed);
    EXPECT_EQ(r.status, script::SCRIPT_RAN_OUT) << r.errors;
    const char *files[] = {"shown.json", "far.json", "back.json"};
    const long long expected[] = {2, 9, 0};
    for (int i = 0; i < 3; ++i) {
        Json dump = read_dump(files[i]);
        const Json *list = child_with_id(dump["windows"].array.at(0), 41);
        ASSERT_NE(list, nullptr);
        EXPECT_EQ((*list)["selected"].integer(), expected[i]) << files[i];
        ASSERT_EQ((*list)["items"].array.size(), 10u);
        EXPECT_EQ((*list)["items"].array[7].string, "Item 7");
        EXPECT_EQ(dump["focus"].integer(), (*list)["handle"].integer());
    }
}

TEST(Script, CheckBoxesAndEditFieldsShowTheirStateInTheDump)
{
    testsupport::TempDir dir;
    Ran r = run("dump before.json\n"
                "click 42\n"
                "click 43\n"
                "type Runes\n"
                "expect-text 43 Runes\n"
                "dump after.json\n",
                listed);
    EXPECT_EQ(r.status, script::SCRIPT_RAN_OUT) << r.errors;
    Json before = read_dump("before.json"), after = read_dump("after.json");
    const Json &dlg = after["windows"].array.at(0);
    EXPECT_FALSE((*child_with_id(before["windows"].array.at(0), 42))["checked"].boolean);
    EXPECT_TRUE((*child_with_id(dlg, 42))["checked"].boolean);
    EXPECT_EQ((*child_with_id(dlg, 43))["text"].string, "Runes");
    EXPECT_EQ((*child_with_id(dlg, 43))["class"].string, "EDIT");
    EXPECT_FALSE(child_with_id(dlg, 43)->has("checked"));
    EXPECT_FALSE(child_with_id(dlg, 42)->has("items"));
}

TEST(Script, MessageBoxButtonsAreClickedByTheirIds)
{
    testsupport::TempDir dir;
    Ran r = run("menu Two Words Say Hello\n"
                "click 7\n"   // No
                "expect-text 30 silence\n"
                "menu Two Words Say Hello\n"
                "click 1\n",   // a Yes/No box has no OK
                menued);
    EXPECT_EQ(r.status, script::STEP_FAILED);
    EXPECT_TRUE(contains(r.errors, "steps.txt:5: click 1")) << r.errors;
    EXPECT_TRUE(contains(r.errors, "the active window has no control 1")) << r.errors;
    EXPECT_TRUE(contains(r.errors, "\"text\": \"Question\"")) << r.errors;
}

// The observer sees the program after each input step has been taken (a menu
// once its item is chosen, a message box's answer once the box is gone), never
// after waits and expectations, nor after the step that ends the program.
TEST(Script, ObserverLooksAfterEachInputStepOnceTheProgramHasTakenIt)
{
    testsupport::TempDir dir;
    testsupport::write_bytes("steps.txt", "menu File Count\n"
                                          "wait 10\n"
                                          "expect-text 30 count 1\n"
                                          "menu File Count\n"
                                          "menu Two Words Say Hello\n"
                                          "click 7\n"
                                          "menu File Exit\n");
    std::vector<std::string> seen;
    int status = script::run_script("steps.txt", menued, [&seen](int line) {
        char text[64] = "";
        HWND active = GetActiveWindow();
        GetDlgItemTextA(active, 30, text, sizeof text);
        GetWindowTextA(active, text + std::strlen(text), 20);
        seen.push_back(std::to_string(line) + " " + text);
        return std::string();
    });
    EXPECT_EQ(status, 62);
    EXPECT_EQ(seen, (std::vector<std::string>{"1 count 1Menued", "4 count 2Menued", "5 Question", "6 silenceMenued"}));
}

TEST(Script, ObserverThatObjectsFailsTheRunAtThatStep)
{
    testsupport::TempDir dir;
    testsupport::write_bytes("steps.txt", "click 10\n"
                                          "click 10\n"
                                          "click 10\n");
    int before = counted;
    testing::internal::CaptureStderr();
    int status = script::run_script("steps.txt", scripted, [](int line) {
        return line == 2 ? std::string("two is too many") : std::string();
    });
    std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, script::STEP_FAILED);
    EXPECT_EQ(counted - before, 2);   // the third click was never given
    EXPECT_TRUE(contains(errors, "steps.txt:2: click 10\n  failed: two is too many")) << errors;
}
