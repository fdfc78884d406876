// The dialog "Suchen / Ersetzen": finds and replaces text in the source editor
// through the frame's search form, which keeps its flags and histories.
#pragma once

#include <QDialog>

#include <string>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace orv {

class CDlgSearchForm;
class CFrameCore;

class CDlgSearch final : public QDialog {
public:
    // Control ids of the dialog template; each control's objectName is "c"
    // followed by its id.
    enum : int {
        kIdFindNext = 1,
        kIdCancel = 2,
        kIdReplace = 3,
        kIdReplaceAll = 4,
        kIdFindCombo = 1927,
        kIdReplaceCombo = 1928,
        kIdFindLabel = 1940,
        kIdWholeWords = 1941,
        kIdMatchCase = 1942,
        kIdDirection = 1943,
        kIdUp = 1944,
        kIdDown = 1945,
        kIdReplaceLabel = 1946,
    };

    explicit CDlgSearch(CFrameCore& core, QWidget* parent = nullptr);

    // 0 search, 1 replace; set before each run.
    void SetMode(int mode);

protected:
    // Each run starts from the form: the histories newest first, the flags and
    // the direction as last left.
    void showEvent(QShowEvent* event) override;

private:
    CDlgSearchForm& Form();
    void UpdateButtons();
    void OnFindNext();
    void OnReplace();
    void OnReplaceAll();

    CFrameCore& m_core;
    QComboBox* m_find;
    QComboBox* m_replace;
    QLabel* m_findLabel;
    QLabel* m_replaceLabel;
    QCheckBox* m_wholeWords;
    QCheckBox* m_matchCase;
    QGroupBox* m_direction;
    QRadioButton* m_up;
    QRadioButton* m_down;
    QPushButton* m_findNext;
    QPushButton* m_cancel;
    QPushButton* m_replaceOne;
    QPushButton* m_replaceAll;
};

} // namespace orv
