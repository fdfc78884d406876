#include "Deco043Kit.h"
#include "Deco706Kit.h"
#include "DecoSweep.h"

#include "image/compile/Comp706.h"
#include "image/decompile/Deco706.h"
#include "model/project/CharDef.h"
#include "model/project/FrmCfg.h"
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

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <string>

using namespace orv;

using deco_kit::Value48;
using Builder = Image706Builder;

namespace {

const std::set<uint16_t> kDeco706RobustCodes{CDeco::kErrIntVar, CDeco::kErrRead, CDeco::kErrWord};

class Deco706Rig : public Deco706Fixture, public DecoSweepRig {
public:
    Deco706Rig()
    {
        world.Rewire(WorldPart::Frm);
        frm.SetFrmId("FW706");
        workspace.MemInfo().freeData = 0x40000;
    }

    // The internal variables a cleared project gets from the firmware.
    void AddInternals()
    {
        prj.InsVar(new CPrjIntVarNum("[Z005]", 0, 1, 134, 0, 0, 3, 0, 1, 99));
        auto* hex = new CPrjIntVarHex("[Z078]", 0, 1, 249, 0, 0, "1B41");
        hex->SetWidth(4);
        prj.InsFwVar(hex);
    }

    std::string Image() override { return SmallImage(); }
    const std::set<uint16_t>& Codes() const override { return kDeco706RobustCodes; }
    // Runs the decompile on a cleared project.
    uint16_t Fresh(const std::string& image) override
    {
        prj.Clear();
        AddInternals();
        drv.GetParItems3()->DeleteAll();
        workspace.MemInfo().ClearCounts();
        ui.ClearCalls();
        return Decompile(image);
    }

    CPrjTxtRow* Row(int num, std::string_view text, std::initializer_list<std::pair<CPrjVar*, uint8_t>> vars)
    {
        CTxtVarSlots slots;
        int i = 0;
        for (const auto& [var, col] : vars) {
            slots.SetVar(i, var);
            slots.SetCol(i++, col);
        }
        return new CPrjTxtRow(static_cast<uint8_t>(num), text, &slots);
    }

    // A small project with something in every section, compiled.
    std::string SmallImage()
    {
        prj.Clear();
        AddInternals();
        prj.GetVarList()->FindByName("[Z005]")->SetExtWord1(20);
        if (CCharDef* old = prj.GetCharDefColl()->FindByCode(130))
            prj.DelCharDef(old);
        EXPECT_GE(prj.InsCharDef(new CCharDef(130, {0x1F, 0x11, 0, 0, 0, 0, 0x04, 0})), 0);
        auto* word = new CPrjVarWord("W", 1, 1, 33, 1);
        auto* bin = new CPrjVarBin("B", 2, 2, 2, 4, 1, 0, 1000, 0, 4000);
        auto* bit = new CPrjVarBit("Bit", 3, 1, 12, 2, prj.GetTextPool());
        bit->SetStateTxt(0, "AUS");
        bit->SetStateTxt(1, "E  IN");
        for (CPrjVar* v : std::initializer_list<CPrjVar*>{word, bin, bit})
            prj.InsVar(v);
        CPrjVar* z005 = prj.GetVarList()->FindByName("[Z005]");

        prj.InsOpTxt(new CPrjOpTxtRange(0, 20));
        auto* op = new CPrjOpTxt(1);
        op->SetRowCount(2);
        op->SetRow(std::unique_ptr<CPrjTxtRow>(Row(1, "A  ####  #####", {{word, 3}, {bin, 9}})));
        op->SetRow(std::unique_ptr<CPrjTxtRow>(Row(2, "###", {{bit, 0}})));
        prj.InsOpTxt(op);
        auto* msg = new CMsgTxt(2, 3, 2, 1);
        msg->SetRowCount(1);
        msg->SetRow(std::unique_ptr<CPrjTxtRow>(Row(1, "M ###", {{z005, 2}})));
        prj.InsMsgTxt(msg);
        auto* prn = new COpPrnTxt(0);
        prn->SetRowCount(1);
        CTxtVarSlots slots;
        slots.SetVar(0, prj.GetFwVarList()->FindByName("[Z078]"));
        slots.SetCol(0, 2);
        prn->SetRow(std::make_unique<CPrnTxtLin>(1, "P ####", &slots));
        prj.InsOpPrnTxt(prn);

        auto* act = new CPrjSkAct(1, "GO");
        act->SetOperation(0, CPrjSkAct::kOpWrite, 5, 7, 1);
        prj.InsSkAct(act);
        auto* sk = new CPrjSkTxt(0);
        sk->SetActs(1, act, nullptr);
        prj.InsSkTxt(sk);
        auto* menu = new CPrjMnu(1, "M", 0x30FF);
        menu->InsNode(new CPrjMnuNode(1, 0, 2, 0, 0, op, 1));
        menu->InsNode(new CPrjMnuNode(2, 1, 0, 0, 0, op, 0));
        prj.InsMnu(menu);
        auto* timer = new CPrjTimer(1, "T");
        timer->AddTimeVal(new CTimeVal(3600, 7200));
        prj.InsTimer(timer);
        prj.SetMsgMode(1);
        prj.SetDescr("D");
        {
            CComp706 comp(workspace, dir.File("SMALL.BIN"), bundle);
            EXPECT_EQ(comp.GetError(), 0);
        }
        return dir.Read("SMALL.BIN");
    }
};

class Deco706Robust : public ::testing::Test, public Deco706Rig {};

// Each image decompiles without its damage.
struct Malformed {
    const char* what;
    std::function<std::string(bool damaged)> image;
};

TEST_F(Deco706Robust, MalformedTable)
{
    const auto plain = [](Builder& b, const std::string& name, uint32_t adr) {
        return b.AddVar({name, 4, 0, 33, 0, adr, ByteBuilder().U16(0, 1).Str()});
    };
    const Malformed cases[] = {
        {"cyclic variable chain",
         [&](bool damaged) {
             Builder b;
             const Builder::VarAt first = plain(b, "A", 1);
             const Builder::VarAt second = plain(b, "B", 2);
             if (damaged)
                 b.U32(second.record, first.record);
             return b.Finish();
         }},
        {"variable chain into itself",
         [&](bool damaged) {
             Builder b;
             const Builder::VarAt first = plain(b, "A", 1);
             if (damaged)
                 b.U32(first.record, first.record);
             return b.Finish();
         }},
        {"cyclic node chain",
         [](bool damaged) {
             Builder b;
             b.AddList(98, {{1, 0, {Builder::Row("T")}}});
             std::vector<uint32_t> first;
             b.AddMenus({{1, "M", 0, {{1, 1, {}}, {2, 1, {}}}}}, &first);
             if (damaged)
                 b.U32(first[0] + 24, first[0]);
             return b.Finish();
         }},
        {"node number twice in a menu",
         [](bool damaged) {
             Builder b;
             b.AddList(98, {{1, 0, {Builder::Row("T")}}});
             b.AddMenus({{1, "M", 0, {{1, 1, {}}, {static_cast<uint16_t>(damaged ? 1 : 2), 1, {}}}}});
             return b.Finish();
         }},
        {"nine fields in a row",
         [&](bool damaged) {
             Builder b;
             const uint32_t v = plain(b, "A", 1).data;
             std::vector<Builder::Field> fields;
             for (uint16_t i = 0; i < (damaged ? 9 : 8); ++i)
                 fields.push_back({v, static_cast<uint16_t>(4 * i)});
             b.AddList(98, {{0, 0, {Builder::Row("", fields)}}});
             return b.Finish();
         }},
        {"divisor C = 0",
         [](bool damaged) {
             Builder b;
             const std::string tail =
                 ByteBuilder().U8(0, 4).U32(2, 0).U32(6, 100).U16(10, damaged ? 0 : 1).U16(12, 1).Str();
             b.AddVar({"Z", 5, 0, 2, 0, 1, tail + Value48(0)});
             return b.Finish();
         }},
        {"duplicate variable name",
         [&](bool damaged) {
             Builder b;
             plain(b, "SAME", 1);
             plain(b, damaged ? "SAME" : "OTHER", 2);
             return b.Finish();
         }},
        {"string variable with 65535 texts",
         [](bool damaged) {
             Builder b;
             b.AddVar({"S", 4, 0, 14, 0, 1, ByteBuilder().U16(0, damaged ? 0xFFFF : 0).U32(2, 0).Str()});
             return b.Finish();
         }},
        {"list of 65535 places",
         [](bool damaged) {
             Builder b;
             b.AddList(98, {}, std::nullopt, damaged ? 0xFFFF : 1);
             return b.Finish().substr(0, 400);
         }},
        {"entry of 65535 rows",
         [](bool damaged) {
             Builder b;
             const uint32_t head = b.AddList(102, {{0, 0, {}}});
             b.U16(BeDWord(b.Finish(), head + 18) + 2, damaged ? 0xFFFF : 0);
             return b.Finish();
         }},
        {"softkey action of 65535 operations",
         [](bool damaged) {
             Builder b;
             const uint32_t table = b.AddSkActs({{0, {}, "A"}});
             b.U16(BeDWord(b.Finish(), table + 2), damaged ? 0xFFFF : 0);
             return b.Finish();
         }},
        {"time switch of 65535 values",
         [](bool damaged) {
             Builder b;
             const uint32_t table = b.AddTimers({{0, "T", {}}});
             b.U16(BeDWord(b.Finish(), table + 2) + 4, damaged ? 0xFFFF : 0);
             return b.Finish();
         }},
        {"time switch with a period twice",
         [](bool damaged) {
             Builder b;
             b.AddTimers({{0, "T", {{1, 2, 3, 4, 1, 2, 3, 5}, {1, 2, 3, 4, 1, 2, 3, damaged ? uint8_t{5} : uint8_t{6}}}}});
             return b.Finish();
         }},
        {"time switch of more periods than a list holds",
         [](bool damaged) {
             std::vector<Builder::TimeBytes> values;
             for (int i = 0; i < (damaged ? 16381 : 16380); ++i) {
                 const auto h = static_cast<uint8_t>(i / 3600);
                 const auto m = static_cast<uint8_t>(i / 60 % 60);
                 const auto sec = static_cast<uint8_t>(i % 60);
                 values.push_back({0, h, m, sec, 6, h, m, sec});
             }
             Builder b;
             b.AddTimers({{0, "T", values}});
             return b.Finish();
         }},
        {"list pointer past the end",
         [](bool damaged) { return Builder().U32(98, damaged ? 0x7FFFFFF0 : 0).Finish(); }},
        {"variable pointer past the end",
         [](bool damaged) { return Builder().U32(94, damaged ? 0xFFFFFFFF : 0).Finish(); }},
        {"row pointer past the end",
         [](bool damaged) {
             Builder b;
             const uint32_t head = b.AddList(106, {{0, 0, {Builder::Row("x")}}});
             if (damaged)
                 b.U32(BeDWord(b.Finish(), head + 18) + 4, 0x00FFFFFF);
             return b.Finish();
         }},
        {"description without its end",
         [](bool damaged) {
             Builder b;
             const uint32_t at = b.AddDescription("DD");
             return damaged ? b.Finish().substr(0, at + 2) : b.Finish();
         }},
    };
    for (const Malformed& c : cases) {
        EXPECT_EQ(Fresh(c.image(false)), 0) << c.what;
        EXPECT_EQ(Fresh(c.image(true)), CDeco::kErrRead) << c.what;
    }
}

TEST_F(Deco706Robust, DuplicateNameLeavesTheFirstVariable)
{
    Builder b;
    b.AddVar({"SAME", 4, 0, 33, 0, 1, ByteBuilder().U16(0, 1).Str()});
    b.AddVar({"SAME", 4, 0, 33, 0, 2, ByteBuilder().U16(0, 1).Str()});
    EXPECT_EQ(Fresh(b.Finish()), CDeco::kErrRead);
    ASSERT_NE(Var("SAME"), nullptr);
    EXPECT_EQ(Var("SAME")->GetAdr(), 1);
    EXPECT_EQ(workspace.MemInfo().counts.vars, 1);
}

TEST_F(Deco706Robust, SmallImageDecompiles)
{
    const std::string image = SmallImage();
    ASSERT_GT(image.size(), 900u);
    ASSERT_EQ(Fresh(image), 0);
    EXPECT_EQ(prj.GetCycleTime(), 20);
    EXPECT_EQ(workspace.MemInfo().counts.vars, 5);
    EXPECT_EQ(workspace.MemInfo().counts.menuNodes, 2);
    EXPECT_EQ(workspace.MemInfo().counts.timeValues, 1);
    EXPECT_EQ(prj.GetDescr(), "D");
}

} // namespace

std::unique_ptr<DecoSweepRig> orv::MakeDeco706SweepRig() { return std::make_unique<Deco706Rig>(); }
