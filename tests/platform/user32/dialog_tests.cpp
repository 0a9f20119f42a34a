// Dialogs from compiled templates: the default dialog processing and the
// dialog keyboard; push buttons, check boxes, group boxes, labels and list
// boxes; message boxes; and the look of each.
#include "support/dialogs.h"
#include "support/golden.h"
#include "support/msgseq.h"
#include "support/person.h"

#include "driver/driver.h"
#include "driver/headless/headless.h"
#include "user32/msgbox_hook.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using msgseq::Seen;
using testsupport::Person;

namespace {

// The buttons' commands; edit fields tell of focus changes too.
std::vector<Seen> commands(HWND dlg)
{
    std::vector<Seen> out = msgseq::select(dlg, {WM_COMMAND});
    std::erase_if(out, [](const Seen &s) { return HIWORD(s.wp) != BN_CLICKED; });
    return out;
}

Seen command(HWND dlg, int id)
{
    return Seen{dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)),
                msgseq::Sent};
}

LRESULT lb(HWND list, UINT msg, WPARAM wp = 0, LPARAM lp = 0) { return SendMessageA(list, msg, wp, lp); }

void fill(HWND list, int n)
{
    for (int i = 0; i < n; ++i)
        lb(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(("Spread " + std::to_string(i)).c_str()));
}

// A list box of its own, 100 pixels wide and five items high, with a border
// and WS_VSCROLL, in a parent that records the notifications.
HWND list_in_parent(DWORD style)
{
    HWND parent = msgseq::window("Parent", WS_POPUP | WS_VISIBLE, nullptr, {0, 0, 300, 200});
    HWND list = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | style, 10, 10, 102,
                                100, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(70)), nullptr, nullptr);
    const int h = static_cast<int>(lb(list, LB_GETITEMHEIGHT));
    SetWindowPos(list, nullptr, 0, 0, 102, 5 * h + 2, SWP_NOMOVE | SWP_NOZORDER);
    return list;
}

}   // namespace

TEST(Dialogs, TabVisitsTheEnabledTabStopsInOrderMnemonicsClickAndArrowsStayInTheGroup)
{
    HWND dlg = dialogs::open(501);
    HWND edit = GetDlgItem(dlg, 40), cancel = GetDlgItem(dlg, IDCANCEL);
    std::vector<HWND> visited;
    for (int i = 0; i < 4; ++i) {
        dialogs::press(dlg, VK_TAB);
        visited.push_back(GetFocus());
    }
    EXPECT_EQ(visited, (std::vector<HWND>{GetDlgItem(dlg, 10), GetDlgItem(dlg, 11), cancel, edit}));
    dialogs::press(dlg, VK_TAB, VK_SHIFT);
    EXPECT_EQ(GetFocus(), cancel);
    // Off the edit field a letter alone is a mnemonic: a button's clicks it, a
    // group box's moves to the next tab stop. Alt+letter works from anywhere.
    msgseq::log().clear();
    dialogs::press(dlg, 'B');
    EXPECT_EQ(GetFocus(), GetDlgItem(dlg, 11));
    dialogs::press(dlg, 'L');
    EXPECT_EQ(GetFocus(), edit);
    dialogs::press(dlg, 'A', VK_MENU);
    EXPECT_SEQUENCE("b, l, Alt+a", (std::vector<Seen>{command(dlg, 11), command(dlg, 10)}), commands(dlg));

    HWND group = dialogs::open(503);
    const struct {
        UINT vk;
        int focus;
    } arrows[] = {{VK_DOWN, 22}, {VK_UP, 21}, {VK_UP, 23}, {VK_RIGHT, 21}};   // wraps, never to "After"
    for (const auto &a : arrows) {
        dialogs::press(group, a.vk);
        EXPECT_EQ(GetFocus(), GetDlgItem(group, a.focus)) << a.vk;
    }
    EXPECT_TRUE(commands(group).empty());
}

TEST(PushButton, ClicksOnReleaseInsideBySpaceByBmClickAndTwiceOnADoubleClick)
{
    HWND dlg = dialogs::open(600);
    HWND push = GetDlgItem(dlg, 10);
    dialogs::mouse(push, POINT{5, 5}, true);
    dialogs::pump(dlg);
    EXPECT_EQ(GetFocus(), push);
    EXPECT_TRUE(commands(dlg).empty());
    dialogs::click(dlg, push, POINT{6, 6});
    // Pressed, dragged off, released outside: nothing; a disabled button hears no click.
    dialogs::mouse(push, POINT{5, 5}, true);
    POINT away{200, 200};
    ClientToScreen(push, &away);
    drv::mouse_move(away);
    dialogs::pump(dlg);
    EXPECT_EQ(SendMessageA(push, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);   // up again off the button
    dialogs::mouse(push, POINT{200, 200}, false);
    dialogs::pump(dlg);
    EXPECT_EQ(GetCapture(), nullptr);
    dialogs::click(dlg, GetDlgItem(dlg, 12), POINT{5, 5});
    drv::key(VK_SPACE, true);
    dialogs::pump(dlg);
    EXPECT_EQ(commands(dlg).size(), 1u);   // Space clicks when it comes up
    drv::key(VK_SPACE, false);
    dialogs::pump(dlg);
    SendMessageA(push, BM_CLICK, 0, 0);
    dialogs::click(dlg, push, POINT{6, 6});   // a double-click: two presses
    dialogs::click(dlg, push, POINT{6, 6});
    EXPECT_SEQUENCE("release inside, Space, BM_CLICK, a double-click", (std::vector<Seen>(5, command(dlg, 10))),
                    commands(dlg));
}

// The dialog draws red over its whole client area: inside the group box's
// frame it shows through, the labels and the frame itself cover it.
TEST(Golden, ButtonsAndLabelsInEachState)
{
    HWND dlg = dialogs::open(600);
    SendMessageA(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dlg, 20)), TRUE);
    CheckDlgButton(dlg, 22, BST_CHECKED);
    CheckDlgButton(dlg, 21, BST_CHECKED);
    dialogs::pump(dlg);
    dialogs::fill_client(dlg, RGB(255, 0, 0));
    InvalidateRect(GetDlgItem(dlg, 30), nullptr, TRUE);
    dialogs::pump(dlg);
    EXPECT_TRUE(matches_golden(dialogs::picture(dlg).canvas, "controls_buttons"));
    // A push button held down with the mouse: the default ring, sunk, the dotted rectangle.
    dialogs::mouse(GetDlgItem(dlg, 10), POINT{5, 5}, true);
    dialogs::pump(dlg);
    EXPECT_TRUE(matches_golden(dialogs::picture(GetDlgItem(dlg, 10)).canvas, "controls_button_focused"));
}

// The program keeps no record of its boxes: a long session would otherwise
// hold every text it ever showed. Only a test that asks gets one.
TEST(MessageBox, BoxesAreRecordedOnlyWhileRecordsAreKept)
{
    msgbox_hook::keep_records(false);
    msgbox_hook::clear();
    EXPECT_EQ(MessageBoxA(nullptr, "not kept", "One", MB_OK), IDOK);
    EXPECT_TRUE(msgbox_hook::boxes().empty());
    msgbox_hook::keep_records(true);
    EXPECT_EQ(MessageBoxA(nullptr, "kept", "Two", MB_OK), IDOK);
    ASSERT_EQ(msgbox_hook::boxes().size(), 1u);
    EXPECT_EQ(msgbox_hook::boxes()[0].text, "kept");
}

TEST(MessageBox, TimersKeepFiringWhileItIsOpenAndAQuitRequestEndsItAndIsHandedOn)
{
    HWND owner = msgseq::window("Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, {100, 80, 500, 400});
    SetTimer(owner, 1, 5000, nullptr);
    Person p;
    p.then([] { drv::headless().set_now(drv::headless().now() + 12000); });
    p.then([&] {
        // One tick: timers coalesce, and the clock jumped past two periods at once.
        EXPECT_EQ(msgseq::select(owner, {WM_TIMER}).size(), 1u);
        PostQuitMessage(3);
    });
    EXPECT_EQ(MessageBoxA(owner, "Auto-loading Three Runes", "Auto-load activated!", MB_YESNO), 0);
    EXPECT_TRUE(p.done());
    EXPECT_TRUE(IsWindowEnabled(owner));
    MSG m;
    ASSERT_EQ(GetMessageA(&m, nullptr, 0, 0), FALSE);
    EXPECT_EQ(m.wParam, 3u);
}

TEST(Golden, MessageBoxesOfEachKind)
{
    const struct {
        const char *golden, *text, *caption;
        UINT type;
    } kinds[] = {
        {"msgbox_about", "         Quenmire Stonecall V1.10\n\nSee ReadMe.htm for detailed help infomation.", "About..",
         MB_OK},
        {"msgbox_question", "Do you wish to save the new spread configuration?", "Save..", MB_YESNO | MB_ICONQUESTION},
        {"msgbox_warning", "This spread was made by a later version.", "Warning", MB_OK | MB_ICONEXCLAMATION},
        {"msgbox_stop", "An error occured during execution.  Please e-mail us and quote the number #12291", "WARNING",
         MB_OK | MB_ICONSTOP},
    };
    for (const auto &k : kinds) {
        Person p;
        p.then([&] {
            EXPECT_TRUE(matches_golden(dialogs::picture(GetActiveWindow()).canvas, k.golden));   // the box
            Person::tap(VK_RETURN);
        });
        MessageBoxA(nullptr, k.text, k.caption, k.type);
        EXPECT_TRUE(p.done());
    }
}

TEST(ListBox, ClickAndKeysSelectAndScrollToTheItemTheParentHearsNothingAndTheBarThumbAndWheelScroll)
{
    HWND dlg = dialogs::open(602);
    HWND list = GetDlgItem(dlg, 60);
    fill(list, 10);
    const int h = static_cast<int>(lb(list, LB_GETITEMHEIGHT));
    dialogs::click(dlg, list, POINT{10, h + 2});
    dialogs::click(dlg, list, POINT{10, h + 2});   // a double-click: without LBS_NOTIFY, no word of it either
    EXPECT_EQ(GetFocus(), list);
    const struct {
        UINT vk;
        LRESULT selected, top;
    } keys[] = {{VK_DOWN, 2, 0}, {VK_UP, 1, 0},    {VK_UP, 0, 0},   {VK_UP, 0, 0},
                {VK_END, 9, 5},  {VK_PRIOR, 5, 5}, {VK_NEXT, 9, 5}, {VK_HOME, 0, 0}};
    for (const auto &k : keys) {
        dialogs::press(dlg, k.vk);
        EXPECT_EQ(lb(list, LB_GETCURSEL), k.selected) << k.vk;
        EXPECT_EQ(lb(list, LB_GETTOPINDEX), k.top) << k.vk;
    }
    EXPECT_TRUE(msgseq::select(dlg, {WM_COMMAND}).empty());
    // Below the last item nothing changes; a disabled list takes no click.
    lb(list, LB_RESETCONTENT);
    fill(list, 1);
    dialogs::click(dlg, list, POINT{10, 2 * h + 2});
    EXPECT_EQ(lb(list, LB_GETCURSEL), LB_ERR);
    HWND off = GetDlgItem(dlg, 61);
    fill(off, 2);
    dialogs::click(dlg, off, POINT{10, 2});
    EXPECT_EQ(lb(off, LB_GETCURSEL), LB_ERR);
    // Held down, the bar's track pages until the thumb has come under the pointer,
    // and an arrow repeats: the first repeat 200 ms after the press, then every
    // 50 ms. Then the up arrow clicked, the wheel and the thumb.
    const int visible = 5;
    lb(list, LB_RESETCONTENT);
    fill(list, 20);   // five show: the thumb is a quarter of the track
    SetFocus(list);   // the wheel turns what has the focus
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(list, SB_VERT, &si));
    EXPECT_EQ(si.nMax, 19);
    EXPECT_EQ(si.nPage, static_cast<UINT>(visible));
    RECT wr;
    GetWindowRect(list, &wr);
    const int x = wr.right - 10, trackTop = wr.top + 2 + 16, trackBottom = wr.bottom - 2 - 16;
    // The top item after the press, then at 199, 200, 249, 250, 299 and 300 ms.
    const struct {
        int y;
        std::vector<LRESULT> tops;
    } rows[] = {
        {trackTop + (trackBottom - trackTop) * 6 / 10, {5, 5, 10, 10, 10, 10, 10}},   // under the thumb at 10
        {wr.bottom - 10, {11, 11, 12, 12, 13, 13, 14}},                               // the down arrow
    };
    for (const auto &row : rows) {
        const POINT at{x, row.y};
        const uint64_t start = drv::headless().now();
        std::vector<LRESULT> tops;
        testsupport::Person p;
        for (uint64_t t : {199u, 200u, 249u, 250u, 299u, 300u})
            p.then([&, t] {
                tops.push_back(lb(list, LB_GETTOPINDEX));
                drv::headless().set_now(start + t);
            });
        p.then([&] {
            tops.push_back(lb(list, LB_GETTOPINDEX));
            drv::mouse_button(at, drv::Button::Left, false);
        });
        drv::mouse_button(at, drv::Button::Left, true);
        dialogs::pump(dlg);
        EXPECT_TRUE(p.done());
        EXPECT_EQ(tops, row.tops) << row.y;
        EXPECT_EQ(GetCapture(), nullptr);
    }
    // The up arrow clicked, the wheel three items a notch, up past the top, down past the end.
    const struct {
        int y, notches, top;
    } steps[] = {{wr.top + 10, 0, 13}, {0, 1, 10}, {0, 6, 0}, {0, -20, 20 - visible}};
    for (const auto &s : steps) {
        if (s.notches) dialogs::wheel(dlg, list, s.notches);
        else dialogs::drag(dlg, POINT{x, s.y}, POINT{x, s.y});
        EXPECT_EQ(lb(list, LB_GETTOPINDEX), s.top) << s.y << " " << s.notches;
        EXPECT_EQ(GetScrollPos(list, SB_VERT), s.top);
    }
    // The thumb (at the bottom on the last page) dragged past the top, then half-way down.
    const int thumb = MulDiv(trackBottom - trackTop, visible, 20), travel = trackBottom - trackTop - thumb;
    dialogs::drag(dlg, POINT{x, trackBottom - thumb + 2}, POINT{x, trackTop - 30});
    EXPECT_EQ(lb(list, LB_GETTOPINDEX), 0);
    EXPECT_EQ(GetCapture(), nullptr);
    dialogs::drag(dlg, POINT{x, trackTop + 2}, POINT{x, trackTop + 2 + travel / 2});
    EXPECT_NEAR(lb(list, LB_GETTOPINDEX), (20 - visible) / 2, 1);
}

TEST(Golden, ListBoxesInEachState)
{
    HWND dlg = dialogs::open(602);
    HWND list = GetDlgItem(dlg, 60);
    fill(list, 8);
    HWND off = GetDlgItem(dlg, 61);
    fill(off, 2);
    lb(off, LB_SETCURSEL, 1);
    SendMessageA(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(list), TRUE);
    lb(list, LB_SETCURSEL, 1);
    dialogs::pump(dlg);
    EXPECT_TRUE(matches_golden(dialogs::picture(dlg).canvas, "controls_listboxes"));
}

TEST(ListBox, ItsScrollBarShowsOnlyWhileTheItemsDoNotFitAndALetterSelectsTheNextItemStartingWithIt)
{
    // Five items fit; LBS_DISABLENOSCROLL keeps the bar, disabled.
    const struct {
        DWORD style;
        int items;
        bool reset;
        bool bar;
    } rows[] = {{0, 5, false, false},
                {0, 6, false, true},
                {0, 6, true, false},
                {LBS_DISABLENOSCROLL, 0, false, true},
                {LBS_DISABLENOSCROLL, 6, true, true}};
    for (const auto &row : rows) {
        HWND list = list_in_parent(row.style);
        fill(list, row.items);
        if (row.reset) lb(list, LB_RESETCONTENT);
        const bool bar = (GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL) != 0;
        EXPECT_EQ(bar, row.bar) << row.style << " " << row.items << " " << row.reset;
        RECT c;
        GetClientRect(list, &c);
        EXPECT_EQ(c.right, bar ? 100 - 16 : 100) << row.items;
        DestroyWindow(GetParent(list));
    }
    // A letter selects the next item starting with it in either case.
    HWND list = list_in_parent(LBS_NOTIFY);
    for (const char *text : {"Celtic Cross", "cards", "Bind Rune", "\xC9toile", "celestial", "Zodiac"})
        lb(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    msgseq::log().clear();
    // From no selection the first match, then round the end; no match changes nothing.
    const struct {
        unsigned char ch;
        LRESULT selected;
    } typed[] = {{'c', 0}, {'C', 1}, {'c', 4}, {'c', 0}, {'b', 2}, {'x', 2}, {'B', 2}, {0xE9, 3}, {'z', 5}};
    std::vector<WORD> changes;
    for (const auto &t : typed) {
        const LRESULT before = lb(list, LB_GETCURSEL);
        SendMessageA(list, WM_CHAR, t.ch, 0);
        EXPECT_EQ(lb(list, LB_GETCURSEL), t.selected) << t.ch;
        if (t.selected != before) changes.push_back(LBN_SELCHANGE);
    }
    EXPECT_EQ(msgseq::notes(GetParent(list), 70), changes);
}
