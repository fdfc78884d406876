#pragma once

#include "image/Deco.h"

#include <string>

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
    void DecodeDataSet();
};
