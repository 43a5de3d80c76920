#include "platform/WriteFault.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include <gtest/gtest.h>

#include "platform/TextFile.h"
#include "support/TempDir.h"

namespace nt {
namespace {

using test::Entries;
using test::ReadFile;
using test::WriteFile;

TEST(WriteFault, BudgetCutsTheCrossingWriteShortThenFailsWithTheChosenError) {
    test::TempDir dir;
    int fd = ::open("f", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    {
        ScopedWriteFault fault({"", 4, ENOSPC});
        EXPECT_EQ(WriteSome(fd, "abc", 3), 3);
        EXPECT_EQ(WriteSome(fd, "defg", 4), 1);  // one byte left of the budget
        errno = 0;
        EXPECT_EQ(WriteSome(fd, "h", 1), -1);
        EXPECT_EQ(errno, ENOSPC);
        EXPECT_EQ(WriteFaultBytesPassed(), 4u);
    }
    EXPECT_EQ(WriteSome(fd, "Z", 1), 1);  // disarmed: plain writes again
    ::close(fd);
    EXPECT_EQ(ReadFile("f"), "abcdZ");
}

TEST(WriteFault, OnlyFilesWhosePathMatchesFail) {
    test::TempDir dir;
    ScopedWriteFault fault({"/victim", 0, EIO});
    EXPECT_TRUE(WriteFileAtomic("bystander", "fine"));
    EXPECT_FALSE(WriteFileAtomic("victim", "lost"));
    EXPECT_EQ(ReadFile("bystander"), "fine");
    EXPECT_EQ(ReadFile("victim"), "<missing>");
}

TEST(WriteFault, AtomicWriteKeepsTheOldFileAndLeavesNoTemporaryAtEveryCut) {
    test::TempDir dir;
    const std::string old = "0010010020";
    const std::string next = "0010010030";
    for (int error : {ENOSPC, EIO}) {
        for (size_t budget = 0; budget < next.size(); ++budget) {
            WriteFile("seq", old);
            {
                ScopedWriteFault fault({"/seq", budget, error});
                EXPECT_FALSE(WriteFileAtomic("seq", next)) << budget;
            }
            EXPECT_EQ(ReadFile("seq"), old) << budget;
            EXPECT_EQ(Entries(), std::vector<std::string>{"seq"}) << budget;
        }
    }
    EXPECT_TRUE(WriteFileAtomic("seq", next));  // and it works again once the disk has room
    EXPECT_EQ(ReadFile("seq"), next);
}

TEST(WriteFault, ExclusiveAppendKeepsEarlierBytesAndReportsTheFailure) {
    test::TempDir dir;
    WriteFile("log", "earlier\r\n");
    {
        ScopedWriteFault fault({"/log", 3, ENOSPC});
        EXPECT_FALSE(WriteFileExclusive("log", "appended\r\n", true));
    }
    EXPECT_EQ(ReadFile("log"), "earlier\r\napp");  // what a full disk took, nothing before it
    EXPECT_TRUE(WriteFileExclusive("log", "more", true));
    EXPECT_EQ(ReadFile("log"), "earlier\r\nappmore");
}

}  // namespace
}  // namespace nt
