// Windows (their tree, order of destruction, geometry, showing, maximising
// and minimising, focus, text), their frames (the caption buttons, closing,
// moving and sizing in the modal loop by mouse and keyboard), window DCs, the
// compositor's desktop image, and another application taking the foreground
// and giving it back.
#include "support/dialogs.h"
#include "support/golden.h"
#include "support/msgseq.h"
#include "support/person.h"

#include "driver/headless/headless.h"
#include "user32/compositor.h"
#include "user32/window_internal.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <vector>

using msgseq::Seen;
using testsupport::Person;

namespace {

const uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kFace = 0xC0C0C0, kTeal = 0x008080;

HWND top(const char *title) { return msgseq::window(title, WS_OVERLAPPEDWINDOW | WS_VISIBLE); }

HWND child(HWND parent, int id, int x = 0)
{
    return msgseq::window("", WS_CHILD | WS_VISIBLE, parent, {x, 0, 20, 20}, id);
}

// A class that paints nothing itself; its background is the face colour.
const char *plain_class() { return msgseq::window_class("CompositorTestWindow", DefWindowProcA, 0, COLOR_3DFACE); }

// A dialog-like popup: modal frame and caption, 3 + 19 pixels above its client area.
HWND popup(int x, int y, int w, int h, const char *title = "Rune")
{
    return CreateWindowExA(WS_EX_DLGMODALFRAME, plain_class(), title, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
                           x, y, w, h, nullptr, nullptr, nullptr, nullptr);
}

HWND painted_child(HWND parent, int x, int y, int w, int h)
{
    return CreateWindowExA(0, plain_class(), "", WS_CHILD | WS_VISIBLE, x, y, w, h, parent, nullptr, nullptr, nullptr);
}

void fill(HWND hwnd, RECT r, COLORREF c)
{
    HDC dc = GetDC(hwnd);
    HBRUSH b = CreateSolidBrush(c);
    FillRect(dc, &r, b);
    DeleteObject(b);
    ReleaseDC(hwnd, dc);
}

uint32_t desk(int x, int y) { return user32::desktop_image().row(y)[x]; }

// A caption button's rectangle on the desktop.
RECT button(HWND w, LRESULT which)
{
    RECT r = user32::caption_button_rect(*user32::find(w), which), wr;
    GetWindowRect(w, &wr);
    OffsetRect(&r, wr.left, wr.top);
    return r;
}

void click(const RECT &r)
{
    testsupport::Person::click(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    dialogs::pump(nullptr);
}

const RECT kAt{0, 0, 200, 150};

// The activation messages, in the order they came.
std::vector<msgseq::Seen> activation_log()
{
    return msgseq::select(nullptr, {WM_CANCELMODE, WM_CAPTURECHANGED, WM_NCACTIVATE, WM_ACTIVATE, WM_ACTIVATEAPP,
                                    WM_KILLFOCUS, WM_SETFOCUS});
}

uint32_t caption_pixel(HWND w)
{
    RECT r;
    GetWindowRect(w, &r);
    return user32::desktop_image().row(r.top + 8)[r.left + 6];
}

// Records every message and answers WM_GETMINMAXINFO: from 150 x 100 to 400 x 300.
LRESULT CALLBACK limited(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    msgseq::log().push_back(Seen{hwnd, msg, wp, lp, msgseq::Any});
    if (msg != WM_GETMINMAXINFO) return DefWindowProcA(hwnd, msg, wp, lp);
    auto *mmi = reinterpret_cast<MINMAXINFO *>(lp);
    mmi->ptMinTrackSize = POINT{150, 100};
    mmi->ptMaxTrackSize = POINT{400, 300};
    return 0;
}

HWND window(DWORD style = WS_OVERLAPPEDWINDOW)
{
    return CreateWindowExA(0, msgseq::window_class("SizeProbe", limited), "Probe", style | WS_VISIBLE, 100, 50, 300,
                           200, nullptr, nullptr, nullptr, nullptr);
}

using Edges = std::array<LONG, 4>;

Edges window_edges(HWND w)
{
    RECT r;
    GetWindowRect(w, &r);
    return Edges{r.left, r.top, r.right, r.bottom};
}

}   // namespace

// A child moved partly out of its parent's client area is cut off there: the
// caption and the menu bar above it still take the clicks.
TEST(Windows, AChildMovedOutOfTheClientAreaDoesNotTakePointsBeyondIt)
{
    HWND a = top("a");
    HWND up = child(a, 10, 40);
    SetWindowPos(up, nullptr, 40, -15, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    POINT o{0, 0};
    ClientToScreen(a, &o);
    EXPECT_EQ(user32::window_at(POINT{o.x + 45, o.y + 2}), up);
    EXPECT_EQ(user32::window_at(POINT{o.x + 45, o.y - 5}), a);
    EXPECT_EQ(SendMessageA(a, WM_NCHITTEST, 0, MAKELPARAM(o.x + 45, o.y - 5)), HTCAPTION);
    RECT r;
    GetClientRect(a, &r);
    SetWindowPos(up, nullptr, r.right - 10, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(user32::window_at(POINT{o.x + r.right - 5, o.y + 35}), up);
    EXPECT_EQ(user32::window_at(POINT{o.x + r.right + 2, o.y + 35}), a);
}

TEST(Windows, ShowingActivatesAndFocusesHidingHandsActivationToTheOwnerAndDestroyingGoesInOrder)
{
    HWND a = top("a");
    HWND b = msgseq::window("b", WS_POPUP, a, {0, 0, 50, 50});
    msgseq::log().clear();
    EXPECT_FALSE(ShowWindow(b, SW_SHOW));
    // Last, the window is erased at once through a DC of its own.
    std::vector<Seen> shown = msgseq::log();
    ASSERT_FALSE(shown.empty());
    EXPECT_NE(shown.back().wp, 0u);
    shown.back().wp = 0;
    EXPECT_TRUE(matches_expected_text(msgseq::text(shown, {{a, "a"}, {b, "b"}}), "show_owned_popup.txt"));
    EXPECT_EQ(user32::top_level_windows().front(), b);
    EXPECT_TRUE(ShowWindow(b, SW_HIDE));
    EXPECT_EQ(GetActiveWindow(), a);
    EXPECT_EQ(GetFocus(), a);
    // Destroying tells the window first, then its children; owned windows go before.
    HWND k1 = child(a, 1), k2 = child(a, 2);
    HWND owned = msgseq::window("owned", WS_POPUP, k1, {0, 0, 5, 5});
    EXPECT_EQ(GetParent(owned), a);   // an owner is always top-level
    msgseq::log().clear();
    DestroyWindow(a);
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_TRUE(matches_expected_text(msgseq::text(msgseq::select(nullptr, {WM_DESTROY, WM_NCDESTROY}),
                                                   {{a, "a"}, {b, "b"}, {k1, "k1"}, {k2, "k2"}, {owned, "owned"}}),
                                      "destroy_order.txt"));
}

TEST(Windows, TextCopiesAreBoundedAndCountTheTerminator)
{
    HWND a = top("Quenmire");
    char buf[5];
    EXPECT_EQ(GetWindowTextA(a, buf, sizeof buf), 4);
    EXPECT_STREQ(buf, "Quen");
    EXPECT_EQ(GetWindowTextLengthA(a), 8);
    EXPECT_EQ(GetWindowTextA(a, buf, 0), 0);
    child(a, 7);
    EXPECT_TRUE(SetDlgItemTextA(a, 7, "item"));
    EXPECT_EQ(GetDlgItemTextA(a, 7, buf, sizeof buf), 4u);   // the whole of it fits, NUL included
    EXPECT_EQ(GetDlgItemTextA(a, 99, buf, sizeof buf), 0u);
    EXPECT_STREQ(buf, "");
}

// A greyed Close (a Yes/No message box's) refuses the close box, Alt+F4 and
// the desktop's close request alike; tests/golden/msgbox_question.png shows it.
TEST(WindowFrame, AGreyedCloseRefusesEveryWayOfClosing)
{
    HWND w = msgseq::window("Framed", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE);
    EnableMenuItem(GetSystemMenu(w, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    click(button(w, HTCLOSE));
    SetFocus(w);
    testsupport::Person::tap(VK_F4, VK_MENU);
    drv::close_request(w);
    dialogs::pump(nullptr);
    EXPECT_TRUE(msgseq::select(w, {WM_CLOSE}).empty());
}

TEST(WindowFrame, TheMainWindowMaximisesMinimisesToACaptionAndRestores)
{
    HWND w = dialogs::open_program(5);
    RECT normal, client, iconic, maximised;
    GetWindowRect(w, &normal);
    const RECT max = button(w, HTMAXBUTTON), min = button(w, HTMINBUTTON), close = button(w, HTCLOSE);
    EXPECT_EQ(max.right + 2, close.left);   // a gap before close, then maximise and minimise side by side
    EXPECT_EQ(min.right, max.left);
    click(max);
    GetClientRect(w, &client);
    EXPECT_EQ(client.right, 1024);
    EXPECT_EQ(client.bottom, 768 - 19 - 19);   // the frame off the desktop, the caption and menu bar on it
    EXPECT_EQ(user32::find(w)->surface.canvas.width, 1024);
    click(button(w, HTMAXBUTTON));   // now the restore button
    GetWindowRect(w, &client);
    EXPECT_TRUE(EqualRect(&client, &normal));
    ShowWindow(w, SW_SHOWMAXIMIZED);
    click(button(w, HTMINBUTTON));
    GetWindowRect(w, &iconic);
    EXPECT_EQ(iconic.left, 0);   // a caption 160 wide at the bottom left
    EXPECT_EQ(iconic.right, 160);
    EXPECT_EQ(iconic.bottom, 768);
    // A click on the caption brings it back as it was: maximised.
    click(RECT{iconic.left + 30, iconic.top + 10, iconic.left + 31, iconic.top + 11});
    EXPECT_TRUE(GetWindowLongA(w, GWL_STYLE) & WS_MAXIMIZE);
    EXPECT_TRUE(
        matches_expected_text(msgseq::text(msgseq::select(w, {WM_SYSCOMMAND}), {{w, "w"}}), "max_min_restore.txt"));
    ShowWindow(w, SW_RESTORE);   // its place before it was maximised and minimised
    GetWindowRect(w, &client);
    EXPECT_TRUE(EqualRect(&client, &normal));
    // Maximised, it neither moves nor sizes, and follows the desktop to a smaller size.
    ShowWindow(w, SW_SHOWMAXIMIZED);
    GetWindowRect(w, &maximised);
    EXPECT_EQ(SendMessageA(w, WM_NCHITTEST, 0, MAKELPARAM(maximised.right - 2, 300)), HTBORDER);
    msgseq::log().clear();
    dialogs::drag(nullptr, POINT{300, 10}, POINT{350, 60});
    GetWindowRect(w, &client);
    EXPECT_TRUE(EqualRect(&client, &maximised));
    EXPECT_TRUE(msgseq::select(w, {WM_ENTERSIZEMOVE}).empty());
    drv::headless().set_desktop_size(SIZE{800, 600});
    user32::desktop_size_changed();
    GetClientRect(w, &client);
    EXPECT_EQ(client.right, 800);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 800);
}

TEST(WindowDC, StateResetsWhenReleasedAndStaleHandlesFail)
{
    HWND w = popup(0, 0, 100, 100);
    HDC dc = GetDC(w);
    SetBkMode(dc, TRANSPARENT);
    EXPECT_EQ(ReleaseDC(w, dc), 1);
    EXPECT_EQ(ReleaseDC(w, dc), 0);
    dc = GetDC(w);
    EXPECT_EQ(SetBkMode(dc, OPAQUE), OPAQUE);
    HDC mem = CreateCompatibleDC(nullptr);   // not given back through ReleaseDC
    EXPECT_EQ(ReleaseDC(w, mem), 0);
    DeleteDC(mem);
    // Drawing through a DC whose window has gone does nothing, safely.
    DestroyWindow(w);
    RECT r{0, 0, 50, 50};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EXPECT_EQ(GetPixel(dc, 1, 1), CLR_INVALID);
    ReleaseDC(w, dc);
    EXPECT_EQ(GetDC(w), nullptr);
}

TEST(Compositor, ChildrenLieAboveTheirParentClippedToItsClientAreaInZOrder)
{
    HWND parent = popup(100, 50, 200, 150);
    HWND first = painted_child(parent, -5, -5, 20, 20), second = painted_child(parent, 10, 10, 30, 30);
    fill(first, RECT{0, 0, 20, 20}, RGB(0, 255, 0));
    fill(second, RECT{0, 0, 30, 30}, RGB(255, 0, 0));
    fill(parent, RECT{0, 0, 200, 200}, RGB(0, 0, 255));   // never over its children
    EXPECT_EQ(desk(103, 72), kGreen);                     // the child's visible part, from the client origin
    EXPECT_EQ(desk(103 + 12, 72 + 12), kGreen);           // the first child lies over the second
    EXPECT_EQ(desk(103 + 15, 72 + 15), kRed);
    EXPECT_EQ(desk(102, 72), kFace);   // the part off the client area stays hidden
    EXPECT_EQ(desk(103, 71), kFace);
    SetWindowPos(second, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(desk(103 + 12, 72 + 12), kRed);
}

// Headless, nothing may ever ask for the desktop: the windows that drew since
// it was last composed are held only while they exist.
TEST(Compositor, AWindowThatIsGoneIsNoLongerHeldAsChanged)
{
    HWND kept = popup(0, 0, 100, 100);
    fill(kept, RECT{0, 0, 5, 5}, RGB(255, 0, 0));
    for (int i = 0; i < 50; ++i) {
        HWND shortLived = popup(200, 200, 100, 100);
        fill(painted_child(shortLived, 0, 0, 10, 10), RECT{0, 0, 5, 5}, RGB(0, 255, 0));
        fill(shortLived, RECT{0, 0, 5, 5}, RGB(0, 255, 0));
        DestroyWindow(shortLived);
    }
    EXPECT_EQ(user32::windows_changed(), 1u);
    EXPECT_EQ(desk(3, 22), kRed);
    EXPECT_EQ(desk(203, 222), kTeal);
    EXPECT_EQ(user32::windows_changed(), 0u);
}

// A message box disables its owner; the owner's own drawing must stay.
TEST(Compositor, DisablingKeepsWhatWasDrawn)
{
    HWND a = popup(0, 0, 100, 100);
    popup(300, 0, 100, 100);   // shown and activated above
    SetActiveWindow(a);
    dialogs::pump(nullptr);
    fill(a, RECT{0, 0, 100, 100}, RGB(255, 0, 0));
    EnableWindow(a, FALSE);
    dialogs::pump(nullptr);
    EnableWindow(a, TRUE);
    dialogs::pump(nullptr);
    EXPECT_EQ(desk(50, 50), kRed);
}

TEST(DialogFont, TemplateFontAt96DotsPerInchSharedByEveryDialogAskingForIt)
{
    const auto font = [](int id) {
        return reinterpret_cast<HFONT>(SendMessageA(dialogs::open_program(id), WM_GETFONT, 0, 0));
    };
    LOGFONTA lf{};
    ASSERT_EQ(GetObjectA(font(2), sizeof lf, &lf), static_cast<int>(sizeof lf));
    EXPECT_STREQ(lf.lfFaceName, "Nosferatu");
    EXPECT_EQ(lf.lfHeight, -16);   // 12 points
    EXPECT_EQ(font(2), font(2));
    HFONT sans = font(6);
    ASSERT_EQ(GetObjectA(sans, sizeof lf, &lf), static_cast<int>(sizeof lf));
    EXPECT_STREQ(lf.lfFaceName, "MS Sans Serif");
    EXPECT_EQ(lf.lfHeight, -11);       // 8 points: the 13-pixel face
    EXPECT_TRUE(DeleteObject(sans));   // the program may try: the font stays
    EXPECT_EQ(GetObjectA(sans, sizeof lf, &lf), static_cast<int>(sizeof lf));
}

TEST(Golden, DialogFrameCaptionAndBackground)
{
    HWND under = msgseq::window("Quenmire Stonecall", WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, {10, 10, 300, 200});
    fill(under, RECT{0, 0, 300, 200}, RGB(255, 216, 170));
    HWND dlg = popup(120, 90, 220, 130, "Meaning of Position");
    HWND edit = CreateWindowExA(WS_EX_CLIENTEDGE, plain_class(), "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 10, 10, 150,
                                60, dlg, nullptr, nullptr, nullptr);
    fill(edit, RECT{0, 0, 200, 200}, RGB(255, 255, 255));
    raster::Surface crop(360, 240);
    raster::blit(crop.canvas, 0, 0, user32::desktop_image(), raster::Rect{0, 0, 360, 240}, raster::bounds(crop.canvas));
    EXPECT_TRUE(matches_golden(crop.canvas, "desktop_dialog"));
}

TEST(AnotherApplication,
     TakingTheForegroundCancelsTheCaptureThenDeactivatesGivingItBackActivatesAndAltHeldIsNoLoneAltPress)
{
    HWND hidden = msgseq::window("hidden", WS_OVERLAPPEDWINDOW, nullptr, kAt);
    HWND front = msgseq::window("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, kAt);
    HWND inner = msgseq::window("", WS_CHILD | WS_VISIBLE, front, kAt);
    SetFocus(inner);
    SetCapture(inner);
    const uint32_t activeCaption = caption_pixel(front);
    msgseq::log().clear();
    drv::app_focus(false);
    dialogs::pump(nullptr);
    const std::vector<std::pair<HWND, std::string>> labels{{hidden, "hidden"}, {front, "top"}, {inner, "child"}};
    std::string sequences = "losing the foreground:\n" + msgseq::text(activation_log(), labels);
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_NE(caption_pixel(front), activeCaption);
    // Windows follows the ended capture with a move where the cursor is.
    EXPECT_FALSE(msgseq::select(nullptr, {WM_MOUSEMOVE, WM_NCMOUSEMOVE}).empty());

    msgseq::log().clear();
    drv::app_focus(true);
    dialogs::pump(nullptr);
    sequences += "getting it back:\n" + msgseq::text(activation_log(), labels);
    EXPECT_TRUE(matches_expected_text(sequences, "another_application.txt"));
    EXPECT_EQ(caption_pixel(front), activeCaption);
    // Alt goes down in the program, then the focus leaves (Alt+Tab); Alt comes up
    // in the other application or after coming back. Neither is a lone Alt press:
    // no menu, and the next click is the window's.
    const std::vector<std::vector<int>> orders = {
        {+VK_MENU, 0, -VK_MENU, 1},   // let go in the other application
        {+VK_MENU, 0, 1, -VK_MENU},   // let go after coming back
    };
    for (const std::vector<int> &order : orders) {
        HWND w = msgseq::window("w", WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, kAt);
        msgseq::log().clear();
        for (int step : order) {
            if (step == 0 || step == 1) drv::app_focus(step == 1);
            else drv::key(static_cast<UINT>(std::abs(step)), step > 0);
            dialogs::pump(nullptr);
            if (step == 0) {
                EXPECT_FALSE(GetKeyState(VK_MENU) & 0x8000) << "Alt is up once the focus has gone";
            }
        }
        testsupport::Person::click(w);
        dialogs::pump(nullptr);
        EXPECT_TRUE(msgseq::select(w, {WM_SYSCOMMAND}).empty()) << order[2];
        EXPECT_EQ(msgseq::select(w, {WM_LBUTTONDOWN, WM_LBUTTONUP}).size(), 2u) << order[2];
        DestroyWindow(w);
    }
}

// The caption moves, the border sizes: the loop's messages in Windows' order,
// the last WM_MOVE or WM_SIZE giving the new place (tests/golden/move_size_loop.txt).
TEST(MoveSize, DraggingTheCaptionMovesAndTheBorderSizesTheWindowInWindowsOrder)
{
    std::string sequences;
    for (bool caption : {true, false}) {
        HWND w = window();
        const POINT from = caption ? POINT{250, 62} : POINT{399, 150};   // the caption, the right border
        msgseq::log().clear();
        dialogs::drag(nullptr, from, POINT{from.x + 37, from.y - (caption ? 21 : 0)});
        // The loop's messages, pointers to structures left out.
        std::vector<Seen> seen = msgseq::select(w, {WM_SYSCOMMAND, WM_GETMINMAXINFO, WM_ENTERSIZEMOVE, WM_MOVING,
                                                    WM_SIZING, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE,
                                                    WM_SIZE, WM_CAPTURECHANGED, WM_EXITSIZEMOVE});
        for (Seen &s : seen)
            if (s.msg != WM_SYSCOMMAND && s.msg != WM_MOVE && s.msg != WM_SIZE) s.lp = 0;
        sequences += (caption ? "caption drag:\n" : "border drag:\n") + msgseq::text(seen, {{w, "w"}});
        EXPECT_EQ(GetCapture(), nullptr);
        DestroyWindow(w);
    }
    EXPECT_TRUE(matches_expected_text(sequences, "move_size_loop.txt"));
}

TEST(MoveSize, TheSizingBorderSizesByItsEdgeWithinTheWindowsLimits)
{
    // Points on the frame of a 300 x 200 window at (100, 50), dragged by (dx, dy).
    const struct {
        DWORD style;
        POINT at;
        LRESULT hit;
        POINT by;
        Edges after;
    } rows[] = {
        {WS_OVERLAPPEDWINDOW, {399, 150}, HTRIGHT, {50, 9}, {100, 50, 450, 250}},
        {WS_OVERLAPPEDWINDOW, {399, 150}, HTRIGHT, {300, 0}, {100, 50, 500, 250}},   // at most 400 wide
        {WS_OVERLAPPEDWINDOW, {101, 150}, HTLEFT, {200, 0}, {250, 50, 400, 250}},    // at least 150
        {WS_OVERLAPPEDWINDOW, {250, 51}, HTTOP, {0, -30}, {100, 20, 400, 250}},
        {WS_OVERLAPPEDWINDOW, {250, 248}, HTBOTTOM, {5, 200}, {100, 50, 400, 350}},    // at most 300 high
        {WS_OVERLAPPEDWINDOW, {102, 60}, HTTOPLEFT, {-20, -30}, {80, 20, 400, 250}},   // a corner along the side
        {WS_OVERLAPPEDWINDOW, {392, 249}, HTBOTTOMRIGHT, {-500, -500}, {100, 50, 250, 150}},
        {WS_OVERLAPPEDWINDOW, {101, 249}, HTBOTTOMLEFT, {-10, 10}, {90, 50, 400, 260}},
        {WS_OVERLAPPEDWINDOW, {398, 52}, HTTOPRIGHT, {10, 10}, {100, 60, 410, 250}},
        {WS_POPUP | WS_CAPTION | WS_SYSMENU, {399, 150}, HTBORDER, {50, 0}, {100, 50, 400, 250}},
    };
    for (const auto &row : rows) {
        HWND w = window(row.style);
        EXPECT_EQ(SendMessageA(w, WM_NCHITTEST, 0, MAKELPARAM(row.at.x, row.at.y)), row.hit) << row.hit;
        msgseq::log().clear();
        dialogs::drag(nullptr, row.at, POINT{row.at.x + row.by.x, row.at.y + row.by.y});
        EXPECT_EQ(window_edges(w), row.after) << row.hit;
        const std::vector<Seen> sizing = msgseq::select(w, {WM_SIZING});
        const WPARAM edge = row.hit == HTBORDER ? 0 : static_cast<WPARAM>(row.hit - HTLEFT + WMSZ_LEFT);
        EXPECT_EQ(sizing.empty() ? 0 : sizing.front().wp, edge) << row.hit;
        DestroyWindow(w);
    }
}

TEST(MoveSize, FromTheKeyboardArrowsStepByEightEnterKeepsAndEscapeGoesBack)
{
    // The first arrow of a keyboard Size chooses the edge it moves.
    const struct {
        WPARAM cmd;
        std::vector<UINT> keys;
        Edges after;
    } rows[] = {
        {SC_MOVE, {VK_RIGHT, VK_DOWN, VK_DOWN, VK_RETURN}, {108, 66, 408, 266}},
        {SC_MOVE, {VK_LEFT, VK_UP, VK_ESCAPE}, {100, 50, 400, 250}},
        {SC_SIZE, {VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RETURN}, {100, 50, 416, 250}},
        {SC_SIZE, {VK_UP, VK_UP, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, {100, 66, 400, 250}},
        {SC_SIZE, {VK_LEFT, VK_RIGHT, VK_ESCAPE}, {100, 50, 400, 250}},
    };
    for (const auto &row : rows) {
        HWND w = window();
        for (UINT vk : row.keys) Person::tap(vk);
        SendMessageA(w, WM_SYSCOMMAND, row.cmd, 0);
        EXPECT_EQ(window_edges(w), row.after) << row.cmd << " " << row.keys.size();
        EXPECT_EQ(msgseq::select(w, {WM_EXITSIZEMOVE}).size(), 1u);
        DestroyWindow(w);
    }
}
