// The small editing and option dialogs. Each shows what its form holds and
// hands the user's choices to it; the forms do every check and mapping.
#pragma once

#include "workspace/forms/OptionForms.h"
#include "workspace/forms/RcpDataForm.h"
#include "workspace/forms/SoftkeysForm.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>
#include <string>

class QLineEdit;

namespace orv {

class CFrameState;
class CMsgTxt;
class CPrjData;
class CPrjSkActList;
class CPrjSkTxt;
class CPrjVarValList;
class IFrameWindow;
class IViewTree;

// What a kept dialog reads when it opens: the project (null without one)
// and the chosen panel's device type.
struct KeptDialogSource {
    std::function<CPrjData*()> prj;
    std::function<std::string()> devTyp;
};

// "Wert ändern": a simulated value in the item's display format.
class CDlgValue final : public QDialog {
public:
    CDlgValue(uint16_t value, uint8_t simFmt, QWidget* parent = nullptr);
    void accept() override;
    // The value after OK.
    std::optional<uint16_t> Value() const { return m_value; }

private:
    CDlgValueForm m_form;
    std::optional<uint16_t> m_value;
};

// "Treiberparameter": a pointer to where the driver parameters are edited.
class CDlgDrvPar final : public QDialog {
public:
    explicit CDlgDrvPar(QWidget* parent = nullptr);
};

// "Schnittstellen": the transfer and simulation ports.
class CDlgComPorts final : public QDialog {
public:
    // Null: no project manager, OK stores nothing.
    explicit CDlgComPorts(IComPorts* ports, QWidget* parent = nullptr);
    void accept() override;

private:
    CDlgComPortsForm m_form;
};

// "Optionen Sprachauswahl": a click applies the language at once.
class CDlgLang final : public QDialog {
public:
    CDlgLang(CFrameState& frame, IFrameWindow* window, IViewTree* tree, QWidget* parent = nullptr);

private:
    void LoadTexts();

    CDlgLangForm m_form;
};

// "Programm-Optionen": the FIFO warning.
class CDlgPrgOpt final : public QDialog {
public:
    explicit CDlgPrgOpt(QWidget* parent = nullptr);
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    CDlgPrgOptForm m_form;
};

// "Projekt-Optionen": the scalable double-word option.
class CDlgPrjOpt final : public QDialog {
public:
    explicit CDlgPrjOpt(KeptDialogSource source, QWidget* parent = nullptr);
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    KeptDialogSource m_source;
    std::optional<CDlgPrjOptForm> m_form;
};

// "Optionen Hilfstext zu Anzeigepriorität Menü": nothing of its own.
class CDlgHlpOpt final : public QDialog {
public:
    explicit CDlgHlpOpt(QWidget* parent = nullptr);
};

// "Optionen Meldetext": priority, delete mode and alarm flag.
class CDlgMsgOpt final : public QDialog {
public:
    CDlgMsgOpt(CMsgTxt& text, CPrjData* prj, const std::string& devTyp, QWidget* parent = nullptr);
    void accept() override;

private:
    CDlgMsgOptForm m_form;
};

// "Beschreibung": the project's description, read-only.
class CDlgDescr final : public QDialog {
public:
    explicit CDlgDescr(KeptDialogSource source, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    KeptDialogSource m_source;
};

// "Rezeptdaten": a recipe's values, stored while the user edits them.
class CDlgRcpData final : public QDialog {
public:
    CDlgRcpData(CPrjVarValList& values, CPrjData* prj, QWidget* parent = nullptr);
    void accept() override;

private:
    void ShowEntry();
    bool LeaveEdit();

    CDlgRcpDataForm m_form;
};

// "Umbenennen/Umnummerieren": a menu's number and name.
class CDlgRename final : public QDialog {
public:
    explicit CDlgRename(QWidget* parent = nullptr);
    // What the dialog shows when it opens next.
    void SetObject(uint16_t number, const std::string& name);
    void accept() override;
    // Number and name after OK.
    std::optional<CDlgRunner::RenameResult> Result() const { return m_result; }

private:
    std::optional<CDlgRunner::RenameResult> m_result;
};

// "Umnummerieren", or "Kopieren" for a row copy: three numbers.
class CDlgRenumber final : public QDialog {
public:
    CDlgRenumber(int mode, std::optional<CDlgRunner::RenumberNums> start, QWidget* parent = nullptr);
    void accept() override;
    std::optional<CDlgRunner::RenumberNums> Result() const { return m_result; }

private:
    CDlgRenumberForm m_form;
    std::optional<CDlgRunner::RenumberNums> m_result;
};

// "Softkeys": the actions each key runs on press and release.
class CDlgSoftkeys final : public QDialog {
public:
    CDlgSoftkeys(CPrjSkTxt& text, const CPrjSkActList& acts, int numSK, CPrjData* prj, QWidget* parent = nullptr);
    void accept() override;

private:
    CDlgSoftkeysForm m_form;
};

} // namespace orv
