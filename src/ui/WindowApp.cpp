#include "ui/WindowApp.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <iostream>
#include <optional>

#include "app/TestPosApp.h"
#include "front/AnswerRecorder.h"
#include "front/LogFailureNotice.h"
#include "front/ScenarioRecorder.h"
#include "front/WindowEvidence.h"
#include "platform/Clock.h"
#include "platform/FolderLock.h"
#include "ui/AppIcon.h"
#include "ui/DisplayGuard.h"
#include "ui/Guard.h"
#include "ui/MainWindow.h"
#include "ui/QtForm.h"
#include "ui/QtOperator.h"

namespace nt {

int RunWindowApp(int argc, char** argv, const RunInfo& run, const std::string& record) {
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

    // Taken before any file of the folder is read, held until the window closes.
    FolderLock lock(".");
    if (!lock.Held()) {
        QMessageBox::critical(
            nullptr, QStringLiteral("Nordteller"),
            QStringLiteral("Another Nordteller is already using the folder\n%1\n\nOnly one "
                           "instance may use a folder at a time.")
                .arg(QString::fromStdString(lock.Folder())));
        return 2;
    }

    ScenarioRecorder recorder(run.control, SystemClock());
    std::string error;
    if (!record.empty() && !recorder.Start(record, error)) {
        std::fprintf(stderr, "nordteller: %s\n", error.c_str());
        QMessageBox::critical(nullptr, QStringLiteral("Nordteller"), QString::fromStdString(error));
        return 2;
    }
    WindowEvidence evidence(run, SystemClock());
    if (std::optional<std::string> fault = evidence.Open()) {
        std::fprintf(stderr, "nordteller: %s\n", fault->c_str());
        QMessageBox::critical(nullptr, QStringLiteral("Nordteller"),
                              QString::fromStdString(*fault));
        return 2;
    }
    MainWindow window;
    QtForm form(window.Controls());
    QtOperator qtOperator(&window);
    AnswerRecorder op(qtOperator, recorder);
    CTestPosApp(run.control).InitInstance(form, op, [&](CTestPosDlg& dlg) {
        window.Attach(dlg);
        recorder.Baseline(dlg.form());
        window.SetRecorder(recorder);
        if (!run.reports.empty()) {
            evidence.Attach(dlg, window);
        }
        QObject::connect(&window, &QDialog::finished, &app, &QCoreApplication::quit);
        window.show();
        // Logging that stops is told once, on stderr and in the title bar; later failures show
        // within a second.
        QTimer logTimer;
        LogFailureNotice logFailure(std::cerr, [&](const std::string& reason) {
            window.ShowNotice(QString::fromLocal8Bit(reason));
            logTimer.stop();
        });
        logFailure.AfterStartUp();
        QObject::connect(&logTimer, &QTimer::timeout, &window, [&] { logFailure.Poll(); });
        logTimer.start(1000);
        if (run.runScript) {
            QTimer::singleShot(0, &window, [&window] { window.RunScript(); });
        }
        QApplication::exec();
    });
    return 0;
}

}  // namespace nt
