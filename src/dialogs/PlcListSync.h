// What both PLC dialogs do alike on the Qt side: their named controls, their
// fixed-pitch list box, its lines kept in step with a form, and the focus a form asks for.
#pragma once

#include "dialogs/QtText.h"

#include <QFont>
#include <QString>

#include <string>
#include <vector>

class QListWidget;
class QWidget;

namespace orv {

// A labelled control of the dialog, named after its id, with a cp1252 text.
template <class W>
W* MakePlcControl(QWidget* parent, int id, const char* cp1252Text)
{
    auto* w = new W(FromCp1252(cp1252Text), parent);
    w->setObjectName(QStringLiteral("c%1").arg(id));
    return w;
}

// The system's fixed-pitch font at 8 points.
QFont PlcListFont();
// An unsorted list box in that font, named after its control id.
QListWidget* MakePlcList(QWidget* parent, int id);
// Rewrites only the lines that differ and selects the line, without telling
// the dialog about it.
void SyncPlcList(QListWidget& list, const std::vector<std::string>& lines, int selected);
// Focuses the dialog's control of that id when it is shown; an edit gets its
// text selected, so the user types over the refused value.
void FocusControl(QWidget& dialog, int id);

} // namespace orv
