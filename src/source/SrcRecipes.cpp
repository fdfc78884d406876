#include "source/SrcRecipes.h"

#include "model/PrjVar.h"
#include "model/RcpTxt.h"
#include "model/VarValList.h"
#include "source/SrcRows.h"
#include <cstdio>
#include "source/SrcTextParts.h"

#include <string>

namespace {

// Only these panels read recipe values.
bool TakesFormular(uint16_t devType)
{
    return devType == 118 || devType == 163 || devType == 167;
}

// A recipe value as the reader takes it back, by the type code of its
// variable: after ", " while the line holds values, alone at the start of
// a continuation line. An SSTRING value is a state index like STRING, a
// WORD of an unknown form is written as KM, its VAR line's form.
std::string RcpValueText(const CPrjVar& var, const CVarValPair& pair, bool lineStart)
{
    char buf[64];
    const uint32_t v = pair.GetValue();
    const auto w = static_cast<uint16_t>(v);
    const char* sep = lineStart ? "" : ", ";
    switch (var.GetType()) {
    case 0:
    case 28:
        std::snprintf(buf, sizeof buf, lineStart ? "%s%u" : "%s%4u", sep, static_cast<unsigned>(v));
        break;
    case 2: case 3: case 4: case 5: case 6: case 7: case 8: case 9: case 16: case 30:
        std::snprintf(buf, sizeof buf, lineStart ? "%s%lu" : "%s%8lu", sep, static_cast<unsigned long>(v));
        break;
    case 18: case 19: case 20: case 21: case 22: case 23: case 24: case 25:
        std::snprintf(buf, sizeof buf, lineStart ? "%s%ld" : "%s%8ld", sep,
                      static_cast<long>(static_cast<int32_t>(v)));
        break;
    case 12: std::snprintf(buf, sizeof buf, "%s%u", sep, unsigned{w}); break;
    case 14:
    case 26:
    case 42: std::snprintf(buf, sizeof buf, lineStart ? "%s%u" : "%s%3u", sep, unsigned{w}); break;
    case 32:
    case 33:
        if (var.GetExtByte0() == 1) {
            std::snprintf(buf, sizeof buf, "%s$%04X", sep, unsigned{w});
        } else if (var.GetExtByte0() == 2) {
            std::snprintf(buf, sizeof buf, lineStart ? "%s%u.%3u" : "%s%3u.%3u", sep, unsigned{w} >> 8,
                          unsigned{w} & 0xFFu);
        } else {
            std::string bits(16, '0');
            for (int i = 0; i < 16; ++i)
                if (w & (0x8000u >> i))
                    bits[static_cast<size_t>(i)] = '1';
            return std::string(sep) + "b" + bits;
        }
        break;
    case 34: {
        const std::string text = pair.GetText() ? std::string(pair.GetText()).substr(0, 33) : std::string();
        return std::string(lineStart ? " " : ", ") + "\"" + text + "\"";
    }
    case 36:
        std::snprintf(buf, sizeof buf, lineStart ? "%s%d.%d" : "%s% 03d.%d", sep, int{w} / 10, int{w} % 10);
        break;
    default: return std::string();
    }
    return buf;
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
        const std::string value = RcpValueText(*pair->GetVar(), *pair, col == 0);
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

