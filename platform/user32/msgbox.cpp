// MessageBoxA: a modal dialog built in code, sized to its text, with the
// classic icons drawn here and push buttons of the type's set. Its loop keeps
// the other windows' timers and paints running; the owner is disabled while it
// is open. Every box is first offered to the test hook, which may answer it
// without showing it; a headless run that nobody drives answers it as Enter
// would, since no one could ever press a button.
#include "user32/compositor.h"
#include "user32/internal.h"
#include "user32/menu_internal.h"
#include "user32/modal.h"
#include "user32/msgbox_hook.h"

#include "driver/driver.h"
#include "font/font.h"
#include "gdi32/text.h"

#include <algorithm>
#include <cstdio>
#include <deque>

namespace msgbox_hook {
namespace {

bool g_keep = false;
std::vector<Box> g_boxes;
std::deque<int> g_replies;
std::function<int(const Box &)> g_answerer;

}   // namespace

void keep_records(bool on) { g_keep = on; }

const std::vector<Box> &boxes() { return g_boxes; }

void clear() { g_boxes.clear(); }

void queue_reply(int reply) { g_replies.push_back(reply); }

void set_answerer(std::function<int(const Box &)> answerer) { g_answerer = std::move(answerer); }

int record(const Box &box)
{
    if (g_keep) g_boxes.push_back(box);
    if (!g_replies.empty()) {
        int reply = g_replies.front();
        g_replies.pop_front();
        return reply;
    }
    return g_answerer ? g_answerer(box) : 0;
}

}   // namespace msgbox_hook

namespace user32 {
namespace {

struct Button {
    int id;
    const char *label;
};

// Each type's buttons (the program asks for OK and Yes/No; any other type
// shows OK), and what Esc (or the close box) answers: 0 for Yes/No, so Esc
// does nothing and the close box is greyed.
struct ButtonSet {
    UINT type;
    Button buttons[2];
    int count;
    int escape;
};
const ButtonSet kButtonSets[] = {
    {MB_OK, {{IDOK, "OK"}}, 1, IDOK},
    {MB_YESNO, {{IDYES, "&Yes"}, {IDNO, "&No"}}, 2, 0},
};

const ButtonSet &button_set(UINT type)
{
    for (const ButtonSet &s : kButtonSets)
        if (s.type == (type & MB_TYPEMASK)) return s;
    return kButtonSets[0];
}

int default_button(const ButtonSet &set, UINT type)
{
    int index = static_cast<int>((type & MB_DEFMASK) >> 8);
    return set.buttons[index < set.count ? index : 0].id;
}

// The classic layout at 96 dots per inch with "MS Sans Serif" 8 pt.
constexpr int kMargin = 12;
constexpr int kIcon = 32;
constexpr int kButtonW = 75, kButtonH = 23, kButtonGap = 6;
constexpr int kTextId = 0xFFFF;   // the id Windows gives the text of a message box
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;

struct MsgBox {
    const ButtonSet *set = nullptr;
    UINT icon = 0;   // MB_ICONHAND, MB_ICONQUESTION, MB_ICONEXCLAMATION, MB_ICONASTERISK or 0
    std::string text;
    RECT textRect{};
    POINT iconAt{};
    SIZE client{};
    bool done = false;
    int result = 0;
};

// ---- the icons, drawn as the classic 32 x 32 pictures ----

void disc(const raster::Canvas &c, int x, int y, double radius, uint32_t pixel)
{
    const double cx = x + 15.5, cy = y + 15.5;
    for (int py = y; py < y + kIcon; ++py)
        for (int px = x; px < x + kIcon; ++px) {
            const double dx = px - cx, dy = py - cy;
            if (dx * dx + dy * dy <= radius * radius)
                raster::fill_rect(c, {px, py, px + 1, py + 1}, pixel, raster::bounds(c));
        }
}

// A glyph centred in the icon, in a bold face.
void sign(const raster::Canvas &c, int x, int y, int dy, char ch, int size, uint32_t ink)
{
    font::Face &f = font::face_for("DejaVu Sans", -size, FW_BOLD);
    const int w = f.text_width(&ch, 1);
    const int baseline = y + (kIcon - f.height()) / 2 + f.metrics().ascent + dy;
    gdi::draw_glyphs(c, f, x + (kIcon - w) / 2, baseline, &ch, 1, ink, raster::bounds(c));
}

void draw_icon(const raster::Canvas &c, UINT icon, int x, int y)
{
    const raster::Rect all = raster::bounds(c);
    switch (icon) {
    case MB_ICONHAND: {
        // A red disc in a dark ring, a white cross on it.
        disc(c, x, y, 15.5, 0x800000);
        disc(c, x, y, 14.0, 0xFF0000);
        const int l = x + 9, t = y + 9, s = 14;
        for (int d = -1; d <= 1; ++d) {
            raster::draw_line(c, {l + d, t}, {l + d + s, t + s}, 0xFFFFFF, all);
            raster::draw_line(c, {l + d + s - 1, t}, {l + d - 1, t + s}, 0xFFFFFF, all);
        }
        break;
    }
    case MB_ICONQUESTION:
    case MB_ICONASTERISK:
        // A white speech balloon in a black ring with a blue sign.
        disc(c, x, y, 14.5, 0x000000);
        disc(c, x, y, 13.5, 0xFFFFFF);
        raster::fill_rect(c, {x + 7, y + 26, x + 9, y + 31}, 0x000000, all);
        raster::fill_rect(c, {x + 8, y + 26, x + 9, y + 29}, 0xFFFFFF, all);
        sign(c, x, y, 0, icon == MB_ICONQUESTION ? '?' : 'i', 20, 0x0000FF);
        break;
    case MB_ICONEXCLAMATION: {
        // A yellow warning triangle, outlined, with a black exclamation mark.
        const raster::Point outer[] = {{x + 16, y + 1}, {x + 31, y + 30}, {x + 1, y + 30}};
        const raster::Point inner[] = {{x + 16, y + 4}, {x + 29, y + 29}, {x + 3, y + 29}};
        raster::fill_polygon(c, outer, 3, raster::FillRule::NonZero, 0x000000, all);
        raster::fill_polygon(c, inner, 3, raster::FillRule::NonZero, 0xFFFF00, all);
        sign(c, x, y, 3, '!', 18, 0x000000);
        break;
    }
    }
}

// ---- the dialog ----

MsgBox *state_of(HWND box) { return reinterpret_cast<MsgBox *>(GetWindowLongPtrA(box, DWLP_USER)); }

void MSGBOX_Paint(HWND box, MsgBox &mb)
{
    PAINTSTRUCT ps;
    BeginPaint(box, &ps);
    if (Window *w = find(box); w && mb.icon) draw_icon(w->surface.canvas, mb.icon, mb.iconAt.x, mb.iconAt.y);
    EndPaint(box, &ps);
}

void MSGBOX_Command(MsgBox &mb, int id)
{
    // Esc and the close box arrive as IDCANCEL: an OK box answers IDOK, a box
    // without Cancel (Yes/No) ignores them.
    if (id == IDCANCEL) id = mb.set->escape;
    for (int i = 0; i < mb.set->count; ++i)
        if (id && mb.set->buttons[i].id == id) {
            mb.result = id;
            mb.done = true;
        }
}

INT_PTR CALLBACK MSGBOX_DlgProc(HWND box, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(box, DWLP_USER, lp);
        return FALSE;   // the default button takes the focus when the box is shown
    case WM_PAINT:
        if (MsgBox *mb = state_of(box)) MSGBOX_Paint(box, *mb);
        return TRUE;
    case WM_COMMAND:
        if (MsgBox *mb = state_of(box)) MSGBOX_Command(*mb, LOWORD(wp));
        return TRUE;
    }
    return FALSE;
}

// ---- layout ----

HFONT box_font()
{
    DialogInfo info;
    info.fontFace = "MS Sans Serif";
    info.pointSize = 8;
    return paint_dialog_font(info);
}

// Sizes the box to its text, as Windows does: the text wraps at five eighths
// of the desktop's width; the icon sits at the top left with short text
// centred beside it; the buttons are centred in a row below; the box is at
// least wide enough for its caption.
void lay_out(MsgBox &mb, const std::string &caption)
{
    // Lines that fit stay as they are; a longer one makes the text wrap at the limit.
    RECT wa = work_area();
    const int limit = (wa.right - wa.left) * 5 / 8;
    font::Face &face = font::face_for("MS Sans Serif", -11, FW_NORMAL);
    int widest = 0;
    for (size_t at = 0; at <= mb.text.size();) {
        size_t end = std::min(mb.text.find('\n', at), mb.text.size());
        widest = std::max(widest, face.text_width(mb.text.data() + at, static_cast<int>(end - at)));
        at = end + 1;
    }
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, box_font());
    RECT t{0, 0, std::min(widest, limit), 0};
    DrawTextA(dc, mb.text.c_str(), -1, &t, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    DeleteDC(dc);
    const int textW = std::min(widest, limit), textH = std::max<int>(t.bottom - t.top, 13);
    const int textX = mb.icon ? kMargin + kIcon + kMargin : kMargin;
    const int contentH = mb.icon ? std::max(kIcon, textH) : textH;
    const int textY = kMargin + (contentH - textH) / 2;
    mb.iconAt = POINT{kMargin, kMargin + (contentH - kIcon) / 2};
    mb.textRect = RECT{textX, textY, textX + textW, textY + textH};

    const int buttonsW = mb.set->count * kButtonW + (mb.set->count - 1) * kButtonGap;
    font::Face &bold = font::face_for("MS Sans Serif", -11, FW_BOLD);
    const int captionW =
        bold.text_width(caption.data(), static_cast<int>(caption.size())) + 2 + GetSystemMetrics(SM_CXSIZE) + 8;
    mb.client.cx = std::max({textX + textW + kMargin, buttonsW + 2 * kMargin, captionW});
    mb.client.cy = kMargin + contentH + kMargin + kButtonH + kMargin;
}

RECT placement(const MsgBox &mb, HWND owner)
{
    RECT r{0, 0, mb.client.cx, mb.client.cy};
    AdjustWindowRectEx(&r, kStyle, FALSE, WS_EX_DLGMODALFRAME);
    RECT wa = work_area(), around = wa;
    if (owner) GetWindowRect(owner, &around);
    const LONG w = r.right - r.left, h = r.bottom - r.top;
    LONG x = (around.left + around.right - w) / 2, y = (around.top + around.bottom - h) / 2;
    x = std::max(wa.left, std::min(x, wa.right - w));
    y = std::max(wa.top, std::min(y, wa.bottom - h));
    return RECT{x, y, x + w, y + h};
}

HWND create_box(MsgBox &mb, const std::string &caption, HWND owner, UINT type)
{
    rc::DialogTemplate t;
    t.style = kStyle;
    t.caption = caption;
    t.hasFont = true;
    t.pointSize = 8;
    t.faceName = "MS Sans Serif";
    HWND box = create_dialog(nullptr, t, owner, MSGBOX_DlgProc, reinterpret_cast<LPARAM>(&mb));
    if (!box) return nullptr;
    RECT r = placement(mb, owner);
    SetWindowPos(box, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    const int defId = default_button(*mb.set, type);
    const int buttonsW = mb.set->count * kButtonW + (mb.set->count - 1) * kButtonGap;
    int x = (mb.client.cx - buttonsW) / 2;
    const int y = mb.client.cy - kMargin - kButtonH;
    // The text is a label of its own with id 0xFFFF, as on Windows, so that
    // what reads a box's controls (a script's expect-text) finds it there.
    const RECT &at = mb.textRect;
    HWND label = CreateWindowExA(0, "STATIC", mb.text.c_str(), WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT | SS_NOPREFIX,
                                 at.left, at.top, at.right - at.left, at.bottom - at.top, box,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTextId)), nullptr, nullptr);
    if (label) SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(box_font()), FALSE);
    for (int i = 0; i < mb.set->count; ++i, x += kButtonW + kButtonGap) {
        const Button &b = mb.set->buttons[i];
        DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (i == 0 ? WS_GROUP : 0) |
                      (b.id == defId ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        HWND c = CreateWindowExA(0, "BUTTON", b.label, style, x, y, kButtonW, kButtonH, box,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(b.id)), nullptr, nullptr);
        if (c) SendMessageA(c, WM_SETFONT, reinterpret_cast<WPARAM>(box_font()), FALSE);
    }
    SendMessageA(box, DM_SETDEFID, static_cast<WPARAM>(defId), 0);
    // Without Esc there is no closing either: Close is greyed, as Windows greys it.
    if (!mb.set->escape) EnableMenuItem(GetSystemMenu(box, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    return box;
}

int run_box(const msgbox_hook::Box &b)
{
    MsgBox mb;
    mb.set = &button_set(b.flags);
    mb.icon = b.flags & MB_ICONMASK;
    mb.text = b.text;
    lay_out(mb, b.caption);
    HWND owner = top_level_of(b.owner);
    HWND box = create_box(mb, b.caption, owner, b.flags);
    if (!box) return 0;
    MessageBeep(mb.icon);
    run_modal(box, owner, GetDlgItem(box, default_button(*mb.set, b.flags)), mb.done);
    return mb.result;
}

}   // namespace
}   // namespace user32

int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType)
{
    // Windows titles a box without a caption "Error".
    msgbox_hook::Box box{hWnd, lpText ? lpText : "", lpCaption ? lpCaption : "Error", uType};
    if (int answer = msgbox_hook::record(box)) return answer;
    if (!drv::current().input_can_come()) {
        std::fprintf(stderr, "[%s] %s\n", box.caption.c_str(), box.text.c_str());
        return user32::default_button(user32::button_set(uType), uType);
    }
    return user32::run_box(box);
}
