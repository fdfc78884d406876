#include "Deco043Kit.h"
#include "DecoSweep.h"

#include "image/decompile/Deco043.h"
#include "model/project/PrjVarList.h"
#include "tools/cfggen/DrvBuilders.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>

using namespace orv;

using namespace deco_kit;

namespace {

const std::set<uint16_t> kCodes{CDeco::kErrImage, CDeco::kErrDrv, CDeco::kErrRead, CDeco::kErrWord};

Image043Builder::Var Plain(uint8_t adr)
{
    return {4, 0, adr, std::string(8, '\0'), 0, std::nullopt};
}

// A small image with a record of every section.
Image043Builder SmallImage()
{
    Image043Builder b;
    b.UserChar(1, {1, 2, 3, 4, 5, 6, 7, 8});
    const uint16_t bcd = b.AddVar(Plain(1));
    const std::string texts = TextTable(b, {"AUS", "EIN"});
    const uint16_t bit = b.AddVar({3, 12, 2, ByteBuilder().U16(0, 4).Bytes(2, texts).Str(), 0, std::nullopt});
    const uint16_t bin = b.AddVar({5, 2, 3, BinPayload(0, 100, 1, 1, 0, 0), 0, std::nullopt});
    b.AddOpText(1, {"A" + Image043Builder::Field(bcd) + "\x83" "B", "C" + Image043Builder::Field(bit)});
    b.AddOpText(2, {"X" + Image043Builder::Field(bin)});
    b.AddMsgText(0, 0x22, {"M"});
    b.AddHelpText(1, {"H"});
    b.AddSkActs({{1, {{4, 2, 1, 5}}, std::string("GO")}});
    b.AddSkTexts({{0, {{1, 1, 0}}}}, 8);
    b.AddMenu(1, 3, {{1, 0, 2, 0, 0, 1}, {2, 1, 0, 0, 0, 2}});
    b.AddName(bcd, "BCD");
    b.AddName(bit, "BIT");
    b.AddName(bin, "BIN");
    b.AddMenuNames({"MAIN"});
    b.AddDescription("D");
    return b;
}

class Deco043Rig : public Deco043Fixture, public DecoSweepRig {
public:
    std::string Image() override { return SmallImage().Finish(DriverEntry()); }
    // The data set, not the driver entry behind it.
    size_t MutableBytes(const std::string&) override { return SmallImage().Size(); }
    size_t IntactTail() const override { return 2; }
    // Runs the decompile on a cleared project.
    uint16_t Fresh(const std::string& image) override
    {
        ResetForDecompile();
        return Decompile(image);
    }
    const std::set<uint16_t>& Codes() const override { return kCodes; }
};

class Deco043Robust : public ::testing::Test, public Deco043Rig {};

TEST_F(Deco043Robust, MalformedTable)
{
    const Malformed cases[] = {
        {"setpoint bits 01",
         [] {
             Image043Builder b;
             b.AddVar({4, 0x40, 1, std::string(8, '\0'), 0, std::nullopt});
             return b.Finish(DriverEntry());
         },
         CDeco::kErrRead},
        {"unknown type code",
         [] {
             Image043Builder b;
             b.AddVar({4, 10, 1, std::string(8, '\0'), 0, std::nullopt});
             return b.Finish(DriverEntry());
         },
         CDeco::kErrRead},
        {"divisor 0",
         [] {
             Image043Builder b;
             b.AddVar({5, 2, 1, BinPayload(0, 100, 0, 1, 0, 0), 0, std::nullopt});
             return b.Finish(DriverEntry());
         },
         CDeco::kErrRead},
        {"cyclic variable chain",
         [] {
             Image043Builder b;
             const uint16_t first = b.AddVar(Plain(1));
             const uint16_t second = b.AddVar(Plain(2));
             b.U16(first, second);
             return b.Finish(DriverEntry());
         },
         CDeco::kErrRead},
        {"cyclic node chain",
         [] {
             Image043Builder b;
             b.AddOpText(1, {"T"});
             const uint16_t first = b.AddMenu(1, 0, {{1, 0, 0, 0, 0, 1}, {2, 0, 0, 0, 0, 1}});
             b.U16(first + 8u, first);
             return b.Finish(DriverEntry());
         },
         CDeco::kErrRead},
        {"nine references in a row",
         [] {
             Image043Builder b;
             const uint16_t v = b.AddVar({1, 34, 1, "", 0, std::nullopt});
             b.AddVar({2, 34, 2, "", 0, std::nullopt});
             std::string row;
             for (int i = 0; i < 9; ++i)
                 row += Image043Builder::Field(v);
             b.AddOpText(0, {row});
             return b.Finish(DriverEntry());
         },
         CDeco::kErrRead},
        {"softkey text with a missing action",
         [] {
             Image043Builder b;
             b.AddSkTexts({{0, {{1, 9, 0}}}}, 8);
             return b.Finish(DriverEntry());
         },
         CDeco::kErrRead},
        {"101 records of one name",
         [] {
             Image043Builder b;
             for (int i = 0; i < 101; ++i)
                 b.AddName(b.AddVar(Plain(static_cast<uint8_t>(i % 60))), "X");
             return b.Finish(DriverEntry());
         },
         CDeco::kErrRead},
        {"driver length past the end",
         [] {
             Image043Builder b;
             std::string image = b.Finish(DriverEntry());
             image[b.Size()] = '\x7F';
             return image;
         },
         CDeco::kErrImage},
        {"empty image", [] { return std::string(); }, CDeco::kErrImage},
    };
    for (const Malformed& c : cases) {
        EXPECT_EQ(Fresh(c.image()), c.code) << c.what;
        EXPECT_FALSE(CDeco043(&workspace, dir.File("IMG.BIN"), DrvPath(), "", &bundle).CheckError()) << c.what;
    }
    EXPECT_EQ(CDeco043(&workspace, dir.File("NONE.BIN"), DrvPath(), "", &bundle).GetError(), CDeco::kErrImage);
}

TEST_F(Deco043Robust, LastOfAHundredAndOneNamesIsRefused)
{
    Image043Builder b;
    for (int i = 0; i < 101; ++i)
        b.AddName(b.AddVar(Plain(static_cast<uint8_t>(i % 60))), "X");
    EXPECT_EQ(Fresh(b.Finish(DriverEntry())), CDeco::kErrRead);
    EXPECT_NE(prj.GetVarList()->FindByName(std::string_view("X99")), nullptr);
    EXPECT_EQ(workspace.MemInfo().counts.vars, 100);
}

TEST_F(Deco043Robust, WithoutProjectObjectsNothingCountsAsSuccess)
{
    Image043Builder b;
    world.Unwire(WorldPart::CharSet);
    EXPECT_EQ(Fresh(b.Finish(DriverEntry())), CDeco::kErrRead);
    world.Rewire(WorldPart::CharSet);
}

TEST_F(Deco043Robust, SmallImageDecompiles)
{
    EXPECT_EQ(Fresh(SmallImage().Finish(DriverEntry())), 0);
    EXPECT_EQ(workspace.MemInfo().counts.vars, 3);
    EXPECT_EQ(workspace.MemInfo().counts.menuNodes, 2);
}

} // namespace

std::unique_ptr<DecoSweepRig> orv::MakeDeco043SweepRig() { return std::make_unique<Deco043Rig>(); }
