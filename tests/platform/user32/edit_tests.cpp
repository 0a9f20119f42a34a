// EDIT: what typing keeps (the visible width, upper case, the text limit),
// the notifications and their order, selection by keys and mouse, the
// program's clipboard, read-only fields, multi-line fields (CR LF, Enter,
// Ctrl+Enter, Tab and Esc in a dialog, word wrap, the scroll bar and the
// wheel), and their look.
#include "support/dialogs.h"
#include "support/golden.h"
#include "support/msgseq.h"

#include "driver/driver.h"
#include "user32/compositor.h"

#include <algorithm>

#include <gtest/gtest.h>

#include <string>

using msgseq::Seen;
using msgseq::Sent;

namespace {

std::string text(HWND dlg, int id)
{
    char buf[2048];
    GetDlgItemTextA(dlg, id, buf, sizeof buf);
    return buf;
}

// The edit notifications the dialog heard, in order.
std::vector<WORD> notes(HWND dlg, int id)
{
    std::vector<WORD> out;
    for (const Seen &s : msgseq::select(dlg, {WM_COMMAND}))
        if (LOWORD(s.wp) == id) out.push_back(HIWORD(s.wp));
    return out;
}

std::pair<DWORD, DWORD> selection(HWND edit)
{
    DWORD a = 99, b = 99;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
    return {a, b};
}

using Sel = std::pair<DWORD, DWORD>;

HWND focus(HWND dlg, int id)
{
    HWND edit = GetDlgItem(dlg, id);
    SendMessageA(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
    dialogs::pump(dlg);
    return edit;
}

// Where the caret shows: the first column of the client area that is black
// for a whole line's height; -1 when none is.
int caret_column(HWND edit)
{
    RECT r;
    GetClientRect(edit, &r);
    POINT o{0, 0};
    ClientToScreen(edit, &o);
    const gfx::Canvas &d = user32::desktop_image();
    for (int x = 0; x < r.right; ++x) {
        int run = 0, best = 0;
        for (int y = 0; y < r.bottom; ++y) {
            run = d.row(o.y + y)[o.x + x] == 0 ? run + 1 : 0;
            best = std::max(best, run);
        }
        if (best >= 13) return x;
    }
    return -1;
}

int text_width(HWND edit, const std::string &s)
{
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(edit, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32A(dc, s.c_str(), static_cast<int>(s.size()), &size);
    DeleteDC(dc);
    return size.cx;
}

} // namespace

TEST(EditField, WithoutAutoScrollTypingStopsAtTheVisibleWidthInUpperCase)
{
    HWND dlg = dialogs::open(601);
    EXPECT_EQ(text(dlg, 102), "");
    HWND edit = focus(dlg, 102);
    msgseq::log().clear();
    dialogs::type(dlg, "a.scs");
    EXPECT_EQ(text(dlg, 102), "A.SCS");
    // Every character typed: EN_UPDATE, then EN_CHANGE.
    EXPECT_EQ(notes(dlg, 102), (std::vector<WORD>{EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE,
                                                  EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE}));

    msgseq::log().clear();
    dialogs::type(dlg, "wwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwww");
    const std::string kept = text(dlg, 102);
    RECT c;
    GetClientRect(edit, &c);
    EXPECT_LT(kept.size(), 40u);
    EXPECT_EQ(kept.substr(0, 5), "A.SCS");
    EXPECT_EQ(kept.find_first_not_of('W', 5), std::string::npos);
    EXPECT_LE(text_width(edit, kept), c.right);
    EXPECT_GT(text_width(edit, kept + "W"), c.right);
    // Each refused character tells the parent EN_MAXTEXT, and nothing changed.
    const std::vector<WORD> heard = notes(dlg, 102);
    ASSERT_FALSE(heard.empty());
    EXPECT_EQ(heard.back(), EN_MAXTEXT);
    EXPECT_EQ(heard[heard.size() - 2], EN_MAXTEXT);

    // Text set by the program is not cut to the width.
    SetDlgItemTextA(dlg, 102, "a much longer name than the field shows.scs");
    EXPECT_EQ(text(dlg, 102), "A MUCH LONGER NAME THAN THE FIELD SHOWS.SCS");
}

TEST(EditField, AutoScrollTakesLongTextUpToTheLimit)
{
    HWND dlg = dialogs::open(601);
    HWND edit = focus(dlg, 101);
    const std::string longText = "the title of a spread that runs well past the right edge";
    dialogs::type(dlg, longText);
    EXPECT_EQ(text(dlg, 101), longText);
    EXPECT_EQ(selection(edit), Sel(longText.size(), longText.size()));
    EXPECT_EQ(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0), 30000);
    // The field scrolled to keep the caret in sight, and scrolls back for Home.
    RECT c;
    GetClientRect(edit, &c);
    ASSERT_GT(text_width(edit, longText), c.right);
    const int end = caret_column(edit);
    EXPECT_GT(end, 0);
    EXPECT_LT(end, c.right);
    dialogs::press(dlg, VK_HOME);
    EXPECT_EQ(caret_column(edit), 0);

    SetDlgItemTextA(dlg, 101, "");
    SendMessageA(edit, EM_LIMITTEXT, 4, 0);
    msgseq::log().clear();
    dialogs::type(dlg, "abcdef");
    EXPECT_EQ(text(dlg, 101), "abcd");
    EXPECT_EQ(notes(dlg, 101).back(), EN_MAXTEXT);
    // Replacing a selection makes room.
    SendMessageA(edit, EM_SETSEL, 1, 3);
    dialogs::type(dlg, "XYZ");
    EXPECT_EQ(text(dlg, 101), "aXYd");
    SendMessageA(edit, EM_LIMITTEXT, 0, 0);
    EXPECT_EQ(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);
}

TEST(EditField, KeysAndMouseSelectAndTheClipboardCarriesText)
{
    HWND dlg = dialogs::open(601);
    HWND edit = focus(dlg, 101);
    dialogs::type(dlg, "hello world");
    dialogs::press(dlg, VK_HOME);
    EXPECT_EQ(selection(edit), Sel(0, 0));
    for (int i = 0; i < 5; ++i) dialogs::press(dlg, VK_RIGHT, VK_SHIFT);
    EXPECT_EQ(selection(edit), Sel(0, 5));
    dialogs::press(dlg, 'C', VK_CONTROL);
    dialogs::press(dlg, VK_END);
    EXPECT_EQ(selection(edit), Sel(11, 11));
    dialogs::press(dlg, 'V', VK_CONTROL);
    EXPECT_EQ(text(dlg, 101), "hello worldhello");
    dialogs::press(dlg, VK_LEFT, VK_SHIFT);
    dialogs::press(dlg, VK_LEFT, VK_SHIFT);
    EXPECT_EQ(selection(edit), Sel(14, 16));
    dialogs::press(dlg, VK_BACK);
    EXPECT_EQ(text(dlg, 101), "hello worldhel");
    dialogs::press(dlg, VK_HOME);
    dialogs::press(dlg, VK_DELETE);
    EXPECT_EQ(text(dlg, 101), "ello worldhel");
    dialogs::press(dlg, VK_BACK);   // nothing before the caret
    EXPECT_EQ(text(dlg, 101), "ello worldhel");
    dialogs::press(dlg, 'A', VK_CONTROL);
    EXPECT_EQ(selection(edit), Sel(0, 13));
    dialogs::press(dlg, 'X', VK_CONTROL);
    EXPECT_EQ(text(dlg, 101), "");

    // The mouse: a press puts the caret, a drag selects, Shift+click extends.
    SetDlgItemTextA(dlg, 101, "abcdefgh");
    const int w = text_width(edit, "abc");
    dialogs::click(dlg, edit, POINT{w, 5});
    EXPECT_EQ(selection(edit), Sel(3, 3));
    dialogs::mouse(edit, POINT{w, 5}, true);
    drv::mouse_move([&] {
        POINT p{text_width(edit, "abcdef"), 5};
        ClientToScreen(edit, &p);
        return p;
    }());
    dialogs::mouse(edit, POINT{text_width(edit, "abcdef"), 5}, false);
    dialogs::pump(dlg);
    EXPECT_EQ(selection(edit), Sel(3, 6));
    EXPECT_EQ(GetCapture(), nullptr);

    // Tab selects the whole text of the field it reaches; a click does not.
    SendMessageA(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dlg, IDCANCEL)), TRUE);
    focus(dlg, 101);
    EXPECT_EQ(selection(edit), Sel(0, 8));
}

TEST(EditField, ReadOnlyFieldTakesNoTypingButCopies)
{
    HWND dlg = dialogs::open(601);
    SetDlgItemTextA(dlg, 103, "C:\\SPREADS\\CROSS.SCS");
    HWND ro = focus(dlg, 103);
    EXPECT_EQ(selection(ro), Sel(0, 20));
    msgseq::log().clear();
    dialogs::type(dlg, "x");
    dialogs::press(dlg, VK_DELETE);
    dialogs::press(dlg, 'X', VK_CONTROL);
    EXPECT_EQ(text(dlg, 103), "C:\\SPREADS\\CROSS.SCS");
    EXPECT_TRUE(notes(dlg, 103).empty());
    dialogs::press(dlg, 'C', VK_CONTROL);
    focus(dlg, 101);
    dialogs::press(dlg, 'V', VK_CONTROL);
    EXPECT_EQ(text(dlg, 101), "C:\\SPREADS\\CROSS.SCS");
}

TEST(EditField, ProgramTextNotifiesOnlyASingleLineField)
{
    HWND dlg = dialogs::open(601);
    msgseq::log().clear();
    SetDlgItemTextA(dlg, 101, "one");
    SetDlgItemTextA(dlg, 1199, "two\r\nlines");
    EXPECT_EQ(notes(dlg, 101), (std::vector<WORD>{EN_UPDATE, EN_CHANGE}));
    EXPECT_TRUE(notes(dlg, 1199).empty());
    EXPECT_EQ(GetWindowTextLengthA(GetDlgItem(dlg, 1199)), 10);
}

TEST(MultiLineEdit, EnterAndCtrlEnterBreakLinesAsCrLf)
{
    HWND dlg = dialogs::open(601);
    focus(dlg, 1199);
    msgseq::log().clear();
    dialogs::type(dlg, "ab");
    dialogs::press(dlg, VK_RETURN);
    dialogs::type(dlg, "cd");
    dialogs::press(dlg, VK_RETURN, VK_CONTROL);
    EXPECT_EQ(text(dlg, 1199), "ab\r\ncd\r\n");
    EXPECT_TRUE(msgseq::select(dlg, {WM_COMMAND}).size() >= 2u);
    for (const Seen &s : msgseq::select(dlg, {WM_COMMAND})) EXPECT_EQ(LOWORD(s.wp), 1199);
    // Backspace takes a line break whole; Left steps over it at once.
    dialogs::press(dlg, VK_BACK);
    EXPECT_EQ(text(dlg, 1199), "ab\r\ncd");
    dialogs::press(dlg, VK_LEFT);
    dialogs::press(dlg, VK_LEFT);
    dialogs::press(dlg, VK_LEFT);
    EXPECT_EQ(selection(GetDlgItem(dlg, 1199)), Sel(2, 2));
    dialogs::press(dlg, VK_DOWN);
    EXPECT_EQ(selection(GetDlgItem(dlg, 1199)), Sel(6, 6));

    // Without ES_WANTRETURN Enter is the default button's and Ctrl+Enter breaks the line.
    HWND other = focus(dlg, 105);
    SetDlgItemTextA(dlg, 105, "x");
    SendMessageA(other, EM_SETSEL, 1, 1);
    msgseq::log().clear();
    dialogs::press(dlg, VK_RETURN);
    EXPECT_EQ(text(dlg, 105), "x");
    ASSERT_FALSE(msgseq::select(dlg, {WM_COMMAND}).empty());
    EXPECT_EQ(msgseq::select(dlg, {WM_COMMAND}).back().wp, MAKEWPARAM(IDOK, BN_CLICKED));
    focus(dlg, 105);
    SendMessageA(other, EM_SETSEL, 1, 1);
    dialogs::press(dlg, VK_RETURN, VK_CONTROL);
    EXPECT_EQ(text(dlg, 105), "x\r\n");
}

TEST(MultiLineEdit, WithoutAutoVScrollTypingStopsAtTheVisibleLines)
{
    HWND dlg = dialogs::open(601);
    HWND edit = GetDlgItem(dlg, 1199);
    RECT c;
    GetClientRect(edit, &c);
    ASSERT_EQ(c.bottom / 13, 4);   // four lines of MS Sans Serif 8
    SetDlgItemTextA(dlg, 1199, "a\r\nb\r\nc\r\nd");
    focus(dlg, 1199);
    dialogs::press(dlg, VK_END, VK_CONTROL);
    msgseq::log().clear();
    dialogs::press(dlg, VK_RETURN);
    EXPECT_EQ(text(dlg, 1199), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(notes(dlg, 1199), (std::vector<WORD>{EN_MAXTEXT}));
    dialogs::type(dlg, "x");   // the line has room
    EXPECT_EQ(text(dlg, 1199), "a\r\nb\r\nc\r\ndx");
    // Taking text away always works, even from a field set fuller than it shows.
    SetDlgItemTextA(dlg, 1199, "1\r\n2\r\n3\r\n4\r\n5\r\n6");
    SendMessageA(edit, EM_SETSEL, 1, 1);
    dialogs::press(dlg, VK_DELETE);
    EXPECT_EQ(text(dlg, 1199), "12\r\n3\r\n4\r\n5\r\n6");
    dialogs::type(dlg, "y");   // still more lines than it shows: refused
    EXPECT_EQ(text(dlg, 1199), "12\r\n3\r\n4\r\n5\r\n6");
}

TEST(MultiLineEdit, TabMovesOnAndEscCancelsTheDialog)
{
    HWND dlg = dialogs::open(601);
    HWND edit = focus(dlg, 1199);
    EXPECT_EQ(SendMessageA(edit, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, DLGC_WANTALLKEYS);
    dialogs::press(dlg, VK_TAB);
    EXPECT_EQ(GetFocus(), GetDlgItem(dlg, 105));
    dialogs::press(dlg, VK_TAB, VK_SHIFT);
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(text(dlg, 1199), "");
    msgseq::log().clear();
    dialogs::press(dlg, VK_ESCAPE);
    ASSERT_FALSE(msgseq::select(dlg, {WM_COMMAND}).empty());
    EXPECT_EQ(LOWORD(msgseq::select(dlg, {WM_COMMAND}).back().wp), IDCANCEL);
}

TEST(MultiLineEdit, WrapsWordsAndScrollsByBarKeysAndWheel)
{
    HWND dlg = dialogs::open(601);
    HWND edit = GetDlgItem(dlg, 1199);
    std::string many;
    for (int i = 0; i < 12; ++i) many += "line " + std::to_string(i) + "\r\n";
    many += "and a last paragraph long enough that word wrap has to break it into pieces";
    SetDlgItemTextA(dlg, 1199, many.c_str());
    EXPECT_EQ(text(dlg, 1199), many);   // soft breaks add nothing to the text
    const LRESULT lines = SendMessageA(edit, EM_GETLINECOUNT, 0, 0);
    EXPECT_GT(lines, 13);
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(edit, SB_VERT, &si));
    EXPECT_EQ(si.nMax, lines - 1);
    const int page = static_cast<int>(si.nPage);
    EXPECT_GT(page, 1);
    EXPECT_LT(page, lines);

    focus(dlg, 1199);
    dialogs::press(dlg, VK_END, VK_CONTROL);
    EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), lines - page);
    EXPECT_EQ(GetScrollPos(edit, SB_VERT), lines - page);
    dialogs::wheel(dlg, edit, 1);
    EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), lines - page - 3);

    // The bar's arrows and track, in the non-client area right of the text.
    RECT wr;
    GetWindowRect(edit, &wr);
    const POINT up{wr.right - 10, wr.top + 8}, track{wr.right - 10, wr.bottom - 24};
    for (POINT p : {up}) {
        drv::mouse_button(p, drv::Button::Left, true);
        drv::mouse_button(p, drv::Button::Left, false);
    }
    dialogs::pump(dlg);
    EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), lines - page - 4);
    drv::mouse_button(track, drv::Button::Left, true);
    drv::mouse_button(track, drv::Button::Left, false);
    dialogs::pump(dlg);
    EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), lines - page);
}

TEST(Golden, EditFieldsInEachState)
{
    HWND dlg = dialogs::open(601);
    SetDlgItemTextA(dlg, 102, ".SCS");
    SetDlgItemTextA(dlg, 103, "C:\\SPREADS\\CELTIC.SCS");
    SetDlgItemTextA(dlg, 104, "Disabled");
    SetDlgItemTextA(dlg, 1199, "The meaning of this position, wrapped at the edge of the field.\r\nA second "
                               "paragraph.\r\nThird.\r\nFourth.\r\nFifth.");
    SetDlgItemTextA(dlg, 105, "Short");
    HWND edit = focus(dlg, 101);
    dialogs::type(dlg, "Celtic Cross");
    SendMessageA(edit, EM_SETSEL, 7, 12);
    dialogs::pump(dlg);
    gfx::Surface all = dialogs::picture(dlg);
    EXPECT_TRUE(matches_golden(all.canvas, "controls_edits"));
}
