#include "workspace/forms/DlgSpsDefForm.h"

#include "support/PlcFormWorld.h"

#include "model/project/DrvTab.h"
#include "model/project/SpsDef.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orv {

namespace {

using SpsForm = CDlgSpsDefForm;

// Three PLCs on a multi-access bus, none of them used by an entry yet.
DrvXrefSetup ThreePlcs()
{
    return PlcDrv({{1, 10, 1, 2}, {2, 20, 3, 4}, {3, 30, 5, 6}});
}

class workspace_sps_def_form : public ::testing::Test {
protected:
    explicit workspace_sps_def_form(const DrvXrefSetup& setup = ThreePlcs()) : w(setup) {}

    void OpenOn(uint8_t plc)
    {
        CDrvTabEntry5 entry(plc, 0, 0, 0, 0);
        form.SetCurEntry(&entry);
        form.Open(&w.Drv());
    }
    void Type(const std::string& adr, const std::string& slot, const std::string& rack)
    {
        form.SetEditText(SpsForm::kAdr, adr);
        form.SetEditText(SpsForm::kSlot, slot);
        form.SetEditText(SpsForm::kRack, rack);
    }
    const CSpsDef& Def(int num) const { return *w.Drv().GetParItems3()->FindByNum(num); }
    std::string LastBoxText() const { return w.Ui().CallsOf(UiCall::Kind::Box).back().text; }

    PlcFormWorld w;
    SpsForm form;
};

TEST_F(workspace_sps_def_form, OpensOnTheHandedPlcAndListsEveryDefinitionByItsOwnNumber)
{
    OpenOn(2);
    EXPECT_EQ(form.EditText(SpsForm::kAdr), "20");
    EXPECT_EQ(form.EditText(SpsForm::kSlot), "3");
    EXPECT_EQ(form.EditText(SpsForm::kRack), "4");
    EXPECT_EQ(form.Focus(), SpsForm::kAdr);
    EXPECT_EQ(form.Lines(), (std::vector<std::string>{"SPS1 10 1 2", "SPS2 20 3 4", "SPS3 30 5 6"}));
    EXPECT_EQ(form.Selected(), 0);

    form.OnSelect(2);
    EXPECT_EQ(form.EditText(SpsForm::kAdr), "30");
    // A line is the definition's, not its position's: PLC 3 stays "SPS3"
    // once PLC 2 is gone.
    form.OnSelect(1);
    form.OnDelete();
    EXPECT_EQ(form.Lines(), (std::vector<std::string>{"SPS1 10 1 2", "SPS3 30 5 6"}));
}

TEST_F(workspace_sps_def_form, TakeOverChecksEveryFieldBeforeItChangesTheDefinition)
{
    struct Case {
        const char* name;
        std::string adr, slot, rack;
        int box;            // 0: none
        const char* range;  // the range the box names
        int focus;
        std::vector<int> plc2;  // address, slot, rack afterwards
        int modAdded;
    };
    const Case cases[] = {
        {"address 256", "256", "3", "4", 15031, " 0 und 255 ", SpsForm::kAdr, {20, 3, 4}, 0},
        {"address no number", "2x", "3", "4", 15031, " 0 und 255 ", SpsForm::kAdr, {20, 3, 4}, 0},
        {"slot 19", "20", "19", "4", 15031, " 0 und 18 ", SpsForm::kSlot, {20, 3, 4}, 0},
        {"rack 19", "20", "3", "19", 15031, " 0 und 18 ", SpsForm::kRack, {20, 3, 4}, 0},
        {"equal values", "20", "3", "4", 0, "", 0, {20, 3, 4}, 0},
        {"only a new slot", "20", "7", "4", 0, "", 0, {20, 7, 4}, 1},
        {"PLC 1's address", "10", "3", "4", 16408, "SPS1:", SpsForm::kAdr, {20, 3, 4}, 0},
        {"a real change", "40", "0", "18", 0, "", 0, {40, 0, 18}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PlcFormWorld fresh(ThreePlcs());
        SpsForm f;
        CDrvTabEntry5 entry(2, 0, 0, 0, 0);
        f.SetCurEntry(&entry);
        f.Open(&fresh.Drv());
        f.OnSelect(1);
        f.SetEditText(SpsForm::kAdr, c.adr);
        f.SetEditText(SpsForm::kSlot, c.slot);
        f.SetEditText(SpsForm::kRack, c.rack);
        f.OnTake();
        const auto boxes = fresh.Ui().CallsOf(UiCall::Kind::Box);
        if (c.box == 0) {
            EXPECT_TRUE(boxes.empty());
        } else {
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_EQ(boxes[0].id, c.box);
            EXPECT_NE(boxes[0].text.find(c.range), std::string::npos) << boxes[0].text;
        }
        EXPECT_EQ(f.Focus(), c.focus);
        const CSpsDef& plc2 = *fresh.Drv().GetParItems3()->FindByNum(2);
        EXPECT_EQ((std::vector<int>{plc2.GetAdr(), plc2.GetSlot(), plc2.GetRack()}), c.plc2);
        EXPECT_STREQ(plc2.GetName(), "SPS2");
        EXPECT_EQ(fresh.Drv().GetModCount(), c.modAdded);
        EXPECT_EQ(f.Lines()[1], SpsForm::LineOf(plc2));
        EXPECT_EQ(f.Selected(), 1);
    }
}

TEST_F(workspace_sps_def_form, NewTakesTheLowestFreeNumberWithItsOwnValues)
{
    OpenOn(2);
    form.OnNew();
    ASSERT_EQ(w.Drv().GetParItems3()->GetCount(), 4);
    EXPECT_EQ(form.Lines().back(), "SPS4 0 0 0");
    EXPECT_STREQ(Def(4).GetName(), "SPS4 0 0 0");
    EXPECT_EQ(form.Selected(), 3);
    EXPECT_EQ(form.Focus(), SpsForm::kAdr);
    EXPECT_EQ(w.Drv().GetModCount(), 1);
    EXPECT_TRUE(form.NewShown());

    // While PLC 4 sits on address 0 another new one is refused.
    form.OnSelect(0);
    form.OnNew();
    EXPECT_EQ(w.Ui().BoxIds(), (std::vector<int>{16404}));
    EXPECT_EQ(form.Selected(), 3);
    EXPECT_EQ(w.Drv().GetParItems3()->GetCount(), 4);
    EXPECT_EQ(w.Drv().GetModCount(), 1);
}

TEST_F(workspace_sps_def_form, NewIsHiddenWithFiveDefinitionsUntilOneIsDeleted)
{
    OpenOn(1);
    form.OnSelect(0);
    for (int n = 4; n <= 5; ++n) {
        form.OnNew();
        Type(std::to_string(n * 10), "0", "0");
        form.OnTake();
    }
    EXPECT_EQ(w.Drv().GetParItems3()->GetCount(), 5);
    EXPECT_FALSE(form.NewShown());
    EXPECT_TRUE(form.DeleteShown());
    form.OnSelect(4);
    form.OnDelete();
    EXPECT_TRUE(form.NewShown());
    EXPECT_EQ(w.Drv().GetParItems3()->GetCount(), 4);
    EXPECT_TRUE(w.Ui().BoxIds().empty());
}

TEST_F(workspace_sps_def_form, DeleteRefusesAPlcInUseAndTheLastOne)
{
    // PLC 3 holds entry 7.
    w.Drv().GetParItems()->ItemAt(7)->SetByte(3);
    OpenOn(1);
    form.OnSelect(2);
    form.OnDelete();
    EXPECT_EQ(w.Ui().BoxIds(), (std::vector<int>{16405}));
    EXPECT_EQ(w.Drv().GetParItems3()->GetCount(), 3);
    EXPECT_EQ(w.Drv().GetModCount(), 0);

    form.OnSelect(1);
    form.OnDelete();
    EXPECT_EQ(w.Drv().GetParItems3()->FindByNum(2), nullptr);
    EXPECT_EQ(w.Drv().GetModCount(), 1);
    EXPECT_EQ(form.Selected(), 0);
    EXPECT_TRUE(form.DeleteShown());

    w.Drv().GetParItems()->ItemAt(7)->SetByte(0);
    form.OnDelete();
    EXPECT_EQ(w.Drv().GetParItems3()->GetCount(), 1);
    EXPECT_FALSE(form.DeleteShown());
    form.OnDelete();
    EXPECT_EQ(w.Ui().BoxIds(), (std::vector<int>{16405, 16406}));
    EXPECT_EQ(form.Lines(), (std::vector<std::string>{"SPS3 30 5 6"}));
    EXPECT_EQ(w.Drv().GetModCount(), 2);
}

TEST_F(workspace_sps_def_form, WithoutAConfigurationNothingHappens)
{
    form.Open(nullptr);
    form.OnTake();
    form.OnNew();
    form.OnDelete();
    EXPECT_TRUE(form.Lines().empty());
    EXPECT_EQ(form.Selected(), -1);
}

} // namespace

} // namespace orv
