// The tool configuration file writer of the source layer, replacing the file
// only when every write succeeded.
#pragma once

#include "model/core/ErrorSlot.h"
#include "source/config/CfgChoice.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

class CPrjData;
class CWorkspaceState;
struct PrjBundle;

// Writes the tool configuration file: one section rewritten in place, or a
// whole new file. The file is replaced only when every write succeeded; on
// any failure it stays byte for byte as it was. The first error wins and
// stops the writer.
class CCfgWriter {
public:
    static constexpr uint16_t kErrRead = 13;
    static constexpr uint16_t kErrWrite = 14;

    CCfgWriter(const CWorkspaceState& workspace, const PrjBundle& bundle);

    // Rewrite their section from the workspace's values (or the choice).
    // Lines of the section that carry a key of the section are replaced by
    // what is written now; other lines of it follow the written keys in
    // their order. A missing section is appended at the end. Every other
    // byte of the file stays. The file must exist.
    // With keepPrjFile, an ORV_FILE line that is not written now (no project
    // loaded) stays as it was instead of being dropped.
    void SaveEnvironment(bool keepPrjFile = false);
    void SaveConfiguration(const CfgChoice& choice);
    // Writes a whole new file: environment, default description,
    // configuration and the default simulation words.
    void SaveAll(const CfgChoice& choice);

    uint16_t GetError() const { return m_error.Code(); }
    // Shows the message of the error, clears it and returns false; true
    // without an error.
    bool ReportError();

private:
    using Lines = std::vector<std::string>;

    // With arcAndMouse false, the ARCNET values of a new file and no mouse
    // or ORV_LIGHT flag.
    Lines EnvironmentLines(bool arcAndMouse) const;
    Lines ConfigurationLines(const CfgChoice& choice) const;
    void RewriteSection(std::string_view name, const Lines& keys, const std::vector<std::string_view>& known);
    void Store(const Lines& lines);
    void SetError(uint16_t error);

    const CWorkspaceState& m_workspace;
    const CPrjData* m_root;
    std::string m_path;
    ErrorSlot m_error;
};

} // namespace orv
