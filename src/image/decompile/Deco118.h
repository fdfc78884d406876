// The 118 family decompiler front end (panels 118, 163, 167).
#pragma once

#include "image/decompile/Deco043_118.h"
#include "model/core/StepResult.h"

#include <cstdint>
#include <string>

namespace orv {

// Rebuilds a project from the first image of the panel types 118, 163 and
// 167: restores the parameter values of the project's driver file (a file
// of its own for these panels), then decodes every section of the data set
// with the date/time and recipe blocks. Construction runs the whole
// decompile; CheckError tells the outcome.
class CDeco118 : public CDeco043_118 {
public:
    CDeco118(CWorkspaceState* workspace, const std::string& imagePath, const std::string& drvPath,
             const std::string& fktPath, PrjBundle* bundle);

private:
    void ReadDriver();
    void DecodeDataSet();
    StepResult DecodeClock();
    StepResult DecodeRcpBlock();
    // The variable that tells the panel where the block lies moves to the
    // word, and the block's interface variables are placed from there.
    void PlaceBlock(const char* varName, uint16_t first, bool dateTime);
};

} // namespace orv
