// The section decoders shared by the 043 and 118 family decompilers, reading both
// families' forms where they differ.
#pragma once

#include "image/decompile/Deco.h"
#include "model/core/StepResult.h"

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>

namespace orv {

class CPrjVar;
class CPrjNumEntry;
class CPrjRcpTxt;
class CPrjTxtRow;

// The section decoders that the front ends of the 043 and 118 families share; where
// the two families store a section differently, both forms are read here.
class CDeco043_118 : public CDeco {
protected:
    CDeco043_118(CWorkspaceState* workspace, const std::string& imagePath, const std::string& drvPath,
            const std::string& fktPath, PrjBundle* bundle, const char* module, bool is118Family);

    // Whether the project root, the PLC parameters and the character set
    // are there; error 41 otherwise, since an empty project is no success.
    bool HasProject();
    bool Is118Family() const { return m_is118Family; }

    template <class Derived>
    struct Step {
        StepResult (Derived::*run)();
        const char* failure;
    };
    // Runs the steps in order, skipping the null ones; the first failure
    // logs its text and ends the decompile with error 41.
    template <class Derived>
    void RunSteps(std::initializer_list<Step<Derived>> steps)
    {
        for (const Step<Derived>& step : steps) {
            if (step.run != nullptr && ((static_cast<Derived*>(this)->*step.run)() != 1 || Failed())) {
                StepFailed(step.failure);
                return;
            }
        }
    }
    void StepFailed(const char* failure);

    StepResult CheckSignatureStep();
    StepResult TextAreaEndStep();
    StepResult DecodePrinter();
    StepResult DecodeDescription();
    StepResult DecodeVars();
    StepResult DecodeOpTexts();
    StepResult DecodeSkActs();
    StepResult DecodeSkTexts();
    StepResult DecodeMsgTexts();
    StepResult DecodeRcpTexts();
    StepResult DecodeHelpTexts();
    StepResult DecodeMenus();
    StepResult DecodeChars();
    StepResult DecodeCycleTime();

    // A length byte and that many characters, converted.
    StepResult ReadCounted(uint32_t at, std::string& text);

private:
    // Variables.
    struct VarHead {
        std::string name;
        uint8_t adr = 0;
        uint8_t attr = 0;
        uint8_t setpKind = 0;
        uint8_t type = 0;
        uint8_t form = 0;
    };
    StepResult DecodeVar(uint32_t rec, int& nameMode, uint16_t& next);
    StepResult ReadVarName(uint16_t namePtr, const uint8_t* nameBytes, int& nameMode, std::string& name);
    StepResult UniqueName(std::string& name) const;
    StepResult BuildVar(uint32_t payload, const VarHead& head, std::unique_ptr<CPrjVar>& var);
    StepResult BuildScaled(uint32_t payload, const VarHead& head, std::unique_ptr<CPrjVar>& var);
    // The PLC limits from the scaling terms at payload + 10; words says
    // whether divisor and factor are words (else dwords).
    StepResult ReadPlcLimits(uint32_t p, bool isSigned, bool words, int64_t lower, int64_t upper, int64_t& plcLower,
                      int64_t& plcUpper);
    StepResult ReuseOrBuildIntVar(uint32_t payload, const VarHead& head, CPrjVar*& reused,
                           std::unique_ptr<CPrjVar>& var);
    StepResult ReadStateTexts(CPrjVar& var, uint32_t table, int count);

    // The menu of number m with its node chain from first.
    StepResult DecodeMenu(int m, uint16_t first, uint16_t names, uint32_t& named);

    // Texts.
    // 118 family list table at the header slot: the template made by
    // makeRange (none when it gives null) and an entry per used place.
    template <class Make, class MakeRange, class Insert>
    StepResult DecodeBList(uint32_t slot, DecoKind textKind, DecoKind rowKind, Make make, MakeRange makeRange,
                    Insert insert);
    // 043 family: the row count and the rows one after another while below
    // the text area end.
    StepResult ReadEntryRows(CPrjNumEntry& entry, uint32_t at, DecoKind rowKind);
    // 118 family: kind byte, row count and a row address per row; a recipe
    // text also takes the row's PLC variables into its value list.
    StepResult ReadTableRows(CPrjNumEntry& entry, uint32_t at, DecoKind rowKind);
    StepResult ReadRow(uint32_t at, uint8_t num, std::unique_ptr<CPrjTxtRow>& row, uint32_t& next,
                CPrjRcpTxt* recipe = nullptr);

    StepResult DecodeAOpTexts();
    StepResult DecodeAMsgTexts();
    StepResult DecodeAHelpTexts();

    bool m_is118Family;
};

} // namespace orv
