#include "ui/DisplayGuard.h"

#include <unistd.h>

#include <cstdio>

namespace nt {

namespace {

// Qt's message handler is a plain function: it finds the guard that is alive through this.
DisplayGuard* active = nullptr;

}  // namespace

DisplayGuard::DisplayGuard() : previous_(nullptr) {
    active = this;
    previous_ = qInstallMessageHandler(&DisplayGuard::Handle);
}

DisplayGuard::~DisplayGuard() {
    qInstallMessageHandler(previous_);
    active = nullptr;
    for (const Held& message : held_) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        qt_message_output(message.type, context, message.text);
    }
}

void DisplayGuard::Handle(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        // Nothing has started yet: no files are open and no thread runs.
        std::fputs(kNoDisplay, stderr);
        std::fflush(stderr);
        ::_exit(2);
    }
    if (active != nullptr) {
        active->held_.push_back(Held{type, QByteArray(context.category), text});
    }
}

}  // namespace nt
