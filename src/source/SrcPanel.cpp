#include "source/SrcPanel.h"

#include "model/PrjData.h"
#include "model/PrjVar.h"
#include "model/PrjVarList.h"
#include "source/PanelType.h"
#include "source/SrcSink.h"

#include <string>
#include <string_view>

namespace {

// The panels whose reader refuses DMODE and PRMODE.
bool RefusesDMode(const PanelType& panel)
{
    return panel.In43Family() || panel.Is(473) || panel.Is(477);
}

bool RefusesPrMode(const PanelType& panel)
{
    return panel.Is(14) || panel.Is(36) || panel.Is(43);
}

// PRMODE with handshake, direction and time-out; PRCHAR and PRINIT are read
// on these panels only.
bool HasPrinterLine(const PanelType& panel)
{
    return panel.Is(47) || panel.In118Family();
}

template <size_t N>
const char* Pick(const char* const (&names)[N], unsigned v)
{
    return v < N ? names[v] : "";
}

const char* const kIfc[] = {"RS232", "TTY"};
const char* const kBaud[] = {"1200", "2400", "4800", "9600", "19200"};
const char* const kParity[] = {"NONE", "EVEN", "ODD"};
const char* const kDataBits[] = {"7", "8"};
const char* const kStopBits[] = {"1", "2"};
const char* const kHandshake[] = {"NO_HANDSHAKE", "XON", "RTS"};
const char* const kDirection[] = {"1TO32", "32TO1"};
void WritePosLine(CSrcSink& sink, const CPrjData& prj, const char* varName, const char* keyword)
{
    const CPrjVar* var = prj.GetVarList() ? prj.GetVarList()->FindByName(std::string_view(varName)) : nullptr;
    if (var && var->GetAdr() != 0)
        sink.Printf("%s, %2u\r\n", keyword, unsigned{static_cast<uint16_t>(var->GetAdr())});
}

void WritePrMode(CSrcSink& sink, const CPrjData& prj, const PanelType& panel)
{
    const bool basicDefault = prj.GetPrnIfc() == 0 && prj.GetPrnBaud() == 3 && prj.GetPrnParity() == 1 &&
                              prj.GetPrnDataBits() == 0 && prj.GetPrnStopBits() == 1;
    if (HasPrinterLine(panel)) {
        if (basicDefault && prj.GetPrnHandshake() == 2 && prj.GetPrnDirection() == 0 && prj.GetPrnTimeout() == 1)
            return;
        sink.Separator();
        sink.Printf("%s, %s, %s, %s, %s, %s, %s, %s, %u\r\n\r\n", "PRMODE", Pick(kIfc, prj.GetPrnIfc()),
                    Pick(kBaud, prj.GetPrnBaud()), Pick(kParity, prj.GetPrnParity()),
                    Pick(kDataBits, prj.GetPrnDataBits()), Pick(kStopBits, prj.GetPrnStopBits()),
                    Pick(kHandshake, prj.GetPrnHandshake()), Pick(kDirection, prj.GetPrnDirection()),
                    unsigned{prj.GetPrnTimeout()});
        return;
    }
    if (basicDefault)
        return;
    if (RefusesPrMode(panel)) {
        sink.LeaveOut("PRMODE left out: this panel takes none");
        return;
    }
    sink.Separator();
    sink.Printf("%s, %s, %s, %s, %s, %s\r\n\r\n", "PRMODE", Pick(kIfc, prj.GetPrnIfc()), Pick(kBaud, prj.GetPrnBaud()),
                Pick(kParity, prj.GetPrnParity()), Pick(kDataBits, prj.GetPrnDataBits()),
                Pick(kStopBits, prj.GetPrnStopBits()));
}

} // namespace

void WriteSettingLines(CSrcSink& sink, const CPrjData& prj)
{
    if (!sink.Ok())
        return;
    const PanelType panel(prj.GetDevType(), prj.GetVariant() != 0);
    if (prj.GetCycleTime() != 10) {
        sink.Separator();
        sink.Printf("%s, %2u\r\n\r\n", "CYCLE_TIME", unsigned{prj.GetCycleTime()});
    }
    if (prj.GetPrnStatusPos() != 0) {
        sink.Separator();
        sink.Printf("%s, %2u\r\n\r\n", "POS_PRN_STATUS", unsigned{prj.GetPrnStatusPos()});
    }
    WritePosLine(sink, prj, "[Z24]", "POS_DATE_TIME");
    WritePosLine(sink, prj, "[Z25]", "POS_REC_BLOCK");
    const uint16_t dmode = prj.GetDateMode();
    if (dmode == 1 || dmode == 2) {
        if (RefusesDMode(panel)) {
            sink.LeaveOut("DMODE left out: this panel takes none");
        } else {
            sink.Separator();
            sink.Printf("%s, %s\r\n\r\n", "DMODE", dmode == 1 ? "US" : "MIL");
        }
    }
    if (prj.GetMsgMode() != 0)
        sink.Printf("%s, %u\r\n", "MSGMODE", unsigned{prj.GetMsgMode()});
    sink.Put("\r\n");
    sink.EndRecord();
    WritePrMode(sink, prj, panel);
    if (HasPrinterLine(panel)) {
        bool any = false;
        for (int i = 0; i < 8; ++i)
            any = any || prj.GetPrnSubst(i) != ' ';
        if (any) {
            sink.Separator();
            for (int i = 0; i < 8; ++i)
                if (prj.GetPrnSubst(i) != ' ')
                    sink.Printf("%s, %u, $%02X\r\n", "PRCHAR", static_cast<unsigned>(i), unsigned{prj.GetPrnSubst(i)});
            sink.Put("\r\n");
        }
        const std::string& init = prj.GetPrnInit();
        if (init != "0D0A") {
            if (init.size() % 2 != 0)
                sink.LeaveOut("PRINIT: the last single character is left out");
            sink.Separator();
            sink.Printf("%s, \"", "PRINIT");
            sink.HexPairs(init, 27);
            sink.Put("\"\r\n\r\n");
        }
    }
    sink.EndRecord();
}

