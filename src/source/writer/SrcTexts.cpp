// Writes the numbered texts, leaving out (and counting) the kinds, templates
// and numbers the panel's reader refuses.
#include "source/writer/SrcTexts.h"

#include "model/project/MsgTxt.h"
#include "model/project/NumEntry.h"
#include "model/project/OpTxt.h"
#include "model/project/PrjVar.h"
#include "model/project/PrnTxt.h"
#include "source/reader/SrcKeywords.h"
#include "source/writer/SrcRows.h"
#include "source/writer/SrcSink.h"
#include "source/writer/SrcTextParts.h"

#include <string>

namespace orv {

namespace {

constexpr unsigned kOutputTimes = 0x07;
constexpr int kPrnRows = 126;
constexpr int kHlpMenu = 1;
constexpr int kHlpHistory = 5;
constexpr int kHlpRecipe = 6;
constexpr int kHlpLastNamedKind = 4;

bool HasTemplate(const CKindTxtList& list)
{
    for (int i = 0; i < list.GetCount(); ++i)
        if (list.ItemAt(i)->GetNum() < 0)
            return true;
    return false;
}

// Whether the reader takes the help text back. Templates: the kinds the
// panel's family names (HISTORY only on the 706 family, RECIPE only on the
// others). Numbered texts: on the 706 family those of kind MENU; on the 043
// and 118 families only number 0 of a kind up to FAULT, which the reader
// takes as that kind's template, so only while the kind has none.
bool HlpReadable(const PanelType& panel, int kind, const CPrjNumEntry& e, const CKindTxtList& list)
{
    const bool named = panel.InFamily(Family::F043) || panel.InFamily(Family::F118);
    if (e.GetNum() < 0) {
        if (named)
            return kind != kHlpHistory;
        return !panel.InFamily(Family::F706) || kind != kHlpRecipe;
    }
    if (panel.InFamily(Family::F706))
        return kind == kHlpMenu && e.GetNum() <= 255;
    if (named)
        return e.GetNum() == 0 && kind <= kHlpLastNamedKind && !HasTemplate(list);
    // Other panels' files carry no help texts that the reader keeps.
    return false;
}

// Writes every entry with rows: head by the callbacks, rows, empty line.
template <class List, class HeadFn>
void WriteNumRecords(CSrcSink& sink, const List* list, const SrcRowKind& kind, const SrcTextRule& rule, const SrcRowLimit& rowLimit,
                     HeadFn head)
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
        if (!HasRows(e) || !EntryReadable(sink, rule, *list, e))
            continue;
        head(e);
        WriteRows(sink, e, kind, rowLimit, rule.maxRows);
        sink.Put("\r\n");
        sink.EndRecord();
    }
}

const char* PrioKeyword(uint8_t prio)
{
    switch (prio) {
    case CMsgTxt::PrioInfo: return kw::kInfo;
    case CMsgTxt::PrioWarning: return kw::kWarning;
    case CMsgTxt::PrioFault: return kw::kFault;
    default: return "";
    }
}

const char* const kHlpKinds[] = {kw::kDefault, kw::kMenu, kw::kInfo, kw::kWarning, kw::kFault, "HISTORY", "RECIPE"};

} // namespace

SrcTextRule TextRuleOf(SrcTextKind kind, const PanelType& panel)
{
    // Templates of texts are read on the 706 family and on no other.
    const bool templates = !panel.InFamily(Family::F043) && !panel.InFamily(Family::F118);
    const bool wide = panel.InFamily(Family::F706);
    switch (kind) {
    case SrcTextKind::Op: {
        const bool fourRows = panel.Row() && panel.Row()->rows == 4;
        return {kw::kOpText, fourRows ? 4 : 2, true, templates, 0, wide ? 255 : 127, 0, 255};
    }
    case SrcTextKind::Msg:
        return {kw::kMsgText, kTextRows, true, templates, 0, wide || panel.InFamily(Family::F118) ? 1023 : 127, 0, 1023};
    case SrcTextKind::Rcp: return {"REC_TEXT", kTextRows, true, templates, 1, 127, 0, 127};
    case SrcTextKind::Hist: {
        const bool hist = panel.Row() && panel.Row()->sysHistText != 0;
        return {kw::kHistText, kTextRows, hist, hist, 0, 1023, 0, 1023};
    }
    case SrcTextKind::OpPrn: return {kw::kOpPrnText, kPrnRows, templates, templates, 1, 255, 1, 255};
    case SrcTextKind::MsgPrn: return {kw::kMsgPrnText, kPrnRows, templates, templates, 0, 1023, 0, 1023};
    }
    return {"", 0, false, false, 0, 0, 0, 0};
}

void WriteOpTextRecords(CSrcSink& sink, const CPrjOpTxtList* list, const SrcRowLimit& rowLimit, const PanelType& panel,
                        const std::function<bool(const CPrjOpTxt&)>& shownByNode)
{
    const SrcTextRule rule = TextRuleOf(SrcTextKind::Op, panel);
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
        if ((!rows && !shownByNode(e)) || !EntryReadable(sink, rule, *list, e))
            continue;
        if (e.GetNum() < 0) {
            int lo = 0, hi = 0;
            TemplateRange(*list, e, lo, hi);
            sink.Printf("%s, %3d, %3d\r\n", kw::kDefOpText, lo, hi);
        } else {
            sink.Printf("%s, %3u\r\n", kw::kOpText, static_cast<unsigned>(e.GetNum()));
        }
        if (rows) {
            WriteRows(sink, e, kTextRow, rowLimit, rule.maxRows);
        } else {
            sink.LeaveOut("OP_TEXT %d has no rows and is written with one empty row", static_cast<int>(e.GetNum()));
            WriteRowLine(sink, kTextRow, nullptr, rowLimit);
        }
        sink.Put("\r\n");
        sink.EndRecord();
    }
}

void WriteMsgTextRecords(CSrcSink& sink, const CMsgTxtList* list, const SrcRowLimit& rowLimit, const PanelType& panel)
{
    WriteNumRecords(sink, list, kTextRow, TextRuleOf(SrcTextKind::Msg, panel), rowLimit, [&](const CPrjNumEntry& entry) {
        const auto& e = static_cast<const CMsgTxt&>(entry);
        const bool isTemplate = e.GetNum() < 0;
        // The reader takes the delete mode 5 and the alarm flag only in a
        // template and on the 706 family.
        const bool five = isTemplate || panel.InFamily(Family::F706);
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
                sink.Printf("%s, %3d, %3d, %-7s, %1u, %s\r\n", kw::kDefMsgText, lo, hi, prio, mode, "ALARM");
            else
                sink.Printf("%s, %3d, %3d, %-7s, %1u\r\n", kw::kDefMsgText, lo, hi, prio, mode);
        } else if (alarm) {
            sink.Printf("%s, %4u, %-7s, %1u, %s\r\n", kw::kMsgText, static_cast<unsigned>(e.GetNum()), prio, mode,
                        "ALARM");
        } else {
            sink.Printf("%s, %4u, %-7s, %1u\r\n", kw::kMsgText, static_cast<unsigned>(e.GetNum()), prio, mode);
        }
    });
}

void WriteHistTextRecords(CSrcSink& sink, const CHistTxtList* list, const SrcRowLimit& rowLimit, const PanelType& panel)
{
    WriteNumRecords(sink, list, kHistRow, TextRuleOf(SrcTextKind::Hist, panel), rowLimit, [&](const CPrjNumEntry& e) {
        if (e.GetNum() < 0) {
            int lo = 0, hi = 0;
            TemplateRange(*list, e, lo, hi);
            sink.Printf("%s, %3d, %3d\r\n", kw::kDefHistText, lo, hi);
        } else {
            sink.Printf("%s, %4u\r\n", kw::kHistText, static_cast<unsigned>(e.GetNum()));
        }
    });
}

void WriteHlpTextRecords(CSrcSink& sink, CKindTxtList* const* lists, const SrcRowLimit& rowLimit, const PanelType& panel)
{
    if (!sink.Ok() || !lists)
        return;
    bool separated = false;
    for (int kind = 0; kind < 7 && sink.Ok(); ++kind) {
        const CKindTxtList* list = lists[kind];
        if (!list || list->GetCount() == 0)
            continue;
        if (kind == kHlpHistory && panel.InFamily(Family::F118)) {
            for (int i = 0; i < list->GetCount(); ++i)
                if (HasRows(*list->ItemAt(i)))
                    sink.LeaveOut("HISTORY help text %d left out: this panel has none",
                                  static_cast<int>(list->ItemAt(i)->GetNum()));
            continue;
        }
        if (!separated) {
            sink.Separator();
            separated = true;
        }
        for (int i = 0; i < list->GetCount() && sink.Ok(); ++i) {
            const CPrjNumEntry& e = *list->ItemAt(i);
            if (!HasRows(e))
                continue;
            if (!HlpReadable(panel, kind, e, *list)) {
                sink.LeaveOut("%s help text %d left out: this panel does not read it", kHlpKinds[kind],
                              static_cast<int>(e.GetNum()));
                continue;
            }
            if (e.GetNum() < 0)
                sink.Printf("%s, %-7s\r\n", kw::kDefHlpText, kHlpKinds[kind]);
            else
                sink.Printf("%s, %-7s, %3u\r\n", kw::kHlpText, kHlpKinds[kind], static_cast<unsigned>(e.GetNum()));
            WriteRows(sink, e, kTextRow, rowLimit);
            sink.Put("\r\n");
            sink.EndRecord();
        }
    }
}

void WriteOpPrnTextRecords(CSrcSink& sink, const COpPrnTxtList* list, const SrcRowLimit& rowLimit, const PanelType& panel)
{
    WriteNumRecords(sink, list, kPrnRow, TextRuleOf(SrcTextKind::OpPrn, panel), rowLimit, [&](const CPrnTxt& e) {
        if (e.GetNum() < 0) {
            int lo = 0, hi = 0;
            TemplateRange(*list, e, lo, hi);
            sink.Printf("%s, %3d, %3d\r\n", kw::kDefOpPrnText, lo, hi);
        } else {
            sink.Printf("%s, %4u\r\n", kw::kOpPrnText, static_cast<unsigned>(e.GetNum()));
        }
    });
}

void WriteMsgPrnTextRecords(CSrcSink& sink, const CMsgPrnTxtList* list, const SrcRowLimit& rowLimit, const PanelType& panel)
{
    WriteNumRecords(sink, list, kPrnRow, TextRuleOf(SrcTextKind::MsgPrn, panel), rowLimit, [&](const CPrnTxt& entry) {
        const auto* e = dynamic_cast<const CMsgPrnTxt*>(&entry);
        unsigned value = e ? e->GetValue() : 0u;
        // The reader takes the three output-time bits alone.
        if (value > kOutputTimes) {
            sink.LeaveOut("MSG_PRNTEXT %d: output times %02X written as %02X", static_cast<int>(entry.GetNum()), value,
                          value & kOutputTimes);
            value &= kOutputTimes;
        }
        if (entry.GetNum() < 0) {
            int lo = 0, hi = 0;
            TemplateRange(*list, entry, lo, hi);
            sink.Printf("%s, %3d, %3d, %02X\r\n", kw::kDefMsgPrnText, lo, hi, value);
        } else {
            sink.Printf("%s, %4u, %02X\r\n", kw::kMsgPrnText, static_cast<unsigned>(entry.GetNum()), value);
        }
    });
}

} // namespace orv
