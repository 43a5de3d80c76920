#include "ui/MainWindowLayout.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <initializer_list>
#include <vector>

#include "ui/CoreText.h"
#include "ui/QtText.h"

namespace nt {

namespace {

// Builds the columns and remembers the order controls were placed in, for the tab order.
class Builder {
  public:
    explicit Builder(const ControlMap& controls) : controls_(controls) {}

    QWidget* Take(int control) {
        QWidget* w = controls_.at(control);
        order_.push_back(w);
        return w;
    }

    static QGroupBox* Box(const char* title) {
        auto* box = new QGroupBox(TrCore(ToQt(title)));
        return box;
    }

    // A field with its label from the table beside it.
    void Field(QFormLayout* form, int control) {
        const ControlSpec* spec = FindControl(control);
        auto* label = new QLabel(TrCore(LinesToQt(spec->caption)).trimmed());
        QWidget* field = Take(control);
        label->setBuddy(field);
        form->addRow(label, field);
    }

    // A field whose label is a control of its own (enabled and disabled with it by the core).
    void LabelledBy(QFormLayout* form, int label, int control) {
        QWidget* l = Take(label);
        form->addRow(l, Take(control));
    }

    QGridLayout* Buttons(std::initializer_list<int> ids, int columns) {
        auto* grid = new QGridLayout;
        int i = 0;
        for (int control : ids) {
            grid->addWidget(Take(control), i / columns, i % columns);
            ++i;
        }
        return grid;
    }

    void ApplyTabOrder() const {
        for (size_t i = 1; i < order_.size(); ++i) {
            QWidget::setTabOrder(order_[i - 1], order_[i]);
        }
    }

  private:
    const ControlMap& controls_;
    std::vector<QWidget*> order_;
};

QFormLayout* NewForm() {
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return form;
}

QVBoxLayout* MerchantColumn(Builder& b) {
    auto* setup = Builder::Box("Merchant /Setup Info");
    auto* form = NewForm();
    for (int control : {id::kMerchantId, id::kTerminalId, id::kOperatorId, id::kHostOrIp,
                        id::kIpPort, id::kComPort}) {
        b.Field(form, control);
    }
    b.LabelledBy(form, id::kPinPadIpAddressLabel, id::kPinPadIpAddress);
    b.LabelledBy(form, id::kPinPadIpPortLabel, id::kPinPadIpPort);
    auto* setupLayout = new QVBoxLayout(setup);
    setupLayout->addLayout(form);
    setupLayout->addLayout(b.Buttons({id::kPreAuth, id::kIncrementalAuth, id::kPartialReversal,
                                      id::kPreAuthCapture, id::kZeroAuth},
                                     2));

    auto* pads = new QHBoxLayout;
    pads->addWidget(b.Take(id::kTranEmv));
    pads->addStretch();
    pads->addWidget(b.Take(id::kGetPadTypesInfo));

    auto* column = new QVBoxLayout;
    column->addWidget(setup);
    column->addLayout(pads);
    column->addWidget(b.Take(id::kPadTree), 1);
    return column;
}

QVBoxLayout* TransactionColumn(Builder& b) {
    auto* fields = new QGroupBox;
    auto* form = NewForm();
    for (int control : {id::kAmount, id::kTipAmount, id::kRefNumber, id::kInvoice, id::kAuthCode,
                        id::kAcqRefData, id::kRecordNumber, id::kProcessData}) {
        b.Field(form, control);
    }
    auto* clear = new QHBoxLayout;
    clear->addStretch();
    clear->addWidget(b.Take(id::kClearRespFields));
    auto* fieldsLayout = new QVBoxLayout(fields);
    fieldsLayout->addLayout(form);
    fieldsLayout->addLayout(clear);

    auto* info = NewForm();
    b.Field(info, id::kPadRebootTime);
    auto* caseInfo = new QLabel(TrCore(ToQt(FindControl(id::kTestCaseInfo)->caption)));
    QWidget* caseInfoEdit = b.Take(id::kTestCaseInfo);
    caseInfo->setBuddy(caseInfoEdit);
    caseInfoEdit->setMaximumHeight(caseInfoEdit->fontMetrics().lineSpacing() * 6);

    auto* sequence = new QGroupBox;
    auto* seqForm = NewForm();
    b.Field(seqForm, id::kSendingSeqNo);
    b.Field(seqForm, id::kReceivedSeqNo);
    auto* reset = new QHBoxLayout;
    reset->addStretch();
    reset->addWidget(b.Take(id::kResetSequenceNo));
    auto* seqLayout = new QVBoxLayout(sequence);
    seqLayout->addLayout(seqForm);
    seqLayout->addLayout(reset);

    // The script's test case prompt sits on the window's bottom edge, over the middle: the
    // fields it names (Amount, Test Case Info) stay above it, the sequence numbers go below.
    auto* column = new QVBoxLayout;
    column->addWidget(fields);
    column->addLayout(info);
    column->addWidget(caseInfo);
    column->addWidget(caseInfoEdit);
    column->addStretch(1);
    column->addWidget(sequence);
    return column;
}

QVBoxLayout* CommandColumn(Builder& b) {
    auto* commands = new QGroupBox;
    QGridLayout* grid = b.Buttons(
        {id::kSale, id::kReturn, id::kVoidSale, id::kVoidReturn, id::kVoiceAuth, id::kBalanceInq,
         id::kGetPrePaidStripe, id::kPadReset, id::kKeyChange, id::kParamDownload},
        2);
    // GIFT CARDS keeps its cell while hidden, so nothing moves when TRAN EMV shows it.
    grid->addWidget(b.Take(id::kForcePadReset), 5, 0);
    grid->addWidget(b.Take(id::kGiftCards), 5, 1);
    commands->setLayout(grid);

    auto* admin = Builder::Box("Admin");
    auto* adminLayout = new QVBoxLayout(admin);
    adminLayout->addLayout(b.Buttons({id::kServerVersion, id::kBatchSummary, id::kBatchClose}, 1));
    adminLayout->addStretch();
    auto* reports = Builder::Box("Reports");
    reports->setLayout(b.Buttons({id::kOfflineDeclineReport, id::kPublicKeyReport,
                                  id::kEmvParamsReport, id::kEmvStatisticsReport, id::kAdjust},
                                 1));
    auto* adminReports = new QHBoxLayout;
    adminReports->addWidget(admin);
    adminReports->addWidget(reports);

    auto* saf = Builder::Box("Store and Forward");
    auto* safForm = NewForm();
    b.Field(safForm, id::kMaxTrans);
    b.Field(safForm, id::kPurchaseLimit);
    auto* safLayout = new QVBoxLayout(saf);
    safLayout->addLayout(safForm);
    auto* safButtons = new QHBoxLayout;
    safButtons->addWidget(b.Take(id::kForceOffline));
    safButtons->addStretch();
    safButtons->addWidget(b.Take(id::kFwdAll));
    safButtons->addWidget(b.Take(id::kStats));
    safLayout->addLayout(safButtons);

    auto* column = new QVBoxLayout;
    column->addWidget(commands);
    column->addLayout(adminReports);
    column->addWidget(saf);
    column->addStretch();
    return column;
}

QVBoxLayout* OptionColumn(Builder& b) {
    auto* modifiers = Builder::Box("Transaction Modifiers");
    auto* modLayout = new QVBoxLayout(modifiers);
    for (int control :
         {id::kPromptTip, id::kPromptManual, id::kPromptCashBack, id::kAllowPartialAuth,
          id::kOverride, id::kInteracDebitOnly, id::kCreditOnly, id::kSuppressSignature,
          id::kUseTokens, id::kSuppressAmountOk, id::kReturnClearExpDate, id::kCardNotPresent}) {
        modLayout->addWidget(b.Take(control));
    }

    auto* merchant = Builder::Box("Merchant Language");
    auto* merchantLayout = new QVBoxLayout(merchant);
    merchantLayout->addWidget(b.Take(id::kEnglishLocal));
    merchantLayout->addWidget(b.Take(id::kFrenchLocal));
    auto* fallback = Builder::Box("Fallback Language");
    auto* fallbackLayout = new QVBoxLayout(fallback);
    for (int control : {id::kNoFallback, id::kEnglishFallback, id::kFrenchFallback}) {
        fallbackLayout->addWidget(b.Take(control));
    }

    auto* neverUse = Builder::Box("Never Use");
    auto* neverLayout = new QHBoxLayout(neverUse);
    neverLayout->addWidget(b.Take(id::kTranTestMode));
    neverLayout->addWidget(b.Take(id::kRunScript));

    auto* column = new QVBoxLayout;
    column->addWidget(modifiers);
    column->addWidget(merchant);
    column->addWidget(fallback);
    column->addWidget(neverUse);
    column->addStretch();
    return column;
}

}  // namespace

void ArrangeMainWindow(QWidget& window, const ControlMap& controls, QWidget* footer) {
    Builder b(controls);
    auto* columns = new QHBoxLayout;
    columns->addLayout(MerchantColumn(b), 5);
    columns->addLayout(TransactionColumn(b), 5);
    columns->addLayout(CommandColumn(b), 5);
    columns->addLayout(OptionColumn(b), 4);

    auto* bottom = new QHBoxLayout;
    if (footer != nullptr) {
        bottom->addWidget(footer);
    }
    bottom->addStretch();
    bottom->addWidget(b.Take(id::kExit));

    auto* outer = new QVBoxLayout(&window);
    outer->addLayout(columns, 1);
    outer->addLayout(bottom);
    b.ApplyTabOrder();
}

}  // namespace nt
