#include "DrvKit.h"
#include "DrvWorld.h"
#include "model/project/PrjVarList.h"
#include "tools/cfggen/ByteBuilder.h"
#include "support/FileSizeCap.h"

#include <gtest/gtest.h>

#include <ctime>
#include <ostream>
#include <string>
#include <sys/stat.h>
#include <vector>

using namespace orv;

namespace {

struct DrvWriterFam {
    const char* name;
    bool is706;
};

void PrintTo(const DrvWriterFam& f, std::ostream* os)
{
    *os << f.name;
}

// The check word by the test's own reckoning.
std::string WithCheckWord(std::string bytes)
{
    uint8_t sum = 0;
    uint8_t x = 0;
    for (size_t k = 7; k < bytes.size(); k += 7) {
        sum = static_cast<uint8_t>(sum + static_cast<uint8_t>(bytes[k]));
        x ^= static_cast<uint8_t>(bytes[k]);
    }
    bytes[2] = static_cast<char>(x);
    bytes[3] = static_cast<char>(static_cast<uint8_t>(0x100 - sum));
    return bytes;
}

class DrvWriter : public DrvWorld, public ::testing::TestWithParam<DrvWriterFam> {
protected:
    bool Is706() const { return GetParam().is706; }

    // Writes the entry as the project's driver file p.drv (whose copy name
    // it then carries) and reads its header.
    void Load(const BuiltDrvEntry& e)
    {
        built = e;
        dir.Write("p.drv", e.bytes);
        drv.SetDrvPath(dir.File("p.drv"));
        auto r = OpenDrvFile(Is706(), dir.File("p.drv"), &bundle);
        r->ReadHeader();
        ASSERT_EQ(r->GetError(), 0);
    }

    std::string Update()
    {
        auto w = OpenDrvWriter(Is706(), dir.File("p.drv"), &bundle);
        w->Update();
        EXPECT_TRUE(w->CheckError());
        w.reset();
        return dir.Read("p.drv");
    }

    void SetValue(const char* name, uint32_t value)
    {
        drv.GetParList6()->FindByName(name)->SetExtWord1(static_cast<int32_t>(value));
    }

    // An entry whose copy name is already p.drv and, in the 706 family,
    // whose check word is already right.
    std::string Canonical(std::string bytes) const
    {
        if (Is706()) {
            bytes.replace(26, 12, std::string("p.drv") + std::string(7, '\0'));
            return WithCheckWord(bytes);
        }
        return bytes.replace(3, 12, "p.drv       ");
    }

    BuiltDrvEntry built;
};

TEST_P(DrvWriter, NumbersAreWrittenOnlyInsideTheirUnsignedLimits)
{
    Load(BuildDrvEntry(Is706(), {DrvParamSpec::Number("NA", 0x20, 0x10, 0x90000000),
                                 DrvParamSpec::Number("NB", 7, 5, 10), DrvParamSpec::Number("NC", 7, 5, 10)}));
    SetValue("NA", 0x80000000);
    SetValue("NB", 11);
    SetValue("NC", 5);
    const std::string bytes = Update();
    EXPECT_EQ(BeDWord(bytes, built.valueAt[0]), 0x80000000u);
    EXPECT_EQ(BeDWord(bytes, built.valueAt[1]), 7u);
    EXPECT_EQ(BeDWord(bytes, built.valueAt[2]), 5u);
}

TEST_P(DrvWriter, TextIndexIsOneByteInFamily043And32BitsIn706)
{
    Load(BuildDrvEntry(Is706(), {DrvParamSpec::Choice("CA", 0, {"a", "b", "c"}),
                                 DrvParamSpec::Choice("CB", 1, {"a", "b", "c"})}));
    SetValue("CA", 2);
    SetValue("CB", 3);
    const std::string bytes = Update();
    if (Is706()) {
        EXPECT_EQ(BeDWord(bytes, built.valueAt[0]), 2u);
        EXPECT_EQ(BeDWord(bytes, built.valueAt[1]), 1u);
    } else {
        EXPECT_EQ(bytes[built.valueAt[0]], 2);
        EXPECT_EQ(static_cast<uint8_t>(bytes[built.valueAt[0] + 1]), Drv043Entry::kChoiceTrailer);
        EXPECT_EQ(bytes[built.valueAt[1]], 1);
    }
    EXPECT_EQ(bytes.size(), built.bytes.size());
}

TEST_P(DrvWriter, CopyNameIsCutAndPadded)
{
    Load(BuildDrvEntry(Is706(), {}));
    const size_t at = Is706() ? 26 : 3;
    const std::string pad(3, Is706() ? '\0' : ' ');
    drv.SetDrvPath("/prj/sub/Short.drv");
    EXPECT_EQ(Update().substr(at, 12), "Short.drv" + pad);
    drv.SetDrvPath("/prj/sub/LongerThanTwelve.DRV");
    EXPECT_EQ(Update().substr(at, 12), "LongerThanTw");
}

TEST_P(DrvWriter, UnchangedReadThenWriteKeepsEveryByte)
{
    DrvXrefLayout plain;
    plain.count = 2;
    plain.records = {{0, std::string("\x01\x02\x00\x03\x00\x04", 6)}, {1, std::string("\x03\x05\x01\x00\x02\x00", 6)}};
    DrvXrefLayout ext = plain;
    ext.kind = 'E';
    ext.defs[0] = {1, 10, 2, 0};
    ext.defs[3] = {4, 12, 4, 1};
    DrvXrefLayout list;
    list.kind = 'S';
    list.count = 38;
    list.recSize = 4;
    list.fixed[3] = 0x0303;
    list.records = {{30, std::string("\x05\x00\x64\x11\xFE\x00\x00\x00", 8)},
                    {32, std::string("\xFF\x00\x00\x00\xFF\x00\x00\x00", 8)},
                    {34, std::string("\x07\x00\xC8\x30\x01\x02\x03\x04", 8)},
                    {36, std::string("\x08\x00\xC9\x22\xFE\x00\x00\x00", 8)}};
    const std::vector<DrvParamSpec> params = {DrvParamSpec::Number("NA", 7, 0, 9),
                                              DrvParamSpec::Choice("CA", 1, {"a", "b"})};
    for (const DrvXrefLayout& x : {plain, ext, list}) {
        drv.Clear();
        drv.GetParItems()->FreeAll();
        drv.GetParItems2()->FreeAll();
        drv.GetParItems3()->FreeAll();
        BuiltDrvEntry e = BuildDrvEntry(Is706(), params, x);
        e.bytes = Canonical(e.bytes);
        Load(e);
        EXPECT_EQ(Update(), e.bytes) << x.kind;
    }
}

TEST_P(DrvWriter, TablesGoToTheirRecords)
{
    DrvXrefLayout plain;
    plain.count = 2;
    plain.recSize = 7;
    Load(BuildDrvEntry(Is706(), {}, plain));
    drv.GetParItems()->FreeAll();
    drv.AddParItem(new CDrvTabEntry5(2, 0, 3, 0x0102, 0x0304));
    drv.AddParItem(new CDrvTabEntry5(1, 1, 6, 0, 0x0506));
    const std::string bytes = Update();
    const size_t r0 = built.xrefAt + 28;
    EXPECT_EQ(bytes.substr(r0, 6), "\x02\x03\x01\x02\x03\x04");
    EXPECT_EQ(bytes.substr(r0 + 7, 6), std::string("\x01\x06\x00\x00\x05\x06", 6));
}

TEST_P(DrvWriter, KindEWritesDefinitionsOneToFive)
{
    DrvXrefLayout ext;
    ext.kind = 'E';
    ext.count = 0;
    for (auto& d : ext.defs)
        d = {0x77, 0x77, 0x77, 0x77};
    Load(BuildDrvEntry(Is706(), {}, ext));
    drv.GetParItems3()->FreeAll();
    drv.AddParItem3(new CSpsDef(3, 12, 4, 1, "SPS3"));
    drv.AddParItem3(new CSpsDef(1, 10, 2, 0, "SPS1"));
    const std::string bytes = Update();
    EXPECT_EQ(bytes.substr(built.xrefAt + 30, 20),
              std::string("\x01\x0A\x02\x00\x00\x00\x00\x00\x03\x0C\x04\x01", 12) + std::string(8, '\0'));
}

TEST_P(DrvWriter, KindSWritesFixedEntriesAndEveryOtherRecord)
{
    DrvXrefLayout list;
    list.kind = 'S';
    list.count = 40;
    list.recSize = 4;
    Load(BuildDrvEntry(Is706(), {}, list));
    drv.GetParItems2()->FreeAll();
    for (uint16_t i = 0; i < 30; ++i)
        drv.AddParItem2(new CDrvTabEntry6(i, 0, static_cast<uint16_t>(i * 3), 0, 0, 0));
    drv.AddParItem2(new CDrvTabEntry6(30, 5, 100, 3, 2, 0));         // kind 3, sub-value 2
    drv.AddParItem2(new CDrvTabEntry6(31, 255, 1, 1, 1, 1));         // deleted
    drv.AddParItem2(new CDrvTabEntry6(32, 7, 200, 5, 0x0102, 0x0304)); // two values
    drv.AddParItem2(new CDrvTabEntry6(33, 8, 300, 9, 0x0A0B, 0x0C0D)); // unknown kind after two values
    drv.AddParItem2(new CDrvTabEntry6(34, 9, 400, 1, 0x1111, 0x2222)); // kind 1: no values
    const std::string bytes = Update();
    const size_t x = built.xrefAt;
    EXPECT_EQ(BeWord(bytes, x + 28 + 4 * 29), 87);
    auto rec = [&](int r) { return bytes.substr(x + 28 + 4 * r, 8); };
    EXPECT_EQ(rec(30), std::string("\x05\x00\x64\x22\xFE\x00\x00\x00", 8));
    EXPECT_EQ(rec(32), std::string("\xFF\x00\x00\x00\xFF\x00\x00\x00", 8));
    EXPECT_EQ(rec(34), std::string("\x07\x00\xC8\x31\x01\x02\x03\x04", 8));
    EXPECT_EQ(rec(36), std::string("\x08\x01\x2C\x00\x0A\x0B\x0C\x0D", 8));
    EXPECT_EQ(rec(38), std::string("\x09\x01\x90\x01\xFE\x00\x00\x00", 8));
}

TEST_P(DrvWriter, EntriesBeyondTheRecordCountAreNotWritten)
{
    DrvXrefLayout plain;
    plain.count = 2;
    DrvXrefLayout list;
    list.kind = 'S';
    list.count = 32;
    list.recSize = 4;
    for (const DrvXrefLayout& x : {plain, list}) {
        // Driver code follows the block.
        BuiltDrvEntry e;
        if (Is706()) {
            Drv706Entry d;
            d.xref = x;
            d.tail = std::string(100, '\xC3');
            e = d.Build();
        } else {
            Drv043Entry d;
            d.xref = x;
            d.tail = std::string(100, '\xC3');
            e = d.Build();
        }
        Load(e);
        drv.GetParItems()->FreeAll();
        drv.GetParItems2()->FreeAll();
        for (uint16_t k = 0; k < 40; ++k) {
            drv.AddParItem(new CDrvTabEntry5(1, k, 1, k, k));
            drv.AddParItem2(new CDrvTabEntry6(k, 1, k, 1, 0, 0));
        }
        const std::string bytes = Update();
        ASSERT_EQ(bytes.size(), e.bytes.size());
        const size_t end = built.xrefAt + BuildXref(x).size();
        EXPECT_EQ(bytes.substr(end), e.bytes.substr(end)) << x.kind;
        if (x.kind == 'S')
            EXPECT_EQ(BeWord(bytes, built.xrefAt + 28 + 30 * 4 + 1), 30) << "record 30 is inside";
        else
            EXPECT_EQ(BeWord(bytes, built.xrefAt + 28 + 6 + 4), 1) << "record 1 is inside";
        EXPECT_FALSE(ui.TextsOf(UiCall::Kind::LogAppend).empty());
    }
}

TEST_P(DrvWriter, OpenFailureShowsMessage)
{
    auto w = OpenDrvWriter(Is706(), dir.File("none.drv"), &bundle);
    w->Update();
    EXPECT_EQ(w->GetError(), CDrvWriter::kErrFile);
    EXPECT_FALSE(w->CheckError());
    EXPECT_EQ(BoxIds(), std::vector<int>{16103});
}

TEST_P(DrvWriter, FailedUpdateLeavesTheFileAsItWas)
{
    DrvXrefLayout plain;
    plain.count = 2;
    Load(BuildDrvEntry(Is706(), {DrvParamSpec::Number("NA", 7, 0, 9)}, plain));
    SetValue("NA", 8);
    drv.GetParItems()->FreeAll();
    drv.AddParItem(new CDrvTabEntry5(1, 0, 1, 2, 3));
    auto w = OpenDrvWriter(Is706(), dir.File("p.drv"), &bundle);
    {
        // The changes lie far beyond the first bytes.
        const FileSizeCap cap(16);
        w->Update();
    }
    EXPECT_EQ(w->GetError(), CDrvWriter::kErrFile);
    EXPECT_EQ(dir.Read("p.drv"), built.bytes);
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"p.drv"}) << "no temporary file is left";
}

TEST_P(DrvWriter, UpdateKeepsThePermissionBits)
{
    Load(BuildDrvEntry(Is706(), {DrvParamSpec::Number("NA", 7, 0, 9)}));
    SetValue("NA", 8);
    ASSERT_EQ(::chmod(dir.File("p.drv").c_str(), 0640), 0);
    const std::string bytes = Update();
    EXPECT_EQ(BeDWord(bytes, built.valueAt[0]), 8u);
    struct stat st {};
    ASSERT_EQ(::stat(dir.File("p.drv").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

INSTANTIATE_TEST_SUITE_P(Families, DrvWriter, ::testing::Values(DrvWriterFam{"F706", true}, DrvWriterFam{"F043", false}),
                         [](const ::testing::TestParamInfo<DrvWriterFam>& i) { return std::string(i.param.name); });

class DrvWriter706 : public DrvWorld, public ::testing::Test {};

TEST_F(DrvWriter706, CheckWordMatchesAnIndependentReckoning)
{
    Drv706Entry e;
    e.params = {DrvParamSpec::Number("NA", 7, 0, 900)};
    e.tail = std::string(301, '\x5C');
    dir.Write("p.drv", e.Build().bytes);
    CDrvFile706(dir.File("p.drv"), &bundle).ReadHeader();
    drv.GetParList6()->FindByName("NA")->SetExtWord1(812);
    CDrvWriter706 w(dir.File("p.drv"), &bundle);
    w.Update();
    ASSERT_TRUE(w.CheckError());
    const std::string bytes = dir.Read("p.drv");
    EXPECT_EQ(bytes, WithCheckWord(bytes));
}

class DrvWriter043 : public DrvWorld, public ::testing::Test {};

TEST_F(DrvWriter043, StampOnlyWhenModifiedFromTheInjectedClock)
{
    Drv043Entry e;
    e.dosTime = 0x1111;
    e.dosDate = 0x2222;
    dir.Write("p.drv", e.Build().bytes);
    std::tm t{};
    t.tm_year = 121;
    t.tm_mon = 2;
    t.tm_mday = 4;
    t.tm_hour = 5;
    t.tm_min = 6;
    t.tm_sec = 9;
    auto clock = [t] { return t; };
    CDrvWriter043(dir.File("p.drv"), &bundle, clock).Update();
    EXPECT_EQ(dir.Read("p.drv").substr(16, 4), "\x11\x11\x22\x22");
    drv.SetModified(true);
    CDrvWriter043(dir.File("p.drv"), &bundle, clock).Update();
    // 05:06:08 and 4.3.2021
    EXPECT_EQ(dir.Read("p.drv").substr(16, 4), "\x28\xC4\x52\x64");
}

} // namespace
