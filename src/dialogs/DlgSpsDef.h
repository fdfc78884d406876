// Dialog 229 "SPS-Definitionen": the PLCs of a multi-access bus, edited in
// the driver configuration through its Qt-free form.
#pragma once

#include "workspace/forms/DlgSpsDefForm.h"

#include <QDialog>

#include <functional>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace orv {

class CDrvCfg;
class CDrvTabEntry5;

class CDlgSpsDef final : public QDialog {
public:
    // The configuration is asked for at every opening, since the project
    // may have changed since the last one; null while there is none.
    using DriverSource = std::function<CDrvCfg*()>;

    explicit CDlgSpsDef(DriverSource driver, QWidget* parent = nullptr);

    void SetCurEntry(const CDrvTabEntry5* entry) { m_form.SetCurEntry(entry); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The typed texts into the form, and the form's state onto the widgets.
    void Pull();
    void Push();
    void Step(void (CDlgSpsDefForm::*handler)());

    DriverSource m_driver;
    CDlgSpsDefForm m_form;
    QListWidget* m_list = nullptr;
    QLineEdit* m_adr = nullptr;
    QLineEdit* m_slot = nullptr;
    QLineEdit* m_rack = nullptr;
    QPushButton* m_new = nullptr;
    QPushButton* m_delete = nullptr;
};

} // namespace orv
