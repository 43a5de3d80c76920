// A full or failing disk under the daily log, and the log directory taken away while the window
// runs: earlier entries stay byte for byte, the writer goes on or stops as its rules say.
#include <cerrno>
#include <filesystem>

#include <gtest/gtest.h>

#include "form/Controls.h"
#include "log/LogWriter.h"
#include "platform/WriteFault.h"
#include "pos/SequenceStore.h"
#include "support/FlowHarness.h"

namespace nt {
namespace {

using test::FlowHarness;
using test::ReadFile;
using test::Response;
namespace fs = std::filesystem;

const std::string kDaily = "QUORLIN_LOGS/CAN03072026.log";  // the ManualClock's date

std::string Entry(const std::string& line) {
    return "[09:15:02]" + line + "\r\n----------\r\n";
}

class DailyLogFault : public ::testing::Test {
  protected:
    void SetUp() override { fs::create_directory(kLogDirectory); }
    test::TempDir dir_;
    ManualClock clock_;
};

TEST_F(DailyLogFault, FailedWriteDropsTheRestOfItsBatchOnlyAndKeepsEarlierEntries) {
    CLogWriter writer(kLogDirectory, clock_);
    LogLine(writer, "one");
    LogLine(writer, "two");
    ASSERT_TRUE(writer.Flush());
    const std::string earlier = Entry("one") + Entry("two");
    ASSERT_EQ(ReadFile(kDaily), earlier);

    writer.Pause();  // one batch of two lines, cut after 7 bytes
    LogLine(writer, "three");
    LogLine(writer, "four");
    {
        ScopedWriteFault fault({"/CAN03072026.log", 7, ENOSPC});
        writer.Resume();
        EXPECT_TRUE(writer.Flush());
    }
    EXPECT_FALSE(writer.Stopped());
    EXPECT_EQ(ReadFile(kDaily), earlier + Entry("three").substr(0, 7));

    LogLine(writer, "five");
    ASSERT_TRUE(writer.Flush());
    EXPECT_EQ(ReadFile(kDaily), earlier + Entry("three").substr(0, 7) + Entry("five"));
}

TEST_F(DailyLogFault, DiskFullFromTheStartLosesTheBatchAndTheWriterGoesOn) {
    test::WriteFile(kDaily, "yesterday's run\r\n");
    CLogWriter writer(kLogDirectory, clock_);
    {
        ScopedWriteFault fault({"/CAN03072026.log", 0, EIO});
        for (int i = 0; i < 50; ++i) {
            LogLine(writer, "lost %d", i);
        }
        EXPECT_TRUE(writer.Flush());
    }
    EXPECT_EQ(ReadFile(kDaily), "yesterday's run\r\n");
    EXPECT_TRUE(LogLine(writer, "back"));
    ASSERT_TRUE(writer.Flush());
    EXPECT_EQ(ReadFile(kDaily), "yesterday's run\r\n" + Entry("back"));
}

TEST_F(DailyLogFault, FullReceiptFileDoesNotTouchTheDailyLog) {
    test::WriteFile("QUORLIN_LOGS/Receipt.txt", "old receipt\r\n");
    CLogWriter writer(kLogDirectory, clock_);
    LogLine(writer, "command");
    {
        ScopedWriteFault fault({"/Receipt.txt", 0, ENOSPC});
        LogTrace(writer, "Receipt", "line 1");
        LogTrace(writer, "Receipt", "line 2");
        ASSERT_TRUE(writer.Flush());
    }
    EXPECT_EQ(ReadFile("QUORLIN_LOGS/Receipt.txt"), "old receipt\r\n");
    EXPECT_EQ(ReadFile(kDaily), Entry("command"));
    LogTrace(writer, "Receipt", "line 3");
    ASSERT_TRUE(writer.Flush());
    EXPECT_EQ(ReadFile("QUORLIN_LOGS/Receipt.txt"), "old receipt\r\nline 3\r\n");
}

// Stops the process-wide writer for good, so it runs in a process of its own.
void RemoveLogDirectoryWhileRunning() {
    FlowHarness h;
    h.Reply(Response("0010010020", "<RefNo>1</RefNo>"));
    h.dlg->OnCommand(id::kSale);
    ASSERT_NE(h.DailyLog().find("<RefNo>1</RefNo>"), std::string::npos);

    fs::remove_all(kLogDirectory);
    h.Reply(Response("0010010030", "<RefNo>2</RefNo><PrintData><Line1>X</Line1></PrintData>"));
    h.dlg->OnCommand(id::kSale);
    EXPECT_FALSE(GetLogWriter().Flush());
    EXPECT_TRUE(GetLogWriter().Stopped());
    EXPECT_EQ(h.form.Text(id::kRefNumber), "2");  // the command itself was not hurt
    EXPECT_EQ(ReadFile(kSequenceFileName), "0010010030");
    EXPECT_EQ(h.op.receiptTexts.size(), 1u);
    h.dlg->OnCommand(id::kExit);
    EXPECT_TRUE(h.dlg->Closed());
    EXPECT_FALSE(fs::exists(kLogDirectory));  // the writer never creates it
}

TEST(LogDirectoryRemoved, WindowGoesOnWithoutLoggingAndNeverRecreatesIt) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            RemoveLogDirectoryWhileRunning();
            std::_Exit(::testing::Test::HasFailure() ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace nt
