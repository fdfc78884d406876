// The recipe texts of the project source writer.
#pragma once

#include "model/project/PanelType.h"
#include "source/writer/SrcRows.h"

namespace orv {

class CSrcSink;
class CPrjRcpTxtList;

// The recipe texts; their values follow as a FORMULAR line on the panels
// that read it, and are left out (counted) elsewhere.
void WriteRcpTextRecords(CSrcSink& sink, const CPrjRcpTxtList* list, const SrcRowLimit& rowLimit, const PanelType& panel);

} // namespace orv
