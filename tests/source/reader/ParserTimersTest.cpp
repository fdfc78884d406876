#include "ParseCases.h"

#include "model/project/PrjIntVar.h"
#include "model/project/PrjVarList.h"
#include "model/project/TimeVal.h"

#include <memory>
#include <string>
#include <vector>

using namespace orv;

namespace {

class ParserTimersTest : public ParserStatementTest {
protected:
    CPrjTimer* Timer(uint16_t num) const { return p->prj->GetTimerList()->FindByNr(num); }
    int TimeCount(uint16_t num) const
    {
        const CTimeValList* times = Timer(num)->GetTimes();
        return times != nullptr ? times->GetCount() : 0;
    }
};

std::vector<std::string> TimerWith(std::vector<std::string> lines)
{
    lines.insert(lines.begin(), "TIMER, T, 1");
    return lines;
}

TEST_F(ParserTimersTest, Refusals)
{
    std::vector<std::string> nine{"TIMER, T, 1"};
    for (int h = 1; h <= 9; ++h)
        nine.push_back("SCHEDULE, " + std::to_string(h) + ":00:00, 23:00:00");
    ExpectRefusals({
        {706, nine, 563, 9, ""},
        {706, {"SCHEDULE, 08:00:00, 09:00:00"}, 564, 0, ""},
        {706, {"TIMER, T, 1", "OP_TEXT, 1", "TEXT, \"a\"", "SCHED_WEEK, 1, 08:00:00, 1, 09:00:00"}, 564, 3, ""},
        {706, TimerWith({"SCHED_WEEK, 11, 08:00:00, 1, 09:00:00"}), 565, 1, "11"},
        {706, TimerWith({"SCHEDULE, 24:00:00, 09:00:00"}), 566, 1, "24"},
        {706, TimerWith({"SCHEDULE, 08:60:00, 09:00:00"}), 567, 1, "60"},
        {706, TimerWith({"SCHEDULE, 08:00:60, 09:00:00"}), 568, 1, "60"},
        {706, TimerWith({"SCHED_WEEK, 1, 08:00:00, 11, 09:00:00"}), 569, 1, "11"},
        {706, TimerWith({"SCHEDULE, 08:00:00, 24:00:00"}), 570, 1, "24"},
        {706, TimerWith({"SCHED_WEEK, 1, 08:00:00, 1, 09:x:00"}), 571, 1, "x"},
        {706, TimerWith({"SCHEDULE, 08:00:00, 09:00:75"}), 572, 1, "75"},
        {706, {"TIMER, , 1"}, 573, 0, ", 1"},
        {706, TimerWith({"TIMER, T, 2"}), 574, 1, "T"},
        {706, {"TIMER, T, 8"}, 575, 0, "8"},
        {706, TimerWith({"TIMER, U, 1"}), 576, 1, "1"},
        {706, TimerWith({"SCHEDULE, 08 00:00, 09:00:00"}), 0, 1, "00:00,", "Zeichen ':' erwartet!"},
    });
}

TEST_F(ParserTimersTest, SwitchingTimesInSeconds)
{
    ASSERT_EQ(Run(43, TimerWith({"SCHEDULE, 08:30:15, 17:00:00", "SCHED_WEEK, 05,08:00:00, 10,23:59:59",
                                 "SCHEDULE, 00:00:00, 00:00:00", "SCHED_WEEK, 0, 00:00:00, 0, 00:00:00"}))
                  .error,
              0);
    const CTimeValList* times = Timer(1)->GetTimes();
    ASSERT_NE(times, nullptr);
    ASSERT_EQ(times->GetCount(), 2);
    EXPECT_EQ(times->ValAt(0)->GetBeg(), 8u * 3600 + 30 * 60 + 15);
    EXPECT_EQ(times->ValAt(0)->GetEnd(), 17u * 3600);
    EXPECT_EQ(times->ValAt(1)->GetBeg(), 460800u);
    EXPECT_EQ(times->ValAt(1)->GetEnd(), 10u * 86400 + 86399);
}

TEST_F(ParserTimersTest, AllZeroPeriodAddsNothing)
{
    ASSERT_EQ(Run(43, TimerWith({"SCHEDULE, 00:00:00, 00:00:00"})).error, 0);
    EXPECT_EQ(TimeCount(1), 0);
    // Dropped periods do not count towards the eight.
    std::vector<std::string> lines{"TIMER, T, 1"};
    for (int i = 0; i < 4; ++i)
        lines.push_back("SCHEDULE, 00:00:00, 00:00:00");
    for (int h = 1; h <= 8; ++h)
        lines.push_back("SCHEDULE, " + std::to_string(h) + ":00:00, 23:00:00");
    ASSERT_EQ(Run(43, lines).error, 0);
    EXPECT_EQ(TimeCount(1), 8);
}

TEST_F(ParserTimersTest, LongNamesKeptWhole)
{
    ASSERT_EQ(Run(706, {"TIMER, ABCDEFGHIJKLMNOP, 0", "TIMER, ABCDEFGHIJKLMNOQ, 7"}).error, 0);
    EXPECT_EQ(Timer(0)->GetName(), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(Timer(7)->GetName(), "ABCDEFGHIJKLMNOQ");
}

TEST_F(ParserTimersTest, TimerNamesTheStateTextOnA706Project)
{
    // The time-switch variable with a state text per time switch.
    const auto addSwitchVar = [](ProjectWorld& pp) {
        auto var = std::make_unique<CPrjIntVarStr>("[Z022]", 0x33FB, 0, 154, 0, 0, pp.prj->GetTextPool());
        var->SetTxtCount(7);
        pp.prj->InsVar(var.release());
    };
    ASSERT_EQ(Run(706, {"TIMER, Pumpe, 3"}, addSwitchVar).error, 0);
    const CPrjVar* var = p->Var("[Z022]");
    ASSERT_NE(var, nullptr);
    ASSERT_NE(var->GetStateTxt(3), nullptr);
    EXPECT_STREQ(var->GetStateTxt(3), "Pumpe");
}

} // namespace
