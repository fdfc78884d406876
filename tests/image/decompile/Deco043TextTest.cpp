#include "Deco043Kit.h"

#include "image/decompile/Deco.h"
#include "model/core/Catalogues.h"
#include "model/project/CharDef.h"
#include "model/project/Mnu.h"
#include "model/project/MsgTxt.h"
#include "model/project/OpTxt.h"
#include "model/project/PrjVarList.h"
#include "model/project/SkAct.h"
#include "model/project/SkTxt.h"
#include "model/project/TxtRow.h"

#include <gtest/gtest.h>

using namespace orv;

using namespace deco_kit;

namespace {

class Deco043Text : public ::testing::Test, public Deco043Fixture {
protected:
    const CPrjTxtRow* OpRow(int n, int row) const
    {
        const CPrjNumEntry* text = prj.GetOpTxtList()->FindByNum(n);
        return text ? text->GetRow(row) : nullptr;
    }
};

struct RowCase {
    const char* what;
    uint16_t devType;
    uint16_t variant;
    std::string row;
    std::string text;
    uint16_t error;
};

TEST_F(Deco043Text, RowsTable)
{
    const RowCase cases[] = {
        {"blank run", 43, 0, "A\x85" "B", "A      B", 0},
        {"variant count", 47, 1, "A\x05" "B", "A     B", 0},
        {"long row", 43, 0, std::string(45, 'X'), std::string(40, 'X'), 0},
        {"run past column 40", 43, 0, "X\xFF" "Y", "X" + std::string(39, ' '), 0},
        {"empty", 43, 0, "", "", 0},
        {"single blank", 43, 0, " ", "", 0},
        {"unknown reference", 43, 0, Image043Builder::Field(0x0777), "", 41},
        {"cut reference", 43, 0, std::string("A\0\x04", 3), "", 41},
    };
    for (const RowCase& c : cases) {
        Deco043Fixture f(c.devType);
        f.prj.SetVariant(c.variant);
        Image043Builder b;
        b.AddOpText(3, {c.row});
        ASSERT_EQ(f.Decompile(b), c.error) << c.what;
        if (c.error != 0) {
            EXPECT_TRUE(f.Logged("Error decompileBedientexte ();")) << c.what;
            continue;
        }
        const CPrjTxtRow* row = f.prj.GetOpTxtList()->FindByNum(3)->GetRow(1);
        ASSERT_NE(row, nullptr) << c.what;
        EXPECT_EQ(row->GetText(), c.text) << c.what;
    }
}

TEST_F(Deco043Text, FieldsAreDrawnWithFrameCharacters)
{
    Image043Builder b;
    const uint16_t wide = b.AddVar({4, 0, 1, std::string(8, '\0'), 0, std::nullopt});
    b.AddName(wide, "W");
    const uint16_t narrow = b.AddVar({1, 0, 2, std::string(8, '\0'), 0, std::nullopt});
    b.AddName(narrow, "N");
    b.AddOpText(0, {"T" + Image043Builder::Field(wide) + "Z" + Image043Builder::Field(narrow)});
    ASSERT_EQ(Decompile(b), 0);
    const CPrjVar* w = prj.GetVarList()->FindByName(std::string_view("W"));
    const CPrjVar* n = prj.GetVarList()->FindByName(std::string_view("N"));
    ASSERT_GE(w->GetWidth(), 2);
    std::string frame(1, static_cast<char>(charSet.GetFrameChar(2)));
    frame.append(static_cast<size_t>(w->GetWidth() - 2), static_cast<char>(charSet.GetFrameChar(3)));
    frame += static_cast<char>(charSet.GetFrameChar(4));
    std::string narrowFrame(1, static_cast<char>(charSet.GetFrameChar(n->GetWidth() == 1 ? 1 : 2)));
    if (n->GetWidth() > 1) {
        narrowFrame.append(static_cast<size_t>(n->GetWidth() - 2), static_cast<char>(charSet.GetFrameChar(3)));
        narrowFrame += static_cast<char>(charSet.GetFrameChar(4));
    }
    const CPrjTxtRow* row = OpRow(0, 1);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->GetText(), "T" + frame + "Z" + narrowFrame);
    EXPECT_EQ(row->GetVarSlot(0).var, w);
    EXPECT_EQ(row->GetVarSlot(0).col, 1);
    EXPECT_EQ(row->GetVarSlot(1).var, n);
    EXPECT_EQ(row->GetVarSlot(1).col, 2 + w->GetWidth());
}

TEST_F(Deco043Text, ZeroWidthVariableInARowFails)
{
    Image043Builder b;
    const uint16_t v = b.AddVar({0, 34, 1, "", 0, std::nullopt});
    b.AddName(v, "A0");
    b.AddOpText(0, {Image043Builder::Field(v)});
    EXPECT_EQ(Decompile(b), CDeco::kErrRead);
}

TEST_F(Deco043Text, OperatorRowsAreReadBelowTheTextEndOnly)
{
    Image043Builder b;
    const uint16_t at = b.AddOpText(0, {"R1", "R2", "R3"});
    b.U16(111, static_cast<uint16_t>(at + 7));
    ASSERT_EQ(Decompile(b), 0);
    const CPrjNumEntry* text = prj.GetOpTxtList()->FindByNum(0);
    ASSERT_EQ(text->GetRowCount(), 3);
    EXPECT_EQ(text->GetRow(2)->GetText(), "R2");
    EXPECT_EQ(text->GetRow(3), nullptr);
    EXPECT_EQ(workspace.MemInfo().counts.opTexts, 1);
    EXPECT_EQ(workspace.MemInfo().counts.opRows, 2);
}

TEST_F(Deco043Text, OneByteRowAtTheEndOfTheDataSetIsRead)
{
    Image043Builder b;
    b.AddHelpText(0, {"LONG", "X"});
    ASSERT_EQ(Decompile(b), 0);
    const CPrjNumEntry* text = prj.GetHlpTxtList(0)->GetTemplate();
    ASSERT_NE(text->GetRow(2), nullptr);
    EXPECT_EQ(text->GetRow(2)->GetText(), "X");
}

TEST_F(Deco043Text, MessageKindBytes)
{
    const std::pair<uint8_t, std::pair<int, int>> cases[] = {
        {0x00, {2, 1}}, {0x02, {3, 1}}, {0x04, {4, 1}}, {0x01, {0, 1}}, {0x06, {0, 1}},
        {0x20, {2, 2}}, {0x44, {4, 3}}, {0x82, {3, 4}}, {0x60, {2, 0}}, {0xE0, {2, 0}},
    };
    Image043Builder b;
    int n = 0;
    for (const auto& c : cases)
        b.AddMsgText(n++, c.first, {"M"});
    ASSERT_EQ(Decompile(b), 0);
    n = 0;
    for (const auto& c : cases) {
        const auto* msg = static_cast<const CMsgTxt*>(prj.GetMsgTxtList()->FindByNum(n++));
        ASSERT_NE(msg, nullptr);
        EXPECT_EQ(msg->GetPrio(), c.second.first) << int{c.first};
        EXPECT_EQ(msg->GetDelMode(), c.second.second) << int{c.first};
        EXPECT_EQ(msg->GetRow(1)->GetText(), "M");
    }
    EXPECT_EQ(workspace.MemInfo().counts.msgTexts, n);
}

TEST_F(Deco043Text, HelpKindsBecomeRangeEntries)
{
    Image043Builder b;
    for (int kind = 0; kind < 5; ++kind)
        b.AddHelpText(kind, {"H" + std::to_string(kind), "X"});
    ASSERT_EQ(Decompile(b), 0);
    for (int kind = 0; kind < 5; ++kind) {
        const auto* range = dynamic_cast<const CKindTxtRange*>(prj.GetHlpTxtList(kind)->GetTemplate());
        ASSERT_NE(range, nullptr) << kind;
        EXPECT_EQ(range->GetLowest(), 0);
        EXPECT_EQ(range->GetHighest(), 0xFFFF);
        EXPECT_EQ(range->GetRow(1)->GetText(), "H" + std::to_string(kind));
    }
    EXPECT_EQ(workspace.MemInfo().counts.hlpTexts, 5);
    EXPECT_EQ(workspace.MemInfo().counts.hlpRows, 10);
}

TEST_F(Deco043Text, SoftkeyActionsAndTexts)
{
    prj.InsSkAct(new CPrjSkAct(2, "OLD"));
    Image043Builder b;
    b.AddSkActs({{2, {{5, 2, 1, 7}, {6, 4, 2, 8}, {7, 8, 3, 9}, {8, 0x10, 1, 1}}, std::string("START")},
                 {3, {}, std::string(45, 'N')},
                 {4, {{9, 2, 1, 1}}, std::nullopt}});
    b.AddSkTexts({{1, {{1, 2, 3}, {8, 4, 0}}}, {5, {}}}, 8, std::make_pair(uint16_t{1}, uint16_t{10}));
    ASSERT_EQ(Decompile(b), 0);
    const CPrjSkAct* a2 = prj.GetSkActList()->FindByNum(2);
    ASSERT_NE(a2, nullptr);
    EXPECT_STREQ(a2->GetName(), "START");
    const std::array<uint16_t, 4> ops{a2->GetOp(0), a2->GetOp(1), a2->GetOp(2), a2->GetOp(3)};
    EXPECT_EQ(ops, (std::array<uint16_t, 4>{1, 2, 3, 0}));
    EXPECT_EQ(a2->GetAdr(1), 6);
    EXPECT_EQ(a2->GetValue(2), 9);
    EXPECT_EQ(a2->GetFormat(1), 2);
    EXPECT_EQ(std::string(prj.GetSkActList()->FindByNum(3)->GetName()), std::string(40, 'N'));
    EXPECT_EQ(prj.GetSkActList()->FindByNum(4)->GetName(), nullptr);

    const auto* range = dynamic_cast<const CPrjSkTxtRange*>(prj.GetSkTxtList()->GetTemplate());
    ASSERT_NE(range, nullptr);
    EXPECT_EQ(range->GetLo(), 1);
    EXPECT_EQ(range->GetHi(), 10);
    const auto* t1 = prj.GetSkTxtList()->SkTxtAt(prj.GetSkTxtList()->IndexOf(prj.GetSkTxtList()->FindByNum(1)));
    ASSERT_NE(t1, nullptr);
    EXPECT_EQ(t1->GetPressAct(1), a2);
    EXPECT_EQ(t1->GetReleaseAct(1)->GetNum(), 3);
    EXPECT_EQ(t1->GetPressAct(8)->GetNum(), 4);
    EXPECT_EQ(t1->GetReleaseAct(8), nullptr);
    EXPECT_NE(prj.GetSkTxtList()->FindByNum(5), nullptr);
    EXPECT_EQ(workspace.MemInfo().counts.skActions, 3);
    EXPECT_EQ(workspace.MemInfo().counts.skTexts, 3);
}

TEST_F(Deco043Text, Menus)
{
    struct Case {
        const char* what;
        std::string version;
        bool names;
    } cases[] = {{"new format with names", "Q32r11000", true}, {"old format without names", "ORVPRO1.3", false}};
    for (const Case& c : cases) {
        Deco043Fixture f;
        Image043Builder b;
        b.Version(c.version);
        b.AddOpText(1, {"M"});
        b.AddMenu(1, 0x1234, {{1, 0, 2, 0, 0, 1}, {2, 1, 0, 0, 0, 1}});
        b.AddMenu(3, 0x0F0F, {{5, 0, 0, 0, 0, 1}});
        if (c.names)
            b.AddMenuNames({"HAUPT", "NEBEN"});
        ASSERT_EQ(f.Decompile(b), 0) << c.what;
        const CPrjMnu* m1 = f.prj.GetMnuList()->FindByNum(1);
        const CPrjMnu* m3 = f.prj.GetMnuList()->FindByNum(3);
        ASSERT_TRUE(m1 && m3) << c.what;
        EXPECT_EQ(m1->GetName(), c.names ? "HAUPT" : std::string(ResourceTXT(527)) + "_1") << c.what;
        EXPECT_EQ(m3->GetName(), c.names ? "NEBEN" : std::string(ResourceTXT(527)) + "_3") << c.what;
        EXPECT_EQ(m1->GetMnuOpt(), c.names ? 0x1234 : f.prj.GetMnuOptMask()) << c.what;
        ASSERT_EQ(m1->GetSubList()->GetCount(), 2);
        EXPECT_TRUE(m1->GetSubList()->FindByNum(1)->IsStart());
        EXPECT_FALSE(m1->GetSubList()->FindByNum(2)->IsStart());
        EXPECT_EQ(m1->GetSubList()->FindByNum(1)->GetRight(), 2);
        EXPECT_EQ(m1->GetSubList()->FindByNum(2)->GetOpTxt(), f.prj.GetOpTxtList()->FindByNum(1));
        EXPECT_EQ(f.workspace.MemInfo().counts.menus, 2);
        EXPECT_EQ(f.workspace.MemInfo().counts.menuNodes, 3);
    }
}

TEST_F(Deco043Text, MenuNodeWithoutItsOperatorTextFails)
{
    Image043Builder b;
    b.AddMenu(1, 0, {{1, 0, 0, 0, 0, 9}});
    EXPECT_EQ(Decompile(b), CDeco::kErrRead);
    EXPECT_TRUE(Logged("Error decompileMenues ();"));
}

TEST_F(Deco043Text, CharactersCycleTimeAndDescription)
{
    Image043Builder b;
    b.UserChar(2, {1, 2, 3, 4, 5, 6, 7, 8});
    b.UserChar(5, {});
    b.UserChar(7, {0, 0, 0, 0, 0, 0, 0, 0x10});
    b.CycleTime(25);
    b.AddDescription("Anlage 7");
    ASSERT_EQ(Decompile(b), 0);
    const CCharDefColl& chars = *prj.GetCharDefColl();
    ASSERT_EQ(chars.GetCount(), 2);
    EXPECT_EQ(chars.FindByCode(2)->GetRows(), (CCharDef::Rows{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(chars.FindByCode(5), nullptr);
    EXPECT_NE(chars.FindByCode(7), nullptr);
    EXPECT_EQ(prj.GetCycleTime(), 25);
    EXPECT_EQ(prj.GetDescr(), "Anlage 7");
}

TEST_F(Deco043Text, PrinterBlockOnlyOn47)
{
    for (uint16_t dev : {47, 43}) {
        for (uint8_t count : {2, 10}) {
            Deco043Fixture f(dev);
            const std::string initBefore = f.prj.GetPrnInit();
            Image043Builder b;
            Image043Builder::Printer p;
            p.words = {30, 1, 2, 1, 4, 1, 0, 2};
            p.initCount = count;
            p.init = {0x1B, 0x40, 0, 0, 0, 0, 0, 0xAB};
            for (int i = 0; i < 8; ++i)
                p.table[8 + static_cast<size_t>(i)] = static_cast<uint8_t>('a' + i);
            b.AddPrinter(p);
            ASSERT_EQ(f.Decompile(b), 0);
            if (dev != 47) {
                EXPECT_EQ(f.prj.GetPrnInit(), initBefore);
                continue;
            }
            EXPECT_EQ(f.prj.GetPrnTimeout(), 30);
            EXPECT_EQ(f.prj.GetPrnBaud(), 4);
            EXPECT_EQ(f.prj.GetPrnParity(), 2);
            EXPECT_EQ(f.prj.GetPrnInit(), count == 2 ? "1B40" : "1B400000000000AB");
            EXPECT_EQ(f.prj.GetPrnSubst(0), 'a');
            EXPECT_EQ(f.prj.GetPrnSubst(7), 'h');
        }
    }
}

} // namespace
