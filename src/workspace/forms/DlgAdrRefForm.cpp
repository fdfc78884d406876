// The address cross-reference list of a driver, edited in place in the
// driver configuration. Every check runs before the first entry is touched,
// so a refusal leaves the entries as they were.
#include "workspace/forms/DlgAdrRefForm.h"

#include "model/core/CatalogueIds.h"
#include "model/core/CheckedFormat.h"
#include "model/core/Log.h"
#include "model/core/MessageBoxes.h"
#include "model/project/DrvCfg.h"
#include "model/project/DrvTab.h"
#include "model/project/SpsDef.h"
#include "workspace/DlgRunner.h"
#include "workspace/forms/EditNumber.h"

namespace orv {

// One address area: its radio, its word edit, the name its lines show, the
// largest word a user may type, the step of a sequential run and the limit
// the driver sets for the run's end.
struct CDlgAdrRefForm::AreaRow {
    int area;
    int radio;
    int edit;
    const char* name;
    long maxWord;
    int step;
    CDrvCfg::AdrLimit limit;
};

namespace {

constexpr std::array<CDlgAdrRefForm::AreaRow, 5> kAdrRefAreas{{
    {CDlgAdrRefForm::kAreaDb, CDlgAdrRefForm::kRadioDb, CDlgAdrRefForm::kEditDbw, "DB", 65534, 2, CDrvCfg::kLimitDw},
    {CDlgAdrRefForm::kAreaMw, CDlgAdrRefForm::kRadioMw, CDlgAdrRefForm::kEditMw, "MW", 2046, 2, CDrvCfg::kLimitFw},
    {CDlgAdrRefForm::kAreaEw, CDlgAdrRefForm::kRadioEw, CDlgAdrRefForm::kEditEw, "EW", 16382, 2, CDrvCfg::kLimitIw},
    {CDlgAdrRefForm::kAreaAw, CDlgAdrRefForm::kRadioAw, CDlgAdrRefForm::kEditAw, "AW", 16382, 2, CDrvCfg::kLimitQw},
    {CDlgAdrRefForm::kAreaTw, CDlgAdrRefForm::kRadioTw, CDlgAdrRefForm::kEditTw, "TW", 511, 1, CDrvCfg::kLimitTw},
}};

} // namespace

const CDlgAdrRefForm::AreaRow* CDlgAdrRefForm::RowOf(int area)
{
    for (const AreaRow& row : kAdrRefAreas)
        if (row.area == area)
            return &row;
    return nullptr;
}

int CDlgAdrRefForm::RadioOf(int area)
{
    const AreaRow* row = RowOf(area);
    return row != nullptr ? row->radio : 0;
}

std::string CDlgAdrRefForm::LineOf(int index, const CDrvTabEntry5& entry, bool multi, bool taken)
{
    const AreaRow* row = RowOf(entry.GetVal1());
    if (row == nullptr)
        return "   ";
    const int plc = entry.GetByte();
    if (row->area == kAreaDb) {
        if (multi)
            return FormatText("%1d  |  %03d  |  %s %02d , DBW %02d", plc, index, row->name, entry.GetVal2(),
                              entry.GetVal3());
        if (taken)
            return FormatText("%03d  |  %s %02d , DBW %02d", index, row->name, entry.GetVal2(), entry.GetVal3());
        return FormatText("%03d   |   %s %02d , DBW %02d", index, row->name, entry.GetVal2(), entry.GetVal3());
    }
    if (multi)
        return FormatText("%1d  |  %03d  |  %s %02d", plc, index, row->name, entry.GetVal3());
    return FormatText("%03d  |  %s %02d", index, row->name, entry.GetVal3());
}

CDrvTab5List* CDlgAdrRefForm::Entries() const
{
    return m_cfg != nullptr ? m_cfg->GetParItems() : nullptr;
}

const CDrvTabEntry5* CDlgAdrRefForm::CurEntry() const
{
    const CDrvTab5List* entries = Entries();
    return entries != nullptr && m_sel >= 0 && m_sel < entries->GetCount() ? entries->ItemAt(m_sel) : nullptr;
}

CDlgAdrRefForm::EditState& CDlgAdrRefForm::Edit(int id)
{
    return m_edits[id];
}

const std::string& CDlgAdrRefForm::EditText(int id) const
{
    static const std::string none;
    const auto it = m_edits.find(id);
    return it != m_edits.end() ? it->second.text : none;
}

void CDlgAdrRefForm::SetEditText(int id, std::string text)
{
    Edit(id).text = std::move(text);
}

bool CDlgAdrRefForm::EditShown(int id) const
{
    const auto it = m_edits.find(id);
    return it != m_edits.end() && it->second.shown;
}

void CDlgAdrRefForm::ResetControls()
{
    for (const int id : {kEditDb, kEditDbw, kEditMw, kEditEw, kEditAw, kEditTw})
        Edit(id).shown = false;
    m_area = 0;
    m_dbLabel = "    ";
    if (m_multi) {
        LogAppend(kLogDebug, "Multiaccess");
        m_headLeft = "SPS";
        m_headRight = "DW       Adressverweise";
    } else {
        m_headLeft = "DW";
        m_headRight = "        Adressverweise";
        LogAppend(kLogDebug, "Not Multiaccess");
    }
    Edit(kEditWords).shown = m_wordsChecked;
    Edit(kEditPlc).shown = m_plcChecked;
    Edit(kEditPlcCount).shown = m_plcChecked;
}

void CDlgAdrRefForm::ShowArea(int area)
{
    const AreaRow* row = RowOf(area);
    if (row == nullptr)
        return;
    ResetControls();
    m_area = area;
    if (area == kAreaDb) {
        Edit(kEditDb) = {std::to_string(m_rememberedBlock), true};
        m_dbLabel = "DBW";
    }
    Edit(row->edit) = {std::to_string(m_rememberedWord[static_cast<size_t>(area)]), true};
}

void CDlgAdrRefForm::ShowEntry(const CDrvTabEntry5& entry)
{
    const int area = entry.GetVal1();
    if (RowOf(area) == nullptr)
        return;
    if (area == kAreaDb)
        m_rememberedBlock = entry.GetVal2();
    m_rememberedWord[static_cast<size_t>(area)] = entry.GetVal3();
    ShowArea(area);
}

void CDlgAdrRefForm::Open(CDrvCfg* cfg)
{
    m_cfg = cfg;
    m_multi = cfg != nullptr && cfg->GetFlag(CDrvCfg::kFlagMultiPlc) != 0;
    m_rememberedBlock = 0;
    m_rememberedWord = {};
    m_rememberedPlc = 1;
    m_wordsChecked = false;
    m_plcChecked = false;
    m_focus = 0;
    m_edits.clear();
    ResetControls();
    m_lines.clear();
    const CDrvTab5List* entries = Entries();
    const int count = entries != nullptr ? entries->GetCount() : 0;
    m_lines.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        m_lines.push_back(LineOf(i, *entries->ItemAt(i), m_multi, false));
    m_sel = count > 0 ? 0 : -1;
    if (const CDrvTabEntry5* entry = CurEntry()) {
        ShowEntry(*entry);
        m_rememberedPlc = entry->GetByte();
    }
}

void CDlgAdrRefForm::OnSelect(int line)
{
    m_focus = 0;
    if (line < 0 || line >= static_cast<int>(m_lines.size()))
        return;
    m_sel = line;
    if (const CDrvTabEntry5* entry = CurEntry())
        ShowEntry(*entry);
}

void CDlgAdrRefForm::OnArea(int area)
{
    m_focus = 0;
    if (RowOf(area) == nullptr)
        return;
    ShowArea(area);
    m_focus = area == kAreaDb ? kEditDb : RowOf(area)->edit;
}

void CDlgAdrRefForm::OnWordsCheck(bool on)
{
    m_focus = 0;
    m_wordsChecked = on;
    Edit(kEditWords) = {"0", on};
    if (on)
        m_focus = kEditWords;
}

void CDlgAdrRefForm::OnPlcCheck(bool on)
{
    m_focus = 0;
    m_plcChecked = on && m_multi;
    Edit(kEditPlc) = {std::to_string(m_rememberedPlc), m_plcChecked};
    Edit(kEditPlcCount) = {"0", m_plcChecked};
    if (m_plcChecked)
        m_focus = kEditWords;
}

bool CDlgAdrRefForm::Refuse(int field)
{
    m_focus = field;
    return false;
}

long CDlgAdrRefForm::RunCount(int id) const
{
    const std::optional<long> n = ParseEditNumber(EditText(id));
    return n && *n > 0 ? *n : 0;
}

bool CDlgAdrRefForm::CheckTake(long& block, long& word, int& count, int& plcCount, uint8_t& plc)
{
    const AreaRow* row = RowOf(m_area);
    if (row != nullptr) {
        if (row->area == kAreaDb) {
            const std::optional<long> b = ParseEditNumber(EditText(kEditDb));
            if (!b || *b < 1 || *b > kMaxBlock) {
                ShowMessage(msg::kEingabewertMussZwischenUndLiegen, 1, static_cast<int>(kMaxBlock));
                return Refuse(kEditDb);
            }
            block = *b;
        }
        const std::optional<long> w = ParseEditNumber(EditText(row->edit));
        if (!w || *w < 0 || *w > row->maxWord) {
            ShowMessage(msg::kEingabewertMussZwischenUndLiegen, 0, static_cast<int>(row->maxWord));
            return Refuse(row->edit);
        }
        if (row->step == 2 && *w % 2 != 0) {
            ShowMessage(msg::kEsSindNurGeradzahligeAdressen);
            return Refuse(row->edit);
        }
        word = *w;
    }
    if (m_plcChecked) {
        const std::optional<long> n = ParseEditNumber(EditText(kEditPlc));
        const CSpsDefList* defs = m_cfg->GetParItems3();
        if (!n || *n < 1 || *n > 255 || defs == nullptr || defs->FindByNum(static_cast<int>(*n)) == nullptr) {
            ShowMessage(msg::kSteuerungMitNummerIstNicht, static_cast<int>(n.value_or(0)));
            return Refuse(kEditPlc);
        }
        plc = static_cast<uint8_t>(*n);
    }
    // A run may not reach past the last entry the driver brings.
    const long total = Entries()->GetCount();
    const long remaining = total - m_sel - 1;
    if (row != nullptr) {
        long h = 1;
        if (m_wordsChecked) {
            h = RunCount(kEditWords) + 1;
            const long limit = m_cfg->GetAdrLimit(row->limit);
            if (word + h * row->step > limit + row->step) {
                ShowMessage(msg::kDerWertWirdBeiFolgeadressierung, static_cast<int>(limit));
                return Refuse(row->edit);
            }
            if (m_sel + h > total) {
                ShowMessage(msg::kFuerFolgeadressierungStehenNurAdressen, static_cast<int>(remaining));
                return Refuse(kEditWords);
            }
        }
        count = static_cast<int>(h);
    }
    if (m_plcChecked) {
        const long c = RunCount(kEditPlcCount) + 1;
        if (m_sel + c > total) {
            ShowMessage(msg::kFuerFolgeadressierungStehenNurAdressen, static_cast<int>(remaining));
            return Refuse(kEditPlcCount);
        }
        plcCount = static_cast<int>(c);
    }
    return true;
}

void CDlgAdrRefForm::OnTake()
{
    m_focus = 0;
    if (CurEntry() == nullptr)
        return;
    long block = 0;
    long word = 0;
    int count = 0;
    int plcCount = 0;
    uint8_t plc = 0;
    if (!CheckTake(block, word, count, plcCount, plc))
        return;
    CDrvTab5List& entries = *Entries();
    const int start = m_sel;
    bool changed = false;
    const auto rewrite = [&](int index) {
        m_lines[static_cast<size_t>(index)] = LineOf(index, *entries.ItemAt(index), m_multi, true);
    };
    const AreaRow* row = RowOf(m_area);
    if (row == nullptr)
        LogLine(kLogErrors, "internal Error %s %d", __FILE__, __LINE__);
    for (int k = 0; row != nullptr && k < count; ++k) {
        CDrvTabEntry5& entry = *entries.ItemAt(start + k);
        const auto newWord = static_cast<uint16_t>(word + static_cast<long>(k) * row->step);
        const auto newBlock = static_cast<uint16_t>(row->area == kAreaDb ? block : 0);
        if (entry.GetVal1() != row->area || entry.GetVal2() != newBlock || entry.GetVal3() != newWord) {
            entry.SetVal1(static_cast<uint16_t>(row->area));
            entry.SetVal2(newBlock);
            entry.SetVal3(newWord);
            changed = true;
        }
        rewrite(start + k);
        m_sel = start + k;
    }
    for (int k = 0; k < plcCount; ++k) {
        CDrvTabEntry5& entry = *entries.ItemAt(start + k);
        if (entry.GetByte() != plc) {
            entry.SetByte(plc);
            changed = true;
        }
        rewrite(start + k);
    }
    if (changed)
        m_cfg->SetModified(true);
}

void CDlgAdrRefForm::OnSpsDef()
{
    m_dialogs.RunSpsDef(CurEntry());
}

} // namespace orv
