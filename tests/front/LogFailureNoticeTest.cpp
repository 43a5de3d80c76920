#include "front/LogFailureNotice.h"

#include <filesystem>
#include <sstream>
#include <vector>

#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "platform/EvidenceLoss.h"
#include "platform/WriteFault.h"
#include "support/TempDir.h"

namespace nt {
namespace {

// A log folder that is a file stops the writer at its first line: told once after start-up, on
// the stream and to the front end's own notice, and never again; a writer that works tells
// nothing.
TEST(LogFailureNotice, TellsAStoppedLogOnceOnBothChannels) {
    test::TempDir dir;
    test::WriteFile("logs", "");
    ManualClock clock;
    CLogWriter writer("logs", clock);
    std::ostringstream err;
    std::vector<std::string> told;
    LogFailureNotice notice(
        err, [&told](const std::string& reason) { told.push_back(reason); }, writer);
    notice.Poll();
    EXPECT_EQ(err.str(), "");  // nothing tried yet
    LogLine(writer, "Startup");
    notice.AfterStartUp();
    const std::string reason = "logging stopped: cannot open logs/CAN03072026.log: Not a directory";
    EXPECT_EQ(err.str(), "nordteller: " + reason + "\n");
    EXPECT_EQ(told, std::vector<std::string>{reason});
    LogLine(writer, "later");
    notice.Poll();
    notice.AfterStartUp();
    EXPECT_EQ(err.str(), "nordteller: " + reason + "\n");
    EXPECT_EQ(told.size(), 1u);

    std::filesystem::create_directory("fine");
    CLogWriter fine("fine", clock);
    std::ostringstream quiet;
    LogFailureNotice fineNotice(quiet, {}, fine);
    LogLine(fine, "Startup");
    fineNotice.AfterStartUp();
    fineNotice.Poll();
    EXPECT_EQ(quiet.str(), "");
}

// Failed writes of evidence: the first of the daily log and of the receipt files, and the first
// of each report and journal, are told once; a loss its writer told on stderr itself goes to the
// title bar only. Each loss is also kept for the test case it belongs to.
TEST(LogFailureNotice, TellsEachKindOfLostEvidenceOnce) {
    test::TempDir dir;
    ForgetLostEvidence();
    std::filesystem::create_directory("logs");
    ManualClock clock;
    CLogWriter writer("logs", clock);
    std::ostringstream err;
    std::vector<std::string> told;
    LogFailureNotice notice(
        err, [&told](const std::string& reason) { told.push_back(reason); }, writer);
    {
        ScopedWriteFault full({"/logs/", 0, ENOSPC});
        LogLine(writer, "lost");
        LogTrace(writer, "A", "slip");
        LogTrace(writer, "B", "slip");
        ASSERT_TRUE(writer.Flush());
    }
    NoteLostEvidence(EvidenceKind::kReport, "r.html", EIO);
    NoteLostEvidence(EvidenceKind::kReport, "r.html", EIO);
    NoteLostEvidence(EvidenceKind::kReport, "r.xml", EIO);
    NoteLostEvidence(EvidenceKind::kJournal, "simjournal.dat", ENOSPC, true);
    notice.Poll();
    notice.Poll();
    const std::string full = " was not written whole (No space left on device)";
    const std::string failing = " was not written whole (Input/output error)";
    const std::vector<std::string> expected = {
        "the daily log logs/CAN03072026.log" + full, "the receipt file logs/A.txt" + full,
        "the report r.html" + failing, "the report r.xml" + failing,
        "the journal simjournal.dat" + full};
    EXPECT_EQ(told, expected);
    std::string lines;
    for (size_t i = 0; i + 1 < expected.size(); ++i) {
        lines += "nordteller: " + expected[i] + "\n";
    }
    EXPECT_EQ(err.str(), lines);
    EXPECT_TRUE(EvidenceWasLost());
    EXPECT_EQ(TakeLostEvidence().size(), 7u);  // the receipt file B too, and each report loss
    EXPECT_TRUE(TakeLostEvidence().empty());
}

}  // namespace
}  // namespace nt
