// The character table: the panel's character set drawn with the panel's own
// glyphs; a click selects, a double click hands the code on, "editieren"
// opens the character editor on a user-definable character.
#pragma once

#include "workspace/forms/DlgCharSelForm.h"

#include <QDialog>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <string>

class QPushButton;

namespace orv {

class CDlgRunner;
class CFon;

// The screen font the table and its information line draw with, read at
// each paint.
using ScreenFontSource = std::function<const CFon*()>;

// The information line: panel bytes in the panel face, on an opaque ground.
class CCharInfoLine final : public QWidget {
public:
    CCharInfoLine(ScreenFontSource font, QWidget* parent);
    void SetText(std::string bytes);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ScreenFontSource m_font;
    std::string m_text;
};

class CDlgCharSel final : public QDialog {
    Q_OBJECT
public:
    CDlgCharSel(CDlgRunner& runner, ScreenFontSource font, QWidget* parent = nullptr);

    // Before each run: the panel's ranges and its preselected character.
    void SetRanges(const CharRanges& ranges);
    // Takes each chosen code, after the double click's own handling is
    // over; none drops them.
    void SetReceiver(std::function<void(uint16_t code)> receiver) { m_receiver = std::move(receiver); }
    const CDlgCharSelForm& Form() const { return m_form; }

signals:
    void CharacterChosen(int code);

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // The area a cell's selection frame may cover.
    static QRect SelectionArea(int code);
    // A click's selection, shown at once.
    void SelectAt(QPoint p);
    void OnEdit();

    CDlgRunner& m_runner;
    ScreenFontSource m_font;
    CDlgCharSelForm m_form;
    std::function<void(uint16_t)> m_receiver;
    QPushButton* m_edit = nullptr;
    CCharInfoLine* m_info = nullptr;
};

} // namespace orv
