#pragma once

#include <QPoint>
#include <functional>

class QDialog;
class QRect;
class QSize;
class QWidget;

namespace nt {

// Where a dialog goes over its owner's client area.
using Placer = std::function<QPoint(const QRect& client, const QSize& own)>;

// Runs a dialog application-modal over `owner` (the main window; may be null or not shown yet)
// and returns its result. The dialog is not a Qt child of the owner: the wait window disables
// the owner while commands run, and a child would be disabled with it. The window system still
// keeps it above the owner. Without a placer it is centred over the owner.
int RunModal(QDialog& dialog, QWidget* owner, const Placer& placer = {});

}  // namespace nt
