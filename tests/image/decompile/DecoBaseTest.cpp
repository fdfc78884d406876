#include "DecoWorld.h"

#include "image/decompile/Deco.h"
#include "model/project/DrvTab.h"
#include "model/project/SpsDef.h"
#include "tools/cfggen/ByteBuilder.h"
#include "tools/cfggen/DrvBuilders.h"

#include <gtest/gtest.h>

using namespace orv;

namespace {

// The base with its protected helpers open to the tests.
class OpenDeco : public CDeco {
public:
    OpenDeco(DecoWorld& f, const std::string& image, PrjBundle* bundle)
        : CDeco(&f.workspace, image, f.DrvPath(), "", bundle)
    {
    }
    using CDeco::SetErrName;
    using CDeco::SetError;
    using CDeco::SetMask;
    int ReadParams(uint32_t block) { return ReadDrvParams(Image(), block); }
};

class DecoBase : public ::testing::Test, public DecoWorld {
protected:
    std::unique_ptr<OpenDeco> Open(const std::string& bytes, bool withBundle = true)
    {
        return std::make_unique<OpenDeco>(*this, WriteImage(bytes), withBundle ? &bundle : nullptr);
    }
};

TEST_F(DecoBase, ReadsInsideTheImageOnly)
{
    auto deco = Open(ByteBuilder(10).U16(8, 0x1234).Str());
    uint16_t word = 0;
    uint8_t byte = 0;
    uint8_t block[4];
    EXPECT_EQ(deco->ReadWord(8, word), 1);
    EXPECT_EQ(word, 0x1234);
    EXPECT_EQ(deco->ReadBlock(10, block, 0), 1);
    EXPECT_EQ(deco->GetError(), 0);

    EXPECT_EQ(deco->ReadWord(9, word), -1);
    EXPECT_EQ(deco->GetError(), CDeco::kErrRead);
    auto second = Open(ByteBuilder(10).Str());
    EXPECT_EQ(second->ReadByte(10, byte), -1);
    EXPECT_EQ(second->GetError(), CDeco::kErrRead);
    auto third = Open(ByteBuilder(10).Str());
    EXPECT_EQ(third->ReadBlock(0xFFFFFFFEu, block, 4), -1);
    EXPECT_EQ(third->GetError(), CDeco::kErrRead);
}

TEST_F(DecoBase, MissingImageIsError3)
{
    OpenDeco deco(*this, dir.File("NONE.BIN"), &bundle);
    EXPECT_EQ(deco.GetError(), CDeco::kErrImage);
}

TEST_F(DecoBase, Signed48)
{
    struct Case {
        std::string bytes;
        int64_t value;
    } cases[] = {
        {"\xFF\xFF\xFF\xFF\xFF\xFF", -1},
        {std::string("\x80\0\0\0\0\0", 6), -(int64_t{1} << 47)},
        {"\x7F\xFF\xFF\xFF\xFF\xFF", (int64_t{1} << 47) - 1},
        {std::string("\xFF\xFF\xFF\xFF\xFE\xD4", 6), -300},
    };
    for (const Case& c : cases) {
        auto deco = Open(c.bytes);
        int64_t value = 0;
        EXPECT_EQ(deco->ReadSigned48(0, value), 1);
        EXPECT_EQ(value, c.value);
    }
}

TEST_F(DecoBase, HexDigitsAsDecimal)
{
    const std::pair<uint32_t, uint32_t> cases[] = {
        {0, 0}, {0x99, 99}, {0x1234, 1234}, {0x1A, 20}, {0x99999999, 99999999}};
    for (const auto& [hex, dec] : cases)
        EXPECT_EQ(CDeco::HexDigitsAsDecimal(hex), dec) << std::hex << hex;
}

TEST_F(DecoBase, NameLettersRunThroughTheAlphabet)
{
    auto deco = Open(ByteBuilder(4).Str());
    std::vector<std::string> names;
    for (int i = 0; i < 27; ++i) {
        deco->NameLetterCounter();
        names.push_back(deco->GeneratedName());
    }
    EXPECT_EQ(names[0], "AA");
    EXPECT_EQ(names[1], "AB");
    EXPECT_EQ(names[25], "AZ");
    EXPECT_EQ(names[26], "BA");
}

TEST_F(DecoBase, BitTestOnBothMaskSizes)
{
    auto deco = Open(ByteBuilder(4).Str());
    const uint8_t four[] = {0x80, 0x00, 0x00, 0x01};
    deco->SetMask(four, 4);
    EXPECT_TRUE(deco->BitTest(0));
    EXPECT_TRUE(deco->BitTest(31));
    EXPECT_FALSE(deco->BitTest(1));
    EXPECT_FALSE(deco->BitTest(32));
    EXPECT_FALSE(deco->BitTest(63));
    const uint8_t eight[] = {0x88, 0, 0, 0, 0, 0, 0x01, 0x02};
    deco->SetMask(eight, 8);
    EXPECT_TRUE(deco->BitTest(1));
    EXPECT_TRUE(deco->BitTest(8));
    EXPECT_TRUE(deco->BitTest(59));
    EXPECT_TRUE(deco->BitTest(63));
    EXPECT_FALSE(deco->BitTest(0));
    EXPECT_FALSE(deco->BitTest(64));
}

TEST_F(DecoBase, CheckWordAddrs)
{
    struct Case {
        uint16_t first;
        uint16_t count;
        int result;
        uint16_t error;
        uint16_t word;
    } cases[] = {
        {200, 0, 1, 0, 0},  {0, 4, 1, 0, 0},           {62, 3, -1, 42, 64},
        {100, 1, -1, 42, 100}, {99, 2, -1, 42, 99},
    };
    for (const Case& c : cases) {
        auto deco = Open(ByteBuilder(4).Str());
        EXPECT_EQ(deco->CheckWordAddrs(c.first, c.count), c.result) << c.first;
        EXPECT_EQ(deco->GetError(), c.error) << c.first;
        EXPECT_EQ(deco->GetErrWord(), c.word) << c.first;
    }
    auto bare = Open(ByteBuilder(4).Str(), false);
    EXPECT_EQ(bare->CheckWordAddrs(0, 1), -1);
    EXPECT_EQ(bare->GetError(), CDeco::kErrRead);
}

std::string HeaderWith(const std::string& version, uint16_t end)
{
    ByteBuilder b(1042);
    b.U16(2, end);
    b.Bytes(31, version);
    return b.Str();
}

TEST_F(DecoBase, Signature)
{
    struct Case {
        std::string version;
        bool signature;
        bool newFormat;
    } cases[] = {
        {"PORV12345", true, false},
        {"ORVPRO1.3", false, false},
        {"ORVPRO1.4", false, true},
        {"ORVPRO2.0", false, true},
        {std::string("ORVPRO2\0" "0", 9), false, false},
        {"Q32r11000", false, true},
        {"XYZ", false, false},
    };
    for (const Case& c : cases) {
        auto deco = Open(ByteBuilder().Bytes(0, HeaderWith(c.version, 900)).U16(113, 500).Str());
        ASSERT_EQ(deco->CheckSignature(), 1);
        EXPECT_EQ(deco->HasSignature(), c.signature) << c.version;
        EXPECT_EQ(deco->IsNewFormat(), c.newFormat) << c.version;
        ASSERT_EQ(deco->FindTextAreaEnd(true), 1);
        EXPECT_EQ(deco->GetTextAreaEnd(), c.signature ? 900 : 500) << c.version;
    }
}

TEST_F(DecoBase, TextAreaEnd)
{
    struct Case {
        std::string version;
        std::vector<std::pair<size_t, uint16_t>> words;
        uint16_t end;
    } cases[] = {
        {"ORVPRO1.3", {}, 3000},
        {"ORVPRO1.3", {{113, 2500}, {111, 2600}}, 2500},
        {"ORVPRO1.3", {{113, 2700}, {111, 2600}}, 2600},
        {"ORVPRO1.3", {{111, 2600}, {788, 2400}, {1040, 2300}}, 2300},
        {"ORVPRO1.4", {{788, 2400}, {1040, 2300}}, 2298},
        {"Q32r11000", {{790, 2}, {1000, 1200}}, 2},
        {"ORVPRO1.3", {{113, 3500}}, 3000},
    };
    for (const Case& c : cases) {
        ByteBuilder b;
        b.Bytes(0, HeaderWith(c.version, 3000));
        for (const auto& [at, value] : c.words)
            b.U16(at, value);
        auto deco = Open(b.Str());
        ASSERT_EQ(deco->CheckSignature(), 1);
        ASSERT_EQ(deco->FindTextAreaEnd(true), 1);
        EXPECT_EQ(deco->GetTextAreaEnd(), c.end) << c.version;
    }
}

class DecoParams : public DecoBase {
protected:
    static constexpr uint32_t kAt = 100;

    void SetUp() override
    {
        for (uint16_t k = 0; k < 3; ++k)
            drv.AddParItem(new CDrvTabEntry5(0, k, 0, 0, 0));
        for (uint16_t k = 0; k < 31; ++k)
            drv.AddParItem2(new CDrvTabEntry6(k < 30 ? k : 30, 0, 0, 0, 0, 0));
    }
    std::unique_ptr<OpenDeco> OpenBlock(const DrvXrefLayout& layout, size_t cut = 0)
    {
        std::string bytes = ByteBuilder(kAt).Bytes(kAt, BuildXref(layout)).Str();
        bytes.resize(bytes.size() - cut);
        return Open(bytes);
    }
};

TEST_F(DecoParams, LongFormSetsRecordsByIndexAndSkipsTheRest)
{
    DrvXrefLayout x;
    x.kind = 'P';
    x.count = 5;
    x.limits = {1, 2, 3, 4, 5, 6};
    x.records = {{0, std::string("\x01\x02\x00\x03\x00\x04", 6)}, {2, std::string("\x05\x06\x00\x07\x00\x08", 6)},
                 {4, std::string("\x09\x09\x09\x09\x09\x09", 6)}};
    auto deco = OpenBlock(x);
    ASSERT_EQ(deco->ReadParams(kAt), 1);
    EXPECT_EQ(deco->GetError(), 0);
    EXPECT_EQ(drv.GetFlag(CDrvCfg::kFlagXref), 1);
    EXPECT_EQ(drv.GetFlag(CDrvCfg::kFlagMultiPlc), 0);
    EXPECT_EQ(drv.GetAdrLimit(CDrvCfg::kLimitTw), 6);
    EXPECT_EQ(drv.GetRecSize(), 6);
    ASSERT_EQ(drv.GetParItems()->GetCount(), 3);
    const CDrvTabEntry5* r0 = drv.GetParItems()->ItemAt(0);
    const CDrvTabEntry5* r2 = drv.GetParItems()->ItemAt(2);
    EXPECT_EQ(r0->GetByte(), 1);
    EXPECT_EQ(r0->GetVal1(), 2);
    EXPECT_EQ(r0->GetVal2(), 3);
    EXPECT_EQ(r0->GetVal3(), 4);
    EXPECT_EQ(r2->GetKey(), 2);
    EXPECT_EQ(r2->GetVal3(), 8);
}

TEST_F(DecoParams, ExtendedFormRebuildsThePlcDefinitions)
{
    drv.AddParItem3(new CSpsDef(9, 9, 9, 9, "OLD"));
    DrvXrefLayout x;
    x.kind = 'E';
    x.count = 1;
    x.recSize = 6;
    x.defs[0] = {1, 2, 3, 4};
    x.defs[3] = {7, 8, 0, 1};
    x.records = {{0, std::string("\x03\x01\x00\x05\x00\x06", 6)}};
    auto deco = OpenBlock(x);
    ASSERT_EQ(deco->ReadParams(kAt), 1);
    EXPECT_EQ(drv.GetFlag(CDrvCfg::kFlagMultiPlc), 1);
    EXPECT_EQ(drv.GetParItems()->ItemAt(0)->GetVal3(), 6);
    const CSpsDefList& defs = *drv.GetParItems3();
    ASSERT_EQ(defs.GetCount(), 2);
    EXPECT_EQ(defs.FindByNum(1)->GetName(), std::string("SPS1"));
    EXPECT_EQ(defs.FindByNum(1)->GetAdr(), 2);
    EXPECT_EQ(defs.FindByNum(1)->GetRack(), 4);
    EXPECT_EQ(defs.FindByNum(7)->GetName(), std::string("SPS4"));
}

TEST_F(DecoParams, ShortFormSetsFixedWordsAndReferences)
{
    DrvXrefLayout x;
    x.kind = 'S';
    x.count = 34;
    x.recSize = 4;
    x.fixed[0] = 11;
    x.fixed[29] = 29;
    x.records = {{30, std::string("\x00\x00\x05\x30\x00\x07\x00\x08", 8)},
                 {32, std::string("\x00\x00\x06\x00\x00\x00\x00\x00", 8)}};
    auto deco = OpenBlock(x);
    ASSERT_EQ(deco->ReadParams(kAt), 1);
    EXPECT_EQ(deco->GetError(), 0);
    EXPECT_EQ(drv.GetFlag(CDrvCfg::kFlagRefList), 1);
    const CDrvTab6List& list = *drv.GetParItems2();
    ASSERT_EQ(list.GetCount(), 31);
    EXPECT_EQ(list.ItemAt(0)->GetWord1(), 11);
    EXPECT_EQ(list.ItemAt(29)->GetWord1(), 29);
    EXPECT_EQ(list.ItemAt(30)->GetWord1(), 5);
    EXPECT_EQ(list.ItemAt(30)->GetByte2(), 4);
    EXPECT_EQ(list.ItemAt(30)->GetVal1(), 7);
    EXPECT_EQ(list.ItemAt(30)->GetVal2(), 8);
}

TEST_F(DecoParams, NoMarkIsNoBlockAndNoError)
{
    DrvXrefLayout x;
    x.signature = "QVX";
    drv.SetFlag(CDrvCfg::kFlagXref, 1);
    auto deco = OpenBlock(x);
    EXPECT_EQ(deco->ReadParams(kAt), 1);
    EXPECT_EQ(deco->GetError(), 0);
    EXPECT_EQ(drv.GetFlag(CDrvCfg::kFlagXref), 0);
}

TEST_F(DecoParams, ReadFailuresByStep)
{
    struct Case {
        char kind;
        size_t keep; // bytes of the block kept
        uint16_t error;
    } cases[] = {
        {'S', 100, CDeco::kErrDrv},  // a fixed word missing
        {'P', 40, CDeco::kErrImage}, // a record missing
        {'E', 40, CDeco::kErrDrv},   // a definition missing
        {'P', 4, CDeco::kErrImage},  // the mark itself
    };
    for (const Case& c : cases) {
        DrvXrefLayout x;
        x.kind = c.kind;
        x.count = c.kind == 'S' ? 30 : (c.kind == 'E' ? 0 : 3);
        std::string block = BuildXref(x).substr(0, c.keep);
        auto deco = Open(ByteBuilder(kAt).Bytes(kAt, block).Str());
        EXPECT_EQ(deco->ReadParams(kAt), -1) << c.kind;
        EXPECT_EQ(deco->GetError(), c.error) << c.kind;
    }
}

TEST_F(DecoBase, CheckErrorTable)
{
    struct Case {
        uint16_t error;
        int box; // 0: none
        bool cleared;
    } cases[] = {
        {3, 15600, true},  {10, 15600, true}, {5, 15205, true}, {21, 15602, true}, {32, 15608, true},
        {41, 15601, true}, {42, 15607, true}, {7, 0, true},     {99, 0, false},
    };
    for (const Case& c : cases) {
        ui.ClearCalls();
        auto deco = Open(ByteBuilder(4).Str());
        deco->SetErrName("[Z099]");
        deco->SetError(c.error, 1234);
        EXPECT_FALSE(deco->CheckError()) << c.error;
        EXPECT_EQ(deco->GetError(), c.cleared ? 0 : c.error) << c.error;
        const auto boxes = ui.CallsOf(UiCall::Kind::Box);
        ASSERT_EQ(boxes.size(), c.box ? 1u : 0u) << c.error;
        if (c.box) {
            EXPECT_EQ(boxes[0].id, c.box);
        }
        if (c.error == 32) {
            EXPECT_NE(boxes[0].text.find("[Z099]"), std::string::npos);
        }
        if (c.error == 42) {
            EXPECT_NE(boxes[0].text.find("1234"), std::string::npos);
        }
    }
    auto fine = Open(ByteBuilder(4).Str());
    EXPECT_TRUE(fine->CheckError());
}

} // namespace
