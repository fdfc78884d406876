// The project's settings dialogs: radios and edits named by their template
// ids, the forms doing every check.
#include "dialogs/ProjectDialogs.h"

#include "dialogs/DialogKit.h"
#include "dialogs/EditControls.h"
#include "dialogs/QtText.h"
#include "model/project/PrjData.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <span>

namespace orv {

namespace {

QVBoxLayout& PdGroup(QBoxLayout& layout, const char* title)
{
    auto* group = new QGroupBox(FromCp1252(title));
    layout.addWidget(group);
    return *new QVBoxLayout(group);
}

// One radio per value, in a button group whose ids are the values.
template <size_t N>
QButtonGroup* PdRadios(QDialog& dialog, QBoxLayout& layout, const std::array<int, N>& ids,
                       const std::array<const char*, N>& texts)
{
    auto* buttons = new QButtonGroup(&dialog);
    for (size_t i = 0; i < N; ++i)
        buttons->addButton(AddRadio(layout, ids[i], texts[i]), static_cast<int>(i));
    return buttons;
}

void PdCheck(QDialog& dialog, std::span<const int> ids, uint16_t value)
{
    if (value < ids.size())
        FindControl<QRadioButton>(dialog, ids[value])->setChecked(true);
}

uint16_t PdChecked(const QDialog& dialog, std::span<const int> ids, uint16_t keep)
{
    for (size_t i = 0; i < ids.size(); ++i) {
        if (FindControl<QRadioButton>(dialog, ids[i])->isChecked())
            return static_cast<uint16_t>(i);
    }
    return keep;
}

QLineEdit* PdEdit(const QDialog& dialog, int id) { return FindControl<QLineEdit>(dialog, id); }

void PdSelect(QLineEdit* edit)
{
    edit->setFocus();
    edit->selectAll();
}

uint16_t PdNumber(const QLineEdit* edit) { return static_cast<uint16_t>(edit->text().toInt()); }

} // namespace

// --- Times ------------------------------------------------------------------

CDlgTimes::CDlgTimes(KeptDialogSource source, std::function<std::tm()> clock,
                     std::function<std::string()> dwCaption, QWidget* parent)
    : QDialog(parent), m_source(std::move(source)), m_clock(std::move(clock)), m_dwCaption(std::move(dwCaption))
{
    SetCaption(*this, "Zeiten");
    auto* layout = new QVBoxLayout(this);
    auto* roll = new QHBoxLayout;
    layout->addLayout(roll);
    roll->addWidget(new QLabel(QStringLiteral("Rollierzeit")));
    AddEdit(*roll, CDlgTimesForm::kIdRoll);
    roll->addWidget(new QLabel(QStringLiteral("Sekunden")));
    auto* adr = new QHBoxLayout;
    layout->addLayout(adr);
    AddLabel(*adr, CDlgTimesForm::kIdLowLabel, "Von DW");
    AddEdit(*adr, CDlgTimesForm::kIdHigh);
    AddEdit(*adr, CDlgTimesForm::kIdLow);
    QVBoxLayout& modes = PdGroup(*layout, "Datumsformat");
    PdRadios<3>(*this, modes, CDlgTimesForm::kIdDateModes, {"EU", "US", "MIL"});
    AddOkCancel(*layout, *this);
}

void CDlgTimes::showEvent(QShowEvent* event)
{
    m_form.emplace(m_source.prj ? m_source.prj() : nullptr, m_clock, m_dwCaption ? m_dwCaption() : "DW",
                   m_source.devTyp ? m_source.devTyp() : std::string());
    PdEdit(*this, CDlgTimesForm::kIdRoll)->setText(QString::number(m_form->roll));
    PdEdit(*this, CDlgTimesForm::kIdHigh)->setText(QString::number(m_form->adr.high));
    PdEdit(*this, CDlgTimesForm::kIdHigh)->setEnabled(m_form->HighEnabled());
    PdEdit(*this, CDlgTimesForm::kIdLow)->setText(QString::number(m_form->adr.low));
    PdEdit(*this, CDlgTimesForm::kIdLow)->setEnabled(m_form->LowEnabled());
    FindControl<QLabel>(*this, CDlgTimesForm::kIdLowLabel)->setText(FromCp1252(m_form->LowLabel()));
    for (size_t i = 0; i < CDlgTimesForm::kIdDateModes.size(); ++i) {
        auto* radio = FindControl<QRadioButton>(*this, CDlgTimesForm::kIdDateModes[i]);
        radio->setText(FromCp1252(m_form->DateText(static_cast<int>(i))));
        radio->setEnabled(m_form->DateModesEnabled());
    }
    PdCheck(*this, CDlgTimesForm::kIdDateModes, m_form->dateMode);
    QDialog::showEvent(event);
}

void CDlgTimes::accept()
{
    if (m_form) {
        m_form->roll = static_cast<int16_t>(PdEdit(*this, CDlgTimesForm::kIdRoll)->text().toInt());
        m_form->adr = {PdNumber(PdEdit(*this, CDlgTimesForm::kIdHigh)), PdNumber(PdEdit(*this, CDlgTimesForm::kIdLow))};
        m_form->dateMode = PdChecked(*this, CDlgTimesForm::kIdDateModes, m_form->dateMode);
        if (!m_form->Ok()) {
            const bool roll = m_form->FailedField() == CDlgTimesForm::Field::Roll;
            PdSelect(PdEdit(*this, roll ? CDlgTimesForm::kIdRoll : CDlgTimesForm::kIdLow));
            return;
        }
    }
    QDialog::accept();
}

// --- Printer parameters -------------------------------------------------------

CDlgPrnPar::CDlgPrnPar(KeptDialogSource source, QWidget* parent) : QDialog(parent), m_source(std::move(source))
{
    using F = CDlgPrnParForm;
    SetCaption(*this, "Druckerparameter");
    auto* layout = new QVBoxLayout(this);
    // Three columns, so that the dialog fits a screen: the line, the frame
    // and text settings, the replacement bytes or control sequences.
    auto* columns = new QHBoxLayout;
    layout->addLayout(columns);
    auto* line = new QVBoxLayout;
    auto* frame = new QVBoxLayout;
    auto* bytes = new QVBoxLayout;
    for (QVBoxLayout* column : {line, frame, bytes})
        columns->addLayout(column);
    QVBoxLayout& ifc = PdGroup(*line, "Schnittstelle");
    PdRadios<2>(*this, ifc, F::kIdIfc, {"RS232", "TTY"});
    auto* status = new QHBoxLayout;
    line->addLayout(status);
    AddLabel(*status, 0, "Druckerstatus (2 Worte)")->setObjectName(QStringLiteral("statusLabel"));
    AddLabel(*status, 0, "von DxW")->setObjectName(QStringLiteral("statusFromLabel"));
    AddEdit(*status, F::kIdStatus);
    QVBoxLayout& handshake = PdGroup(*line, "Handshake");
    handshake.parentWidget()->setObjectName(QStringLiteral("handshakeGroup"));
    PdRadios<3>(*this, handshake, F::kIdHandshake, {"- kein -", "XON / XOFF", "RTS / CTS"});
    QVBoxLayout& baud = PdGroup(*line, "Baudrate");
    PdRadios<5>(*this, baud, F::kIdBaud, {"1200 Baud", "2400 Baud", "4800 Baud", "9600 Baud", "19200 Baud"});
    QVBoxLayout& parity = PdGroup(*frame, "Parit\xE4t");
    PdRadios<3>(*this, parity, F::kIdParity, {"NONE", "EVEN", "ODD"});
    QVBoxLayout& dataBits = PdGroup(*frame, "Datenbits");
    PdRadios<2>(*this, dataBits, F::kIdDataBits, {"7", "8"});
    QVBoxLayout& stopBits = PdGroup(*frame, "Stopbits");
    PdRadios<2>(*this, stopBits, F::kIdStopBits, {"1", "2"});
    QVBoxLayout& direction = PdGroup(*frame, "Druckrichtung");
    PdRadios<2>(*this, direction, F::kIdDirection, {"abw\xE4rts (1 -> 32)", "aufw\xE4rts (32 -> 1)"});
    auto* timeout = new QHBoxLayout;
    frame->addLayout(timeout);
    timeout->addWidget(new QLabel(QStringLiteral("Timeout")));
    AddEdit(*timeout, F::kIdTimeout);
    timeout->addWidget(new QLabel(QStringLiteral("Sekunden")));
    auto* init = new QHBoxLayout;
    frame->addLayout(init);
    init->addWidget(new QLabel(QStringLiteral("Initialisierung")));
    auto* initEdit = new CHexEdit;
    initEdit->setObjectName(ControlName(F::kIdInit));
    init->addWidget(initEdit);
    QVBoxLayout& subst = PdGroup(*bytes, "Ersatz f\xFCr definierbare Zeichen");
    subst.parentWidget()->setObjectName(QStringLiteral("substGroup"));
    QVBoxLayout& ctrl = PdGroup(*bytes, "Drucker Steuersequenzen");
    ctrl.parentWidget()->setObjectName(QStringLiteral("ctrlGroup"));
    static constexpr const char* kCtrlLabels[] = {"1 <TAB> hex", "2 <ESC> hex", "3 <LF> hex",  "4 <FF> hex",
                                                  "5 <Fe+> hex", "6 <Fe-> hex", "7 <Un+> hex", "8 <Un-> hex"};
    for (int i = 0; i < 8; ++i) {
        auto* row = new QHBoxLayout;
        subst.addLayout(row);
        row->addWidget(new QLabel(QStringLiteral("%1  *  hex").arg(i + 1)));
        auto* edit = new CHexEdit;
        edit->setObjectName(ControlName(F::kIdSubst[static_cast<size_t>(i)]));
        edit->setMaxLength(2);
        row->addWidget(edit);
        auto* ctrlRow = new QHBoxLayout;
        ctrl.addLayout(ctrlRow);
        ctrlRow->addWidget(new QLabel(FromCp1252(kCtrlLabels[i])));
        auto* seq = new CHexEdit;
        seq->setObjectName(ControlName(F::kIdCtrl[static_cast<size_t>(i)]));
        seq->setMaxLength(16);
        ctrlRow->addWidget(seq);
    }
    for (QVBoxLayout* column : {line, frame, bytes})
        column->addStretch();
    AddOkCancel(*layout, *this);
}

void CDlgPrnPar::showEvent(QShowEvent* event)
{
    using F = CDlgPrnParForm;
    m_form.emplace(m_source.prj ? m_source.prj() : nullptr);
    const F::Layout& lay = m_form->GetLayout();
    FindControl<QRadioButton>(*this, F::kIdIfc[1])->setEnabled(lay.ttyEnabled);
    for (const char* name : {"statusLabel", "statusFromLabel"})
        findChild<QLabel*>(QString::fromLatin1(name))->setVisible(lay.statusShown);
    PdEdit(*this, F::kIdStatus)->setVisible(lay.statusShown);
    PdEdit(*this, F::kIdStatus)->setMaxLength(3);
    for (const char* name : {"handshakeGroup", "substGroup"})
        findChild<QGroupBox*>(QString::fromLatin1(name))->setVisible(lay.substShown);
    findChild<QGroupBox*>(QStringLiteral("ctrlGroup"))->setVisible(!lay.substShown);
    PdEdit(*this, F::kIdTimeout)->setMaxLength(lay.timeoutLen > 0 ? lay.timeoutLen : 32767);
    PdEdit(*this, F::kIdInit)->setMaxLength(lay.initLen);
    const F::Values& v = m_form->values;
    PdCheck(*this, F::kIdIfc, v.ifc);
    PdCheck(*this, F::kIdHandshake, v.handshake);
    PdCheck(*this, F::kIdBaud, v.baud);
    PdCheck(*this, F::kIdParity, v.parity);
    PdCheck(*this, F::kIdDataBits, v.dataBits);
    PdCheck(*this, F::kIdStopBits, v.stopBits);
    PdCheck(*this, F::kIdDirection, v.direction);
    PdEdit(*this, F::kIdStatus)->setText(FromCp1252(m_form->status));
    PdEdit(*this, F::kIdTimeout)->setText(FromCp1252(m_form->timeout));
    PdEdit(*this, F::kIdInit)->setText(FromCp1252(m_form->init));
    for (size_t i = 0; i < 8; ++i) {
        PdEdit(*this, F::kIdSubst[i])->setText(FromCp1252(m_form->subst[i]));
        PdEdit(*this, F::kIdCtrl[i])->setText(FromCp1252(m_form->ctrl[i]));
    }
    QDialog::showEvent(event);
}

void CDlgPrnPar::accept()
{
    using F = CDlgPrnParForm;
    if (m_form) {
        F::Values& v = m_form->values;
        v.ifc = PdChecked(*this, F::kIdIfc, v.ifc);
        v.handshake = PdChecked(*this, F::kIdHandshake, v.handshake);
        v.baud = PdChecked(*this, F::kIdBaud, v.baud);
        v.parity = PdChecked(*this, F::kIdParity, v.parity);
        v.dataBits = PdChecked(*this, F::kIdDataBits, v.dataBits);
        v.stopBits = PdChecked(*this, F::kIdStopBits, v.stopBits);
        v.direction = PdChecked(*this, F::kIdDirection, v.direction);
        m_form->status = ToCp1252(PdEdit(*this, F::kIdStatus)->text());
        m_form->timeout = ToCp1252(PdEdit(*this, F::kIdTimeout)->text());
        m_form->init = ToCp1252(PdEdit(*this, F::kIdInit)->text());
        for (size_t i = 0; i < 8; ++i) {
            m_form->subst[i] = ToCp1252(PdEdit(*this, F::kIdSubst[i])->text());
            m_form->ctrl[i] = ToCp1252(PdEdit(*this, F::kIdCtrl[i])->text());
        }
        if (!m_form->Ok()) {
            PdSelect(PdEdit(*this, m_form->FailedId()));
            return;
        }
    }
    QDialog::accept();
}

// --- Memory partition ---------------------------------------------------------

CDlgMemPartition::CDlgMemPartition(KeptDialogSource source, QWidget* parent)
    : QDialog(parent), m_source(std::move(source))
{
    using F = CDlgMemPartitionForm;
    SetCaption(*this, "ORV-Speicheraufteilung");
    auto* layout = new QVBoxLayout(this);
    QVBoxLayout& data = PdGroup(*layout, "Datensatzformat");
    PdRadios<2>(*this, data, std::array<int, 2>{F::kIdLarge, F::kIdSmall}, {"gro\xDF", "klein"});
    QVBoxLayout& rcp = PdGroup(*layout, "Rezepturformat");
    PdRadios<2>(*this, rcp, std::array<int, 2>{F::kIdShared, F::kIdSeparate},
                {"gemeinsame (gro\xDF" "e) Rezeptur", "getrennte (kleine) Rezeptur"});
    for (int id : {F::kIdLarge, F::kIdSmall}) {
        connect(FindControl<QRadioButton>(*this, id), &QRadioButton::toggled, this, [this] {
            if (m_form) {
                m_form->large = FindControl<QRadioButton>(*this, F::kIdLarge)->isChecked();
                ShowRecipeEnabling();
            }
        });
    }
    AddOkCancel(*layout, *this);
}

void CDlgMemPartition::ShowRecipeEnabling()
{
    for (int id : {CDlgMemPartitionForm::kIdShared, CDlgMemPartitionForm::kIdSeparate})
        FindControl<QRadioButton>(*this, id)->setEnabled(m_form->RecipeEnabled());
}

void CDlgMemPartition::showEvent(QShowEvent* event)
{
    using F = CDlgMemPartitionForm;
    m_form.emplace(m_source.prj ? m_source.prj() : nullptr);
    const bool large = m_form->large;
    FindControl<QRadioButton>(*this, large ? F::kIdLarge : F::kIdSmall)->setChecked(true);
    FindControl<QRadioButton>(*this, m_form->shared ? F::kIdShared : F::kIdSeparate)->setChecked(true);
    m_form->large = large;
    ShowRecipeEnabling();
    QDialog::showEvent(event);
}

void CDlgMemPartition::accept()
{
    if (m_form) {
        m_form->shared = FindControl<QRadioButton>(*this, CDlgMemPartitionForm::kIdShared)->isChecked();
        m_form->Ok();
    }
    QDialog::accept();
}

// --- Menu options -------------------------------------------------------------

CDlgMnuOpt::CDlgMnuOpt(CPrjData* prj, CPrjMnu* menu, QWidget* parent) : QDialog(parent), m_form(prj)
{
    using F = CDlgMnuOptForm;
    m_form.LoadFromMenu(menu);
    SetCaption(*this, "Men\xFCoptionen (Behandlung von Sollwerten)");
    auto* layout = new QVBoxLayout(this);
    static constexpr const char* kValues[] = {"nicht\nr\xFC" "ckschreiben", "einfaches\nr\xFC" "ckschreiben",
                                              "r\xFC" "ckschreiben\nmit warten",
                                              "r\xFC" "ckschreiben\nmit r\xFC" "cklesen"};
    static constexpr const char* kEvents[] = {"Soll-P 1 -> 0", "Men\xFC" "ende", "Cursortasten", "ENTER-Taste"};
    static constexpr const char* kGroups[] = {"Behandlung unver\xE4nderter Sollwerte",
                                              "Behandlung ge\xE4nderter Sollwerte"};
    for (int g = 0; g < 2; ++g) {
        auto* group = new QGroupBox(FromCp1252(kGroups[g]));
        layout->addWidget(group);
        auto* grid = new QGridLayout(group);
        grid->addWidget(new QLabel(QStringLiteral("bei")), 0, 0);
        for (int v = 0; v < 4; ++v)
            grid->addWidget(new QLabel(FromCp1252(kValues[v])), 0, v + 1);
        for (int r = 0; r < 4; ++r) {
            const int o = 4 * g + r;
            grid->addWidget(new QLabel(FromCp1252(kEvents[r])), r + 1, 0);
            auto* buttons = new QButtonGroup(this);
            for (int v = 0; v < 4; ++v) {
                auto* radio = new QRadioButton;
                radio->setObjectName(ControlName(F::kIdRadios[static_cast<size_t>(o)][static_cast<size_t>(v)]));
                buttons->addButton(radio, v);
                grid->addWidget(radio, r + 1, v + 1);
            }
            connect(buttons, &QButtonGroup::idClicked, this,
                    [this, o](int v) { m_form.options[static_cast<size_t>(o)] = static_cast<uint16_t>(v); });
        }
    }
    auto* defaults = new QPushButton(QStringLiteral("Default Optionen"));
    defaults->setObjectName(ControlName(F::kIdDefault));
    layout->addWidget(defaults);
    connect(defaults, &QPushButton::clicked, this, [this] {
        m_form.Default();
        ShowOptions();
    });
    AddOkCancel(*layout, *this);
    ShowOptions();
}

void CDlgMnuOpt::ShowOptions()
{
    for (size_t o = 0; o < CDlgMnuOptForm::kOptions; ++o)
        PdCheck(*this, CDlgMnuOptForm::kIdRadios[o], m_form.options[o]);
}

void CDlgMnuOpt::accept()
{
    m_changed = m_form.Ok();
    QDialog::accept();
}

// --- Menu node ------------------------------------------------------------------

CDlgMnuNode::CDlgMnuNode(CPrjData* prj, CPrjMnu& menu, CPrjMnuNode& node, QWidget* parent)
    : QDialog(parent), m_form(prj, menu, node)
{
    SetCaption(*this, "Men\xFCknoten");
    auto* layout = new QVBoxLayout(this);
    static constexpr const char* kLinks[] = {"links", "rechts", "unten", "oben"};
    for (size_t d = 0; d < 4; ++d) {
        auto* row = new QHBoxLayout;
        layout->addLayout(row);
        row->addWidget(new QLabel(FromCp1252(kLinks[d])));
        QComboBox* combo = AddCombo(*row, CDlgMnuNodeForm::kIdLinks[d]);
        for (const std::string& entry : m_form.LinkEntries())
            combo->addItem(FromCp1252(entry));
        combo->setCurrentIndex(m_form.LinkSelection()[d]);
    }
    auto* row = new QHBoxLayout;
    layout->addLayout(row);
    row->addWidget(new QLabel(QStringLiteral("Bedientext-Nr")));
    QComboBox* texts = AddCombo(*row, CDlgMnuNodeForm::kIdOpTxt);
    for (const std::string& entry : m_form.OpTxtEntries())
        texts->addItem(FromCp1252(entry));
    texts->setCurrentIndex(m_form.OpTxtSelection());
    AddOkCancel(*layout, *this);
}

void CDlgMnuNode::accept()
{
    std::array<std::string, 4> links;
    for (size_t d = 0; d < 4; ++d)
        links[d] = ToCp1252(FindControl<QComboBox>(*this, CDlgMnuNodeForm::kIdLinks[d])->currentText());
    m_changed = m_form.Ok(links, FindControl<QComboBox>(*this, CDlgMnuNodeForm::kIdOpTxt)->currentIndex());
    QDialog::accept();
}

// --- Time switches ----------------------------------------------------------------

CDlgTimeSw::CDlgTimeSw(QWidget* parent) : QDialog(parent)
{
    SetCaption(*this, "Zeitschaltuhren");
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    grid->addWidget(new QLabel(QStringLiteral("Einschalten")), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Ausschalten")), 0, 2);
    for (int r = 0; r < 8; ++r) {
        const int ids[] = {2160 + r, 2170 + r, 2180 + r, 2190 + r};
        for (int c = 0; c < 4; ++c) {
            QWidget* control = c % 2 == 0 ? static_cast<QWidget*>(new QComboBox) : new QLineEdit;
            control->setObjectName(ControlName(ids[c]));
            control->setEnabled(false);
            grid->addWidget(control, r + 1, c);
        }
    }
    AddOkCancel(*layout, *this);
}

// --- Recipe block address ---------------------------------------------------------

CDlgRcpAdr::CDlgRcpAdr(CPrjData* prj, QWidget* parent) : QDialog(parent), m_form(prj)
{
    SetCaption(*this, "Rezeptblock-Adresse");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Rezeptblock (3 Worte) von Adresse")));
    auto* edit = new CNumEdit;
    edit->setObjectName(ControlName(CDlgRcpAdrForm::kIdAdr));
    edit->setText(FromCp1252(m_form.text));
    layout->addWidget(edit);
    AddOkCancel(*layout, *this);
}

void CDlgRcpAdr::accept()
{
    QLineEdit* edit = PdEdit(*this, CDlgRcpAdrForm::kIdAdr);
    m_form.text = ToCp1252(edit->text());
    if (!m_form.Ok()) {
        PdSelect(edit);
        return;
    }
    QDialog::accept();
}

// --- Driver variable ------------------------------------------------------------------

CDlgDrvVar::CDlgDrvVar(CDrvCfg& cfg, int index, QWidget* parent) : QDialog(parent), m_form(cfg, index)
{
    SetCaption(*this, "Treibervariable");
    auto* layout = new QVBoxLayout(this);
    AddLabel(*layout, CDlgDrvVarForm::kIdCaption, m_form.Caption().c_str());
    auto* edit = new CNumEdit;
    edit->SetSigned(true);
    edit->setObjectName(ControlName(CDlgDrvVarForm::kIdValue));
    edit->setText(FromCp1252(m_form.text));
    layout->addWidget(edit);
    QComboBox* combo = AddCombo(*layout, CDlgDrvVarForm::kIdChoice);
    for (const std::string& choice : m_form.Choices())
        combo->addItem(FromCp1252(choice));
    combo->setCurrentIndex(m_form.IsChoice() ? m_form.ChoiceIndex() : -1);
    edit->setVisible(!m_form.IsChoice());
    combo->setVisible(m_form.IsChoice());
    AddOkCancel(*layout, *this);
}

void CDlgDrvVar::accept()
{
    QLineEdit* edit = PdEdit(*this, CDlgDrvVarForm::kIdValue);
    m_form.text = ToCp1252(edit->text());
    if (!m_form.Ok(FindControl<QComboBox>(*this, CDlgDrvVarForm::kIdChoice)->currentIndex())) {
        PdSelect(edit);
        return;
    }
    QDialog::accept();
}

// --- Message text options -----------------------------------------------------------

CDlgMsgTxtOpt::CDlgMsgTxtOpt(QWidget* parent) : QDialog(parent)
{
    SetCaption(*this, "Meldetext-Optionen");
    auto* layout = new QVBoxLayout(this);
    QVBoxLayout& group = PdGroup(*layout, "Melde-Anlaufverhalten");
    AddRadio(group, 2152, "Aktive Meldungen bleiben gespeichert")->setEnabled(false);
    AddRadio(group, 2153, "Aktive Meldungen werden gel\xF6scht")->setEnabled(false);
    AddOkCancel(*layout, *this);
}

// --- Hint -------------------------------------------------------------------------------

CDlgHint::CDlgHint(std::string_view text, int helpPage, std::function<void(int)> help, QWidget* parent)
    : QDialog(parent), m_helpPage(helpPage), m_help(std::move(help))
{
    SetCaption(*this, "Hinweis");
    auto* layout = new QVBoxLayout(this);
    auto* notice = new QLabel(FromCp1252(text));
    notice->setObjectName(ControlName(1979));
    notice->setWordWrap(true);
    layout->addWidget(notice);
    AddCheck(*layout, 1980, "Diesen Hinweis immer anzeigen")->setChecked(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

bool CDlgHint::Again() const
{
    return result() != QDialog::Accepted || FindControl<QCheckBox>(*this, 1980)->isChecked();
}

void CDlgHint::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1 && m_help) {
        m_help(m_helpPage);
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace orv
