#include "ParseCases.h"

#include "model/project/SkAct.h"
#include "model/project/SkTxt.h"

#include <string>
#include <vector>

using namespace orv;

namespace {

class ParserSoftkeysTest : public ParserStatementTest {
protected:
    CPrjSkAct* Act(int num) const { return p->prj->GetSkActList()->FindByNum(num); }
    CPrjSkTxt* SkTxt(int num) const { return static_cast<CPrjSkTxt*>(p->prj->GetSkTxtList()->FindByNum(num)); }
};

std::vector<std::string> ActionWithWrites(int writes)
{
    std::vector<std::string> lines{"ACTION, 1"};
    for (int i = 0; i < writes; ++i)
        lines.push_back("WRITE, " + std::to_string(10 + i) + ", 1");
    return lines;
}

TEST_F(ParserSoftkeysTest, Refusals)
{
    const std::string act = "ACTION, 1";
    const std::string sk = "SOFTKEY, 1";
    ExpectRefusals({
        {43, ActionWithWrites(9), 402, 9, ""},
        {43, {act, "WRITE, 3, 1"}, 403, 1, "3"},
        {43, {act, "OR, 256, 1"}, 403, 1, "256"},
        {43, {act, "WRITE, 10, b101010101010101"}, 404, 1, "b1"},
        {43, {act, "WRITE, 10, b10101010101010102"}, 404, 1, "b1"},
        {43, {act, "AND, 10, $12G4"}, 405, 1, "$"},
        {43, {act, "AND, 10, $12345"}, 405, 1, "$"},
        {43, {act, "WRITE, 10, 65536"}, 406, 1, "65536"},
        {43, {act, "WRITE, 10, x"}, 406, 1, "x"},
        {43, {"ACTION, 0"}, 407, 0, "0"},
        {706, {"ACTION, 256"}, 407, 0, "256"},
        {43, {"ACTION, 1, desc"}, 408, 0, "desc"},
        {43, {"ACTION, 1, \"open"}, 408, 0, "\""},
        {43, {"ACTION, 1, \"" + std::string(41, 'a') + "\""}, 408, 0, "\"a"},
        {43, {act, act}, 409, 1, "1"},
        {43, {act, sk, "F9, 1, 0"}, 410, 2, "9"},
        {706, {act, sk, "F21, 1, 0"}, 410, 2, "21"},
        {43, {act, "F1, 1, 0"}, 410, 1, "1, 1"},
        {43, {act, sk, "F1, 256, 0"}, 411, 2, "256"},
        {43, {act, sk, "F1, 1, x"}, 412, 2, "x"},
        {43, {act, sk, "F1, 1, 0", "F1, 0, 1"}, 413, 3, "1, 0"},
        {43, {act, sk, "F1, 1, 0, F1, 0, 1"}, 413, 2, "1, 0, 1"},
        {43, {sk, "MENU, M, 1"}, 414, 1, ""},
        {43, {"DEF_SOFTKEY, 0, 10", "END"}, 414, 1, ""},
        {43, {act, sk, "F1, 2, 0"}, 415, 2, "2, 0"},
        {43, {act, sk, "F1, 1, 3"}, 415, 2, "3"},
        {43, {"SOFTKEY, 128"}, 417, 0, "128"},
        {706, {"SOFTKEY, 256"}, 417, 0, "256"},
        {706, {"DEF_SOFTKEY, 0, 256"}, 417, 0, "256"},
        {43, {act, sk, "F1, 1, 0", sk}, 418, 3, "1"},
        {43, {act, "DEF_SOFTKEY, 0, 5", "F1, 1, 0", "DEF_SOFTKEY, 0, 5"}, 418, 3, "5"},
        {43, {"DEF_SOFTKEY, 10, 5"}, 501, 0, "5"},
        {43, {"WRITE 10, 1"}, 0, 0, "10", "Zeichen ',' erwartet!"},
    });
}

TEST_F(ParserSoftkeysTest, OperationsKeepValueAndForm)
{
    ASSERT_EQ(Run(43, {"ACTION, 7, \"$41 raw\"", "WRITE, 10, b0000000100000011", "OR, 11, $00fF",
                       "AND, 255, 65535"})
                  .error,
              0);
    const CPrjSkAct* act = Act(7);
    ASSERT_NE(act, nullptr);
    EXPECT_STREQ(act->GetName(), "$41 raw");
    struct Op {
        uint16_t code, adr, value, format;
    };
    const Op expected[] = {
        {CPrjSkAct::kOpWrite, 10, 0x0103, CPrjSkAct::kFmtBin},
        {CPrjSkAct::kOpOr, 11, 0x00FF, CPrjSkAct::kFmtHex},
        {CPrjSkAct::kOpAnd, 255, 65535, CPrjSkAct::kFmtDec},
    };
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(act->IsOpUsed(i), 1) << i;
        EXPECT_EQ(act->GetOp(i), expected[i].code) << i;
        EXPECT_EQ(act->GetAdr(i), expected[i].adr) << i;
        EXPECT_EQ(act->GetValue(i), expected[i].value) << i;
        EXPECT_EQ(act->GetFormat(i), expected[i].format) << i;
    }
    EXPECT_EQ(act->IsOpUsed(3), 0);
}

TEST_F(ParserSoftkeysTest, WriteWithoutOpenActionIsDropped)
{
    ASSERT_EQ(Run(43, {"ACTION, 1", "SOFTKEY, 1", "F1, 1, 0", "WRITE, 10, 5", "ACTION, 2"}).error, 0);
    EXPECT_EQ(Act(1)->IsOpUsed(0), 0);
    EXPECT_EQ(Act(2)->IsOpUsed(0), 0);
    ASSERT_EQ(Run(43, {"WRITE, 10, 5", "ACTION, 1"}).error, 0);
    EXPECT_EQ(Act(1)->IsOpUsed(0), 0);
    EXPECT_EQ(p->prj->GetSkActList()->GetCount(), 1);
}

TEST_F(ParserSoftkeysTest, SoftkeyNumbersPerFamily)
{
    EXPECT_EQ(Run(43, {"ACTION, 1", "SOFTKEY, 127", "F1, 1, 0"}).error, 0);
    EXPECT_NE(SkTxt(127), nullptr);
    EXPECT_EQ(Run(163, {"ACTION, 1", "SOFTKEY, 127", "F1, 1, 0"}).error, 0);
    EXPECT_EQ(Run(163, {"SOFTKEY, 128"}).xerror, 417);
    for (const uint16_t t : {473, 477, 706}) {
        EXPECT_EQ(Run(t, {"ACTION, 1", "SOFTKEY, 255", "F1, 1, 0", "DEF_SOFTKEY, 3, 255", "F1, 0, 1"}).error, 0)
            << t;
        EXPECT_NE(SkTxt(255), nullptr) << t;
        const auto* range = dynamic_cast<const CPrjSkTxtRange*>(p->prj->GetSkTxtList()->GetTemplate());
        ASSERT_NE(range, nullptr) << t;
        EXPECT_EQ(range->GetLo(), 3) << t;
        EXPECT_EQ(range->GetHi(), 255) << t;
    }
}

TEST_F(ParserSoftkeysTest, KeyCountPerPanel)
{
    const std::vector<std::pair<uint16_t, int>> keys{{14, 8},   {36, 8},   {43, 8},   {118, 8},
                                                     {163, 8},  {47, 16},  {755, 16}, {167, 16},
                                                     {473, 16}, {477, 16}, {706, 20}};
    for (const auto& [type, count] : keys) {
        const std::string last = "F" + std::to_string(count) + ", 1, 0";
        EXPECT_EQ(Run(type, {"ACTION, 1", "SOFTKEY, 1", last}).error, 0) << type;
        EXPECT_EQ(SkTxt(1)->GetPressAct(count), Act(1)) << type;
        const std::string beyond = "F" + std::to_string(count + 1) + ", 1, 0";
        const ParseOutcome out = Run(type, {"ACTION, 1", "SOFTKEY, 1", beyond});
        EXPECT_EQ(out.xerror, 410) << type;
        EXPECT_EQ(out.line, 5) << type;
    }
}

TEST_F(ParserSoftkeysTest, UseCountsCountPressAndRelease)
{
    ASSERT_EQ(Run(706, {"ACTION, 1", "ACTION, 2", "SOFTKEY, 1", "F1, 1, 2, F2, 1, 0", "F20, 0, 0", "SOFTKEY, 2",
                        "F1, 0, 1"})
                  .error,
              0);
    EXPECT_EQ(Act(1)->GetUseCount(), 3);
    EXPECT_EQ(Act(2)->GetUseCount(), 1);
    const CPrjSkTxt* sk1 = SkTxt(1);
    ASSERT_NE(sk1, nullptr);
    EXPECT_EQ(sk1->GetPressAct(1), Act(1));
    EXPECT_EQ(sk1->GetReleaseAct(1), Act(2));
    EXPECT_EQ(sk1->GetPressAct(2), Act(1));
    EXPECT_EQ(sk1->GetReleaseAct(2), nullptr);
    EXPECT_EQ(sk1->HasAct(20), 0);
    EXPECT_EQ(SkTxt(2)->GetReleaseAct(1), Act(1));
}

TEST_F(ParserSoftkeysTest, SoftkeyClosesTheOpenText)
{
    const ParseOutcome out = Run(43, {"ACTION, 1", "OP_TEXT, 1", "TEXT, \"a\"", "SOFTKEY, 1", "F1, 1, 0",
                                      "TEXT, \"b\""});
    EXPECT_EQ(out.xerror, 491);
    EXPECT_EQ(out.line, 8);
}

} // namespace
