// The layout modes without a keypad, through the lock-step driver: the arrow
// keys and their neighbours, + - * as typed, F2, dragging and double-clicking
// the position buttons. (The keypad's own keys are tests/editor/layout_tests.cpp's
// and the sessions'.)
#include "app/mainwindow.h"

#include "app/screenloop.h"
#include "editor/layout.h"
#include "runes/spread.h"

#include "support/program.h"
#include "support/spreads.h"

#include "driver/driver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using testsupport::Program;

namespace {

// Three positions, apart, edited with the help turned off; the first is
// clicked, so it is acquired and has the focus.
void edit_three(Program &e)
{
    testsupport::write_bytes(
        "MINE.SCS", testsupport::spread_bytes("Mine", {{300, 200, "One"}, {500, 200, "Two"}, {700, 300, "Three"}}));
    testsupport::write_settings(0, "", 0);
    e.start();
    e.edit_first_spread();
    e.run.click(ButtonHandles[0]);
}

void set_numlock(bool on)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_NUMLOCK] = on ? 1 : 0;
    SetKeyboardState(keys);
}

POINT place_of(HWND button)
{
    RECT r;
    GetWindowRect(button, &r);
    POINT p{r.left, r.top};
    ScreenToClient(GetParent(button), &p);
    return p;
}

// The left button pressed at the middle of `button`, the mouse moved by `by`
// in four steps and let go there, all as one gesture.
void drag(Program &e, HWND button, POINT by)
{
    RECT r;
    GetWindowRect(button, &r);
    POINT from{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    drv::mouse_button(from, drv::Button::Left, true);
    for (LONG i = 1; i <= 4; ++i) drv::mouse_move(POINT{from.x + by.x * i / 4, from.y + by.y * i / 4});
    drv::mouse_button(POINT{from.x + by.x, from.y + by.y}, drv::Button::Left, false);
    // The gesture is queued; a posted message wakes the program to take it.
    e.run.post(e.main(), WM_NULL, 0, 0);
}

// Two presses and releases at the middle of `button`, at one moment.
void double_click(Program &e, HWND button)
{
    RECT r;
    GetWindowRect(button, &r);
    POINT at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    for (bool down : {true, false, true, false}) drv::mouse_button(at, drv::Button::Left, down);
    e.run.post(e.main(), WM_NULL, 0, 0);
}

}   // namespace

// Each key moves the acquired position by the jump (5) like its keypad key,
// the whole entry and the button together, and leaves the focus where it
// was. With NumLock off the keypad sends these keys itself; its 5 (Clear)
// and F2 open the meaning of the acquired position.
TEST(LayoutKeys, ArrowsHomeEndAndPagesMoveTheAcquiredPositionAndKeepTheFocus)
{
    struct Case {
        UINT vk;
        bool numLock;
        int right, down;   // pixels; none for the meaning
    } cases[] = {
        {VK_UP, true, 0, -5},       {VK_DOWN, true, 0, 5},     {VK_LEFT, true, -5, 0},      {VK_RIGHT, true, 5, 0},
        {VK_HOME, true, -5, -5},    {VK_PRIOR, true, 5, -5},   {VK_END, true, -5, 5},       {VK_NEXT, true, 5, 5},
        {VK_NUMPAD8, false, 0, -5}, {VK_NUMPAD3, false, 5, 5}, {VK_NUMPAD7, false, -5, -5}, {VK_F2, true, 0, 0},
        {VK_NUMPAD5, false, 0, 0},
    };
    Program e;
    edit_three(e);
    HWND main = e.main();
    HWND focus = GetFocus();
    ASSERT_EQ(focus, ButtonHandles[0]);
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "key " << c.vk << (c.numLock ? "" : ", NumLock off"));
        set_numlock(c.numLock);
        SpreadChanged = 0;
        const RECT before = CardRect[0];
        const POINT shown = place_of(ButtonHandles[0]);
        e.run.key(c.vk);
        if (c.right == 0 && c.down == 0) {
            EXPECT_NE(hWnd_sim_dialog, main);
            EXPECT_EQ(e.run.text(e.run.control(hWnd_sim_dialog, IDC_POSITION_MEANING)), "One");
            e.press(IDCANCEL);
        }
        EXPECT_EQ(hWnd_sim_dialog, main);
        EXPECT_EQ(CardRect[0].top - before.top, c.right);
        EXPECT_EQ(CardRect[0].bottom - before.bottom, c.right);
        EXPECT_EQ(CardRect[0].left - before.left, c.down);
        EXPECT_EQ(CardRect[0].right - before.right, c.down);
        EXPECT_EQ(place_of(ButtonHandles[0]).x - shown.x, c.right);
        EXPECT_EQ(place_of(ButtonHandles[0]).y - shown.y, c.down);
        EXPECT_EQ(SpreadChanged, 1);
        EXPECT_EQ(GetFocus(), focus);
    }
    EXPECT_TRUE(e.boxes().empty());
}

// + - * count as the characters they type, from whichever key the keyboard
// layout has them on. (The keypad's keys and the jump's limits are
// tests/editor/layout_tests.cpp's.)
TEST(LayoutKeys, TypedPlusMinusAndStarChangeAndTellTheJump)
{
    Program e;
    edit_three(e);
    e.run.type("++-*");
    // A German keyboard types * with Shift and the key that a US one has = on.
    drv::key(VK_SHIFT, true);
    drv::layout_key(VK_OEM_PLUS, true, "*");
    drv::layout_key(VK_OEM_PLUS, false, "");
    drv::key(VK_SHIFT, false);
    e.run.post(e.main(), WM_NULL, 0, 0);
    EXPECT_EQ(e.boxes(),
              std::vector<std::string>(2, "Button jump size..: Button jump size has been set to 6 pixels per jump."));
}

// A drag moves the button with the mouse and its place with it, the entry
// keeping its extents, and acquires it; held inside the client area at the
// edges. A press let go where it was is a click: it acquires, moves nothing.
TEST(LayoutMouse, DraggingAButtonMovesItsPlaceWithinTheWindowAndAcquiresIt)
{
    Program e;
    edit_three(e);
    RECT client;
    GetClientRect(e.main(), &client);
    struct Case {
        int position;
        POINT by;
        POINT place;   // where the button then stands
    } cases[] = {
        {1, {37, -21}, {537, 179}},
        {2, {-2000, -2000}, {0, 0}},
        {2, {5000, 5000}, {client.right - 70, client.bottom - 129}},
        {0, {0, 0}, {300, 200}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "position " << c.position << " by " << c.by.x << ", " << c.by.y);
        ButtonAquired = c.position == 0 ? 1 : 0;
        SpreadChanged = 0;
        const RECT before = CardRect[c.position];
        drag(e, ButtonHandles[c.position], c.by);
        EXPECT_EQ(place_of(ButtonHandles[c.position]).x, c.place.x);
        EXPECT_EQ(place_of(ButtonHandles[c.position]).y, c.place.y);
        EXPECT_EQ(PositionPlace(c.position).x, c.place.x);
        EXPECT_EQ(PositionPlace(c.position).y, c.place.y);
        EXPECT_EQ(CardRect[c.position].bottom - CardRect[c.position].top, before.bottom - before.top);
        EXPECT_EQ(CardRect[c.position].right - CardRect[c.position].left, before.right - before.left);
        EXPECT_EQ(ButtonAquired, c.position);
        EXPECT_EQ(SpreadChanged, c.by.x != 0 ? 1 : 0);
    }
    EXPECT_EQ(hWnd_sim_dialog, e.main());
}

// A double-click on a position button acquires it and opens its meaning;
// the dialog takes the clicks that follow, and the spread counts as
// changed, as after keypad 5.
TEST(LayoutMouse, ADoubleClickOpensThePositionsMeaning)
{
    Program e;
    edit_three(e);
    SpreadChanged = 0;
    double_click(e, ButtonHandles[2]);
    ASSERT_NE(hWnd_sim_dialog, e.main());
    EXPECT_EQ(ButtonAquired, 2);
    EXPECT_EQ(e.run.text(e.run.control(hWnd_sim_dialog, IDC_POSITION_MEANING)), "Three");
    e.press(IDCANCEL);
    EXPECT_EQ(hWnd_sim_dialog, e.main());
    EXPECT_EQ(SpreadChanged, 1);
    EXPECT_EQ(PositionPlace(2).x, 700);
}
