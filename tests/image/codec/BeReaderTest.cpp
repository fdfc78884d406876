#include "image/codec/BeReader.h"
#include "image/codec/ReadWhole.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

using namespace orv;

namespace {

// Eight bytes whose every window of 1, 2, 4 or 6 reads differently.
const std::string kBytes("\x81\x02\x83\x04\x85\x06\x87\x08", 8);

uint64_t ReadWidth(BeReader& in, uint64_t offset, int width)
{
    switch (width) {
    case 1: return in.U8(offset);
    case 2: return in.U16(offset);
    case 4: return in.U32(offset);
    default: return in.U48(offset);
    }
}

TEST(BeReader, WidthsReadHighByteFirstUpToTheLastByteAndFailOnePast)
{
    struct Case {
        int width;
        uint64_t first;
        uint64_t last;
    };
    const Case cases[] = {
        {1, 0x81, 0x08},
        {2, 0x8102, 0x8708},
        {4, 0x81028304, 0x85068708},
        {6, 0x810283048506, 0x830485068708},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        const uint64_t lastOffset = kBytes.size() - static_cast<size_t>(c.width);
        BeReader in(kBytes);
        EXPECT_EQ(ReadWidth(in, 0, c.width), c.first);
        EXPECT_EQ(ReadWidth(in, lastOffset, c.width), c.last);
        EXPECT_TRUE(in.Ok());
        EXPECT_EQ(ReadWidth(in, lastOffset + 1, c.width), 0u);
        EXPECT_FALSE(in.Ok());
        // The failure stays: a later good read does not clear it.
        EXPECT_EQ(ReadWidth(in, 0, c.width), c.first);
        EXPECT_FALSE(in.Ok());
        // An offset near the top of the range must not wrap round.
        BeReader far(kBytes);
        EXPECT_EQ(ReadWidth(far, UINT64_MAX - 1, c.width), 0u);
        EXPECT_FALSE(far.Ok());
    }
}

TEST(BeReader, SignedSixByteValuesExtendBit47)
{
    const std::string bytes("\xFF\xFF\xFF\xFF\xFF\xFE\x80\x00\x00\x00\x00\x00\x7F\xFF\xFF\xFF\xFF\xFF", 18);
    BeReader in(bytes);
    EXPECT_EQ(in.S48(0), -2);
    EXPECT_EQ(in.S48(6), -(int64_t{1} << 47));
    EXPECT_EQ(in.S48(12), (int64_t{1} << 47) - 1);
    EXPECT_TRUE(in.Ok());
}

TEST(BeReader, BlocksAndStringsStayInsideTheView)
{
    BeReader in(std::string_view("AB\0CDE", 6));
    char block[3] = {'x', 'x', 'x'};
    EXPECT_TRUE(in.Block(3, block, 3));
    EXPECT_EQ(std::string(block, 3), "CDE");
    EXPECT_EQ(in.String(0, 10), "AB");
    EXPECT_EQ(in.String(3, 2), "CD");
    EXPECT_TRUE(in.Ok());
    EXPECT_FALSE(in.Block(4, block, 3));
    EXPECT_EQ(std::string(block, 3), std::string(3, '\0'));
    EXPECT_FALSE(in.Ok());

    // A string the view cuts before its NUL or its maximum.
    BeReader cut(std::string_view("ABC", 3));
    EXPECT_EQ(cut.String(1, 5), "BC");
    EXPECT_FALSE(cut.Ok());
}

TEST(BeReader, SubViewsCountFromTheirStartAndMayNotEndOutsideTheParent)
{
    struct Case {
        uint64_t offset;
        uint64_t length;
        bool ok;
    };
    const Case cases[] = {
        {0, 8, true}, {2, 6, true}, {8, 0, true}, {2, 7, false}, {9, 0, false}, {1, UINT64_MAX, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.offset << "+" << c.length);
        BeReader parent(kBytes);
        BeReader sub = parent.Sub(c.offset, c.length);
        EXPECT_EQ(sub.Ok(), c.ok);
        EXPECT_EQ(parent.Ok(), c.ok);
        EXPECT_EQ(sub.Size(), c.ok ? c.length : 0u);
    }
    BeReader parent(kBytes);
    BeReader sub = parent.Sub(2, 4);
    EXPECT_EQ(sub.U16(0), 0x8304);
    EXPECT_EQ(sub.U16(2), 0x8506);
    EXPECT_EQ(sub.U8(4), 0);
    EXPECT_FALSE(sub.Ok());
    EXPECT_TRUE(parent.Ok());
}

TEST(BeReader, PanelFilesAreReadWholeUpToTheCap)
{
    TempDir dir;
    dir.Write("SMALL.BIN", kBytes);
    dir.Write("CAP.BIN", std::string(kMaxInputFileSize, '\x11'));
    dir.Write("OVER.BIN", std::string(kMaxInputFileSize + 1, '\x11'));

    struct Case {
        std::string path;
        bool ok;
        size_t size;
    };
    const Case cases[] = {
        {dir.File("SMALL.BIN"), true, kBytes.size()},
        {dir.File("CAP.BIN"), true, kMaxInputFileSize},
        {dir.File("OVER.BIN"), false, 0},
        {dir.File("MISSING.BIN"), false, 0},
        {dir.Path(), false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        std::string bytes = "stale";
        EXPECT_EQ(ReadWholeInput(c.path, bytes, "Test"), c.ok);
        EXPECT_EQ(bytes.size(), c.size);
    }
}

} // namespace
