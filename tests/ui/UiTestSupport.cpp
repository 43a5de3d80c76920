#include "UiTestSupport.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>

namespace nt::test {

namespace {

class QuietClient : public PaymentClient {
  public:
    ClientReply ProcessTransaction(const std::string&) override { return {}; }
    ClientReply GetPadTypesInfo() override { return {}; }
};

}  // namespace

PaymentClientFactory QuietClientFactory() {
    return [](std::string&) -> std::unique_ptr<PaymentClient> {
        return std::make_unique<QuietClient>();
    };
}

PaymentClientFactory MissingClientFactory() {
    return [](std::string& error) -> std::unique_ptr<PaymentClient> {
        error = "not installed";
        return nullptr;
    };
}

DialogDriver::DialogDriver() {
    qApp->installEventFilter(this);
}

DialogDriver::~DialogDriver() {
    qApp->removeEventFilter(this);
    EXPECT_TRUE(actions_.empty()) << actions_.size() << " expected dialog(s) never shown";
}

DialogDriver& DialogDriver::Then(Action action) {
    actions_.push_back(std::move(action));
    return *this;
}

bool DialogDriver::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Show) {
        return false;
    }
    auto* dialog = qobject_cast<QDialog*>(watched);
    if (dialog == nullptr || !dialog->isWindow() || dialog->windowModality() == Qt::NonModal) {
        return false;
    }
    titles_.push_back(dialog->windowTitle());
    Action action;
    if (!actions_.empty()) {
        action = std::move(actions_.front());
        actions_.pop_front();
    } else {
        action = [](QDialog& d) {
            ADD_FAILURE() << "unexpected dialog \"" << d.windowTitle().toStdString() << "\"";
            d.reject();
        };
    }
    QPointer<QDialog> target(dialog);
    QTimer::singleShot(0, dialog, [target, action] {
        if (target) {
            action(*target);
        }
    });
    return false;
}

bool FixedPitch(const QFont& font) {
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(QStringLiteral("MMMMMMMMMM"));
    for (const char* sample : {"iiiiiiiiii", "..........", "1111111111", "          "}) {
        if (metrics.horizontalAdvance(QString::fromLatin1(sample)) != width) {
            return false;
        }
    }
    return width > 0;
}

void Click(QAbstractButton* button) {
    ASSERT_NE(button, nullptr);
    QPoint at = button->rect().center();
    QStyleOptionButton option;
    option.initFrom(button);
    if (qobject_cast<QCheckBox*>(button) != nullptr) {
        at =
            button->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, button).center();
    } else if (qobject_cast<QRadioButton*>(button) != nullptr) {
        at = button->style()
                 ->subElementRect(QStyle::SE_RadioButtonIndicator, &option, button)
                 .center();
    }
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, at);
}

QAbstractButton* ButtonByText(QWidget& dialog, const QString& text) {
    for (auto* button : dialog.findChildren<QAbstractButton*>()) {
        if (button->text().remove(QLatin1Char('&')) == text) {
            return button;
        }
    }
    ADD_FAILURE() << "no button \"" << text.toStdString() << "\" in "
                  << dialog.windowTitle().toStdString();
    return nullptr;
}

}  // namespace nt::test
