// The small project dialogs without their windows: a menu node's neighbours
// and operator text, the recipe block address and a driver variable's
// value. Each marks what it changed as modified, and only that.
#pragma once

#include "workspace/forms/ProjectSettingsForms.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace orv {

class CDrvCfg;
class CPrjData;
class CPrjMnu;
class CPrjMnuNode;
class CPrjOpTxt;
class CPrjVar;

// "Menüknoten": the four neighbours and the operator text of a node.
class CDlgMnuNodeForm {
public:
    // Left, right, down, up.
    static constexpr std::array<int, 4> kIdLinks{1927, 1928, 1930, 1929};
    static constexpr int kIdOpTxt = 1931;

    // Null project: the node is edited, nothing is marked.
    CDlgMnuNodeForm(CPrjData* prj, CPrjMnu& menu, CPrjMnuNode& node);

    // "0" and the numbers of the menu's other nodes, in list order.
    const std::vector<std::string>& LinkEntries() const { return m_links; }
    // The entries of the node's current neighbours (left, right, down, up).
    const std::array<int, 4>& LinkSelection() const { return m_linkSel; }
    // The numbers of the operator texts from 0 on; the list's template is
    // not one a node can show.
    const std::vector<std::string>& OpTxtEntries() const { return m_opTxtNames; }
    // -1 when the node shows none of them.
    int OpTxtSelection() const { return m_opTxtSel; }

    // The combos' texts and the operator text's position (-1: keeps the
    // node's text); true when the node changed.
    bool Ok(const std::array<std::string, 4>& links, int opTxtIndex);

private:
    CPrjData* m_prj;
    CPrjMnuNode& m_node;
    std::vector<std::string> m_links;
    std::array<int, 4> m_linkSel{};
    std::vector<CPrjOpTxt*> m_opTxts;
    std::vector<std::string> m_opTxtNames;
    int m_opTxtSel = -1;
};

// "Rezeptblock-Adresse": the data words of the recipe block.
class CDlgRcpAdrForm {
public:
    static constexpr int kIdAdr = 2282;

    explicit CDlgRcpAdrForm(CPrjData* prj);
    // Empty without the block's variable.
    std::string text;
    // False, after its message, while the address is refused; true when it
    // ends the dialog, stored or not.
    bool Ok();

private:
    CPrjVar* BlockVar() const;

    CPrjData* m_prj;
    AdrParts m_adr0;
};

// "Treibervariable": one driver variable's value.
class CDlgDrvVarForm {
public:
    static constexpr int kIdCaption = 2155;
    static constexpr int kIdValue = 2156;
    static constexpr int kIdChoice = 1927;

    // The element at the index of the driver variables; none outside.
    CDlgDrvVarForm(CDrvCfg& cfg, int index);

    bool Exists() const { return m_var != nullptr; }
    std::string Caption() const;
    // A choice shows the combo of its state texts, a number the edit.
    bool IsChoice() const { return !m_choices.empty(); }
    const std::vector<std::string>& Choices() const { return m_choices; }
    int ChoiceIndex() const;
    std::string text;

    // The combo's index for a choice, the edit's text for a number; false,
    // after the range message, while the number is refused.
    bool Ok(int choiceIndex);

private:
    int Scale() const;

    CDrvCfg& m_cfg;
    CPrjVar* m_var = nullptr;
    std::vector<std::string> m_choices;
};

} // namespace orv
