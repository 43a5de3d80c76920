#include "front/AnswerRecorder.h"

#include "dialogs/AdditionalAmountsDlg.h"
#include "dialogs/EditXmlDlg.h"
#include "dialogs/GiftTranTypeDlg.h"
#include "dialogs/ManualEntryDlg.h"
#include "dialogs/PadTypesInfoDlg.h"
#include "dialogs/ReceiptDlg.h"
#include "dialogs/RunTestDlg.h"

namespace nt {

bool AnswerRecorder::Question(const std::string& text) {
    const bool yes = inner_.Question(text);
    Record(yes ? AnswerKind::Yes : AnswerKind::No);
    return yes;
}

bool AnswerRecorder::RunEditXml(CEditXmlDlg& dlg) {
    const std::string shown = dlg.m_requestText;
    const bool ok = inner_.RunEditXml(dlg);
    if (!ok) {
        Record(AnswerKind::Cancel);
    } else if (dlg.m_requestText == shown) {
        Record(AnswerKind::Ok);
    } else {
        recorder_.Answered(Answer{AnswerKind::Text, dlg.m_requestText, {}});
    }
    return ok;
}

void AnswerRecorder::RecordFields(const std::string& a, const std::string& b,
                                  const std::string& c) {
    // '|' separates the values; a value holding one cannot be given back, and the replay
    // refuses the line rather than answer something else.
    const bool separable = (a + b + c).find('|') == std::string::npos;
    recorder_.Answered(Answer{AnswerKind::Fields, {}, {a, b, c}},
                       separable ? "" : "a value below holds '|', which an answer cannot give");
}

bool AnswerRecorder::RunManualEntry(CManualEntryDlg& dlg) {
    const bool ok = inner_.RunManualEntry(dlg);
    if (ok) {
        RecordFields(dlg.m_zipCode, dlg.m_streetNumber, dlg.m_cvv);
    } else {
        Record(AnswerKind::Cancel);
    }
    return ok;
}

bool AnswerRecorder::RunAdditionalAmounts(CAdditionalAmountsDlg& dlg) {
    const bool ok = inner_.RunAdditionalAmounts(dlg);
    if (ok) {
        RecordFields(dlg.m_originalAmount, dlg.m_lastAuthorizedAmount, dlg.m_thirdAmount);
    } else {
        Record(AnswerKind::Cancel);
    }
    return ok;
}

bool AnswerRecorder::RunGiftTranType(CGiftTranTypeDlg& dlg) {
    const bool ok = inner_.RunGiftTranType(dlg);
    if (ok) {
        recorder_.Answered(Answer{AnswerKind::Pick, dlg.m_tranCode, {}});
    } else {
        Record(AnswerKind::Cancel);
    }
    return ok;
}

void AnswerRecorder::RunReceipt(CReceiptDlg& dlg) {
    inner_.RunReceipt(dlg);
    Record(AnswerKind::Ok);
}

void AnswerRecorder::RunPadTypesInfo(CPadTypesInfoDlg& dlg) {
    inner_.RunPadTypesInfo(dlg);
    Record(AnswerKind::Ok);
}

void AnswerRecorder::RunTestCasePrompt(CRunTestDlg& dlg) {
    inner_.RunTestCasePrompt(dlg);
    Record(dlg.m_choice == CRunTestDlg::kSkip   ? AnswerKind::Skip
           : dlg.m_choice == CRunTestDlg::kStop ? AnswerKind::Stop
                                                : AnswerKind::Do);
}

}  // namespace nt
