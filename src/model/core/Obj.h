#pragma once

namespace orv {

// Root of the data model's objects. Owners delete through this base and call
// ShutDown first where the object holds files or items of its own.
class CObj {
public:
    CObj() = default;
    virtual ~CObj() = default;
    CObj(const CObj&) = delete;
    CObj& operator=(const CObj&) = delete;

    virtual void ShutDown() {}
};

} // namespace orv
