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

// What the window system's frame adds to a window's size: the window's own once known, else
// that of a shown window that has one, else room for a usual title bar and border where
// windows are framed.
QSize ExpectedFrame(const QWidget& window);

// Places a top-level window that is about to show by its frame, title bar included: the frame
// centred in the screen's available area when it fits, else its top-left corner there. The
// window system is asked to put the frame (not the client area) at that point, so a title bar
// of any height stays on the screen. Once the window system has told the real frame, a frame
// that does not lie inside the area is moved inside it.
void PlaceFrameInside(QWidget& window);

}  // namespace nt
