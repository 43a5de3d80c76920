// --compare on records made by the real writer: pairing, what is ignored, receipt line diffs,
// the reports and the exit statuses.
#include "compare/CompareCommand.h"

#include <gtest/gtest.h>

#include <sstream>

#include "compare/CaseComparison.h"
#include "compare/JsonLine.h"
#include "compare/RecordSamples.h"
#include "support/TempDir.h"

namespace nt {
namespace {

using test::ReadFile;
using test::SaleCase;
using test::SaleRun;
using test::WriteFile;
using test::WriteRecord;

struct Compared {
    int status = -1;
    std::string out;
    std::string err;
};

Compared Compare(const IgnoreRules& rules = IgnoreRules(), const std::string& html = "",
                 const std::string& junit = "", const std::string& base = "base.jsonl",
                 const std::string& now = "new.jsonl") {
    std::ostringstream out;
    std::ostringstream err;
    Compared c;
    c.status = RunCompare({base, now, rules, html, junit}, out, err);
    c.out = out.str();
    c.err = err.str();
    return c;
}

// The lines of `out` that tell of a test case.
std::vector<std::string> CaseLines(const std::string& out) {
    std::vector<std::string> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with("changed") || line.starts_with("added") ||
            line.starts_with("missing")) {
            lines.push_back(line);
        }
    }
    return lines;
}

class CompareRecords : public ::testing::Test {
  protected:
    void SetUp() override { WriteFile("Script.csv", "Run,10,,1001,Skip,Sale,0,0,one,Approved\n"); }
    test::TempDir dir_;
};

TEST_F(CompareRecords, PairsByLineAndInfoAndTellsAddedAndMissing) {
    ASSERT_EQ(WriteRecord("base.jsonl", {SaleCase(1, 2, "one"), SaleCase(2, 3, "two"),
                                         SaleCase(3, 4, "three"), SaleCase(4, 6, "five")}),
              "written");
    // Line 3 went, line 4 now holds another test case, line 5 is new.
    ASSERT_EQ(WriteRecord("new.jsonl", {SaleCase(1, 2, "one"), SaleCase(2, 4, "four"),
                                        SaleCase(3, 5, "new"), SaleCase(4, 6, "five")}),
              "written");
    const Compared c = Compare();
    EXPECT_EQ(c.status, 1) << c.err;
    EXPECT_EQ(CaseLines(c.out),
              (std::vector<std::string>{"missing line 3 'two': passed, CmdStatus 'Approved'",
                                        "missing line 4 'three': passed, CmdStatus 'Approved'",
                                        "added   line 4 'four': passed, CmdStatus 'Approved'",
                                        "added   line 5 'new': passed, CmdStatus 'Approved'"}));
    EXPECT_NE(c.out.find("\nresult: 4 of 6 test cases differ: 0 changed, 2 added, 2 missing"),
              std::string::npos)
        << c.out;
}

// Two runs of the same Sale differ in what changes from run to run: sequence number, the host's
// references, the date and time on the receipt, the duration. Nothing of it differs by default;
// all of it with --strict; --ignore takes one more element out.
TEST_F(CompareRecords, VolatileValuesAreIgnoredUnlessStrict) {
    SaleRun other;
    other.sequenceNo = "0010010530";
    other.refNo = "0042";
    other.authCode = "A00042";
    other.date = "2027/01/31";
    other.time = "09:05:00";
    other.elapsedMs = 250;
    ASSERT_EQ(WriteRecord("base.jsonl", {SaleCase(1, 2, "one")}), "written");
    ASSERT_EQ(WriteRecord("new.jsonl", {SaleCase(1, 2, "one", other)}), "written");

    Compared c = Compare();
    EXPECT_EQ(c.status, 0) << c.out;
    EXPECT_TRUE(CaseLines(c.out).empty()) << c.out;
    EXPECT_NE(c.out.find("result: no test case differs (1 compared; ignored: dates, times, "
                         "durations, SequenceNo, RefNo, AuthCode, AcqRefData, ProcessData)"),
              std::string::npos)
        << c.out;

    c = Compare(IgnoreRules::Strict(), "strict.html", "strict.xml");
    EXPECT_EQ(c.status, 1);
    ASSERT_EQ(CaseLines(c.out).size(), 1u) << c.out;
    EXPECT_TRUE(CaseLines(c.out)[0].starts_with(
        "changed line 2 'one': request 1 Transaction/SequenceNo '0010010020' -> '0010010530'; "
        "response 1 CmdResponse/SequenceNo '0010010020' -> '0010010530'; response 1 "
        "TranResponse/AuthCode 'A00001' -> 'A00042'; and "))
        << c.out;
    const std::string xml = ReadFile("strict.xml");
    for (const char* what :
         {"TranResponse/RefNo:", "TranResponse/AcqRefData:", "TranResponse/ProcessData:",
          "duration:\n  base: 3 ms\n  new:  250 ms", "  - DATE 2026/12/08        TIME 20:43:47",
          "  + DATE 2027/01/31        TIME 09:05:00", "  + REF #                           0042"}) {
        EXPECT_NE(xml.find(what), std::string::npos) << what;
    }

    // The invoice number is no volatile value: a change of it shows, in the request, the response
    // and the receipts, until --ignore names it.
    SaleRun invoice;
    invoice.invoiceNo = "2002";
    ASSERT_EQ(WriteRecord("new.jsonl", {SaleCase(1, 2, "one", invoice)}), "written");
    c = Compare();
    EXPECT_EQ(c.status, 1);
    EXPECT_NE(c.out.find("request 1 Transaction/InvoiceNo '1001' -> '2002'"), std::string::npos)
        << c.out;
    EXPECT_NE(c.out.find("response 1 TranResponse/InvoiceNo '1001' -> '2002'"), std::string::npos)
        << c.out;
    c = Compare(IgnoreRules({"InvoiceNo"}));
    EXPECT_EQ(c.status, 0) << c.out;
    EXPECT_NE(c.out.find("ProcessData, InvoiceNo)"), std::string::npos) << c.out;
}

// A receipt text that changed between two runs: a line diff of each copy, in the summary, the
// HTML page (side by side, the changed line marked) and the JUnit report ("-" and "+" lines).
TEST_F(CompareRecords, ReceiptLinesAreDiffedCopyByCopy) {
    SaleRun merci;
    merci.thanks = "MERCI <&> \x1B[31m";
    ASSERT_EQ(WriteRecord("base.jsonl", {SaleCase(1, 2, "one"), SaleCase(2, 3, "two")}), "written");
    ASSERT_EQ(WriteRecord("new.jsonl", {SaleCase(1, 2, "one"), SaleCase(2, 3, "two", merci)}),
              "written");
    const Compared c = Compare(IgnoreRules(), "diff.html", "diff.xml");
    EXPECT_EQ(c.status, 1);
    EXPECT_EQ(CaseLines(c.out),
              std::vector<std::string>{
                  "changed line 3 'two': receipt 1, cardholder copy: 1 line differs; receipt 1, "
                  "merchant copy: 1 line differs"});

    const std::string html = ReadFile("diff.html");
    EXPECT_NE(html.find("<tr class=\"chg\"><td class=\"old\">THANK YOU</td><td class=\"mark\">"
                        "&#8800;</td><td class=\"new\">MERCI &lt;&amp;> \xEF\xBF\xBD[31m</td>"),
              std::string::npos)
        << html;
    EXPECT_EQ(html.find("\x1B"), std::string::npos);
    EXPECT_EQ(html.find("id=\"l2\""), std::string::npos) << "only what differs";
    EXPECT_NE(html.find("<td class=\"old\">SEQUENCE #                0010010020</td><td "
                        "class=\"mark\"></td>"),
              std::string::npos);

    const std::string xml = ReadFile("diff.xml");
    EXPECT_NE(xml.find("<testsuite name=\"compare\" tests=\"2\" failures=\"1\""),
              std::string::npos);
    EXPECT_NE(xml.find("<testcase name=\"one\" classname=\"compare\" file=\"Script.csv\" "
                       "line=\"2\"/>"),
              std::string::npos);
    EXPECT_NE(xml.find("receipt 1, merchant copy:\n  - THANK YOU\n  + MERCI &lt;&amp;&gt; "),
              std::string::npos)
        << xml;
}

TEST_F(CompareRecords, TheSummaryLineIsBoundedAndEscaped) {
    SaleRun loud;
    loud.text = std::string(300, 'X') + "\x1B]0;title\x07";
    ASSERT_EQ(WriteRecord("base.jsonl", {SaleCase(1, 2, "one")}), "written");
    ASSERT_EQ(WriteRecord("new.jsonl", {SaleCase(1, 2, std::string(200, 'i') + "\x1B", loud)}),
              "written");
    const Compared c = Compare();
    ASSERT_EQ(c.status, 1);
    EXPECT_EQ(c.out.find('\x1B'), std::string::npos);
    EXPECT_EQ(c.out.find('\x07'), std::string::npos);
    for (const std::string& line : CaseLines(c.out)) {
        EXPECT_LT(line.size(), 400u) << line;
    }
}

TEST_F(CompareRecords, ExitStatusTwoNamesTheFileAndLine) {
    ASSERT_EQ(WriteRecord("base.jsonl", {SaleCase(1, 2, "one"), SaleCase(2, 3, "two")}), "written");
    std::string record = ReadFile("base.jsonl");

    Compared c = Compare(IgnoreRules(), "", "", "base.jsonl", "missing.jsonl");
    EXPECT_EQ(c.status, 2);
    EXPECT_EQ(c.err, "nordteller: cannot read 'missing.jsonl': No such file or directory\n");

    WriteFile("new.jsonl", "Run,10,,1001,Skip,Sale,0,0,one,Approved\n");
    c = Compare();
    EXPECT_EQ(c.status, 2);
    EXPECT_EQ(c.err,
              "nordteller: 'new.jsonl' line 1: not a nordteller record: not JSON (an unexpected "
              "character ('R') at column 1)\n");

    std::string version2 = record;
    version2.replace(version2.find("\"version\":1"), 11, "\"version\":2");
    WriteFile("new.jsonl", version2);
    c = Compare();
    EXPECT_EQ(c.status, 2);
    EXPECT_EQ(c.err,
              "nordteller: 'new.jsonl' line 1: a record of format version 2; this "
              "nordteller reads version 1\n");

    std::string broken = record;
    const size_t third = broken.find('\n', broken.find('\n') + 1) + 1;
    broken.insert(third, "{\"record\":\"case\",\n");
    WriteFile("new.jsonl", broken);
    c = Compare(IgnoreRules(), "report.html", "report.xml");
    EXPECT_EQ(c.status, 2);
    EXPECT_EQ(c.err,
              "nordteller: 'new.jsonl' line 3: not JSON (a member name missing at the end "
              "of the line)\n");
    EXPECT_EQ(ReadFile("report.html"), "<missing>") << "no report of a comparison cut short";

    WriteFile("new.jsonl", record.substr(0, record.rfind("{\"record\":\"summary\"")));
    c = Compare();
    EXPECT_EQ(c.status, 2);
    EXPECT_EQ(c.err,
              "nordteller: 'new.jsonl': ends after line 3 without its summary line (a "
              "record cut short?)\n");

    WriteFile("new.jsonl", record);
    c = Compare();
    EXPECT_EQ(c.status, 0) << c.err;
}

TEST(JsonLine, ReadsWhatTheWriterWrites) {
    JsonLine json;
    std::string error;
    ASSERT_TRUE(json.Parse(
        " {\"a\":[1,-2.5e3,true,false,null],\"s\":\"caf\\u00e9 \\ud83d\\ude00 \\\"q\\\"\\n\","
        "\"o\":{},\"e\":[],\"k\\u0031\":\"x\"} ",
        error))
        << error;
    const JsonLine::Value root = json.Root();
    EXPECT_EQ(root["a"].Size(), 5u);
    int64_t n = 0;
    EXPECT_TRUE(root["a"].First().Int(n, 0, 10));
    EXPECT_EQ(n, 1);
    EXPECT_FALSE(root["a"].First().Next().Int(n, -10000, 10000)) << "not a whole number";
    EXPECT_EQ(root["s"].String(), "caf\xC3\xA9 \xF0\x9F\x98\x80 \"q\"\n");
    EXPECT_TRUE(root["o"].IsObject());
    EXPECT_EQ(root["e"].Size(), 0u);
    EXPECT_EQ(root["k1"].String(), "x");
    EXPECT_FALSE(root["missing"].Valid());

    for (const char* bad : {"", "{", "{\"a\":}", "[1,]", "\"a\tb\"", "01", "{} x", "[\"\\x\"]"}) {
        EXPECT_FALSE(json.Parse(bad, error)) << bad;
        EXPECT_FALSE(error.empty());
    }
}

TEST(LineDiff, SetsRemovedLinesBesideAddedOnes) {
    const std::vector<DiffRow> rows = DiffLines({"a", "b", "c", "d"}, {"a", "B", "c", "d", "e"});
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_FALSE(rows[0].changed);
    EXPECT_TRUE(rows[1].changed);
    EXPECT_EQ(rows[1].base, 1);
    EXPECT_EQ(rows[1].now, 1);
    EXPECT_FALSE(rows[2].changed);
    EXPECT_TRUE(rows[4].changed);
    EXPECT_EQ(rows[4].base, -1);
    EXPECT_EQ(ChangedRows(rows), 2u);
}

TEST(IgnoreRules, MasksDatesTimesAndWholeValues) {
    EXPECT_EQ(MaskDatesAndTimes("DATE 2026/12/08 TIME 20:43:47 $10.00 1.0.0 12/08/26"),
              "DATE <date> TIME <time> $10.00 1.0.0 <date>");
    const IgnoreRules rules;
    EXPECT_EQ(rules.MaskedLine("REF # 0001 AMOUNT 10001", {{"RefNo", "0001"}}),
              "REF # <RefNo> AMOUNT 10001");
    EXPECT_EQ(IgnoreRules::Strict().MaskedLine("20:43", {{"RefNo", "20"}}), "20:43");
}

}  // namespace
}  // namespace nt
