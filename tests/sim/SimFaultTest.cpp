// The simulator's fault triggers: acted out by its plugin build in a helper process, answered
// with an error where a hang or a crash would be the program's.
#include <gtest/gtest.h>

#include "sim/SimTestSupport.h"
#include "sim/SimulatedClient.h"
#include "support/ProgramRun.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

namespace nt {
namespace {

using test::HasLine;

std::string SaleOf(const std::string& purchase) {
    return test::SimRequestText("EMVSale")
        .Field("UserTrace", "tester")
        .Amount("Purchase", purchase)
        .Text();
}

TEST(SimFault, InTheProgramHangAndCrashAnswerAnErrorTheOthersActOut) {
    ManualClock clock;
    SimulatorOptions options;
    options.faultDelay = std::chrono::milliseconds(0);
    auto client = MakeSimulatedClient(clock, options);
    const ClientReply late = client->ProcessTransaction(SaleOf("1.56"));
    test::SimResponse r;
    test::ParseSimResponse(late.text, r);
    ASSERT_TRUE(r.ok) << late.text;
    EXPECT_EQ(r.Get("CmdStatus"), "Approved");

    for (const auto& [cents, text] : {std::pair{"1.57", "NO ANSWER NEEDS THE PLUGIN IN A HELPER"},
                                      std::pair{"1.58", "CRASH NEEDS THE PLUGIN IN A HELPER"}}) {
        const ClientReply reply = client->ProcessTransaction(SaleOf(cents));
        EXPECT_EQ(reply.code, 0);
        test::SimResponse error;
        test::ParseSimResponse(reply.text, error);
        ASSERT_TRUE(error.ok) << reply.text;
        EXPECT_EQ(error.Get("CmdStatus"), "Error");
        EXPECT_EQ(error.Get("ReturnCode"), "003001");
        EXPECT_EQ(error.Get("TextResponse"), text);
        EXPECT_EQ(error.Get("UserTrace"), "tester");
        EXPECT_EQ(error.Get("TranResponse"), "<none>");
    }
    EXPECT_EQ(client->ProcessTransaction(SaleOf("1.59")).text,
              "SIMULATED FAULT: this answer is not XML\r\n");
}

// One window run: a crash, a hang past the deadline, a text that is not XML and a late answer
// through the plugin build, each followed by a sale that works.
TEST(SimFault, ThePluginInAHelperActsEveryTriggerOut) {
    test::TempDir dir;
    test::ScopedEnv delay("NORDTELLER_SIM_DELAY_MS", "100");
    test::WriteFile("faults.scenario",
                    "set 1002 158\nclick 1004\nset 1002 100\nclick 1004\n"
                    "set 1002 157\nclick 1004\nset 1002 200\nclick 1004\n"
                    "set 1002 159\nclick 1004\nset 1002 156\nclick 1004\ndump\n");
    const test::Outcome r = test::Nordteller("--control '" NORDTELLER_BINARY_DIR
                                             "/libcardbridge_sim.so' --client-timeout 2 "
                                             "--headless --scenario faults.scenario");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string failed = "message: The payment client failed the call (error 0x80004005): ";
    EXPECT_TRUE(HasLine(r.out, failed + "the payment client ended: signal 11 (Segmentation "
                                        "fault)."))
        << r.out;
    EXPECT_TRUE(HasLine(r.out, failed + "the payment client did not answer within 2 s; the "
                                        "transaction's outcome at the host is unknown."));
    EXPECT_NE(r.out.find("SIMULATED FAULT: this answer is not XML"), std::string::npos);
    // Sales of 1.00 and 2.00 after the faults, and the late one of 1.56, were approved.
    size_t approvals = 0;
    for (size_t at = 0;
         (at = r.out.find("<CmdStatus>Approved</CmdStatus>", at)) != std::string::npos; ++at) {
        ++approvals;
    }
    EXPECT_EQ(approvals, 3u) << r.out;
    EXPECT_TRUE(HasLine(r.out, "1002\t1.56"));
}

}  // namespace
}  // namespace nt
