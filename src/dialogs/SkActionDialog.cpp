// Shows a softkey action's rows and hands every edit to the form; the form
// decides what is stored.
#include "dialogs/SkActionDialog.h"

#include "dialogs/DialogKit.h"
#include "dialogs/QtText.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QLineEdit>

namespace orv {

namespace {

int SkRowId(int row, int ctl)
{
    return CDlgSkActionForm::kIdRowBase + CDlgSkActionForm::kRowStep * row + ctl;
}

} // namespace

CDlgSkAction::CDlgSkAction(CPrjSkAct& act, CPrjData* prj, QWidget* parent) : QDialog(parent), m_form(act, prj)
{
    SetCaption(*this, "Softkey-Aktion");
    auto* layout = new QVBoxLayout(this);
    auto* commentRow = new QHBoxLayout;
    layout->addLayout(commentRow);
    AddLabel(*commentRow, -1, "Kommentar");
    QLineEdit* comment = AddEdit(*commentRow, CDlgSkActionForm::kIdComment);
    comment->setValidator(new Cp437Validator(comment));
    comment->setText(FromCp437(m_form.Comment()));

    auto* header = new QHBoxLayout;
    layout->addLayout(header);
    for (const char* text : {"Befehl", "Adresse", "Format", "Wert"})
        AddLabel(*header, -1, text);
    for (int i = 0; i < CDlgSkActionForm::kRows; ++i) {
        const CDlgSkActionForm::Row& row = m_form.GetRow(i);
        auto* line = new QHBoxLayout;
        layout->addLayout(line);
        QComboBox* cmd = AddCombo(*line, SkRowId(i, CDlgSkActionForm::kCtlCmd));
        cmd->addItems({QStringLiteral("kein"), QStringLiteral("WRITE"), QStringLiteral("AND"), QStringLiteral("OR")});
        cmd->setCurrentIndex(row.cmd);
        AddEdit(*line, SkRowId(i, CDlgSkActionForm::kCtlAdr))->setText(QString::fromStdString(row.adr));
        QComboBox* fmt = AddCombo(*line, SkRowId(i, CDlgSkActionForm::kCtlFmt));
        fmt->addItems({QStringLiteral("DEC"), QStringLiteral("HEX"), QStringLiteral("BIN")});
        fmt->setCurrentIndex(row.fmt);
        AddEdit(*line, SkRowId(i, CDlgSkActionForm::kCtlValue))->setText(QString::fromStdString(row.value));
        connect(fmt, &QComboBox::currentIndexChanged, this, [this, i](int index) {
            ReadControls();
            m_form.SetFormat(i, index);
            ShowValue(i);
        });
    }
    AddOkCancel(*layout, *this);
}

void CDlgSkAction::ReadControls()
{
    m_form.SetComment(ToCp437Text(FindControl<QLineEdit>(*this, CDlgSkActionForm::kIdComment)->text()));
    for (int i = 0; i < CDlgSkActionForm::kRows; ++i) {
        m_form.SetCmd(i, FindControl<QComboBox>(*this, SkRowId(i, CDlgSkActionForm::kCtlCmd))->currentIndex());
        m_form.SetAdr(i, FindControl<QLineEdit>(*this, SkRowId(i, CDlgSkActionForm::kCtlAdr))->text().toStdString());
        m_form.SetValue(i,
                        FindControl<QLineEdit>(*this, SkRowId(i, CDlgSkActionForm::kCtlValue))->text().toStdString());
    }
}

void CDlgSkAction::ShowValue(int row)
{
    FindControl<QLineEdit>(*this, SkRowId(row, CDlgSkActionForm::kCtlValue))
        ->setText(QString::fromStdString(m_form.GetRow(row).value));
}

void CDlgSkAction::accept()
{
    ReadControls();
    const int failed = m_form.Ok();
    if (failed == 0) {
        QDialog::accept();
        return;
    }
    if (auto* edit = FindControl<QLineEdit>(*this, failed)) {
        edit->setFocus();
        edit->selectAll();
    }
}

} // namespace orv
