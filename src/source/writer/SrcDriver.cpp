// Writes the driver's extension records, only those the reader takes back for
// the project's driver and PLCs.
#include "source/writer/SrcDriver.h"

#include "model/project/CharDef.h"
#include "model/project/DrvCfg.h"
#include "model/project/DrvTab.h"
#include "model/project/SpsDef.h"
#include "source/reader/SrcKeywords.h"
#include "source/reader/SrcRules.h"
#include "source/writer/SrcSink.h"

#include <string>

namespace orv {

namespace {

// Whether the reader takes the record back: a data block with an even data
// word, or without a data block one of the areas FW, IW, QW (even words) or
// TW; with several PLCs the PLC must be one of the driver's.
bool IsReadableRef(const CDrvCfg& drv, const CDrvTabEntry5& e, bool multi)
{
    const unsigned area = e.GetVal1();
    const bool timer = e.GetVal2() == 0 && area == kRefTw;
    if (e.GetVal3() % 2 != 0 && !timer)
        return false;
    if (e.GetVal2() == 0 && (area == kRefDb || RefClassKeyword(static_cast<uint16_t>(area)).empty()))
        return false;
    return !multi || (drv.GetParItems3() && drv.GetParItems3()->FindByNum(e.GetByte()));
}

void WriteWordRefs(CSrcSink& sink, const CDrvCfg& drv, const CDrvTab5List& tab, bool multi)
{
    sink.Separator();
    sink.Printf("%s\r\n", ComListKeyword(drv.GetDrvNo()).c_str());
    for (int i = 0; i < tab.GetCount(); ++i) {
        const CDrvTabEntry5& e = *tab.ItemAt(i);
        if (!IsReadableRef(drv, e, multi)) {
            sink.LeaveOut("WORD %u left out: area %u, data block %u, data word %u", unsigned{e.GetKey()},
                          unsigned{e.GetVal1()}, unsigned{e.GetVal2()}, unsigned{e.GetVal3()});
            continue;
        }
        sink.Printf("WORD %3u, ", unsigned{e.GetKey()});
        if (e.GetVal2() != 0) {
            sink.Printf("%3s %5u, %3s %5u", "DB", unsigned{e.GetVal2()}, "DW", unsigned{e.GetVal3()});
        } else {
            const std::string area(RefClassKeyword(static_cast<uint16_t>(e.GetVal1())));
            sink.Printf("%3s %5u", area.c_str(), unsigned{e.GetVal3()});
        }
        if (multi)
            sink.Printf(", %s %d", "PLC", int{e.GetByte()});
        sink.Put("\r\n");
    }
    sink.Put("\r\n");
    sink.EndRecord();
}

// The table of the driver whose words map onto entries: each entry is
// written under its word.
void WriteIndexedRefs(CSrcSink& sink, const CDrvCfg& drv, const CDrvTab6List& tab)
{
    sink.Separator();
    sink.Printf("%s\r\n", ComListKeyword(drv.GetDrvNo()).c_str());
    for (int i = 0; i < tab.GetCount(); ++i) {
        const CDrvTabEntry6& e = *tab.ItemAt(i);
        sink.Printf("%s %3u, %3u, %4u, %2u,%5u, %5u\r\n", kw::kWord, unsigned{IndexedRefWordOfIndex(e.GetKey())},
                    unsigned{e.GetByte1()}, unsigned{e.GetWord1()}, unsigned{e.GetByte2()}, unsigned{e.GetVal1()},
                    unsigned{e.GetVal2()});
    }
    sink.Put("\r\n");
    sink.EndRecord();
}

} // namespace

void WriteDriverLines(CSrcSink& sink, const CDrvCfg& drv)
{
    if (!sink.Ok() || drv.GetFlag(CDrvCfg::kFlagXref) == 0)
        return;
    const bool multi = drv.GetFlag(CDrvCfg::kFlagMultiPlc) != 0;
    if (multi && drv.GetParItems3() && drv.GetParItems3()->GetCount() > 0) {
        sink.Separator();
        sink.Printf("%s\r\n", "MULTI_EXT");
        const auto* defs = drv.GetParItems3();
        for (int i = 0; i < defs->GetCount(); ++i) {
            const auto* d = defs->ItemAt(i);
            sink.Printf("PLC %2u, %3u, %2u, %2u\r\n", unsigned{d->GetNum()}, unsigned{d->GetAdr()},
                        unsigned{d->GetSlot()}, unsigned{d->GetRack()});
        }
        sink.Put("\r\n");
        sink.EndRecord();
    }
    // The reader takes the indexed table from its driver alone, and the
    // word table from every other.
    const bool indexed = drv.GetDrvNo() == kDrvIndexedRefs;
    const CDrvTab5List* tab5 = drv.GetParItems();
    const CDrvTab6List* tab6 = drv.GetParItems2();
    const int words = tab5 ? tab5->GetCount() : 0;
    const int entries = tab6 ? tab6->GetCount() : 0;
    if (indexed && entries > 0)
        WriteIndexedRefs(sink, drv, *tab6);
    else if (!indexed && words > 0)
        WriteWordRefs(sink, drv, *tab5, multi);
    else if (words + entries > 0)
        sink.LeaveOut("COM_LIST left out: driver %u does not read this table", unsigned{drv.GetDrvNo()});
}

void WriteCharDefLines(CSrcSink& sink, const CCharDefColl* defs, const PanelType& panel)
{
    if (!sink.Ok() || !defs || defs->GetCount() == 0)
        return;
    const int rows = CharDefRows(panel);
    // The others define codes 0..7; the 706 codes 128..255 and takes 0..7
    // as the first of them.
    const bool wide = panel.Row() && panel.Row()->highUserChars;
    sink.Separator();
    for (int i = 0; i < defs->GetCount(); ++i) {
        const CCharDef& d = *defs->ItemAt(i);
        const unsigned code = d.GetCode();
        if (code > 7 && (!wide || code < 128)) {
            sink.LeaveOut("CHAR %u left out: no user character of this panel", code);
            continue;
        }
        sink.Printf(wide ? "%s, %3u" : "%s, %1u", kw::kChar, code);
        for (int r = 0; r < rows; ++r)
            sink.Printf(", %2u", unsigned{d.GetRow(r)});
        sink.Put("\r\n");
    }
    sink.Put("\r\n");
    sink.EndRecord();
}

} // namespace orv
