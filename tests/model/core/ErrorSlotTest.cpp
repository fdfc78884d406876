#include "model/core/ErrorSlot.h"

#include <gtest/gtest.h>

#include <vector>

using namespace orv;

namespace {

struct Step {
    enum Kind { Set, Replace, Take } kind;
    uint16_t code = 0;
    uint16_t word = 0;
};

TEST(ErrorSlot, KeepsTheFirstErrorWithItsWordUntilTaken)
{
    struct Case {
        const char* name;
        std::vector<Step> steps;
        uint16_t code;
        uint16_t word;
        uint16_t lastTaken;
    };
    const Case cases[] = {
        {"empty slot", {}, 0, 0, 0},
        {"first wins", {{Step::Set, 5, 0}, {Step::Set, 7, 0}}, 5, 0, 0},
        {"word stays with the first", {{Step::Set, 9, 1234}, {Step::Set, 5, 99}}, 9, 1234, 0},
        {"no word from a later error", {{Step::Set, 5}, {Step::Set, 9, 1234}}, 5, 0, 0},
        {"zero keeps nothing", {{Step::Set, 0, 42}, {Step::Set, 6, 1}}, 6, 1, 0},
        {"take clears code and word", {{Step::Set, 9, 1234}, {Step::Take}}, 0, 0, 9},
        {"after take the next error wins", {{Step::Set, 5}, {Step::Take}, {Step::Set, 7, 3}}, 7, 3, 5},
        {"take of an empty slot", {{Step::Take}}, 0, 0, 0},
        {"replace overrides the first", {{Step::Set, 5, 1}, {Step::Replace, 15}}, 15, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ErrorSlot slot;
        uint16_t taken = 0;
        for (const Step& s : c.steps) {
            switch (s.kind) {
            case Step::Set: slot.Set(s.code, s.word); break;
            case Step::Replace: slot.Replace(s.code, s.word); break;
            case Step::Take: taken = slot.Take(); break;
            }
        }
        EXPECT_EQ(slot.Code(), c.code);
        EXPECT_EQ(slot.Word(), c.word);
        EXPECT_EQ(slot.Failed(), c.code != 0);
        EXPECT_EQ(taken, c.lastTaken);
    }
}

} // namespace
