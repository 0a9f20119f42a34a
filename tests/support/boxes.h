// The message box a test expects: the only one recorded since the records
// were last cleared, with its caption, a part of its text, its owner and its
// buttons and icon.
#pragma once

#include "user32/msgbox_hook.h"

#include <gtest/gtest.h>

#include <string>

inline void expect_only_box(const std::string &caption, const std::string &text_part, HWND owner, UINT flags)
{
    const auto &boxes = msgbox_hook::boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, caption);
    EXPECT_NE(boxes[0].text.find(text_part), std::string::npos) << boxes[0].text;
    EXPECT_EQ(boxes[0].owner, owner) << caption;
    EXPECT_EQ(boxes[0].flags, flags) << caption;
}
