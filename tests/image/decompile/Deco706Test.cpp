#include "Deco043Kit.h"
#include "../compile/CompWorld.h"
#include "Deco706Kit.h"

#include "image/decompile/Deco706.h"
#include "model/project/CharDef.h"
#include "model/project/DrvTab.h"
#include "model/project/Mnu.h"
#include "model/project/MsgTxt.h"
#include "model/project/OpTxt.h"
#include "model/project/PrjIntVar.h"
#include "model/project/PrjVarKinds.h"
#include "model/project/PrjVarList.h"
#include "model/project/PrnTxt.h"
#include "model/project/SkAct.h"
#include "model/project/SkTxt.h"
#include "model/project/TimeVal.h"
#include "model/project/TxtRow.h"
#include "tools/cfggen/DrvBuilders.h"
#include "support/FktBuilders.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

using namespace orv;

using deco_kit::Value48;
using Builder = Image706Builder;

namespace {

// Pointers to counted texts, as state-text tables hold them.
std::string Texts(Builder& b, const std::vector<std::string>& texts)
{
    ByteBuilder table;
    for (size_t i = 0; i < texts.size(); ++i)
        table.U32(4 * i, b.SharedText(texts[i]));
    return table.Str();
}

class Deco706 : public ::testing::Test, public Deco706Fixture {
protected:
    // A variable record with the tail of its type; its data part.
    uint32_t AddVar(Builder& b, const std::string& name, uint16_t type, uint32_t value1, const std::string& tail = {},
                    uint8_t width = 4, uint8_t setp = 0)
    {
        return b.AddVar({name, width, setp, type, 0, value1, tail}).data;
    }
    const CPrjTxtRow* OpRow(int n, int row = 1) const
    {
        const CPrjNumEntry* text = prj.GetOpTxtList()->FindByNum(n);
        return text ? text->GetRow(row) : nullptr;
    }
    std::string Frame(const CPrjVar& var) const { return charSet.FieldText(var.GetWidth()); }
};

// --- Driver and special-function files ------------------------------------------

TEST_F(Deco706, DriverParameterBlockSitsAtThePanelAddressOfItsFamily)
{
    for (uint16_t type : {706, 473, 477}) {
        Deco706Fixture f(type);
        f.drv.AddParItem(new CDrvTabEntry5(0, 0, 0, 0, 0));
        Drv706Entry e;
        e.base = type == 706 ? Drv706Entry::kBase706 : Drv706Entry::kBase473;
        DrvXrefLayout x;
        x.count = 1;
        x.records = {{0, std::string("\x02\x03\x00\x04\x00\x05", 6)}};
        e.xref = x;
        f.drvBytes = e.Build().bytes;
        ASSERT_EQ(f.Decompile(Builder(type)), 0) << type;
        EXPECT_EQ(f.drv.GetFlag(CDrvCfg::kFlagXref), 1) << type;
        EXPECT_EQ(f.drv.GetParItems()->ItemAt(0)->GetVal3(), 5) << type;
    }
}

TEST_F(Deco706, DriverFileMustBeThereWithItsMagic)
{
    Drv706Entry wrong;
    wrong.magic = 480;
    drvBytes = wrong.Build().bytes;
    EXPECT_EQ(Decompile(Builder()), CDeco::kErrDrv);
    drvBytes = Drv706Entry{}.Build().bytes.substr(0, 60);
    EXPECT_EQ(Decompile(Builder()), CDeco::kErrDrv);
    drvBytes.clear();
    EXPECT_EQ(Decompile(Builder()), CDeco::kErrDrv);
}

TEST_F(Deco706, SpecialFunctionFileIsCheckedOnlyWhenItOpens)
{
    EXPECT_EQ(Decompile(Builder().Finish(), FktPath()), 0);
    dir.Write("PRJ.FKT", Fkt706File{}.Build());
    EXPECT_EQ(Decompile(Builder().Finish(), FktPath()), 0);

    Fkt706File wrong;
    wrong.magic = 465;
    for (const std::string& bytes : {wrong.Build(), Fkt706File{}.Build().substr(0, 70)}) {
        dir.Write("PRJ.FKT", bytes);
        dir.Write("PRJ.DRV", drvBytes);
        ui.ClearCalls();
        CDeco706 deco(&workspace, WriteImage(Builder().Finish()), DrvPath(), FktPath(), &bundle);
        EXPECT_EQ(deco.GetError(), CDeco::kErrFkt);
        EXPECT_FALSE(deco.CheckError());
        EXPECT_TRUE(BoxIds().empty());
    }
}

// --- Characters -------------------------------------------------------------------

TEST_F(Deco706, Characters706ReplaceThoseOfTheirCode)
{
    struct Case {
        std::string packed;
        CCharDef::Rows rows;
    } const cases[] = {
        {std::string("\x1F\0\0\0\0", 5), {0, 0x1F, 0, 0, 0, 0, 0, 0}},
        {std::string("\xE0\x03\0\0\0", 5), {0x1F, 0, 0, 0, 0, 0, 0, 0}},
        {std::string("\0\x7C\0\0\0", 5), {0, 0, 0, 0x1F, 0, 0, 0, 0}},
        {std::string("\0\x80\x0F\0\0", 5), {0, 0, 0x1F, 0, 0, 0, 0, 0}},
        {std::string("\0\0\0\x3E\0", 5), {0, 0, 0, 0, 0x1F, 0, 0, 0}},
        {std::string("\0\0\xF0\x01\0", 5), {0, 0, 0, 0, 0, 0x1F, 0, 0}},
        {std::string("\0\0\0\0\xF8", 5), {0, 0, 0, 0, 0, 0, 0x1F, 0}},
        {std::string("\0\0\0\xC0\x07", 5), {0, 0, 0, 0, 0, 0, 0, 0}},  // the unused bits
    };
    for (const Case& c : cases) {
        Deco706Fixture f;
        f.prj.GetCharDefColl()->FreeAll();
        f.prj.InsCharDef(new CCharDef(200, {1, 2, 3, 4, 5, 6, 7, 8}));
        std::string table(128 * 5, '\0');
        table.replace(5 * 72, 5, c.packed);
        Builder b;
        b.AddUserChars(table);
        ASSERT_EQ(f.Decompile(b), 0);
        const CCharDef* def = f.prj.GetCharDefColl()->FindByCode(200);
        ASSERT_NE(def, nullptr);
        EXPECT_EQ(def->GetRows(), c.rows) << Hex(c.packed);
        EXPECT_EQ(f.prj.GetCharDefColl()->GetCount(), 128);
    }
}

TEST_F(Deco706, Characters473AreAddedWhenNotEmpty)
{
    for (uint16_t type : {473, 477}) {
        Deco706Fixture f(type);
        std::string table(64, '\0');
        table.replace(8 * 2, 8, "\x01\x02\x03\x04\x05\x06\x07\x08");
        Builder b(type);
        b.AddUserChars(table);
        ASSERT_EQ(f.Decompile(b), 0) << type;
        ASSERT_EQ(f.prj.GetCharDefColl()->GetCount(), 1) << type;
        const CCharDef* def = f.prj.GetCharDefColl()->FindByCode(2);
        ASSERT_NE(def, nullptr);
        EXPECT_EQ(def->GetRows(), (CCharDef::Rows{1, 2, 3, 4, 5, 6, 7, 8}));
    }
}

// --- Variables ----------------------------------------------------------------------

struct Deco706VarCase {
    const char* what;
    uint16_t type;
    uint8_t setp;
    std::string tail;
    uint8_t expectType;
    uint8_t setpKind;
    std::array<int32_t, 4> ext;    // ExtWord1..4
    std::array<uint8_t, 2> bytes;  // ExtByte0, ExtByte1
};

TEST_F(Deco706, VariablesByTypeCode)
{
    const auto bin = [](uint32_t lower, uint32_t upper, uint16_t c, uint16_t b, int64_t d) {
        return ByteBuilder().U8(0, 5).U8(1, 1).U32(2, lower).U32(6, upper).U16(10, c).U16(12, b).Str() + Value48(d);
    };
    const auto range = [](uint8_t digits, uint8_t decimals, uint32_t lower, uint32_t upper) {
        return ByteBuilder().U8(0, digits).U8(1, decimals).U32(2, lower).U32(6, upper).Str();
    };
    const Deco706VarCase cases[] = {
        {"BCD 0", 0, 0, range(3, 0, 12, 987), 0, 1, {12, 987, 0, 0}, {3, 0}},
        {"BCD 16, kind 3", 16, 2, range(6, 0, 100, 123456), 16, 3, {100, 123456, 0, 0}, {6, 0}},
        {"BCD 28, kind 2", 28, 1, range(4, 0, 0, 9999), 28, 2, {0, 9999, 0, 0}, {4, 0}},
        {"BCD 30", 30, 0, range(2, 0, 1, 99), 30, 1, {1, 99, 0, 0}, {2, 0}},
        {"BIN 2", 2, 0, bin(100, 1100, 1, 4, 400), 2, 1, {100, 1100, 0, 4000}, {5, 1}},
        {"BIN 3, PLC span 0", 3, 0, bin(0, 100, 1, 0, -50), 3, 1, {0, 100, 50, 50}, {5, 1}},
        {"VBIN 18", 18, 0, bin(0x7FFFFE0C, 0x800001F4, 1, 4, -1000), 18, 1, {-500, 500, -1000, 3000}, {5, 1}},
        {"VBIN 21 scaled", 21, 0, bin(0x7FFFFE0C, 0x800001F4, 4, 2, -100), 21, 1, {-500, 500, -225, 275}, {5, 1}},
        {"BIN 6", 6, 0, range(8, 2, 5, 99999), 6, 1, {5, 99999, 0, 0}, {8, 2}},
        {"VBIN 22", 22, 0, range(6, 0, 0x7FFFFFF9, 0x80000007), 22, 1, {-7, 7, 0, 0}, {6, 0}},
        {"word 32", 32, 0, "", 33, 1, {0, 0, 0, 0}, {0, 0}},
        {"word 33 KH", 33, 0, ByteBuilder().U16(0, 1).Str(), 33, 1, {0, 0, 0, 0}, {1, 0}},
        {"word 33 KY", 33, 0, ByteBuilder().U16(0, 2).Str(), 33, 1, {0, 0, 0, 0}, {2, 0}},
        {"word 33 other", 33, 0, ByteBuilder().U16(0, 7).Str(), 33, 1, {0, 0, 0, 0}, {0, 0}},
    };
    {
        // A name keeps its first 16 characters.
        Deco706Fixture f;
        Builder b;
        b.AddVar({"ABCDEFGHIJKLMNOPQRST", 4, 0, 33, 0, 1, ByteBuilder().U16(0, 1).Str()});
        ASSERT_EQ(f.Decompile(b), 0);
        EXPECT_NE(f.Var("ABCDEFGHIJKLMNOP"), nullptr);
    }
    for (const Deco706VarCase& c : cases) {
        Deco706Fixture f;
        Builder b;
        const Builder::VarAt at = b.AddVar({"V", 5, c.setp, c.type, 0, 7, c.tail});
        ASSERT_EQ(f.Decompile(b), 0) << c.what;
        const CPrjVar* var = f.Var("V");
        ASSERT_NE(var, nullptr) << c.what;
        EXPECT_EQ(var->GetType(), c.expectType) << c.what;
        EXPECT_EQ(var->GetSetpKind(), c.setpKind) << c.what;
        EXPECT_EQ(var->GetAdr(), 7) << c.what;
        EXPECT_EQ(var->GetAttr32(), at.data) << c.what;
        EXPECT_EQ((std::array<int32_t, 4>{var->GetExtWord1(), var->GetExtWord2(), var->GetExtWord3(),
                                          var->GetExtWord4()}),
                  c.ext)
            << c.what;
        EXPECT_EQ((std::array<uint8_t, 2>{var->GetExtByte0(), var->GetExtByte1()}), c.bytes) << c.what;
        EXPECT_EQ(f.workspace.MemInfo().counts.vars, 1) << c.what;
    }
}

TEST_F(Deco706, VariablesWithStateTextsAndWords)
{
    Builder b;
    const std::string bitTexts = Texts(b, {"AUS", "E\x03N"});
    AddVar(b, "Bit", 12, 1, ByteBuilder().U16(0, 0x0008).Str() + bitTexts);
    AddVar(b, "Str", 14, 2, ByteBuilder().U16(0, 2).Str() + Texts(b, {"A", "BB", "CCC"}));
    AddVar(b, "Str26", 26, 3, ByteBuilder().U16(0, 0).Str() + Texts(b, {"Z"}));
    AddVar(b, "Tim", 36, 4, Texts(b, {"T0", "T1", "T2", "T3"}));
    AddVar(b, "Asc", 34, 5, "", 6);
    ASSERT_EQ(Decompile(b), 0);
    EXPECT_EQ(Var("Bit")->GetExtByte0(), 3);
    EXPECT_STREQ(Var("Bit")->GetStateTxt(0), "AUS");
    EXPECT_STREQ(Var("Bit")->GetStateTxt(1), "E   N");
    EXPECT_EQ(Var("Str")->MaxStateIdx(), 2);
    EXPECT_STREQ(Var("Str")->GetStateTxt(2), "CCC");
    EXPECT_EQ(Var("Str26")->GetType(), 26);
    EXPECT_STREQ(Var("Str26")->GetStateTxt(0), "Z");
    EXPECT_EQ(Var("Tim")->GetType(), 36);
    EXPECT_STREQ(Var("Tim")->GetStateTxt(3), "T3");
    EXPECT_EQ(Var("Asc")->GetType(), 34);
    EXPECT_EQ(Var("Asc")->GetExtByte0(), 3);
    EXPECT_EQ(workspace.MemInfo().counts.vars, 5);
}

TEST_F(Deco706, StateTextsUnpackBlanksByPanelType)
{
    for (uint16_t type : {706, 473}) {
        Deco706Fixture f(type);
        Builder b(type);
        AddVar(b, "Bit", 12, 1, ByteBuilder().U16(0, 1).Str() + Texts(b, {"A\x07" "B", "A\x0F" "B"}));
        ASSERT_EQ(f.Decompile(b), 0) << type;
        EXPECT_STREQ(f.Var("Bit")->GetStateTxt(0), "A       B") << type;
        EXPECT_EQ(std::string(f.Var("Bit")->GetStateTxt(1)).size(), type == 706 ? 17u : 3u) << type;
    }
}

TEST_F(Deco706, PlcWordsAreChecked)
{
    struct Case {
        uint16_t type;
        uint32_t adr;
        uint8_t width;
        uint16_t error;
    } const cases[] = {
        {0, 100, 4, CDeco::kErrWord},  // a system word
        {6, 63, 4, CDeco::kErrWord},   // the second word is missing
        {6, 62, 4, 0},
        {34, 60, 10, CDeco::kErrWord},  // five words from 60
        {34, 60, 8, 0},
        {10, 200, 4, 0},               // an unknown type is only counted
    };
    for (const Case& c : cases) {
        Deco706Fixture f;
        Builder b;
        b.AddVar({"V", c.width, 0, c.type, 0, c.adr, std::string(12, '\0')});
        EXPECT_EQ(f.Decompile(b), c.error) << c.type << " at " << c.adr;
    }
    Deco706Fixture f;
    Builder b;
    b.AddVar({"V", 4, 0, 10, 0, 1, ""});
    ASSERT_EQ(f.Decompile(b), 0);
    EXPECT_EQ(f.Var("V"), nullptr);
    EXPECT_EQ(f.workspace.MemInfo().counts.vars, 1);
}

// --- Internal variables ---------------------------------------------------------------

// Internal variables as the firmware gives them: numbers, choices of three
// texts, a character sequence in the firmware list and the date.
class Deco706IntFixture : public Deco706Fixture {
public:
    Deco706IntFixture()
    {
        Num("[Z005]", 1, 99);
        Num("[Z006]", 1, 99);
        Num("[Z100]", 0, 255);
        Num("[Z050]", 0, 10);
        for (const char* name : {"[Z027]", "[Z028]", "[Z029]", "[Z030]", "[Z031]", "[Z033]"})
            Str(name, 0, {"a", "b", "c"});
        prj.InsFwVar(new CPrjIntVarHex("[Z078]", 0, 1, 249, 0, 0, "1B"));
        prj.InsVar(new CPrjIntVarByte("[Z010]", -1, 0, 1, 251, 0, 0, 0));
    }
    void Num(const char* name, int32_t lower, int32_t upper)
    {
        prj.InsVar(new CPrjIntVarNum(name, 0, 1, 134, 0, 0, 3, 0, lower, upper));
    }
    void Str(const char* name, uint32_t flags, const std::vector<const char*>& texts)
    {
        auto* var = new CPrjIntVarStr(name, flags, 1, 142, 0, 0, prj.GetTextPool());
        var->SetTxtCount(static_cast<int>(texts.size()) - 1);
        for (size_t i = 0; i < texts.size(); ++i)
            var->SetStateTxt(static_cast<int>(i), texts[i]);
        prj.InsVar(var);
    }
    uint32_t Internal(Builder& b, const std::string& name, uint16_t type, uint32_t setting, const std::string& tail = {})
    {
        return b.AddVar({name, 4, 0, type, 0, setting, tail}).data;
    }
};

class Deco706Internal : public ::testing::Test, public Deco706IntFixture {};

TEST_F(Deco706Internal, SettingsTable)
{
    constexpr int32_t kKept = -1;
    struct Case {
        const char* name;
        uint16_t type;
        uint32_t setting;
        std::function<int32_t(const CPrjData&)> read;
        int32_t expect;  // kKept: as before the decompile
    } const cases[] = {
        {"[Z005]", 134, 20, [](const CPrjData& p) { return p.GetCycleTime(); }, 20},
        {"[Z006]", 134, 30, [](const CPrjData& p) { return p.GetCycleTime(); }, 30},
        {"[Z005]", 134, 100, [](const CPrjData& p) { return p.GetCycleTime(); }, kKept},
        {"[Z050]", 134, 7, [](const CPrjData& p) { return p.GetVarList()->FindByName("[Z050]")->GetExtWord1(); }, 7},
        {"[Z050]", 134, 11, [](const CPrjData& p) { return p.GetVarList()->FindByName("[Z050]")->GetExtWord1(); }, kKept},
        {"[Z027]", 142, 2, [](const CPrjData& p) { return p.GetPrnBaud(); }, 2},
        {"[Z027]", 142, 3, [](const CPrjData& p) { return p.GetPrnBaud(); }, kKept},  // beyond the texts
        {"[Z028]", 142, 2, [](const CPrjData& p) { return p.GetPrnParity(); }, 2},
        {"[Z029]", 142, 1, [](const CPrjData& p) { return p.GetPrnDataBits(); }, 1},
        {"[Z030]", 142, 2, [](const CPrjData& p) { return p.GetPrnStopBits(); }, 2},
        {"[Z031]", 142, 1, [](const CPrjData& p) { return p.GetPrnIfc(); }, 1},
        {"[Z033]", 142, 2, [](const CPrjData& p) { return p.GetVarList()->FindByName("[Z033]")->GetExtWord1(); }, 2},
    };
    for (const Case& c : cases) {
        Deco706IntFixture f;
        const int32_t before = c.read(f.prj);
        Builder b;
        f.Internal(b, c.name, c.type, c.setting);
        ASSERT_EQ(f.Decompile(b), 0) << c.name << " = " << c.setting;
        EXPECT_EQ(c.read(f.prj), c.expect == kKept ? before : c.expect) << c.name << " = " << c.setting;
    }
}

TEST_F(Deco706Internal, ReferenceIsTheDataPartInEitherList)
{
    Builder b;
    const uint32_t z005 = Internal(b, "[Z005]", 134, 20);
    const uint32_t z078 = Internal(b, "[Z078]", 249, 0, std::string("\x41\x42\0", 3));
    ASSERT_EQ(Decompile(b), 0);
    EXPECT_EQ(Var("[Z005]")->GetAttr32(), z005);
    EXPECT_EQ(prj.GetFwVarList()->FindByName("[Z078]")->GetAttr32(), z078);
    EXPECT_EQ(prj.GetVarList()->FindByName("[Z078]"), nullptr);
}

TEST_F(Deco706Internal, PrinterStatusWordBringsBackTheInterfaceVariables)
{
    Builder b;
    Internal(b, "[Z100]", 134, 40);
    ASSERT_EQ(Decompile(b), 0);
    EXPECT_EQ(prj.GetPrnStatusPos(), 40);
    ASSERT_EQ(prj.GetKomVarList()->GetCount(), 2);
    EXPECT_EQ(prj.GetKomVarList()->VarAt(0)->GetAdr(), 40);
    EXPECT_EQ(prj.GetKomVarList()->VarAt(1)->GetAdr(), 41);
}

TEST_F(Deco706Internal, TopFlagBitLetsTheImageReplaceTheTexts)
{
    Str("[Z040]", 0x80000000u, {"a", "b", "c"});
    Builder b;
    const std::string texts = Texts(b, {"X0", "X1", "X2", "X3"});
    Internal(b, "[Z040]", 142, 0, ByteBuilder().U16(0, 3).Str() + texts);  // capped at its index 2
    Internal(b, "[Z033]", 142, 0, ByteBuilder().U16(0, 3).Str() + texts);
    ASSERT_EQ(Decompile(b), 0);
    EXPECT_EQ(Var("[Z040]")->MaxStateIdx(), 2);
    EXPECT_STREQ(Var("[Z040]")->GetStateTxt(0), "X0");
    EXPECT_STREQ(Var("[Z040]")->GetStateTxt(2), "X2");
    EXPECT_STREQ(Var("[Z033]")->GetStateTxt(0), "a");
    EXPECT_STREQ(Var("[Z033]")->GetStateTxt(2), "c");
}

TEST_F(Deco706Internal, CharacterSequenceWithAndWithoutItsCount)
{
    const std::string tail = std::string("\x41\x42\0\x03\x41\0\x42", 7);
    for (bool bit61 : {true, false}) {
        Deco706IntFixture f;
        Builder b;
        if (bit61)
            b.MaskBit(61);
        f.Internal(b, "[Z078]", 249, 0, tail);
        ASSERT_EQ(f.Decompile(b), 0) << bit61;
        const auto* hex = dynamic_cast<const CPrjIntVarHex*>(f.Var("[Z078]"));
        ASSERT_NE(hex, nullptr);
        EXPECT_EQ(hex->GetHexText(), bit61 ? "410042" : "4142") << bit61;
    }
}

TEST_F(Deco706Internal, DateModeWord)
{
    for (uint16_t word : {1, 2, 7}) {
        Deco706IntFixture f;
        Builder b;
        f.Internal(b, "[Z010]", 251, 0, ByteBuilder().U16(0, word).Str());
        ASSERT_EQ(f.Decompile(b), 0);
        EXPECT_EQ(f.prj.GetDateMode(), word <= 2 ? word : 0) << word;
    }
}

TEST_F(Deco706Internal, MissingInternalVariableNamesItself)
{
    Builder b;
    Internal(b, "[Z005]", 134, 20);
    Internal(b, "[Z099]", 134, 1);
    dir.Write("PRJ.DRV", drvBytes);
    CDeco706 deco(&workspace, WriteImage(b.Finish()), DrvPath(), "", &bundle);
    EXPECT_EQ(deco.GetError(), CDeco::kErrIntVar);
    EXPECT_EQ(deco.GetErrName(), "[Z099]");
    EXPECT_EQ(prj.GetCycleTime(), 20);  // what came before stays
    EXPECT_FALSE(deco.CheckError());
    ASSERT_EQ(BoxIds(), std::vector<int>{15608});
    EXPECT_NE(ui.CallsOf(UiCall::Kind::Box).back().text.find("[Z099]"), std::string::npos);
}

// --- Rows -----------------------------------------------------------------------------------

TEST_F(Deco706, DisplayRowsByPanelType)
{
    struct Case {
        uint16_t type;
        std::string packed;
        std::string text;
    } const cases[] = {
        {706, "A\x0F" "B", "A" + std::string(15, ' ') + "B"},
        {706, "A\x07" "B", "A" + std::string(7, ' ') + "B"},
        {473, "A\x07" "B", "A" + std::string(7, ' ') + "B"},
        {477, "A\x01\x02" "B", "A   B"},
        {706, std::string(45, 'X'), std::string(40, 'X')},
        {706, "X\x0F\x0F\x0F" "Y", "X" + std::string(39, ' ')},
    };
    for (const Case& c : cases) {
        Deco706Fixture f(c.type);
        Builder b(c.type);
        b.AddList(98, {{3, 0, {Builder::Row(c.packed)}}});
        ASSERT_EQ(f.Decompile(b), 0) << Hex(c.packed);
        const CPrjNumEntry* text = f.prj.GetOpTxtList()->FindByNum(3);
        ASSERT_NE(text, nullptr);
        ASSERT_NE(text->GetRow(1), nullptr);
        EXPECT_EQ(text->GetRow(1)->GetText(), c.text) << c.type << " " << Hex(c.packed);
    }
    // Byte 15 is a character of its own on 473.
    Deco706Fixture f(473);
    Builder b(473);
    b.AddList(98, {{3, 0, {Builder::Row("A\x0F" "B")}}});
    ASSERT_EQ(f.Decompile(b), 0);
    const std::string text = f.prj.GetOpTxtList()->FindByNum(3)->GetRow(1)->GetText();
    EXPECT_EQ(text.size(), 3u);
    EXPECT_EQ(text.front(), 'A');
    EXPECT_EQ(text.back(), 'B');
}

TEST_F(Deco706, FieldsTakeTheirColumnsAndSlots)
{
    Builder b;
    const uint32_t wide = AddVar(b, "W", 33, 1, ByteBuilder().U16(0, 1).Str());
    const uint32_t narrow = AddVar(b, "N", 34, 2, "", 2);
    b.AddList(98, {{0, 0, {Builder::Row("AB\x02" "C", {{wide, 1}, {narrow, 9}})}}});
    ASSERT_EQ(Decompile(b), 0);
    const CPrjVar* w = Var("W");
    const CPrjVar* n = Var("N");
    ASSERT_EQ(w->GetWidth(), 4);
    ASSERT_EQ(n->GetWidth(), 2);
    const CPrjTxtRow* row = OpRow(0);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->GetText(), "A" + Frame(*w) + "B  C" + Frame(*n));
    EXPECT_EQ(row->GetVarSlot(0).var, w);
    EXPECT_EQ(row->GetVarSlot(0).col, 1);
    EXPECT_EQ(row->GetVarSlot(1).var, n);
    EXPECT_EQ(row->GetVarSlot(1).col, 9);
    EXPECT_EQ(w->GetUseCount(), 1);
}

TEST_F(Deco706, RowNamingAnUnknownVariableFails)
{
    Builder b;
    b.AddList(98, {{0, 0, {Builder::Row("A", {{0x777, 0}})}}});
    EXPECT_EQ(Decompile(b), CDeco::kErrRead);
}

TEST_F(Deco706, PrinterRowsKeepTheirBytesOver132Columns)
{
    Deco706Fixture f;
    auto* hex = new CPrjIntVarHex("[Z078]", 0, 1, 249, 0, 0, "");
    hex->SetWidth(5);
    f.prj.InsFwVar(hex);
    Builder b;
    const uint32_t seq = b.AddVar({"[Z078]", 5, 0, 249, 0, 0, std::string("\x41\x42\0", 3)}).data;
    const uint32_t word = b.AddVar({"W", 4, 0, 33, 0, 1, ByteBuilder().U16(0, 1).Str()}).data;
    b.AddList(134, {{0, 0, {Builder::Row("A\x03" "B", {{seq, 3}})}},
                    {1, 0, {Builder::Row(std::string(128, 'Y'), {{word, 128}})}}});
    ASSERT_EQ(f.Decompile(b), 0);
    const CPrnTxt* first = f.prj.GetOpPrnTxtList()->FindByNum(0);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(first->GetRow(1), nullptr);
    EXPECT_EQ(first->GetRow(1)->GetText(), "A\x03" "BAB   ");
    EXPECT_EQ(first->GetRow(1)->GetVarSlot(0).var, f.Var("[Z078]"));
    const CPrnTxt* second = f.prj.GetOpPrnTxtList()->FindByNum(1);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->GetRow(1)->GetText(), std::string(128, 'Y') + f.charSet.FieldText(4));
    EXPECT_EQ(second->GetRow(1)->GetVarSlot(0).col, 128);
}

// --- Lists -----------------------------------------------------------------------------------

TEST_F(Deco706, ListTemplatesAndEntries)
{
    Builder b;
    b.AddList(98, {{0, 0, {Builder::Row("a")}}, {3, 0, {Builder::Row("b"), "", Builder::Row("c")}}},
              Builder::Template{5, 200, 0});
    b.AddList(106, {{1, 0, {Builder::Row("h")}}}, Builder::Template{7, 9, 0});
    b.AddList(118, {{0, 0, {Builder::Row("k")}}}, Builder::Template{0, 0xFFFF, 0});
    ASSERT_EQ(Decompile(b), 0);
    const auto* op = dynamic_cast<const CNumRange*>(prj.GetOpTxtList()->GetTemplate());
    ASSERT_NE(op, nullptr);
    EXPECT_EQ(op->GetLowest(), 5);
    EXPECT_EQ(op->GetHighest(), 200);
    const CPrjNumEntry* three = prj.GetOpTxtList()->FindByNum(3);
    ASSERT_NE(three, nullptr);
    EXPECT_EQ(three->GetRowCount(), 3);
    EXPECT_EQ(three->GetRow(2), nullptr);
    EXPECT_EQ(three->GetRow(3)->GetText(), "c");
    // The history template of the cleared project gives way to the image's.
    const auto* hist = dynamic_cast<const CNumRange*>(prj.GetHistTxtList()->GetTemplate());
    ASSERT_NE(hist, nullptr);
    EXPECT_EQ(hist->GetLowest(), 7);
    EXPECT_EQ(hist->GetHighest(), 9);
    EXPECT_EQ(prj.GetHistTxtList()->FindByNum(1)->GetRow(1)->GetText(), "h");
    ASSERT_NE(prj.GetHlpTxtList(2)->FindByNum(0), nullptr);
    EXPECT_EQ(prj.GetHlpTxtList(2)->FindByNum(0)->GetRow(1)->GetText(), "k");
    EXPECT_EQ(workspace.MemInfo().counts.opRows, 3);
    EXPECT_EQ(workspace.MemInfo().counts.hlpRows, 1);
}

TEST_F(Deco706, MessageKindWord)
{
    struct Case {
        uint16_t word;
        uint8_t prio, delMode, alarm;
    } const cases[] = {{0x8103, 3, 3, 1}, {0x0205, 4, 5, 0}, {0x0001, 2, 1, 0}, {0x0300, 2, 0, 0}};
    for (const Case& c : cases) {
        Deco706Fixture f;
        Builder b;
        b.AddList(102, {{4, c.word, {Builder::Row("m")}}}, Builder::Template{1, 9, c.word});
        b.AddList(138, {{2, static_cast<uint16_t>(c.word & 0xFF), {Builder::Row("p")}}},
                  Builder::Template{0, 5, static_cast<uint16_t>(c.word & 0xFF)});
        ASSERT_EQ(f.Decompile(b), 0) << c.word;
        const auto* range = dynamic_cast<const CMsgTxtRange*>(f.prj.GetMsgTxtList()->GetTemplate());
        ASSERT_NE(range, nullptr);
        EXPECT_EQ(range->GetHighest(), 9);
        EXPECT_EQ(range->GetPrio(), c.prio) << c.word;
        EXPECT_EQ(range->IsAlarm() != 0, c.alarm != 0) << c.word;
        const auto* prnRange = dynamic_cast<const CMsgPrnTxtRange*>(f.prj.GetMsgPrnTxtList()->GetTemplate());
        ASSERT_NE(prnRange, nullptr);
        EXPECT_EQ(prnRange->GetHighest(), 5);
        EXPECT_EQ(prnRange->GetValue(), c.word & 0xFF) << c.word;
        const auto* msg = dynamic_cast<const CMsgTxt*>(f.prj.GetMsgTxtList()->FindByNum(4));
        ASSERT_NE(msg, nullptr);
        EXPECT_EQ(msg->GetPrio(), c.prio) << c.word;
        EXPECT_EQ(msg->GetDelMode(), c.delMode) << c.word;
        EXPECT_EQ(msg->IsAlarm() != 0, c.alarm != 0) << c.word;
        const auto* prn = dynamic_cast<const CMsgPrnTxt*>(f.prj.GetMsgPrnTxtList()->FindByNum(2));
        ASSERT_NE(prn, nullptr);
        EXPECT_EQ(prn->GetValue(), c.word & 0xFF) << c.word;
    }
}

// --- Softkeys, menus, time switches, system block, description --------------------------------

TEST_F(Deco706, SoftkeyActionsAndTexts)
{
    Builder b;
    b.AddSkActs({{3, {{100, 2, 2, 0x1234}, {101, 8, 1, 1}, {102, 0, 1, 0}}, "Act3"}, {4, {}, std::string(45, 'N')}});
    b.AddSkTexts({{2, {{1, 3, 0}, {20, 4, 3}}}}, Builder::Template{0, 255, 0});
    ASSERT_EQ(Decompile(b), 0);
    const CPrjSkAct* act3 = prj.GetSkActList()->FindByNum(3);
    ASSERT_NE(act3, nullptr);
    EXPECT_STREQ(act3->GetName(), "Act3");
    EXPECT_EQ(act3->GetOp(0), CPrjSkAct::kOpWrite);
    EXPECT_EQ(act3->GetAdr(0), 100);
    EXPECT_EQ(act3->GetValue(0), 0x1234);
    EXPECT_EQ(act3->GetFormat(0), 2);
    EXPECT_EQ(act3->GetOp(1), CPrjSkAct::kOpOr);
    EXPECT_EQ(act3->GetOp(2), CPrjSkAct::kOpNone);
    const auto* sk = dynamic_cast<const CPrjSkTxt*>(prj.GetSkTxtList()->FindByNum(2));
    ASSERT_NE(sk, nullptr);
    EXPECT_EQ(sk->GetPressAct(1), act3);
    EXPECT_EQ(sk->GetReleaseAct(1), nullptr);
    EXPECT_EQ(sk->GetPressAct(20), prj.GetSkActList()->FindByNum(4));
    EXPECT_STREQ(prj.GetSkActList()->FindByNum(4)->GetName(), std::string(40, 'N').c_str());
    EXPECT_EQ(sk->GetReleaseAct(20), act3);
    const auto* range = dynamic_cast<const CPrjSkTxtRange*>(prj.GetSkTxtList()->GetTemplate());
    ASSERT_NE(range, nullptr);
    EXPECT_EQ(range->GetHi(), 255);
}

TEST_F(Deco706, SoftkeyTextNamingAMissingActionFails)
{
    Builder b;
    b.AddSkActs({{1, {}, ""}});
    b.AddSkTexts({{0, {{1, 9, 0}}}});
    EXPECT_EQ(Decompile(b), CDeco::kErrRead);
}

TEST_F(Deco706, MenusWithNodeLinks)
{
    Builder b;
    b.AddList(98, {{5, 0, {Builder::Row("five")}}, {6, 0, {Builder::Row("six")}}});
    b.AddMenus({{1, "Main", 0x1234, {{1, 5, {0, 2, 0, 0}}, {2, 6, {1, 0, 9, 0}}, {3, 0, {0, 0, 0, 2}}}}});
    ASSERT_EQ(Decompile(b), 0);
    ASSERT_EQ(prj.GetMnuList()->GetCount(), 1);
    const CPrjMnu* menu = prj.GetMnuList()->ItemAt(0);
    EXPECT_EQ(menu->GetNum(), 1);
    EXPECT_EQ(menu->GetName(), "Main");
    EXPECT_EQ(menu->GetMnuOpt(), 0x1234);
    const CPrjMnuNodeList* nodes = menu->GetSubList();
    ASSERT_EQ(nodes->GetCount(), 3);
    EXPECT_EQ(nodes->FindStart(), nodes->FindByNum(1));
    EXPECT_EQ(nodes->FindByNum(1)->GetOpTxt(), prj.GetOpTxtList()->FindByNum(5));
    EXPECT_EQ(nodes->FindByNum(1)->GetLinks(), (std::array<uint8_t, 4>{0, 2, 0, 0}));
    EXPECT_EQ(nodes->FindByNum(2)->GetLinks(), (std::array<uint8_t, 4>{1, 0, 0, 0}));
    // Text 0 stands for none while the project has no operator text 0.
    EXPECT_EQ(nodes->FindByNum(3)->GetOpTxt(), nullptr);
    EXPECT_EQ(nodes->FindByNum(3)->GetUp(), 2);
    EXPECT_EQ(workspace.MemInfo().counts.menuNodes, 3);

    // With an operator text 0 the node shows it.
    Deco706Fixture f;
    Builder zero;
    zero.AddList(98, {{0, 0, {Builder::Row("zero")}}});
    zero.AddMenus({{1, "Main", 0, {{1, 0, {}}}}});
    ASSERT_EQ(f.Decompile(zero), 0);
    EXPECT_EQ(f.prj.GetMnuList()->ItemAt(0)->GetSubList()->FindByNum(1)->GetOpTxt(),
              f.prj.GetOpTxtList()->FindByNum(0));
}

TEST_F(Deco706, MenuNodeNamingAMissingTextFails)
{
    Builder b;
    b.AddList(98, {{5, 0, {Builder::Row("five")}}});
    b.AddMenus({{1, "Main", 0, {{1, 7, {}}}}});
    EXPECT_EQ(Decompile(b), CDeco::kErrRead);
}

TEST_F(Deco706, MenuLinkAddressPastTheImageEndFails)
{
    // The linked node's number would lie past 4 GB and wrap round to the
    // image's first word.
    Builder b;
    b.AddList(98, {{5, 0, {Builder::Row("five")}}});
    std::vector<uint32_t> firstNodes;
    b.AddMenus({{1, "Main", 0, {{1, 5, {}}}}}, &firstNodes);
    b.U32(firstNodes.at(0) + 8, 0xFFFFFFFCu);
    EXPECT_EQ(Decompile(b), CDeco::kErrRead);
}

TEST_F(Deco706, TimeSwitchesInSecondsOfTheWeek)
{
    Builder b;
    b.AddTimers({{2, "T1", {{1, 8, 30, 5, 2, 17, 0, 0}, {6, 23, 59, 59, 0, 0, 0, 1}}}});
    ASSERT_EQ(Decompile(b), 0);
    const CPrjTimer* timer = prj.GetTimerList()->FindByNr(2);
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->GetName(), "T1");
    ASSERT_EQ(timer->GetTimes()->GetCount(), 2);
    EXPECT_EQ(timer->GetTimes()->ValAt(0)->GetBeg(), 86400u + 8 * 3600 + 30 * 60 + 5);
    EXPECT_EQ(timer->GetTimes()->ValAt(0)->GetEnd(), 2u * 86400 + 17 * 3600);
    EXPECT_EQ(timer->GetTimes()->ValAt(1)->GetBeg(), 6u * 86400 + 23 * 3600 + 59 * 60 + 59);
    EXPECT_EQ(timer->GetTimes()->ValAt(1)->GetEnd(), 1u);
    EXPECT_EQ(workspace.MemInfo().counts.timeValues, 2);
}

TEST_F(Deco706, MessageModeAndDescription)
{
    Builder b;
    b.AddSystem(3);
    b.AddDescription("About \xE4");
    ASSERT_EQ(Decompile(b), 0);
    EXPECT_EQ(prj.GetMsgMode(), 3);
    EXPECT_EQ(prj.GetDescr(), "About \xE4");

    Deco706Fixture longer;
    Builder b2;
    b2.AddDescription(std::string(1100, 'L'));
    ASSERT_EQ(longer.Decompile(b2), 0);
    EXPECT_EQ(longer.prj.GetDescr(), std::string(1023, 'L'));

    Deco706Fixture f;
    f.prj.SetMsgMode(2);
    Builder zero;
    const uint32_t sys = zero.AddSystem(3);
    zero.U16(sys, 0);
    ASSERT_EQ(f.Decompile(zero), 0);
    EXPECT_EQ(f.prj.GetMsgMode(), 2);
}

TEST_F(Deco706, WithoutProjectObjectsNothingCountsAsSuccess)
{
    for (const WorldPart missing : {WorldPart::Root, WorldPart::Sps, WorldPart::CharSet}) {
        Deco706Fixture f;
        f.world.Unwire(missing);
        EXPECT_EQ(f.Decompile(Builder()), CDeco::kErrRead) << static_cast<int>(missing);
    }
}

} // namespace
