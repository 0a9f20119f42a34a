// Saving a file under every fault the disk can raise: afterwards the file
// holds either its old bytes or the whole new text, never a mix, the answer
// says which, and no temporary file is left behind.
#include "util/safesave.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include "crt/faults.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using testsupport::crlf;
using testsupport::read_bytes;
using testsupport::TempDir;
using testsupport::write_bytes;

namespace {

const std::string kShortOld = crlf("old\n");
const char *const kPieces[] = {"first line\n", "second, somewhat longer line\n", "third\n", "the end\n"};

std::string new_bytes()
{
    std::string text;
    for (const char *piece : kPieces) text += piece;
    return crlf(text);
}

BOOL save(const char *name)
{
    SAFE_SAVE s;
    if (!safe_save_open(&s, name)) return FALSE;
    for (const char *piece : kPieces) safe_save_write(&s, piece);
    return safe_save_close(&s);
}

bool temp_file_left()
{
    for (const auto &entry : fs::directory_iterator("."))
        if (entry.path().extension() == ".TMP") return true;
    return false;
}

// Each fault, armed once the old file is in place, and whether a save over a
// short file answers done beside it and in place (in a read-only folder);
// without a fault every save over a file is done.
struct Fault {
    const char *what;
    std::function<void()> arm;
    bool saved_beside, saved_in_place;
};

std::vector<Fault> faults_on_the_way()
{
    using faults::Call;
    std::vector<Fault> list = {
        {"no fault", [] {}, true, true},
        {"every write fails", [] { faults::fail(Call::Write, -1); }, false, false},
        {"the disk is full", [] { faults::disk_full_after(0); }, false, false},
        {"the disk fills after 30 bytes", [] { faults::disk_full_after(30); }, false, false},
        {"the close fails", [] { faults::fail(Call::Close, 1, 0, "."); }, true, true},
        {"the replace fails", [] { faults::fail(Call::MoveFile); }, false, true},
        {"setting the length fails once", [] { faults::fail(Call::Chsize); }, true, false},
        {"no memory for the old bytes", [] { faults::fail(Call::GlobalAlloc); }, true, false},
        {"the old bytes cannot be read", [] { faults::fail(Call::Read, -1); }, true, false},
    };
    for (int k = 0; k < 4; ++k)
        list.push_back({"one write fails", [k] { faults::fail(Call::Write, 1, k); }, false, false});
    return list;
}

// Runs one save under one fault and checks what is on disk against the answer.
void expect_old_or_whole_new(const std::string &old, bool folder_read_only, const Fault &fault)
{
    const bool existed = !old.empty();
    TempDir dir;
    if (existed) write_bytes("FILE.SCS", old);
    if (folder_read_only) faults::read_only_folder(".");
    fault.arm();
    const BOOL saved = save("FILE.SCS");
    faults::reset();

    SCOPED_TRACE(std::string(fault.what) + (folder_read_only ? ", folder read-only" : "") +
                 (existed ? ", file there" : ", new file"));
    if (old == kShortOld || (existed && std::string(fault.what) == "no fault")) {
        EXPECT_EQ(saved != FALSE, folder_read_only ? fault.saved_in_place : fault.saved_beside);
    }
    if (saved) {
        EXPECT_EQ(read_bytes("FILE.SCS"), new_bytes());
    } else if (existed) {
        EXPECT_EQ(read_bytes("FILE.SCS"), old);
    } else {
        EXPECT_FALSE(fs::exists("FILE.SCS"));
    }
    EXPECT_FALSE(temp_file_left());
}

}   // namespace

TEST(SafeSave, EveryFaultLeavesTheOldFileOrTheWholeNewOne)
{
    const std::string olds[] = {"", kShortOld, crlf(std::string(5000, 'o') + "\n")};
    for (const std::string &old : olds)
        for (bool folder_read_only : {false, true})
            for (const Fault &fault : faults_on_the_way()) expect_old_or_whole_new(old, folder_read_only, fault);
}

// Tests run as root, so a read-only file is one whose write bit is off: it
// is made writable and saved, in a read-only folder too, and keeps its other
// permissions.
TEST(SafeSave, AReadOnlyFileIsMadeWritableFirst)
{
    const auto kept = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    for (bool folder_read_only : {false, true}) {
        TempDir dir;
        write_bytes("RO.SCS", "old");
        fs::permissions("RO.SCS", kept);
        ASSERT_EQ(_chmod("RO.SCS", _S_IREAD), 0);
        if (folder_read_only) faults::read_only_folder(".");
        EXPECT_TRUE(save("RO.SCS")) << folder_read_only;
        faults::reset();
        EXPECT_EQ(read_bytes("RO.SCS"), new_bytes()) << folder_read_only;
        EXPECT_EQ(fs::status("RO.SCS").permissions(), kept) << folder_read_only;
    }
}

// A link stays a link and its target is saved; a temporary file left by
// someone else is stepped around and kept.
TEST(SafeSave, WritesThroughALinkAndStepsAroundALeftoverTemporary)
{
    TempDir dir;
    fs::create_directory("store");
    write_bytes("store/REAL.SCS", "old");
    fs::create_symlink("store/REAL.SCS", "LINK.SCS");
    write_bytes("store/~SC0.TMP", "leftover");
    EXPECT_TRUE(save("LINK.SCS"));
    EXPECT_TRUE(fs::is_symlink("LINK.SCS"));
    EXPECT_EQ(read_bytes("store/REAL.SCS"), new_bytes());
    EXPECT_EQ(std::distance(fs::directory_iterator("store"), fs::directory_iterator()), 2);
    EXPECT_EQ(read_bytes("store/~SC0.TMP"), "leftover");
}
