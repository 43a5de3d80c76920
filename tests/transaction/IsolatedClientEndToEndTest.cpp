// The built program with a plugin in its helper process (the default for --control PATH): a
// plugin that crashes, exits, hangs or chatters costs one call, and the run goes on.
#include <filesystem>

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include "support/ProgramRun.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

namespace nt {
namespace {

namespace fs = std::filesystem;
using test::HasLine;
using test::Nordteller;
using test::ReadFile;
using test::WriteFile;

const std::string kFaulty = "--control '" NORDTELLER_BINARY_DIR "/libcb_faulty.so' ";
const std::string kApprovedSeq = "1009\t0010010020";

class IsolatedClientEndToEnd : public ::testing::Test {
  protected:
    IsolatedClientEndToEnd() : count_("CB_FAULTY_COUNT_FILE", dir_.path() + "/count") {}

    // Sales of 1.00 as the scenario clicks them, with the faulty plugin's modes for its calls.
    test::Outcome Sales(const std::string& modes, int sales, const std::string& options = {}) {
        test::ScopedEnv env("CB_FAULTY_MODES", modes);
        std::string scenario = "set 1002 100\n";
        for (int i = 0; i < sales; ++i) {
            scenario += "click 1004\n";
        }
        WriteFile("sales.scenario", scenario + "dump\n");
        return Nordteller(kFaulty + options + " --headless --scenario sales.scenario");
    }
    std::string DailyLog() {
        std::string all;
        for (const auto& e : fs::directory_iterator("QUORLIN_LOGS")) {
            all += ReadFile(e.path().string());
        }
        return all;
    }

    test::TempDir dir_;
    test::ScopedEnv count_;
};

TEST_F(IsolatedClientEndToEnd, TenRowsWithACrashAndAHangEndWithEightPassedAndTwoFailed) {
    std::string script;
    for (int row = 1; row <= 10; ++row) {
        script += "Run," + std::to_string(row) + ",,R,A,Sale,0,0,row " + std::to_string(row) +
                  ",Approved\n";
    }
    WriteFile("Script.csv", script);
    // Row 8 takes a second, within the deadline.
    test::ScopedEnv modes("CB_FAULTY_MODES", "ok,ok,crash,ok,ok,hang,ok,slow,ok");
    const test::Outcome r = Nordteller(
        kFaulty +
        "--client-timeout 2 --headless --run-script --junit report.xml --report report.html");
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_NE(r.err.find("nordteller: script: 10 test cases, 8 passed, 2 failed, 0 skipped\n"),
              std::string::npos)
        << r.err;
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(ReadFile("report.xml").c_str()));
    const pugi::xml_node suite = doc.child("testsuite");
    EXPECT_STREQ(suite.attribute("tests").value(), "10");
    EXPECT_STREQ(suite.attribute("failures").value(), "2");
    std::map<std::string, std::string> failed;
    for (pugi::xml_node testCase : suite.children("testcase")) {
        if (pugi::xml_node failure = testCase.child("failure")) {
            failed[testCase.attribute("name").value()] = failure.child_value();
        }
    }
    ASSERT_EQ(failed.size(), 2u);
    EXPECT_NE(failed["row 3"].find("The payment client failed the call (error 0x80004005): the "
                                   "payment client ended: signal 11 (Segmentation fault)."),
              std::string::npos)
        << failed["row 3"];
    EXPECT_NE(failed["row 6"].find("The payment client failed the call (error 0x80004005): the "
                                   "payment client did not answer within 2 s; the transaction's "
                                   "outcome at the host is unknown."),
              std::string::npos)
        << failed["row 6"];
    const std::string html = ReadFile("report.html");
    EXPECT_TRUE(html.ends_with("</html>\n"))
        << html.substr(html.size() > 200 ? html.size() - 200 : 0);
    EXPECT_NE(html.find("the payment client ended: signal 11 (Segmentation fault)."),
              std::string::npos);
    EXPECT_NE(html.find("the payment client did not answer within 2 s"), std::string::npos);
    const std::string log = DailyLog();
    EXPECT_NE(log.find("PAYMENT CLIENT ERROR: The payment client failed the call (error "
                       "0x80004005): the payment client ended: signal 11"),
              std::string::npos);
}

TEST_F(IsolatedClientEndToEnd, SaleAfterACrashOrAnExitWorksWithAFreshHelper) {
    for (const std::string fault : {"crash", "exit"}) {
        fs::remove("count");
        const test::Outcome r = Sales(fault + ",ok", 2);
        ASSERT_EQ(r.status, 0) << r.err;
        const std::string failure =
            std::string(
                "message: The payment client failed the call (error 0x80004005): the "
                "payment client ended: ") +
            (fault == "crash" ? "signal 11 (Segmentation fault)." : "exit status 0.");
        EXPECT_TRUE(HasLine(r.out, failure)) << r.out;
        // The second sale was answered, and the program went on to the dump.
        EXPECT_TRUE(HasLine(r.out, kApprovedSeq)) << r.out;
        EXPECT_TRUE(HasLine(r.out, "1031\t77"));
        EXPECT_EQ(ReadFile("count"), "2\n");
    }
}

TEST_F(IsolatedClientEndToEnd, PluginOutputGoesToStderrAndTheLogNeverToTheTranscript) {
    const test::Outcome r = Sales("chatter", 1);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.find("chatter"), std::string::npos);
    EXPECT_NE(r.err.find("payment client: chatter on stdout\n"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("payment client: chatter on stderr \\x1B[31mred\n"), std::string::npos);
    EXPECT_NE(r.err.find("payment client: " + std::string(4096, 'x') + " [5904 more bytes cut]\n"),
              std::string::npos);
    EXPECT_NE(DailyLog().find("PAYMENT CLIENT OUTPUT: chatter on stdout\r\n"), std::string::npos);
    EXPECT_TRUE(HasLine(r.out, kApprovedSeq));
}

// The first helper starts before the folder is locked; the one after the crash starts with the
// lock and the daily log open.
TEST_F(IsolatedClientEndToEnd, HelperHoldsNeitherTheFolderLockNorTheDailyLog) {
    const test::Outcome r = Sales("crash,fds", 2);
    ASSERT_EQ(r.status, 0) << r.err;
    const size_t at = r.err.find("payment client: descriptors: 0=/dev/null 1=pipe:[");
    ASSERT_NE(at, std::string::npos) << r.err;
    const std::string line = r.err.substr(at, r.err.find('\n', at) - at);
    EXPECT_NE(line.find(" 3=socket:["), std::string::npos) << line;
    EXPECT_EQ(line.find(" 4="), std::string::npos) << line;
    EXPECT_EQ(std::count(line.begin(), line.end(), '='), 4) << line;
}

TEST_F(IsolatedClientEndToEnd, CrashWhileCreatingIsACreationFailure) {
    WriteFile("sale.scenario", "click 1004\n");
    const test::Outcome r = Nordteller("--control '" NORDTELLER_BINARY_DIR
                                       "/libcb_crash_create.so' --headless --scenario "
                                       "sale.scenario");
    EXPECT_EQ(r.status, 3) << r.err;
    EXPECT_TRUE(
        r.out.starts_with("message: Failed to Create CardBridgeX.ocx you may need to "
                          "reinstall the product - Fatal Error!\\r\\nthe payment client "
                          "ended: signal 6 (Aborted)\n"))
        << r.out;
    EXPECT_TRUE(
        r.err.ends_with("nordteller: a command needed the payment client, which could "
                        "not be created: the payment client ended: signal 6 (Aborted)\n"))
        << r.err;
}

}  // namespace
}  // namespace nt
