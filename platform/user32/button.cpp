// BUTTON: what the dialog keyboard needs of push buttons. A click (released
// over the button), Space or BM_CLICK tells the parent with BN_CLICKED; the
// button's dialog code says whether it is the default push button. How it
// looks, and check boxes and radio buttons, belong to the controls.
#include <windows.h>

#include <iterator>

namespace {

// The button's state lives in its window's extra bytes.
constexpr int STATE_OFFSET = 0;

UINT BUTTON_Type(HWND hwnd) { return static_cast<UINT>(GetWindowLongA(hwnd, GWL_STYLE)) & BS_TYPEMASK; }

LONG_PTR BUTTON_State(HWND hwnd) { return GetWindowLongPtrA(hwnd, STATE_OFFSET); }

void BUTTON_SetState(HWND hwnd, LONG_PTR flag, bool on)
{
    LONG_PTR s = BUTTON_State(hwnd);
    LONG_PTR n = on ? (s | flag) : (s & ~flag);
    if (n == s) return;
    SetWindowLongPtrA(hwnd, STATE_OFFSET, n);
    InvalidateRect(hwnd, nullptr, FALSE);
}

// Dialog codes by button type (the low four bits of the style).
const UINT dlgCodes[] = {
    DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON,   // BS_PUSHBUTTON
    DLGC_BUTTON | DLGC_DEFPUSHBUTTON,     // BS_DEFPUSHBUTTON
    DLGC_BUTTON,                          // BS_CHECKBOX
    DLGC_BUTTON,                          // BS_AUTOCHECKBOX
    DLGC_BUTTON | DLGC_RADIOBUTTON,       // BS_RADIOBUTTON
    DLGC_BUTTON,                          // BS_3STATE
    DLGC_BUTTON,                          // BS_AUTO3STATE
    DLGC_STATIC,                          // BS_GROUPBOX: its mnemonic moves on, as a label's
    DLGC_BUTTON,                          // BS_USERBUTTON
    DLGC_BUTTON | DLGC_RADIOBUTTON,       // BS_AUTORADIOBUTTON
    DLGC_BUTTON,                          // BS_PUSHBOX
    DLGC_BUTTON,                          // BS_OWNERDRAW
};

void BUTTON_Click(HWND hwnd)
{
    SendMessageA(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), BN_CLICKED),
                 reinterpret_cast<LPARAM>(hwnd));
}

bool BUTTON_Inside(HWND hwnd, LPARAM lp)
{
    RECT r;
    GetClientRect(hwnd, &r);
    POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    return PtInRect(&r, p);
}

void BUTTON_Release(HWND hwnd, bool click)
{
    bool wasPushed = (BUTTON_State(hwnd) & BST_PUSHED) != 0;
    BUTTON_SetState(hwnd, BST_PUSHED, false);
    if (GetCapture() == hwnd) ReleaseCapture();
    if (wasPushed && click) BUTTON_Click(hwnd);
}

} // namespace

LRESULT CALLBACK ButtonWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    UINT type = BUTTON_Type(hwnd);
    switch (msg) {
    case WM_NCHITTEST:
        // A group box is a frame around other controls: clicks go through it.
        if (type == BS_GROUPBOX) return HTTRANSPARENT;
        break;
    case WM_GETDLGCODE:
        return type < std::size(dlgCodes) ? dlgCodes[type] : DLGC_BUTTON;
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
        if (BUTTON_State(hwnd) & BST_PUSHED) BUTTON_Release(hwnd, false);
        return 0;
    case WM_SETFOCUS:
        BUTTON_SetState(hwnd, BST_FOCUS, true);
        return 0;
    case BM_CLICK:
        SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        SendMessageA(hwnd, WM_LBUTTONUP, 0, 0);
        return 0;
    case BM_GETSTATE:
        return BUTTON_State(hwnd);
    case BM_SETSTATE:
        BUTTON_SetState(hwnd, BST_PUSHED, wp != 0);
        return 0;
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
