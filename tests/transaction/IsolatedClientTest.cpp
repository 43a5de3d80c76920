// The plugin in a helper process: every way a plugin can fail costs one call, never the
// program; the helper inherits nothing but its socket and the standard streams; a waiting call
// can be stopped from the window's thread.
#include "transaction/IsolatedClient.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <sstream>
#include <thread>

#include <gtest/gtest.h>

#include "app/ClientFactory.h"
#include "app/TestPosDlg.h"
#include "form/Controls.h"
#include "headless/MemoryForm.h"
#include "log/LogWriter.h"
#include "support/RecordingOperator.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"
#include "transaction/ClientHelper.h"
#include "transaction/ControlHost.h"
#include "transaction/PluginClient.h"

namespace nt {
namespace {

const std::string kProgram = NORDTELLER_BINARY_DIR "/nordteller-client-helper";
// Where the small helper is missing, the program hosts the plugin itself.
const std::string kProgramItself = NORDTELLER_BINARY_DIR "/nordteller";

std::string Plugin(const std::string& name) {
    return std::string(NORDTELLER_BINARY_DIR) + "/lib" + name + ".so";
}

bool Gone(int pid) {
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

// The faulty plugin counts its calls in a file of the test's folder, across helpers.
class IsolatedClientTest : public ::testing::Test {
  protected:
    IsolatedClientTest() : count_("CB_FAULTY_COUNT_FILE", dir_.path() + "/count") {}

    std::unique_ptr<IsolatedClient> Start(const std::string& plugin, std::string& error,
                                          int timeout = 60) {
        return IsolatedClient::Start(
            HelperOptions{kProgram, Plugin(plugin), timeout,
                          [this](const std::string& line) { lines_.push_back(line); }},
            error);
    }
    std::unique_ptr<IsolatedClient> Faulty(const std::string& modes, int timeout = 60) {
        modes_.emplace("CB_FAULTY_MODES", modes);
        std::string error;
        auto client = Start("cb_faulty", error, timeout);
        EXPECT_NE(client, nullptr) << error;
        return client;
    }
    // Blocks until the plugin has taken `calls` calls.
    void AwaitCalls(int calls) {
        while (test::ReadFile("count") != std::to_string(calls) + "\n") {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }

    test::TempDir dir_;
    test::ScopedEnv count_;
    std::optional<test::ScopedEnv> modes_;
    std::vector<std::string> lines_;
};

void ExpectApproved(const ClientReply& reply) {
    EXPECT_EQ(reply.code, 0) << reply.error;
    EXPECT_NE(reply.text.find("<CmdStatus>Approved</CmdStatus>"), std::string::npos);
}

void ExpectFailed(const ClientReply& reply, const std::string& error) {
    EXPECT_EQ(reply.code, kClientFail);
    EXPECT_EQ(reply.text, "");
    EXPECT_EQ(reply.error, error);
}

TEST_F(IsolatedClientTest, CreationFailuresCarryTheLoadersReasonOrHowTheHelperEnded) {
    for (const std::string name :
         {"no_such_plugin", "cb_missing_symbol", "cb_abi_version2", "cb_create_null"}) {
        std::string inProcess;
        ASSERT_EQ(PluginClient::Load(Plugin(name), inProcess), nullptr);
        std::string isolated;
        EXPECT_EQ(Start(name, isolated), nullptr);
        EXPECT_EQ(isolated, inProcess);
    }
    std::string error;
    EXPECT_EQ(Start("cb_crash_create", error), nullptr);
    EXPECT_EQ(error, "the payment client ended: signal 6 (Aborted)");

    EXPECT_EQ(IsolatedClient::Start(HelperOptions{"/no/such/program", Plugin("cb_faulty"), 60, {}},
                                    error),
              nullptr);
    EXPECT_EQ(error,
              "Cannot start the payment client helper /no/such/program: No such file or directory");
}

TEST_F(IsolatedClientTest, CrashAbortAndExitFailTheCallAndTheNextCallGetsAFreshHelper) {
    auto client = Faulty("crash,ok,abort,ok,exit,ok");
    ASSERT_NE(client, nullptr);
    const std::pair<const char*, const char*> faults[] = {
        {"crash", "the payment client ended: signal 11 (Segmentation fault)"},
        {"abort", "the payment client ended: signal 6 (Aborted)"},
        {"exit", "the payment client ended: exit status 0"}};
    for (const auto& [mode, error] : faults) {
        const int before = client->HelperPid();
        ExpectFailed(client->ProcessTransaction("<TStream/>"), error);
        EXPECT_EQ(client->HelperPid(), 0) << mode;
        EXPECT_TRUE(Gone(before)) << mode;  // reaped, no zombie left
        ExpectApproved(client->ProcessTransaction("<TStream/>"));
        EXPECT_NE(client->HelperPid(), 0) << mode;
        EXPECT_NE(client->HelperPid(), before) << mode;
    }
}

TEST_F(IsolatedClientTest, HangEndsAtTheDeadlineOrAtAnAbortFromAnotherThread) {
    // The two share the count of calls: 1 hangs, 2 answers, 3 ignores SIGTERM and hangs, 4
    // answers, 5 hangs.
    auto late = Faulty("hang,ok,stubborn,ok,hang", 1);
    ASSERT_NE(late, nullptr);
    auto cancelled = Faulty("hang,ok,stubborn,ok,hang");
    ASSERT_NE(cancelled, nullptr);
    cancelled->Abort();  // between calls: forgotten when the next call starts
    ExpectFailed(late->ProcessTransaction("<TStream/>"),
                 "the payment client did not answer within 1 s; the transaction's outcome at the "
                 "host is unknown");
    ExpectApproved(late->ProcessTransaction("<TStream/>"));  // call 2
    const int stubborn = late->HelperPid();
    ExpectFailed(late->ProcessTransaction("<TStream/>"),  // SIGKILL a second after SIGTERM
                 "the payment client did not answer within 1 s; the transaction's outcome at the "
                 "host is unknown");
    EXPECT_TRUE(Gone(stubborn));
    ExpectApproved(late->ProcessTransaction("<TStream/>"));  // call 4

    const int hung = cancelled->HelperPid();
    std::thread canceller([&] {
        AwaitCalls(5);
        cancelled->Abort();
    });
    ExpectFailed(cancelled->ProcessTransaction("<TStream/>"),
                 "the operator cancelled the wait for the payment client; the transaction's "
                 "outcome at the host is unknown");
    canceller.join();
    EXPECT_TRUE(Gone(hung));
}

TEST_F(IsolatedClientTest, AnswerOverTheLimitFailsTheCallNamingItsSize) {
    auto client = Faulty("huge,ok,badframe,ok");
    ASSERT_NE(client, nullptr);
    const int helper = client->HelperPid();
    // The helper refuses to send it and goes on.
    ExpectFailed(client->ProcessTransaction("<TStream/>"),
                 "the payment client's response is 17825792 bytes, over the limit of 16 MiB");
    EXPECT_EQ(client->HelperPid(), helper);
    ExpectApproved(client->ProcessTransaction("<TStream/>"));
    // A plugin that writes on the helper's socket itself breaks it: the helper is stopped.
    ExpectFailed(client->ProcessTransaction("<TStream/>"),
                 "the payment client's response is 104857600 bytes, over the limit of 16 MiB");
    EXPECT_TRUE(Gone(helper));
    ExpectApproved(client->ProcessTransaction("<TStream/>"));
}

TEST_F(IsolatedClientTest, OutputReachesTheSinkInBoundedEscapedLines) {
    auto client = Faulty("chatter");
    ASSERT_NE(client, nullptr);
    ExpectApproved(client->ProcessTransaction("<TStream/>"));
    // Standard output and error are separate pipes: their lines may interleave either way.
    std::sort(lines_.begin(), lines_.end());
    EXPECT_EQ(lines_, (std::vector<std::string>{
                          "chatter on stderr \\x1B[31mred",
                          "chatter on stdout",
                          std::string(4096, 'x') + " [5904 more bytes cut]",
                      }));
}

TEST_F(IsolatedClientTest, HelperInheritsOnlyItsSocketAndTheStandardStreams) {
    // Neither a descriptor opened without close-on-exec nor one with it reaches the helper.
    const int leaky = ::open("/dev/zero", O_RDONLY);
    const int cloexec = ::open("/dev/zero", O_RDONLY | O_CLOEXEC);
    ASSERT_GE(leaky, 0);
    auto client = Faulty("fds");
    ASSERT_NE(client, nullptr);
    ExpectApproved(client->ProcessTransaction("<TStream/>"));
    ::close(leaky);
    ::close(cloexec);
    ASSERT_EQ(lines_.size(), 1u);
    std::istringstream words(lines_[0]);
    std::vector<std::string> entries;
    for (std::string word; words >> word;) {
        entries.push_back(word);
    }
    ASSERT_EQ(entries.size(), 5u) << lines_[0];
    EXPECT_EQ(entries[0], "descriptors:");
    EXPECT_EQ(entries[1], "0=/dev/null");
    EXPECT_TRUE(entries[2].starts_with("1=pipe:[")) << entries[2];
    EXPECT_TRUE(entries[3].starts_with("2=pipe:[")) << entries[3];
    EXPECT_TRUE(entries[4].starts_with("3=socket:[")) << entries[4];
}

TEST_F(IsolatedClientTest, RepliesKeepCodesDescriptionsAndWindows1252) {
    std::string error;
    auto failing = Start("cb_failing", error);
    ASSERT_NE(failing, nullptr) << error;
    const ClientReply one = failing->ProcessTransaction("x");
    EXPECT_EQ(one.code, static_cast<int32_t>(0x80070005));
    EXPECT_EQ(one.error,
              "PIN pad d\xE9"
              "connect\xE9");
    EXPECT_EQ(failing->GetPadTypesInfo().code, kClientFail);

    auto sim = Start("cardbridge_sim", error);
    ASSERT_NE(sim, nullptr) << error;
    const ClientReply reply = sim->ProcessTransaction(
        "<?xml version=\"1.0\"?>\r\n<TStream>\r\n\t<Transaction>\r\n"
        "\t\t<MerchantID>Caf\xE9 \x80</MerchantID>\r\n\t\t<TranCode>EMVSale</TranCode>\r\n"
        "\t\t<MerchantLanguage>French</MerchantLanguage>\r\n"
        "\t\t<Amount>\r\n\t\t\t<Purchase>2.00</Purchase>\r\n\t\t</Amount>\r\n"
        "\t\t<SequenceNo>0010010010</SequenceNo>\r\n\t</Transaction>\r\n</TStream>\r\n");
    EXPECT_EQ(reply.code, 0) << reply.error;
    EXPECT_NE(reply.text.find("<MerchantID>Caf\xE9 \x80</MerchantID>"), std::string::npos);
    EXPECT_NE(reply.text.find("APPROUV\xC9"
                              "E"),
              std::string::npos);
    EXPECT_NE(sim->GetPadTypesInfo().text.find("POSPAD"), std::string::npos);
}

// A helper started ahead loads nothing until it is asked to create the client: a program
// refused before that (a folder in use) never ran the plugin.
TEST_F(IsolatedClientTest, HelperStartedAheadLoadsThePluginOnlyWhenAskedToCreate) {
    test::ScopedEnv loaded("CB_FAULTY_LOADED", dir_.path() + "/loaded");
    std::string error;
    EXPECT_EQ(ClientHelperProgram(), kProgram);  // found beside the running program
    auto idle = IsolatedClient::SpawnHelper(kProgramItself, Plugin("cb_faulty"), error);
    ASSERT_NE(idle, nullptr) << error;
    // Anything but the request to create ends it as it is.
    ASSERT_TRUE(SendFrame(idle->Socket(), Frame{kFrameGetPadTypesInfo, {}, {}}));
    idle->Reap();
    EXPECT_EQ(idle->Describe(), "exit status 0");
    EXPECT_EQ(test::ReadFile("loaded"), "<missing>");

    auto ahead = IsolatedClient::SpawnHelper(kProgramItself, Plugin("cb_faulty"), error);
    ASSERT_NE(ahead, nullptr) << error;
    const int pid = ahead->Pid();
    auto client = IsolatedClient::Start(HelperOptions{kProgramItself, Plugin("cb_faulty"), 60, {}},
                                        error, std::move(ahead));
    ASSERT_NE(client, nullptr) << error;
    EXPECT_EQ(client->HelperPid(), pid);
    EXPECT_EQ(test::ReadFile("loaded"), "loaded\n");
    ExpectApproved(client->ProcessTransaction("<TStream/>"));
}

TEST_F(IsolatedClientTest, DestructionEndsTheHelper) {
    auto client = Faulty("ok");
    ASSERT_NE(client, nullptr);
    const int helper = client->HelperPid();
    client.reset();
    EXPECT_TRUE(Gone(helper));
}

// Waiting for another process needs no thread of its own: the caller's thread waits and keeps
// its window alive, as Qt requires of the thread that owns the window.
TEST_F(IsolatedClientTest, ControlHostCallsItOnTheCallersThreadWhichKeepsPumping) {
    modes_.emplace("CB_FAULTY_MODES", "slow");
    test::ScopedEnv slow("CB_FAULTY_SLOW_MS", "300");
    const std::thread::id caller = std::this_thread::get_id();
    int pumps = 0;
    int elsewhere = 0;
    ControlHost host(MakeClientFactory(Plugin("cb_faulty"), {true, kProgram, 60}), [&] {
        ++pumps;
        elsewhere += std::this_thread::get_id() != caller ? 1 : 0;
    });
    ASSERT_TRUE(host.Created()) << host.CreateError();
    EXPECT_TRUE(host.CanAbort());
    ExpectApproved(host.ProcessTransaction("<TStream/>"));
    EXPECT_GT(pumps, 0);
    EXPECT_EQ(elsewhere, 0);
}

// The window's way out of a hang: its pump sees the operator's confirmed Cancel and stops the
// call; the command fails with the reason, and the next one works.
class CancellingOperator : public test::RecordingOperator {
  public:
    std::function<bool()> cancelWhen;  // asked at every pump while Cancel is offered, till true
    bool offered = false;
    bool cancelled = false;
    std::vector<bool> offers;

    void OfferWaitCancel(bool offer) override {
        offered = offer;
        offers.push_back(offer);
    }
    bool TakeWaitCancel() override {
        if (!offered || cancelled || !cancelWhen || !cancelWhen()) {
            return false;
        }
        cancelled = true;
        return true;
    }
};

TEST_F(IsolatedClientTest, ConfirmedCancelAtThePumpFailsTheCommandAndTheNextOneWorks) {
    modes_.emplace("CB_FAULTY_MODES", "hang,ok");
    MemoryForm form;
    CancellingOperator op;
    op.cancelWhen = [] { return test::ReadFile("count") == "1\n"; };
    CTestPosDlg dlg(form, op, MakeClientFactory(Plugin("cb_faulty"), {true, kProgram, 60}));
    ASSERT_TRUE(dlg.OnInitDialog());
    EXPECT_EQ(op.offers, (std::vector<bool>{true, false}));  // the pad types call
    op.offers.clear();
    form.SetText(id::kAmount, "100");
    dlg.OnCommand(id::kSale);
    EXPECT_EQ(op.offers, (std::vector<bool>{true, false}));
    ASSERT_FALSE(op.messages.empty());
    EXPECT_EQ(op.messages.front(),
              "The payment client failed the call (error 0x80004005): the operator cancelled the "
              "wait for the payment client; the transaction's outcome at the host is unknown.");
    EXPECT_FALSE(dlg.gateway().CallStoppable());
    op.messages.clear();
    dlg.OnCommand(id::kSale);
    ASSERT_FALSE(op.messages.empty());
    EXPECT_NE(op.messages.front().find("<CmdStatus>Approved</CmdStatus>"), std::string::npos)
        << op.messages.front();
    dlg.OnCancel();
    GetLogWriter().Flush();
}

TEST(InProcessClient, OffersNoCancel) {
    test::TempDir dir;
    MemoryForm form;
    CancellingOperator op;
    CTestPosDlg dlg(form, op, MakeClientFactory(Plugin("cb_faulty"), {false, kProgram, 60}));
    ASSERT_TRUE(dlg.OnInitDialog());
    EXPECT_TRUE(op.offers.empty());
    dlg.OnCancel();
    GetLogWriter().Flush();
}

}  // namespace
}  // namespace nt
