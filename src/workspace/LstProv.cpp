// The providers that only show: variables, driver parameter codes, texts, the
// PLC transfer area and the characters, and the activation they all share.
#include "workspace/LstProv.h"

#include "model/core/CheckedFormat.h"
#include "model/core/FrameState.h"
#include "model/project/BitHexText.h"
#include "model/project/DrvCfg.h"
#include "model/project/DrvParColl.h"
#include "model/project/DrvParItem.h"
#include "model/project/NumEntry.h"
#include "model/project/PrjData.h"
#include "model/project/PrjIntVar.h"
#include "model/project/PrjVarList.h"
#include "model/project/SpsPar.h"
#include "model/project/VarFmt.h"
#include "workspace/DriverParamCaption.h"
#include "workspace/FrameCore.h"
#include "workspace/FrameViews.h"
#include "workspace/ObjNav.h"

namespace orv {

namespace {

using Align = LstColumn::Align;

LstCell ProvNum(int value)
{
    return SystemCell(FormatText("%d", value));
}

LstCell ProvUnsigned(unsigned value)
{
    return SystemCell(FormatText("%u", value));
}

// The name a variable is listed under: an internal variable keeps the name
// the firmware gave it.
const std::string& ProvVarLabel(const CPrjVar& var)
{
    if (var.IsInternal())
        if (const auto* intVar = dynamic_cast<const CPrjIntVar*>(&var); intVar && !intVar->GetOrigName().empty())
            return intVar->GetOrigName();
    return var.GetName();
}

// The transfer area's directions and display formats.
const char* ProvDirection(uint8_t direction)
{
    switch (direction) {
    case 1:
        return "<-";
    case 2:
        return "->";
    case 3:
        return "<->";
    default:
        return "";
    }
}

const char* ProvFormatName(uint8_t fmt)
{
    switch (fmt) {
    case 1:
        return "BIN";
    case 2:
        return "HEX";
    case 4:
        return "DEC";
    default:
        return "";
    }
}

std::string ProvFormatValue(uint8_t fmt, uint16_t value)
{
    switch (fmt) {
    case 1:
        return FormatBitString(value);
    case 2:
        return FormatText("%-4.4X", static_cast<unsigned>(value));
    default:
        return FormatText("%d", static_cast<int>(value));
    }
}

} // namespace

// --- Base ------------------------------------------------------------------

void CLstProv::ActivateListProvider()
{
    if (!m_active) {
        SetupColumns();
        FillRows();
        m_active = true;
    }
    const IViewLst* lst = m_core.GetViewLst();
    const CObjNav* nav = m_core.GetCurNav();
    if (lst && nav && lst->GetListMode() == IViewLst::kModeTexts)
        m_table.SetSelected(nav->GetActiveIdx());
}

void CLstProv::Deactivate()
{
    if (!m_active)
        return;
    m_table.DeleteAllRows();
    m_table.DeleteAllColumns();
    m_active = false;
}

void CLstProv::Refresh()
{
    Deactivate();
    ActivateListProvider();
}

int CLstProv::AddRow(LstCell label, std::initializer_list<LstCell> subItems, int image, int pos) const
{
    const int row = m_table.InsertRow(pos < 0 ? m_table.GetRowCount() : pos, std::move(label), image);
    int column = 1;
    for (const LstCell& cell : subItems)
        m_table.SetCell(row, column++, cell);
    return row;
}

void CLstProv::MarkModified() const
{
    if (CPrjData* prj = GetPrjData())
        prj->SetModified(true);
}

// --- Variables -------------------------------------------------------------

void CLstProvVar::SetupColumns()
{
    static constexpr ColumnDef kColumns[] = {
        {"Bezeichner", 150, Align::Left},  {"Format", 80, Align::Left},     {"Klasse", 80, Align::Left},
        {"SPS Rel Adr", 80, Align::Right}, {"Laenge", 80, Align::Right},    {"Max Laenge", 80, Align::Right},
        {"Verwendungen", 80, Align::Right},
    };
    AddColumns(kColumns);
}

void CLstProvVar::FillRows()
{
    Table().SetFont(CLstTable::Font::System);
    Table().SetStyle(CLstTable::Style::Report);
    const CPrjData* prj = GetPrjData();
    const CPrjVarList* vars = prj ? prj->GetVarList() : nullptr;
    if (!vars)
        return;
    const bool internal = m_kind == 1;
    for (int i = 0; i < vars->GetCount(); ++i) {
        if (vars->VarAt(i)->IsInternal() != internal)
            continue;
        AddVarRow(i, Table().GetRowCount());
        Table().AppendRowIndex(i);
    }
}

void CLstProvVar::AddVarRow(int listIndex, int pos)
{
    const CPrjData* prj = GetPrjData();
    const CPrjVarList* vars = prj ? prj->GetVarList() : nullptr;
    if (!vars || listIndex < 0 || listIndex >= vars->GetCount())
        return;
    const CPrjVar& var = *vars->VarAt(listIndex);
    // The address is shown as the data word it is, not as a signed number.
    AddRow(PanelCell(ProvVarLabel(var)),
           {SystemCell(CVarFmt(var.GetType()).GetName()), SystemCell(CSollKind(var.GetSetpKind()).GetName()),
            ProvUnsigned(static_cast<uint16_t>(var.GetAdr())), ProvUnsigned(var.GetWidth()),
            ProvUnsigned(var.GetMaxWidth()), ProvUnsigned(static_cast<unsigned>(var.GetUseCount()))},
           0, pos);
}

void CLstProvVar::RefreshRow(int listIndex, int row)
{
    if (row < 0 || row >= Table().GetRowCount())
        return;
    Table().DeleteRow(row);
    AddVarRow(listIndex, row);
}

// --- Driver parameter codes ------------------------------------------------

void CLstProvDrvCode::SetupColumns()
{
    static constexpr ColumnDef kColumns[] = {{"Code", 50, Align::Left}, {"Text", 150, Align::Left}};
    AddColumns(kColumns);
}

void CLstProvDrvCode::FillRows()
{
    Table().SetFont(CLstTable::Font::System);
    Table().SetStyle(CLstTable::Style::Report);
    const CDrvCfg* drv = GetDevCfg();
    const CPrjVarList* records = drv ? drv->GetParList6() : nullptr;
    if (!records)
        return;
    for (int i = 0; i < records->GetCount(); ++i) {
        const std::string& code = records->VarAt(i)->GetName();
        AddRow(PanelCell(code), {SystemCell(DriverParamCaption(code))});
        Table().AppendRowIndex(i);
    }
}

// --- Texts -----------------------------------------------------------------

void CLstProvTxt::SetupColumns()
{
    static constexpr ColumnDef kColumns[] = {
        {"Nummer", 100, Align::Left}, {"1. Zeile", 300, Align::Left}, {"2. Zeile", 300, Align::Left}};
    AddColumns(kColumns);
}

void CLstProvTxt::FillRows()
{
    Table().SetFont(CLstTable::Font::Console);
    Table().SetStyle(CLstTable::Style::Report);
    if (const CObjNav* nav = Core().GetCurNav())
        nav->FillList([this](const CPrjNumEntry& entry, int row) { AddTxtRow(entry, row); });
}

void CLstProvTxt::AddTxtRow(const CPrjNumEntry& entry, int row)
{
    // A negative number is the list's template.
    const auto rowText = [&entry](int i) {
        const CPrjTxtRow* txtRow = entry.GetRow(i);
        return PanelCell(txtRow ? txtRow->GetText() : std::string());
    };
    AddRow(entry.GetNum() < 0 ? SystemCell("DEF") : ProvNum(entry.GetNum()), {rowText(1), rowText(2)}, 0, row);
}

// --- PLC transfer area -----------------------------------------------------

void CLstProvWordBits::SetupColumns()
{
    static constexpr ColumnDef kColumns[] = {
        {"Wort", 120, Align::Left},     {"Kom", 100, Align::Left},         {"15.....8 7......0", 200, Align::Left},
        {"Belegung", 300, Align::Left}, {"Vorbelegung", 100, Align::Left}, {"Darstellung", 100, Align::Left},
    };
    AddColumns(kColumns);
}

void CLstProvWordBits::FillRows()
{
    Table().SetFont(CLstTable::Font::System);
    Table().SetStyle(CLstTable::Style::Report);
    const CSpsPar* sps = GetSpsPar();
    if (!sps)
        return;
    for (int i = 0; i < sps->GetItems().GetCount(); ++i)
        AddItemRow(i, i);
}

void CLstProvWordBits::AddItemRow(int index, int pos)
{
    const CSpsPar* sps = GetSpsPar();
    if (!sps || index < 0 || index >= sps->GetItems().GetCount())
        return;
    const CDrvParItem& item = *sps->GetItems().ItemAt(index);
    // An item in use is named after its variables, project bytes; an unused
    // one carries its catalogue caption.
    const LstCell text = item.GetUseCount() > 0 ? PanelCell(item.GetText()) : SystemCell(item.GetText());
    AddRow(SystemCell(sps->FmtAdr(sps->GetSpsAdr(item.GetNumber()), &item)),
           {SystemCell(ProvDirection(item.GetDirection())),
            SystemCell(ProvFormatValue(item.GetSimFmt(), item.GetValue())), text,
            ProvNum(item.GetSimValue()), SystemCell(ProvFormatName(item.GetSimFmt()))},
           0, pos);
}

void CLstProvWordBits::RefreshRow(int row)
{
    if (row < 0 || row >= Table().GetRowCount())
        return;
    Table().DeleteRow(row);
    AddItemRow(row, row);
}

// --- Characters ------------------------------------------------------------

void CLstProvChr::SetupColumns()
{
    static constexpr ColumnDef kColumns[] = {
        {"Chr", 50, Align::Left}, {"Dec", 50, Align::Left}, {"Hex", 50, Align::Left}};
    AddColumns(kColumns);
}

void CLstProvChr::FillRows()
{
    Table().SetFont(CLstTable::Font::Console);
    Table().SetStyle(CLstTable::Style::List, 10);
    const CStartSel& sel = Core().GetStartSel();
    const int last = sel.IsFont706OrInt() ? 255 : 127;
    for (int code = 0; code <= last; ++code) {
        // Image 2: the panel cannot show the code; 1: the user may draw it.
        const int image = !sel.IsValidChar(code) ? 2 : sel.IsDefChar(code) ? 1 : 0;
        // Code 0 would end the label's text.
        const std::string label = code == 0 ? std::string() : std::string(1, static_cast<char>(code));
        AddRow(PanelCell(label), {ProvNum(code), SystemCell(FormatText("%x", static_cast<unsigned>(code)))},
               image);
    }
}

} // namespace orv
