// What a decompiler family lends the robustness sweep: a small image with a
// record of every section, the codes a damaged image may give, and a decompile
// on a cleared project.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <set>
#include <string>

namespace orv {

class DecoSweepRig {
public:
    virtual ~DecoSweepRig() = default;

    virtual std::string Image() = 0;
    // The leading bytes of the image a mutation may touch.
    virtual size_t MutableBytes(const std::string& image) { return image.size(); }
    // When not 0: a cut that leaves off fewer bytes still decompiles, and
    // every shorter cut must fail with one of the codes.
    virtual size_t IntactTail() const { return 0; }
    virtual uint16_t Fresh(const std::string& image) = 0;
    virtual const std::set<uint16_t>& Codes() const = 0;
};

std::unique_ptr<DecoSweepRig> MakeDeco043SweepRig();
std::unique_ptr<DecoSweepRig> MakeDeco118SweepRig();
std::unique_ptr<DecoSweepRig> MakeDeco706SweepRig();

} // namespace orv
