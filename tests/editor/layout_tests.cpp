// Edit on the Spread menu through the lock-step driver in a temporary folder:
// the chosen spread's buttons, the keypad moving the acquired one, the jump
// size and its messages, the position-meaning dialog on the 5 key, and what
// the spread file holds after the save prompt.
#include "editor/layout.h"

#include "editor/chooser.h"
#include "editor/editor_flow.h"

#include "app/screenloop.h"

#include "user32/msgbox_hook.h"
#include "user32/window_internal.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

using editorflow::click_visible;
using editorflow::place;
using editorflow::Positions;
using editorflow::set_field;
using editorflow::size_of;
using editorflow::spread_bytes;
using testsupport::boxes;
using testsupport::Program;
using testsupport::read_bytes;
using testsupport::Seen;
using testsupport::write_bytes;
using testsupport::write_settings;

namespace {

const char kSavePrompt[] = "Do you wish to save the new spread configuration?";
const char kJumpChanged[] = "Button jump size changed..";

Positions sample_positions()
{
    Positions at{};
    at[0] = {100, 50, "Past"};
    at[1] = {300, 60, "Present\nand near"};
    at[2] = {500, 70, "Future"};
    at[5] = {7, 8, "Unused"};
    return at;
}

struct EditRun : Program {
    Positions at = sample_positions();

    // Edit, the one spread chosen in the chooser, its buttons shown.
    void edit(const std::string &file = "MINE.SCS")
    {
        write_bytes(file, spread_bytes("Mine", at, 3));
        write_settings(0, "", 0);
        start();
        command(IDM_EDIT);
        HWND chooser = screen();
        ASSERT_NE(chooser, main());
        run.select(run.control(chooser, CHOOSER_LIST_ID), 0);
        run.click(run.control(chooser, IDOK));
        ASSERT_EQ(screen(), main());
        ASSERT_NE(ButtonHandles[2], nullptr);
    }
    // Run ends the mode (with its prompt), then its chooser is cancelled if it comes.
    void leave_through_run()
    {
        command(IDM_RUN);
        if (screen() != main()) cancel();
        ASSERT_EQ(EditSpreadSelected, 0);
    }
    POINT button_at(int i) { return place(main(), ButtonHandles[i]); }
    POINT stored(int i) { return PositionPlace(i); }
};

} // namespace

// Found through POINT's own (global) namespace.
static bool operator==(POINT a, POINT b) { return a.x == b.x && a.y == b.y; }
static std::ostream &operator<<(std::ostream &os, POINT p) { return os << "(" << p.x << ", " << p.y << ")"; }

// The chosen spread's buttons stand where its file places them, with its
// meanings loaded and its title in the caption; unchanged, leaving asks nothing.
TEST(EditSpread, ShowsTheChosenSpreadAsItsFileHasIt)
{
    EditRun e;
    e.edit();
    HWND main = e.main();
    EXPECT_EQ(e.run.text(main), "Quenmire Stonecall V1.1 - Mine");
    EXPECT_STREQ(SpreadFilename, "MINE.SCS");
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(e.button_at(i), (POINT{e.at[i].x, e.at[i].y})) << i;
        EXPECT_EQ(size_of(ButtonHandles[i]).cx, 70);
        EXPECT_EQ(size_of(ButtonHandles[i]).cy, 129);
        EXPECT_EQ(e.run.text(ButtonHandles[i]), "rune " + std::to_string(i + 1));
    }
    EXPECT_EQ(ButtonHandles[3], nullptr);
    EXPECT_STREQ(pm[0], "Past");
    EXPECT_STREQ(pm[1], "Present\nand near");
    EXPECT_STREQ(pm[5], "Unused");
    EXPECT_EQ(version, 1100);
    EXPECT_EQ(SpreadChanged, 0);
    e.leave_through_run();
    EXPECT_TRUE(boxes().empty());
    EXPECT_TRUE(user32::find(main)->children.empty());
}

TEST(EditSpread, ACancelledChooserLeavesEditModeWithoutButtons)
{
    EditRun e;
    write_bytes("MINE.SCS", spread_bytes("Mine", e.at, 3));
    write_settings(0, "", 0);
    e.start();
    e.command(IDM_EDIT);
    e.cancel();
    EXPECT_EQ(EditSpreadSelected, 1);
    EXPECT_STREQ(SpreadFilename, "");
    EXPECT_TRUE(user32::find(e.main())->children.empty());
    EXPECT_EQ(e.run.text(e.main()), "Quenmire Stonecall V1.1");
}

// A click acquires a button; each of the eight keys moves it by the jump
// size, the stored place (both values of each pair) and the button alike.
TEST(EditSpread, EachKeypadKeyMovesTheAcquiredButtonByTheJumpSize)
{
    EditRun e;
    e.edit();
    EXPECT_EQ(ButtonAquired, 10);   // nothing acquired yet
    click_visible(e.run, ButtonHandles[1]);
    EXPECT_EQ(ButtonAquired, 1);
    struct Move {
        UINT key;
        int dx, dy;
    };
    const Move moves[] = {{VK_NUMPAD8, 0, -5}, {VK_NUMPAD2, 0, 5},  {VK_NUMPAD4, -5, 0}, {VK_NUMPAD6, 5, 0},
                          {VK_NUMPAD7, -5, -5}, {VK_NUMPAD9, 5, -5}, {VK_NUMPAD1, -5, 5}, {VK_NUMPAD3, 5, 5}};
    const POINT was = e.stored(1);
    const RECT start = CardRect[1];
    const RECT picture = PositionPicture(1);
    for (const Move &m : moves) {
        SCOPED_TRACE(m.key);
        // Far from where it was, so that one move is told from another.
        SetWindowPos(ButtonHandles[1], nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        CardRect[1] = start;
        SpreadChanged = 0;
        e.run.key(m.key);
        const POINT now{was.x + m.dx, was.y + m.dy};
        EXPECT_EQ(e.stored(1), now);
        const RECT moved = PositionPicture(1);
        EXPECT_EQ(moved.right - moved.left, picture.right - picture.left);
        EXPECT_EQ(moved.bottom - moved.top, picture.bottom - picture.top);
        EXPECT_EQ(e.button_at(1), now);
        EXPECT_EQ(SpreadChanged, 1);
        // The button shows at its new place: its face, not the white ground.
        EXPECT_NE(e.run.pixel(e.main(), POINT{now.x + 35, now.y + 8}), RGB(255, 255, 255));
        EXPECT_EQ(e.run.pixel(e.main(), POINT{now.x - 1, now.y + 64}), RGB(255, 255, 255));
    }
    // The others never moved.
    EXPECT_EQ(e.button_at(0), (POINT{100, 50}));
    EXPECT_EQ(e.button_at(2), (POINT{500, 70}));
    EXPECT_TRUE(boxes().empty());
}

// Moves are not clamped: a button can leave the window.
TEST(EditSpread, AButtonCanBeMovedOutOfTheWindow)
{
    EditRun e;
    e.edit();
    click_visible(e.run, ButtonHandles[0]);
    for (int i = 0; i < 11; ++i) e.run.key(VK_NUMPAD8);
    EXPECT_EQ(e.stored(0), (POINT{100, -5}));
    EXPECT_EQ(e.button_at(0), (POINT{100, -5}));
}

// + and - stop at 50 and 1 with their messages; * tells the size; the new
// size takes effect at the next move.
TEST(EditSpread, TheJumpSizeStopsAtItsLimitsWithItsMessages)
{
    EditRun e;
    e.edit();
    click_visible(e.run, ButtonHandles[2]);
    e.run.key(VK_MULTIPLY);
    for (int i = 0; i < 45; ++i) e.run.key(VK_ADD);
    EXPECT_EQ(ButtonJumpWidth, 50);
    ASSERT_EQ(boxes(), (std::vector<Seen>{{"Button jump size has been set to 5 pixels per jump.", "Button jump size.."}}));
    e.run.key(VK_ADD);
    e.run.key(VK_MULTIPLY);
    EXPECT_EQ(ButtonJumpWidth, 50);
    e.run.key(VK_NUMPAD6);
    EXPECT_EQ(e.stored(2), (POINT{550, 70}));
    for (int i = 0; i < 49; ++i) e.run.key(VK_SUBTRACT);
    EXPECT_EQ(ButtonJumpWidth, 1);
    e.run.key(VK_SUBTRACT);
    EXPECT_EQ(ButtonJumpWidth, 1);
    e.run.key(VK_NUMPAD2);
    EXPECT_EQ(e.stored(2), (POINT{550, 71}));
    EXPECT_EQ(boxes(), (std::vector<Seen>{{"Button jump size has been set to 5 pixels per jump.", "Button jump size.."},
                                          {"Cannot jump more than 50 pixels.", kJumpChanged},
                                          {"Button jump size has been set to 50 pixels per jump.", "Button jump size.."},
                                          {"Cannot jump less than one pixel!", kJumpChanged}}));
    for (const auto &b : msgbox_hook::boxes()) {
        EXPECT_EQ(b.owner, e.main());
        EXPECT_EQ(b.flags, static_cast<UINT>(MB_OK | MB_ICONWARNING));
    }
}

// The 5 key edits the acquired position's meaning: OK keeps the text,
// Cancel does not, and either marks the spread as changed.
TEST(EditSpread, TheFiveKeyEditsTheMeaningOkKeepsCancelDoesNot)
{
    EditRun e;
    e.edit();
    click_visible(e.run, ButtonHandles[0]);
    e.run.key(VK_NUMPAD5);
    HWND dialog = e.screen();
    ASSERT_NE(dialog, e.main());
    EXPECT_EQ(e.run.text(e.run.control(dialog, IDC_POSITION_MEANING)), "Past");
    set_field(e.run, dialog, IDC_POSITION_MEANING, "Long ago");
    e.run.key(VK_RETURN);   // a new line in the text, not OK
    e.run.type("and far");
    EXPECT_EQ(e.screen(), dialog);
    e.run.click(e.run.control(dialog, IDOK));
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_STREQ(pm[0], "Long ago\r\nand far");
    EXPECT_EQ(SpreadChanged, 1);

    SpreadChanged = 0;
    e.run.key(VK_NUMPAD5);
    dialog = e.screen();
    EXPECT_EQ(e.run.text(e.run.control(dialog, IDC_POSITION_MEANING)), "Long ago\r\nand far");
    set_field(e.run, dialog, IDC_POSITION_MEANING, "Thrown away");
    e.run.click(e.run.control(dialog, IDCANCEL));
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_STREQ(pm[0], "Long ago\r\nand far");
    EXPECT_EQ(SpreadChanged, 1);
    EXPECT_TRUE(boxes().empty());
}

// A star would end the meaning in the file and lose the rest: OK refuses it
// with a message and the dialog stays for the text to be mended.
TEST(EditSpread, AMeaningWithAStarIsRefusedAndTheDialogStays)
{
    EditRun e;
    e.edit();
    click_visible(e.run, ButtonHandles[1]);
    e.run.key(VK_NUMPAD5);
    HWND dialog = e.screen();
    set_field(e.run, dialog, IDC_POSITION_MEANING, "Five * stars");
    e.run.click(e.run.control(dialog, IDOK));
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_NE(boxes()[0].text.find("*"), std::string::npos);
    EXPECT_NE(boxes()[0].text.find("cannot be used"), std::string::npos);
    EXPECT_EQ(msgbox_hook::boxes()[0].owner, dialog);
    EXPECT_TRUE(IsWindow(dialog));
    EXPECT_STREQ(pm[1], "Present\nand near");
    set_field(e.run, dialog, IDC_POSITION_MEANING, "Five stars");
    e.run.click(e.run.control(dialog, IDOK));
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_STREQ(pm[1], "Five stars");
}

// Before any button is clicked the keypad works on position 11 (index 10),
// buttonless: its entry and meaning change and the spread counts as changed.
// Commands that are not a button's leave the acquired position.
TEST(EditSpread, WithoutAClickTheKeypadWorksOnPositionEleven)
{
    EditRun e;
    e.edit();
    e.command(IDM_ABOUT);
    EXPECT_EQ(ButtonAquired, 10);
    e.run.key(VK_NUMPAD3);
    EXPECT_EQ(e.stored(10), (POINT{5, 5}));
    EXPECT_EQ(SpreadChanged, 1);
    e.run.key(VK_NUMPAD5);
    set_field(e.run, e.screen(), IDC_POSITION_MEANING, "Eleventh");
    e.run.click(e.run.control(e.screen(), IDOK));
    EXPECT_STREQ(pm[10], "Eleventh");
    click_visible(e.run, ButtonHandles[2]);
    e.command(IDM_ABOUT);
    EXPECT_EQ(ButtonAquired, 2);
}

// Moves and meanings, then Run: Yes stores exactly the writer's bytes for the
// new places and meanings; No leaves the file as it was.
TEST(EditSpread, LeavingThroughRunSavesOnYesAndKeepsTheFileOnNo)
{
    for (int reply : {IDYES, IDNO}) {
        SCOPED_TRACE(reply == IDYES ? "yes" : "no");
        EditRun e;
        e.edit();
        const std::string before = read_bytes("MINE.SCS");
        click_visible(e.run, ButtonHandles[0]);
        e.run.key(VK_NUMPAD6);
        e.run.key(VK_NUMPAD2);
        click_visible(e.run, ButtonHandles[2]);
        e.run.key(VK_NUMPAD7);
        e.run.key(VK_NUMPAD5);
        set_field(e.run, e.screen(), IDC_POSITION_MEANING, "What comes");
        e.run.key(VK_RETURN);
        e.run.type("next");
        e.run.click(e.run.control(e.screen(), IDOK));
        e.answer = reply;
        msgbox_hook::clear();
        e.leave_through_run();
        ASSERT_GE(boxes().size(), 1u);
        EXPECT_EQ(boxes()[0], (Seen{kSavePrompt, "Save.."}));
        if (reply == IDYES) {
            Positions after = e.at;
            after[0].x += 5;
            after[0].y += 5;
            after[2].x -= 5;
            after[2].y -= 5;
            after[2].meaning = "What comes\r\nnext";
            EXPECT_EQ(read_bytes("MINE.SCS"), spread_bytes("Mine", after, 3));
        } else {
            EXPECT_EQ(read_bytes("MINE.SCS"), before);
        }
    }
}

// A spread file named at length (not made by New) is edited and saved under
// its whole name: the meanings come from it and the save goes back to it.
TEST(EditSpread, ALongFileNameIsKeptWhole)
{
    const std::string name = "A_RATHER_LONG_NAME_FOR_A_SPREAD.SCS";
    EditRun e;
    e.edit(name);
    EXPECT_TRUE(boxes().empty());   // the file was read again by its whole name
    EXPECT_EQ(std::string(SpreadFilename), name);
    EXPECT_STREQ(pm[2], "Future");
    click_visible(e.run, ButtonHandles[1]);
    e.run.key(VK_NUMPAD4);
    e.answer = IDYES;
    e.leave_through_run();
    Positions after = e.at;
    after[1].x -= 5;
    EXPECT_EQ(read_bytes(name), spread_bytes("Mine", after, 3));
    size_t files = 0;
    for (const auto &f : std::filesystem::directory_iterator(".")) files += f.path().extension() == ".SCS";
    EXPECT_EQ(files, 1u);
}

// However long the file name and the title, the help text stays within its
// 1500 bytes: cut at the end, never written past it. (Whole, with a short
// name and title, it is the new-spread flow's.)
TEST(EditHelp, CutToItsBufferWhateverTheNameAndTitle)
{
    std::memset(SpreadFilename, 'F', sizeof SpreadFilename - 1);
    SpreadFilename[sizeof SpreadFilename - 1] = '\0';
    std::memset(title, 'T', sizeof title - 1);
    title[sizeof title - 1] = '\0';
    std::vector<char> text(EDIT_HELP_SIZE, 'x');   // on the heap: a byte past it is caught
    MakeEditHelp(text.data());
    const std::string made(text.data());
    EXPECT_EQ(made.size(), static_cast<size_t>(EDIT_HELP_SIZE - 1));
    EXPECT_NE(made.find(std::string(sizeof SpreadFilename - 1, 'F') + " when you Exit."), std::string::npos);
}
