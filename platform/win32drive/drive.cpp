// stonecall-drive: runs Stonecall's automation scripts against the Windows
// build from outside, with the same steps, exit statuses and window dump as
// the script runner of our own layer (README, "Automation scripts"): both
// read scripts and write the dump through the same files of platform/testing.
//
//   stonecall-drive SCRIPT PROGRAM.exe [ARGUMENTS...]
//
// The program starts in the current folder with the arguments joined by
// single blanks; files named in steps are taken from that folder too. Each
// step runs once the program waits for input: its thread has emptied its
// queue (WaitForInputIdle) and stays so for a moment. Time is real: `wait`
// sleeps. Input is posted to the program's windows as the system would
// deliver it (mouse buttons at the point clicked, keys to the focus, WM_CHAR
// for typed text); a menu item is chosen as the menu itself does, with
// WM_COMMAND and the item's id.
#include "dump.h"
#include "png.h"
#include "target.h"
#include "testing/menu_entries.h"
#include "testing/script_steps.h"

#include <windows.h>

#include <climits>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace drive {
namespace {

using script::kScriptRanOut;
using script::kStepFailed;
using script::Op;
using script::Step;

// How long the program may stay busy before a step gives up on it, and how
// long its queue must stay empty to count as waiting.
constexpr DWORD kBusyLimitMs = 30000;
constexpr DWORD kQuietMs = 60;
constexpr int kSyncRounds = 3;
// A script has run out only when the program still waits this long after it.
constexpr DWORD kRanOutMs = 1000;
// In real time a screen may still be on its way (a banner whose timer has
// not quite run out) when a step looks for it: expectations and controls get
// this long to appear before the step fails.
constexpr DWORD kGraceMs = 5000;

// `name` as Windows reads a path: as it is with a drive or from the root,
// otherwise in `base`.
std::string in_folder(const std::string &base, const std::string &name)
{
    bool absolute = (name.size() > 1 && name[1] == ':') || (!name.empty() && (name[0] == '\\' || name[0] == '/'));
    return absolute ? name : base + "\\" + name;
}

// Thrown when the script ends the run.
struct Ended {
    int status;
};

class Runner {
  public:
    Runner(std::string path, std::vector<Step> steps, Target target, std::string program)
        : path_(std::move(path)), steps_(std::move(steps)), t_(target), program_(std::move(program))
    {}

    int run()
    {
        try {
            for (const Step &step : steps_) {
                if (!waits_for_input(step)) return exit_code();
                perform(step);
                if (acts(step.op)) taken();
            }
            // A program on its way out may still wait a moment with its
            // windows hidden: it has run out only with a window showing.
            if (!waits_for_input(Step{})) return exit_code();
            Sleep(kRanOutMs);
            if (!waits_for_input(Step{})) return exit_code();
            within_grace([&] { return ended() || (active_window(t_) && IsWindowVisible(active_window(t_))); });
            if (ended()) return exit_code();
            report(0, "", "the script ran out while the program waits for input");
            throw Ended{kScriptRanOut};
        } catch (const Ended &e) {
            TerminateProcess(t_.process, static_cast<UINT>(e.status));
            WaitForSingleObject(t_.process, 5000);
            return e.status;
        }
    }

  private:
    std::string path_;
    std::vector<Step> steps_;
    Target t_;
    std::string program_;
    // Wine keeps a menu's items with the process that made it, so another
    // process reads nothing through the handle. Then the menu is read from
    // the program's own resources; its items have their ids there, but not
    // the states the program gave them since.
    struct ResourceMenu {
        HMODULE module = nullptr;
        HMENU menu = nullptr;
        HMENU get(const std::string &exe)
        {
            if (!module) module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
            if (module && !menu)
                EnumResourceNamesA(module, MAKEINTRESOURCEA(4), first, reinterpret_cast<LONG_PTR>(this));
            return menu;
        }
        static BOOL CALLBACK first(HMODULE m, LPCSTR, LPSTR name, LONG_PTR self)
        {
            reinterpret_cast<ResourceMenu *>(self)->menu = LoadMenuA(m, name);
            return FALSE;
        }
        ~ResourceMenu()
        {
            if (menu) DestroyMenu(menu);
            if (module) FreeLibrary(module);
        }
    } program_menu_;

    static bool acts(Op op)
    {
        return op == Op::Menu || op == Op::Click || op == Op::ClickAt || op == Op::DoubleClick || op == Op::Drag ||
               op == Op::Select || op == Op::Key || op == Op::Type || op == Op::Close;
    }

    // Until the program has taken the input just posted. Its thread answers
    // a sent message each time it looks at its queue, before the posted ones,
    // so a few answered WM_NULLs mean it has gone round its loop with them;
    // until it does, WaitForInputIdle may still answer for the wait before.
    void taken()
    {
        for (int round = 0; round < kSyncRounds && !ended(); ++round) {
            DWORD_PTR ignored;
            HWND w = active_window(t_);
            if (w) SendMessageTimeoutA(w, WM_NULL, 0, 0, SMTO_NORMAL, kBusyLimitMs, &ignored);
            Sleep(kQuietMs);
        }
    }

    bool ended() const { return WaitForSingleObject(t_.process, 0) == WAIT_OBJECT_0; }

    int exit_code() const
    {
        WaitForSingleObject(t_.process, INFINITE);
        DWORD code = 0;
        GetExitCodeProcess(t_.process, &code);
        return static_cast<int>(code);
    }

    // Until the program's thread waits with an empty queue and stays so for
    // a moment (input just posted wakes it first); false once it has ended.
    bool waits_for_input(const Step &step)
    {
        DWORD since = GetTickCount();
        while (GetTickCount() - since < kBusyLimitMs) {
            if (ended()) return false;
            Sleep(kQuietMs);
            if (WaitForInputIdle(t_.process, 100) != 0) continue;
            if (ended()) return false;
            if (active_window(t_)) return true;
        }
        if (ended()) return false;
        failed(step, "the program does not wait for input");
    }

    void report(int line, const std::string &source, const std::string &what)
    {
        if (line) std::fprintf(stderr, "script %s:%d: %s\n  %s\n", path_.c_str(), line, source.c_str(), what.c_str());
        else std::fprintf(stderr, "script %s: %s\n", path_.c_str(), what.c_str());
        std::fputs(dump_json(t_).c_str(), stderr);
        std::fflush(stderr);
    }

    [[noreturn]] void failed(const Step &step, const std::string &why)
    {
        report(step.line, step.source, "failed: " + why);
        throw Ended{kStepFailed};
    }

    // The active window once it shows: one being closed may still hold the
    // activation for a moment after its thread has gone back to waiting.
    HWND active(const Step &step)
    {
        HWND a = nullptr;
        if (!within_grace([&] { return (a = active_window(t_)) && IsWindowVisible(a); }))
            failed(step, "no window is active");
        return a;
    }

    HWND control(const Step &step)
    {
        // The window that holds it may itself be on its way (a message box).
        HWND c = nullptr;
        active(step);
        auto found = [&] {
            HWND a = active_window(t_);
            return a && IsWindowVisible(a) && (c = GetDlgItem(a, static_cast<int>(step.a))) != nullptr;
        };
        if (!within_grace(found)) failed(step, "the active window has no control " + std::to_string(step.a));
        return c;
    }

    // Polls `holds` until it does or the grace time has run out.
    template <class Check>
    bool within_grace(Check holds)
    {
        for (DWORD since = GetTickCount();; Sleep(kQuietMs)) {
            if (holds()) return true;
            if (GetTickCount() - since >= kGraceMs || ended()) return false;
        }
    }

    // The window a click at `pt` (desktop) reaches below `top`: the topmost
    // visible child there, through group boxes, which let clicks pass.
    static HWND window_at(HWND top, POINT pt)
    {
        HWND at = top;
        for (bool deeper = true; deeper;) {
            deeper = false;
            for (HWND k : children(at)) {
                LONG style = GetWindowLongA(k, GWL_STYLE);
                RECT r;
                if (!(style & WS_VISIBLE) || !GetWindowRect(k, &r) || !PtInRect(&r, pt)) continue;
                if (is_class(k, "Button") && (style & BS_TYPEMASK) == BS_GROUPBOX) continue;
                at = k;
                deeper = true;
                break;
            }
        }
        return at;
    }

    // The point nearest the centre of `part` (desktop) where a click reaches `target`.
    bool reachable_point(HWND target, RECT part, POINT &out, std::string &why)
    {
        if (!IsWindowVisible(target)) return why = "it is hidden", false;
        HWND top = GetAncestor(target, GA_ROOT);
        POINT c{(part.left + part.right) / 2, (part.top + part.bottom) / 2};
        long best = LONG_MAX;
        for (LONG y = part.top; y < part.bottom; ++y)
            for (LONG x = part.left; x < part.right; ++x) {
                long d = (x - c.x) * (x - c.x) + (y - c.y) * (y - c.y);
                if (d < best && window_at(top, POINT{x, y}) == target) best = d, out = POINT{x, y};
                if (best == 0) return true;
            }
        if (best == LONG_MAX) return why = "it is wholly covered", false;
        return true;
    }

    // A left click at `pt` (desktop) on the window there: the cursor moves
    // there, the button goes down and up, as the window's own thread sees it.
    void click_at(HWND top, POINT pt)
    {
        HWND w = window_at(top, pt);
        if (!IsWindowEnabled(w)) return;   // a disabled window takes no clicks
        SetCursorPos(pt.x, pt.y);
        POINT c = pt;
        ScreenToClient(w, &c);
        LPARAM at = MAKELPARAM(c.x, c.y);
        PostMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageA(w, WM_LBUTTONUP, 0, at);
    }

    // A mouse message at `pt` (desktop) for `w`, at the point as it lies on
    // the window now (the window may have moved since the press).
    static void post_mouse(HWND w, UINT msg, WPARAM keys, POINT pt)
    {
        SetCursorPos(pt.x, pt.y);
        POINT c = pt;
        ScreenToClient(w, &c);
        PostMessageA(w, msg, keys, MAKELPARAM(c.x, c.y));
    }

    // Two clicks at one spot: the second press is a double-click for a
    // window whose class asks for them (CS_DBLCLKS), as the system makes it.
    void double_click_at(HWND top, POINT pt)
    {
        HWND w = window_at(top, pt);
        if (!IsWindowEnabled(w)) return;
        bool doubles = (GetClassLongA(w, GCL_STYLE) & CS_DBLCLKS) != 0;
        post_mouse(w, WM_LBUTTONDOWN, MK_LBUTTON, pt);
        post_mouse(w, WM_LBUTTONUP, 0, pt);
        post_mouse(w, doubles ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, MK_LBUTTON, pt);
        post_mouse(w, WM_LBUTTONUP, 0, pt);
    }

    // A drag from `pt` (desktop) by (dx, dy) in a few even moves. The window
    // pressed holds the mouse until the release, as its capture makes the
    // system deliver it; each move waits until the program has taken the one
    // before, since the window may follow the mouse.
    void drag_from(HWND top, POINT pt, LONG dx, LONG dy)
    {
        constexpr LONG kSteps = 4;
        HWND w = window_at(top, pt);
        if (!IsWindowEnabled(w)) return;
        post_mouse(w, WM_LBUTTONDOWN, MK_LBUTTON, pt);
        for (LONG i = 1; i <= kSteps; ++i) {
            taken();
            post_mouse(w, WM_MOUSEMOVE, MK_LBUTTON, POINT{pt.x + dx * i / kSteps, pt.y + dy * i / kSteps});
        }
        taken();
        post_mouse(w, WM_LBUTTONUP, 0, POINT{pt.x + dx, pt.y + dy});
    }

    // Where `click ID` clicks the step's control, on the desktop.
    POINT click_point(const Step &step, HWND c)
    {
        RECT r;
        POINT pt;
        std::string why;
        GetWindowRect(c, &r);
        if (!reachable_point(c, r, pt, why))
            failed(step, "control " + std::to_string(step.a) + " cannot be clicked: " + why);
        return pt;
    }

    HWND key_target() { return focus_window(t_) ? focus_window(t_) : active_window(t_); }

    void key(UINT vk)
    {
        HWND to = key_target();
        UINT scan = MapVirtualKeyA(vk, MAPVK_VK_TO_VSC);
        LPARAM down = 1 | static_cast<LPARAM>(scan << 16);
        PostMessageA(to, WM_KEYDOWN, vk, down);
        PostMessageA(to, WM_KEYUP, vk, down | static_cast<LPARAM>(0xC0000000u));
    }

    void perform(const Step &step)
    {
        std::string why;
        POINT pt;
        switch (step.op) {
        case Op::Click: {
            HWND c = control(step);
            click_at(GetAncestor(c, GA_ROOT), click_point(step, c));
            break;
        }
        case Op::DoubleClick: {
            HWND c = control(step);
            double_click_at(GetAncestor(c, GA_ROOT), click_point(step, c));
            break;
        }
        case Op::Drag: {
            HWND c = control(step);
            drag_from(GetAncestor(c, GA_ROOT), click_point(step, c), static_cast<LONG>(step.b),
                      static_cast<LONG>(step.c));
            break;
        }
        case Op::ClickAt: {
            HWND a = active(step);
            pt = POINT{step.a, step.b};
            ClientToScreen(a, &pt);
            click_at(a, pt);
            break;
        }
        case Op::Select:
            select(step);
            break;
        case Op::Key:
            // A character key types its character; TranslateMessage makes it
            // from the key only where no Shift is needed.
            if (step.shift) PostMessageA(key_target(), WM_CHAR, static_cast<BYTE>(step.ch), 1);
            else key(step.vk);
            break;
        case Op::Type:
            for (char c : step.text) PostMessageA(key_target(), WM_CHAR, static_cast<BYTE>(c), 1);
            break;
        case Op::Close:
            // The system close command, as Alt+F4 gives it to any top-level window.
            PostMessageA(active(step), WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
        case Op::Wait:
            Sleep(static_cast<DWORD>(step.a));
            break;
        case Op::Screenshot:
            if (!screenshot(step.text, why)) failed(step, why);
            break;
        case Op::Dump: {
            std::ofstream out(step.text, std::ios::binary | std::ios::trunc);
            out << dump_json(t_);
            out.close();
            if (!out) failed(step, "cannot write " + step.text);
            break;
        }
        case Op::ExpectWindow: {
            std::string title;
            if (!within_grace([&] { return (title = window_text(active(step))) == step.text; }))
                failed(step, "the active window is \"" + title + "\"");
            break;
        }
        case Op::ExpectText: {
            std::string text;
            HWND c = control(step);
            if (!within_grace([&] { return (text = window_text(c)) == step.text; }))
                failed(step, "control " + std::to_string(step.a) + " reads \"" + text + "\"");
            break;
        }
        case Op::Menu:
            menu(step);
            break;
        case Op::Deactivate:
        case Op::Activate:
            failed(step, "another application taking the foreground is left to Windows itself");
            break;
        }
    }

    void select(const Step &step)
    {
        HWND list = control(step);
        if (!is_class(list, "ListBox")) failed(step, "control " + std::to_string(step.a) + " is no list box");
        auto ask = [list](UINT msg) {
            DWORD_PTR r = 0;
            SendMessageTimeoutA(list, msg, 0, 0, SMTO_ABORTIFHUNG, 5000, &r);
            return static_cast<int>(r);
        };
        int count = ask(LB_GETCOUNT), top = ask(LB_GETTOPINDEX), height = ask(LB_GETITEMHEIGHT);
        if (step.b < 0 || step.b >= count)
            failed(step, "item " + std::to_string(step.b) + " of control " + std::to_string(step.a) +
                             " cannot be selected: it has " + std::to_string(count) + " items");
        RECT client;
        GetClientRect(list, &client);
        int row = static_cast<int>(step.b) - top, arrows = 0;
        if (row < 0 || row * height >= client.bottom) arrows = row, row = 0;   // from the first item in view
        RECT item{0, row * height, client.right,
                  (row + 1) * height < client.bottom ? (row + 1) * height : client.bottom};
        MapWindowPoints(list, nullptr, reinterpret_cast<POINT *>(&item), 2);
        POINT pt;
        std::string why;
        if (!reachable_point(list, item, pt, why))
            failed(step, "item " + std::to_string(step.b) + " of control " + std::to_string(step.a) +
                             " cannot be selected: " + why);
        click_at(GetAncestor(list, GA_ROOT), pt);
        for (int i = 0; i < (arrows < 0 ? -arrows : arrows); ++i) key(arrows > 0 ? VK_DOWN : VK_UP);
    }

    // "TOP ITEM": the drop-down whose text (without '&') begins the step,
    // then its item; chosen as the menu does, by WM_COMMAND with the id.
    void menu(const Step &step)
    {
        HWND a = active(step);
        HMENU bar = GetMenu(a);
        if (!bar) failed(step, "the window has no menu");
        // Read from the resources, an item's greyed state is the one it
        // started with, not the program's now: it is not checked then.
        bool live = GetMenuItemCount(bar) > 0;
        if (!live) bar = program_menu_.get(program_);
        if (!bar) failed(step, "the window's menu cannot be read");
        for (size_t blank = step.text.find(' '); blank != std::string::npos; blank = step.text.find(' ', blank + 1)) {
            int top = position_of(bar, step.text.substr(0, blank));
            if (top < 0) continue;
            HMENU drop = GetSubMenu(bar, top);
            std::string item = step.text.substr(blank + 1);
            int i = drop ? position_of(drop, item) : -1;
            if (i < 0)
                failed(step, "the drop-down \"" + step.text.substr(0, blank) + "\" has no item \"" + item + "\"");
            UINT state = GetMenuState(drop, static_cast<UINT>(i), MF_BYPOSITION);
            if (live && (state & (MF_GRAYED | MF_DISABLED))) failed(step, "the item \"" + item + "\" is greyed");
            if (state & MF_POPUP) failed(step, "the item \"" + item + "\" opens a further drop-down");
            PostMessageA(a, WM_COMMAND, MAKEWPARAM(GetMenuItemID(drop, i), 0), 0);
            return;
        }
        failed(step, "no drop-down on the menu bar begins \"" + step.text + "\"");
    }

    // A menu text as a person reads it: without '&' and what follows a tab.
    static std::string plain(const char *text)
    {
        std::string out;
        for (const char *p = text; *p && *p != '\t'; ++p)
            if (*p != '&' || p[1] == '&') out += *p == '&' ? *++p : *p;
        return out;
    }

    static int position_of(HMENU m, const std::string &text)
    {
        char buf[256];
        for (int i = 0, n = GetMenuItemCount(m); i < n; ++i) {
            buf[0] = 0;
            GetMenuStringA(m, static_cast<UINT>(i), buf, sizeof buf, MF_BYPOSITION);
            if (!script::menu_separator(m, i) && plain(buf) == text) return i;
        }
        return -1;
    }

    // The desktop as it shows, like the screenshots of our own layer. Not
    // through PrintWindow: under Wine a device context is the process's own,
    // so another process cannot print into it and the picture stays black.
    bool screenshot(const std::string &path, std::string &why)
    {
        int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void *bits = nullptr;
        HDC screen = GetDC(nullptr);
        HDC desk = CreateCompatibleDC(screen);
        HBITMAP canvas = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(desk, canvas);
        BitBlt(desk, 0, 0, w, h, screen, 0, 0, SRCCOPY);
        GdiFlush();
        std::vector<uint8_t> rgb(static_cast<size_t>(w) * static_cast<size_t>(h) * 3);
        const auto *px = static_cast<const uint8_t *>(bits);
        for (size_t i = 0; i < static_cast<size_t>(w) * static_cast<size_t>(h); ++i) {
            rgb[i * 3] = px[i * 4 + 2];
            rgb[i * 3 + 1] = px[i * 4 + 1];
            rgb[i * 3 + 2] = px[i * 4];
        }
        SelectObject(desk, old);
        DeleteObject(canvas);
        DeleteDC(desk);
        ReleaseDC(nullptr, screen);
        if (!write_png(path, w, h, rgb)) return why = "cannot write " + path, false;
        return true;
    }
};

int run(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: stonecall-drive SCRIPT PROGRAM.exe [ARGUMENTS...]\n");
        return kStepFailed;
    }
    // A thread without a message queue cannot share its input state with
    // the program's (AttachThreadInput): make ours.
    MSG none;
    PeekMessageA(&none, nullptr, 0, 0, PM_NOREMOVE);
    char folder[MAX_PATH];
    GetCurrentDirectoryA(sizeof folder, folder);
    script::Host host;
    host.keyForCharacter = [](char c, unsigned &vk, bool &shift) {
        SHORT scan = VkKeyScanA(c);
        if (scan == -1) return false;
        vk = LOBYTE(scan);
        shift = (scan & 0x100) != 0;
        return true;
    };
    host.pathFromStart = [&folder](const std::string &name) { return in_folder(folder, name); };
    std::vector<Step> steps;
    if (!script::load_steps(argv[1], host, steps)) return kStepFailed;

    std::string line = std::string("\"") + argv[2] + "\"";
    for (int i = 3; i < argc; ++i) line += std::string(" ") + argv[i];
    std::vector<char> cmd(line.begin(), line.end());
    cmd.push_back('\0');
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(argv[2], cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, folder, &si, &pi)) {
        std::fprintf(stderr, "stonecall-drive: cannot start %s (error %lu)\n", argv[2], GetLastError());
        return kStepFailed;
    }
    CloseHandle(pi.hThread);
    Target t{pi.hProcess, pi.dwProcessId, pi.dwThreadId, GetTickCount()};
    int status = Runner(argv[1], std::move(steps), t, argv[2]).run();
    CloseHandle(pi.hProcess);
    return status;
}

}   // namespace
}   // namespace drive

int main(int argc, char **argv) { return drive::run(argc, argv); }
