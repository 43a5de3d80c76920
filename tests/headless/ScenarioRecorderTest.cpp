#include "front/ScenarioRecorder.h"

#include <sys/stat.h>

#include <cerrno>

#include <gtest/gtest.h>

#include "dialogs/ManualEntryDlg.h"
#include "form/Controls.h"
#include "front/AnswerRecorder.h"
#include "headless/MemoryForm.h"
#include "platform/WriteFault.h"
#include "support/RecordingOperator.h"
#include "support/TempDir.h"

namespace nt {
namespace {

using test::ReadFile;

const std::string kHeader = "# nordteller " NORDTELLER_VERSION
                            " recording\n# date: 2026-12-08 09:05:00\n# payment client: sim\n";

class ScenarioRecorderTest : public ::testing::Test {
  protected:
    void SetUp() override { clock_.SetNow({2026, 12, 8, 9, 5, 0}); }

    test::TempDir dir_;
    ManualClock clock_;
    ScenarioRecorder recorder_{"sim", clock_};
    MemoryForm form_;
};

TEST_F(ScenarioRecorderTest, AnswersPrecedeTheirActionAndEveryLineIsInTheFileAtOnce) {
    std::string error;
    ASSERT_TRUE(recorder_.Start("r.scenario", error)) << error;
    recorder_.Baseline(form_);
    recorder_.Answered({AnswerKind::Yes, {}, {}});  // start-up: no scenario can answer it
    form_.SetText(id::kMerchantId, "7\t\\\xE9");
    form_.SetText(id::kSendingSeqNo, "display only");
    {
        RecordedAction click(&recorder_, form_, "click 1004");
        EXPECT_EQ(ReadFile("r.scenario"), kHeader + "set 1012 7\\t\\\\\u00e9\n");
        RecordedAction nested(&recorder_, form_, "click 1005");
        recorder_.Answered({AnswerKind::Text, "<a>\r\n", {}});
        form_.SetText(id::kAmount, "1.00");  // set by the handler: the replay's handler does it
        recorder_.Answered({AnswerKind::Fields, {}, {"1", "", "3"}});
    }
    test::RecordingOperator inner;
    AnswerRecorder op(inner, recorder_);
    CManualEntryDlg manual;
    manual.m_zipCode = "A|B";
    {
        RecordedAction click(&recorder_, form_, "click 1004");
        op.RunManualEntry(manual);
    }
    // Recorded before it closed: nothing waits in a buffer of the process.
    const std::string actions =
        "answer text <a>\\r\\n\nanswer fields 1||3\nclick 1004\n"
        "# a value below holds '|', which an answer cannot give\nanswer fields A|B||\n"
        "click 1004\n";
    EXPECT_EQ(ReadFile("r.scenario"), kHeader + "set 1012 7\\t\\\\\u00e9\n" + actions);
    form_.SetText(id::kOperatorId, "op");
    recorder_.Finish(form_);
    EXPECT_FALSE(recorder_.Active());
    EXPECT_EQ(ReadFile("r.scenario"),
              kHeader + "set 1012 7\\t\\\\\u00e9\n" + actions + "set 1020 op\ndump\n");
}

TEST_F(ScenarioRecorderTest, AFileThatCannotBeWrittenIsRefusedOrStopsTheRecording) {
    std::string error;
    EXPECT_FALSE(recorder_.Start("no/such/dir/r.scenario", error));
    EXPECT_EQ(error, "cannot record to 'no/such/dir/r.scenario': No such file or directory");
    EXPECT_FALSE(recorder_.Active());

    // A device or a FIFO (with or without a reader) is refused at once, never waited on.
    ASSERT_EQ(::mkfifo("fifo.scenario", 0600), 0);
    for (const char* path : {"/dev/full", "fifo.scenario"}) {
        EXPECT_FALSE(recorder_.Start(path, error));
        EXPECT_EQ(error, "cannot record to '" + std::string(path) + "': not a regular file");
        EXPECT_FALSE(recorder_.Active());
    }

    {
        ScopedWriteFault full({"full.scenario", 0, ENOSPC});
        EXPECT_FALSE(recorder_.Start("full.scenario", error));
    }
    EXPECT_EQ(error, "cannot write to 'full.scenario': No space left on device; recording stopped");
    EXPECT_FALSE(recorder_.Active());
    EXPECT_EQ(recorder_.TakeFailure(), std::nullopt);  // told once, by Start

    ASSERT_TRUE(recorder_.Start("later.scenario", error)) << error;
    {
        ScopedWriteFault full({"later.scenario", 0, ENOSPC});
        recorder_.Finish(form_);
    }
    EXPECT_EQ(recorder_.TakeFailure(),
              "cannot write to 'later.scenario': No space left on device; recording stopped");
}

// The window's operator sits behind the recorder: a response must still reach its own view.
TEST(AnswerRecorder, PassesResponsesOnToTheResponseView) {
    struct WithResponseView : test::RecordingOperator {
        std::vector<std::string> responses;
        void ResponseMessage(const std::string& text) override { responses.push_back(text); }
    } inner;
    ManualClock clock;
    ScenarioRecorder recorder("sim", clock);
    AnswerRecorder op(inner, recorder);
    op.ResponseMessage("<TStream/>");
    EXPECT_EQ(inner.responses, std::vector<std::string>{"<TStream/>"});
    EXPECT_TRUE(inner.messages.empty());
}

}  // namespace
}  // namespace nt
