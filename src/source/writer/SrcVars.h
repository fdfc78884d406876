// The variable records of the project source writer.
#pragma once

#include "model/project/PanelType.h"

namespace orv {

class CPrjVarList;
class CSrcSink;

// The VAR records of the PLC variables, each with its STATE lines. The
// double-word option adds the PLC range to the double-word forms.
void WriteVarRecords(CSrcSink& sink, const CPrjVarList* vars, const PanelType& panel, bool dwordVars);

// The INTERN_VAR records of the variable list, then of the firmware list
// (which may be null).
void WriteIntVarRecords(CSrcSink& sink, const CPrjVarList* vars, const CPrjVarList* fwVars, const PanelType& panel);

} // namespace orv
