#include "workspace/forms/SkActionForm.h"

#include "model/project/PrjData.h"
#include "model/project/SkAct.h"
#include "support/FrameFixture.h"
#include "support/ProjectWorld.h"

#include <gtest/gtest.h>

#include <string>

namespace orv {

namespace {

// A project with one action: row 0 writes 0x00FF to word 30 in HEX, row 1
// ORs 5 into word 31 with no format set, the others are unused.
class workspace_sk_action_form : public ::testing::Test {
protected:
    workspace_sk_action_form()
    {
        act->SetOperation(0, CPrjSkAct::kOpWrite, 30, 0x00FF, CPrjSkAct::kFmtHex);
        act->SetOperation(1, CPrjSkAct::kOpOr, 31, 5, CPrjSkAct::kFmtNone);
        world.prj->InsSkAct(act);
        world.prj->SetModified(false);
    }

    int ValueCtl(int row) const
    {
        return CDlgSkActionForm::kIdRowBase + CDlgSkActionForm::kRowStep * row + CDlgSkActionForm::kCtlValue;
    }

    FrameFixture frame;
    ProjectWorld world{World(118), frame.bundle};
    CPrjSkAct* act = new CPrjSkAct(1, "Start");
};

TEST_F(workspace_sk_action_form, ShowsEachFormatAndSavesUnsetFormatAsBinary)
{
    CDlgSkActionForm form(*act, world.prj.get());
    EXPECT_EQ(form.Comment(), "Start");
    EXPECT_EQ(form.GetRow(0).fmt, 1);
    EXPECT_EQ(form.GetRow(0).value, "00FF");
    EXPECT_EQ(form.GetRow(0).adr, "30");
    EXPECT_EQ(form.GetRow(1).fmt, 2);
    EXPECT_EQ(form.GetRow(1).value, "00000000 00000101");

    ASSERT_EQ(form.Ok(), 0);
    EXPECT_EQ(act->GetFormat(1), CPrjSkAct::kFmtBin);
    EXPECT_EQ(act->GetValue(1), 5);
    EXPECT_EQ(act->GetValue(0), 0x00FF);
}

TEST_F(workspace_sk_action_form, FormatAboveBinaryShowsAndSavesDecimal)
{
    act->SetFormat(0, 5);
    CDlgSkActionForm form(*act, world.prj.get());
    EXPECT_EQ(form.GetRow(0).fmt, 0);
    EXPECT_EQ(form.GetRow(0).value, "255");
    ASSERT_EQ(form.Ok(), 0);
    EXPECT_EQ(act->GetFormat(0), CPrjSkAct::kFmtDec);
    EXPECT_EQ(act->GetValue(0), 255);
}

TEST_F(workspace_sk_action_form, SwitchingFormatsKeepsTheValue)
{
    CDlgSkActionForm form(*act, world.prj.get());
    form.SetFormat(0, 0);
    EXPECT_EQ(form.GetRow(0).value, "255");
    form.SetFormat(0, 2);
    EXPECT_EQ(form.GetRow(0).value, "00000000 11111111");
}

TEST_F(workspace_sk_action_form, RowChecksRefuseWithTheirMessages)
{
    struct Case {
        const char* name;
        int cmd;
        const char* adr;
        int fmt;
        const char* value;
        const char* message; // "" for the range box 15031
        int focus;           // control offset in the row; -1: accepted
    };
    const Case cases[] = {
        {"address 3 with WRITE", 1, "3", 0, "1", "Adr muss >= 4 sein", CDlgSkActionForm::kCtlAdr},
        {"address 256", 2, "256", 0, "1", "Adr muss <= 255 sein", CDlgSkActionForm::kCtlAdr},
        {"address not a number", 1, "x", 0, "1", "Adr muss >= 4 sein", CDlgSkActionForm::kCtlAdr},
        {"negative value", 1, "30", 0, "-1", "Wert muss >= 0 sein", CDlgSkActionForm::kCtlValue},
        {"value 65536", 1, "30", 0, "65536", "Wert muss <= 65535 sein", CDlgSkActionForm::kCtlValue},
        {"12x in DEC", 1, "30", 0, "12x", "", CDlgSkActionForm::kCtlValue},
        {"malformed bit string", 1, "30", 2, "0000000011111111", "", CDlgSkActionForm::kCtlValue},
        {"ffff in HEX", 1, "30", 1, "ffff", nullptr, -1},
        {"address 3 with kein", 0, "3", 0, "0", nullptr, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        frame.ui.ClearCalls();
        CDlgSkActionForm form(*act, world.prj.get());
        form.SetCmd(4, c.cmd);
        form.SetAdr(4, c.adr);
        form.SetFormat(4, c.fmt);
        form.SetValue(4, c.value);
        const int focus = form.Ok();
        const auto boxes = frame.ui.CallsOf(UiCall::Kind::Box);
        if (c.focus < 0) {
            EXPECT_EQ(focus, 0);
            EXPECT_TRUE(boxes.empty());
            continue;
        }
        EXPECT_EQ(focus, CDlgSkActionForm::kIdRowBase + 4 * CDlgSkActionForm::kRowStep + c.focus);
        ASSERT_EQ(boxes.size(), 1u);
        if (*c.message != 0) {
            EXPECT_EQ(boxes[0].text, c.message);
        } else {
            EXPECT_EQ(boxes[0].id, 15031);
            EXPECT_EQ(boxes[0].text, "Eingabewert mu\xDF zwischen 0 und 65535 liegen !");
        }
    }
    EXPECT_EQ(act->GetValue(4), 0);
    EXPECT_EQ(act->GetAdr(4), CPrjSkAct::kUnusedAdr);
}

TEST_F(workspace_sk_action_form, HexInEitherCaseAndKeinStoresAddressZero)
{
    CDlgSkActionForm form(*act, world.prj.get());
    form.SetValue(0, "ffff");
    form.SetCmd(5, CPrjSkAct::kOpWrite);
    form.SetAdr(5, "40");
    form.SetFormat(5, 0);
    form.SetValue(5, "7");
    ASSERT_EQ(form.Ok(), 0);
    EXPECT_EQ(act->GetValue(0), 65535);
    EXPECT_EQ(act->GetOp(5), CPrjSkAct::kOpWrite);
    EXPECT_EQ(act->GetAdr(5), 40);

    CDlgSkActionForm again(*act, world.prj.get());
    again.SetCmd(5, CPrjSkAct::kOpNone);
    again.SetAdr(5, "3");
    ASSERT_EQ(again.Ok(), 0);
    EXPECT_EQ(act->IsOpUsed(5), 0);
    EXPECT_EQ(act->GetValue(5), 0);
}

TEST_F(workspace_sk_action_form, CommentIsCutToFortyWithoutPadding)
{
    const std::string fifty(50, 'k');
    CDlgSkActionForm form(*act, world.prj.get());
    form.SetComment(fifty);
    ASSERT_EQ(form.Ok(), 0);
    EXPECT_EQ(std::string(act->GetName()), fifty.substr(0, 40));

    CDlgSkActionForm shorter(*act, world.prj.get());
    shorter.SetComment("zehn Zeich");
    ASSERT_EQ(shorter.Ok(), 0);
    EXPECT_EQ(std::string(act->GetName()), "zehn Zeich");
}

TEST_F(workspace_sk_action_form, FailingRowLeavesTheActionExactlyAsBefore)
{
    CDlgSkActionForm form(*act, world.prj.get());
    form.SetComment("anders");
    form.SetCmd(0, CPrjSkAct::kOpAnd);
    form.SetAdr(0, "99");
    form.SetValue(0, "0001");
    form.SetCmd(5, CPrjSkAct::kOpWrite);
    form.SetAdr(5, "50");
    form.SetValue(5, "12x");
    EXPECT_NE(form.Ok(), 0);

    EXPECT_STREQ(act->GetName(), "Start");
    EXPECT_EQ(act->GetOp(0), CPrjSkAct::kOpWrite);
    EXPECT_EQ(act->GetAdr(0), 30);
    EXPECT_EQ(act->GetValue(0), 0x00FF);
    EXPECT_EQ(act->IsOpUsed(5), 0);
    EXPECT_EQ(world.prj->GetModCount(), 0);
}

TEST_F(workspace_sk_action_form, ChangeCounterMovesOnlyForARealChange)
{
    // Row 1 has no format, which OK saves as BIN: a change of its own.
    CDlgSkActionForm settlesFormat(*act, world.prj.get());
    ASSERT_EQ(settlesFormat.Ok(), 0);
    EXPECT_EQ(world.prj->GetModCount(), 1);
    world.prj->SetModified(false);

    CDlgSkActionForm same(*act, world.prj.get());
    ASSERT_EQ(same.Ok(), 0);
    EXPECT_EQ(world.prj->GetModCount(), 0);

    // An unused row's fields do not count.
    CDlgSkActionForm unusedRow(*act, world.prj.get());
    unusedRow.SetFormat(6, 0);
    ASSERT_EQ(unusedRow.Ok(), 0);
    EXPECT_EQ(world.prj->GetModCount(), 0);

    CDlgSkActionForm oneRow(*act, world.prj.get());
    oneRow.SetValue(0, "0100");
    ASSERT_EQ(oneRow.Ok(), 0);
    EXPECT_EQ(world.prj->GetModCount(), 1);
}

} // namespace

} // namespace orv
