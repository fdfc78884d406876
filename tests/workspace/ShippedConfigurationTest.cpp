// The configuration directory the build ships beside the program, read by the
// program's own readers: database, sections, driver libraries, firmware,
// tool settings, and the placeholder mark on every stand-in.
#include "image/drv/DrvFile.h"
#include "image/firmware/Firmware.h"
#include "image/firmware/Firmware118.h"
#include "image/drv/Placeholder.h"
#include "model/project/DrvCfg.h"
#include "model/project/DrvTable.h"
#include "model/project/FrmCfg.h"
#include "model/project/PanelTable.h"
#include "model/project/PrjData.h"
#include "model/project/SpsPar.h"
#include "source/config/CfgReader.h"
#include "source/config/CfgSearch.h"
#include "support/FrameWorld.h"
#include "tools/cfggen/DrvBuilders.h"
#include "workspace/SelQueries.h"
#include "workspace/StartSel.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

using namespace orv;

namespace fs = std::filesystem;

namespace {

const char* FontOf(CharGroup group)
{
    switch (group) {
    case CharGroup::Alt: return "alt";
    case CharGroup::F706: return "706";
    case CharGroup::Int: return "int";
    default: return "";
    }
}

std::string ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

// The shipped files copied into the fixture's program directory before
// anything could write them.
class ShippedConfiguration : public FrameWorld, public testing::Test {
protected:
    ShippedConfiguration() : FrameWorld(World().Drv().Frm()) {}

    void SetUp() override
    {
        const fs::path shipped(ORV_SHIPPED_DIR);
        fs::copy_file(shipped / "startsel.db", dir.File("startsel.db"));
        fs::copy(shipped / "CFG", dir.File("CFG"), fs::copy_options::recursive);
        ASSERT_TRUE(sel.OpenDb(dir.Path()));
        // Every panel with its offered PLC types and drivers.
        orv::CSelQueries q(&sel.Db());
        q.RunApp("ORVPRO");
        q.RunDev(-1);
        const size_t devices = q.dev.Names().size();
        for (size_t row = 0; row < devices; ++row) {
            q.RunDev(q.dev.IdAt(static_cast<int>(row)));
            q.RunSps(-1);
            const auto spsNames = q.sps.Names();
            for (size_t s = 0; s < spsNames.size(); ++s) {
                q.RunSps(q.sps.IdAt(static_cast<int>(s)));
                q.RunDrv(-1);
                for (size_t d = 0; d < q.drv.Names().size(); ++d)
                    offered[q.devId].insert({q.spsId, q.drv.IdAt(static_cast<int>(d))});
            }
        }
    }
    std::string Cfg(const std::string& name) const { return workspace.GetCfgDir() + name; }

    orv::CStartSel sel;
    std::map<int, std::set<std::pair<int, int>>> offered;
};

TEST_F(ShippedConfiguration, DevicesAgreeWithModelAndReader)
{
    orv::CSelQueries q(&sel.Db());
    q.RunApp("ORVPRO");
    EXPECT_EQ(q.app.GetRow(), 1);
    q.RunDev(-1);
    EXPECT_EQ(q.dev.Record(), orv::DevRecord::Fallback());
    ASSERT_EQ(offered.size(), 11u);
    for (const auto& [devId, pairs] : offered) {
        SCOPED_TRACE(devId);
        q.RunDev(devId);
        const orv::DevRecord& dev = q.dev.Record();
        const PanelRow* panel = FindPanel(static_cast<uint16_t>(devId));
        ASSERT_NE(panel, nullptr);
        prj.SetDevType(HeldPanelOf(static_cast<uint16_t>(devId)).code);
        EXPECT_EQ(dev.numDspCols, prj.GetDspWidth());
        EXPECT_EQ(dev.numDspRows, panel->rows);
        EXPECT_EQ(dev.numSK, panel->functionKeys);
        EXPECT_EQ(dev.fntNam, FontOf(panel->charGroup));
        EXPECT_EQ(dev.Offers(orv::TxtKind::Hst), devId == 706);
        EXPECT_LE(dev.dspLft + dev.dspWid, dev.bmpWid);
        EXPECT_LE(dev.dspTop + dev.dspHei, dev.bmpHei);
        // PLC type 33 with driver 5, the project manager's default.
        EXPECT_TRUE(pairs.count({33, 5}));
    }
    // Nothing writes the shipped database.
    EXPECT_FALSE(const_cast<orv::CSelDb&>(sel.Db()).ExecScript("DELETE FROM Apps"));
    EXPECT_TRUE(ui.TextsOf(UiCall::Kind::Box).empty());
}

TEST_F(ShippedConfiguration, EveryOfferedPairHasItsSection)
{
    auto find = [&](uint16_t dev, uint16_t spsType, uint16_t drvNo) {
        SCOPED_TRACE(testing::Message() << dev << "-" << spsType << "-" << drvNo);
        CCfgSearch search(workspace, bundle);
        search.LoadCombination(dev, spsType, drvNo);
        EXPECT_TRUE(search.CheckError());
    };
    for (const auto& [devId, pairs] : offered)
        for (const auto& [spsType, drvNo] : pairs)
            find(static_cast<uint16_t>(devId), static_cast<uint16_t>(spsType), static_cast<uint16_t>(drvNo));
    // Binding the simulation driver selects PLC type 49 and driver 78.
    for (uint16_t dev : {14, 36, 43, 47, 118, 163, 167, 473, 755})
        find(dev, 49, 78);
    EXPECT_TRUE(ui.TextsOf(UiCall::Kind::Box).empty());
}

TEST_F(ShippedConfiguration, EveryOfferedDriverIsFoundInItsPanelsLibrary)
{
    auto findIn = [&](uint16_t devId, const std::string& lib, uint16_t drvNo) {
        SCOPED_TRACE(testing::Message() << devId << " " << lib << " " << drvNo);
        const HeldPanel held = HeldPanelOf(devId);
        prj.SetDevType(held.code);
        drv.SetDrvNo(drvNo);
        const std::string out = dir.File("extracted.drv");
        if (DrvFamilyOf(FindPanel(devId)->family) == DrvFamily::F706) {
            CDrvLib706 reader(Cfg(lib), &bundle);
            EXPECT_TRUE(reader.Find());
            reader.Extract(out);
            EXPECT_TRUE(reader.CheckError());
        } else {
            CDrvLib043 reader(Cfg(lib), &bundle);
            EXPECT_TRUE(reader.Find());
            reader.Extract(out);
            EXPECT_TRUE(reader.CheckError());
        }
        EXPECT_TRUE(IsPlaceholderFile(out));
        EXPECT_TRUE(IsPlaceholderFile(Cfg(lib)));
    };
    for (const auto& [devId, pairs] : offered)
        for (const auto& pair : pairs)
            findIn(static_cast<uint16_t>(devId), drv.DrvLibName(static_cast<uint16_t>(devId)),
                   static_cast<uint16_t>(pair.second));
    // Each simulation library answers for driver 78 under its own name.
    const std::pair<uint16_t, const char*> sims[] = {{14, "SIMMINI.DRV"}, {755, "SIMMIDI.DRV"}, {473, "SIM473pe.DRV"}};
    for (const auto& [devId, file] : sims) {
        workspace.SetDrvOverride(file, true);
        findIn(devId, file, kDrvByFileName);
    }
    EXPECT_TRUE(ui.TextsOf(UiCall::Kind::Box).empty());
}

TEST_F(ShippedConfiguration, FirmwarePassesTheReadersChecks)
{
    for (uint16_t devId : {118, 163, 167, 473, 477, 706}) {
        SCOPED_TRACE(devId);
        prj.SetDevType(devId);
        const std::string path = Cfg(frm.FrmFileName());
        EXPECT_TRUE(IsPlaceholderFile(path));
        const bool form706 = FindPanel(devId)->family == Family::F706;
        std::unique_ptr<CFirmwareFile> fw;
        if (form706) {
            auto f = std::make_unique<CFirmware>(path, &bundle);
            EXPECT_TRUE(f->IsValid());
            EXPECT_TRUE(f->NameMatches());
            fw = std::move(f);
        } else {
            fw = std::make_unique<CFirmware118>(path, &bundle);
        }
        fw->ReadId();
        fw->ReadDate();
        fw->ReadSysVars();
        EXPECT_TRUE(fw->CheckError());
        const std::string model = devId == 477 ? "473" : std::to_string(devId);
        EXPECT_EQ(frm.GetFrmId(), "OG" + model + "9990");
        EXPECT_FALSE(frm.GetName().empty());
        for (int bit = 0; bit < 64; ++bit)
            EXPECT_TRUE(fw->HasFeature(bit)) << bit;
    }
}

TEST_F(ShippedConfiguration, ToolSettingsReadWithoutError)
{
    CCfgReader reader(workspace, bundle);
    reader.ReadEnvironment();
    CfgChoice choice;
    choice.devType = 706;
    reader.ReadConfiguration(choice);
    EXPECT_TRUE(reader.CheckError());
    EXPECT_EQ(choice, CfgChoice{});
}

TEST(ShippedPlaceholders, MarkOnlyWhereShippedAndRunsAlike)
{
    TempDir dir;
    dir.Write("fixture.drv", Drv043Entry{}.Build().bytes);
    dir.Write("cut.drv", std::string(kPlaceholderMark.substr(0, kPlaceholderMark.size() - 1)));
    EXPECT_FALSE(IsPlaceholderFile(dir.File("fixture.drv")));
    EXPECT_FALSE(IsPlaceholderFile(dir.File("cut.drv")));
    EXPECT_FALSE(IsPlaceholderFile(dir.File("missing.drv")));

    // Two runs of the generator give the same bytes.
    for (const char* run : {"a", "b"}) {
        const std::string cmd = std::string(ORV_CFGGEN) + " " + ORV_STARTSEL_SQL + " " + dir.File(run);
        ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
    }
    size_t files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(dir.File("a"))) {
        if (!entry.is_regular_file())
            continue;
        const fs::path other = fs::path(dir.File("b")) / fs::relative(entry.path(), dir.File("a"));
        EXPECT_EQ(ReadBytes(entry.path()), ReadBytes(other)) << other;
        ++files;
    }
    EXPECT_EQ(files, 16u);

    // A run over a directory keeps the user's settings file.
    const std::string ini = dir.File("a/CFG/ORV/ORVPRO.INI");
    std::ofstream(ini, std::ios::binary) << "[ENVIRONMENT]\r\nLPT=2\r\n";
    const std::string cmd = std::string(ORV_CFGGEN) + " " + ORV_STARTSEL_SQL + " " + dir.File("a");
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    EXPECT_EQ(ReadBytes(ini), "[ENVIRONMENT]\r\nLPT=2\r\n");
}
