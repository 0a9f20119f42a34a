// STATIC: text labels (left, centred or right, word-wrapped, '\n' breaking
// lines, '&' underlining the mnemonic unless SS_NOPREFIX), filled rectangles,
// frames and etched lines. The parent chooses the colours through
// WM_CTLCOLORSTATIC. Clicks go through a label to what lies below it unless
// it asks for them with SS_NOTIFY.
#include "user32/control.h"

#include <iterator>
#include <string>

namespace user32 {
namespace {

struct StaticState {
    HFONT font = nullptr;
};

StaticState &STATIC_Get(HWND hwnd) { return *control_state<StaticState>(hwnd); }

DWORD STATIC_Style(HWND hwnd) { return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)); }

// How each type draws: text with DrawTextA's format, a rectangle filled with
// a system colour, a one-pixel frame in one, or an etched edge on some sides.
enum class Kind { Text, Fill, Frame, Etched, Nothing };
struct TypeInfo {
    Kind kind;
    UINT format;   // Text: DrawTextA format; Etched: BF_ sides
    int color;     // Fill, Frame: system colour
};
const TypeInfo types[] = {
    {Kind::Text, DT_LEFT | DT_WORDBREAK, 0},                    // SS_LEFT
    {Kind::Text, DT_CENTER | DT_WORDBREAK, 0},                  // SS_CENTER
    {Kind::Text, DT_RIGHT | DT_WORDBREAK, 0},                   // SS_RIGHT
    {Kind::Nothing, 0, 0},                                      // SS_ICON
    {Kind::Fill, 0, COLOR_3DDKSHADOW},                          // SS_BLACKRECT
    {Kind::Fill, 0, COLOR_3DSHADOW},                            // SS_GRAYRECT
    {Kind::Fill, 0, COLOR_3DHILIGHT},                           // SS_WHITERECT
    {Kind::Frame, 0, COLOR_3DDKSHADOW},                         // SS_BLACKFRAME
    {Kind::Frame, 0, COLOR_3DSHADOW},                           // SS_GRAYFRAME
    {Kind::Frame, 0, COLOR_3DHILIGHT},                          // SS_WHITEFRAME
    {Kind::Nothing, 0, 0},                                      // SS_USERITEM
    {Kind::Text, DT_LEFT | DT_SINGLELINE, 0},                   // SS_SIMPLE
    {Kind::Text, DT_LEFT, 0},                                   // SS_LEFTNOWORDWRAP
    {Kind::Nothing, 0, 0},                                      // SS_OWNERDRAW
    {Kind::Nothing, 0, 0},                                      // SS_BITMAP
    {Kind::Nothing, 0, 0},                                      // SS_ENHMETAFILE
    {Kind::Etched, BF_TOP, 0},                                  // SS_ETCHEDHORZ
    {Kind::Etched, BF_LEFT, 0},                                 // SS_ETCHEDVERT
    {Kind::Etched, BF_RECT, 0},                                 // SS_ETCHEDFRAME
};

TypeInfo STATIC_Info(DWORD style)
{
    const DWORD type = style & SS_TYPEMASK;
    return type < std::size(types) ? types[type] : TypeInfo{Kind::Nothing, 0, 0};
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
    const TypeInfo info = STATIC_Info(STATIC_Style(hwnd));
    // Every kind first asks the parent: it may set the text colour too.
    HBRUSH ground = control_colors(hwnd, dc, WM_CTLCOLORSTATIC);
    switch (info.kind) {
    case Kind::Text:
        FillRect(dc, &r, ground);
        STATIC_PaintText(hwnd, dc, r, info.format);
        break;
    case Kind::Fill:
        FillRect(dc, &r, GetSysColorBrush(info.color));
        break;
    case Kind::Frame:
        FillRect(dc, &r, ground);
        for (const RECT &side : {RECT{r.left, r.top, r.right, r.top + 1}, RECT{r.left, r.bottom - 1, r.right, r.bottom},
                                 RECT{r.left, r.top, r.left + 1, r.bottom}, RECT{r.right - 1, r.top, r.right, r.bottom}})
            FillRect(dc, &side, GetSysColorBrush(info.color));
        break;
    case Kind::Etched:
        FillRect(dc, &r, ground);
        DrawEdge(dc, &r, EDGE_ETCHED, info.format);
        break;
    case Kind::Nothing:
        FillRect(dc, &r, ground);
        break;
    }
    EndPaint(hwnd, &ps);
}

} // namespace
} // namespace user32

using namespace user32;

LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_NCCREATE:
        control_attach<StaticState>(hwnd);
        break;
    case WM_NCHITTEST:
        if (!(STATIC_Style(hwnd) & SS_NOTIFY)) return HTTRANSPARENT;
        break;
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
