#include "ui/AboutDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>

#include "ui/AppIcon.h"

namespace nt {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("100"));
    setWindowTitle(tr("About Nordteller"));
    auto* icon = new QLabel(this);
    icon->setPixmap(AppIcon().pixmap(48, 48));
    auto* version = new QLabel(tr("Nordteller Version 1.23"), this);
    auto* about = new QLabel(tr("Bench point-of-sale client for EMV card payments"), this);
    // The build's own version, as --version prints it, for bug reports.
    auto* build = new QLabel(QStringLiteral("nordteller " NORDTELLER_VERSION), this);
    build->setObjectName(QStringLiteral("buildVersion"));
    build->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* grid = new QGridLayout(this);
    grid->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(version, 0, 1);
    grid->addWidget(about, 1, 1);
    grid->addWidget(build, 2, 1);
    grid->addWidget(buttons, 3, 0, 1, 2);
    grid->setHorizontalSpacing(16);
}

}  // namespace nt
