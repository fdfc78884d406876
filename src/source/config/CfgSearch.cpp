// Reads the ADR lines of the chosen section into driver parameter items, clipped
// to the PLC window so no item lies outside it.
#include "source/config/CfgSearch.h"

#include "model/core/CatalogueIds.h"
#include "model/project/DrvParItem.h"
#include "model/project/DrvTable.h"
#include "model/core/Log.h"
#include "model/core/MessageBoxes.h"
#include "model/project/PrjBundle.h"
#include "model/project/SpsPar.h"
#include "model/core/WorkspaceState.h"
#include "source/config/CfgNames.h"

#include <algorithm>
#include <memory>
#include <string>

namespace orv {

namespace {

constexpr const char* kNoCombination =
    "Kombination der Startauswahl nicht in .CFG File gefunden\nBitte Startauswahl korrigieren !";

} // namespace

CCfgSearch::CCfgSearch(const CWorkspaceState& workspace, const PrjBundle& bundle)
    : CParser(workspace.GetCfgFile(), kErrOpen), m_root(bundle.prjData), m_sps(bundle.spsPar)
{
}

void CCfgSearch::LoadCombination(uint16_t devType, uint16_t spsType, uint16_t drvNo)
{
    if (!m_root || !m_sps || GetError() != 0)
        return;
    m_sps->SetCaptions();

    const std::string section =
        std::string(PanelIdText(devType)) + "-" + GetSpsTypeKey(spsType) + "-" + DrvIniKey(drvNo);
    LogLine(kLogDebug, "Search .CFG for %s", section.c_str());
    if (!SeekSection(section)) {
        SetError(kErrCombination);
        return;
    }

    // A section without ADR lines runs on into the next one.
    bool adrSeen = false;
    while (!IsEof()) {
        ReadLine();
        if (OpensSection(GetLine())) {
            if (adrSeen)
                break;
            continue;
        }
        if (!ExpectKeyword("ADR"))
            continue;
        adrSeen = true;
        if (!ReadAdrLine()) {
            SetError(kErrCombination);
            return;
        }
    }
}

bool CCfgSearch::ReadAdrLine()
{
    if (!ExpectChar('='))
        return false;
    uint8_t kind;
    if (ExpectKeyword("SYS"))
        kind = CDrvParItem::KindSys;
    else if (ExpectKeyword("VAR"))
        kind = CDrvParItem::KindVar;
    else if (ExpectKeyword("MSG"))
        kind = CDrvParItem::KindMsg;
    else
        return false;

    // Words beyond the PLC window are clipped to it; signed, so that a
    // window of no words creates nothing.
    const int length = m_sps->GetLength();
    uint16_t first;
    uint16_t last;
    if (!ExpectChar(',') || GetNum16(first, 0, 65535) != 1)
        return false;
    if (first > length - 1)
        first = static_cast<uint16_t>(length);
    if (!ExpectChar(',') || GetNum16(last, first, 65535) != 1)
        return false;
    if (!ExpectChar(','))
        return false;

    uint8_t direction = 0;
    if (ExpectChar('<'))
        direction |= CDrvParItem::DirToPanel;
    if (!ExpectChar('-'))
        return false;
    if (ExpectChar('>'))
        direction |= CDrvParItem::DirToPlc;

    uint16_t msgNo = 0;
    uint16_t textNo = 0;
    if (kind == CDrvParItem::KindSys) {
        if (!ExpectChar(',') || !ExpectKeyword("TEXT") || GetNum16(textNo, 1, 40) != 1)
            return false;
    } else if (kind == CDrvParItem::KindMsg) {
        if (!ExpectChar(',') || GetNum16(msgNo, 0, 1023) != 1)
            return false;
        if (!ExpectChar(',') || !ExpectKeyword("TEXT") || GetNum16(textNo, 1, 26) != 1)
            return false;
    }
    CreateItems(kind, first, std::min<int>(last, length - 1), direction, msgNo, textNo);
    return true;
}

void CCfgSearch::CreateItems(uint8_t kind, int first, int last, uint8_t direction, uint16_t msgNo,
                             uint16_t textNo)
{
    CDrvParColl& items = m_sps->GetItems();
    for (int i = first; i <= last; ++i) {
        const auto word = static_cast<uint16_t>(i);
        std::unique_ptr<CDrvParItem> item;
        if (kind == CDrvParItem::KindSys)
            item = std::make_unique<CDrvParSysItem>(word, direction, static_cast<uint8_t>(textNo));
        else if (kind == CDrvParItem::KindVar)
            item = std::make_unique<CDrvParVarItem>(word, direction);
        else
            item = std::make_unique<CDrvParMsgItem>(word, direction, msgNo, static_cast<uint8_t>(textNo));
        const int index = items.Add(item.get());
        if (index < 0)  // the collection is full: every further word is refused too
            break;
        if (items.ItemAt(index) == item.get())
            item.release();
    }
}

bool CCfgSearch::CheckError()
{
    switch (GetError()) {
    case 0:
        return true;
    case kErrOpen:
        ShowMessage(msg::kDateiKannNichtGeoeffnetWerden, GetFileName());
        break;
    case kErrCombination:
        ShowInternalError(msg::kInternalError, kNoCombination);
        break;
    default:
        return false;
    }
    return CParser::CheckError();
}

} // namespace orv
