#include "script/JUnitReport.h"

#include <cerrno>
#include <chrono>
#include <filesystem>

#include <gtest/gtest.h>

#include "platform/WriteFault.h"
#include "script/ReportRun.h"
#include "support/TempDir.h"
#include "text/HtmlText.h"
#include "text/XmlText.h"

namespace nt {
namespace {

// The evidence report's text: '>' stays, CR LF and a lone CR become LF, DEL is replaced.
TEST(HtmlEscape, MarkupControlsAndCodePage) {
    EXPECT_EQ(HtmlEscape("a&b<c>d\"e'f"), "a&amp;b&lt;c>d&quot;e&#39;f");
    EXPECT_EQ(HtmlEscape("l1\r\nl2\rl3\n\r\r\nt\tx\r"), "l1\nl2\nl3\n\n\nt\tx\n");
    EXPECT_EQ(HtmlEscape(std::string("\0\x01\x1F\x7F", 4)),
              "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(HtmlEscape("Cr\xE9"
                         "dit \x80"),
              "Cr\xC3\xA9"
              "dit \xE2\x82\xAC");
}

TEST(XmlEscape, MarkupControlsAndCodePage) {
    struct Case {
        std::string in;
        const char* text;
        const char* attribute;
    };
    const Case cases[] = {
        {"a&b<c>d\"e'f", "a&amp;b&lt;c&gt;d&quot;e&apos;f", "a&amp;b&lt;c&gt;d&quot;e&apos;f"},
        {"l1\r\nl2\tx", "l1&#13;\nl2\tx", "l1&#13;&#10;l2&#9;x"},
        {std::string("\0\x01\x1F\x7F", 4), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\x7F",
         "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\x7F"},
        {"Cr\xE9"
         "dit \x80",
         "Cr\xC3\xA9"
         "dit \xE2\x82\xAC",
         "Cr\xC3\xA9"
         "dit \xE2\x82\xAC"},
        {"\x81", "\xC2\x81", "\xC2\x81"},
        {"]]>", "]]&gt;", "]]&gt;"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(XmlEscape(c.in), c.text) << testing::PrintToString(c.in);
        EXPECT_EQ(XmlEscape(c.in, true), c.attribute) << testing::PrintToString(c.in);
    }
}

using test::RanRow;

std::vector<TestCaseRecord> SampleRun() {
    TestCaseRecord pass = RanRow(1, 2, "Run,5,,R,A,Sale,0,0,Caf\xE9 <1>,Approved");
    pass.requests = {"<TStream>\r\n\t<A>x</A>\r\n</TStream>\r\n"};
    RecordResponse(pass, "<R><CmdResponse><CmdStatus>Approved</CmdStatus></CmdResponse></R>");
    pass.receipts = {"Caf\xE9 <1>"};
    pass.elapsedMs = 7;

    TestCaseRecord declined = RanRow(2, 3, "Run,5,,R,A,Sale,0,0,,Approved");
    declined.requests = {"<Q/>"};
    RecordResponse(declined, "<R><CmdResponse><CmdStatus>Declined</CmdStatus></CmdResponse></R>");
    declined.errorMessages = {"Invalid Sequence Number-1\x01"};
    declined.elapsedMs = 1500;

    TestCaseRecord failed = RanRow(3, 5, "Run,5,,R,A,Sale,0,0,down");
    failed.noResponse = NoResponse::kClientFailed;

    TestCaseRecord skipped = RanRow(4, 6, "Run,5,,R,A,Sale,0,0,\"quoted\"");
    skipped.outcome = TestCaseOutcome::kStopped;
    TestCaseRecord unreached = RanRow(5, 7, "Run,5,,R,A,Sale,0,0,later");
    unreached.reached = false;
    return {pass, declined, failed, skipped, unreached};
}

// Hands the test cases to a JUnit report at `path` as a run does; its error, or "written".
std::string WriteReport(const std::string& path, const std::vector<TestCaseRecord>& testCases,
                        const LocalTime& started = LocalTime{2026, 3, 7, 9, 5, 2},
                        uint64_t elapsedMs = 12345) {
    JUnitReport report;
    return test::WriteRun(report, path, testCases, started, elapsedMs);
}

TEST(JUnitReport, ByteExact) {
    test::TempDir dir;
    const std::string expected =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<testsuite name=\"Script.csv\" tests=\"5\" failures=\"2\" errors=\"0\" skipped=\"2\" "
        "time=\"12.345\" timestamp=\"2026-03-07T09:05:02\">\n"
        "  <testcase name=\"Caf\xC3\xA9 &lt;1&gt;\" classname=\"Script.csv\" file=\"Script.csv\" "
        "line=\"2\" time=\"0.007\">\n"
        "    <system-out>Script.csv line 2: Sale 5\n"
        "request:\n&lt;TStream&gt;&#13;\n\t&lt;A&gt;x&lt;/A&gt;&#13;\n&lt;/TStream&gt;&#13;\n\n"
        "response:\n&lt;R&gt;&lt;CmdResponse&gt;&lt;CmdStatus&gt;Approved&lt;/CmdStatus&gt;"
        "&lt;/CmdResponse&gt;&lt;/R&gt;\n"
        "receipt: QUORLIN_LOGS/Caf\xC3\xA9 &lt;1&gt;.txt\n"
        "time: 0.007 s\n</system-out>\n"
        "  </testcase>\n"
        "  <testcase name=\"row 3\" classname=\"Script.csv\" file=\"Script.csv\" line=\"3\" "
        "time=\"1.500\">\n"
        "    <failure message=\"the operator saw the message: Invalid Sequence "
        "Number-1\xEF\xBF\xBD\">"
        "the operator saw the message: Invalid Sequence Number-1\xEF\xBF\xBD\n"
        "expected outcome &apos;Approved&apos;, the response reports &apos;Declined&apos;\n"
        "</failure>\n"
        "    <system-out>Script.csv line 3: Sale 5\nrequest:\n&lt;Q/&gt;\n"
        "response:\n&lt;R&gt;&lt;CmdResponse&gt;&lt;CmdStatus&gt;Declined&lt;/CmdStatus&gt;"
        "&lt;/CmdResponse&gt;&lt;/R&gt;\n"
        "message: Invalid Sequence Number-1\xEF\xBF\xBD\ntime: 1.500 s\n</system-out>\n"
        "  </testcase>\n"
        "  <testcase name=\"down\" classname=\"Script.csv\" file=\"Script.csv\" line=\"5\" "
        "time=\"0.000\">\n"
        "    <failure message=\"no response came back: the payment client failed\">"
        "no response came back: the payment client failed\n</failure>\n"
        "    <system-out>Script.csv line 5: Sale 5\nresponse: none (client failed)\n"
        "time: 0.000 s\n</system-out>\n"
        "  </testcase>\n"
        "  <testcase name=\"&quot;quoted&quot;\" classname=\"Script.csv\" file=\"Script.csv\" "
        "line=\"6\" time=\"0.000\">\n"
        "    <skipped message=\"the script was stopped at this test case\"/>\n"
        "  </testcase>\n"
        "  <testcase name=\"later\" classname=\"Script.csv\" file=\"Script.csv\" line=\"7\" "
        "time=\"0.000\">\n"
        "    <skipped message=\"not reached: the script was stopped before it\"/>\n"
        "  </testcase>\n"
        "</testsuite>\n";
    ASSERT_EQ(WriteReport("report.xml", SampleRun()), "written");
    EXPECT_EQ(test::ReadFile("report.xml"), expected);
}

TEST(JUnitReport, EmptyRun) {
    test::TempDir dir;
    ASSERT_EQ(WriteReport("report.xml", {}, LocalTime{}, 0), "written");
    EXPECT_EQ(test::ReadFile("report.xml"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<testsuite name=\"Script.csv\" tests=\"0\" failures=\"0\" errors=\"0\" "
              "skipped=\"0\" time=\"0.000\" timestamp=\"1970-01-01T00:00:00\">\n"
              "</testsuite>\n");
}

TEST(JUnitReport, ReplacesInOneStepOrLeavesNothing) {
    test::TempDir dir;
    test::WriteFile("report.xml", "old");
    // What an earlier run killed while writing left behind, an hour ago.
    test::WriteFile(".report.xml.nordteller-Kx9Lm2.tmp", "<?xml");
    std::filesystem::last_write_time(".report.xml.nordteller-Kx9Lm2.tmp",
                                     std::filesystem::last_write_time(".") - std::chrono::hours(1));
    EXPECT_EQ(WriteReport("no-such-dir/report.xml", SampleRun()), "No such file or directory");
    {
        ScopedWriteFault full({"report.xml", 1000, ENOSPC});
        EXPECT_EQ(WriteReport("report.xml", SampleRun()), "No space left on device");
    }
    {
        ScopedWriteFault failing({"", 500, EIO});  // the body fails as test cases come
        EXPECT_EQ(WriteReport("report.xml", SampleRun()), "Input/output error");
    }
    EXPECT_EQ(test::ReadFile("report.xml"), "old");
    ASSERT_EQ(WriteReport("report.xml", SampleRun()), "written");
    EXPECT_NE(test::ReadFile("report.xml").find("tests=\"5\" failures=\"2\""), std::string::npos);
    // No temporary file left behind, the stale one cleared.
    EXPECT_EQ(test::Entries(), std::vector<std::string>{"report.xml"});
}

// A response over the limit is judged whole and carried cut, with a note of what was cut.
TEST(JUnitReport, LongTextsAreCutWithANote) {
    test::TempDir dir;
    const std::string padding(kReportTextLimit, 'x');
    TestCaseRecord tc = RanRow(1, 2, "Run,5,,R,A,Sale,0,0,long,Approved");
    RecordResponse(tc, "<R><CmdResponse><CmdStatus>Approved</CmdStatus></CmdResponse><P>" +
                           padding + "</P></R>");
    tc.requests = {ReportCopy(padding), ReportCopy(padding + "12345")};
    ASSERT_EQ(WriteReport("report.xml", {tc}), "written");
    const std::string xml = test::ReadFile("report.xml");
    EXPECT_NE(xml.find("failures=\"0\""), std::string::npos);
    EXPECT_NE(xml.find("request:\n" + padding + "\nrequest:\n" + padding +
                       "\n[5 more bytes cut from the report]\nresponse:\n&lt;R&gt;"),
              std::string::npos);
    EXPECT_NE(xml.find("xxx\n[72 more bytes cut from the report]\ntime: "), std::string::npos)
        << xml.substr(xml.size() - 300);
}

}  // namespace
}  // namespace nt
