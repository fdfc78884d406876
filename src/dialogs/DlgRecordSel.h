// The record choice "Datensatz auswählen" of a transfer or read-back: the
// program's record chooser once the frame has made it.
#pragma once

#include "link/RecordChooser.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLabel;
class QRadioButton;

namespace orv {

// Kept for the program's life together with its form, which the callers fill
// before each run and read afterwards.
class CDlgRecordSel final : public QDialog, public IRecordChooser {
public:
    explicit CDlgRecordSel(QWidget* parent = nullptr);

    CRecordSelForm& Form() override { return m_form; }
    // Opens the form, shows it modally; true for OK.
    bool Run() override;
    // Opens the form and shows its state, for a run or a look.
    void Open();

private:
    void Mirror();

    CRecordSelForm m_form;
    std::array<QRadioButton*, CRecordSelForm::kMaxRecords> m_radios{};
    std::array<QLabel*, CRecordSelForm::kMaxRecords> m_labels{};
    QCheckBox* m_recipe = nullptr;
};

} // namespace orv
