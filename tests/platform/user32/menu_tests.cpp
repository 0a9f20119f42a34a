// Menus: the main window's menu bar from its template, the menu queries, and
// choosing by mouse and keyboard. While a menu is open the program waits for
// input inside the menu's loop; the headless driver's block hook plays the
// person at the keyboard, one step per wait.
#include "support/dialogs.h"
#include "support/golden.h"
#include "support/msgseq.h"
#include "support/person.h"

#include "driver/headless/headless.h"
#include "user32/compositor.h"
#include "user32/menu_internal.h"

#include <gtest/gtest.h>

using testsupport::Person;

namespace {

POINT centre(const RECT &r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

void click_bar(HWND w, int pos) { Person::click(centre(user32::menu_bar_item_rects(w).at(static_cast<size_t>(pos)))); }

RECT item_rect(int level, int pos)
{
    std::vector<HWND> open = user32::open_menu_popups();
    return level < static_cast<int>(open.size()) ? user32::menu_popup_item_rect(open[static_cast<size_t>(level)], pos)
                                                 : RECT{};
}

// The commands the menu posted to the window, by id.
std::vector<WPARAM> chosen(HWND w)
{
    std::vector<WPARAM> ids;
    for (const msgseq::Seen &s : msgseq::select(w, {WM_COMMAND})) {
        EXPECT_EQ(s.how, msgseq::Posted);
        ids.push_back(s.wp);
    }
    return ids;
}

// Runs the steps as the person's answers to the program's waits, after `start`.
void play(HWND w, std::vector<std::function<void()>> steps, const std::function<void()> &start)
{
    Person p;
    for (auto &step : steps) p.then(std::move(step));
    start();
    dialogs::pump(w);
    EXPECT_TRUE(p.done());
}

// The menus open now: each drop-down by its place on the bar, S for the
// system menu; "." for none.
std::string open_now(HWND w)
{
    std::string out;
    for (HWND popup : user32::open_menu_popups()) {
        const HMENU m = user32::menu_of_popup(popup);
        if (m == GetSystemMenu(w, FALSE)) out += "S";
        for (int i = 0; i < GetMenuItemCount(GetMenu(w)); ++i)
            if (GetSubMenu(GetMenu(w), i) == m) out += std::to_string(i);
    }
    return out.empty() ? "." : out;
}

// Taps `start` (with `held`), then each key at one wait of the menu loop,
// noting before each what is open.
std::string keyed(HWND w, UINT start, UINT held, const std::vector<UINT> &keys)
{
    std::string seen;
    std::vector<std::function<void()>> steps;
    for (UINT vk : keys)
        steps.push_back([&seen, w, vk] {
            seen += open_now(w) + " ";
            Person::tap(vk);
        });
    play(w, steps, [&] { Person::tap(start, held); });
    return seen;
}

}   // namespace

TEST(Menus, ABarItemAndADropDownItemClickedPostTheCommandAndAGreyedItemDoesNothing)
{
    HWND w = dialogs::open_program(5);   // the main window, its menu File, Spread, Help
    play(w,
         {[&] {
              Person::click(centre(item_rect(0, 4)));   // HTMLise, greyed: the menu stays open
          },
          [] { drv::mouse_move(centre(item_rect(0, 2))); },   // Run, selected beside the greyed one
          [&] {
              // Spread below its bar item, Run selected beside the greyed HTMLise.
              RECT bar = user32::menu_bar_item_rects(w)[0], popup;
              GetWindowRect(user32::open_menu_popups()[0], &popup);
              raster::Surface shot(popup.right - bar.left + 8, popup.bottom - bar.top + 30);
              const raster::Rect from{bar.left - 4, bar.top - 26, bar.left - 4 + shot.canvas.width,
                                      bar.top - 26 + shot.canvas.height};
              raster::blit(shot.canvas, 0, 0, user32::desktop_image(), from, raster::bounds(shot.canvas));
              EXPECT_TRUE(matches_golden(shot.canvas, "menu_greyed_item"));
              Person::click(centre(item_rect(0, 2)));
          }},
         [&] { click_bar(w, 1); });
    EXPECT_EQ(user32::open_menu_popups().size(), 0u);
    EXPECT_EQ(chosen(w), std::vector<WPARAM>{901});
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST(Menus, KeysMoveThroughTheBarAndItsDropDownsAndGreyedItemsDoNothing)
{
    HWND w = dialogs::open_program(5);
    const struct {
        UINT start, held;
        std::vector<UINT> keys;
        const char *open;
    } rows[] = {
        // Alt alone selects File without opening it; Right, Down open Spread at New; Run.
        {VK_MENU, 0, {VK_RIGHT, VK_DOWN, VK_DOWN, VK_DOWN, VK_UP, VK_DOWN, VK_RETURN}, ". . 1 1 1 1 1 "},
        // F10, File by its letter, Left to the system menu and back, twice round to Help, About.
        {VK_F10, 0, {'F', VK_LEFT, VK_RIGHT, VK_LEFT, VK_LEFT, 'A'}, ". 0 S 0 S 2 "},
        // HTMLise, greyed, by its letter and by Enter: nothing; Esc closes one level at a time.
        {'S', VK_MENU, {'H', VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN, VK_ESCAPE, VK_ESCAPE}, "1 1 1 1 1 1 1 . "},
        // Alt with the first bar item's letter opens that item.
        {'F', VK_MENU, {VK_ESCAPE, VK_ESCAPE}, "0 . "},
    };
    for (const auto &row : rows)
        EXPECT_EQ(keyed(w, row.start, row.held, row.keys), row.open) << "started by key " << row.start;
    EnableMenuItem(GetMenu(w), 907, MF_BYCOMMAND | MF_ENABLED);
    EXPECT_EQ(keyed(w, 'S', VK_MENU, {'H'}), "1 ");
    EXPECT_EQ(chosen(w), (std::vector<WPARAM>{901, 905, 907}));
}

TEST(Menus, AltWithoutAMatchingLetterOnlyBeepsAndAltAPressOutsideOrAnotherApplicationLeaveTheMenu)
{
    HWND w = dialogs::open_program(5);
    Person::tap('Q', VK_MENU);   // no item has Q: no menu loop, no wait
    dialogs::pump(w);
    EXPECT_EQ(keyed(w, 'S', VK_MENU, {VK_MENU}), "1 ");
    play(w, {[] { Person::click(POINT{900, 700}); }}, [&] { click_bar(w, 0); });
    play(w, {[] { drv::app_focus(false); }}, [&] { click_bar(w, 1); });   // another application's turn
    EXPECT_EQ(user32::open_menu_popups().size(), 0u);
    EXPECT_TRUE(chosen(w).empty());
    // A query by command searches the drop-downs; a text is cut to the buffer.
    HMENU spread = GetSubMenu(GetMenu(w), 1);
    char text[16] = "untouched";
    EXPECT_EQ(GetMenuStringA(GetMenu(w), 907, text, 5, MF_BYCOMMAND), 4);   // NUL included
    EXPECT_STREQ(text, "&HTM");
    DestroyWindow(w);   // the template's menu goes with its window
    EXPECT_FALSE(IsMenu(spread));
}

TEST(Menus, TimersKeepRunningAndAQuitRequestIsHandedOn)
{
    HWND w = dialogs::open_program(5);
    SetTimer(w, 7, 100, nullptr);
    Person p;
    p.then([] { drv::headless().set_now(drv::headless().now() + 150); });
    p.then([&] {
        EXPECT_EQ(msgseq::select(w, {WM_TIMER}).size(), 1u);
        EXPECT_EQ(user32::open_menu_popups().size(), 1u);
        PostQuitMessage(5);
    });
    click_bar(w, 1);
    MSG m;
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    DispatchMessageA(&m);   // the press on the bar: the menu's loop runs inside
    EXPECT_TRUE(p.done());
    EXPECT_EQ(user32::open_menu_popups().size(), 0u);
    ASSERT_EQ(GetMessageA(&m, nullptr, 0, 0), FALSE);
    EXPECT_EQ(m.wParam, 5u);
    EXPECT_TRUE(chosen(w).empty());
}

TEST(SystemMenu, AltSpaceOrItsPlaceOpensItGreyedAsTheWindowsStyleAndStateAllowAndAChoicePostsTheCommand)
{
    const struct {
        DWORD style;
        int show;
    } rows[] = {
        {WS_OVERLAPPEDWINDOW, SW_SHOWNORMAL},
        {WS_OVERLAPPEDWINDOW, SW_SHOWMAXIMIZED},
        {WS_OVERLAPPEDWINDOW, SW_MINIMIZE},
        {WS_POPUP | WS_CAPTION | WS_SYSMENU, SW_SHOWNORMAL},
        {WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX, SW_SHOWNORMAL},
    };
    // Each row's items (greyed ones marked ~) and the messages that opened the menu.
    std::string seen;
    for (const auto &row : rows) {
        HWND w = msgseq::window("Plain", row.style | WS_VISIBLE);
        ShowWindow(w, row.show);
        SetActiveWindow(w);
        msgseq::log().clear();
        HMENU sys = GetSystemMenu(w, FALSE);
        EXPECT_EQ(keyed(w, VK_SPACE, VK_MENU, {VK_ESCAPE}), "S ");
        seen += dialogs::menu_items(sys) + "\n";
        seen += msgseq::text(msgseq::select(w, {WM_INITMENU, WM_INITMENUPOPUP}),
                             {{w, "w"}, {reinterpret_cast<HWND>(sys), "sys"}});
        DestroyWindow(w);
    }
    EXPECT_TRUE(matches_expected_text(seen, "system_menu_items.txt"));
    // A choice posts the system command: by the keyboard, Minimize by its letter.
    HWND w = msgseq::window("Plain", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    play(w, {[] { Person::tap('N'); }}, [] { Person::tap(VK_SPACE, VK_MENU); });
    ShowWindow(w, SW_RESTORE);
    // By the mouse: a press at the caption's left opens it, Close chosen there.
    const POINT place{100 + 4 + 8, 50 + 4 + 9};
    EXPECT_EQ(SendMessageA(w, WM_NCHITTEST, 0, MAKELPARAM(place.x, place.y)), HTSYSMENU);
    play(w, {[&] {
             RECT popup;
             GetWindowRect(user32::open_menu_popups().at(0), &popup);
             EXPECT_EQ(popup.left, 100 + 4);
             EXPECT_EQ(popup.top, 50 + 4 + 19);
             Person::click(centre(item_rect(0, 6)));
         }},
         [&] { Person::click(place); });
    EXPECT_FALSE(IsWindow(w));
    // Alt+Space, N; the click at the system menu's place, Close.
    EXPECT_TRUE(matches_expected_text(msgseq::text(msgseq::select(w, {WM_SYSCOMMAND}), {{w, "w"}}),
                                      "system_menu_commands.txt"));
}
