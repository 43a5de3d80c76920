#include "pos/SequenceSaveBehind.h"

#include <cerrno>
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "log/LogWriter.h"
#include "platform/WriteFault.h"
#include "pos/SequenceStore.h"
#include "support/FlowHarness.h"
#include "support/TempDir.h"

namespace nt {
namespace {

using test::ReadFile;
using test::WriteFile;

std::string Number(int n) {
    char text[11];
    std::snprintf(text, sizeof text, "%010d", n);
    return text;
}

// A sequence store in a folder of its own, telling failed saves in the process-wide log.
class SequenceSaveBehindTest : public ::testing::Test {
  protected:
    test::TempDir dir_;
    PosState state_;
    SequenceStore store_{state_, GetLogWriter()};
};

TEST_F(SequenceSaveBehindTest, TheLastQueuedNumberIsInTheFileWhenItEnds) {
    {
        SequenceSaveBehind behind(store_);
        ASSERT_EQ(store_.SaveBehind(), &behind);
        {
            SequenceSaveBehind inner(store_);  // a second one changes nothing
            EXPECT_EQ(store_.SaveBehind(), &behind);
        }
        EXPECT_EQ(store_.SaveBehind(), &behind);
        for (int n = 1; n <= 500; ++n) {
            state_.PosSequenceNo = Number(n);
            store_.QueueSequenceSave();
        }
    }
    EXPECT_EQ(store_.SaveBehind(), nullptr);
    EXPECT_EQ(ReadFile(kSequenceFileName), Number(500));

    // Without one, the save at the end of a command is made at once.
    state_.PosSequenceNo = Number(501);
    store_.QueueSequenceSave();
    EXPECT_EQ(ReadFile(kSequenceFileName), Number(501));
}

TEST_F(SequenceSaveBehindTest, ALoadWhileASaveIsPendingTakesThePendingNumber) {
    WriteFile(kSequenceFileName, Number(7));
    SequenceSaveBehind behind(store_);
    // Each load comes straight after a queued save, long before its flush to disk ends.
    for (int n = 100; n < 300; ++n) {
        state_.PosSequenceNo = Number(n);
        store_.QueueSequenceSave();
        state_.PosSequenceNo = "stale";
        store_.LoadSequenceNo();
        ASSERT_EQ(state_.PosSequenceNo, Number(n));
    }
    behind.Drain();
    EXPECT_EQ(behind.Pending(), std::nullopt);
    // Nothing pending: the file is read again, with its rules.
    WriteFile(kSequenceFileName, "12345");
    store_.LoadSequenceNo();
    EXPECT_EQ(state_.PosSequenceNo, kDefaultSequenceNo);
}

TEST_F(SequenceSaveBehindTest, ADirectSaveIsNeverOverwrittenByAnOlderPendingOne) {
    SequenceSaveBehind behind(store_);
    for (int n = 1; n <= 100; n += 2) {
        state_.PosSequenceNo = Number(n);
        store_.QueueSequenceSave();
        state_.PosSequenceNo = Number(n + 1);
        ASSERT_TRUE(store_.SaveSequenceNo());
        ASSERT_EQ(behind.Pending(), std::nullopt);
        ASSERT_EQ(ReadFile(kSequenceFileName), Number(n + 1));
    }
}

TEST_F(SequenceSaveBehindTest, AFailedSaveLeavesTheFileAndTheNextOneSucceeds) {
    WriteFile(kSequenceFileName, Number(41));
    SequenceSaveBehind behind(store_);
    testing::internal::CaptureStderr();
    {
        ScopedWriteFault fault({kSequenceFileName, 4, ENOSPC});
        state_.PosSequenceNo = Number(42);
        store_.QueueSequenceSave();
        behind.Drain();
    }
    EXPECT_EQ(behind.Failures(), 1);
    EXPECT_EQ(ReadFile(kSequenceFileName), Number(41));
    state_.PosSequenceNo = Number(43);
    store_.QueueSequenceSave();
    behind.Drain();
    EXPECT_EQ(behind.Failures(), 1);
    EXPECT_EQ(ReadFile(kSequenceFileName), Number(43));
    // The saving thread tells it as the window's thread would.
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "nordteller: Cannot save the POS sequence number to testseqNo.dat: No space left on "
              "device\nnordteller: The POS sequence number is saved to testseqNo.dat again\n");
}

// A script run saves behind its commands, yet every request carries the number the response
// before it gave, and the last one is in the file when the run returns.
TEST(SequenceSaveBehind, AScriptRunChainsEveryResponsesNumberIntoTheNextRequest) {
    test::FlowHarness h;
    constexpr int kRows = 40;
    std::string script;
    for (int i = 1; i <= kRows; ++i) {
        script += "Run,5,,R,A,Sale,0,0,case " + std::to_string(i) + "\r\n";
        h.Reply(test::Response(Number(2000 + i), ""));
    }
    WriteFile("Script.csv", script);
    h.dlg->scriptRunner().OnRunScript();
    EXPECT_EQ(h.dlg->sequenceStore().SaveBehind(), nullptr);
    ASSERT_EQ(h.script->requests.size(), static_cast<size_t>(kRows));
    for (int i = 2; i <= kRows; ++i) {
        const std::string& request = h.script->requests[static_cast<size_t>(i - 1)];
        EXPECT_NE(request.find("<SequenceNo>" + Number(2000 + i - 1) + "</SequenceNo>"),
                  std::string::npos)
            << "request " << i;
    }
    EXPECT_EQ(ReadFile(kSequenceFileName), Number(2000 + kRows));
}

// Responses whose numbers a load refuses: the next request carries the default, whether the
// save ran behind the next test case or was in the file before it.
TEST(SequenceSaveBehind, RowsSendTheSameRequestsWithSavesBehindAsWithSavesAtOnce) {
    const auto withNumber = [](const std::string& element) {
        return "<?xml version=\"1.0\"?>\r\n<TStream><CmdResponse><CmdStatus>Approved</CmdStatus>" +
               element + "</CmdResponse></TStream>\r\n";
    };
    const std::vector<std::string> replies = {
        test::Response(Number(10010020), ""),
        withNumber(""),
        test::Response("ABC", ""),
        test::Response(Number(10010030), ""),
        test::Response("00100100401", ""),
        test::Response("", ""),
        test::Response("0010010050&#10;junk", ""),
        test::Response("0010010060&#13;&#10;x", ""),
        test::Response(Number(10010070), ""),
    };
    std::vector<std::string> rows;
    for (size_t i = 0; i <= replies.size(); ++i) {
        rows.push_back("Run,5,,R,A,Sale,0,0,case " + std::to_string(i) + "\r\n");
    }
    test::FlowHarness behind;
    std::string script;
    for (const std::string& row : rows) {
        script += row;
    }
    WriteFile("Script.csv", script);
    for (const std::string& reply : replies) {
        behind.Reply(reply);
    }
    behind.dlg->scriptRunner().OnRunScript();
    const std::vector<std::string> withSavesBehind = behind.script->requests;

    test::FlowHarness atOnce;  // one run per row: each run's save is in the file when it ends
    for (const std::string& reply : replies) {
        atOnce.Reply(reply);
    }
    for (const std::string& row : rows) {
        WriteFile("Script.csv", row);
        atOnce.dlg->scriptRunner().OnRunScript();
    }
    ASSERT_EQ(withSavesBehind.size(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(withSavesBehind[i], atOnce.script->requests[i]) << "request " << i + 1;
    }
}

}  // namespace
}  // namespace nt
