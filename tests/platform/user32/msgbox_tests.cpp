// MessageBoxA: the test hook, the shown box (buttons, Esc, the close box, the
// owner disabled, timers running, placement and size) and its look.
#include "support/dialogs.h"
#include "support/golden.h"
#include "support/msgseq.h"
#include "support/person.h"

#include "driver/headless/headless.h"
#include "user32/msgbox_hook.h"
#include "user32/window_internal.h"

#include <gtest/gtest.h>

using testsupport::Person;

namespace {

HWND owner_window()
{
    return CreateWindowExA(0, msgseq::recorder_class(), "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 80, 500, 400,
                           nullptr, nullptr, nullptr, nullptr);
}

// The box now open: the active window, which a message box always is.
HWND box() { return GetActiveWindow(); }

RECT rect_of(HWND w)
{
    RECT r;
    GetWindowRect(w, &r);
    return r;
}

void click_close_box() { Person::click(POINT{rect_of(box()).right - 12, rect_of(box()).top + 12}); }

// A box shown to a person who does `answer` once it is open.
int shown(HWND owner, const char *text, const char *caption, UINT type, std::function<void()> answer)
{
    Person p;
    p.then(std::move(answer));
    const int result = MessageBoxA(owner, text, caption, type);
    EXPECT_TRUE(p.done());
    return result;
}

} // namespace

TEST(MessageBox, RecordsEveryBoxAndAnswersAsEnterWouldWithoutShowingIt)
{
    HWND owner = reinterpret_cast<HWND>(0x1234);
    EXPECT_EQ(MessageBoxA(owner, "Data writen to file.", "Done...", MB_OK), IDOK);
    EXPECT_EQ(MessageBoxA(nullptr, "Error opening file", nullptr, MB_OK | MB_ICONSTOP), IDOK);
    EXPECT_EQ(MessageBoxA(nullptr, "Save?", "Save..", MB_YESNO | MB_DEFBUTTON2), IDNO);
    const auto &boxes = msgbox_hook::boxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].owner, owner);
    EXPECT_EQ(boxes[0].text, "Data writen to file.");
    EXPECT_EQ(boxes[0].flags, static_cast<UINT>(MB_OK));
    EXPECT_EQ(boxes[1].caption, "Error");   // Windows' title for a box without one
    EXPECT_TRUE(user32::top_level_windows().empty());
    msgbox_hook::clear();
    EXPECT_TRUE(msgbox_hook::boxes().empty());
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

TEST(MessageBox, AnswersWithQueuedRepliesThenTheAnswererThenThePerson)
{
    Person p;   // even with a driver the hook's answers come first and nothing is shown
    msgbox_hook::queue_reply(IDNO);
    msgbox_hook::set_answerer([](const msgbox_hook::Box &box) { return box.caption == "Save.." ? IDYES : IDCANCEL; });
    EXPECT_EQ(MessageBoxA(nullptr, "a", "Save..", MB_YESNO), IDNO);
    EXPECT_EQ(MessageBoxA(nullptr, "b", "Save..", MB_YESNO), IDYES);
    EXPECT_EQ(MessageBoxA(nullptr, "c", "Other", MB_OK), IDCANCEL);
    EXPECT_TRUE(user32::top_level_windows().empty());
    msgbox_hook::set_answerer(nullptr);
    p.then([] { Person::tap(VK_RETURN); });
    EXPECT_EQ(MessageBoxA(nullptr, "e", "Other", MB_OK), IDOK);
    EXPECT_TRUE(p.done());
}

TEST(MessageBox, AnOkBoxAnswersOkToItsButtonEnterEscAndTheCloseBoxWithItsOwnerDisabled)
{
    HWND owner = owner_window();
    const std::vector<std::function<void()>> ways = {
        [] { Person::click(GetDlgItem(box(), IDOK)); }, [] { Person::tap(VK_RETURN); }, [] { Person::tap(VK_ESCAPE); },
        click_close_box, [] { drv::close_request(box()); },
    };
    for (const auto &way : ways) {
        EXPECT_EQ(shown(owner, "Quenmire Stonecall V1.10", "About..", MB_OK, [&] {
                      EXPECT_EQ(user32::find(box())->text, "About..");
                      EXPECT_EQ(GetDlgItem(box(), IDCANCEL), nullptr);
                      EXPECT_FALSE(IsWindowEnabled(owner));
                      way();
                  }),
                  IDOK);
        EXPECT_TRUE(IsWindowEnabled(owner));
        EXPECT_EQ(GetActiveWindow(), owner);
        EXPECT_EQ(user32::top_level_windows().size(), 1u);
    }
}

TEST(MessageBox, AYesNoBoxAnswersItsButtonsAndLettersAndIgnoresEscAndClosing)
{
    HWND owner = owner_window();
    const struct {
        UINT extra;
        std::function<void()> answer;
        int result;
    } cases[] = {
        {0, [] { Person::click(GetDlgItem(box(), IDNO)); }, IDNO},
        {0, [] { Person::tap(VK_RETURN); }, IDYES},   // the first button is the default
        {MB_DEFBUTTON2, [] { Person::tap(VK_RETURN); }, IDNO},
        {0, [] { Person::tap('Y', VK_MENU); }, IDYES},
        {0,
         [] {
             Person::tap(VK_ESCAPE);
             click_close_box();
             Person::tap(VK_F4, VK_MENU);
             drv::close_request(box());
             Person::tap('N');   // still open: "&No"
         },
         IDNO},
    };
    for (const auto &c : cases)
        EXPECT_EQ(shown(owner, "Do you wish to save?", "Save..", MB_YESNO | MB_ICONQUESTION | c.extra, c.answer), c.result);
}

TEST(MessageBox, TimersKeepFiringWhileItIsOpenAndAQuitRequestEndsItAndIsHandedOn)
{
    HWND owner = owner_window();
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

// What reads a box from outside, as a script's expect-text does, finds its
// text where Windows keeps it: a label with id 0xFFFF, beside the icon.
TEST(MessageBox, CentredOnItsOwnerOrTheDesktopSizedToItsTextInALabelWithIdFFFF)
{
    HWND owner = owner_window();
    RECT small{}, wide{};
    shown(owner, "Save the & changes?", "Question", MB_YESNO | MB_ICONQUESTION, [&] {
        small = rect_of(box());
        HWND label = GetDlgItem(box(), 0xFFFF);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(user32::find(label)->text, "Save the & changes?");
        EXPECT_EQ(user32::find(label)->cls, user32::find_class("STATIC"));
        EXPECT_TRUE(GetWindowLongA(label, GWL_STYLE) & SS_NOPREFIX);
        EXPECT_GE(rect_of(label).left - small.left, 12 + 32 + 12);   // right of the icon
        Person::tap(VK_RETURN);
    });
    const RECT o = rect_of(owner);
    EXPECT_NEAR(small.left + small.right, o.left + o.right, 1);
    EXPECT_NEAR(small.top + small.bottom, o.top + o.bottom, 1);
    std::string text;
    for (int i = 0; i < 12; ++i) text += "many words wrap across the lines of a box ";
    shown(nullptr, text.c_str(), "Long", MB_OK | MB_ICONEXCLAMATION, [&] {
        wide = rect_of(box());
        EXPECT_TRUE(IsWindowEnabled(owner));   // no owner: nothing is disabled
        Person::tap(VK_RETURN);
    });
    EXPECT_NEAR(wide.left + wide.right, 1024, 1);
    EXPECT_NEAR(wide.top + wide.bottom, 768, 1);
    EXPECT_LE(wide.right - wide.left, 1024 * 5 / 8 + 12 + 32 + 12 + 12 + 8);   // wrapped, not one line
    // A long caption widens the box so it shows whole.
    shown(nullptr, "x", "A caption much longer than the text of the box", MB_OK, [&] {
        EXPECT_GT(rect_of(box()).right - rect_of(box()).left, 250);
        Person::tap(VK_RETURN);
    });
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
    for (const auto &k : kinds)
        shown(nullptr, k.text, k.caption, k.type, [&] {
            EXPECT_TRUE(matches_golden(dialogs::picture(box()).canvas, k.golden));
            Person::tap(VK_RETURN);
        });
}
