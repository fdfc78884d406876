// What every small dialog builds its controls with: controls named "c" and
// their template id, German texts from cp1252 bytes, and the panel code page
// for texts that go into the project.
#pragma once

#include <QDialog>
#include <QString>
#include <QValidator>

#include <string>

class QAbstractButton;
class QBoxLayout;
class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace orv {

// The control's name, by which tests and the dialog itself find it.
QString ControlName(int id);
// The control of a template id in the dialog; null when it has none.
template <class Widget>
Widget* FindControl(const QWidget& dialog, int id)
{
    return dialog.findChild<Widget*>(ControlName(id));
}

// Controls named by their id, with a cp1252 text, added to the layout.
QLabel* AddLabel(QBoxLayout& layout, int id, const char* text);
QLineEdit* AddEdit(QBoxLayout& layout, int id);
QComboBox* AddCombo(QBoxLayout& layout, int id);
QCheckBox* AddCheck(QBoxLayout& layout, int id, const char* text);
QRadioButton* AddRadio(QBoxLayout& layout, int id, const char* text);
// OK and Cancel, wired to the dialog's accept and reject.
QDialogButtonBox* AddOkCancel(QBoxLayout& layout, QDialog& dialog);
// The dialog's caption, a cp1252 text.
void SetCaption(QDialog& dialog, const char* text);

// Refuses a character that code page 437 cannot hold, so that nothing the
// user typed turns into '?' in the project.
class Cp437Validator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

// The typed text in the panel's code page; characters it cannot hold are
// left out.
std::string ToCp437Text(const QString& text);

} // namespace orv
