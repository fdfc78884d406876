#include "DrvKit.h"
#include "DrvWorld.h"
#include "model/project/PrjIntVar.h"
#include "model/project/PrjVarList.h"
#include "tools/cfggen/ByteBuilder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ostream>
#include <string>
#include <vector>

using namespace orv;

namespace {

struct Fam {
    const char* name;
    bool is706;
};

void PrintTo(const Fam& f, std::ostream* os)
{
    *os << f.name;
}

class DrvHeader : public DrvWorld, public ::testing::TestWithParam<Fam> {
protected:
    bool Is706() const { return GetParam().is706; }

    // Writes the entry as the project's driver file and reads its header.
    uint16_t Read(const std::string& bytes)
    {
        dir.Write("p.drv", bytes);
        auto r = OpenDrvFile(Is706(), dir.File("p.drv"), &bundle);
        r->ReadHeader();
        return r->GetError();
    }

    const CPrjVar* Var(const char* name) const { return drv.GetParList6()->FindByName(name); }
};

TEST_P(DrvHeader, HeaderTexts)
{
    std::string bytes;
    if (Is706()) {
        Drv706Entry e;
        e.nameStamp = {0x01, 0x02, 0x03};
        e.dateStamp = {0x10, 0x20, 0x30};
        e.version = "5678";
        e.kind = "S7A";
        bytes = e.Build().bytes;
    } else {
        Drv043Entry e;
        e.dosDate = 0x2A21;
        e.dosDate2 = 0x2C4F;
        e.version = "5678";
        e.kind = "S7A";
        bytes = e.Build().bytes;
    }
    EXPECT_EQ(Read(bytes), 0);
    EXPECT_EQ(drv.GetDrvName(), Is706() ? "03.02.01" : "1.1.2001");
    EXPECT_EQ(drv.GetDrvDate(), Is706() ? "30.20.10" : "15.2.2002");
    EXPECT_EQ(drv.GetDrvFile(), "TEST.DRV");
    EXPECT_EQ(drv.GetDrvVersion(), "567.8");
    EXPECT_EQ(drv.GetDrvKind(), "S7A");
}

TEST_P(DrvHeader, ParameterVariables)
{
    DrvParamSpec number = DrvParamSpec::Number("NX", 42, 0, 0xFFFFFFF0);
    number.cls = 1;
    number.first = 7;
    number.digits = 5;
    number.decimals = 1;
    DrvParamSpec longName = DrvParamSpec::Number(Is706() ? "ABCDEFGHIJKLMNOPQRST" : "LN", 1, 0, 9);
    longName.cls = 2;
    DrvParamSpec raw = DrvParamSpec::Number("RW", 1, 0, 9);
    raw.kind = DrvParamSpec::Kind::Raw;
    raw.rawType = Is706() ? 150 : 7;
    DrvParamSpec choice = DrvParamSpec::Choice("CH", 1, {"zero", std::string(45, 'x'), "two"});
    choice.cls = 7;
    const BuiltDrvEntry e = BuildDrvEntry(Is706(), {number, longName, raw, choice});
    ASSERT_EQ(Read(e.bytes), 0);

    ASSERT_EQ(drv.GetParList6()->GetCount(), 3);
    const CPrjVar* n = Var("NX");
    ASSERT_NE(n, nullptr);
    EXPECT_EQ(n->GetType(), 134);
    EXPECT_EQ(n->GetSetpKind(), Is706() ? 2 : 1);
    EXPECT_EQ(n->GetExtWord1(), 42);
    EXPECT_EQ(n->GetExtByte12(), 5);
    EXPECT_EQ(static_cast<const CPrjIntVarNum*>(n)->GetDecimals(), 1);
    EXPECT_EQ(static_cast<uint32_t>(n->GetExtWord5()), 0xFFFFFFF0u);
    if (Is706()) {
        EXPECT_EQ(n->GetExtWord0(), 7);
        const CPrjVar* cut = Var("ABCDEFGHIJKLMNOP");
        ASSERT_NE(cut, nullptr);
        EXPECT_EQ(cut->GetSetpKind(), 3);
    } else {
        EXPECT_EQ(n->GetAttr32(), e.valueAt[0]) << "the value offset V";
    }
    EXPECT_EQ(Var("RW"), nullptr);
    const CPrjVar* c = Var("CH");
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->GetType(), 142);
    EXPECT_EQ(c->GetSetpKind(), 1);
    EXPECT_EQ(c->GetExtWord1(), 1);
    EXPECT_EQ(c->MaxStateIdx(), 2);
    EXPECT_STREQ(c->GetStateTxt(0), "zero");
    EXPECT_EQ(std::string(c->GetStateTxt(1)), std::string(40, 'x'));
    EXPECT_STREQ(c->GetStateTxt(2), "two");
    if (!Is706()) {
        EXPECT_EQ(c->GetAttr32(), e.valueAt[3]);
    }
}

TEST_P(DrvHeader, CyclicChainEndsWithErrorFive)
{
    std::string bytes;
    if (Is706()) {
        Drv706Entry e;
        e.params = {DrvParamSpec::Number("P1", 1, 0, 9), DrvParamSpec::Number("P2", 1, 0, 9)};
        e.cyclicChain = true;
        bytes = e.Build().bytes;
    } else {
        Drv043Entry e;
        e.params = {DrvParamSpec::Number("P1", 1, 0, 9), DrvParamSpec::Number("P2", 1, 0, 9)};
        e.cyclicChain = true;
        e.count = 200;
        bytes = e.Build().bytes;
    }
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Read(bytes), CDrvFile::kErrRead);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST_P(DrvHeader, EntryCutAtEveryLengthIsErrorFive)
{
    DrvXrefLayout x;
    x.count = 2;
    x.records = {{0, std::string("\x01\x02\x00\x03\x00\x04", 6)}, {1, std::string("\x01\x02\x00\x05\x00\x06", 6)}};
    const std::string full =
        BuildDrvEntry(Is706(), {DrvParamSpec::Number("P1", 1, 0, 9), DrvParamSpec::Choice("P2", 0, {"a", "b"})}, x)
            .bytes;
    ASSERT_EQ(Read(full), 0);
    // The last byte of a 706 entry may be padding that nothing reads.
    for (size_t length = 0; length + 1 < full.size(); ++length) {
        drv.Clear();
        drv.GetParItems()->FreeAll();
        EXPECT_EQ(Read(full.substr(0, length)), CDrvFile::kErrRead) << length;
    }
}

TEST_P(DrvHeader, PlainTableFilledOnlyIntoAnEmptyTable)
{
    DrvXrefLayout x;
    x.count = 2;
    x.recSize = 8;
    x.limits = {10, 20, 30, 40, 50, 60};
    x.records = {{0, std::string("\x01\x02\x00\x03\x00\x04", 6)}, {1, std::string("\x03\x05\x01\x00\x02\x00", 6)}};
    const std::string bytes = BuildDrvEntry(Is706(), {}, x).bytes;
    ASSERT_EQ(Read(bytes), 0);
    EXPECT_EQ(drv.GetFlag(CDrvCfg::kFlagXref), 1);
    EXPECT_EQ(drv.GetFlag(CDrvCfg::kFlagRefList), 0);
    EXPECT_EQ(drv.GetFlag(CDrvCfg::kFlagMultiPlc), 0);
    EXPECT_EQ(drv.GetRecSize(), 8);
    EXPECT_EQ(drv.GetAdrLimit(CDrvCfg::kLimitDb), 10);
    EXPECT_EQ(drv.GetAdrLimit(CDrvCfg::kLimitTw), 60);
    const CDrvTab5List& t = *drv.GetParItems();
    ASSERT_EQ(t.GetCount(), 2);
    EXPECT_EQ(t.ItemAt(1)->GetKey(), 1);
    EXPECT_EQ(t.ItemAt(1)->GetByte(), 3) << "PLC number in byte 0";
    EXPECT_EQ(t.ItemAt(1)->GetVal1(), 5) << "area code in byte 1";
    EXPECT_EQ(t.ItemAt(1)->GetVal2(), 0x100);
    EXPECT_EQ(t.ItemAt(1)->GetVal3(), 0x200);

    drv.GetParItems()->FreeAll();
    drv.AddParItem(new CDrvTabEntry5(1, 7, 0, 0, 0));
    ASSERT_EQ(Read(bytes), 0);
    ASSERT_EQ(drv.GetParItems()->GetCount(), 1);
    EXPECT_EQ(drv.GetParItems()->ItemAt(0)->GetKey(), 7);
}

TEST_P(DrvHeader, KindEDefinitionsAndRecords)
{
    DrvXrefLayout x;
    x.kind = 'E';
    x.count = 1;
    x.defs[0] = {1, 10, 2, 0};
    x.defs[2] = {3, 12, 4, 1};
    x.records = {{0, std::string("\x02\x01\x00\x07\x00\x08", 6)}};
    ASSERT_EQ(Read(BuildDrvEntry(Is706(), {}, x).bytes), 0);
    EXPECT_EQ(drv.GetFlag(CDrvCfg::kFlagMultiPlc), 1);
    const CSpsDefList& defs = *drv.GetParItems3();
    ASSERT_EQ(defs.GetCount(), 2);
    EXPECT_STREQ(defs.ItemAt(0)->GetName(), "SPS1");
    EXPECT_EQ(defs.ItemAt(0)->GetAdr(), 10);
    EXPECT_EQ(defs.ItemAt(0)->GetSlot(), 2);
    EXPECT_STREQ(defs.ItemAt(1)->GetName(), "SPS3");
    EXPECT_EQ(defs.ItemAt(1)->GetRack(), 1);
    ASSERT_EQ(drv.GetParItems()->GetCount(), 1);
    EXPECT_EQ(drv.GetParItems()->ItemAt(0)->GetByte(), 2);
    EXPECT_EQ(drv.GetParItems()->ItemAt(0)->GetVal3(), 8);
}

TEST_P(DrvHeader, KindSFixedEntriesAndReferenceRecords)
{
    DrvXrefLayout x;
    x.kind = 'S';
    x.count = 36;
    x.recSize = 4;
    x.fixed[0] = 0x1111;
    x.fixed[29] = 0x2929;
    x.records = {{30, std::string("\x05\x00\x64\x11\xFE\x00\x00\x00", 8)},
                 {32, std::string("\xFF\x00\x00\x00\xFF\x00\x00\x00", 8)},
                 {34, std::string("\x07\x00\xC8\x30\x01\x02\x03\x04", 8)}};
    ASSERT_EQ(Read(BuildDrvEntry(Is706(), {}, x).bytes), 0);
    EXPECT_EQ(drv.GetFlag(CDrvCfg::kFlagRefList), 1);
    const CDrvTab6List& t = *drv.GetParItems2();
    ASSERT_EQ(t.GetCount(), 33);
    EXPECT_EQ(t.ItemAt(0)->GetWord1(), 0x1111);
    EXPECT_EQ(t.ItemAt(29)->GetWord1(), 0x2929);
    const CDrvTabEntry6* r30 = t.ItemAt(30);
    EXPECT_EQ(r30->GetKey(), 30);
    EXPECT_EQ(r30->GetByte1(), 5);
    EXPECT_EQ(r30->GetWord1(), 100);
    EXPECT_EQ(r30->GetByte2(), 2);
    EXPECT_EQ(r30->GetVal1(), 1) << "sub-value";
    EXPECT_EQ(t.ItemAt(31)->GetKey(), 32);
    EXPECT_EQ(t.ItemAt(31)->GetByte1(), 255);
    const CDrvTabEntry6* r34 = t.ItemAt(32);
    EXPECT_EQ(r34->GetKey(), 34);
    EXPECT_EQ(r34->GetByte2(), 4);
    EXPECT_EQ(r34->GetVal1(), 0x0102);
    EXPECT_EQ(r34->GetVal2(), 0x0304);
}

TEST_P(DrvHeader, BlockWithoutSignatureClearsTheFlag)
{
    drv.SetFlag(CDrvCfg::kFlagXref, 1);
    drv.SetFlag(CDrvCfg::kFlagRefList, 1);
    DrvXrefLayout x;
    x.signature = "QVX";
    x.count = 1;
    x.records = {{0, std::string("\x01\x02\x00\x03\x00\x04", 6)}};
    EXPECT_EQ(Read(BuildDrvEntry(Is706(), {}, x).bytes), 0);
    EXPECT_EQ(drv.GetFlag(CDrvCfg::kFlagXref), 0);
    EXPECT_EQ(drv.GetFlag(CDrvCfg::kFlagRefList), 0);
    EXPECT_EQ(drv.GetParItems()->GetCount(), 0);
}

TEST_P(DrvHeader, VersionFits)
{
    struct Case {
        const char* version;
        const char* kind;
        bool fits;
    } const cases[] = {
        {"", "", true},         {"123.4", "", false},   {"223.5", "", false},  {"023.4", "", true},
        {"113.4", "", true},    {"122.4", "", true},    {"", "BCD", true},     {"", "ACD", false},
        {"", "BCC", false},     {"", "CDE", true},      {"023.4", "ACD", false},
    };
    std::string bytes;
    if (Is706()) {
        Drv706Entry e;
        e.version = "1234";
        e.kind = "BCD";
        bytes = e.Build().bytes;
    } else {
        Drv043Entry e;
        e.version = "1234";
        e.kind = "BCD";
        bytes = e.Build().bytes;
    }
    dir.Write("p.drv", bytes);
    for (const Case& c : cases) {
        drv.SetDrvVersion(c.version);
        drv.SetDrvKind(c.kind);
        EXPECT_EQ(OpenDrvFile(Is706(), dir.File("p.drv"), &bundle)->VersionFits(), c.fits)
            << c.version << "/" << c.kind;
    }
    dir.Write("cut.drv", bytes.substr(0, Is706() ? 70 : 52));
    drv.SetDrvVersion("");
    EXPECT_FALSE(OpenDrvFile(Is706(), dir.File("cut.drv"), &bundle)->VersionFits());
}

INSTANTIATE_TEST_SUITE_P(Families, DrvHeader, ::testing::Values(Fam{"F706", true}, Fam{"F043", false}),
                         [](const ::testing::TestParamInfo<Fam>& i) { return std::string(i.param.name); });

class DrvHeader706 : public DrvWorld, public ::testing::Test {};

TEST_F(DrvHeader706, PanelBases)
{
    struct Case {
        uint32_t base;
        uint16_t devType; // 0: no project root
        uint16_t error;
    } const cases[] = {
        {Drv706Entry::kBase706, 706, 0}, {Drv706Entry::kBase473, 473, 0}, {Drv706Entry::kBase473, 477, 0},
        {Drv706Entry::kBase706, 0, 0},   {Drv706Entry::kBase706, 473, CDrvFile::kErrRead},
    };
    for (const Case& c : cases) {
        drv.Clear();
        if (c.devType)
            world.Rewire(WorldPart::Root);
        else
            world.Unwire(WorldPart::Root);
        prj.SetDevType(c.devType);
        dir.Write("p.drv", BuildDrvEntry(true, {DrvParamSpec::Number("P1", 3, 0, 9)}, std::nullopt, c.base).bytes);
        CDrvFile706 r(dir.File("p.drv"), &bundle);
        r.ReadHeader();
        EXPECT_EQ(r.GetError(), c.error) << c.devType;
        EXPECT_EQ(drv.GetParList6()->GetCount(), c.error ? 0 : 1) << c.devType;
    }
}

TEST_F(DrvHeader706, MarkerBelowTwentyMeansNoBlock)
{
    drv.SetFlag(CDrvCfg::kFlagXref, 1);
    Drv706Entry e;
    DrvXrefLayout x;
    x.count = 1;
    e.xref = x;
    e.val88 = 19;
    dir.Write("p.drv", e.Build().bytes);
    CDrvFile706 r(dir.File("p.drv"), &bundle);
    r.ReadHeader();
    EXPECT_EQ(r.GetError(), 0);
    EXPECT_EQ(drv.GetFlag(CDrvCfg::kFlagXref), 0);
    EXPECT_EQ(drv.GetParItems()->GetCount(), 0);
}

} // namespace
