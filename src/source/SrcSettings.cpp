#include "source/SrcSettings.h"

#include "model/CharDef.h"
#include "model/DrvCfg.h"
#include "model/DrvTab.h"
#include "model/Mnu.h"
#include "model/SpsDef.h"
#include "model/OpTxt.h"
#include "model/PrjData.h"
#include "model/PrjVar.h"
#include "model/PrjVarList.h"
#include "model/SkAct.h"
#include "model/SkTxt.h"
#include "source/SrcSink.h"

#include <string>

namespace {

bool In43Family(uint16_t t)
{
    return t == 14 || t == 36 || t == 43 || t == 47;
}

bool In118Family(uint16_t t)
{
    return t == 118 || t == 163 || t == 167;
}

std::string Bits16(uint16_t v)
{
    std::string s(16, '0');
    for (int i = 0; i < 16; ++i)
        if (v & (0x8000u >> i))
            s[static_cast<size_t>(i)] = '1';
    return s;
}

std::string ValueText(uint16_t value, uint16_t format)
{
    char buf[24];
    switch (format) {
    case CPrjSkAct::kFmtHex: std::snprintf(buf, sizeof buf, "$%04X", unsigned{value}); return buf;
    case CPrjSkAct::kFmtBin: return "b" + Bits16(value);
    default:
        // Any other format is written in decimal: an empty value is refused.
        std::snprintf(buf, sizeof buf, "%u", unsigned{value});
        return buf;
    }
}

const char* OpKeyword(uint16_t op)
{
    switch (op) {
    case CPrjSkAct::kOpWrite: return "WRITE";
    case CPrjSkAct::kOpAnd: return "AND";
    case CPrjSkAct::kOpOr: return "OR";
    default: return "";
    }
}

template <size_t N>
const char* Pick(const char* const (&names)[N], unsigned v)
{
    return v < N ? names[v] : "";
}

const char* const kIfc[] = {"RS232", "TTY"};
const char* const kBaud[] = {"1200", "2400", "4800", "9600", "19200"};
const char* const kParity[] = {"NONE", "EVEN", "ODD"};
const char* const kDataBits[] = {"7", "8"};
const char* const kStopBits[] = {"1", "2"};
const char* const kHandshake[] = {"NO_HANDSHAKE", "XON", "RTS"};
const char* const kDirection[] = {"1TO32", "32TO1"};
const char* const kAreas[] = {"DW", "DB", "RES", "FW", "IW", "QW", "TW"};

void WritePosLine(CSrcSink& sink, const CPrjData& prj, const char* varName, const char* keyword)
{
    const CPrjVar* var = prj.GetVarList() ? prj.GetVarList()->FindByName(std::string_view(varName)) : nullptr;
    if (var && var->GetAdr() != 0)
        sink.Printf("%s, %2u\r\n", keyword, unsigned{static_cast<uint16_t>(var->GetAdr())});
}

void WritePrMode(CSrcSink& sink, const CPrjData& prj)
{
    const uint16_t t = prj.GetDevType();
    const bool basicDefault = prj.GetPrnIfc() == 0 && prj.GetPrnBaud() == 3 && prj.GetPrnParity() == 1 &&
                              prj.GetPrnDataBits() == 0 && prj.GetPrnStopBits() == 1;
    if (t == 47 || In118Family(t)) {
        if (basicDefault && prj.GetPrnHandshake() == 2 && prj.GetPrnDirection() == 0 && prj.GetPrnTimeout() == 1)
            return;
        sink.Separator();
        sink.Printf("%s, %s, %s, %s, %s, %s, %s, %s, %u\r\n\r\n", "PRMODE", Pick(kIfc, prj.GetPrnIfc()),
                    Pick(kBaud, prj.GetPrnBaud()), Pick(kParity, prj.GetPrnParity()),
                    Pick(kDataBits, prj.GetPrnDataBits()), Pick(kStopBits, prj.GetPrnStopBits()),
                    Pick(kHandshake, prj.GetPrnHandshake()), Pick(kDirection, prj.GetPrnDirection()),
                    unsigned{prj.GetPrnTimeout()});
        return;
    }
    if (basicDefault)
        return;
    if (t == 14 || t == 36 || t == 43) {
        sink.LeaveOut("PRMODE left out: this panel takes none");
        return;
    }
    sink.Separator();
    sink.Printf("%s, %s, %s, %s, %s, %s\r\n\r\n", "PRMODE", Pick(kIfc, prj.GetPrnIfc()), Pick(kBaud, prj.GetPrnBaud()),
                Pick(kParity, prj.GetPrnParity()), Pick(kDataBits, prj.GetPrnDataBits()),
                Pick(kStopBits, prj.GetPrnStopBits()));
}

} // namespace

void WriteActionRecords(CSrcSink& sink, const CPrjSkActList* acts)
{
    if (!sink.Ok() || !acts || acts->GetCount() == 0)
        return;
    sink.Separator();
    for (int i = 0; i < acts->GetCount() && sink.Ok(); ++i) {
        const CPrjSkAct& act = *acts->ItemAt(i);
        if (act.GetName())
            sink.Printf("%s, %3d, \"%s\"\r\n", "ACTION", static_cast<int>(act.GetNum()), act.GetName());
        else
            sink.Printf("%s, %3d\r\n", "ACTION", static_cast<int>(act.GetNum()));
        for (int op = 0; op < CPrjSkAct::kOps; ++op) {
            if (!act.IsOpUsed(op))
                continue;
            const uint16_t fmt = act.GetFormat(op);
            if (fmt != CPrjSkAct::kFmtDec && fmt != CPrjSkAct::kFmtHex && fmt != CPrjSkAct::kFmtBin)
                sink.LeaveOut("ACTION %d: value of format %u written in decimal", static_cast<int>(act.GetNum()),
                              unsigned{fmt});
            const std::string adr = std::to_string(act.GetAdr(op));
            sink.Printf("%-5s, %3s, %s\r\n", OpKeyword(act.GetOp(op)), adr.c_str(),
                        ValueText(act.GetValue(op), fmt).c_str());
        }
        sink.Put("\r\n");
        sink.EndRecord();
    }
}

void WriteSoftkeyRecords(CSrcSink& sink, const CPrjSkTxtList* list)
{
    if (!sink.Ok() || !list)
        return;
    auto hasAction = [](const CPrjSkTxt& e) {
        for (int k = 1; k <= CPrjSkTxt::kKeys; ++k)
            if (e.GetPressAct(k) || e.GetReleaseAct(k))
                return true;
        return false;
    };
    bool any = false;
    for (int i = 0; i < list->GetCount() && !any; ++i)
        any = hasAction(*list->SkTxtAt(i));
    if (!any)
        return;
    sink.Separator();
    for (int i = 0; i < list->GetCount() && sink.Ok(); ++i) {
        const CPrjSkTxt& e = *list->SkTxtAt(i);
        if (!hasAction(e))
            continue;
        if (e.GetNum() < 0) {
            const auto* range = dynamic_cast<const CPrjSkTxtRange*>(&e);
            sink.Printf("%s, %3u, %3u\r\n", "DEF_SOFTKEY", range ? static_cast<unsigned>(range->GetLo()) : 0u,
                        range ? static_cast<unsigned>(range->GetHi()) : 0u);
        } else {
            sink.Printf("%s, %3u\r\n", "SOFTKEY", static_cast<unsigned>(e.GetNum()));
        }
        for (int k = 1; k <= CPrjSkTxt::kKeys; ++k) {
            const CPrjSkAct* press = e.GetPressAct(k);
            const CPrjSkAct* release = e.GetReleaseAct(k);
            if (!press && !release)
                continue;
            sink.Printf("F%-2d, %3d, %3d\r\n", k, press ? static_cast<int>(press->GetNum()) : 0,
                        release ? static_cast<int>(release->GetNum()) : 0);
        }
        sink.Put("\r\n");
        sink.EndRecord();
    }
}

void WriteMenuRecords(CSrcSink& sink, const CPrjMnuList* menus, uint16_t optMask)
{
    if (!sink.Ok() || !menus || menus->GetCount() == 0)
        return;
    auto shown = [](const CPrjMnuNode* n) { return n && n->GetOpTxt(); };
    auto writable = [&](const CPrjMnu& m) {
        const CPrjMnuNodeList* nodes = m.GetSubList();
        if (!nodes)
            return true;
        for (int i = 0; i < nodes->GetCount(); ++i)
            if (shown(nodes->ItemAt(i)))
                return true;
        return false;
    };
    bool any = false;
    for (int i = 0; i < menus->GetCount() && !any; ++i)
        any = writable(*menus->ItemAt(i));
    if (any)
        sink.Separator();
    for (int i = 0; i < menus->GetCount() && sink.Ok(); ++i) {
        const CPrjMnu& m = *menus->ItemAt(i);
        const CPrjMnuNodeList* nodes = m.GetSubList();
        if (nodes)
            for (int j = 0; j < nodes->GetCount(); ++j)
                if (!shown(nodes->ItemAt(j)))
                    sink.LeaveOut("MENU %s: node %u without operator text left out", m.GetName().c_str(),
                                  nodes->ItemAt(j) ? unsigned{nodes->ItemAt(j)->GetNum()} : 0u);
        if (!writable(m)) {
            sink.LeaveOut("MENU %s left out: no node shows an operator text", m.GetName().c_str());
            continue;
        }
        const uint16_t mask = m.GetMnuOpt();
        if (mask == optMask)
            sink.Printf("%s, %-16s, %3u\r\n", "MENU", m.GetName().c_str(), unsigned{m.GetNum()});
        else
            sink.Printf("%s, %-16s, %3u, %02X%02X\r\n", "MENU", m.GetName().c_str(), unsigned{m.GetNum()},
                        unsigned{mask} >> 8, unsigned{mask} & 0xFFu);
        if (!nodes) {
            sink.EndRecord();
            continue;
        }
        auto writeNode = [&](const CPrjMnuNode& n) {
            sink.Printf("%s, %3u, %3u, %3u, %3u, %3u, %3u\r\n", "NODE", unsigned{n.GetNum()}, unsigned{n.GetLeft()},
                        unsigned{n.GetRight()}, unsigned{n.GetDown()}, unsigned{n.GetUp()},
                        static_cast<unsigned>(n.GetOpTxt()->GetNum()));
        };
        const CPrjMnuNode* start = nullptr;
        for (int j = 0; j < nodes->GetCount() && !start; ++j)
            if (shown(nodes->ItemAt(j)) && nodes->ItemAt(j)->IsStart())
                start = nodes->ItemAt(j);
        if (start)
            writeNode(*start);
        for (int j = 0; j < nodes->GetCount(); ++j)
            if (shown(nodes->ItemAt(j)) && nodes->ItemAt(j) != start)
                writeNode(*nodes->ItemAt(j));
        sink.Put("\r\n");
        sink.EndRecord();
    }
}

void WriteSettingLines(CSrcSink& sink, const CPrjData& prj)
{
    if (!sink.Ok())
        return;
    const uint16_t t = prj.GetDevType();
    if (prj.GetCycleTime() != 10) {
        sink.Separator();
        sink.Printf("%s, %2u\r\n\r\n", "CYCLE_TIME", unsigned{prj.GetCycleTime()});
    }
    if (prj.GetPrnStatusPos() != 0) {
        sink.Separator();
        sink.Printf("%s, %2u\r\n\r\n", "POS_PRN_STATUS", unsigned{prj.GetPrnStatusPos()});
    }
    WritePosLine(sink, prj, "[Z24]", "POS_DATE_TIME");
    WritePosLine(sink, prj, "[Z25]", "POS_REC_BLOCK");
    const uint16_t dmode = prj.GetDateMode();
    if (dmode == 1 || dmode == 2) {
        if (In43Family(t) || t == 473 || t == 477) {
            sink.LeaveOut("DMODE left out: this panel takes none");
        } else {
            sink.Separator();
            sink.Printf("%s, %s\r\n\r\n", "DMODE", dmode == 1 ? "US" : "MIL");
        }
    }
    if (prj.GetMsgMode() != 0)
        sink.Printf("%s, %u\r\n", "MSGMODE", unsigned{prj.GetMsgMode()});
    sink.Put("\r\n");
    sink.EndRecord();
    WritePrMode(sink, prj);
    if (t == 47 || In118Family(t)) {
        bool any = false;
        for (int i = 0; i < 8; ++i)
            any = any || prj.GetPrnSubst(i) != ' ';
        if (any) {
            sink.Separator();
            for (int i = 0; i < 8; ++i)
                if (prj.GetPrnSubst(i) != ' ')
                    sink.Printf("%s, %u, $%02X\r\n", "PRCHAR", static_cast<unsigned>(i), unsigned{prj.GetPrnSubst(i)});
            sink.Put("\r\n");
        }
        const std::string& init = prj.GetPrnInit();
        if (init != "0D0A") {
            if (init.size() % 2 != 0)
                sink.LeaveOut("PRINIT: the last single character is left out");
            sink.Separator();
            sink.Printf("%s, \"", "PRINIT");
            sink.HexPairs(init, 27);
            sink.Put("\"\r\n\r\n");
        }
    }
    sink.EndRecord();
}

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
                sink.Printf("%3s %5u", Pick(kAreas, e.GetVal1()), unsigned{e.GetVal3()});
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

void WriteCharDefLines(CSrcSink& sink, const CCharDefColl* defs, uint16_t devType)
{
    if (!sink.Ok() || !defs || defs->GetCount() == 0)
        return;
    sink.Separator();
    for (int i = 0; i < defs->GetCount(); ++i) {
        const CCharDef& d = *defs->ItemAt(i);
        if (devType == 706)
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
