// The image layer's scanner of driver libraries, handed to the model's driver
// configuration at start-up.
#pragma once

#include "model/project/DrvCfg.h"

namespace orv {

struct PrjBundle;

// Marks the drivers of a library with the library readers of its family;
// the driver configuration's LoadDrvLibs is handed one at start-up.
class CDrvLibReaderScanner : public CDrvLibScanner {
public:
    explicit CDrvLibReaderScanner(PrjBundle* bundle) : m_bundle(bundle) {}

    void Scan(DrvFamily family, const std::string& libPath, uint16_t devType) override;

private:
    PrjBundle* m_bundle;
};

} // namespace orv
