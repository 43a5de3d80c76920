// --merge on shard records made by the real writer: the script's order, the reports of the
// merged run as the run's own writers make them, the refusals, byte-identical repeats.
#include "compare/MergeCommand.h"

#include <gtest/gtest.h>

#include <sstream>

#include "compare/RecordSamples.h"
#include "script/JUnitReport.h"
#include "script/ReportRun.h"
#include "script/ScriptShard.h"
#include "support/TempDir.h"

namespace nt {
namespace {

using test::ReadFile;
using test::SaleCase;
using test::SaleRun;
using test::WriteFile;
using test::WriteRecord;

struct Merged {
    int status = -1;
    std::string out;
    std::string err;
};

Merged Merge(const std::vector<std::string>& inputs,
             const std::vector<ReportRequest>& reports = {{ReportFormat::Results, "all.jsonl"},
                                                          {ReportFormat::JUnit, "all.xml"},
                                                          {ReportFormat::Html, "all.html"}}) {
    std::ostringstream out;
    std::ostringstream err;
    Merged m;
    m.status = RunMerge({inputs, reports}, out, err);
    m.out = out.str();
    m.err = err.str();
    return m;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

SaleRun InShard(const char* shard, std::string text = "APPROVED") {
    SaleRun run;
    run.shard = shard;
    if (text != "APPROVED") {
        run.status = "Declined";
    }
    run.text = std::move(text);
    return run;
}

// Four test cases on lines 2, 3, 5 and 6, cut in two shards: 1/2 holds the first and third.
std::vector<TestCaseRecord> Shard(int k) {
    if (k == 1) {
        return {SaleCase(1, 2, "one", InShard("1/2")), SaleCase(3, 5, "three", InShard("1/2"))};
    }
    return {SaleCase(2, 3, "two", InShard("2/2", "DECLINED")),
            SaleCase(4, 6, "four", InShard("2/2"))};
}

class MergeRecords : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteFile("Script.csv", "Run,10,,1001,Skip,Sale,0,0,one,Approved\n");
        ASSERT_EQ(WriteRecord("s1.jsonl", Shard(1), "1/2", {2026, 12, 8, 20, 43, 47}, 1000),
                  "written");
        ASSERT_EQ(WriteRecord("s2.jsonl", Shard(2), "2/2", {2026, 12, 8, 20, 43, 50}, 2500),
                  "written");
    }
    test::TempDir dir_;
};

TEST_F(MergeRecords, TheScriptsOrderEachCaseNamingItsShard) {
    const Merged m = Merge({"s2.jsonl", "s1.jsonl"});
    ASSERT_EQ(m.status, 0) << m.err;
    EXPECT_EQ(m.out,
              "merged 2 records (shards 1/2 to 2/2): 4 test cases, 3 passed, 1 failed, 0 "
              "skipped or not reached\n");
    const std::vector<std::string> merged = Lines(ReadFile("all.jsonl"));
    const std::vector<std::string> one = Lines(ReadFile("s1.jsonl"));
    const std::vector<std::string> two = Lines(ReadFile("s2.jsonl"));
    ASSERT_EQ(merged.size(), 6u);
    // The case lines are the shards' own, byte for byte, in the script's order.
    EXPECT_EQ(merged[1], one[1]);
    EXPECT_EQ(merged[2], two[1]);
    EXPECT_EQ(merged[3], one[2]);
    EXPECT_EQ(merged[4], two[2]);
    EXPECT_NE(merged[2].find(",\"shard\":\"2/2\"}"), std::string::npos);
    // The run line: the earliest start, no one working folder, the records merged, no shard.
    EXPECT_NE(merged[0].find("\"started\":\"2026-12-08T20:43:47\",\"working_folder\":null"),
              std::string::npos)
        << merged[0];
    EXPECT_NE(merged[0].find("\"merged\":[{\"record\":\"s1.jsonl\",\"shard\":\"1/2\",\"started\":"
                             "\"2026-12-08T20:43:47\""),
              std::string::npos);
    EXPECT_EQ(merged[0].find("\"shard\":\"1/2\",\"options\""), std::string::npos);
    EXPECT_NE(merged[0].find("\"reports\":[{\"format\":\"results\",\"path\":\"all.jsonl\"},"),
              std::string::npos);
    // From the earliest start to the latest end: 3 s, then shard 2's 2.5 s.
    EXPECT_EQ(merged[5],
              "{\"record\":\"summary\",\"test_cases\":4,\"passed\":3,\"failed\":1,"
              "\"skipped\":0,\"not_reached\":0,\"duration_ms\":5500,\"stopped\":false,"
              "\"interrupted\":false}");

    // The JUnit report is the one the run's writer makes of the same test cases.
    JUnitReport direct;
    std::vector<TestCaseRecord> all = {Shard(1)[0], Shard(2)[0], Shard(1)[1], Shard(2)[1]};
    ASSERT_EQ(test::WriteRun(direct, "direct.xml", all, {2026, 12, 8, 20, 43, 47}, 5500),
              "written");
    EXPECT_EQ(ReadFile("all.xml"), ReadFile("direct.xml"));
    const std::string html = ReadFile("all.html");
    EXPECT_NE(html.find("<tr><th>Merged from</th><td>s1.jsonl (shard 1/2, started "
                        "2026-12-08T20:43:47)\ns2.jsonl (shard 2/2"),
              std::string::npos);
    EXPECT_NE(html.find("<tr><th>Shard</th><td>2/2</td></tr>"), std::string::npos);
}

TEST_F(MergeRecords, TheSameInputsGiveTheSameBytes) {
    ASSERT_EQ(Merge({"s1.jsonl", "s2.jsonl"}).status, 0);
    const std::string record = ReadFile("all.jsonl");
    const std::string junit = ReadFile("all.xml");
    const std::string html = ReadFile("all.html");
    ASSERT_EQ(Merge({"s2.jsonl", "s1.jsonl"}).status, 0);
    EXPECT_EQ(ReadFile("all.jsonl"), record);
    EXPECT_EQ(ReadFile("all.xml"), junit);
    EXPECT_EQ(ReadFile("all.html"), html);
}

TEST_F(MergeRecords, RefusesOverlapsOtherScriptsAndMissingShards) {
    Merged m = Merge({"s1.jsonl", "s1.jsonl"});
    EXPECT_EQ(m.status, 2);
    EXPECT_EQ(m.err,
              "nordteller: 's1.jsonl' and 's1.jsonl' are both shard 1/2: their test cases "
              "overlap\n");

    // A second shard that holds a line the first has.
    ASSERT_EQ(WriteRecord("s2x.jsonl", {SaleCase(2, 2, "one", InShard("2/2"))}, "2/2"), "written");
    m = Merge({"s1.jsonl", "s2x.jsonl"});
    EXPECT_EQ(m.status, 2);
    EXPECT_EQ(m.err,
              "nordteller: Script.csv line 2 is in both 's1.jsonl' (shard 1/2) and "
              "'s2x.jsonl' (shard 2/2): their test cases overlap\n");

    m = Merge({"s1.jsonl"});
    EXPECT_EQ(m.status, 2);
    EXPECT_EQ(m.err,
              "nordteller: shard 2/2 is missing: --merge needs the records of every shard "
              "of the run (1/2 to 2/2)\n");

    WriteFile("Script.csv", "Run,10,,1001,Skip,Sale,0,0,one,Declined\n");
    ASSERT_EQ(WriteRecord("other.jsonl", Shard(2), "2/2"), "written");
    m = Merge({"s1.jsonl", "other.jsonl"});
    EXPECT_EQ(m.status, 2);
    EXPECT_NE(m.err.find("nordteller: 's1.jsonl' and 'other.jsonl' are records of different "
                         "scripts (Script.csv of 40 bytes, SHA-256 "),
              std::string::npos)
        << m.err;

    ASSERT_EQ(WriteRecord("whole.jsonl", Shard(2)), "written");
    m = Merge({"s1.jsonl", "whole.jsonl"});
    EXPECT_EQ(m.status, 2);
    EXPECT_EQ(m.err,
              "nordteller: 'whole.jsonl' is not the record of a shard (its run line names "
              "none): --merge combines the records of one run's shards\n");
    EXPECT_EQ(ReadFile("all.jsonl"), "<missing>");
    EXPECT_EQ(ReadFile("all.xml"), "<missing>");
}

TEST(ScriptShard, KOfNCountedFromOne) {
    EXPECT_EQ(ParseShard("2/4"), (ScriptShard{2, 4}));
    EXPECT_EQ(ParseShard("1/1"), (ScriptShard{1, 1}));
    for (const char* bad :
         {"0/4", "5/4", "4/0", "a/b", "1/", "/4", "1/4/2", " 1/4", "-1/4", "1/99999", "2"}) {
        EXPECT_FALSE(ParseShard(bad)) << bad;
    }
    // Shard 2 of 4 holds the runnable rows 1, 5, 9, ... counted from 0.
    const ScriptShard two{2, 4};
    std::vector<int> held;
    for (int index = 0; index < 12; ++index) {
        if (two.Holds(index)) {
            held.push_back(index);
        }
    }
    EXPECT_EQ(held, (std::vector<int>{1, 5, 9}));
    EXPECT_EQ(two.Name(), "2/4");
}

}  // namespace
}  // namespace nt
