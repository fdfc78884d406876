// Writes recipe texts and their values; values the panel's reader cannot take
// are left out and counted where they would be lost.
#include "source/writer/SrcRecipes.h"

#include "model/project/PrjVar.h"
#include "model/project/RcpTxt.h"
#include "model/project/VarValList.h"
#include "source/reader/RcpValueForms.h"
#include "source/writer/SrcRows.h"
#include "source/writer/SrcTextParts.h"

#include <algorithm>
#include <string>

namespace orv {

namespace {

// The reader refuses FORMULAR on the 043 and 706 families.
bool TakesFormular(const PanelType& panel)
{
    return !panel.InFamily(Family::F043) && !panel.InFamily(Family::F706);
}

// The longest ASCII value the writer puts into the line.
constexpr size_t kAsciiValueMax = 33;

// The reader expects a value for every variable of the recipe.
bool AllValuesWritable(const CPrjRcpTxt& rcp)
{
    const CPrjVarValList& values = rcp.GetValList();
    for (int i = 0; i < rcp.CountExtVars() && i < values.GetCount(); ++i) {
        const CVarValPair* pair = values.GetAt(i);
        if (pair && pair->GetVar() && !FindRcpValueCodecToWrite(*pair->GetVar()))
            return false;
    }
    return true;
}

// Whether every value is the one that the reader gives a new pair: only
// values that differ are lost where no FORMULAR is read.
bool ValuesAtInitial(const CPrjRcpTxt& rcp)
{
    const CPrjVarValList& values = rcp.GetValList();
    for (int i = 0; i < values.GetCount(); ++i) {
        const CVarValPair* pair = values.GetAt(i);
        if (!pair || !pair->GetVar())
            continue;
        CVarValPair initial(pair->GetVar());
        CPrjVarValList::SetInitialValue(initial);
        if (pair->GetValue() != initial.GetValue() || pair->HasText())
            return false;
    }
    return true;
}

// The FORMULAR line of a recipe text; counts from column 13 and continues
// after ", /" beyond column 200.
void WriteFormular(CSrcSink& sink, const CPrjRcpTxt& rcp)
{
    const int n = rcp.CountExtVars();
    sink.Printf("%s %3u ", "FORMULAR", 1u);
    int col = 13;
    const CPrjVarValList& values = rcp.GetValList();
    for (int i = 0; i < n && i < values.GetCount() && sink.Ok(); ++i) {
        const CVarValPair* pair = values.GetAt(i);
        if (!pair || !pair->GetVar())
            continue;
        if (col > 200) {
            sink.Put(", /\r\n");
            col = 0;
        }
        const RcpValueCodec* codec = FindRcpValueCodecToWrite(*pair->GetVar());
        if (codec->quoted) {
            const std::string text = pair->GetText() != nullptr ? pair->GetText() : "";
            sink.Put(col == 0 ? " \"" : ", \"");
            sink.TextChars(text, kAsciiValueMax);
            sink.Put("\"");
            col += static_cast<int>(std::min(text.size(), kAsciiValueMax)) + 4;
        } else {
            const std::string value = codec->write(*pair->GetVar(), *pair, col == 0);
            sink.Put(value);
            col += static_cast<int>(value.size());
        }
    }
    sink.Put("\r\n");
}

} // namespace

void WriteRcpTextRecords(CSrcSink& sink, const CPrjRcpTxtList* list, const SrcRowLimit& rowLimit, const PanelType& panel)
{
    if (!sink.Ok() || !list || list->GetCount() == 0)
        return;
    bool any = false;
    for (int i = 0; i < list->GetCount() && !any; ++i)
        any = HasRows(*list->RcpAt(i));
    if (!any)
        return;
    sink.Separator();
    for (int i = 0; i < list->GetCount() && sink.Ok(); ++i) {
        const CPrjRcpTxt& e = *list->RcpAt(i);
        if (!HasRows(e) || !EntryReadable(sink, TextRuleOf(SrcTextKind::Rcp, panel), *list, e))
            continue;
        if (e.GetNum() < 0) {
            int lo = 0, hi = 0;
            TemplateRange(*list, e, lo, hi);
            sink.Printf("%s, %3d, %3d\r\n", "DEF_REC_TEXT", lo, hi);
        } else {
            sink.Printf("%s, %4u\r\n", "REC_TEXT", static_cast<unsigned>(e.GetNum()));
        }
        WriteRows(sink, e, kTextRow, rowLimit);
        if (e.CountExtVars() > 0 && TakesFormular(panel) && AllValuesWritable(e)) {
            WriteFormular(sink, e);
        } else {
            if (!TakesFormular(panel)) {
                if (!ValuesAtInitial(e))
                    sink.LeaveOut("REC_TEXT %d: values left out, this panel takes no FORMULAR",
                                  static_cast<int>(e.GetNum()));
            } else if (e.CountExtVars() > 0)
                sink.LeaveOut("REC_TEXT %d: values left out, a variable has no value form",
                              static_cast<int>(e.GetNum()));
            sink.Put("\r\n");
        }
        sink.EndRecord();
    }
}

} // namespace orv
