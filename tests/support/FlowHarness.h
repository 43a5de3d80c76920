#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "app/TestPosDlg.h"
#include "headless/MemoryForm.h"
#include "request/GiftTranTypeDlg.h"
#include "script/RunTestDlg.h"
#include "support/RecordingOperator.h"
#include "support/TempDir.h"
#include "transaction/EditXmlDlg.h"

namespace nt::test {

// A payment client that answers from a queue of canned replies and keeps every request.
struct ClientScript {
    std::deque<ClientReply> replies;  // an empty queue answers an empty text
    std::vector<std::string> requests;
    std::string padTypesInfo;
};

class ScriptedClient : public PaymentClient {
  public:
    explicit ScriptedClient(std::shared_ptr<ClientScript> script) : script_(std::move(script)) {}
    ClientReply ProcessTransaction(const std::string& request) override {
        script_->requests.push_back(request);
        if (script_->replies.empty()) {
            return {};
        }
        ClientReply reply = script_->replies.front();
        script_->replies.pop_front();
        return reply;
    }
    ClientReply GetPadTypesInfo() override { return ClientReply{0, script_->padTypesInfo, {}}; }

  private:
    std::shared_ptr<ClientScript> script_;
};

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
        for (const auto& c : CGiftTranTypeDlg::kChoices) {
            if (giftPick == c.tranCode) {
                dlg.OnButton(c.id);
                return true;
            }
        }
        return false;
    }
};

// A started window over a scripted client, in a temporary current directory.
struct FlowHarness {
    TempDir dir;
    std::shared_ptr<ClientScript> script = std::make_shared<ClientScript>();
    MemoryForm form;
    FlowOperator op;
    std::unique_ptr<CTestPosDlg> dlg;

    explicit FlowHarness(bool withControl = true);
    // Everything logged so far, as the daily log file holds it.
    std::string DailyLog();
    // The daily log's entries (time stamps and separators removed), CR LF turned back to LF.
    std::vector<std::string> LogEntries();
    void Reply(const std::string& text) { script->replies.push_back(ClientReply{0, text, {}}); }
};

// A response document with the given elements inside TranResponse, CR LF line ends.
std::string Response(const std::string& sequenceNo, const std::string& elements);

}  // namespace nt::test
