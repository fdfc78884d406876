// Special-function configuration of a project; changes count into the bundle so
// the project knows it needs saving.
#include "model/project/FktCfg.h"

#include "model/core/FixedText.h"
#include "model/project/ModCount.h"
#include "model/project/PrjBundle.h"

namespace orv {

int CFktCfg::SetModified(bool modified)
{
    CountModification(modified, m_modCount, m_bundle);
    return 0;
}

void CFktCfg::SetName(std::string_view text)
{
    m_name = FixedText(text, kNameWidth);
}

void CFktCfg::SetFile(std::string_view text)
{
    m_file = FixedText(text, kFileWidth);
}

void CFktCfg::SetVersion(std::string_view text)
{
    m_version = FixedText(text, kVersionWidth);
}

void CFktCfg::SetDate(std::string_view text)
{
    m_date = FixedText(text, kDateWidth);
}

void CFktCfg::Clear()
{
    SetModified(false);
    m_loaded = 0;
    m_path.clear();
    m_name.clear();
    m_file.clear();
    m_version.clear();
    m_date.clear();
}

} // namespace orv
