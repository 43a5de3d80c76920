// --run-script and --junit of the built program, as automation runs it.
#include <gtest/gtest.h>
#include <pugixml.hpp>

#include "support/ProgramRun.h"
#include "support/TempDir.h"

namespace nt {
namespace {

using test::Nordteller;
using test::ReadFile;
using test::WriteFile;

// A payment client that cannot be loaded: start-up goes on without one, so every command
// that is run gets no response.
constexpr const char* kNoClient = "--control ./no-such-client.so ";

class RunScriptEndToEnd : public ::testing::Test {
  protected:
    test::TempDir dir_;
};

TEST_F(RunScriptEndToEnd, MissingScriptGivesTheMessageAndStatusTwo) {
    auto r = Nordteller(std::string(kNoClient) + "--headless --run-script --junit report.xml");
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.ends_with("\nmessage: Could not open Script.csv\n")) << r.out;
    EXPECT_TRUE(r.err.ends_with("nordteller: Could not open Script.csv\n")) << r.err;
    EXPECT_EQ(ReadFile("report.xml"), "<missing>");
}

TEST_F(RunScriptEndToEnd, RowsWithoutAResponseFailTheRun) {
    WriteFile("Script.csv",
              "\xEF\xBB\xBFRun,Amount,Tip,Ref,Auth,Type,Options,Lang,Info,Expected\r\n"
              "Run,5,,R,A,Sale,0,0,first,Approved\r\n"
              "Run,7,,R,A,sale,0,0,second\r\n");
    auto r = Nordteller(std::string(kNoClient) + "--headless --run-script --junit out.xml");
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_NE(r.out.find("test-case: Run Test case: first\\r\\nfor: 5.00 -> do\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("message:  TranType [sale] is invalid. skipping...\n"), std::string::npos);
    EXPECT_NE(r.err.find("nordteller: test case 1 of 2: first\nnordteller: test case 2 of 2: "
                         "second\nnordteller: script: 2 test cases, 0 passed, 2 failed, 0 "
                         "skipped\n"),
              std::string::npos)
        << r.err;
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(ReadFile("out.xml").c_str()));
    pugi::xml_node suite = doc.child("testsuite");
    EXPECT_STREQ(suite.attribute("tests").value(), "2");
    EXPECT_STREQ(suite.attribute("failures").value(), "2");
    pugi::xml_node first = suite.child("testcase");
    EXPECT_STREQ(first.attribute("name").value(), "first");
    EXPECT_STREQ(first.attribute("line").value(), "2");
    EXPECT_STREQ(first.child("failure").attribute("message").value(),
                 "no response came back: the payment client failed");
    EXPECT_NE(std::string(first.child_value("system-out")).find("<TranCode>EMVSale</TranCode>"),
              std::string::npos);
}

TEST_F(RunScriptEndToEnd, ScenarioAnswersServeThePrompts) {
    WriteFile("Script.csv", "Run,5,,R,A,Sale,0,0,one\nRun,6,,R,A,Sale,0,0,two\n");
    WriteFile("skip.scenario", "set 1037 before\nanswer skip\nanswer skip\n");
    auto r = Nordteller(std::string(kNoClient) +
                        "--headless --scenario skip.scenario --run-script --junit r.xml");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("for: 6.00 -> skip\n"), std::string::npos) << r.out;
    EXPECT_NE(ReadFile("r.xml").find("tests=\"2\" failures=\"0\" errors=\"0\" skipped=\"2\""),
              std::string::npos);

    WriteFile("three.scenario", "answer skip\nanswer skip\nanswer skip\n");
    r = Nordteller(std::string(kNoClient) + "--headless --scenario three.scenario --run-script");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("nordteller: scenario line 3: answer 'skip' was never taken"),
              std::string::npos)
        << r.err;
}

// The test case info as Script.csv has it, control characters and all, names no receipt file:
// both receipts go to Receipt.txt.
TEST_F(RunScriptEndToEnd, ControlCharactersInTheInfoColumnGiveReceiptTxt) {
    WriteFile("Script.csv", std::string("Run,5,,R,A,Sale,0,0,\tTC 1\x1B,Approved\r\n"
                                        "Run,6,,R,A,Sale,0,0,TC\0 2,Approved\r\n",
                                        73));
    auto r = Nordteller("--headless --run-script", 60);
    EXPECT_EQ(r.status, 0) << r.err;
    std::vector<std::string> receipts;
    for (const std::string& name : test::Entries("QUORLIN_LOGS")) {
        if (!name.starts_with("CAN")) {
            receipts.push_back(name);
        }
    }
    EXPECT_EQ(receipts, std::vector<std::string>{"Receipt.txt"});
}

}  // namespace
}  // namespace nt
