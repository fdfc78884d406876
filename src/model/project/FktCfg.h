// The project's special-function file and the header texts read from it, part
// of the project bundle.
#pragma once

#include "model/core/Obj.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace orv {

struct PrjBundle;

// The project's special-function file: where it is, whether the project
// uses one, and the header texts read from it.
class CFktCfg : public CObj {
public:
    static constexpr size_t kNameWidth = 10;
    static constexpr size_t kFileWidth = 12;
    static constexpr size_t kVersionWidth = 5;
    static constexpr size_t kDateWidth = 10;

    explicit CFktCfg(PrjBundle* bundle) : m_bundle(bundle) {}

    // A change counts this object and the bundle up; clearing sets both to 0,
    // but only when this object counted a change.
    int SetModified(bool modified);
    uint16_t GetModCount() const { return m_modCount; }

    void SetLoaded(uint8_t loaded) { m_loaded = loaded; }
    uint8_t IsLoaded() const { return m_loaded; }
    void SetUsed(uint8_t used) { m_used = used; }
    uint8_t IsUsed() const { return m_used; }

    void SetPath(std::string_view path) { m_path = path; }
    const std::string& GetPath() const { return m_path; }

    // Each field keeps at most its width in bytes.
    void SetName(std::string_view text);
    void SetFile(std::string_view text);
    void SetVersion(std::string_view text);
    void SetDate(std::string_view text);
    const std::string& GetName() const { return m_name; }
    const std::string& GetFile() const { return m_file; }
    const std::string& GetVersion() const { return m_version; }
    const std::string& GetDate() const { return m_date; }

    // Forgets the file and its texts; whether the project uses one stays.
    void Clear();

private:
    PrjBundle* m_bundle;
    uint16_t m_modCount = 0;
    uint8_t m_loaded = 0;
    std::string m_path;
    uint8_t m_used = 0;
    std::string m_name;
    std::string m_file;
    std::string m_version;
    std::string m_date;
};

} // namespace orv
