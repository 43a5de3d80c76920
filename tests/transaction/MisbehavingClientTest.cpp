// Payment clients that misbehave: slow, garbled, huge, failing, crashing. The window survives
// every one that can be survived inside the process, and keeps its files whole.
#include <signal.h>

#include <atomic>
#include <filesystem>

#include <gtest/gtest.h>

#include "app/ClientFactory.h"
#include "app/TestPosDlg.h"
#include "form/Controls.h"
#include "headless/MemoryForm.h"
#include "log/LogWriter.h"
#include "pos/SequenceStore.h"
#include "support/ProgramRun.h"
#include "support/RecordingOperator.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"
#include "transaction/ControlHost.h"

namespace nt {
namespace {

namespace fs = std::filesystem;
using test::Nordteller;
using test::ReadFile;
using test::WriteFile;

std::string Plugin(const std::string& name) {
    return std::string(NORDTELLER_BINARY_DIR) + "/lib" + name + ".so";
}

bool HasLine(const std::string& out, const std::string& line) {
    return ("\n" + out).find("\n" + line + "\n") != std::string::npos;
}

// Notes, at every pump, whether the wait window was up: while it is, the window takes no input,
// so no second command can start.
class WaitTrackingOperator : public test::RecordingOperator {
  public:
    bool waitShown = false;
    int pumpsWithoutWait = 0;

    void ShowWait() override {
        waitShown = true;
        RecordingOperator::ShowWait();
    }
    void HideWait() override {
        waitShown = false;
        RecordingOperator::HideWait();
    }
    void PumpMessages() override {
        RecordingOperator::PumpMessages();
        pumpsWithoutWait += waitShown ? 0 : 1;
    }
};

TEST(SlowClient, ControlThreadKeepsTheCallerPumpingUntilTheAnswer) {
    test::ScopedEnv slow("NORDTELLER_TEST_SLOW_MS", "300");
    std::atomic<int> pumps{0};
    ControlHost host(MakeClientFactory(Plugin("cb_slow")), [&pumps] { ++pumps; });
    ASSERT_TRUE(host.Created()) << host.CreateError();
    const ClientReply reply = host.ProcessTransaction("<TStream/>");
    EXPECT_TRUE(reply.Ok());
    EXPECT_NE(reply.text.find("<RefNo>42</RefNo>"), std::string::npos);
    EXPECT_GT(pumps.load(), 0);
}

TEST(SlowClient, WindowPumpsOnlyBehindTheWaitWindowAndTakesTheLateAnswer) {
    test::TempDir dir;
    test::ScopedEnv slow("NORDTELLER_TEST_SLOW_MS", "300");
    MemoryForm form;
    WaitTrackingOperator op;
    CTestPosDlg dlg(form, op, MakeClientFactory(Plugin("cb_slow")));
    dlg.OnInitDialog();  // the catalog call is slow too
    ASSERT_TRUE(dlg.gateway().HasControl());
    const int startUpPumps = op.pumps;
    op.pumpsWithoutWait = 0;
    dlg.OnCommand(id::kSale);
    EXPECT_GT(op.pumps, startUpPumps);
    EXPECT_EQ(op.pumpsWithoutWait, 0);
    EXPECT_FALSE(op.waitShown);
    EXPECT_EQ(form.Text(id::kReceivedSeqNo), "0010010020");
    EXPECT_EQ(form.Text(id::kRefNumber), "42");
    EXPECT_EQ(ReadFile(kSequenceFileName), "0010010020");
    dlg.OnCancel();
    GetLogWriter().Flush();
}

class MisbehavingClientEndToEnd : public ::testing::Test {
  protected:
    void SetUp() override { WriteFile("sale.scenario", "set 1002 100\nclick 1004\ndump\n"); }
    // `options` "--in-process" loads the plugin into the program, as before helpers.
    test::Outcome Sale(const std::string& plugin, const std::string& options = {}) {
        return Nordteller("--control '" + Plugin(plugin) + "' " + options +
                          " --headless --scenario sale.scenario");
    }
    std::string DailyLog() {
        std::string all;
        for (const auto& e : fs::directory_iterator(kLogDirectory)) {
            all += ReadFile(e.path().string());
        }
        return all;
    }
    test::TempDir dir_;
};

TEST_F(MisbehavingClientEndToEnd, SlowClientAnswersLateAndTheSaleCompletes) {
    test::ScopedEnv slow("NORDTELLER_TEST_SLOW_MS", "200");  // inherited by the program
    test::Outcome r = Sale("cb_slow");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(HasLine(r.out, "1009\t0010010020")) << r.out;
    EXPECT_TRUE(HasLine(r.out, "1031\t42"));
    EXPECT_EQ(ReadFile(kSequenceFileName), "0010010020");
}

TEST_F(MisbehavingClientEndToEnd, InvalidUtf8IsLoggedWithQuestionMarksAndChangesNothing) {
    WriteFile(kSequenceFileName, "0010010090");
    test::Outcome r = Sale("cb_invalid_utf8");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(HasLine(r.out, "1009\t0010010090")) << r.out;
    EXPECT_NE(DailyLog().find("A?B?C?D\xE9"), std::string::npos);
    EXPECT_EQ(ReadFile(kSequenceFileName), "0010010090");
}

TEST_F(MisbehavingClientEndToEnd, FailingClientIsReportedAndTheNumberStays) {
    WriteFile(kSequenceFileName, "0010010090");
    test::Outcome r = Sale("cb_failing");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("80070005"), std::string::npos) << r.out;
    EXPECT_TRUE(HasLine(r.out, "1009\t0010010090"));
    EXPECT_EQ(ReadFile(kSequenceFileName), "0010010090");
}

TEST_F(MisbehavingClientEndToEnd, HundredMegabyteAnswerIsLoggedWholeAndChangesNothing) {
    WriteFile(kSequenceFileName, "0010010090");
    test::ScopedEnv huge("NORDTELLER_TEST_HUGE_MB", "100");
    test::Outcome r = Sale("cb_huge", "--in-process");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(HasLine(r.out, "1009\t0010010090"));
    EXPECT_EQ(ReadFile(kSequenceFileName), "0010010090");
    // The answer reaches the log whole (its line ends doubled to CR LF), then the shutdown.
    std::uintmax_t logged = 0;
    for (const auto& e : fs::directory_iterator(kLogDirectory)) {
        logged += e.file_size();
    }
    EXPECT_GT(logged, std::uintmax_t{101} << 20);
    const std::string log = DailyLog();
    EXPECT_NE(
        log.find("ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMNOPQRSTUVWXYZ"
                 "ABCDEFGHIJKLMNOPQRSTU\r\n"),
        std::string::npos);
    EXPECT_NE(log.find("Shutdown Nord Teller Version 1.11\r\n----------\r\n"), std::string::npos);
}

TEST_F(MisbehavingClientEndToEnd, ClientCrashingOnCreateTakesTheProcessButNoFile) {
    // A crash inside a library loaded into our own process (--in-process) cannot be caught;
    // what must hold is that the files kept from the last run are still whole.
    WriteFile(kSequenceFileName, "0010010090");
    WriteFile("padselection.dat", "KT820\r\n");
    fs::create_directory(kLogDirectory);
    WriteFile("QUORLIN_LOGS/CAN01012026.log", "[09:00:00]earlier\r\n----------\r\n");
    test::Outcome r = Sale("cb_crash_create", "--in-process");
    EXPECT_EQ(r.signal, SIGABRT) << r.status << " " << r.err;
    EXPECT_EQ(ReadFile(kSequenceFileName), "0010010090");
    EXPECT_EQ(ReadFile("padselection.dat"), "KT820\r\n");
    EXPECT_EQ(ReadFile("QUORLIN_LOGS/CAN01012026.log"), "[09:00:00]earlier\r\n----------\r\n");
}

}  // namespace
}  // namespace nt
