#pragma once

#include <deque>
#include <string>
#include <vector>

#include "dialogs/EditXmlDlg.h"
#include "dialogs/GiftTranTypeDlg.h"
#include "dialogs/RunTestDlg.h"
#include "support/RecordingOperator.h"

namespace nt::test {

// The operator of flow tests: edit dialogs answer from a queue ("ok", "cancel", or any other
// text, which replaces the request); the gift card picker picks `giftPick` ("" cancels); the
// test case prompt takes its choice from a queue (1, do, when empty; 0 leaves it unset).
class FlowOperator : public RecordingOperator {
  public:
    std::deque<std::string> edits;
    std::vector<std::string> shownRequests;
    std::string giftPick;
    std::deque<int> testCaseChoices;
    std::vector<std::string> prompts;

    void RunTestCasePrompt(CRunTestDlg& dlg) override {
        prompts.push_back(dlg.m_message);
        int choice = CRunTestDlg::kDo;
        if (!testCaseChoices.empty()) {
            choice = testCaseChoices.front();
            testCaseChoices.pop_front();
        }
        transcript.push_back("test-case: " + std::to_string(choice));
        dlg.m_choice = choice;
    }

    bool RunEditXml(CEditXmlDlg& dlg) override {
        shownRequests.push_back(dlg.m_requestText);
        std::string answer = "ok";
        if (!edits.empty()) {
            answer = edits.front();
            edits.pop_front();
        }
        transcript.push_back("edit: " + answer);
        if (answer == "cancel") {
            return false;
        }
        if (answer != "ok") {
            dlg.m_requestText = answer;
        }
        return true;
    }
    bool RunGiftTranType(CGiftTranTypeDlg& dlg) override {
        transcript.push_back("gift: " + giftPick);
        return dlg.Pick(giftPick);
    }
};

}  // namespace nt::test
