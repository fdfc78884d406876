// The main road end to end: a golden source loaded, compiled and sent to the
// emulated panel, read back by a second workspace into an empty directory,
// and written again byte for byte.
#include "PrjMgrLinkKit.h"

#include "model/core/CatalogueIds.h"
#include "model/core/CheckedFormat.h"
#include "model/core/LangStrings.h"
#include "model/project/FktCfg.h"
#include "model/project/PanelTable.h"
#include "model/project/PrjData.h"

#include <gtest/gtest.h>

#include <string>

namespace orv {
namespace {

struct Road {
    const char* golden;
    uint16_t panel;   // of the start selection (755: 47 with the variant)
    uint16_t model;   // of the emulated panel
    char variant;     // the 047 panel's
    uint16_t drv;     // 60 on the fieldbus panels, whose default kind is 0,
                      // set in the golden's parameter line
    int choices;      // record choices the panel offers: transfer, read-back
    // A change to the golden: its first "from" becomes "to".
    const char* from = nullptr;
    const char* to = nullptr;
    // The project uses the standard special-function file.
    bool stdFkt = false;
};

std::ostream& operator<<(std::ostream& out, const Road& r)
{
    return out << r.golden;
}

class MainRoad : public testing::TestWithParam<Road>, public PrjMgrLinkKit {};

TEST_P(MainRoad, ReadBackEqualsWhatWasLoaded)
{
    const Road& r = GetParam();
    std::string golden = GoldenSource(r.golden);
    ASSERT_FALSE(golden.empty());
    if (r.from) {
        const size_t at = golden.find(r.from);
        ASSERT_NE(at, std::string::npos);
        golden.replace(at, std::string(r.from).size(), r.to);
    }
    std::string name = r.golden;
    name = name.substr(0, name.size() - 4);
    for (char& ch : name)
        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));

    if (r.stdFkt)
        kit.UseStdFktFiles();
    // S1: the golden loaded and written.
    ASSERT_TRUE(Start(r.panel, r.drv));
    ASSERT_TRUE(Parse(dirA.Path(), "GOLDEN.ORV", golden));
    const std::string s1 = WriteSource(dirA.File(name + ".ORV"));
    ui.ClearCalls();

    panelemu::PanelScenario scenario = EmuScenario(r.model);
    scenario.variant = r.variant;
    emu.Reset(scenario);

    // Loaded from A, compiled and sent.
    ASSERT_TRUE(Start(r.panel, r.drv));
    ASSERT_EQ(Mgr().LoadPrj(dirA.File(name + ".ORV")).result, 1) << LogText();
    ui.AnswerQuestion(msg::kDatensatzWirdNunZunaechstGespeichert, true);
    // The erased panel's status block names the other data-set format.
    if (r.from && std::string(r.to).find("DATASIZE") != std::string::npos)
        ui.AnswerQuestion(msg::kDieBereitsVorhandenenDatensaetzeUnd, true);
    for (int i = 0; i < r.choices; ++i)
        chooser.Choose(1);
    ASSERT_EQ(Mgr().Transmit(), CPrjMgr::kLinkDone) << LogText();
    EXPECT_EQ(Mgr().GetLinkErrors(), 0u);
    EXPECT_TRUE(Logged(CheckedFormat(LoadLangString(msg::kDateiWurdeUebertragen), dirA.File(name + ".BIN"))));
    const std::string sentDriver = FileBytes(dirA.File(name + ".DRV"));

    // A second workspace on the same panel reads back into B.
    ASSERT_TRUE(Start(r.panel, r.drv));
    Mgr().SetPrjDir(dirB.Path());
    for (int i = 0; i < r.choices; ++i)
        chooser.Choose(1);
    ASSERT_EQ(Mgr().Receive(), CPrjMgr::kLinkDone) << LogText();
    EXPECT_EQ(frame.GetPrjPath(), dirB.File(name + ".ORV"));
    EXPECT_EQ(Mgr().GetPrjData()->GetDsType(), FileCodeOf(r.panel == 755 ? 47 : r.panel, r.panel == 755));
    EXPECT_EQ(Mgr().GetPrjData()->GetVariant(), r.panel == 755 ? 1 : 0);
    EXPECT_EQ(FileBytes(dirB.File(name + ".DRV")), WithoutEndMark(sentDriver));
    EXPECT_EQ(Mgr().GetFktCfg()->IsUsed() != 0, r.stdFkt);
    // The 706 family reads the special-function file back as a file of its
    // own; the 043 family's special functions come back inside the image.
    const bool fktInImage = r.stdFkt && PanelType(r.panel, false).InFamily(Family::F043);
    if (r.stdFkt && !fktInImage) {
        EXPECT_EQ(FileBytes(dirB.File(name + ".FKT")), FileBytes(dirA.File(name + ".FKT")));
    }

    // Sent again at once: nothing to compile. Without a copy of its own, a
    // project whose special functions came inside the image takes the
    // standard file's header and counts as changed.
    ui.ClearCalls();
    if (fktInImage)
        ui.AnswerQuestion(msg::kDatensatzWirdNunZunaechstGespeichert, true);
    for (int i = 0; i < r.choices; ++i)
        chooser.Choose(1);
    EXPECT_EQ(Mgr().Transmit(), CPrjMgr::kLinkDone) << LogText();
    if (!fktInImage) {
        EXPECT_TRUE(Logged("No compile needed")) << LogText();
    }

    ASSERT_TRUE(Mgr().SavePrj());
    EXPECT_EQ(FileBytes(dirB.File(name + ".ORV")), s1);
    chooser.Forget();
}

INSTANTIATE_TEST_SUITE_P(Panels, MainRoad,
                         testing::Values(Road{"rt014.orv", 14, 14, '1', 5, 0},
                                         Road{"rt043.orv", 43, 43, '1', 5, 0, nullptr, nullptr, true},
                                         Road{"rt047.orv", 47, 47, '1', 5, 2},
                                         Road{"rt755.orv", 755, 47, '2', 5, 2},
                                         Road{"rt118.orv", 118, 118, '1', 5, 2},
                                         // The other data-set format: one
                                         // bank per data set.
                                         Road{"rt118.orv", 118, 118, '1', 5, 2, "BEGIN\n", "BEGIN\nDATASIZE, 1\n"},
                                         Road{"rt163.orv", 163, 163, '1', 5, 2},
                                         // A softkey row of a single state is
                                         // not written.
                                         Road{"rt167.orv", 167, 167, '1', 5, 2,
                                              "INTERN_VAR, [Z084]\nSTATE, 0, \"F1 An   F2 Aus   F9 Hilfe\"\n\n", ""},
                                         Road{"rt473.orv", 473, 473, '1', 60, 0, "DRV=5,", "DRV=60,"},
                                         Road{"rt477.orv", 477, 477, '1', 60, 0, "DRV=5,", "DRV=60,"},
                                         Road{"rt706.orv", 706, 706, '1', 5, 0},
                                         Road{"rt706.orv", 706, 706, '1', 5, 0, nullptr, nullptr, true}),
                         [](const testing::TestParamInfo<Road>& info) {
                             std::string n = info.param.golden;
                             n = n.substr(0, n.size() - 4);
                             if (info.param.from)
                                 n += "_" + std::to_string(info.index);
                             return info.param.stdFkt ? n + "_fkt" : n;
                         });

} // namespace
} // namespace orv
