#pragma once

#include "image/Comp.h"

#include <cstdint>
#include <string>

class CPrjNumEntry;
class CTxtRowBase;
class ImgRecord;

// The compiler of the family A panels (14, 36, 43, 47; 755 as 47 in its .2
// variant). The constructor runs the whole compile; CheckError tells the
// outcome.
class CComp043 : public CComp {
public:
    // reserve: the size of the project's driver file plus its
    // special-function file, kept free for them when names are fitted.
    CComp043(CWorkspaceState& workspace, const std::string& outPath, const std::string& drvPath,
             const std::string& fktPath, uint32_t reserve, const PrjBundle& bundle);

private:
    // What raises the firmware level an image needs.
    enum class FwCause { IntStrInRow, Softkeys, PrnVarInRow, SkRowVarInRow, WideBin, WordForms, MnuOptions };

    void Compile();
    int WriteHeader();
    int WritePrinter();
    int WriteSharedTexts();
    int WriteVars();
    int WriteVar(CPrjVar& var);
    int VarTail(const CPrjVar& var, ImgRecord& rec);
    int ScaledTail(const CPrjVar& var, bool isSigned, ImgRecord& rec);
    // The addresses of state texts 0..last; error 20 for a missing one.
    int StateTexts(const CPrjVar& var, int last, ImgRecord& rec);
    int WriteOpTexts();
    int WriteMsgTexts();
    int WriteHlpTexts();
    int WriteSkTxts();
    int WriteSkActs();
    int WriteCycleTime();
    int WriteUserChars();
    int WriteMnus();
    int WriteMnu(CPrjMnu& menu);
    int Finish();

    // Row count byte and rows of a text; its address, or 0 on failure.
    uint32_t WriteText(const CPrjNumEntry& entry, int maxRows, Counter rowCounter);
    std::string EncodeRow(const CTxtRowBase* row);
    void Raise(FwCause cause);
    bool IsWide() const { return m_type47; }
    bool CountsBlanks() const { return m_variant2; }

    uint32_t m_reserve;
    bool m_type47 = false;
    bool m_variant2 = false;
    uint16_t m_varChain = 0;
};
