// The about box; its texts come from the language table like every other label.
#include "gui/DlgAbout.h"

#include "dialogs/QtText.h"
#include "gui/Icons.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

namespace orv {

CDlgAbout::CDlgAbout(QWidget* parent) : QDialog(parent)
{
    InitIconResources();
    setObjectName(QStringLiteral("dlgAbout"));
    setWindowTitle(QStringLiteral("Info ORVTool"));

    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/orvtool.xpm")).pixmap(32, 32));
    auto* version = new QLabel(QStringLiteral("ORVTool 00-05-26"), this);
    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addSpacing(12);
    row->addWidget(version, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace orv
