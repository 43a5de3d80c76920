#include "ui/WindowApp.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>

#include "app/TestPosApp.h"
#include "headless/AnswerRecorder.h"
#include "headless/ScenarioRecorder.h"
#include "platform/Clock.h"
#include "ui/AppIcon.h"
#include "ui/Guard.h"
#include "ui/MainWindow.h"
#include "ui/QtForm.h"
#include "ui/QtOperator.h"

namespace nt {

int RunWindowApp(int argc, char** argv, const std::string& control, bool runScript,
                 const std::string& record) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Nordteller"));
    QApplication::setWindowIcon(AppIcon());
    // The program ends when the main window closes, not when a message box does.
    QApplication::setQuitOnLastWindowClosed(false);

    ScenarioRecorder recorder(control, SystemClock());
    std::string error;
    if (!record.empty() && !recorder.Start(record, error)) {
        std::fprintf(stderr, "nordteller: %s\n", error.c_str());
        QMessageBox::critical(nullptr, QStringLiteral("Nordteller"), QString::fromStdString(error));
        return 2;
    }
    MainWindow window;
    QtForm form(window.Controls());
    QtOperator qtOperator(&window);
    AnswerRecorder op(qtOperator, recorder);
    CTestPosApp(control).InitInstance(form, op, [&](CTestPosDlg& dlg) {
        window.Attach(dlg);
        recorder.Baseline(dlg.form());
        window.SetRecorder(recorder);
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
