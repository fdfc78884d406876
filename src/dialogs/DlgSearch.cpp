// Lays out the search dialog and hands its buttons to the frame's search form;
// texts cross into code page 437 here, one byte for each place of the editor.
#include "dialogs/DlgSearch.h"

#include "dialogs/QtText.h"
#include "workspace/FrameCore.h"
#include "workspace/forms/DlgSearchForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <initializer_list>
#include <vector>

namespace orv {

namespace {

template <class W>
W* SearchControl(W* widget, int id)
{
    widget->setObjectName(QStringLiteral("c%1").arg(id));
    return widget;
}

QComboBox* SearchCombo(QWidget* parent, int id)
{
    auto* combo = SearchControl(new QComboBox(parent), id);
    combo->setEditable(true);
    // The histories are the form's; a typed text enters them only by a search.
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMinimumContentsLength(24);
    return combo;
}

void FillSearchCombo(QComboBox* combo, const std::vector<std::string>& entries)
{
    combo->clear();
    for (const std::string& entry : entries)
        combo->addItem(FromCp437(entry));
    if (combo->count() > 0)
        combo->setCurrentIndex(0);
    else
        combo->setEditText(QString());
}

std::string SearchComboText(const QComboBox* combo)
{
    return ToCp437Places(combo->currentText());
}

} // namespace

CDlgSearch::CDlgSearch(CFrameCore& core, QWidget* parent) : QDialog(parent), m_core(core)
{
    setObjectName(QStringLiteral("dlgSearch"));
    setWindowTitle(QStringLiteral("Suchen / Ersetzen"));

    m_findLabel = SearchControl(new QLabel(QStringLiteral("Finden"), this), kIdFindLabel);
    m_find = SearchCombo(this, kIdFindCombo);
    m_findLabel->setBuddy(m_find);
    m_replaceLabel = SearchControl(new QLabel(QStringLiteral("Ersetzen mit"), this), kIdReplaceLabel);
    m_replace = SearchCombo(this, kIdReplaceCombo);
    m_replaceLabel->setBuddy(m_replace);
    m_wholeWords = SearchControl(new QCheckBox(QStringLiteral("Ganze Worte"), this), kIdWholeWords);
    m_matchCase = SearchControl(new QCheckBox(QStringLiteral("Gross/Kleinschreibung"), this), kIdMatchCase);
    m_direction = SearchControl(new QGroupBox(QStringLiteral("Richtung"), this), kIdDirection);
    m_up = SearchControl(new QRadioButton(FromCp1252("r\xFC" "ck"), m_direction), kIdUp);
    m_down = SearchControl(new QRadioButton(QStringLiteral("vor"), m_direction), kIdDown);
    m_findNext = SearchControl(new QPushButton(FromCp1252("n\xE4" "chstes"), this), kIdFindNext);
    m_findNext->setDefault(true);
    m_cancel = SearchControl(new QPushButton(QStringLiteral("Abbrechen"), this), kIdCancel);
    m_replaceOne = SearchControl(new QPushButton(QStringLiteral("Ersetzen"), this), kIdReplace);
    m_replaceAll = SearchControl(new QPushButton(QStringLiteral("Alle ersetzen"), this), kIdReplaceAll);

    auto* directionLayout = new QHBoxLayout(m_direction);
    directionLayout->addWidget(m_up);
    directionLayout->addWidget(m_down);

    auto* fields = new QGridLayout;
    fields->addWidget(m_findLabel, 0, 0);
    fields->addWidget(m_find, 0, 1, 1, 2);
    fields->addWidget(m_replaceLabel, 1, 0);
    fields->addWidget(m_replace, 1, 1, 1, 2);
    auto* checks = new QVBoxLayout;
    checks->addWidget(m_wholeWords);
    checks->addWidget(m_matchCase);
    fields->addLayout(checks, 2, 0, 1, 2);
    fields->addWidget(m_direction, 2, 2);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {m_findNext, m_cancel, m_replaceOne, m_replaceAll})
        buttons->addWidget(button);
    buttons->addStretch();

    auto* outer = new QHBoxLayout(this);
    outer->addLayout(fields, 1);
    outer->addLayout(buttons);

    // Made disabled; the mode of each run enables them.
    for (QWidget* w : std::initializer_list<QWidget*>{m_replace, m_replaceLabel, m_replaceOne, m_replaceAll})
        w->setEnabled(false);

    connect(m_find, &QComboBox::editTextChanged, this, [this] { UpdateButtons(); });
    connect(m_replace, &QComboBox::editTextChanged, this, [this] { UpdateButtons(); });
    connect(m_wholeWords, &QCheckBox::toggled, this, [this](bool on) { Form().SetWholeWords(on); });
    connect(m_matchCase, &QCheckBox::toggled, this, [this](bool on) { Form().SetMatchCase(on); });
    connect(m_down, &QRadioButton::toggled, this, [this](bool on) { Form().SetDown(on); });
    connect(m_findNext, &QPushButton::clicked, this, [this] { OnFindNext(); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_replaceOne, &QPushButton::clicked, this, [this] { OnReplace(); });
    connect(m_replaceAll, &QPushButton::clicked, this, [this] { OnReplaceAll(); });
}

CDlgSearchForm& CDlgSearch::Form()
{
    return m_core.GetSearchForm();
}

void CDlgSearch::SetMode(int mode)
{
    Form().SetMode(mode);
}

void CDlgSearch::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    CDlgSearchForm& form = Form();
    const bool replacing = form.ReplaceControlsEnabled();
    m_replace->setEnabled(replacing);
    m_replaceLabel->setEnabled(replacing);
    FillSearchCombo(m_find, form.FindList());
    FillSearchCombo(m_replace, form.ReplaceList());
    m_matchCase->setChecked(form.GetMatchCase());
    m_wholeWords->setChecked(form.GetWholeWords());
    // Both set, so that the toggles agree with the form either way.
    const bool down = form.GetDown();
    m_down->setChecked(down);
    m_up->setChecked(!down);
    UpdateButtons();
    m_find->setFocus();
    m_find->lineEdit()->selectAll();
}

void CDlgSearch::UpdateButtons()
{
    const CDlgSearchForm& form = Form();
    m_findNext->setEnabled(form.FindEnabled(SearchComboText(m_find)));
    const bool replace = form.ReplaceEnabled(SearchComboText(m_replace));
    m_replaceOne->setEnabled(replace);
    m_replaceAll->setEnabled(replace);
}

void CDlgSearch::OnFindNext()
{
    if (ISearchEditor* editor = m_core.GetSearchEditor())
        Form().FindNext(*editor, SearchComboText(m_find));
}

void CDlgSearch::OnReplace()
{
    if (ISearchEditor* editor = m_core.GetSearchEditor())
        Form().Replace(*editor, SearchComboText(m_find), SearchComboText(m_replace));
}

void CDlgSearch::OnReplaceAll()
{
    if (ISearchEditor* editor = m_core.GetSearchEditor())
        Form().ReplaceAll(*editor, SearchComboText(m_find), SearchComboText(m_replace));
}

} // namespace orv
