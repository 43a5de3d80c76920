// The wait window's way out of a payment client that hangs: Cancel (or the close box) asks,
// and on yes the helper is stopped, the command fails with the reason and the next one works.
#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "UiTestSupport.h"
#include "app/ClientFactory.h"
#include "app/TestPosDlg.h"
#include "form/Controls.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"
#include "ui/MainWindow.h"
#include "ui/QtForm.h"
#include "ui/WaitWindow.h"

namespace nt::test {
namespace {

const std::string kPlugin = NORDTELLER_BINARY_DIR "/libcb_faulty.so";
const QString kQuestion = QStringLiteral(
    "Stop waiting for the payment client? The transaction's outcome at the host will be "
    "unknown.");
const QString kCancelled = QStringLiteral(
    "The payment client failed the call (error 0x80004005): the operator cancelled the wait "
    "for the payment client; the transaction's outcome at the host is unknown.");

QString BoxText(QDialog& d) {
    auto* box = qobject_cast<QMessageBox*>(&d);
    return box != nullptr ? box->text() : QString();
}

void Press(QDialog& d, const char* text) {
    if (QAbstractButton* button = ButtonByText(d, QString::fromLatin1(text))) {
        button->click();
    }
}

// The first call hangs; the deadline of a minute only keeps a broken Cancel from blocking.
class WaitCancelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dlg_ = std::make_unique<CTestPosDlg>(
            form_, op_,
            MakeClientFactory(kPlugin, {true, NORDTELLER_BINARY_DIR "/nordteller", 60}));
        ASSERT_TRUE(dlg_->OnInitDialog());
        window_.Attach(*dlg_);
        window_.show();
    }
    void TearDown() override {
        if (!dlg_->Closed()) {
            window_.close();
        }
    }
    // Calls `act` once, from the window's pump, when the hanging call has reached the plugin
    // and the wait window offers Cancel.
    void WhenHanging(std::function<void()> act) {
        watch_.setInterval(10);
        QObject::connect(&watch_, &QTimer::timeout, &window_, [this, act] {
            WaitWindow* wait = op_.Wait();
            if (wait != nullptr && wait->isVisible() && wait->CancelButton()->isVisible() &&
                ReadFile("count") == "1\n") {
                watch_.stop();
                act();
            }
        });
        watch_.start();
    }
    void Sale() { Click(qobject_cast<QAbstractButton*>(window_.Control(id::kSale))); }

    TempDir dir_;
    ScopedEnv modes_{"CB_FAULTY_MODES", "hang,ok"};
    ScopedEnv count_{"CB_FAULTY_COUNT_FILE", dir_.path() + "/count"};
    MainWindow window_;
    CountingOperator op_{&window_};
    QtForm form_{window_.Controls()};
    std::unique_ptr<CTestPosDlg> dlg_;
    QTimer watch_;
};

TEST_F(WaitCancelTest, CancelAfterYesEndsTheHangAndTheNextSaleWorks) {
    QString failure;
    {
        DialogDriver driver;
        driver
            .Then([](QDialog& d) { Press(d, "OK"); })  // the request
            .Then([](QDialog& d) {
                EXPECT_EQ(BoxText(d), kQuestion);
                Press(d, "No");  // the first answer keeps waiting
            })
            .Then([](QDialog& d) { Press(d, "Yes"); })
            .Then([&failure](QDialog& d) {
                failure = BoxText(d);
                Press(d, "OK");
            });
        WhenHanging([this] {
            op_.Wait()->CancelButton()->click();
            op_.Wait()->CancelButton()->click();
        });
        Sale();
    }
    EXPECT_EQ(failure, kCancelled);
    EXPECT_FALSE(op_.Wait()->isVisible());
    EXPECT_FALSE(op_.Wait()->CancelButton()->isVisibleTo(op_.Wait()));
    EXPECT_TRUE(window_.isEnabled());

    {
        DialogDriver driver;
        driver
            .Then([](QDialog& d) { Press(d, "OK"); })   // the request
            .Then([](QDialog& d) { Press(d, "OK"); });  // the response
        Sale();
    }
    EXPECT_EQ(ReadFile("count"), "2\n");
    EXPECT_EQ(form_.Text(id::kRefNumber), "77");
    EXPECT_FALSE(dlg_->Closed());
}

TEST_F(WaitCancelTest, CloseBoxWhileACallWaitsAsksThenClosesOnceTheCommandEnded) {
    QString failure;
    {
        DialogDriver driver;
        driver.Then([](QDialog& d) { Press(d, "OK"); })
            .Then([](QDialog& d) {
                EXPECT_EQ(BoxText(d), kQuestion);
                Press(d, "Yes");
            })
            .Then([&failure](QDialog& d) {
                failure = BoxText(d);
                Press(d, "OK");
            });
        WhenHanging([this] { EXPECT_FALSE(window_.close()); });
        Sale();
    }
    EXPECT_EQ(failure, kCancelled);
    EXPECT_TRUE(dlg_->Closed());
    EXPECT_FALSE(window_.isVisible());
}

}  // namespace
}  // namespace nt::test
