#include "Deco118Kit.h"

#include "image/decompile/Deco118.h"
#include "model/core/Catalogues.h"
#include "model/project/CharDef.h"
#include "model/project/DrvTab.h"
#include "model/project/Mnu.h"
#include "model/project/MsgTxt.h"
#include "model/project/OpTxt.h"
#include "model/project/PrjVarList.h"
#include "model/project/RcpTxt.h"
#include "model/project/SkAct.h"
#include "model/project/SkTxt.h"
#include "model/project/TxtRow.h"
#include "tools/cfggen/DrvBuilders.h"

#include <gtest/gtest.h>

#include <array>

using namespace orv;

using deco_kit::BinPayload;
using deco_kit::TextTable;
using deco_kit::kNominal;
using deco_kit::kSecondary;
using deco_kit::VbinPayload;
using namespace deco_b;

namespace {

constexpr uint32_t kDWordOption = 2;

class Deco118 : public ::testing::Test, public Deco118Fixture {
protected:
    // One named variable record.
    static uint16_t AddVar(Image118Builder& b, const std::string& name, uint8_t typeByte, uint8_t attr,
                           const std::string& payload, uint8_t adr = 1)
    {
        Image118Builder::Var v{attr, typeByte, adr, payload, 0, std::nullopt};
        const uint16_t at = b.AddVar(v);
        b.AddName(at, name);
        return at;
    }
    // A driver entry whose parameter block gives the first driver record
    // the third value.
    Drv043Entry EntryWithValue(uint8_t value)
    {
        drv.AddParItem(new CDrvTabEntry5(0, 0, 0, 0, 0));
        Drv043Entry e;
        DrvXrefLayout x;
        x.count = 1;
        x.records = {{0, std::string("\x02\x03\x00\x04\x00", 5) + static_cast<char>(value)}};
        e.xref = x;
        return e;
    }
    static std::string RowText(const CPrjNumEntry* entry, int row)
    {
        const CPrjTxtRow* r = entry != nullptr ? entry->GetRow(row) : nullptr;
        return r != nullptr ? r->GetText() : "<none>";
    }
};

// --- Driver file ------------------------------------------------------------------

TEST_F(Deco118, DriverFileGivesNameVersionAndParameters)
{
    Drv043Entry e = EntryWithValue(5);
    e.drvFile = "AB CD.DRV";
    e.version = "1234";
    dir.Write("PRJ.DRV", e.Build().bytes);
    Image118Builder b;
    ASSERT_EQ(Decompile(b), 0);
    EXPECT_TRUE(Logged("DECOMPILE -> AB 123.4"));
    EXPECT_EQ(drv.GetFlag(CDrvCfg::kFlagXref), 1);
    EXPECT_EQ(drv.GetParItems()->ItemAt(0)->GetVal3(), 5);
    // The driver file is only read.
    EXPECT_EQ(dir.Read("PRJ.DRV"), e.Build().bytes);
}

TEST_F(Deco118, ParameterBlockIsFoundThroughPAndY)
{
    const BuiltDrvEntry built = EntryWithValue(7).Build();
    // P moved behind the entry, Y right before it; the usual Y slot is 0.
    ByteBuilder file;
    file.Bytes(0, built.bytes);
    const size_t y = file.Size();
    file.U16(y, static_cast<uint16_t>(built.xrefAt)).U16(65, static_cast<uint16_t>(y + 2)).U16(68, 0);
    dir.Write("PRJ.DRV", file.Str());
    Image118Builder b;
    ASSERT_EQ(Decompile(b), 0);
    EXPECT_EQ(drv.GetParItems()->ItemAt(0)->GetVal3(), 7);
}

// --- Variables --------------------------------------------------------------------

TEST_F(Deco118, MaskBit1TurnsTheDoubleWordOptionOn)
{
    for (const uint32_t mask : {0u, 1u, kDWordOption, 3u}) {
        Deco118Fixture f;
        Image118Builder b;
        b.Mask(mask);
        ASSERT_EQ(f.Decompile(b), 0);
        EXPECT_EQ(f.prj.GetDWordVars(), (mask & kDWordOption) != 0 ? 1 : 0) << mask;
    }
}

struct Deco118VarCase {
    const char* what;
    bool option;
    uint8_t typeByte;
    uint8_t attr;
    std::string payload;
    deco_kit::VarExpect expect;
};

TEST_F(Deco118, VariablePayloadsWithAndWithoutTheOption)
{
    const Deco118VarCase cases[] = {
        {"BCD word", false, 0x00, 4, ByteBuilder(7).U16(2, 0x0010).U16(4, 0x9999).Str(), {0, 1, {10, 9999, 0, 0},
         {4, 0}}},
        {"BCD dword", true, kNominal | 16, 8, ByteBuilder(13).U32(4, 0x1A).U32(8, 0x99999999).Str(), {16, 2,
         {20, 99999999, 0, 0}, {8, 0}}},
        {"BCD 28", false, 28, 3, ByteBuilder(7).U16(4, 0x0999).Str(), {28, 1, {0, 999, 0, 0}, {3, 0}}},
        {"BIN word, option on", true, kSecondary | 3, 5, BinPayload(10, 1000, 3, 2, 5, 100), {3, 3,
         {10, 1000, 38, 698}, {5, 1}}},
        {"VBIN word", false, 21, 6, VbinPayload(-500, 500, 4, 2, -100), {21, 1, {-500, 500, -225, 275}, {6, 2}}},
        {"BIN double word without the option", false, 6, 8, BinPayload(1, 70000, 9, 9, 9, 9), {6, 1,
         {1, 70000, 0, 0xFFFF}, {5, 1}}},
        {"BIN double word with the option", true, 7, 8, BinDwPayload(0, 4000000, 1, 2, 0, 0), {7, 1,
         {0, 4000000, 0, 8000000}, {8, 1}}},
        {"BIN double word with offsets", true, 9, 8, BinDwPayload(10, 1000, 3, 2, 5, 100), {9, 1,
         {10, 1000, 38, 698}, {8, 1}}},
        // B times the upper limit passes 64 bits.
        {"BIN double word over the whole 32-bit range", true, 8, 8,
         BinDwPayload(0, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFE, 0, 0), {8, 1, {0, -1, 0, -2}, {8, 1}}},
        {"VBIN double word without the option", false, 24, 6, VbinPayload(-70000, 70000, 9, 9, 9), {24, 1,
         {-70000, 70000, 0, 0x7FFF}, {6, 2}}},
        {"VBIN double word with the option", true, kNominal | 22, 8, VbinDwPayload(-500000, 500000, 1, 4, -1000),
         {22, 2, {-500000, 500000, -1999000, 2001000}, {9, 2}}},
        {"word", false, 32, 4, "", {33, 1, {0, 0, 0, 0}, {0, 0}}},
        {"word KY", true, 38, 4, "", {33, 1, {0, 0, 0, 0}, {2, 0}}},
        {"ASCII", false, 34, 8, "", {34, 1, {0, 0, 0, 0}, {4, 0}}},
    };
    for (const Deco118VarCase& c : cases) {
        Deco118Fixture f;
        Image118Builder b;
        b.Mask(c.option ? kDWordOption : 0);
        AddVar(b, "V", c.typeByte, c.attr, c.payload, 7);
        ASSERT_EQ(f.Decompile(b), 0) << c.what;
        deco_kit::ExpectVar(f.prj.GetVarList()->FindByName(std::string_view("V")), 7, b.LastVar(), c.expect, c.what);
    }
}

TEST_F(Deco118, StateTextsOfBitStringTimerAndInternalList)
{
    Image118Builder b;
    const std::string bitTexts = TextTable(b, {"AUS", "EIN"});
    AddVar(b, "B", 12, 3, ByteBuilder().U16(0, 0x0100).Bytes(2, bitTexts).Str());
    const std::string listTexts = TextTable(b, {"A", "BB", "CCC"});
    AddVar(b, "S", 26, 3, ByteBuilder().U8(0, 2).Bytes(1, listTexts).Str());
    const std::string timerTexts = TextTable(b, {"T0", "T1", "T2", "T3"});
    AddVar(b, "T", 40, 5, timerTexts);
    const std::string keyTexts = TextTable(b, {"F1", "F2"});
    AddVar(b, "[Z084]", 42, 12, ByteBuilder().U8(0, 1).Bytes(1, keyTexts).Str(), 0xFF);
    ASSERT_EQ(Decompile(b), 0);
    EXPECT_EQ(Var("B")->GetExtByte0(), 8);
    EXPECT_STREQ(Var("B")->GetStateTxt(1), "EIN");
    EXPECT_EQ(Var("S")->GetType(), 26);
    EXPECT_STREQ(Var("S")->GetStateTxt(2), "CCC");
    EXPECT_EQ(Var("T")->GetType(), 36);
    EXPECT_STREQ(Var("T")->GetStateTxt(3), "T3");
    EXPECT_STREQ(Var("[Z084]")->GetStateTxt(1), "F2");
    EXPECT_EQ(Var("[Z084]")->GetMaxWidth(), 12);
    // The weekday slots give the firmware's [Z21] and [Z22] seven texts each.
    EXPECT_EQ(workspace.MemInfo().counts.varTexts, 2 + 3 + 4 + 2 + 2 * 7);
}

TEST_F(Deco118, GeneratedNamesAndUniquenessSuffixes)
{
    {
        Image118Builder b;
        AddVar(b, "EARLY", 0, 4, std::string(7, '\0'), 1);
        b.AddVar({4, 0, 2, std::string(7, '\0'), 0, std::nullopt});
        b.AddVar({4, 0, 3, std::string(7, '\0'), 0, std::nullopt});
        ASSERT_EQ(Decompile(b), 0);
        EXPECT_EQ(Var("EARLY"), nullptr);
        EXPECT_EQ(Var("AA")->GetAdr(), 3);
        EXPECT_EQ(Var("AB")->GetAdr(), 2);
        EXPECT_EQ(Var("AC")->GetAdr(), 1);
    }
    Deco118Fixture f;
    Image118Builder b;
    AddVar(b, "TEMP", 0, 4, std::string(7, '\0'), 1);
    AddVar(b, "TEMP", 0, 4, std::string(7, '\0'), 2);
    AddVar(b, "TEMP", 0, 4, std::string(7, '\0'), 3);
    AddVar(b, "ABCDEFGHIJKLMNOP", 0, 4, std::string(7, '\0'), 4);
    AddVar(b, "ABCDEFGHIJKLMNOP", 0, 4, std::string(7, '\0'), 5);
    ASSERT_EQ(f.Decompile(b), 0);
    EXPECT_EQ(f.Var("TEMP")->GetAdr(), 3);
    EXPECT_EQ(f.Var("TEMP1")->GetAdr(), 2);
    EXPECT_EQ(f.Var("TEMP2")->GetAdr(), 1);
    EXPECT_EQ(f.Var("ABCDEFGHIJKLMNOP")->GetAdr(), 5);
    EXPECT_EQ(f.Var("ABCDEFGHIJKLMNO1")->GetAdr(), 4);
}

TEST_F(Deco118, WordsThatAreNotSetUpGive42)
{
    const std::array<std::pair<uint8_t, uint8_t>, 3> cases{{{0, 100}, {0, 200}, {16, 63}}};
    const std::array<uint16_t, 3> words{100, 200, 64};
    for (size_t i = 0; i < cases.size(); ++i) {
        Deco118Fixture f;
        Image118Builder b;
        AddVar(b, "V", cases[i].first, 4, std::string(13, '\0'), cases[i].second);
        CDeco118 deco(&f.workspace, f.WriteImage(b.Finish()), f.DrvPath(), "", &f.bundle);
        EXPECT_EQ(deco.GetError(), CDeco::kErrWord) << i;
        EXPECT_EQ(deco.GetErrWord(), words[i]) << i;
    }
}

// --- Softkeys ---------------------------------------------------------------------

TEST_F(Deco118, SoftkeyActionsAndByteFormTexts)
{
    Deco118Fixture f(167);
    Image118Builder b;
    b.AddSkActs({{2, {{5, 2, 1, 7}, {6, 8, 3, 9}}, std::string("START")}, {3, {}, std::nullopt}});
    b.AddSkTexts({{1, {{1, 2, 3}, {16, 3, 0}}}, {4, {}}}, 16, std::make_pair(uint16_t{1}, uint16_t{9}));
    ASSERT_EQ(f.Decompile(b), 0);
    const CPrjSkAct* a2 = f.prj.GetSkActList()->FindByNum(2);
    ASSERT_NE(a2, nullptr);
    EXPECT_STREQ(a2->GetName(), "START");
    EXPECT_EQ(a2->GetOp(0), 1);
    EXPECT_EQ(a2->GetOp(1), 3);
    EXPECT_EQ(a2->GetValue(1), 9);
    const auto* range = dynamic_cast<const CPrjSkTxtRange*>(f.prj.GetSkTxtList()->GetTemplate());
    ASSERT_NE(range, nullptr);
    EXPECT_EQ(range->GetLo(), 1);
    EXPECT_EQ(range->GetHi(), 9);
    const CPrjSkTxtList& list = *f.prj.GetSkTxtList();
    const auto* t1 = list.SkTxtAt(list.IndexOf(list.FindByNum(1)));
    ASSERT_NE(t1, nullptr);
    EXPECT_EQ(t1->GetPressAct(1), a2);
    EXPECT_EQ(t1->GetReleaseAct(1)->GetNum(), 3);
    EXPECT_EQ(t1->GetPressAct(16)->GetNum(), 3);
    EXPECT_EQ(t1->GetPressAct(2), nullptr);
    EXPECT_NE(list.FindByNum(4), nullptr);
    EXPECT_EQ(f.workspace.MemInfo().counts.skActions, 2);
    EXPECT_EQ(f.workspace.MemInfo().counts.skTexts, 3);
}

TEST_F(Deco118, SoftkeyTextWithAMissingActionGives41)
{
    Image118Builder b;
    b.AddSkActs({{1, {}, std::nullopt}});
    b.AddSkTexts({{0, {{2, 1, 7}}}}, 8);
    EXPECT_EQ(Decompile(b), CDeco::kErrRead);
    EXPECT_TRUE(Logged("Error decompileSoftkeytexte ();"));
}

// --- Texts ------------------------------------------------------------------------

TEST_F(Deco118, OperatorAndMessageTexts)
{
    Image118Builder b;
    // Rows lie behind the description: the text area end that bounds the
    // rows of the other family does not bound these.
    b.AddDescription("D");
    const uint16_t v = AddVar(b, "W", 32, 3, "", 2);
    b.AddList(Image118Builder::kOpTexts,
              {{0, 0, {"A\x85" "B", std::nullopt, "C" + Image118Builder::Field(v)}}, {5, 0, {" "}}},
              Image118Builder::Range{2, 40, {-1, 0, {"template"}}});
    b.AddList(Image118Builder::kMsgTexts, {{1, 0x44, {"M1"}}, {3, 0x82, {"M3"}}},
              Image118Builder::Range{0, 9, {-1, 0, {"no template"}}});
    ASSERT_EQ(Decompile(b), 0);
    const CPrjOpTxtList& ops = *prj.GetOpTxtList();
    const auto* range = dynamic_cast<const CPrjOpTxtRange*>(ops.GetTemplate());
    ASSERT_NE(range, nullptr);
    EXPECT_EQ(range->GetLowest(), 2);
    EXPECT_EQ(range->GetHighest(), 40);
    EXPECT_EQ(RowText(range, 1), "template");
    const CPrjNumEntry* t0 = ops.FindByNum(0);
    ASSERT_NE(t0, nullptr);
    EXPECT_EQ(t0->GetRowCount(), 3);
    EXPECT_EQ(RowText(t0, 1), "A      B");
    EXPECT_EQ(t0->GetRow(2), nullptr);
    EXPECT_EQ(t0->GetRow(3)->GetVarSlot(0).var, Var("W"));
    EXPECT_EQ(t0->GetRow(3)->GetVarSlot(0).col, 1);
    EXPECT_EQ(RowText(ops.FindByNum(5), 1), "");
    EXPECT_EQ(ops.FindByNum(1), nullptr);

    const auto* m1 = static_cast<const CMsgTxt*>(prj.GetMsgTxtList()->FindByNum(1));
    const auto* m3 = static_cast<const CMsgTxt*>(prj.GetMsgTxtList()->FindByNum(3));
    ASSERT_TRUE(m1 && m3);
    EXPECT_EQ(m1->GetPrio(), 4);
    EXPECT_EQ(m1->GetDelMode(), 3);
    EXPECT_EQ(m3->GetPrio(), 3);
    EXPECT_EQ(m3->GetDelMode(), 4);
    EXPECT_EQ(RowText(m3, 1), "M3");
    EXPECT_EQ(prj.GetMsgTxtList()->GetTemplate(), nullptr);
    EXPECT_EQ(workspace.MemInfo().counts.opTexts, 3);
    EXPECT_EQ(workspace.MemInfo().counts.opRows, 4);
    EXPECT_EQ(workspace.MemInfo().counts.msgRows, 2);
}

TEST_F(Deco118, RecipeTextsListThePlcVariablesOfTheirRows)
{
    Image118Builder b;
    const uint16_t a = AddVar(b, "A", 32, 3, "", 2);
    const uint16_t c = AddVar(b, "C", 0, 4, std::string(7, '\0'), 3);
    const std::string keyTexts = TextTable(b, {"F1"});
    const uint16_t list = AddVar(b, "[Z084]", 42, 4, ByteBuilder().U8(0, 0).Bytes(1, keyTexts).Str(), 0xFF);
    b.AddList(Image118Builder::kRcpTexts,
              {{2, 0,
                {Image118Builder::Field(c) + " " + Image118Builder::Field(list),
                 "x" + Image118Builder::Field(a)}}});
    ASSERT_EQ(Decompile(b), 0);
    auto* text = static_cast<CPrjRcpTxt*>(prj.GetRcpTxtList()->FindByNum(2));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->GetRow(2)->GetVarSlot(0).var, Var("A"));
    const CPrjVarValList& values = text->GetValList();
    ASSERT_EQ(values.GetCount(), 2);
    EXPECT_EQ(values.GetAt(0)->GetVar(), Var("C"));
    EXPECT_EQ(values.GetAt(1)->GetVar(), Var("A"));
    EXPECT_EQ(workspace.MemInfo().counts.rcpTexts, 1);
    EXPECT_EQ(workspace.MemInfo().counts.rcpRows, 2);
}

TEST_F(Deco118, HelpSlotsGiveKinds0To4And6)
{
    const std::array<int, 6> kinds{0, 1, 2, 3, 4, 6};
    Image118Builder b;
    for (int k = 0; k < 6; ++k)
        b.AddList(Image118Builder::HelpSlot(k), {{k + 1, 0, {"H" + std::to_string(kinds[static_cast<size_t>(k)])}}},
                  Image118Builder::Range{0, 0xFFFF, {-1, 0, {"R"}}});
    ASSERT_EQ(Decompile(b), 0);
    for (int k = 0; k < 6; ++k) {
        const int kind = kinds[static_cast<size_t>(k)];
        const auto* range = dynamic_cast<const CKindTxtRange*>(prj.GetHlpTxtList(kind)->GetTemplate());
        ASSERT_NE(range, nullptr) << kind;
        EXPECT_EQ(range->GetLowest(), 0) << kind;
        EXPECT_EQ(range->GetHighest(), 0xFFFF) << kind;
        EXPECT_EQ(RowText(prj.GetHlpTxtList(kind)->FindByNum(k + 1), 1), "H" + std::to_string(kind)) << kind;
    }
    EXPECT_EQ(prj.GetHlpTxtList(5)->GetCount(), 0);
    EXPECT_EQ(workspace.MemInfo().counts.hlpTexts, 12);
}

// --- Menus, characters, cycle time ---------------------------------------------------

TEST_F(Deco118, MenusWithTheirMask)
{
    struct Case {
        const char* what;
        std::string version;
        bool names;
    } cases[] = {{"this tool's images", "Q32r11000", true}, {"old format", "ORVPRO1.3", false}};
    for (const Case& c : cases) {
        Deco118Fixture f;
        Image118Builder b;
        b.Version(c.version);
        b.AddList(Image118Builder::kOpTexts, {{1, 0, {"M"}}});
        b.AddMenus({{0, 0x1234, {{1, 0, 2, 0, 0, 1}, {2, 1, 0, 0, 0, 1}}}, {3, 0x0F0F, {{5, 0, 0, 0, 0, 1}}}});
        if (c.names)
            b.AddMenuNames({"HAUPT", "NEBEN"});
        ASSERT_EQ(f.Decompile(b), 0) << c.what;
        const CPrjMnu* m0 = f.prj.GetMnuList()->FindByNum(0);
        const CPrjMnu* m3 = f.prj.GetMnuList()->FindByNum(3);
        ASSERT_TRUE(m0 && m3) << c.what;
        EXPECT_EQ(f.prj.GetMnuList()->GetCount(), 2) << c.what;
        EXPECT_EQ(m0->GetName(), c.names ? "HAUPT" : std::string(ResourceTXT(527)) + "_0") << c.what;
        EXPECT_EQ(m3->GetName(), c.names ? "NEBEN" : std::string(ResourceTXT(527)) + "_3") << c.what;
        EXPECT_EQ(m0->GetMnuOpt(), c.names ? 0x1234 : f.prj.GetMnuOptMask()) << c.what;
        EXPECT_EQ(m3->GetMnuOpt(), c.names ? 0x0F0F : f.prj.GetMnuOptMask()) << c.what;
        ASSERT_EQ(m0->GetSubList()->GetCount(), 2) << c.what;
        EXPECT_TRUE(m0->GetSubList()->FindByNum(1)->IsStart());
        EXPECT_FALSE(m0->GetSubList()->FindByNum(2)->IsStart());
        EXPECT_EQ(m0->GetSubList()->FindByNum(1)->GetRight(), 2);
        EXPECT_EQ(m3->GetSubList()->FindByNum(5)->GetOpTxt(), f.prj.GetOpTxtList()->FindByNum(1));
        EXPECT_EQ(f.workspace.MemInfo().counts.menuNodes, 3);
    }
}

TEST_F(Deco118, PrinterCharactersCycleTimeAndDescription)
{
    Image118Builder b;
    Image118Builder::Printer p;
    p.words = {30, 1, 2, 1, 4, 1, 0, 2};
    p.initCount = 2;
    p.init = {0x1B, 0x40};
    p.table[8] = 'a';
    p.table[15] = 'h';
    b.AddPrinter(p);
    b.UserChar(0, {1, 2, 3, 4, 5, 6, 7, 8});
    b.UserChar(7, {0, 0, 0, 0, 0, 0, 0, 0x10});
    b.CycleTime(25);
    b.AddDescription("Anlage 118");
    ASSERT_EQ(Decompile(b), 0);
    EXPECT_EQ(prj.GetPrnTimeout(), 30);
    EXPECT_EQ(prj.GetPrnBaud(), 4);
    EXPECT_EQ(prj.GetPrnParity(), 2);
    EXPECT_EQ(prj.GetPrnInit(), "1B40");
    EXPECT_EQ(prj.GetPrnSubst(0), 'a');
    EXPECT_EQ(prj.GetPrnSubst(7), 'h');
    EXPECT_EQ(prj.GetDescr(), "Anlage 118");
    const CCharDefColl& chars = *prj.GetCharDefColl();
    ASSERT_EQ(chars.GetCount(), 2);
    EXPECT_EQ(chars.FindByCode(0)->GetRows(), (CCharDef::Rows{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_NE(chars.FindByCode(7), nullptr);
    EXPECT_EQ(prj.GetCycleTime(), 25);
}

// --- Clock, date and recipe block ----------------------------------------------------

TEST_F(Deco118, ClockAndDate)
{
    ASSERT_NE(Var("[Z21]"), nullptr);
    ASSERT_NE(Var("[Z24]"), nullptr);
    const uint8_t ownMax = Var("[Z21]")->GetMaxWidth();
    const uint16_t modeBefore = prj.GetDateMode();
    Image118Builder b;
    b.AddDateTime(40, 2);
    // Other names than the firmware's, so that taking them shows.
    b.Weekdays({"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"}, {"M", "T", "W", "T", "F", "S", "X"});
    ASSERT_EQ(Decompile(b), 0);
    EXPECT_EQ(Var("[Z24]")->GetAdr(), 40);
    EXPECT_EQ(prj.GetKomVarList()->FindByName(ResourceTXT(1174))->GetAdr(), 40);
    EXPECT_EQ(prj.GetDateMode(), 2);
    EXPECT_STREQ(Var("[Z21]")->GetStateTxt(0), "Mo");
    EXPECT_STREQ(Var("[Z21]")->GetStateTxt(6), "So");
    EXPECT_EQ(Var("[Z21]")->GetWidth(), 2);
    EXPECT_EQ(Var("[Z21]")->GetMaxWidth(), ownMax);
    EXPECT_STREQ(Var("[Z22]")->GetStateTxt(6), "X");
    EXPECT_EQ(Var("[Z22]")->GetMaxWidth(), 2);

    Deco118Fixture f;
    Image118Builder other;
    other.AddDateTime(10, 3);
    ASSERT_EQ(f.Decompile(other), 0);
    EXPECT_EQ(f.prj.GetDateMode(), modeBefore);
    EXPECT_EQ(f.Var("[Z24]")->GetAdr(), 10);

    // Without the firmware's variables only the interface variables move.
    Deco118Fixture bare;
    bare.prj.SetFwVarSource(nullptr);
    bare.ResetForDecompile();
    ASSERT_EQ(bare.Var("[Z24]"), nullptr);
    ASSERT_EQ(bare.Decompile(b), 0);
    EXPECT_EQ(bare.prj.GetKomVarList()->FindByName(ResourceTXT(1174))->GetAdr(), 40);
    EXPECT_EQ(bare.prj.GetDateMode(), 2);
}

TEST_F(Deco118, RecipeBlockPlacesTheRecipeNumbers)
{
    ASSERT_NE(Var("[Z25]"), nullptr);
    Image118Builder b;
    b.AddRecipeBlock(50);
    ASSERT_EQ(Decompile(b), 0);
    EXPECT_EQ(Var("[Z25]")->GetAdr(), 50);
    EXPECT_EQ(prj.GetKomVarList()->FindByName(ResourceTXT(1206))->GetAdr(), 50);
}

} // namespace
