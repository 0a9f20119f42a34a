// The label-value store in texts and in files opened in text mode.
#include "util/labelstore.h"

#include <io.h>

#include "crt/faults.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <string>

using testsupport::crlf;
using testsupport::read_bytes;
using testsupport::TempDir;
using testsupport::write_bytes;

namespace {

// A file holding `bytes`, opened for reading and writing in text mode.
class StoreFile {
public:
    explicit StoreFile(const std::string &bytes)
    {
        write_bytes("store.txt", bytes);
        handle = _open("store.txt", _O_RDWR | _O_TEXT);
    }
    ~StoreFile() { _close(handle); }
    std::string bytes() const { return read_bytes("store.txt"); }

    int handle;
};

std::string long_block(size_t lines)
{
    std::string text;
    for (size_t i = 0; i < lines; ++i)
        text += "filler line " + std::to_string(i) + " with some words in it\n";
    return text;
}

} // namespace

/* ---- texts ----------------------------------------------------------- */

TEST(LabelStoreText, FindsTheFirstOccurrenceAnywhere)
{
    const char *text = "title=Two Paths\nsubtitle=x\ntitle=Second\n";
    EXPECT_EQ(get_label_end_pos_of_string(text, 0, "title="), 5);
    EXPECT_STREQ(get_variable_of_label_of_string(text, "title="), "Two Paths");
    // Not anchored: found inside a longer word.
    EXPECT_STREQ(get_variable_of_label_of_string("subtitle=x\n", "title="), "x");
    // Case matters.
    EXPECT_EQ(get_label_end_pos_of_string("Title=x", 0, "title="), -1);
    EXPECT_STREQ(get_variable_of_label_of_string("Title=x", "title="), "");
    // From a later start, a later occurrence.
    EXPECT_STREQ(get_variable_of_label_pos_of_string(text, get_label_end_pos_of_string(text, 6, "title="), "\n"),
                 "x");
}

TEST(LabelStoreText, ScanBacksUpAfterABrokenPartialMatch)
{
    EXPECT_EQ(get_label_end_pos_of_string("aab=1", 0, "ab="), 3);
    EXPECT_STREQ(get_variable_of_label_of_string("aab=1", "ab="), "1");
    EXPECT_EQ(get_label_end_pos_of_string("ababac", 0, "abac"), 5);
    EXPECT_EQ(get_label_end_pos_of_string("aaaab", 0, "aab"), 4);
    EXPECT_EQ(get_label_end_pos_of_string("NumCNumCards=3", 0, "NumCards="), 12);
    EXPECT_EQ(get_label_end_pos_of_string("abcabd", 0, "abd"), 5);
}

TEST(LabelStoreText, ValuesEndAtTheEndCharacterOrTheText)
{
    EXPECT_STREQ(get_variable_of_label_of_string("A=\nB=2", "A="), "");
    EXPECT_STREQ(get_variable_of_label_of_string("A=\nB=2", "B="), "2");
    EXPECT_STREQ(get_variable_of_label_of_string("A=1\nB=2", "C="), "");
    EXPECT_STREQ(get_variable_of_label_with_end_char_of_string("m=one\ntwo*rest", "m=", "*"), "one\ntwo");
    EXPECT_STREQ(get_variable_of_label_with_end_char_of_string("m=one\ntwo", "m=", "*"), "one\ntwo");
    EXPECT_STREQ(get_variable_of_label_with_end_char_of_string("m=a\nb", "m=", ""), "a\nb");
    EXPECT_STREQ(get_variable_of_label_pos_of_string("abc", 2, "\n"), "");
    EXPECT_STREQ(get_variable_of_label_pos_of_string("abc", -1, "\n"), "abc");
}

TEST(LabelStoreText, NeverReadsPastTheTextOrWritesPastItsAreas)
{
    EXPECT_EQ(get_label_end_pos_of_string("ab", 10, "b"), -1);
    EXPECT_EQ(get_label_end_pos_of_string("ab", 0, ""), -1);
    EXPECT_STREQ(get_variable_of_label_pos_of_string("ab", 10, "\n"), "");
    std::string text = "v=" + std::string(5000, 'a') + "\n";
    EXPECT_EQ(std::string(get_variable_of_label_of_string(text.c_str(), "v=")), std::string(LABEL_VALUE_MAX, 'a'));
    // A label past 999 characters is cut to its first 999.
    std::string label(1500, 'k');
    std::string labelled = std::string(LABEL_VALUE_MAX, 'k') + "=v";
    EXPECT_EQ(get_label_end_pos_of_string(labelled.c_str(), 0, label.c_str()), LABEL_VALUE_MAX - 1);
}

TEST(LabelStoreText, SectionsAreEarlierLabels)
{
    const char *text = "size=1\n[B]\nsize=2\n";
    EXPECT_STREQ(get_variable_of_label_in_section_of_string(text, "[B]", "size="), "2");
    EXPECT_STREQ(get_variable_of_label_in_section_of_string(text, "[C]", "size="), "");
    EXPECT_STREQ(get_variable_of_label_in_section_with_end_char_of_strin("[B]m=a*b", "[B]", "m=", "*"), "a");
}

/* ---- files: reading -------------------------------------------------- */

TEST(LabelStoreFile, PositionsAreRawOffsetsJustAfterTheLabel)
{
    TempDir dir;
    StoreFile file(crlf("A=1\nB=22\n"));
    EXPECT_EQ(get_label_end_pos(file.handle, 0, "A="), 2);
    EXPECT_EQ(get_label_end_pos(file.handle, 0, "B="), 7);
    EXPECT_EQ(get_label_end_pos(file.handle, 8, "B="), -1);
    EXPECT_STREQ(get_variable_of_label_pos(file.handle, 7, "\n"), "22");
    EXPECT_STREQ(get_variable_of_label(file.handle, "A="), "1");
    EXPECT_STREQ(get_variable_of_label(file.handle, "C="), "");
}

TEST(LabelStoreFile, ScanBacksUpAndReadsToTheEnd)
{
    TempDir dir;
    StoreFile file("xaab=1\r\nababac=2");
    EXPECT_STREQ(get_variable_of_label(file.handle, "ab="), "1");
    EXPECT_STREQ(get_variable_of_label(file.handle, "abac="), "2");
    EXPECT_STREQ(get_variable_of_label_with_end_char(file.handle, "ab=", "*"), "1\nababac=2");
    EXPECT_STREQ(get_variable_of_label_in_section(file.handle, "ab=", "ab"), "abac=2");
    EXPECT_STREQ(get_variable_of_label_in_section_with_end_char(file.handle, "x", "ab", "="), "");
}

TEST(LabelStoreFile, AnInvalidHandleReadsEmptyAndChangesNothing)
{
    EXPECT_EQ(get_label_end_pos(-1, 0, "A="), -1);
    EXPECT_STREQ(get_variable_of_label(-1, "A="), "");
    EXPECT_STREQ(get_variable_of_label_pos(-1, 0, "\n"), "");
    EXPECT_EQ(set_variable_of_label(-1, "A=", "1"), -1);
    EXPECT_EQ(remove_from_file(-1, 0, 1), -1);
    EXPECT_EQ(label_exists(-1, "A"), 0);
    EXPECT_EQ(get_section_pos(-1, "[A]"), -1);
}

/* ---- files: rewriting ------------------------------------------------ */

TEST(LabelStoreFile, RewritesAValueInPlace)
{
    TempDir dir;
    StoreFile file(crlf("A=1\nB=22\n"));
    EXPECT_EQ(set_variable_of_label(file.handle, "A=", "333"), 0);
    EXPECT_EQ(file.bytes(), crlf("A=333\nB=22\n"));
    EXPECT_EQ(set_variable_of_label(file.handle, "A=", "1"), 0);
    EXPECT_EQ(file.bytes(), crlf("A=1\nB=22\n"));
    EXPECT_EQ(set_variable_of_label(file.handle, "A=", "x"), 0);
    EXPECT_EQ(file.bytes(), crlf("A=x\nB=22\n"));
    EXPECT_EQ(set_variable_of_label(file.handle, "B=", ""), 0);
    EXPECT_EQ(file.bytes(), crlf("A=x\nB=\n"));
}

TEST(LabelStoreFile, GrowsAndShrinksWithMoreThanAThousandBytesAfter)
{
    TempDir dir;
    std::string rest = long_block(60);   // about 2 kB, CR LF line ends
    StoreFile file(crlf("Head\nShowEditHelp=1\n" + rest + "Last=9\n"));
    ASSERT_GT(crlf(rest).size(), 1000u);
    EXPECT_EQ(set_variable_of_label(file.handle, "ShowEditHelp=", std::string(300, 'g').c_str()), 0);
    EXPECT_EQ(file.bytes(), crlf("Head\nShowEditHelp=" + std::string(300, 'g') + "\n" + rest + "Last=9\n"));
    EXPECT_EQ(set_variable_of_label(file.handle, "ShowEditHelp=", "0"), 0);
    EXPECT_EQ(file.bytes(), crlf("Head\nShowEditHelp=0\n" + rest + "Last=9\n"));
    EXPECT_STREQ(get_variable_of_label(file.handle, "Last="), "9");
}

TEST(LabelStoreFile, MovesHandEditedBytesUnchanged)
{
    TempDir dir;
    // Bare LF line ends, a lone CR and a Ctrl-Z with bytes after it.
    std::string rest = long_block(40) + "odd\rline\n" + "\x1A" + "after the end";
    StoreFile file("A=1\n" + rest);
    EXPECT_EQ(set_variable_of_label(file.handle, "A=", "12345"), 0);
    EXPECT_EQ(file.bytes(), "A=12345\r\n" + rest);
    EXPECT_EQ(set_variable_of_label(file.handle, "A=", ""), 0);
    EXPECT_EQ(file.bytes(), "A=\r\n" + rest);
}

TEST(LabelStoreFile, ALastLineWithoutLineEndGainsOne)
{
    TempDir dir;
    StoreFile file("A=1\r\nB=2");
    EXPECT_EQ(set_variable_of_label(file.handle, "B=", "345"), 0);
    EXPECT_EQ(file.bytes(), crlf("A=1\nB=345\n"));
}

TEST(LabelStoreFile, AMissingLabelIsAppendedAsALine)
{
    TempDir dir;
    {
        StoreFile file(crlf("A=1\n"));
        EXPECT_EQ(set_variable_of_label(file.handle, "B=", "2"), 0);
        EXPECT_EQ(file.bytes(), crlf("A=1\nB=2\n"));
    }
    {
        StoreFile file("A=1");
        EXPECT_EQ(set_variable_of_label(file.handle, "B=", "2"), 0);
        EXPECT_EQ(file.bytes(), crlf("A=1\nB=2\n"));
    }
    {
        StoreFile file("");
        EXPECT_EQ(set_variable_of_label(file.handle, "B=", "2"), 0);
        EXPECT_EQ(file.bytes(), crlf("B=2\n"));
    }
    {
        // The data ends at a Ctrl-Z: the line goes before it, where readers see it.
        StoreFile file(std::string("A=1\r\n\x1A", 6));
        EXPECT_EQ(set_variable_of_label(file.handle, "B=", "2"), 0);
        EXPECT_EQ(file.bytes(), crlf("A=1\nB=2\n") + "\x1A");
        EXPECT_STREQ(get_variable_of_label(file.handle, "B="), "2");
    }
}

// Found by fuzzing the settings file: a line added after data that ended in
// a NUL byte was glued to the last line, and rewriting that line's value then
// swallowed the added line.
TEST(LabelStoreFile, ALineAddedAfterATrailingNulKeepsItsOwnLine)
{
    TempDir dir;
    const std::string nul_ended("A=x\0", 4);
    StoreFile file(nul_ended);
    EXPECT_EQ(set_variable_of_label(file.handle, "B=", "2"), 0);
    EXPECT_EQ(file.bytes(), nul_ended + crlf("\nB=2\n"));
    EXPECT_EQ(set_variable_of_label(file.handle, "A=", "y"), 0);
    EXPECT_EQ(file.bytes(), crlf("A=y\nB=2\n"));
    EXPECT_STREQ(get_variable_of_label(file.handle, "B="), "2");
}

TEST(LabelStoreFile, HugeLabelsAndValuesAreCut)
{
    TempDir dir;
    StoreFile file(crlf("A=1\n"));
    std::string huge(3000, 'v');
    EXPECT_EQ(set_variable_of_label(file.handle, "A=", huge.c_str()), 0);
    EXPECT_EQ(file.bytes(), crlf("A=" + std::string(LABEL_VALUE_MAX, 'v') + "\n"));
    EXPECT_EQ(std::string(get_variable_of_label(file.handle, "A=")), std::string(LABEL_VALUE_MAX, 'v'));
}

TEST(LabelStoreFile, EndCharacterRewriteKeepsTheEndCharacter)
{
    TempDir dir;
    StoreFile file(crlf("m0=Your past*\nm1=two\nlines*\n"));
    EXPECT_EQ(set_variable_of_label_with_end_char(file.handle, "m1=", "one", "*"), 0);
    EXPECT_EQ(file.bytes(), crlf("m0=Your past*\nm1=one*\n"));
    EXPECT_EQ(set_variable_of_label_with_end_char(file.handle, "m0=", "a\nb", "*"), 0);
    EXPECT_EQ(file.bytes(), crlf("m0=a\nb*\nm1=one*\n"));
    EXPECT_STREQ(get_variable_of_label_with_end_char(file.handle, "m0=", "*"), "a\nb");
    // A missing label: label, value, end character and a line end.
    EXPECT_EQ(set_variable_of_label_with_end_char(file.handle, "m2=", "new", "*"), 0);
    EXPECT_EQ(file.bytes(), crlf("m0=a\nb*\nm1=one*\nm2=new*\n"));
}

TEST(LabelStoreFile, EndCharacterLineFeedKeepsTheLineEnd)
{
    TempDir dir;
    StoreFile file(crlf("A=1\nB=2\n"));
    EXPECT_EQ(set_variable_of_label_with_end_char(file.handle, "A=", "xyz", "\n"), 0);
    EXPECT_EQ(file.bytes(), crlf("A=xyz\nB=2\n"));
}

TEST(LabelStoreFile, SectionRewritesWorkAfterTheirSection)
{
    TempDir dir;
    StoreFile file(crlf("size=1\n[B]\nsize=2\nend=*\n"));
    EXPECT_EQ(set_variable_of_label_in_section(file.handle, "[B]", "size=", "20"), 0);
    EXPECT_EQ(file.bytes(), crlf("size=1\n[B]\nsize=20\nend=*\n"));
    EXPECT_EQ(set_variable_of_label_in_section_with_end_char(file.handle, "[B]", "end=", "e", "*"), 0);
    EXPECT_EQ(file.bytes(), crlf("size=1\n[B]\nsize=20\nend=e*\n"));
    // A label missing after its section goes right after the section's line.
    EXPECT_EQ(set_variable_of_label_in_section(file.handle, "size=1", "new=", "n"), 0);
    EXPECT_EQ(file.bytes(), crlf("size=1\nnew=n\n[B]\nsize=20\nend=e*\n"));
    // A missing section is added with the label.
    EXPECT_EQ(set_variable_of_label_in_section(file.handle, "[C]", "size=", "3"), 0);
    EXPECT_EQ(file.bytes(), crlf("size=1\nnew=n\n[B]\nsize=20\nend=e*\n[C]\nsize=3\n"));
    EXPECT_STREQ(get_variable_of_label_in_section(file.handle, "[C]", "size="), "3");
}

TEST(LabelStoreFile, SectionAtTheVeryEndGetsALineEndFirst)
{
    TempDir dir;
    StoreFile file("A=1\r\n[S]");
    EXPECT_EQ(set_variable_of_label_in_section(file.handle, "[S]", "k=", "v"), 0);
    EXPECT_EQ(file.bytes(), crlf("A=1\n[S]\nk=v\n"));
}

TEST(RemoveFromFile, ShiftsTheWholeRestBothWays)
{
    TempDir dir;
    std::string rest = crlf(long_block(80)) + "\x1A tail";
    StoreFile file("0123456789" + rest);
    EXPECT_EQ(remove_from_file(file.handle, 3, 0), 0);
    EXPECT_EQ(file.bytes(), "0123456789" + rest);
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

TEST(RemoveFromFile, AFullDiskStopsAGrowthBeforeAnythingMoves)
{
    TempDir dir;
    std::string before = crlf("A=1\n" + long_block(50));
    StoreFile file(before);
    faults::disk_full_after(10);
    EXPECT_EQ(set_variable_of_label(file.handle, "A=", std::string(100, 'x').c_str()), -1);
    EXPECT_EQ(file.bytes(), before);
    faults::reset();
    faults::fail(faults::Call::Write);
    EXPECT_EQ(set_variable_of_label(file.handle, "A=", "1"), -1);
}

/* ---- files: the older line-based entries ------------------------------ */

TEST(LineEntries, MatchWholeLinesFromTheFirstOn)
{
    TempDir dir;
    StoreFile file(crlf("Colour=red\n[Window]\nxWidth=1\nWidth=640\n\n[Other]\nWidth=2"));
    EXPECT_EQ(label_exists(file.handle, "Colour"), 1);
    EXPECT_EQ(label_exists(file.handle, "Width"), 1);
    EXPECT_EQ(label_exists(file.handle, "Col"), 0);
    EXPECT_EQ(label_exists(file.handle, "Height"), 0);
    LONG window = get_section_pos(file.handle, "[Window]");
    EXPECT_EQ(window, 22);
    EXPECT_EQ(get_section_pos(file.handle, "[Wind"), -1);
    EXPECT_EQ(get_section_pos(file.handle, "Colour=red"), 12);
    EXPECT_STREQ(get_variable_in_section(file.handle, window, "Width"), "640");
    LONG other = get_section_pos(file.handle, "[Other]");
    EXPECT_STREQ(get_variable_in_section(file.handle, other, "Width"), "2");
    EXPECT_STREQ(get_variable_in_section(file.handle, other, "Height"), "");
}
