// Writes the source file's frame; the description is written as it is, never
// used as a format.
#include "source/writer/SrcFrame.h"

#include "model/project/PanelTable.h"
#include "model/project/TimeVal.h"
#include "source/reader/SrcKeywords.h"
#include "source/writer/SrcSink.h"

#include <string>

namespace orv {

const char* SrcSectionName(uint16_t devType, uint16_t variant)
{
    // A project keeps a variant as its base with the flag; the variant's
    // own code is no project's panel type.
    const PanelRow* own = FindPanel(devType);
    if (!own || own->variant != 0)
        return nullptr;
    return FindPanel(FileCodeOf(devType, variant == 1))->sourceKeyword;
}

void WriteDescriptionBlock(CSrcSink& sink, std::string_view descr)
{
    if (!sink.Ok() || descr.empty())
        return;
    sink.Printf("%s\r\n", kw::kDescription);
    // The text is written as it is: it is never a format.
    sink.Put(descr);
    const size_t n = descr.size();
    if (!(n >= 2 && descr[n - 1] == '\n' && descr[n - 2] == '\r'))
        sink.Put("\r\n");
    sink.Printf("%s\r\n\r\n\r\n", kw::kDescriptionEnd);
    sink.EndRecord();
}

void WriteHeaderLines(CSrcSink& sink, uint16_t devType, uint16_t variant, std::string_view toolId,
                      const SrcPlcLine* plc)
{
    if (!sink.Ok())
        return;
    const char* section = SrcSectionName(devType, variant);
    if (!section) {
        sink.SetError(CSrcSink::kErrWrite);
        return;
    }
    const std::string tool(toolId);
    sink.Printf("%s, %s", section, tool.c_str());
    if (plc)
        sink.Printf(", DRV=%d, SPS=%d, DB=%d, OFFS=%d, LEN=%d\r\n\r\n", static_cast<int>(plc->drvNo),
                    static_cast<int>(plc->spsType), static_cast<int>(plc->dataBlock),
                    static_cast<int>(plc->offset), static_cast<int>(plc->length));
    else
        sink.Put("\r\n");
    sink.Printf("%s\r\n\r\n", kw::kBegin);
    sink.EndRecord();
}

void WriteMemSizeLines(CSrcSink& sink, unsigned rcpSize, unsigned dataSize)
{
    if (!sink.Ok())
        return;
    sink.Printf("%s, %u\r\n", "RECIPESIZE", rcpSize);
    sink.Printf("%s, %u\r\n\r\n", "DATASIZE", dataSize);
    sink.EndRecord();
}

void WriteTimerRecords(CSrcSink& sink, const CTimerList* timers)
{
    if (!sink.Ok() || !timers || timers->GetCount() == 0)
        return;
    sink.Separator();
    for (int i = 0; i < timers->GetCount() && sink.Ok(); ++i) {
        const CPrjTimer* timer = timers->TimerAt(i);
        if (!timer)
            continue;
        sink.Printf("%s, %-16s, %u\r\n", kw::kTimer, timer->GetName().c_str(), unsigned{timer->GetNr()});
        if (const CTimeValList* times = timer->GetTimes()) {
            for (int j = 0; j < times->GetCount(); ++j) {
                const CTimeVal* t = times->ValAt(j);
                if (t)
                    sink.Printf("%s, %s, %s\r\n", kw::kSchedWeek, t->FormatBeg().c_str(), t->FormatEnd().c_str());
            }
        }
        sink.Put("\r\n");
        sink.EndRecord();
    }
}

void WriteEndLines(CSrcSink& sink)
{
    if (!sink.Ok())
        return;
    sink.Printf("%s\r\n\r\n", kw::kEnd);
    sink.EndRecord();
}

} // namespace orv
