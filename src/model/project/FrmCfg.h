// The firmware that goes with a project: its id, version and name, part of the
// project bundle.
#pragma once

#include "model/core/Obj.h"

#include <string>
#include <string_view>

namespace orv {

struct PrjBundle;

// The panel firmware that goes with the project: its id, the version taken
// from the id, and its name.
class CFrmCfg : public CObj {
public:
    static constexpr size_t kIdWidth = 9;
    static constexpr size_t kNameWidth = 10;

    explicit CFrmCfg(PrjBundle* bundle) : m_bundle(bundle) {}

    // Keeps at most 9 bytes of the id. A full id carries the version in its
    // last four characters: "ABCDE1234" is version "123.4".
    void SetFrmId(std::string_view text);
    void SetName(std::string_view text);
    const std::string& GetFrmId() const { return m_id; }
    const std::string& GetVersion() const { return m_version; }
    const std::string& GetName() const { return m_name; }

    // The firmware file of the project's panel type.
    std::string FrmFileName() const;

    void Clear();

private:
    PrjBundle* m_bundle;
    std::string m_id;
    std::string m_version;
    std::string m_name;
};

} // namespace orv
