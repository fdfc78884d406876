#include "model/project/PrjData.h"
#include "model/project/PrjIntVar.h"
#include "model/project/PrjVarList.h"
#include "support/FakeFwVarSource.h"
#include "support/FrameFixture.h"
#include "support/PrjBuilder.h"

#include <gtest/gtest.h>

#include <memory>

using namespace orv;

namespace {

constexpr uint32_t kIntFlags = 0x33FB;

std::unique_ptr<CPrjVar> CycleVar()
{
    return std::make_unique<CPrjIntVarNum>("[Z005]", kIntFlags, 2, 134, 0x40100, 0, 2, 0, 1, 60);
}

class BuiltinVarsHook : public testing::TestWithParam<uint16_t> {};

TEST_P(BuiltinVarsHook, ClearOfThe118And706FamiliesReadsTheFirmwareOnce)
{
    ProjectWorld fx(LoadedWorld(GetParam()));
    FakeFwVarSource source;
    fx.prj->SetFwVarSource(&source);
    PrjBuilder(*fx.prj).Fill();
    ASSERT_GT(fx.prj->GetFwVarList()->GetCount(), 0);
    source.Give(CycleVar());

    fx.prj->Clear();

    // The 118 family makes its softkey rows before it reads the firmware.
    const uint16_t type = GetParam();
    const int rows = type == 118 || type == 167 ? 2 : (type == 163 ? 1 : 0);
    ASSERT_EQ(source.Calls().size(), 1u);
    EXPECT_EQ(source.Calls()[0].prj, fx.prj.get());
    EXPECT_EQ(source.Calls()[0].varCount, rows);
    EXPECT_EQ(source.Calls()[0].fwVarCount, 0);
    const CPrjVar* cycle = fx.prj->GetVarList()->FindByName("[Z005]");
    ASSERT_NE(cycle, nullptr);
    // The settings are restored after the firmware's variables came in.
    EXPECT_EQ(cycle->GetExtWord1(), 10);
    EXPECT_EQ(fx.prj->GetVarList()->GetCount(), rows + 1);
}

INSTANTIATE_TEST_SUITE_P(Panels, BuiltinVarsHook, testing::Values(118, 163, 167, 473, 477, 706));

TEST(BuiltinVarsHook043, NeverAsked)
{
    for (uint16_t type : {14, 36, 43, 47, 755}) {
        ProjectWorld fx(LoadedWorld(type));
        FakeFwVarSource source;
        fx.prj->SetFwVarSource(&source);
        fx.prj->Clear();
        EXPECT_TRUE(source.Calls().empty()) << type;
    }
}

TEST(BuiltinVarsHookResults, VariablesBeforeAFailureStay)
{
    ProjectWorld fx(LoadedWorld(706));
    FakeFwVarSource source;
    source.Give(CycleVar());
    source.SetResult(false);
    fx.prj->SetFwVarSource(&source);
    fx.prj->Clear();
    EXPECT_NE(fx.prj->GetVarList()->FindByName("[Z005]"), nullptr);
}

TEST(BuiltinVarsHookResults, FirstValueKeepsThirtyTwoBits)
{
    ProjectWorld fx(LoadedWorld(473));
    FakeFwVarSource source;
    source.Give(std::make_unique<CPrjIntVarW17>("[Z012]", kIntFlags, 1, 252, 0x4ABCD, 0));
    fx.prj->SetFwVarSource(&source);
    fx.prj->Clear();
    const CPrjVar* var = fx.prj->GetVarList()->FindByName("[Z012]");
    ASSERT_NE(var, nullptr);
    EXPECT_EQ(var->GetExtWord0(), 0x4ABCD);
}

TEST(BuiltinVarsHookResults, WithoutSourceNothingIsAddedOrShown)
{
    FrameFixture frame;
    // Only the softkey rows of 118, which need no firmware.
    for (uint16_t type : {118, 706}) {
        ProjectWorld fx(LoadedWorld(type));
        PrjBuilder(*fx.prj).Fill();
        fx.prj->Clear();
        EXPECT_EQ(fx.prj->GetVarList()->GetCount(), type == 118 ? 2 : 0) << type;
        EXPECT_EQ(fx.prj->GetFwVarList()->GetCount(), 0) << type;
    }
    EXPECT_TRUE(frame.ui.Calls().empty());
}

} // namespace
