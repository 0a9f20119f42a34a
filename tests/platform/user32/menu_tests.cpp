// Menus: the main window's menu bar from its template, the menu queries, and
// choosing by mouse and keyboard. While a menu is open the program waits for
// input inside the menu's loop; the headless driver's block hook plays the
// person at the keyboard, one step per wait.
#include "platform/rc/embedded.h"
#include "support/dialogs.h"
#include "support/golden.h"
#include "support/msgseq.h"
#include "support/person.h"

#include "driver/headless/headless.h"
#include "rc/module.h"
#include "testing/lockstep.h"
#include "user32/compositor.h"
#include "user32/menu_internal.h"

#include <gtest/gtest.h>


using msgseq::Posted;
using msgseq::Seen;
using testsupport::Person;

namespace {

HINSTANCE module(const unsigned char *(*image)(size_t *))
{
    size_t size;
    const unsigned char *bytes = image(&size);
    return rc::register_module(bytes, size);
}

// The program's main window: template 5 with menu 1 (File, Spread, Help).
HWND main_window()
{
    return CreateDialogParamA(module(stonecall_res), MAKEINTRESOURCEA(5), nullptr, msgseq::recording_dlgproc, 0);
}

POINT centre(const RECT &r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

void click(POINT p) { Person::click(p); }

void click_bar(HWND w, int pos) { click(centre(user32::menu_bar_item_rects(w).at(static_cast<size_t>(pos)))); }

RECT item_rect(int level, int pos)
{
    std::vector<HWND> open = user32::open_menu_popups();
    return level < static_cast<int>(open.size()) ? user32::menu_popup_item_rect(open[static_cast<size_t>(level)], pos)
                                                 : RECT{};
}

void click_item(int level, int pos) { click(centre(item_rect(level, pos))); }

void alt_with(UINT vk) { Person::tap(vk, VK_MENU); }

std::vector<Seen> commands(HWND w) { return msgseq::select(w, {WM_COMMAND}); }

Seen menu_command(HWND w, UINT id) { return Seen{w, WM_COMMAND, MAKEWPARAM(id, 0), 0, Posted}; }

size_t open_count() { return user32::open_menu_popups().size(); }

HMENU open_menu(int level) { return user32::menu_of_popup(user32::open_menu_popups().at(static_cast<size_t>(level))); }

} // namespace

TEST(Menus, TheTemplatesMenuIsLoadedWithTheDialogAndAnswersQueries)
{
    HWND w = main_window();
    ASSERT_NE(w, nullptr);
    HMENU bar = GetMenu(w);
    ASSERT_NE(bar, nullptr);

    EXPECT_EQ(GetMenuItemCount(bar), 3);
    EXPECT_EQ(GetMenuItemID(bar, 1), static_cast<UINT>(-1));   // a drop-down has no id
    EXPECT_EQ(GetMenuState(bar, 1, MF_BYPOSITION), static_cast<UINT>(MF_POPUP | (5 << 8)));
    HMENU spread = GetSubMenu(bar, 1);
    ASSERT_NE(spread, nullptr);
    EXPECT_EQ(GetSubMenu(bar, 3), nullptr);
    EXPECT_EQ(GetMenuItemID(spread, 2), 901u);
    EXPECT_EQ(GetMenuState(spread, 3, MF_BYPOSITION), static_cast<UINT>(MF_SEPARATOR));
    char text[16] = "untouched";
    EXPECT_EQ(GetMenuStringA(bar, 907, text, 5, MF_BYCOMMAND), 4);   // cut to the buffer, NUL included
    EXPECT_STREQ(text, "&HTM");
    EXPECT_EQ(GetMenuStringA(bar, 905, nullptr, 0, MF_BYCOMMAND), 8);   // "&About.."

    // By command the bar's drop-downs are searched; the previous state comes back.
    EXPECT_EQ(GetMenuState(bar, 907, MF_BYCOMMAND), static_cast<UINT>(MF_GRAYED));
    EXPECT_EQ(EnableMenuItem(bar, 907, MF_BYCOMMAND | MF_ENABLED), MF_GRAYED);
    EXPECT_EQ(EnableMenuItem(bar, 907, MF_BYCOMMAND | MF_GRAYED), MF_ENABLED);
    EXPECT_EQ(EnableMenuItem(spread, 0, MF_BYPOSITION | MF_DISABLED), MF_ENABLED);
    EXPECT_EQ(GetMenuState(bar, 903, MF_BYCOMMAND), static_cast<UINT>(MF_DISABLED));
    EXPECT_EQ(EnableMenuItem(bar, 4242, MF_BYCOMMAND | MF_GRAYED), -1);
    EXPECT_EQ(GetMenuState(bar, 4242, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_EQ(EnableMenuItem(spread, 9, MF_BYPOSITION | MF_GRAYED), -1);
    EXPECT_TRUE(DrawMenuBar(w));

    // The menu goes with its window.
    DestroyWindow(w);
    EXPECT_FALSE(IsMenu(bar));
    EXPECT_FALSE(IsMenu(spread));
}

TEST(Menus, ABarItemAndADropDownItemClickedPostTheCommand)
{
    HWND w = main_window();
    Person p;
    p.then([&] {
        ASSERT_EQ(open_count(), 1u);   // the Spread drop-down, below its bar item
        EXPECT_EQ(open_menu(0), GetSubMenu(GetMenu(w), 1));
        RECT bar = user32::menu_bar_item_rects(w)[1];
        RECT first = item_rect(0, 0);
        EXPECT_EQ(first.left - 3, bar.left);
        EXPECT_EQ(first.top - 3, bar.bottom + 1);   // the bar's full height
        click_item(0, 2);   // Run
    });
    click_bar(w, 1);
    dialogs::pump(w);
    EXPECT_TRUE(p.done());
    EXPECT_EQ(open_count(), 0u);
    EXPECT_SEQUENCE("menu Spread, Run", std::vector<Seen>{menu_command(w, 901)}, commands(w));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST(Menus, AGreyedItemIsDrawnEtchedAndDoesNothing)
{
    HWND w = main_window();
    Person p;
    p.then([&] { click_item(0, 4); });   // HTMLise, greyed: the menu stays open
    p.then([&] {
        EXPECT_EQ(open_count(), 1u);
        // Point at Run so the look shows a selected item beside the greyed one.
        drv::mouse_move(centre(item_rect(0, 2)));
    });
    p.then([&] {
        RECT bar = user32::menu_bar_item_rects(w)[0];
        RECT popup;
        GetWindowRect(user32::open_menu_popups()[0], &popup);
        // The top-left of the window, its bar and the open drop-down.
        const gfx::Canvas &desk = user32::desktop_image();
        gfx::Surface shot(popup.right - bar.left + 8, popup.bottom - bar.top + 30);
        gfx::blit(shot.canvas, 0, 0, desk, {bar.left - 4, bar.top - 26, bar.left - 4 + shot.canvas.width,
                                            bar.top - 26 + shot.canvas.height},
                  gfx::bounds(shot.canvas));
        EXPECT_TRUE(matches_golden(shot.canvas, "menu_greyed_item"));
        Person::tap(VK_RETURN);
    });
    click_bar(w, 1);
    dialogs::pump(w);
    EXPECT_TRUE(p.done());
    // Enter chose Run: only the enabled item made a command.
    EXPECT_SEQUENCE("greyed HTMLise, then Run", std::vector<Seen>{menu_command(w, 901)}, commands(w));
}

TEST(Menus, EnterAndTheMnemonicOfAGreyedItemDoNothing)
{
    HWND w = main_window();
    Person p;
    p.then([] { Person::tap('H'); });   // HTMLise by its letter: greyed
    p.then([] {
        EXPECT_EQ(open_count(), 1u);
        for (int i = 0; i < 4; ++i) Person::tap(VK_DOWN);   // New, Edit, Run, (separator) HTMLise
    });
    p.then([] { Person::tap(VK_RETURN); });
    p.then([] {
        EXPECT_EQ(open_count(), 1u);
        Person::tap(VK_ESCAPE);
    });
    p.then([] {
        EXPECT_EQ(open_count(), 0u);   // the bar is still in menu mode
        Person::tap(VK_ESCAPE);
    });
    alt_with('S');
    dialogs::pump(w);
    EXPECT_TRUE(p.done());
    EXPECT_TRUE(commands(w).empty()) << msgseq::describe(commands(w));
    // Once enabled, the same letter chooses it.
    EnableMenuItem(GetMenu(w), 907, MF_BYCOMMAND | MF_ENABLED);
    p.then([] { Person::tap('H'); });
    alt_with('S');
    dialogs::pump(w);
    EXPECT_SEQUENCE("Alt+S, H", std::vector<Seen>{menu_command(w, 907)}, commands(w));
}

TEST(Menus, AltAloneSelectsTheBarThenArrowsAndEnterChoose)
{
    HWND w = main_window();
    Person p;
    p.then([] {
        EXPECT_EQ(open_count(), 0u);   // File is selected, nothing open
        Person::tap(VK_RIGHT);         // Spread
    });
    p.then([] { Person::tap(VK_DOWN); });   // opens Spread with New selected
    p.then([&] {
        EXPECT_EQ(open_menu(0), GetSubMenu(GetMenu(w), 1));
        Person::tap(VK_DOWN);
        Person::tap(VK_DOWN);
        Person::tap(VK_UP);
        Person::tap(VK_DOWN);   // Run
    });
    p.then([] { Person::tap(VK_RETURN); });
    Person::tap(VK_MENU);
    dialogs::pump(w);
    EXPECT_TRUE(p.done());
    EXPECT_SEQUENCE("Alt, Right, Down.., Enter", std::vector<Seen>{menu_command(w, 901)}, commands(w));
}

TEST(Menus, F10AndMnemonicsChooseAndLeftWrapsRoundTheBar)
{
    HWND w = main_window();
    Person p;
    p.then([] { Person::tap('F'); });   // File opens
    p.then([&] {
        EXPECT_EQ(open_menu(0), GetSubMenu(GetMenu(w), 0));
        Person::tap(VK_LEFT);   // round to Help, opened
    });
    p.then([&] {
        EXPECT_EQ(open_menu(0), GetSubMenu(GetMenu(w), 2));
        Person::tap('A');   // About..
    });
    Person::tap(VK_F10);
    dialogs::pump(w);
    EXPECT_TRUE(p.done());
    EXPECT_SEQUENCE("F10, F, Left, A", std::vector<Seen>{menu_command(w, 905)}, commands(w));
}

TEST(Menus, AltWithoutAMatchingLetterOnlyBeepsAndAltLeavesTheMenu)
{
    HWND w = main_window();
    Person p;
    alt_with('Q');   // no item has Q: no menu loop, no wait
    dialogs::pump(w);
    p.then([] { Person::tap(VK_MENU); });   // Alt again leaves
    alt_with('S');
    dialogs::pump(w);
    EXPECT_TRUE(p.done());
    EXPECT_EQ(open_count(), 0u);
    EXPECT_TRUE(commands(w).empty());
    // A press outside the menu puts it away too, and nothing is chosen.
    p.then([] { click(POINT{900, 700}); });
    click_bar(w, 0);
    dialogs::pump(w);
    EXPECT_TRUE(p.done());
    EXPECT_TRUE(commands(w).empty());
}

TEST(Menus, NestedDropDownsOpenOnPointingAndCloseLevelByLevel)
{
    // The test resources' menu: First (One, separator, Deeper > Two Three, Four), Last.
    HWND w = CreateWindowExA(0, msgseq::recorder_class(), "Nested", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200,
                             nullptr, LoadMenuA(module(test_res), MAKEINTRESOURCEA(200)), nullptr, nullptr);
    ASSERT_NE(GetMenu(w), nullptr);
    Person p;
    p.then([] { drv::mouse_move(centre(item_rect(0, 2))); });   // Deeper
    p.then([] {
        ASSERT_EQ(open_count(), 2u);
        RECT deeper = item_rect(0, 2), two = item_rect(1, 0);
        EXPECT_EQ(two.top, deeper.top);   // beside its item
        EXPECT_GT(two.left, deeper.right);
        Person::tap(VK_LEFT);   // back to First
    });
    p.then([] {
        EXPECT_EQ(open_count(), 1u);
        Person::tap(VK_RIGHT);   // Deeper again, its first item selected
    });
    p.then([] {
        EXPECT_EQ(open_count(), 2u);
        Person::tap(VK_DOWN);     // Three, greyed
        Person::tap(VK_RETURN);
    });
    p.then([] {
        EXPECT_EQ(open_count(), 2u);
        click_item(1, 0);   // Two
    });
    click_bar(w, 0);
    dialogs::pump(w);
    EXPECT_TRUE(p.done());
    EXPECT_SEQUENCE("First, Deeper, Two", std::vector<Seen>{menu_command(w, 12)}, commands(w));
}

TEST(Menus, TimersKeepRunningAndAQuitRequestIsHandedOn)
{
    HWND w = main_window();
    SetTimer(w, 7, 100, nullptr);
    Person p;
    p.then([] { drv::headless().set_now(drv::headless().now() + 150); });
    p.then([&] {
        EXPECT_EQ(msgseq::select(w, {WM_TIMER}).size(), 1u);
        EXPECT_EQ(open_count(), 1u);
        PostQuitMessage(5);
    });
    click_bar(w, 1);
    MSG m;
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    DispatchMessageA(&m);   // the press on the bar: the menu's loop runs inside
    EXPECT_TRUE(p.done());
    EXPECT_EQ(open_count(), 0u);
    ASSERT_EQ(GetMessageA(&m, nullptr, 0, 0), FALSE);
    EXPECT_EQ(m.wParam, 5u);
    EXPECT_TRUE(commands(w).empty());
}

TEST(Menus, TheLockStepDriverSeesTheProgramWaitingWhileAMenuIsOpen)
{
    lockstep::Runner run([](const std::string &why) { ADD_FAILURE() << why; });
    HWND w = nullptr;
    UINT chosen = 0;
    run.start([&] {
        w = main_window();
        MSG m;
        while (GetMessageA(&m, w, 0, 0) > 0) {
            if (m.message == WM_COMMAND) {
                chosen = LOWORD(m.wParam);
                break;
            }
            IsDialogMessageA(w, &m);
        }
    });
    run.click(centre(user32::menu_bar_item_rects(w).at(1)));
    ASSERT_FALSE(run.finished());
    ASSERT_EQ(open_count(), 1u);
    run.advance(1000);   // time passes while the menu is open
    run.click(centre(item_rect(0, 2)));
    EXPECT_TRUE(run.finished());
    EXPECT_EQ(chosen, 901u);
}
