// The low-level file calls: Microsoft text mode, raw 32-bit offsets, the
// Windows rules for read-only files and folders, and the fault switch.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include "crt/faults.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>

using testsupport::read_bytes;
using testsupport::TempDir;
using testsupport::write_bytes;

namespace {

int open_text(const char *name, int flags = _O_RDWR) { return _open(name, flags | _O_TEXT); }

std::string read_all(int fd, unsigned chunk)
{
    std::string out;
    char buffer[256];
    int n;
    while ((n = _read(fd, buffer, chunk)) > 0) out.append(buffer, static_cast<size_t>(n));
    return out;
}

}   // namespace

TEST(TextMode, WriteTurnsEachLineFeedIntoCrLfAndAnswersTheCallersCount)
{
    TempDir dir;
    int fd = _open("a.txt", _O_RDWR | _O_CREAT | _O_TEXT, _S_IREAD | _S_IWRITE);
    ASSERT_NE(fd, -1);
    EXPECT_EQ(_write(fd, "A=1\nB=22\n", 9), 9);
    EXPECT_EQ(_write(fd, "x\r\ny", 4), 4);
    EXPECT_EQ(_tell(fd), 16);
    EXPECT_EQ(_close(fd), 0);
    EXPECT_EQ(read_bytes("a.txt"), "A=1\r\nB=22\r\nx\r\r\ny");
}

TEST(TextMode, ReadDropsEveryCarriageReturnEvenOneByteAtATime)
{
    TempDir dir;
    write_bytes("a.txt", "A=1\r\nB\r\r\nC\rD\n\r");
    for (unsigned chunk : {100u, 1u}) {
        int fd = open_text("a.txt", _O_RDONLY);
        EXPECT_EQ(read_all(fd, chunk), "A=1\nB\nCD\n") << chunk;   // a CR never comes back as an empty read
        _close(fd);
    }
}

TEST(TextMode, OffsetsStayRawBytes)
{
    TempDir dir;
    write_bytes("a.txt", "ab\r\ncd");
    int fd = open_text("a.txt", _O_RDONLY);
    char buffer[5] = {};
    // Four raw bytes hold three characters of data.
    EXPECT_EQ(_read(fd, buffer, 4), 3);
    EXPECT_STREQ(buffer, "ab\n");
    EXPECT_EQ(_tell(fd), 4);
    EXPECT_EQ(_filelength(fd), 6);
    EXPECT_EQ(_lseek(fd, -1, SEEK_END), 5);
    EXPECT_EQ(_read(fd, buffer, 1), 1);
    EXPECT_EQ(buffer[0], 'd');
    _close(fd);
}

TEST(TextMode, CtrlZEndsTheDataUntilASeek)
{
    TempDir dir;
    write_bytes("a.txt", std::string("one\r\ntwo\x1Athree"));
    int fd = open_text("a.txt", _O_RDONLY);
    EXPECT_EQ(read_all(fd, 100), "one\ntwo");
    EXPECT_EQ(_tell(fd), 8);   // on the Ctrl-Z
    char c;
    EXPECT_EQ(_read(fd, &c, 1), 0);
    EXPECT_EQ(_lseek(fd, 9, SEEK_SET), 9);
    EXPECT_EQ(read_all(fd, 1), "three");
    _close(fd);
}

TEST(BinaryMode, ReadsAndWritesBytesUnchanged)
{
    TempDir dir;
    int fd = _open("b.bin", _O_RDWR | _O_CREAT | _O_BINARY, _S_IREAD | _S_IWRITE);
    EXPECT_EQ(_write(fd, "a\nb\r\n\x1A", 6), 6);
    EXPECT_EQ(_lseek(fd, 0, SEEK_SET), 0);
    EXPECT_EQ(read_all(fd, 100), std::string("a\nb\r\n\x1A"));
    // A text handle switched to binary reads raw bytes too.
    EXPECT_EQ(_setmode(fd, _O_TEXT), _O_BINARY);
    EXPECT_EQ(_setmode(fd, _O_BINARY), _O_TEXT);
    _close(fd);
    EXPECT_EQ(read_bytes("b.bin"), std::string("a\nb\r\n\x1A"));
}

TEST(Chsize, GrowsWithZerosTruncatesAndKeepsThePosition)
{
    TempDir dir;
    write_bytes("a.txt", "abcdef");
    int fd = open_text("a.txt");
    EXPECT_EQ(_lseek(fd, 2, SEEK_SET), 2);
    EXPECT_EQ(_chsize(fd, 9), 0);
    EXPECT_EQ(_tell(fd), 2);
    EXPECT_EQ(_chsize(fd, 4), 0);
    EXPECT_EQ(_filelength(fd), 4);
    EXPECT_EQ(_chsize(fd, 6), 0);
    EXPECT_EQ(_chsize(fd, -1), -1);
    _close(fd);
    EXPECT_EQ(read_bytes("a.txt"), std::string("abcd\0\0", 6));
}

TEST(Open, FollowsTheFlags)
{
    TempDir dir;
    EXPECT_EQ(_open("missing.txt", _O_RDONLY), -1);
    EXPECT_EQ(errno, ENOENT);
    int fd = _open("new.txt", _O_RDWR | _O_CREAT | _O_EXCL, _S_IREAD | _S_IWRITE);
    ASSERT_NE(fd, -1);
    _write(fd, "keep", 4);
    _close(fd);
    EXPECT_EQ(_open("new.txt", _O_RDWR | _O_CREAT | _O_EXCL, _S_IREAD | _S_IWRITE), -1);
    EXPECT_EQ(errno, EEXIST);
    // Creating without truncation keeps what is there; _O_TRUNC empties it.
    fd = _open("new.txt", _O_RDWR | _O_CREAT, _S_IREAD | _S_IWRITE);
    EXPECT_EQ(_filelength(fd), 4);
    _close(fd);
    fd = _open("new.txt", _O_RDWR | _O_TRUNC);
    EXPECT_EQ(_filelength(fd), 0);
    // A handle opened for reading only does not write or change size.
    int ro = _open("new.txt", _O_RDONLY);
    EXPECT_EQ(_write(ro, "x", 1), -1);
    EXPECT_EQ(_chsize(ro, 10), -1);
    _close(ro);
    _close(fd);
}

TEST(Open, RefusesAFolder)
{
    TempDir dir;
    std::filesystem::create_directory("folder.SCS");
    EXPECT_EQ(_open("folder.SCS", _O_RDONLY | _O_TEXT), -1);
    EXPECT_EQ(_open("folder.SCS", _O_RDWR | _O_TRUNC | _O_TEXT), -1);
    EXPECT_EQ(_open("folder.SCS", _O_RDWR | _O_CREAT | _O_TEXT, _S_IREAD | _S_IWRITE), -1);
    EXPECT_EQ(_unlink("folder.SCS"), -1);
}

TEST(ReadOnly, IsHonouredForRootAsOnWindows)
{
    TempDir dir;
    int fd = _open("ro.txt", _O_RDWR | _O_CREAT | _O_TEXT, _S_IREAD);
    ASSERT_NE(fd, -1);   // the handle that created it still writes
    EXPECT_EQ(_write(fd, "x\n", 2), 2);
    _close(fd);
    EXPECT_EQ(_open("ro.txt", _O_RDWR), -1);
    EXPECT_EQ(errno, EACCES);
    EXPECT_EQ(_unlink("ro.txt"), -1);
    fd = _open("ro.txt", _O_RDONLY);
    EXPECT_NE(fd, -1);
    _close(fd);
    EXPECT_EQ(_chmod("ro.txt", _S_IWRITE), 0);
    fd = _open("ro.txt", _O_RDWR);
    EXPECT_NE(fd, -1);
    _close(fd);
    EXPECT_EQ(_chmod("ro.txt", _S_IREAD), 0);
    EXPECT_EQ(_open("ro.txt", _O_WRONLY), -1);
    EXPECT_EQ(_chmod("missing.txt", _S_IWRITE), -1);
    EXPECT_EQ(_chmod("ro.txt", _S_IWRITE), 0);
    EXPECT_EQ(_unlink("ro.txt"), 0);
    EXPECT_EQ(_unlink("ro.txt"), -1);
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
    TempDir dir;
    int fd = _open("a.txt", _O_RDWR | _O_CREAT, _S_IREAD | _S_IWRITE);
    EXPECT_EQ(_close(fd), 0);
    EXPECT_EQ(_close(fd), -1);   // closed is closed
}

TEST(LargeFiles, TwoGibibytesHaveNoLengthAndNoOffset)
{
    TempDir dir;
    write_bytes("big.SCS", "title=Big\n");
    std::filesystem::resize_file("big.SCS", 0x80000000ull);   // sparse
    int fd = open_text("big.SCS", _O_RDONLY);
    ASSERT_NE(fd, -1);
    EXPECT_EQ(_filelength(fd), -1);
    EXPECT_EQ(_lseek(fd, 0, SEEK_END), -1);
    EXPECT_EQ(_tell(fd), 0);   // the failed seek moved nothing
    EXPECT_EQ(_lseek(fd, 0x7FFFFFFF, SEEK_SET), 0x7FFFFFFF);
    _close(fd);
}

TEST(Faults, ArmedCallsFailInTurn)
{
    TempDir dir;
    faults::fail(faults::Call::Open, 1, 1);   // the second open
    int first = _open("a.txt", _O_RDWR | _O_CREAT, _S_IREAD | _S_IWRITE);
    EXPECT_NE(first, -1);
    EXPECT_EQ(_open("a.txt", _O_RDWR), -1);
    int third = _open("a.txt", _O_RDWR);
    EXPECT_NE(third, -1);
    _close(third);

    faults::fail(faults::Call::Write);
    EXPECT_EQ(_write(first, "abc", 3), -1);
    EXPECT_EQ(_write(first, "abc", 3), 3);
    faults::fail(faults::Call::Read);
    faults::fail(faults::Call::Filelength);
    faults::fail(faults::Call::Chsize);
    char c;
    _lseek(first, 0, SEEK_SET);
    EXPECT_EQ(_read(first, &c, 1), -1);
    EXPECT_EQ(_read(first, &c, 1), 1);
    EXPECT_EQ(_filelength(first), -1);
    EXPECT_EQ(_filelength(first), 3);
    EXPECT_EQ(_chsize(first, 1), -1);
    faults::fail(faults::Call::Close);
    EXPECT_EQ(_close(first), -1);
    EXPECT_EQ(_close(first), -1);   // but the handle is gone all the same
    EXPECT_EQ(read_bytes("a.txt"), "abc");
}

TEST(Faults, MatchOnlyTheNamedFiles)
{
    TempDir dir;
    faults::fail(faults::Call::Open, -1, 0, ".TMP");
    EXPECT_EQ(_open("x.TMP", _O_RDWR | _O_CREAT, _S_IREAD | _S_IWRITE), -1);
    EXPECT_EQ(_open("y.TMP", _O_RDWR | _O_CREAT, _S_IREAD | _S_IWRITE), -1);
    int fd = _open("x.SCS", _O_RDWR | _O_CREAT, _S_IREAD | _S_IWRITE);
    EXPECT_NE(fd, -1);
    faults::fail(faults::Call::Write, 1, 0, "other");
    EXPECT_EQ(_write(fd, "a", 1), 1);
    _close(fd);
    faults::reset();
    fd = _open("x.TMP", _O_RDWR | _O_CREAT, _S_IREAD | _S_IWRITE);
    EXPECT_NE(fd, -1);
    _close(fd);
}

TEST(Faults, AFullDiskStoresWhatFitsAndFails)
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
}

TEST(Faults, AReadOnlyFolderKeepsItsNamesButNotItsFilesContents)
{
    TempDir dir;
    write_bytes("old.txt", "old");
    std::filesystem::create_directory("sub");
    faults::read_only_folder(".");
    EXPECT_EQ(_open("new.txt", _O_RDWR | _O_CREAT, _S_IREAD | _S_IWRITE), -1);
    EXPECT_EQ(errno, EACCES);
    EXPECT_EQ(_unlink("old.txt"), -1);
    EXPECT_FALSE(DeleteFileA("old.txt"));
    EXPECT_FALSE(MoveFileExA("old.txt", "moved.txt", MOVEFILE_REPLACE_EXISTING));
    int fd = _open("old.txt", _O_RDWR | _O_CREAT | _O_BINARY, _S_IREAD | _S_IWRITE);
    ASSERT_NE(fd, -1);
    EXPECT_EQ(_write(fd, "new", 3), 3);
    _close(fd);
    EXPECT_EQ(read_bytes("old.txt"), "new");
    // Another folder, even one inside it, is not touched.
    fd = _open("sub/new.txt", _O_RDWR | _O_CREAT, _S_IREAD | _S_IWRITE);
    EXPECT_NE(fd, -1);
    _close(fd);
    EXPECT_EQ(std::filesystem::exists("new.txt"), false);
}
