#include "CompWorld.h"

#include "image/compile/Comp118.h"
#include "image/compile/Comp118Img2.h"
#include "image/codec/ImgLayout.h"
#include "model/project/FrmCfg.h"
#include "model/core/LangStrings.h"
#include "model/project/Mnu.h"
#include "model/project/MsgTxt.h"
#include "model/project/OpTxt.h"
#include "model/project/PrjIntVar.h"
#include "model/project/PrjVarKinds.h"
#include "model/project/PrjVarList.h"
#include "model/project/RcpTxt.h"
#include "model/project/SkAct.h"
#include "model/project/SkTxt.h"
#include "model/core/WorkspaceState.h"
#include "support/Image043_118Builder.h"
#include "support/ScopedEnv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>

using namespace orv;

namespace {

struct Comp118Compiled {
    uint16_t error = 0;
    int check = 0;
    std::string image;
};

class Comp118 : public ::testing::Test, public CompWorld {
public:
    Comp118() : CompWorld(World(118).CharSet().Frm())
    {
        frm.SetFrmId("FW118");
        prj.SetPath(dir.File("P.ORV"));
    }

    Comp118Compiled Compile()
    {
        Comp118Compiled out;
        {
            CComp118 comp(workspace, dir.File("P.BIN"), "", "", 0, bundle);
            out.error = comp.GetError();
            out.check = comp.CheckError();
        }
        out.image = dir.Read("P.BIN");
        return out;
    }

    Comp118Compiled CompileRecipes()
    {
        Comp118Compiled out;
        {
            CComp118Img2 comp(workspace, dir.File("P.RCP"), bundle);
            out.error = comp.GetError();
            out.check = comp.CheckError();
        }
        out.image = dir.Read("P.RCP");
        return out;
    }

    std::string Image()
    {
        const Comp118Compiled c = Compile();
        EXPECT_EQ(c.error, 0);
        return c.image;
    }

    // A recipe text showing the variables in row 1, each with a value.
    CPrjRcpTxt* Recipe(int32_t num, std::initializer_list<std::pair<CPrjVar*, uint32_t>> values)
    {
        auto* text = new CPrjRcpTxt(num);
        std::vector<VarSlot> slots;
        uint8_t col = 0;
        for (const auto& [var, value] : values) {
            slots.push_back({var, col});
            col = static_cast<uint8_t>(col + var->GetWidth() + 1);
        }
        CTxtVarSlots row;
        for (size_t i = 0; i < slots.size(); ++i) {
            row.SetVar(static_cast<int>(i), slots[i].var);
            row.SetCol(static_cast<int>(i), slots[i].col);
        }
        text->SetRowCount(1);
        text->SetRow(std::make_unique<CPrjTxtRow>(1, std::string(col, ' '), &row));
        int i = 0;
        for (const auto& [var, value] : values) {
            text->GetValList().InsertPair(var, i);
            text->GetValList().GetAt(i++)->SetValue(value);
        }
        EXPECT_GE(prj.GetRcpTxtList()->Insert(text), 0);
        return text;
    }

    static CPrjVar* Texts(CPrjVar* var, std::initializer_list<const char*> texts)
    {
        int i = 0;
        for (const char* text : texts)
            var->SetStateTxt(i++, text);
        return var;
    }

    CPrjIntVar* IntVar(const char* name, int16_t adr)
    {
        auto* var = Add(new CPrjIntVar(name, adr, 0, 1, 134, 0, 0));
        var->SetWidth(2);
        return var;
    }

    static std::string CountedAt(const std::string& image, size_t at) { return image.substr(at + 1, ByteAt(image, at)); }
    // Entry n of the list table whose address is in the header slot.
    static size_t Entry(const std::string& image, size_t slot, int n)
    {
        return WordAt(image, WordAt(image, slot) + 12 + 2 * static_cast<size_t>(n));
    }
};

bool HasLine(const std::vector<std::string>& lines, const std::string& part)
{
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.find(part) != std::string::npos; });
}

// --- Header ----------------------------------------------------------------------

TEST_F(Comp118, HeaderFieldsByPanelType)
{
    struct Case {
        uint16_t type;
        uint8_t dwordVars;
        const char* id;
        const char* flags;
    } const cases[] = {
        {118, 0, "OG118201", "00000001"},
        {163, 1, "OG163201", "00000003"},
        {167, 0, "OG167201", "00000001"},
    };
    prj.SetPath(dir.File(std::string(30, 'N') + ".ORV"));
    prj.SetCycleTime(33);
    for (const Case& c : cases) {
        SetDevType(c.type);
        prj.SetDWordVars(c.dwordVars);
        const std::string image = Image();
        EXPECT_EQ(WordAt(image, 0), 0u) << c.type;
        EXPECT_EQ(ByteAt(image, 4), 240u) << c.type;
        EXPECT_EQ(image.substr(5, 13), std::string(12, 'N') + '\0') << c.type;
        EXPECT_EQ(image.substr(22, 9), std::string(c.id) + '\0') << c.type;
        EXPECT_EQ(image.substr(31, 10), std::string("Q32r11000\0", 10)) << c.type;
        EXPECT_EQ(Hex(image.substr(131, 4)), c.flags) << c.type;
        EXPECT_EQ(ByteAt(image, 135), 33u) << c.type;
        EXPECT_EQ(image.substr(218, 10), std::string("FW118    \0", 10)) << c.type;
        // The data set, then the closing word.
        EXPECT_EQ(WordAt(image, 2), image.size() - 2 - 2) << c.type;
        EXPECT_EQ(WordAt(image, image.size() - 2), 0u) << c.type;
    }
}

TEST_F(Comp118, RecipeCheckWordOverTheRecipeList)
{
    auto* bin = Add(new CPrjVarBin("Bin", 4, 1, 2, 4, 0, 0, 100, 0, 1000));
    bin->SetWidth(4);
    Recipe(1, {{bin, 5}});
    const std::string image = Image();
    EXPECT_EQ(WordAt(image, 228), 0x0241u);  // fed 1, 2, 1
}

TEST_F(Comp118, WeekdaySlotsHoldAtMostTwoCharacters)
{
    const char* const days1[] = {"MO", "DIE", "MI", "D", "FR", "SA", "SO"};
    const char* const days2[] = {"M1", "T2", "W3", "T4", "F5", "S6", "S7"};
    auto* first = Add(new CPrjIntVarStr("[Z21]", 0, 1, 142, 0, 0, prj.GetTextPool()));
    auto* second = Add(new CPrjIntVarStr("[Z22]", 0, 1, 142, 0, 0, prj.GetTextPool()));
    first->SetTxtCount(6);
    second->SetTxtCount(6);
    for (int i = 0; i < 7; ++i) {
        first->SetStateTxt(i, days1[i]);
        second->SetStateTxt(i, days2[i]);
    }
    const std::string image = Image();
    EXPECT_EQ(Hex(image.substr(174, 21)), "024D4F" "024449" "024D49" "014400" "024652" "025341" "02534F");
    EXPECT_EQ(Hex(image.substr(195, 21)), "024D31" "025432" "025733" "025434" "024635" "025336" "025337");
    EXPECT_NE(WordAt(image, 216), 0u);  // the recipe block's word overwrote the last NUL
}

// --- Variables ---------------------------------------------------------------------

struct Comp118VarCase {
    const char* what;
    uint8_t dwordVars;
    std::function<CPrjVar*()> make;
    const char* bytes;  // from the width byte on
};

TEST_F(Comp118, VariableRecordsByTypeCodeAndOption)
{
    const Comp118VarCase cases[] = {
        {"BCD 0", 0, [] { return new CPrjVarBcd("V", 7, 1, 0, 3, 12, 987, 1); }, "05" "00" "07" "0FFF" "0012" "0987" "01"},
        {"BIN 2", 0, [] { return new CPrjVarBin("V", 4, 1, 2, 4, 1, 100, 1100, 0, 4000); },
         "05" "02" "04" "04" "01" "00000064" "0000044C" "0001" "0004" "000000000190" "000000000000"},
        {"VBIN 18", 1, [] { return new CPrjVarVbin("V", 4, 1, 18, 4, 0, -500, 500, -1000, 3000); },
         "05" "12" "04" "04" "00" "7FFFFE0C" "800001F4" "0001" "0004" "FFFFFFFFFC18"},
        {"BIN 6 without the option", 0, [] { return new CPrjVarBin("V", 4, 1, 6, 8, 2, 5, 99999, 0, 0); },
         "05" "06" "04" "08" "02" "00000005" "0001869F"},
        {"BIN 7 with the option", 1, [] { return new CPrjVarBin("V", 4, 1, 7, 8, 0, 100, 1100, 0, 4000); },
         "05" "07" "04" "08" "00" "00000064" "0000044C" "00000001" "00000004" "000000000190" "000000000000"},
        {"VBIN 22 without the option", 0, [] { return new CPrjVarVbin("V", 4, 1, 22, 6, 0, -7, 7, 0, 0); },
         "05" "16" "04" "06" "00" "7FFFFFF9" "80000007"},
        {"VBIN 22 with the option", 1, [] { return new CPrjVarVbin("V", 4, 1, 22, 6, 0, -500, 500, -1000, 3000); },
         "05" "16" "04" "06" "00" "7FFFFE0C" "800001F4" "00000001" "00000004" "FFFFFFFFFC18"},
        {"VBIN 25 with the option and no PLC range", 1,
         [] { return new CPrjVarVbin("V", 4, 2, 25, 6, 0, -7, 7, 0, 0); },
         "05" "99" "04" "06" "00" "7FFFFFF9" "80000007" "00000001" "00000000" "000000000000"},
        {"KH", 0, [] { return new CPrjVarWord("V", 4, 1, 33, 1); }, "05" "24" "04"},
        {"KY", 0, [] { return new CPrjVarWord("V", 4, 1, 33, 2); }, "05" "26" "04"},
        {"BCD 16", 0, [] { return new CPrjVarBcd("V", 4, 1, 16, 8, 0, 12345678, 1); },
         "05" "10" "04" "FFFF" "FFFF" "00000000" "12345678" "01"},
        {"Bit", 0,
         [this] {
             return Texts(new CPrjVarBit("V", 4, 1, 12, 3, prj.GetTextPool()), {"AUS", "EIN"});
         },
         "05" "0C" "04" "0008" "00FA" "00FE"},
        {"String, nominal", 0,
         [this] {
             auto* var = new CPrjVarString("V", 4, 2, 14, prj.GetTextPool());
             var->SetTxtCount(2);
             return Texts(var, {"A", "BB", "CCC"});
         },
         "05" "8E" "04" "02" "00FA" "00FC" "0100"},
        {"Timer, secondary", 0,
         [this] { return Texts(new CPrjVarTimer("V", 4, 3, 36, prj.GetTextPool()), {"T0", "T1", "T2", "T3"}); },
         "05" "E8" "04" "00FA" "00FE" "0102" "0106"},
        {"ASCII", 0, [] { return new CPrjVarAscii("V", 4, 1, 34, 3); }, "05" "22" "04"},
        {"internal list", 0,
         [this] {
             auto* var = new CPrjIntVarStr("V", 0, 1, 144, 0, 0, prj.GetTextPool());
             var->SetTxtCount(1);
             return Texts(var, {"F1", "F2"});
         },
         "05" "2A" "FF" "01" "00FA" "00FE"},
    };
    for (const Comp118VarCase& c : cases) {
        prj.GetVarList()->FreeAll();
        prj.SetDWordVars(c.dwordVars);
        CPrjVar* var = Add(c.make());
        var->SetWidth(5);
        const std::string image = Image();
        const size_t at = WordAt(image, 136);
        ASSERT_GE(at, 250u) << c.what;
        const std::string expect = c.bytes;
        EXPECT_EQ(Hex(image.substr(at + 4, expect.size() / 2)), expect) << c.what;
        EXPECT_EQ(image.substr(WordAt(image, at + 2), 16), std::string("V") + std::string(15, '\0')) << c.what;
    }
}

TEST_F(Comp118, ImageTypeByteAndRecordSizeOfEveryTypeCode)
{
    struct Case {
        uint8_t type;
        uint8_t code;
        uint32_t size;        // without the double-word option
        uint32_t sizeOption;  // with it
    } const cases[] = {
        {0, 0, 14, 14},   {28, 28, 14, 14}, {16, 16, 20, 20}, {30, 30, 20, 20}, {2, 2, 33, 33},
        {3, 3, 33, 33},   {4, 4, 33, 33},   {5, 5, 33, 33},   {6, 6, 17, 37},   {7, 7, 17, 37},
        {8, 8, 17, 37},   {9, 9, 17, 37},   {18, 18, 27, 27}, {19, 19, 27, 27}, {20, 20, 27, 27},
        {21, 21, 27, 27}, {22, 22, 17, 31}, {23, 23, 17, 31}, {24, 24, 17, 31}, {25, 25, 17, 31},
        {12, 12, 13, 13}, {14, 14, 12, 12}, {26, 26, 12, 12}, {34, 34, 7, 7},   {36, 40, 15, 15},
        {144, 42, 12, 12},
    };
    const auto make = [this](uint8_t type) -> CPrjVar* {
        CTextPool* pool = prj.GetTextPool();
        switch (type) {
        case 0: case 28: return new CPrjVarBcd("A", 4, 1, type, 4, 0, 99, 0);
        case 16: case 30: return new CPrjVarBcd("A", 4, 1, type, 8, 0, 99, 0);
        case 12: return Texts(new CPrjVarBit("A", 4, 1, type, 3, pool), {"0", "1"});
        case 14: case 26: {
            auto* var = new CPrjVarString("A", 4, 1, type, pool);
            var->SetTxtCount(1);
            return Texts(var, {"0", "1"});
        }
        case 34: return new CPrjVarAscii("A", 4, 1, type, 2);
        case 36: return Texts(new CPrjVarTimer("A", 4, 1, type, pool), {"0", "1", "2", "3"});
        case 144: {
            auto* var = new CPrjIntVarStr("A", 0, 1, type, 0, 0, pool);
            var->SetTxtCount(1);
            return Texts(var, {"0", "1"});
        }
        default: break;
        }
        if (type >= 18)
            return new CPrjVarVbin("A", 4, 1, type, 4, 0, -100, 100, -1000, 1000);
        return new CPrjVarBin("A", 4, 1, type, 4, 0, 0, 100, 0, 1000);
    };
    for (const uint8_t option : {0, 1}) {
        prj.SetDWordVars(option);
        for (const Case& c : cases) {
            prj.GetVarList()->FreeAll();
            Add(make(c.type))->SetWidth(4);
            Add(new CPrjVarBcd("Z", 5, 1, 0, 4, 0, 99, 0))->SetWidth(4);
            const std::string image = Image();
            const size_t last = WordAt(image, 136);
            const size_t rec = WordAt(image, last);
            const uint32_t size = option ? c.sizeOption : c.size;
            EXPECT_EQ(ByteAt(image, rec + 5), c.code) << unsigned{c.type} << " option " << unsigned{option};
            EXPECT_EQ(last - rec, size + size % 2) << unsigned{c.type} << " option " << unsigned{option};
        }
    }
    // The three display forms of a word.
    for (const auto& [form, code] : {std::pair{0, 32}, std::pair{1, 36}, std::pair{2, 38}}) {
        prj.GetVarList()->FreeAll();
        Add(new CPrjVarWord("A", 4, 1, 33, static_cast<uint8_t>(form)))->SetWidth(4);
        const std::string image = Image();
        EXPECT_EQ(ByteAt(image, WordAt(image, 136) + 5), unsigned(code)) << form;
    }
}

TEST_F(Comp118, ReserveSizesByTypeCode)
{
    const std::pair<uint8_t, uint32_t> cases[] = {{0, 14}, {28, 14}, {2, 33}, {5, 33}, {6, 37}, {9, 37}, {12, 13},
                                                  {16, 20}, {30, 20}, {18, 27}, {21, 27}, {22, 31}, {25, 31},
                                                  {36, 15}, {33, 7}, {34, 7}};
    for (const auto& [type, size] : cases)
        EXPECT_EQ(imglayout::BVarReserve(type, 0), size) << unsigned{type};
    EXPECT_EQ(imglayout::BVarReserve(14, 3), 15u);
    EXPECT_EQ(imglayout::BVarReserve(144, 0), 9u);
}

TEST_F(Comp118, RecordMovesToTheBlockBoundaryByItsReserveSize)
{
    // A BIN double word without the option has 17 bytes but reserves 37:
    // placed after the fillers it fits before 4096 - 32 by its bytes only.
    for (int v = 0; v < 270; ++v)
        Add(new CPrjVarBcd("A" + std::to_string(100 + v), 1, 1, 0, 4, 0, 9999, 0))->SetWidth(4);
    Add(new CPrjVarBin("Z", 2, 1, 6, 8, 0, 0, 99999, 0, 0))->SetWidth(8);
    const std::string image = Image();
    const size_t rec = WordAt(image, 136);
    ASSERT_EQ(ByteAt(image, rec + 5), 6u);
    const size_t before = WordAt(image, rec);
    ASSERT_EQ(ByteAt(image, before + 5), 0u);
    const size_t end = before + 14;
    ASSERT_LT(end + 17 + 32, 4096u);
    ASSERT_GE(end + 37 + 32, 4096u);
    EXPECT_EQ(rec, 4096u);
    EXPECT_EQ(image.substr(end, rec - end), std::string(rec - end, '\0'));
}

TEST_F(Comp118, VariablesThatCannotBeScaledStopTheCompile)
{
    struct Case {
        const char* what;
        uint8_t dwordVars;
        std::function<CPrjVar*()> make;
    } const cases[] = {
        {"zero display span, word", 0, [] { return new CPrjVarBin("Flat", 4, 1, 3, 4, 0, 10, 10, 0, 100); }},
        {"zero display span, dword", 1, [] { return new CPrjVarVbin("Flat", 4, 1, 23, 4, 0, 5, 5, 0, 0); }},
        {"value48 overflow", 1,
         [] { return new CPrjVarBin("Flat", 4, 1, 8, 9, 0, -16, -1, 0, 0x7FFFFFFF); }},
    };
    for (const Case& c : cases) {
        prj.GetVarList()->FreeAll();
        ui.ClearCalls();
        prj.SetDWordVars(c.dwordVars);
        Add(c.make())->SetWidth(4);
        const Comp118Compiled out = Compile();
        EXPECT_EQ(out.error, CComp::kErrIncomplete) << c.what;
        EXPECT_TRUE(HasLine(LogLines(), "Flat")) << c.what;
    }
}

TEST_F(Comp118, RecordAtTheFirmwareAddressesGives53)
{
    workspace.MemInfo().freeData = 0xFFFF;
    // State texts make big records: 80 of 520 bytes pass 0xA000.
    for (int v = 0; v < 80; ++v) {
        auto* var = Add(new CPrjVarString("S" + std::to_string(100 + v), 4, 1, 14, prj.GetTextPool()));
        var->SetTxtCount(255);
        for (int i = 0; i <= 255; ++i)
            var->SetStateTxt(i, "A");
    }
    const Comp118Compiled out = Compile();
    EXPECT_EQ(out.error, CComp::kErrVarMemory);
    EXPECT_EQ(out.check, 0);
    EXPECT_EQ(BoxIds().back(), 15217);
}

TEST_F(Comp118, ImageBeyondTheWordAddressesGives23)
{
    // More panel memory than a word can address: help texts of 32 rows
    // fill some 80 KB.
    workspace.MemInfo().freeData = 131070;
    for (int n = 0; n < 60; ++n) {
        auto* text = new CKindTxt(n);
        for (int r = 1; r <= 32; ++r)
            Row(text, std::string(39, 'x'), {}, r);
        prj.InsHlpTxt(0, text);
    }
    const Comp118Compiled out = Compile();
    EXPECT_EQ(out.error, CComp::kErrMemory);
    EXPECT_LE(out.image.size(), 0x10000u);
}

// --- Texts ------------------------------------------------------------------------

TEST_F(Comp118, OperatorTextTableAndRows)
{
    auto* w = Add(new CPrjVarWord("W", 5, 1, 32, 0));
    w->SetWidth(3);
    OpTxt(2, "Ab   W  ", {{w, 5}});
    auto* two = OpTxt(0, "x");
    Row(two, "third", {}, 3);
    prj.InsOpTxt(Row(new CPrjOpTxtRange(0, 127), "template"));
    const std::string image = Image();
    const size_t table = WordAt(image, 138);
    EXPECT_EQ(Hex(image.substr(table, 12)), "000000000000000000000003");
    EXPECT_EQ(WordAt(image, table + 12 + 2), 0u);  // number 1 is missing
    const size_t rec = Entry(image, 138, 2);
    EXPECT_EQ(Hex(image.substr(rec, 2)), "0001");
    EXPECT_EQ(Hex(CountedAt(image, WordAt(image, rec + 2))), "41628200" + Hex(std::string{
        static_cast<char>(w->GetAttr32() >> 8), static_cast<char>(w->GetAttr32() & 0xFF)}));
    const size_t rec0 = Entry(image, 138, 0);
    EXPECT_EQ(ByteAt(image, rec0 + 1), 3u);
    EXPECT_EQ(WordAt(image, rec0 + 4), 0u);  // row 2 is missing
    EXPECT_EQ(CountedAt(image, WordAt(image, rec0 + 6)), "third");
    EXPECT_EQ(WordAt(image, table + 4), 0u);  // no template
}

TEST_F(Comp118, MessageAttributeBlockAndHelpSlots)
{
    prj.InsMsgTxt(Row(new CMsgTxt(2, 3, 2, 0), "m2"));
    prj.InsMsgTxt(Row(new CMsgTxt(0, 4, 4, 0), "m0"));
    prj.InsHlpTxt(4, Row(new CKindTxt(1), "fault"));
    prj.InsHlpTxt(5, Row(new CKindTxt(0), "history"));
    prj.InsHlpTxt(1, Row(new CKindTxt(0), "menu"));
    prj.InsHlpTxt(1, Row(new CKindTxtRange(0, 127), "range"));
    prj.InsHlpTxt(6, Row(new CKindTxt(0), "recipe"));
    const std::string image = Image();
    const size_t block = WordAt(image, 170);
    EXPECT_EQ(Hex(image.substr(block, 15)), "00000000000000000000" "0003" "84" "00" "22");
    EXPECT_EQ(ByteAt(image, Entry(image, 140, 2)), 0x22u);
    EXPECT_EQ(CountedAt(image, WordAt(image, Entry(image, 140, 0) + 2)), "m0");

    const auto firstRow = [&](size_t slot, int n) { return CountedAt(image, WordAt(image, Entry(image, slot, n) + 2)); };
    EXPECT_EQ(firstRow(152, 0), "menu");
    EXPECT_EQ(firstRow(158, 0), "history");  // lists 4 and 5 share a slot, the later wins
    EXPECT_EQ(firstRow(160, 0), "recipe");
    EXPECT_EQ(WordAt(image, 150), 0u);  // an empty list writes no table
    const size_t help1 = WordAt(image, 152);
    EXPECT_EQ(CountedAt(image, WordAt(image, WordAt(image, help1 + 4) + 2)), "range");
    EXPECT_EQ(WordAt(image, help1 + 6), 0u);
    EXPECT_EQ(WordAt(image, help1 + 8), 0xFFFFu);
}

TEST_F(Comp118, RecipeTextTableAndRows)
{
    auto* bin = Add(new CPrjVarBin("Bin", 4, 1, 2, 4, 0, 0, 100, 0, 1000));
    bin->SetWidth(4);
    Recipe(2, {{bin, 5}});
    const std::string image = Image();
    const size_t table = WordAt(image, 142);
    EXPECT_EQ(Hex(image.substr(table, 16)), "000000000000000000000003" "0000" "0000");
    const size_t rec = Entry(image, 142, 2);
    EXPECT_EQ(Hex(image.substr(rec, 2)), "0001");
    const std::string field{'\0', static_cast<char>(bin->GetAttr32() >> 8), static_cast<char>(bin->GetAttr32() & 0xFF)};
    EXPECT_EQ(CountedAt(image, WordAt(image, rec + 2)), field);
}

TEST_F(Comp118, RecipeConflictCheck)
{
    struct Case {
        const char* what;
        std::function<std::vector<CPrjVar*>(Comp118&)> vars;
        uint16_t error;
    } const cases[] = {
        {"same word",
         [](Comp118& t) {
             return std::vector<CPrjVar*>{t.Add(new CPrjVarWord("A", 5, 1, 32, 0)), t.Add(new CPrjVarWord("B", 5, 1, 32, 0))};
         },
         CComp::kErrRecipeConflict},
        {"different bits",
         [](Comp118& t) {
             return std::vector<CPrjVar*>{t.Add(new CPrjVarBit("A", 5, 1, 12, 1, t.prj.GetTextPool())),
                                          t.Add(new CPrjVarBit("B", 5, 1, 12, 2, t.prj.GetTextPool()))};
         },
         0},
        {"same bit",
         [](Comp118& t) {
             return std::vector<CPrjVar*>{t.Add(new CPrjVarBit("A", 5, 1, 12, 3, t.prj.GetTextPool())),
                                          t.Add(new CPrjVarBit("B", 5, 1, 12, 3, t.prj.GetTextPool()))};
         },
         CComp::kErrRecipeConflict},
        {"overlapping two-word variables",
         [](Comp118& t) {
             return std::vector<CPrjVar*>{t.Add(new CPrjVarBcd("A", 5, 1, 16, 8, 0, 1, 0)),
                                          t.Add(new CPrjVarBcd("B", 6, 1, 16, 8, 0, 1, 0))};
         },
         CComp::kErrRecipeConflict},
        {"two-word variable at word 255",
         [](Comp118& t) { return std::vector<CPrjVar*>{t.Add(new CPrjVarBcd("A", 255, 1, 16, 8, 0, 1, 0))}; },
         CComp::kErrIncomplete},
    };
    for (const Case& c : cases) {
        prj.GetRcpTxtList()->FreeAll();
        prj.GetVarList()->FreeAll();
        ui.ClearCalls();
        const std::vector<CPrjVar*> vars = c.vars(*this);
        auto* text = Recipe(7, {});
        CTxtVarSlots slots;
        for (size_t i = 0; i < vars.size(); ++i) {
            vars[i]->SetStateTxt(0, "a");
            vars[i]->SetStateTxt(1, "b");
            vars[i]->SetWidth(2);
            slots.SetVar(static_cast<int>(i), vars[i]);
            slots.SetCol(static_cast<int>(i), static_cast<uint8_t>(3 * i));
        }
        text->SetRow(std::make_unique<CPrjTxtRow>(1, "         ", &slots));
        const Comp118Compiled out = Compile();
        EXPECT_EQ(out.error, c.error) << c.what;
        if (c.error == CComp::kErrRecipeConflict) {
            EXPECT_EQ(BoxIds().back(), 15211) << c.what;
        }
        if (c.error == CComp::kErrIncomplete) {
            EXPECT_TRUE(HasLine(LogLines(), "Rezept 7")) << c.what;
        }
    }
}

// --- Softkeys and menus -------------------------------------------------------------

TEST_F(Comp118, SoftkeyTextsInByteForm)
{
    for (const uint16_t type : {118, 167}) {
        SetDevType(type);
        prj.GetSkTxtList()->FreeAllSkTxt();
        prj.GetSkActList()->FreeAllActs();
        auto* act = new CPrjSkAct(3, "Act");
        act->SetOperation(0, CPrjSkAct::kOpWrite, 100, 0x1234, 2);
        prj.InsSkAct(act);
        auto* sk = new CPrjSkTxt(1);
        sk->SetActs(2, act, nullptr);
        prj.InsSkTxt(sk);
        const std::string image = Image();
        const unsigned keys = type == 167 ? 16 : 8;
        const size_t rec = Entry(image, 121, 1);
        EXPECT_EQ(ByteAt(image, rec), 0u) << type;
        EXPECT_EQ(ByteAt(image, rec + 1), keys) << type;
        EXPECT_EQ(Hex(image.substr(WordAt(image, rec + 4), 4)), "00030000") << type;  // key 2 at record + 4
        const size_t acts = WordAt(image, 119);
        EXPECT_EQ(Hex(image.substr(WordAt(image, acts + 2 + 6), 12)), "0001" "0064" "02" "02" "1234" "41637400")
            << type;
    }
}

TEST_F(Comp118, MenusKeepTheirMaskBeforeTheFirstNode)
{
    CPrjOpTxt* t0 = OpTxt(0, "zero");
    CPrjOpTxt* t1 = OpTxt(1, "one");
    auto* menu = new CPrjMnu(3, "Main", 0x1234);
    menu->InsNode(new CPrjMnuNode(1, 0, 2, 0, 0, t0, 1));
    menu->InsNode(new CPrjMnuNode(2, 1, 0, 9, 0, t1, 0));
    prj.InsMnu(menu);
    const Comp118Compiled c = Compile();
    ASSERT_EQ(c.error, 0);
    const std::string& image = c.image;
    const size_t first = Entry(image, 168, 3);
    EXPECT_EQ(WordAt(image, WordAt(image, 168) + 10), 4u);
    EXPECT_EQ(WordAt(image, first - 2), 0x1234u);
    EXPECT_EQ(WordAt(image, first), first + 8);
    EXPECT_EQ(Hex(image.substr(first + 2, 14)), "010002000000" "0000" "020100000001");
    EXPECT_EQ(LogLinesAfter(LoadLangString(15201)), std::vector<std::string>{"Main"});

    auto* noStart = new CPrjMnu(4, "NoStart", 0x30FF);
    noStart->InsNode(new CPrjMnuNode(1, 0, 0, 0, 0, t0, 0));
    prj.InsMnu(noStart);
    EXPECT_EQ(Compile().error, CComp::kErrIncomplete);
}

TEST_F(Comp118, MenuMaskStaysBeforeItsNodeAcrossABlockBoundary)
{
    CPrjOpTxt* t0 = OpTxt(0, "zero");
    // Operator texts of 4 rows push the menu to the end of the first block.
    for (int n = 1; n <= 30; ++n) {
        auto* text = OpTxt(n, "row one");
        for (int r = 2; r <= 4; ++r)
            Row(text, "more rows of text", {}, r);
    }
    for (int m = 1; m <= 120; ++m) {
        auto* menu = new CPrjMnu(static_cast<uint8_t>(m), "M" + std::to_string(m), 0x1000 + m);
        menu->InsNode(new CPrjMnuNode(1, 0, 0, 0, 0, t0, 1));
        prj.InsMnu(menu);
    }
    const std::string image = Image();
    bool crossed = false;
    for (int m = 1; m <= 120; ++m) {
        const size_t first = Entry(image, 168, m);
        EXPECT_EQ(WordAt(image, first - 2), 0x1000u + m) << m;
        crossed = crossed || (first - 2) % 4096 == 0;
    }
    EXPECT_TRUE(crossed);
}

// --- Blocks, names, determinism -------------------------------------------------------

TEST_F(Comp118, DateAndRecipeBlocks)
{
    prj.SetDateMode(2);
    IntVar("[Z24]", 40);
    IntVar("[Z25]", 60);
    CPrjVar* hour = IntVar("[Z15]", 0);
    CPrjVar* rcp = IntVar("[Z26]", 0);
    OpTxt(0, "t  r ", {{hour, 0}, {rcp, 3}});
    const std::string image = Image();
    const size_t date = WordAt(image, 172);
    EXPECT_EQ(Hex(image.substr(date, 6)), "0028" "0002" "03E7");
    const size_t rcpBlock = WordAt(image, 216);
    EXPECT_EQ(WordAt(image, rcpBlock), 60u);
    EXPECT_EQ(WordAt(image, rcpBlock + 2), rcpBlock + 4);
    EXPECT_EQ(WordAt(image, rcpBlock + 4), 257u);

    prj.GetVarList()->FindByName(std::string_view("[Z25]"))->SetAdr(0);
    Comp118Compiled c = Compile();
    EXPECT_EQ(c.error, CComp::kErrRecipeBlock);
    EXPECT_EQ(c.check, 0);
    prj.GetVarList()->FindByName(std::string_view("[Z24]"))->SetAdr(0);
    c = Compile();
    EXPECT_EQ(c.error, CComp::kErrDateBlock);
    EXPECT_EQ(BoxIds().back(), 15202);
}

TEST_F(Comp118, NamesOfSixteenBytesAndTheSameBytesTwice)
{
    Add(new CPrjVarWord("First", 5, 1, 32, 0));
    Add(new CPrjVarWord("Second", 6, 1, 32, 0));
    OpTxt(1, "Hello  world");
    const std::string image = Image();
    const size_t second = WordAt(image, 136);
    const size_t first = WordAt(image, second);
    EXPECT_EQ(image.substr(WordAt(image, first + 2), 16), std::string("First") + std::string(11, '\0'));
    EXPECT_EQ(WordAt(image, second + 2), WordAt(image, first + 2) + 16);
    EXPECT_EQ(Image(), image);
}

TEST_F(Comp118, PrinterBlockAlwaysAndSharedTextsWithTheirRoom)
{
    prj.SetPrnTimeout(30);
    prj.SetPrnInit("1B40");
    prj.SetPrnSubst(0, 'x');
    auto* bit = Add(new CPrjVarBit("Bit", 5, 1, 12, 5, prj.GetTextPool()));
    bit->SetStateTxt(0, "AUS");
    bit->SetStateTxt(1, "EIN");
    const std::string image = Image();
    const size_t printer = WordAt(image, 115);
    EXPECT_EQ(WordAt(image, printer), 30u);
    EXPECT_EQ(Hex(image.substr(printer + 16, 3)), "021B40");
    EXPECT_EQ(ByteAt(image, printer + 25 + 8), unsigned{'x'});
    EXPECT_EQ(WordAt(image, printer + 25 + 128), 0u);
    // The shared texts follow the header, each padded to even.
    EXPECT_EQ(CountedAt(image, 250), "AUS");
    EXPECT_EQ(CountedAt(image, 254), "EIN");
}

TEST_F(Comp118, MissingCharacterSetOrProjectIsAnError)
{
    world.Unwire(WorldPart::CharSet);
    EXPECT_EQ(Compile().error, CComp::kErrIncomplete);
    EXPECT_EQ(CompileRecipes().error, CComp::kErrIncomplete);
    world.Rewire(WorldPart::CharSet);
    world.Unwire(WorldPart::Root);
    EXPECT_EQ(Compile().error, CComp::kErrIncomplete);
    EXPECT_EQ(CompileRecipes().error, CComp::kErrIncomplete);
}

// --- The recipe image ---------------------------------------------------------------

class Comp118Recipe : public Comp118 {};

TEST_F(Comp118Recipe, HeaderBlockAndRecipeTable)
{
    SetDevType(163);
    workspace.MemInfo().freeRecipe = 32768;
    auto* bin = Add(new CPrjVarBin("Bin", 4, 1, 2, 4, 0, 0, 100, 0, 1000));
    bin->SetWidth(4);
    Recipe(2, {{bin, 5}});
    const std::string first = Image();
    const Comp118Compiled c = CompileRecipes();
    ASSERT_EQ(c.error, 0);
    EXPECT_EQ(c.check, 1);
    const std::string& image = c.image;
    EXPECT_EQ(WordAt(image, 0), image.size());
    EXPECT_EQ(WordAt(image, 2), 0u);
    EXPECT_EQ(WordAt(image, 4), 436u);
    EXPECT_EQ(image.substr(6, 6), std::string("P.ORV\0", 6));
    EXPECT_EQ(image.substr(46, 9), std::string("OG163201\0", 9));
    EXPECT_EQ(image.substr(64, 6), std::string("FW118\0", 6));
    EXPECT_EQ(image.substr(74, 10), std::string("Q32r11000\0", 10));
    EXPECT_EQ(WordAt(image, 88), 18u);
    const size_t block = WordAt(image, 90);
    EXPECT_EQ(Hex(image.substr(block + 2, 8)), "00C7" "0000" "00000000");
    EXPECT_EQ(WordAt(image, block), WordAt(first, 228));
    EXPECT_EQ(WordAt(image, block), 0x0241u);
    const size_t table = WordAt(image, 92);
    EXPECT_EQ(WordAt(image, table), 3u);
    EXPECT_EQ(WordAt(image, table + 2), 0u);
    const size_t rec = WordAt(image, table + 6);
    EXPECT_EQ(Hex(image.substr(rec, 8)), "0001" "0001" "0000" "0032");
    EXPECT_EQ(workspace.MemInfo().freeRecipe, 32768u - image.size());
}

TEST_F(Comp118Recipe, SourceNameStampAndFirmwareNameAreCut)
{
    ScopedEnv tz("TZ", "UTC0");
    tzset();
    const std::string name = std::string(20, 'N') + ".ORV";
    dir.Write(name, "source");
    const auto stamp = std::chrono::sys_days{std::chrono::year{2021} / 3 / 4} + std::chrono::hours{5} +
                       std::chrono::minutes{6} + std::chrono::seconds{9};
    std::filesystem::last_write_time(dir.File(name), std::chrono::file_clock::from_sys(stamp));
    prj.SetPath(dir.File(name));
    frm.SetFrmId("FW118ABCDEF");
    EXPECT_EQ(Image().substr(218, 10), std::string("FW118ABCD\0", 10));
    const Comp118Compiled c = CompileRecipes();
    ASSERT_EQ(c.error, 0);
    EXPECT_EQ(c.image.substr(6, 14), std::string(12, 'N') + std::string(2, '\0'));
    EXPECT_EQ(Hex(c.image.substr(20, 6)), "210304050609");
    EXPECT_EQ(c.image.substr(64, 10), std::string("FW118ABCD\0", 10));
}

TEST_F(Comp118Recipe, WholeImageEqualsTheHandBuiltOne)
{
    workspace.MemInfo().freeRecipe = 32768;
    auto* bin = Add(new CPrjVarBin("Bin", 4, 1, 2, 4, 0, 0, 100, 0, 1000));
    auto* bcd = Add(new CPrjVarBcd("Bcd", 5, 1, 0, 4, 0, 9999, 0));
    auto* word = Add(new CPrjVarWord("Word", 6, 1, 32, 0));
    for (CPrjVar* var : {static_cast<CPrjVar*>(bin), static_cast<CPrjVar*>(bcd), static_cast<CPrjVar*>(word)})
        var->SetWidth(4);
    Recipe(1, {{bin, 5}});
    Recipe(3, {{bcd, 1234}, {word, 0x777}});
    const uint16_t checkWord = static_cast<uint16_t>(WordAt(Image(), 228));
    const Comp118Compiled c = CompileRecipes();
    ASSERT_EQ(c.error, 0);

    RecipeImageBuilder expect;
    expect.SourceName("P.ORV").FirmwareIds("OG118201", "FW118");
    expect.AddRecipes(checkWord, {{1, 1, ByteBuilder().U16(0, 0x0032).Str()},
                                  {3, 2, ByteBuilder().U16(0, 0x1234).U16(2, 0x0777).Str()}});
    EXPECT_EQ(Hex(c.image), Hex(expect.Finish()));
}

TEST_F(Comp118Recipe, ValuesByTypeCode)
{
    struct Case {
        const char* what;
        uint8_t dwordVars;
        std::function<CPrjVar*()> make;
        uint32_t value;
        const char* text;
        const char* bytes;
    } const cases[] = {
        {"BCD 4 digits", 0, [] { return new CPrjVarBcd("V", 4, 1, 0, 4, 0, 9999, 0); }, 1234, nullptr, "1234"},
        {"BCD 8 digits", 0, [] { return new CPrjVarBcd("V", 4, 1, 16, 8, 0, 99999999, 0); }, 12345678, nullptr,
         "12345678"},
        {"BIN 3 scaled", 0, [] { return new CPrjVarBin("V", 4, 1, 3, 4, 0, 0, 300, 0, 1000); }, 100, nullptr, "014D"},
        {"VBIN 19 cut toward zero", 0, [] { return new CPrjVarVbin("V", 4, 1, 19, 4, 0, -300, 0, -1000, 0); },
         static_cast<uint32_t>(-299), nullptr, "FC1B"},
        {"BIN 6 plain", 0, [] { return new CPrjVarBin("V", 4, 1, 6, 8, 0, 0, 300, 0, 1000); }, 100, nullptr,
         "00000064"},
        {"BIN 6 with the option", 1, [] { return new CPrjVarBin("V", 4, 1, 6, 8, 0, 0, 300, 0, 1000); }, 100, nullptr,
         "0000014D"},
        {"VBIN 22 with the option, cut toward zero", 1,
         [] { return new CPrjVarVbin("V", 4, 1, 22, 8, 0, -300, 0, -1000, 0); }, static_cast<uint32_t>(-299), nullptr,
         "FFFFFC1B"},
        // The value times the PLC span passes 64 bits.
        {"BIN 8 with the option over the whole 32-bit range", 1,
         [] { return new CPrjVarBin("V", 4, 1, 8, 9, 0, 0, -1, 0, -2); }, 0xFFFFFFFE, nullptr, "FFFFFFFD"},
        {"VBIN 23 without the option", 0, [] { return new CPrjVarVbin("V", 4, 1, 23, 8, 0, -300, 0, -1000, 0); },
         static_cast<uint32_t>(-299), nullptr, "FFFFFED5"},
        {"Bit", 0, [] { return new CPrjVarBit("V", 4, 1, 12, 5, nullptr); }, 1, nullptr, "0020"},
        {"ASCII", 0, [] { return new CPrjVarAscii("V", 4, 1, 34, 20); }, 0, "0123456789012345678901234567890123456",
         "30313233343536373839303132333435363738393031323334353637383930313200000000000000"},
        {"Timer", 0, [] { return new CPrjVarTimer("V", 4, 1, 36, nullptr); }, 1234, nullptr, "4123"},
    };
    for (const Case& c : cases) {
        prj.GetRcpTxtList()->FreeAll();
        prj.GetVarList()->FreeAll();
        prj.SetDWordVars(c.dwordVars);
        CPrjVar* var = Add(c.make());
        var->SetWidth(2);
        CPrjRcpTxt* text = Recipe(0, {{var, c.value}});
        if (c.text)
            text->GetValList().GetAt(0)->SetText(c.text);
        const Comp118Compiled out = CompileRecipes();
        ASSERT_EQ(out.error, 0) << c.what;
        const size_t rec = WordAt(out.image, WordAt(out.image, 92) + 2);
        const std::string expect = c.bytes;
        EXPECT_EQ(WordAt(out.image, rec + 2), static_cast<unsigned>(var->WordCount())) << c.what;
        EXPECT_EQ(Hex(out.image.substr(rec + 6, expect.size() / 2)), expect) << c.what;
    }
}

TEST_F(Comp118Recipe, ZeroDisplaySpanGives20)
{
    auto* flat = Add(new CPrjVarBin("Flat", 4, 1, 2, 4, 0, 7, 7, 0, 100));
    flat->SetWidth(2);
    Recipe(0, {{flat, 7}});
    EXPECT_EQ(CompileRecipes().error, CComp::kErrIncomplete);
    EXPECT_TRUE(HasLine(LogLines(), "Flat"));
}

TEST_F(Comp118Recipe, RecipeMemoryOfThirtyTwoKilobytesGives20)
{
    workspace.MemInfo().freeRecipe = 0x10000;
    // 128 recipes of 4 ASCII variables of 128 words: about 1 KB each.
    std::vector<CPrjVar*> vars;
    for (int v = 0; v < 4; ++v) {
        vars.push_back(Add(new CPrjVarAscii("A" + std::to_string(v), static_cast<int16_t>(v), 1, 34, 127)));
        vars.back()->SetWidth(2);
    }
    for (int n = 0; n < 128; ++n)
        Recipe(n, {{vars[0], 0}, {vars[1], 0}, {vars[2], 0}, {vars[3], 0}});
    const Comp118Compiled out = CompileRecipes();
    EXPECT_EQ(out.error, CComp::kErrIncomplete);
    EXPECT_EQ(out.check, 0);
}

}  // namespace

