// The softkey and menu records of the project source writer.
#pragma once

#include "model/project/PanelType.h"

#include <cstdint>

namespace orv {

class CSrcSink;
class CPrjSkActList;
class CPrjSkTxtList;
class CPrjMnuList;

void WriteActionRecords(CSrcSink& sink, const CPrjSkActList* acts);
// Only softkey texts with an action on a key the panel has; their rows are
// not written.
void WriteSoftkeyRecords(CSrcSink& sink, const CPrjSkTxtList* list, const PanelType& panel);
// Nodes without an operator text, and menus left without such nodes (the
// reader takes no menu without nodes), are left out and counted.
void WriteMenuRecords(CSrcSink& sink, const CPrjMnuList* menus, uint16_t optMask);

} // namespace orv
