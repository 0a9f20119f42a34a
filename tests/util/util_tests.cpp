// The small text and number routines, the label-value store in texts and in
// files opened in text mode, and the safe save: a file saved under every fault
// the disk can raise holds either its old bytes or the whole new text, never a
// mix, the answer says which, and no temporary file is left behind.
#include "util/labelstore.h"
#include "util/safesave.h"
#include "util/text.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include "support/golden.h"
#include "support/tempdir.h"

#include "crt/faults.h"

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

// Each value read also comes back from its decimal text.
TEST(CharToInt, ReadsSignAndDigitsAfterBlanksAndSaturatesAndIntToCharWritesThemBack)
{
    const struct {
        std::string text;
        LONG value;
    } rows[] = {
        {"", 0},
        {"abc", 0},
        {"  \t42xyz", 42},
        {"-17", -17},
        {"+8", 8},
        {"- 5", 0},
        {"2147483647", INT32_MAX},
        {"2147483648", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"-2147483649", INT32_MIN},
        {std::string(5000, '9'), INT32_MAX},
        {"-" + std::string(5000, '9'), INT32_MIN},
        {std::string(300, '0') + "123", 123},   // leading zeros do not count towards the overflow
    };
    for (const auto &row : rows) {
        EXPECT_EQ(char_to_int(row.text.c_str()), row.value) << row.text.substr(0, 20);
        EXPECT_EQ(char_to_int(int_to_char(row.value, 1)), row.value);
    }
}

TEST(MakeString, JoinsIntoTheCallersBufferOrItsOwnAreaCutToFit)
{
    char buffer[64];
    EXPECT_EQ(MakeString(buffer, 3, "Auto-loading ", "Two", " Paths"), buffer);
    EXPECT_STREQ(buffer, "Auto-loading Two Paths");
    std::string big(MAKESTRING_AREA_SIZE, 'x');
    std::string own = MakeString(nullptr, 3, "head", big.c_str(), "tail");
    EXPECT_EQ(own, "head" + big.substr(0, MAKESTRING_AREA_SIZE - 5));
}

// Both stop at the buffer's end; the copy reads no further than it writes.
TEST(BoundedText, CopyAndAppendStopAtTheBufferEnd)
{
    char small[6] = "xxxxx";
    EXPECT_EQ(copy_text(small, sizeof small, "abc"), small);
    EXPECT_STREQ(small, "abc");
    EXPECT_STREQ(append_text(small, sizeof small, "defg"), "abcde");
    EXPECT_STREQ(append_text(small, sizeof small, "z"), "abcde");
    const char unended[3] = {'p', 'q', 'r'};
    EXPECT_STREQ(copy_text(small, 3, unended), "pq");
    EXPECT_STREQ(copy_text(small, 1, "abc"), "");
}

namespace {
// A file holding `bytes` in a temporary folder of its own, opened for reading and writing in text mode.
class StoreFile {
  public:
    explicit StoreFile(const std::string &bytes)
    {
        write_bytes("store.txt", bytes);
        handle = _open("store.txt", _O_RDWR | _O_TEXT);
    }
    ~StoreFile() { _close(handle); }
    std::string bytes() const { return read_bytes("store.txt"); }

    TempDir dir;
    int handle;
};

std::string long_block(size_t lines)
{
    std::string text;
    for (size_t i = 0; i < lines; ++i) text += "filler line " + std::to_string(i) + " with some words in it\n";
    return text;
}

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

// Each fault, armed once the old file is in place.
struct Fault {
    std::string what;
    std::function<void()> arm;
};

std::vector<Fault> faults_on_the_way()
{
    using faults::Call;
    std::vector<Fault> list = {
        {"no fault", [] {}},
        {"every write fails", [] { faults::fail(Call::Write, -1); }},
        {"the disk is full", [] { faults::disk_full_after(0); }},
        {"the disk fills after 30 bytes", [] { faults::disk_full_after(30); }},
        {"the close fails", [] { faults::fail(Call::Close, 1, 0, "."); }},
        {"the replace fails", [] { faults::fail(Call::MoveFile); }},
        {"setting the length fails once", [] { faults::fail(Call::Chsize); }},
        {"no memory for the old bytes", [] { faults::fail(Call::GlobalAlloc); }},
        {"the old bytes cannot be read", [] { faults::fail(Call::Read, -1); }},
    };
    for (int k = 0; k < 4; ++k)
        list.push_back({"write " + std::to_string(k + 1) + " fails", [k] { faults::fail(Call::Write, 1, k); }});
    return list;
}

// One save under one fault: its answer and what it left on disk, a line.
std::string outcome(const std::string &old, bool folder_read_only, const Fault &fault)
{
    TempDir dir;
    if (!old.empty()) write_bytes("FILE.SCS", old);
    if (folder_read_only) faults::read_only_folder(".");
    fault.arm();
    const BOOL saved = save("FILE.SCS");
    faults::reset();
    const std::string now = fs::exists("FILE.SCS") ? read_bytes("FILE.SCS") : "no file";
    const char *left = now == new_bytes() ? "the new text" : now == old ? "the old bytes" : now.c_str();
    return std::to_string(old.size()) + " bytes, " + (folder_read_only ? "in place, " : "beside, ") + fault.what +
           (saved ? ": saved, " : ": not saved, ") + left + (temp_file_left() ? ", a temporary file left\n" : "\n");
}

}   // namespace

// The first occurrence anywhere, case-sensitive; values end at the end
// character or the text, and every read stays in bounds.
TEST(LabelStoreText, FindsTheFirstOccurrenceAndValuesEndAtTheEndCharacterOrTheText)
{
    const char *text = "title=Two Paths\nsubtitle=x\ntitle=Second\n";
    EXPECT_STREQ(get_variable_of_label_of_string(text, "title="), "Two Paths");
    EXPECT_STREQ(get_variable_of_label_of_string("subtitle=x\n", "title="), "x");
    EXPECT_STREQ(get_variable_of_label_of_string("Title=x", "title="), "");
    EXPECT_EQ(get_label_end_pos_of_string(text, 6, "title="), 24);
    EXPECT_STREQ(get_variable_of_label_in_section_of_string("size=1\n[B]\nsize=2\n", "[B]", "size="), "2");
    EXPECT_STREQ(get_variable_of_label_in_section_of_string("size=1\n", "[C]", "size="), "");
    EXPECT_STREQ(get_variable_of_label_in_section_with_end_char_of_strin("[B]m=a*b", "[B]", "m=", "*"), "a");
    EXPECT_STREQ(get_variable_of_label_of_string("A=\nB=2", "A="), "");
    EXPECT_STREQ(get_variable_of_label_of_string("A=\nB=2", "B="), "2");
    EXPECT_STREQ(get_variable_of_label_with_end_char_of_string("m=one\ntwo*rest", "m=", "*"), "one\ntwo");
    EXPECT_STREQ(get_variable_of_label_with_end_char_of_string("m=a\nb", "m=", ""), "a\nb");
    EXPECT_STREQ(get_variable_of_label_pos_of_string("abc", -1, "\n"), "abc");
    EXPECT_STREQ(get_variable_of_label_pos_of_string("abc", 2, "\n"), "");
    EXPECT_STREQ(get_variable_of_label_pos_of_string("ab", 10, "\n"), "");
    EXPECT_EQ(get_label_end_pos_of_string("ab", 10, "b"), -1);
    const std::string big = "v=" + std::string(5000, 'a') + "\n";
    EXPECT_EQ(std::string(get_variable_of_label_of_string(big.c_str(), "v=")), std::string(LABEL_VALUE_MAX, 'a'));
    // A label past 999 characters is cut to its first 999.
    std::string labelled = std::string(LABEL_VALUE_MAX, 'k') + "=v";
    EXPECT_EQ(get_label_end_pos_of_string(labelled.c_str(), 0, std::string(1500, 'k').c_str()), LABEL_VALUE_MAX - 1);
}

// After a broken partial match the scan goes on with what still matches.
TEST(LabelStoreText, ScanBacksUpAfterABrokenPartialMatch)
{
    const struct {
        const char *text, *label;
        LONG end;
    } rows[] = {{"aab=1", "ab=", 3},  {"ababac", "abac", 5}, {"aaaab", "aab", 4}, {"NumCNumCards=3", "NumCards=", 12},
                {"abcabd", "abd", 5}, {"ab", "", -1}};
    for (const auto &row : rows) EXPECT_EQ(get_label_end_pos_of_string(row.text, 0, row.label), row.end) << row.text;
}

TEST(LabelStoreFile, ReadsAtRawOffsetsJustAfterTheLabel)
{
    StoreFile file(crlf("A=1\nB=22\nxaab=1\nababac=2"));
    EXPECT_EQ(get_label_end_pos(file.handle, 0, "B="), 7);
    EXPECT_EQ(get_label_end_pos(file.handle, 8, "B="), -1);
    EXPECT_STREQ(get_variable_of_label_pos(file.handle, 7, "\n"), "22");
    EXPECT_STREQ(get_variable_of_label_pos(file.handle, 0, "\n"), "A=1");
    EXPECT_STREQ(get_variable_of_label(file.handle, "C="), "");
    EXPECT_STREQ(get_variable_of_label(file.handle, "abac="), "2");
    EXPECT_STREQ(get_variable_of_label_with_end_char(file.handle, "ab=", "*"), "1\nababac=2");
    EXPECT_STREQ(get_variable_of_label_in_section(file.handle, "ab=", "ab"), "abac=2");
    EXPECT_STREQ(get_variable_of_label_in_section_with_end_char(file.handle, "x", "ab", "="), "");
    EXPECT_STREQ(get_variable_of_label(-1, "A="), "");
    EXPECT_STREQ(get_variable_of_label_pos(-1, 0, "\n"), "");
    EXPECT_EQ(get_label_end_pos(-1, 0, "A="), -1);
    EXPECT_EQ(set_variable_of_label(-1, "A=", "1"), -1);
    EXPECT_EQ(remove_from_file(-1, 0, 1), -1);
}

// Each row: the file, one rewrite (a null end is the plain entry, a null
// section none), the bytes after it.
TEST(LabelStoreFile, RewritesValuesInPlaceAndAddsMissingOnes)
{
    const std::string rest = long_block(60);   // more than the 1000 bytes moved at a time
    const std::string odd = long_block(40) + "odd\rline\n\x1A" + "after the end";
    const std::string huge(3000, 'v');
    const std::string nul_ended("A=x\0", 4);
    const struct {
        std::string before;
        const char *section, *label;
        std::string value;
        const char *end;
        std::string after;
    } rows[] = {
        {crlf("A=1\nB=22\n"), nullptr, "A=", "333", nullptr, crlf("A=333\nB=22\n")},
        {crlf("A=333\nB=22\n"), nullptr, "A=", "1", nullptr, crlf("A=1\nB=22\n")},
        {crlf("A=x\nB=22\n"), nullptr, "B=", "", nullptr, crlf("A=x\nB=\n")},
        {crlf("H\nE=1\n" + rest), nullptr, "E=", std::string(300, 'g'), nullptr,
         crlf("H\nE=" + std::string(300, 'g') + "\n" + rest)},
        {crlf("H\nE=" + std::string(300, 'g') + "\n" + rest), nullptr, "E=", "0", nullptr, crlf("H\nE=0\n" + rest)},
        {"A=1\n" + odd, nullptr, "A=", "12345", nullptr, "A=12345\r\n" + odd},
        {"A=1\r\nB=2", nullptr, "B=", "345", nullptr, crlf("A=1\nB=345\n")},
        {crlf("A=1\n"), nullptr, "B=", "2", nullptr, crlf("A=1\nB=2\n")},
        {"A=1", nullptr, "B=", "2", nullptr, crlf("A=1\nB=2\n")},
        {"", nullptr, "B=", "2", nullptr, crlf("B=2\n")},
        {std::string("A=1\r\n\x1A", 6), nullptr, "B=", "2", nullptr, crlf("A=1\nB=2\n") + "\x1A"},
        // Found by fuzzing the settings file: a line added after data that ended
        // in a NUL byte was glued to the last line, and rewriting that line's
        // value then swallowed the added line.
        {nul_ended, nullptr, "B=", "2", nullptr, nul_ended + crlf("\nB=2\n")},
        {nul_ended + crlf("\nB=2\n"), nullptr, "A=", "y", nullptr, crlf("A=y\nB=2\n")},
        {crlf("A=1\n"), nullptr, "A=", huge, nullptr, crlf("A=" + std::string(LABEL_VALUE_MAX, 'v') + "\n")},
        {crlf("m0=x*\nm1=two\nlines*\n"), nullptr, "m1=", "one", "*", crlf("m0=x*\nm1=one*\n")},
        {crlf("m0=x*\n"), nullptr, "m0=", "a\nb", "*", crlf("m0=a\nb*\n")},
        {crlf("m0=x*\n"), nullptr, "m2=", "new", "*", crlf("m0=x*\nm2=new*\n")},
        {crlf("A=1\nB=2\n"), nullptr, "A=", "xyz", "\n", crlf("A=xyz\nB=2\n")},
        {crlf("s=1\n[B]\ns=2\n"), "[B]", "s=", "20", nullptr, crlf("s=1\n[B]\ns=20\n")},
        {crlf("[B]\ne=*\n"), "[B]", "e=", "v", "*", crlf("[B]\ne=v*\n")},
        {crlf("s=1\n[B]\n"), "s=1", "n=", "n", nullptr, crlf("s=1\nn=n\n[B]\n")},
        {crlf("s=1\n"), "[C]", "s=", "3", nullptr, crlf("s=1\n[C]\ns=3\n")},
        {"A=1\r\n[S]", "[S]", "k=", "v", nullptr, crlf("A=1\n[S]\nk=v\n")},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.before.substr(0, 30) + " / " + row.label);
        StoreFile file(row.before);
        int result;
        if (row.section && row.end)
            result = set_variable_of_label_in_section_with_end_char(file.handle, row.section, row.label,
                                                                    row.value.c_str(), row.end);
        else if (row.section)
            result = set_variable_of_label_in_section(file.handle, row.section, row.label, row.value.c_str());
        else if (row.end)
            result = set_variable_of_label_with_end_char(file.handle, row.label, row.value.c_str(), row.end);
        else result = set_variable_of_label(file.handle, row.label, row.value.c_str());
        EXPECT_EQ(result, 0);
        EXPECT_EQ(file.bytes(), row.after);
    }
}

// A value rewritten under a fault at every step of the way: it reads back
// when the rewrite answers done, and whatever happens every other label
// keeps its value. A full disk stops a growth before anything moves: the
// file keeps every byte.
TEST(LabelStoreFile, ARewriteThatFailsKeepsEveryOtherLabelReadable)
{
    const char *const labels[] = {"ShowEditHelp=", "ShowStartBanner=", "DefaultStartUpSpread="};
    const char *const new_values[] = {"0", "0", "C:\\SPREADS\\CELTIC CROSS.SCS"};
    const std::string files[] = {
        crlf("\n\nIni file\n\n\nShowEditHelp=1\nShowStartBanner=1\nDefaultStartUpSpread=\n"),
        crlf("DefaultStartUpSpread=A.SCS\nShowStartBanner=1\n; mine\nShowEditHelp=1\n"),
        // Growing the first value by 17 moves "\r\nShowStartBanner=" up exactly.
        crlf("DefaultStartUpSpread=0123456789\nShowStartBanner=1\nShowEditHelp=1\n"),
        crlf("ShowEditHelp=1\nDefaultStartUpSpread=A LONGER NAME THAN THE NEW ONE, BY FAR, FOR SHRINKING.SCS\n"
             "ShowStartBanner=1"),
    };
    std::vector<std::function<void()>> faults_on_the_way;
    for (int k = 0; k < 6; ++k) {
        faults_on_the_way.push_back([k] { faults::fail(faults::Call::Write, 1, k); });
        faults_on_the_way.push_back([k] { faults::fail(faults::Call::Write, -1, k); });
        faults_on_the_way.push_back([k] { faults::fail(faults::Call::Lseek, 1, k * 3); });
        faults_on_the_way.push_back([k] { faults::fail(faults::Call::Chsize, 1, k); });
    }
    for (int k = 0; k < 200; k += 7) faults_on_the_way.push_back([k] { faults::fail(faults::Call::Read, 1, k); });
    const size_t first_disk_full = faults_on_the_way.size();
    for (long long room : {0, 5, 20, 40}) faults_on_the_way.push_back([room] { faults::disk_full_after(room); });
    for (const std::string &bytes : files)
        for (int edited = 0; edited < 3; ++edited)
            for (size_t f = 0; f < faults_on_the_way.size(); ++f) {
                SCOPED_TRACE(testing::Message()
                             << "file " << (&bytes - files) << ", " << labels[edited] << ", fault " << f);
                StoreFile file(bytes);
                std::string old_values[3];
                for (int i = 0; i < 3; ++i) old_values[i] = get_variable_of_label(file.handle, labels[i]);
                faults_on_the_way[f]();
                const bool done = set_variable_of_label(file.handle, labels[edited], new_values[edited]) == 0;
                faults::reset();
                if (f >= first_disk_full && !done) {
                    EXPECT_EQ(file.bytes(), bytes);
                }
                for (int i = 0; i < 3; ++i) {
                    const std::string now = get_variable_of_label(file.handle, labels[i]);
                    if (i != edited || done) {
                        EXPECT_EQ(now, i != edited ? old_values[i] : new_values[i]) << labels[i];
                    }
                }
            }
}

TEST(RemoveFromFile, ShiftsTheWholeRestBothWays)
{
    std::string rest = crlf(long_block(80)) + "\x1A tail";
    StoreFile file("0123456789" + rest);
    EXPECT_EQ(remove_from_file(file.handle, 3, 0), 0);
    EXPECT_EQ(remove_from_file(file.handle, 3, 5), 0);
    EXPECT_EQ(file.bytes(), "01289" + rest);
    EXPECT_EQ(remove_from_file(file.handle, 3, -5), 0);
    EXPECT_EQ(file.bytes().substr(0, 3), "012");
    EXPECT_EQ(file.bytes().substr(8), "89" + rest);
    // Past the end it removes what there is.
    EXPECT_EQ(remove_from_file(file.handle, 2, 1 << 30), 0);
    EXPECT_EQ(file.bytes(), "01");
    EXPECT_EQ(remove_from_file(file.handle, 5, 1), -1);
}

TEST(LineEntries, MatchWholeLinesFromTheFirstOn)
{
    StoreFile file(crlf("Colour=red\n[Window]\nxWidth=1\nWidth=640\n\n[Other]\nWidth=2"));
    EXPECT_EQ(label_exists(file.handle, "Colour"), 1);
    EXPECT_EQ(label_exists(file.handle, "Width"), 1);
    EXPECT_EQ(label_exists(file.handle, "Col"), 0);
    EXPECT_EQ(label_exists(-1, "A"), 0);
    LONG window = get_section_pos(file.handle, "[Window]");
    EXPECT_EQ(window, 22);
    EXPECT_EQ(get_section_pos(file.handle, "[Wind"), -1);
    EXPECT_EQ(get_section_pos(file.handle, "Colour=red"), 12);
    EXPECT_EQ(get_section_pos(-1, "[A]"), -1);
    EXPECT_STREQ(get_variable_in_section(file.handle, window, "Width"), "640");
    LONG other = get_section_pos(file.handle, "[Other]");
    EXPECT_STREQ(get_variable_in_section(file.handle, other, "Width"), "2");
    EXPECT_STREQ(get_variable_in_section(file.handle, other, "Height"), "");
}

// Over no file, a short and a long one: the old bytes or the whole new text,
// never a mix; the answer says which; no temporary file left
// (safe_save_faults.txt).
TEST(SafeSave, EveryFaultLeavesTheOldFileOrTheWholeNewOne)
{
    const std::string olds[] = {"", crlf("old\n"), crlf(std::string(5000, 'o') + "\n")};
    std::string seen;
    for (const std::string &old : olds)
        for (bool folder_read_only : {false, true})
            for (const Fault &fault : faults_on_the_way()) seen += outcome(old, folder_read_only, fault);
    EXPECT_TRUE(matches_expected_text(seen, "safe_save_faults.txt"));
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
