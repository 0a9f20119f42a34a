// STATIC: text labels (left, centred or right, word-wrapped, '\n' breaking
// lines, '&' underlining the mnemonic unless SS_NOPREFIX), the kinds the
// program uses; any other type shows only its ground. The parent chooses the
// colours through WM_CTLCOLORSTATIC. Clicks go through a label to what lies
// below it.
#include "user32/control.h"

#include <string>

namespace user32 {
namespace {

struct StaticState {
    HFONT font = nullptr;
};

StaticState &STATIC_Get(HWND hwnd) { return *control_state<StaticState>(hwnd); }

DWORD STATIC_Style(HWND hwnd) { return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)); }

// The DrawTextA format of each text type; 0 for a type that draws no text.
UINT STATIC_Format(DWORD style)
{
    switch (style & SS_TYPEMASK) {
    case SS_LEFT:
        return DT_LEFT | DT_WORDBREAK;
    case SS_CENTER:
        return DT_CENTER | DT_WORDBREAK;
    case SS_RIGHT:
        return DT_RIGHT | DT_WORDBREAK;
    }
    return 0;
}

void STATIC_PaintText(HWND hwnd, HDC dc, RECT r, UINT format)
{
    if (STATIC_Style(hwnd) & SS_NOPREFIX) format |= DT_NOPREFIX;
    const int len = GetWindowTextLengthA(hwnd);
    std::string text(static_cast<size_t>(len) + 1, '\0');
    GetWindowTextA(hwnd, text.data(), len + 1);
    if (!IsWindowEnabled(hwnd)) {
        control_grey_text(dc, text.c_str(), r, format);
        return;
    }
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, text.c_str(), len, &r, format);
}

void STATIC_Paint(HWND hwnd)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (HFONT f = STATIC_Get(hwnd).font) SelectObject(dc, f);
    RECT r;
    GetClientRect(hwnd, &r);
    // The parent is asked first: it may set the text colour too.
    FillRect(dc, &r, control_colors(hwnd, dc, WM_CTLCOLORSTATIC));
    if (const UINT format = STATIC_Format(STATIC_Style(hwnd))) STATIC_PaintText(hwnd, dc, r, format);
    EndPaint(hwnd, &ps);
}

}   // namespace
}   // namespace user32

using namespace user32;

LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_NCCREATE:
        control_attach<StaticState>(hwnd);
        break;
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case WM_SETFONT:
        STATIC_Get(hwnd).font = reinterpret_cast<HFONT>(wp);
        if (LOWORD(lp)) InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(STATIC_Get(hwnd).font);
    case WM_PAINT:
        STATIC_Paint(hwnd);
        return 0;
    case WM_ERASEBKGND:
        return TRUE;   // the painter fills everything with the parent's brush
    case WM_SETTEXT:
        DefWindowProcA(hwnd, msg, wp, lp);
        InvalidateRect(hwnd, nullptr, TRUE);
        return TRUE;
    case WM_ENABLE:
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}
