#include <windows.h>

#include "user32/msgbox_hook.h"

#include <gtest/gtest.h>

TEST(MessageBox, RecordsEveryBoxAndAnswersOk)
{
    HWND owner = reinterpret_cast<HWND>(0x1234);
    EXPECT_EQ(MessageBoxA(owner, "Data writen to file.", "Done...", MB_OK), IDOK);
    EXPECT_EQ(MessageBoxA(nullptr, "Error opening file", nullptr, MB_OK | MB_ICONSTOP), IDOK);
    const auto &boxes = msgbox_hook::boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].owner, owner);
    EXPECT_EQ(boxes[0].text, "Data writen to file.");
    EXPECT_EQ(boxes[0].caption, "Done...");
    EXPECT_EQ(boxes[0].flags, static_cast<UINT>(MB_OK));
    EXPECT_EQ(boxes[1].owner, nullptr);
    EXPECT_EQ(boxes[1].caption, "Error");   // Windows' title for a box without one
    EXPECT_EQ(boxes[1].flags, static_cast<UINT>(MB_ICONHAND));
    msgbox_hook::clear();
    EXPECT_TRUE(msgbox_hook::boxes().empty());
}

TEST(MessageBox, AnswersWithQueuedRepliesThenTheAnswerer)
{
    msgbox_hook::queue_reply(IDYES);
    msgbox_hook::queue_reply(IDNO);
    msgbox_hook::set_answerer([](const msgbox_hook::Box &box) { return box.caption == "Save.." ? IDNO : IDCANCEL; });
    EXPECT_EQ(MessageBoxA(nullptr, "a", "Save..", MB_YESNO | MB_ICONQUESTION), IDYES);
    EXPECT_EQ(MessageBoxA(nullptr, "b", "Save..", MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(MessageBoxA(nullptr, "c", "Save..", MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(MessageBoxA(nullptr, "d", "Other", MB_OK), IDCANCEL);
    msgbox_hook::set_answerer(nullptr);
    EXPECT_EQ(MessageBoxA(nullptr, "e", "Other", MB_OK), IDOK);
    EXPECT_EQ(msgbox_hook::boxes().size(), 5u);
}
