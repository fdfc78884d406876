// The panel setting lines of the project source writer.
#pragma once

namespace orv {

class CSrcSink;
class CPrjData;

// CYCLE_TIME to PRINIT, each only where the panel type's reader takes it.
void WriteSettingLines(CSrcSink& sink, const CPrjData& prj);

} // namespace orv
