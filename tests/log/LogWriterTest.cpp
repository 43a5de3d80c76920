#include "log/LogWriter.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

#include "log/LogFailureWatch.h"
#include "support/TempDir.h"

namespace nt {
namespace {

using test::ReadFile;
using test::WriteFile;
namespace fs = std::filesystem;

const std::string kDaily = "QUORLIN_LOGS/CAN03072026.log";  // the ManualClock's 7 March 2026
const std::string kReceipt = "QUORLIN_LOGS/Receipt.txt";

std::string Entry(const std::string& line) {
    return line + "\r\n----------\r\n";
}

// Holds a file the way another program would: open and exclusive lock.
class ForeignLock {
  public:
    explicit ForeignLock(const std::string& path)
        : fd_(::open(path.c_str(), O_WRONLY | O_CREAT, 0644)) {
        EXPECT_EQ(::flock(fd_, LOCK_EX | LOCK_NB), 0);
    }
    ~ForeignLock() { ::close(fd_); }

  private:
    int fd_;
};

class LogWriterTest : public ::testing::Test {
  protected:
    void SetUp() override { fs::create_directory(kLogDirectory); }

    test::TempDir dir_;
    ManualClock clock_;
    std::string receipt_ = "Receipt";  // the receipt file name lines are queued for
};

TEST_F(LogWriterTest, EntriesAreAppendedInCallOrderByteForByte) {
    test::WriteFile(kDaily, "old\r\n");
    std::string expected = "old\r\n";
    {
        CLogWriter writer(kLogDirectory, clock_);
        EXPECT_TRUE(LogLine(writer, "Startup %s", "Nord Teller Version 1.11"));
        expected += Entry("[09:15:02]Startup Nord Teller Version 1.11");
        EXPECT_TRUE(LogLine(writer, "A TranType=Administrative B"));
        expected += Entry("[09:15:02]A B");
        EXPECT_TRUE(LogLine(writer, "%s", "req\r\n<a>100%</a>\n"));
        expected += Entry("[09:15:02]req\r\r\n<a>100%</a>\r\n");
        EXPECT_TRUE(LogLine(writer, "nul%cin", '\0'));
        expected += Entry(std::string("[09:15:02]nul\0in", 16));
        const std::string huge(3u << 20, 'h');
        EXPECT_TRUE(LogLine(writer, "%s", huge.c_str()));
        expected += Entry("[09:15:02]" + huge);
        for (int i = 0; i < 5000; ++i) {
            clock_.SetNow({2026, 3, 7, 10, i / 60 % 60, i % 60});
            EXPECT_TRUE(LogLine(writer, "call %d", i));
            char stamp[16];
            std::snprintf(stamp, sizeof stamp, "[10:%02d:%02d]", i / 60 % 60, i % 60);
            expected += Entry(stamp + ("call " + std::to_string(i)));
        }
        ASSERT_TRUE(writer.Flush());
    }
    EXPECT_EQ(ReadFile(kDaily), expected);
}

TEST_F(LogWriterTest, ReceiptLinesAreVerbatimAndGoToTheNamedFile) {
    CLogWriter writer(kLogDirectory, clock_);
    EXPECT_TRUE(LogTrace(writer, receipt_, "  TOTAL  100% %s %n"));
    EXPECT_TRUE(LogTrace(writer, receipt_, ""));
    EXPECT_TRUE(LogTrace(writer, receipt_, std::string_view("a\0b\n", 4)));
    ASSERT_TRUE(writer.Flush());
    EXPECT_EQ(ReadFile(kReceipt), std::string("  TOTAL  100% %s %n\r\n\r\na") + '\0' + "b\r\n\r\n");

    receipt_ = "case 12";
    EXPECT_TRUE(LogTrace(writer, receipt_, "line"));
    ASSERT_TRUE(writer.Flush());
    EXPECT_EQ(ReadFile("QUORLIN_LOGS/case 12.txt"), "line\r\n");
    EXPECT_FALSE(fs::exists(kDaily));  // receipt lines alone never open the daily log

    // The name is Windows-1252 text; the file's name is its UTF-8 form, ALT form included.
    receipt_ = "Caf\xE9 \x80";
    EXPECT_TRUE(LogTrace(writer, receipt_, "utf"));
    ASSERT_TRUE(writer.Flush());
    {
        ForeignLock taken("QUORLIN_LOGS/Caf\xC3\xA9 \xE2\x82\xAC.txt");
        EXPECT_TRUE(LogTrace(writer, receipt_, "alt"));
        ASSERT_TRUE(writer.Flush());
    }
    EXPECT_EQ(ReadFile("QUORLIN_LOGS/Caf\xC3\xA9 \xE2\x82\xAC.txt"), "utf\r\n");
    EXPECT_EQ(ReadFile("QUORLIN_LOGS/ALTCaf\xC3\xA9 \xE2\x82\xAC.txt"), "alt\r\n");
    EXPECT_FALSE(fs::exists("QUORLIN_LOGS/Caf\xE9 \x80.txt"));
}

TEST_F(LogWriterTest, LockedReceiptFileFallsBackToAltThenDropsAndGoesOn) {
    CLogWriter writer(kLogDirectory, clock_);
    {
        ForeignLock receipt(kReceipt);
        LogTrace(writer, receipt_, "to alt");
        ASSERT_TRUE(writer.Flush());
        ForeignLock alt("QUORLIN_LOGS/ALTReceipt.txt");
        LogTrace(writer, receipt_, "dropped");
        ASSERT_TRUE(writer.Flush());
    }
    LogTrace(writer, receipt_, "back");
    EXPECT_TRUE(LogLine(writer, "still running"));
    ASSERT_TRUE(writer.Flush());
    EXPECT_EQ(ReadFile("QUORLIN_LOGS/ALTReceipt.txt"), "to alt\r\n");
    EXPECT_EQ(ReadFile(kReceipt), "back\r\n");
    EXPECT_EQ(ReadFile(kDaily), Entry("[09:15:02]still running"));
}

// Mended: a name the file system refuses does not lose the receipt.
TEST_F(LogWriterTest, ReceiptNameTheFileSystemRefusesFallsBackToReceiptTxt) {
    CLogWriter writer(kLogDirectory, clock_);
    receipt_ = std::string(300, 'x');
    LogTrace(writer, receipt_, "kept");
    ASSERT_TRUE(writer.Flush());
    receipt_ = "Receipt";
    EXPECT_EQ(ReadFile(kReceipt), "kept\r\n");
    {
        ForeignLock receipt(kReceipt);
        receipt_ = std::string(300, 'y');
        LogTrace(writer, receipt_, "alt");
        ASSERT_TRUE(writer.Flush());
        receipt_ = "Receipt";
    }
    EXPECT_EQ(ReadFile("QUORLIN_LOGS/ALTReceipt.txt"), "alt\r\n");
}

TEST_F(LogWriterTest, LinesQueuedBeforeMidnightLandInTheNewDatesFile) {
    CLogWriter writer(kLogDirectory, clock_);
    clock_.SetNow({2026, 3, 6, 23, 59, 59});
    writer.Pause();
    LogLine(writer, "late");
    clock_.SetNow({2027, 1, 1, 0, 0, 1});
    LogLine(writer, "early");
    writer.Resume();
    ASSERT_TRUE(writer.Flush());
    EXPECT_EQ(ReadFile("QUORLIN_LOGS/CAN01012027.log"),
              Entry("[23:59:59]late") + Entry("[00:00:01]early"));
    EXPECT_FALSE(fs::exists("QUORLIN_LOGS/CAN03062026.log"));
}

// Mended: a LogLine no longer discards receipt lines the writer has not taken yet, and each
// receipt line keeps the file name that was current when it was queued.
TEST_F(LogWriterTest, ReceiptLinesSurviveLogLineAndKeepTheirFileName) {
    CLogWriter writer(kLogDirectory, clock_);
    writer.Pause();
    receipt_ = "A";
    LogTrace(writer, receipt_, "a1");
    LogLine(writer, "command");
    receipt_ = "B";
    LogTrace(writer, receipt_, "b1");
    receipt_ = "A";
    LogTrace(writer, receipt_, "a2");
    receipt_ = "C";
    writer.Resume();
    ASSERT_TRUE(writer.Flush());
    EXPECT_EQ(ReadFile("QUORLIN_LOGS/A.txt"), "a1\r\na2\r\n");
    EXPECT_EQ(ReadFile("QUORLIN_LOGS/B.txt"), "b1\r\n");
    EXPECT_FALSE(fs::exists("QUORLIN_LOGS/C.txt"));
}

TEST_F(LogWriterTest, FinalPassWritesWhatWasQueuedBeforeDestruction) {
    {
        CLogWriter writer(kLogDirectory, clock_);
        writer.Pause();  // nothing is taken until the destructor's last pass
        LogLine(writer, "Shutdown %s", "x");
        LogTrace(writer, receipt_, "r");
    }
    EXPECT_EQ(ReadFile(kDaily), Entry("[09:15:02]Shutdown x"));
    EXPECT_EQ(ReadFile(kReceipt), "r\r\n");
}

TEST_F(LogWriterTest, DailyLogThatCannotBeOpenedStopsLoggingForGood) {
    fs::remove(kLogDirectory);
    CLogWriter writer(kLogDirectory, clock_);
    LogTrace(writer, receipt_, "receipt only");  // a failing receipt file does not stop the writer
    EXPECT_TRUE(writer.Flush());
    EXPECT_FALSE(writer.Stopped());
    EXPECT_TRUE(LogLine(writer, "first"));
    EXPECT_FALSE(writer.Flush());
    EXPECT_TRUE(writer.Stopped());
    EXPECT_FALSE(LogLine(writer, "later"));
    EXPECT_FALSE(LogTrace(writer, receipt_, "later"));
    fs::create_directory(kLogDirectory);
    EXPECT_FALSE(writer.Flush());
    EXPECT_TRUE(fs::is_empty(kLogDirectory));
}

TEST_F(LogWriterTest, RemovedDirectoryOrLockedDailyLogStopsTheWriter) {
    CLogWriter removed(kLogDirectory, clock_);
    LogLine(removed, "one");
    ASSERT_TRUE(removed.Flush());
    fs::remove_all(kLogDirectory);
    LogLine(removed, "two");
    EXPECT_FALSE(removed.Flush());
    EXPECT_FALSE(LogLine(removed, "three"));
    EXPECT_FALSE(fs::exists(kLogDirectory));

    fs::create_directory(kLogDirectory);
    ForeignLock daily(kDaily);
    CLogWriter locked(kLogDirectory, clock_);
    LogLine(locked, "lost");
    LogTrace(locked, receipt_, "lost with its batch");
    EXPECT_FALSE(locked.Flush());
    EXPECT_TRUE(locked.Stopped());
    EXPECT_EQ(ReadFile(kDaily), "");
    EXPECT_FALSE(fs::exists(kReceipt));
}

// Each way the log folder can be unusable stops the writer with a reason naming the file; the
// watch tells it once, and an orderly stop is no failure.
TEST_F(LogWriterTest, StopReasonNamesTheDailyLogAndTheSystemsReason) {
    const std::string daily = "/CAN03072026.log: ";
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[] { WriteFile("logs", ""); }, "logs" + daily + "Not a directory"},
        {[] { fs::create_directory_symlink("gone", "logs"); },
         "logs" + daily + "the log folder logs is missing"},
        {[] { fs::create_directories("logs/CAN03072026.log"); }, "logs" + daily + "Is a directory"},
    };
    for (const auto& [make, reason] : cases) {
        fs::remove_all("logs");
        make();
        CLogWriter writer("logs", clock_);
        LogFailureWatch watch(writer);
        EXPECT_EQ(watch.Poll(), std::nullopt);  // nothing tried yet
        LogLine(writer, "Startup");
        EXPECT_FALSE(writer.Flush());
        EXPECT_EQ(watch.Poll(), "logging stopped: cannot open " + reason);
        EXPECT_EQ(watch.Poll(), std::nullopt);
    }
    CLogWriter fine(kLogDirectory, clock_);
    LogFailureWatch fineWatch(fine);
    LogLine(fine, "x");
    ASSERT_TRUE(fine.Flush());
    EXPECT_EQ(fineWatch.Poll(), std::nullopt);

    ForeignLock held(kDaily);
    CLogWriter locked(kLogDirectory, clock_);
    LogLine(locked, "x");
    EXPECT_FALSE(locked.Flush());
    EXPECT_EQ(locked.StopReason(), "cannot open " + kDaily + ": in use by another program");
}

// A clock whose next Now() blocks until opened, to hold the writer thread inside a pass.
class GateClock : public ManualClock {
  public:
    LocalTime Now() override {
        std::unique_lock lock(mutex_);
        if (armed_) {
            armed_ = false;
            changed_.wait(lock, [this] { return open_; });
        }
        return ManualClock::Now();
    }
    void Arm() { Set(armed_, true); }
    void Open() { Set(open_, true); }

  private:
    void Set(bool& flag, bool value) {
        std::lock_guard lock(mutex_);
        flag = value;
        changed_.notify_all();
    }
    std::mutex mutex_;
    std::condition_variable changed_;
    bool armed_ = false;
    bool open_ = false;
};

TEST_F(LogWriterTest, WriterThatOutlivesTheStopWaitFinishesOnItsOwn) {
    GateClock clock;
    auto writer = std::make_unique<CLogWriter>(kLogDirectory, clock, std::chrono::milliseconds(20));
    writer->Pause();
    LogLine(*writer, "after the wait");
    clock.Arm();     // the last pass blocks when it reads the date
    writer.reset();  // gives up after 20 ms and leaves the thread running
    EXPECT_FALSE(fs::exists(kDaily));
    clock.Open();
    // The detached thread must still write the batch from its own state (ASan checks the rest).
    std::string content;
    for (int i = 0; i < 10000 && content != Entry("[09:15:02]after the wait"); ++i) {
        usleep(1000);
        content = ReadFile(kDaily);
    }
    EXPECT_EQ(content, Entry("[09:15:02]after the wait"));
}

TEST_F(LogWriterTest, ProcessWideWriterWritesIntoTheLogDirectory) {
    CLogWriter& writer = GetLogWriter();
    EXPECT_EQ(&writer, &GetLogWriter());
    receipt_ = "pw";
    ASSERT_TRUE(LogTrace(writer, receipt_, "shared"));
    ASSERT_TRUE(writer.Flush());
    EXPECT_EQ(ReadFile("QUORLIN_LOGS/pw.txt"), "shared\r\n");
}

}  // namespace
}  // namespace nt
