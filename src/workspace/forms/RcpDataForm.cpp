// Recipe values as the dialog edits them: each kind shows in the edit or in
// the state combo, and a number is stored only within what the source reader
// takes back, in the width its kind holds.
#include "workspace/forms/RcpDataForm.h"

#include "model/core/CheckedFormat.h"
#include "model/core/MessageBoxes.h"
#include "model/project/PrjData.h"
#include "model/project/PrjVar.h"
#include "model/project/VarType.h"
#include "model/project/VarValList.h"
#include "source/reader/RcpValueForms.h"
#include "workspace/forms/OptionForms.h"
#include "workspace/forms/ValueCodec.h"

#include <algorithm>

namespace orv {

namespace {

// The edit's text buffer: 254 characters and the end mark.
constexpr size_t kRcpTextBuffer = 254;

enum class RcpKind { None, Number, Text, States };

RcpKind RcpKindOf(const CPrjVar& var)
{
    switch (var.GetType()) {
    case vartype::kAscii:
        return RcpKind::Text;
    case vartype::kBit:
    case vartype::kString:
    case vartype::kCString:
    case vartype::kSString:
    case vartype::kTimer:
    case vartype::kIntString:
    case vartype::kIntSString:
    case vartype::kIntCString:
        return RcpKind::States;
    default:
        // BCD, BIN, VBIN and WORD: the kinds with a numeric range.
        return RcpNumberRange(var) ? RcpKind::Number : RcpKind::None;
    }
}

bool IsWordType(uint8_t type)
{
    return type == vartype::kWordPlain || type == vartype::kWord;
}

} // namespace

CDlgRcpDataForm::CDlgRcpDataForm(CPrjVarValList& values, CPrjData* prj) : m_values(values), m_prj(prj)
{
    if (m_values.GetCount() > 0)
        Select(0);
}

CDlgRcpDataForm::~CDlgRcpDataForm()
{
    if (m_changed && m_prj != nullptr)
        m_prj->SetModified(true);
}

std::vector<std::string> CDlgRcpDataForm::VarNames() const
{
    std::vector<std::string> names;
    for (int i = 0; i < m_values.GetCount(); ++i) {
        const CVarValPair* pair = m_values.GetAt(i);
        names.push_back(pair != nullptr && pair->GetVar() != nullptr ? pair->GetVar()->GetName() : "");
    }
    return names;
}

CVarValPair* CDlgRcpDataForm::CurrentPair() const
{
    return m_values.GetAt(m_cur);
}

void CDlgRcpDataForm::Select(int index)
{
    const CVarValPair* pair = m_values.GetAt(index);
    if (pair == nullptr)
        return;
    m_cur = index;
    ShowStored();
}

void CDlgRcpDataForm::ShowStored()
{
    const CVarValPair* pair = CurrentPair();
    const CPrjVar* var = pair != nullptr ? pair->GetVar() : nullptr;
    m_shown = Shown::None;
    m_edit.clear();
    m_states.clear();
    m_stateIdx = -1;
    if (var == nullptr)
        return;
    const uint8_t type = var->GetType();
    switch (RcpKindOf(*var)) {
    case RcpKind::Number:
        m_shown = Shown::Edit;
        m_edit = IsWordType(type) ? FormatText("%d", static_cast<int>(pair->GetValue() & 0xFFFFu))
                                  : FormatText("%d", static_cast<int32_t>(pair->GetValue()));
        break;
    case RcpKind::Text:
        m_shown = Shown::Edit;
        m_edit = pair->GetText() != nullptr ? pair->GetText() : "";
        break;
    case RcpKind::States:
        m_shown = Shown::States;
        for (int i = 0; i <= var->MaxStateIdx(); ++i) {
            const char* text = var->GetStateTxt(i);
            m_states.emplace_back(text != nullptr ? text : "");
        }
        m_stateIdx = type == vartype::kTimer ? static_cast<int>(pair->GetValue() % 10)
                                             : static_cast<int>(pair->GetValue() & 0xFFFFu);
        break;
    case RcpKind::None:
        break;
    }
}

size_t CDlgRcpDataForm::EditMaxLength() const
{
    const CVarValPair* pair = CurrentPair();
    if (pair == nullptr || pair->GetVar() == nullptr || pair->GetVar()->GetType() != vartype::kAscii)
        return 0;
    return std::min(kRcpTextBuffer, static_cast<size_t>(std::max(0, pair->GetVar()->WordCount())) * 2);
}

void CDlgRcpDataForm::Store(uint32_t value)
{
    CVarValPair* pair = CurrentPair();
    if (pair == nullptr || pair->GetValue() == value)
        return;
    pair->SetValue(value);
    m_changed = true;
}

void CDlgRcpDataForm::EditChanged(std::string text)
{
    CVarValPair* pair = CurrentPair();
    if (m_shown != Shown::Edit || pair == nullptr)
        return;
    const CPrjVar& var = *pair->GetVar();
    if (var.GetType() == vartype::kAscii) {
        text.resize(std::min(text.size(), EditMaxLength()));
        m_edit = text;
        if (pair->GetText() == nullptr || text != pair->GetText()) {
            pair->SetText(text);
            m_changed = true;
        }
        return;
    }
    m_edit = std::move(text);
    const std::optional<RcpValueRange> range = RcpNumberRange(var);
    const std::optional<int> value = ReadValue(ValueFmt::Dec, m_edit);
    if (!range || !value || *value < range->lo || *value > range->hi)
        return;
    // BCD, BIN and VBIN hold 32 bits; a WORD holds 16.
    Store(IsWordType(var.GetType()) ? static_cast<uint32_t>(*value) & 0xFFFFu : static_cast<uint32_t>(*value));
}

bool CDlgRcpDataForm::LeaveEdit()
{
    const CVarValPair* pair = CurrentPair();
    if (m_shown != Shown::Edit || pair == nullptr || pair->GetVar()->GetType() == vartype::kAscii)
        return true;
    const std::optional<RcpValueRange> range = RcpNumberRange(*pair->GetVar());
    const std::optional<int> value = ReadValue(ValueFmt::Dec, m_edit);
    if (range && value && *value >= range->lo && *value <= range->hi)
        return true;
    if (range)
        ShowMessage(kMsgInputRange, static_cast<int>(range->lo), static_cast<int>(range->hi));
    ShowStored();
    return false;
}

void CDlgRcpDataForm::ChooseState(int index)
{
    const CVarValPair* pair = CurrentPair();
    if (m_shown != Shown::States || pair == nullptr || index < 0 || index >= static_cast<int>(m_states.size()))
        return;
    m_stateIdx = index;
    if (pair->GetVar()->GetType() == vartype::kTimer) {
        // The value is time × 10 + base: the base changes, the time stays.
        Store(pair->GetValue() - pair->GetValue() % 10 + static_cast<uint32_t>(index));
        return;
    }
    Store(static_cast<uint32_t>(index));
}

} // namespace orv
