// The character editor: one user-definable character drawn pixel by pixel on
// a grid of cells; OK stores it into the project and the panel font.
#pragma once

#include "workspace/forms/DlgCharEditForm.h"

#include <QDialog>

#include <functional>

namespace orv {

class CFon;
class CPrjData;

// Where the editor finds what it edits, read at each use: the frame's
// project and fonts may be replaced between runs.
struct CharEditSource {
    std::function<CPrjData*()> project;
    // The start selection's character-set family: 1 "alt", 2 "706", 3 "int".
    std::function<int()> family;
    std::function<CFon*(int family)> font;
    // The project manager writes the panel font file.
    std::function<bool()> writeFont;
};

class CDlgCharEdit final : public QDialog {
public:
    explicit CDlgCharEdit(CharEditSource source, QWidget* parent = nullptr);

    // The code to edit, its glyph copied from the selected family's font.
    void SetChar(unsigned code);
    const CDlgCharEditForm& Form() const { return m_form; }

    void accept() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QRect CellRect(int row, int column) const;

    CharEditSource m_source;
    CDlgCharEditForm m_form;
};

} // namespace orv
