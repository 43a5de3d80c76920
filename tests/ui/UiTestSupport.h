#pragma once

#include <QAbstractButton>
#include <QDialog>
#include <QPointer>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "transaction/PaymentClient.h"
#include "ui/QtOperator.h"

class QAbstractButton;

namespace nt::test {

// A payment client that is always there and answers nothing; start-up then runs to the end.
PaymentClientFactory QuietClientFactory();
// One that cannot be created, as on a machine without the payment client.
PaymentClientFactory MissingClientFactory();

// The real Qt operator, counting the beeps instead of sounding them.
class CountingOperator : public QtOperator {
  public:
    using QtOperator::QtOperator;
    void Beep() override { ++beeps; }
    int beeps = 0;
};

// Answers the modal dialogs a test opens, in order, from inside each dialog's own event loop
// once it is shown: no waiting, no sleeping. A dialog nobody expected is rejected and fails the
// test; expected dialogs that never came fail it too.
class DialogDriver : public QObject {
  public:
    using Action = std::function<void(QDialog&)>;

    DialogDriver();
    ~DialogDriver() override;

    DialogDriver& Then(Action action);
    const std::vector<QString>& Titles() const { return titles_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::deque<Action> actions_;
    std::vector<QString> titles_;
};

// Every character as wide as every other. Some monospace fonts do not declare themselves fixed
// pitch, so this measures instead of asking.
bool FixedPitch(const QFont& font);

// A left click where the button reacts: on a check box or radio button, its indicator.
void Click(QAbstractButton* button);
// The button of a dialog whose text is `text` (mnemonics ignored); fails the test if none.
QAbstractButton* ButtonByText(QWidget& dialog, const QString& text);

}  // namespace nt::test
