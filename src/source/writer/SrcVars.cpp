// Writes PLC and internal variables with their state lines in the forms the
// reader takes back, with no gaps in the states.
#include "model/project/VarType.h"
#include "source/writer/SrcVars.h"

#include "model/project/PrjIntVar.h"
#include "model/project/PrjVar.h"
#include "model/project/PrjVarList.h"
#include "source/reader/SrcKeywords.h"
#include "source/writer/SrcSink.h"

#include <string_view>

namespace orv {

namespace {

constexpr size_t kStateChars = 40;
constexpr int kSettingStates = 7;

const char* SetpKeyword(uint8_t kind)
{
    switch (kind) {
    case 1: return kw::kActual;
    case 2: return kw::kNominal;
    case 3: return kw::kNominalSec;
    default: return "";
    }
}

// A double word is written under the keyword of a word.
const char* TypeKeyword(uint8_t type)
{
    if (type == 32)
        type = 33;
    for (const SrcFormatKeyword& f : kSrcFormatKeywords)
        if (f.type == type)
            return f.keyword;
    return nullptr;
}

unsigned long U32(int32_t v)
{
    return static_cast<unsigned long>(static_cast<uint32_t>(v));
}

long S32(int32_t v)
{
    return static_cast<long>(v);
}

// The PLC range of a double-word form is read back only as a real range,
// compared as the form's values are: unsigned for BIN, signed for VBIN.
bool IsPlcRange(int32_t low, int32_t high, bool isSigned)
{
    if (isSigned)
        return high >= 1 && high > low;
    const auto ulow = static_cast<uint32_t>(low);
    const auto uhigh = static_cast<uint32_t>(high);
    return uhigh >= 1 && uhigh > ulow;
}

// One STATE line; a text missing below the highest index is written empty,
// since the reader takes the states only without gaps.
void WriteStateLine(CSrcSink& sink, const CPrjVar& var, int i)
{
    const char* text = var.GetStateTxt(i);
    if (!text)
        sink.LeaveOut("%s: state %d missing, written empty", var.GetName().c_str(), i);
    sink.Printf("%s, %3u, \"", kw::kState, static_cast<unsigned>(i));
    if (text)
        sink.TextChars(text, kStateChars);
    sink.Put("\"\r\n");
}

void WriteStateLines(CSrcSink& sink, const CPrjVar& var, int last)
{
    for (int i = 0; i <= last && sink.Ok(); ++i)
        WriteStateLine(sink, var, i);
}

// The 706 family's BCD lines carry no flag byte.
void SrcVarsWriteBcd(CSrcSink& sink, const CPrjVar& var, const char* key, bool twoWords, const PanelType& panel)
{
    const unsigned digits = var.GetExtByte0();
    const unsigned long low = U32(var.GetExtWord1());
    const unsigned long high = U32(var.GetExtWord2());
    if (panel.InFamily(Family::F706)) {
        if (twoWords)
            sink.Printf("%-6s, %2u, %8lu, %8lu\r\n", key, digits, low, high);
        else
            sink.Printf("%-6s, %2u, %4lu, %4lu\r\n", key, digits, low, high);
        return;
    }
    const unsigned flag = var.GetExtByte12();
    if (twoWords)
        sink.Printf("%-6s, %2u, %8lu, %8lu, %2u\r\n", key, digits, low, high, flag);
    else
        sink.Printf("%-6s, %2u, %4lu, %4lu, %2u\r\n", key, digits, low, high, flag);
}

void WriteDoubleWord(CSrcSink& sink, const CPrjVar& var, const char* key, bool dwordVars, bool isSigned)
{
    const unsigned digits = var.GetExtByte0();
    const unsigned decimals = var.GetExtByte1();
    const int32_t third = var.GetExtWord3();
    const int32_t fourth = var.GetExtWord4();
    bool withRange = false;
    if (dwordVars) {
        withRange = IsPlcRange(third, fourth, isSigned);
        if (!withRange && (third != 0 || fourth != 0))
            sink.LeaveOut("VAR %s: PLC range %ld..%ld is not a range and is left out", var.GetName().c_str(),
                          S32(third), S32(fourth));
    }
    if (isSigned) {
        // The reader takes no PLC range for a signed double word; the line
        // keeps its layout, but the loss on reload is told.
        if (withRange)
            sink.LeaveOut("VAR %s: PLC range %ld..%ld is written but not read back", var.GetName().c_str(), S32(third),
                          S32(fourth));
        if (withRange)
            sink.Printf("%-6s, %2u, %2u, %10ld, %10ld, %10ld, %10ld\r\n", key, digits, decimals,
                        S32(var.GetExtWord1()), S32(var.GetExtWord2()), S32(third), S32(fourth));
        else
            sink.Printf("%-6s, %2u, %2u, %10ld, %10ld\r\n", key, digits, decimals, S32(var.GetExtWord1()),
                        S32(var.GetExtWord2()));
        return;
    }
    if (withRange)
        sink.Printf("%-6s, %2u, %2u, %10lu, %10lu, %10lu, %10lu\r\n", key, digits, decimals,
                    U32(var.GetExtWord1()), U32(var.GetExtWord2()), U32(third), U32(fourth));
    else
        sink.Printf("%-6s, %2u, %2u, %10lu, %10lu\r\n", key, digits, decimals, U32(var.GetExtWord1()),
                    U32(var.GetExtWord2()));
}

const char* WordForm(uint8_t form)
{
    switch (form) {
    case 1: return "KH";
    case 2: return "KY";
    default: return "KM";
    }
}

// The continuation of a VAR line by type code. False for a type without a
// keyword: its line ends after the prefix and no empty line follows.
bool WriteVarBody(CSrcSink& sink, const CPrjVar& var, const PanelType& panel, bool dwordVars)
{
    const uint8_t type = var.GetType();
    const char* key = TypeKeyword(type);
    if (!key) {
        sink.Put("\r\n");
        return false;
    }
    switch (type) {
    case vartype::kBcd1:
    case vartype::kBcd01: SrcVarsWriteBcd(sink, var, key, false, panel); break;
    case vartype::kBcd2:
    case vartype::kBcd02: SrcVarsWriteBcd(sink, var, key, true, panel); break;
    case vartype::kBin1:
    case vartype::kBinA:
    case vartype::kBin0A:
        sink.Printf("%-6s, %2u, %2u, %10lu, %10lu, %5lu, %5lu\r\n", key, unsigned{var.GetExtByte0()},
                    unsigned{var.GetExtByte1()}, U32(var.GetExtWord1()), U32(var.GetExtWord2()),
                    U32(var.GetExtWord3()), U32(var.GetExtWord4()));
        break;
    case vartype::kBin01:
        sink.Printf("%-6s, %2u, %2u, %10lu, %10lu,%5lu, %5lu\r\n", key, unsigned{var.GetExtByte0()},
                    unsigned{var.GetExtByte1()}, U32(var.GetExtWord1()), U32(var.GetExtWord2()),
                    U32(var.GetExtWord3()), U32(var.GetExtWord4()));
        break;
    case vartype::kBin2:
    case vartype::kBin02:
    case vartype::kBinB:
    case vartype::kBin0B: WriteDoubleWord(sink, var, key, dwordVars, false); break;
    case vartype::kVbin1:
    case vartype::kVbin01:
    case vartype::kVbinA:
    case vartype::kVbin0A:
        sink.Printf("%-6s, %2u, %2u, %10ld, %10ld, %5ld, %5ld\r\n", key, unsigned{var.GetExtByte0()},
                    unsigned{var.GetExtByte1()}, S32(var.GetExtWord1()), S32(var.GetExtWord2()),
                    S32(var.GetExtWord3()), S32(var.GetExtWord4()));
        break;
    case vartype::kVbin2:
    case vartype::kVbin02:
    case vartype::kVbinB:
    case vartype::kVbin0B: WriteDoubleWord(sink, var, key, dwordVars, true); break;
    case vartype::kBit:
        sink.Printf("%-6s, %2u\r\n", key, unsigned{var.GetExtByte0()});
        WriteStateLines(sink, var, 1);
        break;
    case vartype::kString:
    case vartype::kCString:
    case vartype::kSString:
        sink.Printf("%s\r\n", key);
        WriteStateLines(sink, var, var.MaxStateIdx());
        break;
    case vartype::kWordPlain:
    case vartype::kWord:
        if (var.GetExtByte0() > 2)
            sink.LeaveOut("VAR %s: display form %u written as KM", var.GetName().c_str(), unsigned{var.GetExtByte0()});
        sink.Printf("%-6s, %2s\r\n", key, WordForm(var.GetExtByte0()));
        break;
    case vartype::kAscii: sink.Printf("%-6s, %2u\r\n", key, unsigned{var.GetExtByte0()}); break;
    case vartype::kTimer:
        sink.Printf("%-6s\r\n", key);
        WriteStateLines(sink, var, 3);
        break;
    default: break;
    }
    return true;
}

void WriteVar(CSrcSink& sink, const CPrjVar& var, const PanelType& panel, bool dwordVars)
{
    sink.Printf("%s, %-16s, %3u, %-11s, ", kw::kVar, var.GetName().c_str(),
                static_cast<unsigned>(static_cast<uint16_t>(var.GetAdr())), SetpKeyword(var.GetSetpKind()));
    if (WriteVarBody(sink, var, panel, dwordVars))
        sink.Put("\r\n");
    sink.EndRecord();
}

bool IsSettingWithAdr(std::string_view name)
{
    return name == "[Z018]" || name == "[Z019]" || name == "[Z21]" || name == "[Z22]";
}

bool IsSoftkeyRow(std::string_view name)
{
    return name == "[Z084]" || name == "[Z085]" || name == "[Z098]" || name == "[Z099]";
}

void WriteIntVar(CSrcSink& sink, const CPrjVar& var)
{
    const uint8_t type = var.GetType();
    if (type == 249) {
        const auto* hex = dynamic_cast<const CPrjIntVarHex*>(&var);
        sink.Printf("%s, %s, \"", kw::kInternVar, var.GetName().c_str());
        if (hex) {
            if (hex->GetHexText().size() % 2 != 0)
                sink.LeaveOut("%s: the last single hex digit is left out", var.GetName().c_str());
            sink.HexPairs(hex->GetHexText(), hex->GetHexText().size() / 2);
        }
        sink.Put("\"\r\n");
        sink.EndRecord();
        return;
    }
    if (type != 142 && type != 144)
        return;
    if (type == 144 && var.MaxStateIdx() == 0) {
        // Reloaded, the variable gets its built-in states again.
        const char* text = var.GetStateTxt(0);
        if (text && std::string_view(text).find_first_not_of(' ') != std::string_view::npos)
            sink.LeaveOut("%s: its single state is left out", var.GetName().c_str());
        return;
    }
    const std::string& name = var.GetName();
    if (IsSettingWithAdr(name)) {
        // Internal variables without a data word hold -1.
        const auto adr = static_cast<uint16_t>(var.GetAdr());
        if (adr != 0 && var.GetAdr() != -1)
            sink.Printf("%s, %s, %u\r\n", kw::kInternVar, name.c_str(), unsigned{adr});
        else
            sink.Printf("%s, %s\r\n", kw::kInternVar, name.c_str());
        // The reader takes exactly seven states here (and keeps an eighth
        // place empty); a text above them cannot be written.
        for (int i = kSettingStates; i <= var.MaxStateIdx(); ++i)
            if (var.GetStateTxt(i))
                sink.LeaveOut("%s: state %d left out", name.c_str(), i);
        WriteStateLines(sink, var, kSettingStates - 1);
    } else if (IsSoftkeyRow(name)) {
        sink.Printf("%s, %s\r\n", kw::kInternVar, name.c_str());
        WriteStateLines(sink, var, var.MaxStateIdx());
    }
    sink.Put("\r\n");
    sink.EndRecord();
}

} // namespace

void WriteVarRecords(CSrcSink& sink, const CPrjVarList* vars, const PanelType& panel, bool dwordVars)
{
    if (!sink.Ok() || !vars || vars->GetCount() == 0 || !vars->HasExtVar())
        return;
    sink.Separator();
    for (int i = 0; i < vars->GetCount() && sink.Ok(); ++i) {
        const CPrjVar* var = vars->VarAt(i);
        if (var && !var->IsInternal())
            WriteVar(sink, *var, panel, dwordVars);
    }
}

void WriteIntVarRecords(CSrcSink& sink, const CPrjVarList* vars, const CPrjVarList* fwVars, const PanelType& panel)
{
    if (!sink.Ok() || !vars)
        return;
    if (!panel.InFamily(Family::F706) && !vars->FindByName(std::string_view("[Z084]")) &&
        !vars->FindByName(std::string_view("[Z085]")))
        return;
    const bool fwHas = fwVars && fwVars->GetCount() > 0;
    if (!fwVars || !((vars->GetCount() > 0 && vars->HasIntStrVar()) || fwHas))
        return;
    sink.Separator();
    for (const CPrjVarList* list : {vars, fwVars}) {
        for (int i = 0; i < list->GetCount() && sink.Ok(); ++i) {
            const CPrjVar* var = list->VarAt(i);
            if (var)
                WriteIntVar(sink, *var);
        }
    }
}

} // namespace orv
