// Writes softkey actions, softkey texts and menus, refusing keys and numbers
// outside the panel's range so the file reads back.
#include "source/writer/SrcKeys.h"

#include "model/project/Mnu.h"
#include "model/project/OpTxt.h"
#include "model/project/SkAct.h"
#include "model/project/SkTxt.h"
#include "source/reader/SrcKeywords.h"
#include "source/reader/SrcRules.h"
#include "source/writer/SrcSink.h"

#include <cstdio>
#include <string>

namespace orv {

namespace {

// The data words an operation may write.
constexpr uint16_t kOpAdrMin = 4;
constexpr uint16_t kOpAdrMax = 255;

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
    case CPrjSkAct::kOpWrite: return kw::kWrite;
    case CPrjSkAct::kOpAnd: return kw::kAnd;
    case CPrjSkAct::kOpOr: return kw::kOr;
    default: return "";
    }
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
            sink.Printf("%s, %3d, \"%s\"\r\n", kw::kAction, static_cast<int>(act.GetNum()), act.GetName());
        else
            sink.Printf("%s, %3d\r\n", kw::kAction, static_cast<int>(act.GetNum()));
        for (int op = 0; op < CPrjSkAct::kOps; ++op) {
            if (!act.IsOpUsed(op))
                continue;
            const uint16_t opKind = act.GetOp(op);
            const uint16_t adr = act.GetAdr(op);
            if (*OpKeyword(opKind) == '\0' || adr < kOpAdrMin || adr > kOpAdrMax) {
                sink.LeaveOut("ACTION %d: operation %d (kind %u, address %u) left out", static_cast<int>(act.GetNum()),
                              op + 1, unsigned{opKind}, unsigned{adr});
                continue;
            }
            const uint16_t fmt = act.GetFormat(op);
            if (fmt != CPrjSkAct::kFmtDec && fmt != CPrjSkAct::kFmtHex && fmt != CPrjSkAct::kFmtBin)
                sink.LeaveOut("ACTION %d: value of format %u written in decimal", static_cast<int>(act.GetNum()),
                              unsigned{fmt});
            const std::string adrText = std::to_string(adr);
            sink.Printf("%-5s, %3s, %s\r\n", OpKeyword(opKind), adrText.c_str(),
                        ValueText(act.GetValue(op), fmt).c_str());
        }
        sink.Put("\r\n");
        sink.EndRecord();
    }
}

void WriteSoftkeyRecords(CSrcSink& sink, const CPrjSkTxtList* list, const PanelType& panel)
{
    if (!sink.Ok() || !list)
        return;
    // Keys beyond the panel's and numbers beyond its range are refused.
    const int keys = SoftkeyKeyCount(panel);
    auto hasAction = [keys](const CPrjSkTxt& e) {
        for (int k = 1; k <= keys; ++k)
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
        for (int k = keys + 1; k <= CPrjSkTxt::kKeys; ++k)
            if (e.GetPressAct(k) || e.GetReleaseAct(k))
                sink.LeaveOut("SOFTKEY %d: key F%d left out, the panel has %d", static_cast<int>(e.GetNum()), k, keys);
        if (!hasAction(e))
            continue;
        if (e.GetNum() > static_cast<int>(MaxSoftkeyNum(panel))) {
            sink.LeaveOut("SOFTKEY %d left out: above %u", static_cast<int>(e.GetNum()), unsigned{MaxSoftkeyNum(panel)});
            continue;
        }
        if (e.GetNum() < 0) {
            const auto* range = dynamic_cast<const CPrjSkTxtRange*>(&e);
            sink.Printf("%s, %3u, %3u\r\n", "DEF_SOFTKEY", range ? static_cast<unsigned>(range->GetLo()) : 0u,
                        range ? static_cast<unsigned>(range->GetHi()) : 0u);
        } else {
            sink.Printf("%s, %3u\r\n", kw::kSoftkey, static_cast<unsigned>(e.GetNum()));
        }
        for (int k = 1; k <= keys; ++k) {
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
            return false;
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
            sink.Printf("%s, %-16s, %3u\r\n", kw::kMenu, m.GetName().c_str(), unsigned{m.GetNum()});
        else
            sink.Printf("%s, %-16s, %3u, %02X%02X\r\n", kw::kMenu, m.GetName().c_str(), unsigned{m.GetNum()},
                        unsigned{mask} >> 8, unsigned{mask} & 0xFFu);
        auto writeNode = [&](const CPrjMnuNode& n) {
            sink.Printf("%s, %3u, %3u, %3u, %3u, %3u, %3u\r\n", kw::kNode, unsigned{n.GetNum()}, unsigned{n.GetLeft()},
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

} // namespace orv
