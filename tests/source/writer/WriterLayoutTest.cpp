#include "model/project/PrjIntVar.h"
#include "model/project/PrjVarKinds.h"
#include "model/project/PrjVarList.h"
#include "model/project/TimeVal.h"
#include "source/writer/SrcFrame.h"
#include "source/writer/SrcVars.h"
#include "SrcWriterRig.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace orv;

namespace {

const char* const kEmptyLine = "\r\n";

// A variable list that frees its variables.
struct VarList {
    VarList() = default;
    ~VarList() { list.FreeAll(); }
    CPrjVar* Add(std::unique_ptr<CPrjVar> var)
    {
        CPrjVar* raw = var.release();
        list.Add(raw);
        return raw;
    }
    CPrjVarList list{16, 8};
};

struct VarCase {
    const char* name;
    uint16_t devType;
    bool dwordVars;
    std::function<std::unique_ptr<CPrjVar>(CTextPool*)> make;
    std::string expected;
};

std::unique_ptr<CPrjVar> Bin(uint8_t type, int32_t a, int32_t b, int32_t c, int32_t d)
{
    return std::make_unique<CPrjVarBin>("V", 7, 1, type, 4, 1, a, b, c, d);
}

std::unique_ptr<CPrjVar> Vbin(uint8_t type, int32_t a, int32_t b, int32_t c, int32_t d)
{
    return std::make_unique<CPrjVarVbin>("V", 7, 2, type, 4, 1, a, b, c, d);
}

const std::string kPrefix = "VAR, V               ,   7, ACTUAL     , ";
const std::string kPrefixNom = "VAR, V               ,   7, NOMINAL    , ";

std::vector<VarCase> VarCases()
{
    return {
        {"Bcd1", 43, false, [](CTextPool*) { return std::make_unique<CPrjVarBcd>("V", 7, 1, 0, 3, 0, 999, 1); },
         kPrefix + "BCD-1 ,  3,    0,  999,  1\r\n"},
        {"Bcd01NoFlagOn473", 473, false,
         [](CTextPool*) { return std::make_unique<CPrjVarBcd>("V", 7, 1, 28, 3, 0, 999, 1); },
         kPrefix + "BCD0-1,  3,    0,  999\r\n"},
        {"Bcd2", 43, false,
         [](CTextPool*) { return std::make_unique<CPrjVarBcd>("V", 7, 1, 16, 6, 0, 999999, 0); },
         kPrefix + "BCD-2 ,  6,        0,   999999,  0\r\n"},
        {"Bcd02NoFlagOn473", 473, false,
         [](CTextPool*) { return std::make_unique<CPrjVarBcd>("V", 7, 1, 30, 6, 0, 999999, 1); },
         kPrefix + "BCD0-2,  6,        0,   999999\r\n"},
        {"Bin1", 43, false, [](CTextPool*) { return Bin(2, 0, 3000, 0, 30000); },
         kPrefix + "BIN-1 ,  4,  1,          0,       3000,     0, 30000\r\n"},
        {"Bin01WithoutBlank", 43, false, [](CTextPool*) { return Bin(3, 0, 3000, 0, 30000); },
         kPrefix + "BIN0-1,  4,  1,          0,       3000,    0, 30000\r\n"},
        {"BinA", 43, false, [](CTextPool*) { return Bin(4, 1, 2, 3, 4); },
         kPrefix + "BIN-A ,  4,  1,          1,          2,     3,     4\r\n"},
        {"Bin2", 43, false, [](CTextPool*) { return Bin(6, 0, 70000, 5, 9); },
         kPrefix + "BIN-2 ,  4,  1,          0,      70000\r\n"},
        {"Bin2DwordRange", 43, true, [](CTextPool*) { return Bin(7, 0, 70000, 5, 9); },
         kPrefix + "BIN0-2,  4,  1,          0,      70000,          5,          9\r\n"},
        {"BinBDwordNoRange", 43, true, [](CTextPool*) { return Bin(8, 0, 70000, 0, 0); },
         kPrefix + "BIN-B ,  4,  1,          0,      70000\r\n"},
        {"Vbin1", 43, false, [](CTextPool*) { return Vbin(18, -500, 500, -5000, 5000); },
         kPrefixNom + "VBIN-1,  4,  1,       -500,        500, -5000,  5000\r\n"},
        {"Vbin2Dword", 43, true, [](CTextPool*) { return Vbin(22, -70000, 70000, -1, 1); },
         kPrefixNom + "VBIN-2,  4,  1,     -70000,      70000,         -1,          1\r\n"},
        {"VbinB", 43, false, [](CTextPool*) { return Vbin(24, -7, 7, -1, 1); },
         kPrefixNom + "VBIN-B,  4,  1,         -7,          7\r\n"},
        {"WordKh", 43, false, [](CTextPool*) { return std::make_unique<CPrjVarWord>("V", 7, 1, 32, 1); },
         kPrefix + "WORD  , KH\r\n"},
        {"WordKy", 43, false, [](CTextPool*) { return std::make_unique<CPrjVarWord>("V", 7, 1, 33, 2); },
         kPrefix + "WORD  , KY\r\n"},
        {"WordKm", 43, false, [](CTextPool*) { return std::make_unique<CPrjVarWord>("V", 7, 1, 32, 0); },
         kPrefix + "WORD  , KM\r\n"},
        {"WordOtherFormAsKm", 43, false, [](CTextPool*) { return std::make_unique<CPrjVarWord>("V", 7, 1, 32, 7); },
         kPrefix + "WORD  , KM\r\n"},
        {"Ascii", 43, false, [](CTextPool*) { return std::make_unique<CPrjVarAscii>("V", 7, 1, 34, 4); },
         kPrefix + "ASCII ,  4\r\n"},
        {"TimerWithGaps", 43, false,
         [](CTextPool* pool) {
             auto v = std::make_unique<CPrjVarTimer>("V", 7, 1, 36, pool);
             v->SetStateTxt(0, "10ms");
             v->SetStateTxt(2, "s");
             return std::unique_ptr<CPrjVar>(std::move(v));
         },
         kPrefix + "TIMER \r\nSTATE,   0, \"10ms\"\r\nSTATE,   1, \"\"\r\nSTATE,   2, \"s\"\r\nSTATE,   3, \"\"\r\n"},
        {"BitWithoutState1", 43, false,
         [](CTextPool* pool) {
             auto v = std::make_unique<CPrjVarBit>("V", 7, 1, 12, 5, pool);
             v->SetStateTxt(0, "Aus");
             return std::unique_ptr<CPrjVar>(std::move(v));
         },
         kPrefix + "BIT   ,  5\r\nSTATE,   0, \"Aus\"\r\nSTATE,   1, \"\"\r\n"},
        {"StringEscapesAndCut", 43, false,
         [](CTextPool* pool) {
             auto v = std::make_unique<CPrjVarString>("V", 7, 2, 14, pool);
             v->SetTxtCount(2);
             v->SetStateTxt(0, "a\"$@b");
             v->SetStateTxt(2, "0123456789012345678901234567890123456789XYZ");
             return std::unique_ptr<CPrjVar>(std::move(v));
         },
         kPrefixNom + "STRING\r\nSTATE,   0, \"a$22$24$40b\"\r\nSTATE,   1, \"\"\r\n"
                      "STATE,   2, \"0123456789012345678901234567890123456789\"\r\n"},
        {"SstringKeywordAlone", 43, false,
         [](CTextPool* pool) {
             auto v = std::make_unique<CPrjVarString>("V", 7, 0, 42, pool);
             v->SetTxtCount(1);
             v->SetStateTxt(0, "x");
             v->SetStateTxt(1, "y");
             return std::unique_ptr<CPrjVar>(std::move(v));
         },
         "VAR, V               ,   7,            , SSTRING\r\nSTATE,   0, \"x\"\r\nSTATE,   1, \"y\"\r\n"},
    };
}

class WriterVarLineTest : public ::testing::TestWithParam<VarCase> {};

TEST_P(WriterVarLineTest, OneRecordPerVariable)
{
    const VarCase& c = GetParam();
    SrcWriterRig rig(c.devType);
    VarList vars;
    vars.Add(c.make(&rig.pool));
    const std::string out = rig.Write([&](CSrcSink& s) { WriteVarRecords(s, &vars.list, PanelType(c.devType, false), c.dwordVars); });
    EXPECT_EQ(out, c.expected + kEmptyLine);
    EXPECT_EQ(rig.error, 0);
}

INSTANTIATE_TEST_SUITE_P(WriterLayoutTest, WriterVarLineTest, ::testing::ValuesIn(VarCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WriterLayoutTest, DoubleWordPairThatIsNoRangeIsLeftOutAndCounted)
{
    SrcWriterRig rig(43);
    VarList vars;
    vars.Add(Bin(9, 0, 10, 5, 5));
    vars.Add(std::make_unique<CPrjVarBin>("W", 8, 1, 6, 4, 0, 0, 10, 0, 0));
    const std::string out = rig.Write([&](CSrcSink& s) { WriteVarRecords(s, &vars.list, PanelType(43, false), true); });
    EXPECT_EQ(out, kPrefix + "BIN0-B,  4,  1,          0,         10\r\n\r\n"
                   "VAR, W               ,   8, ACTUAL     , BIN-2 ,  4,  0,          0,         10\r\n\r\n");
    // Only the pair that held values is a loss.
    EXPECT_EQ(rig.leftOut, 1);
}

TEST(WriterLayoutTest, VarSectionSkipsInternalsAndNeedsAnExternalVariable)
{
    SrcWriterRig rig(43);
    VarList vars;
    vars.Add(std::make_unique<CPrjIntVarStr>("[Z084]", 0, 0, 142, 0, 0, &rig.pool));
    EXPECT_EQ(rig.Write([&](CSrcSink& s) { WriteVarRecords(s, &vars.list, PanelType(43, false), false); }), "");

    vars.Add(std::make_unique<CPrjVarAscii>("A", 3, 1, 34, 2));
    vars.Add(std::make_unique<CPrjVarAscii>("B", 4, 1, 34, 2));
    // The first section of a file gets no separator, every later one does.
    const std::string out = rig.Write([&](CSrcSink& s) {
        WriteVarRecords(s, &vars.list, PanelType(43, false), false);
        WriteVarRecords(s, &vars.list, PanelType(43, false), false);
    });
    const std::string recs = "VAR, A               ,   3, ACTUAL     , ASCII ,  2\r\n\r\n"
                             "VAR, B               ,   4, ACTUAL     , ASCII ,  2\r\n\r\n";
    EXPECT_EQ(out, recs + " " + std::string(76, '_') + "\r\n\r\n" + recs);
}

// Internal variables of the rows and the settings.
struct IntVarFixture {
    explicit IntVarFixture(SrcWriterRig& rig) : pool(&rig.pool) {}
    CPrjIntVarStr* Str(const char* name, uint8_t type, int last)
    {
        auto* v = new CPrjIntVarStr(name, 0, 0, type, 0, 0, pool);
        v->SetTxtCount(last);
        vars.list.Add(v);
        return v;
    }
    CTextPool* pool;
    VarList vars;
    VarList fw;
};

TEST(WriterLayoutTest, InternVarRecords)
{
    SrcWriterRig rig(47);
    IntVarFixture f(rig);
    CPrjIntVarStr* z84 = f.Str("[Z084]", 142, 1);
    z84->SetAdr(12); // never written for the softkey rows
    z84->SetStateTxt(0, "F1 Ein");
    z84->SetStateTxt(1, "F8");
    CPrjIntVarStr* z18 = f.Str("[Z018]", 142, 1);
    z18->SetAdr(40);
    z18->SetStateTxt(0, "a");
    z18->SetStateTxt(1, "b");
    CPrjIntVarStr* z19 = f.Str("[Z019]", 144, 1);
    z19->SetStateTxt(1, "c");
    f.Str("[Z21]", 144, 0);  // 144 without states: nothing at all
    f.Str("[Z085]", 144, 0)->SetStateTxt(0, "F9"); // nothing either, but counted
    f.Str("[ZB]", 142, 1);   // another name: its empty line alone
    f.fw.list.Add(new CPrjIntVarHex("[Z200]", 0, 0, 249, 0, 0, "1B4F7"));

    const std::string out =
        rig.Write([&](CSrcSink& s) { WriteIntVarRecords(s, &f.vars.list, &f.fw.list, PanelType(47, false)); });
    // The settings always take their seven states; the missing ones, the
    // single softkey row state and the odd last hex digit are counted.
    std::string empty;
    for (int i = 2; i <= 6; ++i)
        empty += "STATE,   " + std::to_string(i) + ", \"\"\r\n";
    EXPECT_EQ(out, "INTERN_VAR, [Z018], 40\r\nSTATE,   0, \"a\"\r\nSTATE,   1, \"b\"\r\n" + empty + "\r\n"
                   "INTERN_VAR, [Z019]\r\nSTATE,   0, \"\"\r\nSTATE,   1, \"c\"\r\n" + empty + "\r\n"
                   "INTERN_VAR, [Z084]\r\nSTATE,   0, \"F1 Ein\"\r\nSTATE,   1, \"F8\"\r\n\r\n"
                   "\r\n"
                   "INTERN_VAR, [Z200], \"$1B$4F\"\r\n");
    EXPECT_EQ(rig.leftOut, 13);
}

TEST(WriterLayoutTest, InternVarSectionConditions)
{
    SrcWriterRig rig(43);
    IntVarFixture f(rig);
    CPrjIntVarStr* z18 = f.Str("[Z018]", 142, 1);
    z18->SetStateTxt(0, "a");
    // No softkey row on a 43 project: no section.
    EXPECT_EQ(rig.Write([&](CSrcSink& s) { WriteIntVarRecords(s, &f.vars.list, &f.fw.list, PanelType(43, false)); }), "");
    // The 706 family needs none.
    EXPECT_NE(rig.Write([&](CSrcSink& s) { WriteIntVarRecords(s, &f.vars.list, &f.fw.list, PanelType(473, false)); }), "");
    // Without a firmware list nothing is written.
    EXPECT_EQ(rig.Write([&](CSrcSink& s) { WriteIntVarRecords(s, &f.vars.list, nullptr, PanelType(473, false)); }), "");
}

TEST(WriterLayoutTest, HeaderLines)
{
    SrcWriterRig rig(43);
    const SrcPlcLine plc{5, 33, 0, 0, 256};
    EXPECT_EQ(rig.Write([&](CSrcSink& s) { WriteHeaderLines(s, 43, 0, "Q32r11000", &plc); }),
              "ORV043_PARAMETER, Q32r11000, DRV=5, SPS=33, DB=0, OFFS=0, LEN=256\r\n\r\nBEGIN\r\n\r\n");
    // Bound to the simulation driver: no PLC part and no empty line after it.
    EXPECT_EQ(rig.Write([&](CSrcSink& s) { WriteHeaderLines(s, 47, 1, "Q32r11000", nullptr); }),
              "ORV755_PARAMETER, Q32r11000\r\nBEGIN\r\n\r\n");
    EXPECT_EQ(rig.Write([&](CSrcSink& s) { WriteMemSizeLines(s, 20, 4); }),
              "RECIPESIZE, 20\r\nDATASIZE, 4\r\n\r\n");
    EXPECT_EQ(rig.Write([&](CSrcSink& s) { WriteEndLines(s); }), "END\r\n\r\n");
}

TEST(WriterLayoutTest, SectionNamesOfEveryPanelType)
{
    const std::vector<std::pair<uint16_t, const char*>> names = {
        {14, "ORV014_PARAMETER"},  {36, "ORV036_PARAMETER"},  {43, "ORV043_PARAMETER"},  {47, "ORV047_PARAMETER"},
        {118, "ORV118_PARAMETER"}, {163, "ORV163_PARAMETER"}, {167, "ORV167_PARAMETER"}, {473, "ORV473_PARAMETER"},
        {477, "ORV477_PARAMETER"}, {706, "ORV706_PARAMETER"}};
    for (const auto& [type, name] : names)
        EXPECT_STREQ(SrcSectionName(type, 0), name) << type;
    EXPECT_EQ(SrcSectionName(724, 0), nullptr);
    EXPECT_EQ(SrcSectionName(753, 0), nullptr);
}

TEST(WriterLayoutTest, DescriptionBlock)
{
    SrcWriterRig rig(43);
    const std::string tail = "DESCRIPTIONEND\r\n\r\n\r\n";
    EXPECT_EQ(rig.Write([&](CSrcSink& s) { WriteDescriptionBlock(s, "100% %s\r\nx"); }),
              "DESCRIPTION\r\n100% %s\r\nx\r\n" + tail);
    EXPECT_EQ(rig.Write([&](CSrcSink& s) { WriteDescriptionBlock(s, "a\r\n"); }), "DESCRIPTION\r\na\r\n" + tail);
    // A lone LF is no line end of the file.
    EXPECT_EQ(rig.Write([&](CSrcSink& s) { WriteDescriptionBlock(s, "a\n"); }), "DESCRIPTION\r\na\n\r\n" + tail);
    EXPECT_EQ(rig.Write([&](CSrcSink& s) { WriteDescriptionBlock(s, ""); }), "");
    // A long description is written whole.
    const std::string longText(1260, 'd');
    EXPECT_EQ(rig.Write([&](CSrcSink& s) { WriteDescriptionBlock(s, longText); }),
              "DESCRIPTION\r\n" + longText + "\r\n" + tail);
}

TEST(WriterLayoutTest, TimerRecords)
{
    SrcWriterRig rig(43);
    CTimerList timers(4, 4);
    auto* light = new CPrjTimer(0, "Beleuchtung");
    light->AddTimeVal(new CTimeVal(21600, 66600));
    light->AddTimeVal(new CTimeVal(460800, 475200));
    timers.Add(light);
    auto* sixteen = new CPrjTimer(1, "ABCDEFGHIJKLMNOP");
    sixteen->AddTimeVal(new CTimeVal(79200, 104400));
    timers.Add(sixteen);
    const std::string out = rig.Write([&](CSrcSink& s) { WriteTimerRecords(s, &timers); });
    EXPECT_EQ(out, "TIMER, Beleuchtung     , 0\r\n"
                   "SCHED_WEEK, 00,06:00:00, 00,18:30:00\r\n"
                   "SCHED_WEEK, 05,08:00:00, 05,12:00:00\r\n\r\n"
                   "TIMER, ABCDEFGHIJKLMNOP, 1\r\n"
                   "SCHED_WEEK, 00,22:00:00, 01,05:00:00\r\n\r\n");
    timers.FreeAll();
}

} // namespace
