#pragma once

#include "model/core/StartSelInfo.h"

#include <string>
#include <utility>

namespace orv {

// A start selection with settable answers; by default nothing is selected.
class FakeStartSelInfo : public CStartSelInfo {
public:
    FakeStartSelInfo() = default;
    FakeStartSelInfo(int dspWidth, int modelNo, std::string fntNam)
        : dspWidth(dspWidth), modelNo(modelNo), fntNam(std::move(fntNam))
    {
    }

    int GetDspWidth() const override { return dspWidth; }
    int GetModelNo() const override { return modelNo; }
    std::string GetFntNam() const override { return fntNam; }

    int dspWidth = 40;
    int modelNo = 14;
    std::string fntNam;
};

} // namespace orv
