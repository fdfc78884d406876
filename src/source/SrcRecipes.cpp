#include "source/SrcRecipes.h"

#include "model/PrjVar.h"
#include "model/RcpTxt.h"
#include "model/VarValList.h"
#include "source/RcpValueForms.h"
#include "source/SrcTextParts.h"

#include <string>

namespace {

// Only these panels read recipe values.
bool TakesFormular(uint16_t devType)
{
    return devType == 118 || devType == 163 || devType == 167;
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
        const RcpValueCodec* codec = FindRcpValueCodec(*pair->GetVar());
        if (!codec)
            continue;
        const std::string value = codec->write(*pair->GetVar(), *pair, col == 0);
        sink.Put(value);
        col += static_cast<int>(value.size());
    }
    sink.Put("\r\n");
}

} // namespace

void WriteRcpTextRecords(CSrcSink& sink, const CPrjRcpTxtList* list, int maxVars, uint16_t devType)
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
        if (!HasRows(e))
            continue;
        if (e.GetNum() < 0) {
            int lo = 0, hi = 0;
            TemplateRange(*list, e, lo, hi);
            sink.Printf("%s, %3d, %3d\r\n", "DEF_REC_TEXT", lo, hi);
        } else {
            sink.Printf("%s, %4u\r\n", "REC_TEXT", static_cast<unsigned>(e.GetNum()));
        }
        WriteRows(sink, e, kTextRow, maxVars);
        if (e.CountExtVars() > 0 && TakesFormular(devType)) {
            WriteFormular(sink, e);
        } else {
            if (e.CountExtVars() > 0)
                sink.LeaveOut("REC_TEXT %d: values left out, this panel takes no FORMULAR",
                              static_cast<int>(e.GetNum()));
            sink.Put("\r\n");
        }
        sink.EndRecord();
    }
}

