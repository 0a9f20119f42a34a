// The layout editor: the jump size's limits with their messages, owners and
// flags, and the help text's bound. (Moving by keys and mouse, the meanings,
// the save prompt and the file are the scripted sessions edit, no_keypad,
// layout_moves and new_*.)
#include "editor/layout.h"

#include "app/mainwindow.h"
#include "app/screenloop.h"

#include "support/program.h"
#include "support/spreads.h"

#include "user32/msgbox_hook.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

// + and - stop at 50 and 1 with their messages; * tells the size; the new
// size takes effect at the next move. The editor's boxes, owners and flags.
TEST(EditSpread, TheJumpSizeStopsAtItsLimitsWithItsMessages)
{
    testsupport::Program e;
    testsupport::write_bytes("MINE.SCS", testsupport::spread_bytes("Mine", {{500, 70, "Future"}}));
    testsupport::write_settings(0, "", 0);
    e.start();
    e.edit_first_spread();
    e.run.click(ButtonHandles[0]);
    e.run.key(VK_MULTIPLY);
    for (int i = 0; i < 45; ++i) e.run.key(VK_ADD);
    EXPECT_EQ(e.boxes().size(), 1u);
    e.run.key(VK_ADD);
    e.run.key(VK_MULTIPLY);
    e.run.key(VK_NUMPAD6);
    EXPECT_EQ(PositionPlace(0).x, 550);
    for (int i = 0; i < 49; ++i) e.run.key(VK_SUBTRACT);
    EXPECT_EQ(e.boxes().size(), 3u);
    e.run.key(VK_SUBTRACT);
    e.run.key(VK_NUMPAD2);
    EXPECT_EQ(PositionPlace(0).y, 71);
    EXPECT_EQ(e.boxes(),
              (std::vector<std::string>{"Button jump size..: Button jump size has been set to 5 pixels per jump.",
                                        "Button jump size changed..: Cannot jump more than 50 pixels.",
                                        "Button jump size..: Button jump size has been set to 50 pixels per jump.",
                                        "Button jump size changed..: Cannot jump less than one pixel!"}));
    for (const auto &b : msgbox_hook::boxes()) {
        EXPECT_EQ(b.owner, e.main());
        EXPECT_EQ(b.flags, static_cast<UINT>(MB_OK | MB_ICONWARNING));
    }
    // A meaning with a star is refused by a box of the meaning dialog's own.
    msgbox_hook::clear();
    e.run.key(VK_NUMPAD5);
    HWND meaning = hWnd_sim_dialog;
    e.run.click(e.run.control(meaning, IDC_POSITION_MEANING));
    e.run.type("*");
    e.press(IDOK);
    ASSERT_EQ(msgbox_hook::boxes().size(), 1u);
    EXPECT_EQ(msgbox_hook::boxes()[0].owner, meaning);
    EXPECT_EQ(msgbox_hook::boxes()[0].flags, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
}

// However long the file name and the title, the help text stays within its
// 1500 bytes: cut at the end, never written past it; the longest name and
// title a new spread can have leave it whole, its last paragraph included.
// (Whole, with a short name and title, it is the session new_spread's.)
TEST(EditHelp, CutToItsBufferWhateverTheNameAndTitle)
{
    std::memset(title, 'T', sizeof title - 1);
    title[sizeof title - 1] = '\0';
    for (const std::string &name : {std::string(sizeof SpreadFilename - 1, 'F'), std::string("ABCDEFGH.SCS")}) {
        SCOPED_TRACE(name);
        std::strcpy(SpreadFilename, name.c_str());
        std::vector<char> text(EDIT_HELP_SIZE, 'x');   // on the heap: a byte past it is caught
        MakeEditHelp(text.data());
        const std::string made(text.data());
        if (name.size() > 12) {
            EXPECT_EQ(made.size(), static_cast<size_t>(EDIT_HELP_SIZE - 1));
            EXPECT_NE(made.find(name + " when you Exit."), std::string::npos);
        } else {
            EXPECT_LT(made.size(), static_cast<size_t>(EDIT_HELP_SIZE - 1));
            EXPECT_EQ(made.substr(made.size() - 32), "double-click it for its meaning.");
        }
    }
}
