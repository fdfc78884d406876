#include "Deco043Kit.h"
#include "RoundTripKit.h"

#include "image/compile/Comp043.h"
#include "image/decompile/Deco043.h"
#include "model/core/Catalogues.h"
#include "model/project/CharDef.h"
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

#include <sstream>

using namespace orv;

namespace {

// Everything of a project that an image carries, as text, so that a
// difference shows as a line.
std::string Rows(const CPrjNumEntry& e)
{
    std::ostringstream out;
    out << " rows " << e.GetRowCount();
    for (int r = 1; r <= e.GetRowCount(); ++r) {
        const CPrjTxtRow* row = e.GetRow(r);
        out << "\n    [" << (row ? row->GetText() : "<none>") << "]";
        for (int s = 0; row && s < row->GetVarCount(); ++s)
            if (const TxtVarSlot slot = row->GetVarSlot(s); slot.var)
                out << " " << slot.var->GetName() << "@" << int{slot.col};
    }
    return out.str();
}

std::string Dump(const CPrjData& prj)
{
    std::ostringstream out;
    const CPrjVarList& vars = *prj.GetVarList();
    for (int i = 0; i < vars.GetCount(); ++i) {
        const CPrjVar& v = *vars.VarAt(i);
        out << "var " << v.GetName() << " t" << int{v.GetType()} << " s" << int{v.GetSetpKind()} << " a"
            << v.GetAdr() << " w" << int{v.GetWidth()} << " " << v.GetExtWord1()
            << "," << v.GetExtWord2() << "," << v.GetExtWord3() << "," << v.GetExtWord4() << " b"
            << int{v.GetExtByte0()} << "," << int{v.GetExtByte1()} << "," << int{v.GetExtByte12()};
        for (int t = 0; t <= v.MaxStateIdx(); ++t)
            out << " '" << (v.GetStateTxt(t) ? v.GetStateTxt(t) : "<none>") << "'";
        out << "\n";
    }
    for (int i = 0; i < prj.GetOpTxtList()->GetCount(); ++i) {
        const CPrjNumEntry& e = *prj.GetOpTxtList()->ItemAt(i);
        out << "op " << e.GetNum() << Rows(e) << "\n";
    }
    for (int i = 0; i < prj.GetMsgTxtList()->GetCount(); ++i) {
        const CMsgTxt& e = *prj.GetMsgTxtList()->MsgAt(i);
        out << "msg " << e.GetNum() << " p" << int{e.GetPrio()} << " d" << int{e.GetDelMode()} << Rows(e) << "\n";
    }
    for (int k = 0; k < CPrjData::kHlpKinds; ++k)
        for (int i = 0; prj.GetHlpTxtList(k) && i < prj.GetHlpTxtList(k)->GetCount(); ++i)
            out << "help " << k << " " << prj.GetHlpTxtList(k)->ItemAt(i)->GetNum()
                << Rows(*prj.GetHlpTxtList(k)->ItemAt(i)) << "\n";
    for (int i = 0; i < prj.GetSkActList()->GetCount(); ++i) {
        const CPrjSkAct& a = *prj.GetSkActList()->ItemAt(i);
        out << "act " << a.GetNum() << " '" << (a.GetName() ? a.GetName() : "<none>") << "'";
        for (int k = 0; k < CPrjSkAct::kOps; ++k)
            if (a.IsOpUsed(k))
                out << " " << a.GetOp(k) << ":" << a.GetAdr(k) << ":" << a.GetValue(k) << ":" << a.GetFormat(k);
        out << "\n";
    }
    for (int i = 0; i < prj.GetSkTxtList()->GetCount(); ++i) {
        const CPrjSkTxt& t = *prj.GetSkTxtList()->SkTxtAt(i);
        out << "sk " << t.GetNum();
        if (const auto* range = dynamic_cast<const CPrjSkTxtRange*>(&t))
            out << " range " << range->GetLo() << ".." << range->GetHi();
        for (int key = 1; key <= CPrjSkTxt::kKeys; ++key)
            if (t.GetPressAct(key) || t.GetReleaseAct(key))
                out << " k" << key << "=" << (t.GetPressAct(key) ? t.GetPressAct(key)->GetNum() : 0) << "/"
                    << (t.GetReleaseAct(key) ? t.GetReleaseAct(key)->GetNum() : 0);
        out << "\n";
    }
    for (int i = 0; i < prj.GetMnuList()->GetCount(); ++i) {
        const CPrjMnu& m = *prj.GetMnuList()->ItemAt(i);
        out << "menu " << int{m.GetNum()} << " '" << m.GetName() << "' " << m.GetMnuOpt() << "\n";
        for (int n = 0; n < m.GetSubList()->GetCount(); ++n) {
            const CPrjMnuNode& node = *m.GetSubList()->ItemAt(n);
            out << "  node " << int{node.GetNum()} << " " << int{node.GetLeft()} << int{node.GetRight()}
                << int{node.GetDown()} << int{node.GetUp()} << " text "
                << (node.GetOpTxt() ? node.GetOpTxt()->GetNum() : -1) << " start " << int{node.IsStart()} << "\n";
        }
    }
    for (int i = 0; i < prj.GetCharDefColl()->GetCount(); ++i) {
        const CCharDef& c = *prj.GetCharDefColl()->ItemAt(i);
        out << "char " << int{c.GetCode()};
        for (uint8_t r : c.GetRows())
            out << " " << int{r};
        out << "\n";
    }
    out << "cycle " << prj.GetCycleTime() << "\ndescr '" << prj.GetDescr() << "'\n";
    out << "printer " << prj.GetPrnTimeout() << " " << int{prj.GetPrnIfc()} << " " << int{prj.GetPrnBaud()} << " "
        << prj.GetPrnInit();
    for (int i = 0; i < 8; ++i)
        out << " " << int{prj.GetPrnSubst(i)};
    out << "\n";
    return out.str();
}

class RoundTripBase : public Deco043Fixture {
protected:
    explicit RoundTripBase(uint16_t devType, uint16_t variant = 0) : Deco043Fixture(devType)
    {
        prj.SetVariant(variant);
        workspace.MemInfo().freeData = 32766;
        Drv043Entry e;
        e.tail = "DRIVER";
        drvBytes = e.Build().bytes;
        dir.Write("IN.DRV", drvBytes);
    }

    template <class Var>
    Var* Add(Var* var)
    {
        EXPECT_GE(prj.InsVar(var), 0) << var->GetName();
        return var;
    }

    template <class Entry>
    Entry* Row(Entry* entry, int rowNum, const std::string& text, std::initializer_list<std::pair<CPrjVar*, uint8_t>> vars = {})
    {
        CTxtVarSlots slots;
        int i = 0;
        for (const auto& [var, col] : vars) {
            slots.SetVar(i, var);
            slots.SetCol(i++, col);
        }
        if (entry->GetRowCount() < rowNum)
            entry->SetRowCount(rowNum);
        entry->SetRow(std::make_unique<CPrjTxtRow>(static_cast<uint8_t>(rowNum), text, &slots));
        return entry;
    }

    // Variables of every format with their state texts, texts with fields
    // and blank runs, softkeys, a menu with a mask, a user character, the
    // cycle time, a description and the printer settings.
    void BuildRichProject()
    {
        CTextPool* pool = prj.GetTextPool();
        auto* bcd = Add(new CPrjVarBcd("Bcd", 1, 1, 0, 4, 10, 9999, 0));
        auto* bin = Add(new CPrjVarBin("Bin", 2, 2, 2, 5, 1, 0, 1000, 0, 2000));
        auto* vbin = Add(new CPrjVarVbin("Vbin", 3, 3, 18, 4, 0, -500, 500, -1000, 1000));
        auto* bit = Add(new CPrjVarBit("Bit", 4, 1, 12, 5, pool));
        bit->SetStateTxt(0, "AUS");
        bit->SetStateTxt(1, "EIN");
        auto* str = Add(new CPrjVarString("Str", 5, 1, 14, pool));
        str->SetTxtCount(2);
        str->SetStateTxt(0, "A");
        str->SetStateTxt(1, "BB");
        str->SetStateTxt(2, "CCC");
        auto* timer = Add(new CPrjVarTimer("Tim", 6, 1, 36, pool));
        for (int i = 0; i < 4; ++i)
            timer->SetStateTxt(i, i % 2 ? "ms" : "s");
        Add(new CPrjVarWord("Word", 7, 1, 33, 1));
        Add(new CPrjVarAscii("Ascii", 8, 1, 34, 4));
        auto* z084 = dynamic_cast<CPrjIntVarStr*>(prj.GetVarList()->FindByName(std::string_view("[Z084]")));
        EXPECT_NE(z084, nullptr);
        if (z084 == nullptr)
            return;
        z084->SetTxtCount(1);
        z084->SetStateTxt(0, "F1");
        z084->SetStateTxt(1, "F2");

        auto* t0 = Row(new CPrjOpTxt(0), 1, "Wert " + F(bcd) + " ok", {{bcd, 5}});
        Row(t0, 2, "   Bin " + F(bin), {{bin, 7}});
        prj.InsOpTxt(t0);
        auto* t1 = Row(new CPrjOpTxt(1), 1, "V " + F(vbin) + " B " + F(bit), {{vbin, 2}, {bit, 10}});
        prj.InsOpTxt(t1);
        prj.InsMsgTxt(Row(new CMsgTxt(0, 3, 2, 0), 1, "Fehler " + F(str), {{str, 7}}));
        prj.InsMsgTxt(Row(new CMsgTxt(5, 4, 4, 0), 1, "Alarm"));
        prj.InsHlpTxt(1, Row(new CKindTxtRange(0, 0xFFFF), 1, "Hilfe " + F(timer) + "!", {{timer, 6}}));

        auto* act1 = new CPrjSkAct(1, "START");
        act1->SetOperation(0, 1, 10, 5, 1);
        act1->SetOperation(1, 3, 11, 0x8000, 2);
        prj.InsSkAct(act1);
        auto* act2 = new CPrjSkAct(2, nullptr);
        act2->SetOperation(0, 2, 12, 0xFF, 3);
        prj.InsSkAct(act2);
        auto* sk = new CPrjSkTxt(3);
        sk->SetActs(1, act1, act2);
        sk->SetActs(8, nullptr, act1);
        prj.InsSkTxt(sk);

        auto* menu = new CPrjMnu(1, "HAUPT", 5);
        menu->InsNode(new CPrjMnuNode(1, 0, 2, 0, 0, t0, 1));
        menu->InsNode(new CPrjMnuNode(2, 1, 0, 0, 0, t1, 0));
        prj.InsMnu(menu);
        prj.InsCharDef(new CCharDef(3, {1, 2, 4, 8, 16, 8, 4, 2}));
        prj.SetCycleTime(20);
        prj.SetDescr("Testanlage");
        if (prj.GetDevType() == 47) {
            sk->SetActs(16, act2, nullptr);
            prj.SetPrnTimeout(30);
            prj.SetPrnIfc(1);
            prj.SetPrnBaud(4);
            prj.SetPrnInit("1B40");
            prj.SetPrnSubst(0, 'a');
            prj.SetPrnSubst(7, 'h');
        }
    }

    // A field as the display editor draws it.
    std::string F(const CPrjVar* var) const
    {
        const int width = var->GetWidth();
        if (width == 1)
            return std::string(1, static_cast<char>(charSet.GetFrameChar(1)));
        return static_cast<char>(charSet.GetFrameChar(2)) +
               std::string(static_cast<size_t>(width - 2), static_cast<char>(charSet.GetFrameChar(3))) +
               static_cast<char>(charSet.GetFrameChar(4));
    }

    // Compiles the project, clears it and decompiles the image into it.
    // The dumps before and after.
    std::pair<std::string, std::string> RoundTrip()
    {
        const std::string before = Dump(prj);
        {
            CComp043 comp(workspace, dir.File("RT.BIN"), dir.File("IN.DRV"), "", 0, bundle);
            EXPECT_EQ(comp.GetError(), 0);
        }
        const uint16_t devType = prj.GetDevType();
        const uint16_t variant = prj.GetVariant();
        prj.Clear();
        prj.SetVariant(variant);
        prj.SetDevType(devType);
        {
            CDeco043 deco(&workspace, dir.File("RT.BIN"), DrvPath(), "", &bundle);
            EXPECT_EQ(deco.GetError(), 0);
        }
        EXPECT_EQ(dir.Read("PRJ.DRV"), drvBytes);
        return {before, Dump(prj)};
    }

    std::string drvBytes;
};


struct Panel {
    uint16_t devType;
    uint16_t variant;
};

class RoundTrip043 : public RoundTripBase, public ::testing::TestWithParam<Panel> {
protected:
    RoundTrip043() : RoundTripBase(GetParam().devType, GetParam().variant) {}
};

TEST_P(RoundTrip043, EveryKindOfObjectComesBack)
{
    BuildRichProject();
    const auto [before, after] = RoundTrip();
    EXPECT_EQ(after, before);
}

class RoundTrip043Cut : public RoundTripBase, public ::testing::Test {
protected:
    RoundTrip043Cut() : RoundTripBase(47, 1) {}
};

TEST_F(RoundTrip043Cut, CompiledImageCutAtAnyLengthFailsWithACode)
{
    BuildRichProject();
    {
        CComp043 comp(workspace, dir.File("RT.BIN"), dir.File("IN.DRV"), "", 0, bundle);
        ASSERT_EQ(comp.GetError(), 0);
    }
    const std::string image = dir.Read("RT.BIN");
    for (size_t cut = 0; cut < image.size(); ++cut) {
        prj.Clear();
        const uint16_t code = Decompile(image.substr(0, cut));
        if (cut >= image.size() - 2)
            EXPECT_EQ(code, 0) << cut;
        else
            EXPECT_TRUE(code == CDeco::kErrImage || code == CDeco::kErrRead || code == CDeco::kErrWord)
                << cut << ": " << code;
    }
}

INSTANTIATE_TEST_SUITE_P(Panels, RoundTrip043,
                         ::testing::Values(Panel{14, 0}, Panel{36, 0}, Panel{43, 0}, Panel{47, 0}, Panel{47, 1}));

class RoundTrip043Losses : public RoundTripBase, public ::testing::Test {
protected:
    RoundTrip043Losses() : RoundTripBase(43) {}
    CPrjVar* Var(const char* name) const { return prj.GetVarList()->FindByName(std::string_view(name)); }
};

TEST_F(RoundTrip043Losses, DocumentedLosses)
{
    Add(new CPrjVarBcd("Temperatur_Kessel_1", 1, 1, 0, 4, 0, 9999, 0));
    Add(new CPrjVarBcd("Temperatur_Kessel_2", 2, 1, 0, 4, 0, 9999, 0));
    Add(new CPrjVarBin("Zaehler", 3, 1, 6, 9, 0, 0, 100000, 0, 50000));
    prj.InsHlpTxt(2, Row(new CKindTxt(1), 1, "erste"));
    prj.InsHlpTxt(2, Row(new CKindTxt(2), 1, "zweite"));
    prj.InsHlpTxt(6, Row(new CKindTxt(0), 1, "sechs"));
    auto* act = new CPrjSkAct(1, "GAP");
    act->SetOperation(2, 1, 10, 7, 1);
    act->SetOperation(5, 3, 11, 8, 2);
    prj.InsSkAct(act);
    prj.InsCharDef(new CCharDef(4, {}));
    prj.InsCharDef(new CCharDef(5, {0, 0, 0, 1, 0, 0, 0, 0}));

    RoundTrip();
    // Names are stored in 16 bytes; the cut ones collide.
    EXPECT_NE(Var("Temperatur_Kesse"), nullptr);
    EXPECT_NE(Var("Temperatur_Kess1"), nullptr);
    // The PLC range of double-word BIN variables is not stored.
    ASSERT_NE(Var("Zaehler"), nullptr);
    EXPECT_EQ(Var("Zaehler")->GetExtWord2(), 100000);
    EXPECT_EQ(Var("Zaehler")->GetExtWord3(), 0);
    EXPECT_EQ(Var("Zaehler")->GetExtWord4(), 0);
    // One help text per list, as a range entry; list 6 comes back as kind 0.
    ASSERT_EQ(prj.GetHlpTxtList(2)->GetCount(), 1);
    EXPECT_EQ(prj.GetHlpTxtList(2)->GetTemplate()->GetRow(1)->GetText(), "zweite");
    ASSERT_NE(prj.GetHlpTxtList(0)->GetTemplate(), nullptr);
    EXPECT_EQ(prj.GetHlpTxtList(0)->GetTemplate()->GetRow(1)->GetText(), "sechs");
    EXPECT_EQ(prj.GetHlpTxtList(6)->GetCount(), 0);
    // Operations close up to the first slots.
    const CPrjSkAct* back = prj.GetSkActList()->FindByNum(1);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetOp(0), 1);
    EXPECT_EQ(back->GetAdr(0), 10);
    EXPECT_EQ(back->GetOp(1), 3);
    EXPECT_EQ(back->GetValue(1), 8);
    EXPECT_FALSE(back->IsOpUsed(2));
    // An all-zero user character is not brought back.
    EXPECT_EQ(prj.GetCharDefColl()->FindByCode(4), nullptr);
    EXPECT_NE(prj.GetCharDefColl()->FindByCode(5), nullptr);
}

TEST_F(RoundTrip043Losses, NamesThatDoNotFitAreGenerated)
{
    Add(new CPrjVarBcd("Druck", 1, 1, 0, 4, 0, 9999, 0));
    Add(new CPrjVarBcd("Temperatur", 2, 1, 0, 4, 0, 9999, 0));
    auto* text = Row(new CPrjOpTxt(0), 1, "Start");
    prj.InsOpTxt(text);
    auto* menu = new CPrjMnu(2, "HAUPT", 5);
    menu->InsNode(new CPrjMnuNode(1, 0, 0, 0, 0, text, 1));
    prj.InsMnu(menu);
    prj.SetDescr("Eine lange Beschreibung der Anlage");
    uint32_t length = 0;
    {
        CComp043 comp(workspace, dir.File("M.BIN"), dir.File("IN.DRV"), "", 0, bundle);
        ASSERT_EQ(comp.GetError(), 0);
        const std::string image = dir.Read("M.BIN");
        length = static_cast<uint32_t>(BeWord(image, 2)) + 2;
    }
    // Room for the data set without its names: the variable names (32),
    // the menu name (16) and the description (35) take 83 bytes.
    workspace.MemInfo().freeData = 32766;
    const uint32_t reserve = 32766 - length + 70;
    {
        CComp043 comp(workspace, dir.File("RT.BIN"), dir.File("IN.DRV"), "", reserve, bundle);
        ASSERT_EQ(comp.GetError(), 0);
    }
    prj.Clear();
    prj.SetDevType(43);
    {
        CDeco043 deco(&workspace, dir.File("RT.BIN"), DrvPath(), "", &bundle);
        ASSERT_EQ(deco.GetError(), 0);
    }
    EXPECT_EQ(Var("Druck"), nullptr);
    ASSERT_NE(Var("AA"), nullptr);
    ASSERT_NE(Var("AB"), nullptr);
    EXPECT_EQ(prj.GetMnuList()->FindByNum(2)->GetName(), std::string(ResourceTXT(527)) + "_2");
    EXPECT_EQ(prj.GetDescr(), prj.GetDefDescr());
}

// Golden sources: S2 equals S1, or the golden's ".s2" file.
class RoundTrip043Source : public ::testing::TestWithParam<const char*> {};

class SourceProject : public Deco043Fixture {
public:
    explicit SourceProject(uint16_t panel) : Deco043Fixture(panel == 755 ? 47 : panel)
    {
        prj.SetVariant(panel == 755 ? 1 : 0);
        prj.SetDsType(panel);
        charSet.FillFontBuffer(charSet.GetGroup());
        prj.Clear();
        prj.SetSrcDevType(panel);
        workspace.MemInfo().freeData = 32766;
    }
};

TEST_P(RoundTrip043Source, WrittenAgainByteForByte)
{
    const std::string golden = Golden(GetParam());
    const uint16_t panel = PanelOf(golden);
    ASSERT_NE(panel, 0);
    SourceProject p(panel);
    Drv043Entry e;
    e.tail = "CODE";
    const std::string drv = e.Build().bytes;
    const RoundTripOutcome out = GoldenRoundTrip(
        p, golden,
        [&] {
            p.dir.Write("IN.DRV", drv);
            CComp043 comp(p.workspace, p.dir.File("P.BIN"), p.dir.File("IN.DRV"), "", 0, p.bundle);
            ASSERT_EQ(comp.GetError(), 0);
        },
        [&] {
            CDeco043 deco(&p.workspace, p.dir.File("P.BIN"), p.DrvPath(), "", &p.bundle);
            ASSERT_EQ(deco.GetError(), 0);
        });
    EXPECT_EQ(p.dir.Read("PRJ.DRV"), drv);
    EXPECT_EQ(out.s2, ExpectedS2(GetParam(), out.s1));
}

INSTANTIATE_TEST_SUITE_P(Goldens, RoundTrip043Source,
                         ::testing::Values("rt014.orv", "rt043.orv", "rt047.orv", "rt755.orv", "loss043.orv",
                                           // The sample project shipped beside the program.
                                           "../../../res/demo043.orv"));

} // namespace
