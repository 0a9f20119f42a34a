// EDIT: single-line and multi-line text fields. The text lives in the window's
// own text (hard line breaks as CR LF), so WM_GETTEXT needs nothing of ours;
// the field keeps the caret, the selection's other end (the anchor), how far
// it has scrolled and, for multi-line fields, where word wrap breaks the lines.
//
// What the user types is checked against the text limit (Windows' 30,000
// characters), against the visible
// width of a single-line field without ES_AUTOHSCROLL and against the visible
// height of a multi-line field without ES_AUTOVSCROLL; whatever is cut off
// tells the parent EN_MAXTEXT. A change tells it EN_UPDATE, then EN_CHANGE.
//
// The caret blinks while the field has the focus, on and off every
// GetCaretBlinkTime (a timer of the layer's own, WM_SYSTIMER); wherever it
// moves it shows at once and its blink starts over.
#include "user32/clipboard.h"
#include "user32/control.h"
#include "user32/internal.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace user32 {
namespace {

struct Line {
    size_t start = 0, end = 0;   // the characters shown; a CR LF after `end` is not
};

struct EditState {
    HFONT font = nullptr;
    size_t caret = 0, anchor = 0;
    int scrollX = 0;   // single-line: pixels scrolled off at the left
    int top = 0;       // multi-line: the first line shown
    bool focus = false;
    int widths[256] = {};   // advance of each character in the font
    int lineHeight = 13;
    std::vector<Line> lines;
    // Windows' one level of undo: the text the last change took away and
    // where, and how much it put in there.
    std::string undoText;
    size_t undoPos = 0, undoInserted = 0;
    bool caretOn = false;
    POINT caretAt{};   // where the caret was last shown
};

constexpr size_t kLimit = 30000;
constexpr UINT kCaretBlinkTime = 530;
constexpr UINT_PTR kCaretTimer = 0xFFFF;

EditState &EDIT_Get(HWND hwnd) { return *control_state<EditState>(hwnd); }
std::string &EDIT_Text(HWND hwnd) { return find(hwnd)->text; }
DWORD EDIT_Style(HWND hwnd) { return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)); }
bool EDIT_Multi(HWND hwnd) { return (EDIT_Style(hwnd) & ES_MULTILINE) != 0; }

bool EDIT_InDialog(HWND hwnd)
{
    const Window *p = find(GetParent(hwnd));
    return p && p->dialog;
}

size_t EDIT_SelStart(const EditState &e) { return std::min(e.caret, e.anchor); }
size_t EDIT_SelEnd(const EditState &e) { return std::max(e.caret, e.anchor); }

int EDIT_Width(const EditState &e, const std::string &t, size_t from, size_t to)
{
    int w = 0;
    for (size_t i = from; i < to && i < t.size(); ++i) w += e.widths[static_cast<unsigned char>(t[i])];
    return w;
}

RECT EDIT_Client(HWND hwnd)
{
    RECT r;
    GetClientRect(hwnd, &r);
    return r;
}

int EDIT_Visible(HWND hwnd, const EditState &e)
{
    return std::max(1, static_cast<int>(EDIT_Client(hwnd).bottom) / e.lineHeight);
}

void EDIT_Measure(HWND hwnd)
{
    EditState &e = EDIT_Get(hwnd);
    HDC dc = CreateCompatibleDC(nullptr);
    if (e.font) SelectObject(dc, e.font);
    for (int c = 0; c < 256; ++c) {
        const char ch = static_cast<char>(c);
        SIZE s{};
        GetTextExtentPoint32A(dc, &ch, 1, &s);
        e.widths[c] = s.cx;
    }
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    e.lineHeight = std::max<LONG>(1, tm.tmHeight);
    DeleteDC(dc);
}

// Breaks the text into lines: at every CR LF and, in a multi-line field, where
// the next word would pass the right edge (a word wider than the line is cut).
void EDIT_Wrap(HWND hwnd)
{
    EditState &e = EDIT_Get(hwnd);
    const std::string &t = EDIT_Text(hwnd);
    e.lines.clear();
    if (!EDIT_Multi(hwnd)) {
        e.lines.push_back(Line{0, t.size()});
        return;
    }
    const int width = EDIT_Client(hwnd).right;
    const bool wrap = !(EDIT_Style(hwnd) & ES_AUTOHSCROLL);
    size_t start = 0;
    while (true) {
        size_t brk = t.find("\r\n", start);
        const size_t paraEnd = brk == std::string::npos ? t.size() : brk;
        size_t s = start;
        do {
            size_t end = s, blank = std::string::npos;
            int w = 0;
            while (end < paraEnd) {
                const int adv = e.widths[static_cast<unsigned char>(t[end])];
                if (wrap && w + adv > width && end > s && t[end] != ' ') break;
                if (t[end] == ' ') blank = end;
                w += adv;
                ++end;
            }
            size_t next = end;
            if (end < paraEnd && blank != std::string::npos && blank >= s) next = blank + 1, end = blank + 1;
            e.lines.push_back(Line{s, end});
            s = next;
        } while (s < paraEnd);
        if (brk == std::string::npos) return;
        start = brk + 2;
    }
}

size_t EDIT_LineOf(const EditState &e, size_t pos)
{
    for (size_t i = e.lines.size(); i-- > 0;)
        if (e.lines[i].start <= pos) return i;
    return 0;
}

int EDIT_TextTop(HWND hwnd, const EditState &e)
{
    return EDIT_Multi(hwnd) ? 0 : std::max(0, (static_cast<int>(EDIT_Client(hwnd).bottom) - e.lineHeight) / 2);
}

POINT EDIT_CaretPoint(HWND hwnd, const EditState &e)
{
    const size_t line = EDIT_LineOf(e, e.caret);
    const int x = EDIT_Width(e, EDIT_Text(hwnd), e.lines[line].start, e.caret) - e.scrollX;
    return POINT{x, EDIT_TextTop(hwnd, e) + (static_cast<int>(line) - e.top) * e.lineHeight};
}

// The character position nearest to a point in the client area; with
// `under`, the position of the character the point is over.
size_t EDIT_PosFromPoint(HWND hwnd, const EditState &e, int x, int y, bool under = false)
{
    const std::string &t = EDIT_Text(hwnd);
    int line = y < 0 ? e.top - 1 : e.top + y / e.lineHeight;
    line = std::clamp(line, 0, static_cast<int>(e.lines.size()) - 1);
    const Line &l = e.lines[static_cast<size_t>(line)];
    int at = -e.scrollX;
    for (size_t i = l.start; i < l.end; ++i) {
        const int adv = e.widths[static_cast<unsigned char>(t[i])];
        if (x < at + (under ? adv : adv / 2)) return i;
        at += adv;
    }
    // The end of a wrapped line is the start of the next: stay before its blank.
    if (static_cast<size_t>(line) + 1 < e.lines.size() && e.lines[static_cast<size_t>(line) + 1].start == l.end &&
        l.end > l.start)
        return l.end - 1;
    return l.end;
}

// A CR LF is one step for the caret.
size_t EDIT_Prev(const std::string &t, size_t pos)
{
    if (pos == 0) return 0;
    return (pos >= 2 && t.compare(pos - 2, 2, "\r\n") == 0) ? pos - 2 : pos - 1;
}

size_t EDIT_Next(const std::string &t, size_t pos)
{
    if (pos >= t.size()) return t.size();
    return t.compare(pos, 2, "\r\n") == 0 ? pos + 2 : pos + 1;
}

// Words, as Windows' default word breaking sees them: runs of anything but
// blanks, each with the blanks after it, within a hard line (between CR LFs).
struct Span {
    size_t start, end;
};

Span EDIT_HardLine(const std::string &t, size_t pos)
{
    const size_t before = pos >= 2 ? t.rfind("\r\n", pos - 2) : std::string::npos;
    const size_t after = t.find("\r\n", pos);
    return Span{before == std::string::npos ? 0 : before + 2, after == std::string::npos ? t.size() : after};
}

// The start of the word before `pos`; from a line's start, the end of the line before.
size_t EDIT_WordLeft(const std::string &t, size_t pos)
{
    const Span line = EDIT_HardLine(t, pos);
    if (pos == line.start) return EDIT_Prev(t, pos);
    size_t i = pos - 1;
    while (i > line.start && t[i] == ' ') --i;
    while (i > line.start && t[i - 1] != ' ') --i;
    return i;
}

// The start of the next word; from a line's end, the start of the line after.
size_t EDIT_WordRight(const std::string &t, size_t pos)
{
    const Span line = EDIT_HardLine(t, pos);
    if (pos == line.end) return EDIT_Next(t, pos);
    while (pos < line.end && t[pos] != ' ') ++pos;
    while (pos < line.end && t[pos] == ' ') ++pos;
    return pos;
}

void EDIT_UpdateScrollBar(HWND hwnd, const EditState &e)
{
    if (!(EDIT_Style(hwnd) & WS_VSCROLL)) return;
    SCROLLINFO si{sizeof si,
                  SIF_RANGE | SIF_PAGE | SIF_POS,
                  0,
                  static_cast<int>(e.lines.size()) - 1,
                  static_cast<UINT>(EDIT_Visible(hwnd, e)),
                  e.top,
                  0};
    SetScrollInfo(hwnd, SB_VERT, &si, TRUE);
}

void EDIT_ScrollTo(HWND hwnd, int top)
{
    EditState &e = EDIT_Get(hwnd);
    const int most = std::max(0, static_cast<int>(e.lines.size()) - EDIT_Visible(hwnd, e));
    top = std::clamp(top, 0, most);
    if (top != e.top) {
        e.top = top;
        InvalidateRect(hwnd, nullptr, FALSE);
    }
    EDIT_UpdateScrollBar(hwnd, e);
}

// Brings the caret into view: a single-line field with ES_AUTOHSCROLL scrolls
// sideways by a quarter of its width at a time, a multi-line one by lines.
void EDIT_ShowCaret(HWND hwnd)
{
    EditState &e = EDIT_Get(hwnd);
    if (EDIT_Multi(hwnd)) {
        const int line = static_cast<int>(EDIT_LineOf(e, e.caret)), visible = EDIT_Visible(hwnd, e);
        int top = e.top;
        if (line < top) top = line;
        if (line >= top + visible) top = line - visible + 1;
        EDIT_ScrollTo(hwnd, top);
        return;
    }
    const int width = EDIT_Client(hwnd).right;
    const int x = EDIT_Width(e, EDIT_Text(hwnd), 0, e.caret);
    int scroll = e.scrollX;
    if (!(EDIT_Style(hwnd) & ES_AUTOHSCROLL)) scroll = 0;
    else if (x < scroll) scroll = std::max(0, x - width / 4);
    else if (x >= scroll + width) scroll = x - width + width / 4;
    if (scroll != e.scrollX) {
        e.scrollX = scroll;
        InvalidateRect(hwnd, nullptr, FALSE);
    }
}

void EDIT_SetSel(HWND hwnd, size_t anchor, size_t caret)
{
    EditState &e = EDIT_Get(hwnd);
    const size_t n = EDIT_Text(hwnd).size();
    e.anchor = std::min(anchor, n);
    e.caret = std::min(caret, n);
    InvalidateRect(hwnd, nullptr, FALSE);
}

std::string EDIT_Upper(std::string s)
{
    for (char &c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// Keeps what undoes a change at `at` that took `taken` away and put in
// `put` characters. As in Windows, deleting on from the text already taken
// (Delete, Backspace) adds to it, and typing on from what was put in (or
// where the text was taken) adds to that, so a run of typing undoes whole.
void EDIT_KeepUndo(EditState &e, size_t at, const std::string &taken, size_t put)
{
    if (!taken.empty()) {
        const bool deleting = !e.undoInserted && !e.undoText.empty();
        if (deleting && at == e.undoPos) {
            e.undoText += taken;
        } else if (deleting && at + taken.size() == e.undoPos) {
            e.undoText = taken + e.undoText;
            e.undoPos = at;
        } else {
            e.undoText = taken;
            e.undoPos = at;
        }
        e.undoInserted = 0;
    }
    if (!put) return;
    if (at == e.undoPos || (e.undoInserted && at == e.undoPos + e.undoInserted)) {
        e.undoInserted += put;
    } else {
        e.undoPos = at;
        e.undoInserted = put;
        e.undoText.clear();
    }
}

// Replaces the selection with `ins` as the user's input: the limits apply
// and the parent hears of it.
void EDIT_ReplaceSel(HWND hwnd, std::string ins)
{
    EditState &e = EDIT_Get(hwnd);
    std::string &t = EDIT_Text(hwnd);
    const DWORD style = EDIT_Style(hwnd);
    if (!EDIT_Multi(hwnd)) ins = ins.substr(0, ins.find_first_of("\r\n"));   // one line only
    if (style & ES_UPPERCASE) ins = EDIT_Upper(std::move(ins));
    const size_t lo = EDIT_SelStart(e), hi = EDIT_SelEnd(e);
    bool cut = false;
    const size_t room = t.size() - (hi - lo) >= kLimit ? 0 : kLimit - (t.size() - (hi - lo));
    if (ins.size() > room) {
        ins.resize(room);
        if (!ins.empty() && ins.back() == '\r') ins.pop_back();
        cut = true;
    }
    const std::string before = t;
    t.replace(lo, hi - lo, ins);
    e.caret = e.anchor = lo + ins.size();
    if (!EDIT_Multi(hwnd) && !(style & ES_AUTOHSCROLL)) {
        // Only what fits the visible width is taken.
        const int width = EDIT_Client(hwnd).right;
        while (e.caret > lo && EDIT_Width(e, t, 0, t.size()) > width) {
            t.erase(--e.caret, 1);
            cut = true;
        }
        e.anchor = e.caret;
    }
    EDIT_Wrap(hwnd);
    if (EDIT_Multi(hwnd) && !(style & ES_AUTOVSCROLL) && !ins.empty() &&
        static_cast<int>(e.lines.size()) > EDIT_Visible(hwnd, e) && e.lines.size() > 1) {
        // More than the field shows: the whole insertion is refused (what
        // only takes text away is always allowed).
        t = before;
        e.caret = e.anchor = hi;
        EDIT_Wrap(hwnd);
        cut = true;
    }
    if (t != before) EDIT_KeepUndo(e, lo, before.substr(lo, hi - lo), e.caret - lo);
    if (cut) control_notify(hwnd, EN_MAXTEXT);
    if (!IsWindow(hwnd)) return;
    if (t == before) return;
    EDIT_ShowCaret(hwnd);
    EDIT_UpdateScrollBar(hwnd, e);
    InvalidateRect(hwnd, nullptr, FALSE);
    control_notify(hwnd, EN_UPDATE);
    if (IsWindow(hwnd)) control_notify(hwnd, EN_CHANGE);
}

bool EDIT_ReadOnly(HWND hwnd) { return (EDIT_Style(hwnd) & ES_READONLY) != 0; }

bool EDIT_CanUndo(const EditState &e) { return e.undoInserted || !e.undoText.empty(); }

// Puts back what the last change took and selects it; what it had put in is
// kept in turn, so a second undo does the change again.
bool EDIT_Undo(HWND hwnd)
{
    EditState &e = EDIT_Get(hwnd);
    if (EDIT_ReadOnly(hwnd) || !EDIT_CanUndo(e)) return false;
    const std::string text = e.undoText;
    const size_t at = e.undoPos;
    EDIT_SetSel(hwnd, at, at + e.undoInserted);
    e.undoText.clear();
    e.undoInserted = 0;
    EDIT_ReplaceSel(hwnd, text);
    if (!IsWindow(hwnd)) return true;
    EDIT_SetSel(hwnd, at, at + e.undoInserted);
    EDIT_ShowCaret(hwnd);
    return true;
}

void EDIT_Copy(HWND hwnd)
{
    const EditState &e = EDIT_Get(hwnd);
    if (e.caret != e.anchor)
        clipboard_put_text(EDIT_Text(hwnd).substr(EDIT_SelStart(e), EDIT_SelEnd(e) - EDIT_SelStart(e)));
}

void EDIT_Cut(HWND hwnd)
{
    if (EDIT_ReadOnly(hwnd)) return;
    EDIT_Copy(hwnd);
    EDIT_ReplaceSel(hwnd, "");
}

void EDIT_Paste(HWND hwnd)
{
    const std::string text = clipboard_text();
    if (!EDIT_ReadOnly(hwnd) && !text.empty()) EDIT_ReplaceSel(hwnd, text);
}

bool EDIT_CanPaste() { return !clipboard_text().empty(); }

// Windows' menu of an edit control, greyed as Windows greys it; the chosen
// command is done at once.
void EDIT_ContextMenu(HWND hwnd, POINT at)
{
    const EditState &e = EDIT_Get(hwnd);
    const bool readOnly = EDIT_ReadOnly(hwnd), hidden = (EDIT_Style(hwnd) & ES_PASSWORD) != 0;
    const bool sel = e.caret != e.anchor;
    const bool all = EDIT_SelStart(e) == 0 && EDIT_SelEnd(e) == EDIT_Text(hwnd).size();
    const struct {
        UINT id;
        const char *text;
        bool enabled;
    } items[] = {
        {EM_UNDO, "&Undo", EDIT_CanUndo(e) && !readOnly},
        {0, nullptr, false},
        {WM_CUT, "Cu&t", sel && !readOnly && !hidden},
        {WM_COPY, "&Copy", sel && !hidden},
        {WM_PASTE, "&Paste", EDIT_CanPaste() && !readOnly},
        {WM_CLEAR, "&Delete", sel && !readOnly},
        {0, nullptr, false},
        {EM_SETSEL, "Select &All", !all},
    };
    HMENU menu = CreatePopupMenu();
    for (const auto &item : items)
        AppendMenuA(menu, !item.text ? MF_SEPARATOR : item.enabled ? MF_ENABLED : MF_GRAYED, item.id, item.text);
    if (GetFocus() != hwnd) SetFocus(hwnd);
    const UINT cmd = static_cast<UINT>(TrackPopupMenu(
        menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0, hwnd, nullptr));
    DestroyMenu(menu);
    if (!IsWindow(hwnd)) return;
    if (cmd == EM_SETSEL) SendMessageA(hwnd, EM_SETSEL, 0, -1);
    else if (cmd) SendMessageA(hwnd, cmd, 0, 0);
}

// Backspace and Delete: the selection, or else one character (a CR LF whole).
void EDIT_Erase(HWND hwnd, bool forward)
{
    if (EDIT_ReadOnly(hwnd)) return;
    EditState &e = EDIT_Get(hwnd);
    if (e.caret == e.anchor) {
        const std::string &t = EDIT_Text(hwnd);
        e.anchor = forward ? EDIT_Next(t, e.caret) : EDIT_Prev(t, e.caret);
        if (e.anchor == e.caret) return;
    }
    EDIT_ReplaceSel(hwnd, "");
}

// A multi-line field in a dialog sees Tab, Esc and Enter itself (it wants
// every key) and does what the dialog would have done.
bool EDIT_DialogKey(HWND hwnd, WPARAM vk)
{
    if (!EDIT_Multi(hwnd) || !EDIT_InDialog(hwnd)) return false;
    HWND dlg = GetParent(hwnd);
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    switch (vk) {
    case VK_TAB:
        SendMessageA(dlg, WM_NEXTDLGCTL, GetKeyState(VK_SHIFT) < 0 ? 1 : 0, 0);
        return true;
    case VK_ESCAPE:
        PostMessageA(dlg, WM_CLOSE, 0, 0);
        return true;
    case VK_RETURN:
        if (ctrl || (EDIT_Style(hwnd) & ES_WANTRETURN)) return false;
        if (LRESULT def = SendMessageA(dlg, DM_GETDEFID, 0, 0); HIWORD(def) == DC_HASDEFID) {
            if (HWND button = GetDlgItem(dlg, LOWORD(def))) {
                SendMessageA(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(button), TRUE);
                PostMessageA(button, WM_KEYDOWN, VK_RETURN, 0);
            }
        }
        return true;
    }
    return false;
}

void EDIT_KeyDown(HWND hwnd, WPARAM vk)
{
    if (EDIT_DialogKey(hwnd, vk)) return;
    EditState &e = EDIT_Get(hwnd);
    const std::string &t = EDIT_Text(hwnd);
    const bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0, multi = EDIT_Multi(hwnd);
    const bool sel = e.caret != e.anchor;
    const Line &line = e.lines[EDIT_LineOf(e, e.caret)];
    size_t to = e.caret;
    switch (vk) {
    case VK_LEFT:
    case VK_UP:
        if (vk == VK_UP && multi) {
            const POINT p = EDIT_CaretPoint(hwnd, e);
            to = EDIT_LineOf(e, e.caret) == 0 ? e.caret : EDIT_PosFromPoint(hwnd, e, p.x, p.y - e.lineHeight);
        } else if (vk == VK_LEFT && ctrl) {
            to = EDIT_WordLeft(t, e.caret);
        } else {
            to = sel && !shift ? EDIT_SelStart(e) : EDIT_Prev(t, e.caret);
        }
        break;
    case VK_RIGHT:
    case VK_DOWN:
        if (vk == VK_DOWN && multi) {
            const POINT p = EDIT_CaretPoint(hwnd, e);
            to = EDIT_LineOf(e, e.caret) + 1 >= e.lines.size() ? e.caret
                                                               : EDIT_PosFromPoint(hwnd, e, p.x, p.y + e.lineHeight);
        } else if (vk == VK_RIGHT && ctrl) {
            to = EDIT_WordRight(t, e.caret);
        } else {
            to = sel && !shift ? EDIT_SelEnd(e) : EDIT_Next(t, e.caret);
        }
        break;
    case VK_HOME:
        to = ctrl || !multi ? 0 : line.start;
        break;
    case VK_END:
        to = ctrl || !multi ? t.size() : line.end;
        break;
    case VK_DELETE:
        if (shift) EDIT_Cut(hwnd);
        else EDIT_Erase(hwnd, true);
        return;
    case VK_INSERT:
        if (ctrl) EDIT_Copy(hwnd);
        else if (shift) EDIT_Paste(hwnd);
        return;
    default:
        return;
    }
    EDIT_SetSel(hwnd, shift ? e.anchor : to, to);
    EDIT_ShowCaret(hwnd);
}

void EDIT_Char(HWND hwnd, unsigned char ch)
{
    const bool multi = EDIT_Multi(hwnd);
    switch (ch) {
    case 0x01:
        EDIT_SetSel(hwnd, 0, EDIT_Text(hwnd).size());
        return;   // Ctrl+A
    case 0x03:
        EDIT_Copy(hwnd);
        return;   // Ctrl+C
    case 0x18:
        EDIT_Cut(hwnd);
        return;   // Ctrl+X
    case 0x16:
        EDIT_Paste(hwnd);
        return;   // Ctrl+V
    case 0x1A:
        EDIT_Undo(hwnd);
        return;   // Ctrl+Z
    case '\b':
        EDIT_Erase(hwnd, false);
        return;
    case '\r':
        // In a dialog Enter is the default button's unless the field wants it.
        if (!multi || (EDIT_InDialog(hwnd) && !(EDIT_Style(hwnd) & ES_WANTRETURN))) return;
        [[fallthrough]];
    case '\n':   // Ctrl+Enter
        if (multi && !EDIT_ReadOnly(hwnd)) EDIT_ReplaceSel(hwnd, "\r\n");
        return;
    case '\t':
        if (multi && !EDIT_InDialog(hwnd) && !EDIT_ReadOnly(hwnd)) EDIT_ReplaceSel(hwnd, "\t");
        return;
    }
    if (ch < 0x20 || EDIT_ReadOnly(hwnd)) return;
    EDIT_ReplaceSel(hwnd, std::string(1, static_cast<char>(ch)));
}

void EDIT_SetText(HWND hwnd, const char *text)
{
    EditState &e = EDIT_Get(hwnd);
    std::string &t = EDIT_Text(hwnd);
    t = text ? text : "";
    if (EDIT_Style(hwnd) & ES_UPPERCASE) t = EDIT_Upper(std::move(t));
    e.caret = e.anchor = 0;
    e.scrollX = 0;
    e.top = 0;
    e.undoText.clear();
    e.undoInserted = 0;
    EDIT_Wrap(hwnd);
    EDIT_UpdateScrollBar(hwnd, e);
    InvalidateRect(hwnd, nullptr, TRUE);
    // A multi-line field keeps quiet about text set by the program.
    if (!EDIT_Multi(hwnd)) {
        control_notify(hwnd, EN_UPDATE);
        if (IsWindow(hwnd)) control_notify(hwnd, EN_CHANGE);
    }
}

// One run of a line, in the selection's colours or the field's own.
void EDIT_PaintRun(HDC dc, const EditState &e, const std::string &t, size_t from, size_t to, int x, int y,
                   bool selected)
{
    if (from >= to) return;
    const int w = EDIT_Width(e, t, from, to);
    const COLORREF was = selected ? control_selection(dc, RECT{x, y, x + w, y + e.lineHeight}) : 0;
    TextOutA(dc, x, y, t.data() + from, static_cast<int>(to - from));
    if (selected) SetTextColor(dc, was);
}

void EDIT_Paint(HWND hwnd)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    const EditState &e = EDIT_Get(hwnd);
    if (e.font) SelectObject(dc, e.font);
    const RECT client = EDIT_Client(hwnd);
    // A field the user cannot change is coloured as a label.
    const bool enabled = IsWindowEnabled(hwnd);
    HBRUSH ground = control_colors(hwnd, dc, EDIT_ReadOnly(hwnd) || !enabled ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT);
    FillRect(dc, &client, ground);
    if (!enabled) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    SetBkMode(dc, TRANSPARENT);
    const std::string &t = EDIT_Text(hwnd);
    const size_t lo = e.focus ? EDIT_SelStart(e) : 0, hi = e.focus ? EDIT_SelEnd(e) : 0;
    const int visible = EDIT_Visible(hwnd, e) + 1;
    for (int i = e.top; i < static_cast<int>(e.lines.size()) && i < e.top + visible; ++i) {
        const Line &l = e.lines[static_cast<size_t>(i)];
        const int y = EDIT_TextTop(hwnd, e) + (i - e.top) * e.lineHeight;
        const size_t a = std::clamp(lo, l.start, l.end), b = std::clamp(hi, l.start, l.end);
        int x = -e.scrollX;
        EDIT_PaintRun(dc, e, t, l.start, a, x, y, false);
        x += EDIT_Width(e, t, l.start, a);
        EDIT_PaintRun(dc, e, t, a, b, x, y, true);
        x += EDIT_Width(e, t, a, b);
        EDIT_PaintRun(dc, e, t, b, l.end, x, y, false);
    }
    if (e.focus && e.caretOn) {
        const POINT p = EDIT_CaretPoint(hwnd, e);
        const RECT caret{p.x, p.y, p.x + 1, p.y + e.lineHeight};
        FillRect(dc, &caret, GetSysColorBrush(COLOR_WINDOWTEXT));
    }
    EndPaint(hwnd, &ps);
}

void EDIT_InvalidateCaret(HWND hwnd, const EditState &e)
{
    const RECT r{e.caretAt.x, e.caretAt.y, e.caretAt.x + 1, e.caretAt.y + e.lineHeight};
    InvalidateRect(hwnd, &r, FALSE);
}

// After every message: a caret that moved shows at once and blinks anew.
void EDIT_FollowCaret(HWND hwnd)
{
    EditState *e = control_state<EditState>(hwnd);
    if (!e || !e->focus || e->lines.empty()) return;
    const POINT p = EDIT_CaretPoint(hwnd, *e);
    if (p.x == e->caretAt.x && p.y == e->caretAt.y) return;
    e->caretAt = p;
    e->caretOn = true;
    set_system_timer(hwnd, kCaretTimer, GetCaretBlinkTime());
    EDIT_InvalidateCaret(hwnd, *e);
}

LRESULT EDIT_GetSel(HWND hwnd, WPARAM wp, LPARAM lp)
{
    const EditState &e = EDIT_Get(hwnd);
    const DWORD lo = static_cast<DWORD>(EDIT_SelStart(e)), hi = static_cast<DWORD>(EDIT_SelEnd(e));
    if (wp) *reinterpret_cast<DWORD *>(wp) = lo;
    if (lp) *reinterpret_cast<DWORD *>(lp) = hi;
    return MAKELRESULT(std::min<DWORD>(lo, 0xFFFF), std::min<DWORD>(hi, 0xFFFF));
}

LRESULT EDIT_WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_NCCREATE:
        control_attach<EditState>(hwnd);
        break;
    case WM_CREATE: {
        EDIT_Measure(hwnd);
        std::string &t = EDIT_Text(hwnd);
        if (EDIT_Style(hwnd) & ES_UPPERCASE) t = EDIT_Upper(t);
        EDIT_Wrap(hwnd);
        EDIT_UpdateScrollBar(hwnd, EDIT_Get(hwnd));
        return 0;
    }
    case WM_GETDLGCODE:
        return DLGC_HASSETSEL | DLGC_WANTCHARS | DLGC_WANTARROWS | (EDIT_Multi(hwnd) ? DLGC_WANTALLKEYS : 0);
    case WM_SETFONT:
        EDIT_Get(hwnd).font = reinterpret_cast<HFONT>(wp);
        EDIT_Measure(hwnd);
        EDIT_Wrap(hwnd);
        EDIT_UpdateScrollBar(hwnd, EDIT_Get(hwnd));
        if (LOWORD(lp)) InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(EDIT_Get(hwnd).font);
    case WM_SIZE:
        EDIT_Wrap(hwnd);
        EDIT_ScrollTo(hwnd, EDIT_Get(hwnd).top);
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_SETTEXT:
        EDIT_SetText(hwnd, reinterpret_cast<LPCSTR>(lp));
        return TRUE;
    case WM_PAINT:
        EDIT_Paint(hwnd);
        return 0;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_SETFOCUS:
        EDIT_Get(hwnd).focus = true;
        EDIT_Get(hwnd).caretAt = POINT{-1, -1};   // shown afresh
        EDIT_Get(hwnd).caretOn = false;
        InvalidateRect(hwnd, nullptr, FALSE);
        control_notify(hwnd, EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        EDIT_Get(hwnd).focus = false;
        kill_system_timer(hwnd, kCaretTimer);
        InvalidateRect(hwnd, nullptr, FALSE);
        control_notify(hwnd, EN_KILLFOCUS);
        return 0;
    case WM_ENABLE:
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_KEYDOWN:
        EDIT_KeyDown(hwnd, wp);
        return 0;
    case WM_CHAR:
        EDIT_Char(hwnd, static_cast<unsigned char>(wp));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE: {
        if (msg == WM_MOUSEMOVE && GetCapture() != hwnd) return 0;
        EditState &e = EDIT_Get(hwnd);
        if (msg == WM_LBUTTONDOWN) {
            SetFocus(hwnd);
            SetCapture(hwnd);
        }
        const size_t pos = EDIT_PosFromPoint(hwnd, e, static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)));
        const bool extend = msg == WM_MOUSEMOVE || (wp & MK_SHIFT);
        EDIT_SetSel(hwnd, extend ? e.anchor : pos, pos);
        EDIT_ShowCaret(hwnd);
        return 0;
    }
    case WM_LBUTTONDBLCLK: {
        // The word under the pointer, with the blanks after it.
        EditState &e = EDIT_Get(hwnd);
        const std::string &t = EDIT_Text(hwnd);
        SetFocus(hwnd);
        SetCapture(hwnd);
        size_t at = EDIT_PosFromPoint(hwnd, e, static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)), true);
        const Span line = EDIT_HardLine(t, at);
        if (at == line.end && at > line.start) --at;     // past the end: the last word
        if (at == line.end) EDIT_SetSel(hwnd, at, at);   // an empty line
        else EDIT_SetSel(hwnd, EDIT_WordLeft(t, at + 1), EDIT_WordRight(t, at));
        EDIT_ShowCaret(hwnd);
        return 0;
    }
    case WM_LBUTTONUP:
        if (GetCapture() == hwnd) ReleaseCapture();
        return 0;
    case WM_RBUTTONUP: {
        // The default processing of every window: the context menu, at the pointer.
        POINT at{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
        ClientToScreen(hwnd, &at);
        SendMessageA(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(at.x, at.y));
        return 0;
    }
    case WM_SYSTIMER:
        if (wp == kCaretTimer) {
            EditState &e = EDIT_Get(hwnd);
            e.caretOn = !e.caretOn;
            EDIT_InvalidateCaret(hwnd, e);
        }
        return 0;
    case WM_CONTEXTMENU:
        EDIT_ContextMenu(hwnd, POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))});
        return 0;
    case WM_VSCROLL:
    case WM_MOUSEWHEEL: {
        const EditState &e = EDIT_Get(hwnd);
        if (const auto top =
                control_scroll_target(msg, wp, e.top, EDIT_Visible(hwnd, e), static_cast<int>(e.lines.size())))
            EDIT_ScrollTo(hwnd, *top);
        return 0;
    }
    case WM_CUT:
        EDIT_Cut(hwnd);
        return 0;
    case WM_COPY:
        EDIT_Copy(hwnd);
        return 0;
    case WM_PASTE:
        EDIT_Paste(hwnd);
        return 0;
    case WM_CLEAR:
        if (!EDIT_ReadOnly(hwnd)) EDIT_ReplaceSel(hwnd, "");
        return 0;
    case WM_UNDO:
    case EM_UNDO:
        return EDIT_Undo(hwnd) || !EDIT_Multi(hwnd);
    case EM_CANUNDO:
        return EDIT_CanUndo(EDIT_Get(hwnd));
    case EM_EMPTYUNDOBUFFER:
        EDIT_Get(hwnd).undoText.clear();
        EDIT_Get(hwnd).undoInserted = 0;
        return 0;
    case EM_GETSEL:
        return EDIT_GetSel(hwnd, wp, lp);
    case EM_SETSEL: {
        // A start of -1 takes the selection away; an end of -1 is the end of the text.
        EditState &e = EDIT_Get(hwnd);
        const int start = static_cast<int>(wp), end = static_cast<int>(lp);
        if (start == -1) EDIT_SetSel(hwnd, e.caret, e.caret);
        else EDIT_SetSel(hwnd, static_cast<size_t>(start), end < 0 ? std::string::npos : static_cast<size_t>(end));
        return 0;
    }
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

}   // namespace
}   // namespace user32

using namespace user32;

LRESULT CALLBACK EditWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    const LRESULT r = EDIT_WndProc(hwnd, msg, wp, lp);
    if (msg != WM_PAINT && msg != WM_NCDESTROY && IsWindow(hwnd)) EDIT_FollowCaret(hwnd);
    return r;
}

UINT WINAPI GetCaretBlinkTime(void) { return kCaretBlinkTime; }
