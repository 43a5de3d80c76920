// The command flow through the built program and a scripted plugin loaded with --control.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/ProgramRun.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

namespace nt {
namespace {

using test::HasLine;
using test::ReadFile;
using test::WriteFile;

class ScriptedPluginEndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteFile("response.xml",
                  "<TStream><CmdResponse><SequenceNo>0010010770</SequenceNo></CmdResponse>"
                  "<RefNo>R9</RefNo></TStream>");
    }
    test::Outcome Run(const std::string& scenario) {
        WriteFile("run.scenario", scenario);
        return test::Nordteller("--control '" NORDTELLER_BINARY_DIR
                                "/libcb_scripted.so' --headless --scenario run.scenario");
    }
    static size_t Count(const std::string& text, const std::string& what) {
        size_t n = 0;
        for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
            ++n;
        }
        return n;
    }

    test::TempDir dir_;
    test::ScopedEnv response_{"NORDTELLER_TEST_RESPONSE", dir_.path() + "/response.xml"};
    test::ScopedEnv calls_{"NORDTELLER_TEST_CALL_LOG", dir_.path() + "/calls.log"};
};

TEST_F(ScriptedPluginEndToEnd, ForcedResetSendsTwoRequestsAndTheResponseIsTakenOver) {
    auto r = Run("check 1024\nclick 1004\ndump\n");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string calls = ReadFile("calls.log");
    EXPECT_EQ(Count(calls, "<TranCode>EMVPadReset</TranCode>"), 1u);
    EXPECT_EQ(Count(calls, "<TranCode>EMVSale</TranCode>"), 1u);
    EXPECT_LT(calls.find("EMVPadReset"), calls.find("EMVSale"));
    EXPECT_TRUE(HasLine(r.out, "1009\t0010010770"));
    EXPECT_TRUE(HasLine(r.out, "1031\tR9"));
    EXPECT_TRUE(HasLine(r.out, "tone: 1000 750"));
    EXPECT_TRUE(HasLine(r.out, "tone: 5000 750"));
    EXPECT_EQ(ReadFile("testseqNo.dat"), "0010010770");
}

TEST_F(ScriptedPluginEndToEnd, AFailingCallIsReportedLoggedAndTheNumberSaved) {
    test::ScopedEnv noResponse{"NORDTELLER_TEST_RESPONSE", std::nullopt};
    WriteFile("testseqNo.dat", "0010010440");
    auto r = Run("click 1005\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("message: The payment client failed the call (error 0x80004005)"),
              std::string::npos)
        << r.out;
    EXPECT_EQ(ReadFile("testseqNo.dat"), "0010010440");
    std::string log;
    for (const auto& e : std::filesystem::directory_iterator("QUORLIN_LOGS")) {
        log += ReadFile(e.path().string());
    }
    EXPECT_NE(log.find("PAYMENT CLIENT ERROR: The payment client failed the call"),
              std::string::npos);
}

}  // namespace
}  // namespace nt
