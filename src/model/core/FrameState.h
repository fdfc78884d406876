// The main window's program-wide state as the model sees it, so model code can
// read settings without depending on Qt.
#pragma once

#include "model/core/LogSettings.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace orv {

class CFon;
class CStartSelInfo;
class CWorkspaceState;
class CPrjData;
class CSpsPar;
class CDrvCfg;

// The program-wide state of the main window that model code reads. The Qt
// main window derives from it; tests and headless runs use it as it is.
class CFrameState {
public:
    static constexpr uint32_t kStateProjectLoaded = 0x10;
    static constexpr int kLogModeView = kLogModeToView;

    CFrameState();
    virtual ~CFrameState();
    CFrameState(const CFrameState&) = delete;
    CFrameState& operator=(const CFrameState&) = delete;

    // 0 errors only .. 3 extended debug; values outside are ignored.
    int GetLogLevel() const { return m_log.level; }
    void SetLogLevel(int level);
    // 0 German, 1 English, 2 French; values outside are ignored. Setting
    // also writes key LangId of the program INI file.
    int GetLangId() const { return m_langId; }
    void SetLangId(int langId);
    // Log lines always go to the log view.
    int GetLogMode() const { return m_log.mode; }
    // What the log reads of the frame while it is registered.
    const LogSettings& GetLogSettings() const { return m_log; }

    uint32_t GetStateFlags() const { return m_stateFlags; }
    void SetStateFlags(uint32_t flags) { m_stateFlags = flags; }

    const std::string& GetPrjPath() const { return m_prjPath; }
    // Virtual, as is the source-edit switch, so that a window shows the
    // change at once.
    virtual void SetPrjPath(const std::string& path) { m_prjPath = path; }

    bool IsSourceEditMode() const { return m_sourceEdit; }
    virtual void SetSourceEditMode(bool on) { m_sourceEdit = on; }
    // The file shown in source-edit mode, which a save writes back.
    const std::string& GetSrcEditPath() const { return m_srcEditPath; }
    void SetSrcEditPath(const std::string& path) { m_srcEditPath = path; }
    bool IsInsertMode() const { return m_insert; }
    void SetInsertMode(bool on) { m_insert = on; }

    CStartSelInfo* GetStartSel() const { return m_startSel; }
    void SetStartSel(CStartSelInfo* startSel) { m_startSel = startSel; }

    // The names of the chosen panel, PLC type and driver (cp1252) that the
    // tool bar shows; virtual, so that a window shows them at once.
    virtual void SetSelectionFields(std::string_view panel, std::string_view plc, std::string_view driver);
    const std::array<std::string, 3>& GetSelectionFields() const { return m_selFields; }

    // Panel fonts by family as GetFontFamily numbers them: 1 ALT, 2 706,
    // 3 INT; null for other numbers and until the fonts are loaded.
    CFon* GetFon(int family) const;
    void SetFon(int family, CFon* fon);

    CWorkspaceState* GetWorkspace() const { return m_workspace; }
    void SetWorkspace(CWorkspaceState* workspace) { m_workspace = workspace; }

    // The screen font: the panel font that the display editor and the
    // character views draw with. LoadFon loads "TM~" + name + ".fon" from the
    // state directory's CFG/ORV/ (the font written for the panel) when
    // fromPanelFile is set, else name + ".fon" from the program directory's
    // CFG/ORV/, either looked up regardless of case. A failure logs "FATAL:
    // could not load screen font" with the path and keeps the font held.
    bool LoadFon(const std::string& name, bool fromPanelFile);
    // LoadFon with the start selection's font name and the written font.
    bool LoadFonOfDevice();
    void UnloadFon();
    // Null while no screen font is held.
    const CFon* GetScreenFon() const { return m_screenFon.get(); }

protected:
    // The language read at start, set without writing it back.
    void InitLangId(int langId);
    // Runs after the screen font changed, so that a window repaints.
    virtual void OnScreenFontChanged() {}

private:
    LogSettings m_log;
    int m_langId = 0;
    uint32_t m_stateFlags = 0;
    std::string m_prjPath;
    bool m_sourceEdit = false;
    std::string m_srcEditPath;
    bool m_insert = false;
    CStartSelInfo* m_startSel = nullptr;
    std::array<std::string, 3> m_selFields;
    std::array<CFon*, 3> m_fons{};
    CWorkspaceState* m_workspace = nullptr;
    std::unique_ptr<CFon> m_screenFon;
};

// The registered frame, or null while none is.
CFrameState* GetMainFrame();

// The first three members of the project bundle, reached through the
// registered frame and its workspace state; null where a link is missing.
CPrjData* GetPrjData();
CSpsPar* GetSpsPar();
CDrvCfg* GetDevCfg();

// Registers a frame program-wide for its lifetime and restores the previous
// registration when it goes.
class ScopedMainFrame {
public:
    explicit ScopedMainFrame(CFrameState& frame);
    ~ScopedMainFrame();
    ScopedMainFrame(const ScopedMainFrame&) = delete;
    ScopedMainFrame& operator=(const ScopedMainFrame&) = delete;

private:
    CFrameState* m_previous;
    const LogSettings* m_previousLog;
};

} // namespace orv
