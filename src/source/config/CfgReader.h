// The tool configuration file reader of the source layer: environment, default
// description and the project's panel, PLC and driver choice.
#pragma once

#include "source/config/CfgChoice.h"
#include "source/reader/Parser.h"

#include <cstdint>
#include <string>

namespace orv {

class CPrjData;
class CSpsPar;
class CWorkspaceState;
struct EnvSettings;
struct PrjBundle;

// Reads the tool configuration file section by section. The first error
// wins; every read does nothing while an error is set.
class CCfgReader : public CParser {
public:
    static constexpr uint16_t kErrOpen = 9;
    static constexpr uint16_t kErrDamaged = 17;
    // Long enough that a project path in ORV_FILE arrives whole.
    static constexpr size_t kLineLimit = 4096;
    // Longest default description kept.
    static constexpr size_t kDescrLimit = 1022;

    // The bundle's members may be missing; the reads that need them then do
    // nothing.
    CCfgReader(CWorkspaceState& workspace, const PrjBundle& bundle);

    // ENVIRONMENT into the workspace: its environment settings, the file
    // extensions, the design flag and the project file. The defaults of the
    // keys that have one apply also when the section is missing.
    void ReadEnvironment();
    // DEFAULT_DESCRIPTION, each line ending in CR LF; false (text
    // unchanged) when nothing was read.
    [[nodiscard]] bool ReadDescription(std::string& text);
    // CONFIGURATION into choice, and the standard special-function files
    // into the workspace. The choice changes only when the section holds
    // ORV, SPS, DRIVER, OFFSET and LENGTH; without DB it is 0.
    void ReadConfiguration(CfgChoice& choice);
    // The simulation words of the current panel type into the PLC
    // parameters' items; words without an item are skipped.
    void ReadSimulation();

    // Shows the message of the error, clears it and returns false; true
    // without an error.
    bool CheckError() override;

private:
    void ReadEnvLine(EnvSettings& env);
    // The text between double quotes after '=', at most limit bytes;
    // false when the opening quote is missing.
    [[nodiscard]] bool ReadQuoted(std::string& text, size_t limit);
    // Keeps the extension when the value is empty or could leave the
    // directory of the file it names.
    void ReadExtension(std::string& ext);
    [[nodiscard]] bool ReadPanelId(uint16_t& devType);
    [[nodiscard]] bool ReadSpsType(uint16_t& spsType);
    [[nodiscard]] bool ReadDrvNo(uint16_t& drvNo);
    void ReadFunctionFile(int group);
    // 1, 2, 4, 8 or 16; 0 for no known format.
    uint8_t ReadSimFormat();
    [[nodiscard]] bool ReadSimWord();
    [[nodiscard]] bool ReadSimLong();
    void AddSimWord(CObj* item);

    CWorkspaceState& m_workspace;
    CPrjData* m_root;
    CSpsPar* m_sps;
};

} // namespace orv
