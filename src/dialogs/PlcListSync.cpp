// The list box and focus handling the PLC dialogs share.
#include "dialogs/PlcListSync.h"

#include "dialogs/QtText.h"

#include <QFontDatabase>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>

namespace orv {

QFont PlcListFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(8);
    return font;
}

QListWidget* MakePlcList(QWidget* parent, int id)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(QStringLiteral("c%1").arg(id));
    list->setSortingEnabled(false);
    list->setFont(PlcListFont());
    return list;
}

void SyncPlcList(QListWidget& list, const std::vector<std::string>& lines, int selected)
{
    const QSignalBlocker quiet(list);
    const int count = static_cast<int>(lines.size());
    while (list.count() > count)
        delete list.takeItem(list.count() - 1);
    for (int i = 0; i < count; ++i) {
        const QString text = FromCp1252(lines[static_cast<size_t>(i)]);
        if (i < list.count()) {
            if (list.item(i)->text() != text)
                list.item(i)->setText(text);
        } else {
            list.addItem(text);
        }
    }
    list.setCurrentRow(selected);
}

void FocusControl(QWidget& dialog, int id)
{
    if (id == 0)
        return;
    auto* control = dialog.findChild<QWidget*>(QStringLiteral("c%1").arg(id));
    if (control == nullptr || control->isHidden())
        return;
    control->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->selectAll();
}

} // namespace orv
