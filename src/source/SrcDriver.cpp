#include "source/SrcDriver.h"

#include "model/CharDef.h"
#include "model/DrvCfg.h"
#include "model/DrvTab.h"
#include "model/SpsDef.h"
#include "source/SrcSink.h"

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
    const char* key = CDrvCfg::DrvIniKey(drv.GetDrvNo());
    const CDrvTab5List* tab5 = drv.GetParItems();
    const CDrvTab6List* tab6 = drv.GetParItems2();
    if (tab5 && tab5->GetCount() > 0) {
        sink.Separator();
        sink.Printf("%s-%s\r\n", "COM_LIST", key ? key : "");
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
        sink.Printf("%s-%s\r\n", "COM_LIST", key ? key : "");
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
    sink.Separator();
    for (int i = 0; i < defs->GetCount(); ++i) {
        const CCharDef& d = *defs->ItemAt(i);
        if (panel.Is(706))
            sink.Printf("%s, %3u, %2u, %2u, %2u, %2u, %2u, %2u, %2u\r\n", "CHAR", unsigned{d.GetCode()},
                        unsigned{d.GetRow(0)}, unsigned{d.GetRow(1)}, unsigned{d.GetRow(2)}, unsigned{d.GetRow(3)},
                        unsigned{d.GetRow(4)}, unsigned{d.GetRow(5)}, unsigned{d.GetRow(6)});
        else
            sink.Printf("%s, %1u, %2u, %2u, %2u, %2u, %2u, %2u, %2u, %2u\r\n", "CHAR", unsigned{d.GetCode()},
                        unsigned{d.GetRow(0)}, unsigned{d.GetRow(1)}, unsigned{d.GetRow(2)}, unsigned{d.GetRow(3)},
                        unsigned{d.GetRow(4)}, unsigned{d.GetRow(5)}, unsigned{d.GetRow(6)}, unsigned{d.GetRow(7)});
    }
    sink.Put("\r\n");
    sink.EndRecord();
}
