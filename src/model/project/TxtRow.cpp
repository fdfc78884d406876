// Stored text rows: placing, moving and replacing variables keeps each field
// inside the row and the fields behind it in order.
#include "model/project/TxtRow.h"

#include "model/project/CharSet.h"
#include "model/project/PrjData.h"
#include "model/project/PrjVar.h"
#include "model/core/StartSelInfo.h"

#include <algorithm>

namespace orv {

namespace {

constexpr int kDspTextLimit = 40;

bool IsSlotIndex(int i)
{
    return i >= 0 && i < CTxtVarSlots::kCount;
}

}  // namespace

int CurrentDspWidth()
{
    const CPrjData* prj = CPrjData::GetCurrent();
    return prj ? prj->GetDspWidth() : kDefaultDspWidth;
}

void CTxtVarSlots::Reset()
{
    m_vars.fill(nullptr);
    m_cols.fill(TxtVarSlot::kNoCol);
}

void CTxtVarSlots::SetVar(int i, CPrjVar* var)
{
    if (IsSlotIndex(i))
        m_vars[static_cast<size_t>(i)] = var;
}

void CTxtVarSlots::SetCol(int i, uint8_t col)
{
    if (IsSlotIndex(i))
        m_cols[static_cast<size_t>(i)] = col;
}

CPrjVar* CTxtVarSlots::GetVar(int i) const
{
    return IsSlotIndex(i) ? m_vars[static_cast<size_t>(i)] : nullptr;
}

uint8_t CTxtVarSlots::GetCol(int i) const
{
    return IsSlotIndex(i) ? m_cols[static_cast<size_t>(i)] : TxtVarSlot::kNoCol;
}

CTxtRowBase::CTxtRowBase(Kind kind, uint8_t num, std::string_view text) : m_kind(kind), m_num(num), m_text(text) {}

CTxtRowBase::~CTxtRowBase()
{
    ReleaseSlots();
}

int CTxtRowBase::GetLineWidth() const
{
    return m_kind == Kind::Printer ? CPrnTxtLin::kLineWidth : CurrentDspWidth();
}

int CTxtRowBase::GetTextLimit() const
{
    return m_kind == Kind::Printer ? CPrnTxtLin::kLineWidth : kDspTextLimit;
}

int CTxtRowBase::GetFilledCount() const
{
    return static_cast<int>(std::count_if(m_slots.begin(), m_slots.end(), [](const TxtVarSlot& s) { return s.var; }));
}

TxtVarSlot CTxtRowBase::GetVarSlot(int i) const
{
    if (i < 0 || i >= GetVarCount())
        return {};
    return m_slots[static_cast<size_t>(i)];
}

void CTxtRowBase::SetVarSlot(int i, CPrjVar* var, uint8_t col)
{
    if (!IsSlotIndex(i))
        return;
    const auto index = static_cast<size_t>(i);
    if (var) {
        if (index >= m_slots.size())
            m_slots.resize(index + 1);
        else if (m_slots[index].var)
            m_slots[index].var->DecUse();
        m_slots[index] = {var, col};
        var->IncUse();
        return;
    }
    if (index >= m_slots.size())
        return;
    if (m_slots[index].var)
        m_slots[index].var->DecUse();
    m_slots[index] = {};
    while (!m_slots.empty() && !m_slots.back().var)
        m_slots.pop_back();
    if (m_slots.empty())
        m_slots.shrink_to_fit();
}

void CTxtRowBase::ReleaseSlots()
{
    for (const TxtVarSlot& slot : m_slots)
        if (slot.var)
            slot.var->DecUse();
    m_slots.clear();
    m_slots.shrink_to_fit();
}

void CTxtRowBase::Clear()
{
    m_text.clear();
    m_text.shrink_to_fit();
    ReleaseSlots();
}

void CTxtRowBase::TakeSlots(const CTxtVarSlots* slots)
{
    if (!slots)
        return;
    for (int i = CTxtVarSlots::kCount - 1; i >= 0; --i)
        if (CPrjVar* var = slots->GetVar(i))
            SetVarSlot(i, var, slots->GetCol(i));
    FitVarWidths();
}

void CTxtRowBase::CopySlotsFrom(const CTxtRowBase& other)
{
    for (int i = other.GetVarCount() - 1; i >= 0; --i) {
        const TxtVarSlot slot = other.GetVarSlot(i);
        if (slot.var)
            SetVarSlot(i, slot.var, slot.col);
    }
}

int CTxtRowBase::CountSlotsOf(const CPrjVar* var) const
{
    return static_cast<int>(
        std::count_if(m_slots.begin(), m_slots.end(), [var](const TxtVarSlot& s) { return s.var == var; }));
}

void CTxtRowBase::FitVarWidth(CPrjVar* var, int slotsOfVar) const
{
    // A text longer than the line leaves a huge room, so nothing is lowered.
    const auto room = static_cast<uint16_t>(GetLineWidth() - static_cast<int>(m_text.size()));
    const int share = room / std::max(slotsOfVar, 1);
    const int fitted = var->GetWidth() + share;
    if (fitted < var->GetMaxWidth())
        var->SetMaxWidth(static_cast<uint8_t>(fitted));
}

void CTxtRowBase::FitVarWidths()
{
    for (const TxtVarSlot& slot : m_slots)
        if (slot.var)
            FitVarWidth(slot.var, CountSlotsOf(slot.var));
}

bool CTxtRowBase::HasVarWithOthers(const CPrjVar* var) const
{
    return var && CountSlotsOf(var) > 0 && GetFilledCount() >= 2;
}

std::string CTxtRowBase::RebuildText(uint8_t col, int oldWidth, int newWidth, const CCharSet& charSet) const
{
    const auto limit = static_cast<size_t>(GetTextLimit());
    std::string text = m_text.substr(0, std::min<size_t>(col, limit));
    if (text.size() < col && col < limit)
        text.append(col - text.size(), ' ');
    text += charSet.FieldText(newWidth);
    const size_t tail = static_cast<size_t>(col) + static_cast<size_t>(oldWidth);
    if (tail < m_text.size())
        text.append(m_text, tail);
    if (text.size() > limit)
        text.resize(limit);
    return text;
}

void CTxtRowBase::ReplaceVar(const VarReplaceReq& req)
{
    if (!req.oldVar || !req.newVar || !req.charSet)
        return;
    const int oldWidth = req.oldVar->GetWidth();
    const int newWidth = req.newVar->GetWidth();
    const int delta = newWidth - oldWidth;
    bool replaced = false;
    for (int i = 0; i < GetVarCount(); ++i) {
        const TxtVarSlot slot = m_slots[static_cast<size_t>(i)];
        if (slot.var != req.oldVar)
            continue;
        m_text = RebuildText(slot.col, oldWidth, newWidth, *req.charSet);
        // The fields behind this one follow its new end.
        for (int j = 0; j < GetVarCount(); ++j) {
            const TxtVarSlot other = m_slots[static_cast<size_t>(j)];
            if (j != i && other.var && other.col > slot.col)
                SetVarSlot(j, other.var, static_cast<uint8_t>(std::clamp(other.col + delta, 0, 254)));
        }
        SetVarSlot(i, req.newVar, slot.col);
        replaced = true;
    }
    if (replaced && m_kind == Kind::Printer)
        FitVarWidth(req.newVar, CountSlotsOf(req.newVar));
}

CPrjTxtRow::CPrjTxtRow(uint8_t num, std::string_view text, const CTxtVarSlots* slots)
    : CTxtRowBase(Kind::Display, num, text)
{
    TakeSlots(slots);
}

std::unique_ptr<CPrjTxtRow> CPrjTxtRow::CloneAs(uint8_t num) const
{
    auto row = std::make_unique<CPrjTxtRow>(num, GetText(), nullptr);
    row->CopySlotsFrom(*this);
    return row;
}

CPrnTxtLin::CPrnTxtLin(uint8_t num, std::string_view text, const CTxtVarSlots* slots)
    : CTxtRowBase(Kind::Printer, num, text)
{
    TakeSlots(slots);
}

std::unique_ptr<CPrnTxtLin> CPrnTxtLin::CloneAs(uint8_t num) const
{
    auto row = std::make_unique<CPrnTxtLin>(num, GetText(), nullptr);
    row->CopySlotsFrom(*this);
    return row;
}

} // namespace orv
