// BUTTON: push buttons (the default one framed in black), automatic check
// boxes and group boxes, the kinds the program uses, in the classic 3D look.
// A click released over the button, Space or BM_CLICK tells the parent with
// BN_CLICKED; a check box has flipped its check by then. A group box is a
// frame with a caption: it takes no input and leaves the inside of its frame
// to what lies below it. Any other type is drawn and works as a push button.
#include "user32/compositor.h"
#include "user32/control.h"

#include "gdi32/dc.h"

#include <algorithm>

namespace user32 {
namespace {

struct ButtonState {
    LONG_PTR state = 0;     // BST_CHECKED, BST_PUSHED, BST_FOCUS
    HFONT font = nullptr;   // WM_SETFONT's; the DC's own when null
};

ButtonState &BUTTON_Get(HWND hwnd) { return *control_state<ButtonState>(hwnd); }

UINT BUTTON_Type(HWND hwnd) { return static_cast<UINT>(GetWindowLongA(hwnd, GWL_STYLE)) & BS_TYPEMASK; }

void BUTTON_SetState(HWND hwnd, LONG_PTR flag, bool on)
{
    ButtonState &b = BUTTON_Get(hwnd);
    const LONG_PTR n = on ? (b.state | flag) : (b.state & ~flag);
    if (n == b.state) return;
    b.state = n;
    InvalidateRect(hwnd, nullptr, FALSE);
}

// A click: a check box flips first, then the parent hears.
void BUTTON_Click(HWND hwnd);

bool BUTTON_Inside(HWND hwnd, LPARAM lp)
{
    RECT r;
    GetClientRect(hwnd, &r);
    POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    return PtInRect(&r, p);
}

void BUTTON_Release(HWND hwnd, bool click)
{
    const bool wasPushed = (BUTTON_Get(hwnd).state & BST_PUSHED) != 0;
    BUTTON_SetState(hwnd, BST_PUSHED, false);
    if (GetCapture() == hwnd) ReleaseCapture();
    if (wasPushed && click) BUTTON_Click(hwnd);
}

// ---- Painting ----

void BUTTON_Line(HDC dc, int l, int t, int r, int b, int color)
{
    const RECT rc{l, t, r, b};
    FillRect(dc, &rc, GetSysColorBrush(color));
}

// One ring just inside r: top and left in one colour, bottom and right in another.
void BUTTON_Ring(HDC dc, RECT &r, int topLeft, int bottomRight)
{
    BUTTON_Line(dc, r.left, r.top, r.right - 1, r.top + 1, topLeft);
    BUTTON_Line(dc, r.left, r.top, r.left + 1, r.bottom - 1, topLeft);
    BUTTON_Line(dc, r.left, r.bottom - 1, r.right, r.bottom, bottomRight);
    BUTTON_Line(dc, r.right - 1, r.top, r.right, r.bottom, bottomRight);
    InflateRect(&r, -1, -1);
}

void BUTTON_Text(HWND hwnd, HDC dc, RECT r, UINT format)
{
    char text[256];
    GetWindowTextA(hwnd, text, sizeof text);
    if (!IsWindowEnabled(hwnd)) {
        control_grey_text(dc, text, r, format);
        return;
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawTextA(dc, text, -1, &r, format);
}

// The push button: raised, sunk while pressed (its caption one pixel down and
// right), a black ring outside when it is the default one, the dotted focus
// rectangle inside.
void BUTTON_PaintPush(HWND hwnd, HDC dc, const ButtonState &b, RECT r)
{
    const RECT client = r;
    FillRect(dc, &r, GetSysColorBrush(COLOR_3DFACE));
    const bool pushed = (b.state & BST_PUSHED) != 0;
    if (BUTTON_Type(hwnd) == BS_DEFPUSHBUTTON || pushed) BUTTON_Ring(dc, r, COLOR_3DDKSHADOW, COLOR_3DDKSHADOW);
    if (pushed) {
        BUTTON_Ring(dc, r, COLOR_3DSHADOW, COLOR_3DSHADOW);
        OffsetRect(&r, 1, 1);
    } else {
        BUTTON_Ring(dc, r, COLOR_3DHILIGHT, COLOR_3DDKSHADOW);
        BUTTON_Ring(dc, r, COLOR_3DLIGHT, COLOR_3DSHADOW);
    }
    BUTTON_Text(hwnd, dc, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (b.state & BST_FOCUS) {
        RECT f = client;
        InflateRect(&f, -4, -4);
        DrawFocusRect(dc, &f);
    }
}

constexpr int kBoxSize = 13;

// The check box: a sunken square, white (face colour while pressed or
// disabled), with the check mark when checked; the caption after it with
// the focus rectangle around it.
void BUTTON_PaintCheck(HWND hwnd, HDC dc, const ButtonState &b, RECT r)
{
    FillRect(dc, &r, control_colors(hwnd, dc, WM_CTLCOLORSTATIC));
    const bool enabled = IsWindowEnabled(hwnd) != FALSE;
    const int top = (r.bottom - r.top - kBoxSize) / 2;
    RECT box{r.left, top, r.left + kBoxSize, top + kBoxSize};
    BUTTON_Ring(dc, box, COLOR_3DSHADOW, COLOR_3DHILIGHT);
    BUTTON_Ring(dc, box, COLOR_3DDKSHADOW, COLOR_3DLIGHT);
    FillRect(dc, &box, GetSysColorBrush((b.state & BST_PUSHED) || !enabled ? COLOR_3DFACE : COLOR_WINDOW));
    if (b.state & BST_CHECKED)
        control_check_mark(dc, box.left + 1, box.top + 1, enabled ? COLOR_WINDOWTEXT : COLOR_3DSHADOW);
    RECT text{r.left + kBoxSize + 4, r.top, r.right, r.bottom};
    BUTTON_Text(hwnd, dc, text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    if (b.state & BST_FOCUS) {
        char t[256];
        GetWindowTextA(hwnd, t, sizeof t);
        RECT f = text;
        DrawTextA(dc, t, -1, &f, DT_LEFT | DT_SINGLELINE | DT_CALCRECT);
        const int h = f.bottom - f.top;
        f.top = text.top + (text.bottom - text.top - h) / 2;
        f.bottom = f.top + h;
        InflateRect(&f, 1, 1);
        IntersectRect(&f, &f, &r);
        DrawFocusRect(dc, &f);
    }
}

// The group box: an etched frame from half the caption's height down, the
// caption over it on the dialog's colour. Everything else is a hole.
void BUTTON_PaintGroup(HWND hwnd, HDC dc, const ButtonState &, RECT r)
{
    HBRUSH ground = control_colors(hwnd, dc, WM_CTLCOLORSTATIC);
    char text[256];
    GetWindowTextA(hwnd, text, sizeof text);
    RECT cap{r.left + 8, r.top, r.right - 8, r.bottom};
    DrawTextA(dc, text[0] ? text : " ", -1, &cap, DT_LEFT | DT_SINGLELINE | DT_CALCRECT);
    RECT frame{r.left, r.top + (cap.bottom - cap.top) / 2, r.right, r.bottom};
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (!text[0]) return;
    cap.right = std::min(cap.right + 2, r.right - 6);
    cap.left -= 2;
    FillRect(dc, &cap, ground);
    cap.left += 2;
    BUTTON_Text(hwnd, dc, cap, DT_LEFT | DT_SINGLELINE);
}

// What each type is: its dialog code, whether it has a check (which a click
// flips), and how it looks.
using Painter = void (*)(HWND, HDC, const ButtonState &, RECT);
struct TypeInfo {
    UINT dlgCode;
    bool check;
    Painter paint;
};

TypeInfo BUTTON_Info(UINT type)
{
    switch (type) {
    case BS_PUSHBUTTON:
        return {DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON, false, BUTTON_PaintPush};
    case BS_DEFPUSHBUTTON:
        return {DLGC_BUTTON | DLGC_DEFPUSHBUTTON, false, BUTTON_PaintPush};
    case BS_AUTOCHECKBOX:
        return {DLGC_BUTTON, true, BUTTON_PaintCheck};
    case BS_GROUPBOX:
        return {DLGC_STATIC, false, BUTTON_PaintGroup};   // its mnemonic moves on, as a label's
    }
    return {DLGC_BUTTON, false, BUTTON_PaintPush};
}

void BUTTON_Click(HWND hwnd)
{
    if (BUTTON_Info(BUTTON_Type(hwnd)).check)
        SendMessageA(hwnd, BM_SETCHECK, (BUTTON_Get(hwnd).state & BST_CHECKED) ? BST_UNCHECKED : BST_CHECKED, 0);
    control_notify(hwnd, BN_CLICKED);
}

void BUTTON_Paint(HWND hwnd)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    const ButtonState &b = BUTTON_Get(hwnd);
    if (b.font) SelectObject(dc, b.font);
    RECT r;
    GetClientRect(hwnd, &r);
    const UINT type = BUTTON_Type(hwnd);
    if (Window *w = type == BS_GROUPBOX ? find(hwnd) : nullptr)
        raster::fill_rect(w->surface.canvas, raster::bounds(w->surface.canvas), kHolePixel, gdi::to_canvas(ps.rcPaint));
    BUTTON_Info(type).paint(hwnd, dc, b, r);
    EndPaint(hwnd, &ps);
}

}   // namespace
}   // namespace user32

using namespace user32;

LRESULT CALLBACK ButtonWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    const UINT type = BUTTON_Type(hwnd);
    const TypeInfo info = BUTTON_Info(type);
    switch (msg) {
    case WM_NCCREATE:
        control_attach<ButtonState>(hwnd);
        break;
    case WM_CREATE:
        // The group box shows what lies below its frame.
        if (type == BS_GROUPBOX)
            SetWindowLongA(hwnd, GWL_EXSTYLE, GetWindowLongA(hwnd, GWL_EXSTYLE) | WS_EX_TRANSPARENT);
        return 0;
    case WM_NCHITTEST:
        // A group box is a frame around other controls: clicks go through it.
        if (type == BS_GROUPBOX) return HTTRANSPARENT;
        break;
    case WM_GETDLGCODE:
        return info.dlgCode;
    case WM_SETFONT:
        BUTTON_Get(hwnd).font = reinterpret_cast<HFONT>(wp);
        if (LOWORD(lp)) InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(BUTTON_Get(hwnd).font);
    case WM_PAINT:
        BUTTON_Paint(hwnd);
        return 0;
    case WM_ERASEBKGND:
        return TRUE;   // the painters cover every pixel
    case WM_SETTEXT:
        DefWindowProcA(hwnd, msg, wp, lp);
        InvalidateRect(hwnd, nullptr, TRUE);
        return TRUE;
    case WM_LBUTTONDBLCLK:   // the second press of a double-click is a press
    case WM_LBUTTONDOWN:
        if (type == BS_GROUPBOX) return 0;
        SetFocus(hwnd);
        SetCapture(hwnd);
        BUTTON_SetState(hwnd, BST_PUSHED, true);
        return 0;
    case WM_MOUSEMOVE:
        if (GetCapture() == hwnd) BUTTON_SetState(hwnd, BST_PUSHED, BUTTON_Inside(hwnd, lp));
        return 0;
    case WM_LBUTTONUP:
        if (GetCapture() == hwnd) BUTTON_Release(hwnd, BUTTON_Inside(hwnd, lp));
        return 0;
    case WM_KEYDOWN:
        if (wp == VK_SPACE && type != BS_GROUPBOX) BUTTON_SetState(hwnd, BST_PUSHED, true);
        return 0;
    case WM_KEYUP:
        if (wp == VK_SPACE) BUTTON_Release(hwnd, true);
        return 0;
    case WM_CAPTURECHANGED:
    case WM_KILLFOCUS:
        // Losing the mouse or the focus half-way cancels the press.
        if (msg == WM_KILLFOCUS) BUTTON_SetState(hwnd, BST_FOCUS, false);
        if (BUTTON_Get(hwnd).state & BST_PUSHED) BUTTON_Release(hwnd, false);
        return 0;
    case WM_SETFOCUS:
        BUTTON_SetState(hwnd, BST_FOCUS, true);
        return 0;
    case BM_CLICK:
        SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        SendMessageA(hwnd, WM_LBUTTONUP, 0, 0);
        return 0;
    case BM_GETCHECK:
        return info.check ? (BUTTON_Get(hwnd).state & BST_CHECKED) : 0;
    case BM_SETCHECK:
        if (info.check) BUTTON_SetState(hwnd, BST_CHECKED, (wp & BST_CHECKED) != 0);
        return 0;
    case BM_GETSTATE:
        return BUTTON_Get(hwnd).state;
    case BM_SETSTYLE:
        SetWindowLongA(hwnd, GWL_STYLE,
                       static_cast<LONG>((GetWindowLongA(hwnd, GWL_STYLE) & ~BS_TYPEMASK) | (wp & BS_TYPEMASK)));
        if (lp) InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_ENABLE:
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

BOOL WINAPI CheckDlgButton(HWND dlg, int id, UINT check)
{
    HWND b = GetDlgItem(dlg, id);
    if (!b) return FALSE;
    SendMessageA(b, BM_SETCHECK, check, 0);
    return TRUE;
}

UINT WINAPI IsDlgButtonChecked(HWND dlg, int id)
{
    HWND b = GetDlgItem(dlg, id);
    return b ? static_cast<UINT>(SendMessageA(b, BM_GETCHECK, 0, 0)) : 0;
}
