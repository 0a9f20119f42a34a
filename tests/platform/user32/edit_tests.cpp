// EDIT: what typing keeps (the visible width, upper case, the text limit),
// the notifications, selection by keys and mouse, the clipboard (the program's
// and the desktop's, UTF-8 with LF out there),
// read-only fields, multi-line fields (CR LF, Enter, Ctrl+Enter, Tab and Esc
// in a dialog, word wrap, the scroll bar and the wheel), and their look.
#include "support/dialogs.h"
#include "support/golden.h"
#include "support/msgseq.h"
#include "support/person.h"

#include "driver/driver.h"
#include "driver/headless/headless.h"
#include "user32/menu_internal.h"

#include <gtest/gtest.h>

#include <string>

using dialogs::focus;
using dialogs::text;
using msgseq::notes;

namespace {

using Sel = std::pair<DWORD, DWORD>;

Sel selection(HWND edit)
{
    DWORD a = 99, b = 99;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
    return {a, b};
}

// The field's text and selection as "text|from-to".
std::string state(HWND dlg, int id)
{
    const Sel s = selection(GetDlgItem(dlg, id));
    return text(dlg, id) + "|" + std::to_string(s.first) + "-" + std::to_string(s.second);
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

}   // namespace

TEST(EditField, TypingStopsAtTheVisibleWidthWithoutAutoScrollAndAtThirtyThousandCharacters)
{
    HWND dlg = dialogs::open(601);
    HWND edit = focus(dlg, 102);
    dialogs::type(dlg, "a.");
    EXPECT_EQ(notes(dlg, 102), (std::vector<WORD>{EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE}));
    msgseq::log().clear();
    dialogs::type(dlg, std::string(60, 'w'));
    const std::string kept = text(dlg, 102);
    RECT c;
    GetClientRect(edit, &c);
    EXPECT_EQ(kept, "A." + std::string(kept.size() - 2, 'W'));
    EXPECT_LE(text_width(edit, kept), c.right);
    EXPECT_GT(text_width(edit, kept + "W"), c.right);
    // Each refused character tells the parent EN_MAXTEXT, and nothing changed.
    const std::vector<WORD> heard = notes(dlg, 102);
    EXPECT_EQ(std::vector<WORD>(heard.end() - 2, heard.end()), (std::vector<WORD>{EN_MAXTEXT, EN_MAXTEXT}));
    // Text set by the program is not cut; only a single-line field tells of it.
    msgseq::log().clear();
    SetDlgItemTextA(dlg, 102, "a much longer name than the field shows.scs");
    SetDlgItemTextA(dlg, 1199, "two\r\nlines");
    EXPECT_EQ(text(dlg, 102), "A MUCH LONGER NAME THAN THE FIELD SHOWS.SCS");
    EXPECT_EQ(notes(dlg, 102), (std::vector<WORD>{EN_UPDATE, EN_CHANGE}));
    EXPECT_TRUE(notes(dlg, 1199).empty());
    // Any field takes at most 30,000 characters; replacing a selection makes room.
    HWND big = focus(dlg, 101);
    SetDlgItemTextA(dlg, 101, std::string(29998, 'x').c_str());
    dialogs::press(dlg, VK_END);
    dialogs::type(dlg, "abc");
    EXPECT_EQ(text(dlg, 101), std::string(29998, 'x') + "ab");
    EXPECT_EQ(notes(dlg, 101).back(), EN_MAXTEXT);
    SendMessageA(big, EM_SETSEL, 0, 3);
    dialogs::type(dlg, "XYZW");
    EXPECT_EQ(text(dlg, 101).substr(0, 5), "XYZxx");
    EXPECT_EQ(text(dlg, 101).size(), 30000u);
}

TEST(EditField, KeysAndMouseSelectAndTheClipboardCarriesTextFromAReadOnlyFieldAndTheDesktop)
{
    HWND dlg = dialogs::open(601);
    HWND edit = focus(dlg, 101);
    dialogs::type(dlg, "hello world");
    dialogs::press(dlg, VK_HOME);
    for (int i = 0; i < 5; ++i) dialogs::press(dlg, VK_RIGHT, VK_SHIFT);
    dialogs::press(dlg, 'C', VK_CONTROL);
    dialogs::press(dlg, VK_END);
    dialogs::press(dlg, 'V', VK_CONTROL);
    EXPECT_EQ(text(dlg, 101), "hello worldhello");
    // The last two letters selected and taken; Backspace with nothing before the caret.
    for (UINT vk : {VK_LEFT, VK_LEFT}) dialogs::press(dlg, vk, VK_SHIFT);
    for (UINT vk : {VK_BACK, VK_HOME, VK_DELETE, VK_BACK}) dialogs::press(dlg, vk);
    EXPECT_EQ(text(dlg, 101), "ello worldhel");
    for (UINT vk : {'A', 'X'}) dialogs::press(dlg, vk, VK_CONTROL);
    EXPECT_EQ(text(dlg, 101), "");
    // A read-only field takes no typing, deleting or cutting, but copies.
    SetDlgItemTextA(dlg, 103, "C:\\CROSS.SCS");
    focus(dlg, 103);
    dialogs::type(dlg, "x");
    dialogs::press(dlg, VK_DELETE);
    for (UINT vk : {'X', 'C'}) dialogs::press(dlg, vk, VK_CONTROL);
    EXPECT_TRUE(notes(dlg, 103).empty());
    focus(dlg, 101);
    dialogs::press(dlg, 'V', VK_CONTROL);
    EXPECT_EQ(text(dlg, 101), "C:\\CROSS.SCS");

    // The mouse: a press puts the caret, a drag selects; Tab selects all, a click does not.
    dialogs::click(dlg, edit, POINT{text_width(edit, "C:\\"), 5});
    EXPECT_EQ(selection(edit), Sel(3, 3));
    drv::headless().set_now(drv::headless().now() + GetDoubleClickTime());   // no double-click
    POINT from{text_width(edit, "C:\\"), 5}, to{text_width(edit, "C:\\CRO"), 5};
    ClientToScreen(edit, &from);
    ClientToScreen(edit, &to);
    dialogs::drag(dlg, from, to);
    EXPECT_EQ(selection(edit), Sel(3, 6));
    EXPECT_EQ(GetCapture(), nullptr);
    SendMessageA(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dlg, IDCANCEL)), TRUE);
    focus(dlg, 101);
    EXPECT_EQ(selection(edit), Sel(0, 12));
    // The desktop's clipboard holds UTF-8 with LF; a field gets Windows-1252 with
    // CR LF, a single-line one only the first line, and copies go back converted.
    // Zürich €5 中, a lone LF, then CR LF.
    drv::current().set_clipboard_text("Z\xC3\xBCrich \xE2\x82\xAC"
                                      "5 \xE4\xB8\xAD\nsecond\r\nthird");
    dialogs::press(dlg, 'V', VK_CONTROL);   // over all of 101, selected by the focus
    EXPECT_EQ(text(dlg, 101), "Z\xFCrich \x80"
                              "5 ?");
    focus(dlg, 1199);
    dialogs::press(dlg, VK_INSERT, VK_SHIFT);
    EXPECT_EQ(text(dlg, 1199), "Z\xFCrich \x80"
                               "5 ?\r\nsecond\r\nthird");
    // The whole of it back, from the start of the first line's €.
    SendMessageA(GetDlgItem(dlg, 1199), EM_SETSEL, 7, -1);
    dialogs::press(dlg, VK_INSERT, VK_CONTROL);
    EXPECT_EQ(drv::current().clipboard_text(), "\xE2\x82\xAC"
                                               "5 ?\nsecond\nthird");
    // Nothing on the clipboard: a paste leaves the selection as it is.
    drv::current().set_clipboard_text("");
    focus(dlg, 101);   // all of it selected
    dialogs::press(dlg, 'V', VK_CONTROL);
    EXPECT_EQ(text(dlg, 101), "Z\xFCrich \x80"
                              "5 ?");
}

TEST(MultiLineEdit, EnterBreaksLinesAsCrLfTabMovesOnEscCancelsAndTypingStopsAtTheVisibleLines)
{
    HWND dlg = dialogs::open(601);
    HWND edit = focus(dlg, 1199);
    dialogs::type(dlg, "ab");
    dialogs::press(dlg, VK_RETURN);
    dialogs::type(dlg, "cd");
    dialogs::press(dlg, VK_RETURN, VK_CONTROL);
    EXPECT_EQ(text(dlg, 1199), "ab\r\ncd\r\n");
    // Backspace takes a line break whole; Left steps over it at once.
    for (UINT vk : {VK_BACK, VK_LEFT, VK_LEFT, VK_LEFT}) dialogs::press(dlg, vk);
    EXPECT_EQ(state(dlg, 1199), "ab\r\ncd|2-2");
    dialogs::press(dlg, VK_DOWN);
    EXPECT_EQ(selection(edit), Sel(6, 6));
    dialogs::press(dlg, VK_TAB);   // on to 105
    // Without ES_WANTRETURN Enter is the default button's and Ctrl+Enter breaks the line.
    SetDlgItemTextA(dlg, 105, "x");
    SendMessageA(GetDlgItem(dlg, 105), EM_SETSEL, 1, 1);
    dialogs::press(dlg, VK_RETURN, VK_CONTROL);
    dialogs::press(dlg, VK_RETURN);
    EXPECT_EQ(text(dlg, 105), "x\r\n");
    EXPECT_EQ(notes(dlg, IDOK), (std::vector<WORD>{BN_CLICKED}));
    focus(dlg, 1199);
    dialogs::press(dlg, VK_ESCAPE);
    EXPECT_EQ(notes(dlg, IDCANCEL), (std::vector<WORD>{BN_CLICKED}));
    // Without ES_AUTOVSCROLL typing stops at the visible lines.
    SetDlgItemTextA(dlg, 1199, "a\r\nb\r\nc\r\nd");   // four lines of MS Sans Serif 8 fill it
    dialogs::press(dlg, VK_END, VK_CONTROL);
    dialogs::press(dlg, VK_RETURN);
    EXPECT_EQ(notes(dlg, 1199), (std::vector<WORD>{EN_MAXTEXT}));
    dialogs::type(dlg, "x");   // the line has room
    EXPECT_EQ(text(dlg, 1199), "a\r\nb\r\nc\r\ndx");
    // Taking text away always works, even from a field set fuller than it shows.
    SetDlgItemTextA(dlg, 1199, "1\r\n2\r\n3\r\n4\r\n5\r\n6");
    SendMessageA(edit, EM_SETSEL, 1, 1);
    dialogs::press(dlg, VK_DELETE);
    dialogs::type(dlg, "y");   // still more lines than it shows: refused
    EXPECT_EQ(text(dlg, 1199), "12\r\n3\r\n4\r\n5\r\n6");
}

TEST(MultiLineEdit, WrapsWordsScrollsByBarKeysAndWheelAndMovesByWords)
{
    HWND dlg = dialogs::open(601);
    HWND edit = focus(dlg, 1199);
    std::string many;
    for (int i = 0; i < 12; ++i) many += "line " + std::to_string(i) + "\r\n";
    many += "and a last paragraph long enough that word wrap has to break it into pieces";
    SetDlgItemTextA(dlg, 1199, many.c_str());
    EXPECT_EQ(text(dlg, 1199), many);   // soft breaks add nothing to the text
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(edit, SB_VERT, &si));
    const int last = si.nMax + 1 - 4;   // the first line of the last page of four
    EXPECT_GT(last, 9);
    EXPECT_EQ(si.nPage, 4u);
    dialogs::press(dlg, VK_END, VK_CONTROL);
    EXPECT_EQ(GetScrollPos(edit, SB_VERT), last);
    dialogs::wheel(dlg, edit, 1);
    EXPECT_EQ(GetScrollPos(edit, SB_VERT), last - 3);
    // The bar's up arrow twice (the second press a double-click), then its track below the thumb.
    RECT wr;
    GetWindowRect(edit, &wr);
    const POINT up{wr.right - 10, wr.top + 8};
    for (const POINT p : {up, up, POINT{wr.right - 10, wr.bottom - 24}}) {
        drv::mouse_button(p, drv::Button::Left, true);
        drv::mouse_button(p, drv::Button::Left, false);
        dialogs::pump(dlg);
    }
    EXPECT_EQ(GetScrollPos(edit, SB_VERT), last - 1);
    // Words are runs of non-blanks with the blanks after them, within a hard
    // line: Ctrl+Right goes to the next word's start, Ctrl+Left to this or the
    // last word's, both across line breaks; with Shift they select. A
    // double-click selects the word under the pointer.
    SetDlgItemTextA(dlg, 1199, "one two  three\r\nfour");
    std::vector<DWORD> stops;
    for (UINT vk : {VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_LEFT, VK_LEFT, VK_LEFT, VK_LEFT,
                    VK_LEFT, VK_LEFT}) {
        dialogs::press(dlg, vk, VK_CONTROL);
        stops.push_back(selection(edit).second);
    }
    EXPECT_EQ(stops, (std::vector<DWORD>{4, 9, 14, 16, 20, 20, 16, 14, 9, 4, 0, 0}));
    drv::key(VK_SHIFT, true);
    for (int i = 0; i < 2; ++i) dialogs::press(dlg, VK_RIGHT, VK_CONTROL);
    drv::key(VK_SHIFT, false);
    EXPECT_EQ(selection(edit), Sel(0, 9));
    // Over "w", over the second blank after "two" (blanks go with the word before),
    // over "t" of "three", past the end of the line.
    std::vector<Sel> words;
    for (int x : {text_width(edit, "one t") + 1, text_width(edit, "one two ") + 1, text_width(edit, "one two  ") + 1,
                  text_width(edit, "one two  three") + 20}) {
        drv::headless().set_now(drv::headless().now() + GetDoubleClickTime());   // apart from the last
        dialogs::click(dlg, edit, POINT{x, 5});
        dialogs::click(dlg, edit, POINT{x, 5});
        words.push_back(selection(edit));
    }
    EXPECT_EQ(words, (std::vector<Sel>{{4, 9}, {4, 9}, {9, 14}, {9, 14}}));
}

// The field of 101 scrolled sideways to keep the caret in sight.
TEST(Golden, EditFieldsInEachState)
{
    HWND dlg = dialogs::open(601);
    SetDlgItemTextA(dlg, 102, ".SCS");
    SetDlgItemTextA(dlg, 103, "C:\\SPREADS\\CELTIC.SCS");
    SetDlgItemTextA(dlg, 104, "Disabled");
    SetDlgItemTextA(dlg, 1199,
                    "The meaning of this position, wrapped at the edge of the field.\r\nA second "
                    "paragraph.\r\nThird.\r\nFourth.\r\nFifth.");
    SetDlgItemTextA(dlg, 105, "Short");
    HWND edit = focus(dlg, 101);
    dialogs::type(dlg, "Celtic Cross, a title that runs well past the right edge");
    SendMessageA(edit, EM_SETSEL, 57, 52);
    dialogs::pump(dlg);
    EXPECT_TRUE(matches_golden(dialogs::picture(dlg).canvas, "controls_edits"));
}

// One level of undo, as Windows keeps it: a run of typing or of Backspaces
// undoes whole, an undo puts back and selects what the change took, and a
// second undo does the change again. Text set by the program cannot be undone.
TEST(EditField, CtrlZAndUndoMessagesTakeBackTheLastChangeAndARightClickOpensTheEditMenuGreyedAsWindowsGreysIt)
{
    HWND dlg = dialogs::open(601);
    HWND edit = focus(dlg, 101);
    std::vector<std::string> seen;
    const auto look = [&] { seen.push_back(state(dlg, 101)); };
    dialogs::type(dlg, "abc");
    dialogs::press(dlg, 'Z', VK_CONTROL);
    look();
    dialogs::press(dlg, 'Z', VK_CONTROL);
    look();
    SetDlgItemTextA(dlg, 101, "hello world");
    EXPECT_FALSE(SendMessageA(edit, EM_CANUNDO, 0, 0));
    SendMessageA(edit, EM_SETSEL, 6, 11);
    dialogs::type(dlg, "there");
    EXPECT_TRUE(SendMessageA(edit, EM_CANUNDO, 0, 0));
    SendMessageA(edit, EM_UNDO, 0, 0);
    look();
    SendMessageA(edit, WM_UNDO, 0, 0);
    look();
    dialogs::press(dlg, VK_END);
    for (int i = 0; i < 3; ++i) dialogs::press(dlg, VK_BACK);
    look();
    dialogs::press(dlg, 'Z', VK_CONTROL);
    look();
    EXPECT_EQ(seen, (std::vector<std::string>{"|0-0", "abc|0-3", "hello world|6-11", "hello there|6-11", "hello th|8-8",
                                              "hello there|8-11"}));
    // A right-click opens Windows' menu of the field, greyed by what can be done:
    // nothing to undo, no selection, an empty clipboard, a read-only field, all
    // of the text selected. A chosen command is done.
    struct Case {
        int id;
        const char *set;   // null: the text stays
        const char *typed;
        int from, to;       // the selection then
        const char *menu;   // its items, ~ after a greyed one
        UINT key;           // what is pressed in the menu
        const char *after;
    };
    const Case cases[] = {
        {101, "", "", 0, 0, "&Undo~ - Cu&t~ &Copy~ &Paste~ &Delete~ - Select &All~ ", VK_ESCAPE, "|0-0"},
        {101, "hello world", "", 0, 5, "&Undo~ - Cu&t &Copy &Paste~ &Delete - Select &All ", 'C', "hello world|0-5"},
        {101, "world", "hi ", 3, 3, "&Undo - Cu&t~ &Copy~ &Paste &Delete~ - Select &All ", 'P', "hi helloworld|8-8"},
        // The paste went on from the typing: they undo together.
        {101, nullptr, "", 0, -1, "&Undo - Cu&t &Copy &Paste &Delete - Select &All~ ", 'U', "world|0-0"},
        {103, "C:\\X.SCS", "", 2, 4, "&Undo~ - Cu&t~ &Copy &Paste~ &Delete~ - Select &All ", 'A', "C:\\X.SCS|0-8"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.menu);
        HWND edit = focus(dlg, c.id);
        if (c.set) SetDlgItemTextA(dlg, c.id, c.set);
        dialogs::type(dlg, c.typed);
        SendMessageA(edit, EM_SETSEL, c.from, c.to);
        testsupport::Person p;
        p.then([&] {
            const std::vector<HWND> open = user32::open_menu_popups();
            ASSERT_EQ(open.size(), 1u);
            EXPECT_EQ(dialogs::menu_items(user32::menu_of_popup(open[0])), c.menu);
            testsupport::Person::tap(c.key);
        });
        POINT at{4, 4};
        ClientToScreen(edit, &at);
        drv::mouse_button(at, drv::Button::Right, true);
        drv::mouse_button(at, drv::Button::Right, false);
        dialogs::pump(dlg);
        EXPECT_TRUE(p.done());
        EXPECT_EQ(state(dlg, c.id), c.after);
    }
}

// The caret shows at once where it moves to and then blinks every
// GetCaretBlinkTime on the virtual clock, by timer messages of the layer's own
// that a wait for WM_TIMER alone does not take.
TEST(EditField, TheCaretBlinksEveryBlinkTimeAndShowsAtOnceWhenItMoves)
{
    HWND dlg = dialogs::open(601);
    HWND edit = focus(dlg, 101);
    dialogs::type(dlg, "ab");
    RECT client, frame;
    GetClientRect(edit, &client);
    GetWindowRect(dlg, &frame);
    const auto shown = [&](const std::string &before) {
        dialogs::pump(dlg);
        POINT at{text_width(edit, before), client.bottom / 2}, ground{client.right - 2, client.bottom / 2};
        ClientToScreen(edit, &at);
        ClientToScreen(edit, &ground);
        const raster::Surface s = dialogs::picture(dlg);
        const uint32_t *row = s.canvas.row(at.y - frame.top);
        return row[at.x - frame.left] != row[ground.x - frame.left];
    };
    const uint64_t start = drv::headless().now();
    const UINT blink = GetCaretBlinkTime();
    std::vector<bool> seen;
    for (uint64_t at : {0u, blink - 1, blink, 2 * blink - 1, 2 * blink}) {
        drv::headless().set_now(start + at);
        seen.push_back(shown("ab"));
    }
    MSG m;
    drv::headless().set_now(start + 3 * blink);
    EXPECT_FALSE(PeekMessageA(&m, nullptr, WM_TIMER, WM_TIMER, PM_NOREMOVE));
    seen.push_back(shown("ab"));   // off again
    dialogs::press(dlg, VK_LEFT);
    seen.push_back(shown("a"));   // moved: on at once
    drv::headless().set_now(start + 4 * blink - 1);
    seen.push_back(shown("a"));   // a whole blink from the move, not from the rhythm before
    drv::headless().set_now(start + 4 * blink);
    seen.push_back(shown("a"));
    EXPECT_EQ(seen, (std::vector<bool>{true, true, false, false, true, false, true, true, false}));
}
