#pragma once

#include <QString>

namespace nt {

// A text the toolkit-free core composed in English (a control's caption, a group's title, a
// message box, a prompt) in the window's language. The core's sentences are looked up as they
// stand, or as one of the templates whose %1, %2… stand for what the core put in (names,
// numbers, paths, reasons; a reason that is itself one of the core's sentences is translated
// too). A text that is none of them (names, numbers, XML, a payment client's words) comes back
// as it is, and so does every text in English.
QString TrCore(const QString& english);

}  // namespace nt
