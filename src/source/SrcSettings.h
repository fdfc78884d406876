#pragma once

#include <cstdint>

class CSrcSink;
class CPrjData;
class CDrvCfg;
class CPrjSkActList;
class CPrjSkTxtList;
class CPrjMnuList;
class CCharDefColl;

void WriteActionRecords(CSrcSink& sink, const CPrjSkActList* acts);
// Only softkey texts with a key action; their rows are not written.
void WriteSoftkeyRecords(CSrcSink& sink, const CPrjSkTxtList* list);
// Nodes without an operator text, and menus left without nodes, are left
// out and counted.
void WriteMenuRecords(CSrcSink& sink, const CPrjMnuList* menus, uint16_t optMask);
// CYCLE_TIME to PRINIT, each only where the panel type's reader takes it.
void WriteSettingLines(CSrcSink& sink, const CPrjData& prj);
void WriteDriverLines(CSrcSink& sink, const CDrvCfg& drv);
void WriteCharDefLines(CSrcSink& sink, const CCharDefColl* defs, uint16_t devType);
