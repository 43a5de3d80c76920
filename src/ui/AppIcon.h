#pragma once

#include <QIcon>

namespace nt {

// The application icon: the window's, every dialog's and the About box's.
QIcon AppIcon();

}  // namespace nt
