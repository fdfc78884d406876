// The 706 family project compiler (panels 473, 477, 706).
#pragma once

#include "image/compile/Comp.h"
#include "model/core/StepResult.h"

#include <cstdint>
#include <string>

namespace orv {

class CObj;
class CTxtRowBase;
class ImgRecord;

// The compiler of the 706 family panels (473, 477, 706). The constructor runs
// the whole compile; CheckError tells the outcome.
class CComp706 : public CComp {
public:
    CComp706(CWorkspaceState& workspace, const std::string& outPath, const PrjBundle& bundle);

private:
    // How one numbered text list is written.
    struct ListLayout {
        uint32_t headerSlot;
        Counter texts;
        Counter rows;
        bool printer;
        bool helpRange;   // the template's range words are 0 and 0xFFFF
        bool logsVars;    // ordinary variables in its rows set feature bit 62
    };

    void Compile();
    StepResult WriteHeader();
    StepResult WriteUserChars();
    StepResult WriteSharedTexts();
    StepResult WriteVars();
    StepResult WriteVar(CPrjVar& var);
    StepResult VarTail(const CPrjVar& var, ImgRecord& rec);
    StepResult ScaledTail(const CPrjVar& var, bool isSigned, ImgRecord& rec);
    StepResult StateTexts(const CPrjVar& var, int last, ImgRecord& rec);
    StepResult WriteOpTexts();
    StepResult WriteMsgTexts();
    StepResult WriteHistTexts();
    StepResult WriteHlpTexts();
    StepResult WriteSkTxts();
    StepResult WriteSkActs();
    StepResult WriteOpPrnTexts();
    StepResult WriteMsgPrnTexts();
    StepResult WriteMnus();
    StepResult WriteMnu(CPrjMnu& menu, uint32_t tableAt);
    StepResult WriteTimers();
    StepResult WriteSystem();
    StepResult WriteDescr();
    StepResult Finish();

    template <class List>
    StepResult WriteTxtList(const List* list, const ListLayout& layout);
    // A text list's header: range words of the template, a dword per number;
    // its address, or 0 on failure.
    template <class List>
    uint32_t WriteListHeader(const List& list, uint32_t headerSlot, bool helpRange);
    // The entry's attribute word, row count and rows; its address or 0.
    template <class Entry>
    uint32_t WriteTxtEntry(const Entry& entry, const ListLayout& layout);
    std::string EncodeRow(const CTxtRowBase& row, const ListLayout& layout);
    // A table of highest + 1 and a dword per number; its address or 0.
    uint32_t WriteNumTable(int32_t highest, uint32_t headerSlot);

    uint8_t MaxBlankCount() const;

    uint32_t m_lastVar = 0;
};

} // namespace orv
