#include "ParseCases.h"

#include "model/core/Catalogues.h"
#include "model/project/DrvCfg.h"
#include "model/project/DrvTab.h"
#include "model/project/SpsDef.h"
#include "support/DrvXrefSetup.h"

#include <array>
#include <string>
#include <vector>

using namespace orv;

namespace {

constexpr uint16_t kT200 = 59;  // key "T200"; driver 2 is "T200_DIR"
constexpr uint16_t kSew = 73;

// The driver as its driver file would have set it up, T200 unless a case
// names another.
struct DrvSetup : DrvXrefSetup {
    DrvSetup() { drvNo = kT200; }
};

std::string Range(uint16_t piece, int lo, int hi)
{
    return std::string(resError2(piece)) + " " + std::to_string(lo) + ".." + std::to_string(hi) + " " +
           resError2(154);
}

class ParserAddressRefsTest : public ParserStatementTest {
protected:
    const CDrvTabEntry5* Ref(uint16_t key) const
    {
        const CDrvTab5List& tab = *p->drvCfg->GetParItems();
        for (int i = 0; i < tab.GetCount(); ++i)
            if (tab.ItemAt(i)->GetKey() == key)
                return tab.ItemAt(i);
        return nullptr;
    }
    const CDrvTabEntry6* IndexedRef(uint16_t key) const
    {
        const CDrvTab6List& tab = *p->drvCfg->GetParItems2();
        for (int i = 0; i < tab.GetCount(); ++i)
            if (tab.ItemAt(i)->GetKey() == key)
                return tab.ItemAt(i);
        return nullptr;
    }
    // Byte, class, block and address of a reference.
    std::array<int, 4> Fields(uint16_t key) const
    {
        const CDrvTabEntry5* e = Ref(key);
        return e != nullptr ? std::array<int, 4>{e->GetByte(), e->GetVal1(), e->GetVal2(), e->GetVal3()}
                            : std::array<int, 4>{-1, -1, -1, -1};
    }
};

TEST_F(ParserAddressRefsTest, WordLinesFillTheTable)
{
    DrvSetup setup;
    setup.multi = true;
    setup.plcs = {1, 2};
    ASSERT_EQ(Run(43,
                  {"COM_LIST-T200", "WORD 0, DB 5, DW 10", "WORD 1, FW 20", "WORD 2, IW 22", "WORD 3, QW 24",
                   "WORD 4, TW 7", "WORD 5, FW 200, PLC 2", "WORD 39, DB 20, DW 100"},
                  setup)
                  .error,
              0);
    EXPECT_EQ(Fields(0), (std::array<int, 4>{1, 1, 5, 10}));
    EXPECT_EQ(Fields(1), (std::array<int, 4>{1, 3, 0, 20}));
    EXPECT_EQ(Fields(2), (std::array<int, 4>{1, 4, 0, 22}));
    EXPECT_EQ(Fields(3), (std::array<int, 4>{1, 5, 0, 24}));
    EXPECT_EQ(Fields(4), (std::array<int, 4>{1, 6, 0, 7}));
    EXPECT_EQ(Fields(5), (std::array<int, 4>{2, 3, 0, 200}));
    EXPECT_EQ(Fields(39), (std::array<int, 4>{1, 1, 20, 100}));
    EXPECT_EQ(p->drvCfg->GetParItems()->GetCount(), 40);
}

TEST_F(ParserAddressRefsTest, WordRefusals)
{
    const std::string list = "COM_LIST-T200";
    const std::string odd = resError2(156);
    ExpectRefusals(
        {
            {43, {list, "WORD 40, FW 2"}, 0, 1, "40", Range(150, 0, 39)},
            {43, {list, "WORD 1, XX 2"}, 0, 1, "XX", resError2(151)},
            {43, {list, "WORD 1, FW2"}, 0, 1, "FW2", resError2(151)},
            {43, {list, "WORD 1, 0"}, 0, 1, "0", resError2(155)},
            {43, {list, "WORD 1, DW 2"}, 0, 1, "DW", resError2(152)},
            {43, {list, "WORD 1, DB 2, DB 3"}, 0, 1, "DB 3", resError2(152)},
            {43, {list, "WORD 1, DB 2, FW 4"}, 0, 1, "FW", resError2(152)},
            {43, {list, "WORD 1, DB 2, 0"}, 0, 1, "0", resError2(155)},
            {43, {list, "WORD 1, DB 0, DW 2"}, 0, 1, "0", Range(153, 1, 20)},
            {43, {list, "WORD 1, DB 21, DW 2"}, 0, 1, "21", Range(153, 1, 20)},
            {43, {list, "WORD 1, DB 2, DW 102"}, 0, 1, "102", Range(153, 0, 100)},
            {43, {list, "WORD 1, FW 202"}, 0, 1, "202", Range(153, 0, 200)},
            {43, {list, "WORD 1, IW 302"}, 0, 1, "302", Range(153, 0, 300)},
            {43, {list, "WORD 1, QW 402"}, 0, 1, "402", Range(153, 0, 400)},
            {43, {list, "WORD 1, TW 501"}, 0, 1, "501", Range(153, 0, 500)},
            {43, {list, "WORD 1, FW 3"}, 0, 1, "3", odd},
            {43, {list, "WORD 1, DB 2, DW 5"}, 0, 1, "5", odd},
            {43, {list, "WORD 1 FW 2"}, 0, 1, "FW", "Zeichen ',' erwartet!"},
        },
        DrvSetup{});
    DrvSetup multi;
    multi.multi = true;
    multi.plcs = {1, 2};
    ExpectRefusals(
        {
            {43, {list, "WORD 1, FW 2, PLC 3"}, 0, 1, "3", resError2(163)},
            {43, {list, "WORD 1, FW 2, PLC 6"}, 0, 1, "6", Range(153, 1, 5)},
            {43,
             {list, "WORD 1, FW 2, SPS 1"},
             0,
             1,
             "SPS",
             std::string(resErrorText(634)) + " 'PLC' " + resErrorText(635)},
        },
        multi);
}

TEST_F(ParserAddressRefsTest, IndexedDriverForm)
{
    DrvSetup sew;
    sew.drvNo = kSew;
    sew.indexed = true;
    ASSERT_EQ(Run(706, {"COM_LIST-SEW", "WORD 5, 1, 1000, 3, 7, 8", "WORD 34, 255, 2, 5, 65535, 0",
                        "WORD 48, 99, 0, 0, 0, 65535"},
                  sew)
                  .error,
              0);
    const CDrvTabEntry6* low = IndexedRef(5);
    ASSERT_NE(low, nullptr);
    EXPECT_EQ(low->GetByte1(), 1);
    EXPECT_EQ(low->GetWord1(), 1000);
    EXPECT_EQ(low->GetByte2(), 3);
    EXPECT_EQ(low->GetVal1(), 7);
    EXPECT_EQ(low->GetVal2(), 8);
    const CDrvTabEntry6* high = IndexedRef(32);
    ASSERT_NE(high, nullptr);
    EXPECT_EQ(high->GetByte1(), 255);
    EXPECT_EQ(high->GetVal1(), 65535);
    EXPECT_EQ(IndexedRef(39)->GetVal2(), 65535);
    EXPECT_EQ(p->drvCfg->GetParItems2()->GetCount(), 40);
    EXPECT_EQ(IndexedRefWordOfIndex(32), 34);

    const std::string list = "COM_LIST-SEW";
    ExpectRefusals(
        {
            {706, {list, "WORD 33, 1, 2, 3, 4, 5"}, 0, 1, "33", resError2(156)},
            {706, {list, "WORD 50, 1, 2, 3, 4, 5"}, 0, 1, "50", Range(150, 0, 49)},
            {706, {list, "WORD 1, 100, 2, 3, 4, 5"}, 0, 1, "100", Range(153, 0, 99)},
            {706, {list, "WORD 1, 256, 2, 3, 4, 5"}, 0, 1, "256", Range(153, 0, 255)},
            {706, {list, "WORD 1, 1, 65536, 3, 4, 5"}, 0, 1, "65536", Range(153, 0, 65535)},
            {706, {list, "WORD 1, 1, 2, 6, 4, 5"}, 0, 1, "6", Range(153, 0, 5)},
            {706, {list, "WORD 1, 1, 2, 3, 4"}, 0, 1, "4", "Zeichen ',' erwartet!"},
        },
        sew);
}

TEST_F(ParserAddressRefsTest, AnotherDriversList)
{
    const std::vector<std::string> lines{"OP_TEXT, 1", "TEXT, \"a\"", "COM_LIST-T200_DIR", "WORD 1, FW 2",
                                         "TEXT, \"b\""};
    // Yes: the words are read and the text stays open.
    auto answer = [](bool yes) {
        return [yes](ProjectWorld& pp) {
            DrvSetup{}(pp);
            pp.ui.AnswerQuestion(15095, yes);
        };
    };
    ASSERT_EQ(Run(43, lines, answer(true)).error, 0);
    EXPECT_EQ(Fields(1), (std::array<int, 4>{1, 3, 0, 2}));
    // No: the open text is closed and the words are dropped.
    const ParseOutcome no = Run(43, lines, answer(false));
    EXPECT_EQ(no.xerror, 491);
    EXPECT_EQ(no.line, 7);
    EXPECT_EQ(Fields(1), (std::array<int, 4>{0, 0, 0, 0}));
    // A driver without a list drops them without asking.
    DrvSetup plain;
    plain.listFlag = false;
    ASSERT_EQ(Run(43, {"COM_LIST-T200_DIR", "WORD 1, FW 2"}, plain).error, 0);
    EXPECT_EQ(Fields(1), (std::array<int, 4>{0, 0, 0, 0}));
    EXPECT_TRUE(p->ui.CallsOf(UiCall::Kind::Question).empty());
}

TEST_F(ParserAddressRefsTest, KeyMatchesOnlyAsAWholeWord)
{
    DrvSetup t200Dir;
    t200Dir.drvNo = 2;
    ASSERT_EQ(Run(43, {"COM_LIST-T200_DIR", "WORD 1, FW 2"}, t200Dir).error, 0);
    EXPECT_EQ(Fields(1), (std::array<int, 4>{1, 3, 0, 2}));
    const auto refused = [](ProjectWorld& pp) {
        DrvSetup{}(pp);
        pp.ui.AnswerQuestion(15095, false);
    };
    ASSERT_EQ(Run(43, {"COM_LIST-T200_DIR", "WORD 1, FW 2"}, refused).error, 0);
    EXPECT_EQ(Fields(1), (std::array<int, 4>{0, 0, 0, 0}));
}

TEST_F(ParserAddressRefsTest, WordWithoutListIsDropped)
{
    ASSERT_EQ(Run(43, {"WORD 1, FW 2", "WORD 99, XX"}, DrvSetup{}).error, 0);
    EXPECT_EQ(Fields(1), (std::array<int, 4>{0, 0, 0, 0}));
}

TEST_F(ParserAddressRefsTest, UnknownDriverChecksFormOnly)
{
    DrvSetup unknown;
    unknown.listFlag = false;
    unknown.entries = 0;
    unknown.limits = {};
    ASSERT_EQ(Run(43, {"COM_LIST-T200", "WORD 300, FW 1000", "WORD 7, DB 900, DW 60000"}, unknown).error, 0);
    EXPECT_EQ(Fields(300), (std::array<int, 4>{1, 3, 0, 1000}));
    EXPECT_EQ(Fields(7), (std::array<int, 4>{1, 1, 900, 60000}));
    ExpectRefusals({{43, {"COM_LIST-T200", "WORD 1, FW 1001"}, 0, 1, "1001", resError2(156)},
                    {43, {"COM_LIST-T200", "WORD 65536, FW 2"}, 0, 1, "65536", Range(150, 0, 65535)}},
                   unknown);
}

TEST_F(ParserAddressRefsTest, PlcDefinitionsReplaceTheDriversAtTheNextStatement)
{
    DrvSetup setup;
    setup.multi = true;
    setup.plcs = {3};
    ASSERT_EQ(Run(43, {"MULTI_EXT", "PLC 1, 10, 18, 21", "PLC 2, 11, 0, 0", "COM_LIST-T200", "WORD 1, FW 2, PLC 1"},
                  setup)
                  .error,
              0);
    const CSpsDefList& defs = *p->drvCfg->GetParItems3();
    ASSERT_EQ(defs.GetCount(), 2);
    const CSpsDef* first = defs.FindByNum(1);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetAdr(), 10);
    EXPECT_EQ(first->GetSlot(), 18);
    EXPECT_EQ(first->GetRack(), 21);
    EXPECT_STREQ(first->GetName(), "SPS1");
    EXPECT_STREQ(defs.FindByNum(2)->GetName(), "SPS2");
    EXPECT_EQ(defs.FindByNum(3), nullptr);
    EXPECT_EQ(Fields(1)[0], 1);
    // At END as well, and without the multi-PLC flag after MULTI_EXT.
    DrvSetup single;
    single.plcs = {3};
    ASSERT_EQ(Run(43, {"MULTI_EXT", "PLC 4, 10, 0, 0"}, single).error, 0);
    ASSERT_EQ(p->drvCfg->GetParItems3()->GetCount(), 1);
    EXPECT_NE(p->drvCfg->GetParItems3()->FindByNum(4), nullptr);
}

TEST_F(ParserAddressRefsTest, PlcRefusals)
{
    DrvSetup multi;
    multi.multi = true;
    const std::string ext = "MULTI_EXT";
    ExpectRefusals({{43, {"PLC 1, 10, 0, 0"}, 0, 0, "", resError2(157)}}, DrvSetup{});
    ExpectRefusals(
        {
            {43, {ext, "PLC 6, 10, 0, 0"}, 0, 1, "6", Range(153, 1, 5)},
            {43, {ext, "PLC 1, 10, 0, 0", "PLC 1, 11, 0, 0"}, 0, 2, "1, 11",
             std::string(resError2(159)) + " 1 " + resError2(160)},
            {43, {ext, "PLC 1, 10, 0, 0", "PLC 2, 10, 0, 0"}, 0, 2, "10", resError2(162)},
            {43, {ext, "PLC 1, 256, 0, 0"}, 0, 1, "256", Range(153, 0, 255)},
            {43, {ext, "PLC 1, 10, 19, 0"}, 0, 1, "19", Range(153, 0, 18)},
            {43, {ext, "PLC 1, 10, 0, 22"}, 0, 1, "22", Range(153, 0, 21)},
            {43, {"PLC 1, 10, 0, 0", "PLC 2, 11, 0"}, 0, 1, "0", "Zeichen ',' erwartet!"},
        },
        multi);
}

TEST_F(ParserAddressRefsTest, EmptyMultiExtKeepsTheDriversDefinitions)
{
    DrvSetup setup;
    setup.multi = true;
    setup.plcs = {1, 2};
    for (const std::string next : {"END", "OP_TEXT, 1"}) {
        const ParseOutcome out = Run(43, {"MULTI_EXT", next}, setup);
        EXPECT_EQ(out.errorText, resError2(158)) << next;
        EXPECT_EQ(out.line, 4) << next;
        EXPECT_EQ(out.column, 1) << next;
        EXPECT_EQ(p->drvCfg->GetParItems3()->GetCount(), 2) << next;
    }
}

} // namespace
