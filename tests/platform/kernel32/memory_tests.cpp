// GlobalAlloc's movable blocks.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

TEST(GlobalAlloc, MovableBlocksAreReachedThroughLock)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 100);
    ASSERT_NE(block, nullptr);
    auto *data = static_cast<unsigned char *>(GlobalLock(block));
    ASSERT_NE(data, nullptr);
    EXPECT_NE(static_cast<void *>(data), block);
    for (int i = 0; i < 100; ++i) ASSERT_EQ(data[i], 0) << i;
    std::memset(data, 'x', 100);
    EXPECT_EQ(GlobalLock(block), data);      // a second lock, same place
    EXPECT_EQ(GlobalUnlock(block), TRUE);    // still locked once
    EXPECT_EQ(GlobalUnlock(block), FALSE);   // now unlocked
    EXPECT_EQ(GlobalUnlock(block), FALSE);
    EXPECT_EQ(GlobalFree(block), nullptr);
}
