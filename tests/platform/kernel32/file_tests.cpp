// The final path of an open file, and the size of the buffer it needs; GlobalAlloc's
// movable blocks. (Replacing and deleting files are the safe save's tests.)
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;
using testsupport::TempDir;
using testsupport::write_bytes;

TEST(GetFinalPathNameByHandle, ResolvesSymbolicLinks)
{
    TempDir dir;
    fs::create_directory("real");
    write_bytes("real/Target.SCS", "x");
    fs::create_symlink("real/Target.SCS", "Link.SCS");
    int fd = _open("Link.SCS", _O_RDONLY);
    ASSERT_NE(fd, -1);
    HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    char path[MAX_PATH];
    std::string expected = fs::canonical("real/Target.SCS").string();
    EXPECT_EQ(GetFinalPathNameByHandleA(handle, path, MAX_PATH, FILE_NAME_NORMALIZED), expected.size());
    EXPECT_EQ(std::string(path), expected);
    // Too small a buffer: the size needed, the NUL included; room for exactly that is enough.
    EXPECT_EQ(GetFinalPathNameByHandleA(handle, path, 4, FILE_NAME_NORMALIZED), expected.size() + 1);
    const DWORD exact = static_cast<DWORD>(expected.size() + 1);
    EXPECT_EQ(GetFinalPathNameByHandleA(handle, path, exact, FILE_NAME_NORMALIZED), expected.size());
    _close(fd);
    EXPECT_EQ(_get_osfhandle(fd), -1);
}

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
