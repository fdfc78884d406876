#include "../source/reader/ParseRun.h"
#include "support/SpsParBuilder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace orv {
namespace {

std::string SampleBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(workspace_sample_project, ShipsBesideTheProgramAndReadsWithoutAnError)
{
    const std::string sample = SampleBytes(ORV_SAMPLE_PROJECT);
    ASSERT_FALSE(sample.empty());
    EXPECT_EQ(SampleBytes(std::string(ORV_SHIPPED_DIR) + "/data/demo043.orv"), sample);
    // The writer's form: every line ends in CR LF.
    for (size_t at = sample.find('\n'); at != std::string::npos; at = sample.find('\n', at + 1))
        ASSERT_TRUE(at > 0 && sample[at - 1] == '\r') << "line end at " << at;

    // The sample's variables lie on data words 30 to 55, both directions.
    SpsParBuilder sps;
    for (uint16_t word = 30; word <= 60; ++word)
        sps.Var(word);
    TempDir dir;
    auto p = ParserWorld(43).Sps(sps).Build();
    const ParseOutcome out = ParseInto(*p, dir, sample);
    EXPECT_EQ(out.error, 0) << out.errorText << " xerror " << out.xerror << " line " << out.line;
}

} // namespace
} // namespace orv
