// What the project manager holds and the lower layers read: program settings,
// file names and tags, and the last compile's figures.
#pragma once

#include "model/core/MemInfo.h"

#include <array>
#include <cstdint>
#include <string>

namespace orv {

struct PrjBundle;

// File-type tags that every file name is formed with; the configuration
// file overrides the seven extensions.
struct FileTags {
    std::string toolName = "ORVPRO.EXE";
    std::string source = "ORV";
    std::string backup = "OR$";
    std::string oldSyntax = "OLD";
    std::string compile = "BIN";
    std::string driver = "DRV";
    std::string function = "FKT";
    std::string printer = "PRN";
    std::string debug = "DBG";
    std::string recipe = "REC";
    // The program's own id, written into every image header.
    std::string toolId = std::string("Q32") + "r11000";
};

// The environment values of the tool configuration file.
struct EnvSettings {
    uint16_t palette = 0;
    uint16_t requestInterval = 30;
    uint16_t linkCom = 0;
    int16_t simCom = 0;
    uint16_t lpt = 1;
    uint8_t teleService = 0;
    uint16_t arcIoBase = 0;
    uint16_t arcMemoryBase = 0;
    uint16_t arcOrvId = 2;
    uint16_t paperLen = 60;
    uint16_t leftMargin = 0;
    uint8_t printHead = 1;
    uint8_t formFeed = 0;
    uint8_t asciiPrint = 0;
    uint8_t mouseReverse = 0;
    uint8_t orvLight = 0;
    // 0..6, written as COUNTRY; apart from the frame's language id.
    uint16_t country = 0;
    std::string printerHeadline;
    std::string printerInit;
    std::string printerEnd;
};

// What the project manager holds and the layers below it read: program-wide
// settings, the files of the program and the project, and the figures of the
// last compile. Paths are kept exactly as given.
class CWorkspaceState {
public:
    // Standard special-function files, one per group of panel families.
    static constexpr int kStdFktGroups = 4;

    // Directories end in '/'. The program directory holds the installed
    // configuration, the state directory what the program writes.
    CWorkspaceState(std::string programDir, std::string stateDir);
    // The directories the platform resolves for this program.
    CWorkspaceState();
    CWorkspaceState(const CWorkspaceState&) = delete;
    CWorkspaceState& operator=(const CWorkspaceState&) = delete;

    uint16_t GetDesignFlag() const { return m_designFlag; }
    void SetDesignFlag(uint16_t flag) { m_designFlag = flag; }
    uint16_t GetBatchMode() const { return m_batchMode; }
    void SetBatchMode(uint16_t mode) { m_batchMode = mode; }
    const std::string& GetToolVersion() const { return m_tags.toolId; }

    FileTags& Tags() { return m_tags; }
    const FileTags& Tags() const { return m_tags; }
    EnvSettings& Env() { return m_env; }
    const EnvSettings& Env() const { return m_env; }
    CMemInfo& MemInfo() { return m_memInfo; }
    const CMemInfo& MemInfo() const { return m_memInfo; }

    const std::string& GetProgramDir() const { return m_programDir; }
    const std::string& GetStateDir() const { return m_stateDir; }
    // The program's configuration directory, its name matched without regard
    // to case; ends in '/'.
    std::string GetCfgDir() const;
    // ORVPRO.CFG, installed with the program.
    std::string GetCfgFile() const;
    // ORVPRO.INI and ORVPRO.TMP, written by the program.
    std::string GetIniFile() const;
    std::string GetTmpFile() const;

    const std::string& SetPrjFile(const std::string& path);
    const std::string& GetPrjFile() const { return m_prjFile; }
    void SetFormFile(const std::string& path) { m_formFile = path; }
    const std::string& GetFormFile() const { return m_formFile; }

    // The data-set image, the PLC driver file, the recipe file and the
    // further read-back file: what the compile writes and the transfer and
    // read-back take or leave.
    void SetImageFile(const std::string& path) { m_imageFile = path; }
    const std::string& GetImageFile() const { return m_imageFile; }
    void SetDrvFile(const std::string& path) { m_drvFile = path; }
    const std::string& GetDrvFile() const { return m_drvFile; }
    void SetRecipeFile(const std::string& path) { m_recipeFile = path; }
    const std::string& GetRecipeFile() const { return m_recipeFile; }
    void SetRcvAuxFile(const std::string& path) { m_rcvAuxFile = path; }
    const std::string& GetRcvAuxFile() const { return m_rcvAuxFile; }
    // The project's directory; the 706 family's read-back writes there.
    void SetPrjDir(const std::string& path) { m_prjDir = path; }
    const std::string& GetPrjDir() const { return m_prjDir; }
    // The files the 706 family's read-back wrote, for the decompile: 1 the
    // driver, 2 the special-function file, 3 the image. Indexes outside
    // 0..4 read empty and are not kept.
    static constexpr int kRcvFiles = 5;
    void SetRcvFile(int index, const std::string& path);
    const std::string& GetRcvFile(int index) const;

    // Transmission errors of the last transfer or read-back.
    void SetLinkErrors(uint32_t count) { m_linkErrors = count; }
    uint32_t GetLinkErrors() const { return m_linkErrors; }
    void IncLinkErrors() { ++m_linkErrors; }

    bool IsSimStart() const { return m_simStart; }
    void SetSimStart(bool on) { m_simStart = on; }
    bool IsSimDrvBound() const { return m_simDrvBound; }
    void SetSimDrvBound(bool on) { m_simDrvBound = on; }

    // While the flag is set the driver configuration uses this driver name
    // for every panel type.
    bool IsDrvOverride() const { return m_drvOverride; }
    const std::string& GetDrvOverrideName() const { return m_drvOverrideName; }
    void SetDrvOverride(const std::string& name, bool on);

    // group 0: 14/118; 1: 36/43/163; 2: 47/167/755; 3: 706. Empty for a group
    // outside these.
    const std::string& GetStdFktPath(int group) const;
    void SetStdFktPath(int group, const std::string& path);

    // Size of the project's driver file plus its special-function file.
    uint32_t GetDrvFktReserve() const { return m_drvFktReserve; }
    void SetDrvFktReserve(uint32_t bytes) { m_drvFktReserve = bytes; }

    // Not owned; null until the project manager has built its bundle.
    PrjBundle* GetBundle() const { return m_bundle; }
    void SetBundle(PrjBundle* bundle) { m_bundle = bundle; }

private:
    std::string m_programDir;
    std::string m_stateDir;
    uint16_t m_designFlag = 0;
    uint16_t m_batchMode = 0;
    FileTags m_tags;
    EnvSettings m_env;
    CMemInfo m_memInfo;
    std::string m_prjFile;
    std::string m_formFile;
    std::string m_imageFile;
    std::string m_drvFile;
    std::string m_recipeFile;
    std::string m_rcvAuxFile;
    std::string m_prjDir;
    std::array<std::string, kRcvFiles> m_rcvFiles;
    uint32_t m_linkErrors = 0;
    bool m_simStart = false;
    bool m_simDrvBound = false;
    bool m_drvOverride = false;
    std::string m_drvOverrideName;
    std::array<std::string, kStdFktGroups> m_stdFktPaths;
    uint32_t m_drvFktReserve = 0;
    PrjBundle* m_bundle = nullptr;
};

} // namespace orv
