#include "platform/StaleTemporaries.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/TestPosDlg.h"
#include "headless/MemoryForm.h"
#include "pos/SequenceStore.h"
#include "support/RecordingOperator.h"
#include "support/TempDir.h"

namespace nt {
namespace {

using test::Entries;
using test::ReadFile;
using test::WriteFile;

// Sets the last change of a file (or link itself) to `seconds` ago.
void Age(const std::string& path, int seconds) {
    const timespec then{std::time(nullptr) - seconds, 0};
    const timespec times[2] = {then, then};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << path;
}

void OldFile(const std::string& path, const std::string& content = "0010010") {
    WriteFile(path, content);
    Age(path, 3600);
}

TEST(StaleTemporaries, RemovesOnlyOldUnfinishedSavesOfThatFile) {
    test::TempDir dir;
    WriteFile("testseqNo.dat", "0010010015");
    OldFile("testseqNo.dat.a1B2c3");  // removed
    OldFile("testseqNo.dat.ZZZZZZ");  // removed
    WriteFile("testseqNo.dat.fresh1", "0010010016");
    Age("testseqNo.dat.fresh1", 5);  // a save that may still be running
    OldFile("testseqNo.dat.bak");
    OldFile("testseqNo.dat.a1B2c3d");  // seven characters
    OldFile("testseqNo.dat.a1-2c3");
    OldFile("testseqNo.dat_a1B2c3");
    OldFile("xtestseqNo.dat.a1B2c3");
    OldFile("padselection.dat.a1B2c3");
    std::filesystem::create_directory("testseqNo.dat.Dir123");
    Age("testseqNo.dat.Dir123", 3600);
    OldFile("target");
    std::filesystem::create_symlink("target", "testseqNo.dat.Link12");
    Age("testseqNo.dat.Link12", 3600);

    EXPECT_EQ(RemoveStaleTemporaries("testseqNo.dat"), 2);
    EXPECT_EQ(Entries(), (std::vector<std::string>{
                             "padselection.dat.a1B2c3", "target", "testseqNo.dat",
                             "testseqNo.dat.Dir123", "testseqNo.dat.Link12", "testseqNo.dat.a1-2c3",
                             "testseqNo.dat.a1B2c3d", "testseqNo.dat.bak", "testseqNo.dat.fresh1",
                             "testseqNo.dat_a1B2c3", "xtestseqNo.dat.a1B2c3"}));
    EXPECT_EQ(ReadFile("testseqNo.dat"), "0010010015");
    EXPECT_EQ(ReadFile("target"), "0010010");

    // The age is the caller's; 0 takes the fresh one too.
    EXPECT_EQ(RemoveStaleTemporaries("testseqNo.dat", 0), 1);
    EXPECT_EQ(RemoveStaleTemporaries("testseqNo.dat"), 0);
}

TEST(StaleTemporaries, WorksBesideAFileInAnotherDirectoryAndToleratesAMissingOne) {
    test::TempDir dir;
    std::filesystem::create_directory("logs");
    OldFile("logs/report.xml.Q9w8E7");
    OldFile("report.xml.Q9w8E7");
    EXPECT_EQ(RemoveStaleTemporaries("logs/report.xml"), 1);
    EXPECT_TRUE(Entries("logs").empty());
    EXPECT_EQ(Entries(), (std::vector<std::string>{"logs", "report.xml.Q9w8E7"}));
    EXPECT_EQ(RemoveStaleTemporaries("missing/report.xml"), 0);
}

TEST(StaleTemporaries, StartUpClearsThoseOfTheSequenceAndPadSelectionFiles) {
    test::TempDir dir;
    WriteFile(kSequenceFileName, "0010010042");
    OldFile(std::string(kSequenceFileName) + ".k1lL3d");
    OldFile("padselection.dat.k1lL3d");
    WriteFile(std::string(kSequenceFileName) + ".n0wXYZ", "0010010043");
    {
        MemoryForm form;
        test::RecordingOperator op;
        CTestPosDlg dlg(form, op, nullptr);
        dlg.OnInitDialog();
        EXPECT_EQ(dlg.posState().PosSequenceNo, "0010010042");
    }
    const std::vector<std::string> left = Entries();
    EXPECT_EQ(std::count(left.begin(), left.end(), "testseqNo.dat.k1lL3d"), 0);
    EXPECT_EQ(std::count(left.begin(), left.end(), "padselection.dat.k1lL3d"), 0);
    EXPECT_EQ(std::count(left.begin(), left.end(), "testseqNo.dat.n0wXYZ"), 1);
}

}  // namespace
}  // namespace nt
