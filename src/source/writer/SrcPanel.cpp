// Writes the panel's setting lines, each only where the panel's reader takes it
// and within the range it accepts.
#include "source/writer/SrcPanel.h"

#include "model/project/PrjData.h"
#include "model/project/PrjVar.h"
#include "model/project/PrjVarList.h"
#include "model/project/PanelType.h"
#include "source/reader/SrcRules.h"
#include "source/writer/SrcSink.h"

#include <string>
#include <string_view>

namespace orv {

namespace {

bool InRange(unsigned value, const SrcRange& range)
{
    return value >= range.lo && value <= range.hi;
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
void WritePosLine(CSrcSink& sink, const CPrjData& prj, const char* varName, const char* keyword,
                  const SrcRange& range)
{
    const CPrjVar* var = prj.GetVarList() ? prj.GetVarList()->FindByName(std::string_view(varName)) : nullptr;
    if (!var || var->GetAdr() == 0)
        return;
    const unsigned adr = static_cast<uint16_t>(var->GetAdr());
    if (InRange(adr, range))
        sink.Printf("%s, %2u\r\n", keyword, adr);
    else
        sink.LeaveOut("%s %u left out: outside %u..%u", keyword, adr, unsigned{range.lo}, unsigned{range.hi});
}

void WritePrMode(CSrcSink& sink, const CPrjData& prj, const PanelType& panel)
{
    const bool basicDefault = prj.GetPrnIfc() == 0 && prj.GetPrnBaud() == 3 && prj.GetPrnParity() == 1 &&
                              prj.GetPrnDataBits() == 0 && prj.GetPrnStopBits() == 1;
    if (PrModeHasLineFields(panel)) {
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
    if (PrModeRefusal(panel) != 0) {
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
    const PanelType panel = prj.GetPanel();
    const unsigned cycle = prj.GetCycleTime();
    if (cycle != 10 && !InRange(cycle, kCycleTimeRange)) {
        sink.LeaveOut("CYCLE_TIME %u left out: outside %u..%u", cycle, unsigned{kCycleTimeRange.lo},
                      unsigned{kCycleTimeRange.hi});
    } else if (cycle != 10) {
        sink.Separator();
        sink.Printf("%s, %2u\r\n\r\n", "CYCLE_TIME", cycle);
    }
    const unsigned prnStatus = prj.GetPrnStatusPos();
    if (prnStatus != 0 && !InRange(prnStatus, kPosPrnStatusRange)) {
        sink.LeaveOut("POS_PRN_STATUS %u left out: outside %u..%u", prnStatus, unsigned{kPosPrnStatusRange.lo},
                      unsigned{kPosPrnStatusRange.hi});
    } else if (prnStatus != 0) {
        sink.Separator();
        sink.Printf("%s, %2u\r\n\r\n", "POS_PRN_STATUS", prnStatus);
    }
    WritePosLine(sink, prj, "[Z24]", "POS_DATE_TIME", kPosDateTimeRange);
    WritePosLine(sink, prj, "[Z25]", "POS_REC_BLOCK", kPosRecBlockRange);
    const uint16_t dmode = prj.GetDateMode();
    if (dmode == 1 || dmode == 2) {
        if (DModeRefusal(panel) != 0) {
            sink.LeaveOut("DMODE left out: this panel takes none");
        } else {
            sink.Separator();
            sink.Printf("%s, %s\r\n\r\n", "DMODE", dmode == 1 ? "US" : "MIL");
        }
    }
    const unsigned msgMode = prj.GetMsgMode();
    if (msgMode != 0 && !InRange(msgMode, kFlagRange))
        sink.LeaveOut("MSGMODE %u left out: outside %u..%u", msgMode, unsigned{kFlagRange.lo}, unsigned{kFlagRange.hi});
    else if (msgMode != 0)
        sink.Printf("%s, %u\r\n", "MSGMODE", msgMode);
    sink.Put("\r\n");
    sink.EndRecord();
    WritePrMode(sink, prj, panel);
    if (TakesPrinterChars(panel)) {
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

} // namespace orv
