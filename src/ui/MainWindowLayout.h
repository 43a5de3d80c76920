#pragma once

#include <QWidget>

#include "ui/ControlWidgets.h"

namespace nt {

// Puts the main window's controls into their group boxes, four columns wide, with the field
// labels beside the fields; `footer` widgets go to the bottom row, left of "E&xit". Sets the
// tab order to follow the columns.
void ArrangeMainWindow(QWidget& window, const ControlMap& controls, QWidget* footer);

}  // namespace nt
