#pragma once

#include <QDialog>

namespace nt {

// "About Nordteller": the icon, the version and one line about the program, the build's
// version; OK closes it.
class AboutDialog : public QDialog {
    Q_OBJECT

  public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace nt
