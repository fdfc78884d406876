#include "ImageFixture.h"

namespace orv {

ImageFixture::ImageFixture()
{
    bundle.prjData = &prj;
    bundle.spsPar = &sps;
    bundle.drvCfg = &drv;
    bundle.fktCfg = &fkt;
    prj.SetDevType(706);
}

void ImageFixture::SetWindow(uint16_t first, uint16_t length, uint16_t db, uint16_t type)
{
    sps.SetSpsType(type);
    sps.SetOffset(first);
    sps.SetLength(length);
    sps.SetDataBlock(db);
}

std::vector<int> ImageFixture::BoxIds() const
{
    std::vector<int> ids;
    for (const UiCall& call : ui.CallsOf(UiCall::Kind::Box))
        ids.push_back(call.id);
    return ids;
}

std::vector<std::string> ImageFixture::Questions() const
{
    return ui.TextsOf(UiCall::Kind::Question);
}

} // namespace orv
