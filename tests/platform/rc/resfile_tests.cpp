// The .res reader: entry headers, names, alignment and refusal of images whose
// lengths run past their end.
#include "platform/rc/bytes.h"
#include "rc/resfile.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// One entry: header with the given type and name (a string, or "#n" for an
// ordinal), then the data and the padding to a DWORD boundary.
void add_entry(Bytes &out, const std::string &type, const std::string &name, const std::string &data,
               WORD language = 0x0409)
{
    Bytes header;
    for (const std::string *field : {&type, &name}) {
        if ((*field)[0] == '#')
            header.word(0xFFFF).word(static_cast<WORD>(std::stoi(field->substr(1))));
        else
            header.str(*field);
    }
    header.align4().dword(0).word(0x1030).word(language).dword(7).dword(9);
    out.dword(static_cast<DWORD>(data.size())).dword(static_cast<DWORD>(8 + header.v.size()));
    out.v.insert(out.v.end(), header.v.begin(), header.v.end());
    out.v.insert(out.v.end(), data.begin(), data.end());
    out.align4();
}

Bytes sample_image()
{
    Bytes image;
    add_entry(image, "#0", "#0", "");          // the empty entry that opens a .res
    add_entry(image, "#10", "ODD", "12345");   // odd name length and odd data length
    add_entry(image, "MYTYPE", "#7", "xy", 0x0407);
    return image;
}

std::string text_of(const rc::ResEntry &e)
{
    return std::string(reinterpret_cast<const char *>(e.data), e.size);
}

} // namespace

TEST(ResFile, ReadsHandMadeEntriesAcrossAlignmentPadding)
{
    Bytes image = sample_image();
    std::vector<rc::ResEntry> entries;
    std::string error;
    ASSERT_TRUE(rc::read_res(image.v.data(), image.v.size(), entries, &error)) << error;
    ASSERT_EQ(entries.size(), 2u);   // the empty opening entry is left out

    EXPECT_TRUE(entries[0].type.isOrdinal);
    EXPECT_EQ(entries[0].type.ordinal, 10);
    EXPECT_FALSE(entries[0].name.isOrdinal);
    EXPECT_EQ(entries[0].name.name, "ODD");
    EXPECT_EQ(text_of(entries[0]), "12345");
    EXPECT_EQ(entries[0].memoryFlags, 0x1030);
    EXPECT_EQ(entries[0].language, 0x0409);
    EXPECT_EQ(entries[0].version, 7u);
    EXPECT_EQ(entries[0].characteristics, 9u);

    EXPECT_EQ(entries[1].type.name, "MYTYPE");
    EXPECT_EQ(entries[1].name.ordinal, 7);
    EXPECT_EQ(entries[1].language, 0x0407);
    EXPECT_EQ(text_of(entries[1]), "xy");
}

TEST(ResFile, AcceptsAFinalEntryWithoutItsPadding)
{
    Bytes image = sample_image();
    image.v.resize(image.v.size() - 2);   // "xy" was padded with two bytes
    std::vector<rc::ResEntry> entries;
    ASSERT_TRUE(rc::read_res(image.v.data(), image.v.size(), entries, nullptr));
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(text_of(entries[1]), "xy");
}

TEST(ResFile, ReadsTheCompiledTestScript)
{
    size_t size;
    const unsigned char *image = test_res(&size);
    std::vector<rc::ResEntry> entries;
    std::string error;
    ASSERT_TRUE(rc::read_res(image, size, entries, &error)) << error;
    EXPECT_EQ(entries.size(), 9u);

    int dialogs = 0, menus = 0, languagesOf300 = 0;
    for (const rc::ResEntry &e : entries) {
        ASSERT_TRUE(e.type.isOrdinal);
        dialogs += e.type.ordinal == 5;
        menus += e.type.ordinal == 4;
        languagesOf300 += e.name.isOrdinal && e.name.ordinal == 300;
        EXPECT_EQ(reinterpret_cast<uintptr_t>(e.data) % 4, reinterpret_cast<uintptr_t>(image) % 4);
        if (!e.name.isOrdinal && e.name.name == "NAMED") {
            EXPECT_EQ(text_of(e), "abc");
        }
    }
    EXPECT_EQ(dialogs, 3);
    EXPECT_EQ(menus, 2);
    EXPECT_EQ(languagesOf300, 3);
}

TEST(ResFile, RefusesLengthsThatRunPastTheEnd)
{
    struct Case {
        const char *what;
        size_t offset;   // within the second entry's header
        DWORD value;
        const char *expected;
    };
    const Case cases[] = {
        {"data size past the end", 0, 0xFFFFFFF0u, "data size"},
        {"data size one byte too long", 0, 0, "data size"},   // value filled in below
        {"header size below its own fields", 4, 4, "header size"},
        {"header size past the end", 4, 0x10000, "header size"},
        {"header too short for the name", 4, 16, "header size"},
    };
    for (const Case &c : cases) {
        Bytes image = sample_image();
        size_t second = 32;
        DWORD value = c.value, headerSize;
        std::memcpy(&headerSize, &image.v[second + 4], 4);
        if (value == 0)
            value = static_cast<DWORD>(image.v.size() - second - headerSize + 1);
        std::memcpy(&image.v[second + c.offset], &value, 4);
        std::vector<rc::ResEntry> entries;
        std::string error;
        EXPECT_FALSE(rc::read_res(image.v.data(), image.v.size(), entries, &error)) << c.what;
        EXPECT_NE(error.find(c.expected), std::string::npos) << c.what << ": " << error;
    }
}

TEST(ResFile, EveryTruncationIsRefusedOrEndsOnAnEntryBoundary)
{
    size_t size;
    const unsigned char *image = test_res(&size);
    std::vector<rc::ResEntry> all;
    ASSERT_TRUE(rc::read_res(image, size, all, nullptr));

    size_t accepted = 0;
    for (size_t n = 0; n < size; n++) {
        std::vector<unsigned char> prefix(image, image + n);
        std::vector<rc::ResEntry> entries;
        std::string error;
        if (!rc::read_res(prefix.data(), n, entries, &error)) {
            EXPECT_FALSE(error.empty()) << n;
            continue;
        }
        accepted++;
        // What a shorter image yields is the first entries of the whole, each
        // wholly inside the prefix, and the prefix ends at most in the padding
        // of the last of them (or of the opening empty entry).
        ASSERT_LE(entries.size(), all.size());
        size_t lastEnd = n == 0 ? 0 : 32;
        for (size_t i = 0; i < entries.size(); i++) {
            EXPECT_EQ(entries[i].size, all[i].size) << n;
            lastEnd = static_cast<size_t>(entries[i].data - prefix.data()) + entries[i].size;
            EXPECT_LE(lastEnd, n);
        }
        EXPECT_LT(n - lastEnd, 4u) << n;
    }
    // At least the empty image and the end of every entry but the last.
    EXPECT_GE(accepted, all.size());
}
