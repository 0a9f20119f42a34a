// The default window procedure, and the text calls that go through it.
#include "user32/internal.h"
#include "user32/menu_internal.h"
#include "user32/movesize.h"

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

// Alt or F10 pressed and released with nothing in between enters the menu bar.
struct MenuKeys {
    bool alt = false;
    bool f10 = false;
};

MenuKeys &menu_keys()
{
    static MenuKeys k;
    return k;
}

POINT point_of(LPARAM lp) { return POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))}; }

LRESULT DEFWND_SysCommand(HWND hwnd, WPARAM cmd, LPARAM lp)
{
    switch (cmd & 0xFFF0) {
    case SC_CLOSE:
        // A greyed Close (a Yes/No message box) refuses the close box, Alt+F4 and the driver's close alike.
        if (close_box_enabled(hwnd)) SendMessageA(hwnd, WM_CLOSE, 0, 0);
        break;
    case SC_MINIMIZE:
        ShowWindow(hwnd, SW_MINIMIZE);
        break;
    case SC_MAXIMIZE:
        ShowWindow(hwnd, SW_SHOWMAXIMIZED);
        break;
    case SC_RESTORE:
        ShowWindow(hwnd, SW_RESTORE);
        break;
    case SC_MOVE:
    case SC_SIZE:
        move_size_loop(hwnd, cmd, point_of(lp));
        break;
    case SC_KEYMENU:
        menu_track_keyboard(hwnd, static_cast<unsigned char>(lp));
        break;
    case SC_MOUSEMENU:
        if ((cmd & 0xF) == HTSYSMENU) menu_track_system(hwnd, true);
        else menu_track_mouse(hwnd, point_of(lp));
        break;
    }
    return 0;
}

// A press on the menu bar opens the menu under it, one on the system menu's
// place that menu; one on a scroll bar scrolls. The caption of a window that
// is neither minimised nor maximised moves it, a sizing border sizes it.
LRESULT DEFWND_NcButtonDown(const Window &w, WPARAM hit, LPARAM lp)
{
    const HWND hwnd = w.handle;
    const bool normal = !(w.style & (WS_MINIMIZE | WS_MAXIMIZE));
    if (hit == HTMENU) SendMessageA(hwnd, WM_SYSCOMMAND, SC_MOUSEMENU, lp);
    else if (hit == HTSYSMENU) SendMessageA(hwnd, WM_SYSCOMMAND, SC_MOUSEMENU + HTSYSMENU, lp);
    else if (hit == HTVSCROLL) scroll_bar_press(hwnd, point_of(lp));
    else if (hit == HTCAPTION && normal) SendMessageA(hwnd, WM_SYSCOMMAND, SC_MOVE + HTCAPTION, lp);
    else if (hit >= HTLEFT && hit <= HTBOTTOMRIGHT && normal)
        SendMessageA(hwnd, WM_SYSCOMMAND, SC_SIZE + (hit - HTLEFT + WMSZ_LEFT), lp);
    return 0;
}

// SetWindowPos's default: WM_MOVE with the client area's new place, WM_SIZE
// with its new size.
void DEFWND_PosChanged(const Window &w, const WINDOWPOS &pos)
{
    const HWND hwnd = w.handle;
    const RECT c = client_rect_in_window(w);
    if (!(pos.flags & SWP_NOMOVE)) SendMessageA(hwnd, WM_MOVE, 0, MAKELPARAM(w.rect.left + c.left, w.rect.top + c.top));
    if (!(pos.flags & SWP_NOSIZE) && IsWindow(hwnd))
        SendMessageA(hwnd, WM_SIZE, 0, MAKELPARAM(c.right - c.left, c.bottom - c.top));
}

// A press released over a caption button is its command; a press on the
// caption of a minimised window restores it.
LRESULT DEFWND_NcButtonUp(HWND hwnd, WPARAM hit, LPARAM lp)
{
    DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    WPARAM cmd = 0;
    switch (hit) {
    case HTCLOSE:
        cmd = SC_CLOSE;
        break;
    case HTMINBUTTON:
        cmd = (style & WS_MINIMIZE) ? SC_RESTORE : SC_MINIMIZE;
        break;
    case HTMAXBUTTON:
        cmd = (style & (WS_MAXIMIZE | WS_MINIMIZE)) == WS_MAXIMIZE ? SC_RESTORE : SC_MAXIMIZE;
        break;
    case HTCAPTION:
        cmd = (style & WS_MINIMIZE) ? SC_RESTORE : 0;
        break;
    }
    if (cmd) SendMessageA(hwnd, WM_SYSCOMMAND, cmd, lp);
    return 0;
}

LRESULT DEFWND_SysKey(HWND hwnd, UINT msg, WPARAM vk, LPARAM lp)
{
    MenuKeys &k = menu_keys();
    HWND top = top_level_of(hwnd);
    if (msg == WM_SYSKEYDOWN) {
        bool repeat = (lp & (1 << 30)) != 0;
        if (!repeat) {
            k.alt = vk == VK_MENU;
            k.f10 = vk == VK_F10;
        }
        // Alt+F4 closes the top-level window, as its close box does.
        if (vk == VK_F4 && (lp & (1 << 29))) SendMessageA(top, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    }
    bool enter = (vk == VK_MENU && k.alt) || (vk == VK_F10 && k.f10);
    k = MenuKeys{};
    if (enter) SendMessageA(top, WM_SYSCOMMAND, SC_KEYMENU, 0);
    return 0;
}

LRESULT DEFWND_SysChar(HWND hwnd, WPARAM ch, LPARAM lp)
{
    menu_keys() = MenuKeys{};
    // Alt+letter opens the menu with that mnemonic; Alt+Tab and Alt+Esc are not ours.
    if ((lp & (1 << 29)) && ch && ch != '\t' && ch != 0x1B)
        SendMessageA(top_level_of(hwnd), WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(ch));
    return 0;
}

}   // namespace
}   // namespace user32

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
        return DEFWND_SysCommand(hwnd, wp, lp);
    case WM_NCHITTEST:
        return nonclient_hit_test(*w, POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))});
    case WM_NCLBUTTONDOWN:
        return DEFWND_NcButtonDown(*w, wp, lp);
    case WM_WINDOWPOSCHANGED:
        DEFWND_PosChanged(*w, *reinterpret_cast<const WINDOWPOS *>(lp));
        return 0;
    case WM_NCLBUTTONUP:
        return DEFWND_NcButtonUp(hwnd, wp, lp);
    case WM_NCLBUTTONDBLCLK:
        // On the caption: maximise or restore a window that can be maximised
        // (a minimised one is restored); on a scroll bar: one more press.
        if (wp == HTCAPTION && (w->style & (WS_MAXIMIZEBOX | WS_MINIMIZE)))
            SendMessageA(hwnd, WM_SYSCOMMAND, (w->style & (WS_MAXIMIZE | WS_MINIMIZE)) ? SC_RESTORE : SC_MAXIMIZE, lp);
        if (wp == HTVSCROLL)
            scroll_bar_press(hwnd, POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))});
        return 0;
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        return DEFWND_SysKey(hwnd, msg, wp, lp);
    case WM_SYSCHAR:
        return DEFWND_SysChar(hwnd, wp, lp);
    case WM_NCDESTROY:
        menu_forget_window(*w);
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
    case WM_NCACTIVATE:
        return TRUE;   // the caption is drawn as GetActiveWindow says
    case WM_CANCELMODE:
        // An open menu, a pressed Alt's way into the menu bar and the capture end.
        menu_keys() = MenuKeys{};
        menu_cancel(hwnd);
        if (GetCapture() == hwnd) ReleaseCapture();
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
