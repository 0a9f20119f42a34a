// Replacing and deleting files, and the final path of an open file.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include "crt/faults.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;
using testsupport::read_bytes;
using testsupport::TempDir;
using testsupport::write_bytes;

TEST(MoveFileEx, TheReplacementKeepsTheOldPermissions)
{
    TempDir dir;
    write_bytes("new.tmp", "new");
    write_bytes("old.SCS", "old");
    fs::permissions("new.tmp", fs::perms::owner_read | fs::perms::owner_write);
    fs::permissions("old.SCS",
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read);
    ASSERT_TRUE(MoveFileExA("new.tmp", "old.SCS", MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(fs::status("old.SCS").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read);
}

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
