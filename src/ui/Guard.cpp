#include "ui/Guard.h"

#include <QMessageBox>
#include <cstdio>

namespace nt {

void ReportFailure(const char* where, const char* reason) noexcept {
    std::fprintf(stderr, "nordteller: %s failed: %s\n", where, reason);
    try {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Nordteller"),
                        QStringLiteral("%1 failed: %2")
                            .arg(QString::fromUtf8(where), QString::fromUtf8(reason)),
                        QMessageBox::Ok);
        box.exec();
    } catch (...) {
        // stderr already has it.
    }
}

}  // namespace nt
