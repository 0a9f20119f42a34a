// Directory search: Windows wildcards without regard to case, names sorted
// without regard to case, names without their folder.
#include <io.h>

#include "crt/faults.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

using testsupport::TempDir;
using testsupport::write_bytes;

namespace {

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

TEST(FindFirst, MatchesWithoutRegardToCaseAndSortsTheNamesOrFails)
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
}

TEST(FindFirst, SkipsAnEntryThatVanishesAfterTheListing)
{
    TempDir dir;
    write_bytes("a.SCS", "x");
    write_bytes("b.SCS", "x");
    write_bytes("c.SCS", "x");
    _finddata_t info;
    intptr_t handle = _findfirst("*.SCS", &info);
    ASSERT_NE(handle, -1);
    std::remove("b.SCS");
    ASSERT_EQ(_findnext(handle, &info), 0);
    EXPECT_STREQ(info.name, "c.SCS");
    _findclose(handle);
}
