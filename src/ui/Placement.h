#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace nt {

// Top-left that centres a window of size `own` over `client` (half sizes truncated toward zero).
QPoint CentredOver(const QRect& client, const QSize& own);
// Centred horizontally over `client`, bottom edge on the client's bottom edge, so the fields at
// the top of the main window stay visible.
QPoint BottomCentredOver(const QRect& client, const QSize& own);
// `pos` moved as little as needed for a window of size `own` there to lie inside `area`; a
// window larger than the area keeps its top-left corner inside it.
QPoint KeepInside(const QRect& area, const QPoint& pos, const QSize& own);
// A window's client area (inside its frame) in screen coordinates.
QRect ClientRectOnScreen(const QWidget& window);

}  // namespace nt
