#pragma once

#include <QWidget>
#include <map>

#include "form/Controls.h"

namespace nt {

// The main window's controls by identifier.
using ControlMap = std::map<int, QWidget*>;

// The property that holds a caption's or label's text as the core set it (Windows-1252, its own
// line ends), so reading it back gives exactly that text.
inline constexpr const char* kCoreTextProperty = "nordtellerText";
// The item data role that holds a pad tree node's text as the core set it, when it is shown
// in the window's language.
inline constexpr int kCoreTextRole = Qt::UserRole + 1;

// The widget that draws one control of the table, in its start state: identifier as object
// name, caption, enabled and visible as the table says.
QWidget* MakeControl(const ControlSpec& spec, QWidget* parent);

// What a screen reader calls the control: its caption or label in the window's language.
QString AccessibleCaption(const ControlSpec& spec);

}  // namespace nt
