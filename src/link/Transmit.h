// The base of every transfer to the panel: companion files checked and
// opened, link start, exchange, bank-by-bank file writes, display lines,
// status block, progress and the messages of the session's error.
#pragma once

#include "link/LinkSession.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace orv {

class CPrjData;

// A version text of a file or the panel: the display form ("OG706 V123")
// and the three digits alone.
struct VersionText {
    std::string display;
    std::string digits;
};

// The version text of a file: five id characters, then the three digits.
VersionText FileVersionText(const std::string& text);

// One transfer session. The constructor checks and opens the companion
// files; the derived transfers run their sequence on it.
class CTransmit : public CLinkSession {
public:
    // Indexes of the paths: the firmware, driver, special-function, image
    // and recipe files, their names alone at + 5, the trace at 10.
    enum PathIndex { kFirmware = 0, kDriver = 1, kFunction = 2, kImage = 3, kRecipe = 4, kNameOffset = 5, kTrace = 10 };
    static constexpr int kPathCount = 11;
    static constexpr size_t kStatusSize = 16;
    static constexpr int kFileCount = 5;

    CTransmit(CLinkContext& ctx, CWorkspaceState& workspace, uint16_t panelType, uint16_t port, uint8_t traceSel,
              const CPrjData* project, const std::string& projectPath);
    ~CTransmit();

    // Clears the progress bar and closes every open file.
    void Close();

    const std::string& GetPath(int index) const { return m_paths[static_cast<size_t>(index)]; }
    uint32_t GetTotalBytes() const { return m_totalBytes; }
    uint32_t GetImageSize() const { return m_imageSize; }
    // Whether the file of path index 0..4 is open.
    bool IsOpen(int index) const { return index >= 0 && index < kFileCount && File(index) != nullptr; }

    // Writes the status block with "SW"; false only when the exchange failed.
    bool WriteStatus(const std::array<uint8_t, kStatusSize>* block);
    // Reads the status block with "SR"; false without a block or on failure.
    bool ReadStatus(std::array<uint8_t, kStatusSize>* block);
    // True when the error is 0; otherwise shows the message and clears the
    // code, or keeps an unknown code for the derived transfer's own table.
    bool ReportError();

protected:
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

    int ReadBlock(uint16_t address, uint8_t count);
    bool ClearDisplay();
    // Build the display command into the command buffer and log the line;
    // the caller sends it with Exchange.
    void ShowTitle(std::string_view text);
    void ShowFileName(std::string_view name);
    // Writes the file from the start address on, bank by bank.
    void SendFile(int fileIndex, uint16_t missingCode, uint16_t startAddress);
    // count bytes of the file at offset; none when the file is missing or
    // shorter.
    std::optional<std::string> ReadFileAt(int fileIndex, long offset, size_t count);

    std::FILE* File(int index) const { return m_files[static_cast<size_t>(index)].get(); }

    const CPrjData* m_project;
    uint16_t m_variant = 0;
    uint16_t m_bank = 0;
    uint8_t m_fieldbusKind = 0;
    uint16_t m_drvNo = 5;
    uint32_t m_totalBytes = 0;
    uint32_t m_bytesSent = 0;
    uint32_t m_imageSize = 0;
    std::array<std::string, kPathCount> m_paths;
    // The panel's identification and its version; the versions of the
    // firmware, driver, special-function file and image.
    std::string m_panelAnswer;
    VersionText m_panelVersion;
    std::array<VersionText, 4> m_fileVersions;

private:
    void BuildPaths(const std::string& projectPath);
    void CheckFiles();
    void OpenFiles();
    bool Require(int index, uint16_t code);
    void Open(int index, const char* mode, uint16_t code);
    void ReportModelError();

    std::array<FilePtr, kFileCount> m_files;
};

} // namespace orv
