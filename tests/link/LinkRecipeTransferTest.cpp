// The 118 family's transfer over the emulated panel: the status block kept
// in step with the records, the recipe comparison and its questions, the
// interface check, the banks written and the driver file's mark.
#include "LinkKit.h"
#include "LinkKit043.h"

#include "model/core/CatalogueIds.h"
#include "model/project/PrjData.h"

#include <gtest/gtest.h>

#include <functional>

namespace orv {
namespace {

using RecipeSc = panelemu::PanelScenario;
using RecipeRig = Link043Rig;

struct RecipeCase {
    const char* name;
    uint16_t type;
    uint8_t dataFormat;
    uint8_t recipeFormat;
    uint16_t drvNo; // 0: the rig's AS511.DRV
    std::function<void(RecipeRig&, RecipeSc&)> setUp;
    uint16_t error;
    int box;
    std::vector<int> questions;
    std::vector<uint8_t> banksWritten;
    // Status bytes 2, 4, 5 and 7 afterwards.
    std::array<uint8_t, 4> status;
};

RecipeSc::Preload Recipe043Record(uint8_t bank, uint16_t check)
{
    return {bank, 228, {static_cast<uint8_t>(check >> 8), static_cast<uint8_t>(check)}};
}

bool BankWritten(const std::vector<std::string>& log, uint8_t bank)
{
    char select[4];
    std::snprintf(select, sizeof select, "B%02X", bank);
    bool selected = false;
    for (const std::string& e : log) {
        if (e.rfind("B", 0) == 0 && e.size() == 3)
            selected = e == select;
        else if (selected && e.rfind("W", 0) == 0)
            return true;
    }
    return false;
}

TEST(link_recipe_transfer, StatusQuestionsAndBanks)
{
    const int kDiffers = static_cast<int>(msg::kDieBereitsVorhandenenDatensaetzeUnd);
    const int kOtherRecipes = static_cast<int>(msg::kSollDieUebertragungTrotzAnderer);
    const auto status = [](std::array<uint8_t, 16> block) {
        return [=](RecipeRig&, RecipeSc& s) { s.status = block; };
    };
    const auto choose = [](int record, bool tick) {
        return [=](RecipeRig& r, RecipeSc&) { r.chooser.Choose(record, tick); };
    };
    const auto both = [](auto a, auto b) { return [=](RecipeRig& r, RecipeSc& s) { a(r, s); b(r, s); }; };
    std::array<uint8_t, 16> common01{};
    common01[2] = 1; // format 1, common recipes
    common01[4] = 0x03;
    common01[5] = 1;
    const RecipeCase cases[] = {
        {"formats differ, yes", 118, 1, 1, 0,
         both(status({}), [](RecipeRig& r, RecipeSc&) {
             r.chooser.Choose(2, true);
             r.f.ui.AnswerQuestion(static_cast<int>(msg::kDieBereitsVorhandenenDatensaetzeUnd), true);
         }),
         0, 0, {kDiffers}, {1, 49, 32, 16, 17}, {3, 0x02, 0x02, 1}},
        {"formats differ, no", 118, 1, 1, 0,
         both(status({}), [](RecipeRig& r, RecipeSc&) {
             r.chooser.Choose(1, true);
             r.f.ui.AnswerQuestion(static_cast<int>(msg::kDieBereitsVorhandenenDatensaetzeUnd), false);
         }),
         45, 0, {kDiffers}, {}, {0, 0, 0, 0}},
        {"common recipe, record 1 differs", 118, 1, 0, 0,
         [common01](RecipeRig& r, RecipeSc& s) {
             s.status = common01;
             s.preloads = {Recipe043Record(0, 0x1234), Recipe043Record(1, 0x9999)};
             r.chooser.Choose(1, false);
             r.f.ui.AnswerQuestion(static_cast<int>(msg::kSollDieUebertragungTrotzAnderer), true);
         },
         0, 0, {kOtherRecipes}, {0, 48, 32, 16, 17}, {1, 0x01, 1, 0}},
        {"common recipe, No", 118, 1, 0, 0,
         [common01](RecipeRig& r, RecipeSc& s) {
             s.status = common01;
             s.preloads = {Recipe043Record(0, 0x1234), Recipe043Record(1, 0x9999)};
             r.chooser.Choose(1, false);
             r.f.ui.AnswerQuestion(static_cast<int>(msg::kSollDieUebertragungTrotzAnderer), false);
         },
         45, 0, {kOtherRecipes}, {}, {1, 0x03, 1, 0}},
        {"separate recipes, no comparison", 118, 1, 1, 0,
         [](RecipeRig& r, RecipeSc& s) {
             s.status[2] = 3;
             s.status[4] = 3;
             s.status[5] = 3;
             s.preloads = {Recipe043Record(0, 0x9999), Recipe043Record(1, 0x9999)};
             r.chooser.Choose(2, true);
         },
         0, 0, {}, {1, 49, 32, 16, 17}, {3, 0x03, 0x03, 1}},
        {"167, format 0, record 2, box off", 167, 0, 1, 0,
         [](RecipeRig& r, RecipeSc& s) {
             s.status[2] = 2;
             s.status[4] = 0x02;
             s.status[5] = 0x02;
             r.chooser.Choose(2, false);
         },
         0, 0, {}, {2, 32, 16, 17}, {2, 0x02, 0x02, 1}},
        {"interface 1 with 76", 118, 0, 0, 76, both(status({0, 0, 0, 0, 0, 0, 0, 0, 0, 1}), choose(1, false)), 0, 0, {},
         {0, 32, 16, 17}, {0, 0x01, 1, 0}},
        {"interface 2 with 75", 118, 0, 0, 75, both(status({0, 0, 0, 0, 0, 0, 0, 0, 0, 2}), choose(1, false)), 0, 0, {},
         {0, 32, 16, 17}, {0, 0x01, 1, 0}},
        {"interface 3 with 77", 118, 0, 0, 77, both(status({0, 0, 0, 0, 0, 0, 0, 0, 0, 3}), choose(1, false)), 0, 0, {},
         {0, 32, 16, 17}, {0, 0x01, 1, 0}},
        {"interface 0 with 60", 118, 0, 0, 60, choose(1, false), 0, 0, {}, {0, 32, 16, 17}, {0, 0x01, 1, 0}},
        {"simulation driver bound", 118, 0, 0, 75,
         [](RecipeRig& r, RecipeSc&) {
             r.f.workspace.SetSimDrvBound(true);
             r.chooser.Choose(1, false);
         },
         0, 0, {}, {0, 32, 16, 17}, {0, 0x01, 1, 0}},
        {"interface 0 with 75", 118, 0, 0, 75, status({0, 0, 0, 0, 0, 0, 0, 0, 0, 0}), 52, 15404, {}, {}, {0, 0, 0, 0}},
        {"interface 4 with 60", 118, 0, 0, 60, status({0, 0, 0, 0, 0, 0, 0, 0, 0, 4}), 52, 15404, {}, {}, {0, 0, 0, 0}},
        {"refused by byte 1", 167, 0, 0, 0, status({0, 0x80}), 33, 15403, {}, {}, {0, 0, 0, 0}},
        {"cancelled", 163, 0, 0, 0, [](RecipeRig& r, RecipeSc&) { r.chooser.Cancel(); }, 45, 0, {}, {}, {0, 0, 0, 0}},
    };
    for (const RecipeCase& c : cases) {
        SCOPED_TRACE(c.name);
        RecipeRig rig(c.type);
        rig.prj.prj->SetDataSize(c.dataFormat);
        rig.prj.prj->SetRcpSize(c.recipeFormat);
        if (c.drvNo)
            rig.drv.SetDrvNo(c.drvNo);
        RecipeSc s = EmuScenario(c.type);
        c.setUp(rig, s);
        rig.Write();
        rig.emu.Reset(s);
        auto t = rig.Transmit();
        EXPECT_EQ(t->GetError(), c.error);
        std::vector<int> questions;
        for (const UiCall& q : rig.f.ui.CallsOf(UiCall::Kind::Question))
            questions.push_back(q.id);
        EXPECT_EQ(questions, c.questions);
        EXPECT_EQ(t->ReportResult(), c.error == 0);
        const std::vector<int> boxes = BoxIds(rig.f.ui);
        EXPECT_EQ(boxes, c.box ? std::vector<int>{c.box} : std::vector<int>{});
        const std::vector<std::string> log = rig.emu.Log();
        for (uint8_t bank : {0, 1, 2, 3, 4, 5, 16, 17, 32, 48, 49, 50}) {
            const bool expected = std::find(c.banksWritten.begin(), c.banksWritten.end(), bank) != c.banksWritten.end();
            EXPECT_EQ(BankWritten(log, bank), expected) << int(bank);
        }
        const std::array<uint8_t, 16>& after = rig.emu.Panel().Status();
        EXPECT_EQ((std::array<uint8_t, 4>{after[2], after[4], after[5], after[7]}), c.status);
        EXPECT_EQ(rig.emu.Count("end"), 1);
        rig.chooser.Forget();
        if (c.error == 0) {
            // Before writing, the record's own bit is cleared, not the
            // doubled bank's; after, it is set.
            std::vector<std::string> writes;
            for (const std::string& command : rig.emu.Commands())
                if (command.rfind("SW", 0) == 0)
                    writes.push_back(command.substr(14, 2));
            ASSERT_EQ(writes.size(), 2u);
            const int bit = 1 << (rig.chooser.Form().GetSelected() - 1);
            EXPECT_EQ(std::stoi(writes[0], nullptr, 16) & bit, 0);
            EXPECT_EQ(std::stoi(writes[1], nullptr, 16), after[4]);
        }
    }
}

TEST(link_recipe_transfer, FilesInTheirBanks)
{
    RecipeRig rig(118);
    rig.prj.prj->SetDataSize(1);
    rig.Write();
    RecipeSc s = EmuScenario(118);
    s.status[2] = 1;
    rig.emu.Reset(s);
    rig.chooser.Choose(2, true);
    auto t = rig.Transmit();
    ASSERT_EQ(t->GetError(), 0);
    EXPECT_EQ(rig.emu.Memory(1, 0, rig.image.size()).substr(2), rig.image.substr(2));
    EXPECT_EQ(rig.emu.Memory(48, 0, rig.recipe.size()), rig.recipe);
    EXPECT_EQ(rig.emu.Memory(32, 4, rig.driver.size()), rig.driver);
    const size_t inBank16 = 0x8000 - 0x4000;
    EXPECT_EQ(rig.emu.Memory(16, 0x4000, inBank16), rig.firmware.substr(0, inBank16));
    EXPECT_EQ(rig.emu.Memory(17, 0, rig.firmware.size() - inBank16), rig.firmware.substr(inBank16));
    // One "EP0" per file; the firmware's change of bank powers off and on
    // once more.
    EXPECT_EQ(rig.emu.Count("EP0"), 4);
    EXPECT_EQ(rig.emu.Count("PON"), 5);
    EXPECT_EQ(rig.emu.Count("POF"), 5);
    EXPECT_EQ(rig.emu.Count("CW"), 3);
}

TEST(link_recipe_transfer, DriverFileMark)
{
    RecipeRig rig(118);
    rig.Write();
    const std::string sent = rig.driver;
    rig.chooser.Choose(1);
    ASSERT_EQ(rig.Transmit()->GetError(), 0);
    EXPECT_EQ(rig.Read("ANLAGE1.DRV"), sent + std::string(2, '\0'));
    rig.emu.Reset(EmuScenario(118));
    rig.chooser.Choose(1);
    ASSERT_EQ(rig.Transmit()->GetError(), 0);
    EXPECT_EQ(rig.Read("ANLAGE1.DRV").size(), sent.size() + 2);

    RecipeRig damaged(118);
    Patch(damaged.driver, 0, std::string{static_cast<char>((damaged.driver.size() + 1) >> 8),
                                         static_cast<char>((damaged.driver.size() + 1) & 0xFF)});
    damaged.Write();
    auto t = damaged.Transmit();
    EXPECT_EQ(t->GetError(), 5);
    EXPECT_EQ(damaged.Read("ANLAGE1.DRV"), damaged.driver);
    EXPECT_TRUE(damaged.emu.Log().empty());
}

TEST(link_recipe_transfer, ShortStatusAnswers)
{
    RecipeRig rig(118);
    rig.Write();
    RecipeSc once = EmuScenario(118, {"SR,1,cut:30"});
    rig.emu.Reset(once);
    rig.chooser.Choose(1);
    EXPECT_EQ(rig.Transmit()->GetError(), 0);

    rig.emu.Reset(EmuScenario(118, {"SR,20,cut:30"}));
    auto t = rig.Transmit();
    EXPECT_EQ(t->GetError(), 39);
    EXPECT_EQ(rig.emu.Count("SR"), 20);
    for (const std::string& command : rig.emu.Commands())
        EXPECT_NE(command.rfind("SW", 0), 0u);
}

} // namespace
} // namespace orv
