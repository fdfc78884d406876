#include "model/core/HotKeys.h"

#include <gtest/gtest.h>

using namespace orv;

TEST(HotKeys, MarksBecomeAccelerators)
{
    struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"~L~\xF6schen", "&L\xF6schen"},
        {" B&R-SPS ", " B&&R-SPS "},
        {"~Alt-X~ Ende", "Alt-X Ende"},
        {"~Enter~ Wiederholen  ~Esc~ Abbruch", "Enter Wiederholen  Esc Abbruch"},
        {"a~b", "a~b"},
        {"", ""},
        {"Me~n~\xFCs...", "Me&n\xFCs..."},
    };
    for (const auto& c : cases) EXPECT_EQ(HotKeyMarksToAccel(c.in), c.out) << c.in;
}
