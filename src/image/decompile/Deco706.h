// The 706 family decompiler (panels 473, 477, 706), with its section decoders in
// the Deco706* units.
#pragma once

#include "image/decompile/Deco.h"
#include "model/core/StepResult.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace orv {

class CPrjVar;
class CTxtVarSlots;

// Rebuilds a project from the data-set image of the panel types 473, 477
// and 706: restores the driver's parameter values from the project's driver
// file, checks the special-function file, and decodes every section of the
// data set. Construction runs the whole decompile; CheckError tells the
// outcome.
class CDeco706 : public CDeco {
public:
    CDeco706(CWorkspaceState* workspace, const std::string& imagePath, const std::string& drvPath,
             const std::string& fktPath, PrjBundle* bundle);

private:
    // Where a numbered text list lies, how its objects are counted and
    // whether its rows are printer rows.
    struct ListLayout {
        uint32_t headerSlot;
        DecoKind texts;
        DecoKind rows;
        bool printer;
    };

    void DropHistTemplate();
    void ReadDriver();
    void CheckFkt();
    void DecodeDataSet();
    void RestorePrinterStatus(uint16_t oldPos);

    StepResult DecodeChars();
    StepResult DecodeVars();
    StepResult DecodeOpTexts();
    StepResult DecodeSkActs();
    StepResult DecodeSkTexts();
    StepResult DecodeMsgTexts();
    StepResult DecodeHistTexts();
    StepResult DecodeHlpTexts();
    StepResult DecodeOpPrnTexts();
    StepResult DecodeMsgPrnTexts();
    StepResult DecodeMenus();
    StepResult DecodeTimers();
    StepResult DecodeMsgMode();
    StepResult DecodeDescription();

    // Variables.
    struct VarHead {
        std::string name;
        uint32_t q = 0;       // the data part, the record's reference
        uint8_t format = 0;
        uint8_t setpKind = 1;
        uint16_t type = 0;
        uint32_t value = 0;   // PLC address, or an internal variable's setting
    };
    StepResult DecodeVar(uint32_t rec, uint32_t& next);
    StepResult BuildVar(const VarHead& head, std::unique_ptr<CPrjVar>& var);
    StepResult BuildScaled(const VarHead& head, std::unique_ptr<CPrjVar>& var);
    StepResult ApplyIntVar(const VarHead& head);
    StepResult ReadStateTexts(CPrjVar& var, uint32_t table, int count);
    StepResult ReadVarText(uint32_t at, std::string& text);
    // The panel's text bytes: blank counts widened, characters converted.
    std::string PanelText(const uint8_t* bytes, size_t n) const;

    // Texts.
    template <class Entry>
    StepResult ReadRows(Entry& entry, uint32_t at, const ListLayout& layout);
    StepResult ReadRow(uint32_t at, bool printer, std::string& text, CTxtVarSlots& slots);
    StepResult AppendField(const CPrjVar& var, bool printer, std::string& text) const;
    // make(number, lowest, highest, attribute word) gives the entry,
    // insert(entry) its index in list.
    template <class Entry, class Make, class Insert>
    StepResult DecodeList(const CColl* list, const ListLayout& layout, Make make, Insert insert);
    uint8_t MaxBlankCount() const;
    StepResult ReadCountedName(uint32_t at, std::string& name, uint32_t& after);
    // The table the dword at slot points at (none when 0): a word count,
    // then a dword per number; decode(number, address) takes each entry
    // that is there. ready tells whether the project has the list they
    // fill; a table without it fails.
    StepResult ForEachTableEntry(uint32_t slot, bool ready, const std::function<int(int32_t, uint32_t)>& decode);
    // The numbered list the dword at slot points at (none when 0):
    // decode(number, address, lowest, highest) takes the template entry as
    // number -1 with its range, then the entry of each place that is there.
    StepResult ForEachListEntry(uint32_t slot, bool ready,
                         const std::function<int(int32_t, uint32_t, uint16_t, uint16_t)>& decode);
};

} // namespace orv
