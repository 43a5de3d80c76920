#include "ui/WindowApp.h"

#include <QApplication>
#include <QMessageBox>
#include <QSocketNotifier>
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
#include "platform/StopSignal.h"
#include "ui/AppIcon.h"
#include "ui/CoreText.h"
#include "ui/DisplayGuard.h"
#include "ui/Guard.h"
#include "ui/Language.h"
#include "ui/MainWindow.h"
#include "ui/QtForm.h"
#include "ui/QtOperator.h"

namespace nt {

int RunWindowApp(int argc, char** argv, const RunInfo& run, const std::string& record,
                 const std::string& language) {
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
    InstallTranslations(app, ChooseUiLanguage(language));

    // Taken before any file of the folder is read, held until the window closes.
    FolderLock lock(".");
    if (!lock.Held()) {
        QMessageBox::critical(
            nullptr, QStringLiteral("Nordteller"),
            QCoreApplication::translate("nt::WindowApp",
                                        "Another Nordteller is already using the folder\n%1\n\n"
                                        "Only one instance may use a folder at a time.")
                .arg(QString::fromStdString(lock.Folder())));
        return 2;
    }

    ScenarioRecorder recorder(run.control, SystemClock());
    std::string error;
    if (!record.empty() && !recorder.Start(record, error)) {
        std::fprintf(stderr, "nordteller: %s\n", error.c_str());
        QMessageBox::critical(nullptr, QStringLiteral("Nordteller"),
                              TrCore(QString::fromStdString(error)));
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
        // Logging that stops and evidence that cannot be written are told once each, on stderr
        // and in the title bar; later failures show within a second.
        QTimer logTimer;
        QString notices;
        LogFailureNotice logFailure(std::cerr, [&](const std::string& reason) {
            notices += (notices.isEmpty() ? QString() : QStringLiteral("; ")) +
                       TrCore(QString::fromLocal8Bit(reason));
            window.ShowNotice(notices);
        });
        logFailure.AfterStartUp();
        QObject::connect(&logTimer, &QTimer::timeout, &window, [&] { logFailure.Poll(); });
        logTimer.start(1000);
        if (run.runScript) {
            QTimer::singleShot(0, &window, [&window] { window.RunScript(); });
        }
        // SIGINT and SIGTERM are "E&xit": every event loop returns (a dialog open, a script's
        // prompt), a running script stops at its next row, then the shutdown below runs.
        std::optional<QSocketNotifier> stopNotifier;
        if (StopSignalFd() >= 0) {
            stopNotifier.emplace(StopSignalFd(), QSocketNotifier::Read);
            QObject::connect(&*stopNotifier, &QSocketNotifier::activated, &app, [&] {
                stopNotifier->setEnabled(false);
                QCoreApplication::exit(0);
            });
        }
        if (!StopRequested()) {
            QApplication::exec();
        }
    });
    return StopRequested() ? StopExitStatus(StopSignal()) : 0;
}

}  // namespace nt
