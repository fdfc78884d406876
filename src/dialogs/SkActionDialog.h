// The dialog "Softkey-Aktion": a softkey action's comment and its eight
// operation rows.
#pragma once

#include "workspace/forms/SkActionForm.h"

#include <QDialog>

namespace orv {

class CDlgSkAction final : public QDialog {
public:
    // The project is marked modified by an OK that changed the action.
    CDlgSkAction(CPrjSkAct& act, CPrjData* prj, QWidget* parent = nullptr);

    // Stores the action; a refused row keeps the dialog open with the
    // failing control focused and selected.
    void accept() override;

private:
    void ReadControls();
    void ShowValue(int row);

    CDlgSkActionForm m_form;
};

} // namespace orv
