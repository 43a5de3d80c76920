#include "script/JUnitReport.h"

#include <chrono>
#include <filesystem>

#include <gtest/gtest.h>

#include "script/XmlText.h"
#include "support/TempDir.h"

namespace nt {
namespace {

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

TestCaseRecord Record(int index, int line, const std::string& csv) {
    TestCaseRecord tc;
    tc.index = index;
    tc.line = line;
    tc.row = SplitScriptRow(csv);
    tc.reached = true;
    tc.outcome = TestCaseOutcome::kRan;
    return tc;
}

ScriptRunRecord SampleRun() {
    ScriptRunRecord run;
    run.end = ScriptEnd::kStopped;
    run.started = LocalTime{2026, 3, 7, 9, 5, 2};
    run.elapsedMs = 12345;

    TestCaseRecord pass = Record(1, 2, "Run,5,,R,A,Sale,0,0,Caf\xE9 <1>,Approved");
    pass.requests = {"<TStream>\r\n\t<A>x</A>\r\n</TStream>\r\n"};
    pass.responses = {"<R><CmdResponse><CmdStatus>Approved</CmdStatus></CmdResponse></R>"};
    pass.receipts = {"Caf\xE9 <1>"};
    pass.elapsedMs = 7;

    TestCaseRecord declined = Record(2, 3, "Run,5,,R,A,Sale,0,0,,Approved");
    declined.requests = {"<Q/>"};
    declined.responses = {"<R><CmdResponse><CmdStatus>Declined</CmdStatus></CmdResponse></R>"};
    declined.errorMessages = {"Invalid Sequence Number-1\x01"};
    declined.elapsedMs = 1500;

    TestCaseRecord failed = Record(3, 5, "Run,5,,R,A,Sale,0,0,down");
    failed.noResponse = NoResponse::kClientFailed;

    TestCaseRecord skipped = Record(4, 6, "Run,5,,R,A,Sale,0,0,\"quoted\"");
    skipped.outcome = TestCaseOutcome::kStopped;
    TestCaseRecord unreached = Record(5, 7, "Run,5,,R,A,Sale,0,0,later");
    unreached.reached = false;

    run.testCases = {pass, declined, failed, skipped, unreached};
    return run;
}

TEST(FormatJUnitReport, ByteExact) {
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
        "    <skipped message=\"not run: the script was stopped before it\"/>\n"
        "  </testcase>\n"
        "</testsuite>\n";
    EXPECT_EQ(FormatJUnitReport(SampleRun()), expected);
}

TEST(FormatJUnitReport, EmptyRun) {
    ScriptRunRecord run;
    run.end = ScriptEnd::kCompleted;
    EXPECT_EQ(FormatJUnitReport(run),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<testsuite name=\"Script.csv\" tests=\"0\" failures=\"0\" errors=\"0\" "
              "skipped=\"0\" time=\"0.000\" timestamp=\"1970-01-01T00:00:00\">\n"
              "</testsuite>\n");
}

TEST(WriteJUnitReport, ReplacesInOneStepOrLeavesNothing) {
    test::TempDir dir;
    test::WriteFile("report.xml", "old");
    // What an earlier run killed while writing left behind, an hour ago.
    test::WriteFile(".report.xml.nordteller-Kx9Lm2.tmp", "<?xml");
    std::filesystem::last_write_time(".report.xml.nordteller-Kx9Lm2.tmp",
                                     std::filesystem::last_write_time(".") - std::chrono::hours(1));
    ASSERT_TRUE(WriteJUnitReport("report.xml", SampleRun()));
    EXPECT_EQ(test::ReadFile("report.xml"), FormatJUnitReport(SampleRun()));
    EXPECT_FALSE(WriteJUnitReport("no-such-dir/report.xml", SampleRun()));
    // No temporary file left behind, the stale one cleared.
    EXPECT_EQ(test::Entries(), std::vector<std::string>{"report.xml"});
}

}  // namespace
}  // namespace nt
