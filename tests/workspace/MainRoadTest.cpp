// The main road end to end: a golden source loaded, compiled and sent to the
// emulated panel, read back by a second workspace into an empty directory,
// and written again byte for byte.
#include "PrjMgrLinkKit.h"

#include "model/core/CatalogueIds.h"
#include "model/core/CheckedFormat.h"
#include "model/core/LangStrings.h"
#include "model/project/PanelTable.h"
#include "model/project/PrjData.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace orv {
namespace {

std::string RoadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct Road {
    const char* golden;
    uint16_t panel;   // of the start selection (755: 47 with the variant)
    uint16_t model;   // of the emulated panel
    char variant;     // the 047 panel's
    uint16_t drv;     // 60 on the fieldbus panels, whose default kind is 0
    int choices;      // record choices the panel offers: transfer, read-back
    // A part of the golden that the written source loses, left out here.
    const char* loss = nullptr;
};

std::ostream& operator<<(std::ostream& out, const Road& r)
{
    return out << r.golden;
}

class MainRoad : public testing::TestWithParam<Road>, public PrjMgrLinkKit {};

TEST_P(MainRoad, ReadBackEqualsWhatWasLoaded)
{
    const Road& r = GetParam();
    std::string golden = RoadFile(std::string(ORV_TEST_DATA_DIR) + "/roundtrip/" + r.golden);
    ASSERT_FALSE(golden.empty());
    if (r.loss) {
        const size_t at = golden.find(r.loss);
        ASSERT_NE(at, std::string::npos);
        golden.erase(at, std::string(r.loss).size());
    }
    if (r.drv != 5)
        golden.replace(golden.find("DRV=5,"), 6, "DRV=" + std::to_string(r.drv) + ",");
    std::string name = r.golden;
    name = name.substr(0, name.size() - 4);
    for (char& ch : name)
        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));

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
    // The load does not record the panel the file names, which the 706
    // family's menu help texts are read by.
    Mgr().GetPrjData()->SetSrcDevType(r.panel);
    ASSERT_EQ(Mgr().LoadPrj(dirA.File(name + ".ORV")).result, 1) << LogText();
    ui.AnswerQuestion(msg::kDatensatzWirdNunZunaechstGespeichert, true);
    for (int i = 0; i < r.choices; ++i)
        chooser.Choose(1);
    ASSERT_EQ(Mgr().Transmit(), CPrjMgr::kLinkDone) << LogText();
    EXPECT_EQ(Mgr().GetLinkErrors(), 0u);
    EXPECT_TRUE(Logged(CheckedFormat(LoadLangString(msg::kDateiWurdeUebertragen), dirA.File(name + ".BIN"))));
    const std::string sentDriver = RoadFile(dirA.File(name + ".DRV"));

    // A second workspace on the same panel reads back into B.
    ASSERT_TRUE(Start(r.panel, r.drv));
    Mgr().SetPrjDir(dirB.Path());
    for (int i = 0; i < r.choices; ++i)
        chooser.Choose(1);
    ASSERT_EQ(Mgr().Receive(), CPrjMgr::kLinkDone) << LogText();
    EXPECT_EQ(frame.GetPrjPath(), dirB.File(name + ".ORV"));
    EXPECT_EQ(Mgr().GetPrjData()->GetDsType(), FileCodeOf(r.panel == 755 ? 47 : r.panel, r.panel == 755));
    EXPECT_EQ(Mgr().GetPrjData()->GetVariant(), r.panel == 755 ? 1 : 0);
    EXPECT_EQ(RoadFile(dirB.File(name + ".DRV")), WithoutEndMark(sentDriver));

    // Sent again at once: nothing to compile.
    ui.ClearCalls();
    for (int i = 0; i < r.choices; ++i)
        chooser.Choose(1);
    EXPECT_EQ(Mgr().Transmit(), CPrjMgr::kLinkDone) << LogText();
    // The recompile decision reads the 047 variant at offset 24 of the
    // image, where the compiler writes the model's last digit: every 755
    // image counts as built for another variant.
    if (r.panel != 755) {
        EXPECT_TRUE(Logged("No compile needed")) << LogText();
    }

    ASSERT_TRUE(Mgr().SavePrj());
    EXPECT_EQ(RoadFile(dirB.File(name + ".ORV")), s1);
    chooser.Forget();
}

INSTANTIATE_TEST_SUITE_P(Panels, MainRoad,
                         testing::Values(Road{"rt014.orv", 14, 14, '1', 5, 0},
                                         Road{"rt043.orv", 43, 43, '1', 5, 0},
                                         Road{"rt047.orv", 47, 47, '1', 5, 2},
                                         Road{"rt755.orv", 755, 47, '2', 5, 2},
                                         Road{"rt118.orv", 118, 118, '1', 5, 2},
                                         Road{"rt163.orv", 163, 163, '1', 5, 2},
                                         // A softkey row of a single state is
                                         // not written.
                                         Road{"rt167.orv", 167, 167, '1', 5, 2,
                                              "INTERN_VAR, [Z084]\nSTATE, 0, \"F1 An   F2 Aus   F9 Hilfe\"\n\n"},
                                         Road{"rt473.orv", 473, 473, '1', 60, 0},
                                         Road{"rt477.orv", 477, 477, '1', 60, 0},
                                         Road{"rt706.orv", 706, 706, '1', 5, 0}),
                         [](const testing::TestParamInfo<Road>& info) {
                             std::string n = info.param.golden;
                             return n.substr(0, n.size() - 4);
                         });

} // namespace
} // namespace orv
