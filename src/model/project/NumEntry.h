// The numbered text entries with their rows that every text list of the project
// model is made of.
#pragma once

#include "model/core/Obj.h"
#include "model/project/TxtRow.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

namespace orv {

class CPrjVar;

// A numbered text: its number and its rows at places 1..row count, each
// place holding a row or nothing. The number -1 marks a list's template.
// Destroying the entry destroys its rows, which release their variables.
template <class Row, int MaxRows>
class CRowEntry : public CObj {
public:
    static constexpr int kMaxRows = MaxRows;

    explicit CRowEntry(int32_t num) : m_num(num) {}

    int32_t GetNum() const { return m_num; }
    // While the entry is in a list, only the list's Renumber changes it.
    void SetNum(int32_t num) { m_num = num; }
    const int32_t& NumKey() const { return m_num; }

    int GetRowCount() const { return static_cast<int>(m_rows.size()); }
    // Capped at the maximum; rows at places above n are destroyed, places
    // added stay empty.
    void SetRowCount(int n)
    {
        n = std::clamp(n, 0, kMaxRows);
        if (n == GetRowCount())
            return;
        m_rows.resize(static_cast<size_t>(n));
        if (n == 0)
            m_rows.shrink_to_fit();
    }
    void ClearRows() { SetRowCount(0); }

    // Null for place 0, a place above the count or an empty place.
    Row* GetRow(int i) const
    {
        if (i < 1 || i > GetRowCount())
            return nullptr;
        return m_rows[static_cast<size_t>(i - 1)].get();
    }
    // Stores the row at the place of its own number, destroying the row that
    // was there. A number of 0 or above the count is refused: the row is
    // destroyed and the result is null.
    Row* SetRow(std::unique_ptr<Row> row)
    {
        if (!row || row->GetNum() < 1 || row->GetNum() > GetRowCount())
            return nullptr;
        auto& place = m_rows[static_cast<size_t>(row->GetNum() - 1)];
        place = std::move(row);
        return place.get();
    }

    // Gives the destination the same places with a copy of every row.
    void CopyRowsTo(CRowEntry* dest) const
    {
        if (!dest || dest == this || m_rows.empty())
            return;
        dest->SetRowCount(0);
        dest->SetRowCount(GetRowCount());
        for (size_t i = 0; i < m_rows.size(); ++i)
            if (m_rows[i])
                dest->m_rows[i] = m_rows[i]->Clone();
    }

    void ReplaceVar(const VarReplaceReq& req)
    {
        for (auto& row : m_rows)
            if (row)
                row->ReplaceVar(req);
    }
    void FitVarWidths()
    {
        for (auto& row : m_rows)
            if (row)
                row->FitVarWidths();
    }
    bool HasVarWithOthers(const CPrjVar* var) const
    {
        return std::any_of(m_rows.begin(), m_rows.end(),
                           [var](const auto& row) { return row && row->HasVarWithOthers(var); });
    }

private:
    int32_t m_num;
    std::vector<std::unique_ptr<Row>> m_rows;
};

// The base of every numbered display text: up to 32 rows.
class CPrjNumEntry : public CRowEntry<CPrjTxtRow, 32> {
public:
    using CRowEntry::CRowEntry;
};

// The valid number range that a list's template carries.
class CNumRange {
public:
    CNumRange(int32_t lowest, int32_t highest) : m_lowest(lowest), m_highest(highest) {}

    int32_t GetLowest() const { return m_lowest; }
    int32_t GetHighest() const { return m_highest; }

private:
    int32_t m_lowest;
    int32_t m_highest;
};

} // namespace orv
