// Special-function files of the image layer: their header layout per family and
// the reader of their header fields.
#pragma once

#include "image/codec/BeReader.h"
#include "model/core/ErrorSlot.h"

#include <cstdint>
#include <string>

namespace orv {

struct PrjBundle;
class CFktCfg;

// Where the header fields of a special-function file lie; the 706 family
// has its own header, the other families share one.
struct FktLayout {
    int32_t stdNameAt;   // the file's own name, 12 characters
    int32_t copyNameAt;  // the name of the project's copy
    int32_t versionAt;   // version field; characters 5..8 count
    bool hexStamps;      // 706: three-byte stamps; else DOS dates
    int32_t nameStampAt; // the configuration's name text
    int32_t dateStampAt; // the configuration's date text
    int stdGroup;        // which standard file of the workspace
    bool checkWord;      // the writer stamps the check word
};

// Reads the header of a special-function file into the project's
// special-function configuration. Without a configuration every operation
// does nothing. The first failure (error 7) stops all further steps.
class CFktFile {
public:
    static constexpr uint16_t kErrFile = 7;

    virtual ~CFktFile() = default;
    CFktFile(const CFktFile&) = delete;
    CFktFile& operator=(const CFktFile&) = delete;

    // True without an error; error 7 shows message 16550 and is cleared.
    bool CheckError();
    uint16_t GetError() const { return m_error.Code(); }

    // Whether the file is the family's standard file by its stored name.
    [[nodiscard]] bool IsStdFile();
    // Whether the file is newer than the version the configuration holds.
    [[nodiscard]] bool NeedsReplace();
    void ReadHeader();

protected:
    CFktFile(const std::string& path, PrjBundle* bundle, const FktLayout& layout);

    bool Ready() const { return m_cfg && !m_error.Failed(); }
    BeReader File() const { return BeReader(m_bytes); }
    void Fail() { m_error.Set(kErrFile); }

private:
    const FktLayout& m_layout;
    CFktCfg* m_cfg = nullptr;
    std::string m_bytes;
    ErrorSlot m_error;
};

class CFktFile014 : public CFktFile {
public:
    CFktFile014(const std::string& path, PrjBundle* bundle);
};

class CFktFile043 : public CFktFile {
public:
    CFktFile043(const std::string& path, PrjBundle* bundle);
};

class CFktFile047 : public CFktFile {
public:
    CFktFile047(const std::string& path, PrjBundle* bundle);
};

class CFktFile706 : public CFktFile {
public:
    CFktFile706(const std::string& path, PrjBundle* bundle);
    // The magic 466 at offset 4.
    [[nodiscard]] bool IsValid();
};

// Stamps the project's copy of a special-function file with its own name
// (and, in the 706 family, the check word). The file is read whole, changed
// in memory and replaced whole: a failure leaves it as it was.
class CFktWriter {
public:
    static constexpr uint16_t kErrFile = 7;

    virtual ~CFktWriter() = default;
    CFktWriter(const CFktWriter&) = delete;
    CFktWriter& operator=(const CFktWriter&) = delete;

    // True without an error; error 7 shows message 16551 and is cleared.
    bool CheckError();
    uint16_t GetError() const { return m_error.Code(); }

    void Update();

protected:
    CFktWriter(const std::string& path, PrjBundle* bundle, const FktLayout& layout);

private:
    const FktLayout& m_layout;
    CFktCfg* m_cfg = nullptr;
    std::string m_path;
    std::string m_bytes;
    ErrorSlot m_error;
};

class CFktWriter014 : public CFktWriter {
public:
    CFktWriter014(const std::string& path, PrjBundle* bundle);
};

class CFktWriter043 : public CFktWriter {
public:
    CFktWriter043(const std::string& path, PrjBundle* bundle);
};

class CFktWriter047 : public CFktWriter {
public:
    CFktWriter047(const std::string& path, PrjBundle* bundle);
};

class CFktWriter706 : public CFktWriter {
public:
    CFktWriter706(const std::string& path, PrjBundle* bundle);
};

} // namespace orv
