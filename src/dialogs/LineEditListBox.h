// The numbered line editor of the variable dialog: lines in the panel's
// character set, each behind a grey line number, edited in place with its own
// caret. The rules live in CLineEditBuf; this widget translates keys and
// clicks and paints.
#pragma once

#include "workspace/forms/LineEditBuf.h"

#include <QAbstractScrollArea>
#include <QFont>

#include <functional>
#include <string>

namespace orv {

class CFon;

class CLineEditListBox : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit CLineEditListBox(QWidget* parent = nullptr);

    void AddString(const std::string& text);
    void InsertString(int index, const std::string& text);
    void DeleteString(int index);
    void ResetContent();
    int GetCount() const { return m_buf.GetCount(); }
    // The line's bytes; empty outside the lines.
    std::string GetText(int index) const { return m_buf.GetText(index); }
    // The most visible characters a line may hold; set before use.
    void SetMaxLineLen(int maxLen) { m_buf.SetMaxLen(maxLen); }
    const CLineEditBuf& Buf() const { return m_buf; }

    // Pixels of a character cell and of a line in the font drawn now.
    int CharWidth() const;
    int ItemHeight() const;

    // What a refused step does; the system's beep unless replaced.
    void SetBeeper(std::function<void()> beep) { m_beep = std::move(beep); }

public slots:
    // A panel character code from the character selection: inserted at the
    // caret as in insert mode, the box's mode unchanged.
    void InsertCharacter(int code);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // How lines are drawn now: the frame's screen font when it holds one,
    // read at each paint, else the shared fixed-pitch face.
    struct Metrics {
        const CFon* fon = nullptr;
        int scale = 1;
        int charWidth = 8;
        int itemHeight = 18;
        QFont font;
    };
    Metrics CurrentMetrics() const;
    void DrawLine(QPainter& painter, const Metrics& m, int index, int top) const;
    void Apply(LineEditStep step);
    void UpdateScroll();

    CLineEditBuf m_buf;
    std::function<void()> m_beep;
};

} // namespace orv
