// Stamps the project's settings into the project's own driver file.
#pragma once

#include "image/codec/DosStamp.h"
#include "image/drv/DrvEntry.h"
#include "model/core/ErrorSlot.h"

#include <cstdint>
#include <string>

namespace orv {

struct PrjBundle;
class CDrvCfg;

// Stamps the project's settings into the project's own driver file (one
// entry at the start): the copy's name, the parameter values the user set,
// the cross-reference tables and, in the 706 family, the check word. The
// file is read whole, changed in memory and replaced whole, so that a
// failure leaves it as it was. All file errors are error 5; the first stops
// the update.
class CDrvWriter {
public:
    static constexpr uint16_t kErrFile = 5;

    virtual ~CDrvWriter() = default;
    CDrvWriter(const CDrvWriter&) = delete;
    CDrvWriter& operator=(const CDrvWriter&) = delete;

    // True without an error; error 5 shows message 16103 and is cleared.
    bool CheckError();
    uint16_t GetError() const { return m_error.Code(); }

    virtual void Update() = 0;

protected:
    CDrvWriter(const std::string& path, PrjBundle* bundle, DrvFamily family);

    bool Ready() const { return m_cfg && !m_error.Failed(); }
    void Fail() { m_error.Set(kErrFile); }
    CDrvCfg& Cfg() const { return *m_cfg; }
    // The file's entry in memory, cut at the end of the file; its length 0
    // when the length cannot be read.
    DrvEntry Entry();
    // Replaces the file with the bytes changed in memory (stamped with the
    // check word first where the family has one), unless a step failed.
    void Save(bool checkWord);
    // Writes the copy's name, padded with pad, at offset.
    void WriteCopyName(int32_t offset, char pad);
    // Writes each parameter the configuration holds a valid value for.
    void WriteParams();
    // Writes the tables into the block at x.
    void WriteTables(int32_t x);

private:
    DrvFamily m_family;
    CDrvCfg* m_cfg = nullptr;
    uint16_t m_devType = 706;
    std::string m_path;
    std::string m_bytes;
    ErrorSlot m_error;
};

class CDrvWriter706 : public CDrvWriter {
public:
    CDrvWriter706(const std::string& path, PrjBundle* bundle);
    void Update() override;
};

class CDrvWriter043 : public CDrvWriter {
public:
    // The clock gives the local time of the change stamp.
    CDrvWriter043(const std::string& path, PrjBundle* bundle, LocalClock clock = SystemLocalClock());
    void Update() override;

private:
    LocalClock m_clock;
};

} // namespace orv
