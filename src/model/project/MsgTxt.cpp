// Message texts and their message bits; the word of a message comes from the
// driver parameter items and the panel table.
#include "model/project/MsgTxt.h"

#include "model/project/DrvParItem.h"
#include "model/project/PanelTable.h"
#include "model/project/PrjData.h"
#include "model/project/SpsPar.h"

namespace orv {

namespace {

// Driver parameter item of the PLC message word that carries message n.
int MsgWordItem(uint16_t devType, int32_t n)
{
    const PanelRow* row = FindPanel(devType);
    if (!row)
        return 0;
    return n / 16 + (n < 128 ? row->msgItemLow : row->msgItemHigh);
}

}  // namespace

CMsgTxt::CMsgTxt(int32_t num, uint8_t prio, uint8_t delMode, uint8_t alarm)
    : CPrjNumEntry(num), m_prio(prio), m_delMode(delMode), m_alarm(alarm != 0 ? 1 : 0)
{
}

void CMsgTxt::MarkMsgBit(const MsgBitReq& req) const
{
    const int32_t n = GetNum();
    if (n < 0 || !req.prjData || !req.spsPar)
        return;
    const int word = MsgWordItem(req.prjData->GetDevType(), n);
    if (word > UINT16_MAX)
        return;
    CDrvParItem* item = req.spsPar->GetItems().FindItem(static_cast<uint16_t>(word));
    if (!item || item->GetKind() != CDrvParItem::KindMsg)
        return;
    if (auto* msgItem = dynamic_cast<CDrvParMsgItem*>(item))
        msgItem->SetBitKind(static_cast<unsigned>(n % 16), m_prio);
}

CMsgTxtRange::CMsgTxtRange(int32_t lowest, int32_t highest, uint8_t prio, uint8_t delMode, uint8_t alarm)
    : CMsgTxt(-1, prio, delMode, alarm), CNumRange(lowest, highest)
{
}

CMsgTxt* CMsgTxtList::NewEntry(const CMsgTxt* source, int32_t num)
{
    if (!source)
        return nullptr;
    const uint8_t prio = source->GetPrio();
    const uint8_t delMode = source->GetDelMode();
    const uint8_t alarm = source->IsAlarm();
    std::unique_ptr<CPrjNumEntry> entry;
    if (num == -1)
        entry = std::make_unique<CMsgTxtRange>(0, 1023, prio, delMode, alarm);
    else
        entry = std::make_unique<CMsgTxt>(num, prio, delMode, alarm);
    return static_cast<CMsgTxt*>(AddCopy(std::move(entry), *source));
}

void CMsgTxtList::MarkMsgBits(const MsgBitReq& req) const
{
    for (int i = 0; i < GetCount(); ++i)
        MsgAt(i)->MarkMsgBit(req);
}

CHistTxtRange::CHistTxtRange(int32_t lowest, int32_t highest) : CHistTxt(-1), CNumRange(lowest, highest) {}

CHistTxt* CHistTxtList::NewEntry(const CPrjNumEntry* source, int32_t num)
{
    return AddCopyOf<CHistTxt, CHistTxtRange>(source, num, 1023);
}

CKindTxtRange::CKindTxtRange(int32_t lowest, int32_t highest) : CKindTxt(-1), CNumRange(lowest, highest) {}

CKindTxtList::CKindTxtList(int32_t kind, int limit, int delta) : CPrjNumList(limit, delta), m_kind(kind) {}

CKindTxt* CKindTxtList::NewEntry(const CPrjNumEntry* source, int32_t num)
{
    return AddCopyOf<CKindTxt, CKindTxtRange>(source, num, 65535);
}

} // namespace orv
