#include "source/SrcTexts.h"

#include "model/MsgTxt.h"
#include "model/NumEntry.h"
#include "model/OpTxt.h"
#include "model/PrjVar.h"
#include "model/PrnTxt.h"
#include "source/SrcRows.h"
#include "source/SrcTextParts.h"
#include "source/SrcSink.h"

#include <string>

namespace {

bool In118Family(uint16_t devType)
{
    return devType == 118 || devType == 163 || devType == 167;
}

bool In706Family(uint16_t devType)
{
    return devType == 473 || devType == 477 || devType == 706;
}

// Writes every entry with rows: head by the callbacks, rows, empty line.
template <class List, class HeadFn>
void WriteNumRecords(CSrcSink& sink, const List* list, const SrcRowKind& kind, int maxVars, HeadFn head)
{
    if (!sink.Ok() || !list || list->GetCount() == 0)
        return;
    bool any = false;
    for (int i = 0; i < list->GetCount() && !any; ++i)
        any = HasRows(*list->ItemAt(i));
    if (!any)
        return;
    sink.Separator();
    for (int i = 0; i < list->GetCount() && sink.Ok(); ++i) {
        const auto& e = *list->ItemAt(i);
        if (!HasRows(e))
            continue;
        head(e);
        WriteRows(sink, e, kind, maxVars);
        sink.Put("\r\n");
        sink.EndRecord();
    }
}

const char* PrioKeyword(uint8_t prio)
{
    switch (prio) {
    case CMsgTxt::PrioInfo: return "INFO";
    case CMsgTxt::PrioWarning: return "WARNING";
    case CMsgTxt::PrioFault: return "FAULT";
    default: return "";
    }
}

const char* const kHlpKinds[] = {"DEFAULT", "MENU", "INFO", "WARNING", "FAULT", "HISTORY", "RECIPE"};

} // namespace

void WriteOpTextRecords(CSrcSink& sink, const CPrjOpTxtList* list, int maxVars,
                        const std::function<bool(const CPrjOpTxt&)>& shownByNode)
{
    if (!sink.Ok() || !list || list->GetCount() == 0)
        return;
    bool any = false;
    for (int i = 0; i < list->GetCount() && !any; ++i)
        any = HasRows(*list->ItemAt(i)) || shownByNode(*list->OpTxtAt(i));
    if (!any)
        return;
    sink.Separator();
    for (int i = 0; i < list->GetCount() && sink.Ok(); ++i) {
        const CPrjOpTxt& e = *list->OpTxtAt(i);
        const bool rows = HasRows(e);
        if (!rows && !shownByNode(e))
            continue;
        if (e.GetNum() < 0) {
            int lo = 0, hi = 0;
            TemplateRange(*list, e, lo, hi);
            sink.Printf("%s, %3d, %3d\r\n", "DEF_OP_TEXT", lo, hi);
        } else {
            sink.Printf("%s, %3u\r\n", "OP_TEXT", static_cast<unsigned>(e.GetNum()));
        }
        if (rows) {
            WriteRows(sink, e, kTextRow, maxVars);
        } else {
            sink.LeaveOut("OP_TEXT %d has no rows and is written with one empty row", static_cast<int>(e.GetNum()));
            WriteRowLine(sink, kTextRow, nullptr, maxVars);
        }
        sink.Put("\r\n");
        sink.EndRecord();
    }
}

void WriteMsgTextRecords(CSrcSink& sink, const CMsgTxtList* list, int maxVars, uint16_t devType)
{
    WriteNumRecords(sink, list, kTextRow, maxVars, [&](const CPrjNumEntry& entry) {
        const auto& e = static_cast<const CMsgTxt&>(entry);
        const bool isTemplate = e.GetNum() < 0;
        // The reader takes the delete mode 5 and the alarm flag only in a
        // template and on the 706 family.
        const bool five = isTemplate || In706Family(devType);
        unsigned mode = e.GetDelMode();
        if (mode < 1 || mode > (five ? 5u : 4u)) {
            const unsigned kept = mode < 1 ? 1u : (five ? 5u : 4u);
            sink.LeaveOut("MSG_TEXT %d: delete mode %u written as %u", static_cast<int>(e.GetNum()), mode, kept);
            mode = kept;
        }
        bool alarm = e.IsAlarm() != 0;
        if (alarm && !five) {
            sink.LeaveOut("MSG_TEXT %d: ALARM left out", static_cast<int>(e.GetNum()));
            alarm = false;
        }
        const char* prio = PrioKeyword(e.GetPrio());
        if (isTemplate) {
            int lo = 0, hi = 0;
            TemplateRange(*list, entry, lo, hi);
            if (alarm)
                sink.Printf("%s, %3d, %3d, %-7s, %1u, %s\r\n", "DEF_MSG_TEXT", lo, hi, prio, mode, "ALARM");
            else
                sink.Printf("%s, %3d, %3d, %-7s, %1u\r\n", "DEF_MSG_TEXT", lo, hi, prio, mode);
        } else if (alarm) {
            sink.Printf("%s, %4u, %-7s, %1u, %s\r\n", "MSG_TEXT", static_cast<unsigned>(e.GetNum()), prio, mode,
                        "ALARM");
        } else {
            sink.Printf("%s, %4u, %-7s, %1u\r\n", "MSG_TEXT", static_cast<unsigned>(e.GetNum()), prio, mode);
        }
    });
}

void WriteHistTextRecords(CSrcSink& sink, const CHistTxtList* list, int maxVars)
{
    WriteNumRecords(sink, list, kHistRow, maxVars, [&](const CPrjNumEntry& e) {
        if (e.GetNum() < 0) {
            int lo = 0, hi = 0;
            TemplateRange(*list, e, lo, hi);
            sink.Printf("%s, %3d, %3d\r\n", "DEF_HIST_TEXT", lo, hi);
        } else {
            sink.Printf("%s, %4u\r\n", "HIST_TEXT", static_cast<unsigned>(e.GetNum()));
        }
    });
}

void WriteHlpTextRecords(CSrcSink& sink, CKindTxtList* const* lists, int maxVars, uint16_t devType)
{
    if (!sink.Ok() || !lists)
        return;
    bool separated = false;
    for (int kind = 0; kind < 7 && sink.Ok(); ++kind) {
        if (kind == 5 && In118Family(devType))
            continue;
        const CKindTxtList* list = lists[kind];
        if (!list || list->GetCount() == 0)
            continue;
        if (!separated) {
            sink.Separator();
            separated = true;
        }
        for (int i = 0; i < list->GetCount() && sink.Ok(); ++i) {
            const CPrjNumEntry& e = *list->ItemAt(i);
            if (!HasRows(e))
                continue;
            if (e.GetNum() < 0)
                sink.Printf("%s, %-7s\r\n", "DEF_HLP_TEXT", kHlpKinds[kind]);
            else
                sink.Printf("%s, %-7s, %3u\r\n", "HLP_TEXT", kHlpKinds[kind], static_cast<unsigned>(e.GetNum()));
            WriteRows(sink, e, kTextRow, maxVars);
            sink.Put("\r\n");
            sink.EndRecord();
        }
    }
}

void WriteOpPrnTextRecords(CSrcSink& sink, const COpPrnTxtList* list, int maxVars)
{
    WriteNumRecords(sink, list, kPrnRow, maxVars, [&](const CPrnTxt& e) {
        if (e.GetNum() < 0) {
            int lo = 0, hi = 0;
            TemplateRange(*list, e, lo, hi);
            sink.Printf("%s, %3d, %3d\r\n", "DEF_OP_PRNTEXT", lo, hi);
        } else {
            sink.Printf("%s, %4u\r\n", "OP_PRNTEXT", static_cast<unsigned>(e.GetNum()));
        }
    });
}

void WriteMsgPrnTextRecords(CSrcSink& sink, const CMsgPrnTxtList* list, int maxVars)
{
    WriteNumRecords(sink, list, kPrnRow, maxVars, [&](const CPrnTxt& entry) {
        const auto* e = dynamic_cast<const CMsgPrnTxt*>(&entry);
        const unsigned value = e ? e->GetValue() : 0u;
        if (entry.GetNum() < 0) {
            int lo = 0, hi = 0;
            TemplateRange(*list, entry, lo, hi);
            sink.Printf("%s, %3d, %3d, %02X\r\n", "DEF_MSG_PRNTEXT", lo, hi, value);
        } else {
            sink.Printf("%s, %4u, %02X\r\n", "MSG_PRNTEXT", static_cast<unsigned>(entry.GetNum()), value);
        }
    });
}
