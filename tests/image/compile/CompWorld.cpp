// Presets the compilers' project and reads images at literal offsets.
#include "CompWorld.h"

#include "model/core/WorkspaceState.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

namespace orv {

CompWorld::CompWorld(uint16_t devType) : CompWorld(World(devType).CharSet()) {}

CompWorld::CompWorld(const WorldRecipe& wanted) : FrameWorld(wanted)
{
    workspace.MemInfo().freeData = 32766;
}

void CompWorld::SetDevType(uint16_t devType)
{
    prj.SetDevType(devType);
    charSet.SetDevType(devType);
}

std::vector<std::string> CompWorld::LogLinesAfter(const std::string& header) const
{
    const std::vector<std::string> lines = LogLines();
    auto it = std::find(lines.begin(), lines.end(), header);
    return it == lines.end() ? std::vector<std::string>{} : std::vector<std::string>(it + 1, lines.end());
}

unsigned ByteAt(const std::string& image, size_t at)
{
    return at < image.size() ? static_cast<unsigned char>(image[at]) : 0x100u;
}

unsigned WordAt(const std::string& image, size_t at) { return ByteAt(image, at) << 8 | ByteAt(image, at + 1); }

uint32_t DWordAt(const std::string& image, size_t at)
{
    return static_cast<uint32_t>(WordAt(image, at)) << 16 | WordAt(image, at + 2);
}

std::string Hex(const std::string& bytes)
{
    std::string out;
    char buf[4];
    for (unsigned char b : bytes) {
        std::snprintf(buf, sizeof buf, "%02X", unsigned{b});
        out += buf;
    }
    return out;
}

void ExpectFamily706CheckWord(const std::string& image)
{
    ASSERT_EQ(image.size() % 2, 0u);
    EXPECT_EQ(WordAt(image, 0), image.size() / 2);
    unsigned sum = ByteAt(image, 3);
    unsigned x = 0;
    for (size_t at = 7; at < image.size(); at += 7) {
        sum += ByteAt(image, at);
        x ^= ByteAt(image, at);
    }
    EXPECT_EQ(sum % 256, 0u);
    EXPECT_EQ(ByteAt(image, 2), x);
}

} // namespace orv
