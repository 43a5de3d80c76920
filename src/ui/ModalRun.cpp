#include "ui/ModalRun.h"

#include <QDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include "ui/AppIcon.h"
#include "ui/Placement.h"

namespace nt {

namespace {

// The frame the window system puts around a window; before a dialog is first shown only its
// owner's is known, and the dialog gets the same. A window manager may not have told its
// owner's yet either: then room for a usual title bar and border is kept.
QSize FrameExtra(const QWidget& window) {
    const QSize known = window.frameGeometry().size() - window.size();
    const bool framed = QGuiApplication::platformName() == QLatin1String("xcb");
    return known.isNull() && framed ? QSize(8, 40) : known;
}

}  // namespace

int RunModal(QDialog& dialog, QWidget* owner, const Placer& placer) {
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setWindowIcon(AppIcon());
    const bool placed = owner != nullptr && owner->isVisible();
    QWidget* ownerWindow = placed ? owner->window() : nullptr;
    // A dialog that sized itself to its contents keeps that size.
    if (!dialog.testAttribute(Qt::WA_Resized)) {
        dialog.adjustSize();
    }
    // Never larger than the screen, so its buttons stay reachable.
    const QRect area = (placed ? ownerWindow->screen() : dialog.screen())->availableGeometry();
    const QSize frame = placed ? FrameExtra(*ownerWindow) : QSize();
    const QSize fitting = dialog.size().boundedTo(area.size() - frame);
    if (fitting != dialog.size()) {
        dialog.resize(fitting);
    }
    if (placed) {
        dialog.winId();  // the native window must exist to name its owner
        if (QWindow* handle = ownerWindow->windowHandle()) {
            dialog.windowHandle()->setTransientParent(handle);
        }
        const QRect client = ClientRectOnScreen(*ownerWindow);
        QSize own = dialog.frameGeometry().size();
        if (own == dialog.size()) {
            own += frame;
        }
        const QPoint pos = placer ? placer(client, own) : CentredOver(client, own);
        dialog.move(KeepInside(area, pos, own));
    }
    return dialog.exec();
}

}  // namespace nt
