// Marks the drivers a library holds using the library reader of its family.
#include "image/drv/DrvLibScanner.h"

#include "image/drv/DrvFile.h"

namespace orv {

namespace {

template <class Lib>
void MarkWith(const std::string& libPath, PrjBundle* bundle, uint16_t devType)
{
    Lib lib(libPath, bundle);
    if (!lib.CheckError())
        return;
    lib.MarkPresent(devType);
    lib.CheckError();
}

} // namespace

void CDrvLibReaderScanner::Scan(DrvFamily family, const std::string& libPath, uint16_t devType)
{
    if (family == DrvFamily::F706)
        MarkWith<CDrvLib706>(libPath, m_bundle, devType);
    else
        MarkWith<CDrvLib043>(libPath, m_bundle, devType);
}

} // namespace orv
