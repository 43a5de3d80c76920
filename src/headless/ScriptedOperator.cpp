#include "headless/ScriptedOperator.h"

#include "dialogs/AdditionalAmountsDlg.h"
#include "dialogs/EditXmlDlg.h"
#include "dialogs/GiftTranTypeDlg.h"
#include "dialogs/ManualEntryDlg.h"
#include "dialogs/PadTypesInfoDlg.h"
#include "dialogs/ReceiptDlg.h"
#include "dialogs/RunTestDlg.h"

namespace nt {

namespace {

constexpr const char* kAboutText = "Nordteller Version 1.23";

std::string JoinFields(const std::string& a, const std::string& b, const std::string& c) {
    return EscapeText(a) + "|" + EscapeText(b) + "|" + EscapeText(c);
}

}  // namespace

std::optional<Answer> ScriptedOperator::Take(const char* prompt,
                                             std::initializer_list<AnswerKind> fitting) {
    if (queue_.empty()) {
        return std::nullopt;
    }
    Queued& head = queue_.front();
    for (AnswerKind kind : fitting) {
        if (head.answer.kind == kind) {
            Answer taken = head.answer;
            queue_.pop_front();
            return taken;
        }
    }
    if (head.firstMisfit.empty()) {
        head.firstMisfit = prompt;
    }
    return std::nullopt;
}

std::optional<ScenarioError> ScriptedOperator::Leftover() const {
    if (queue_.empty()) {
        return std::nullopt;
    }
    const Queued& head = queue_.front();
    std::string reason =
        std::string("answer '") + AnswerKeyword(head.answer.kind) + "' was never taken";
    reason += head.firstMisfit.empty() ? " (no prompt came)"
                                       : " (it does not fit the " + head.firstMisfit + " prompt)";
    return ScenarioError{head.line, reason};
}

void ScriptedOperator::Message(const std::string& text) {
    out_.Entry("message", text);
}

bool ScriptedOperator::Question(const std::string& text) {
    auto answer = Take("question", {AnswerKind::Yes, AnswerKind::No});
    bool yes = !answer || answer->kind == AnswerKind::Yes;
    out_.Entry("question", text, yes ? "yes" : "no");
    return yes;
}

bool ScriptedOperator::RunEditXml(CEditXmlDlg& dlg) {
    auto answer = Take("edit", {AnswerKind::Ok, AnswerKind::Cancel, AnswerKind::Text});
    AnswerKind kind = answer ? answer->kind : AnswerKind::Ok;
    out_.Entry("edit", dlg.m_requestText,
               kind == AnswerKind::Ok       ? "ok"
               : kind == AnswerKind::Cancel ? "cancel"
                                            : "edited");
    if (kind == AnswerKind::Text) {
        dlg.m_requestText = answer->text;
    }
    return kind != AnswerKind::Cancel;
}

bool ScriptedOperator::RunManualEntry(CManualEntryDlg& dlg) {
    auto answer = Take("manual-entry", {AnswerKind::Ok, AnswerKind::Cancel, AnswerKind::Fields});
    AnswerKind kind = answer ? answer->kind : AnswerKind::Ok;
    std::string shown = JoinFields(dlg.m_zipCode, dlg.m_streetNumber, dlg.m_cvv);
    if (kind == AnswerKind::Cancel) {
        out_.Line("manual-entry: " + shown + " -> cancel");
        return false;
    }
    std::string outcome = "ok";
    if (kind == AnswerKind::Fields) {
        dlg.m_zipCode = answer->fields[0];
        dlg.m_streetNumber = answer->fields[1];
        dlg.m_cvv = answer->fields[2];
        outcome += " " + JoinFields(dlg.m_zipCode, dlg.m_streetNumber, dlg.m_cvv);
    }
    out_.Line("manual-entry: " + shown + " -> " + outcome);
    return true;
}

bool ScriptedOperator::RunAdditionalAmounts(CAdditionalAmountsDlg& dlg) {
    dlg.OnInitDialog();
    auto answer = Take("amounts", {AnswerKind::Ok, AnswerKind::Cancel, AnswerKind::Fields});
    AnswerKind kind = answer ? answer->kind : AnswerKind::Ok;
    if (kind == AnswerKind::Cancel) {
        out_.Entry("amounts", dlg.ThirdLabel(), "cancel");
        return false;
    }
    if (kind == AnswerKind::Fields) {
        const int ids[] = {CAdditionalAmountsDlg::kOriginalId, CAdditionalAmountsDlg::kLastId,
                           CAdditionalAmountsDlg::kThirdId};
        for (size_t i = 0; i < 3; ++i) {
            AmountUpdate update = dlg.Field(ids[i])->OnAmountUpdate(answer->fields[i]);
            for (int b = 0; b < update.beeps; ++b) {
                Beep();
            }
        }
    }
    dlg.OnOK();
    out_.Entry(
        "amounts", dlg.ThirdLabel(),
        "ok " + JoinFields(dlg.m_originalAmount, dlg.m_lastAuthorizedAmount, dlg.m_thirdAmount));
    return true;
}

bool ScriptedOperator::RunGiftTranType(CGiftTranTypeDlg& dlg) {
    auto answer = Take("gift", {AnswerKind::Pick, AnswerKind::Cancel});
    if (answer && answer->kind == AnswerKind::Pick) {
        if (dlg.Pick(answer->text)) {
            out_.Line("gift: -> " + EscapeText(dlg.m_tranCode));
            return true;
        }
    }
    out_.Line("gift: -> cancel");
    return false;
}

void ScriptedOperator::RunReceipt(CReceiptDlg& dlg) {
    Take("receipt", {AnswerKind::Ok});
    out_.Entry("receipt", dlg.m_receiptText);
}

void ScriptedOperator::RunPadTypesInfo(CPadTypesInfoDlg& dlg) {
    Take("pad-types", {AnswerKind::Ok});
    out_.Entry("pad-types", dlg.m_text);
}

void ScriptedOperator::RunTestCasePrompt(CRunTestDlg& dlg) {
    auto answer = Take("test-case", {AnswerKind::Do, AnswerKind::Skip, AnswerKind::Stop});
    AnswerKind kind = answer ? answer->kind : AnswerKind::Do;
    if (kind == AnswerKind::Skip) {
        dlg.OnCancel();
    } else if (kind == AnswerKind::Stop) {
        dlg.OnStopScript();
    } else {
        dlg.OnOK();
    }
    out_.Entry("test-case", dlg.m_message, AnswerKeyword(kind));
}

void ScriptedOperator::RunAbout() {
    out_.Entry("about", kAboutText);
}

void ScriptedOperator::SetWaitMessage(const std::string& message) {
    out_.Entry("wait", message);
}

// No sound device is assumed and nobody listens: the tone is only recorded.
void ScriptedOperator::Tone(int frequencyHz, int milliseconds) {
    out_.Line("tone: " + std::to_string(frequencyHz) + " " + std::to_string(milliseconds));
}

void ScriptedOperator::Beep() {
    out_.Line("beep");
}

}  // namespace nt
