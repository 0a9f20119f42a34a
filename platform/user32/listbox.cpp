// LISTBOX: a single-selection list of strings in the order they were added.
// A click, the arrow keys or an item's first letter select; the vertical
// scroll bar (WS_VSCROLL) and the mouse wheel scroll. The bar shows only while
// the items do not all fit, unless LBS_DISABLENOSCROLL keeps it (disabled).
// Without LBS_NOTIFY the parent hears nothing and asks with LB_GETCURSEL;
// with it a change of selection by the user sends LBN_SELCHANGE, and a
// double-click LBN_DBLCLK.
#include "user32/control.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace user32 {
namespace {

struct ListBoxState {
    HFONT font = nullptr;
    std::vector<std::string> items;
    int selected = LB_ERR;
    int top = 0;
    int itemHeight = 13;
    int askedHeight = -1;   // the client height it was made with
    bool focus = false;
    bool hasBar = false;   // made with WS_VSCROLL
};

ListBoxState &LISTBOX_Get(HWND hwnd) { return *control_state<ListBoxState>(hwnd); }

int LISTBOX_Count(const ListBoxState &l) { return static_cast<int>(l.items.size()); }

bool LISTBOX_Valid(const ListBoxState &l, WPARAM index)
{
    return static_cast<int>(index) >= 0 && static_cast<int>(index) < LISTBOX_Count(l);
}

int LISTBOX_Visible(HWND hwnd, const ListBoxState &l)
{
    RECT r;
    GetClientRect(hwnd, &r);
    return std::max(1, static_cast<int>(r.bottom) / l.itemHeight);
}

// The list box is made just tall enough for whole items of its font (from the height it was made with), as Windows
// sizes it, so no item shows cut in half.
void LISTBOX_IntegralHeight(HWND hwnd, ListBoxState &l)
{
    RECT c, w;
    GetClientRect(hwnd, &c);
    if (l.askedHeight < 0) l.askedHeight = c.bottom;
    const int want = l.askedHeight > l.itemHeight ? l.askedHeight - l.askedHeight % l.itemHeight : l.askedHeight;
    if (want == c.bottom) return;
    GetWindowRect(hwnd, &w);
    SetWindowPos(hwnd, nullptr, 0, 0, w.right - w.left, w.bottom - w.top + (want - c.bottom),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void LISTBOX_Measure(HWND hwnd)
{
    ListBoxState &l = LISTBOX_Get(hwnd);
    HDC dc = CreateCompatibleDC(nullptr);
    if (l.font) SelectObject(dc, l.font);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    l.itemHeight = std::max<LONG>(1, tm.tmHeight);
    DeleteDC(dc);
    LISTBOX_IntegralHeight(hwnd, l);
}

void LISTBOX_UpdateScrollBar(HWND hwnd, const ListBoxState &l)
{
    if (!l.hasBar) return;
    SCROLLINFO si{sizeof si,
                  SIF_RANGE | SIF_PAGE | SIF_POS,
                  0,
                  std::max(0, LISTBOX_Count(l) - 1),
                  static_cast<UINT>(LISTBOX_Visible(hwnd, l)),
                  l.top,
                  0};
    SetScrollInfo(hwnd, SB_VERT, &si, TRUE);
    const bool keep = (GetWindowLongA(hwnd, GWL_STYLE) & LBS_DISABLENOSCROLL) != 0;
    ShowScrollBar(hwnd, SB_VERT, keep || LISTBOX_Count(l) > LISTBOX_Visible(hwnd, l));
}

void LISTBOX_ScrollTo(HWND hwnd, int top)
{
    ListBoxState &l = LISTBOX_Get(hwnd);
    top = std::clamp(top, 0, std::max(0, LISTBOX_Count(l) - LISTBOX_Visible(hwnd, l)));
    if (top != l.top) {
        l.top = top;
        InvalidateRect(hwnd, nullptr, TRUE);
    }
    LISTBOX_UpdateScrollBar(hwnd, l);
}

void LISTBOX_ShowItem(HWND hwnd, int index)
{
    const ListBoxState &l = LISTBOX_Get(hwnd);
    if (index < 0) return;
    if (index < l.top) LISTBOX_ScrollTo(hwnd, index);
    else if (index >= l.top + LISTBOX_Visible(hwnd, l)) LISTBOX_ScrollTo(hwnd, index - LISTBOX_Visible(hwnd, l) + 1);
}

void LISTBOX_Select(HWND hwnd, int index)
{
    ListBoxState &l = LISTBOX_Get(hwnd);
    if (index != l.selected) InvalidateRect(hwnd, nullptr, TRUE);
    l.selected = index;
    LISTBOX_ShowItem(hwnd, index);
}

// A selection the user made: the parent hears of a change only with LBS_NOTIFY.
void LISTBOX_UserSelect(HWND hwnd, int index)
{
    ListBoxState &l = LISTBOX_Get(hwnd);
    index = std::clamp(index, 0, LISTBOX_Count(l) - 1);
    if (LISTBOX_Count(l) == 0) return;
    const bool changed = index != l.selected;
    LISTBOX_Select(hwnd, index);
    if (changed && (GetWindowLongA(hwnd, GWL_STYLE) & LBS_NOTIFY)) control_notify(hwnd, LBN_SELCHANGE);
}

void LISTBOX_KeyDown(HWND hwnd, WPARAM vk)
{
    const ListBoxState &l = LISTBOX_Get(hwnd);
    const int page = LISTBOX_Visible(hwnd, l), cur = l.selected;
    switch (vk) {
    case VK_UP:
    case VK_LEFT:
        LISTBOX_UserSelect(hwnd, cur < 0 ? 0 : cur - 1);
        break;
    case VK_DOWN:
    case VK_RIGHT:
        LISTBOX_UserSelect(hwnd, cur + 1);
        break;
    case VK_PRIOR:
        LISTBOX_UserSelect(hwnd, cur - (page - 1));
        break;
    case VK_NEXT:
        LISTBOX_UserSelect(hwnd, cur + (page - 1));
        break;
    case VK_HOME:
        LISTBOX_UserSelect(hwnd, 0);
        break;
    case VK_END:
        LISTBOX_UserSelect(hwnd, LISTBOX_Count(l) - 1);
        break;
    }
}

// Windows-1252 letters in either case, for comparing first letters.
unsigned char LISTBOX_Lower(unsigned char c)
{
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return static_cast<unsigned char>(c + 0x20);
    return c;
}

// A character typed: the next item after the selection (round the end) that
// starts with it, in either case.
void LISTBOX_TypeAhead(HWND hwnd, unsigned char ch)
{
    const ListBoxState &l = LISTBOX_Get(hwnd);
    const int n = LISTBOX_Count(l);
    for (int k = 1; k <= n; ++k) {
        const int i = ((l.selected < 0 ? -1 : l.selected) + k) % n;
        const std::string &text = l.items[static_cast<size_t>(i)];
        if (!text.empty() && LISTBOX_Lower(static_cast<unsigned char>(text[0])) == LISTBOX_Lower(ch))
            return LISTBOX_UserSelect(hwnd, i);
    }
}

void LISTBOX_Paint(HWND hwnd)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    const ListBoxState &l = LISTBOX_Get(hwnd);
    if (l.font) SelectObject(dc, l.font);
    RECT client;
    GetClientRect(hwnd, &client);
    const bool enabled = IsWindowEnabled(hwnd);
    FillRect(dc, &client, control_colors(hwnd, dc, WM_CTLCOLORLISTBOX));
    if (!enabled) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    SetBkMode(dc, TRANSPARENT);
    for (int i = l.top; i < LISTBOX_Count(l); ++i) {
        RECT r{0, (i - l.top) * l.itemHeight, client.right, (i - l.top + 1) * l.itemHeight};
        if (r.top >= client.bottom) break;
        const std::string &text = l.items[static_cast<size_t>(i)];
        const bool sel = i == l.selected;
        const COLORREF was = sel ? control_selection(dc, r) : 0;
        RECT t{r.left + 2, r.top, r.right, r.bottom};
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &t, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
        if (sel) SetTextColor(dc, was);
        if (sel && l.focus) DrawFocusRect(dc, &r);
    }
    EndPaint(hwnd, &ps);
}

LRESULT LISTBOX_Add(HWND hwnd, LPCSTR text)
{
    ListBoxState &l = LISTBOX_Get(hwnd);
    l.items.emplace_back(text ? text : "");
    LISTBOX_UpdateScrollBar(hwnd, l);
    InvalidateRect(hwnd, nullptr, TRUE);
    return LISTBOX_Count(l) - 1;
}

}   // namespace
}   // namespace user32

using namespace user32;

LRESULT CALLBACK ListBoxWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_NCCREATE:
        control_attach<ListBoxState>(hwnd);
        LISTBOX_Get(hwnd).hasBar = (GetWindowLongA(hwnd, GWL_STYLE) & WS_VSCROLL) != 0;
        break;
    case WM_CREATE:
        LISTBOX_Measure(hwnd);
        LISTBOX_UpdateScrollBar(hwnd, LISTBOX_Get(hwnd));
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFONT:
        LISTBOX_Get(hwnd).font = reinterpret_cast<HFONT>(wp);
        LISTBOX_Measure(hwnd);
        LISTBOX_ScrollTo(hwnd, LISTBOX_Get(hwnd).top);
        if (LOWORD(lp)) InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(LISTBOX_Get(hwnd).font);
    case WM_SIZE:
        LISTBOX_ScrollTo(hwnd, LISTBOX_Get(hwnd).top);
        return 0;
    case WM_PAINT:
        LISTBOX_Paint(hwnd);
        return 0;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        LISTBOX_Get(hwnd).focus = msg == WM_SETFOCUS;
        InvalidateRect(hwnd, nullptr, TRUE);
        if (GetWindowLongA(hwnd, GWL_STYLE) & LBS_NOTIFY)
            control_notify(hwnd, msg == WM_SETFOCUS ? LBN_SETFOCUS : LBN_KILLFOCUS);
        return 0;
    case WM_ENABLE:
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_LBUTTONDOWN: {
        SetFocus(hwnd);
        const ListBoxState &l = LISTBOX_Get(hwnd);
        const int index = l.top + static_cast<short>(HIWORD(lp)) / l.itemHeight;
        if (index < LISTBOX_Count(l)) LISTBOX_UserSelect(hwnd, index);
        return 0;
    }
    case WM_LBUTTONDBLCLK:
        // The first press selected; the second only tells a parent that asked.
        if (GetWindowLongA(hwnd, GWL_STYLE) & LBS_NOTIFY) control_notify(hwnd, LBN_DBLCLK);
        return 0;
    case WM_KEYDOWN:
        LISTBOX_KeyDown(hwnd, wp);
        return 0;
    case WM_CHAR:
        if (wp >= ' ') LISTBOX_TypeAhead(hwnd, static_cast<unsigned char>(wp));
        return 0;
    case WM_VSCROLL:
    case WM_MOUSEWHEEL: {
        const ListBoxState &l = LISTBOX_Get(hwnd);
        if (const auto top = control_scroll_target(msg, wp, l.top, LISTBOX_Visible(hwnd, l), LISTBOX_Count(l)))
            LISTBOX_ScrollTo(hwnd, *top);
        return 0;
    }
    case LB_ADDSTRING:
        return LISTBOX_Add(hwnd, reinterpret_cast<LPCSTR>(lp));
    case LB_RESETCONTENT: {
        ListBoxState &l = LISTBOX_Get(hwnd);
        l.items.clear();
        l.selected = LB_ERR;
        l.top = 0;
        LISTBOX_UpdateScrollBar(hwnd, l);
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    }
    case LB_GETCOUNT:
        return LISTBOX_Count(LISTBOX_Get(hwnd));
    case LB_GETCURSEL:
        return LISTBOX_Get(hwnd).selected;
    case LB_SETCURSEL: {
        // -1 clears the selection; so does an index past the end, which fails.
        const bool valid = LISTBOX_Valid(LISTBOX_Get(hwnd), wp);
        LISTBOX_Select(hwnd, valid ? static_cast<int>(wp) : LB_ERR);
        return valid ? static_cast<LRESULT>(wp) : LB_ERR;
    }
    case LB_GETTEXT: {
        // An index outside the list leaves the buffer alone.
        const ListBoxState &l = LISTBOX_Get(hwnd);
        if (!LISTBOX_Valid(l, wp) || !lp) return LB_ERR;
        const std::string &s = l.items[wp];
        std::memcpy(reinterpret_cast<char *>(lp), s.c_str(), s.size() + 1);
        return static_cast<LRESULT>(s.size());
    }
    case LB_GETTEXTLEN: {
        const ListBoxState &l = LISTBOX_Get(hwnd);
        return LISTBOX_Valid(l, wp) ? static_cast<LRESULT>(l.items[wp].size()) : LB_ERR;
    }
    case LB_GETTOPINDEX:
        return LISTBOX_Get(hwnd).top;
    case LB_GETITEMHEIGHT:
        return LISTBOX_Get(hwnd).itemHeight;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}
