#include "headless/UnattendedScript.h"

#include <cerrno>
#include <sstream>

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include "form/Controls.h"
#include "platform/WriteFault.h"
#include "script/ScriptFile.h"
#include "support/FlowHarness.h"

namespace nt {
namespace {

using test::ReadFile;
using test::Response;
using test::WriteFile;

// A run that writes its JUnit report to `path`; none when it is empty.
RunInfo JUnitTo(const std::string& path) {
    RunInfo run;
    if (!path.empty()) {
        run.reports.push_back({ReportFormat::JUnit, path});
    }
    return run;
}

// Both reports: JUnit to report.xml, HTML to report.html.
RunInfo BothReports() {
    RunInfo run = JUnitTo("report.xml");
    run.reports.push_back({ReportFormat::Html, "report.html"});
    return run;
}

// The run with both reports while writes to files named like `fault` fail; its exit status.
int RunOnAFullDisk(test::FlowHarness& h, const WriteFault& fault, std::ostream& err) {
    ManualClock clock;
    ScopedWriteFault full(fault);
    return RunScriptUnattended(*h.dlg, BothReports(), clock, err);
}

struct Case {
    const char* name;
    const char* script;  // nullptr: no Script.csv
    std::vector<const char*> replies;
    std::deque<int> choices;
    const char* reportPath;
    int status;
    const char* err;
    const char* counts;  // tests/failures/skipped in the report; nullptr: no report file
};

TEST(RunScriptUnattended, ExitStatusStderrAndReport) {
    const std::string ok = Response("0010010020", "");
    const Case cases[] = {
        {"all pass",
         "Run,5,,R,A,Sale,0,0,A,Approved\nRun,6,,R,A,Return,0,0,B\n",
         {ok.c_str(), ok.c_str()},
         {},
         "report.xml",
         0,
         "nordteller: test case 1 of 2: A\nnordteller: test case 2 of 2: B\n"
         "nordteller: script: 2 test cases, 2 passed, 0 failed, 0 skipped\n",
         "tests=2 failures=0 skipped=0"},
        {"declined against Approved",
         "Run,5,,R,A,Sale,0,0,A,Declined\n",
         {ok.c_str()},
         {},
         "report.xml",
         1,
         "nordteller: test case 1 of 1: A\n"
         "nordteller: script: 1 test cases, 0 passed, 1 failed, 0 skipped\n",
         "tests=1 failures=1 skipped=0"},
        {"skipped rows do not fail",
         "Run,5,,R,A,Sale,0,0,A\nRun,5,,R,A,sale,0,0,B\n",
         {},
         {2, 3},
         "report.xml",
         0,
         "nordteller: test case 1 of 2: A\nnordteller: test case 2 of 2: B\n"
         "nordteller: script: 2 test cases, 0 passed, 0 failed, 2 skipped\n",
         "tests=2 failures=0 skipped=2"},
        {"invalid type fails",
         "Run,5,,R,A,Refund,0,0,Cr\xE9\tdit\n",
         {},
         {},
         "",
         1,
         "nordteller: test case 1 of 1: Cr\xC3\xA9\\tdit\n"
         "nordteller: script: 1 test cases, 0 passed, 1 failed, 0 skipped\n",
         nullptr},
        {"no runnable rows",
         "Run,Amount\n",
         {},
         {},
         "report.xml",
         1,
         "nordteller: script: 0 test cases, 0 passed, 0 failed, 0 skipped\n"
         "nordteller: Script.csv has no runnable row\n",
         "tests=0 failures=0 skipped=0"},
        {"CR-only line ends",
         "Run,5,,R,A,Sale,0,0,A\rRun,6,,R,A,Return,0,0,B\r",
         {},
         {},
         "report.xml",
         2,
         "nordteller: Script.csv line 1: carriage return without line feed (CR-only line ends "
         "are not read as line ends); save the file with LF or CR LF line ends\n",
         nullptr},
        {"missing Script.csv",
         nullptr,
         {},
         {},
         "report.xml",
         2,
         "nordteller: Could not open Script.csv\n",
         nullptr},
        {"report cannot be written",
         "Run,5,,R,A,Sale,0,0,A\n",
         {ok.c_str()},
         {},
         "missing-dir/report.xml",
         2,
         "nordteller: cannot write the report 'missing-dir/report.xml': No such file or "
         "directory\n",
         nullptr},
    };
    for (const Case& c : cases) {
        test::FlowHarness h;
        if (c.script != nullptr) {
            WriteFile("Script.csv", c.script);
        }
        for (const char* reply : c.replies) {
            h.Reply(reply);
        }
        h.op.testCaseChoices = c.choices;
        std::ostringstream err;
        ManualClock clock;
        EXPECT_EQ(RunScriptUnattended(*h.dlg, JUnitTo(c.reportPath), clock, err), c.status)
            << c.name;
        EXPECT_EQ(err.str(), c.err) << c.name;
        std::string report = ReadFile("report.xml");
        if (c.counts == nullptr) {
            EXPECT_EQ(report, "<missing>") << c.name;
            continue;
        }
        pugi::xml_document doc;
        ASSERT_TRUE(doc.load_string(report.c_str())) << c.name;
        pugi::xml_node suite = doc.child("testsuite");
        std::string counts = std::string("tests=") + suite.attribute("tests").value() +
                             " failures=" + suite.attribute("failures").value() +
                             " skipped=" + suite.attribute("skipped").value();
        EXPECT_EQ(counts, c.counts) << c.name;
    }
}

// A row whose amount or tip a field refuses fails without running; the report says why.
TEST(RunScriptUnattended, RowsAFieldRefusedFailUnrun) {
    test::FlowHarness h;
    WriteFile("Script.csv",
              "Run,10000000.00,,R,A,Sale,0,0,big\nRun,6,123456789012,R,A,Sale,0,0,tip\n"
              "Run,7,123456789012,R,A,Sale,1,0,prompted tip\n");
    h.Reply(Response("0010010020", ""));
    std::ostringstream err;
    ManualClock clock;
    EXPECT_EQ(RunScriptUnattended(*h.dlg, JUnitTo("report.xml"), clock, err), 1);
    EXPECT_EQ(h.script->requests.size(), 1u);
    EXPECT_EQ(h.op.prompts.size(), 1u);
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(ReadFile("report.xml").c_str()));
    pugi::xml_node first = doc.child("testsuite").child("testcase");
    EXPECT_STREQ(first.child("failure").attribute("message").value(),
                 "failed before running: column 2 (Amount): the Amount field refused '10000000.00' "
                 "(more than 9 "
                 "digits) and kept 0.00");
    EXPECT_STREQ(
        first.next_sibling().child("failure").attribute("message").value(),
        "failed before running: column 3 (Tip): the Tip field refused '123456789012' (more than 9 "
        "digits) and kept 0.00");
    EXPECT_FALSE(first.next_sibling().next_sibling().child("failure"));
}

// A Run row that cannot be read (over 1 MiB, or holding a CR that no LF follows) is a failed
// test case of both reports, named by its line, with the reason; a long line that is not a Run
// row stays out of the run. The rows around them run.
TEST(RunScriptUnattended, UnreadableRunRowsFailInBothReports) {
    test::FlowHarness h;
    const std::string longTail(kMaxScriptLineBytes + 10, 'x');
    WriteFile("Script.csv", "Run,5,,R,A,Sale,0,0,A\nRun,6,,R,A,Sale,0,0," + longTail + "\n# " +
                                longTail + "\nRun,7,,R,A,Sale,0,0,B\rC\nRun,8,,R,A,Sale,0,0,D\n");
    h.Reply(Response("0010010020", ""));
    h.Reply(Response("0010010030", ""));
    std::ostringstream err;
    ManualClock clock;
    EXPECT_EQ(RunScriptUnattended(*h.dlg, BothReports(), clock, err), 1);
    EXPECT_EQ(h.script->requests.size(), 2u);
    EXPECT_EQ(err.str(),
              "nordteller: Script.csv line 3: longer than 1 MiB, not a test case\n"
              "nordteller: test case 1 of 4: A\n"
              "nordteller: test case 2 of 4: line 2 could not be read: longer than 1 MiB\n"
              "nordteller: test case 3 of 4: line 4 could not be read: carriage return without "
              "line feed\n"
              "nordteller: test case 4 of 4: D\n"
              "nordteller: script: 4 test cases, 2 passed, 2 failed, 0 skipped\n");
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(ReadFile("report.xml").c_str()));
    pugi::xml_node second = doc.child("testsuite").child("testcase").next_sibling();
    EXPECT_STREQ(second.attribute("name").value(), "row 2");
    EXPECT_STREQ(second.child("failure").attribute("message").value(),
                 "failed before running: line 2 could not be read: longer than 1 MiB");
    pugi::xml_node third = second.next_sibling();
    EXPECT_STREQ(third.attribute("name").value(), "row 4");
    EXPECT_STREQ(third.child("failure").attribute("message").value(),
                 "failed before running: line 4 could not be read: carriage return without line feed");
    const std::string html = ReadFile("report.html");
    EXPECT_NE(html.find("4: 2 passed, 2 failed"), std::string::npos);
    EXPECT_NE(html.find("failed before running: line 2 could not be read: longer than 1 MiB"), std::string::npos);
}

// A disk that fills under one test case's receipt file and under the HTML report: each loss is
// told once on stderr, the test case whose receipt was lost fails in the report that could still
// be written, and the run ends with status 4.
TEST(RunScriptUnattended, LostEvidenceFailsItsTestCaseAndEndsWithStatusFour) {
    test::FlowHarness h;
    WriteFile("Script.csv",
              "Run,5,,R,A,Sale,0,0,A\nRun,6,,R,A,Sale,0,0,B\nRun,7,,R,A,Sale,0,0,C\n");
    for (const char* seq : {"0010010020", "0010010030", "0010010040"}) {
        h.Reply(Response(seq, "<PrintData><Line1>SLIP</Line1></PrintData>"));
    }
    std::ostringstream err;
    EXPECT_EQ(RunOnAFullDisk(h, {"/B.txt", 0, ENOSPC}, err), 4);
    const std::string told = err.str();
    const std::string receiptLoss =
        "nordteller: the receipt file QUORLIN_LOGS/B.txt was not written whole (No space left on "
        "device)\n";
    ASSERT_NE(told.find(receiptLoss), std::string::npos) << told;
    EXPECT_EQ(told.find(receiptLoss), told.rfind(receiptLoss)) << told;
    EXPECT_NE(told.find("script: 3 test cases, 2 passed, 1 failed"), std::string::npos) << told;

    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(ReadFile("report.xml").c_str()));
    pugi::xml_node a = doc.child("testsuite").child("testcase");
    EXPECT_FALSE(a.child("failure"));
    EXPECT_STREQ(a.next_sibling().child("failure").attribute("message").value(),
                 "evidence lost: the receipt file QUORLIN_LOGS/B.txt was not written whole (No "
                 "space left on device)");
    EXPECT_FALSE(a.next_sibling().next_sibling().child("failure"));
}

// The HTML report cannot be put in place: told once, as it happens, and the run ends with
// status 4 even though every test case passed.
TEST(RunScriptUnattended, AReportLostAtTheEndIsToldOnceAndEndsWithStatusFour) {
    test::FlowHarness h;
    WriteFile("Script.csv", "Run,5,,R,A,Sale,0,0,A\n");
    h.Reply(Response("0010010020", ""));
    std::ostringstream err;
    EXPECT_EQ(RunOnAFullDisk(h, {"report.html", 0, ENOSPC}, err), 4);
    EXPECT_EQ(err.str(),
              "nordteller: test case 1 of 1: A\n"
              "nordteller: script: 1 test cases, 1 passed, 0 failed, 0 skipped\n"
              "nordteller: the report report.html was not written whole (No space left on "
              "device)\n");
    EXPECT_NE(ReadFile("report.xml"), "<missing>");
}

TEST(RunScriptUnattended, ObserversAreDetachedAfterTheRun) {
    test::FlowHarness h;
    WriteFile("Script.csv", "Run,5,,R,A,Sale,0,0,A\n");
    std::ostringstream err;
    {
        ManualClock clock;
        RunScriptUnattended(*h.dlg, {}, clock, err);
    }
    err.str("");
    h.Reply(Response("0010010020", ""));
    h.dlg->OnCommand(id::kRunScript);  // would reach the destroyed report if still attached
    h.dlg->OnCommand(id::kSale);
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(h.script->requests.size(), 3u);
}

}  // namespace
}  // namespace nt
