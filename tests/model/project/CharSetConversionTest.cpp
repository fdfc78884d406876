#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "model/project/CharSet.h"

using namespace orv;

namespace {

using FilePtr = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

FilePtr TempFile() { return FilePtr(std::tmpfile(), &std::fclose); }

std::string ReadBack(std::FILE* file) {
    std::fflush(file);
    std::rewind(file);
    std::string bytes;
    for (int c; (c = std::fgetc(file)) != EOF;) bytes.push_back(static_cast<char>(c));
    return bytes;
}

CCharSet MakeCharSet(uint16_t devType) {
    CCharSet cs(nullptr);
    cs.SetDevType(devType);
    return cs;
}

// What WriteSrcChar / WriteSrcByte write for one code, or a failure marker.
template <typename Write>
std::string Written(Write write) {
    FilePtr file = TempFile();
    if (write(file.get()) != 1) return "<fail>";
    return ReadBack(file.get());
}

// Turns written source text back into bytes, as the reader does: "$XX" or
// the raw byte.
std::vector<uint8_t> DecodeSource(const std::string& text) {
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '$' && i + 2 < text.size()) {
            bytes.push_back(static_cast<uint8_t>(std::stoi(text.substr(i + 1, 2), nullptr, 16)));
            i += 2;
        } else {
            bytes.push_back(static_cast<uint8_t>(text[i]));
        }
    }
    return bytes;
}

enum class Op { Valid, Panel, Sign, Filter };

TEST(CharSetConversion, EdgeTable) {
    struct Case {
        uint16_t devType;
        Op op;
        uint8_t ch;
        uint16_t mode;
        int expected;  // Valid: 0 or 1
    };
    const Case cases[] = {
        // Umlauts: mapped to the user characters on ALT, kept on INT.
        {14, Op::Valid, 0x84, 0, 1},     {14, Op::Panel, 0x84, 0, 8},
        {14, Op::Panel, 0x99, 0, 9},     {14, Op::Panel, 0x9A, 0, 10},
        {118, Op::Valid, 0x84, 0, 1},    {118, Op::Panel, 0x84, 0, 0x84},
        {14, Op::Valid, 0xE1, 0, 0},     {14, Op::Panel, 0xE1, 0, 0},
        {14, Op::Valid, 7, 0, 0},        {14, Op::Valid, 16, 0, 0},
        // ALT with mode 8: arrows and 0xA5.
        {47, Op::Valid, 26, 0, 0},       {47, Op::Valid, 26, 8, 1},
        {47, Op::Panel, 26, 8, 26},      {47, Op::Panel, 27, 8, 27},
        {47, Op::Panel, 27, 0, 0},       {47, Op::Valid, 0xA5, 8, 1},
        {47, Op::Panel, 0xA5, 8, 0x9D},  {47, Op::Panel, 0xA5, 0, 0},
        {47, Op::Panel, 'A', 8, 'A'},
        // INT sign mapping with any of the bits 0x0E.
        {118, Op::Panel, '\\', 0, '\\'}, {118, Op::Panel, '\\', 2, 0xA5},
        {163, Op::Panel, '~', 4, 0x1A},  {167, Op::Panel, 0x7F, 8, 0x1B},
        {755, Op::Panel, 0x81, 2, 0xFC}, {477, Op::Panel, 0x9A, 2, 0xDC},
        {118, Op::Panel, 0x99, 8, 0xD6}, {118, Op::Panel, 5, 2, 0},
        {118, Op::Panel, 0x9A, 0x30, 0x9A}, {118, Op::Valid, 7, 0, 0},
        // 706: upper half, sign mapping, German 7-bit letters, in that order.
        {706, Op::Valid, 3, 1, 1},       {706, Op::Panel, 'A', 1, 0xC1},
        {706, Op::Panel, 200, 1, 200},   {706, Op::Panel, '{', 0x31, '{' + 128},
        {706, Op::Valid, 8, 0, 0},       {706, Op::Valid, 8, 0x0E, 1},
        {706, Op::Valid, 7, 0x0E, 0},    {706, Op::Panel, 8, 0x0E, 0x80},
        {706, Op::Panel, 15, 2, 0x87},   {706, Op::Panel, '\\', 4, 0x9D},
        {706, Op::Panel, '~', 8, 0x1A},  {706, Op::Panel, 0x7F, 2, 0x1B},
        {706, Op::Panel, 5, 2, 0},       {706, Op::Panel, '{', 0x3E, '{'},
        {706, Op::Panel, '{', 0x30, 0x84}, {706, Op::Panel, '~', 0x10, 0xE1},
        {706, Op::Panel, '[', 0x20, 0x8E}, {706, Op::Panel, '^', 0x30, 0x18},
        {706, Op::Panel, 0x7F, 0x30, 0xDB}, {706, Op::Panel, 12, 0x30, 0},
        {706, Op::Panel, '{', 0, '{'},   {706, Op::Panel, 15, 0, 0},
        // A type of no group takes nothing.
        {999, Op::Valid, 'A', 0xFF, 0},  {999, Op::Panel, 'A', 0, 0},
        // Control signs.
        {14, Op::Sign, 8, 0, 0xE0},      {14, Op::Sign, 15, 0, 0xE7},
        {14, Op::Sign, 0, 0, ' '},       {14, Op::Sign, 26, 0, '>'},
        {14, Op::Sign, 27, 0, '<'},      {14, Op::Sign, 1, 0, 1},
        {118, Op::Sign, 8, 0, 0xE0},     {118, Op::Sign, 0, 0, ' '},
        {118, Op::Sign, 1, 0, 0xBA},     {118, Op::Sign, 20, 0, 0xB7},
        {118, Op::Sign, 5, 0, 5},        {118, Op::Sign, 31, 0, 'v'},
        {118, Op::Sign, 'A', 0, 'A'},    {706, Op::Sign, 8, 0, 8},
        {706, Op::Sign, 0, 0, 0},        {706, Op::Sign, 2, 0, 0xD6},
        {706, Op::Sign, 29, 0, '-'},     {999, Op::Sign, 1, 0, 1},
        // Compiled-text filter.
        {14, Op::Filter, 7, 0, 0},       {14, Op::Filter, 8, 0, 8},
        {14, Op::Filter, 16, 0, 0},      {14, Op::Filter, 127, 0, 127},
        {14, Op::Filter, 128, 0, 0},     {118, Op::Filter, 7, 0, 0},
        {118, Op::Filter, 200, 0, 200},  {706, Op::Filter, 15, 0, 0},
        {706, Op::Filter, 16, 0, 16},    {999, Op::Filter, 'A', 0, 0},
    };
    for (const Case& c : cases) {
        const CCharSet cs = MakeCharSet(c.devType);
        int got = -1;
        switch (c.op) {
        case Op::Valid: got = cs.IsValidChar(c.ch, c.mode) ? 1 : 0; break;
        case Op::Panel: got = cs.ToPanelChar(c.ch, c.mode); break;
        case Op::Sign: got = cs.CtrlCharSign(c.ch); break;
        case Op::Filter: got = cs.FilterTextChar(c.ch); break;
        }
        EXPECT_EQ(got, c.expected) << "type " << c.devType << " op " << int(c.op) << " ch "
                                   << int(c.ch) << " mode " << c.mode;
    }
}

// Family flags of the files of a group's panels, first byte low.
struct GroupModes {
    uint16_t devType;
    std::vector<uint16_t> modes;
};

TEST(CharSetConversion, SourceRoundTripPerGroup) {
    const GroupModes groups[] = {
        {14, {0x0000, 0x0002, 0x0004, 0x0008, 0x0040}},  // 14, 36/43, 47, 473
        {118, {0x0000, 0x0080, 0x0100, 0x0200, 0x0400}},  // 755, 477, 118, 163, 167
        {706, {0x0000}},
    };
    for (const GroupModes& g : groups) {
        const CCharSet cs = MakeCharSet(g.devType);
        for (uint16_t mode : g.modes) {
            for (int b = 0; b < 256; ++b) {
                const auto ch = static_cast<uint8_t>(b);
                if (!cs.IsValidChar(ch, mode)) continue;
                const uint8_t panel = cs.ToPanelChar(ch, mode);
                const std::string text =
                    Written([&](std::FILE* f) { return cs.WriteSrcChar(panel, f); });
                SCOPED_TRACE("type " + std::to_string(g.devType) + " mode " +
                             std::to_string(mode) + " byte " + std::to_string(b));
                if (g.devType == 14 && (panel == 26 || panel == 27 || panel == 0x9D)) {
                    // Known exceptions: an ALT panel cannot show them.
                    EXPECT_EQ(text, "");
                    continue;
                }
                const std::vector<uint8_t> back = DecodeSource(text);
                ASSERT_EQ(back.size(), 1u) << text;
                EXPECT_TRUE(cs.IsValidChar(back[0], mode));
                EXPECT_EQ(cs.ToPanelChar(back[0], mode), panel) << text;
            }
        }
    }
}

TEST(CharSetConversion, PrinterBytesRoundTripUnchanged) {
    for (int b = 1; b < 256; ++b) {
        const auto ch = static_cast<uint8_t>(b);
        const std::string text = Written([&](std::FILE* f) { return WriteSrcByte(ch, f); });
        const std::vector<uint8_t> back = DecodeSource(text);
        ASSERT_EQ(back.size(), 1u) << b << " " << text;
        EXPECT_TRUE(ByteToBool(back[0])) << b;
        EXPECT_EQ(PassChar(back[0]), ch) << b;
    }
    EXPECT_FALSE(ByteToBool(0x100));
    EXPECT_TRUE(ByteToBool(0x101));
}

TEST(CharSetConversion, WriteSrcCharSpotChecks) {
    for (uint16_t type : {14, 118, 706}) {
        const CCharSet cs = MakeCharSet(type);
        EXPECT_EQ(Written([&](std::FILE* f) { return cs.WriteSrcChar('@', f); }), "$40") << type;
        EXPECT_EQ(Written([&](std::FILE* f) { return cs.WriteSrcChar('"', f); }), "$22") << type;
        EXPECT_EQ(Written([&](std::FILE* f) { return cs.WriteSrcChar('$', f); }), "$24") << type;
        EXPECT_EQ(cs.WriteSrcChar('A', nullptr), -1) << type;
    }
    const CCharSet alt = MakeCharSet(14);
    const CCharSet int118 = MakeCharSet(118);
    const CCharSet f706 = MakeCharSet(706);
    const CCharSet none = MakeCharSet(999);
    EXPECT_EQ(Written([&](std::FILE* f) { return int118.WriteSrcChar(0xC8, f); }), "\xC8");
    EXPECT_EQ(Written([&](std::FILE* f) { return alt.WriteSrcChar(0xC8, f); }), "");
    EXPECT_EQ(Written([&](std::FILE* f) { return alt.WriteSrcChar(0xBA, f); }), "");
    EXPECT_EQ(Written([&](std::FILE* f) { return alt.WriteSrcChar('\\', f); }), "$5C");
    EXPECT_EQ(Written([&](std::FILE* f) { return alt.WriteSrcChar('~', f); }), "$7E");
    EXPECT_EQ(Written([&](std::FILE* f) { return alt.WriteSrcChar(0x7F, f); }), "$7F");
    EXPECT_EQ(Written([&](std::FILE* f) { return alt.WriteSrcChar(9, f); }), "$09");
    EXPECT_EQ(Written([&](std::FILE* f) { return alt.WriteSrcChar(20, f); }), "");
    EXPECT_EQ(Written([&](std::FILE* f) { return int118.WriteSrcChar(20, f); }), "$14");
    EXPECT_EQ(Written([&](std::FILE* f) { return int118.WriteSrcChar('\\', f); }), "\\");
    EXPECT_EQ(Written([&](std::FILE* f) { return int118.WriteSrcChar(0, f); }), "$00");
    EXPECT_EQ(Written([&](std::FILE* f) { return int118.WriteSrcChar(3, f); }), "");
    EXPECT_EQ(Written([&](std::FILE* f) { return f706.WriteSrcChar(0xFF, f); }), "$FF");
    EXPECT_EQ(Written([&](std::FILE* f) { return f706.WriteSrcChar(9, f); }), "");
    EXPECT_EQ(Written([&](std::FILE* f) { return none.WriteSrcChar('A', f); }), "");
    EXPECT_EQ(WriteSrcByte('A', nullptr), -1);
}

TEST(CharSetConversion, WriteErrorGivesMinusOne) {
    std::FILE* full = std::fopen("/dev/full", "wb");
    ASSERT_NE(full, nullptr);
    std::setvbuf(full, nullptr, _IONBF, 0);
    const CCharSet cs = MakeCharSet(118);
    EXPECT_EQ(cs.WriteSrcChar('A', full), -1);
    EXPECT_EQ(cs.WriteSrcChar('@', full), -1);
    EXPECT_EQ(WriteSrcByte('A', full), -1);
    std::fclose(full);
}

}  // namespace
