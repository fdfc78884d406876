// The PLC definitions dialog's widgets; every check and change is the form's.
#include "dialogs/DlgSpsDef.h"

#include "dialogs/PlcListSync.h"
#include "dialogs/QtText.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace orv {

namespace {

using SpsForm = CDlgSpsDefForm;

} // namespace

CDlgSpsDef::CDlgSpsDef(DriverSource driver, QWidget* parent) : QDialog(parent), m_driver(std::move(driver))
{
    setWindowTitle(QStringLiteral("SPS-Definitionen"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(MakePlcControl<QLabel>(this, 2164, "SPS"), 0, 0);
    grid->addWidget(MakePlcControl<QLabel>(this, 2163, "Adr"), 0, 1);
    grid->addWidget(MakePlcControl<QLabel>(this, 2160, "Steckpl"), 0, 2);
    grid->addWidget(MakePlcControl<QLabel>(this, 2161, "Rack"), 0, 3);
    m_list = MakePlcList(this, SpsForm::kList);
    grid->addWidget(m_list, 1, 0, 6, 4);

    auto* take = MakePlcControl<QPushButton>(this, SpsForm::kTake, "<--");
    grid->addWidget(take, 1, 4);
    const auto edit = [this, grid](int id, const char* label, int row) {
        grid->addWidget(new QLabel(FromCp1252(label), this), row, 5);
        auto* e = new QLineEdit(this);
        e->setObjectName(QStringLiteral("c%1").arg(id));
        grid->addWidget(e, row, 6);
        return e;
    };
    m_adr = edit(SpsForm::kAdr, "Adresse", 1);
    m_slot = edit(SpsForm::kSlot, "Steckplatz", 2);
    m_rack = edit(SpsForm::kRack, "Baugruppentr\xE4ger", 3);

    m_new = MakePlcControl<QPushButton>(this, SpsForm::kNew, "Neu");
    m_delete = MakePlcControl<QPushButton>(this, SpsForm::kDelete, "l\xF6schen");
    auto* help = MakePlcControl<QPushButton>(this, SpsForm::kHelp, "Hilfe");
    help->setEnabled(false);
    auto* ok = MakePlcControl<QPushButton>(this, 1, "OK");
    auto* cancel = MakePlcControl<QPushButton>(this, 2, "Cancel");
    grid->addWidget(m_new, 4, 4);
    grid->addWidget(m_delete, 5, 4);
    grid->addWidget(help, 7, 4);
    grid->addWidget(ok, 7, 5);
    grid->addWidget(cancel, 7, 6);

    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        Pull();
        m_form.OnSelect(row);
        Push();
    });
    connect(take, &QPushButton::clicked, this, [this] { Step(&SpsForm::OnTake); });
    connect(m_new, &QPushButton::clicked, this, [this] { Step(&SpsForm::OnNew); });
    connect(m_delete, &QPushButton::clicked, this, [this] { Step(&SpsForm::OnDelete); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CDlgSpsDef::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_form.Open(m_driver ? m_driver() : nullptr);
    Push();
}

void CDlgSpsDef::Step(void (CDlgSpsDefForm::*handler)())
{
    Pull();
    (m_form.*handler)();
    Push();
}

void CDlgSpsDef::Pull()
{
    m_form.SetEditText(SpsForm::kAdr, ToCp1252(m_adr->text()));
    m_form.SetEditText(SpsForm::kSlot, ToCp1252(m_slot->text()));
    m_form.SetEditText(SpsForm::kRack, ToCp1252(m_rack->text()));
}

void CDlgSpsDef::Push()
{
    SyncPlcList(*m_list, m_form.Lines(), m_form.Selected());
    m_adr->setText(FromCp1252(m_form.EditText(SpsForm::kAdr)));
    m_slot->setText(FromCp1252(m_form.EditText(SpsForm::kSlot)));
    m_rack->setText(FromCp1252(m_form.EditText(SpsForm::kRack)));
    m_new->setVisible(m_form.NewShown());
    m_delete->setVisible(m_form.DeleteShown());
    FocusControl(*this, m_form.Focus());
}

} // namespace orv
