// The variable dialog's widgets, laid out as the template groups them; they
// only mirror the form and hand it what the user did.
#include "dialogs/DlgVar.h"

#include "dialogs/EditControls.h"
#include "dialogs/LineEditListBox.h"
#include "dialogs/PlcListSync.h"
#include "dialogs/QtText.h"
#include "workspace/DlgRunner.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStackedWidget>

namespace orv {

namespace {

using VF = CDlgVarForm;

enum class DvKind { Group, Edit, Num, Label, Radio, Check, Button, List };

struct DvCtl {
    int id;
    DvKind kind;
    const char* text; // cp1252
    int parent;       // group id, or 0 for the page or the dialog
    int page;         // -1 outside the pages
};

// The controls of template 131 in the order they are laid out.
constexpr DvCtl kDvCtls[] = {
    {1032, DvKind::Group, "Ad&resse DW", 0, -1},
    {1007, DvKind::Edit, "", 1032, -1},
    {1033, DvKind::Label, ".", 1032, -1},
    {1006, DvKind::Edit, "", 1032, -1},
    {1031, DvKind::Group, "&Format", 0, -1},
    {1016, DvKind::Radio, "Bit", 1031, -1},
    {1017, DvKind::Radio, "String", 1031, -1},
    {1018, DvKind::Radio, "Bin\xE4r", 1031, -1},
    {1019, DvKind::Radio, "Timer", 1031, -1},
    {1020, DvKind::Radio, "BCD", 1031, -1},
    {1021, DvKind::Radio, "ASCII", 1031, -1},
    {1022, DvKind::Radio, "Word", 1031, -1},
    {1023, DvKind::Radio, "MC5", 1031, -1},
    {1030, DvKind::Group, "&Klasse", 0, -1},
    {1040, DvKind::Radio, "IST-Wert", 1030, -1},
    {1041, DvKind::Radio, "SOLL-Wert", 1030, -1},
    {1042, DvKind::Radio, "Soll-P-Wert", 1030, -1},
    // page 0 Bit
    {1400, DvKind::Group, "&Bitposition", 0, 0},
    {1402, DvKind::Edit, "", 1400, 0},
    {1401, DvKind::Group, "&Auspr\xE4gungen", 0, 0},
    {1403, DvKind::List, "", 1401, 0},
    // page 1 String
    {1102, DvKind::Group, "&Wertebereich", 0, 1},
    {1105, DvKind::Label, "0 ..", 1102, 1},
    {1103, DvKind::Edit, "", 1102, 1},
    {1104, DvKind::Group, "&Auspr\xE4gungen", 0, 1},
    {1101, DvKind::List, "", 1104, 1},
    {1106, DvKind::Check, "R\xFC" "ckschreiben nach &jeder \xC4nderung", 0, 1},
    // page 2 Binaer
    {1306, DvKind::Group, "Stellen", 0, 2},
    {1310, DvKind::Label, "&Vorkomma", 1306, 2},
    {1308, DvKind::Edit, "", 1306, 2},
    {1309, DvKind::Label, "Nac&hkomma", 1306, 2},
    {1302, DvKind::Edit, "", 1306, 2},
    {1307, DvKind::Group, "&Grenzen", 0, 2},
    {1313, DvKind::Label, "ORV - &Minimum", 1307, 2},
    {1300, DvKind::Num, "", 1307, 2},
    {1314, DvKind::Label, "ORV - Ma&ximum", 1307, 2},
    {1301, DvKind::Num, "", 1307, 2},
    {1312, DvKind::Label, "SPS - &Minimum", 1307, 2},
    {1303, DvKind::Num, "", 1307, 2},
    {1311, DvKind::Label, "SPS - Ma&ximum", 1307, 2},
    {1304, DvKind::Num, "", 1307, 2},
    {1315, DvKind::Check, "&Doppelwort", 0, 2},
    {1316, DvKind::Check, "&Vornullen", 0, 2},
    {1317, DvKind::Check, "Vor&zeichen", 0, 2},
    {1305, DvKind::Check, "&Taschenrechner - Eingabe", 0, 2},
    // page 3 Timer
    {1801, DvKind::Group, "Zeitbasis A&uspr\xE4gungen", 0, 3},
    {1800, DvKind::List, "", 1801, 3},
    // page 4 BCD
    {1508, DvKind::Group, "S&tellen", 0, 4},
    {1500, DvKind::Edit, "", 1508, 4},
    {1509, DvKind::Group, "&Grenzen", 0, 4},
    {1504, DvKind::Label, "&Minimum", 1509, 4},
    {1501, DvKind::Edit, "", 1509, 4},
    {1503, DvKind::Label, "Ma&ximum", 1509, 4},
    {1502, DvKind::Edit, "", 1509, 4},
    {1505, DvKind::Check, "&Doppelwort", 0, 4},
    {1506, DvKind::Check, "&Vornullen", 0, 4},
    {1507, DvKind::Check, "&Verdeckte Eingabe", 0, 4},
    // page 5 ASCII
    {1201, DvKind::Group, "&L\xE4nge", 0, 5},
    {1200, DvKind::Edit, "", 1201, 5},
    {1202, DvKind::Label, "Zeichen", 1201, 5},
    // page 6 Word
    {1603, DvKind::Group, "Darstellung", 0, 6},
    {1600, DvKind::Radio, "K&M - bitweise", 1603, 6},
    {1601, DvKind::Radio, "K&H - hexadezimal", 1603, 6},
    {1602, DvKind::Radio, "K&Y - bytewise dezimal", 1603, 6},
    // page 7 MC5
    {1703, DvKind::Group, "Darstellung", 0, 7},
    {1700, DvKind::Radio, "Operator", 1703, 7},
    {1704, DvKind::Radio, "Operand", 1703, 7},
    {1701, DvKind::Radio, "Symbolik", 1703, 7},
    {1702, DvKind::Radio, "Kommentar", 1703, 7},
    // line buttons and the dialog's buttons
    {1044, DvKind::Button, "&Zeichen", 0, -1},
    {1045, DvKind::Button, "Ko&pieren", 0, -1},
    {1046, DvKind::Button, "&Einf\xFCgen", 0, -1},
    {1047, DvKind::Button, "En&tfernen", 0, -1},
    {1, DvKind::Button, "OK", 0, -1},
    {2, DvKind::Button, "Cancel", 0, -1},
};

// Edits whose leaving runs the form's advisory check.
bool DvChecksOnLeave(int id)
{
    return id == VF::kBcdDigits || id == VF::kBinInt || id == VF::kBinDec || id == VF::kBitNo ||
           id == VF::kStrCount;
}

std::vector<std::string> DvLines(const CLineEditListBox& box)
{
    std::vector<std::string> lines;
    for (int i = 0; i < box.GetCount(); ++i) lines.push_back(box.GetText(i));
    return lines;
}

} // namespace

CDlgVar::CDlgVar(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Variable"));
    auto* top = new QVBoxLayout(this);
    auto* head = new QHBoxLayout;
    top->addLayout(head);
    m_stack = new QStackedWidget(this);
    std::vector<QWidget*> pages;
    for (int p = 0; p <= 8; ++p) {
        pages.push_back(new QWidget(m_stack));
        new QVBoxLayout(pages.back());
        m_stack->addWidget(pages.back());
    }
    top->addWidget(m_stack);
    auto* buttons = new QHBoxLayout;
    top->addLayout(buttons);

    // A label's mnemonic moves the focus to the control after it, as a
    // static text's does; Qt shows the "&" of a label without a buddy.
    QLabel* pendingBuddy = nullptr;
    for (const DvCtl& c : kDvCtls) {
        QWidget* w = nullptr;
        const QString text = FromCp1252(c.text);
        switch (c.kind) {
        case DvKind::Group: w = new QGroupBox(text); break;
        case DvKind::Edit: w = new QLineEdit; break;
        case DvKind::Num: w = new CNumEdit; break;
        case DvKind::Label: w = new QLabel(text); break;
        case DvKind::Radio: {
            auto* r = new QRadioButton(text);
            // The form decides which radio is checked, also "none".
            r->setAutoExclusive(false);
            w = r;
            break;
        }
        case DvKind::Check: w = new QCheckBox(text); break;
        case DvKind::Button: w = new QPushButton(text); break;
        case DvKind::List: w = new CLineEditListBox; break;
        }
        w->setObjectName(QStringLiteral("c%1").arg(c.id));
        m_ctls[c.id] = w;
        if (pendingBuddy != nullptr && c.kind != DvKind::Label && c.kind != DvKind::Group) {
            pendingBuddy->setBuddy(w);
            pendingBuddy = nullptr;
        }
        if (c.kind == DvKind::Label && text.contains(QLatin1Char('&')))
            pendingBuddy = static_cast<QLabel*>(w);
        if (c.kind == DvKind::Group) {
            if (c.id == VF::kGrpAdr) new QHBoxLayout(w);
            else new QVBoxLayout(w);
        }
        if (c.parent != 0) {
            static_cast<QBoxLayout*>(m_ctls[c.parent]->layout())->addWidget(w);
        } else if (c.page >= 0) {
            static_cast<QBoxLayout*>(pages[size_t(c.page)]->layout())->addWidget(w);
        } else if (c.kind == DvKind::Button) {
            buttons->addWidget(w);
        } else {
            head->addWidget(w);
        }

        const int id = c.id;
        if (c.kind == DvKind::Radio) {
            connect(static_cast<QRadioButton*>(w), &QRadioButton::clicked, this, [this, id] {
                Run([this, id] {
                    if (id >= VF::kFmtBit && id <= VF::kFmtMc5) m_form.OnFormat(id);
                    else if (id >= VF::kIst && id <= VF::kSollP) m_form.OnClass(id);
                    else if (id >= VF::kWordKm && id <= VF::kWordKy) m_form.OnWordForm(id);
                });
            });
        } else if (c.kind == DvKind::Check) {
            auto* box = static_cast<QCheckBox*>(w);
            connect(box, &QCheckBox::clicked, this, [this, id](bool on) { Run([this, id, on] { m_form.OnCheck(id, on); }); });
        } else if ((c.kind == DvKind::Edit) && DvChecksOnLeave(id)) {
            connect(static_cast<QLineEdit*>(w), &QLineEdit::editingFinished, this, [this, id] {
                if (!m_pushing && isVisible()) Run([this, id] { m_form.OnLeave(id); });
            });
        }
    }
    auto button = [this](int id) { return static_cast<QPushButton*>(m_ctls[id]); };
    button(VF::kOk)->setDefault(true);
    connect(button(VF::kOk), &QPushButton::clicked, this, &CDlgVar::accept);
    connect(button(VF::kCancel), &QPushButton::clicked, this, &QDialog::reject);
    connect(button(VF::kInsert), &QPushButton::clicked, this, [this] { Run([this] { m_form.OnInsertLine(); }); });
    connect(button(VF::kRemove), &QPushButton::clicked, this, [this] { Run([this] { m_form.OnRemoveLine(); }); });
    connect(button(VF::kChar), &QPushButton::clicked, this, [this] {
        if (m_runner == nullptr) return;
        // The table sends its codes queued, while it is still open.
        m_runner->RunCharSel([this](uint16_t code) { ForwardCharacter(code); });
        if (const int target = m_form.CharTarget()) m_ctls[target]->setFocus(Qt::OtherFocusReason);
    });
}

void CDlgVar::Open(PrjBundle* bundle, const std::string& dwCaption, IViewDc* view, CDlgRunner* runner)
{
    m_runner = runner;
    m_form.SetView(view);
    m_form.Open(bundle, dwCaption);
    setWindowTitle(FromCp1252(m_form.Title()));
    constexpr int kMargin = 4;
    for (int id : {VF::kBitList, VF::kStrList, VF::kTimerList}) {
        auto* box = static_cast<CLineEditListBox*>(m_ctls[id]);
        box->setMinimumSize((m_form.MaxWidth() + 5) * box->CharWidth() + 2 * kMargin,
                            VF::ListLines(id) * box->ItemHeight() + 2 * kMargin);
    }
    Push();
}

void CDlgVar::ForwardCharacter(int code)
{
    const int target = m_form.CharTarget();
    if (target == 0) return;
    static_cast<CLineEditListBox*>(m_ctls[target])->InsertCharacter(code);
}

template <class Step>
void CDlgVar::Run(Step step)
{
    Pull();
    step();
    Push();
}

void CDlgVar::accept()
{
    Pull();
    if (m_form.OnOk()) {
        QDialog::accept();
        return;
    }
    Push();
}

void CDlgVar::Pull()
{
    for (const auto& [id, w] : m_ctls) {
        if (auto* edit = qobject_cast<QLineEdit*>(w)) m_form.SetText(id, ToCp1252(edit->text()));
        else if (auto* box = dynamic_cast<CLineEditListBox*>(w)) {
            m_form.SetLines(id, DvLines(*box));
            m_form.SelectLine(id, box->Buf().GetSelected());
        }
    }
}

void CDlgVar::Push()
{
    m_pushing = true;
    for (const auto& [id, w] : m_ctls) {
        const CDlgVarForm::Ctl& ctl = m_form.Control(id);
        const QSignalBlocker block(w);
        const bool table = m_runner != nullptr && m_runner->IsAvailable(DlgId::CharSel);
        w->setEnabled(ctl.enabled && (id != VF::kChar || table));
        if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            const QString text = FromCp1252(ctl.text);
            if (edit->text() != text) edit->setText(text);
            edit->setMaxLength(ctl.limit > 0 ? ctl.limit : 32767);
            if (auto* num = dynamic_cast<CNumEdit*>(w)) num->SetSigned(ctl.signedNum);
        } else if (auto* button = qobject_cast<QAbstractButton*>(w); button && button->isCheckable()) {
            button->setChecked(ctl.checked);
        } else if (auto* box = dynamic_cast<CLineEditListBox*>(w)) {
            const auto& lines = m_form.Lines(id);
            if (DvLines(*box) != lines) {
                box->ResetContent();
                for (const std::string& line : lines) box->AddString(line);
            }
            box->SetMaxLineLen(m_form.MaxWidth());
        }
        if (id == VF::kGrpAdr) static_cast<QGroupBox*>(w)->setTitle(FromCp1252(ctl.text));
        if (id == VF::kStrCstring) static_cast<QCheckBox*>(w)->setText(FromCp1252(ctl.text));
        w->setVisible(ctl.shown);
    }
    m_stack->setCurrentIndex(m_form.Page() == VF::kNoPage ? 8 : m_form.Page());
    m_pushing = false;
    FocusControl(*this, m_form.Focus());
}

} // namespace orv
