// The base of every read-back: reads a data set and its companion files out
// of the panel's memory into files, with the link start, exchange, block
// reads, display lines, progress, "recei.dbg" and the error messages.
#pragma once

#include "link/LinkSession.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

class CPrjData;
class CDrvCfg;
class CSpsPar;

// One read-back session; the derived read-backs run their sequence in their
// constructors.
class CReceive : public CLinkSession {
public:
    static constexpr int kPathCount = 5;
    // Index of the sizes read from the panel.
    enum SizeIndex { kDataSetSize, kDriverSize, kSpareSize, kFunctionSize };

    // The three project references may be null.
    CReceive(CLinkContext& ctx, CWorkspaceState& workspace, CPrjData* project, const CDrvCfg* drvCfg,
             const CSpsPar* spsPar, uint16_t panelType, uint16_t port, uint8_t traceFlag);

    // Clears the progress bar and closes the debug log.
    void Close();

    // Reads count bytes from start in bank into a new file at path (after
    // two zero bytes when asked); a file that cannot be written sets
    // errorCode.
    void ReadPanelToFile(const std::string& path, uint16_t bank, uint16_t start, uint32_t count, uint16_t errorCode,
                         bool twoZeroBytes);

    // True when the error is 0; otherwise shows its message.
    bool ReportReceiveError();
    // The panel's name by its firmware id; empty for an unlisted id.
    std::string FirmwareIdToModelName() const;
    // The protocol of the panel's driver file; empty for an unlisted one.
    std::string DriverToProtocolText() const;

    const std::string& GetPath(int index) const { return m_paths[static_cast<size_t>(index)]; }
    void SetExpectedBytes(int32_t bytes) { m_expected = bytes; }

protected:
    // Sends the command in the buffer; an answer with fewer than two
    // characters per byte of minBytes is a failed try.
    int LinkExchange(size_t minBytes) { return Exchange(minBytes); }
    int ReadBlockCommand(uint16_t address, uint8_t count);
    // count bytes at address of the current bank; none after a failed read
    // (the error is set and the link ended).
    std::optional<std::vector<uint8_t>> ReadBytes(uint16_t address, uint8_t count);
    // Build the display command into the command buffer; the caller sends it.
    void ClearLineCommand();
    void ShowPanelLine(std::string_view text);
    void ShowPanelFileName(const std::string& path);

    CPrjData* m_project;
    const CDrvCfg* m_drvCfg;
    const CSpsPar* m_spsPar;
    int32_t m_expected = 0;
    int32_t m_received = 0;
    std::array<uint16_t, 4> m_sizes{};
    uint16_t m_dataBlock = 0;
    uint16_t m_firstAdr = 0;
    uint16_t m_lastAdr = 0;
    uint16_t m_bank = 0;
    uint16_t m_variant = 0;
    uint16_t m_panelVariant = 0;
    std::string m_firmwareId;
    std::string m_drvFileName;
    std::array<std::string, kPathCount> m_paths;

private:
    void ReportPanelArea();
};

} // namespace orv
