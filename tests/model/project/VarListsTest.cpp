#include "model/project/PrjIntVar.h"
#include "model/project/PrjVarKinds.h"
#include "model/project/PrjVarList.h"
#include "model/project/TextPool.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace orv;

namespace {

constexpr uint32_t kVarListsFlags = 0x33FB;

struct VarLists : ::testing::Test {
    CTextPool pool{16, 8};
    CPrjVarList list{16, 4};

    CPrjVar* AddWord(const char* name, int16_t adr = 1)
    {
        auto* var = new CPrjVarWord(name, adr, 1, 32, 0);
        EXPECT_EQ(list.VarAt(list.Add(var)), var);
        return var;
    }
    CPrjIntVar* AddNum(const char* name, const char* origName, uint8_t type = 134)
    {
        auto* var = new CPrjIntVarNum(name, kVarListsFlags, 1, type, 0, 0, 3, 0, 0, 999);
        var->SetOrigName(origName);
        list.Add(var);
        return var;
    }
    CPrjIntVarStr* AddStr(const char* name, uint8_t type = 142)
    {
        auto* var = new CPrjIntVarStr(name, kVarListsFlags, 2, type, 0, 0, &pool);
        list.Add(var);
        return var;
    }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (int i = 0; i < list.GetCount(); ++i)
            names.push_back(list.VarAt(i)->GetName());
        return names;
    }
};

TEST_F(VarLists, BracketedNamesLastThenUnsignedBytes)
{
    for (const char* name : {"[Z100]", "alpha", "\x81x", "Beta", "[Z005]", "Alpha"})
        AddWord(name);
    EXPECT_EQ(Names(), (std::vector<std::string>{"Alpha", "Beta", "alpha", "\x81x", "[Z005]", "[Z100]"}));
}

TEST_F(VarLists, DuplicateNameRefusedAndLeftWithCaller)
{
    CPrjVar* first = AddWord("Motor");
    auto* second = new CPrjVarWord("Motor", 2, 1, 32, 0);
    EXPECT_EQ(list.VarAt(list.Add(second)), first);
    EXPECT_EQ(list.GetCount(), 1);
    delete second;
}

TEST_F(VarLists, InterfaceListKeepsInsertionOrderAndEqualNames)
{
    CPrjKomVarList kom(4, 1);
    auto* d1 = new CPrjIntVarByte("Datum", 0, kVarListsFlags, 4, 251, 0, 0, 1);
    auto* zeit = new CPrjIntVarW8("Uhrzeit", 0, kVarListsFlags, 4, 250, 0, 0);
    auto* d2 = new CPrjIntVarByte("Datum", 0, kVarListsFlags, 4, 251, 0, 0, 1);
    for (CPrjVar* var : std::vector<CPrjVar*>{d1, zeit, d2})
        kom.Add(var);
    ASSERT_EQ(kom.GetCount(), 3);
    EXPECT_EQ(kom.VarAt(0), d1);
    EXPECT_EQ(kom.VarAt(2), d2);
    EXPECT_EQ(kom.FindByName("Datum"), d1);
    EXPECT_EQ(kom.IndexOf(d2), 2);

    kom.Renumber(d1, 20);
    EXPECT_EQ(d1->GetAdr(), 20);
    EXPECT_EQ(d2->GetAdr(), 21);
    EXPECT_EQ(zeit->GetAdr(), 0);

    kom.Delete(zeit);
    EXPECT_EQ(kom.GetCount(), 2);
}

TEST_F(VarLists, RenameResortsAndRefusesNameInUse)
{
    AddWord("Beta");
    CPrjVar* zeta = AddWord("Zeta");
    EXPECT_TRUE(list.Rename(zeta, "Alpha"));
    EXPECT_EQ(list.VarAt(0), zeta);
    EXPECT_EQ(Names(), (std::vector<std::string>{"Alpha", "Beta"}));

    EXPECT_FALSE(list.Rename(zeta, "Beta"));
    EXPECT_EQ(Names(), (std::vector<std::string>{"Alpha", "Beta"})) << "still listed under its old name";
    EXPECT_EQ(list.FindByName("Alpha"), zeta);

    EXPECT_TRUE(list.Rename(zeta, std::string(30, 'Z')));
    EXPECT_EQ(zeta->GetName(), std::string(25, 'Z'));
    EXPECT_EQ(list.FindByName(std::string(25, 'Z')), zeta);

    CPrjVarWord stranger("Fremd", 1, 1, 32, 0);
    EXPECT_FALSE(list.Rename(&stranger, "Gamma"));
    EXPECT_FALSE(list.Rename(nullptr, "Gamma"));
    EXPECT_EQ(list.GetCount(), 2);
}

TEST_F(VarLists, DeleteClampsCurrentAndReleasesStateTexts)
{
    auto* bit = new CPrjVarBit("Bit", 1, 1, 12, 0, &pool);
    bit->SetStateTxt(0, "AUS");
    bit->SetStateTxt(1, "EIN");
    list.Add(bit);
    CPrjIntVarStr* str = AddStr("ZB");
    str->SetTxtCount(1);
    str->SetStateTxt(1, "TTY");
    AddWord("Alpha");
    ASSERT_EQ(pool.GetCount(), 3);

    list.SetCurIdx(2);
    list.Delete(str);
    EXPECT_EQ(list.GetCurIdx(), 1);
    EXPECT_EQ(pool.GetCount(), 2);
    list.Delete(bit);
    EXPECT_EQ(pool.GetCount(), 0);
    EXPECT_EQ(list.GetCurIdx(), 0);

    CPrjVarWord stranger("Fremd", 1, 1, 32, 0);
    list.Delete(&stranger);
    list.Delete(nullptr);
    EXPECT_EQ(list.GetCount(), 1);

    AddStr("ZC")->SetTxtCount(0);
    list.SetCurIdx(1);
    list.FreeAll();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetCurIdx(), 0);
}

TEST_F(VarLists, Lookups)
{
    CPrjVar* motor = AddWord("Motor", 12);
    motor->SetAttr32(0xFD04);
    CPrjIntVar* ze = AddNum("ZE", "[PRN_BAUDRATE]");
    CPrjVar* plain = AddWord("[PRN_TIMEOUT]", 13);
    auto* cloneOfInt = ze->Clone("ZZ").release();
    list.Add(cloneOfInt);

    EXPECT_EQ(list.FindByName("Motor"), motor);
    EXPECT_EQ(list.FindByName("motor"), nullptr);
    EXPECT_EQ(list.FindByName(static_cast<const char*>(nullptr)), nullptr);
    EXPECT_EQ(list.FindIntByStdName("[PRN_BAUDRATE]"), ze);
    EXPECT_EQ(list.FindIntByStdName("[PRN_TIMEOUT]"), nullptr) << "a PLC variable of that name is not internal";
    EXPECT_EQ(list.FindIntByStdName("ZZ"), nullptr) << "a plain clone has no descriptive name";
    EXPECT_EQ(list.FindByAdr(13), plain);
    EXPECT_EQ(list.FindByAdr(-1), ze);
    EXPECT_EQ(list.FindByAdr(14), nullptr);
    EXPECT_EQ(list.FindByRef(0xFD04), motor);
    EXPECT_EQ(list.FindByRef(0xFD05), nullptr);
    EXPECT_TRUE(list.HasExtVar());
    EXPECT_FALSE(list.HasIntStrVar());

    list.SetCurByName("[PRN_TIMEOUT]");
    EXPECT_EQ(list.VarAt(list.GetCurIdx()), plain) << "by name first";
    list.SetCurByName("[PRN_BAUDRATE]");
    EXPECT_EQ(list.VarAt(list.GetCurIdx()), ze) << "then by descriptive name";
    list.SetCurByName("nichts");
    EXPECT_EQ(list.VarAt(list.GetCurIdx()), ze);

    CPrjVarList ints(16, 4);
    EXPECT_FALSE(ints.HasExtVar());
    for (uint8_t type : {142, 144, 154}) {
        CPrjVarList one(4, 1);
        one.Add(new CPrjIntVarStr("S", kVarListsFlags, 2, type, 0, 0, nullptr));
        EXPECT_TRUE(one.HasIntStrVar()) << int(type);
        EXPECT_FALSE(one.HasExtVar());
    }
}

// Each setting goes into the internal variable of its name and type code,
// and only for the values that variable can show.
TEST_F(VarLists, SettingMirrors)
{
    CPrjIntVar* z005 = AddNum("[Z005]", "[Z005]");
    CPrjIntVar* z006 = AddNum("[Z006]", "[Z006]");
    CPrjIntVar* z100 = AddNum("[Z100]", "[Z100]", 135);
    CPrjIntVarStr* z027 = AddStr("[Z027]");
    CPrjIntVarStr* z028 = AddStr("[Z028]");
    CPrjIntVarStr* z029 = AddStr("[Z029]");
    CPrjIntVarStr* z030 = AddStr("[Z030]", 154);
    auto* date1 = new CPrjIntVarByte("[Z24]", -1, kVarListsFlags, 1, 251, 0, 0, 0);
    auto* date2 = new CPrjIntVarByte("DatumX", -1, kVarListsFlags, 1, 251, 0, 0, 0);
    list.Add(date1);
    list.Add(date2);

    struct Case {
        const char* what;
        void (CPrjVarList::*mirror)(int);
        int value;
        const CPrjVar* var;
        int expected;
    };
    const Case cases[] = {
        {"cycle into [Z005]", &CPrjVarList::SetCycleVars, 12, z005, 12},
        {"cycle into [Z006]", &CPrjVarList::SetCycleVars, 12, z006, 12},
        {"status word of type 135", &CPrjVarList::SetPrnStatusVar, 40, z100, 0},
        {"baud 4", &CPrjVarList::SetPrnBaudVar, 4, z027, 4},
        {"baud 5 out of range", &CPrjVarList::SetPrnBaudVar, 5, z027, 4},
        {"baud -1 out of range", &CPrjVarList::SetPrnBaudVar, -1, z027, 4},
        {"parity 2", &CPrjVarList::SetPrnParityVar, 2, z028, 2},
        {"parity 3", &CPrjVarList::SetPrnParityVar, 3, z028, 2},
        {"data bits 1", &CPrjVarList::SetPrnDataBitsVar, 1, z029, 1},
        {"stop bits of type 154", &CPrjVarList::SetPrnStopBitsVar, 1, z030, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        (list.*c.mirror)(c.value);
        EXPECT_EQ(c.var->GetExtWord1(), c.expected);
    }
    list.SetPrnIfcVar(1); // no "[Z031]": nothing happens

    list.SetDateModeVars(2);
    EXPECT_EQ(date1->GetExtByte12(), 2);
    EXPECT_EQ(date2->GetExtByte12(), 2);
}

TEST_F(VarLists, MaxWidthsOfAll)
{
    CPrjVar* a = AddWord("A");
    CPrjVar* b = AddWord("B");
    list.SetMaxWidths(12);
    EXPECT_EQ(a->GetMaxWidth(), 12);
    EXPECT_EQ(b->GetMaxWidth(), 12);
}

} // namespace
