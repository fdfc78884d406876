// What the 043 and 118 family compilers write alike, so the two differ only in their
// own tables.
#pragma once

#include "image/compile/Comp.h"
#include "model/core/StepResult.h"

#include <cstdint>
#include <initializer_list>
#include <string>

namespace orv {

class CPrjNumEntry;
class CPrjSkAct;
class CTxtRowBase;
class ImgRecord;

// What the compilers of the 043 and 118 families write alike: the byte header,
// shared texts, variable records and their tails, text rows, the printer
// block, softkeys and user characters. The family compilers add their own
// tables and decide what raises the firmware level.
class CComp043_118 : public CComp {
protected:
    using CComp::CComp;

    // A variable in a text row; 043 family raises its firmware level, family
    // B notes the date/time and recipe blocks.
    virtual void NoteRowVar(const CPrjVar& var) = 0;
    // A softkey text or action was written.
    virtual void NoteSoftkeys() {}

    // Runs the compile steps in order; a step that stops without a code of
    // its own sets 20, so that a partial image never counts as usable.
    template <class Derived>
    void RunSteps(std::initializer_list<StepResult (Derived::*)()> steps)
    {
        for (auto step : steps) {
            if ((static_cast<Derived*>(this)->*step)() != 1 || Failed()) {
                SetError(kErrIncomplete);
                return;
            }
            UpdateFreeMemory();
        }
    }
    // The firmware id, the names that fit and the length word at 2.
    StepResult FinishDataSet(uint32_t reserve, bool eachNameReserved);

    // The header of the given size with name, time, date, tool version, the
    // feature flags set so far and the default cycle time.
    StepResult WriteByteHeader(uint32_t size);
    StepResult WritePrinterBlock();
    // Each shared text is given its own length plus extra bytes of room.
    StepResult WriteSharedTexts(uint32_t extra);
    // Every image variable in list order.
    StepResult WriteVars();
    virtual StepResult WriteVar(CPrjVar& var) = 0;
    // The record without its tail's room: the chain word, the name word, the
    // width, the image type byte, the data word and the tail. dwordSpans:
    // types 6..9 and 22..25 carry scaling too.
    StepResult BuildVarRecord(const CPrjVar& var, uint16_t chain, bool dwordSpans, ImgRecord& rec);
    // Stores the record's address in the variable and the header, counts it
    // and notes a message word.
    StepResult VarPlaced(CPrjVar& var, uint32_t at);
    // Row bytes of at most 40 source characters; fields as 0 and the
    // record address.
    std::string EncodeRow(const CTxtRowBase* row, bool countBlanks);
    // The highest row present, at least 1, of at most maxRows.
    static int RowsOf(const CPrjNumEntry& entry, int maxRows);
    // byteForm: 118 family's byte 0, byte key count and a key's word at
    // record + 2j; otherwise words and record + 2 + 2j.
    StepResult WriteSkTxts(int keys, bool byteForm);
    // nameRoom: 118 family reserves the name length plus this many bytes.
    StepResult WriteSkActs(bool reserveByName);
    StepResult WriteCycleTime();
    StepResult WriteUserChars();

private:
    StepResult VarTail(const CPrjVar& var, bool dwordSpans, ImgRecord& rec);
    StepResult ScaledTail(const CPrjVar& var, bool isSigned, bool dwordSpans, ImgRecord& rec);
    // The addresses of state texts 0..last; error 20 for a missing one.
    StepResult StateTexts(const CPrjVar& var, int last, ImgRecord& rec);
};

// Variables that go into a 043 or 118 family image: every PLC variable and the
// internal state-text variables that have texts.
bool IsImageVar(const CPrjVar& var);

} // namespace orv
