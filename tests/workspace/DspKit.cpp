#include "DspKit.h"

#include "model/project/PrjVar.h"
#include "model/project/PrjVarList.h"
#include "support/PrjBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace orv {

namespace {

CPrjVar* DspKeepVar(CPrjData& prj, std::unique_ptr<CPrjVar> var, uint8_t width)
{
    var->SetWidth(width);
    CPrjVar* raw = var.get();
    if (prj.InsVar(raw) < 0)
        return nullptr;
    return var.release();
}

} // namespace

DspKit::DspKit()
{
    world = std::make_unique<ProjectWorld>(World().CharSet(), fx.bundle);
    fx.frame.SetLogLevel(3);
    fx.startSel.dspWidth = 20;
    fx.startSel.fntNam = "alt";
    host.dev = DspAltRecord();
    CPrjData& prj = Prj();
    PrjBuilder build(prj);
    CPrjVar* lvl = build.AddNumVar("Lvl", 5);
    CPrjVar* tmp = build.AddNumVar("Tmp", 6);
    CPrjVar* pos = build.AddNumVar("Pos", 7);
    CPrjVar* set = build.AddNumVar("Set", 8);
    lvl->SetWidth(1);
    tmp->SetWidth(3);
    pos->SetWidth(6);
    set->SetWidth(3);
    CPrjVar* name = DspKeepVar(prj, std::make_unique<CPrjVar>("Name", 9, CPrjVar::kPlcFlags, 1, CPrjTxtLin::kTypeAscii), 5);
    if (!lvl || !tmp || !pos || !set || !name) {
        ADD_FAILURE() << "fixture variables";
        return;
    }
    const CCharSet& cs = *world->charSet;
    // Cols 1-2 "AB", Tmp over 5-7, "CD" at 8-9, Pos over 13-18, Lvl at 20.
    const std::string row1 = "AB  " + cs.FieldText(3) + "CD   " + cs.FieldText(6) + " " + cs.FieldText(1);
    AddText(prj, TextKind::Op, 1, row1, {{tmp, 4}, {pos, 12}, {lvl, 19}});
    AddText(prj, TextKind::Rcp, 1, "S=" + cs.FieldText(3), {{set, 2}});
    op = prj.GetOpTxtList()->OpTxtAt(0);
    rcp = prj.GetRcpTxtList()->RcpAt(0);
    if (!op || !rcp) {
        ADD_FAILURE() << "fixture texts";
        return;
    }
    rcp->GetValList().GetAt(0)->SetValue(77);
    AddText(prj, TextKind::Rcp, 2, "second", {});
    prj.SetModified(false);
}

CPrjVar* DspKit::Var(const char* name) const
{
    const CPrjVarList* list = Prj().GetVarList();
    for (int i = 0; i < list->GetCount(); ++i)
        if (list->VarAt(i)->GetName() == name)
            return list->VarAt(i);
    return nullptr;
}

int DspKit::VarIdx(const CPrjVar* var) const
{
    const CPrjVarList* list = Prj().GetVarList();
    for (int i = 0; i < list->GetCount(); ++i)
        if (list->VarAt(i) == var)
            return i;
    return -1;
}

void DspKit::Show(CPrjNumEntry* text, int listType, int rowsPerText)
{
    edit.SavTxtRows();
    host.text = text;
    host.listType = listType;
    host.rowsPerText = rowsPerText;
    edit.SetPage(1);
    edit.RstTxtRows();
}

DspPoint DspKit::CellPoint(int row, int col) const
{
    const CDspGeometry geo = Geo();
    const DspRect cell = geo.CellRect(row, col);
    return {(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
}

void DspKit::Caret(int row, int col)
{
    edit.CaretHome();
    for (int r = 1; r < row; ++r)
        edit.OnKey(DspKey::Down, false);
    while (edit.CaretCol() < col) {
        const int before = edit.CaretCol();
        edit.OnKey(DspKey::Right, false);
        if (edit.CaretCol() == before)
            break;
    }
}

void DspKit::Type(const std::string& text)
{
    for (char ch : text)
        edit.OnChar(static_cast<unsigned char>(ch), static_cast<unsigned char>(ch));
}

void DspKit::Click(int row, int col)
{
    const DspPoint p = CellPoint(row, col);
    edit.OnLButtonDown(Geo(), p.x, p.y);
}

void DspKit::MoveTo(int row, int col)
{
    const DspPoint p = CellPoint(row, col);
    edit.OnMouseMove(Geo(), p.x, p.y);
}

void DspKit::DropVar(const char* name, int row, int col)
{
    const DspPoint p = CellPoint(row, col);
    edit.DrpVar(Geo(), VarIdx(Var(name)), p.x, p.y);
}

void DspKit::DropChr(int code, int row, int col)
{
    const DspPoint p = CellPoint(row, col);
    edit.DrpChr(Geo(), code, p.x, p.y);
}

std::string DspKit::F(int width) const
{
    return world->charSet->FieldText(width);
}

std::vector<std::string> DspKit::Logs() const
{
    return fx.ui.TextsOf(UiCall::Kind::LogAppend);
}

bool DspKit::Logged(const std::string& line) const
{
    return fx.ui.HasLogLine(line);
}

std::string DspKit::Row(int absRow) const
{
    std::string text = edit.RowText(absRow);
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

uint16_t DspKit::ModCount() const
{
    return Prj().GetModCount();
}

} // namespace orv
