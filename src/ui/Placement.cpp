#include "ui/Placement.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace nt {

QPoint CentredOver(const QRect& client, const QSize& own) {
    return QPoint(client.left() + client.width() / 2 - own.width() / 2,
                  client.top() + client.height() / 2 - own.height() / 2);
}

QPoint BottomCentredOver(const QRect& client, const QSize& own) {
    return QPoint(client.left() + client.width() / 2 - own.width() / 2,
                  client.top() + client.height() - own.height());
}

QPoint KeepInside(const QRect& area, const QPoint& pos, const QSize& own) {
    const int x = std::max(area.left(), std::min(pos.x(), area.right() + 1 - own.width()));
    const int y = std::max(area.top(), std::min(pos.y(), area.bottom() + 1 - own.height()));
    return QPoint(x, y);
}

QRect ClientRectOnScreen(const QWidget& window) {
    return QRect(window.mapToGlobal(QPoint(0, 0)), window.size());
}

namespace {

QSize KnownFrame(const QWidget& window) {
    return window.frameGeometry().size() - window.size();
}

// Watches a window placed by its frame until the window system has framed it, then keeps the
// frame inside the screen's available area.
class FrameKeeper : public QObject {
  public:
    explicit FrameKeeper(QWidget& window) : QObject(&window), window_(window) {
        window.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_ &&
            (event->type() == QEvent::Move || event->type() == QEvent::Resize) &&
            window_.isVisible() && !KnownFrame(window_).isNull()) {
            window_.removeEventFilter(this);
            const QRect area = window_.screen()->availableGeometry();
            const QRect frame = window_.frameGeometry();
            if (!area.contains(frame)) {
                // A shown window's move places its frame's top-left corner.
                window_.move(KeepInside(area, frame.topLeft(), frame.size()));
            }
            deleteLater();
        }
        return false;
    }

  private:
    QWidget& window_;
};

}  // namespace

QSize ExpectedFrame(const QWidget& window) {
    const QSize own = KnownFrame(window);
    if (!own.isNull()) {
        return own;
    }
    for (const QWidget* other : QApplication::topLevelWidgets()) {
        if (other != &window && other->isVisible()) {
            const QSize known = KnownFrame(*other);
            if (!known.isNull()) {
                return known;
            }
        }
    }
    const bool framed = QGuiApplication::platformName() == QLatin1String("xcb");
    return framed ? QSize(8, 40) : QSize();
}

void PlaceFrameInside(QWidget& window) {
    const QRect area = window.screen()->availableGeometry();
    const QSize own = window.size() + ExpectedFrame(window);
    const QPoint frameTopLeft = KeepInside(area, CentredOver(area, own), own);
    // Before the window exists a move is taken as the frame's place, and the native window is
    // then asked to keep its frame there (north-west gravity, not static gravity).
    window.move(frameTopLeft);
    window.winId();
    if (QWindow* handle = window.windowHandle()) {
        handle->setFramePosition(frameTopLeft);
    }
    if (KnownFrame(window).isNull()) {
        new FrameKeeper(window);
    }
}

}  // namespace nt
