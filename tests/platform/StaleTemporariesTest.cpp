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

#include "app/ClientFactory.h"
#include "app/TestPosDlg.h"
#include "headless/MemoryForm.h"
#include "log/LogWriter.h"
#include "pos/SequenceStore.h"
#include "script/JUnitReport.h"
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
    OldFile(".testseqNo.dat.nordteller-a1B2c3.tmp");  // removed
    OldFile(".testseqNo.dat.nordteller-ZZZZZZ.tmp");  // removed
    WriteFile(".testseqNo.dat.nordteller-fresh1.tmp", "0010010016");
    Age(".testseqNo.dat.nordteller-fresh1.tmp", 5);  // a save that may still be running
    // What a person might name a copy, including the shape of the old temporary names.
    OldFile("testseqNo.dat.a1B2c3");
    OldFile("testseqNo.dat.backup");
    OldFile(".testseqNo.dat.nordteller-a1B2c3d.tmp");  // seven characters
    OldFile(".testseqNo.dat.nordteller-a1-2c3.tmp");
    OldFile(".testseqNo.dat.nordteller-a1B2c3.tmp~");
    OldFile("testseqNo.dat.nordteller-a1B2c3.tmp");
    OldFile(".padselection.dat.nordteller-a1B2c3.tmp");
    std::filesystem::create_directory(".testseqNo.dat.nordteller-Dir123.tmp");
    Age(".testseqNo.dat.nordteller-Dir123.tmp", 3600);
    OldFile("target");
    std::filesystem::create_symlink("target", ".testseqNo.dat.nordteller-Link12.tmp");
    Age(".testseqNo.dat.nordteller-Link12.tmp", 3600);

    EXPECT_EQ(RemoveStaleTemporaries("testseqNo.dat"), 2);
    EXPECT_EQ(Entries(),
              (std::vector<std::string>{
                  ".padselection.dat.nordteller-a1B2c3.tmp", ".testseqNo.dat.nordteller-Dir123.tmp",
                  ".testseqNo.dat.nordteller-Link12.tmp", ".testseqNo.dat.nordteller-a1-2c3.tmp",
                  ".testseqNo.dat.nordteller-a1B2c3.tmp~", ".testseqNo.dat.nordteller-a1B2c3d.tmp",
                  ".testseqNo.dat.nordteller-fresh1.tmp", "target", "testseqNo.dat",
                  "testseqNo.dat.a1B2c3", "testseqNo.dat.backup",
                  "testseqNo.dat.nordteller-a1B2c3.tmp"}));
    EXPECT_EQ(ReadFile("testseqNo.dat"), "0010010015");
    EXPECT_EQ(ReadFile("target"), "0010010");

    // The age is the caller's; 0 takes the fresh one too.
    EXPECT_EQ(RemoveStaleTemporaries("testseqNo.dat", 0), 1);
    EXPECT_EQ(RemoveStaleTemporaries("testseqNo.dat"), 0);
}

TEST(StaleTemporaries, WorksBesideAFileInAnotherDirectoryAndToleratesAMissingOne) {
    test::TempDir dir;
    std::filesystem::create_directory("logs");
    OldFile("logs/.report.xml.nordteller-Q9w8E7.tmp");
    OldFile(".report.xml.nordteller-Q9w8E7.tmp");
    EXPECT_EQ(RemoveStaleTemporaries("logs/report.xml"), 1);
    EXPECT_TRUE(Entries("logs").empty());
    EXPECT_EQ(Entries(), (std::vector<std::string>{".report.xml.nordteller-Q9w8E7.tmp", "logs"}));
    EXPECT_EQ(RemoveStaleTemporaries("missing/report.xml"), 0);

    // A name drawn for a link is one the clean-up knows, and two draws differ.
    const std::string drawn = TemporaryNameBeside("logs/report.xml");
    EXPECT_EQ(TemporaryTarget(drawn), "logs/report.xml");
    EXPECT_NE(drawn, TemporaryNameBeside("logs/report.xml"));
    OldFile(drawn);
    EXPECT_EQ(RemoveStaleTemporaries("logs/report.xml"), 1);
}

// Start-up, saves of both files and a report write leave a person's own files alone.
TEST(StaleTemporaries, StartUpSavesAndReportsKeepAPersonsFiles) {
    test::TempDir dir;
    const std::vector<std::string> own = {"padselection.dat.oldcfg", "report.xml.backup",
                                          "testseqNo.dat.backup", "testseqNo.dat.k1lL3d"};
    for (const std::string& name : own) {
        OldFile(name, name);
    }
    OldFile(std::string(".") + kSequenceFileName + ".nordteller-k1lL3d.tmp");
    OldFile(".padselection.dat.nordteller-k1lL3d.tmp");
    OldFile(".report.xml.nordteller-k1lL3d.tmp");
    {
        MemoryForm form;
        test::RecordingOperator op;
        CTestPosDlg dlg(form, op, MakeClientFactory("sim"));
        dlg.OnInitDialog();
        dlg.padCatalog().SelectPadNode(dlg.padCatalog().padTree().FindLeaf("KT820"));
        dlg.OnCancel();
    }
    JUnitReport report;
    ASSERT_TRUE(report.Open("report.xml"));
    report.OnRunEnded(ReportCounts{}, 0);
    ASSERT_TRUE(report.Written());
    std::vector<std::string> expected = own;
    expected.insert(expected.end(), {"padselection.dat", "report.xml", "testseqNo.dat"});
    std::sort(expected.begin(), expected.end());
    std::vector<std::string> left = Entries();
    left.erase(std::remove(left.begin(), left.end(), kLogDirectory), left.end());
    EXPECT_EQ(left, expected);
    for (const std::string& name : own) {
        EXPECT_EQ(ReadFile(name), name);
    }
}

TEST(StaleTemporaries, StartUpClearsThoseOfTheSequenceAndPadSelectionFiles) {
    test::TempDir dir;
    WriteFile(kSequenceFileName, "0010010042");
    OldFile(".testseqNo.dat.nordteller-k1lL3d.tmp");
    OldFile(".padselection.dat.nordteller-k1lL3d.tmp");
    WriteFile(".testseqNo.dat.nordteller-n0wXYZ.tmp", "0010010043");
    {
        MemoryForm form;
        test::RecordingOperator op;
        CTestPosDlg dlg(form, op, nullptr);
        dlg.OnInitDialog();
        EXPECT_EQ(dlg.posState().PosSequenceNo, "0010010042");
    }
    const std::vector<std::string> left = Entries();
    EXPECT_EQ(std::count(left.begin(), left.end(), ".testseqNo.dat.nordteller-k1lL3d.tmp"), 0);
    EXPECT_EQ(std::count(left.begin(), left.end(), ".padselection.dat.nordteller-k1lL3d.tmp"), 0);
    EXPECT_EQ(std::count(left.begin(), left.end(), ".testseqNo.dat.nordteller-n0wXYZ.tmp"), 1);
}

}  // namespace
}  // namespace nt
