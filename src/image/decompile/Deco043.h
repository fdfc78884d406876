// The 043 family decompiler front end (panels 14, 36, 43, 47 and 755).
#pragma once

#include "image/decompile/Deco043_118.h"

#include <string>

namespace orv {

// Rebuilds a project from the data-set image of the panel types 14, 36, 43,
// 47 and 755: cuts the driver out into the project's driver file, restores
// its parameter values, and decodes every section of the data set.
// Construction runs the whole decompile; CheckError tells the outcome.
class CDeco043 : public CDeco043_118 {
public:
    CDeco043(CWorkspaceState* workspace, const std::string& imagePath, const std::string& drvPath,
             const std::string& fktPath, PrjBundle* bundle);

private:
    void CutDriver();
    void CheckFkt();
    void DecodeDataSet();
};

} // namespace orv
