#include "ui/ResponseDialog.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "response/ResponseOutcome.h"
#include "text/EmvData.h"
#include "ui/FixedTextView.h"
#include "ui/QtText.h"

namespace nt {

namespace {

struct Look {
    QStyle::StandardPixmap icon;
    QColor colour;  // invalid: the palette's text colour
};

Look LookOf(Verdict verdict) {
    switch (verdict) {
        case Verdict::kApproved:
            return {QStyle::SP_DialogApplyButton, QColor(0x1b, 0x7e, 0x2a)};
        case Verdict::kDeclined:
            return {QStyle::SP_MessageBoxWarning, QColor(0xb3, 0x59, 0x00)};
        case Verdict::kError:
            return {QStyle::SP_MessageBoxCritical, QColor(0xc6, 0x28, 0x28)};
        case Verdict::kOther:
            break;
    }
    return {QStyle::SP_MessageBoxInformation, QColor()};
}

}  // namespace

// The verdicts payment clients name, in the window's language; any other CmdStatus as it came.
QString ResponseDialog::VerdictName(const QString& cmdStatus) {
    if (cmdStatus == QLatin1String("Approved")) {
        return tr("Approved");
    }
    if (cmdStatus == QLatin1String("Success")) {
        return tr("Success");
    }
    if (cmdStatus == QLatin1String("Declined")) {
        return tr("Declined");
    }
    if (cmdStatus == QLatin1String("Error")) {
        return tr("Error");
    }
    return cmdStatus;
}

ResponseDialog::ResponseDialog(const std::string& response, QWidget* parent)
    : QDialog(parent),
      icon_(new QLabel(this)),
      outcome_(new QLabel(this)),
      emv_(new QLabel(this)),
      text_(new QPlainTextEdit(this)),
      ok_(new QPushButton(tr("OK"), this)) {
    setWindowTitle(QStringLiteral("Nordteller"));
    outcome_->setObjectName(QStringLiteral("outcome"));
    outcome_->setTextFormat(Qt::PlainText);
    text_->setObjectName(QStringLiteral("response"));
    text_->setAccessibleName(tr("Response"));
    text_->setReadOnly(true);
    MakeFixedTextView(*text_);
    text_->setPlainText(LinesToQt(response));
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    auto* verdict = new QHBoxLayout;
    verdict->addWidget(icon_);
    verdict->addWidget(outcome_, 1);
    if (std::optional<ResponseOutcome> outcome = ReadResponseOutcome(response)) {
        QString line = VerdictName(ToQt(outcome->cmdStatus));
        if (!outcome->textResponse.empty()) {
            line += QStringLiteral(" \u2014 ") + ToQt(outcome->textResponse);
        }
        outcome_->setText(line);
        const Look look = LookOf(outcome->verdict);
        const int extent = style()->pixelMetric(QStyle::PM_SmallIconSize);
        icon_->setPixmap(style()->standardIcon(look.icon).pixmap(extent, extent));
        QFont bold = outcome_->font();
        bold.setBold(true);
        outcome_->setFont(bold);
        if (look.colour.isValid()) {
            QPalette palette = outcome_->palette();
            palette.setColor(QPalette::WindowText, look.colour);
            outcome_->setPalette(palette);
        }
    } else {
        icon_->hide();
        outcome_->hide();
    }

    const std::string emv = FormatEmvBlock(DecodeEmvData(response));
    emv_->setObjectName(QStringLiteral("emv"));
    emv_->setTextFormat(Qt::PlainText);
    emv_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    emv_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    emv_->setText(LinesToQt(emv).trimmed());
    emv_->setVisible(!emv.empty());

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(verdict);
    layout->addWidget(emv_);
    layout->addWidget(text_, 1);
    layout->addLayout(buttons);
    FitDialogToText(*this, *text_);
    ok_->setFocus();
}

}  // namespace nt
