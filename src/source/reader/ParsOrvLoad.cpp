// A load or append parse; when it goes, message texts and variables are bound
// to their driver items afresh, whatever the parse met.
#include "source/reader/ParsOrvLoad.h"

#include "model/core/CatalogueIds.h"
#include "model/core/Log.h"
#include "model/core/MessageBoxes.h"
#include "model/project/PrjData.h"

namespace orv {

CParsOrvLoad::CParsOrvLoad(const std::string& fileName, bool load, const PrjBundle& bundle, ParseCancelFn cancel)
    : CParsOrv(fileName, load, bundle, std::move(cancel))
{
}

CParsOrvLoad::~CParsOrvLoad()
{
    ResetContext();
    if (m_prj != nullptr) {
        m_prj->BindMsgItems();
        m_prj->BindVarItems();
    }
}

bool CParsOrvLoad::Finish()
{
    if (GetError() == 0) {
        if (m_charsConverted) {
            m_charsConverted = false;
            LogLine(kLogDebug, "ORV043 Zeichendefinitionen wurden eingelesen");
            ShowMessage(msg::kZeichendefinitionen07WurdenAls);
        }
        if (m_rowsSplit) {
            m_rowsSplit = false;
            LogLine(kLogDebug, "Fuer ORV014 wurden Zeilen geteilt");
            ShowMessage(msg::kFuerORV014WurdenTextzeilen);
        }
        if (m_rowsJoined) {
            m_rowsJoined = false;
            LogLine(kLogDebug, "Fuer ORV014 wurden Zeilen zusammengefasst");
            ShowMessage(msg::kTextzeilenDerORV014Wurden);
        }
    }
    return CParsOrv::Finish();
}

} // namespace orv
