// STATIC: a label redraws when its text changes, asks its parent for its
// colours, lets clicks through, answers DLGC_STATIC (so the dialog moves its
// mnemonic on) and lays its text out as DrawTextA does.
#include "support/dialogs.h"
#include "support/msgseq.h"

#include "user32/compositor.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

HBRUSH redBrush = nullptr;

// A dialog procedure that paints label 41 on red.
INT_PTR CALLBACK red_labels(HWND, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_CTLCOLORSTATIC && GetDlgCtrlID(reinterpret_cast<HWND>(lp)) == 41) {
        SetBkColor(reinterpret_cast<HDC>(wp), RGB(255, 0, 0));
        return reinterpret_cast<INT_PTR>(redBrush);
    }
    return msg == WM_INITDIALOG;
}

uint32_t desk(HWND hwnd, int x, int y)
{
    POINT p{x, y};
    ClientToScreen(hwnd, &p);
    return user32::desktop_image().row(p.y)[p.x];
}

// Whether each row of a label's client area holds ink: anything but its background.
std::vector<int> ink_per_row(HWND label, uint32_t ground)
{
    RECT r;
    GetClientRect(label, &r);
    POINT o{0, 0};
    ClientToScreen(label, &o);
    const gfx::Canvas &d = user32::desktop_image();
    std::vector<int> rows;
    for (int y = 0; y < r.bottom; ++y) {
        int n = 0;
        for (int x = 0; x < r.right; ++x) n += d.row(o.y + y)[o.x + x] != ground;
        rows.push_back(n);
    }
    return rows;
}

int inked(HWND label, uint32_t ground)
{
    int n = 0;
    for (int row : ink_per_row(label, ground)) n += row;
    return n;
}

int inked_rows(HWND label, uint32_t ground)
{
    int n = 0;
    for (int row : ink_per_row(label, ground)) n += row > 0;
    return n;
}

} // namespace

TEST(Static, SettingTextRedrawsAndTheParentChoosesTheColours)
{
    HWND dlg = dialogs::open(600);
    HWND centred = GetDlgItem(dlg, 41);
    dialogs::pump(dlg);
    EXPECT_EQ(desk(centred, 0, 0), 0xC0C0C0u);   // the dialog colour by default
    const int before = inked(centred, 0xC0C0C0);
    EXPECT_GT(before, 0);

    msgseq::log().clear();
    SetDlgItemTextA(dlg, 41, "");
    dialogs::pump(dlg);
    EXPECT_EQ(inked(centred, 0xC0C0C0), 0);
    std::vector<msgseq::Seen> asked = msgseq::select(dlg, {WM_CTLCOLORSTATIC});
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked[0].lp, reinterpret_cast<LPARAM>(centred));
    SetWindowTextA(centred, "Centred");
    dialogs::pump(dlg);
    EXPECT_EQ(inked(centred, 0xC0C0C0), before);

    redBrush = CreateSolidBrush(RGB(255, 0, 0));
    HWND other = dialogs::open(600, nullptr, red_labels);
    dialogs::pump(other);
    EXPECT_EQ(desk(GetDlgItem(other, 41), 0, 0), 0xFF0000u);
    EXPECT_EQ(desk(GetDlgItem(other, 40), 0, 0), 0xC0C0C0u);
    DestroyWindow(other);
    DeleteObject(redBrush);
}

TEST(Static, TextWrapsAtWordsAndBreaksAtLineFeeds)
{
    HWND dlg = dialogs::open(600);
    HWND left = GetDlgItem(dlg, 40);
    dialogs::pump(dlg);
    // Three lines: two from wrapping the first sentence, one after the line feed.
    const int rows3 = inked_rows(left, 0xC0C0C0);
    SetDlgItemTextA(dlg, 40, "Left text");
    dialogs::pump(dlg);
    const int rows1 = inked_rows(left, 0xC0C0C0);
    SetDlgItemTextA(dlg, 40, "Left\ntext");
    dialogs::pump(dlg);
    const int rows2 = inked_rows(left, 0xC0C0C0);
    EXPECT_GT(rows1, 5);
    EXPECT_GT(rows2, rows1 + 5);
    EXPECT_GT(rows3, rows2 + 5);
}

// A label, and a group box inside its frame where no control lies.
TEST(Static, LabelsAndGroupBoxesAnswerDlgcStaticAndLetClicksThroughToTheDialog)
{
    HWND dlg = dialogs::open(600);
    dialogs::pump(dlg);
    RECT group;
    GetClientRect(GetDlgItem(dlg, 30), &group);
    const struct {
        int id;
        POINT at;
    } cases[] = {{41, {2, 2}}, {30, {group.right - 4, group.bottom - 6}}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.id);
        HWND control = GetDlgItem(dlg, c.id);
        EXPECT_EQ(SendMessageA(control, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
        msgseq::log().clear();
        const HWND focus = GetFocus();
        dialogs::click(dlg, control, c.at);
        EXPECT_EQ(GetFocus(), focus);
        EXPECT_EQ(msgseq::select(dlg, {WM_LBUTTONDOWN}).size(), 1u);
        EXPECT_TRUE(msgseq::select(dlg, {WM_COMMAND}).empty());
    }
}
