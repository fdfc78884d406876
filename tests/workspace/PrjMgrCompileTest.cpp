// Compiling the project on a copy of the shipped directory: memory sizes, the
// save before a compile, the images of each family, the report, and the
// decision whether an image is out of date.
#include "WorkspaceKit.h"

#include "model/core/CatalogueIds.h"
#include "model/core/FrameState.h"
#include "model/project/DrvCfg.h"
#include "model/project/FktCfg.h"
#include "model/project/FrmCfg.h"
#include "model/project/PrjData.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace orv {
namespace {

namespace fs = std::filesystem;

class CompileCommand : public WorkspaceKit {
protected:
    // A saved project of the panel in DATA/, loaded flag set.
    void SavedProject(int devId)
    {
        ASSERT_TRUE(SelectFirst(devId));
        frame.SetPrjPath(Data("DEMO.orv"));
        ASSERT_TRUE(mgr.SavePrj());
        frame.SetStateFlags(CFrameState::kStateProjectLoaded);
        ui.ClearCalls();
    }
    CPrjData& Prj() { return *mgr.GetPrjData(); }
};

TEST_F(CompileCommand, ResetMemInfoByFamilyAndFormat)
{
    ASSERT_EQ(mgr.Init(), CPrjMgr::kInitDone);
    WriteFile(Data("P.DRV"), std::string(300, 'd'));
    WriteFile(Data("P.FKT"), std::string(40, 'f'));
    mgr.GetDrvCfg()->SetDrvPath(Data("P.DRV"));
    mgr.GetFktCfg()->SetPath(Data("P.FKT"));
    const struct {
        uint16_t devType;
        uint16_t dataSize;
        uint16_t rcpSize;
        bool fktUsed;
        uint32_t freeData;
        uint32_t freeRecipe;
        uint32_t reserve; // 7 where the family leaves the figure alone
    } cases[] = {
        {14, 0, 0, false, 32766, 4096, 300},
        {47, 1, 1, true, 32766, 4096, 340},
        {118, 0, 0, true, 65535, 8190, 340},
        {118, 1, 0, false, 32766, 8190, 300},
        {163, 1, 1, false, 32766, 4094, 300},
        {118, 0, 1, false, 65535, 8190, 300},
        {167, 0, 0, false, 65535, 32766, 300},
        {167, 0, 1, false, 65535, 10238, 300},
        {167, 1, 1, false, 32766, 4094, 300},
        {706, 0, 0, true, 131070, 4096, 7},
        {1724, 0, 0, true, 131070, 4096, 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.devType << " data " << c.dataSize << " rcp " << c.rcpSize);
        Prj().SetDevType(c.devType);
        Prj().SetDataSize(c.dataSize);
        Prj().SetRcpSize(c.rcpSize);
        mgr.GetFktCfg()->SetUsed(c.fktUsed);
        mgr.Workspace().SetDrvFktReserve(7);
        mgr.Workspace().MemInfo().counts.vars = 5;
        mgr.ResetMemInfo();
        const CMemInfo& info = mgr.Workspace().MemInfo();
        EXPECT_EQ(info.devType, c.devType);
        EXPECT_EQ(info.counts.vars, 0);
        EXPECT_EQ(info.compiling, 0);
        EXPECT_EQ(info.freeData, c.freeData);
        EXPECT_EQ(info.freeRecipe, c.freeRecipe);
        EXPECT_EQ(mgr.Workspace().GetDrvFktReserve(), c.reserve);
    }
}

TEST_F(CompileCommand, ReportLinesWithAndWithoutSpecialFunctionFile)
{
    ASSERT_EQ(mgr.Init(), CPrjMgr::kInitDone);
    Prj().SetPath(Data("Demo.orv"));
    mgr.GetDrvCfg()->SetDrvFile("DRV005");
    mgr.GetDrvCfg()->SetDrvVersion("V1.23");
    mgr.GetFktCfg()->SetFile("STD047");
    mgr.GetFktCfg()->SetVersion("2.01");
    for (const bool used : {true, false}) {
        SCOPED_TRACE(used);
        ui.ClearCalls();
        mgr.GetFktCfg()->SetUsed(used);
        mgr.ResetMemInfo();
        CMemInfo& info = mgr.Workspace().MemInfo();
        uint16_t n = 1;
        for (uint16_t* count : {&info.counts.vars, &info.counts.varTexts, &info.counts.opTexts, &info.counts.opRows,
                                &info.counts.msgTexts, &info.counts.msgRows, &info.counts.histTexts,
                                &info.counts.histRows, &info.counts.hlpTexts, &info.counts.hlpRows,
                                &info.counts.rcpTexts, &info.counts.rcpRows, &info.counts.opPrnTexts,
                                &info.counts.opPrnRows, &info.counts.msgPrnTexts, &info.counts.msgPrnRows,
                                &info.counts.menus, &info.counts.menuNodes, &info.counts.timeSwitches,
                                &info.counts.timeValues, &info.counts.skTexts, &info.counts.skActions})
            *count = n++;
        info.freeData = 12345;
        info.freeRecipe = 678;
        mgr.ReportCompile();
        std::vector<std::string> expected = {"Datensatz: Demo.ORV", "Treiber: DRV005 V1.23"};
        if (used)
            expected.push_back("      Sonderfunktion:   STD047 V 2.01");
        const std::vector<std::string> rest = {
            "Zieldatei: Demo.BIN",
            "             Variable:     1     2 Auspr\xE4" "gungen",
            "          Bedientexte:     3     4 Zeilen",
            "           Meldetexte:     5     6 Zeilen",
            "         Historytexte:     7     8 Zeilen",
            "           Hilfstexte:     9    10 Zeilen",
            "          Rezepttexte:    11    12 Zeilen",
            "   Bediendruckertexte:    13    14 Zeilen",
            "    Meldedruckertexte:    15    16 Zeilen",
            "                Men\xFC" "s:    17    18 Knoten",
            "      Zeitschaltuhren:    19    20 Nocken",
            "             Softkeys:    21    22 Aktionen",
            "        freier ORV-Speicher  12345 Byte",
            "        freier REC-Speicher    678 Byte",
        };
        expected.insert(expected.end(), rest.begin(), rest.end());
        EXPECT_EQ(ui.TextsOf(UiCall::Kind::LogAppend), expected);
    }
}

TEST_F(CompileCommand, SaveBeforeCompile)
{
    ASSERT_NO_FATAL_FAILURE(SavedProject(43));
    const struct {
        const char* name;
        uint16_t bundleCount;
        uint16_t rootCount;
        uint16_t drvCount;
        bool fktUsed;
        bool fktChanged;
        bool xref;
        int answer; // -1 no question expected, 0 No, 1 Yes
        bool withPath;
        int result;
        bool saved;
    } cases[] = {
        {"nothing changed", 0, 0, 0, true, false, false, -1, true, 1, false},
        {"nothing changed, cross reference flag", 0, 0, 0, true, false, true, -1, true, 1, false},
        {"bundle counter", 3, 0, 0, true, false, false, 1, true, 1, true},
        {"root counter", 0, 1, 0, true, false, false, 1, true, 1, true},
        {"driver counter", 0, 0, 2, true, false, false, 1, true, 1, true},
        {"special functions in use", 0, 0, 0, true, true, false, 1, true, 1, true},
        {"special functions not in use", 0, 0, 0, false, true, false, -1, true, 1, false},
        {"No", 0, 1, 0, true, false, false, 0, true, 0, false},
        {"Yes without a path", 0, 1, 0, true, false, false, 1, false, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ui.ClearCalls();
        fs::remove(Data("DEMO.orv"));
        fs::remove(Data("DEMO.DRV"));
        frame.SetPrjPath(c.withPath ? Data("DEMO.orv") : "");
        Prj().SetPath(c.withPath ? Data("DEMO.orv") : "");
        mgr.GetFktCfg()->SetUsed(c.fktUsed);
        if (c.fktChanged)
            mgr.GetFktCfg()->SetModified(true);
        else
            mgr.GetFktCfg()->SetModified(false);
        Prj().SetModCount(c.rootCount);
        mgr.GetDrvCfg()->SetModCount(c.drvCount);
        mgr.GetDrvCfg()->SetFlag(CDrvCfg::kFlagXref, c.xref ? 1 : 0);
        mgr.Bundle().modCount = c.bundleCount;
        if (c.answer >= 0)
            ui.AnswerQuestion(static_cast<int>(msg::kDatensatzWirdNunZunaechstGespeichert), c.answer == 1);
        EXPECT_EQ(mgr.SaveBeforeCompile(), c.result);
        EXPECT_EQ(QuestionIds().size(), c.answer >= 0 ? 1u : 0u);
        EXPECT_EQ(fs::exists(Data("DEMO.orv")), c.saved);
        // The cross-reference flag alone writes the project's driver file.
        EXPECT_EQ(fs::exists(Data("DEMO.DRV")), c.saved || c.xref);
        mgr.GetFktCfg()->SetUsed(false);
        mgr.GetFktCfg()->SetModified(false);
    }
}

TEST_F(CompileCommand, EachFamilyWritesItsImages)
{
    for (const int devId : {43, 755, 118, 167, 706}) {
        SCOPED_TRACE(devId);
        for (const char* name : {"DEMO.orv", "DEMO.DRV", "DEMO.FKT", "DEMO.BIN", "DEMO.REC"})
            fs::remove(Data(name));
        ASSERT_NO_FATAL_FAILURE(SavedProject(devId));
        const bool family118 = devId == 118 || devId == 167;
        // A 118 family compile appends no driver: without the file it still
        // succeeds.
        if (family118)
            fs::remove(Data("DEMO.DRV"));
        WriteFile(Data("DEMO.REC"), "stale");
        ASSERT_TRUE(mgr.Compile());
        EXPECT_TRUE(fs::exists(Data("DEMO.BIN")));
        EXPECT_EQ(mgr.GetImageFile(), Data("DEMO.BIN"));
        EXPECT_EQ(fs::exists(Data("DEMO.REC")), family118);
        EXPECT_TRUE(Logged("Zieldatei geschrieben: " + Data("DEMO.BIN")));
        EXPECT_TRUE(Logged("Zieldatei: DEMO.BIN"));
        // The project is still the loaded one.
        EXPECT_EQ(frame.GetStateFlags(), CFrameState::kStateProjectLoaded | CPrjMgr::kStateCompiled);
        EXPECT_EQ(mgr.Workspace().MemInfo().compiling, 0);
        EXPECT_TRUE(BoxIds().empty());
    }
}

TEST_F(CompileCommand, RefusedCompileLeavesNoImage)
{
    ASSERT_NO_FATAL_FAILURE(SavedProject(43));
    // The 043 family appends the project's special-function file; without
    // it the compiler refuses.
    mgr.GetFktCfg()->SetUsed(1);
    fs::remove(Data("DEMO.FKT"));
    WriteFile(Data("DEMO.BIN"), "old image");
    WriteFile(Data("DEMO.REC"), "old recipes");
    EXPECT_FALSE(mgr.Compile());
    EXPECT_FALSE(fs::exists(Data("DEMO.BIN")));
    EXPECT_FALSE(fs::exists(Data("DEMO.REC")));
    EXPECT_FALSE(BoxIds().empty());
    EXPECT_EQ(LogsStarting({"Delete "}),
              (std::vector<std::string>{"Delete " + Data("DEMO.BIN"), "Delete " + Data("DEMO.BIN"),
                                        "Delete " + Data("DEMO.REC")}));
    EXPECT_FALSE(Logged("Zieldatei: DEMO.BIN"));
    EXPECT_EQ(frame.GetStateFlags(), CFrameState::kStateProjectLoaded);
}

TEST_F(CompileCommand, TypeOutsideTheFamiliesDeletesTheOldImage)
{
    ASSERT_NO_FATAL_FAILURE(SavedProject(43));
    WriteFile(Data("DEMO.BIN"), "old image");
    Prj().SetDevType(1724);
    EXPECT_FALSE(mgr.Compile());
    EXPECT_FALSE(fs::exists(Data("DEMO.BIN")));
    EXPECT_FALSE(Logged("Zieldatei: DEMO.BIN"));
    EXPECT_TRUE(BoxIds().empty());
}

TEST_F(CompileCommand, RootWithoutPathTouchesNothing)
{
    ASSERT_TRUE(SelectFirst(43));
    Prj().SetPath("");
    mgr.GetDrvCfg()->SetFlag(CDrvCfg::kFlagXref, 1);
    ui.ClearCalls();
    EXPECT_FALSE(mgr.Compile());
    EXPECT_TRUE(LogsStarting({"Delete "}).empty());
    EXPECT_FALSE(fs::exists(".BIN"));
    EXPECT_FALSE(fs::exists(".DRV"));
    EXPECT_EQ(mgr.CompileImg2(), -1);
    EXPECT_FALSE(fs::exists(".REC"));
}

class NeedsCompileTable : public CompileCommand {
protected:
    void SetAge(const std::string& name, int seconds)
    {
        fs::last_write_time(Data(name), m_base + std::chrono::seconds(seconds));
    }

    fs::file_time_type m_base = fs::file_time_type::clock::now() - std::chrono::hours(1);
};

TEST_F(NeedsCompileTable, ByCountersTimesAndContents)
{
    ASSERT_NO_FATAL_FAILURE(SavedProject(43));
    WriteFile(Data("DEMO.FKT"), "functions");
    mgr.GetFrmCfg()->SetFrmId("FWID12345");
    // An image of 100 bytes: the firmware id at 22 names panel 47's variant
    // ("OG047427", as the compiler writes it) or its plain firmware
    // ("OG047202", whose other digits are 2s); a further firmware id at 64
    // (706 family) or 218 (118 family) where the image is long enough.
    auto image = [](size_t size, bool variant, size_t idAt, const std::string& id) {
        std::string bytes(size, 'x');
        bytes.replace(22, 8, variant ? "OG047427" : "OG047202");
        if (idAt + id.size() <= size)
            bytes.replace(idAt, id.size(), id);
        return bytes;
    };
    enum Count { kNone, kRoot, kDrv, kFkt };
    const struct {
        const char* name;
        uint16_t devType;
        bool variant;
        Count count;
        std::string image; // empty: no image
        int source;        // age against the image (0 equal); 99 missing
        int driver;        // 99 missing
        int fkt;
        bool fktUsed;
        bool needed;
        const char* logLine;
    } cases[] = {
        {"all older", 43, false, kNone, image(100, false, 0, ""), -10, -10, -10, true, false, nullptr},
        {"root counter", 43, false, kRoot, image(100, false, 0, ""), -10, -10, -10, true, true, nullptr},
        {"driver counter", 43, false, kDrv, image(100, false, 0, ""), -10, -10, -10, true, true, nullptr},
        {"function counter", 43, false, kFkt, image(100, false, 0, ""), -10, -10, -10, false, true, nullptr},
        {"image missing", 43, false, kNone, "", -10, -10, -10, true, true, nullptr},
        {"source newer", 43, false, kNone, image(100, false, 0, ""), 10, -10, -10, true, true, nullptr},
        {"source as new", 43, false, kNone, image(100, false, 0, ""), 0, -10, -10, true, true, nullptr},
        {"driver missing", 43, false, kNone, image(100, false, 0, ""), -10, 99, -10, true, true, nullptr},
        {"driver newer", 43, false, kNone, image(100, false, 0, ""), -10, 10, -10, true, true, nullptr},
        {"driver newer, 118 family", 118, false, kNone, image(300, false, 218, "FWID12345"), -10, 10, -10, true,
         false, nullptr},
        {"functions newer, in use", 43, false, kNone, image(100, false, 0, ""), -10, -10, 10, true, true, nullptr},
        {"functions newer, not in use", 43, false, kNone, image(100, false, 0, ""), -10, -10, 10, false, false,
         nullptr},
        {"source missing, driver newer", 43, false, kNone, image(100, false, 0, ""), 99, 10, 10, true, false,
         nullptr},
        {"47 variant image, no variant", 47, false, kNone, image(100, true, 0, ""), -10, -10, -10, true, true,
         nullptr},
        {"47 variant image, variant", 47, true, kNone, image(100, true, 0, ""), -10, -10, -10, true, false, nullptr},
        {"47 plain image, no variant", 47, false, kNone, image(100, false, 0, ""), -10, -10, -10, true, false,
         nullptr},
        {"47 plain image, variant", 47, true, kNone, image(100, false, 0, ""), -10, -10, -10, true, true, nullptr},
        {"118 same firmware", 163, false, kNone, image(300, false, 218, "FWID12345"), -10, -10, -10, true, false,
         nullptr},
        {"118 other firmware", 167, false, kNone, image(300, false, 218, "FWID99999"), -10, -10, -10, true, true,
         "FirmwareVersion:FWID99999"},
        {"706 same firmware", 706, false, kNone, image(100, false, 64, "FWID12345"), -10, -10, -10, true, false,
         nullptr},
        {"706 other firmware", 473, false, kNone, image(100, false, 64, "FWOLD0001"), -10, -10, -10, true, true,
         "FirmwareVersion:FWOLD0001"},
        {"short image", 706, false, kNone, image(70, false, 64, ""), -10, -10, -10, true, true, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ui.ClearCalls();
        Prj().SetDevType(c.devType);
        Prj().SetVariant(c.variant);
        Prj().SetModCount(c.count == kRoot ? 1 : 0);
        mgr.GetDrvCfg()->SetModCount(c.count == kDrv ? 1 : 0);
        mgr.GetFktCfg()->SetModified(c.count == kFkt);
        mgr.GetFktCfg()->SetUsed(c.fktUsed);
        fs::remove(Data("DEMO.BIN"));
        if (!c.image.empty()) {
            WriteFile(Data("DEMO.BIN"), c.image);
            SetAge("DEMO.BIN", 0);
        }
        const std::pair<const char*, int> others[] = {{"DEMO.orv", c.source}, {"DEMO.DRV", c.driver},
                                                      {"DEMO.FKT", c.fkt}};
        for (const auto& [name, age] : others) {
            if (age == 99) {
                fs::rename(Data(name), Data(std::string(name) + "~"));
                continue;
            }
            SetAge(name, age);
        }
        EXPECT_EQ(mgr.NeedsCompile(), c.needed);
        if (c.logLine)
            EXPECT_EQ(LogsStarting({"FirmwareVersion:"}), std::vector<std::string>{c.logLine});
        else
            EXPECT_TRUE(LogsStarting({"FirmwareVersion:"}).empty());
        for (const auto& [name, age] : others)
            if (age == 99)
                fs::rename(Data(std::string(name) + "~"), Data(name));
    }
}

} // namespace
} // namespace orv
