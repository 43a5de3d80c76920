#include "Screenshots.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QTreeWidget>
#include <cstdio>

#include "UiTestSupport.h"
#include "app/ClientFactory.h"
#include "app/TestPosDlg.h"
#include "dialogs/ReceiptDlg.h"
#include "form/Controls.h"
#include "support/TempDir.h"
#include "ui/CoreText.h"
#include "ui/Language.h"
#include "ui/MainWindow.h"
#include "ui/QtForm.h"
#include "ui/ReceiptDialog.h"

namespace nt::test {

namespace {

// A small catalog so the picture shows how the tree looks once the control has filled it.
void SampleCatalog(QTreeWidget& tree) {
    tree.clear();
    auto* root = new QTreeWidgetItem(&tree, QStringList{TrCore(QStringLiteral("Processor"))});
    auto* processor = new QTreeWidgetItem(root, QStringList{QStringLiteral("Aurora Acquiring")});
    auto* maker = new QTreeWidgetItem(processor, QStringList{QStringLiteral("Lumatek")});
    new QTreeWidgetItem(maker, QStringList{QStringLiteral("LM320")});
    auto* leaf = new QTreeWidgetItem(maker, QStringList{QStringLiteral("LM320_POSPAD")});
    auto* kestrel = new QTreeWidgetItem(processor, QStringList{QStringLiteral("Kestrel Devices")});
    new QTreeWidgetItem(kestrel, QStringList{QStringLiteral("KP400")});
    tree.expandAll();
    tree.setCurrentItem(leaf);
}

bool Save(QWidget& widget, const QString& path) {
    const bool ok = widget.grab().save(path);
    std::printf("%s %s (%dx%d)\n", ok ? "wrote" : "could not write", qPrintable(path),
                widget.width(), widget.height());
    return ok;
}

}  // namespace

int WriteScreenshots(const char* dir, bool french) {
    const QString out = QDir(QString::fromLocal8Bit(dir)).absolutePath();
    QDir().mkpath(out);
    TempDir cwd;  // start-up writes its files into the working directory
    bool ok = true;
    if (french) {
        InstallTranslations(*qApp, UiLanguage::kFrench);
    }
    {
        MainWindow window;
        QtOperator op(&window);
        QtForm form(window.Controls());
        CTestPosDlg dlg(form, op, QuietClientFactory());
        dlg.OnInitDialog();
        window.Attach(dlg);
        SampleCatalog(*qobject_cast<QTreeWidget*>(window.Control(id::kPadTree)));
        window.show();
        QTest::keyClicks(window.Control(id::kAmount), "1234");
        (void)QTest::qWaitForWindowExposed(&window);
        const QRect screen = window.screen()->availableGeometry();
        std::printf("screen %dx%d, window with frame %dx%d\n", screen.width(), screen.height(),
                    window.frameGeometry().width(), window.frameGeometry().height());
        ok &= Save(window, out + (french ? QStringLiteral("/main-window-fr.png")
                                         : QStringLiteral("/main-window.png")));
        window.done(QDialog::Rejected);
    }
    if (french) {
        return ok ? 0 : 1;
    }
    {
        // A Sale through the simulator: its request in the editor and its response.
        MainWindow window;
        QtOperator op(&window);
        QtForm form(window.Controls());
        CTestPosDlg dlg(form, op, MakeClientFactory("sim"));
        dlg.OnInitDialog();
        window.Attach(dlg);
        window.show();
        (void)QTest::qWaitForWindowExposed(&window);
        QTest::keyClicks(window.Control(id::kAmount), "1234");
        DialogDriver driver;
        auto snap = [&](const char* name) {
            return [&ok, &out, name](QDialog& d) {
                (void)QTest::qWaitForWindowExposed(&d);
                ok &= Save(d, out + QLatin1Char('/') + QLatin1String(name));
                d.accept();
            };
        };
        driver.Then(snap("edit-xml-request.png"));
        driver.Then([](QDialog& d) { d.accept(); });  // Receipt Info
        driver.Then(snap("response.png"));
        qobject_cast<QAbstractButton*>(window.Control(id::kSale))->click();
        window.done(QDialog::Rejected);
    }
    {
        CReceiptDlg receipt;
        receipt.m_receiptText =
            "Test case 12: chip sale\r\n"
            "           TRANSACTION RECORD           \r\n"
            "\r\n"
            "              MERCHANT NAME             \r\n"
            "             MERCHANT STREET            \r\n"
            "    CITY, PROVINCE CODE  POSTAL CODE    \r\n"
            "              123-456-7890              \r\n"
            "\r\n"
            "PURCHASE                          $12.34\r\n"
            "VISA CREDIT             ************4242\r\n"
            "DATE: 2026/12/08          TIME: 10:42:17\r\n"
            "AUTH#: 123456             REF#: 66013456\r\n"
            "APPROVED - THANK YOU                 027\r\n"
            "A0000000031010\r\n"
            "TVR 0000008000      TSI E800";
        ReceiptDialog dialog(receipt);
        dialog.show();
        (void)QTest::qWaitForWindowExposed(&dialog);
        ok &= Save(dialog, out + QStringLiteral("/receipt-info.png"));
    }
    return ok ? 0 : 1;
}

}  // namespace nt::test
