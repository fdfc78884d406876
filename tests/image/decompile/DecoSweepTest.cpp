// Every decompiler family against its image cut at every length and every byte
// mutated: a damaged image ends in one of the family's codes, never in a crash.
#include "DecoSweep.h"

#include "DecoKit.h"

#include <gtest/gtest.h>

#include <ostream>
#include <tuple>

using namespace orv;

namespace {

struct DecoSweepFamily {
    const char* name;
    std::unique_ptr<DecoSweepRig> (*make)();
};

void PrintTo(const DecoSweepFamily& family, std::ostream* os) { *os << family.name; }

const DecoSweepFamily kDecoSweepFamilies[] = {
    {"043", MakeDeco043SweepRig},
    {"118", MakeDeco118SweepRig},
    {"706", MakeDeco706SweepRig},
};

class DecoSweep : public ::testing::TestWithParam<DecoSweepFamily> {};

TEST_P(DecoSweep, TruncationAtEveryLength)
{
    const std::unique_ptr<DecoSweepRig> rig = GetParam().make();
    const std::string image = rig->Image();
    const size_t tail = rig->IntactTail();
    for (size_t cut = 0; cut < image.size(); ++cut) {
        const uint16_t code = rig->Fresh(image.substr(0, cut));
        if (tail == 0)
            EXPECT_TRUE(code == 0 || rig->Codes().count(code)) << cut << ": " << code;
        else if (cut >= image.size() - tail)
            EXPECT_EQ(code, 0) << cut;
        else
            EXPECT_TRUE(rig->Codes().count(code)) << cut << ": " << code;
    }
}

INSTANTIATE_TEST_SUITE_P(Families, DecoSweep, ::testing::ValuesIn(kDecoSweepFamilies),
                         [](const auto& info) { return std::string("f") + info.param.name; });

class DecoSweepMutation : public ::testing::TestWithParam<std::tuple<DecoSweepFamily, int>> {};

TEST_P(DecoSweepMutation, EveryByte)
{
    const auto& [family, kind] = GetParam();
    const std::unique_ptr<DecoSweepRig> rig = family.make();
    const std::string image = rig->Image();
    const size_t bytes = rig->MutableBytes(image);
    for (size_t at = 0; at < bytes; ++at) {
        const uint16_t code = rig->Fresh(deco_kit::Mutated(image, at, kind));
        EXPECT_TRUE(code == 0 || rig->Codes().count(code)) << at << ": " << code;
    }
}

INSTANTIATE_TEST_SUITE_P(Families, DecoSweepMutation,
                         ::testing::Combine(::testing::ValuesIn(kDecoSweepFamilies), ::testing::Values(0, 1, 2)),
                         [](const auto& info) {
                             return std::string("f") + std::get<0>(info.param).name + "_" +
                                    std::to_string(std::get<1>(info.param));
                         });

} // namespace
