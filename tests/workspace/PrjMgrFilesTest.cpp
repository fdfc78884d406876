// The project's own driver and special-function files beside its source, on
// a copy of the shipped program directory.
#include "workspace/PrjMgr.h"

#include "image/codec/ReadWhole.h"
#include "model/core/CatalogueIds.h"
#include "model/core/FrameState.h"
#include "model/core/LangStrings.h"
#include "model/core/UiServices.h"
#include "model/project/DrvCfg.h"
#include "model/project/FktCfg.h"
#include "model/project/PrjData.h"
#include "model/project/SpsPar.h"
#include "support/ConfigKit.h"
#include "support/FileSizeCap.h"
#include "support/FktBuilders.h"
#include "support/ScriptedUi.h"
#include "tools/cfggen/DrvBuilders.h"
#include "workspace/StartSel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <utility>
#include <vector>

namespace orv {
namespace {

namespace fs = std::filesystem;

std::string PrjFilesRead(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void PrjFilesWrite(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// A catalogue text with its arguments in order, as a box or question shows it.
std::string PrjFilesText(int id, std::initializer_list<std::string> args)
{
    std::string text = LoadLangString(static_cast<uint32_t>(id));
    for (const std::string& arg : args) {
        const size_t at = text.find("%s");
        if (at != std::string::npos)
            text.replace(at, 2, arg);
    }
    return text;
}

// A file larger than any reader takes; sparse, so it costs no space.
void PrjFilesWriteOversize(const std::string& path)
{
    PrjFilesWrite(path, "");
    fs::resize_file(path, kMaxInputFileSize + 1);
}

std::vector<DrvParamSpec> PrjFilesRange(uint32_t db, uint32_t first, uint32_t last)
{
    return {DrvParamSpec::Number("AK", db, 0, 0xFFFFFFFF), DrvParamSpec::Number("AL", first, 0, 0xFFFFFFFF),
            DrvParamSpec::Number("AM", last, 0, 0xFFFFFFFF)};
}

// The check word the writers stamp: the XOR of the bytes at 7, 14, 21, ...
// at 2, and at 3 what brings their sum to 0 modulo 256.
bool PrjFilesCheckWordValid(const std::string& bytes)
{
    uint8_t x = 0;
    unsigned sum = 0;
    for (size_t i = 7; i < bytes.size(); i += 7) {
        x = static_cast<uint8_t>(x ^ static_cast<uint8_t>(bytes[i]));
        sum += static_cast<uint8_t>(bytes[i]);
    }
    return bytes.size() > 3 && static_cast<uint8_t>(bytes[2]) == x &&
           static_cast<uint8_t>(static_cast<uint8_t>(bytes[3]) + sum) == 0;
}

// A UI whose next message box runs a call inside it, as a box's event loop
// can.
class PrjFilesUi : public ScriptedUi {
public:
    std::function<void()> insideNextBox;

    int MessageBox(MsgKind kind, std::string_view caption, std::string_view text, int stringId) override
    {
        const int result = ScriptedUi::MessageBox(kind, caption, text, stringId);
        if (auto inside = std::exchange(insideNextBox, nullptr))
            inside();
        return result;
    }
};

class PrjFilesKit : public testing::Test {
protected:
    PrjFilesKit()
    {
        frame.SetLogLevel(3);
        EXPECT_TRUE(sel.OpenDb(kit.Home()));
        frame.SetStartSel(&sel);
        fs::create_directories(kit.Home() + "DATA");
        src = kit.Home() + "DATA/DEMO.orv";
    }

    // The first PLC type and driver the shipped database offers the panel.
    bool SelectFirst(int devId)
    {
        const OfferedChoice offered = FirstOffered(sel.Db(), devId);
        mgr.SetPanelType(devId);
        mgr.SetPlcType(offered.spsId);
        mgr.SetDrvNum(offered.drvId);
        mgr.SetIntlDisplay(false);
        mgr.SetSimDrvBound(false);
        const bool ok = mgr.Startselection();
        mgr.GetPrjData()->SetPath(src);
        return ok;
    }
    // The workspace started, the panel selected and the project's own driver
    // file written beside the source.
    bool StartWithOwnDriver(int devId)
    {
        return mgr.Init() == CPrjMgr::kInitDone && SelectFirst(devId) && mgr.SavePrjDriver();
    }
    std::string Beside(const std::string& name) const { return kit.Home() + "DATA/" + name; }

    PrjFilesUi ui;
    ScopedUiServices uiReg{ui};
    ConfigKit kit;
    CFrameState frame;
    ScopedMainFrame frameReg{frame};
    CStartSel sel;
    CPrjMgr mgr{frame, sel};
    std::string src;
};

TEST_F(PrjFilesKit, DriverFileLifeCycle)
{
    ASSERT_EQ(mgr.Init(), CPrjMgr::kInitDone);
    for (const int devId : {14, 706}) {
        SCOPED_TRACE(devId);
        fs::remove(Beside("DEMO.DRV"));
        ASSERT_TRUE(SelectFirst(devId));
        CDrvCfg& drv = *mgr.GetDrvCfg();
        // Without a file the start-selection driver is taken, to be written.
        EXPECT_EQ(mgr.CheckPrjDriver(src), CPrjMgr::kDrvGoOn);
        mgr.LoadPrjDriver();
        EXPECT_FALSE(drv.IsDrvLoaded());
        EXPECT_GT(drv.GetModCount(), 0);
        EXPECT_TRUE(mgr.SavePrjDriver());
        ASSERT_TRUE(fs::exists(Beside("DEMO.DRV")));
        EXPECT_TRUE(drv.IsDrvLoaded());
        EXPECT_EQ(drv.GetModCount(), 0);
        EXPECT_EQ(drv.GetDrvPath(), Beside("DEMO.DRV"));
        // The project's own file of the same driver.
        const std::string written = PrjFilesRead(Beside("DEMO.DRV"));
        EXPECT_EQ(mgr.CheckPrjDriver(src), CPrjMgr::kDrvGoOn);
        mgr.LoadPrjDriver();
        EXPECT_TRUE(drv.IsDrvLoaded());
        EXPECT_EQ(drv.GetModCount(), 0);
        EXPECT_EQ(PrjFilesRead(Beside("DEMO.DRV")), written);
        // A file from a system that ignores case is the same file.
        fs::rename(Beside("DEMO.DRV"), Beside("demo.drv"));
        EXPECT_EQ(mgr.CheckPrjDriver(src), CPrjMgr::kDrvGoOn);
        mgr.LoadPrjDriver();
        EXPECT_TRUE(drv.IsDrvLoaded());
        EXPECT_EQ(drv.GetDrvPath(), Beside("demo.drv"));
        fs::rename(Beside("demo.drv"), Beside("DEMO.DRV"));
        EXPECT_TRUE(ui.CallsOf(UiCall::Kind::Box).empty());
    }
}

TEST_F(PrjFilesKit, AnotherDriversFileIsAskedAboutAndReplaced)
{
    ASSERT_TRUE(StartWithOwnDriver(14));
    CDrvCfg& drv = *mgr.GetDrvCfg();
    const uint16_t own = drv.GetDrvNo();
    drv.SetDrvNo(static_cast<uint16_t>(own == 5 ? 50 : 5));
    ui.AnswerQuestion(static_cast<int>(msg::kSollDerImProjektVerwendete), false);
    EXPECT_EQ(mgr.CheckPrjDriver(src), CPrjMgr::kDrvStop);
    ui.AnswerQuestion(static_cast<int>(msg::kSollDerImProjektVerwendete), true);
    EXPECT_EQ(mgr.CheckPrjDriver(src), CPrjMgr::kDrvReplace);
    const auto questions = ui.CallsOf(UiCall::Kind::Question);
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_NE(questions[0].text.find("  ersetzt"), std::string::npos) << questions[0].text;
    EXPECT_NE(questions[0].text.find(drv.GetDrvFileName()), std::string::npos) << questions[0].text;
    // Taking the project deletes the other driver's file.
    mgr.LoadPrjDriver();
    EXPECT_FALSE(fs::exists(Beside("DEMO.DRV")));
    const auto logs = ui.TextsOf(UiCall::Kind::LogAppend);
    EXPECT_TRUE(std::any_of(logs.begin(), logs.end(), [&](const std::string& line) {
        return line.find("Delete " + Beside("DEMO.DRV")) != std::string::npos;
    }));
    EXPECT_FALSE(drv.IsDrvLoaded());
    EXPECT_GT(drv.GetModCount(), 0);
}

// What the check answers for each state of the driver file beside the
// source; the file itself stays as it was.
struct CheckDrvCase {
    const char* name;
    std::string bytes;  // the file beside the source
    bool oversize;      // larger than any reader takes
    uint16_t drvNo;     // the selected driver
    uint16_t devType;   // the project's panel type
    int box;            // the one message shown; 0: none
    int questionId;     // 0: none
    std::string question; // the exact text; empty: any
    bool yes;
    int answer;
};

TEST_F(PrjFilesKit, CheckPrjDriverAnswers)
{
    ASSERT_TRUE(StartWithOwnDriver(14));
    CDrvCfg& drv = *mgr.GetDrvCfg();
    CSpsPar& sps = *mgr.GetSpsPar();
    const std::string own = PrjFilesRead(Beside("DEMO.DRV"));
    const uint16_t selected = drv.GetDrvNo();
    const uint16_t otherNo = selected == 1 ? 2 : 1;
    const auto entry = [](const std::string& file, std::vector<DrvParamSpec> params = {}) {
        Drv043Entry e;
        e.drvFile = file;
        e.params = std::move(params);
        return e.Build().bytes;
    };
    // Driver 65 compares its data block with the project's.
    const uint16_t ranged = 65;
    sps.SetSpsType(2);
    sps.SetOffset(16);
    sps.SetLength(32);
    sps.SetDataBlock(3);
    const int replace = static_cast<int>(msg::kSollDerImProjektVerwendete);
    const int range = static_cast<int>(msg::kSollDieImProjektVerwendete);
    const std::string selName = drv.DrvFileName(selected);
    const std::string otherName = drv.DrvFileName(otherNo);
    const CheckDrvCase cases[] = {
        {"the same driver", own, false, selected, 14, 0, 0, "", false, CPrjMgr::kDrvGoOn},
        {"unreadable", "", true, selected, 14, static_cast<int>(msg::kTreiberdateiKonnteNichtGelesenWerden), 0, "",
         false, CPrjMgr::kDrvStop},
        {"not a driver file", std::string(300, '\xEE'), false, selected, 14, 0, 0, "", false, CPrjMgr::kDrvReplace},
        {"empty", "", false, selected, 14, 0, 0, "", false, CPrjMgr::kDrvReplace},
        {"another driver, kept", entry(otherName), false, selected, 14, 0, replace,
         PrjFilesText(replace, {otherName, selName}), false, CPrjMgr::kDrvStop},
        {"another driver, replaced", entry(otherName), false, selected, 14, 0, replace,
         PrjFilesText(replace, {otherName, selName}), true, CPrjMgr::kDrvReplace},
        {"a driver without a name", entry(""), false, selected, 14, 0, replace,
         PrjFilesText(replace, {" ", selName}), true, CPrjMgr::kDrvReplace},
        {"the same driver, its range not fitting", entry(drv.DrvFileName(ranged), PrjFilesRange(7, 16, 47)), false,
         ranged, 14, 0, range, "", false, CPrjMgr::kDrvStop},
        {"the same driver, its range fitting", entry(drv.DrvFileName(ranged), PrjFilesRange(3, 16, 47)), false,
         ranged, 14, 0, 0, "", false, CPrjMgr::kDrvGoOn},
        {"a panel type outside the families", own, false, selected, 999, 0, 0, "", false, CPrjMgr::kDrvStop},
    };
    for (const CheckDrvCase& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.oversize)
            PrjFilesWriteOversize(Beside("DEMO.DRV"));
        else
            PrjFilesWrite(Beside("DEMO.DRV"), c.bytes);
        drv.SetDrvNo(c.drvNo);
        mgr.GetPrjData()->SetDevType(c.devType);
        if (!c.question.empty())
            ui.AnswerQuestionText(c.question, c.yes);
        else if (c.questionId)
            ui.AnswerQuestion(c.questionId, c.yes);
        ui.ClearCalls();
        EXPECT_EQ(mgr.CheckPrjDriver(src), c.answer);
        std::vector<int> boxes;
        for (const UiCall& call : ui.CallsOf(UiCall::Kind::Box))
            boxes.push_back(call.id);
        EXPECT_EQ(boxes, c.box ? std::vector<int>{c.box} : std::vector<int>{});
        EXPECT_EQ(ui.CallsOf(UiCall::Kind::Question).size(), c.questionId ? 1u : 0u);
        if (!c.oversize) {
            EXPECT_EQ(PrjFilesRead(Beside("DEMO.DRV")), c.bytes);
        }
    }
    mgr.GetPrjData()->SetDevType(14);
    drv.SetDrvNo(selected);
    fs::remove(Beside("DEMO.DRV"));
    EXPECT_EQ(mgr.CheckPrjDriver(src), CPrjMgr::kDrvGoOn);
}

// A driver file that cannot be read stays; the library's driver is taken in
// its place, to be written at the next save.
TEST_F(PrjFilesKit, UnreadableDriverFileStaysWhenTheProjectIsTaken)
{
    ASSERT_EQ(mgr.Init(), CPrjMgr::kInitDone);
    ASSERT_TRUE(SelectFirst(14));
    PrjFilesWriteOversize(Beside("DEMO.DRV"));
    CDrvCfg& drv = *mgr.GetDrvCfg();
    mgr.LoadPrjDriver();
    EXPECT_TRUE(fs::exists(Beside("DEMO.DRV")));
    EXPECT_FALSE(drv.IsDrvLoaded());
    EXPECT_FALSE(drv.GetDrvName().empty());
    EXPECT_GT(drv.GetModCount(), 0);
    const auto boxes = ui.CallsOf(UiCall::Kind::Box);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].id, static_cast<int>(msg::kTreiberdateiKonnteNichtGelesenWerden));
}

// The library's driver against the project's own copy: a newer one is taken
// again, an older one only brings the project's settings up to date.
TEST_F(PrjFilesKit, SavePrjDriverTakesOnlyANewerLibraryDriver)
{
    ASSERT_TRUE(StartWithOwnDriver(14));
    CDrvCfg& drv = *mgr.GetDrvCfg();
    const std::string name = drv.GetDrvFileName();
    const std::string shipped = kit.Read("ORV014.DRV");
    const struct {
        const char* version;
        const char* copyVersion; // the version the project's copy has afterwards
        const char* notVersion;
    } cases[] = {{"9980", "9990", "9980"}, {"9991", "9991", "9990"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        Drv043Entry e;
        e.drvFile = name;
        e.kind = "000";
        e.version = c.version;
        kit.Write("ORV014.DRV", e.Build().bytes);
        drv.SetModified(true);
        EXPECT_TRUE(mgr.SavePrjDriver());
        EXPECT_EQ(drv.GetModCount(), 0);
        EXPECT_TRUE(drv.IsDrvLoaded());
        const std::string copy = PrjFilesRead(Beside("DEMO.DRV"));
        EXPECT_NE(copy.find(c.copyVersion), std::string::npos);
        EXPECT_EQ(copy.find(c.notVersion), std::string::npos);
    }
    kit.Write("ORV014.DRV", shipped);
    EXPECT_TRUE(ui.CallsOf(UiCall::Kind::Box).empty());
}

// A write that fails leaves the configuration marked modified; the save
// called again inside the message box returns at once.
TEST_F(PrjFilesKit, FailedDriverWriteKeepsTheModifiedMark)
{
    ASSERT_TRUE(StartWithOwnDriver(14));
    CDrvCfg& drv = *mgr.GetDrvCfg();
    const std::string written = PrjFilesRead(Beside("DEMO.DRV"));
    drv.SetModified(true);
    bool nested = true;
    ui.insideNextBox = [&] { nested = mgr.SavePrjDriver(); };
    {
        FileSizeCap cap(16);
        EXPECT_TRUE(mgr.SavePrjDriver());
    }
    EXPECT_FALSE(nested);
    EXPECT_GT(drv.GetModCount(), 0);
    EXPECT_EQ(PrjFilesRead(Beside("DEMO.DRV")), written);
    const auto boxes = ui.CallsOf(UiCall::Kind::Box);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].id, static_cast<int>(msg::kTreiberdateiKonnteNichtGeaendertWerden));
    // Outside the box the save runs again.
    EXPECT_TRUE(mgr.SavePrjDriver());
    EXPECT_EQ(drv.GetModCount(), 0);
}

class PrjFktKit : public PrjFilesKit {
protected:
    void SetUp() override
    {
        std_ = kit.CfgPath("STD014.FKT");
        PrjFilesWrite(std_, Std("0000"));
    }
    static std::string Std(const char* version, const char* name = "STD014.FKT")
    {
        FktDosFile file;
        file.name = name;
        file.version = version;
        file.body = std::string(40, 'B');
        return file.Build();
    }
    std::string std_;
};

TEST_F(PrjFktKit, StartSelectionTakesTheGroupsStandardFile)
{
    mgr.Workspace().SetStdFktPath(0, "");
    ASSERT_EQ(mgr.Init(), CPrjMgr::kInitDone);
    mgr.Workspace().SetStdFktPath(0, std_);
    const struct {
        const char* name;
        std::string bytes;  // empty: no file
        bool used;
        int box;
    } cases[] = {
        {"standard", Std("0000"), true, 0},
        {"not standard", Std("0000", "OTHER.FKT"), false, static_cast<int>(msg::kDateiIstBeschaedigt)},
        {"missing", "", false, static_cast<int>(msg::kDateiKannNichtGeoeffnetWerden)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.bytes.empty())
            fs::remove(std_);
        else
            PrjFilesWrite(std_, c.bytes);
        ui.ClearCalls();
        mgr.SetLastError(0);
        EXPECT_TRUE(SelectFirst(14));
        EXPECT_EQ(mgr.GetAbortCode(), 0);
        EXPECT_EQ(mgr.GetFktCfg()->IsUsed() != 0, c.used);
        const auto boxes = ui.CallsOf(UiCall::Kind::Box);
        if (c.box) {
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_EQ(boxes[0].id, c.box);
            EXPECT_EQ(mgr.GetLastError(), CPrjMgr::kErrFktFile);
        } else {
            EXPECT_TRUE(boxes.empty());
        }
    }
    // 473 and 477 have no standard file, 43 none configured: a project of
    // theirs uses none, whatever the panel before used.
    ui.ClearCalls();
    for (const int devId : {473, 477, 43}) {
        PrjFilesWrite(std_, Std("0000"));
        ASSERT_TRUE(SelectFirst(14));
        ASSERT_TRUE(mgr.GetFktCfg()->IsUsed());
        EXPECT_TRUE(SelectFirst(devId)) << devId;
        EXPECT_FALSE(mgr.GetFktCfg()->IsUsed()) << devId;
        EXPECT_TRUE(mgr.SavePrjFkt());
        EXPECT_FALSE(fs::exists(Beside("DEMO.FKT"))) << devId;
    }
    EXPECT_TRUE(ui.CallsOf(UiCall::Kind::Box).empty());
}

TEST_F(PrjFktKit, ProjectCopyIsWrittenLoadedAndReplacedOnlyWhenNewer)
{
    ASSERT_EQ(mgr.Init(), CPrjMgr::kInitDone);
    mgr.Workspace().SetStdFktPath(0, std_);
    ASSERT_TRUE(SelectFirst(14));
    CFktCfg& fkt = *mgr.GetFktCfg();
    ASSERT_TRUE(fkt.IsUsed());
    EXPECT_TRUE(mgr.SavePrjFkt());
    ASSERT_TRUE(fs::exists(Beside("DEMO.FKT")));
    EXPECT_TRUE(fkt.IsLoaded());
    EXPECT_EQ(fkt.GetModCount(), 0);
    const std::string copy = PrjFilesRead(Beside("DEMO.FKT"));
    EXPECT_NE(copy, PrjFilesRead(std_));  // stamped with the project's name
    mgr.LoadPrjFkt();
    EXPECT_TRUE(fkt.IsLoaded());
    // The standard file not newer: the copy keeps its bytes.
    EXPECT_TRUE(mgr.SavePrjFkt());
    EXPECT_EQ(PrjFilesRead(Beside("DEMO.FKT")), copy);
    // A newer standard file replaces it.
    PrjFilesWrite(std_, Std("0001"));
    EXPECT_TRUE(mgr.SavePrjFkt());
    EXPECT_NE(PrjFilesRead(Beside("DEMO.FKT")), copy);
    // A foreign file beside the source is deleted, the standard taken.
    PrjFilesWrite(Beside("DEMO.FKT"), Std("0000", "OTHER.FKT"));
    mgr.LoadPrjFkt();
    EXPECT_FALSE(fs::exists(Beside("DEMO.FKT")));
    EXPECT_FALSE(fkt.IsLoaded());
    EXPECT_GT(fkt.GetModCount(), 0);
}

// The 706 group's copy is written with a valid check word.
TEST_F(PrjFktKit, The706CopyCarriesAValidCheckWord)
{
    ASSERT_EQ(mgr.Init(), CPrjMgr::kInitDone);
    Fkt706File std706;
    std706.body = std::string(60, 'B');
    kit.Write("STD706.FKT", std706.Build());
    mgr.Workspace().SetStdFktPath(3, kit.CfgPath("STD706.FKT"));
    ASSERT_TRUE(SelectFirst(706));
    ASSERT_TRUE(mgr.GetFktCfg()->IsUsed());
    EXPECT_TRUE(mgr.SavePrjFkt());
    const std::string copy = PrjFilesRead(Beside("DEMO.FKT"));
    EXPECT_NE(copy, std706.Build());
    EXPECT_TRUE(PrjFilesCheckWordValid(copy));
    EXPECT_TRUE(mgr.GetFktCfg()->IsLoaded());
    EXPECT_EQ(mgr.GetFktCfg()->GetModCount(), 0);
}

// A project that uses no special-function file leaves the file beside it and
// the configuration as they are.
TEST_F(PrjFktKit, ProjectWithoutSpecialFunctionFileIsLeftAlone)
{
    ASSERT_EQ(mgr.Init(), CPrjMgr::kInitDone);
    mgr.Workspace().SetStdFktPath(0, std_);
    ASSERT_TRUE(SelectFirst(14));
    CFktCfg& fkt = *mgr.GetFktCfg();
    fkt.SetUsed(false);
    const std::string foreign = Std("0000", "OTHER.FKT");
    PrjFilesWrite(Beside("DEMO.FKT"), foreign);
    const std::string path = fkt.GetPath();
    const uint16_t count = fkt.GetModCount();
    mgr.LoadPrjFkt();
    EXPECT_TRUE(mgr.SavePrjFkt());
    EXPECT_EQ(PrjFilesRead(Beside("DEMO.FKT")), foreign);
    EXPECT_EQ(fkt.GetPath(), path);
    EXPECT_EQ(fkt.GetModCount(), count);
    EXPECT_FALSE(fkt.IsLoaded());
}

} // namespace
} // namespace orv
