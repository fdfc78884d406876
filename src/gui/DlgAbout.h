// The program's about box, part of the Qt layer at the top of the stack.
#pragma once

#include <QDialog>

namespace orv {

// "Info ORVTool": the program icon, its version line and OK.
class CDlgAbout final : public QDialog {
    Q_OBJECT
public:
    explicit CDlgAbout(QWidget* parent = nullptr);
};

} // namespace orv
