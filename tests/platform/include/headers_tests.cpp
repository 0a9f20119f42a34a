// The program must find each C runtime name in the header Windows declares
// it in, or the same source that builds here fails to build with MinGW's
// headers. <io.h> alone gives the calls, not the flags of _open.
#include <io.h>

#if defined(_O_RDONLY) || defined(_O_TEXT) || defined(_O_BINARY) || defined(_S_IREAD) || defined(_S_IWRITE)
#error "<io.h> names what Windows keeps in <fcntl.h> and <sys/stat.h>"
#endif

#include <fcntl.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

// The values are Microsoft's, whatever the host's O_ and S_ bits are.
TEST(CrtHeaders, OpenFlagsAndModesComeFromFcntlAndStatWithWindowsValues)
{
    EXPECT_EQ(0x0000, _O_RDONLY);
    EXPECT_EQ(0x0001, _O_WRONLY);
    EXPECT_EQ(0x0002, _O_RDWR);
    EXPECT_EQ(0x0008, _O_APPEND);
    EXPECT_EQ(0x0100, _O_CREAT);
    EXPECT_EQ(0x0200, _O_TRUNC);
    EXPECT_EQ(0x0400, _O_EXCL);
    EXPECT_EQ(0x4000, _O_TEXT);
    EXPECT_EQ(0x8000, _O_BINARY);
    EXPECT_EQ(0x0100, _S_IREAD);
    EXPECT_EQ(0x0080, _S_IWRITE);
}
