#include "ui/AppIcon.h"

// The resources live in a static library: nothing would pull them into the program otherwise.
static void InitNordtellerResources() {
    Q_INIT_RESOURCE(nordteller);
}

namespace nt {

// Built on each call: a QIcon kept in a static would outlive the application object.
QIcon AppIcon() {
    static const bool initialised = (InitNordtellerResources(), true);
    (void)initialised;
    QIcon icon;
    for (int size : {16, 32, 64, 256}) {
        icon.addFile(QStringLiteral(":/nordteller/resources/nordteller-%1.png").arg(size),
                     QSize(size, size));
    }
    return icon;
}

}  // namespace nt
