#include "headless/UnattendedScript.h"

#include <sstream>

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include "form/Controls.h"
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
