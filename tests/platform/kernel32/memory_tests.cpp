// GlobalAlloc's movable and fixed blocks, refused handles, and failure on demand.
#include <windows.h>

#include "crt/faults.h"

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

TEST(GlobalAlloc, UnknownAndFreedHandlesAreRefused)
{
    int local = 0;
    HGLOBAL stranger = &local;
    EXPECT_EQ(GlobalLock(stranger), nullptr);
    EXPECT_EQ(GlobalFree(stranger), stranger);
    HGLOBAL block = GlobalAlloc(GHND, 8);
    EXPECT_EQ(GlobalFree(block), nullptr);
    EXPECT_EQ(GlobalLock(block), nullptr);
    EXPECT_EQ(GlobalFree(block), block);
    EXPECT_EQ(GlobalLock(nullptr), nullptr);
    // Fixed blocks are their own address; a block of no bytes is a block.
    HGLOBAL fixed = GlobalAlloc(GMEM_FIXED, 16);
    EXPECT_EQ(GlobalLock(fixed), fixed);
    EXPECT_EQ(GlobalFree(fixed), nullptr);
    HGLOBAL empty = GlobalAlloc(GHND, 0);
    EXPECT_NE(empty, nullptr);
    EXPECT_EQ(GlobalFree(empty), nullptr);
}

TEST(GlobalAlloc, FailsOnDemand)
{
    faults::fail(faults::Call::GlobalAlloc);
    EXPECT_EQ(GlobalAlloc(GHND, 10), nullptr);
    HGLOBAL block = GlobalAlloc(GHND, 10);
    EXPECT_NE(block, nullptr);
    GlobalFree(block);
}
