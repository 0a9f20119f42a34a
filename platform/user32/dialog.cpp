// Dialogs from templates: geometry in dialog units, the controls, WM_INITDIALOG,
// the default focus.
#include "user32/dialog_internal.h"

#include <strings.h>

#include <algorithm>

namespace user32 {
namespace {

// Base units are fixed per font, as the templates were laid out for them: the
// width is the average of A-Z a-z, the height the font's cell height.
struct FontUnits {
    const char *face;
    WORD points;
    int x, y;
};
const FontUnits fontUnits[] = {
    {"MS Sans Serif", 8, 6, 13},
    {"Nosferatu", 12, 9, 20},
};
// Without DS_SETFONT a dialog uses the System font: 8 x 16.
constexpr SIZE kSystemFontUnits{8, 16};

// `data` is the dialog's template.
void prepare_dialog(Window &w, const void *data)
{
    const auto &t = *static_cast<const rc::DialogTemplate *>(data);
    w.dialog = std::make_unique<DialogInfo>();
    if (t.hasFont) {
        w.dialog->fontFace = t.faceName;
        w.dialog->pointSize = t.pointSize;
    }
    // The template's menu becomes the dialog's menu bar before the first
    // message. One that cannot be loaded still keeps its bar's room in the
    // frame, so the client area has the template's size.
    const rc::NameOrOrdinal &m = t.menu;
    w.menuName = m.isOrdinal ? std::to_string(m.ordinal) : m.name;
    if (m.isOrdinal) w.menuName.insert(w.menuName.begin(), '#');
    if (w.menuName.empty()) return;
    w.menu = LoadMenuA(w.instance, m.isOrdinal ? MAKEINTRESOURCEA(m.ordinal) : m.name.c_str());
    if (w.menu) w.menuName.clear();
}

// Where the dialog's window goes: the template point is the client origin,
// relative to the owner's client area unless DS_ABSALIGN or no owner; the
// window is then pushed inside the work area, as Windows does.
RECT dialog_window_rect(const rc::DialogTemplate &t, SIZE u, DWORD style, DWORD ex, HWND owner)
{
    bool hasMenu = t.menu.isOrdinal || !t.menu.name.empty();
    RECT r{0, 0, MulDiv(t.cx, u.cx, 4), MulDiv(t.cy, u.cy, 8)};
    AdjustWindowRectEx(&r, style, hasMenu, ex);
    RECT wa = work_area();
    if (style & DS_CENTER) {
        OffsetRect(&r, (wa.right - wa.left - (r.right - r.left)) / 2 - r.left,
                   (wa.bottom - wa.top - (r.bottom - r.top)) / 2 - r.top);
        return r;
    }
    POINT pos{MulDiv(t.x, u.cx, 4), MulDiv(t.y, u.cy, 8)};
    if (!(style & DS_ABSALIGN) && owner) ClientToScreen(owner, &pos);
    OffsetRect(&r, pos.x, pos.y);
    if (r.right > wa.right) OffsetRect(&r, wa.right - r.right, 0);
    if (r.bottom > wa.bottom) OffsetRect(&r, 0, wa.bottom - r.bottom);
    if (r.left < wa.left) OffsetRect(&r, wa.left - r.left, 0);
    if (r.top < wa.top) OffsetRect(&r, 0, wa.top - r.top);
    return r;
}

bool create_controls(HWND dlg, HINSTANCE instance, const rc::DialogTemplate &t, SIZE u, HFONT font)
{
    for (const rc::DialogItem &item : t.items) {
        DWORD style = item.style | WS_CHILD;
        DWORD ex = item.exStyle | WS_EX_NOPARENTNOTIFY;
        // A bordered control gets the sunken three-dimensional edge.
        if (style & WS_BORDER) {
            style &= ~WS_BORDER;
            ex |= WS_EX_CLIENTEDGE;
        }
        // Template ids are 16-bit and signed: 0xFFFF is the id -1.
        auto id = static_cast<INT_PTR>(static_cast<short>(item.id));
        LPCSTR text = item.text.isOrdinal ? MAKEINTRESOURCEA(item.text.ordinal) : item.text.name.c_str();
        LPVOID data = item.creationData.empty() ? nullptr : const_cast<BYTE *>(item.creationData.data());
        HWND c = CreateWindowExA(ex, item.className.c_str(), text, style, MulDiv(item.x, u.cx, 4),
                                 MulDiv(item.y, u.cy, 8), MulDiv(item.cx, u.cx, 4), MulDiv(item.cy, u.cy, 8), dlg,
                                 reinterpret_cast<HMENU>(id), instance, data);
        if (!IsWindow(dlg)) return false;
        if (!c) {
            if (t.style & DS_NOFAILCREATE) continue;
            return false;
        }
        if (font) SendMessageA(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (SendMessageA(c, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) find(dlg)->dialog->defId = static_cast<WORD>(id);
    }
    return true;
}

}   // namespace

SIZE dialog_base_units(const rc::DialogTemplate &t)
{
    if (!t.hasFont) return kSystemFontUnits;
    for (const FontUnits &f : fontUnits)
        if (f.points == t.pointSize && strcasecmp(f.face, t.faceName.c_str()) == 0) return SIZE{f.x, f.y};
    // Another font or size: MS Sans Serif's units scaled by the point size. No
    // template of ours needs this; it keeps an unexpected one usable.
    return SIZE{MulDiv(6, t.pointSize, 8), MulDiv(13, t.pointSize, 8)};
}

HWND first_focus_control(HWND dlg)
{
    // The first visible, enabled tab stop in template order, else the first control.
    Window *d = find(dlg);
    if (!d || d->children.empty()) return nullptr;
    for (HWND k : d->children) {
        const Window *c = find(k);
        if ((c->style & WS_VISIBLE) && !(c->style & WS_DISABLED) && (c->style & WS_TABSTOP) && !c->destroying) return k;
    }
    return find(d->children.front())->destroying ? nullptr : d->children.front();
}

HWND create_dialog(HINSTANCE instance, const rc::DialogTemplate &t, HWND owner, DLGPROC proc, LPARAM param)
{
    SIZE u = dialog_base_units(t);
    DWORD style = t.style & ~WS_VISIBLE;
    DWORD ex = t.exStyle;
    if (style & DS_MODALFRAME) ex |= WS_EX_DLGMODALFRAME;
    if (owner && !IsWindow(owner)) owner = nullptr;
    RECT r = dialog_window_rect(t, u, style, ex, owner);
    std::string cls = t.windowClass.name.empty() ? "#32770" : t.windowClass.name;
    HWND dlg = create_window(ex, cls.c_str(), t.caption.c_str(), style, r.left, r.top, r.right - r.left,
                             r.bottom - r.top, owner, nullptr, instance, nullptr, prepare_dialog, &t);
    if (!dlg) return nullptr;
    SetWindowLongPtrA(dlg, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(proc));
    // The template's font goes to the dialog first, then to each control.
    HFONT font = t.hasFont ? paint_dialog_font(*find(dlg)->dialog) : nullptr;
    if (font) SendMessageA(dlg, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (!IsWindow(dlg) || !create_controls(dlg, instance, t, u, font)) {
        DestroyWindow(dlg);
        return nullptr;
    }
    LRESULT setFocus = SendMessageA(dlg, WM_INITDIALOG, reinterpret_cast<WPARAM>(first_focus_control(dlg)), param);
    if (!IsWindow(dlg)) return nullptr;
    // The procedure may have disabled or hidden the control it was offered.
    HWND focus = setFocus ? first_focus_control(dlg) : nullptr;
    if (t.style & WS_VISIBLE) {
        if (focus) dialog_set_focus(dlg, focus);
        if (IsWindow(dlg)) ShowWindow(dlg, SW_SHOWNORMAL);
    } else if (focus) {
        // A hidden dialog does not take the focus; it gets it when it is activated.
        find(dlg)->dialog->savedFocus = focus;
    }
    return IsWindow(dlg) ? dlg : nullptr;
}

}   // namespace user32

using namespace user32;

LONG WINAPI GetDialogBaseUnits(void) { return MAKELONG(kSystemFontUnits.cx, kSystemFontUnits.cy); }

HWND WINAPI CreateDialogParamA(HINSTANCE instance, LPCSTR name, HWND owner, DLGPROC proc, LPARAM param)
{
    HRSRC found = FindResourceA(instance, name, RT_DIALOG);
    if (!found) return nullptr;
    const void *data = LockResource(LoadResource(instance, found));
    rc::DialogTemplate t;
    if (!data || !rc::parse_dialog_template(data, SizeofResource(instance, found), t, nullptr)) return nullptr;
    return create_dialog(instance, t, owner, proc, param);
}
