// The workspace: owns the project bundle, the panel fonts and every file of
// the project, binds the start selection's choice and keeps the tool
// configuration file up to date.
#pragma once

#include "link/LinkContext.h"
#include "link/SimBridge.h"
#include "link/SimLinkSession.h"
#include "model/core/ProgressBar.h"
#include "model/core/WorkspaceState.h"
#include "model/project/PrjBundle.h"
#include "source/config/CfgChoice.h"
#include "workspace/StartSelTarget.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace orv {

class CCharSet;
class CDrvCfg;
class CFktCfg;
class CFirmwareVarSource;
class CFon;
class CFrameState;
class CFrmCfg;
class CPrjData;
class CSpsPar;
class CStartSel;
struct PanelRow;

class CPrjMgr : public CStartSelTarget {
public:
    // Start-selection abort codes.
    static constexpr uint16_t kAbortNone = 0;
    static constexpr uint16_t kAbortCombination = 2;
    static constexpr uint16_t kAbortDriver = 3;
    static constexpr uint16_t kAbortForm = 4;
    // CheckPrjDriver's answers: go on, stop, go on and replace the
    // project's driver.
    static constexpr int kDrvGoOn = 10;
    static constexpr int kDrvStop = 11;
    static constexpr int kDrvReplace = 12;
    // Init's answers.
    static constexpr int kInitDone = 1;
    static constexpr int kInitFailed = 255;
    // The last error of a special-function file that is missing or damaged.
    static constexpr uint16_t kErrFktFile = 7;

    // Registers its workspace state with the frame for its lifetime.
    CPrjMgr(CFrameState& frame, CStartSel& startSel);
    // On the given program and state directories, each ending in '/'.
    CPrjMgr(CFrameState& frame, CStartSel& startSel, std::string programDir, std::string stateDir);
    ~CPrjMgr() override;
    CPrjMgr(const CPrjMgr&) = delete;
    CPrjMgr& operator=(const CPrjMgr&) = delete;

    // Loads the fonts, builds the bundle, reads the tool configuration and
    // applies the start selection; kInitFailed leaves no bundle behind.
    int Init();
    bool IsBuilt() const;
    bool CheckCfgFiles() const;

    // The start selection's setters and its application.
    void SetPanelType(int32_t devType) override { m_choice.devType = static_cast<uint16_t>(devType); }
    void SetPlcType(int32_t spsType) override { m_choice.spsType = static_cast<uint16_t>(spsType); }
    void SetDrvNum(int32_t drvNo) override { m_choice.drvNo = static_cast<uint16_t>(drvNo); }
    void SetIntlDisplay(int32_t intl) override { m_intl = intl != 0; }
    void SetSimDrvBound(bool bound) override;
    void SetDbNum(int32_t db) override { m_choice.db = static_cast<uint16_t>(db); }
    void SetDwOffset(int32_t offset) override { m_choice.offset = static_cast<uint16_t>(offset); }
    void SetDwLength(int32_t length) override { m_choice.length = static_cast<uint16_t>(length); }
    bool Startselection() override;

    uint16_t GetPanelType() const { return m_choice.devType; }
    const CfgChoice& GetChoice() const { return m_choice; }
    bool IsIntlDisplay() const { return m_intl; }
    bool IsSimDrvBound() const { return m_ws.IsSimDrvBound(); }
    uint16_t GetAbortCode() const { return m_abort; }
    bool IsCfgUnreadable() const { return m_cfgUnreadable; }
    bool IsInitialLoadDone() const { return m_initialLoadDone; }
    void SetInitialLoadDone(bool done) { m_initialLoadDone = done; }
    uint16_t GetLastError() const { return m_lastError; }
    void SetLastError(uint16_t error) { m_lastError = error; }

    // Transfer to the panel, read-back from it and the decompile of what
    // was read back (PrjMgrLink.cpp). The transfer answers kLinkDone or
    // kTransmitFailed, read-back and decompile kLinkDone or kLinkFailed.
    static constexpr int kLinkDone = 1;
    static constexpr int kLinkFailed = -1;
    static constexpr int kTransmitFailed = 255;
    // The last error of a transfer that did not go through.
    static constexpr uint16_t kErrTransfer = 39;
    int Transmit();
    int Receive();
    int Decompile();
    // The program's one link context over the bound serial link library,
    // made at its first use and made again when the binding changed.
    CLinkContext& LinkContext();
    // Every pause of the link goes through this from now on.
    void SetLinkSleep(SleepFn sleep);

    // Program close: the last project into ENVIRONMENT.
    void SaveCfg();
    void LogFirmware() const;
    // The panel font of the selected device into the state directory, then
    // the frame's screen font from it; false before Init succeeded.
    bool WriteFontFile();

    // The project's own driver and special-function files beside its
    // source. The saves return at once when called inside themselves.
    int CheckPrjDriver(const std::string& srcPath);
    void LoadPrjDriver();
    void LoadPrjFkt();
    bool SavePrjDriver();
    bool SavePrjFkt();

    // --- The project between its files and memory ---------------------
    // Answers of the save question and of the append.
    static constexpr int kAskDeclined = 11;
    static constexpr int kAskSaved = 12;
    static constexpr int kAskUnchanged = 13;
    static constexpr int kAppendDone = 10;
    static constexpr int kAppendRefused = 11;
    // The panel-type question's answers.
    static constexpr int kPanelGoOn = 10;
    static constexpr int kPanelStop = 11;
    // State flags these operations set besides the frame's "project loaded".
    static constexpr uint32_t kStateNewPrj = 0x01;
    static constexpr uint32_t kStateCompiled = 0x04;
    // The values of a source file's parameter line; -1 where it gives none.
    struct PrescanRecord {
        std::string tool;
        int32_t devType = -1;
        int32_t spsType = -1;
        int32_t drvNo = -1;
        int32_t db = -1;
        int32_t offset = -1;
        int32_t length = -1;
    };
    // A reload right after the user wrote the file skips the save question:
    // the project in memory is older than the file.
    enum class LoadMode { Open, Reload };
    // result 1 loaded, 0 not; unchanged: the project in memory is the one
    // before, so the caller may show its old path again.
    struct LoadOutcome {
        int result = 0;
        bool unchanged = true;
    };

    // Opening a project: save question, the parameter line's start
    // selection, the driver check, the read. The path is kept as given.
    LoadOutcome LoadPrj(const std::string& path, LoadMode mode = LoadMode::Open);
    int AppendPrj(const std::string& path);
    // Writes the source under the frame's project path, then the project's
    // driver and special-function files; false when the source was not
    // written.
    bool SavePrj();
    int NewPrj(bool reset);
    int AskSaveChanges();
    // True when the file was read; false leaves the project as it was or as
    // the safety copy gave it back.
    bool ReadPrj(const std::string& path, bool full);
    int CheckPanelType(uint16_t model, bool first);
    static bool Prescan(const std::string& path, PrescanRecord& record);
    static int32_t PanelTypeOfId(std::string_view line);

    // --- Compile and the recompile decision ---------------------------
    void ResetMemInfo();
    int SaveBeforeCompile();
    bool Compile();
    int CompileImg2();
    void ReportCompile();
    bool NeedsCompile();

    // Paths, kept as given.
    CWorkspaceState& Workspace() { return m_ws; }
    const CWorkspaceState& Workspace() const { return m_ws; }
    void SetPrjFile(const std::string& path) { m_ws.SetPrjFile(path); }
    const std::string& GetPrjFile() const { return m_ws.GetPrjFile(); }
    std::string GetCfgFile() const { return m_ws.GetCfgFile(); }
    std::string GetTmpFile() const { return m_ws.GetTmpFile(); }
    std::string GetIniFile() const { return m_ws.GetIniFile(); }
    std::string GetCfgDir() const { return m_ws.GetCfgDir(); }
    void SetImageFile(const std::string& path) { m_ws.SetImageFile(path); }
    const std::string& GetImageFile() const { return m_ws.GetImageFile(); }
    void SetDrvFile(const std::string& path) { m_ws.SetDrvFile(path); }
    const std::string& GetDrvFile() const { return m_ws.GetDrvFile(); }
    void SetRecipeFile(const std::string& path) { m_ws.SetRecipeFile(path); }
    void SetRcvAuxFile(const std::string& path) { m_ws.SetRcvAuxFile(path); }
    const std::string& GetRcvAuxFile() const { return m_ws.GetRcvAuxFile(); }
    void SetFormFile(const std::string& path) { m_ws.SetFormFile(path); }
    const std::string& GetFormFile() const { return m_ws.GetFormFile(); }
    void SetPrjDir(const std::string& path) { m_ws.SetPrjDir(path); }
    const std::string& GetPrjDir() const { return m_ws.GetPrjDir(); }
    void SetLinkPort(uint16_t port) { m_ws.Env().linkCom = port; }
    uint16_t GetLinkPort() const { return m_ws.Env().linkCom; }
    void SetSimPort(int16_t port) { m_ws.Env().simCom = port; }
    int16_t GetSimPort() const { return m_ws.Env().simCom; }
    void SetLinkErrors(uint32_t count) { m_ws.SetLinkErrors(count); }
    uint32_t GetLinkErrors() const { return m_ws.GetLinkErrors(); }
    void IncLinkErrors() { m_ws.IncLinkErrors(); }

    // The bundle; its members are null until Init has succeeded.
    PrjBundle& Bundle() { return m_bundle; }
    CPrjData* GetPrjData() const { return m_bundle.prjData; }
    CSpsPar* GetSpsPar() const { return m_bundle.spsPar; }
    CDrvCfg* GetDrvCfg() const { return m_bundle.drvCfg; }
    CFktCfg* GetFktCfg() const { return m_bundle.fktCfg; }
    CFrmCfg* GetFrmCfg() const { return m_bundle.frmCfg; }
    CCharSet* GetCharSet() const { return m_bundle.charSet; }

    // ---- Simulation: the bridge, the panel's preparation, start and stop
    // (PrjMgrSim.cpp). GUI thread only; the worker shares nothing else.
    static constexpr uint16_t kErrSimLink = 29;
    static constexpr uint16_t kErrSimTerminal = 33;
    static constexpr uint16_t kErrSimFirmware = 34;
    static constexpr uint16_t kErrSimChecksum = 44;
    // The simulation command: starts the simulation after preparing the
    // panel, or stops it and sets the panel up again.
    void ToggleSimulation();
    void StopSimulation();
    // Program end: stops the worker and waits for it; a library that does
    // not return in time ends the process with exit code 0.
    void EndApplication();
    // Shows what the worker queued. A simulation whose worker ended on its
    // own is stopped here, once. True while the simulation runs.
    bool PollSimulation();
    bool IsSimRunning() const { return m_simActive; }
    void SetSimWord(uint16_t index, uint16_t value);
    // 0 while no simulation runs; otherwise the bar first shows the cycle.
    uint16_t GetSimWord(uint16_t index);
    // True when the connected panel may be simulated; the link is ended.
    bool SimCheckPanel();
    // True when the panel's memory was set up again; the link is ended.
    bool SimResetPanel();
    CSimBridge& SimBridge() { return m_simBridge; }
    // Seam for tests: what ends the process when the worker does not end
    // within the bound.
    void SetSimProcessEnd(std::function<void(int)> processEnd, std::chrono::milliseconds bound);
    // ---- end of simulation

private:
    bool LoadFonts();
    void BuildMembers();
    void ReadToolCfg();
    void ChooseSimDriver();
    void RewriteConfiguration();
    void ReadCfgSections();
    void SelFormFile();
    void SelDevType();
    void SelSpsPar();
    void SelDrvFile();
    void SelFktFile();
    bool Aborted() const { return m_abort != kAbortNone; }
    // Frees the members in the order their clearing reaches each other.
    void DestroyBundle();
    // Link helpers (PrjMgrLink.cpp).
    bool RefusePlaceholders(const PanelRow& row, const std::string& imagePath);
    bool ReadBack(const PanelRow& row);
    bool TakeReadBack();
    void StampImage(const std::string& imagePath);
    void DropProject();
    std::string CfgDirFile(const std::string& name) const;
    // "<dir>/<name>.<tag>" beside the source, or the file there whose name
    // differs only in case.
    std::string Companion(const std::string& srcPath, const std::string& tag) const;
    // The panel row of the project's panel type; null without a bundle.
    const PanelRow* PrjPanel() const;
    // How a read of a source file ended.
    enum class ReadEnd { Read, Untouched, Restored };
    ReadEnd ReadPrjFile(const std::string& path, bool full);
    // Model 0 (no parameter line), the project's own type, or 755 for a 47
    // with the variant.
    bool PanelTypeMatches(uint16_t model) const;
    // Complete, or false with the writer's message.
    bool WriteTmpPrj();
    void DeleteTmpPrj();
    bool WritePrj(const std::string& path);
    // The parameter line's start selection; true when it ran.
    bool PrescanSelection(const std::string& path);
    // The last project, once per run, at the first start selection that
    // passes its checks.
    void FirstLoad();
    // "<dir>/<name>.<tag>" of the project's source path, as named.
    std::string PrjFileWithTag(const std::string& tag) const;
    // Runs the compiler of the project's family; false for a type outside
    // them.
    bool RunCompiler(const std::string& image, const std::string& drvPath, const std::string& fktPath);
    bool ImageContentOutdated(const std::string& image) const;
    static bool IsFile(const std::string& path);
    // Deletes with the log line "Delete %s".
    static void DeleteLogged(const std::string& path);

    CFrameState& m_frame;
    CStartSel& m_startSel;
    CWorkspaceState m_ws;
    PrjBundle m_bundle;
    std::unique_ptr<CPrjData> m_prjData;
    std::unique_ptr<CSpsPar> m_spsPar;
    std::unique_ptr<CDrvCfg> m_drvCfg;
    std::unique_ptr<CFktCfg> m_fktCfg;
    std::unique_ptr<CFrmCfg> m_frmCfg;
    std::unique_ptr<CCharSet> m_charSet;
    std::unique_ptr<CFirmwareVarSource> m_fwSource;
    // alt, 706, int.
    std::array<std::unique_ptr<CFon>, 3> m_fons;
    // The program's one link context and the sleep of its pauses.
    std::unique_ptr<CLinkContext> m_link;
    SleepFn m_linkSleep;
    CfgChoice m_choice;
    bool m_intl = false;
    uint16_t m_abort = kAbortNone;
    bool m_cfgUnreadable = false;
    bool m_initialLoadDone = false;
    uint16_t m_lastError = 0;
    bool m_inSavePrjDriver = false;
    bool m_inSavePrjFkt = false;
    bool m_inWritePrj = false;
    // Whether the project used a special-function file when the compile's
    // figures were reset.
    bool m_fktInUse = false;

    // ---- Simulation (PrjMgrSim.cpp)
    bool SimLinkConnect();
    int SimExchange(std::string_view command, size_t minBytes);
    int SimReadBlock(uint16_t address, uint8_t count);
    bool SimReadStatus(std::array<uint8_t, 16>& status);
    bool SimStartNew();
    bool SimNameMatches(const std::string& panelName) const;
    bool SimCheckTerminal(const std::string& ident);
    // Ends the link, logs the line (none when empty) and keeps the error
    // (none when 0); false.
    bool SimFail(const std::string& line, uint16_t error = 0);
    void SimStopPath();
    void ClearSimBar();

    CSimBridge m_simBridge;
    std::unique_ptr<CSimLinkSession> m_simSession;
    std::unique_ptr<CProgressBar> m_simBar;
    std::function<void(int)> m_simProcessEnd;
    std::chrono::milliseconds m_simEndBound{2000};
    bool m_simActive = false;
    bool m_simIdle = true;
    // ---- end of simulation
};

} // namespace orv
