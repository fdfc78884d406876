#include "model/project/TimeVal.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace orv;

namespace {

constexpr uint32_t kDay = 86400;

struct TimeSwitches : ::testing::Test {
    CTimerList list{4, 2};
    void Fill(std::initializer_list<int> numbers)
    {
        for (int n : numbers)
            list.Add(new CPrjTimer(n, "T" + std::to_string(n)));
    }
    std::vector<int> Numbers() const
    {
        std::vector<int> numbers;
        for (int i = 0; i < list.GetCount(); ++i)
            numbers.push_back(list.TimerAt(i)->GetNr());
        return numbers;
    }
};

TEST_F(TimeSwitches, FormatsDayAndTime)
{
    struct Case {
        uint32_t t;
        const char* text;
        uint32_t day, hour, min, sec;
    };
    const Case cases[] = {
        {0, "00,00:00:00", 0, 0, 0, 0},
        {6 * kDay + 86399, "06,23:59:59", 6, 23, 59, 59},
        {2 * kDay + 7 * 3600 + 30 * 60, "02,07:30:00", 2, 7, 30, 0},
        {3 * kDay + 61, "03,00:01:01", 3, 0, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const CTimeVal v(c.t, c.t);
        EXPECT_EQ(v.FormatBeg(), c.text);
        EXPECT_EQ(v.FormatEnd(), c.text);
        EXPECT_EQ(v.GetBegDay(), c.day);
        EXPECT_EQ(v.GetBegHour(), c.hour);
        EXPECT_EQ(v.GetBegMin(), c.min);
        EXPECT_EQ(v.GetEndSec(), c.sec);
    }
}

std::vector<std::pair<uint32_t, uint32_t>> PeriodsOf(const CPrjTimer& timer)
{
    std::vector<std::pair<uint32_t, uint32_t>> periods;
    const CTimeValList* times = timer.GetTimes();
    for (int i = 0; times && i < times->GetCount(); ++i)
        periods.emplace_back(times->ValAt(i)->GetBeg(), times->ValAt(i)->GetEnd());
    return periods;
}

// Periods are kept by start, then end; an equal period is refused and freed
// (the sanitizer build reports a leak otherwise).
TEST_F(TimeSwitches, PeriodsSortedAndEqualOneRefused)
{
    CPrjTimer timer(1, "Pumpe");
    for (auto [beg, end] : std::vector<std::pair<uint32_t, uint32_t>>{{500, 900}, {100, 800}, {500, 600}, {100, 800}})
        timer.AddTimeVal(new CTimeVal(beg, end));
    timer.AddTimeVal(nullptr);
    EXPECT_EQ(PeriodsOf(timer), (std::vector<std::pair<uint32_t, uint32_t>>{{100, 800}, {500, 600}, {500, 900}}));

    CTimeValList list(4, 4);
    EXPECT_EQ(list.Add(new CTimeVal(1, 2)), 0);
    EXPECT_EQ(list.Add(new CTimeVal(1, 2)), -1);
    EXPECT_EQ(list.GetCount(), 1);
}

TEST_F(TimeSwitches, FreeTimesThenAddCreatesNewList)
{
    CPrjTimer timer(2, "Licht");
    ASSERT_NE(timer.GetTimes(), nullptr);
    EXPECT_EQ(timer.GetTimes()->GetCount(), 0);
    timer.AddTimeVal(new CTimeVal(1, 2));
    timer.FreeTimes();
    EXPECT_EQ(timer.GetTimes(), nullptr);
    timer.AddTimeVal(new CTimeVal(3, 4));
    EXPECT_EQ(PeriodsOf(timer), (std::vector<std::pair<uint32_t, uint32_t>>{{3, 4}}));
}


TEST_F(TimeSwitches, DeleteKeepsCurrentIndexInside)
{
    struct Case {
        const char* what;
        std::initializer_list<int> numbers;
        int current;
        int deleted;
        std::vector<int> left;
        int currentAfter;
    };
    const Case cases[] = {
        {"last entry current", {1, 2, 3}, 2, 3, {1, 2}, 1},
        {"only entry", {4}, 0, 4, {}, 0},
        {"middle entry", {1, 2, 3}, 2, 2, {1, 3}, 1},
        {"middle entry, first current", {1, 2, 3}, 0, 2, {1, 3}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        list.FreeAll();
        Fill(c.numbers);
        list.SetCurIdx(static_cast<int16_t>(c.current));
        list.Delete(list.FindByNr(static_cast<uint16_t>(c.deleted)));
        EXPECT_EQ(Numbers(), c.left);
        EXPECT_EQ(list.GetCurIdx(), c.currentAfter);
    }
    list.Delete(nullptr);
}

TEST_F(TimeSwitches, OrderLookupsAndRefusal)
{
    Fill({7, 2, 5});
    auto* twin = new CPrjTimer(0x105, "Zwilling");
    EXPECT_EQ(list.Add(twin), -1) << "the byte 5 is taken: refused and freed";
    EXPECT_EQ(Numbers(), (std::vector<int>{2, 5, 7}));
    EXPECT_EQ(list.GetLast()->GetNr(), 7);
    EXPECT_EQ(list.FindByName("T5"), list.FindByNr(5));
    EXPECT_EQ(list.FindByName("t5"), nullptr);
    EXPECT_EQ(list.FindByNr(4), nullptr);
    list.FreeAll();
    EXPECT_EQ(list.GetLast(), nullptr);
    EXPECT_EQ(list.GetCurIdx(), 0);
}

TEST_F(TimeSwitches, NamesHoldSixteenCharacters)
{
    EXPECT_EQ(CPrjTimer(1, "ABCDEFGHIJKLMNOP").GetName(), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(CPrjTimer(1, "ABCDEFGHIJKLMNOPQ").GetName(), "ABCDEFGHIJKLMNOP");
}

} // namespace
