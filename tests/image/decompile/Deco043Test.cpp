#include "Deco043Kit.h"

#include "image/decompile/Deco043.h"
#include "model/project/CharDef.h"
#include "model/project/DrvTab.h"
#include "model/project/Mnu.h"
#include "model/project/MsgTxt.h"
#include "model/project/OpTxt.h"
#include "model/project/PrjIntVar.h"
#include "model/project/PrjVarKinds.h"
#include "model/project/PrjVarList.h"
#include "model/project/SkAct.h"
#include "model/project/SkTxt.h"
#include "model/project/TxtRow.h"
#include "tools/cfggen/DrvBuilders.h"

#include <gtest/gtest.h>

using namespace orv;

using namespace deco_kit;

namespace {

class Deco043 : public ::testing::Test, public Deco043Fixture {
protected:
    CPrjVar* Var(const std::string& name) const { return prj.GetVarList()->FindByName(std::string_view(name)); }
    // One named variable record.
    uint16_t AddVar(Image043Builder& b, const std::string& name, uint8_t typeByte, uint8_t attr,
                    const std::string& payload, uint8_t adr = 1)
    {
        Image043Builder::Var v;
        v.width = attr;
        v.typeByte = typeByte;
        v.adr = adr;
        v.payload = payload;
        const uint16_t at = b.AddVar(v);
        b.AddName(at, name);
        return at;
    }
};

TEST_F(Deco043, CutsTheDriverOutAndReadsItsParameters)
{
    drv.AddParItem(new CDrvTabEntry5(0, 0, 0, 0, 0));
    Drv043Entry e;
    DrvXrefLayout x;
    x.count = 1;
    x.records = {{0, std::string("\x02\x03\x00\x04\x00\x05", 6)}};
    e.xref = x;
    const std::string entry = e.Build().bytes;
    Image043Builder b;
    EXPECT_EQ(Decompile(b.Finish(entry)), 0);
    EXPECT_EQ(dir.Read("PRJ.DRV"), entry);
    EXPECT_EQ(drv.GetFlag(CDrvCfg::kFlagXref), 1);
    EXPECT_EQ(drv.GetParItems()->ItemAt(0)->GetVal3(), 5);
}

TEST_F(Deco043, SpecialFunctionWordIsCheckedOnlyWithAPath)
{
    Image043Builder b;
    const std::string image = b.Finish(DriverEntry(), "F");
    {
        Deco043Fixture other;
        EXPECT_EQ(other.Decompile(image, other.dir.File("PRJ.FKT")), CDeco::kErrRead);
        EXPECT_EQ(other.dir.Read("PRJ.DRV"), DriverEntry());
    }
    EXPECT_EQ(Decompile(image), 0);
}

struct Deco043VarCase {
    const char* what;
    uint8_t typeByte;
    uint8_t attr;
    std::string payload;
    VarExpect expect;
};

TEST_F(Deco043, VariablePayloads)
{
    const Deco043VarCase cases[] = {
        {"BCD word", 0x00, 4, ByteBuilder(8).U16(2, 0x0010).U16(4, 0x9999).Str(), {0, 1, {10, 9999, 0, 0}, {4, 0}}},
        {"BCD dword", kNominal | 16, 8, ByteBuilder(13).U32(4, 0x1A).U32(8, 0x99999999).Str(), {16, 2,
         {20, 99999999, 0, 0}, {8, 0}}},
        {"BIN identity", kSecondary | 2, 5, BinPayload(0, 1000, 1, 1, 0, 0), {2, 3, {0, 1000, 0, 1000}, {5, 1}}},
        {"BIN offsets", 3, 5, BinPayload(10, 1000, 3, 2, 5, 100), {3, 1, {10, 1000, 38, 698}, {5, 1}}},
        {"VBIN", 18, 6, VbinPayload(-500, 500, 1, 1, 0), {18, 1, {-500, 500, -500, 500}, {6, 2}}},
        {"VBIN scaled", 21, 6, VbinPayload(-500, 500, 4, 2, -100), {21, 1, {-500, 500, -225, 275}, {6, 2}}},
        {"BIN double word", 6, 5, BinPayload(1, 70000, 9, 9, 9, 9), {6, 1, {1, 70000, 0, 0}, {5, 1}}},
        {"VBIN double word", 25, 6, VbinPayload(-70000, 70000, 9, 9, 9), {25, 1, {-70000, 70000, 0, 0}, {6, 2}}},
        {"word KH", 36, 4, "", {33, 1, {0, 0, 0, 0}, {1, 0}}},
        {"word KY", 38, 4, "", {33, 1, {0, 0, 0, 0}, {2, 0}}},
        {"ASCII", 34, 8, "", {34, 1, {0, 0, 0, 0}, {4, 0}}},
    };
    for (const Deco043VarCase& c : cases) {
        Deco043Fixture f;
        Image043Builder b;
        Image043Builder::Var v{c.attr, c.typeByte, 7, c.payload, 0, std::nullopt};
        b.AddName(b.AddVar(v), "V");
        ASSERT_EQ(f.Decompile(b), 0) << c.what;
        ExpectVar(f.prj.GetVarList()->FindByName(std::string_view("V")), 7, b.LastVar(), c.expect, c.what);
    }
}

TEST_F(Deco043, BcdFlagOnlyWithMaskBit0)
{
    for (uint32_t mask : {0u, 1u}) {
        Deco043Fixture f;
        Image043Builder b;
        b.Mask(mask);
        Image043Builder::Var v{4, 0, 1, ByteBuilder(8).U8(6, 1).Str(), 0, std::nullopt};
        b.AddName(b.AddVar(v), "V");
        ASSERT_EQ(f.Decompile(b), 0);
        EXPECT_EQ(f.prj.GetVarList()->FindByName(std::string_view("V"))->GetExtByte12(), mask);
    }
}

TEST_F(Deco043, StateTextsAndBits)
{
    Image043Builder b;
    const std::string bitTexts = TextTable(b, {"AUS", "EIN"});
    AddVar(b, "B3", 12, 3, ByteBuilder().U16(0, 0x0008).Bytes(2, bitTexts).Str());
    AddVar(b, "B16", 12, 3, ByteBuilder().U16(0, 0x0006).Bytes(2, bitTexts).Str());
    const std::string listTexts = TextTable(b, {"A", "BB", "CCC"});
    AddVar(b, "S", 14, 3, ByteBuilder().U8(0, 2).Bytes(1, listTexts).Str());
    const std::string timerTexts = TextTable(b, {"T0", "T1", "T2", "T3"});
    AddVar(b, "T", 40, 5, timerTexts);
    ASSERT_EQ(Decompile(b), 0);
    EXPECT_EQ(Var("B3")->GetExtByte0(), 3);
    EXPECT_EQ(Var("B16")->GetExtByte0(), 16);
    EXPECT_STREQ(Var("B3")->GetStateTxt(1), "EIN");
    EXPECT_EQ(Var("S")->MaxStateIdx(), 2);
    EXPECT_STREQ(Var("S")->GetStateTxt(2), "CCC");
    EXPECT_EQ(Var("T")->GetType(), 36);
    EXPECT_STREQ(Var("T")->GetStateTxt(3), "T3");
    EXPECT_EQ(workspace.MemInfo().counts.vars, 4);
    EXPECT_EQ(workspace.MemInfo().counts.varTexts, 2 + 2 + 3 + 4);
}

TEST_F(Deco043, InternalListReusesTheExistingVariable)
{
    CPrjVar* before = Var("[Z084]");
    ASSERT_NE(before, nullptr);
    const int count = prj.GetVarList()->GetCount();
    Image043Builder b;
    const std::string texts = TextTable(b, {"F1", "F2"});
    const uint16_t rec = AddVar(b, "[Z084]", 42, 12, ByteBuilder().U8(0, 1).Bytes(1, texts).Str(), 0xFF);
    ASSERT_EQ(Decompile(b), 0);
    EXPECT_EQ(Var("[Z084]"), before);
    EXPECT_EQ(prj.GetVarList()->GetCount(), count);
    EXPECT_STREQ(before->GetStateTxt(1), "F2");
    EXPECT_EQ(before->GetMaxWidth(), 12);
    EXPECT_EQ(before->GetAttr32(), rec);
}

TEST_F(Deco043, BadTypeBytesFail)
{
    for (uint8_t typeByte : {uint8_t{0x40 | 2}, uint8_t{1}, uint8_t{44}, uint8_t{63}}) {
        Deco043Fixture f;
        Image043Builder b;
        b.AddName(b.AddVar({4, typeByte, 1, BinPayload(0, 1, 1, 1, 0, 0), 0, std::nullopt}), "V");
        EXPECT_EQ(f.Decompile(b), CDeco::kErrRead) << int{typeByte};
        EXPECT_TRUE(f.Logged("Error decompileVariable ();"));
    }
}

TEST_F(Deco043, WordsOutsideThePlcWindowFail)
{
    for (uint8_t adr : {uint8_t{100}, uint8_t{200}}) {
        Deco043Fixture f;
        Image043Builder b;
        b.AddName(b.AddVar({4, 0, adr, std::string(8, '\0'), 0, std::nullopt}), "V");
        EXPECT_EQ(f.Decompile(b), CDeco::kErrWord);
    }
}

TEST_F(Deco043, NameModes)
{
    {
        Image043Builder b;
        AddVar(b, "EARLY", 0, 4, std::string(8, '\0'), 1);
        b.AddVar({4, 0, 2, std::string(8, '\0'), 0, std::nullopt});
        b.AddVar({4, 0, 3, std::string(8, '\0'), 0, std::nullopt});
        ASSERT_EQ(Decompile(b), 0);
        // The chain runs from the last record back; once a record has no
        // name, every later one is named by the counter too.
        EXPECT_EQ(Var("EARLY"), nullptr);
        ASSERT_NE(Var("AC"), nullptr);
        EXPECT_EQ(Var("AA")->GetAdr(), 3);
        EXPECT_EQ(Var("AB")->GetAdr(), 2);
        EXPECT_EQ(Var("AC")->GetAdr(), 1);
    }
    {
        Deco043Fixture f;
        Image043Builder b;
        b.Version("PORV");
        b.AddVar({4, 0, 1, std::string(8, '\0'), 0x5859, std::nullopt});
        ASSERT_EQ(f.Decompile(b), 0);
        EXPECT_NE(f.prj.GetVarList()->FindByName(std::string_view("XY")), nullptr);
    }
}

TEST_F(Deco043, DuplicateNamesGetANumber)
{
    Image043Builder b;
    AddVar(b, "TEMP", 0, 4, std::string(8, '\0'), 1);
    AddVar(b, "TEMP", 0, 4, std::string(8, '\0'), 2);
    AddVar(b, "TEMP", 0, 4, std::string(8, '\0'), 3);
    AddVar(b, "ABCDEFGHIJKLMNOP", 0, 4, std::string(8, '\0'), 4);
    AddVar(b, "ABCDEFGHIJKLMNOP", 0, 4, std::string(8, '\0'), 5);
    ASSERT_EQ(Decompile(b), 0);
    EXPECT_EQ(Var("TEMP")->GetAdr(), 3);
    EXPECT_EQ(Var("TEMP1")->GetAdr(), 2);
    EXPECT_EQ(Var("TEMP2")->GetAdr(), 1);
    EXPECT_EQ(Var("ABCDEFGHIJKLMNOP")->GetAdr(), 5);
    EXPECT_EQ(Var("ABCDEFGHIJKLMNO1")->GetAdr(), 4);
}

TEST_F(Deco043, RecordPointerAboveTheDataAreaEndsTheChain)
{
    Image043Builder b;
    AddVar(b, "V", 0, 4, std::string(8, '\0'));
    b.U16(b.LastVar(), 0xA000);
    EXPECT_EQ(Decompile(b), 0);
    EXPECT_NE(Var("V"), nullptr);
    EXPECT_EQ(prj.GetVarList()->FindByRef(b.LastVar()), Var("V"));
}

} // namespace
