// The numbered-text records of the project source writer.
#pragma once

#include "model/project/PanelType.h"
#include "source/writer/SrcRows.h"

#include <functional>

namespace orv {

class CSrcSink;
class CPrjOpTxt;
class CPrjOpTxtList;
class CMsgTxtList;
class CHistTxtList;
class CKindTxtList;
class COpPrnTxtList;
class CMsgPrnTxtList;

// The records of the numbered texts. Entries without rows are left out, and
// so are (counted) the kinds, templates and numbers the panel's reader
// refuses; rowLimit is how many variable fields a row may hold.

// An operator text without rows that a menu node shows is written with one
// empty row, since the node needs it.
void WriteOpTextRecords(CSrcSink& sink, const CPrjOpTxtList* list, const SrcRowLimit& rowLimit, const PanelType& panel,
                        const std::function<bool(const CPrjOpTxt&)>& shownByNode);
void WriteMsgTextRecords(CSrcSink& sink, const CMsgTxtList* list, const SrcRowLimit& rowLimit, const PanelType& panel);
void WriteHistTextRecords(CSrcSink& sink, const CHistTxtList* list, const SrcRowLimit& rowLimit, const PanelType& panel);
// lists[kind] for the kinds 0..6; one separator before the first list with
// entries.
void WriteHlpTextRecords(CSrcSink& sink, CKindTxtList* const* lists, const SrcRowLimit& rowLimit, const PanelType& panel);
void WriteOpPrnTextRecords(CSrcSink& sink, const COpPrnTxtList* list, const SrcRowLimit& rowLimit, const PanelType& panel);
void WriteMsgPrnTextRecords(CSrcSink& sink, const CMsgPrnTxtList* list, const SrcRowLimit& rowLimit, const PanelType& panel);

} // namespace orv
