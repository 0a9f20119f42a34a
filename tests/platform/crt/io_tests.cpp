// The file calls where the program's own tests do not reach: the end of text
// at a Ctrl-Z, the mode switch, a folder that is no file, read-only files, bad
// handles, the 32-bit offsets, and the fault switch the other tests rely on;
// directory search: Windows wildcards and names sorted without regard to case;
// the final path of an open file, and the size of the buffer it needs;
// GlobalAlloc's movable blocks.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include "crt/faults.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

using testsupport::read_bytes;
using testsupport::TempDir;
using testsupport::write_bytes;

namespace {

std::string read_all(int fd, unsigned chunk)
{
    std::string out;
    char buffer[256];
    int n;
    while ((n = _read(fd, buffer, chunk)) > 0) out.append(buffer, static_cast<size_t>(n));
    return out;
}

std::vector<std::string> find_all(const char *wildcard)
{
    std::vector<std::string> names;
    _finddata_t info;
    intptr_t handle = _findfirst(wildcard, &info);
    if (handle == -1) return names;
    do names.push_back(info.name);
    while (_findnext(handle, &info) == 0);
    EXPECT_EQ(_findclose(handle), 0);
    return names;
}

}   // namespace

// Text mode ends the data at a Ctrl-Z until a seek (binary mode's every byte
// is the label store's tests'); _setmode answers the mode it replaces.
TEST(Modes, TextEndsAtCtrlZAndSetModeAnswersTheModeItReplaces)
{
    TempDir dir;
    write_bytes("a.txt", std::string("one\r\ntwo\x1Athree"));
    int fd = _open("a.txt", _O_RDONLY | _O_TEXT);
    EXPECT_EQ(read_all(fd, 100), "one\ntwo");
    EXPECT_EQ(_tell(fd), 8);   // on the Ctrl-Z
    char c;
    EXPECT_EQ(_read(fd, &c, 1), 0);
    EXPECT_EQ(_lseek(fd, 9, SEEK_SET), 9);
    EXPECT_EQ(read_all(fd, 1), "three");
    EXPECT_EQ(_setmode(fd, _O_BINARY), _O_TEXT);
    EXPECT_EQ(_setmode(fd, _O_TEXT), _O_BINARY);
    _close(fd);
}

// Windows' read-only attribute is the owner's write bit, honoured for root
// too: no writing, unlinking, replacing or deleting until _chmod clears it. A
// folder is no file to open, unlink, replace or delete.
TEST(ReadOnly, RefusesEveryChangeUntilMadeWritableAndAFolderIsNoFile)
{
    TempDir dir;
    write_bytes("ro.txt", "old");
    write_bytes("new.tmp", "new");
    std::filesystem::create_directory("folder");
    EXPECT_EQ(_open("folder", _O_RDONLY | _O_TEXT), -1);
    EXPECT_EQ(_open("folder", _O_RDWR | _O_TRUNC | _O_TEXT), -1);
    EXPECT_EQ(_open("folder", _O_RDWR | _O_CREAT | _O_TEXT, _S_IREAD | _S_IWRITE), -1);
    EXPECT_EQ(_unlink("folder"), -1);
    EXPECT_EQ(_chmod("ro.txt", _S_IREAD), 0);
    EXPECT_EQ(_open("ro.txt", _O_RDWR), -1);
    EXPECT_EQ(_unlink("ro.txt"), -1);
    EXPECT_FALSE(DeleteFileA("ro.txt"));
    EXPECT_FALSE(MoveFileExA("new.tmp", "ro.txt", MOVEFILE_REPLACE_EXISTING));
    EXPECT_FALSE(MoveFileExA("new.tmp", "folder", MOVEFILE_REPLACE_EXISTING));
    EXPECT_FALSE(DeleteFileA("folder"));
    EXPECT_EQ(_chmod("ro.txt", _S_IWRITE), 0);
    EXPECT_FALSE(MoveFileExA("new.tmp", "ro.txt", 0));   // replaced only when asked to
    EXPECT_EQ(read_bytes("ro.txt"), "old");
    EXPECT_TRUE(MoveFileExA("new.tmp", "ro.txt", MOVEFILE_REPLACE_EXISTING));
    EXPECT_TRUE(DeleteFileA("ro.txt"));
}

TEST(Handles, BadOnesFailWithoutHarm)
{
    char c;
    for (int fd : {-1, 0, 1, 2, 12345}) {
        EXPECT_EQ(_read(fd, &c, 1), -1);
        EXPECT_EQ(errno, EBADF);
        EXPECT_EQ(_write(fd, "x", 1), -1);
        EXPECT_EQ(_lseek(fd, 0, SEEK_SET), -1);
        EXPECT_EQ(_tell(fd), -1);
        EXPECT_EQ(_filelength(fd), -1);
        EXPECT_EQ(_chsize(fd, 0), -1);
        EXPECT_EQ(_close(fd), -1);
    }
}

TEST(LargeFiles, TwoGibibytesHaveNoLengthAndNoOffset)
{
    TempDir dir;
    write_bytes("big.SCS", "title=Big\n");
    std::filesystem::resize_file("big.SCS", 0x80000000ull);   // sparse
    int fd = _open("big.SCS", _O_RDONLY | _O_TEXT);
    ASSERT_NE(fd, -1);
    EXPECT_EQ(_filelength(fd), -1);
    EXPECT_EQ(_lseek(fd, 0, SEEK_END), -1);
    EXPECT_EQ(_tell(fd), 0);   // the failed seek moved nothing
    EXPECT_EQ(_lseek(fd, 0x7FFFFFFF, SEEK_SET), 0x7FFFFFFF);
    _close(fd);
}

TEST(Faults, AFullDiskStoresWhatFitsAndArmedCallsFailInTurnForTheNamedFile)
{
    TempDir dir;
    int fd = _open("a.txt", _O_RDWR | _O_CREAT | _O_TEXT, _S_IREAD | _S_IWRITE);
    faults::disk_full_after(5);
    EXPECT_EQ(_write(fd, "ab\ncd\n", 6), -1);   // 8 bytes on disk, 5 fit
    EXPECT_EQ(errno, ENOSPC);
    EXPECT_EQ(_write(fd, "x", 1), -1);
    EXPECT_EQ(_chsize(fd, 100), -1);
    EXPECT_EQ(_chsize(fd, 2), 0);   // shrinking needs no room
    // Rewriting bytes the file has takes no room; only what lengthens it does.
    EXPECT_EQ(_lseek(fd, 0, SEEK_SET), 0);
    EXPECT_EQ(_write(fd, "XY", 2), 2);
    EXPECT_EQ(_lseek(fd, 1, SEEK_SET), 1);
    EXPECT_EQ(_write(fd, "zw", 2), -1);
    _close(fd);
    EXPECT_EQ(read_bytes("a.txt"), "Xz");
    // The fault switch: from the Nth call on, a number of times, only for the
    // names that hold a text.
    faults::reset();
    faults::fail(faults::Call::Write, 2, 1, "a.txt");   // the second and third writes to a.txt
    int a = _open("a.txt", _O_RDWR | _O_CREAT | _O_BINARY, _S_IREAD | _S_IWRITE);
    int b = _open("b.txt", _O_RDWR | _O_CREAT | _O_BINARY, _S_IREAD | _S_IWRITE);
    EXPECT_EQ(_write(b, "b", 1), 1);
    EXPECT_EQ(_write(a, "1", 1), 1);
    EXPECT_EQ(_write(a, "2", 1), -1);
    EXPECT_EQ(_write(a, "3", 1), -1);
    EXPECT_EQ(_write(a, "4", 1), 1);
    _close(a);
    _close(b);
}

TEST(FindFirst, MatchesWithoutRegardToCaseSortsTheNamesSkipsVanishedOnesOrFails)
{
    TempDir dir;
    _finddata_t info;
    EXPECT_EQ(_findfirst("*.SCS", &info), -1);
    EXPECT_EQ(_findfirst("missing/*.SCS", &info), -1);
    for (const char *name : {"b.SCS", "A.scs", "c.Scs", "notes.txt", "x.SCSX", "SCS", "a.SCS.TMP"})
        write_bytes(name, "x");
    EXPECT_EQ(find_all("*.SCS"), (std::vector<std::string>{"A.scs", "b.SCS", "c.Scs"}));
    EXPECT_EQ(find_all("?.scs"), (std::vector<std::string>{"A.scs", "b.SCS", "c.Scs"}));
    EXPECT_EQ(find_all("*.txt"), (std::vector<std::string>{"notes.txt"}));
    EXPECT_EQ(find_all("*S*X"), (std::vector<std::string>{"x.SCSX"}));
    faults::fail(faults::Call::FindFirst);
    EXPECT_EQ(_findfirst("*.SCS", &info), -1);
    EXPECT_EQ(find_all("b.*"), (std::vector<std::string>{"b.SCS"}));   // once only
    // An entry that vanishes after the listing is skipped.
    intptr_t handle = _findfirst("*.SCS", &info);
    ASSERT_NE(handle, -1);
    std::remove("b.SCS");
    ASSERT_EQ(_findnext(handle, &info), 0);
    EXPECT_STREQ(info.name, "c.Scs");
    _findclose(handle);
}

TEST(GetFinalPathNameByHandle, ResolvesSymbolicLinks)
{
    TempDir dir;
    std::filesystem::create_directory("real");
    write_bytes("real/Target.SCS", "x");
    std::filesystem::create_symlink("real/Target.SCS", "Link.SCS");
    int fd = _open("Link.SCS", _O_RDONLY);
    ASSERT_NE(fd, -1);
    HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    char path[MAX_PATH];
    std::string expected = std::filesystem::canonical("real/Target.SCS").string();
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
