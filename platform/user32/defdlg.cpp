// The dialog class's window procedure: the dialog procedure first, then the
// default processing of what it leaves (returns FALSE for).
#include "user32/dialog_internal.h"

namespace user32 {
namespace {

// Messages our headers leave out (no control of ours sends them).
constexpr UINT kVKeyToItem = 0x002E, kCharToItem = 0x002F, kQueryDragIcon = 0x0037, kCompareItem = 0x0039;

// Messages whose dialog-procedure result is the answer itself; for every
// other message the answer is what the procedure stored in DWLP_MSGRESULT.
bool result_is_direct(UINT msg)
{
    switch (msg) {
    case WM_INITDIALOG:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case kVKeyToItem:
    case kCharToItem:
    case kCompareItem:
    case kQueryDragIcon:
        return true;
    }
    return false;
}

UINT dlg_code(HWND hwnd) { return hwnd ? static_cast<UINT>(SendMessageA(hwnd, WM_GETDLGCODE, 0, 0)) : 0; }

// The default button's thick frame goes to the focused push button, or back to
// the dialog's own default button when the focus is elsewhere.
void DEFDLG_UpdateDefaultButtons(HWND dlg, HWND focus)
{
    DialogInfo *info = dialog_info(dlg);
    if (!info) return;
    HWND target = (dlg_code(focus) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))
                      ? focus
                      : (info->defId ? GetDlgItem(dlg, static_cast<short>(info->defId)) : nullptr);
    std::vector<HWND> kids = find(dlg)->children;
    for (HWND c : kids) {
        UINT code = dlg_code(c);
        if ((code & DLGC_DEFPUSHBUTTON) && c != target) SendMessageA(c, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
        if ((code & DLGC_UNDEFPUSHBUTTON) && c == target) SendMessageA(c, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    }
}

void DEFDLG_SaveFocus(HWND dlg)
{
    HWND f = GetFocus();
    if (f && IsChild(dlg, f)) dialog_info(dlg)->savedFocus = f;
}

// The saved control, if it can still take the focus; else the first one.
void DEFDLG_RestoreFocus(HWND dlg)
{
    HWND saved = dialog_info(dlg)->savedFocus;
    bool usable = IsChild(dlg, saved) && IsWindowVisible(saved) && IsWindowEnabled(saved) && !find(saved)->destroying;
    HWND target = usable ? saved : first_focus_control(dlg);
    if (target) {
        if (GetFocus() != target) dialog_set_focus(dlg, target);
    } else if (GetFocus() != dlg) {
        SetFocus(dlg);   // a dialog without controls keeps the focus itself
    }
}

LRESULT DEFDLG_GetDefId(HWND dlg)
{
    DialogInfo *info = dialog_info(dlg);
    if (info->defId) return MAKELONG(info->defId, DC_HASDEFID);
    for (HWND c : find(dlg)->children)
        if (dlg_code(c) & DLGC_DEFPUSHBUTTON) return MAKELONG(GetDlgCtrlID(c), DC_HASDEFID);
    return 0;
}

void DEFDLG_NextControl(HWND dlg, WPARAM wp, LPARAM lp)
{
    HWND target = lp ? reinterpret_cast<HWND>(wp) : GetNextDlgTabItem(dlg, GetFocus(), wp != 0);
    if (!target || !IsChild(dlg, target)) return;
    dialog_set_focus(dlg, target);
    // An edit field reached from the keyboard has all its text selected.
    if (dlg_code(target) & DLGC_HASSETSEL) SendMessageA(target, EM_SETSEL, 0, -1);
}

LRESULT DEFDLG_Default(Window &w, UINT msg, WPARAM wp, LPARAM lp)
{
    HWND dlg = w.handle;
    DialogInfo *info = w.dialog.get();
    if (!info) return DefWindowProcA(dlg, msg, wp, lp);
    switch (msg) {
    case WM_ERASEBKGND: {
        // No class brush: the background is what WM_CTLCOLORDLG answers.
        HDC dc = reinterpret_cast<HDC>(wp);
        auto brush = reinterpret_cast<HBRUSH>(SendMessageA(dlg, WM_CTLCOLORDLG, wp, reinterpret_cast<LPARAM>(dlg)));
        if (!brush) brush = paint_default_ctlcolor(WM_CTLCOLORDLG, dc);
        paint_erase(w, dc, brush);
        return TRUE;
    }
    case WM_SHOWWINDOW:
        if (!wp) DEFDLG_SaveFocus(dlg);
        return DefWindowProcA(dlg, msg, wp, lp);
    case WM_ACTIVATE:
        if (LOWORD(wp) != WA_INACTIVE) DEFDLG_RestoreFocus(dlg);
        else DEFDLG_SaveFocus(dlg);
        return 0;
    case WM_SETFOCUS:
        DEFDLG_RestoreFocus(dlg);
        return 0;
    case DM_SETDEFID:
        info->defId = static_cast<WORD>(wp);
        DEFDLG_UpdateDefaultButtons(dlg, GetFocus());
        return TRUE;
    case DM_GETDEFID:
        return DEFDLG_GetDefId(dlg);
    case WM_NEXTDLGCTL:
        DEFDLG_NextControl(dlg, wp, lp);
        return 0;
    case WM_CLOSE: {
        // Closing is the Cancel button's command, posted; a disabled Cancel
        // button forbids it.
        HWND cancel = GetDlgItem(dlg, IDCANCEL);
        if (cancel && !IsWindowEnabled(cancel)) MessageBeep(0);
        else PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
        return 0;
    }
    case WM_SETFONT:
        info->font = reinterpret_cast<HFONT>(wp);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(info->font);
    }
    return DefWindowProcA(dlg, msg, wp, lp);
}

}   // namespace

DialogInfo *dialog_info(HWND dlg)
{
    Window *w = find(dlg);
    return w ? w->dialog.get() : nullptr;
}

void dialog_set_focus(HWND dlg, HWND control)
{
    SetFocus(control);
    if (IsWindow(dlg)) DEFDLG_UpdateDefaultButtons(dlg, GetFocus());
}

}   // namespace user32

using namespace user32;

LRESULT WINAPI DefDlgProcA(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    WindowRef w = ref(hwnd);
    if (!w) return 0;
    auto proc = reinterpret_cast<DLGPROC>(GetWindowLongPtrA(hwnd, DWLP_DLGPROC));
    if (proc) {
        SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, 0);
        INT_PTR r = proc(hwnd, msg, wp, lp);
        if (!IsWindow(hwnd)) return r;
        if (r) return result_is_direct(msg) ? r : GetWindowLongPtrA(hwnd, DWLP_MSGRESULT);
    }
    return DEFDLG_Default(*w, msg, wp, lp);
}
