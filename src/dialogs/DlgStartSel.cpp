// The start-selection dialog: translates the user's input into calls on the
// start-selection form and shows what the form holds.
#include "dialogs/DlgStartSel.h"

#include "dialogs/QtText.h"
#include "model/core/HelpPage.h"
#include "model/core/Log.h"
#include "workspace/CloseSourceEdit.h"
#include "workspace/StartSel.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <string>
#include <vector>

namespace orv {

namespace {

// Hidden controls keep their place, so that the others do not move when the
// PLC type hides the DB or the decimal places.
template <class W>
W* StartSelControl(QWidget* parent, int id, const char* cp1252Text = nullptr)
{
    auto* w = new W(parent);
    w->setObjectName(QStringLiteral("c%1").arg(id));
    if constexpr (!std::is_same_v<W, QComboBox> && !std::is_same_v<W, QLineEdit>) {
        if (cp1252Text != nullptr)
            w->setText(FromCp1252(cp1252Text));
    }
    QSizePolicy policy = w->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    w->setSizePolicy(policy);
    return w;
}

void FillStartSelCombo(QComboBox* combo, const std::vector<std::string>& names, int row)
{
    const QSignalBlocker blocker(combo);
    combo->clear();
    for (const std::string& name : names)
        combo->addItem(FromCp1252(name));
    combo->setCurrentIndex(row);
}

void ShowStartSelEdit(QLineEdit* edit, const std::string& text, bool shown, bool enabled)
{
    const QSignalBlocker blocker(edit);
    edit->setText(FromCp1252(text));
    edit->setVisible(shown);
    edit->setEnabled(enabled);
}

} // namespace

DlgStartSel::DlgStartSel(CStartSel& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    setObjectName(QStringLiteral("dlgStartSel"));
    setWindowTitle(QStringLiteral("Startauswahl"));
    BuildControls();
    WireControls();
}

void DlgStartSel::BuildControls()
{
    auto* grid = new QGridLayout;
    m_appLabel = StartSelControl<QLabel>(this, 1920, "ORV/TEQ");
    m_app = StartSelControl<QComboBox>(this, 1911);
    m_dev = StartSelControl<QComboBox>(this, 1912);
    m_sps = StartSelControl<QComboBox>(this, 1913);
    m_drv = StartSelControl<QComboBox>(this, 1914);
    grid->addWidget(m_appLabel, 0, 0);
    grid->addWidget(m_app, 0, 1, 1, 8);
    const int comboIds[] = {1921, 1922, 1923};
    const char* comboTexts[] = {"Konsole", "SPS", "Kommunikation"};
    QComboBox* combos[] = {m_dev, m_sps, m_drv};
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(StartSelControl<QLabel>(this, comboIds[i], comboTexts[i]), i + 1, 0);
        grid->addWidget(combos[i], i + 1, 1, 1, 8);
    }
    m_dbLabel = StartSelControl<QLabel>(this, 1916, "DB");
    m_db = StartSelControl<QLineEdit>(this, 1903);
    grid->addWidget(m_dbLabel, 4, 0);
    grid->addWidget(m_db, 4, 1);
    m_vonLabel = StartSelControl<QLabel>(this, 1917, "DW");
    m_von = StartSelControl<QLineEdit>(this, 1926);
    m_vonDecLabel = StartSelControl<QLabel>(this, 1958, ".");
    m_vonDec = StartSelControl<QLineEdit>(this, 1956);
    m_bisLabel = StartSelControl<QLabel>(this, 1919, "-");
    m_bis = StartSelControl<QLineEdit>(this, 1902);
    m_bisDecLabel = StartSelControl<QLabel>(this, 1957, ".");
    m_bisDec = StartSelControl<QLineEdit>(this, 1955);
    QWidget* dwRow[] = {m_vonLabel, m_von, m_vonDecLabel, m_vonDec, m_bisLabel, m_bis, m_bisDecLabel, m_bisDec};
    for (int i = 0; i < 8; ++i)
        grid->addWidget(dwRow[i], 5, i);
    m_intl = StartSelControl<QCheckBox>(this, 1928, "Internationales Display");
    m_simDrv = StartSelControl<QCheckBox>(this, 1931, "Simulationstreiber binden");
    m_keep = StartSelControl<QCheckBox>(this, 1977, "Diese Einstellungen \xFC" "bernehmen");
    grid->addWidget(m_intl, 6, 0, 1, 9);
    grid->addWidget(m_simDrv, 7, 0, 1, 9);
    grid->addWidget(m_keep, 8, 0, 1, 9);

    m_ok = StartSelControl<QPushButton>(this, 1, "OK");
    m_info = StartSelControl<QPushButton>(this, 1915, "INFO");
    m_ok->setDefault(true);
    m_info->setAutoDefault(false);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_ok);
    buttons->addWidget(m_info);
    buttons->addStretch();
    auto* top = new QHBoxLayout(this);
    top->addLayout(grid);
    top->addLayout(buttons);

    // The application row never shows, so it takes no room either.
    for (QWidget* w : {static_cast<QWidget*>(m_appLabel), static_cast<QWidget*>(m_app)}) {
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(false);
        w->setSizePolicy(policy);
        w->hide();
    }
    m_app->setEnabled(false);
}

void DlgStartSel::WireControls()
{
    for (QComboBox* combo : {m_app, m_dev, m_sps, m_drv})
        connect(combo, &QComboBox::currentIndexChanged, this, [this, combo](int row) { OnCombo(combo, row); });
    // Signals reach the form only while a run has one.
    auto toForm = [this](auto set) {
        return [this, set](auto value) {
            if (m_form)
                set(*m_form, value);
        };
    };
    connect(m_db, &QLineEdit::textEdited, this,
            toForm([](CStartSelForm& f, const QString& t) { f.SetDbText(ToCp1252(t)); }));
    connect(m_von, &QLineEdit::textEdited, this,
            toForm([](CStartSelForm& f, const QString& t) { f.SetVonText(ToCp1252(t)); }));
    connect(m_bis, &QLineEdit::textEdited, this,
            toForm([](CStartSelForm& f, const QString& t) { f.SetBisText(ToCp1252(t)); }));
    connect(m_intl, &QCheckBox::toggled, this, toForm([](CStartSelForm& f, bool on) { f.SetIntlChecked(on); }));
    connect(m_simDrv, &QCheckBox::toggled, this, toForm([](CStartSelForm& f, bool on) { f.SetSimDrv(on); }));
    connect(m_keep, &QCheckBox::toggled, this, toForm([](CStartSelForm& f, bool on) { f.SetKeepSettings(on); }));
    connect(m_ok, &QPushButton::clicked, this, &DlgStartSel::OnOk);
    connect(m_info, &QPushButton::clicked, this, &DlgStartSel::ShowHelp);
    m_von->installEventFilter(this);
    m_bis->installEventFilter(this);
    m_dev->installEventFilter(this);
    m_ok->installEventFilter(this);
}

bool DlgStartSel::Open()
{
    // The form is made after the source editor closed: its question comes
    // before anything of the dialog shows.
    m_form.reset();
    if (!CloseSourceEdit())
        return false;
    m_form.emplace(m_model);
    if (!m_form->Init()) {
        m_form.reset();
        return false;
    }
    m_okPressFired = false;
    m_swallowClick = false;
    Mirror();
    return true;
}

bool DlgStartSel::Run()
{
    return Open() && exec() == QDialog::Accepted;
}

void DlgStartSel::Mirror()
{
    const CStartSelForm& form = *m_form;
    FillStartSelCombo(m_app, form.AppNames(), form.AppRow());
    FillStartSelCombo(m_dev, form.DevNames(), form.DevRow());
    FillStartSelCombo(m_sps, form.SpsNames(), form.SpsRow());
    FillStartSelCombo(m_drv, form.DrvNames(), form.DrvRow());
    const StartSelControls& c = form.Controls();
    m_dbLabel->setVisible(c.dbLabelShown);
    ShowStartSelEdit(m_db, c.dbText, c.dbEditShown, true);
    m_vonLabel->setText(FromCp1252(c.dwCaption));
    m_vonLabel->setVisible(c.vonLabelShown);
    ShowStartSelEdit(m_von, c.vonText, c.vonShown, c.vonEnabled);
    m_vonDecLabel->setVisible(c.vonDecLabelShown);
    // The decimal places are shown by the rules but never read.
    m_vonDec->setVisible(c.vonDecShown);
    m_vonDec->setEnabled(c.vonDecEnabled);
    m_bisLabel->setVisible(c.bisLabelShown);
    ShowStartSelEdit(m_bis, c.bisText, c.bisShown, true);
    m_bisDecLabel->setVisible(c.bisDecLabelShown);
    ShowStartSelEdit(m_bisDec, c.bisDecText, c.bisDecShown, c.bisDecEnabled);
    const QSignalBlocker intl(m_intl);
    const QSignalBlocker sim(m_simDrv);
    const QSignalBlocker keep(m_keep);
    m_intl->setEnabled(c.intlEnabled);
    m_intl->setChecked(c.intlChecked);
    m_simDrv->setChecked(c.simDrv);
    m_keep->setChecked(c.keepSettings);
}

void DlgStartSel::OnCombo(QComboBox* combo, int row)
{
    if (!m_form || row < 0)
        return;
    if (combo == m_app)
        m_form->OnAppChanged(row);
    else if (combo == m_dev)
        m_form->OnDevChanged(row);
    else if (combo == m_sps)
        m_form->OnSpsChanged(row);
    else
        m_form->OnDrvChanged(row);
    Mirror();
}

bool DlgStartSel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_dev && event->type() == QEvent::FocusIn) {
        LogLine(kLogDebug, "SetFocus Dev");
    } else if (watched == m_ok && event->type() == QEvent::MouseButtonPress) {
        // Only the press that took the focus from a wrong field is swallowed;
        // its release may never come when a box took the mouse meanwhile.
        m_swallowClick = m_okPressFired;
        m_okPressFired = false;
    } else if ((watched == m_von || watched == m_bis) && event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Another window coming to the front is no leaving of the field; the
        // box of a check itself is such a window.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && isVisible()) {
            const bool okTookFocus = reason == Qt::MouseFocusReason && QApplication::focusWidget() == m_ok;
            // The edit ends its own focus first (it drops its selection), so
            // that the focus a fired check gives back stays with it.
            auto* edit = static_cast<QLineEdit*>(watched);
            edit->event(event);
            OnLeaveEdit(edit, okTookFocus);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void DlgStartSel::OnLeaveEdit(QLineEdit* edit, bool okTookFocus)
{
    if (!m_form)
        return;
    const bool wasRunning = m_form->IsCheckRunning();
    if (edit == m_von)
        m_form->LeaveVon();
    else
        m_form->LeaveBis();
    if (!wasRunning || m_form->IsCheckRunning())
        return;
    Mirror();
    m_okPressFired = okTookFocus;
    FocusFailed();
}

void DlgStartSel::FocusFailed()
{
    QLineEdit* edit = nullptr;
    switch (m_form->FailedControl()) {
    case 1903: edit = m_db; break;
    case 1926: edit = m_von; break;
    case 1902: edit = m_bis; break;
    default: return;
    }
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}

void DlgStartSel::OnOk()
{
    if (m_swallowClick) {
        m_swallowClick = false;
        return;
    }
    if (!m_form)
        return;
    if (m_form->OnOK()) {
        accept();
        return;
    }
    Mirror();
    // OnOK sets the check flag and a fired check clears it; a hand-over the
    // project manager refused leaves it set and the focus where it was.
    if (!m_form->IsCheckRunning())
        FocusFailed();
}

void DlgStartSel::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        ShowHelp();
        return;
    }
    QDialog::keyPressEvent(event);
}

void DlgStartSel::ShowHelp()
{
    if (m_form)
        ShowHelpPage(2, m_form->Working().q.spsId);
}

} // namespace orv
