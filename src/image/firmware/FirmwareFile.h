// What the two firmware readers share: the image in memory, its feature mask,
// the first error and bounded reads.
#pragma once

#include "image/codec/BeReader.h"
#include "model/core/ErrorSlot.h"

#include <cstdint>
#include <memory>
#include <string>

namespace orv {

struct PrjBundle;
class CFrmCfg;
class CPrjData;
class CPrjVar;

// What the firmware readers of both panel families share: the open image,
// its feature mask, the error state and bounded reads. The image is only
// read. Every step does nothing once an error is set; the first failure
// (error 8) wins. The project root and the firmware configuration are
// borrowed from the bundle.
class CFirmwareFile {
public:
    static constexpr uint16_t kErrFile = 8;
    // Longest state text taken from an image.
    static constexpr size_t kMaxTextLen = 40;

    // Where a family keeps its id and date.
    struct HeaderLayout {
        uint64_t idAt;
        uint64_t dateAt;
        size_t dateLength;
    };

    virtual ~CFirmwareFile() = default;
    CFirmwareFile(const CFirmwareFile&) = delete;
    CFirmwareFile& operator=(const CFirmwareFile&) = delete;

    // 0 or 8.
    uint16_t GetError() const { return m_error.Code(); }
    // True without an error; error 8 shows message 15104 and is cleared.
    bool CheckError();

    // Bit 0..63 of the feature mask read by ReadSysVars; higher bits are
    // never set.
    [[nodiscard]] bool HasFeature(int bit) const;

    // The firmware id into the firmware configuration.
    void ReadId();
    // The firmware date, as the family shows it, as the firmware
    // configuration's name.
    void ReadDate();
    // Reads the feature mask, then walks the chain of built-in variable
    // entries into the project's lists. Variables made before a failure
    // stay. Needs the project root. Memory running out is error 8.
    void ReadSysVars();

protected:
    // Error 8 when the path names no file or an empty one, or it cannot be
    // read.
    CFirmwareFile(const std::string& path, PrjBundle* bundle, const HeaderLayout& header);

    // The date bytes as the family shows them.
    virtual std::string DateText(const std::string& bytes) const = 0;
    // The family's mask and chain, for ReadSysVars.
    virtual void ReadVarChain() = 0;

    bool CfgReady() const { return m_cfg && !m_error.Failed(); }
    bool PrjReady() const { return m_prj && !m_error.Failed(); }
    CFrmCfg* Cfg() const { return m_cfg; }
    CPrjData* Prj() const { return m_prj; }
    void Fail() { m_error.Set(kErrFile); }

    // File offsets are 64 bits wide so that sums of offsets read from the
    // image cannot wrap; each read checks the file's end and gives false
    // when a byte is missing, leaving its destination alone.
    [[nodiscard]] bool Byte(uint64_t at, uint8_t& value) const;
    [[nodiscard]] bool Word(uint64_t at, uint16_t& value) const;
    [[nodiscard]] bool DWord(uint64_t at, uint32_t& value) const;
    [[nodiscard]] bool Block(uint64_t at, size_t length, std::string& bytes) const;
    // A length byte and the text, of which the first 40 bytes are taken.
    [[nodiscard]] bool CountedText(uint64_t at, std::string& text) const;
    // The 8 mask bytes at the offset, the most significant first.
    [[nodiscard]] bool ReadMask(uint64_t at);

    // Gives the variable to the variable list (or the firmware variable
    // list); one that the list refuses (a name met twice) is freed.
    void Insert(std::unique_ptr<CPrjVar> var, bool fwList = false) const;

private:
    const HeaderLayout& m_header;
    CPrjData* m_prj = nullptr;
    CFrmCfg* m_cfg = nullptr;
    BeReader File() const { return BeReader(m_bytes); }

    // The whole image, read once.
    std::string m_bytes;
    uint64_t m_mask = 0;
    ErrorSlot m_error;
};

} // namespace orv
