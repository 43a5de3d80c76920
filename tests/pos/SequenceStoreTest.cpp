#include "pos/SequenceStore.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "log/LogWriter.h"
#include "support/TempDir.h"

namespace nt {
namespace {

using test::ReadFile;
using test::WriteFile;

class SequenceStoreTest : public ::testing::Test {
  protected:
    test::TempDir dir_;
    // A log without a folder stops at its first line: these tests leave no log behind.
    CLogWriter log_{"no-log-folder"};
    PosState state_;
    SequenceStore store_{state_, log_};
};

TEST(IsAllDigits, DigitsOnlyAndEmpty) {
    EXPECT_TRUE(IsAllDigits(""));
    EXPECT_TRUE(IsAllDigits("0123456789"));
    EXPECT_FALSE(IsAllDigits("12a4"));
    EXPECT_FALSE(IsAllDigits(" 1"));
    EXPECT_FALSE(
        IsAllDigits(std::string("1\0"
                                "2",
                                3)));
}

TEST_F(SequenceStoreTest, BadFirstLinesLoadAsDefault) {
    const char* bad[] = {"12345",       "00100a0010",   "00100100101",    "",
                         "0010010010 ", "0010010010\r", "\r\n0010010020", " 0010010020"};
    for (const char* content : bad) {
        WriteFile(kSequenceFileName, content);
        state_.PosSequenceNo = "x";
        store_.LoadSequenceNo();
        EXPECT_EQ(state_.PosSequenceNo, kDefaultSequenceNo) << content;
    }
    WriteFile(kSequenceFileName, std::string("00100\0"
                                             "0010",
                                             10));
    store_.LoadSequenceNo();
    EXPECT_EQ(state_.PosSequenceNo, kDefaultSequenceNo);
}

TEST_F(SequenceStoreTest, FirstLineOfTenDigitsIsTaken) {
    const char* good[] = {"0010010020", "0010010020\n", "0010010020\r\nmore\r\nlines",
                          "0010010020\nnext"};
    for (const char* content : good) {
        WriteFile(kSequenceFileName, content);
        state_.PosSequenceNo = kDefaultSequenceNo;
        store_.LoadSequenceNo();
        EXPECT_EQ(state_.PosSequenceNo, "0010010020") << content;
    }
    // The other lines are lost at the next save; the file is exactly the ten digits.
    ASSERT_TRUE(store_.SaveSequenceNo());
    EXPECT_EQ(ReadFile(kSequenceFileName), "0010010020");
}

TEST_F(SequenceStoreTest, MissingFileKeepsNumberInMemory) {
    state_.PosSequenceNo = "0010010090";
    store_.LoadSequenceNo();
    EXPECT_EQ(state_.PosSequenceNo, "0010010090");
    ASSERT_TRUE(store_.SaveSequenceNo());
    EXPECT_EQ(ReadFile(kSequenceFileName), "0010010090");
}

TEST_F(SequenceStoreTest, AnyTextIsSavedVerbatimAndEmptyReloadsAsDefault) {
    state_.PosSequenceNo = "";
    { SequenceSaver saver(store_); }
    EXPECT_EQ(ReadFile(kSequenceFileName), "");
    state_.PosSequenceNo = "0010010090";
    store_.LoadSequenceNo();
    EXPECT_EQ(state_.PosSequenceNo, kDefaultSequenceNo);
}

TEST_F(SequenceStoreTest, LongLineWithoutLineEndLoadsAsDefault) {
    WriteFile(kSequenceFileName, std::string(3u << 20, '1'));
    store_.LoadSequenceNo();
    EXPECT_EQ(state_.PosSequenceNo, kDefaultSequenceNo);
}

TEST_F(SequenceStoreTest, FailedSaveLeavesOldFileAndMemory) {
    WriteFile(kSequenceFileName, "0010010020");
    if (::geteuid() == 0) {
        // root writes into read-only directories; a directory in the file's place fails for all.
        ::unlink(kSequenceFileName);
        ::mkdir(kSequenceFileName, 0755);
        state_.PosSequenceNo = "0010010030";
        EXPECT_FALSE(store_.SaveSequenceNo());
        EXPECT_EQ(state_.PosSequenceNo, "0010010030");
        struct stat st {};
        ASSERT_EQ(::stat(kSequenceFileName, &st), 0);
        EXPECT_TRUE(S_ISDIR(st.st_mode));
        return;
    }
    ::chmod(".", 0555);
    state_.PosSequenceNo = "0010010030";
    EXPECT_FALSE(store_.SaveSequenceNo());
    ::chmod(".", 0755);
    EXPECT_EQ(ReadFile(kSequenceFileName), "0010010020");
    EXPECT_EQ(state_.PosSequenceNo, "0010010030");
}

// The window stays silent, but stderr and the daily log hear of the first failure of a run and
// of the first success after failures, with the file and the system's reason.
TEST_F(SequenceStoreTest, FirstFailureAndFirstSuccessAfterFailuresAreTold) {
    std::filesystem::create_directory(kLogDirectory);
    CLogWriter writer;
    SequenceStore store{state_, writer};
    ASSERT_TRUE(store.SaveSequenceNo());
    ::unlink(kSequenceFileName);
    ::mkdir(kSequenceFileName, 0755);  // fails for root too
    testing::internal::CaptureStderr();
    EXPECT_FALSE(store.SaveSequenceNo());
    EXPECT_FALSE(store.SaveSequenceNo());
    ::rmdir(kSequenceFileName);
    EXPECT_TRUE(store.SaveSequenceNo());
    EXPECT_TRUE(store.SaveSequenceNo());
    const std::string failed =
        "Cannot save the POS sequence number to testseqNo.dat: Is a directory";
    const std::string again = "The POS sequence number is saved to testseqNo.dat again";
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "nordteller: " + failed + "\nnordteller: " + again + "\n");
    ASSERT_TRUE(writer.Flush());
    std::string log;
    for (const auto& e : std::filesystem::directory_iterator(kLogDirectory)) {
        log += ReadFile(e.path().string());
    }
    const size_t at = log.find("]" + failed + "\r\n----------\r\n[");
    EXPECT_NE(at, std::string::npos) << log;
    EXPECT_TRUE(log.ends_with("]" + again + "\r\n----------\r\n")) << log;
    EXPECT_EQ(log.find(failed, at + failed.size()), std::string::npos);
}

TEST_F(SequenceStoreTest, SaveLeavesNoTemporaryFiles) {
    state_.PosSequenceNo = "0010010040";
    ASSERT_TRUE(store_.SaveSequenceNo());
    ASSERT_TRUE(store_.SaveSequenceNo());
    EXPECT_EQ(test::Entries(), std::vector<std::string>{kSequenceFileName});
}

}  // namespace
}  // namespace nt
