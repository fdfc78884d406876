// The workspace's transfer, read-back and decompile over the emulated panel
// that the link library bound as the program binds it.
#include "PrjMgrLinkKit.h"

#include "link/SerLinkBinding.h"
#include "model/core/CatalogueIds.h"
#include "model/project/PrjData.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace orv {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Deletes(const ScriptedUi& ui)
{
    std::vector<std::string> paths;
    for (const std::string& line : ui.TextsOf(UiCall::Kind::LogAppend))
        if (line.rfind("Delete ", 0) == 0)
            paths.push_back(line.substr(7));
    return paths;
}

// A compiled golden of the family, its files where a read-back leaves
// them, and the project emptied as the read-back empties it.
class DecompileCommand : public testing::Test, public PrjMgrLinkKit {
protected:
    struct Files {
        std::string image;
        std::string drv;
        std::string third; // the 043 family's further file, the 706 family's special functions
    };

    Files Prepare(uint16_t panel, const char* golden)
    {
        EXPECT_TRUE(Start(panel));
        EXPECT_TRUE(Parse(dirA.Path(), "DC.ORV", GoldenSource(golden)));
        EXPECT_TRUE(Mgr().SavePrj());
        EXPECT_TRUE(Mgr().Compile());
        s1 = WriteSource(dirA.File("S1.ORV"));
        Files files{dirA.File("DC.BIN"), dirA.File("DC.DRV"), dirA.File("DC.FKT")};
        if (panel == 706) {
            for (int i = 1; i <= 3; ++i)
                Mgr().Workspace().SetRcvFile(i, i == 1 ? files.drv : i == 2 ? files.third : files.image);
        } else {
            Mgr().SetImageFile(files.image);
            Mgr().SetDrvFile(files.drv);
            files.third = dirA.File("DC.AUX");
            dirA.Write("DC.AUX", "aux");
            Mgr().SetRcvAuxFile(files.third);
        }
        Mgr().Bundle().Reset();
        ui.ClearCalls();
        return files;
    }

    std::string s1;
};

// A panel of each family: whether its decompile deletes the driver and
// further file first, and every read-back file after a failure.
struct DecoFamily {
    uint16_t panel;
    const char* golden;
    bool deletesFirst;
    bool deletesOnFailure;
};
constexpr DecoFamily kDecoFamilies[] = {
    {43, "rt043.orv", true, true}, {118, "rt118.orv", false, false}, {706, "rt706.orv", false, true}};

TEST_F(DecompileCommand, RebuildsTheProjectOfEachFamily)
{
    for (const DecoFamily& c : kDecoFamilies) {
        SCOPED_TRACE(c.panel);
        const Files files = Prepare(c.panel, c.golden);
        EXPECT_EQ(Mgr().Decompile(), CPrjMgr::kLinkDone);
        // The 043 family cuts its driver out of the image into a new file.
        const std::vector<std::string> first = {files.drv, files.third};
        EXPECT_EQ(Deletes(ui), c.deletesFirst ? first : std::vector<std::string>{});
        EXPECT_TRUE(fs::exists(files.image));
        EXPECT_TRUE(fs::exists(files.drv));
        EXPECT_EQ(WriteSource(dirA.File("S2.ORV")), s1);
        EXPECT_TRUE(BoxIds().empty());
    }
}

TEST_F(DecompileCommand, AFailureDeletesTheReadBackFilesExceptInThe118Family)
{
    for (const DecoFamily& c : kDecoFamilies) {
        SCOPED_TRACE(c.panel);
        const Files files = Prepare(c.panel, c.golden);
        dirA.Write("DC.BIN", dirA.Read("DC.BIN").substr(0, 40));
        EXPECT_EQ(Mgr().Decompile(), CPrjMgr::kLinkFailed);
        std::vector<std::string> deleted = Deletes(ui);
        if (c.deletesFirst)
            deleted.erase(deleted.begin(), deleted.begin() + 2);
        const std::vector<std::string> all = {files.image, files.drv, files.third};
        EXPECT_EQ(deleted, c.deletesOnFailure ? all : std::vector<std::string>{});
        for (const std::string& path : all)
            EXPECT_EQ(fs::exists(path), !c.deletesOnFailure) << path;
        EXPECT_FALSE(BoxIds().empty()) << "the decompiler reports its error";
    }
}

TEST_F(DecompileCommand, NothingToDecompileGivesMinusOne)
{
    ASSERT_TRUE(Start(43));
    Mgr().GetPrjData()->SetDevType(1724);
    EXPECT_EQ(Mgr().Decompile(), CPrjMgr::kLinkFailed);
    CStartSel otherSel;
    CPrjMgr unbuilt(frame, otherSel);
    EXPECT_EQ(unbuilt.Decompile(), CPrjMgr::kLinkFailed);
    EXPECT_TRUE(Deletes(ui).empty());
}

// The program's one context runs over the binding the program made.
TEST(PrjMgrLinkContext, FollowsTheProgramsBinding)
{
    PrjMgrLinkKit k;
    ASSERT_TRUE(k.Start(706));
    CLinkContext& ctx = k.Mgr().LinkContext();
    EXPECT_EQ(ctx.Api(), GetSerLink());
    EXPECT_NE(ctx.Api(), nullptr);
    ctx.PreferRate(CLinkContext::kSlow);
    EXPECT_EQ(&k.Mgr().LinkContext(), &ctx) << "one context for every session";
    EXPECT_EQ(k.Mgr().LinkContext().Rates()[0], CLinkContext::kSlow);
    UnbindSerLink();
    EXPECT_EQ(k.Mgr().LinkContext().Api(), nullptr);
}

} // namespace
} // namespace orv
