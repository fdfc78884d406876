// The project's settings dialogs and the menu-node dialog. Each shows what
// its form holds and hands the user's input to it; the forms check and store.
#pragma once

#include "dialogs/SmallDialogs.h"
#include "workspace/forms/ProjectSettingsForms.h"
#include "workspace/forms/SmallProjectForms.h"

#include <QDialog>

#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace orv {

class CDrvCfg;

// "Zeiten": rolling time, clock/date address and date format.
class CDlgTimes final : public QDialog {
public:
    CDlgTimes(KeptDialogSource source, std::function<std::tm()> clock, std::function<std::string()> dwCaption,
              QWidget* parent = nullptr);
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    KeptDialogSource m_source;
    std::function<std::tm()> m_clock;
    std::function<std::string()> m_dwCaption;
    std::optional<CDlgTimesForm> m_form;
};

// "Druckerparameter": the serial printer's settings.
class CDlgPrnPar final : public QDialog {
public:
    explicit CDlgPrnPar(KeptDialogSource source, QWidget* parent = nullptr);
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    KeptDialogSource m_source;
    std::optional<CDlgPrnParForm> m_form;
};

// "ORV-Speicheraufteilung": data-set and recipe format.
class CDlgMemPartition final : public QDialog {
public:
    explicit CDlgMemPartition(KeptDialogSource source, QWidget* parent = nullptr);
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowRecipeEnabling();

    KeptDialogSource m_source;
    std::optional<CDlgMemPartitionForm> m_form;
};

// "Menüoptionen (Behandlung von Sollwerten)": eight options of four values.
class CDlgMnuOpt final : public QDialog {
public:
    CDlgMnuOpt(CPrjData* prj, CPrjMnu* menu, QWidget* parent = nullptr);
    void accept() override;
    bool Changed() const { return m_changed; }

private:
    void ShowOptions();

    CDlgMnuOptForm m_form;
    bool m_changed = false;
};

// "Menüknoten": a node's neighbours and operator text.
class CDlgMnuNode final : public QDialog {
public:
    CDlgMnuNode(CPrjData* prj, CPrjMnu& menu, CPrjMnuNode& node, QWidget* parent = nullptr);
    void accept() override;
    bool Changed() const { return m_changed; }

private:
    CDlgMnuNodeForm m_form;
    bool m_changed = false;
};

// "Zeitschaltuhren": the template only; it reads and writes nothing, so its
// controls take no input.
class CDlgTimeSw final : public QDialog {
public:
    explicit CDlgTimeSw(QWidget* parent = nullptr);
};

// "Rezeptblock-Adresse": the data words of the recipe block.
class CDlgRcpAdr final : public QDialog {
public:
    explicit CDlgRcpAdr(CPrjData* prj, QWidget* parent = nullptr);
    void accept() override;

private:
    CDlgRcpAdrForm m_form;
};

// "Treibervariable": one driver variable's value, typed or chosen.
class CDlgDrvVar final : public QDialog {
public:
    CDlgDrvVar(CDrvCfg& cfg, int index, QWidget* parent = nullptr);
    void accept() override;

private:
    CDlgDrvVarForm m_form;
};

// "Meldetext-Optionen": the template only, greyed, as it stores nothing.
class CDlgMsgTxtOpt final : public QDialog {
public:
    explicit CDlgMsgTxtOpt(QWidget* parent = nullptr);
};

// "Hinweis": a notice with the box that keeps it on, and help on F1.
class CDlgHint final : public QDialog {
public:
    // text in cp1252; help runs for F1 with the page.
    CDlgHint(std::string_view text, int helpPage, std::function<void(int)> help, QWidget* parent = nullptr);
    // Whether the notice is to be shown again: the box after OK, else on.
    bool Again() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    int m_helpPage;
    std::function<void(int)> m_help;
};

} // namespace orv
