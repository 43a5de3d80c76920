#include "transaction/CommandFlow.h"

#include <cstdio>

#include "app/Controls.h"
#include "app/SequenceStore.h"
#include "app/TestPosDlg.h"
#include "log/LogWriter.h"
#include "request/GiftTranTypeDlg.h"
#include "response/BatchTotals.h"
#include "transaction/EditXmlDlg.h"
#include "transaction/WaitDlg.h"

namespace nt {

int32_t TraceCounter = 0;

namespace {

std::string NextTraceNumber() {
    ++TraceCounter;
    char counter[16];
    std::snprintf(counter, sizeof counter, "%08d", TraceCounter);
    return counter;
}

}  // namespace

void CTestPosDlg::LoadSequenceForCommand() {
    LoadSequenceNo();
    form_.SetText(id::kSendingSeqNo, PosSequenceNo);
}

std::optional<std::string> CTestPosDlg::Exchange(std::string request, const std::string& counter) {
    LogLine(GetLogWriter(), "%s%s\n%s", "TRACE DATA:", counter.c_str(), request.c_str());
    CEditXmlDlg edit;
    edit.m_requestText = request;
    if (!op_.RunEditXml(edit)) {
        commandObserver().OnNoResponse(NoResponse::kEditCancelled);
        return std::nullopt;
    }
    if (edit.m_requestText != request) {
        commandObserver().OnRequestEdited(request);
        request = edit.m_requestText;
        LogLine(GetLogWriter(), "%s\n%s", "EDITED REQUEST:", request.c_str());
    }
    commandObserver().OnRequestSent(request);
    std::optional<std::string> response = ProcessRequest(request);
    if (!response) {
        commandObserver().OnNoResponse(NoResponse::kClientFailed);
        return std::nullopt;
    }
    commandObserver().OnResponse(*response);
    LogLine(GetLogWriter(), "\n%s", response->c_str());
    HandleResponse(*response);
    op_.ResponseMessage(*response);
    return response;
}

void CTestPosDlg::OnCommandButton(const CommandSpec& command) {
    if (command.tokenConfirmation && !form_.Checked(id::kUseTokens) &&
        !op_.Question("You Aren't using Tokens. Is that Ok?")) {
        return;
    }
    CWaitDlg wait(op_);
    wait.Create();
    wait.SetMessage(command.waitMessage);
    if (command.zeroAmountFirst) {
        form_.SetText(id::kAmount, "0.00");
    }
    if (command.serialTranCode != nullptr &&
        RunSerialTransaction(command.serialTranCode, command.financial, command.giftCard)) {
        return;
    }
    LoadSequenceForCommand();
    SequenceSaver saver;  // declared after the wait window: saved before the window goes
    std::string request = BuildRequest(command.tranCode, command.wrapper, "");
    Exchange(std::move(request), NextTraceNumber());
}

void CTestPosDlg::OnGiftCardButton() {
    CGiftTranTypeDlg picker;
    op_.RunGiftTranType(picker);
    if (picker.m_tranCode.empty()) {
        return;
    }
    const std::string& tranCode = picker.m_tranCode;
    CWaitDlg wait(op_);
    wait.Create();
    wait.SetMessage("OnGiftCard/" + tranCode.substr(3) + " Button");
    if (RunSerialTransaction(tranCode, true, true)) {
        return;
    }
    LoadSequenceForCommand();
    SequenceSaver saver;
    Exchange(BuildRequest(tranCode, "Transaction", ""), NextTraceNumber());
}

void CTestPosDlg::OnBatchcloseButton() {
    CWaitDlg wait(op_);
    wait.Create();
    wait.SetMessage("OnBatchcloseButton");
    if (RunSerialTransaction("BatchClose", false, false)) {
        return;
    }
    LoadSequenceForCommand();
    SequenceSaver saver;
    const std::string counter = NextTraceNumber();
    std::optional<std::string> summary =
        Exchange(BuildRequest("BatchSummary", "Admin", ""), counter);
    if (!summary) {
        return;
    }
    // The totals come from the summary as received; the close sends the number it returned.
    Exchange(BuildRequest("BatchClose", "Admin", BatchTotalsBlock(*summary)), counter);
}

}  // namespace nt
