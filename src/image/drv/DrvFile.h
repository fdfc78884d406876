// The driver file readers of the image layer: a project's own driver file and
// the entries of driver libraries, per family.
#pragma once

#include "image/drv/DrvChain.h"
#include "image/drv/DrvEntry.h"
#include "model/core/ErrorSlot.h"
#include "model/core/StepResult.h"

#include <cstdint>
#include <string>

namespace orv {

struct PrjBundle;
class CPrjData;
class CSpsPar;
class CDrvCfg;
class CPrjVar;

// Reads PLC driver entries: a project's own driver file (one entry at the
// start) or, through the library classes, one entry of a driver library.
// The first error stays until CheckError reports it; every step does
// nothing while it is set.
class CDrvFile {
public:
    static constexpr uint16_t kErrRead = 5;
    static constexpr uint16_t kErrMissing = 6;
    static constexpr uint16_t kErrLibRead = 13;
    static constexpr uint16_t kErrTarget = 14;

    virtual ~CDrvFile() = default;
    CDrvFile(const CDrvFile&) = delete;
    CDrvFile& operator=(const CDrvFile&) = delete;

    // True without an error. Errors 5, 6, 13 and 14 show their message
    // (16100, 16102 with the driver and library names, 16101) and are
    // cleared; any other stays and gives false silently.
    bool CheckError();
    uint16_t GetError() const { return m_error.Code(); }

    [[nodiscard]] bool IsValid();
    // Whether the entry is the file of driver drvNo.
    [[nodiscard]] bool NameMatches(int drvNo);
    // The entry's driver file name; empty, with error 5, when unreadable.
    std::string GetName();
    // Whether the configured driver's version and kind let this entry be
    // taken.
    [[nodiscard]] bool VersionFits();
    // The header texts, the parameter chain (as the configuration's driver
    // variables) and the cross-reference block into the configuration.
    // Memory running out here and in the library walk is error 5.
    void ReadHeader();
    // Whether the driver's data range fits the project's, or the user
    // agreed to have the project's driver setting changed.
    [[nodiscard]] bool CheckParams();
    // Asks whether the driver's range, in the PLC's notation, shall be
    // changed; true without a question for drivers that have no text.
    [[nodiscard]] bool ConfirmRangeChange(uint16_t db, uint16_t start, uint16_t end);

protected:
    CDrvFile(const std::string& path, PrjBundle* bundle, DrvFamily family);

    uint16_t DevType() const { return m_devType; }

    // The library walk. Find makes the first valid entry of the configured
    // driver the current one: error 6 when there is none, error 5 for a
    // length that cannot be read or does not move the walk on.
    [[nodiscard]] bool FindEntry();
    void MarkEntries(uint16_t devType);
    void ExtractEntry(const std::string& path, bool twoZeros);

private:
    bool Failed() const { return m_error.Failed(); }
    void SetError(uint16_t error) { m_error.Set(error); }
    void ReadHeaderSteps();
    [[nodiscard]] bool FindEntrySteps();
    void MarkEntriesSteps(uint16_t devType);
    // The entry at offset; its length from its own header. -1 when that
    // cannot be read.
    StepResult SelectEntry(int32_t offset);
    // The current entry, cut at the end of the file.
    DrvEntry Entry() const;
    StepResult EntryName(const DrvEntry& entry, std::string& name) const;
    [[nodiscard]] bool ReadTexts(const DrvEntry& entry);
    [[nodiscard]] bool ReadParams(const DrvEntry& entry);
    [[nodiscard]] bool ReadParam(const DrvEntry& entry, const DrvElement& element);
    void StampRange(CPrjVar& var);

    DrvFamily m_family;
    CPrjData* m_prj = nullptr;
    CSpsPar* m_sps = nullptr;
    CDrvCfg* m_cfg = nullptr;
    uint16_t m_devType = 706;
    int32_t m_entry = 0;
    int32_t m_entryLen = 0;
    int32_t m_fileSize = 0;
    std::string m_bytes;
    ErrorSlot m_error;
};

class CDrvFile706 : public CDrvFile {
public:
    CDrvFile706(const std::string& path, PrjBundle* bundle);
};

class CDrvFile043 : public CDrvFile {
public:
    CDrvFile043(const std::string& path, PrjBundle* bundle);
};

class CDrvLib706 : public CDrvFile706 {
public:
    CDrvLib706(const std::string& path, PrjBundle* bundle);

    // Makes the first valid entry of the configured driver the current one;
    // error 6 when there is none, error 5 for a length that stalls the walk.
    [[nodiscard]] bool Find();
    // Marks every driver whose valid entry the library holds as available
    // for the panel type.
    void MarkPresent(uint16_t devType);
    // Writes the current entry to its own file at path, replacing it only
    // when complete: error 13 when the library cannot be read, 14 when the
    // target cannot be written; the previous file then stays.
    void Extract(const std::string& path);
};

class CDrvLib043 : public CDrvFile043 {
public:
    CDrvLib043(const std::string& path, PrjBundle* bundle);

    // As the 706 family's library: the first valid entry, or an error.
    [[nodiscard]] bool Find();
    void MarkPresent(uint16_t devType);
    // For panel types 118, 163 and 167 two zero bytes follow the entry.
    void Extract(const std::string& path);
};

} // namespace orv
