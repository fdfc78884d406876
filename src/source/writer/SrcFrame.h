// The frame of a project source file: description, header, memory sizes and
// timers, as the writer puts them around the statements.
#pragma once

#include <cstdint>
#include <string_view>

namespace orv {

class CSrcSink;
class CTimerList;

// The section name of the header line; null for a panel type without one.
const char* SrcSectionName(uint16_t devType, uint16_t variant);

// The PLC part of the header line, left out for a project bound to the
// simulation driver.
struct SrcPlcLine {
    unsigned drvNo = 0;
    unsigned spsType = 0;
    unsigned dataBlock = 0;
    unsigned offset = 0;
    unsigned length = 0;
};

// The description block; nothing for an empty description.
void WriteDescriptionBlock(CSrcSink& sink, std::string_view descr);

// The header line and BEGIN. A panel type without a section name writes
// nothing and sets the write error.
void WriteHeaderLines(CSrcSink& sink, uint16_t devType, uint16_t variant, std::string_view toolId,
                      const SrcPlcLine* plc);

// RECIPESIZE and DATASIZE.
void WriteMemSizeLines(CSrcSink& sink, unsigned rcpSize, unsigned dataSize);

// TIMER records with their SCHED_WEEK lines.
void WriteTimerRecords(CSrcSink& sink, const CTimerList* timers);

void WriteEndLines(CSrcSink& sink);

} // namespace orv
