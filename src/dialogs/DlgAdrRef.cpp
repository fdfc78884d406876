// The address cross-reference dialog's widgets; every check and change is
// the form's.
#include "dialogs/DlgAdrRef.h"

#include "dialogs/PlcListSync.h"
#include "dialogs/QtText.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace orv {

namespace {

using RefForm = CDlgAdrRefForm;

QLineEdit* AdrRefEdit(QWidget* parent, int id)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QStringLiteral("c%1").arg(id));
    return e;
}

struct AdrRefRadio {
    int area;
    int id;
    const char* text;
};
constexpr AdrRefRadio kAdrRefRadios[] = {
    {RefForm::kAreaDb, RefForm::kRadioDb, "DB"}, {RefForm::kAreaMw, RefForm::kRadioMw, "MW"},
    {RefForm::kAreaEw, RefForm::kRadioEw, "EW"}, {RefForm::kAreaAw, RefForm::kRadioAw, "AW"},
    {RefForm::kAreaTw, RefForm::kRadioTw, "TW"},
};

} // namespace

CDlgAdrRef::CDlgAdrRef(CDlgRunner& dialogs, DriverSource driver, QWidget* parent)
    : QDialog(parent), m_driver(std::move(driver)), m_form(dialogs)
{
    setWindowTitle(QStringLiteral("Adressverweise"));
    auto* grid = new QGridLayout(this);
    m_headLeft = MakePlcControl<QLabel>(this, RefForm::kHeadLeft, "");
    m_headRight = MakePlcControl<QLabel>(this, RefForm::kHeadRight, "");
    m_headLeft->setFont(PlcListFont());
    m_headRight->setFont(PlcListFont());
    grid->addWidget(m_headLeft, 0, 0);
    grid->addWidget(m_headRight, 0, 1);
    m_list = MakePlcList(this, RefForm::kList);
    m_list->setMinimumWidth(260);
    grid->addWidget(m_list, 1, 0, 8, 2);

    // The radios are not exclusive by themselves: the form decides which
    // one is checked, none at all included.
    int row = 1;
    for (const AdrRefRadio& r : kAdrRefRadios) {
        auto* radio = MakePlcControl<QRadioButton>(this, r.id, r.text);
        radio->setAutoExclusive(false);
        m_radios[r.area] = radio;
        grid->addWidget(radio, row++, 2);
        connect(radio, &QRadioButton::clicked, this, [this, area = r.area] {
            Step([this, area] { m_form.OnArea(area); });
        });
    }
    m_dbLabel = MakePlcControl<QLabel>(this, RefForm::kLabelDb, "    ");
    for (const int id : RefForm::kEdits)
        m_edits[id] = AdrRefEdit(this, id);
    grid->addWidget(m_edits[RefForm::kEditDb], 1, 3);
    grid->addWidget(m_dbLabel, 1, 4);
    grid->addWidget(m_edits[RefForm::kEditDbw], 1, 5);
    grid->addWidget(m_edits[RefForm::kEditMw], 2, 3);
    grid->addWidget(m_edits[RefForm::kEditEw], 3, 3);
    grid->addWidget(m_edits[RefForm::kEditAw], 4, 3);
    grid->addWidget(m_edits[RefForm::kEditTw], 5, 3);

    auto* group = MakePlcControl<QGroupBox>(this, RefForm::kGroupRun, "Folgeaddressierung");
    auto* runs = new QGridLayout(group);
    m_words = MakePlcControl<QCheckBox>(group, RefForm::kCheckWords, "Datenworte");
    m_plc = MakePlcControl<QCheckBox>(group, RefForm::kCheckPlc, "SPS-Nummer");
    runs->addWidget(m_words, 0, 0);
    m_edits[RefForm::kEditWords]->setParent(group);
    runs->addWidget(m_edits[RefForm::kEditWords], 0, 1);
    runs->addWidget(new QLabel(QStringLiteral("Worte"), group), 0, 2);
    runs->addWidget(m_plc, 1, 0);
    m_edits[RefForm::kEditPlc]->setParent(group);
    m_edits[RefForm::kEditPlcCount]->setParent(group);
    runs->addWidget(m_edits[RefForm::kEditPlc], 1, 1);
    runs->addWidget(m_edits[RefForm::kEditPlcCount], 1, 2);
    runs->addWidget(new QLabel(QStringLiteral("Worte"), group), 1, 3);
    grid->addWidget(group, 6, 2, 1, 4);

    auto* close = MakePlcControl<QPushButton>(this, 1, "Schliessen");
    auto* take = MakePlcControl<QPushButton>(this, RefForm::kTake, "\xFC" "bernehmen");
    m_spsDef = MakePlcControl<QPushButton>(this, RefForm::kSpsDef, "SPS-DEF");
    grid->addWidget(take, 7, 2);
    grid->addWidget(m_spsDef, 7, 3);
    grid->addWidget(close, 8, 2);

    connect(m_list, &QListWidget::currentRowChanged, this,
            [this](int line) { Step([this, line] { m_form.OnSelect(line); }); });
    connect(m_words, &QCheckBox::clicked, this,
            [this](bool on) { Step([this, on] { m_form.OnWordsCheck(on); }); });
    connect(m_plc, &QCheckBox::clicked, this, [this](bool on) { Step([this, on] { m_form.OnPlcCheck(on); }); });
    connect(take, &QPushButton::clicked, this, [this] { Step([this] { m_form.OnTake(); }); });
    connect(m_spsDef, &QPushButton::clicked, this, [this] { Step([this] { m_form.OnSpsDef(); }); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void CDlgAdrRef::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_form.Open(m_driver ? m_driver() : nullptr);
    Push();
}

template <class F>
void CDlgAdrRef::Step(F&& handler)
{
    Pull();
    handler();
    Push();
}

void CDlgAdrRef::Pull()
{
    for (const auto& [id, edit] : m_edits)
        m_form.SetEditText(id, ToCp1252(edit->text()));
}

void CDlgAdrRef::Push()
{
    SyncPlcList(*m_list, m_form.Lines(), m_form.Selected());
    m_headLeft->setText(FromCp1252(m_form.HeadLeft()));
    m_headRight->setText(FromCp1252(m_form.HeadRight()));
    m_dbLabel->setText(FromCp1252(m_form.DbLabel()));
    for (const auto& [area, radio] : m_radios)
        radio->setChecked(m_form.Area() == area);
    for (const auto& [id, edit] : m_edits) {
        edit->setText(FromCp1252(m_form.EditText(id)));
        edit->setVisible(m_form.EditShown(id));
    }
    m_words->setChecked(m_form.WordsChecked());
    m_plc->setChecked(m_form.PlcChecked());
    m_plc->setEnabled(m_form.PlcCheckEnabled());
    m_spsDef->setVisible(m_form.SpsDefShown());
    FocusControl(*this, m_form.Focus());
}

} // namespace orv
