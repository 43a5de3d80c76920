#include "ui/Placement.h"

#include <QWidget>

namespace nt {

QPoint CentredOver(const QRect& client, const QSize& own) {
    return QPoint(client.left() + client.width() / 2 - own.width() / 2,
                  client.top() + client.height() / 2 - own.height() / 2);
}

QPoint BottomCentredOver(const QRect& client, const QSize& own) {
    return QPoint(client.left() + client.width() / 2 - own.width() / 2,
                  client.top() + client.height() - own.height());
}

QRect ClientRectOnScreen(const QWidget& window) {
    return QRect(window.mapToGlobal(QPoint(0, 0)), window.size());
}

}  // namespace nt
