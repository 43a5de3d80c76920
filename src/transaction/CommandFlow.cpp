#include "transaction/CommandFlow.h"

#include "dialogs/EditXmlDlg.h"
#include "dialogs/GiftTranTypeDlg.h"
#include "dialogs/WaitDlg.h"
#include "form/Controls.h"
#include "log/LogWriter.h"
#include "response/BatchTotals.h"

namespace nt {

void CommandFlow::Run(const Start& start, const std::function<void()>& exchanges) {
    CWaitDlg wait(op_);
    wait.Create();
    wait.SetMessage(start.waitMessage);
    if (start.zeroAmountFirst) {
        form_.SetText(id::kAmount, "0.00");
    }
    if (terminal_.RunSerialTransaction(start.code, start.giftCard)) {
        return;
    }
    LoadSequenceForCommand();
    SequenceSaver saver(store_);  // declared after the wait window: saved before the window goes
    exchanges();
}

void CommandFlow::LoadSequenceForCommand() {
    store_.LoadSequenceNo();
    form_.SetText(id::kSendingSeqNo, pos_.PosSequenceNo);
}

std::optional<std::string> CommandFlow::Exchange(std::string request, const std::string& counter) {
    LogLine(log_, "%s%s\n%s", "TRACE DATA:", counter.c_str(), request.c_str());
    CEditXmlDlg edit;
    edit.m_requestText = request;
    if (!op_.RunEditXml(edit)) {
        op_.Observer().OnNoResponse(NoResponse::kEditCancelled);
        return std::nullopt;
    }
    if (edit.m_requestText != request) {
        op_.Observer().OnRequestEdited(request);
        request = edit.m_requestText;
        LogLine(log_, "%s\n%s", "EDITED REQUEST:", request.c_str());
    }
    op_.Observer().OnRequestSent(request);
    std::optional<std::string> response = gateway_.ProcessRequest(request);
    if (!response) {
        op_.Observer().OnNoResponse(NoResponse::kClientFailed);
        return std::nullopt;
    }
    op_.Observer().OnResponse(*response);
    LogLine(log_, "\n%s", response->c_str());
    responses_.HandleResponse(*response);
    op_.ResponseMessage(*response);
    return response;
}

CommandFlow::Start CommandFlow::StartOf(const TranCodeSpec& command) {
    return {command.button.waitMessage, command, false, command.button.zeroAmountFirst};
}

void CommandFlow::OnCommandButton(const TranCodeSpec& command) {
    if (command.button.tokenConfirmation && !form_.Checked(id::kUseTokens) &&
        !op_.Question("You Aren't using Tokens. Is that Ok?")) {
        return;
    }
    Run(StartOf(command), [&] {
        std::string request = composer_.BuildRequest(command);
        Exchange(std::move(request), pos_.NextTraceNumber());
    });
}

void CommandFlow::OnGiftCardButton() {
    CGiftTranTypeDlg picker;
    op_.RunGiftTranType(picker);
    const TranCodeSpec* code = FindTranCode(picker.m_tranCode);
    if (code == nullptr) {
        return;  // cancelled
    }
    const std::string& tranCode = picker.m_tranCode;
    Run({"OnGiftCard/" + tranCode.substr(3) + " Button", *code, true}, [&] {
        std::string request = composer_.BuildRequest(*code);
        Exchange(std::move(request), pos_.NextTraceNumber());
    });
}

void CommandFlow::OnBatchcloseButton(const TranCodeSpec& command) {
    Run(StartOf(command), [&] {
        const std::string counter = pos_.NextTraceNumber();
        std::optional<std::string> summary =
            Exchange(composer_.BuildRequest(SpecOf(TranCode::BatchSummary)), counter);
        if (!summary) {
            return;
        }
        // The totals come from the summary as received; the close sends the number it
        // returned.
        Exchange(composer_.BuildRequest(command, BatchTotalsBlock(*summary)), counter);
    });
}

}  // namespace nt
