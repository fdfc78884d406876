#include "CompWorld.h"
#include "image/compile/Comp043.h"
#include "image/compile/Comp118.h"
#include "image/compile/Comp118Img2.h"
#include "image/compile/Comp706.h"
#include "model/project/FrmCfg.h"
#include "model/project/PrjVarKinds.h"
#include "model/core/WorkspaceState.h"
#include "support/FileSizeCap.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

using namespace orv;

namespace {

// One image a compile writes: its compiler, the figure of the workspace
// that limits it (none for the 043 family, whose limit is fixed), and the driver
// file it reads (none where the family takes none).
struct Image {
    const char* name;
    uint16_t devType;
    uint32_t CMemInfo::*limit;
    bool takesDriver;
};

void PrintTo(const Image& i, std::ostream* os)
{
    *os << i.name;
}

const Image kImages[] = {
    {"A43", 43, nullptr, true},
    {"B118", 118, &CMemInfo::freeData, true},
    {"B118Recipes", 118, &CMemInfo::freeRecipe, false},
    {"C706", 706, &CMemInfo::freeData, false},
};

const std::string kOld = std::string("the last good image\0\x01\x02", 22);

class CompReplace : public ::testing::TestWithParam<Image>, public CompWorld {
public:
    CompReplace() : CompWorld(World(GetParam().devType).CharSet().Frm())
    {
        frm.SetFrmId(GetParam().devType == 706 ? "FW706ABCDEFG" : "FW118");
        prj.SetPath(dir.File("P.ORV"));
        Reset();
    }

    // Room to spare and a small driver file.
    void Reset()
    {
        if (GetParam().limit)
            workspace.MemInfo().*GetParam().limit = 0x40000;
        dir.Write("P.DRV", std::string(100, 'D'));
    }

    // Compiles into name; the error the compile ended with.
    uint16_t Compile(const std::string& name = "P.BIN", const std::string& drv = "P.DRV")
    {
        const std::string out = dir.File(name);
        const std::string drvPath = GetParam().takesDriver ? dir.File(drv) : std::string();
        switch (GetParam().devType) {
        case 43: return CComp043(workspace, out, drvPath, "", 0, bundle).GetError();
        case 118:
            if (GetParam().limit == &CMemInfo::freeRecipe)
                return CComp118Img2(workspace, out, bundle).GetError();
            return CComp118(workspace, out, drvPath, "", 0, bundle).GetError();
        default: return CComp706(workspace, out, bundle).GetError();
        }
    }

    // Makes the image fit exactly: the smallest limit that still compiles,
    // or for the 043 family a driver file that brings the image just below the
    // fixed limit. Gives the limit.
    uint32_t FitExactly()
    {
        EXPECT_EQ(Compile("SCRATCH.BIN"), 0);
        const auto length = static_cast<uint32_t>(dir.Read("SCRATCH.BIN").size());
        if (!GetParam().limit) {
            dir.Write("P.DRV", std::string(100 + imglayout::kMemLimit043 - 1 - length, 'D'));
            return imglayout::kMemLimit043;
        }
        // Names and the description give way to a tighter limit.
        uint32_t need = length + 1;
        for (;; --need) {
            workspace.MemInfo().*GetParam().limit = need - 1;
            if (Compile("SCRATCH.BIN") != 0)
                break;
        }
        workspace.MemInfo().*GetParam().limit = need;
        return need;
    }

    // The limit one byte too small for what FitExactly prepared.
    void OneByteShort()
    {
        if (GetParam().limit)
            --(workspace.MemInfo().*GetParam().limit);
        else
            dir.Write("P.DRV", dir.Read("P.DRV") + "D");
    }

    // The folder holds the old image and the inputs, and nothing else.
    void ExpectOldImageAlone()
    {
        EXPECT_EQ(dir.Read("P.BIN"), kOld);
        std::vector<std::string> names = {"P.BIN", "P.DRV"};
        if (dir.Read("SCRATCH.BIN").size() > 0)
            names.push_back("SCRATCH.BIN");
        EXPECT_EQ(dir.Names(), names) << "no temporary file is left";
    }
};

TEST_P(CompReplace, FailedCompileLeavesTheOldImage)
{
    struct Case {
        const char* what;
        bool memory;
        bool missingDriver;
        bool refusedVariable;
        uint16_t error;
    } const cases[] = {
        {"memory limit one byte below the need", true, false, false, CComp::kErrMemory},
        {"missing driver file", false, true, false, CComp::kErrDriver},
        {"variable without a display span", false, false, true, CComp::kErrIncomplete},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Reset();
        const bool recipes = GetParam().limit == &CMemInfo::freeRecipe;
        if ((c.missingDriver && !GetParam().takesDriver) || (c.refusedVariable && recipes))
            continue;
        if (c.memory) {
            FitExactly();
            dir.Write("P.BIN", kOld);
            OneByteShort();
        }
        if (c.refusedVariable)
            Add(new CPrjVarBin("Flat", 4, 1, 2, 4, 0, 7, 7, 0, 100));
        dir.Write("P.BIN", kOld);
        // The recipe image reports every failure as incomplete.
        const uint16_t error = recipes ? uint16_t{CComp::kErrIncomplete} : c.error;
        EXPECT_EQ(Compile("P.BIN", c.missingDriver ? "NONE.DRV" : "P.DRV"), error);
        ExpectOldImageAlone();
    }
}

TEST_P(CompReplace, ImageThatFitsExactlyReplacesTheOldOne)
{
    const uint32_t limit = FitExactly();
    dir.Write("P.BIN", kOld);
    EXPECT_EQ(Compile(), 0);
    EXPECT_EQ(dir.Read("P.BIN").size(), limit - 1);
}

TEST_P(CompReplace, WriteFaultKeepsTheOldImage)
{
    dir.Write("P.BIN", kOld);
    {
        const FileSizeCap cap(kOld.size());
        EXPECT_EQ(Compile(), CComp::kErrIncomplete);
    }
    ExpectOldImageAlone();
}

INSTANTIATE_TEST_SUITE_P(Families, CompReplace, ::testing::ValuesIn(kImages),
                         [](const ::testing::TestParamInfo<Image>& i) { return std::string(i.param.name); });

}  // namespace
