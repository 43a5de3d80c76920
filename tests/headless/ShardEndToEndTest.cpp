// --shard, --merge and --compare through the built program, each shard in a folder of its own as
// CI runs them.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/FolderLock.h"
#include "support/ProgramRun.h"
#include "support/TempDir.h"

namespace nt {
namespace {

using test::Nordteller;
using test::ReadFile;
using test::WriteFile;

// A sale and its void, another sale, a balance inquiry: cut in two, the void's shard is not its
// sale's.
constexpr const char* kScript =
    "Run,Amount,Tip,Ref,Auth,Type,Options,Lang,Info,Expected\r\n"
    "Run,10,,1001,Skip,Sale,0,0,sale one,Approved\r\n"
    "Run,10,,Skip,Skip,VoidSale,0,0,void one,Approved\r\n"
    "Run,12,,1002,Skip,Sale,0,0,sale two,Approved\r\n"
    "Run,0,,1003,Skip,Balance,0,0,balance,Approved\r\n";

test::Outcome InFolder(const std::string& folder, const std::string& args) {
    const std::string previous = std::filesystem::current_path().string();
    std::filesystem::current_path(folder);
    test::Outcome outcome = Nordteller(args, 60);
    std::filesystem::current_path(previous);
    return outcome;
}

TEST(ShardEndToEnd, AVoidWhoseSaleRanInAnotherShardIsNotRun) {
    test::TempDir dir;
    std::filesystem::create_directory("two");
    WriteFile("two/Script.csv", kScript);
    test::Outcome two = InFolder(
        "two", "--headless --run-script --shard 2/2 --results ../two.jsonl --junit ../two.xml");
    EXPECT_EQ(two.status, 1) << two.err;
    EXPECT_EQ(two.err,
              "nordteller: test case 2 of 4: void one\n"
              "nordteller: test case 4 of 4: balance\n"
              "nordteller: shard 2/2: 2 of the 4 test cases of Script.csv\n"
              "nordteller: script: 2 test cases, 1 passed, 1 failed, 0 skipped\n");
    const std::string record = ReadFile("two.jsonl");
    EXPECT_NE(record.find("\"script_bytes\":" + std::to_string(std::string(kScript).size()) +
                          ",\"shard\":\"2/2\",\"options\""),
              std::string::npos)
        << record.substr(0, 600);
    EXPECT_NE(record.find("\"index\":2,\"line\":3,\"name\":\"void one\""), std::string::npos);
    EXPECT_NE(
        record.find(
            "\"verdict\":\"failed\",\"reasons\":[\"failed before running: its original (line 2) "
            "ran in another shard\"],\"requests\":[]"),
        std::string::npos);
    EXPECT_NE(record.find("\"index\":4,\"line\":5,\"name\":\"balance\""), std::string::npos);
    EXPECT_NE(ReadFile("two.xml").find(
                  "<failure message=\"failed before running: its original (line 2) ran in "
                  "another shard\">"),
              std::string::npos);
    // Its own folder, its own sequence number: only the balance inquiry was sent there.
    EXPECT_EQ(ReadFile("two/testseqNo.dat"), "0010010020");

    std::filesystem::create_directory("one");
    WriteFile("one/Script.csv", kScript);
    test::Outcome one =
        InFolder("one", "--headless --run-script --shard 1/2 --results ../one.jsonl");
    EXPECT_EQ(one.status, 0) << one.err;

    // Unsharded (one shard of one), the void finds its sale.
    std::filesystem::create_directory("all");
    WriteFile("all/Script.csv", kScript);
    test::Outcome all =
        InFolder("all", "--headless --run-script --shard 1/1 --results ../all.jsonl");
    EXPECT_EQ(all.status, 0) << all.err;

    test::Outcome merged = Nordteller(
        "--merge two.jsonl one.jsonl --results merged.jsonl "
        "--junit merged.xml --report merged.html");
    EXPECT_EQ(merged.status, 0) << merged.err;
    EXPECT_EQ(merged.out,
              "merged 2 records (shards 1/2 to 2/2): 4 test cases, 3 passed, 1 "
              "failed, 0 skipped or not reached\n");
    const std::string mergedRecord = ReadFile("merged.jsonl");
    EXPECT_LT(mergedRecord.find("\"name\":\"sale one\""),
              mergedRecord.find("\"name\":\"void one\""));
    EXPECT_LT(mergedRecord.find("\"name\":\"void one\""),
              mergedRecord.find("\"name\":\"sale two\""));

    test::Outcome compared = Nordteller("--compare all.jsonl merged.jsonl");
    EXPECT_EQ(compared.status, 1) << compared.err;
    EXPECT_NE(compared.out.find(
                  "\nchanged line 3 'void one': verdict 'passed' -> 'failed'; reasons "
                  "'' -> 'failed before running: its original (line 2) ran in another shard'; "
                  "CmdStatus 'Approved' -> none; and "),
              std::string::npos)
        << compared.out;
    EXPECT_NE(
        compared.out.find("\nresult: 1 of 4 test cases differ: 1 changed, 0 added, 0 missing"),
        std::string::npos)
        << compared.out;
    EXPECT_EQ(Nordteller("--compare merged.jsonl merged.jsonl").status, 0);
}

TEST(ShardEndToEnd, TheCommandLineIsCheckedFirst) {
    test::TempDir dir;
    WriteFile("Script.csv", kScript);
    test::Outcome r = Nordteller("--headless --run-script --shard 3/2");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err,
              "nordteller: option '--shard' needs K/N, shard K of N with 1 <= K <= N <= "
              "10000, not '3/2' (try --help)\n");
    r = Nordteller("--run-script --shard 1/2");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "nordteller: --shard needs --headless --run-script (try --help)\n");
    EXPECT_EQ(test::Entries(), std::vector<std::string>{"Script.csv"});
}

// --compare and --merge take no folder lock, refuse an output that is one of their inputs, and
// name the file and line of what is not a record.
TEST(ShardEndToEnd, RecordCommandsTakeNoLockAndNameWhatTheyRefuse) {
    test::TempDir dir;
    FolderLock lock(".");
    ASSERT_TRUE(lock.Held());
    WriteFile("a.jsonl", "{\"record\":\"run\"}\n");
    WriteFile("b.jsonl", "not json\n");
    test::Outcome r = Nordteller("--compare a.jsonl b.jsonl --report a.jsonl");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err,
              "nordteller: --report 'a.jsonl' would overwrite the base record (--compare)\n");
    r = Nordteller("--merge a.jsonl b.jsonl --results ./b.jsonl");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err,
              "nordteller: --results './b.jsonl' would overwrite a record it merges "
              "(--merge)\n");
    r = Nordteller("--compare a.jsonl b.jsonl");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err,
              "nordteller: 'a.jsonl' line 1: not a nordteller record: format '', not "
              "nordteller-results\n");
    r = Nordteller("--compare b.jsonl a.jsonl");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err,
              "nordteller: 'b.jsonl' line 1: not a nordteller record: not JSON (an "
              "unexpected character ('n') at column 1)\n");
    EXPECT_EQ(r.out, "");
}

}  // namespace
}  // namespace nt
