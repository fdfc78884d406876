// The 118 family compiler of the second image, the recipe memory.
#pragma once

#include "image/compile/Comp.h"
#include "model/core/StepResult.h"

#include <cstdint>
#include <string>

namespace orv {

class CPrjRcpTxt;
class CVarValPair;
class ImgRecord;

// The compiler of the second image of the 118 family panels: the recipe
// memory with each recipe's values in the form the PLC takes them. The
// constructor runs the whole compile; any failure ends with error 20.
class CComp118Img2 : public CComp {
public:
    CComp118Img2(CWorkspaceState& workspace, const std::string& outPath, const PrjBundle& bundle);

private:
    void Compile();
    StepResult WriteHeader();
    StepResult WriteCheckBlock();
    StepResult WriteRecipes();
    StepResult WriteRecipe(const CPrjRcpTxt& text, uint32_t& at);
    StepResult EncodeValue(const CVarValPair& pair, ImgRecord& rec);
    // (value - lower) * PLC span / display span + PLC lower, cut toward zero.
    StepResult Scaled(const CPrjVar& var, bool isSigned, uint32_t value, int64_t& out);
    StepResult Finish();

    uint32_t m_checkBlock = 0;
};

} // namespace orv
