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

void click_button(int id) { Person::click(GetDlgItem(box(), id)); }

RECT rect_of(HWND w)
{
    RECT r;
    GetWindowRect(w, &r);
    return r;
}

} // namespace

TEST(MessageBox, RecordsEveryBoxAndAnswersOk)
{
    // Nobody drives this run: every box answers itself as Enter would.
    HWND owner = reinterpret_cast<HWND>(0x1234);
    EXPECT_EQ(MessageBoxA(owner, "Data writen to file.", "Done...", MB_OK), IDOK);
    EXPECT_EQ(MessageBoxA(nullptr, "Error opening file", nullptr, MB_OK | MB_ICONSTOP), IDOK);
    EXPECT_EQ(MessageBoxA(nullptr, "Save?", "Save..", MB_YESNO | MB_ICONQUESTION), IDYES);
    EXPECT_EQ(MessageBoxA(nullptr, "Save?", "Save..", MB_YESNO | MB_DEFBUTTON2), IDNO);
    const auto &boxes = msgbox_hook::boxes();
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[0].owner, owner);
    EXPECT_EQ(boxes[0].text, "Data writen to file.");
    EXPECT_EQ(boxes[0].caption, "Done...");
    EXPECT_EQ(boxes[0].flags, static_cast<UINT>(MB_OK));
    EXPECT_EQ(boxes[1].owner, nullptr);
    EXPECT_EQ(boxes[1].caption, "Error");   // Windows' title for a box without one
    EXPECT_EQ(boxes[1].flags, static_cast<UINT>(MB_ICONHAND));
    EXPECT_TRUE(user32::top_level_windows().empty());   // nothing was shown
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

TEST(MessageBox, AnswersWithQueuedRepliesThenTheAnswerer)
{
    Person p;   // even with a driver the hook's answers come first and nothing is shown
    msgbox_hook::queue_reply(IDYES);
    msgbox_hook::queue_reply(IDNO);
    msgbox_hook::set_answerer([](const msgbox_hook::Box &box) { return box.caption == "Save.." ? IDNO : IDCANCEL; });
    EXPECT_EQ(MessageBoxA(nullptr, "a", "Save..", MB_YESNO | MB_ICONQUESTION), IDYES);
    EXPECT_EQ(MessageBoxA(nullptr, "b", "Save..", MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(MessageBoxA(nullptr, "c", "Save..", MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(MessageBoxA(nullptr, "d", "Other", MB_OK), IDCANCEL);
    EXPECT_EQ(msgbox_hook::boxes().size(), 4u);
    EXPECT_TRUE(user32::top_level_windows().empty());
    // Without an answerer the box is shown and a person answers it.
    msgbox_hook::set_answerer(nullptr);
    p.then([] { Person::tap(VK_RETURN); });
    EXPECT_EQ(MessageBoxA(nullptr, "e", "Other", MB_OK), IDOK);
    EXPECT_TRUE(p.done());
}

TEST(MessageBox, AnOkBoxAnswersOkToItsButtonEnterEscAndTheCloseBox)
{
    HWND owner = owner_window();
    const std::vector<std::function<void()>> ways = {
        [] { click_button(IDOK); },
        [] { Person::tap(VK_RETURN); },
        [] { Person::tap(VK_ESCAPE); },
        [] { Person::click(POINT{rect_of(box()).right - 12, rect_of(box()).top + 12}); },   // the close box
        [] { drv::close_request(box()); },
    };
    for (const auto &way : ways) {
        Person p;
        p.then([&] {
            EXPECT_EQ(user32::find(box())->text, "About..");
            EXPECT_NE(GetDlgItem(box(), IDOK), nullptr);
            EXPECT_EQ(GetDlgItem(box(), IDCANCEL), nullptr);
            EXPECT_FALSE(IsWindowEnabled(owner));
            way();
        });
        EXPECT_EQ(MessageBoxA(owner, "         Quenmire Stonecall V1.10\n\nSee ReadMe.htm for detailed help infomation.",
                              "About..", MB_OK),
                  IDOK);
        EXPECT_TRUE(p.done());
        EXPECT_TRUE(IsWindowEnabled(owner));
        EXPECT_EQ(GetActiveWindow(), owner);
        EXPECT_EQ(user32::top_level_windows().size(), 1u);
    }
}

TEST(MessageBox, AYesNoBoxAnswersItsButtonsAndLettersAndIgnoresEscAndClosing)
{
    HWND owner = owner_window();
    const auto ask = [&](UINT extra) {
        return MessageBoxA(owner, "Do you wish to save the new spread configuration?", "Save..",
                           MB_YESNO | MB_ICONQUESTION | extra);
    };
    {
        Person p;
        p.then([] { click_button(IDNO); });
        EXPECT_EQ(ask(0), IDNO);
    }
    {
        Person p;
        p.then([] { Person::tap(VK_RETURN); });   // the first button is the default
        EXPECT_EQ(ask(0), IDYES);
    }
    {
        Person p;
        p.then([] { Person::tap(VK_RETURN); });
        EXPECT_EQ(ask(MB_DEFBUTTON2), IDNO);
    }
    {
        Person p;
        p.then([] {
            Person::tap(VK_ESCAPE);
            Person::click(POINT{rect_of(box()).right - 12, rect_of(box()).top + 12});
            Person::tap(VK_F4, VK_MENU);
            drv::close_request(box());
        });
        p.then([&] {
            EXPECT_EQ(user32::find(box())->text, "Save..");   // still open
            EXPECT_FALSE(IsWindowEnabled(owner));
            Person::tap('N');   // "&No"
        });
        EXPECT_EQ(ask(0), IDNO);
        EXPECT_TRUE(p.done());
    }
    {
        Person p;
        p.then([] { Person::tap('Y', VK_MENU); });   // Alt+Y works as well
        EXPECT_EQ(ask(0), IDYES);
    }
    EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST(MessageBox, TimersKeepFiringWhileItIsOpen)
{
    HWND owner = owner_window();
    SetTimer(owner, 1, 5000, nullptr);
    Person p;
    p.then([] { drv::headless().set_now(drv::headless().now() + 12000); });
    p.then([&] {
        // One tick: timers coalesce, and the clock jumped past two periods at once.
        EXPECT_EQ(msgseq::select(owner, {WM_TIMER}).size(), 1u);
        drv::headless().set_now(drv::headless().now() + 5000);
    });
    p.then([&] {
        EXPECT_EQ(msgseq::select(owner, {WM_TIMER}).size(), 2u);
        Person::tap(VK_RETURN);
    });
    EXPECT_EQ(MessageBoxA(owner, "Auto-loading Three Runes", "Auto-load activated!", MB_OK), IDOK);
    EXPECT_TRUE(p.done());
}

TEST(MessageBox, CentredOnItsOwnerOrTheDesktopAndSizedToItsText)
{
    HWND owner = owner_window();
    HWND other = CreateWindowExA(0, msgseq::recorder_class(), "Other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                                 nullptr, nullptr, nullptr);
    RECT shortBox{}, longBox{}, free{};
    Person p;
    p.then([&] {
        shortBox = rect_of(box());
        Person::tap(VK_RETURN);
    });
    MessageBoxA(owner, "Short.", "Done...", MB_OK);
    RECT o = rect_of(owner);
    EXPECT_NEAR((shortBox.left + shortBox.right) / 2, (o.left + o.right) / 2, 1);
    EXPECT_NEAR((shortBox.top + shortBox.bottom) / 2, (o.top + o.bottom) / 2, 1);

    std::string text;
    for (int i = 0; i < 12; ++i) text += "many words wrap across the lines of a box ";
    p.then([&] {
        longBox = rect_of(box());
        EXPECT_TRUE(IsWindowEnabled(owner));   // no owner: nothing is disabled
        EXPECT_TRUE(IsWindowEnabled(other));
        Person::tap(VK_RETURN);
    });
    MessageBoxA(nullptr, text.c_str(), "Long", MB_OK | MB_ICONEXCLAMATION);
    EXPECT_NEAR((longBox.left + longBox.right) / 2, 512, 1);
    EXPECT_NEAR((longBox.top + longBox.bottom) / 2, 384, 1);
    EXPECT_LE(longBox.right - longBox.left, 1024 * 5 / 8 + 12 + 32 + 12 + 12 + 8);   // wrapped, not one line
    EXPECT_GT(longBox.right - longBox.left, shortBox.right - shortBox.left);
    EXPECT_GT(longBox.bottom - longBox.top, shortBox.bottom - shortBox.top + 20);

    // A long caption widens the box so it shows whole.
    p.then([&] {
        free = rect_of(box());
        Person::tap(VK_RETURN);
    });
    MessageBoxA(nullptr, "x", "A caption much longer than the text of the box", MB_OK);
    EXPECT_GT(free.right - free.left, 250);
    EXPECT_TRUE(p.done());
}

// What reads a box from outside, as a script's expect-text does, finds its
// text where Windows keeps it: a label with id 0xFFFF, beside the icon, that
// clicks pass through to the box.
TEST(MessageBox, ItsTextIsALabelWithIdFFFFBesideTheIcon)
{
    HWND owner = owner_window();
    Person p;
    p.then([&] {
        HWND label = GetDlgItem(box(), 0xFFFF);
        ASSERT_NE(label, nullptr);
        char text[64] = "";
        GetWindowTextA(label, text, sizeof text);
        EXPECT_EQ(user32::find(label)->cls, user32::find_class("STATIC"));
        EXPECT_STREQ(text, "Save the & changes?");
        EXPECT_TRUE(GetWindowLongA(label, GWL_STYLE) & SS_NOPREFIX);
        RECT r = rect_of(label), b = rect_of(box());
        EXPECT_GE(r.left - b.left, 12 + 32 + 12);   // right of the icon
        Person::click(GetDlgItem(box(), IDNO));
    });
    EXPECT_EQ(MessageBoxA(owner, "Save the & changes?", "Question", MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_TRUE(p.done());
}

TEST(MessageBox, AQuitRequestEndsTheBoxAndIsHandedOn)
{
    HWND owner = owner_window();
    Person p;
    p.then([] { PostQuitMessage(3); });
    EXPECT_EQ(MessageBoxA(owner, "text", "Quit", MB_YESNO), 0);
    EXPECT_TRUE(IsWindowEnabled(owner));
    MSG m;
    ASSERT_EQ(GetMessageA(&m, nullptr, 0, 0), FALSE);
    EXPECT_EQ(m.wParam, 3u);
}

TEST(Golden, MessageBoxesOfEachKind)
{
    struct Kind {
        const char *golden, *text, *caption;
        UINT type;
    };
    const Kind kinds[] = {
        {"msgbox_about", "         Quenmire Stonecall V1.10\n\nSee ReadMe.htm for detailed help infomation.", "About..",
         MB_OK},
        {"msgbox_question", "Do you wish to save the new spread configuration?", "Save..", MB_YESNO | MB_ICONQUESTION},
        {"msgbox_warning", "This spread was made by a later version.", "Warning", MB_OK | MB_ICONEXCLAMATION},
        {"msgbox_stop", "An error occured during execution.  Please e-mail us and quote the number #12291", "WARNING",
         MB_OK | MB_ICONSTOP},
    };
    for (const Kind &k : kinds) {
        Person p;
        p.then([&] {
            EXPECT_TRUE(matches_golden(dialogs::picture(box()).canvas, k.golden));
            Person::tap(VK_RETURN);
        });
        MessageBoxA(nullptr, k.text, k.caption, k.type);
        EXPECT_TRUE(p.done());
    }
}
