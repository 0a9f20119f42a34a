// The dialog keyboard: IsDialogMessageA, tab and group order, mnemonics.
#include "user32/dialog_internal.h"

#include <strings.h>

#include <cctype>

namespace user32 {
namespace {

bool eligible(HWND hwnd)
{
    Window *w = find(hwnd);
    return w && (w->style & WS_VISIBLE) && !(w->style & WS_DISABLED);
}

UINT dlg_code(HWND hwnd, WPARAM wp = 0, const MSG *msg = nullptr)
{
    return static_cast<UINT>(SendMessageA(hwnd, WM_GETDLGCODE, wp, reinterpret_cast<LPARAM>(msg)));
}

// Walks the controls after `from` in z-order (template order), wrapping round
// to `from` itself last, and returns the first that `ok` accepts, or null.
template <typename Ok>
HWND walk(const std::vector<HWND> &kids, HWND from, bool backwards, Ok ok)
{
    int n = static_cast<int>(kids.size());
    if (n == 0) return nullptr;
    int at = -1;
    for (int i = 0; i < n; ++i)
        if (kids[i] == from) at = i;
    for (int step = 1; step <= n; ++step) {
        int i = at < 0 ? (backwards ? n - step : step - 1) : ((at + (backwards ? -step : step)) % n + n) % n;
        if (ok(kids[i])) return kids[i];
    }
    return nullptr;
}

// Whether a control's text carries `ch` as its mnemonic ("&x"; "&&" is a literal &).
bool has_mnemonic(const std::string &text, unsigned char ch)
{
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        return std::tolower(static_cast<unsigned char>(text[i + 1])) == std::tolower(ch);
    }
    return false;
}

// A matching static text or group box sends the focus to the next tab stop
// after it; a matching button is clicked.
bool DIALOG_Mnemonic(HWND dlg, HWND focus, unsigned char ch)
{
    std::vector<HWND> kids = find(dlg)->children;
    HWND start = IsChild(dlg, focus) ? focus : nullptr;
    HWND hit = walk(kids, start, false, [&](HWND c) {
        if (!eligible(c)) return false;
        UINT code = dlg_code(c);
        if (!(code & (DLGC_BUTTON | DLGC_STATIC))) return false;
        Window *w = find(c);
        if (strcasecmp(w->cls->name.c_str(), "STATIC") == 0 && (w->style & SS_NOPREFIX)) return false;
        return has_mnemonic(w->text, ch);
    });
    if (!hit) return false;
    if (dlg_code(hit) & DLGC_STATIC) {
        HWND next = GetNextDlgTabItem(dlg, hit, FALSE);
        if (next && next != hit) SendMessageA(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
    } else {
        SendMessageA(hit, BM_CLICK, 0, 0);
    }
    return true;
}

void DIALOG_Command(HWND dlg, int id, HWND control)
{
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

// Enter: the focused push button, else the default button (when enabled),
// else IDOK. A push button with the focus is the default while it has it.
void DIALOG_Enter(HWND dlg, HWND focus, UINT code)
{
    if (focus && (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) && IsWindowEnabled(focus)) {
        DIALOG_Command(dlg, GetDlgCtrlID(focus), focus);
        return;
    }
    LRESULT def = SendMessageA(dlg, DM_GETDEFID, 0, 0);
    if (HIWORD(def) == DC_HASDEFID) {
        int id = static_cast<short>(LOWORD(def));
        HWND button = GetDlgItem(dlg, id);
        if (!button || IsWindowEnabled(button)) DIALOG_Command(dlg, id, button);
        return;
    }
    DIALOG_Command(dlg, IDOK, GetDlgItem(dlg, IDOK));
}

// The keys the dialog takes for itself; false to translate and dispatch.
bool DIALOG_KeyDown(HWND dlg, const MSG &m)
{
    UINT code = dlg_code(m.hwnd, m.wParam, &m);
    if (code & DLGC_WANTMESSAGE) return false;
    switch (m.wParam) {
    case VK_TAB:
        if (code & DLGC_WANTTAB) return false;
        SendMessageA(dlg, WM_NEXTDLGCTL, (GetKeyState(VK_SHIFT) & 0x8000) ? 1 : 0, 0);
        return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
        if (code & DLGC_WANTARROWS) return false;
        bool back = m.wParam == VK_LEFT || m.wParam == VK_UP;
        HWND next = GetNextDlgGroupItem(dlg, m.hwnd, back);
        if (next && next != m.hwnd) SendMessageA(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
        return true;
    }
    case VK_CANCEL:
    case VK_ESCAPE: {
        HWND cancel = GetDlgItem(dlg, IDCANCEL);
        if (cancel && !IsWindowEnabled(cancel)) MessageBeep(0);
        else DIALOG_Command(dlg, IDCANCEL, cancel);
        return true;
    }
    case VK_EXECUTE:
    case VK_RETURN:
        DIALOG_Enter(dlg, GetFocus(), dlg_code(GetFocus(), m.wParam, &m));
        return true;
    }
    return false;
}

}   // namespace
}   // namespace user32

using namespace user32;

BOOL WINAPI IsDialogMessageA(HWND dlg, LPMSG m)
{
    if (!m || !IsWindow(dlg) || !m->hwnd || (m->hwnd != dlg && !IsChild(dlg, m->hwnd))) return FALSE;
    switch (m->message) {
    case WM_KEYDOWN:
        if (DIALOG_KeyDown(dlg, *m)) return TRUE;
        break;
    case WM_CHAR: {
        UINT code = dlg_code(m->hwnd, m->wParam, m);
        if (code & (DLGC_WANTCHARS | DLGC_WANTMESSAGE)) break;
        if (m->wParam == '\t' && (code & DLGC_WANTTAB)) break;
        if (DIALOG_Mnemonic(dlg, m->hwnd, static_cast<unsigned char>(m->wParam))) return TRUE;
        break;
    }
    case WM_SYSCHAR:
        // Alt+letter: a control's mnemonic, else on to the menu.
        if (DIALOG_Mnemonic(dlg, m->hwnd, static_cast<unsigned char>(m->wParam))) return TRUE;
        break;
    }
    TranslateMessage(m);
    DispatchMessageA(m);
    return TRUE;
}

HWND WINAPI GetNextDlgTabItem(HWND dlg, HWND ctl, BOOL previous)
{
    Window *d = find(dlg);
    if (!d) return nullptr;
    std::vector<HWND> kids = d->children;
    HWND next = walk(kids, ctl, previous != FALSE, [](HWND c) { return eligible(c) && (find(c)->style & WS_TABSTOP); });
    return next ? next : ctl;
}

HWND WINAPI GetNextDlgGroupItem(HWND dlg, HWND ctl, BOOL previous)
{
    Window *d = find(dlg);
    if (!d || !IsChild(dlg, ctl)) return nullptr;
    // The group runs from the nearest WS_GROUP control at or before `ctl` to
    // the control before the next WS_GROUP one.
    const std::vector<HWND> &kids = d->children;
    size_t at = 0;
    while (kids[at] != ctl) ++at;
    size_t first = at;
    while (first > 0 && !(find(kids[first])->style & WS_GROUP)) --first;
    size_t end = at + 1;
    while (end < kids.size() && !(find(kids[end])->style & WS_GROUP)) ++end;
    std::vector<HWND> group(kids.begin() + static_cast<long>(first), kids.begin() + static_cast<long>(end));
    HWND next = walk(group, ctl, previous != FALSE, eligible);
    return next ? next : ctl;
}
