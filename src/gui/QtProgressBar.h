// The Qt progress bar behind the model's progress interface, shown in a pane of
// the main window's status bar.
#pragma once

#include "model/core/ProgressBar.h"

#include <QObject>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QStatusBar>
#include <QRect>
#include <QString>

namespace orv {


// The progress bar inside a status-bar pane. Without a status bar or pane it
// has no control, and every operation does nothing. Each operation paints at
// once: transfers keep the GUI thread busy and would otherwise show nothing.
// Qt draws one look of bar, and there is no stepping operation, so the smooth
// flag and the step have no visible effect.
class CQtProgressBar final : public QObject, public CProgressBar {
    Q_OBJECT
public:
    // `pane` is a label of `statusBar`; `idleText` is what Clear writes into
    // pane 0 ("Bereit").
    CQtProgressBar(QStatusBar* statusBar, QLabel* pane, int paneIndex, const QString& idleText,
                   std::string_view label, int sizePercent, int rangeMax, bool smooth);
    ~CQtProgressBar() override;

    void SetText(std::string_view label) override;
    void SetPos(int pos) override;
    void SetRange(int lower, int upper, int step) override;
    void SetStep(int step) override;
    void Clear() override;

    QProgressBar* Control() const { return m_control; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowControl();
    void LayOut();

    QPointer<QStatusBar> m_statusBar;
    QPointer<QLabel> m_pane;
    QPointer<QProgressBar> m_control;
    int m_paneIndex;
    QString m_idleText;
    QString m_label;
    QString m_previousText;
    int m_size;
    QRect m_placed;
};

} // namespace orv
