// Dialog 131 "Variable": one PLC variable's format, class, address and its
// kind's settings, on eight stacked pages; every check and change is the
// form's.
#pragma once

#include "workspace/forms/DlgVarForm.h"

#include <QDialog>

#include <map>
#include <string>

class QStackedWidget;
class QWidget;

namespace orv {

class CDlgRunner;
class CLineEditListBox;
class CPrjVar;
class IViewDc;
struct PrjBundle;

class CDlgVar final : public QDialog {
public:
    explicit CDlgVar(QWidget* parent = nullptr);

    // Before the run: the variable, the mode word, the project, the
    // selected PLC type's data-word caption, the display editor and the
    // runner of the character table (both may be null).
    void SetVar(const CPrjVar* var, int mode) { m_form.SetVar(var, mode); }
    void Open(PrjBundle* bundle, const std::string& dwCaption, IViewDc* view, CDlgRunner* runner = nullptr);

    // A character the character table chose: into the current page's line
    // list box; dropped on pages without one.
    void ForwardCharacter(int code);

    const CDlgVarForm& Form() const { return m_form; }

    void accept() override;

private:
    // The typed texts and lines into the form, and the form onto the widgets.
    void Pull();
    void Push();
    template <class Step>
    void Run(Step step);

    CDlgVarForm m_form;
    QStackedWidget* m_stack = nullptr;
    std::map<int, QWidget*> m_ctls;
    CDlgRunner* m_runner = nullptr;
    bool m_pushing = false;
};

} // namespace orv
