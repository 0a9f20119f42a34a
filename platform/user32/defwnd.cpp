// The default window procedure, and the text calls that go through it.
#include "user32/internal.h"

#include <algorithm>
#include <cstring>

namespace user32 {
namespace {

LRESULT DEFWND_GetText(Window &w, WPARAM size, LPSTR buf)
{
    if (!buf || size == 0) return 0;
    size_t n = std::min(w.text.size(), static_cast<size_t>(size) - 1);
    std::memcpy(buf, w.text.data(), n);
    buf[n] = '\0';
    return static_cast<LRESULT>(n);
}

LRESULT DEFWND_SysCommand(HWND hwnd, WPARAM cmd)
{
    switch (cmd & 0xFFF0) {
    case SC_CLOSE: SendMessageA(hwnd, WM_CLOSE, 0, 0); break;
    case SC_MAXIMIZE: ShowWindow(hwnd, SW_SHOWMAXIMIZED); break;
    case SC_RESTORE: ShowWindow(hwnd, SW_RESTORE); break;
    }
    return 0;
}

} // namespace
} // namespace user32

using namespace user32;

LRESULT WINAPI DefWindowProcA(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    WindowRef w = ref(hwnd);
    if (!w) return 0;
    switch (msg) {
    case WM_NCCREATE:
        return TRUE;
    case WM_SETTEXT:
        w->text = lp ? reinterpret_cast<LPCSTR>(lp) : "";
        return TRUE;
    case WM_GETTEXT:
        return DEFWND_GetText(*w, wp, reinterpret_cast<LPSTR>(lp));
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(w->text.size());
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_SYSCOMMAND:
        return DEFWND_SysCommand(hwnd, wp);
    case WM_NCHITTEST:
        return nonclient_hit_test(*w, POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))});
    case WM_NCLBUTTONUP:
        // A press released over the close box is the close request.
        if (wp == HTCLOSE) SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, lp);
        return 0;
    case WM_SYSKEYDOWN:
        // Alt+F4 closes the top-level window, as its close box does.
        if (wp == VK_F4 && (lp & (1 << 29))) SendMessageA(top_level_of(hwnd), WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return paint_erase(*w, reinterpret_cast<HDC>(wp), w->cls->background);
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<LRESULT>(paint_default_ctlcolor(msg, reinterpret_cast<HDC>(wp)));
    case WM_ACTIVATE:
        // An activated window takes the focus.
        if (LOWORD(wp) != WA_INACTIVE) SetFocus(hwnd);
        return 0;
    }
    return 0;
}

BOOL WINAPI SetWindowTextA(HWND hwnd, LPCSTR text)
{
    return IsWindow(hwnd) && SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

int WINAPI GetWindowTextA(HWND hwnd, LPSTR buf, int max)
{
    if (buf && max > 0) buf[0] = '\0';
    if (!buf || max <= 0) return 0;
    return static_cast<int>(SendMessageA(hwnd, WM_GETTEXT, static_cast<WPARAM>(max), reinterpret_cast<LPARAM>(buf)));
}

int WINAPI GetWindowTextLengthA(HWND hwnd) { return static_cast<int>(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0)); }

BOOL WINAPI SetDlgItemTextA(HWND dlg, int id, LPCSTR text)
{
    HWND item = GetDlgItem(dlg, id);
    return item && SendMessageA(item, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

UINT WINAPI GetDlgItemTextA(HWND dlg, int id, LPSTR buf, int max)
{
    // A missing control leaves an empty string.
    if (buf && max > 0) buf[0] = '\0';
    HWND item = GetDlgItem(dlg, id);
    return item ? static_cast<UINT>(GetWindowTextA(item, buf, max)) : 0;
}
