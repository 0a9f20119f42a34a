#include "support/msgseq.h"

#include "user32/window_internal.h"

#include <sstream>

namespace msgseq {
namespace {

struct Name {
    UINT msg;
    const char *name;
};
const Name names[] = {
    {WM_NULL, "WM_NULL"},
    {WM_CREATE, "WM_CREATE"},
    {WM_DESTROY, "WM_DESTROY"},
    {WM_MOVE, "WM_MOVE"},
    {WM_SIZE, "WM_SIZE"},
    {WM_ACTIVATE, "WM_ACTIVATE"},
    {WM_SETFOCUS, "WM_SETFOCUS"},
    {WM_KILLFOCUS, "WM_KILLFOCUS"},
    {WM_ENABLE, "WM_ENABLE"},
    {WM_SETTEXT, "WM_SETTEXT"},
    {WM_GETTEXT, "WM_GETTEXT"},
    {WM_GETTEXTLENGTH, "WM_GETTEXTLENGTH"},
    {WM_PAINT, "WM_PAINT"},
    {WM_CLOSE, "WM_CLOSE"},
    {WM_QUIT, "WM_QUIT"},
    {WM_ERASEBKGND, "WM_ERASEBKGND"},
    {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
    {WM_NEXTDLGCTL, "WM_NEXTDLGCTL"},
    {WM_SETFONT, "WM_SETFONT"},
    {WM_GETFONT, "WM_GETFONT"},
    {WM_NCCREATE, "WM_NCCREATE"},
    {WM_NCDESTROY, "WM_NCDESTROY"},
    {WM_GETDLGCODE, "WM_GETDLGCODE"},
    {WM_KEYDOWN, "WM_KEYDOWN"},
    {WM_KEYUP, "WM_KEYUP"},
    {WM_CHAR, "WM_CHAR"},
    {WM_SYSKEYDOWN, "WM_SYSKEYDOWN"},
    {WM_SYSKEYUP, "WM_SYSKEYUP"},
    {WM_SYSCHAR, "WM_SYSCHAR"},
    {WM_INITDIALOG, "WM_INITDIALOG"},
    {WM_COMMAND, "WM_COMMAND"},
    {WM_SYSCOMMAND, "WM_SYSCOMMAND"},
    {WM_TIMER, "WM_TIMER"},
    {WM_CTLCOLORDLG, "WM_CTLCOLORDLG"},
    {WM_MOUSEMOVE, "WM_MOUSEMOVE"},
    {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
    {WM_LBUTTONUP, "WM_LBUTTONUP"},
    {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"},
    {BM_CLICK, "BM_CLICK"},
    {BM_SETSTYLE, "BM_SETSTYLE"},
    {DM_GETDEFID, "DM_GETDEFID"},
    {DM_SETDEFID, "DM_SETDEFID"},
    {WM_USER + 100, "WM_USER+100"},
};

LRESULT CALLBACK recorder(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    How how = user32::current_delivery() == user32::Delivery::Posted ? Posted : Sent;
    log().push_back(Seen{hwnd, msg, wp, lp, how});
    return DefWindowProcA(hwnd, msg, wp, lp);
}

}   // namespace

std::vector<Seen> &log()
{
    static std::vector<Seen> l;
    return l;
}

const char *recorder_class()
{
    static bool registered = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = recorder;
        wc.lpszClassName = "Recorder";
        return RegisterClassA(&wc) != 0;
    }();
    return registered ? "Recorder" : nullptr;
}

INT_PTR CALLBACK recording_dlgproc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    How how = user32::current_delivery() == user32::Delivery::Posted ? Posted : Sent;
    log().push_back(Seen{hwnd, msg, wp, lp, how});
    return msg == WM_INITDIALOG;
}

std::string name(UINT msg)
{
    for (const Name &n : names)
        if (n.msg == msg) return n.name;
    if (msg >= WM_USER) return "WM_USER+" + std::to_string(msg - WM_USER);
    std::ostringstream s;
    s << "0x" << std::hex << msg;
    return s.str();
}

std::string describe(const std::vector<Seen> &list)
{
    std::ostringstream s;
    for (const Seen &e : list) {
        s << "  " << name(e.msg) << " wp=" << e.wp << " lp=" << e.lp << " hwnd=" << e.hwnd
          << (e.how == Sent     ? " sent"
              : e.how == Posted ? " posted"
                                : "")
          << "\n";
    }
    if (list.empty()) s << "  (nothing)\n";
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
                                         << describe(expected) << "actual:\n"
                                         << describe(actual);
}

}   // namespace msgseq
