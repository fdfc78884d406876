#include "DrvKit.h"
#include "DrvWorld.h"
#include "model/project/PrjVarList.h"
#include "tools/cfggen/ByteBuilder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace orv;

namespace {

std::vector<DrvParamSpec> RangeParams(uint32_t ak, uint32_t al, uint32_t am)
{
    return {DrvParamSpec::Number("AK", ak, 0, 0xFFFFFFFF), DrvParamSpec::Number("AL", al, 0, 0xFFFFFFFF),
            DrvParamSpec::Number("AM", am, 0, 0xFFFFFFFF)};
}

class RangeFixture : public DrvWorld {
protected:
    void WriteDrv(bool is706, const std::vector<DrvParamSpec>& params)
    {
        dir.Write("p.drv", BuildDrvEntry(is706, params).bytes);
    }

    uint32_t Setting(const char* name) const
    {
        return static_cast<uint32_t>(drv.GetParList6()->FindByName(name)->GetExtWord1());
    }
};

class DrvRangeRules : public RangeFixture, public ::testing::Test {};

// ReadHeader stamps the project's range into the driver's parameters.
struct StampCase {
    bool is706;
    uint16_t drvNo;
    uint16_t type;
    uint16_t first;
    uint16_t length;
    uint32_t ak, al, am;
};

class DrvStamp : public RangeFixture, public ::testing::TestWithParam<StampCase> {};

TEST_P(DrvStamp, ReadHeaderStampsTheRange)
{
    const StampCase& c = GetParam();
    drv.SetDrvNo(c.drvNo);
    SetWindow(c.first, c.length, 9, c.type);
    WriteDrv(c.is706, RangeParams(1, 2, 3));
    auto r = OpenDrvFile(c.is706, dir.File("p.drv"), &bundle);
    r->ReadHeader();
    ASSERT_EQ(r->GetError(), 0);
    EXPECT_EQ(Setting("AK"), c.ak);
    EXPECT_EQ(Setting("AL"), c.al);
    EXPECT_EQ(Setting("AM"), c.am);
    EXPECT_EQ(drv.GetModCount(), 0) << "the driver is not loaded";
}

INSTANTIATE_TEST_SUITE_P(Table, DrvStamp,
                         ::testing::Values(StampCase{true, 0, 2, 16, 32, 9, 16, 47},
                                           StampCase{false, 0, 2, 16, 32, 9, 16, 47},
                                           StampCase{true, 3, 44, 16, 32, 9, 17, 48},
                                           StampCase{true, 3, 44, 0xFFF0, 16, 9, 0xFFF1, 0xFFFF},
                                           StampCase{false, 3, 2, 40000, 100, 9, 0, 99},
                                           StampCase{true, 3, 2, 100, 10, 9, 100, 109},
                                           StampCase{true, 4, 2, 16, 32, 9, 32, 94},
                                           StampCase{false, 48, 2, 40000, 32, 9, 80000, 80062},
                                           StampCase{true, 51, 2, 16, 32, 9, 32, 94},
                                           StampCase{true, 17, 2, 32, 64, 9, 2, 5},
                                           StampCase{false, 19, 2, 32, 64, 9, 2, 5},
                                           StampCase{true, 20, 2, 16, 32, 9, 16, 48},
                                           StampCase{false, 22, 2, 16, 0xFFF0, 9, 16, 0x10000},
                                           StampCase{true, 74, 2, 16, 32, 9, 16, 47},
                                           StampCase{false, 74, 2, 16, 32, 9, 16, 47},
                                           StampCase{true, 61, 2, 16, 32, 9, 16, 47},
                                           StampCase{false, 61, 2, 16, 32, 1, 2, 3},
                                           StampCase{false, 77, 2, 16, 32, 9, 16, 47},
                                           StampCase{true, 77, 2, 16, 32, 1, 2, 3},
                                           StampCase{true, 5, 2, 16, 32, 1, 2, 3}));

TEST_F(DrvRangeRules, StampMarksTheConfigurationOnlyWhenLoadedAndChanged)
{
    drv.SetDrvNo(0);
    SetWindow(16, 32, 9);
    WriteDrv(true, RangeParams(9, 16, 47));
    drv.SetDrvLoaded(1);
    CDrvFile706(dir.File("p.drv"), &bundle).ReadHeader();
    EXPECT_EQ(drv.GetModCount(), 0) << "values equal";
    drv.Clear();
    drv.SetDrvLoaded(1);
    WriteDrv(true, RangeParams(9, 16, 40));
    CDrvFile706(dir.File("p.drv"), &bundle).ReadHeader();
    EXPECT_GT(drv.GetModCount(), 0);
}

// CheckParams: the question and its text, by family, driver and values.
struct CheckCase {
    const char* name;
    bool is706;
    uint16_t drvNo;
    uint16_t type;
    uint16_t first, length, db;
    uint32_t ak, al, am;
    const char* question; // null: no question, true
};

void PrintTo(const CheckCase& c, std::ostream* os)
{
    *os << c.name;
}

const char* const kAsk = "Soll die im Projekt verwendete Treibereinstellung ";

class DrvCheck : public RangeFixture, public ::testing::TestWithParam<CheckCase> {};

TEST_P(DrvCheck, AsksWithTheRangeAndPassesTheAnswer)
{
    const CheckCase& c = GetParam();
    for (bool answer : {true, false}) {
        drv.SetDrvNo(c.drvNo);
        SetWindow(c.first, c.length, c.db, c.type);
        WriteDrv(c.is706, RangeParams(c.ak, c.al, c.am));
        const std::string expected = c.question ? std::string(kAsk) + c.question + " ge\xE4ndert werden ?" : "";
        if (c.question)
            ui.AnswerQuestionText(expected, answer);
        auto r = OpenDrvFile(c.is706, dir.File("p.drv"), &bundle);
        EXPECT_EQ(r->CheckParams(), c.question ? answer : true);
        EXPECT_EQ(r->GetError(), 0);
        EXPECT_EQ(Questions(), c.question ? std::vector<std::string>{expected} : std::vector<std::string>{});
        ui.ClearCalls();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, DrvCheck,
    ::testing::Values(
        CheckCase{"Equal", true, 0, 2, 16, 32, 0, 0, 16, 47, nullptr},
        CheckCase{"Drv0", true, 0, 2, 16, 40, 0, 0, 16, 47, "Merkerbereich MW 1 . 0 bis MW 3 . 0"},
        CheckCase{"Drv65", false, 65, 2, 16, 32, 3, 7, 16, 47, "DB 7 .000   bis DB 8 .254 "},
        CheckCase{"Drv17", true, 17, 2, 32, 64, 0, 0, 2, 4, "Zone 2 (dez) bis Zone 4 (dez)"},
        CheckCase{"Drv19Equal", false, 19, 2, 32, 64, 0, 0, 2, 5, nullptr},
        CheckCase{"Drv3Type44", true, 3, 44, 16, 32, 0, 0, 17, 40, "Wort 16 bis Wort 39"},
        CheckCase{"Drv3Type44Equal", false, 3, 44, 16, 32, 0, 0, 17, 48, nullptr},
        CheckCase{"Drv3Other", true, 3, 2, 40000, 100, 0, 0, 1, 99, "Register R 40001 bis R 40099"},
        CheckCase{"Drv3OtherEqual", false, 3, 2, 40000, 100, 0, 0, 0, 99, nullptr},
        CheckCase{"Drv4", true, 4, 2, 16, 32, 0, 0, 32, 90, "PD 16 bis PD 45"},
        CheckCase{"Drv4Equal", false, 4, 2, 16, 32, 0, 0, 32, 94, nullptr},
        CheckCase{"Drv45Db", true, 45, 2, 16, 32, 4, 3, 16, 47, "DB 3 DW 16 bis DW 47"},
        CheckCase{"Drv46NoDb", false, 46, 2, 16, 32, 4, 0, 16, 47, "Merkerbereich MW 16 bis MW 47"},
        CheckCase{"Drv5NotListed", true, 5, 2, 16, 32, 0, 7, 1, 2, nullptr},
        CheckCase{"Drv74", true, 74, 2, 16, 32, 0, 0, 16, 46, "Wort 16 bis Wort 46"},
        CheckCase{"Drv74Family043", false, 74, 2, 16, 32, 0, 0, 16, 46, "Wort 16 bis Wort 46"}),
    [](const ::testing::TestParamInfo<CheckCase>& i) { return std::string(i.param.name); });

TEST_F(DrvRangeRules, ReadFailures)
{
    drv.SetDrvNo(0);
    SetWindow(16, 32);
    Drv706Entry cyclic;
    cyclic.params = RangeParams(0, 16, 47);
    cyclic.cyclicChain = true;
    dir.Write("p.drv", cyclic.Build().bytes);
    CDrvFile706 loop(dir.File("p.drv"), &bundle);
    EXPECT_FALSE(loop.CheckParams());
    EXPECT_EQ(loop.GetError(), CDrvFile::kErrRead);

    // The value of "AK" lies beyond the end of the 043 entry.
    const BuiltDrvEntry e = BuildDrvEntry(false, RangeParams(0, 16, 47));
    ByteBuilder b;
    b.Bytes(0, e.bytes).U16(e.elementAt[0] + 6, static_cast<uint16_t>(e.bytes.size() + 10));
    dir.Write("p.drv", b.Str());
    CDrvFile043 unreadable(dir.File("p.drv"), &bundle);
    EXPECT_TRUE(unreadable.CheckParams());
    EXPECT_TRUE(Questions().empty());
}

// For every driver with a rule and both families: stamping, writing and
// checking agree without a question.
TEST_F(DrvRangeRules, StampedAndWrittenFileChecksEqual)
{
    for (bool is706 : {true, false}) {
        for (uint16_t drvNo = 0; drvNo < 78; ++drvNo) {
            for (uint16_t type : {uint16_t{2}, uint16_t{44}}) {
                drv.Clear();
                drv.SetDrvNo(drvNo);
                // Driver 3's rule for other PLC types is made for addresses
                // from 40000 on.
                SetWindow(drvNo == 3 && type != 44 ? 40000 : 16, 32, 7, type);
                WriteDrv(is706, RangeParams(1, 2, 3));
                auto r = OpenDrvFile(is706, dir.File("p.drv"), &bundle);
                r->ReadHeader();
                ASSERT_EQ(r->GetError(), 0);
                auto w = OpenDrvWriter(is706, dir.File("p.drv"), &bundle);
                w->Update();
                ASSERT_EQ(w->GetError(), 0);
                w.reset();
                EXPECT_TRUE(OpenDrvFile(is706, dir.File("p.drv"), &bundle)->CheckParams())
                    << is706 << " driver " << drvNo << " type " << type;
            }
        }
    }
    EXPECT_TRUE(Questions().empty());
}

} // namespace
