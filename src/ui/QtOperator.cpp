#include "ui/QtOperator.h"

#include <QApplication>
#include <QMessageBox>
#include <utility>

#include "dialogs/RunTestDlg.h"
#include "transaction/ClientGateway.h"
#include "ui/AboutDialog.h"
#include "ui/AdditionalAmountsDialog.h"
#include "ui/CoreText.h"
#include "ui/EditXmlDialog.h"
#include "ui/GiftTranTypeDialog.h"
#include "ui/ManualEntryDialog.h"
#include "ui/ModalRun.h"
#include "ui/PadTypesInfoDialog.h"
#include "ui/Placement.h"
#include "ui/QtText.h"
#include "ui/ReceiptDialog.h"
#include "ui/ResponseDialog.h"
#include "ui/RunTestDialog.h"
#include "ui/WaitWindow.h"

namespace nt {

namespace {

int Box(QMessageBox::StandardButtons buttons, const std::string& text, QWidget* owner) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Nordteller"), TrCore(LinesToQt(text)),
                    buttons);
    box.setTextFormat(Qt::PlainText);
    return RunModal(box, owner);
}

}  // namespace

QtOperator::QtOperator(QWidget* mainWindow)
    : main_(mainWindow), tone_([] { QApplication::beep(); }) {}

QtOperator::~QtOperator() = default;

void QtOperator::Message(const std::string& text) {
    Box(QMessageBox::Ok, text, Owner());
}

void QtOperator::ResponseMessage(const std::string& text) {
    ResponseDialog dialog(text);
    RunModal(dialog, Owner());
}

bool QtOperator::Question(const std::string& text) {
    return Box(QMessageBox::Yes | QMessageBox::No, text, Owner()) == QMessageBox::Yes;
}

bool QtOperator::RunEditXml(CEditXmlDlg& dlg) {
    EditXmlDialog dialog(dlg);
    return RunModal(dialog, Owner(), CentredOver) == QDialog::Accepted;
}

bool QtOperator::RunManualEntry(CManualEntryDlg& dlg) {
    ManualEntryDialog dialog(dlg);
    return RunModal(dialog, Owner()) == QDialog::Accepted;
}

bool QtOperator::RunAdditionalAmounts(CAdditionalAmountsDlg& dlg) {
    AdditionalAmountsDialog dialog(dlg, [this] { Beep(); });
    return RunModal(dialog, Owner()) == QDialog::Accepted;
}

bool QtOperator::RunGiftTranType(CGiftTranTypeDlg& dlg) {
    GiftTranTypeDialog dialog(dlg);
    return RunModal(dialog, Owner()) == QDialog::Accepted;
}

void QtOperator::RunReceipt(CReceiptDlg& dlg) {
    ReceiptDialog dialog(dlg);
    RunModal(dialog, Owner());
}

void QtOperator::RunPadTypesInfo(CPadTypesInfoDlg& dlg) {
    PadTypesInfoDialog dialog(dlg);
    RunModal(dialog, Owner());
}

void QtOperator::RunTestCasePrompt(CRunTestDlg& dlg) {
    RunTestDialog dialog(dlg);
    RunModal(dialog, Owner(), BottomCentredOver);
}

void QtOperator::RunAbout() {
    AboutDialog dialog;
    RunModal(dialog, Owner());
}

void QtOperator::ShowWait() {
    if (!wait_) {
        wait_ = std::make_unique<WaitWindow>();
        QObject::connect(wait_.get(), &WaitWindow::CancelClicked, wait_.get(),
                         [this] { AskStopWaiting(); });
        wait_->SetCancelOffered(cancelOffered_);
    }
    if (!wait_->isVisible()) {
        wait_->SetMessage(QString());
        wait_->ShowOver(Owner());
        // Drawn now: the command that follows may not return to the event loop for a while.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

void QtOperator::SetWaitMessage(const std::string& message) {
    if (wait_) {
        wait_->SetMessage(ToQt(message));
        wait_->repaint();
    }
}

void QtOperator::HideWait() {
    if (wait_) {
        wait_->Hide();
    }
}

void QtOperator::OfferWaitCancel(bool offered) {
    cancelOffered_ = offered;
    cancelConfirmed_ = false;
    if (wait_) {
        wait_->SetCancelOffered(offered);
    }
}

bool QtOperator::TakeWaitCancel() {
    return std::exchange(cancelConfirmed_, false);
}

void QtOperator::AskStopWaiting() {
    if (!cancelOffered_ || asking_) {
        return;
    }
    asking_ = true;
    const bool yes = Question(kStopWaitingQuestion);
    asking_ = false;
    // The call may have answered while the question was open: nothing to stop then.
    cancelConfirmed_ = yes && cancelOffered_;
}

void QtOperator::Tone(int frequencyHz, int milliseconds) {
    tone_.Play(frequencyHz, milliseconds);
}

void QtOperator::Beep() {
    QApplication::beep();
}

void QtOperator::PumpMessages() {
    QCoreApplication::processEvents();
}

}  // namespace nt
