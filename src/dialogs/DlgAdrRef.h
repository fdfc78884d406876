// Dialog 222 "Adressverweise": which PLC address stands behind each panel
// data word, edited in the driver configuration through its Qt-free form.
#pragma once

#include "workspace/forms/DlgAdrRefForm.h"

#include <QDialog>

#include <functional>
#include <map>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace orv {

class CDlgRunner;
class CDrvCfg;

class CDlgAdrRef final : public QDialog {
public:
    // The configuration is asked for at every opening; null while there is
    // none. "SPS-DEF" runs the PLC definitions dialog through the runner.
    using DriverSource = std::function<CDrvCfg*()>;

    CDlgAdrRef(CDlgRunner& dialogs, DriverSource driver, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Pull();
    void Push();
    template <class F>
    void Step(F&& handler);

    DriverSource m_driver;
    CDlgAdrRefForm m_form;
    QListWidget* m_list = nullptr;
    QLabel* m_headLeft = nullptr;
    QLabel* m_headRight = nullptr;
    QLabel* m_dbLabel = nullptr;
    std::map<int, QRadioButton*> m_radios;
    std::map<int, QLineEdit*> m_edits;
    QCheckBox* m_words = nullptr;
    QCheckBox* m_plc = nullptr;
    QPushButton* m_spsDef = nullptr;
};

} // namespace orv
