// The small dialogs' controls and how they reach their forms.
#include "dialogs/SmallDialogs.h"

#include "dialogs/DialogKit.h"
#include "dialogs/QtText.h"
#include "model/project/PrjData.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include <array>

namespace orv {

namespace {

// A group box named by its id, with a layout for its controls.
QVBoxLayout& AddGroup(QBoxLayout& layout, int id, const char* title)
{
    auto* group = new QGroupBox(FromCp1252(title));
    group->setObjectName(ControlName(id));
    layout.addWidget(group);
    return *new QVBoxLayout(group);
}

// The id of the checked radio among ids first..last; 0 for none.
int CheckedRadio(const QWidget& dialog, int first, int last)
{
    for (int id = first; id <= last; ++id) {
        const auto* radio = FindControl<QRadioButton>(dialog, id);
        if (radio != nullptr && radio->isChecked())
            return id;
    }
    return 0;
}

void CheckRadio(const QWidget& dialog, int id)
{
    if (auto* radio = FindControl<QRadioButton>(dialog, id))
        radio->setChecked(true);
}

// Focuses and selects the edit that holds a refused number.
void MarkRefused(const QWidget& dialog, int id)
{
    if (auto* edit = FindControl<QLineEdit>(dialog, id)) {
        edit->setFocus();
        edit->selectAll();
    }
}

QLineEdit* AddLabelledEdit(QBoxLayout& layout, int id, const char* label)
{
    auto* row = new QHBoxLayout;
    layout.addLayout(row);
    AddLabel(*row, -1, label);
    return AddEdit(*row, id);
}

} // namespace

// --- Value ----------------------------------------------------------------

CDlgValue::CDlgValue(uint16_t value, uint8_t simFmt, QWidget* parent) : QDialog(parent), m_form(value, simFmt)
{
    SetCaption(*this, "Wert \xE4ndern");
    auto* layout = new QVBoxLayout(this);
    QLineEdit* edit = AddLabelledEdit(*layout, CDlgValueForm::kIdValue, "neuer Wert");
    edit->setText(QString::fromStdString(m_form.Text()));
    auto* row = new QHBoxLayout;
    layout->addLayout(row);
    AddLabel(*row, -1, "Format");
    QComboBox* combo = AddCombo(*row, CDlgValueForm::kIdFormat);
    for (const char* name : CDlgValueForm::kFormatNames)
        combo->addItem(QString::fromLatin1(name));
    combo->setCurrentIndex(m_form.FormatIndex());
    connect(combo, &QComboBox::currentIndexChanged, this, [this, edit](int index) {
        m_form.SetText(edit->text().toStdString());
        m_form.SetFormat(index);
        edit->setText(QString::fromStdString(m_form.Text()));
    });
    AddOkCancel(*layout, *this);
}

void CDlgValue::accept()
{
    m_form.SetText(FindControl<QLineEdit>(*this, CDlgValueForm::kIdValue)->text().toStdString());
    m_value = m_form.Ok();
    if (m_value)
        QDialog::accept();
    else
        MarkRefused(*this, CDlgValueForm::kIdValue);
}

// --- Driver parameters ----------------------------------------------------

CDlgDrvPar::CDlgDrvPar(QWidget* parent) : QDialog(parent)
{
    SetCaption(*this, "Treiberparameter");
    auto* layout = new QVBoxLayout(this);
    AddLabel(*layout, -1, "Dialog dzt. unter Variable|Treibervariable");
    AddOkCancel(*layout, *this);
}

// --- Serial ports ---------------------------------------------------------

CDlgComPorts::CDlgComPorts(IComPorts* ports, QWidget* parent) : QDialog(parent), m_form(ports)
{
    SetCaption(*this, "Schnittstellen");
    auto* layout = new QVBoxLayout(this);
    QVBoxLayout& link = AddGroup(*layout, 1929, "\xDC" "bertragung");
    AddRadio(link, CDlgComPortsForm::kIdLinkCom1, "Com1");
    AddRadio(link, CDlgComPortsForm::kIdLinkCom1 + 1, "Com2");
    QVBoxLayout& sim = AddGroup(*layout, 1930, "Simulation");
    AddRadio(sim, CDlgComPortsForm::kIdSimCom1, "Com1");
    AddRadio(sim, CDlgComPortsForm::kIdSimCom1 + 1, "Com2");
    CheckRadio(*this, CDlgComPortsForm::kIdLinkCom1 + m_form.LinkIndex());
    CheckRadio(*this, CDlgComPortsForm::kIdSimCom1 + m_form.SimIndex());
    AddOkCancel(*layout, *this);
}

void CDlgComPorts::accept()
{
    if (const int link = CheckedRadio(*this, CDlgComPortsForm::kIdLinkCom1, CDlgComPortsForm::kIdLinkCom1 + 1))
        m_form.SetLinkIndex(link - CDlgComPortsForm::kIdLinkCom1);
    if (const int sim = CheckedRadio(*this, CDlgComPortsForm::kIdSimCom1, CDlgComPortsForm::kIdSimCom1 + 1))
        m_form.SetSimIndex(sim - CDlgComPortsForm::kIdSimCom1);
    m_form.Ok();
    QDialog::accept();
}

// --- Language -------------------------------------------------------------

CDlgLang::CDlgLang(CFrameState& frame, IFrameWindow* window, IViewTree* tree, QWidget* parent)
    : QDialog(parent), m_form(frame, window, tree)
{
    // The template's texts of the languages without an action.
    static constexpr std::array<const char*, 7> kTemplateTexts{
        "", "", "D\xE4nisch", "", "Niederl\xE4ndisch", "Italienisch", "Spanisch"};
    auto* layout = new QVBoxLayout(this);
    for (int id = CDlgLangForm::kIdFirst; id <= CDlgLangForm::kIdLast; ++id) {
        QRadioButton* radio = AddRadio(*layout, id, kTemplateTexts[static_cast<size_t>(id - CDlgLangForm::kIdFirst)]);
        // A language without an action must not look chosen.
        radio->setEnabled(CDlgLangForm::HasAction(id));
        connect(radio, &QRadioButton::clicked, this, [this, id] {
            m_form.Choose(id);
            LoadTexts();
        });
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    LoadTexts();
    CheckRadio(*this, m_form.CheckedId());
}

void CDlgLang::LoadTexts()
{
    setWindowTitle(FromCp1252(m_form.Caption()));
    for (const int id : {CDlgLangForm::kIdGerman, CDlgLangForm::kIdEnglish, CDlgLangForm::kIdFrench})
        FindControl<QRadioButton>(*this, id)->setText(FromCp1252(m_form.RadioText(id)));
}

// --- Program and project options -----------------------------------------

CDlgPrgOpt::CDlgPrgOpt(QWidget* parent) : QDialog(parent)
{
    SetCaption(*this, "Programm-Optionen");
    auto* layout = new QVBoxLayout(this);
    AddCheck(*layout, CDlgPrgOptForm::kIdFifoWarn, "FIFO-Warnung anzeigen");
    AddOkCancel(*layout, *this);
}

void CDlgPrgOpt::showEvent(QShowEvent* event)
{
    FindControl<QCheckBox>(*this, CDlgPrgOptForm::kIdFifoWarn)->setChecked(m_form.Ticked());
    QDialog::showEvent(event);
}

void CDlgPrgOpt::accept()
{
    m_form.Ok(FindControl<QCheckBox>(*this, CDlgPrgOptForm::kIdFifoWarn)->isChecked());
    QDialog::accept();
}

CDlgPrjOpt::CDlgPrjOpt(KeptDialogSource source, QWidget* parent) : QDialog(parent), m_source(std::move(source))
{
    SetCaption(*this, "Projekt-Optionen");
    auto* layout = new QVBoxLayout(this);
    AddCheck(*layout, CDlgPrjOptForm::kIdDWordVars, "skalierbare Dopplewortvariable");
    AddOkCancel(*layout, *this);
}

void CDlgPrjOpt::showEvent(QShowEvent* event)
{
    m_form.reset();
    if (CPrjData* prj = m_source.prj ? m_source.prj() : nullptr)
        m_form.emplace(*prj, m_source.devTyp ? m_source.devTyp() : std::string());
    auto* check = FindControl<QCheckBox>(*this, CDlgPrjOptForm::kIdDWordVars);
    check->setChecked(m_form && m_form->Ticked());
    check->setEnabled(m_form && m_form->Enabled());
    QDialog::showEvent(event);
}

void CDlgPrjOpt::accept()
{
    if (m_form)
        m_form->Ok(FindControl<QCheckBox>(*this, CDlgPrjOptForm::kIdDWordVars)->isChecked());
    QDialog::accept();
}

// --- Help and message options ---------------------------------------------

CDlgHlpOpt::CDlgHlpOpt(QWidget* parent) : QDialog(parent)
{
    SetCaption(*this, "Optionen Hilfstext zu Anzeigepriorit\xE4t Men\xFC");
    auto* layout = new QVBoxLayout(this);
    QVBoxLayout& group = AddGroup(*layout, 1954, "Zugeordneter Bedientext");
    // Nothing fills it: greyed, so that it offers no choice.
    AddCombo(group, 1927)->setEnabled(false);
    AddOkCancel(*layout, *this);
}

CDlgMsgOpt::CDlgMsgOpt(CMsgTxt& text, CPrjData* prj, const std::string& devTyp, QWidget* parent)
    : QDialog(parent), m_form(text, prj, devTyp)
{
    static constexpr std::array<const char*, CDlgMsgOptForm::kDelModes> kDelModeTexts{
        "1..Anzeige solange Bit gesetzt ist",
        "2..Anzeige bit Quit, Bit wird r\xFC" "ckgesetzt",
        "3..Anzeige bis Quit, Bit bleibt",
        "4..Quit erst nach R\xFC" "cknahme durch SPS m\xF6glich",
        "5..Anzeige solange Bit gesetzt, blinkt bis Quit",
    };
    SetCaption(*this, "Optionen Meldetext");
    auto* layout = new QVBoxLayout(this);
    auto* prio = new QWidget;
    prio->setObjectName(QStringLiteral("prio"));
    auto* prioLayout = new QVBoxLayout(prio);
    AddRadio(*prioLayout, CDlgMsgOptForm::kIdInfo, "Hinweis");
    AddRadio(*prioLayout, CDlgMsgOptForm::kIdWarning, "Warnung");
    AddRadio(*prioLayout, CDlgMsgOptForm::kIdFault, "St\xF6rung");
    layout->addWidget(prio);
    auto* modes = new QWidget;
    modes->setObjectName(QStringLiteral("modes"));
    auto* modeLayout = new QVBoxLayout(modes);
    for (int m = 1; m <= CDlgMsgOptForm::kDelModes; ++m) {
        AddRadio(*modeLayout, CDlgMsgOptForm::kIdDelMode1 + m - 1, kDelModeTexts[static_cast<size_t>(m - 1)])
            ->setEnabled(m_form.DelModeEnabled(m));
    }
    layout->addWidget(modes);
    QCheckBox* alarm = AddCheck(*layout, CDlgMsgOptForm::kIdAlarm, "Alarmkontakt schliessen");
    alarm->setEnabled(m_form.AlarmEnabled());
    alarm->setChecked(m_form.Alarm());
    CheckRadio(*this, m_form.PrioRadio());
    CheckRadio(*this, m_form.DelModeRadio());
    AddOkCancel(*layout, *this);
}

void CDlgMsgOpt::accept()
{
    m_form.Ok(CheckedRadio(*this, CDlgMsgOptForm::kIdInfo, CDlgMsgOptForm::kIdWarning),
              CheckedRadio(*this, CDlgMsgOptForm::kIdDelMode1, CDlgMsgOptForm::kIdDelMode1 + 4),
              FindControl<QCheckBox>(*this, CDlgMsgOptForm::kIdAlarm)->isChecked());
    QDialog::accept();
}

// --- Description ----------------------------------------------------------

CDlgDescr::CDlgDescr(KeptDialogSource source, QWidget* parent) : QDialog(parent), m_source(std::move(source))
{
    SetCaption(*this, "Beschreibung");
    auto* layout = new QVBoxLayout(this);
    auto* edit = new QPlainTextEdit;
    edit->setObjectName(ControlName(1901));
    // The description is edited in the project source, where its size
    // rules are checked; here it is only shown.
    edit->setReadOnly(true);
    layout->addWidget(edit);
    AddOkCancel(*layout, *this);
}

void CDlgDescr::showEvent(QShowEvent* event)
{
    const CPrjData* prj = m_source.prj ? m_source.prj() : nullptr;
    QString text = prj != nullptr ? FromCp437(prj->GetDescr()) : QString();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    FindControl<QPlainTextEdit>(*this, 1901)->setPlainText(text);
    QDialog::showEvent(event);
}

// --- Recipe data ----------------------------------------------------------

CDlgRcpData::CDlgRcpData(CPrjVarValList& values, CPrjData* prj, QWidget* parent)
    : QDialog(parent), m_form(values, prj)
{
    SetCaption(*this, "Rezeptdaten");
    auto* layout = new QVBoxLayout(this);
    auto* varRow = new QHBoxLayout;
    layout->addLayout(varRow);
    AddLabel(*varRow, -1, "Variable");
    QComboBox* vars = AddCombo(*varRow, CDlgRcpDataForm::kIdVar);
    for (const std::string& name : m_form.VarNames())
        vars->addItem(FromCp437(name));
    vars->setCurrentIndex(m_form.Current());
    auto* valueRow = new QHBoxLayout;
    layout->addLayout(valueRow);
    AddLabel(*valueRow, -1, "Werte");
    QComboBox* states = AddCombo(*valueRow, CDlgRcpDataForm::kIdStates);
    QLineEdit* edit = AddEdit(*valueRow, CDlgRcpDataForm::kIdEdit);
    AddOkCancel(*layout, *this);
    ShowEntry();

    connect(vars, &QComboBox::activated, this, [this](int index) {
        LeaveEdit();
        m_form.Select(index);
        ShowEntry();
    });
    connect(states, &QComboBox::activated, this, [this](int index) { m_form.ChooseState(index); });
    connect(edit, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_form.EditChanged(ToCp437Text(text));
    });
    connect(edit, &QLineEdit::editingFinished, this, [this] { LeaveEdit(); });
}

bool CDlgRcpData::LeaveEdit()
{
    if (m_form.LeaveEdit())
        return true;
    FindControl<QLineEdit>(*this, CDlgRcpDataForm::kIdEdit)->setText(FromCp437(m_form.EditText()));
    return false;
}

void CDlgRcpData::ShowEntry()
{
    auto* states = FindControl<QComboBox>(*this, CDlgRcpDataForm::kIdStates);
    auto* edit = FindControl<QLineEdit>(*this, CDlgRcpDataForm::kIdEdit);
    const bool showEdit = m_form.GetShown() == CDlgRcpDataForm::Shown::Edit;
    const bool showStates = m_form.GetShown() == CDlgRcpDataForm::Shown::States;
    edit->setHidden(!showEdit);
    states->setHidden(!showStates);
    const size_t maxLength = m_form.EditMaxLength();
    // Texts are panel bytes; numbers take any character and are checked.
    edit->setValidator(maxLength > 0 ? new Cp437Validator(edit) : nullptr);
    edit->setMaxLength(maxLength > 0 ? static_cast<int>(maxLength) : 32767);
    edit->setText(FromCp437(m_form.EditText()));
    states->clear();
    for (const std::string& text : m_form.States())
        states->addItem(FromCp437(text));
    states->setCurrentIndex(m_form.StateIndex());
}

void CDlgRcpData::accept()
{
    if (LeaveEdit())
        QDialog::accept();
}

// --- Rename and renumber --------------------------------------------------

CDlgRename::CDlgRename(QWidget* parent) : QDialog(parent)
{
    SetCaption(*this, "Umbenennen/Umnummerieren");
    auto* layout = new QVBoxLayout(this);
    AddLabelledEdit(*layout, CDlgRenameForm::kIdNumber, "Nummer");
    AddLabelledEdit(*layout, CDlgRenameForm::kIdName, "Bezeichnung")->setValidator(new Cp437Validator(this));
    AddOkCancel(*layout, *this);
}

void CDlgRename::SetObject(uint16_t number, const std::string& name)
{
    const CDlgRenameForm form(number, name);
    m_result.reset();
    FindControl<QLineEdit>(*this, CDlgRenameForm::kIdNumber)->setText(QString::fromStdString(form.number));
    FindControl<QLineEdit>(*this, CDlgRenameForm::kIdName)->setText(FromCp437(form.name));
}

void CDlgRename::accept()
{
    CDlgRenameForm form(0, "");
    form.number = FindControl<QLineEdit>(*this, CDlgRenameForm::kIdNumber)->text().toStdString();
    form.name = ToCp437Text(FindControl<QLineEdit>(*this, CDlgRenameForm::kIdName)->text());
    m_result = form.Ok();
    if (m_result)
        QDialog::accept();
    else
        MarkRefused(*this, CDlgRenameForm::kIdNumber);
}

CDlgRenumber::CDlgRenumber(int mode, std::optional<CDlgRunner::RenumberNums> start, QWidget* parent)
    : QDialog(parent), m_form(mode, start)
{
    SetCaption(*this, m_form.Caption());
    auto* layout = new QVBoxLayout(this);
    AddLabelledEdit(*layout, CDlgRenumberForm::kIdFrom, "von Nummer")->setText(QString::fromStdString(m_form.from));
    AddLabelledEdit(*layout, CDlgRenumberForm::kIdTo, "bis Nummer")->setText(QString::fromStdString(m_form.to));
    AddLabelledEdit(*layout, CDlgRenumberForm::kIdTarget, "nach Nummer")
        ->setText(QString::fromStdString(m_form.target));
    AddOkCancel(*layout, *this);
}

void CDlgRenumber::accept()
{
    m_form.from = FindControl<QLineEdit>(*this, CDlgRenumberForm::kIdFrom)->text().toStdString();
    m_form.to = FindControl<QLineEdit>(*this, CDlgRenumberForm::kIdTo)->text().toStdString();
    m_form.target = FindControl<QLineEdit>(*this, CDlgRenumberForm::kIdTarget)->text().toStdString();
    m_result = m_form.Ok();
    if (m_result)
        QDialog::accept();
}

// --- Softkeys -------------------------------------------------------------

CDlgSoftkeys::CDlgSoftkeys(CPrjSkTxt& text, const CPrjSkActList& acts, int numSK, CPrjData* prj, QWidget* parent)
    : QDialog(parent), m_form(text, acts, numSK, prj)
{
    SetCaption(*this, "Softkeys");
    auto* layout = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    layout->addLayout(columns);
    QStringList entries;
    for (const std::string& entry : m_form.Entries())
        entries << QString::fromStdString(entry);
    for (const int half : {0, 1}) {
        auto* column = new QVBoxLayout;
        columns->addLayout(column);
        auto* header = new QHBoxLayout;
        column->addLayout(header);
        AddLabel(*header, -1, "");
        QLabel* press = AddLabel(*header, half == 0 ? 1982 : CDlgSoftkeysForm::kIdUpperPress, "dr\xFC" "cken");
        QLabel* release = AddLabel(*header, half == 0 ? 1983 : CDlgSoftkeysForm::kIdUpperRelease, "loslassen");
        if (half == 1) {
            press->setHidden(!m_form.UpperLabelsShown());
            release->setHidden(!m_form.UpperLabelsShown());
        }
        for (int key = 1 + 10 * half; key <= 10 + 10 * half; ++key) {
            auto* row = new QHBoxLayout;
            column->addLayout(row);
            QLabel* label = AddLabel(*row, CDlgSoftkeysForm::kIdKeyLabel0 + key, "");
            label->setText(QStringLiteral("F%1").arg(key));
            QComboBox* onPress = AddCombo(*row, CDlgSoftkeysForm::kIdCombo0 + 2 * key);
            QComboBox* onRelease = AddCombo(*row, CDlgSoftkeysForm::kIdCombo0 + 2 * key + 1);
            onPress->addItems(entries);
            onRelease->addItems(entries);
            onPress->setCurrentIndex(m_form.PressSel(key));
            onRelease->setCurrentIndex(m_form.ReleaseSel(key));
            const bool shown = m_form.KeyShown(key);
            label->setHidden(!shown);
            onPress->setHidden(!shown);
            onRelease->setHidden(!shown);
        }
    }
    AddOkCancel(*layout, *this);
}

void CDlgSoftkeys::accept()
{
    for (int key = 1; key <= m_form.NumKeys(); ++key) {
        m_form.SetPressSel(key, FindControl<QComboBox>(*this, CDlgSoftkeysForm::kIdCombo0 + 2 * key)->currentIndex());
        m_form.SetReleaseSel(key,
                             FindControl<QComboBox>(*this, CDlgSoftkeysForm::kIdCombo0 + 2 * key + 1)->currentIndex());
    }
    m_form.Ok();
    QDialog::accept();
}

} // namespace orv
