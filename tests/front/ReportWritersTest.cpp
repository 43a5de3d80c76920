#include "front/ReportWriters.h"

#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "support/TempDir.h"

namespace nt {
namespace {

using test::ReadFile;

// Each format is written by its own writer, the HTML one naming the run's payment client; until
// a run ends, the first report asked for is the one not in place.
TEST(ReportWriters, EachFormatByItsOwnWriter) {
    test::TempDir dir;
    const RunInfo run{.control = "lib<x>.so",
                      .reports = {{ReportFormat::Html, "r.html"}, {ReportFormat::JUnit, "j.xml"}}};
    ReportWriters writers(run);
    ASSERT_EQ(writers.Open(), std::nullopt);
    std::optional<ReportFault> before = writers.Unwritten();
    ASSERT_TRUE(before);
    EXPECT_EQ(before->path, "r.html");

    ManualClock clock;
    ScriptReport report(clock);
    writers.AddTo(report);
    report.OnScriptStarted(0);
    report.OnScriptEnded(ScriptEnd::kCompleted);
    EXPECT_EQ(writers.Unwritten(), std::nullopt);
    EXPECT_TRUE(ReadFile("j.xml").starts_with(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuite name=\"Script.csv\" tests=\"0\""));
    const std::string html = ReadFile("r.html");
    EXPECT_TRUE(html.starts_with("<!DOCTYPE html>\n")) << html;
    EXPECT_NE(html.find("<tr><th>Payment client</th><td>lib&lt;x>.so</td></tr>"), std::string::npos)
        << html;
}

// Opening stops at the first report, in the order asked, whose folder cannot take it.
TEST(ReportWriters, OpenTellsTheFirstReportThatCannotBeWritten) {
    test::TempDir dir;
    ReportWriters writers({.reports = {{ReportFormat::JUnit, "j.xml"},
                                       {ReportFormat::Html, "gone/r.html"},
                                       {ReportFormat::JUnit, "gone too/j.xml"}}});
    std::optional<ReportFault> fault = writers.Open();
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->path, "gone/r.html");
    EXPECT_EQ(fault->why, "No such file or directory");
    EXPECT_FALSE(ReportWriters(RunInfo{}).Open());
    EXPECT_TRUE(ReportWriters(RunInfo{}).Empty());
}

}  // namespace
}  // namespace nt
