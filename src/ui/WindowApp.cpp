#include "ui/WindowApp.h"

#include <QApplication>
#include <QTimer>
#include <optional>

#include "app/TestPosApp.h"
#include "ui/AppIcon.h"
#include "ui/DisplayGuard.h"
#include "ui/Guard.h"
#include "ui/MainWindow.h"
#include "ui/QtForm.h"
#include "ui/QtOperator.h"

namespace nt {

int RunWindowApp(int argc, char** argv, const std::string& control, bool runScript) {
    std::optional<QApplication> created;
    {
        DisplayGuard guard;
        created.emplace(argc, argv);
    }
    QApplication& app = *created;
    QApplication::setApplicationName(QStringLiteral("Nordteller"));
    QApplication::setWindowIcon(AppIcon());
    // The program ends when the main window closes, not when a message box does.
    QApplication::setQuitOnLastWindowClosed(false);

    MainWindow window;
    QtForm form(window.Controls());
    QtOperator op(&window);
    CTestPosApp(control).InitInstance(form, op, [&](CTestPosDlg& dlg) {
        window.Attach(dlg);
        QObject::connect(&window, &QDialog::finished, &app, &QCoreApplication::quit);
        window.show();
        if (runScript) {
            QTimer::singleShot(0, &window, [&window] { window.RunScript(); });
        }
        QApplication::exec();
    });
    return 0;
}

}  // namespace nt
