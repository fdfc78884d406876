#include "workspace/forms/ProjectSettingsForms.h"
#include "workspace/forms/SmallProjectForms.h"

#include "model/core/CatalogueIds.h"
#include "model/core/Catalogues.h"
#include "model/project/Mnu.h"
#include "model/project/OpTxt.h"
#include "model/project/PrjIntVar.h"
#include "model/project/PrjVarList.h"
#include "support/PrjBuilder.h"
#include "support/SourceRoundTrip.h"

#include <gtest/gtest.h>

#include <string>

namespace orv {

namespace {

// The block variable the firmware gives, added where the panel's built-in
// content lacks it.
void EnsureBlockVar(CPrjData& prj, const char* name, int16_t word)
{
    if (prj.GetVarList()->FindByName(std::string_view(name)) != nullptr)
        return;
    auto* var = new CPrjIntVarNum(name, 0x40000000u, 0, 200, 0, 0, 3, 0, 0, 255);
    var->SetAdr(word);
    prj.InsVar(var);
}

// The first word of an interface block; the read project has no firmware
// that would give it the block variable itself.
int ReloadBlockOf(const CPrjData& prj, uint16_t groupName)
{
    const CPrjVar* var = prj.GetKomVarList()->FindByName(std::string_view(ResourceTXT(groupName)));
    return var != nullptr ? var->GetAdr() : -1;
}

// What the panel's source takes: the date format and the printer's time-out
// only where its printer line has them.
struct ReloadCase {
    uint16_t panel;
    uint16_t dateMode;
    const char* timeout;
    uint16_t statusPos;
};

void EditThroughTheForms(CPrjData& prj, const ReloadCase& c)
{
    EnsureBlockVar(prj, "[Z24]", 0);
    EnsureBlockVar(prj, "[Z25]", 0);

    CDlgTimesForm times(&prj, [] { return std::tm{}; }, "DW", "plus");
    times.roll = 25;
    times.dateMode = c.dateMode;
    times.adr = {0, 100};
    ASSERT_TRUE(times.Ok());

    CDlgPrnParForm printer(&prj);
    printer.values.baud = 4;
    printer.values.parity = 2;
    printer.status = "120";
    printer.timeout = c.timeout;
    ASSERT_TRUE(printer.Ok());

    CDlgRcpAdrForm recipe(&prj);
    recipe.text = "140";
    ASSERT_TRUE(recipe.Ok());

    auto* menu = new CPrjMnu(1, "Haupt", prj.GetMnuOptMask());
    prj.InsMnu(menu);
    AddText(prj, TextKind::Op, 2, "Eins", {});
    AddText(prj, TextKind::Op, 3, "Zwei", {});
    CPrjOpTxt* text = prj.GetOpTxtList()->OpTxtAt(0);
    auto* first = new CPrjMnuNode(1, 0, 0, 0, 0, text, 1);
    menu->InsNode(first);
    menu->InsNode(new CPrjMnuNode(2, 0, 0, 0, 0, text, 0));
    CDlgMnuNodeForm node(&prj, *menu, *first);
    ASSERT_TRUE(node.Ok({"2", "2", "0", "0"}, 1));
}

TEST(workspace_project_dialogs_reload, EditsSurviveSaveAndLoad)
{
    const ReloadCase cases[] = {
        {473, 0, "1", 120},
        {118, 2, "7", 0},
    };
    for (const ReloadCase& c : cases) {
        SCOPED_TRACE(c.panel);
        RoundTripProject built(c.panel);
        EditThroughTheForms(built.Prj(), c);
        const Agreement a = CheckAgreement(built);
        EXPECT_EQ(a.leftOut, 0) << a.w1;
        ASSERT_TRUE(a.read);
        const CPrjData& prj = a.read->Prj();

        EXPECT_EQ(prj.GetCycleTime(), 25);
        EXPECT_EQ(prj.GetDateMode(), c.dateMode);
        EXPECT_EQ(ReloadBlockOf(prj, res::kDatum), 100);
        EXPECT_EQ(ReloadBlockOf(prj, res::kRezeptnummerIST), 140);
        EXPECT_EQ(prj.GetPrnStatusPos(), c.statusPos);
        EXPECT_EQ(prj.GetPrnBaud(), 4);
        EXPECT_EQ(prj.GetPrnParity(), 2);
        EXPECT_EQ(std::to_string(prj.GetPrnTimeout()), c.timeout);
        const CPrjMnu* menu = prj.GetMnuList()->FindByNum(1);
        ASSERT_NE(menu, nullptr);
        const CPrjMnuNode* node = menu->GetSubList()->FindByNum(1);
        ASSERT_NE(node, nullptr);
        EXPECT_EQ(node->GetLeft(), 2);
        EXPECT_EQ(node->GetRight(), 2);
        ASSERT_NE(node->GetOpTxt(), nullptr);
        EXPECT_EQ(node->GetOpTxt()->GetNum(), 3);
    }
}

} // namespace

} // namespace orv
