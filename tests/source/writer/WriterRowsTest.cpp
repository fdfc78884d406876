#include "model/project/PrjVarKinds.h"
#include "model/project/TxtRow.h"
#include "source/writer/SrcRows.h"
#include "SrcWriterRig.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace orv;

namespace {

struct WriterRowsSlot {
    int index;
    int var; // index into the case's variables
    uint8_t col;
};

struct RowCase {
    const char* name;
    uint16_t devType;
    SrcRowKind kind;
    std::string text;
    std::vector<WriterRowsSlot> slots;
    int maxVars;
    std::string expected;
};

std::vector<RowCase> RowCases()
{
    return {
        {"PackedOrdered", 43, kTextRow, "Drehzahl: ____ U/min", {{0, 0, 10}}, 8, "TEXT, \"Drehzahl: @A@ U/min\"\r\n"},
        {"FreeSlotBeforeFilled", 43, kTextRow, "x __ y __", {{1, 0, 2}, {3, 1, 7}}, 8,
         "TEXT, \"x @A@ y @B@\"\r\n"},
        {"SlotsOutOfColumnOrder", 43, kTextRow, "x __ y __", {{0, 1, 7}, {1, 0, 2}}, 8,
         "TEXT, \"x @A@ y @B@\"\r\n"},
        {"AtMostMaxVarsFields", 43, kTextRow, "x __ y __", {{0, 0, 2}, {1, 1, 7}}, 1, "TEXT, \"x @A@ y __\"\r\n"},
        {"WidthZeroTakesOnePosition", 43, kTextRow, "a_b", {{0, 2, 1}}, 8, "TEXT, \"a@Z@b\"\r\n"},
        {"AltEscapes", 43, kTextRow, "\"$@\\~\x09\x1A" "a\x9D", {}, 8, "TEXT, \"$22$24$40$5C$7E$09a\"\r\n"},
        {"IntEscapes", 163, kTextRow, "\x03\x1F$b", {}, 8, "TEXT, \"$1F$24b\"\r\n"},
        {"F706Escapes", 706, kHistRow, "\x05\x10\xFF" "c", {}, 8, "HTEXT, \"$10$FFc\"\r\n"},
        {"PrinterBytes", 43, kPrnRow, "\x01\x9D\"z", {}, 8, "PRNTEXT, \"$01\x9D$22z\"\r\n"},
        {"CutAtPositions", 43, kTextRow, std::string(45, 'w'), {}, 8, "TEXT, \"" + std::string(40, 'w') + "\"\r\n"},
    };
}

class WriterRowTest : public ::testing::TestWithParam<RowCase> {};

TEST_P(WriterRowTest, RowLine)
{
    const RowCase& c = GetParam();
    SrcWriterRig rig(c.devType);
    CPrjVarAscii a("A", 1, 1, 34, 1);
    CPrjVarAscii b("B", 2, 1, 34, 1);
    CPrjVarAscii z("Z", 3, 1, 34, 1);
    a.SetWidth(2);
    b.SetWidth(2);
    z.SetWidth(0);
    if (c.name == std::string("PackedOrdered"))
        a.SetWidth(4);
    CPrjVar* vars[] = {&a, &b, &z};
    std::string out;
    {
        CPrnTxtLin prnRow(1, c.text, nullptr);
        CPrjTxtRow row(1, c.text, nullptr);
        CTxtRowBase& target = c.kind.printer ? static_cast<CTxtRowBase&>(prnRow) : row;
        for (const WriterRowsSlot& s : c.slots)
            target.SetVarSlot(s.index, vars[s.var], s.col);
        out = rig.Write([&](CSrcSink& sink) { WriteRowLine(sink, c.kind, &target, SrcRowLimit{c.maxVars, false}); });
    }
    EXPECT_EQ(out, c.expected);
}

INSTANTIATE_TEST_SUITE_P(WriterLayoutTest, WriterRowTest, ::testing::ValuesIn(RowCases()),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
