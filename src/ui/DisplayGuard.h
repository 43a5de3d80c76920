#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <vector>

namespace nt {

// Guards the creation of the application object. Without a display Qt ends the process with
// a fatal message and an abort; while this guard lives, that instead prints one line (no
// display, --headless runs without one) and exits with status 2. Qt's other messages of that
// time are held back and passed on when the guard ends, so a failed start shows only that line.
class DisplayGuard {
  public:
    DisplayGuard();
    ~DisplayGuard();
    DisplayGuard(const DisplayGuard&) = delete;
    DisplayGuard& operator=(const DisplayGuard&) = delete;

    static constexpr const char* kNoDisplay =
        "nordteller: no display could be opened; --headless runs without one\n";

  private:
    struct Held {
        QtMsgType type;
        QByteArray category;
        QString text;
    };
    static void Handle(QtMsgType type, const QMessageLogContext& context, const QString& text);

    QtMessageHandler previous_;
    std::vector<Held> held_;
};

}  // namespace nt
