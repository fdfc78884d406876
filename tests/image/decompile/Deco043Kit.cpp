// Runs the 043 family decompiler on images built in the test.
#include "Deco043Kit.h"

#include "image/decompile/Deco043.h"
#include "image/codec/ImgLayout.h"
#include "model/project/PrjVar.h"
#include "tools/cfggen/DrvBuilders.h"

#include <gtest/gtest.h>

namespace orv {

uint16_t Deco043Fixture::Decompile(const std::string& image, const std::string& fktPath)
{
    CDeco043 deco(&workspace, WriteImage(image), DrvPath(), fktPath, &bundle);
    return deco.GetError();
}

} // namespace orv
