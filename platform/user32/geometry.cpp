// Window geometry: system metrics, frames, rectangles and the point-to-window test.
#include "user32/internal.h"

#include "driver/driver.h"

#include <algorithm>
#include <iterator>

namespace user32 {
namespace {

// The classic look at 96 dots per inch.
struct Metric {
    int index;
    int value;
};
const Metric metrics[] = {
    {SM_CXVSCROLL, 16},  {SM_CYHSCROLL, 16},  {SM_CYCAPTION, 19},  {SM_CXBORDER, 1}, {SM_CYBORDER, 1},
    {SM_CXDLGFRAME, 3},  {SM_CYDLGFRAME, 3},  {SM_CYMENU, 19},     {SM_CXFRAME, 4},  {SM_CYFRAME, 4},
    {SM_CXEDGE, 2},      {SM_CYEDGE, 2},      {SM_CXSIZE, 18},     {SM_CYSIZE, 18},  {SM_CXMINTRACK, 112},
    {SM_CYMINTRACK, 27}, {SM_CXDOUBLECLK, 4}, {SM_CYDOUBLECLK, 4},
};

int metric(int index)
{
    for (const Metric &m : metrics)
        if (m.index == index) return m.value;
    return 0;
}

// A point on the frame: a sizing border tells which edge or corner it is
// (a corner reaches a caption button's width along each edge); a maximised or
// minimised window, or one without WS_THICKFRAME, only has a border.
LRESULT border_hit(const Window &w, POINT p, int frame)
{
    if (!(w.style & WS_THICKFRAME) || (w.style & (WS_MAXIMIZE | WS_MINIMIZE))) return HTBORDER;
    const LONG width = w.rect.right - w.rect.left, height = w.rect.bottom - w.rect.top;
    const int corner = metric(SM_CXSIZE);
    const int col = p.x < std::max(frame, corner) ? 0 : p.x >= width - std::max(frame, corner) ? 2 : 1;
    const int row = p.y < std::max(frame, corner) ? 0 : p.y >= height - std::max(frame, corner) ? 2 : 1;
    const LRESULT hits[3][3] = {
        {HTTOPLEFT, HTTOP, HTTOPRIGHT}, {HTLEFT, HTBORDER, HTRIGHT}, {HTBOTTOMLEFT, HTBOTTOM, HTBOTTOMRIGHT}};
    return hits[row][col];
}

}   // namespace

RECT work_area()
{
    SIZE s = drv::current().desktop_size();
    return RECT{0, 0, s.cx, s.cy};
}

// The same sums as Windows' AdjustWindowRectEx: an outer edge for framed
// windows, the sizing border, one more line for a border or dialog frame, then
// the caption, the menu bar, the sunken client edge and the scroll bars.
RECT nonclient_insets(DWORD style, DWORD ex, bool hasMenu)
{
    int frame = 0;
    if ((ex & (WS_EX_STATICEDGE | WS_EX_DLGMODALFRAME)) == WS_EX_STATICEDGE) frame = 1;
    else if ((ex & WS_EX_DLGMODALFRAME) || (style & (WS_THICKFRAME | WS_DLGFRAME))) frame = 2;
    if (style & WS_THICKFRAME) frame += metric(SM_CXFRAME) - metric(SM_CXDLGFRAME);
    if ((style & (WS_BORDER | WS_DLGFRAME)) || (ex & WS_EX_DLGMODALFRAME)) frame++;
    RECT in{frame, frame, frame, frame};
    if ((style & WS_CAPTION) == WS_CAPTION) in.top += metric(SM_CYCAPTION);
    if (hasMenu) in.top += metric(SM_CYMENU);
    if (ex & WS_EX_CLIENTEDGE) {
        in.left += metric(SM_CXEDGE);
        in.right += metric(SM_CXEDGE);
        in.top += metric(SM_CYEDGE);
        in.bottom += metric(SM_CYEDGE);
    }
    if (style & WS_VSCROLL) in.right += metric(SM_CXVSCROLL);
    if (style & WS_HSCROLL) in.bottom += metric(SM_CYHSCROLL);
    return in;
}

RECT client_rect_in_window(const Window &w)
{
    bool hasMenu = !w.child() && (w.menu || !w.menuName.empty());
    RECT in = nonclient_insets(w.style, w.exStyle, hasMenu);
    LONG width = w.rect.right - w.rect.left, height = w.rect.bottom - w.rect.top;
    RECT r{in.left, in.top, std::max(in.left, width - in.right), std::max(in.top, height - in.bottom)};
    return r;
}

POINT client_origin_on_desktop(const Window &w)
{
    RECT c = client_rect_in_window(w);
    POINT p{w.rect.left + c.left, w.rect.top + c.top};
    if (w.child()) {
        POINT po = client_origin_on_desktop(*find(w.parent));
        p.x += po.x;
        p.y += po.y;
    }
    return p;
}

RECT caption_button_rect(const Window &w, LRESULT which)
{
    if ((w.style & WS_CAPTION) != WS_CAPTION || !(w.style & WS_SYSMENU)) return RECT{};
    // The classic buttons: two pixels in from the frame's inner edge, as high
    // as the caption allows; close alone at the right, then a gap, then
    // maximise and minimise side by side (both shown when either is wanted).
    int frame = nonclient_insets(w.style, w.exStyle & ~WS_EX_CLIENTEDGE, false).left;
    LONG width = w.rect.right - w.rect.left;
    LONG right = width - frame - 2, top = frame + 2;
    int bw = metric(SM_CXSIZE) - 2, bh = metric(SM_CYSIZE) - 4;
    RECT close{right - bw, top, right, top + bh};
    if (which == HTCLOSE) return close;
    if (!(w.style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX))) return RECT{};
    RECT max = close;
    OffsetRect(&max, -(bw + 2), 0);
    if (which == HTMAXBUTTON) return max;
    RECT min = max;
    OffsetRect(&min, -bw, 0);
    return which == HTMINBUTTON ? min : RECT{};
}

RECT close_box_rect(const Window &w) { return caption_button_rect(w, HTCLOSE); }

LRESULT nonclient_hit_test(const Window &w, POINT pt)
{
    POINT p{pt.x - w.rect.left, pt.y - w.rect.top};
    if (w.child()) {
        POINT o = client_origin_on_desktop(*find(w.parent));
        p.x -= o.x;
        p.y -= o.y;
    }
    LONG width = w.rect.right - w.rect.left, height = w.rect.bottom - w.rect.top;
    RECT whole{0, 0, width, height};
    if (!PtInRect(&whole, p)) return HTNOWHERE;
    RECT client = client_rect_in_window(w);
    if (PtInRect(&client, p)) return HTCLIENT;
    for (LRESULT button : {HTCLOSE, HTMAXBUTTON, HTMINBUTTON}) {
        RECT r = caption_button_rect(w, button);
        if (PtInRect(&r, p)) return button;
    }
    int frame = nonclient_insets(w.style, w.exStyle & ~WS_EX_CLIENTEDGE, false).left;
    if (p.x < frame || p.x >= width - frame || p.y < frame || p.y >= height - frame) return border_hit(w, p, frame);
    int captionBottom = frame + ((w.style & WS_CAPTION) == WS_CAPTION ? metric(SM_CYCAPTION) : 0);
    // The system menu's place is the icon's square at the caption's left; a
    // window with a dialog frame and no icon has none, as on Windows.
    const bool sysMenu = (w.style & WS_SYSMENU) && !(w.exStyle & (WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW));
    if (sysMenu && p.y < captionBottom && p.x < frame + metric(SM_CYCAPTION) - 1) return HTSYSMENU;
    if (p.x >= frame && p.x < width - frame && p.y >= frame && p.y < captionBottom) return HTCAPTION;
    bool hasMenu = !w.child() && !(w.style & WS_MINIMIZE) && (w.menu || !w.menuName.empty());
    if (hasMenu && p.x >= frame && p.x < width - frame && p.y >= captionBottom &&
        p.y < captionBottom + metric(SM_CYMENU))
        return HTMENU;
    if ((w.style & WS_VSCROLL) && p.x >= client.right && p.x < client.right + metric(SM_CXVSCROLL) &&
        p.y >= client.top && p.y < client.bottom)
        return HTVSCROLL;
    return HTBORDER;
}

HWND window_at(POINT pt)
{
    std::vector<HWND> tops = top_level_windows();
    for (HWND t : tops) {
        Window *top = find(t);
        if (!top || !(top->style & WS_VISIBLE) || !PtInRect(&top->rect, pt)) continue;
        // Descend into the children under the point, topmost first. A disabled
        // child leaves the point to its parent, as Windows routes the mouse; a
        // transparent one (a group box) to the sibling below it.
        HWND at = t;
        for (;;) {
            POINT o = client_origin_on_desktop(*find(at));
            POINT local{pt.x - o.x, pt.y - o.y};
            // Children show only inside their parent's client area: over the
            // frame, the caption or the menu bar the point stays with the
            // parent, however far a child has been moved out.
            RECT client = client_rect_in_window(*find(at));
            RECT inside{0, 0, client.right - client.left, client.bottom - client.top};
            if (!PtInRect(&inside, local)) return at;
            HWND hit = nullptr;
            std::vector<HWND> kids = find(at)->children;
            for (HWND k : kids) {
                Window *c = find(k);
                if (!c || !(c->style & WS_VISIBLE) || (c->style & WS_DISABLED) || !PtInRect(&c->rect, local)) continue;
                LRESULT code = SendMessageA(k, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
                if (!IsWindow(k) || code == HTTRANSPARENT) continue;
                hit = k;
                break;
            }
            if (!hit) return IsWindow(at) ? at : nullptr;
            at = hit;
        }
    }
    return nullptr;
}

}   // namespace user32

using namespace user32;

int WINAPI GetSystemMetrics(int index)
{
    SIZE s = drv::current().desktop_size();
    switch (index) {
    case SM_CXSCREEN:
    case SM_CXFULLSCREEN:
    case SM_CXMAXIMIZED:
        return s.cx;
    case SM_CYSCREEN:
    case SM_CYMAXIMIZED:
        return s.cy;
    case SM_CYFULLSCREEN:
        return s.cy - metric(SM_CYCAPTION);
    case SM_CXMAXTRACK:
        return s.cx + 2 * (metric(SM_CXFRAME) + metric(SM_CXEDGE));
    case SM_CYMAXTRACK:
        return s.cy + 2 * (metric(SM_CYFRAME) + metric(SM_CYEDGE));
    }
    return metric(index);
}

BOOL WINAPI AdjustWindowRectEx(LPRECT r, DWORD style, BOOL menu, DWORD ex)
{
    if (!r) return FALSE;
    RECT in = nonclient_insets(style, ex, menu != FALSE);
    r->left -= in.left;
    r->top -= in.top;
    r->right += in.right;
    r->bottom += in.bottom;
    return TRUE;
}

BOOL WINAPI GetClientRect(HWND hwnd, LPRECT r)
{
    Window *w = find(hwnd);
    if (!w || !r) return FALSE;
    RECT c = client_rect_in_window(*w);
    *r = RECT{0, 0, c.right - c.left, c.bottom - c.top};
    return TRUE;
}

BOOL WINAPI GetWindowRect(HWND hwnd, LPRECT r)
{
    Window *w = find(hwnd);
    if (!w || !r) return FALSE;
    *r = w->rect;
    if (w->child()) {
        POINT o = client_origin_on_desktop(*find(w->parent));
        OffsetRect(r, o.x, o.y);
    }
    return TRUE;
}

BOOL WINAPI ClientToScreen(HWND hwnd, LPPOINT p)
{
    Window *w = find(hwnd);
    if (!w || !p) return FALSE;
    POINT o = client_origin_on_desktop(*w);
    p->x += o.x;
    p->y += o.y;
    return TRUE;
}

BOOL WINAPI ScreenToClient(HWND hwnd, LPPOINT p)
{
    Window *w = find(hwnd);
    if (!w || !p) return FALSE;
    POINT o = client_origin_on_desktop(*w);
    p->x -= o.x;
    p->y -= o.y;
    return TRUE;
}

BOOL WINAPI PtInRect(const RECT *r, POINT p)
{
    return r && p.x >= r->left && p.x < r->right && p.y >= r->top && p.y < r->bottom;
}

BOOL WINAPI SetRect(LPRECT r, int l, int t, int rt, int b)
{
    if (!r) return FALSE;
    *r = RECT{l, t, rt, b};
    return TRUE;
}

BOOL WINAPI SetRectEmpty(LPRECT r) { return SetRect(r, 0, 0, 0, 0); }

BOOL WINAPI IsRectEmpty(const RECT *r) { return !r || r->right <= r->left || r->bottom <= r->top; }

BOOL WINAPI OffsetRect(LPRECT r, int dx, int dy)
{
    if (!r) return FALSE;
    *r = RECT{r->left + dx, r->top + dy, r->right + dx, r->bottom + dy};
    return TRUE;
}

BOOL WINAPI InflateRect(LPRECT r, int dx, int dy)
{
    if (!r) return FALSE;
    *r = RECT{r->left - dx, r->top - dy, r->right + dx, r->bottom + dy};
    return TRUE;
}

BOOL WINAPI IntersectRect(LPRECT d, const RECT *a, const RECT *b)
{
    if (!d || !a || !b) return FALSE;
    RECT r{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
           std::min(a->bottom, b->bottom)};
    if (IsRectEmpty(&r)) {
        SetRectEmpty(d);
        return FALSE;
    }
    *d = r;
    return TRUE;
}

BOOL WINAPI UnionRect(LPRECT d, const RECT *a, const RECT *b)
{
    if (!d || !a || !b) return FALSE;
    if (IsRectEmpty(a)) {
        *d = IsRectEmpty(b) ? RECT{} : *b;
    } else if (IsRectEmpty(b)) {
        *d = *a;
    } else {
        *d = RECT{std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
                  std::max(a->bottom, b->bottom)};
    }
    return !IsRectEmpty(d);
}

BOOL WINAPI EqualRect(const RECT *a, const RECT *b)
{
    return a && b && a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom;
}
