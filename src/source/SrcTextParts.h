#pragma once

#include "model/NumEntry.h"
#include "source/SrcRows.h"
#include "source/SrcSink.h"

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

template <class Entry>
void WriteRows(CSrcSink& sink, const Entry& e, const SrcRowKind& kind, int maxVars)
{
    for (int r = 1; r <= e.GetRowCount() && sink.Ok(); ++r)
        if (const auto* row = e.GetRow(r))
            WriteRowLine(sink, kind, row, maxVars);
}

