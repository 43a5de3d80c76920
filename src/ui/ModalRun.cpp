#include "ui/ModalRun.h"

#include <QDialog>
#include <QWindow>

#include "ui/AppIcon.h"
#include "ui/Placement.h"

namespace nt {

int RunModal(QDialog& dialog, QWidget* owner, const Placer& placer) {
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setWindowIcon(AppIcon());
    if (owner != nullptr && owner->isVisible()) {
        dialog.adjustSize();
        dialog.winId();  // the native window must exist to name its owner
        if (QWindow* ownerWindow = owner->window()->windowHandle()) {
            dialog.windowHandle()->setTransientParent(ownerWindow);
        }
        const QRect client = ClientRectOnScreen(*owner->window());
        const QSize own = dialog.frameGeometry().size();
        dialog.move(placer ? placer(client, own) : CentredOver(client, own));
    }
    return dialog.exec();
}

}  // namespace nt
