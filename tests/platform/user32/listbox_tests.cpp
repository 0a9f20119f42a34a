// LISTBOX without LBS_NOTIFY: the list messages and their failures, selection
// by click and arrow keys (and the parent hearing nothing of it), scrolling
// by the bar, the keys and the wheel, a list box made at run time, its look.
#include "support/dialogs.h"
#include "support/golden.h"
#include "support/msgseq.h"

#include "driver/driver.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

LRESULT lb(HWND list, UINT msg, WPARAM wp = 0, LPARAM lp = 0) { return SendMessageA(list, msg, wp, lp); }

void fill(HWND list, int n)
{
    for (int i = 0; i < n; ++i) lb(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(("Spread " + std::to_string(i)).c_str()));
}

// Clicks on the vertical bar of a window, at a distance from its top or bottom.
void click_bar(HWND dlg, HWND list, int fromTop)
{
    RECT wr;
    GetWindowRect(list, &wr);
    const POINT p{wr.right - 10, fromTop >= 0 ? wr.top + 2 + fromTop : wr.bottom - 2 + fromTop};
    drv::mouse_button(p, drv::Button::Left, true);
    drv::mouse_button(p, drv::Button::Left, false);
    dialogs::pump(dlg);
}

} // namespace

TEST(ListBox, AddsInOrderAndAnswersErrorsForWhatIsNotThere)
{
    HWND dlg = dialogs::open(602);
    HWND list = GetDlgItem(dlg, 60);
    EXPECT_EQ(lb(list, LB_GETCOUNT), 0);
    EXPECT_EQ(lb(list, LB_GETCURSEL), LB_ERR);
    EXPECT_EQ(lb(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Zeta")), 0);
    EXPECT_EQ(lb(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Alpha")), 1);   // no sorting
    EXPECT_EQ(lb(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Mid")), 2);
    EXPECT_EQ(lb(list, LB_GETCOUNT), 3);

    char buf[16];
    EXPECT_EQ(lb(list, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(buf)), 5);
    EXPECT_STREQ(buf, "Alpha");
    EXPECT_EQ(lb(list, LB_GETTEXTLEN, 2), 3);
    std::strcpy(buf, "keep");
    EXPECT_EQ(lb(list, LB_GETTEXT, 3, reinterpret_cast<LPARAM>(buf)), LB_ERR);
    EXPECT_EQ(lb(list, LB_GETTEXT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(buf)), LB_ERR);
    EXPECT_STREQ(buf, "keep");
    EXPECT_EQ(lb(list, LB_GETTEXTLEN, 9), LB_ERR);

    EXPECT_EQ(lb(list, LB_SETCURSEL, 2), 2);
    EXPECT_EQ(lb(list, LB_GETCURSEL), 2);
    EXPECT_EQ(lb(list, LB_SETCURSEL, 7), LB_ERR);   // fails, and nothing is selected
    EXPECT_EQ(lb(list, LB_GETCURSEL), LB_ERR);
    lb(list, LB_SETCURSEL, 1);
    lb(list, LB_RESETCONTENT);
    EXPECT_EQ(lb(list, LB_GETCOUNT), 0);
    EXPECT_EQ(lb(list, LB_GETCURSEL), LB_ERR);
}

TEST(ListBox, ClickAndArrowKeysSelectAndTheParentHearsNothing)
{
    HWND dlg = dialogs::open(602);
    HWND list = GetDlgItem(dlg, 60);
    fill(list, 10);
    const int h = static_cast<int>(lb(list, LB_GETITEMHEIGHT));
    EXPECT_EQ(h, 13);   // MS Sans Serif 8
    RECT c;
    GetClientRect(list, &c);
    EXPECT_EQ(c.bottom, 5 * h);   // cut to whole items: 44 units were 71 pixels less the edge
    dialogs::pump(dlg);
    msgseq::log().clear();

    dialogs::click(dlg, list, POINT{10, h + 2});
    EXPECT_EQ(lb(list, LB_GETCURSEL), 1);
    EXPECT_EQ(GetFocus(), list);
    dialogs::press(dlg, VK_DOWN);
    EXPECT_EQ(lb(list, LB_GETCURSEL), 2);
    dialogs::press(dlg, VK_UP);
    dialogs::press(dlg, VK_UP);
    dialogs::press(dlg, VK_UP);   // stays at the top
    EXPECT_EQ(lb(list, LB_GETCURSEL), 0);
    EXPECT_EQ(lb(list, LB_GETTOPINDEX), 0);
    dialogs::press(dlg, VK_END);
    EXPECT_EQ(lb(list, LB_GETCURSEL), 9);
    EXPECT_GT(lb(list, LB_GETTOPINDEX), 0);   // scrolled to show it
    dialogs::press(dlg, VK_HOME);
    EXPECT_EQ(lb(list, LB_GETCURSEL), 0);
    EXPECT_EQ(lb(list, LB_GETTOPINDEX), 0);
    EXPECT_TRUE(msgseq::select(dlg, {WM_COMMAND}).empty());

    // Below the last item nothing changes; a disabled list takes no click.
    lb(list, LB_RESETCONTENT);
    fill(list, 1);
    lb(list, LB_SETCURSEL, 0);
    dialogs::click(dlg, list, POINT{10, 2 * h + 2});
    EXPECT_EQ(lb(list, LB_GETCURSEL), 0);
    HWND off = GetDlgItem(dlg, 61);
    fill(off, 2);
    dialogs::click(dlg, off, POINT{10, 2});
    EXPECT_EQ(lb(off, LB_GETCURSEL), LB_ERR);
}

TEST(ListBox, ScrollsByItsBarItsThumbAndTheWheel)
{
    HWND dlg = dialogs::open(602);
    HWND list = GetDlgItem(dlg, 60);
    RECT c;
    GetClientRect(list, &c);
    const int visible = c.bottom / static_cast<int>(lb(list, LB_GETITEMHEIGHT));
    fill(list, 20);
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(list, SB_VERT, &si));
    EXPECT_EQ(si.nMin, 0);
    EXPECT_EQ(si.nMax, 19);
    EXPECT_EQ(si.nPage, static_cast<UINT>(visible));

    click_bar(dlg, list, -8);   // the down arrow
    EXPECT_EQ(lb(list, LB_GETTOPINDEX), 1);
    EXPECT_EQ(GetScrollPos(list, SB_VERT), 1);
    click_bar(dlg, list, -20);   // the track below the thumb: a page
    EXPECT_EQ(lb(list, LB_GETTOPINDEX), 1 + visible);
    click_bar(dlg, list, 8);    // the up arrow
    EXPECT_EQ(lb(list, LB_GETTOPINDEX), visible);

    SetFocus(list);
    dialogs::wheel(dlg, list, -1);
    EXPECT_EQ(lb(list, LB_GETTOPINDEX), visible + 3);
    dialogs::wheel(dlg, list, 5);
    EXPECT_EQ(lb(list, LB_GETTOPINDEX), 0);
    dialogs::wheel(dlg, list, -20);   // no further than the last page
    EXPECT_EQ(lb(list, LB_GETTOPINDEX), 20 - visible);

    // The thumb dragged to the top, then half-way down the track.
    RECT wr;
    GetWindowRect(list, &wr);
    const int trackTop = wr.top + 2 + 16, trackBottom = wr.bottom - 2 - 16;
    const int thumb = MulDiv(trackBottom - trackTop, visible, 20), travel = trackBottom - trackTop - thumb;
    const int thumbTop = trackBottom - thumb;   // at the last page the thumb sits at the bottom
    const int x = wr.right - 10;
    drv::mouse_button(POINT{x, thumbTop + 2}, drv::Button::Left, true);
    drv::mouse_move(POINT{x, trackTop - 30});
    drv::mouse_button(POINT{x, trackTop - 30}, drv::Button::Left, false);
    dialogs::pump(dlg);
    EXPECT_EQ(lb(list, LB_GETTOPINDEX), 0);
    EXPECT_EQ(GetCapture(), nullptr);
    drv::mouse_button(POINT{x, trackTop + 2}, drv::Button::Left, true);
    drv::mouse_move(POINT{x, trackTop + 2 + travel / 2});
    drv::mouse_button(POINT{x, trackTop + 2 + travel / 2}, drv::Button::Left, false);
    dialogs::pump(dlg);
    EXPECT_NEAR(lb(list, LB_GETTOPINDEX), (20 - visible) / 2, 1);
    EXPECT_EQ(GetScrollPos(list, SB_VERT), lb(list, LB_GETTOPINDEX));
}

TEST(ListBox, MadeAtRunTimeWorksWithTheSystemFont)
{
    HWND dlg = dialogs::open(602);
    // In the template's list box's place: a child shows only inside the dialog's client area.
    DestroyWindow(GetDlgItem(dlg, 60));
    HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 5, 5, 120, 60,
                                dlg, reinterpret_cast<HMENU>(70), nullptr, nullptr);
    ASSERT_NE(list, nullptr);
    fill(list, 3);
    EXPECT_EQ(lb(list, LB_GETCOUNT), 3);
    EXPECT_GT(lb(list, LB_GETITEMHEIGHT), 0);
    dialogs::pump(dlg);
    dialogs::click(dlg, list, POINT{5, static_cast<int>(lb(list, LB_GETITEMHEIGHT)) * 2 + 1});
    EXPECT_EQ(lb(list, LB_GETCURSEL), 2);
}

TEST(ListBox, SortsWithLbsSortAndInsertsWhereAsked)
{
    HWND dlg = dialogs::open(602);
    HWND sorted = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | LBS_SORT, 0, 0, 50, 50, dlg, nullptr, nullptr, nullptr);
    EXPECT_EQ(lb(sorted, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("pelt")), 0);
    EXPECT_EQ(lb(sorted, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Anvil")), 0);
    EXPECT_EQ(lb(sorted, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("moss")), 1);
    char buf[16];
    lb(sorted, LB_GETTEXT, 2, reinterpret_cast<LPARAM>(buf));
    EXPECT_STREQ(buf, "pelt");

    HWND list = GetDlgItem(dlg, 60);
    fill(list, 2);
    lb(list, LB_SETCURSEL, 1);
    EXPECT_EQ(lb(list, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>("First")), 0);
    EXPECT_EQ(lb(list, LB_GETCURSEL), 2);   // the selected item moved down with it
    EXPECT_EQ(lb(list, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("Last")), 3);
    EXPECT_EQ(lb(list, LB_INSERTSTRING, 9, reinterpret_cast<LPARAM>("Nowhere")), LB_ERR);
    EXPECT_EQ(lb(list, LB_DELETESTRING, 2), 3);
    EXPECT_EQ(lb(list, LB_GETCURSEL), LB_ERR);
    EXPECT_EQ(lb(list, LB_DELETESTRING, 3), LB_ERR);
}

TEST(ListBox, WithLbsNotifyTellsTheParentOfTheUsersChangesOnly)
{
    HWND dlg = dialogs::open(602);
    HWND list = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | LBS_NOTIFY, 5, 80, 100, 60, dlg,
                                reinterpret_cast<HMENU>(71), nullptr, nullptr);
    fill(list, 3);
    dialogs::pump(dlg);
    msgseq::log().clear();
    lb(list, LB_SETCURSEL, 1);
    dialogs::click(dlg, list, POINT{5, 2});
    dialogs::click(dlg, list, POINT{5, 2});   // the same item again: no change
    dialogs::press(dlg, VK_DOWN);
    std::vector<WORD> heard;
    for (const msgseq::Seen &s : msgseq::select(dlg, {WM_COMMAND}))
        if (LOWORD(s.wp) == 71) heard.push_back(HIWORD(s.wp));
    EXPECT_EQ(heard, (std::vector<WORD>{LBN_SETFOCUS, LBN_SELCHANGE, LBN_SELCHANGE}));
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
    gfx::Surface all = dialogs::picture(dlg);
    EXPECT_TRUE(matches_golden(all.canvas, "controls_listboxes"));
}
