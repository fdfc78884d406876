#include "source/SrcDriver.h"

#include "model/CharDef.h"
#include "model/DrvCfg.h"
#include "model/DrvTab.h"
#include "model/SpsDef.h"
#include "source/SrcRules.h"
#include "source/SrcSink.h"

#include <string>

namespace {

const char* const kAreas[] = {"DW", "DB", "RES", "FW", "IW", "QW", "TW"};

const char* AreaKeyword(unsigned area)
{
    return area < sizeof kAreas / sizeof kAreas[0] ? kAreas[area] : "";
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
    const std::string head = ComListKeyword(drv.GetDrvNo());
    const CDrvTab5List* tab5 = drv.GetParItems();
    const CDrvTab6List* tab6 = drv.GetParItems2();
    if (tab5 && tab5->GetCount() > 0) {
        sink.Separator();
        sink.Printf("%s\r\n", head.c_str());
        for (int i = 0; i < tab5->GetCount(); ++i) {
            const CDrvTabEntry5& e = *tab5->ItemAt(i);
            sink.Printf("WORD %3u, ", unsigned{e.GetKey()});
            if (e.GetVal2() != 0)
                sink.Printf("%3s %5u, %3s %5u", "DB", unsigned{e.GetVal2()}, "DW", unsigned{e.GetVal3()});
            else
                sink.Printf("%3s %5u", AreaKeyword(e.GetVal1()), unsigned{e.GetVal3()});
            if (multi)
                sink.Printf(", %s %d", "PLC", int{e.GetByte()});
            sink.Put("\r\n");
        }
        sink.Put("\r\n");
        sink.EndRecord();
    } else if (tab6 && tab6->GetCount() > 0) {
        sink.Separator();
        sink.Printf("%s\r\n", head.c_str());
        for (int i = 0; i < tab6->GetCount(); ++i) {
            const CDrvTabEntry6& e = *tab6->ItemAt(i);
            sink.Printf("%s %3u, %3u, %4u, %2u,%5u, %5u\r\n", "WORD", unsigned{e.GetKey()}, unsigned{e.GetByte1()},
                        unsigned{e.GetWord1()}, unsigned{e.GetByte2()}, unsigned{e.GetVal1()}, unsigned{e.GetVal2()});
        }
        sink.Put("\r\n");
        sink.EndRecord();
    }
}

void WriteCharDefLines(CSrcSink& sink, const CCharDefColl* defs, const PanelType& panel)
{
    if (!sink.Ok() || !defs || defs->GetCount() == 0)
        return;
    const int rows = CharDefRows(panel);
    // The others define codes 0..7; the 706 codes 128..255 and takes 0..7
    // as the first of them.
    const bool wide = panel.Is(706);
    sink.Separator();
    for (int i = 0; i < defs->GetCount(); ++i) {
        const CCharDef& d = *defs->ItemAt(i);
        const unsigned code = d.GetCode();
        if (code > 7 && (!wide || code < 128)) {
            sink.LeaveOut("CHAR %u left out: no user character of this panel", code);
            continue;
        }
        sink.Printf(wide ? "%s, %3u" : "%s, %1u", "CHAR", code);
        for (int r = 0; r < rows; ++r)
            sink.Printf(", %2u", unsigned{d.GetRow(r)});
        sink.Put("\r\n");
    }
    sink.Put("\r\n");
    sink.EndRecord();
}
