#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTest>

#include "MainWindowFixture.h"
#include "form/Controls.h"
#include "ui/AmountLineEdit.h"

namespace nt::test {
namespace {

// The main window's Amount field, typed into with real key and mouse events.
class AmountTyping : public MainWindowFixture {
  protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        amount_ = Control<AmountLineEdit>(id::kAmount);
        ASSERT_NE(amount_, nullptr);
        amount_->setFocus();
    }

    void Type(const char* keys) { QTest::keyClicks(amount_, keys); }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(amount_, key, modifiers);
    }
    QString Shown() const { return amount_->text(); }
    bool CaretAtEnd() const {
        return amount_->cursorPosition() == amount_->text().size() && !amount_->hasSelectedText();
    }

    AmountLineEdit* amount_ = nullptr;
};

TEST_F(AmountTyping, DigitsEnterAtTheRightLikeACashRegister) {
    struct Step {
        const char* keys;
        const char* shown;
    };
    for (Step step : {Step{"1", "0.01"}, Step{"2", "0.12"}, Step{"3", "1.23"}, Step{"0", "12.30"},
                      Step{"0", "123.00"}}) {
        Type(step.keys);
        EXPECT_EQ(Shown(), QString::fromLatin1(step.shown)) << step.keys;
        EXPECT_TRUE(CaretAtEnd()) << step.keys;
    }
    EXPECT_EQ(dlg_->form().amount().GetAmountCents(), 12300);
    EXPECT_EQ(form_.Text(id::kAmount), "123.00");
}

TEST_F(AmountTyping, BackspaceAndDeleteBothTakeTheLastDigit) {
    Type("123");
    Key(Qt::Key_Backspace);
    EXPECT_EQ(Shown(), QStringLiteral("0.12"));
    Key(Qt::Key_Delete);  // at the end a real Delete would remove nothing
    EXPECT_EQ(Shown(), QStringLiteral("0.01"));
    Key(Qt::Key_Delete);
    Key(Qt::Key_Delete);
    EXPECT_EQ(Shown(), QStringLiteral("0.00"));
    EXPECT_TRUE(CaretAtEnd());
    EXPECT_EQ(dlg_->form().amount().GetAmountText(), "0.00");
}

TEST_F(AmountTyping, EveryOtherKeyIsSwallowed) {
    Type("123");
    for (Qt::Key key : {Qt::Key_Left, Qt::Key_Home, Qt::Key_Up, Qt::Key_End, Qt::Key_Insert,
                        Qt::Key_F2, Qt::Key_Period, Qt::Key_Minus, Qt::Key_A, Qt::Key_Space}) {
        Key(key);
        EXPECT_EQ(Shown(), QStringLiteral("1.23")) << key;
        EXPECT_TRUE(CaretAtEnd()) << key;
    }
    Key(Qt::Key_A, Qt::ControlModifier);  // no select-all by keyboard either
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(CaretAtEnd());
    // Had the arrows moved the caret, this digit would land inside the amount.
    Type("4");
    EXPECT_EQ(Shown(), QStringLiteral("12.34"));
}

TEST_F(AmountTyping, KeypadDigitsCount) {
    Key(Qt::Key_7, Qt::KeypadModifier);
    Key(Qt::Key_5, Qt::KeypadModifier);
    EXPECT_EQ(Shown(), QStringLiteral("0.75"));
}

TEST_F(AmountTyping, AClickPutsTheCaretAtTheEnd) {
    Type("123");
    QTest::mouseClick(amount_, Qt::LeftButton, Qt::NoModifier, QPoint(4, amount_->height() / 2));
    EXPECT_TRUE(CaretAtEnd());
    Type("4");
    EXPECT_EQ(Shown(), QStringLiteral("12.34"));
}

TEST_F(AmountTyping, TypingOverTheWholeTextStartsAfresh) {
    Type("123");
    amount_->selectAll();
    Type("5");
    EXPECT_EQ(Shown(), QStringLiteral("0.05"));
    EXPECT_TRUE(CaretAtEnd());
}

TEST_F(AmountTyping, NinthDigitIsRefusedWithOneBeep) {
    Type("12345678");
    EXPECT_EQ(Shown(), QStringLiteral("123456.78"));
    EXPECT_EQ(op_.beeps, 0);
    Type("9");
    EXPECT_EQ(Shown(), QStringLiteral("123456.78"));
    EXPECT_EQ(op_.beeps, 1);
    EXPECT_TRUE(CaretAtEnd());
    EXPECT_EQ(dlg_->form().amount().GetAmountCents(), 12345678);
}

TEST_F(AmountTyping, PastedTextIsFormattedToo) {
    QGuiApplication::clipboard()->setText(QStringLiteral("250"));
    amount_->paste();
    EXPECT_EQ(Shown(), QStringLiteral("2.50"));
    EXPECT_EQ(dlg_->form().amount().GetAmountText(), "2.50");
    EXPECT_TRUE(CaretAtEnd());
}

}  // namespace
}  // namespace nt::test
