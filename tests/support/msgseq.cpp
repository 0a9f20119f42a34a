#include "support/msgseq.h"

#include "user32/window_internal.h"

#include <sstream>

namespace msgseq {
namespace {

void record(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    log().push_back(Seen{hwnd, msg, wp, lp, user32::current_delivery() == user32::Delivery::Posted ? Posted : Sent});
}

LRESULT CALLBACK recorder(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    record(hwnd, msg, wp, lp);
    return DefWindowProcA(hwnd, msg, wp, lp);
}

const char *how_text(How how) { return how == Sent ? " sent" : how == Posted ? " posted" : ""; }

}   // namespace

std::vector<Seen> &log()
{
    static std::vector<Seen> l;
    return l;
}

const char *recorder_class() { return window_class("Recorder", recorder); }

const char *window_class(const char *name, WNDPROC proc, UINT style, int background)
{
    WNDCLASSA wc{};
    wc.style = style;
    wc.lpfnWndProc = proc;
    wc.lpszClassName = name;
    wc.hbrBackground = background < 0 ? nullptr : reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(background + 1));
    RegisterClassA(&wc);   // once: the later calls find it there
    return name;
}

HWND window(const char *title, DWORD style, HWND parent, RECT at, int id)
{
    return CreateWindowExA(0, recorder_class(), title, style, at.left, at.top, at.right, at.bottom, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

INT_PTR CALLBACK recording_dlgproc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    record(hwnd, msg, wp, lp);
    return msg == WM_INITDIALOG;
}

std::string name(UINT msg)
{
    if (msg >= WM_USER) return "WM_USER+" + std::to_string(msg - WM_USER);
    std::ostringstream s;
    s << "0x" << std::hex << msg;
    return s.str();
}

std::string text(const std::vector<Seen> &list, const std::vector<std::pair<HWND, std::string>> &labels)
{
    const auto label = [&](uintptr_t value, const char *other) {
        for (const auto &[hwnd, name] : labels)
            if (reinterpret_cast<uintptr_t>(hwnd) == value) return name;
        if (other) return std::string(other);
        std::ostringstream s;
        s << std::hex << value;
        return s.str();
    };
    std::ostringstream s;
    for (const Seen &e : list) {
        s << label(reinterpret_cast<uintptr_t>(e.hwnd), "?") << ' ' << name(e.msg) << ' ' << label(e.wp, nullptr) << ' '
          << label(static_cast<uintptr_t>(e.lp), nullptr) << how_text(e.how) << '\n';
    }
    return s.str();
}

std::vector<Seen> select(HWND hwnd, std::vector<UINT> only)
{
    std::vector<Seen> out;
    for (const Seen &e : log()) {
        if (hwnd && e.hwnd != hwnd) continue;
        if (!only.empty() && std::find(only.begin(), only.end(), e.msg) == only.end()) continue;
        out.push_back(e);
    }
    return out;
}

std::vector<WORD> notes(HWND parent, int id)
{
    std::vector<WORD> out;
    for (const Seen &s : select(parent, {WM_COMMAND}))
        if (LOWORD(s.wp) == id) out.push_back(HIWORD(s.wp));
    return out;
}

::testing::AssertionResult same(const char *call, const std::vector<Seen> &expected, const std::vector<Seen> &actual,
                                bool compareParams)
{
    bool ok = expected.size() == actual.size();
    for (size_t i = 0; ok && i < expected.size(); ++i) {
        const Seen &x = expected[i], &a = actual[i];
        ok = x.msg == a.msg && (!x.hwnd || x.hwnd == a.hwnd) && (x.how == Any || x.how == a.how) &&
             (!compareParams || (x.wp == a.wp && x.lp == a.lp));
    }
    if (ok) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << call << ": the messages differ\nexpected:\n"
                                         << text(expected, {}) << "actual:\n"
                                         << text(actual, {});
}

}   // namespace msgseq
