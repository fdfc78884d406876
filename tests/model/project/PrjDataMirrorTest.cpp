#include "model/project/PrjData.h"
#include "model/project/PrjIntVar.h"
#include "model/project/PrjVarList.h"
#include "support/PrjBuilder.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

using namespace orv;

namespace {

constexpr uint32_t kPrjDataMirrorIntFlags = 0x33FB;

CPrjIntVar* AddNum(CPrjData& prj, const char* name)
{
    auto* var = new CPrjIntVarNum(name, kPrjDataMirrorIntFlags, 1, 134, 0, 0, 3, 0, 0, 999);
    EXPECT_EQ(prj.GetVarList()->At(prj.InsVar(var)), var);
    return var;
}

CPrjIntVar* AddState(CPrjData& prj, const char* name)
{
    auto* var = new CPrjIntVarStr(name, kPrjDataMirrorIntFlags, 2, 142, 0, 0, nullptr);
    EXPECT_EQ(prj.GetVarList()->At(prj.InsVar(var)), var);
    return var;
}

CPrjIntVarByte* AddDate(CPrjVarList& list, const char* name)
{
    auto* var = new CPrjIntVarByte(name, -1, kPrjDataMirrorIntFlags, 4, 251, 0, 0, 0);
    EXPECT_EQ(list.At(list.Insert(var)), var);
    return var;
}

TEST(PrjDataMirror, EachSetterStoresAndReachesItsVariable)
{
    struct Case {
        const char* target;
        std::function<void(CPrjData&, int)> set;
        std::function<int(const CPrjData&)> get;
        int value;
    };
    const Case cases[] = {
        {"[Z005]", [](CPrjData& p, int v) { p.SetCycleTime(static_cast<uint16_t>(v)); }, &CPrjData::GetCycleTime, 25},
        {"[Z006]", [](CPrjData& p, int v) { p.SetCycleTime(static_cast<uint16_t>(v)); }, &CPrjData::GetCycleTime, 7},
        {"[Z100]", [](CPrjData& p, int v) { p.SetPrnStatusPos(static_cast<uint16_t>(v)); }, &CPrjData::GetPrnStatusPos,
         120},
        {"[Z031]", [](CPrjData& p, int v) { p.SetPrnIfc(static_cast<uint8_t>(v)); }, &CPrjData::GetPrnIfc, 1},
        {"[Z027]", [](CPrjData& p, int v) { p.SetPrnBaud(static_cast<uint8_t>(v)); }, &CPrjData::GetPrnBaud, 4},
        {"[Z028]", [](CPrjData& p, int v) { p.SetPrnParity(static_cast<uint8_t>(v)); }, &CPrjData::GetPrnParity, 2},
        {"[Z029]", [](CPrjData& p, int v) { p.SetPrnDataBits(static_cast<uint8_t>(v)); }, &CPrjData::GetPrnDataBits,
         1},
        {"[Z030]", [](CPrjData& p, int v) { p.SetPrnStopBits(static_cast<uint8_t>(v)); }, &CPrjData::GetPrnStopBits,
         0},
    };
    CPrjData prj(nullptr);
    AddNum(prj, "[Z005]");
    AddNum(prj, "[Z006]");
    AddNum(prj, "[Z100]");
    for (const char* name : {"[Z027]", "[Z028]", "[Z029]", "[Z030]", "[Z031]"})
        AddState(prj, name)->SetExtWord1(99);
    for (const Case& c : cases) {
        c.set(prj, c.value);
        EXPECT_EQ(c.get(prj), c.value) << c.target;
        EXPECT_EQ(prj.GetVarList()->FindByName(c.target)->GetExtWord1(), c.value) << c.target;
    }

    CPrjIntVarByte* date = AddDate(*prj.GetVarList(), "[Z024]");
    prj.SetDateMode(2);
    EXPECT_EQ(prj.GetDateMode(), 2);
    EXPECT_EQ(date->GetExtByte12(), 2);
}

TEST(PrjDataMirror, OutOfRangeBaudStoredButNotMirrored)
{
    CPrjData prj(nullptr);
    CPrjIntVar* baud = AddState(prj, "[Z027]");
    prj.SetPrnBaud(2);
    prj.SetPrnBaud(5);
    EXPECT_EQ(prj.GetPrnBaud(), 5);
    EXPECT_EQ(baud->GetExtWord1(), 2);
}

TEST(PrjDataMirror, DateModeReachesVariablesButNotInterfaceVariables)
{
    CPrjData prj(nullptr);
    CPrjIntVarByte* own = AddDate(*prj.GetVarList(), "[Z024]");
    CPrjIntVarByte* ifc = AddDate(*prj.GetKomVarList(), "Datum");
    const uint8_t ifcBefore = ifc->GetExtByte12();
    prj.SetDateMode(1);
    EXPECT_EQ(own->GetExtByte12(), 1);
    EXPECT_EQ(ifc->GetExtByte12(), ifcBefore);
}

TEST(PrjDataMirror, WrongTypeLeftAlone)
{
    CPrjData prj(nullptr);
    CPrjIntVar* cycle = AddState(prj, "[Z005]");
    cycle->SetExtWord1(3);
    prj.SetCycleTime(30);
    EXPECT_EQ(cycle->GetExtWord1(), 3);
}

TEST(PrjDataMirror, PrinterSettingsOfPanel47HaveNoMirrorTargets)
{
    ProjectWorld fx(LoadedWorld(47));
    fx.prj->Clear();
    const CPrjVarList& vars = *fx.prj->GetVarList();
    std::vector<int32_t> before;
    for (int i = 0; i < vars.GetCount(); ++i)
        before.push_back(vars.VarAt(i)->GetExtWord1());
    fx.prj->SetPrnBaud(1);
    fx.prj->SetPrnParity(0);
    fx.prj->SetPrnIfc(1);
    for (int i = 0; i < vars.GetCount(); ++i)
        EXPECT_EQ(vars.VarAt(i)->GetExtWord1(), before[static_cast<size_t>(i)]) << vars.VarAt(i)->GetName();
    EXPECT_EQ(fx.prj->GetPrnBaud(), 1);
}

} // namespace
