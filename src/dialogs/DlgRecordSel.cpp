// The record dialog: every radio button, the first as well, chooses its
// record in the form; the texts and what shows come from the form.
#include "dialogs/DlgRecordSel.h"

#include "dialogs/QtText.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace orv {

namespace {

// A record slot that is not offered leaves its place empty.
void KeepRecordPlace(QWidget* w)
{
    QSizePolicy policy = w->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    w->setSizePolicy(policy);
}

} // namespace

CDlgRecordSel::CDlgRecordSel(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgRecordSel"));
    setWindowTitle(FromCp1252("Datensatz ausw\xE4hlen"));
    auto* grid = new QGridLayout;
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < CRecordSelForm::kMaxRecords; ++i) {
        m_radios[i] = new QRadioButton(this);
        m_radios[i]->setObjectName(QStringLiteral("c%1").arg(1910 + i));
        m_labels[i] = new QLabel(this);
        m_labels[i]->setObjectName(QStringLiteral("c%1").arg(1969 + i));
        KeepRecordPlace(m_radios[i]);
        KeepRecordPlace(m_labels[i]);
        group->addButton(m_radios[i], i + 1);
        grid->addWidget(m_radios[i], i, 0);
        grid->addWidget(m_labels[i], i, 1);
    }
    // Record 1 too: a click back on it must undo the record picked before.
    connect(group, &QButtonGroup::idClicked, this, [this](int record) { m_form.Choose(record); });
    m_recipe = new QCheckBox(FromCp1252("Rezeptdaten \xFC" "bertragen"), this);
    m_recipe->setObjectName(QStringLiteral("c1976"));
    KeepRecordPlace(m_recipe);
    connect(m_recipe, &QCheckBox::toggled, this, [this](bool on) { m_form.SetRecipeOption(on); });
    grid->addWidget(m_recipe, CRecordSelForm::kMaxRecords, 0, 1, 2);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("c1"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("c2"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* top = new QVBoxLayout(this);
    top->addLayout(grid);
    top->addWidget(buttons);
}

void CDlgRecordSel::Open()
{
    m_form.Open();
    Mirror();
}

bool CDlgRecordSel::Run()
{
    Open();
    return exec() == QDialog::Accepted;
}

void CDlgRecordSel::Mirror()
{
    for (int i = 0; i < CRecordSelForm::kMaxRecords; ++i) {
        const CRecordSelForm::Item& item = m_form.GetItem(i);
        const QSignalBlocker blocker(m_radios[i]);
        // A '&' of the panel's text is no hot-key mark.
        m_radios[i]->setText(FromCp437(item.text).replace(QLatin1Char('&'), QStringLiteral("&&")));
        m_radios[i]->setChecked(i + 1 == m_form.GetSelected());
        m_radios[i]->setVisible(item.visible);
        m_labels[i]->setText(FromCp1252(item.label));
        m_labels[i]->setVisible(item.visible);
    }
    const QSignalBlocker blocker(m_recipe);
    m_recipe->setChecked(m_form.GetRecipeOption() != 0);
    m_recipe->setVisible(m_form.IsRecipeBoxVisible());
}

} // namespace orv
