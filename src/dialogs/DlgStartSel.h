// The start-selection dialog "Startauswahl": the panel, the PLC type, the
// driver and the data words, over the Qt-free start-selection form.
#pragma once

#include "workspace/StartSelForm.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace orv {

class CStartSel;

// Built for one run: the selection between runs lives in the model. It only
// hands the user's input to the form and shows the form's state.
class DlgStartSel final : public QDialog {
public:
    explicit DlgStartSel(CStartSel& model, QWidget* parent = nullptr);

    // Leaves source-edit mode and fills the controls from the held
    // selection; false when the dialog must not open.
    bool Open();
    // Open, then modal; true when OK handed the selection over and it was
    // applied.
    bool Run();

    const CStartSelForm* Form() const { return m_form ? &*m_form : nullptr; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildControls();
    void WireControls();
    // Shows the form's state; the combos are filled without running a
    // handler.
    void Mirror();
    void OnCombo(QComboBox* combo, int row);
    void OnLeaveEdit(QLineEdit* edit, bool okTookFocus);
    void OnOk();
    void FocusFailed();
    void ShowHelp();

    CStartSel& m_model;
    std::optional<CStartSelForm> m_form;

    QComboBox* m_app = nullptr;
    QComboBox* m_dev = nullptr;
    QComboBox* m_sps = nullptr;
    QComboBox* m_drv = nullptr;
    QLabel* m_appLabel = nullptr;
    QLabel* m_dbLabel = nullptr;
    QLineEdit* m_db = nullptr;
    QLabel* m_vonLabel = nullptr;
    QLineEdit* m_von = nullptr;
    QLabel* m_vonDecLabel = nullptr;
    QLineEdit* m_vonDec = nullptr;
    QLabel* m_bisLabel = nullptr;
    QLineEdit* m_bis = nullptr;
    QLabel* m_bisDecLabel = nullptr;
    QLineEdit* m_bisDec = nullptr;
    QCheckBox* m_intl = nullptr;
    QCheckBox* m_simDrv = nullptr;
    QCheckBox* m_keep = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_info = nullptr;
    // A leave check fired as the mouse pressed OK: that press's click must
    // not also apply the dialog.
    bool m_okPressFired = false;
    bool m_swallowClick = false;
};

} // namespace orv
