#pragma once

#include "image/Deco.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CPrjVar;
class CPrjNumEntry;
class CPrjTxtRow;

// Rebuilds a project from the data-set image of the panel types 14, 36, 43,
// 47 and 755: cuts the driver out into the project's driver file, restores
// its parameter values, and decodes every section of the data set.
// Construction runs the whole decompile; CheckError tells the outcome.
class CDeco043 : public CDeco {
public:
    CDeco043(CWorkspaceState* workspace, const std::string& imagePath, const std::string& drvPath,
             const std::string& fktPath, PrjBundle* bundle);

private:
    void CutDriver();
    void CheckFkt();
    void DecodeDataSet();

    int CheckSignatureStep();
    int TextAreaEndStep();
    int DecodePrinter();
    int DecodeDescription();
    int DecodeVars();
    int DecodeOpTexts();
    int DecodeSkActs();
    int DecodeSkTexts();
    int DecodeMsgTexts();
    int DecodeHelpTexts();
    int DecodeMenus();
    int DecodeChars();
    int DecodeCycleTime();

    // Variables.
    struct VarHead {
        std::string name;
        uint8_t adr = 0;
        uint8_t attr = 0;
        uint8_t setpKind = 0;
        uint8_t type = 0;
        uint8_t form = 0;
    };
    int DecodeVar(uint32_t rec, int& nameMode, uint16_t& next);
    int ReadVarName(uint16_t namePtr, const uint8_t* nameBytes, int& nameMode, std::string& name);
    int UniqueName(std::string& name) const;
    int BuildVar(uint32_t payload, const VarHead& head, std::unique_ptr<CPrjVar>& var);
    int BuildScaled(uint32_t payload, const VarHead& head, std::unique_ptr<CPrjVar>& var);
    int ReuseOrBuildIntVar(uint32_t payload, const VarHead& head, CPrjVar*& reused,
                           std::unique_ptr<CPrjVar>& var);
    int ReadStateTexts(CPrjVar& var, uint32_t table, int count);
    int ReadCounted(uint32_t at, std::string& text);

    // Texts.
    int ReadEntryRows(CPrjNumEntry& entry, uint32_t at, DecoKind rowKind);
    int ReadRow(uint32_t at, uint8_t num, std::unique_ptr<CPrjTxtRow>& row, uint32_t& next);
    uint8_t PanelChar(uint8_t byte) const;
    int ReadString(uint32_t at, size_t max, bool convert, std::string& text);
};
