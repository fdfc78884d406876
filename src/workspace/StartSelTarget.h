// What the start selection hands its confirmed choice to: the project
// manager, seen through the setters it needs.
#pragma once

#include <cstdint>

namespace orv {

// The receiver of a confirmed start selection, called in the order of the
// declarations; Startselection applies what was set and answers whether it
// could be applied.
class CStartSelTarget {
public:
    virtual ~CStartSelTarget() = default;

    virtual void SetPanelType(int32_t devType) = 0;
    virtual void SetPlcType(int32_t spsType) = 0;
    virtual void SetDrvNum(int32_t drvNo) = 0;
    virtual void SetIntlDisplay(int32_t intl) = 0;
    virtual void SetSimDrvBound(bool bound) = 0;
    virtual void SetDbNum(int32_t db) = 0;
    virtual void SetDwOffset(int32_t offset) = 0;
    virtual void SetDwLength(int32_t length) = 0;
    virtual bool Startselection() = 0;
};

} // namespace orv
