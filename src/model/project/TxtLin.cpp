// Edits a display row in place: typed characters, variable slots and a recipe's
// value list move together so none falls out of step.
#include "model/project/TxtLin.h"

#include "model/core/FrameState.h"
#include "model/core/Log.h"
#include "model/core/MessageBoxes.h"
#include "model/project/PrjVar.h"
#include "model/project/RcpTxt.h"
#include "model/core/StartSelInfo.h"
#include "model/project/TxtRow.h"

#include <algorithm>
#include <cstdlib>

namespace orv {

namespace {

// Start columns are bytes below 255, which marks a free slot.
constexpr int kLastColumn = 255;
constexpr int kLastStartCol = kLastColumn - 1;

constexpr const char* kMsgExtOnce = "Externe Variable d\xFCrfen nur einmal pro Rezepttext eingtragen sein";
constexpr const char* kMsgFourVars = "Nur 4 Variable pro Zeile erlaubt";
constexpr const char* kMsgOneAscii = "Nur 1 ASCII-Variable pro Zeile erlaubt";
constexpr const char* kMsgAsciiAlone = "Ausser 1 ASCII-Variable keine weitere Variable pro Zeile erlaubt";
constexpr const char* kMsgWouldCut = "Einf\xFCgen der Variablen w\xFCrde Zeileninhalt abschneiden";
constexpr const char* kMsgOverVar = "Variable kann nicht \xFC" "ber andere Variable geschoben werden";

bool IsColumn(int column)
{
    return column >= 1 && column <= kLastColumn;
}

bool TxtLinIsExternal(const CPrjVar* var)
{
    return var->GetType() < CPrjVar::kFirstIntType;
}

bool SameName(const CPrjVar* a, const CPrjVar* b)
{
    return a && b && a->GetName() == b->GetName();
}

uint8_t StartCol(int col)
{
    return static_cast<uint8_t>(std::clamp(col, 0, kLastStartCol));
}

}  // namespace

int CPrjTxtLin::DisplayWidth()
{
    const CFrameState* frame = GetMainFrame();
    const CStartSelInfo* startSel = frame ? frame->GetStartSel() : nullptr;
    return startSel ? startSel->GetDspWidth() : kDefaultDspWidth;
}

void CPrjTxtLin::PadTo(int length)
{
    if (static_cast<int>(m_text.size()) < length)
        m_text.append(static_cast<size_t>(length) - m_text.size(), ' ');
}

void CPrjTxtLin::Refuse(const char* message)
{
    m_context.ClearDrag();
    ShowMessageText("%s", message);
}

CPrjRcpTxt* CPrjTxtLin::EditedRecipe() const
{
    if (m_context.GetEditListType() != CTxtEditContext::kListRcpTxt)
        return nullptr;
    return dynamic_cast<CPrjRcpTxt*>(m_context.GetEditEntry());
}

std::vector<CPrjTxtLin::Placed> CPrjTxtLin::FilledSlots() const
{
    std::vector<Placed> placed;
    if (!m_row)
        return placed;
    for (int i = 0; i < m_row->GetVarCount(); ++i) {
        const TxtVarSlot slot = m_row->GetVarSlot(i);
        if (slot.var)
            placed.push_back({slot.var, slot.col});
    }
    std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) { return a.col < b.col; });
    return placed;
}

void CPrjTxtLin::StoreSlots(const std::vector<Placed>& placed)
{
    for (int i = 0; i < CTxtRowBase::kMaxSlots; ++i) {
        const TxtVarSlot now = m_row->GetVarSlot(i);
        if (i < static_cast<int>(placed.size())) {
            const Placed& want = placed[static_cast<size_t>(i)];
            if (now.var != want.var || now.col != want.col)
                m_row->SetVarSlot(i, want.var, StartCol(want.col));
        } else if (now.var) {
            m_row->SetVarSlot(i, nullptr, TxtVarSlot::kNoCol);
        }
    }
}

bool CPrjTxtLin::ChrIns(int column, char ch)
{
    if (!IsColumn(column))
        return false;
    const CFrameState* frame = GetMainFrame();
    if (frame && frame->IsInsertMode()) {
        if (GetUsedLen() >= DisplayWidth())
            return false;
        PadTo(column - 1);
        m_text.insert(static_cast<size_t>(column - 1), 1, ch);
        ShiftVars(column, 1);
    } else {
        PadTo(column);
        m_text[static_cast<size_t>(column - 1)] = ch;
    }
    return true;
}

void CPrjTxtLin::ChrDel(int column)
{
    if (!IsColumn(column))
        return;
    PadTo(column);
    m_text.erase(static_cast<size_t>(column - 1), 1);
    m_text.push_back(' ');
    ShiftVars(column, -1);
}

bool CPrjTxtLin::VarIns(int column, CPrjVar* var, int /*slotHint*/, bool sameText)
{
    if (!var || !m_row || !IsColumn(column))
        return false;
    CPrjRcpTxt* recipe = EditedRecipe();
    const bool external = TxtLinIsExternal(var);
    if (recipe && external && !sameText && recipe->IndexOfVar(var) >= 0) {
        Refuse(kMsgExtOnce);
        return false;
    }
    const std::vector<Placed> placed = FilledSlots();
    if (placed.size() >= kMaxVarsPerRow) {
        Refuse(kMsgFourVars);
        return false;
    }
    if (!placed.empty() && var->GetType() == kTypeAscii) {
        Refuse(kMsgOneAscii);
        return false;
    }
    if (placed.size() == 1 && placed.front().var->GetType() == kTypeAscii) {
        Refuse(kMsgAsciiAlone);
        return false;
    }
    if (var->GetWidth() + GetUsedLen() > DisplayWidth()) {
        Refuse(kMsgWouldCut);
        return false;
    }

    VarInsColl(var, column);
    ShiftTxt(column, var->GetWidth());
    if (recipe && external) {
        // A move takes the variable's pair, value and all, to the variable's
        // new place in text order; only a fresh drop adds a pair.
        CPrjVarValList& values = recipe->GetValList();
        const int existing = sameText ? values.IndexOfVar(var) : -1;
        if (existing >= 0)
            values.MovePair(existing, CountExtBefore(column, m_rowIdx + 1, var));
        else
            values.InsertPair(var, CountExtVarsBefore(column, m_rowIdx + 1));
    }
    return true;
}

void CPrjTxtLin::VarDel(int column, CPrjVar* var, int /*slotHint*/)
{
    if (!m_row || !IsColumn(column))
        return;
    const std::vector<Placed> placed = FilledSlots();
    const auto it =
        std::find_if(placed.begin(), placed.end(), [column](const Placed& p) { return p.col == column - 1; });
    if (it == placed.end() || (var && it->var != var))
        return;
    CPrjVar* removed = it->var;
    const int width = removed->GetWidth();
    VarDelColl(column, width);
    ShiftTxt(column, -width);
    // A variable being moved to another row still stands in the text and
    // keeps its pair.
    CPrjRcpTxt* recipe = EditedRecipe();
    if (recipe && TxtLinIsExternal(removed) && !recipe->ShowsVar(removed))
        recipe->GetValList().RemoveVar(removed);
}

bool CPrjTxtLin::VarMov(int from, int to, CPrjVar* var, int /*slotHint*/)
{
    if (!var || !m_row || !IsColumn(from) || !IsColumn(to) || std::abs(to - from) != 1)
        return false;
    const std::vector<Placed> placed = FilledSlots();
    if (std::none_of(placed.begin(), placed.end(),
                     [&](const Placed& p) { return p.var == var && p.col == from - 1; }))
        return false;
    const int width = var->GetWidth();
    const bool right = from < to;
    const int covered = right ? to + width - 1 : to;
    const int givenUp = right ? from : from + width - 1;
    if (covered < 1 || covered > DisplayWidth())
        return false;
    const bool onOther = std::any_of(placed.begin(), placed.end(), [covered](const Placed& p) {
        return covered >= p.col + 1 && covered <= p.col + p.var->GetWidth();
    });
    if (onOther) {
        Refuse(kMsgOverVar);
        return false;
    }
    PadTo(std::max(covered, givenUp));
    m_text[static_cast<size_t>(givenUp - 1)] = m_text[static_cast<size_t>(covered - 1)];
    VarDelColl(from, width);
    VarInsColl(var, to);
    return true;
}

bool CPrjTxtLin::IsVarAt(int column) const
{
    if (!m_context.GetEditEntry())
        return false;
    const std::vector<Placed> placed = FilledSlots();
    return std::any_of(placed.begin(), placed.end(), [column](const Placed& p) {
        return column >= p.col + 1 && column <= p.col + p.var->GetWidth();
    });
}

void CPrjTxtLin::VarDelColl(int column, int width)
{
    if (!m_row)
        return;
    std::vector<Placed> placed = FilledSlots();
    const auto it =
        std::find_if(placed.begin(), placed.end(), [column](const Placed& p) { return p.col == column - 1; });
    if (it == placed.end())
        return;
    const int start = it->col;
    placed.erase(it);
    for (Placed& p : placed)
        if (p.col > start)
            p.col = std::max(p.col - width, 0);
    StoreSlots(placed);
    LogLine(kLogDebug, "VarDelColl: NumVar = %d", m_row->GetVarCount());
}

void CPrjTxtLin::VarInsColl(CPrjVar* var, int column)
{
    if (!m_row || !var || !IsColumn(column))
        return;
    std::vector<Placed> placed = FilledSlots();
    const int start = column - 1;
    const auto at =
        std::find_if(placed.begin(), placed.end(), [start](const Placed& p) { return p.col >= start; });
    const auto index = at - placed.begin();
    for (Placed& p : placed)
        if (p.col >= start)
            p.col = std::min(p.col + var->GetWidth(), kLastStartCol);
    placed.insert(placed.begin() + index, {var, start});
    // With every slot full the last one's variable drops out of the row.
    if (placed.size() > static_cast<size_t>(CTxtRowBase::kMaxSlots))
        placed.pop_back();
    StoreSlots(placed);
    LogLine(kLogDebug, "VarInsColl: NumVar = %d", m_row->GetVarCount());
}

void CPrjTxtLin::ShiftVars(int column, int delta)
{
    if (!m_row)
        return;
    for (int i = 0; i < m_row->GetVarCount(); ++i) {
        const TxtVarSlot slot = m_row->GetVarSlot(i);
        if (slot.var && slot.col >= column - 1)
            m_row->SetVarSlot(i, slot.var, StartCol(slot.col + delta));
    }
}

void CPrjTxtLin::ShiftTxt(int column, int n)
{
    if (!IsColumn(column) || n == 0)
        return;
    const auto at = static_cast<size_t>(column - 1);
    if (n > 0) {
        PadTo(column - 1);
        m_text.insert(at, static_cast<size_t>(n), ' ');
        return;
    }
    if (at >= m_text.size())
        return;
    const size_t count = std::min(static_cast<size_t>(-n), m_text.size() - at);
    m_text.erase(at, count);
    m_text.append(count, ' ');
}

int CPrjTxtLin::GetUsedLen() const
{
    const size_t last = m_text.find_last_not_of(' ');
    return last == std::string::npos ? 0 : static_cast<int>(last + 1);
}

int CPrjTxtLin::CountExtVarsBefore(int column, int rowNum) const
{
    return CountExtBefore(column, rowNum, nullptr);
}

int CPrjTxtLin::CountExtBefore(int column, int rowNum, const CPrjVar* except) const
{
    const CPrjNumEntry* entry = m_context.GetEditEntry();
    if (!entry)
        return 0;
    int count = 0;
    for (int r = 1; r <= rowNum; ++r) {
        const CPrjTxtRow* row = entry->GetRow(r);
        if (!row)
            continue;
        for (int i = 0; i < row->GetVarCount(); ++i) {
            const TxtVarSlot slot = row->GetVarSlot(i);
            if (!slot.var || !TxtLinIsExternal(slot.var) || SameName(slot.var, except))
                continue;
            if (r == rowNum && slot.col >= column - 1)
                continue;
            ++count;
        }
    }
    return count;
}

} // namespace orv
