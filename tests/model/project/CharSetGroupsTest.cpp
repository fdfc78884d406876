#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "model/project/CharSet.h"
#include "model/project/PrjData.h"
#include "support/ProjectWorld.h"

using namespace orv;

namespace {

// A character set in a bundle with a project root, the reload flag cleared.
struct CharSetFixture {
    std::unique_ptr<ProjectWorld> world = World().Build();
    CPrjData& root = *world->prj;
    CCharSet& cs = *world->charSet;

    explicit CharSetFixture(uint16_t devType, bool withRoot = true) {
        if (!withRoot) world->Unwire(WorldPart::Root);
        cs.SetDevType(devType);
        cs.ClearReloadFlag();
    }

    // Every byte of every buffer set to a pattern of its group and place.
    void FillAll() {
        for (CharGroup g : {CharGroup::Alt, CharGroup::F706, CharGroup::Int}) Fill(g);
    }
    void Fill(CharGroup g) {
        auto buf = cs.FillFontBuffer(g);
        for (size_t i = 0; i < buf.size(); ++i)
            buf[i] = static_cast<uint8_t>(i * 7 + static_cast<int>(g));
    }
    static uint8_t Pattern(CharGroup g, size_t i) {
        return static_cast<uint8_t>(i * 7 + static_cast<int>(g));
    }
};

TEST(CharSetGroups, ConstructorStartsOn14WithReloadFlag) {
    CCharSet cs(nullptr);
    EXPECT_EQ(cs.GetDevType(), 14);
    EXPECT_TRUE(cs.GetReloadFlag());
    EXPECT_EQ(cs.GetGroup(), CharGroup::Alt);
}

TEST(CharSetGroups, SetDevType) {
    struct Case {
        bool withRoot;
        uint16_t variant;
        uint16_t from;
        bool flagBefore;
        uint16_t to;
        uint16_t stored;
        bool flagAfter;
    };
    const Case cases[] = {
        {true, 1, 14, false, 47, 755, true},    // ALT to INT through the variant
        {true, 0, 14, false, 47, 47, false},    // same group
        {true, 1, 755, false, 47, 755, false},  // already 755: nothing
        {true, 0, 14, false, 36, 36, false},    // same group keeps the cleared flag
        {true, 0, 14, true, 36, 36, true},      // ... and a set one
        {true, 0, 14, false, 14, 14, false},
        {true, 0, 14, false, 706, 706, true},
        {true, 0, 118, false, 477, 477, false},
        {true, 0, 706, false, 999, 999, true},  // to a type of no group
        {true, 0, 999, false, 473, 473, true},  // from a type of no group
        {true, 0, 999, false, 998, 998, false}, // no group to no group
        {false, 1, 14, false, 47, 47, false},   // no root: variant 0
    };
    for (const Case& c : cases) {
        CharSetFixture f(c.from, c.withRoot);
        f.root.SetVariant(c.variant);
        if (c.flagBefore) {
            // Pass through a type of another group and back to set the flag.
            f.cs.SetDevType(706);
            f.cs.SetDevType(c.from);
            ASSERT_TRUE(f.cs.GetReloadFlag());
        }
        f.cs.SetDevType(c.to);
        EXPECT_EQ(f.cs.GetDevType(), c.stored) << c.from << "->" << c.to;
        EXPECT_EQ(f.cs.GetReloadFlag(), c.flagAfter) << c.from << "->" << c.to;
    }
    CCharSet noBundle(nullptr);
    noBundle.SetDevType(47);
    EXPECT_EQ(noBundle.GetDevType(), 47);
}

TEST(CharSetGroups, UserCharactersLieAtTheirGroupsPlace) {
    struct Case {
        uint16_t devType;
        CharGroup group;
        int n;
        int offset;  // -1: out of the group's range
    };
    const Case cases[] = {
        {14, CharGroup::Alt, 0, 1792},  {43, CharGroup::Alt, 7, 1848},
        {473, CharGroup::Alt, 8, -1},   {36, CharGroup::Alt, -1, -1},
        {118, CharGroup::Int, 0, 64},   {755, CharGroup::Int, 7, 120},
        {477, CharGroup::Int, 8, -1},   {706, CharGroup::F706, 128, 1024},
        {706, CharGroup::F706, 130, 1040}, {706, CharGroup::F706, 255, 2040},
        {706, CharGroup::F706, 3, -1},  {706, CharGroup::F706, 127, -1},
        {706, CharGroup::F706, 256, -1}, {999, CharGroup::None, 0, -1},
    };
    for (const Case& c : cases) {
        CharSetFixture f(c.devType);
        f.FillAll();
        CCharSet::Rows rows{};
        const int got = f.cs.GetUserChar(c.n, rows);
        EXPECT_EQ(got, c.offset < 0 ? -1 : 1) << c.devType << "/" << c.n;
        if (c.offset < 0) continue;
        for (size_t r = 0; r < 8; ++r)
            EXPECT_EQ(rows[r], CharSetFixture::Pattern(c.group, size_t(c.offset) + r));

        const CCharSet::Rows mine = {1, 2, 3, 4, 5, 6, 7, 8};
        f.cs.SetUserChar(c.n, mine);
        const uint8_t* buf = f.cs.GetFontBuffer(c.group);
        EXPECT_TRUE(std::equal(mine.begin(), mine.end(), buf + c.offset));
        EXPECT_EQ(buf[c.offset - 1], CharSetFixture::Pattern(c.group, size_t(c.offset) - 1));
        if (c.offset + 8 < int(CCharSet::kFontBufSize)) {
            EXPECT_EQ(buf[c.offset + 8], CharSetFixture::Pattern(c.group, size_t(c.offset) + 8));
        }
    }
}

TEST(CharSetGroups, OutOfRangeOrMissingBufferWritesNothing) {
    CharSetFixture f(706);
    f.Fill(CharGroup::Alt);  // another group's buffer only
    CCharSet::Rows rows{};
    EXPECT_EQ(f.cs.GetUserChar(130, rows), -1);
    f.cs.SetUserChar(130, CCharSet::Rows{9, 9, 9, 9, 9, 9, 9, 9});
    EXPECT_EQ(f.cs.GetFontBuffer(CharGroup::F706), nullptr);
    const uint8_t* alt = f.cs.GetFontBuffer(CharGroup::Alt);
    for (size_t i = 0; i < CCharSet::kFontBufSize; ++i)
        ASSERT_EQ(alt[i], CharSetFixture::Pattern(CharGroup::Alt, i));

    f.Fill(CharGroup::F706);
    f.cs.SetUserChar(3, CCharSet::Rows{9, 9, 9, 9, 9, 9, 9, 9});
    const uint8_t* b706 = f.cs.GetFontBuffer(CharGroup::F706);
    for (size_t i = 0; i < CCharSet::kFontBufSize; ++i)
        ASSERT_EQ(b706[i], CharSetFixture::Pattern(CharGroup::F706, i));
}

TEST(CharSetGroups, ClearUserCharsZeroesTheEightCharactersOfAltAndInt) {
    struct Case {
        uint16_t devType;
        CharGroup group;
        int from;  // -1: nothing cleared
    };
    const Case cases[] = {
        {14, CharGroup::Alt, 1792}, {167, CharGroup::Int, 64}, {706, CharGroup::F706, -1}};
    for (const Case& c : cases) {
        CharSetFixture f(c.devType);
        f.FillAll();
        f.cs.ClearUserChars();
        for (CharGroup g : {CharGroup::Alt, CharGroup::F706, CharGroup::Int}) {
            const uint8_t* buf = f.cs.GetFontBuffer(g);
            for (int i = 0; i < int(CCharSet::kFontBufSize); ++i) {
                const bool cleared = g == c.group && c.from >= 0 && i >= c.from && i < c.from + 64;
                ASSERT_EQ(buf[i], cleared ? 0 : CharSetFixture::Pattern(g, size_t(i)))
                    << c.devType << " byte " << i;
            }
        }
    }
    CharSetFixture missing(14);
    missing.cs.ClearUserChars();  // no buffer: nothing to do, nothing created
    EXPECT_EQ(missing.cs.GetFontBuffer(CharGroup::Alt), nullptr);
}

TEST(CharSetGroups, FrameCharacters) {
    struct Case {
        uint16_t devType;
        uint8_t corners[6];  // kinds 0..5
    };
    const Case cases[] = {
        {14, {0, 0xBA, 0xD6, 0xD2, 0xB7, 0}},
        {118, {0, 1, 2, 3, 4, 0}},
        {706, {0, 1, 2, 3, 4, 0}},
        {999, {0, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        CharSetFixture f(c.devType);
        for (int kind = 0; kind <= 5; ++kind)
            EXPECT_EQ(f.cs.GetFrameChar(kind), c.corners[kind]) << c.devType << "/" << kind;
        EXPECT_EQ(f.cs.GetFrameChar(-1), 0);
    }
}

}  // namespace
