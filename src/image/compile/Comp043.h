// The 043 family project compiler (panels 14, 36, 43, 47 and 755).
#pragma once

#include "image/compile/Comp043_118.h"
#include "model/core/StepResult.h"

#include <cstdint>
#include <string>

namespace orv {

class CPrjNumEntry;

// The compiler of the 043 family panels (14, 36, 43, 47; 755 as 47 in its .2
// variant). The constructor runs the whole compile; CheckError tells the
// outcome.
class CComp043 : public CComp043_118 {
public:
    // reserve: the size of the project's driver file plus its
    // special-function file, kept free for them when names are fitted.
    CComp043(CWorkspaceState& workspace, const std::string& outPath, const std::string& drvPath,
             const std::string& fktPath, uint32_t reserve, const PrjBundle& bundle);

private:
    // What raises the firmware level an image needs.
    enum class FwCause { IntStrInRow, Softkeys, PrnVarInRow, SkRowVarInRow, WideBin, WordForms, MnuOptions };

    void Compile();
    StepResult WriteHeader();
    StepResult WritePrinter();
    StepResult WriteTexts() { return WriteSharedTexts(0); }
    StepResult WriteSoftkeyTexts() { return WriteSkTxts(m_keys, false); }
    StepResult WriteSoftkeyActs() { return WriteSkActs(false); }
    StepResult WriteVar(CPrjVar& var) override;
    StepResult WriteOpTexts();
    StepResult WriteMsgTexts();
    StepResult WriteHlpTexts();
    StepResult WriteMnus();
    StepResult WriteMnu(CPrjMnu& menu);
    StepResult Finish();

    // Row count byte and rows of a text; its address, or 0 on failure.
    uint32_t WriteText(const CPrjNumEntry& entry, int maxRows, Counter rowCounter);
    void Raise(FwCause cause);
    void NoteRowVar(const CPrjVar& var) override;
    void NoteSoftkeys() override { Raise(FwCause::Softkeys); }
    bool HasPrinter() const { return m_printer; }
    bool CountsBlanks() const { return m_variant2; }

    uint32_t m_reserve;
    bool m_printer = false;
    int m_keys = imglayout::kSkKeysNarrow;
    bool m_variant2 = false;
    uint16_t m_varChain = 0;
};

} // namespace orv
