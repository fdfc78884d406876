// The small project dialogs' mappings: drop lists that offer only what the
// project source takes back, and values checked before they are stored.
#include "workspace/forms/SmallProjectForms.h"

#include "model/core/CatalogueIds.h"
#include "model/core/MessageBoxes.h"
#include "model/project/DrvCfg.h"
#include "model/project/Mnu.h"
#include "model/project/OpTxt.h"
#include "model/project/PrjBundle.h"
#include "model/project/PrjData.h"
#include "model/project/PrjIntVar.h"
#include "model/project/PrjVarList.h"
#include "model/project/SpsPar.h"
#include "workspace/DriverParamCaption.h"
#include "workspace/forms/ValueCodec.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace orv {

namespace {

constexpr uint16_t kFirstRcpWord = 30;
constexpr uint16_t kLastRcpWord = 253;

const CSpsPar* SmallFormSps(const CPrjData* prj)
{
    return prj != nullptr && prj->GetOwner() != nullptr ? prj->GetOwner()->spsPar : nullptr;
}

// The number a link combo shows; 0 when it shows none.
uint8_t LinkOf(const std::string& text)
{
    const std::optional<int> value = ReadValue(ValueFmt::Dec, text);
    return value && *value > 0 && *value <= 255 ? static_cast<uint8_t>(*value) : 0;
}

} // namespace

// --- Menu node --------------------------------------------------------------

CDlgMnuNodeForm::CDlgMnuNodeForm(CPrjData* prj, CPrjMnu& menu, CPrjMnuNode& node) : m_prj(prj), m_node(node)
{
    m_links.push_back("0");
    const CPrjMnuNodeList* nodes = menu.GetSubList();
    for (int i = 0; nodes != nullptr && i < nodes->GetCount(); ++i) {
        const CPrjMnuNode* other = nodes->ItemAt(i);
        if (other != &node)
            m_links.push_back(std::to_string(other->GetNum()));
    }
    for (size_t d = 0; d < m_linkSel.size(); ++d) {
        const std::string target = std::to_string(node.GetLinks()[d]);
        const auto it = std::find(m_links.begin() + 1, m_links.end(), target);
        m_linkSel[d] = it != m_links.end() ? static_cast<int>(it - m_links.begin()) : 0;
    }
    const CPrjOpTxtList* texts = prj != nullptr ? prj->GetOpTxtList() : nullptr;
    for (int i = 0; texts != nullptr && i < texts->GetCount(); ++i) {
        CPrjOpTxt* text = texts->OpTxtAt(i);
        if (text->GetNum() < 0)
            continue;
        if (text == node.GetOpTxt())
            m_opTxtSel = static_cast<int>(m_opTxts.size());
        m_opTxts.push_back(text);
        m_opTxtNames.push_back(std::to_string(text->GetNum()));
    }
}

bool CDlgMnuNodeForm::Ok(const std::array<std::string, 4>& links, int opTxtIndex)
{
    const std::array<uint8_t, 4> next{LinkOf(links[0]), LinkOf(links[1]), LinkOf(links[2]), LinkOf(links[3])};
    CPrjOpTxt* text = opTxtIndex >= 0 && opTxtIndex < static_cast<int>(m_opTxts.size())
                          ? m_opTxts[static_cast<size_t>(opTxtIndex)]
                          : m_node.GetOpTxt();
    if (next == m_node.GetLinks() && text == m_node.GetOpTxt())
        return false;
    m_node.SetLeft(next[0]);
    m_node.SetRight(next[1]);
    m_node.SetDown(next[2]);
    m_node.SetUp(next[3]);
    if (text != nullptr)
        m_node.SetOpTxt(text);
    if (m_prj != nullptr)
        m_prj->SetModified(true);
    return true;
}

// --- Recipe block address ---------------------------------------------------

CDlgRcpAdrForm::CDlgRcpAdrForm(CPrjData* prj) : m_prj(prj)
{
    const CPrjVar* var = BlockVar();
    const CSpsPar* sps = SmallFormSps(m_prj);
    if (var == nullptr || sps == nullptr)
        return;
    m_adr0 = SplitWordNo(*sps, BlockWordOf(*var));
    text = std::to_string(m_adr0.low);
}

CPrjVar* CDlgRcpAdrForm::BlockVar() const
{
    return m_prj != nullptr ? m_prj->GetVarList()->FindByName(std::string_view("[Z25]")) : nullptr;
}

bool CDlgRcpAdrForm::Ok()
{
    CPrjVar* var = BlockVar();
    const CSpsPar* sps = SmallFormSps(m_prj);
    if (var == nullptr || sps == nullptr)
        return true;
    const std::optional<int> shown = ReadValue(ValueFmt::Dec, text);
    if (!shown || *shown < kWordValueMin || *shown > kWordValueMax) {
        ShowMessage(msg::kEingabewertMussZwischenUndLiegen, kWordValueMin, kWordValueMax);
        return false;
    }
    const int64_t word = WordOfParts(*sps, {m_adr0.high, static_cast<uint16_t>(*shown)});
    if (word != 0 && (word < kFirstRcpWord || word > kLastRcpWord)) {
        ShowMessage(msg::kEingabewertMussZwischenUndLiegen, kFirstRcpWord, kLastRcpWord);
        return false;
    }
    if (word == BlockWordOf(*var))
        return true;
    MoveIfcBlock(*m_prj, *var, static_cast<uint16_t>(word), false);
    m_prj->SetModified(true);
    m_prj->BindVarItems();
    return true;
}

// --- Driver variable ----------------------------------------------------------

CDlgDrvVarForm::CDlgDrvVarForm(CDrvCfg& cfg, int index) : m_cfg(cfg)
{
    const CPrjVarList* list = cfg.GetParList6();
    if (list == nullptr || index < 0 || index >= list->GetCount())
        return;
    m_var = list->VarAt(index);
    if (dynamic_cast<const CPrjIntVarStr*>(m_var) != nullptr) {
        for (int i = 0; i <= m_var->MaxStateIdx(); ++i) {
            const char* state = m_var->GetStateTxt(i);
            m_choices.emplace_back(state != nullptr ? state : "");
        }
    }
    text = std::to_string(m_var->GetExtWord1() * Scale());
}

int CDlgDrvVarForm::Scale() const { return m_var != nullptr && m_var->GetName() == "AA" ? 10 : 1; }

std::string CDlgDrvVarForm::Caption() const { return m_var != nullptr ? DriverParamCaption(m_var->GetName()) : ""; }

int CDlgDrvVarForm::ChoiceIndex() const { return m_var != nullptr ? static_cast<int>(m_var->GetExtWord1()) : -1; }

bool CDlgDrvVarForm::Ok(int choiceIndex)
{
    if (m_var == nullptr)
        return true;
    int32_t value = choiceIndex;
    if (!IsChoice()) {
        // The driver file's limits, where it gives a range, bound what goes
        // into the driver configuration and to the panel.
        const int32_t lower = m_var->GetExtWord4();
        const int32_t upper = m_var->GetExtWord5();
        const bool ranged = lower < upper;
        const int32_t lo = ranged ? lower * Scale() : std::numeric_limits<int16_t>::min();
        const int32_t hi = ranged ? upper * Scale() : std::numeric_limits<int16_t>::max();
        const std::optional<int> typed = ReadValue(ValueFmt::Dec, text);
        if (!typed || *typed < lo || *typed > hi) {
            ShowMessage(msg::kEingabewertMussZwischenUndLiegen, lo, hi);
            return false;
        }
        value = *typed / Scale();
    } else if (choiceIndex < 0) {
        return true;
    }
    if (value == m_var->GetExtWord1())
        return true;
    m_var->SetExtWord1(value);
    m_cfg.SetModified(true);
    return true;
}

} // namespace orv
