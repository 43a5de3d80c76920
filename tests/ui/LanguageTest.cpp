// The window in French and in English: the language chosen, the core's texts translated where
// they are shown, every window and dialog free of English words in French, and every control a
// screen reader can name.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTreeWidget>
#include <QXmlStreamReader>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "UiTestSupport.h"
#include "app/TestPosDlg.h"
#include "dialogs/AdditionalAmountsDlg.h"
#include "dialogs/EditXmlDlg.h"
#include "dialogs/GiftTranTypeDlg.h"
#include "dialogs/ManualEntryDlg.h"
#include "dialogs/PadTypesInfoDlg.h"
#include "dialogs/ReceiptDlg.h"
#include "dialogs/RunTestDlg.h"
#include "script/ScriptRow.h"
#include "support/TempDir.h"
#include "transaction/ClientGateway.h"
#include "ui/CoreText.h"
#include "ui/Language.h"
#include "ui/MainWindow.h"
#include "ui/QtForm.h"
#include "ui/WaitWindow.h"

namespace nt::test {
namespace {

// Sets environment variables for one test and puts them back after it.
class Environment {
  public:
    void Set(const char* name, const char* value) {
        if (saved_.count(name) == 0) {
            const char* old = std::getenv(name);
            saved_[name] = old != nullptr ? std::optional<std::string>(old) : std::nullopt;
        }
        if (value != nullptr) {
            ::setenv(name, value, 1);
        } else {
            ::unsetenv(name);
        }
    }
    ~Environment() {
        for (const auto& [name, value] : saved_) {
            value ? (void)::setenv(name.c_str(), value->c_str(), 1)
                  : (void)::unsetenv(name.c_str());
        }
    }

  private:
    std::map<std::string, std::optional<std::string>> saved_;
};

TEST(UiLanguage, OptionThenVariableThenTheLocaleForMessages) {
    Environment env;
    for (const char* name : {"NORDTELLER_LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        env.Set(name, nullptr);
    }
    EXPECT_EQ(ChooseUiLanguage(""), UiLanguage::kEnglish);
    env.Set("LANG", "fr_CA.UTF-8");
    EXPECT_EQ(ChooseUiLanguage(""), UiLanguage::kFrench);
    env.Set("LC_MESSAGES", "en_CA.UTF-8");  // messages follow LC_MESSAGES over LANG
    EXPECT_EQ(ChooseUiLanguage(""), UiLanguage::kEnglish);
    env.Set("LC_ALL", "fr_FR");  // and LC_ALL over both
    EXPECT_EQ(ChooseUiLanguage(""), UiLanguage::kFrench);
    env.Set("LC_ALL", "de_DE.UTF-8");  // a language the window does not speak: English
    EXPECT_EQ(ChooseUiLanguage(""), UiLanguage::kEnglish);
    env.Set("NORDTELLER_LANGUAGE", "fr");
    EXPECT_EQ(ChooseUiLanguage(""), UiLanguage::kFrench);
    EXPECT_EQ(ChooseUiLanguage("en"), UiLanguage::kEnglish);  // the option wins
    env.Set("NORDTELLER_LANGUAGE", "klingon");                // ignored
    env.Set("LC_ALL", "fr_CA.UTF-8");
    EXPECT_EQ(ChooseUiLanguage(""), UiLanguage::kFrench);
}

// Installs a language for one test; English again after it.
class InLanguage {
  public:
    explicit InLanguage(UiLanguage language) { InstallTranslations(*qApp, language); }
    ~InLanguage() { InstallTranslations(*qApp, UiLanguage::kEnglish); }
};

TEST(CoreText, EnglishUntouchedFrenchByTemplateWithWhatTheCorePutIn) {
    const QString failure = QStringLiteral(
        "The payment client failed the call (error 0x80004005): the payment client ended: "
        "signal 11 (Segmentation fault).");
    const QString xml = QStringLiteral("<RStream><CmdStatus>Approved</CmdStatus></RStream>");
    {
        InLanguage english(UiLanguage::kEnglish);
        for (const QString& text : {failure, xml, QStringLiteral("Sale")}) {
            EXPECT_EQ(TrCore(text), text);
        }
    }
    InLanguage french(UiLanguage::kFrench);
    EXPECT_EQ(TrCore(failure),
              QStringLiteral("Le client de paiement a fait échouer l'appel (erreur 0x80004005) : "
                             "le client de paiement s'est terminé : signal 11 (Segmentation "
                             "fault)."));
    EXPECT_EQ(TrCore(QStringLiteral("Invalid Sequence Number-%2x")),
              QStringLiteral("Numéro de séquence non valide-%2x"));
    EXPECT_EQ(TrCore(QStringLiteral("Run Test case: T1\nfor: 12.00\nThe Amount field refused "
                                    "this amount: 0.00 will be sent")),
              QStringLiteral("Exécuter le cas d'essai : T1\npour : 12.00\nLe champ Montant a "
                             "refusé ce montant : 0.00 sera envoyé"));
    EXPECT_EQ(TrCore(QStringLiteral("The payment client failed the call (error 0x80004005): the "
                                    "payment client did not answer within 300 s; the "
                                    "transaction's outcome at the host is unknown.")),
              QStringLiteral("Le client de paiement a fait échouer l'appel (erreur 0x80004005) : "
                             "le client de paiement n'a pas répondu en 300 s; le résultat de la "
                             "transaction chez l'hôte est inconnu."));
    EXPECT_EQ(TrCore(QStringLiteral("cannot record to 'a b': Permission denied")),
              QStringLiteral("impossible d'enregistrer dans « a b » : Permission denied"));
    // The title bar's notices, with the system's reason as it came.
    EXPECT_EQ(TrCore(QStringLiteral("logging stopped: cannot open QUORLIN_LOGS/CAN12082026.log: "
                                    "the log folder QUORLIN_LOGS is missing")),
              QStringLiteral("journalisation arrêtée : impossible d'ouvrir "
                             "QUORLIN_LOGS/CAN12082026.log : le dossier des journaux "
                             "QUORLIN_LOGS est absent"));
    EXPECT_EQ(TrCore(QStringLiteral("the report r.html was not written whole (No space left on "
                                    "device)")),
              QStringLiteral("le rapport r.html n'a pas été écrit en entier (No space left on "
                             "device)"));
    EXPECT_EQ(TrCore(xml), xml);
    EXPECT_EQ(TrCore(QStringLiteral("E&xit")), QStringLiteral("&Quitter"));
    EXPECT_EQ(TrCore(QStringLiteral("BatchClose")), QStringLiteral("Fermeture de lot"));
}

// The English source texts of the translations whose French differs, mnemonics removed, with
// Qt's own standard buttons.
QStringList EnglishOnly() {
    QFile file(QStringLiteral(NORDTELLER_SOURCE_DIR "/translations/nordteller_fr.ts"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QStringList english{QStringLiteral("Cancel"), QStringLiteral("Yes"), QStringLiteral("No")};
    QString source;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) {
            continue;
        }
        if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation") && xml.readElementText() != source) {
            english << QString(source).remove(QLatin1Char('&')).trimmed();
        }
    }
    EXPECT_GT(english.size(), 100);
    return english;
}

bool Actionable(QWidget* w) {
    return qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
           qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QAbstractItemView*>(w);
}

// What a window shows (title, labels, captions, group titles, tree items, tool tips) and what a
// screen reader names its controls; controls it cannot name go to `unnamed`.
struct Seen {
    QStringList texts;
    QStringList unnamed;

    void Window(QWidget& window) {
        texts << window.windowTitle();
        for (QWidget* w : window.findChildren<QWidget*>()) {
            if (!w->isVisibleTo(&window)) {
                continue;
            }
            if (auto* label = qobject_cast<QLabel*>(w)) {
                texts << label->text();
            } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
                texts << box->title();
            } else if (auto* tree = qobject_cast<QTreeWidget*>(w)) {
                for (int i = 0; i < tree->topLevelItemCount(); ++i) {
                    texts << tree->topLevelItem(i)->text(0);
                }
            }
            if (auto* button = qobject_cast<QAbstractButton*>(w)) {
                texts << button->text() << button->toolTip();
            }
            if (Actionable(w)) {
                QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
                const QString name = a != nullptr ? a->text(QAccessible::Name) : QString();
                if (name.trimmed().isEmpty()) {
                    unnamed << window.windowTitle() + QStringLiteral(": ") +
                                   QString::fromLatin1(w->metaObject()->className()) +
                                   QLatin1Char(' ') + w->objectName();
                }
                texts << name << w->accessibleDescription();
            }
        }
    }

    // None is an English text whose French differs, nor holds a sentence of one.
    void ExpectNoEnglish() const {
        static const QRegularExpression placeholder(QStringLiteral("%[1-9]"));
        for (const QString& english : EnglishOnly()) {
            for (QString text : texts) {
                text = text.remove(QLatin1Char('&')).trimmed();
                EXPECT_NE(text, english);
                for (const QString& part : english.split(placeholder)) {
                    if (part.trimmed().size() >= 10) {
                        EXPECT_FALSE(text.contains(part.trimmed()))
                            << text.toStdString() << " holds " << part.toStdString();
                    }
                }
            }
        }
    }
};

// Every dialog the operator can meet, over the started main window, with what each shows.
class LanguageWalk : public ::testing::Test {
  protected:
    void Walk(UiLanguage language) {
        InLanguage speaking(language);
        TempDir dir;
        MainWindow window;
        CountingOperator op(&window);
        QtForm form(window.Controls());
        CTestPosDlg dlg(form, op, QuietClientFactory());
        ASSERT_TRUE(dlg.OnInitDialog());
        window.Attach(dlg);
        window.show();
        seen.Window(window);
        for (QAction* action : window.SystemMenu()->actions()) {
            seen.texts << action->text();
        }
        EXPECT_LE(window.minimumSizeHint().width(), 1366 - 8) << "too wide for the screen";

        DialogDriver driver;
        auto look = [this](QDialog& d) {
            seen.Window(d);
            if (auto* box = qobject_cast<QMessageBox*>(&d)) {
                seen.texts << box->text();
                box->buttons().constLast()->click();
            } else {
                d.reject();
            }
        };
        for (int i = 0; i < 12; ++i) {
            driver.Then(look);
        }
        driver.Then([this](QDialog& d) {
            seen.Window(d);
            outcome = d.findChild<QLabel*>(QStringLiteral("outcome"))->text();
            d.accept();
        });
        op.Message(
            "The payment client failed the call (error 0x80004005): the payment client "
            "ended: exit status 0.");
        op.Message("Invalid Sequence Number-0000000012");
        op.Question("Reset sequence number to '0010010010'\r\nAre You Sure?");
        op.Question(kStopWaitingQuestion);
        CEditXmlDlg edit;
        edit.m_requestText = "<TStream><Transaction><TranCode>EMVSale</TranCode>";
        op.RunEditXml(edit);
        CManualEntryDlg manual;
        op.RunManualEntry(manual);
        CAdditionalAmountsDlg amounts;
        op.RunAdditionalAmounts(amounts);
        CGiftTranTypeDlg gift;
        op.RunGiftTranType(gift);
        CReceiptDlg receipt;
        receipt.m_receiptText = "PURCHASE                          $12.34";
        op.RunReceipt(receipt);
        CPadTypesInfoDlg info;
        info.m_text = "<PadType1><PadTypeID>LM320</PadTypeID></PadType1>";
        op.RunPadTypesInfo(info);
        CRunTestDlg prompt;
        prompt.m_message = TestCasePrompt("T1", "12.00");
        op.RunTestCasePrompt(prompt);
        op.RunAbout();
        op.ResponseMessage(
            "<RStream><CmdStatus>Approved</CmdStatus><TextResponse>APPROVED</TextResponse>"
            "</RStream>");
        EXPECT_EQ(driver.Titles().size(), 13u);

        op.ShowWait();
        op.OfferWaitCancel(true);
        seen.Window(*op.Wait());
        op.HideWait();
        window.done(QDialog::Rejected);
    }

    Seen seen;
    QString outcome;
};

TEST_F(LanguageWalk, FrenchEverywhereButNamesNumbersAndXml) {
    Walk(UiLanguage::kFrench);
    seen.ExpectNoEnglish();
    EXPECT_TRUE(seen.unnamed.isEmpty()) << seen.unnamed.join(QStringLiteral(", ")).toStdString();
    // The verdict in French, the host's words as they came.
    EXPECT_EQ(outcome, QStringLiteral("Approuvée \u2014 APPROVED"));
    EXPECT_TRUE(seen.texts.contains(QStringLiteral("&Quitter")));
    EXPECT_TRUE(seen.texts.contains(QStringLiteral("Numéro de séquence non valide-0000000012")));
}

TEST_F(LanguageWalk, EnglishNamesEveryControlAsBefore) {
    Walk(UiLanguage::kEnglish);
    EXPECT_TRUE(seen.unnamed.isEmpty()) << seen.unnamed.join(QStringLiteral(", ")).toStdString();
    EXPECT_EQ(outcome, QStringLiteral("Approved \u2014 APPROVED"));
    EXPECT_TRUE(seen.texts.contains(QStringLiteral("Invalid Sequence Number-0000000012")));
    EXPECT_TRUE(seen.texts.contains(QStringLiteral("Pad type")));
}

}  // namespace
}  // namespace nt::test
