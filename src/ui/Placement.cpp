#include "ui/Placement.h"

#include <QWidget>
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

}  // namespace nt
