// Opening, appending, saving and emptying a project on a copy of the shipped
// directory: the parameter line, the save question, the safety copy, the
// backup, and the first load of the last project.
#include "WorkspaceKit.h"

#include "image/drv/Placeholder.h"
#include "model/core/CatalogueIds.h"
#include "model/core/FrameState.h"
#include "model/core/LangStrings.h"
#include "model/project/DrvCfg.h"
#include "model/project/FktCfg.h"
#include "model/project/PrjData.h"
#include "model/project/PrjVarList.h"
#include "source/writer/ReplaceFile.h"
#include "support/SourceTextBuilder.h"
#include "support/TempDir.h"
#include "workspace/SelQueries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

namespace orv {
namespace {

namespace fs = std::filesystem;

std::string LoadParamLine(int devType, int sps, int drv, int db = 0, int offs = 0, int len = 100)
{
    char line[128];
    std::snprintf(line, sizeof line, "ORV%03d_PARAMETER, Q32r11000, DRV=%d, SPS=%d, DB=%d, OFFS=%d, LEN=%d", devType,
                  drv, sps, db, offs, len);
    return line;
}

// A source of the panel with one variable, the parameter line optional.
std::string LoadSource(int devType, const std::string& var, const std::string& param = "")
{
    SourceTextBuilder b;
    if (param.empty())
        b.Header(static_cast<uint16_t>(devType));
    else
        b.Line(param);
    return b.Begin().Line("VAR, " + var + ", 40, ACTUAL, WORD").End().Build();
}

// A source that the parser refuses in its statements.
std::string LoadBrokenSource(int devType, const std::string& param = "")
{
    SourceTextBuilder b;
    if (param.empty())
        b.Header(static_cast<uint16_t>(devType));
    else
        b.Line(param);
    return b.Begin().Line("VAR, Z, 40, ACTUAL, WORD").Line("NOSUCHSTATEMENT").End().Build();
}

TEST(Prescan, ParameterLines)
{
    const TempDir dir;
    const std::string complete = LoadParamLine(43, 33, 5, 10, 20, 30);
    const std::string filler(100, '\n');
    const struct {
        const char* name;
        std::string text;
        bool found;
        CPrjMgr::PrescanRecord rec;
    } cases[] = {
        {"no parameter line", "BEGIN\r\nEND\r\n", false, {}},
        {"one complete line", complete + "\r\nBEGIN\r\n", true, {"ORVPRO", 43, 33, 5, 10, 20, 30}},
        {"the later complete line wins", complete + "\r\n" + LoadParamLine(755, 8, 2, 1, 2, 3) + "\r\n", true,
         {"ORVPRO", 755, 8, 2, 1, 2, 3}},
        {"a line without LEN= ends the scan", complete + "\r\nORV047_PARAMETER, DRV=7, SPS=8, DB=9, OFFS=1\r\n" +
                                                  LoadParamLine(14, 1, 1) + "\r\n",
         true, {"ORVPRO", 43, 33, 5, 10, 20, 30}},
        {"a TEQ line after a complete one", complete + "\r\nTEQ_PARAMETER, X\r\n", false, {}},
        {"an ORVWIN line after a complete one", complete + "\r\nORVWIN_PARAMETER, DRV=1\r\n", false, {}},
        {"a complete line at line 100", std::string(99, '\n') + complete + "\r\n", true,
         {"ORVPRO", 43, 33, 5, 10, 20, 30}},
        {"a complete line at line 101", filler + complete + "\r\n", false, {}},
        {"a 300-character line", complete + std::string(300 - complete.size(), ' ') + "\r\n", true,
         {"ORVPRO", 43, 33, 5, 10, 20, 30}},
        {"keys beyond 255 characters", "ORV043_PARAMETER," + std::string(260, ' ') + complete.substr(16) + "\r\n",
         false, {}},
        {"an unknown panel id", "ORVXYZ_PARAMETER, DRV=1, SPS=2, DB=3, OFFS=4, LEN=5\r\n", true,
         {"ORVPRO", 0, 2, 1, 3, 4, 5}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dir.Write("P.ORV", c.text);
        CPrjMgr::PrescanRecord rec;
        ASSERT_EQ(CPrjMgr::Prescan(dir.File("P.ORV"), rec), c.found);
        if (!c.found)
            continue;
        EXPECT_EQ(rec.tool, c.rec.tool);
        EXPECT_EQ(rec.devType, c.rec.devType);
        EXPECT_EQ(rec.spsType, c.rec.spsType);
        EXPECT_EQ(rec.drvNo, c.rec.drvNo);
        EXPECT_EQ(rec.db, c.rec.db);
        EXPECT_EQ(rec.offset, c.rec.offset);
        EXPECT_EQ(rec.length, c.rec.length);
    }
    CPrjMgr::PrescanRecord rec;
    EXPECT_FALSE(CPrjMgr::Prescan(dir.File("MISSING.ORV"), rec));
    // An installed sample is read-only; root may write anything, so the case
    // shows nothing there.
    if (geteuid() != 0) {
        dir.Write("RO.ORV", complete + "\r\n");
        fs::permissions(dir.File("RO.ORV"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
        EXPECT_TRUE(CPrjMgr::Prescan(dir.File("RO.ORV"), rec));
        EXPECT_EQ(rec.devType, 43);
    }
}

TEST(Prescan, PanelTypeOfId)
{
    const struct {
        const char* line;
        int32_t code;
    } cases[] = {{"ORV014_PARAMETER", 14}, {"ORV036", 36},   {"ORV043", 43},      {"ORV047", 47},
                 {"ORV755", 755},          {"ORV706", 706},  {"ORV724", 1724},    {"ORV473", 473},
                 {"ORV477", 477},          {"ORV753", 1753}, {"ORV753C", 1753},   {"ORV753E_PARAMETER", 1753},
                 {"ORV118", 118},          {"ORV163", 163},  {"ORV167", 167},     {"ORV7", 0},
                 {"TEQ043", 0},            {"", 0},          {" ORV043", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(CPrjMgr::PanelTypeOfId(c.line), c.code) << c.line;
}

class PrjLoad : public WorkspaceKit {
protected:
    // The kit's default selection with a loaded project A (one variable).
    void LoadedA()
    {
        ASSERT_TRUE(SelectFirst(43));
        WriteFile(Data("A.orv"), LoadSource(43, "A"));
        ASSERT_EQ(mgr.LoadPrj(Data("A.orv")).result, 1);
        ASSERT_EQ(frame.GetPrjPath(), Data("A.orv"));
        ASSERT_TRUE(mgr.SavePrj());
        ui.ClearCalls();
    }
    // The first PLC type and driver the database offers the panel.
    std::pair<int, int> FirstCombination(int devId)
    {
        CSelQueries q(&sel.Db());
        q.RunApp("ORVPRO");
        q.RunDev(devId);
        q.RunSps(-1);
        q.RunSps(q.sps.IdAt(0));
        q.RunDrv(-1);
        const int drv = q.drv.IdAt(0);
        return {q.spsId, drv >= 1000 ? drv / 100 : drv};
    }
    CPrjData& Prj() { return *mgr.GetPrjData(); }
    bool TmpGone() const { return !fs::exists(kit.CfgPath("ORVPRO.TMP")); }
};

TEST_F(PrjLoad, SaveQuestionByMask)
{
    ASSERT_NO_FATAL_FAILURE(LoadedA());
    const struct {
        const char* name;
        bool root;
        bool drv;
        bool drvLoaded;
        bool fktUsed;
        bool fkt;
        int reason; // 0: no question
        int answer; // 1 Yes, 0 No
        int result;
    } cases[] = {
        {"nothing changed", false, false, true, true, false, 0, 0, 13},
        {"special functions changed, not in use", false, false, true, false, true, 0, 0, 13},
        {"data set", true, false, true, true, false, msg::kDatensatzWurdeVeraendert, 1, 12},
        {"data set and special functions", true, false, true, true, true, msg::kDatensatzWurdeVeraendert, 0, 11},
        {"driver, own file loaded", false, true, true, false, false, msg::kTreiberParameterWurdenVeraendert, 0, 11},
        {"driver, no own file", false, true, false, true, true, msg::kTreiberParameterSindNochNicht, 1, 12},
        {"data set and driver", true, true, true, false, false, msg::kDatensatzUndTreiberParameterWurden, 0, 11},
        {"all three", true, true, false, true, true, msg::kDatensatzUndTreiberParameterWurden, 1, 12},
        {"special functions", false, false, true, true, true, msg::kSonderfunktionIstNochNichtIm, 0, 11},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ui.ClearCalls();
        fs::remove(Data("A.OR$"));
        Prj().SetModCount(c.root ? 1 : 0);
        mgr.GetDrvCfg()->SetModCount(c.drv ? 1 : 0);
        mgr.GetDrvCfg()->SetDrvLoaded(c.drvLoaded);
        mgr.GetFktCfg()->SetUsed(c.fktUsed);
        mgr.GetFktCfg()->SetModified(false);
        if (c.fkt)
            mgr.GetFktCfg()->SetModified(true);
        if (c.reason != 0)
            ui.AnswerQuestion(static_cast<int>(msg::kSollZuerstGespeichertWerden), c.answer == 1);
        EXPECT_EQ(mgr.AskSaveChanges(), c.result);
        const auto questions = ui.CallsOf(UiCall::Kind::Question);
        ASSERT_EQ(questions.size(), c.reason != 0 ? 1u : 0u);
        if (c.reason != 0) {
            EXPECT_EQ(questions[0].text, std::string("\n") + LoadLangString(static_cast<uint32_t>(c.reason)) +
                                             " Soll zuerst gespeichert werden ?");
        }
        // Yes saved: the previous file became the backup.
        EXPECT_EQ(fs::exists(Data("A.OR$")), c.result == 12);
        if (c.result == 12) {
            EXPECT_EQ(Prj().GetModCount(), 0);
        }
    }
    // A save that fails stops the command as a No does.
    Prj().SetModCount(1);
    ui.AnswerQuestion(static_cast<int>(msg::kSollZuerstGespeichertWerden), true);
    const ScopedWriteFault fault(1);
    EXPECT_EQ(mgr.AskSaveChanges(), CPrjMgr::kAskDeclined);
    EXPECT_NE(Prj().GetModCount(), 0);
}

TEST_F(PrjLoad, SaveKeepsThePreviousVersionAsBackup)
{
    ASSERT_NO_FATAL_FAILURE(LoadedA());
    Prj().SetDescr("first");
    ASSERT_TRUE(mgr.SavePrj());
    const std::string first = ReadFile(Data("A.orv"));
    Prj().SetDescr("second");
    ASSERT_TRUE(mgr.SavePrj());
    EXPECT_EQ(ReadFile(Data("A.OR$")), first);
    EXPECT_NE(ReadFile(Data("A.orv")).find("second"), std::string::npos);
    EXPECT_EQ(LogsStarting({"Rename "}).back(), "Rename " + Data("A.orv") + " " + Data("A.OR$"));
    // The project's driver file and special-function file beside it.
    EXPECT_TRUE(fs::exists(Data("A.DRV")));
    EXPECT_EQ(fs::exists(Data("A.FKT")), mgr.GetFktCfg()->IsUsed() != 0);
    EXPECT_TRUE(BoxIds().empty());
}

TEST_F(PrjLoad, FailedSaveLeavesSourceAndBackup)
{
    ASSERT_NO_FATAL_FAILURE(LoadedA());
    ASSERT_TRUE(mgr.SavePrj());
    ASSERT_TRUE(mgr.SavePrj());
    const std::string source = ReadFile(Data("A.orv"));
    const std::string backup = ReadFile(Data("A.OR$"));
    std::vector<std::string> before;
    for (const auto& entry : fs::directory_iterator(kit.Home() + "DATA"))
        before.push_back(entry.path().filename().string());
    Prj().SetDescr("changed");
    Prj().SetModified(true);
    ui.ClearCalls();
    {
        const ScopedWriteFault fault(1);
        EXPECT_FALSE(mgr.SavePrj());
    }
    EXPECT_EQ(ReadFile(Data("A.orv")), source);
    EXPECT_EQ(ReadFile(Data("A.OR$")), backup);
    std::vector<std::string> after;
    for (const auto& entry : fs::directory_iterator(kit.Home() + "DATA"))
        after.push_back(entry.path().filename().string());
    std::sort(before.begin(), before.end());
    std::sort(after.begin(), after.end());
    EXPECT_EQ(after, before);
    const auto boxes = BoxIds();
    ASSERT_FALSE(boxes.empty());
    EXPECT_TRUE(boxes[0] == static_cast<int>(msg::kDatenKonntenNichtVollstaendigGeschrieben) ||
                boxes[0] == static_cast<int>(msg::kAusgabedateiKannNichtGeoeffnetWerden));
    EXPECT_NE(Prj().GetModCount(), 0);
}

// A UI whose boxes run an action first, as a box's event loop can.
class ReentrantUi : public ScriptedUi {
public:
    std::function<void()> onBox;
    int MessageBox(MsgKind kind, std::string_view caption, std::string_view text, int stringId) override
    {
        if (onBox) {
            auto action = std::move(onBox);
            onBox = nullptr;
            action();
        }
        return ScriptedUi::MessageBox(kind, caption, text, stringId);
    }
};

TEST_F(PrjLoad, NestedSaveReturnsAtOnce)
{
    ASSERT_NO_FATAL_FAILURE(LoadedA());
    ReentrantUi inner;
    const ScopedUiServices innerReg(inner);
    bool nested = true;
    inner.onBox = [&] { nested = mgr.SavePrj(); };
    const ScopedWriteFault fault(1);
    EXPECT_FALSE(mgr.SavePrj());
    EXPECT_FALSE(nested);
    // Only the outer save reached the writer and showed its failure.
    EXPECT_EQ(inner.CallsOf(UiCall::Kind::Box).size(), 1u);
}

TEST_F(PrjLoad, ReadRestoresTheProjectAfterAParseError)
{
    ASSERT_NO_FATAL_FAILURE(LoadedA());
    Prj().SetModified(true);
    Prj().SetDsType(0);
    const std::string before = SourceOfMemory();
    const uint16_t count = Prj().GetModCount();
    WriteFile(Data("B.orv"), LoadBrokenSource(43));
    ui.AnswerQuestion(static_cast<int>(msg::kSyntaxfehlerZeileZeichenEditieren), false);
    EXPECT_FALSE(mgr.ReadPrj(Data("B.orv"), true));
    EXPECT_EQ(SourceOfMemory(), before);
    EXPECT_EQ(Prj().GetModCount(), count);
    EXPECT_EQ(Prj().GetPath(), Data("A.orv"));
    EXPECT_EQ(Prj().GetDsType(), 0);
    EXPECT_TRUE(TmpGone());
}

TEST_F(PrjLoad, ReadAsksAboutAnotherPanel)
{
    ASSERT_NO_FATAL_FAILURE(LoadedA());
    const struct {
        const char* name;
        int fileType;
        bool variant;
        int answer; // -1: no question
        bool read;
    } cases[] = {
        {"the same type", 43, false, -1, true},
        {"755 into 47 with the variant", 755, true, -1, true},
        {"another type, Yes", 47, false, 1, true},
        {"another type, No", 14, false, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(SelectFirst(c.variant ? 755 : 43));
        WriteFile(Data("A.orv"), LoadSource(c.variant ? 755 : 43, "A"));
        ASSERT_EQ(mgr.LoadPrj(Data("A.orv")).result, 1);
        ui.ClearCalls();
        const std::string before = SourceOfMemory();
        WriteFile(Data("F.orv"), LoadSource(c.fileType, "F"));
        if (c.answer >= 0)
            ui.AnswerQuestion(static_cast<int>(msg::kDatensatzWurdeNichtFuerDas), c.answer == 1);
        EXPECT_EQ(mgr.ReadPrj(Data("F.orv"), true), c.read);
        const auto questions = ui.CallsOf(UiCall::Kind::Question);
        ASSERT_EQ(questions.size(), c.answer >= 0 ? 1u : 0u);
        if (c.answer >= 0) {
            EXPECT_NE(questions[0].text.find("ORV 043"), std::string::npos) << questions[0].text;
        }
        if (c.read) {
            EXPECT_EQ(Prj().GetPath(), Data("F.orv"));
            // Yes to the question leaves the project marked modified.
            EXPECT_EQ(Prj().GetModCount() != 0, c.answer == 1);
        } else {
            EXPECT_EQ(SourceOfMemory(), before);
            EXPECT_EQ(Prj().GetPath(), Data("A.orv"));
        }
        EXPECT_TRUE(TmpGone());
    }
}

TEST_F(PrjLoad, ReadOfAnUnreadableFileChangesNothing)
{
    ASSERT_NO_FATAL_FAILURE(LoadedA());
    Prj().SetModified(true);
    const std::string before = SourceOfMemory();
    EXPECT_FALSE(mgr.ReadPrj(Data("MISSING.orv"), true));
    EXPECT_EQ(BoxIds(), std::vector<int>{static_cast<int>(msg::kEinzulesendeDateiKannNichtGeoeffnet)});
    EXPECT_EQ(SourceOfMemory(), before);
    EXPECT_EQ(Prj().GetPath(), Data("A.orv"));
    EXPECT_NE(Prj().GetModCount(), 0);
    EXPECT_TRUE(TmpGone());
    // A safety copy that cannot be written: nothing is parsed.
    ui.ClearCalls();
    WriteFile(Data("B.orv"), LoadSource(43, "B"));
    {
        const ScopedWriteFault fault(1);
        EXPECT_FALSE(mgr.ReadPrj(Data("B.orv"), true));
    }
    EXPECT_EQ(SourceOfMemory(), before);
    EXPECT_EQ(Prj().GetPath(), Data("A.orv"));
    const auto boxes = BoxIds();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0] == static_cast<int>(msg::kDatenKonntenNichtVollstaendigGeschrieben) ||
                boxes[0] == static_cast<int>(msg::kAusgabedateiKannNichtGeoeffnetWerden));
    EXPECT_TRUE(TmpGone());
}

TEST_F(PrjLoad, ProjectFilesAreTakenOnlyByAFullRead)
{
    ASSERT_NO_FATAL_FAILURE(LoadedA());
    WriteFile(Data("B.orv"), LoadSource(43, "B"));
    mgr.GetDrvCfg()->SetDrvPath("marker");
    ASSERT_TRUE(mgr.ReadPrj(Data("B.orv"), false));
    EXPECT_EQ(mgr.GetDrvCfg()->GetDrvPath(), "marker");
    ASSERT_TRUE(mgr.ReadPrj(Data("B.orv"), true));
    EXPECT_EQ(mgr.GetDrvCfg()->GetDrvPath(), Data("B.DRV"));
}

TEST_F(PrjLoad, AppendAndNew)
{
    ASSERT_NO_FATAL_FAILURE(LoadedA());
    WriteFile(Data("B.orv"), LoadSource(43, "B"));
    // Declined: nothing appended, nothing emptied.
    Prj().SetModified(true);
    const std::string before = SourceOfMemory();
    ui.AnswerQuestion(static_cast<int>(msg::kSollZuerstGespeichertWerden), false);
    EXPECT_EQ(mgr.AppendPrj(Data("B.orv")), CPrjMgr::kAppendRefused);
    ui.AnswerQuestion(static_cast<int>(msg::kSollZuerstGespeichertWerden), false);
    EXPECT_EQ(mgr.NewPrj(true), 0);
    EXPECT_EQ(SourceOfMemory(), before);
    // An append adds to the loaded project.
    Prj().SetModified(false);
    ui.ClearCalls();
    EXPECT_EQ(mgr.AppendPrj(Data("B.orv")), CPrjMgr::kAppendDone);
    const std::string both = SourceOfMemory();
    EXPECT_NE(both.find("VAR, A "), std::string::npos) << both;
    EXPECT_NE(both.find("VAR, B "), std::string::npos) << both;
    EXPECT_NE(Prj().GetModCount(), 0);
    // "Neu" on an unchanged project asks nothing and empties it.
    ASSERT_TRUE(mgr.SavePrj());
    ui.ClearCalls();
    mgr.GetDrvCfg()->SetDrvName("");
    mgr.GetFktCfg()->SetName("");
    EXPECT_EQ(mgr.NewPrj(true), 0);
    EXPECT_TRUE(ui.CallsOf(UiCall::Kind::Question).empty());
    EXPECT_EQ(SourceOfMemory().find("VAR, A "), std::string::npos);
    EXPECT_EQ(Prj().GetPath(), "");
    EXPECT_EQ(Prj().GetDsType(), 43);
    EXPECT_FALSE(mgr.GetDrvCfg()->GetDrvName().empty());
    EXPECT_EQ(mgr.GetFktCfg()->GetName().empty(), mgr.GetFktCfg()->IsUsed() == 0);
    EXPECT_EQ(frame.GetStateFlags(), CPrjMgr::kStateNewPrj);
    // 47 with the variant is a 755 data set.
    ASSERT_TRUE(SelectFirst(755));
    EXPECT_EQ(mgr.NewPrj(true), 0);
    EXPECT_EQ(Prj().GetDsType(), 755);
}

// One row of the open command: the state before, the file, the answers; the
// result, the frame and the log.
struct LoadRow {
    const char* name;
    bool changed = false;
    enum Param { kNone, kSame, k47, k755, kBadCombination } param = kNone;
    bool keepSettings = false;
    int saveAnswer = -1;  // -1: no question expected
    int driverAnswer = -1; // -1: no foreign driver file
    bool broken = false;
    CPrjMgr::LoadMode mode = CPrjMgr::LoadMode::Open;
    // Expected.
    int result = 1;
    enum Path { kNew, kOld, kEmpty } path = kNew;
    bool loadedFlag = true;
    bool unchanged = false;
    bool sameProject = false;
    std::vector<std::string> logs;
};

TEST_F(PrjLoad, OpenTable)
{
    ASSERT_TRUE(SelectFirst(43));
    const auto [sps43, drv43] = FirstCombination(43);
    const auto [sps47, drv47] = FirstCombination(47);
    const auto [sps755, drv755] = FirstCombination(755);
    const std::string prescan43 = "Prescan ORVPRO ORV:43 SPS:" + std::to_string(sps43) + " DRV:" +
                                  std::to_string(drv43) + " DB:0 OFFS:0 LEN:100";
    const std::string prescan47 = "Prescan ORVPRO ORV:47 SPS:" + std::to_string(sps47) + " DRV:" +
                                  std::to_string(drv47) + " DB:0 OFFS:0 LEN:100";
    const std::vector<LoadRow> rows = {
        {.name = "unchanged, no parameter line", .logs = {"Use Prescan:1"}},
        {.name = "parameter line of another panel", .param = LoadRow::k47,
         .logs = {"Use Prescan:1", prescan47, "Startselection with Prescan OK"}},
        {.name = "No to the save question", .changed = true, .param = LoadRow::k47, .saveAnswer = 0, .result = 0,
         .path = LoadRow::kOld, .unchanged = true, .sameProject = true, .logs = {}},
        {.name = "Yes to the save question", .changed = true, .param = LoadRow::kSame, .saveAnswer = 1,
         .logs = {"Use Prescan:1", prescan43, "Startselection with Prescan OK"}},
        {.name = "parse error without prescan", .broken = true, .result = 0, .path = LoadRow::kEmpty,
         .loadedFlag = false, .sameProject = true, .logs = {"Use Prescan:1"}},
        {.name = "parse error after the prescan's start selection", .param = LoadRow::k47, .broken = true,
         .result = 0, .path = LoadRow::kEmpty, .loadedFlag = false,
         .logs = {"Use Prescan:1", prescan47, "Startselection with Prescan OK"}},
        {.name = "failed prescan selection, then a parse error", .param = LoadRow::kBadCombination, .broken = true,
         .result = 0, .path = LoadRow::kEmpty, .loadedFlag = false, .logs = {}},
        {.name = "keep settings", .param = LoadRow::kSame, .keepSettings = true,
         .logs = {"Use Prescan:0", "Dont use Prescan"}},
        {.name = "foreign driver file declined", .keepSettings = true, .driverAnswer = 0, .result = 0,
         .path = LoadRow::kOld, .unchanged = true, .sameProject = true,
         .logs = {"Use Prescan:0", "Dont use Prescan"}},
        {.name = "foreign driver file taken", .keepSettings = true, .driverAnswer = 1,
         .logs = {"Use Prescan:0", "Dont use Prescan"}},
        {.name = "reload asks nothing", .changed = true, .mode = CPrjMgr::LoadMode::Reload, .logs = {"Use Prescan:1"}},
    };
    for (const LoadRow& row : rows) {
        SCOPED_TRACE(row.name);
        sel.SetKeepSettings(false);
        ASSERT_TRUE(SelectFirst(43));
        WriteFile(Data("A.orv"), LoadSource(43, "A"));
        fs::remove(Data("Target.DRV"));
        ASSERT_EQ(mgr.LoadPrj(Data("A.orv")).result, 1);
        ASSERT_TRUE(mgr.SavePrj());
        if (row.changed)
            Prj().SetModified(true);
        std::string param;
        switch (row.param) {
        case LoadRow::kNone: break;
        case LoadRow::kSame: param = LoadParamLine(43, sps43, drv43); break;
        case LoadRow::k47: param = LoadParamLine(47, sps47, drv47); break;
        case LoadRow::k755: param = LoadParamLine(755, sps755, drv755); break;
        case LoadRow::kBadCombination: param = LoadParamLine(43, 9999, drv43); break;
        }
        const int fileType = row.param == LoadRow::k47 ? 47 : 43;
        WriteFile(Data("Target.orv"), row.broken ? LoadBrokenSource(fileType, param) : LoadSource(fileType, "T", param));
        if (row.driverAnswer >= 0) {
            // The project's driver file of another driver.
            fs::copy_file(Data("A.DRV"), Data("Target.DRV"));
            const uint16_t own = mgr.GetDrvCfg()->GetDrvNo();
            mgr.GetDrvCfg()->SetDrvNo(static_cast<uint16_t>(own == 5 ? 50 : 5));
            ui.AnswerQuestion(static_cast<int>(msg::kSollDerImProjektVerwendete), row.driverAnswer == 1);
        }
        const std::string before = SourceOfMemory();
        sel.SetKeepSettings(row.keepSettings);
        if (row.saveAnswer >= 0 && row.mode == CPrjMgr::LoadMode::Open)
            ui.AnswerQuestion(static_cast<int>(msg::kSollZuerstGespeichertWerden), row.saveAnswer == 1);
        if (row.broken)
            ui.AnswerQuestion(static_cast<int>(msg::kSyntaxfehlerZeileZeichenEditieren), false);
        const std::string savedA = ReadFile(Data("A.orv"));
        const int devBefore = sel.GetDevId();
        ui.ClearCalls();
        const CPrjMgr::LoadOutcome out = mgr.LoadPrj(Data("Target.orv"), row.mode);
        EXPECT_EQ(out.result, row.result);
        EXPECT_EQ(out.unchanged, row.unchanged);
        const std::string expectedPath =
            row.path == LoadRow::kNew ? Data("Target.orv") : row.path == LoadRow::kOld ? Data("A.orv") : "";
        EXPECT_EQ(frame.GetPrjPath(), expectedPath);
        EXPECT_EQ((frame.GetStateFlags() & CFrameState::kStateProjectLoaded) != 0, row.loadedFlag);
        if (row.result == 1) {
            EXPECT_EQ(Prj().GetPath(), Data("Target.orv"));
        }
        if (row.sameProject) {
            EXPECT_EQ(SourceOfMemory(), before);
        }
        if (row.unchanged) {
            EXPECT_EQ(sel.GetDevId(), devBefore);
        }
        if (!row.logs.empty() || row.unchanged) {
            EXPECT_EQ(LogsStarting({"Use Prescan", "Dont use", "Prescan ", "Startselection with"}), row.logs);
        }
        if (row.param == LoadRow::k47 && !row.unchanged) {
            EXPECT_EQ(sel.GetDevId(), 47);
        }
        // Yes saved the old project under its own name, not over the file.
        if (row.saveAnswer == 1) {
            EXPECT_EQ(ReadFile(Data("A.OR$")), savedA);
            EXPECT_NE(ReadFile(Data("Target.orv")).find("VAR, T"), std::string::npos);
        }
        EXPECT_TRUE(TmpGone());
        mgr.GetDrvCfg()->SetDrvNo(static_cast<uint16_t>(drv43));
    }
}

TEST_F(PrjLoad, ParameterLineOf755)
{
    ASSERT_TRUE(SelectFirst(43));
    const auto [sps, drv] = FirstCombination(755);
    WriteFile(Data("Intl.orv"), LoadSource(755, "I", LoadParamLine(755, sps, drv)));
    ASSERT_EQ(mgr.LoadPrj(Data("Intl.orv")).result, 1);
    EXPECT_EQ(sel.GetDevId(), 755);
    EXPECT_EQ(mgr.GetPanelType(), 47);
    EXPECT_TRUE(mgr.IsIntlDisplay());
    EXPECT_EQ(Prj().GetDevType(), 47);
    EXPECT_EQ(Prj().GetVariant(), 1);
    EXPECT_TRUE(ui.CallsOf(UiCall::Kind::Question).empty());
}

// The first start selection of a run loads the last project named in
// "ORVPRO.INI".
class FirstLoadKit : public PrjLoad {
protected:
    void LastProject(const std::string& path)
    {
        std::string ini = kit.Read("ORVPRO.INI");
        const std::string section = "[ENVIRONMENT]\r\n";
        const size_t at = ini.find(section);
        ASSERT_NE(at, std::string::npos);
        ini.insert(at + section.size(), "ORV_FILE=\"" + path + "\"\r\n");
        kit.Write("ORVPRO.INI", ini);
    }
    int InitialLoads() const { return static_cast<int>(LogsStarting({"Initial load -> try to load "}).size()); }
};

TEST_F(FirstLoadKit, LastProjectIsLoadedOnce)
{
    WriteFile(Data("LAST.orv"), LoadSource(14, "L"));
    ASSERT_NO_FATAL_FAILURE(LastProject(Data("LAST.orv")));
    ASSERT_EQ(mgr.Init(), CPrjMgr::kInitDone);
    EXPECT_TRUE(mgr.IsInitialLoadDone());
    EXPECT_EQ(frame.GetPrjPath(), Data("LAST.orv"));
    EXPECT_EQ(frame.GetStateFlags(), CFrameState::kStateProjectLoaded);
    EXPECT_EQ(Prj().GetPath(), Data("LAST.orv"));
    EXPECT_NE(SourceOfMemory().find("VAR, L "), std::string::npos);
    EXPECT_EQ(InitialLoads(), 1);
    EXPECT_FALSE(LogsStarting({"WriteFontdatei "}).empty());
    EXPECT_TRUE(TmpGone());
    // A later start selection does not load it again.
    ASSERT_TRUE(mgr.Startselection());
    EXPECT_EQ(InitialLoads(), 1);
}

TEST_F(FirstLoadKit, MissingFile)
{
    ASSERT_NO_FATAL_FAILURE(LastProject(Data("GONE.orv")));
    frame.SetPrjPath("stale");
    ASSERT_EQ(mgr.Init(), CPrjMgr::kInitDone);
    EXPECT_TRUE(mgr.IsInitialLoadDone());
    EXPECT_EQ(frame.GetPrjPath(), "");
    EXPECT_TRUE(Logged("Not a valid path for last project in ORVPRO.INI"));
    EXPECT_EQ(InitialLoads(), 0);
}

// The rows below start a second run: the workspace is up, the first load
// not yet done, the last project named.
TEST_F(FirstLoadKit, DriverCheckDeclined)
{
    ASSERT_EQ(mgr.Init(), CPrjMgr::kInitDone);
    WriteFile(Data("LAST.orv"), LoadSource(14, "L"));
    // The last project's driver file holds the selected driver; the next
    // selection takes another one of the same PLC type.
    Prj().SetPath(Data("LAST.orv"));
    ASSERT_TRUE(mgr.SavePrjDriver());
    CSelQueries q(&sel.Db());
    q.RunApp("ORVPRO");
    q.RunDev(14);
    q.RunSps(-1);
    int otherSps = -1;
    int other = -1;
    for (int p = 0; other < 0 && q.sps.IdAt(p) >= 0; ++p) {
        q.RunSps(q.sps.IdAt(p));
        q.RunDrv(-1);
        for (int i = 0; other < 0 && q.drv.IdAt(i) >= 0; ++i)
            if (q.drv.IdAt(i) != mgr.GetChoice().drvNo && q.drv.IdAt(i) < 1000) {
                other = q.drv.IdAt(i);
                otherSps = q.sps.IdAt(p);
            }
    }
    ASSERT_GE(other, 0) << "the shipped database offers one driver only";
    mgr.SetPlcType(otherSps);
    mgr.SetPrjFile(Data("LAST.orv"));
    mgr.SetInitialLoadDone(false);
    Prj().SetPath("");
    ui.ClearCalls();
    ui.AnswerQuestion(static_cast<int>(msg::kSollDerImProjektVerwendete), false);
    mgr.SetDrvNum(other);
    ASSERT_TRUE(mgr.Startselection());
    EXPECT_TRUE(mgr.IsInitialLoadDone());
    EXPECT_EQ(InitialLoads(), 1);
    EXPECT_EQ(SourceOfMemory().find("VAR, L "), std::string::npos);
    EXPECT_EQ(frame.GetStateFlags() & CFrameState::kStateProjectLoaded, 0u);
}

TEST_F(FirstLoadKit, ParseErrorLeavesNoProject)
{
    ASSERT_EQ(mgr.Init(), CPrjMgr::kInitDone);
    WriteFile(Data("LAST.orv"), LoadBrokenSource(14));
    mgr.SetPrjFile(Data("LAST.orv"));
    mgr.SetInitialLoadDone(false);
    frame.SetStateFlags(CFrameState::kStateProjectLoaded);
    ui.AnswerQuestion(static_cast<int>(msg::kSyntaxfehlerZeileZeichenEditieren), false);
    ASSERT_TRUE(mgr.Startselection());
    EXPECT_TRUE(mgr.IsInitialLoadDone());
    EXPECT_EQ(frame.GetPrjPath(), "");
    EXPECT_EQ(frame.GetStateFlags() & CFrameState::kStateProjectLoaded, 0u);
    EXPECT_TRUE(TmpGone());
}

TEST_F(FirstLoadKit, FailedFirstSelectionLoadsNothing)
{
    ASSERT_EQ(mgr.Init(), CPrjMgr::kInitDone);
    WriteFile(Data("LAST.orv"), LoadSource(14, "L"));
    mgr.SetPrjFile(Data("LAST.orv"));
    mgr.SetInitialLoadDone(false);
    const CfgChoice good = mgr.GetChoice();
    // A combination that "ORVPRO.CFG" does not hold.
    mgr.SetPlcType(9999);
    EXPECT_FALSE(mgr.Startselection());
    EXPECT_EQ(mgr.GetAbortCode(), CPrjMgr::kAbortCombination);
    EXPECT_FALSE(mgr.IsInitialLoadDone());
    EXPECT_EQ(InitialLoads(), 0);
    mgr.SetPlcType(good.spsType);
    ASSERT_TRUE(mgr.Startselection());
    EXPECT_TRUE(mgr.IsInitialLoadDone());
    EXPECT_EQ(InitialLoads(), 1);
    EXPECT_EQ(frame.GetPrjPath(), Data("LAST.orv"));
    EXPECT_NE(SourceOfMemory().find("VAR, L "), std::string::npos);
}

// A new user's first project on the shipped directory: opened, compiled and
// saved without a message box.
class ShippedRoad : public WorkspaceKit {};

TEST_F(ShippedRoad, OpenCompileSave)
{
    ASSERT_EQ(mgr.Init(), CPrjMgr::kInitDone);
    const std::string source = SourceTextBuilder()
                                   .Line("ORV043_PARAMETER, Q32r11000, DRV=5, SPS=33, DB=0, OFFS=0, LEN=256")
                                   .Begin()
                                   .Lines({"VAR, Drehzahl, 35, ACTUAL, BIN-1, 4, 0, 0, 3000, 0, 30000",
                                           "VAR, Druck, 36, ACTUAL, BCD-1, 3, 0, 999, 0",
                                           "VAR, Motor, 38, ACTUAL, BIT, 0", "STATE, 0, \"Aus\"",
                                           "STATE, 1, \"Ein\"", "OP_TEXT, 1", "TEXT, \"Drehzahl: @Drehzahl@ U/min\"",
                                           "TEXT, \"Druck: @Druck@ bar\"", "OP_TEXT, 2", "TEXT, \"Motor @Motor@\"",
                                           "MENU, Haupt, 1", "NODE, 1, 0, 2, 0, 0, 1", "NODE, 2, 1, 0, 0, 0, 2"})
                                   .End()
                                   .Build();
    WriteFile(Data("Anlage.orv"), source);
    const CPrjMgr::LoadOutcome loaded = mgr.LoadPrj(Data("Anlage.orv"));
    ASSERT_EQ(loaded.result, 1);
    EXPECT_EQ(mgr.GetPanelType(), 43);
    EXPECT_EQ(mgr.GetChoice().spsType, 33);
    EXPECT_EQ(mgr.GetChoice().drvNo, 5);
    // The project's driver came from the library: it is saved first.
    ui.AnswerQuestion(static_cast<int>(msg::kDatensatzWirdNunZunaechstGespeichert), true);
    ASSERT_TRUE(mgr.Compile());
    ASSERT_TRUE(mgr.SavePrj());
    EXPECT_TRUE(BoxIds().empty());
    EXPECT_TRUE(IsPlaceholderFile(Data("Anlage.BIN")));
    EXPECT_TRUE(fs::exists(Data("Anlage.DRV")));
}

} // namespace
} // namespace orv
