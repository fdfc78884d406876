// The 118 family project compiler for the first image (panels 118, 163, 167).
#pragma once

#include "image/compile/Comp043_118.h"
#include "model/core/StepResult.h"

#include <cstdint>
#include <string>

namespace orv {

class CPrjNumEntry;
class CPrjNumList;
class CPrjRcpTxt;
class ImgRecord;

// The compiler of the first image of the 118 family panels (118, 163, 167):
// the data set with its list tables, the date/time and recipe blocks. The
// constructor runs the whole compile; CheckError tells the outcome.
class CComp118 : public CComp043_118 {
public:
    // reserve is kept without use: nothing is appended to a 118 family image.
    CComp118(CWorkspaceState& workspace, const std::string& outPath, const std::string& drvPath,
             const std::string& fktPath, uint32_t reserve, const PrjBundle& bundle);

private:
    // How the first byte of a text record and the range entry are written.
    enum class TextKind { Op, Msg, Rcp, Hlp };

    void Compile();
    StepResult WriteHeader();
    StepResult WriteTexts() { return WriteSharedTexts(1); }
    StepResult WriteVar(CPrjVar& var) override;
    StepResult WritePrinter();
    StepResult WriteOpTexts();
    StepResult WriteMsgTexts();
    StepResult WriteRcpTexts();
    StepResult WriteHlpTexts();
    StepResult WriteSoftkeyTexts();
    StepResult WriteSoftkeyActs() { return WriteSkActs(true); }
    StepResult WriteMnus();
    StepResult WriteMnu(CPrjMnu& menu, uint32_t tableAt);
    StepResult WriteDateBlock();
    StepResult WriteRcpBlock();
    StepResult Finish();

    // The list table head and slots words of 0; its address into the
    // header slot.
    StepResult PlaceListTable(int32_t slots, uint32_t slot, uint32_t& at);
    // A block given room bytes with the boundary rule; its address into the
    // header slot.
    StepResult PlaceBlock(const ImgRecord& rec, uint32_t room, uint32_t slot, uint32_t& at);
    // The list table and a record per text; the table's address into the
    // header slot. Nothing for an empty list.
    StepResult WriteList(const CPrjNumList* list, uint32_t slot, TextKind kind);
    // Record and rows of one text; its address, or 0 on failure.
    uint32_t WriteText(const CPrjNumEntry& entry, uint8_t first, int maxRows, TextKind kind);
    // Error 48 when two variables of the recipe share a data word or bit.
    StepResult CheckRcpConflicts(const CPrjRcpTxt& text);
    void NoteRowVar(const CPrjVar& var) override;
    // The variable of that name in the variable or the firmware list.
    CPrjVar* FindVar(const char* name) const;

    bool m_dwordVars = false;
    bool m_usesDateBlock = false;
    bool m_usesRcpBlock = false;
    uint16_t m_varChain = 0;
};

} // namespace orv
