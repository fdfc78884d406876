// The providers whose rows the user edits: menu nodes, softkey actions and
// softkey texts. Every change marks the project modified; a refusal, No or
// Cancel leaves the list as it was.
#include "workspace/LstProv.h"

#include "model/core/CatalogueIds.h"
#include "model/core/CheckedFormat.h"
#include "model/core/MessageBoxes.h"
#include "model/core/FrameState.h"
#include "model/project/Mnu.h"
#include "model/project/OpTxt.h"
#include "model/project/PrjData.h"
#include "model/project/SkAct.h"
#include "model/project/SkTxt.h"
#include "workspace/DlgRunner.h"
#include "workspace/FrameCore.h"

#include <algorithm>
#include <memory>

namespace orv {

namespace {

using Align = LstColumn::Align;

// The numbers a list's elements may take, and the refusal of any other.
struct ProvRange {
    int32_t low;
    int32_t high;
    const char* refusal;

    // Tells the user when the number lies outside.
    bool Admits(int32_t num) const
    {
        if (num >= low && num <= high)
            return true;
        ShowMessageText("%s", refusal);
        return false;
    }
};

// Menu nodes and softkey actions are keyed by a byte; 256 would alias 0.
constexpr ProvRange kProvNodeRange = {1, 255, "Nummer muss zwischen 1 und 255 liegen"};
constexpr ProvRange kProvActRange = kProvNodeRange;
// The panel holds softkey texts 0..127.
constexpr ProvRange kProvSkTxtRange = {0, 127, "Nummer muss zwischen 0 und 127 (255) liegen"};

LstCell ProvEditNum(int value)
{
    return SystemCell(FormatText("%d", value));
}

// A row's new number: the same number does nothing, one outside the range
// or taken by another element is refused with a message.
bool ProvMayRenumber(const ProvRange& range, int32_t current, int num, bool taken)
{
    if (num == current || !range.Admits(num))
        return false;
    if (taken) {
        ShowMessageText("Nummer %d ist bereits vergeben. Operation abgebrochen.", num);
        return false;
    }
    return true;
}

CPrjSkActList* ProvActs()
{
    const CPrjData* prj = GetPrjData();
    return prj ? prj->GetSkActList() : nullptr;
}

CPrjSkTxtList* ProvSkTxts()
{
    const CPrjData* prj = GetPrjData();
    return prj ? prj->GetSkTxtList() : nullptr;
}

template <class List>
bool ProvRowIn(const List* list, int row)
{
    return list && row >= 0 && row < list->GetCount();
}

} // namespace

// --- Menu nodes ------------------------------------------------------------

CPrjMnuNodeList* CLstProvMnuNode::Nodes() const
{
    return m_menu ? m_menu->GetSubList() : nullptr;
}

CPrjMnuNode* CLstProvMnuNode::NodeAt(int row) const
{
    CPrjMnuNodeList* nodes = Nodes();
    return ProvRowIn(nodes, row) ? nodes->ItemAt(row) : nullptr;
}

void CLstProvMnuNode::SetupColumns()
{
    static constexpr ColumnDef kColumns[] = {
        {"Knoten", 100, Align::Left},  {"links", 100, Align::Right},   {"rechts", 100, Align::Right},
        {"unten", 100, Align::Right},  {"oben", 100, Align::Right},    {"Text-Nr", 100, Align::Right},
        {"Start", 50, Align::Left},
    };
    AddColumns(kColumns);
}

void CLstProvMnuNode::FillRows()
{
    Table().SetFont(CLstTable::Font::System);
    Table().SetStyle(CLstTable::Style::Report);
    if (const CPrjMnuNodeList* nodes = Nodes())
        for (int i = 0; i < nodes->GetCount(); ++i)
            AddNodeRow(i);
}

void CLstProvMnuNode::AddNodeRow(int row)
{
    const CPrjMnuNode* found = NodeAt(row);
    if (!found)
        return;
    const CPrjMnuNode& node = *found;
    const CPrjOpTxt* text = node.GetOpTxt();
    AddRow(ProvEditNum(node.GetNum()),
           {ProvEditNum(node.GetLeft()), ProvEditNum(node.GetRight()), ProvEditNum(node.GetDown()),
            ProvEditNum(node.GetUp()), text ? ProvEditNum(text->GetNum()) : SystemCell(""),
            SystemCell(node.IsStart() ? "<-" : "  ")},
           0, row);
}

void CLstProvMnuNode::RefreshRow(int row)
{
    if (row < 0 || row >= Table().GetRowCount())
        return;
    Table().DeleteRow(row);
    AddNodeRow(row);
}

void CLstProvMnuNode::OnNew()
{
    CPrjMnuNodeList* nodes = Nodes();
    const CPrjData* prj = GetPrjData();
    if (!nodes || !prj)
        return;
    int num = kProvNodeRange.low;
    while (num <= kProvNodeRange.high && nodes->FindByNum(num))
        ++num;
    if (num > kProvNodeRange.high) {
        ShowMessageText("Bereits 255 Men\xFC-Knoten in diesem Men\xFC definiert");
        return;
    }
    const CPrjOpTxtList* texts = prj->GetOpTxtList();
    if (!texts || texts->GetCount() == 0) {
        ShowInternalErrorText("Kein Bedientext definiert");
        return;
    }
    auto node = std::make_unique<CPrjMnuNode>(static_cast<uint8_t>(num), 0, 0, 0, 0, texts->OpTxtAt(0), 0);
    if (!m_menu->InsNode(node.get()))
        return;
    node.release();
    // The rows follow the node list, whose order the row commands go by.
    ShowChange();
}

void CLstProvMnuNode::OnEdit(int row)
{
    CPrjMnuNode* node = NodeAt(row);
    if (!node || !Core().GetDlgRunner().RunMnuNode(*m_menu, *node))
        return;
    MarkModified();
    RefreshRow(row);
}

void CLstProvMnuNode::OnDelete(int row)
{
    CPrjMnuNode* node = NodeAt(row);
    if (!node || !AskYesNo(msg::kMenueknotenNrLoeschen, static_cast<int>(node->GetNum())))
        return;
    Nodes()->DelNode(node);
    // The other nodes' links to it are gone too.
    ShowChange();
}

void CLstProvMnuNode::OnRenumber(int row, int num)
{
    CPrjMnuNode* node = NodeAt(row);
    CPrjMnuNodeList* nodes = Nodes();
    if (!node || !ProvMayRenumber(kProvNodeRange, node->GetNum(), num, nodes->FindByNum(num) != nullptr) ||
        !nodes->Renumber(node, static_cast<uint8_t>(num)))
        return;
    // The other nodes' links follow it.
    ShowChange();
}

void CLstProvMnuNode::OnMakeStart(int row)
{
    CPrjMnuNodeList* nodes = Nodes();
    if (!NodeAt(row))
        return;
    bool changed = false;
    for (int i = 0; i < nodes->GetCount(); ++i) {
        CPrjMnuNode* node = nodes->ItemAt(i);
        const uint8_t start = i == row ? 1 : 0;
        if (node->IsStart() != start) {
            node->SetStart(start);
            changed = true;
        }
    }
    if (changed)
        ShowChange();
}

// --- Softkey actions -------------------------------------------------------

void CLstProvSkAct::SetupColumns()
{
    static constexpr ColumnDef kColumns[] = {{"Nr", 100, Align::Left}, {"Kommentar", 300, Align::Left}};
    AddColumns(kColumns);
}

void CLstProvSkAct::FillRows()
{
    Table().SetFont(CLstTable::Font::System);
    Table().SetStyle(CLstTable::Style::Report);
    const CPrjSkActList* acts = ProvActs();
    if (!acts)
        return;
    for (int i = 0; i < acts->GetCount(); ++i) {
        const CPrjSkAct& act = *acts->ItemAt(i);
        AddRow(ProvEditNum(act.GetNum()), {PanelCell(act.GetName() ? act.GetName() : "")});
    }
}

bool CLstProvSkAct::NextNum(int32_t& num) const
{
    const CPrjSkAct* highest = ProvActs()->FindHighest();
    num = highest ? highest->GetNum() + 1 : kProvActRange.low;
    return kProvActRange.Admits(num);
}

void CLstProvSkAct::OnNew()
{
    CPrjSkActList* acts = ProvActs();
    int32_t num = 0;
    if (!acts || !NextNum(num))
        return;
    const std::string name = FormatText("%03d", num);
    if (!acts->Adopt(std::make_unique<CPrjSkAct>(num, name.c_str())))
        return;
    ShowChange();
}

void CLstProvSkAct::OnEdit(int row)
{
    if (!ProvRowIn(ProvActs(), row) || !Core().GetDlgRunner().RunSkAction(row))
        return;
    ShowChange();
}

void CLstProvSkAct::OnCopy(int row)
{
    CPrjSkActList* acts = ProvActs();
    int32_t num = 0;
    if (!ProvRowIn(acts, row) || !NextNum(num))
        return;
    const CPrjSkAct* source = acts->ItemAt(row);
    CPrjSkAct* copy = acts->CopyAct(source, num);
    if (!copy)
        return;
    copy->SetName(FormatText("Kopie von Nr %d", source->GetNum()).c_str());
    ShowChange();
}

void CLstProvSkAct::OnDelete(int row)
{
    CPrjSkActList* acts = ProvActs();
    if (!ProvRowIn(acts, row) || !AskYesNoText("Softkey-Aktion wirklich l\xF6schen?"))
        return;
    CPrjSkAct* act = acts->ItemAt(row);
    // Softkey texts still point at it.
    if (act->GetUseCount() != 0 || !acts->DelAct(act)) {
        ShowMessageText("Diese Softkeyaktion wird in mind. einem Softkeytext verwendet, und kann daher nicht "
                        "gel\xF6scht werden");
        return;
    }
    ShowChange();
}

void CLstProvSkAct::OnRenumber(int row, int num)
{
    CPrjSkActList* acts = ProvActs();
    if (!ProvRowIn(acts, row))
        return;
    CPrjSkAct* act = acts->ItemAt(row);
    if (!ProvMayRenumber(kProvActRange, act->GetNum(), num, acts->FindByNum(num) != nullptr) ||
        !acts->Renumber(act, num))
        return;
    ShowChange();
}

// --- Softkey texts ---------------------------------------------------------

int CLstProvSkTxt::KeyCount() const
{
    return std::clamp(Core().GetStartSel().Dev().numSK, 0, CPrjSkTxt::kKeys);
}

void CLstProvSkTxt::SetupColumns()
{
    Table().AddColumn("Nr", 50);
    for (int k = 1; k <= KeyCount(); ++k) {
        Table().AddColumn(FormatText("%d+", k), 50);
        Table().AddColumn(FormatText("%d-", k), 50);
    }
}

void CLstProvSkTxt::FillRows()
{
    Table().SetFont(CLstTable::Font::System);
    Table().SetStyle(CLstTable::Style::Report);
    const CPrjSkTxtList* texts = ProvSkTxts();
    if (!texts)
        return;
    const auto actCell = [](const CPrjSkAct* act) {
        return act ? SystemCell(FormatText("%u", static_cast<unsigned>(act->GetNum()))) : SystemCell("<>");
    };
    for (int i = 0; i < texts->GetCount(); ++i) {
        const CPrjSkTxt& text = *texts->SkTxtAt(i);
        const int row = AddRow(ProvEditNum(text.GetNum()), {});
        for (int k = 1; k <= KeyCount(); ++k) {
            Table().SetCell(row, 2 * k - 1, actCell(text.GetPressAct(k)));
            Table().SetCell(row, 2 * k, actCell(text.GetReleaseAct(k)));
        }
    }
}

void CLstProvSkTxt::OnNew()
{
    CPrjSkTxtList* texts = ProvSkTxts();
    if (!texts)
        return;
    const int32_t num = texts->GetCount();
    if (!kProvSkTxtRange.Admits(num))
        return;
    // A taken number is refused by the list, which destroys the new text.
    if (!texts->Adopt(std::make_unique<CPrjSkTxt>(num)))
        return;
    ShowChange();
}

void CLstProvSkTxt::OnEdit(int row)
{
    if (!ProvRowIn(ProvSkTxts(), row) || !Core().GetDlgRunner().RunSoftkeys(row))
        return;
    ShowChange();
}

void CLstProvSkTxt::OnCopy(int row)
{
    CPrjSkTxtList* texts = ProvSkTxts();
    if (!ProvRowIn(texts, row))
        return;
    const int32_t num = texts->GetCount() + 1;
    if (!kProvSkTxtRange.Admits(num) || !texts->CopySkTxt(texts->SkTxtAt(row), num))
        return;
    ShowChange();
}

void CLstProvSkTxt::OnDelete(int row)
{
    CPrjSkTxtList* texts = ProvSkTxts();
    if (!ProvRowIn(texts, row) || !AskYesNoText("Softkeytext wirklich l\xF6schen?"))
        return;
    texts->DelSkTxt(texts->SkTxtAt(row));
    ShowChange();
}

void CLstProvSkTxt::OnRenumber(int row, int num)
{
    CPrjSkTxtList* texts = ProvSkTxts();
    if (!ProvRowIn(texts, row))
        return;
    CPrjSkTxt* text = texts->SkTxtAt(row);
    if (!ProvMayRenumber(kProvSkTxtRange, text->GetNum(), num, texts->FindByNum(num) != nullptr))
        return;
    texts->Renumber(text, num);
    if (text->GetNum() == num)
        ShowChange();
}

} // namespace orv
