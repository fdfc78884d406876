// Writes a text row with its variable fields at their columns, each filled slot
// once.
#include "source/writer/SrcRows.h"

#include "model/project/PrjVar.h"
#include "model/project/VarValList.h"
#include "model/project/TxtRow.h"
#include "source/writer/SrcSink.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

namespace orv {

namespace {

// The filled slot whose field starts at the column and that was not yet
// written, or -1.
int SlotAt(const CTxtRowBase& row, int col, const std::array<bool, CTxtRowBase::kMaxSlots>& used)
{
    for (int s = 0; s < row.GetVarCount() && s < CTxtRowBase::kMaxSlots; ++s) {
        const TxtVarSlot slot = row.GetVarSlot(s);
        if (slot.var && !used[static_cast<size_t>(s)] && slot.col == col)
            return s;
    }
    return -1;
}

bool HasAsciiField(const CTxtRowBase& row)
{
    for (int s = 0; s < row.GetVarCount() && s < CTxtRowBase::kMaxSlots; ++s) {
        const CPrjVar* var = row.GetVarSlot(s).var;
        if (var && var->GetType() == CPrjVarValList::kTypeAscii)
            return true;
    }
    return false;
}

} // namespace

void WriteRowLine(CSrcSink& sink, const SrcRowKind& kind, const CTxtRowBase* row, const SrcRowLimit& rowLimit)
{
    if (!sink.Ok())
        return;
    sink.Printf("%s, ", kind.keyword);
    sink.Put("\"");
    if (row) {
        const std::string& text = row->GetText();
        std::array<bool, CTxtRowBase::kMaxSlots> used{};
        const int limit = !kind.printer && rowLimit.asciiAlone && HasAsciiField(*row) ? 1 : rowLimit.maxVars;
        const int positions = kind.printer ? kind.positions : std::min(kind.positions, rowLimit.displayColumns);
        int fields = 0;
        int pos = 0;
        while (pos < positions && static_cast<size_t>(pos) < text.size() && text[static_cast<size_t>(pos)] != '\0' &&
               sink.Ok()) {
            const int s = SlotAt(*row, pos, used);
            if (s >= 0) {
                const CPrjVar* var = row->GetVarSlot(s).var;
                used[static_cast<size_t>(s)] = true;
                const int width = var->GetWidth() > 0 ? var->GetWidth() : 1;
                if (fields < limit && pos + width <= positions) {
                    ++fields;
                    sink.Printf("@%s@", var->GetName().c_str());
                    pos += width;
                    continue;
                }
                sink.LeaveOut("%s: variable %s beyond the fields a row takes, written as its frame", kind.keyword,
                              var->GetName().c_str());
            }
            const auto ch = static_cast<uint8_t>(text[static_cast<size_t>(pos)]);
            if (kind.printer)
                sink.PrnByte(ch);
            else
                sink.TextChar(ch);
            ++pos;
        }
        if (pos >= positions && text.find_first_not_of(std::string_view(" \0", 2), static_cast<size_t>(pos)) != std::string::npos)
            sink.LeaveOut("%s: row cut after %d columns", kind.keyword, pos);
    }
    sink.Put("\"\r\n");
}

} // namespace orv
