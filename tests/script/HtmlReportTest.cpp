#include "script/HtmlReport.h"

#include <gtest/gtest.h>

#include "script/ReportRun.h"
#include "support/TempDir.h"

namespace nt {
namespace {

TestCaseRecord Passed(int index) {
    TestCaseRecord tc = test::RanRow(
        index, index + 1, "Run,5,,R,A,Sale,0,0,Sale " + std::to_string(index) + ",Approved");
    tc.requests = {"<TStream>request " + std::to_string(index) + "</TStream>"};
    RecordResponse(tc,
                   "<R><CmdResponse><CmdStatus>Approved</CmdStatus><TextResponse>APPROVED"
                   "</TextResponse></CmdResponse></R>");
    tc.elapsedMs = 3;
    return tc;
}

std::string Write(const std::vector<TestCaseRecord>& testCases) {
    HtmlReport report("sim");
    EXPECT_EQ(test::WriteRun(report, "report.html", testCases, LocalTime{}, 0), "written");
    return test::ReadFile("report.html");
}

size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++n;
    }
    return n;
}

// Past the first 1,000 passed test cases a passed one is one row of a brief table; failed ones
// keep their whole detail wherever they come, between the brief tables.
TEST(HtmlReport, PassedTestCasesPastTheFirstThousandAreBriefRows) {
    test::TempDir dir;
    std::vector<TestCaseRecord> run;
    const int full = HtmlReport::kFullPassedCases;
    for (int i = 1; i <= full + 2; ++i) {
        run.push_back(Passed(i));
    }
    TestCaseRecord failed = Passed(full + 3);
    failed.lastStatus = "Declined";
    run.push_back(failed);
    run.push_back(Passed(full + 4));
    const std::string html = Write(run);

    EXPECT_EQ(Count(html, "<section id="), static_cast<size_t>(full + 1));
    EXPECT_EQ(Count(html, "<table class=\"brief\">"), 2u);
    EXPECT_EQ(Count(html, "<a class=\"p\""), static_cast<size_t>(full + 3));  // the strip
    EXPECT_NE(html.find("<tr><th>Test cases</th><td>1004: 1003 passed, 1 failed, 0 skipped, 0 "
                        "not reached</td></tr>"),
              std::string::npos);
    EXPECT_NE(html.find("<tr><th>Shown in brief</th><td>3 passed test cases after the first 1000"),
              std::string::npos);
    const std::string last = "<section id=\"tc" + std::to_string(full) + "\">";
    EXPECT_NE(html.find(last), std::string::npos);
    EXPECT_NE(html.find("<tr id=\"tc1001\"><td>1001</td><td>1002</td><td>Sale 1001</td><td>Sale "
                        "5</td><td>Approved</td><td>APPROVED</td><td>0.003 s</td></tr>\n"
                        "<tr id=\"tc1002\">"),
              std::string::npos);
    EXPECT_NE(html.find("</tr>\n</table>\n<section id=\"tc1003\">"), std::string::npos);
    EXPECT_EQ(html.find("request 1004"), std::string::npos);
    EXPECT_TRUE(html.ends_with("<td>0.003 s</td></tr>\n</table>\n</body>\n</html>\n"));
}

// Each receipt shows its two copies beside the EMV data of the response it came from; a
// response without a receipt has its EMV data below it. Headings name what they hold.
TEST(HtmlReport, ReceiptCopiesBesideTheirEmvData) {
    test::TempDir dir;
    TestCaseRecord tc = Passed(1);
    tc.row = SplitScriptRow("Run,5,,R,A,Sale,0,0,,Approved");
    tc.responses.clear();
    tc.emv.clear();
    RecordResponse(tc, "<R><CmdStatus>Approved</CmdStatus><TVR>0000000000</TVR></R>");
    RecordResponse(tc,
                   "<R><CmdResponse><CmdStatus>Approved</CmdStatus></CmdResponse>"
                   "<AID>A0000000031010</AID><PrintData><Line1>X</Line1></PrintData></R>");
    tc.receipts = {"Receipt"};
    tc.receiptCopies = {{"CARDHOLDER   \r\n", "MERCHANT\n"}};
    tc.receiptResponses = {1};
    const std::string html = Write({tc});
    EXPECT_EQ(html.find("Receipt Receipt"), std::string::npos);
    EXPECT_NE(
        html.find("&lt;R>&lt;CmdStatus>Approved&lt;/CmdStatus>&lt;TVR>0000000000&lt;/TVR>&lt;/R>"
                  "</pre>\n<h3>EMV data of the response</h3>\n<pre class=\"emv\">TVR "
                  "0000000000\n    no bit set\n</pre>\n"),
        std::string::npos)
        << html;
    EXPECT_NE(html.find("&lt;PrintData>[1 print lines: the receipt copies below]"),
              std::string::npos);
    EXPECT_NE(
        html.find("<h3>Receipt written to QUORLIN_LOGS/Receipt.txt</h3>\n"
                  "<div class=\"receipt\">\n"
                  "<div><h4>Cardholder copy</h4>\n<pre class=\"slip\">CARDHOLDER\n</pre>\n"
                  "</div>\n<div><h4>Merchant copy</h4>\n<pre class=\"slip\">MERCHANT\n</pre>\n"
                  "</div>\n<div><h4>EMV data of the response</h4>\n<pre class=\"emv\">AID "
                  "A0000000031010\n    registered application provider: Visa"),
        std::string::npos)
        << html;
    EXPECT_NE(html.find("<tr><th>Line in Script.csv</th><td>2</td></tr>"), std::string::npos);
    EXPECT_EQ(Count(html, "EMV data of the response"), 2u);
}

}  // namespace
}  // namespace nt
