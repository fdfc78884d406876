// Builds the controls of the small dialogs alike.
#include "dialogs/DialogKit.h"

#include "dialogs/QtText.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace orv {

namespace {

template <class Widget>
Widget* KitNamed(Widget* widget, int id)
{
    widget->setObjectName(ControlName(id));
    return widget;
}

} // namespace

QString ControlName(int id)
{
    return QStringLiteral("c%1").arg(id);
}

QLabel* AddLabel(QBoxLayout& layout, int id, const char* text)
{
    auto* label = KitNamed(new QLabel(FromCp1252(text)), id);
    layout.addWidget(label);
    return label;
}

QLineEdit* AddEdit(QBoxLayout& layout, int id)
{
    auto* edit = KitNamed(new QLineEdit, id);
    layout.addWidget(edit);
    return edit;
}

QComboBox* AddCombo(QBoxLayout& layout, int id)
{
    auto* combo = KitNamed(new QComboBox, id);
    layout.addWidget(combo);
    return combo;
}

QCheckBox* AddCheck(QBoxLayout& layout, int id, const char* text)
{
    auto* check = KitNamed(new QCheckBox(FromCp1252(text)), id);
    layout.addWidget(check);
    return check;
}

QRadioButton* AddRadio(QBoxLayout& layout, int id, const char* text)
{
    auto* radio = KitNamed(new QRadioButton(FromCp1252(text)), id);
    layout.addWidget(radio);
    return radio;
}

QDialogButtonBox* AddOkCancel(QBoxLayout& layout, QDialog& dialog)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->setObjectName(QStringLiteral("buttons"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout.addWidget(buttons);
    return buttons;
}

void SetCaption(QDialog& dialog, const char* text)
{
    dialog.setWindowTitle(FromCp1252(text));
}

QValidator::State Cp437Validator::validate(QString& input, int&) const
{
    for (const char32_t c : input.toUcs4()) {
        if (!ToCp437(c))
            return Invalid;
    }
    return Acceptable;
}

std::string ToCp437Text(const QString& text)
{
    std::string bytes;
    for (const char32_t c : text.toUcs4()) {
        if (const auto byte = ToCp437(c))
            bytes.push_back(static_cast<char>(*byte));
    }
    return bytes;
}

} // namespace orv
