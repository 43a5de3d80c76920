#include "script/ResultsReport.h"

#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <sstream>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "platform/WriteFault.h"
#include "script/ReportRun.h"
#include "support/TempDir.h"

namespace nt {
namespace {

using nlohmann::json;

using test::RanRow;

std::vector<TestCaseRecord> SampleRun() {
    TestCaseRecord pass = RanRow(1, 2, "Run,5,,R,A,Sale,0,0,Caf\xE9 <1>\x81,Approved");
    pass.requests = {"<TStream>edited</TStream>"};
    pass.composed = {"<TStream>\r\n\t<A>x</A>\r\n</TStream>\r\n"};
    RecordResponse(pass,
                   "<R><CmdResponse><CmdStatus>Approved</CmdStatus><TextResponse>APPROVED"
                   "</TextResponse></CmdResponse><TVR>0000008000</TVR><TSI>zz</TSI></R>");
    pass.receipts = {"Caf\xE9 <1>"};
    pass.receiptCopies = {{"PURCHASE\r\nTOTAL $5.00\n\nCardholder Copy\n", "Merchant Copy\n"}};
    pass.receiptResponses = {0};
    pass.elapsedMs = 7;

    TestCaseRecord declined = RanRow(2, 3, "Run,5,,R,A,Sale,0,0,,Approved");
    declined.requests = {"<Q/>"};
    declined.composed = {""};
    RecordResponse(declined, "<R><CmdResponse><CmdStatus>Declined</CmdStatus></CmdResponse></R>");
    declined.errorMessages = {"Invalid Sequence Number-1\x01"};
    declined.elapsedMs = 1500;

    TestCaseRecord failed = RanRow(3, 5, "Run,5,,R,A,Sale,0,0,down");
    failed.noResponse = NoResponse::kClientFailed;

    TestCaseRecord stopped = RanRow(4, 6, "Run,5,,R,A,Sale,0,0,\"quoted\"");
    stopped.outcome = TestCaseOutcome::kStopped;
    TestCaseRecord unreached = RanRow(5, 7, "Run,5,,R,A,Sale,0,0,later");
    unreached.reached = false;
    return {pass, declined, failed, stopped, unreached};
}

ResultsRunOptions Options() {
    return {"lib<x>.so",
            true,
            "-",
            false,
            {{ReportFormat::JUnit, "j.xml"}, {ReportFormat::Results, "run.jsonl"}}};
}

std::string WriteRecord(ResultsReport& report, const std::string& path,
                        const std::vector<TestCaseRecord>& testCases, bool open = true) {
    return test::WriteRun(report, path, testCases, LocalTime{2026, 3, 7, 9, 5, 2}, 12345, open);
}

// Every line of the file parsed on its own; a line that is not one JSON object fails the test.
std::vector<json> Lines(const std::string& path) {
    std::vector<json> lines;
    std::istringstream in(test::ReadFile(path));
    for (std::string line; std::getline(in, line);) {
        lines.push_back(json::parse(line));
        EXPECT_TRUE(lines.back().is_object()) << line;
    }
    return lines;
}

TEST(ResultsReport, ARunLineACaseLineEachAndASummary) {
    test::TempDir dir;
    ResultsReport report(Options());
    ASSERT_EQ(WriteRecord(report, "run.jsonl", SampleRun()), "written");
    const std::vector<json> lines = Lines("run.jsonl");
    ASSERT_EQ(lines.size(), 7u);

    const json& run = lines[0];
    EXPECT_EQ(run["record"], "run");
    EXPECT_EQ(run["format"], "nordteller-results");
    EXPECT_EQ(run["version"], 1);
    EXPECT_EQ(run["program_version"], NORDTELLER_VERSION);
    EXPECT_EQ(run["payment_client"], "lib<x>.so");
    EXPECT_EQ(run["started"], "2026-03-07T09:05:02");
    EXPECT_EQ(run["working_folder"], std::filesystem::current_path().string());
    EXPECT_EQ(run["options"]["front_end"], "headless");
    EXPECT_EQ(run["options"]["scenario"], "-");
    EXPECT_EQ(run["options"]["reports"][1], (json{{"format", "results"}, {"path", "run.jsonl"}}));

    const json& pass = lines[1];
    EXPECT_EQ(pass["record"], "case");
    EXPECT_EQ(pass["name"], "Caf\xC3\xA9 <1>\xC2\x81");  // Windows-1252 read as such
    EXPECT_EQ(pass["line"], 2);
    EXPECT_EQ(pass["verdict"], "passed");
    EXPECT_EQ(pass["expected_status"], "Approved");
    EXPECT_EQ(pass["actual_status"], "Approved");
    EXPECT_EQ(pass["text_response"], "APPROVED");
    EXPECT_EQ(pass["requests"][0]["composed"], "<TStream>\r\n\t<A>x</A>\r\n</TStream>\r\n");
    EXPECT_EQ(pass["requests"][0]["sent"], "<TStream>edited</TStream>");
    const json& emv = pass["responses"][0]["emv"];
    ASSERT_EQ(emv.size(), 2u);
    EXPECT_EQ(emv[0]["name"], "TVR");
    EXPECT_EQ(emv[0]["meanings"][0], "byte 4 bit 8: transaction exceeds floor limit");
    EXPECT_EQ(emv[1]["decoded"], false);
    EXPECT_EQ(emv[1]["problem"], "not hexadecimal");
    const json& receipt = pass["receipts"][0];
    EXPECT_EQ(receipt["file"], "QUORLIN_LOGS/Caf\xC3\xA9 <1>.txt");
    EXPECT_EQ(receipt["cardholder_copy"], "PURCHASE\nTOTAL $5.00\n\nCardholder Copy\n");
    EXPECT_EQ(receipt["response"], 0);
    EXPECT_EQ(pass["duration_ms"], 7);

    const json& declined = lines[2];
    EXPECT_EQ(declined["name"], "row 3");
    EXPECT_EQ(declined["test_case_info"], "");
    EXPECT_EQ(declined["verdict"], "failed");
    EXPECT_EQ(declined["requests"][0]["composed"], nullptr);
    EXPECT_EQ(declined["messages"][0], "Invalid Sequence Number-1\x01");
    EXPECT_EQ(declined["reasons"].size(), 2u);
    EXPECT_EQ(declined["reasons"][1],
              "expected outcome 'Approved', the response reports 'Declined'");
    EXPECT_EQ(declined["no_response"], nullptr);

    EXPECT_EQ(lines[3]["no_response"], "client_failed");
    EXPECT_EQ(lines[3]["responses"], json::array());
    EXPECT_EQ(lines[3]["text_response"], nullptr);
    EXPECT_EQ(lines[3]["expected_status"], nullptr);
    EXPECT_EQ(lines[4]["verdict"], "skipped");
    EXPECT_EQ(lines[4]["columns"][8], "\"quoted\"");
    EXPECT_EQ(lines[5]["verdict"], "not_reached");
    EXPECT_EQ(lines[5]["reasons"][0], "not reached: the script was stopped before it");

    EXPECT_EQ(lines[6], (json{{"record", "summary"},
                              {"test_cases", 5},
                              {"passed", 1},
                              {"failed", 2},
                              {"skipped", 1},
                              {"not_reached", 1},
                              {"duration_ms", 12345},
                              {"stopped", true},
                              {"interrupted", false}}));
}

TEST(ResultsReport, ReplacesInOneStepOrLeavesNothing) {
    test::TempDir dir;
    test::WriteFile("run.jsonl", "old");
    {
        ResultsReport report(Options());
        EXPECT_EQ(WriteRecord(report, "no-such-dir/run.jsonl", SampleRun()),
                  "No such file or directory");
    }
    {
        // The disk fills as the summary, the last line, goes out.
        ResultsReport probe(Options());
        ASSERT_EQ(WriteRecord(probe, "probe.jsonl", SampleRun()), "written");
        const size_t size = std::filesystem::file_size("probe.jsonl");
        std::filesystem::remove("probe.jsonl");
        ScopedWriteFault full({"", size - 10, ENOSPC});
        ResultsReport report(Options());
        EXPECT_EQ(WriteRecord(report, "run.jsonl", SampleRun()), "No space left on device");
    }
    {
        ScopedWriteFault failing({"", 500, EIO});  // the body fails as test cases come
        ResultsReport report(Options());
        EXPECT_EQ(WriteRecord(report, "run.jsonl", SampleRun()), "Input/output error");
    }
    EXPECT_EQ(test::ReadFile("run.jsonl"), "old");
    EXPECT_EQ(test::Entries(), std::vector<std::string>{"run.jsonl"});
}

// A record put in place through a link on another file system, where the body written beside
// the link cannot be given the target's folder: it is copied there, whole.
TEST(ResultsReport, ALinkToAnotherFileSystemGetsTheWholeRecord) {
    test::TempDir dir;
    const std::string elsewhere = "/dev/shm/nordteller-test-" + std::to_string(::getpid());
    std::filesystem::create_directory(elsewhere);
    std::filesystem::create_symlink(elsewhere + "/run.jsonl", "run.jsonl");
    ResultsReport report(Options());
    EXPECT_EQ(WriteRecord(report, "run.jsonl", SampleRun()), "written");
    EXPECT_EQ(Lines(elsewhere + "/run.jsonl").size(), 7u);
    EXPECT_TRUE(std::filesystem::is_symlink("run.jsonl"));
    std::filesystem::remove_all(elsewhere);
}

// A window runs the script again and again: each run's record replaces the one before.
TEST(ResultsReport, EachRunOfAWindowReplacesTheRecordBefore) {
    test::TempDir dir;
    ResultsReport report(Options());
    ASSERT_EQ(WriteRecord(report, "run.jsonl", SampleRun()), "written");
    const std::vector<TestCaseRecord> second = {SampleRun()[1]};
    ASSERT_EQ(WriteRecord(report, "run.jsonl", second, false), "written");
    const std::vector<json> lines = Lines("run.jsonl");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1]["line"], 3);
    EXPECT_EQ(lines[2]["test_cases"], 1);
    EXPECT_EQ(lines[2]["stopped"], false);
    EXPECT_EQ(lines[2]["not_reached"], 0);
}

// More test cases than the writer takes at a time, and more bytes than may wait for it: every
// line arrives, once, in order.
TEST(ResultsReport, ALongRunKeepsEveryLineInOrder) {
    test::TempDir dir;
    const std::string big(16 * 1024, 'x');
    std::vector<TestCaseRecord> run;
    for (int i = 1; i <= 3 * static_cast<int>(ResultsReport::kBatch) + 5; ++i) {
        TestCaseRecord tc = RanRow(i, i + 1, "Run,5,,R,A,Sale,0,0,case " + std::to_string(i));
        tc.requests = {big};
        RecordResponse(tc, "<R><CmdStatus>Approved</CmdStatus></R>" + big);
        run.push_back(std::move(tc));
    }
    ASSERT_GT(run.size() * 2 * big.size(), ResultsReport::kMaxPendingBytes);
    ResultsReport report(Options());
    ASSERT_EQ(WriteRecord(report, "run.jsonl", run), "written");
    const std::vector<json> lines = Lines("run.jsonl");
    ASSERT_EQ(lines.size(), run.size() + 2);
    for (size_t i = 0; i < run.size(); ++i) {
        EXPECT_EQ(lines[i + 1]["index"], i + 1);
        EXPECT_EQ(lines[i + 1]["requests"][0]["sent"].get<std::string>().size(), big.size());
    }
    EXPECT_EQ(lines.back()["test_cases"], run.size());
}

}  // namespace
}  // namespace nt
