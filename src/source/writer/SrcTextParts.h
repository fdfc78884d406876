// Helpers the writers of numbered texts share: template ranges, present rows and
// what each panel's reader takes of a kind.
#pragma once

#include "model/project/NumEntry.h"
#include "model/project/PanelType.h"
#include "source/writer/SrcRows.h"
#include "source/writer/SrcSink.h"

namespace orv {

// What the writers of the numbered texts share.

// The number range of a template entry: its own, else the list's.
template <class List, class Entry>
void TemplateRange(const List& list, const Entry& entry, int& lowest, int& highest)
{
    if (const auto* range = dynamic_cast<const CNumRange*>(&entry)) {
        lowest = range->GetLowest();
        highest = range->GetHighest();
        return;
    }
    lowest = highest = 0;
    for (int i = 0; i < list.GetCount(); ++i) {
        const int n = list.ItemAt(i)->GetNum();
        if (n < 0)
            continue;
        if (lowest == 0 && highest == 0)
            lowest = n;
        highest = n;
    }
}

template <class Entry>
bool HasRows(const Entry& e)
{
    for (int r = 1; r <= e.GetRowCount(); ++r)
        if (e.GetRow(r))
            return true;
    return false;
}

// Rows of every text but operator and printer texts.
inline constexpr int kTextRows = 32;

// The present rows in order, at most maxRows of them (the rest is counted).
template <class Entry>
void WriteRows(CSrcSink& sink, const Entry& e, const SrcRowKind& kind, const SrcRowLimit& rowLimit, int maxRows = kTextRows)
{
    int written = 0;
    for (int r = 1; r <= e.GetRowCount() && sink.Ok(); ++r) {
        const auto* row = e.GetRow(r);
        if (!row)
            continue;
        if (written == maxRows) {
            sink.LeaveOut("text %d: row %d left out, the panel takes %d", static_cast<int>(e.GetNum()), r, maxRows);
            continue;
        }
        WriteRowLine(sink, kind, row, rowLimit);
        ++written;
    }
}


// What the reader takes of one kind of numbered text on a panel: the kind
// at all, its template, the numbers of its entries and the bounds of a
// template's range.
struct SrcTextRule {
    const char* keyword;
    int maxRows;
    bool takesKind;
    bool takesTemplate;
    int lowest;
    int highest;
    int rangeLowest;
    int rangeHighest;
};

enum class SrcTextKind { Op, Msg, Rcp, Hist, OpPrn, MsgPrn };

SrcTextRule TextRuleOf(SrcTextKind kind, const PanelType& panel);

// Whether the reader takes the entry back; an entry it would refuse is
// logged and counted.
template <class List, class Entry>
bool EntryReadable(CSrcSink& sink, const SrcTextRule& rule, const List& list, const Entry& entry)
{
    const int num = entry.GetNum();
    bool readable = rule.takesKind;
    if (readable && num < 0) {
        int lo = 0, hi = 0;
        TemplateRange(list, entry, lo, hi);
        readable = rule.takesTemplate && lo >= rule.rangeLowest && hi <= rule.rangeHighest && lo <= hi;
    } else if (readable) {
        readable = num >= rule.lowest && num <= rule.highest;
    }
    if (!readable)
        sink.LeaveOut("%s %d left out: this panel does not read it", rule.keyword, num);
    return readable;
}

} // namespace orv
