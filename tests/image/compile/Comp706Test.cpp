#include "CompWorld.h"

#include "image/compile/Comp706.h"
#include "model/project/CharDef.h"
#include "model/project/FrmCfg.h"
#include "model/core/LangStrings.h"
#include "model/project/Mnu.h"
#include "model/project/MsgTxt.h"
#include "model/project/OpTxt.h"
#include "model/project/PrjIntVar.h"
#include "model/project/PrjVarKinds.h"
#include "model/project/PrjVarList.h"
#include "model/project/PrnTxt.h"
#include "model/project/SkAct.h"
#include "model/project/SkTxt.h"
#include "model/project/TimeVal.h"
#include "model/core/WorkspaceState.h"
#include "support/ScopedEnv.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

using namespace orv;

namespace {

std::string Hex(const std::string& bytes)
{
    std::string out;
    char buf[4];
    for (unsigned char b : bytes) {
        std::snprintf(buf, sizeof buf, "%02X", unsigned{b});
        out += buf;
    }
    return out;
}

std::string HexAt(const std::string& image, size_t at, size_t n)
{
    return at < image.size() ? Hex(image.substr(at, n)) : "out of range";
}

struct Comp706Compiled {
    uint16_t error = 0;
    int check = 0;
    std::string image;
};

class Comp706 : public ::testing::Test, public CompWorld {
public:
    Comp706() : CompWorld(World(706).CharSet().Frm())
    {
        frm.SetFrmId("FW706ABCDEFG");
        prj.SetPath(dir.File("P.ORV"));
        workspace.MemInfo().freeData = 0x40000;
    }

    Comp706Compiled Compile()
    {
        Comp706Compiled out;
        {
            CComp706 comp(workspace, dir.File("P.BIN"), bundle);
            out.error = comp.GetError();
            out.check = comp.CheckError();
        }
        out.image = dir.Read("P.BIN");
        return out;
    }

    std::string Image()
    {
        const Comp706Compiled c = Compile();
        EXPECT_EQ(c.error, 0);
        return c.image;
    }

    template <class Var>
    Var* Add(Var* var)
    {
        EXPECT_GE(prj.InsVar(var), 0);
        return var;
    }

    struct VarSlot {
        CPrjVar* var;
        uint8_t col;
    };

    static CTxtVarSlots Slots(std::initializer_list<VarSlot> vars)
    {
        CTxtVarSlots slots;
        int i = 0;
        for (const VarSlot& v : vars) {
            slots.SetVar(i, v.var);
            slots.SetCol(i++, v.col);
        }
        return slots;
    }

    template <class Entry>
    Entry* Row(Entry* entry, std::string_view text, std::initializer_list<VarSlot> vars = {}, int rowNum = 1)
    {
        const CTxtVarSlots slots = Slots(vars);
        if (entry->GetRowCount() < rowNum)
            entry->SetRowCount(rowNum);
        entry->SetRow(std::make_unique<CPrjTxtRow>(static_cast<uint8_t>(rowNum), text, &slots));
        return entry;
    }

    template <class Entry>
    Entry* PrnRow(Entry* entry, std::string_view text, std::initializer_list<VarSlot> vars = {})
    {
        const CTxtVarSlots slots = Slots(vars);
        entry->SetRowCount(1);
        entry->SetRow(std::make_unique<CPrnTxtLin>(1, text, &slots));
        return entry;
    }

    // The address of entry n of the numbered list whose header pointer is
    // at slot.
    static size_t Entry(const std::string& image, size_t slot, int n)
    {
        return DWordAt(image, DWordAt(image, slot) + 18 + 4 * static_cast<size_t>(n));
    }
    // Row 1 of that entry.
    static size_t Row1(const std::string& image, size_t slot, int n) { return DWordAt(image, Entry(image, slot, n) + 4); }

    // The data part of the variable record: after the chain dword and the
    // counted name.
    static size_t DataOf(const std::string& image, size_t record) { return record + 5 + ByteAt(image, record + 4); }
};

// --- Header and finish -------------------------------------------------------

TEST_F(Comp706, HeaderByPanelType)
{
    ScopedEnv tz("TZ", "UTC0");
    tzset();
    dir.Write("P.ORV", "source");
    const auto stamp = std::chrono::sys_days{std::chrono::year{2021} / 3 / 4} + std::chrono::hours{5} +
                       std::chrono::minutes{6} + std::chrono::seconds{9};
    std::filesystem::last_write_time(dir.File("P.ORV"), std::chrono::file_clock::from_sys(stamp));

    struct Case {
        uint16_t type;
        const char* id;
        size_t system;  // after the header and the user character block
    } const cases[] = {{473, "OG4730000", 236}, {477, "OG4770000", 236}, {706, "OG7060000", 812}};
    for (const Case& c : cases) {
        SetDevType(c.type);
        const Comp706Compiled out = Compile();
        ASSERT_EQ(out.error, 0) << c.type;
        EXPECT_EQ(out.check, 1);
        const std::string& image = out.image;
        EXPECT_EQ(WordAt(image, 4), 496u);
        EXPECT_EQ(image.substr(6, 6), std::string("P.ORV\0", 6));
        EXPECT_EQ(HexAt(image, 20, 6), "210304050609");
        EXPECT_EQ(image.substr(46, 10), std::string(c.id) + '\0') << c.type;
        EXPECT_EQ(image.substr(64, 10), std::string("FW706ABCD\0", 10));
        EXPECT_EQ(image.substr(74, 10), std::string("Q32r11000\0", 10));
        EXPECT_EQ(WordAt(image, 88), 82u);
        EXPECT_EQ(DWordAt(image, 90), 170u);
        EXPECT_EQ(DWordAt(image, 94), 0u);
        EXPECT_EQ(HexAt(image, 98, 64), std::string(128, '0'));  // no lists, no tables
        EXPECT_EQ(DWordAt(image, 162), c.system);
        // The empty description behind the 21 bytes of system block and
        // constants, then the pad byte.
        EXPECT_EQ(DWordAt(image, 166), c.system + 21);
        EXPECT_EQ(image.size(), c.system + 22);
        EXPECT_EQ(WordAt(image, 0), image.size() / 2);
    }
}

TEST_F(Comp706, NameCutAndNoSourceFile)
{
    prj.SetPath(dir.File(std::string(56, 'N') + ".ORV"));
    const std::string image = Image();
    EXPECT_EQ(image.substr(6, 14), std::string(12, 'N') + std::string(2, '\0'));
    EXPECT_EQ(HexAt(image, 20, 26), std::string(52, '0'));
}

TEST_F(Comp706, CheckWordCoversTheFile)
{
    Add(new CPrjVarWord("W", 5, 1, 33, 1));
    auto* text = Row(new CPrjOpTxt(1), "Hello  world");
    prj.InsOpTxt(text);
    prj.SetDescr("odd");
    const std::string image = Image();
    ExpectFamily706CheckWord(image);
}

TEST_F(Comp706, SameProjectTwiceGivesTheSameBytes)
{
    Add(new CPrjVarWord("W", 5, 1, 33, 1));
    prj.InsOpTxt(Row(new CPrjOpTxt(1), "Hello  world"));
    EXPECT_EQ(Image(), Image());
}

// --- User characters -----------------------------------------------------------

TEST_F(Comp706, Packing706ByPixel)
{
    struct Pixel {
        int row, col, byte, bit;
    } const table[] = {
        {0, 0, 1, 1}, {0, 1, 1, 0}, {0, 2, 0, 7}, {0, 3, 0, 6}, {0, 4, 0, 5},
        {1, 0, 0, 4}, {1, 1, 0, 3}, {1, 2, 0, 2}, {1, 3, 0, 1}, {1, 4, 0, 0},
        {2, 0, 2, 3}, {2, 1, 2, 2}, {2, 2, 2, 1}, {2, 3, 2, 0}, {2, 4, 1, 7},
        {3, 0, 1, 6}, {3, 1, 1, 5}, {3, 2, 1, 4}, {3, 3, 1, 3}, {3, 4, 1, 2},
        {4, 0, 3, 5}, {4, 1, 3, 4}, {4, 2, 3, 3}, {4, 3, 3, 2}, {4, 4, 3, 1},
        {5, 0, 3, 0}, {5, 1, 2, 7}, {5, 2, 2, 6}, {5, 3, 2, 5}, {5, 4, 2, 4},
        {6, 0, 4, 7}, {6, 1, 4, 6}, {6, 2, 4, 5}, {6, 3, 4, 4}, {6, 4, 4, 3},
    };
    for (const Pixel& p : table) {
        prj.GetCharDefColl()->FreeAll();
        CCharDef::Rows rows{};
        rows[static_cast<size_t>(p.row)] = static_cast<uint8_t>(0x10u >> p.col);
        prj.InsCharDef(new CCharDef(200, rows));
        const std::string image = Image();
        std::string expect(5, '\0');
        expect[static_cast<size_t>(p.byte)] = static_cast<char>(1u << p.bit);
        // Code 200 in the table behind the empty counted name at 170.
        EXPECT_EQ(HexAt(image, 172 + 5 * 72, 5), Hex(expect)) << p.row << "," << p.col;
    }
}

TEST_F(Comp706, UserCharacterBlocks)
{
    // 706: row 8 and the pixel bits 5..7 have no place; codes below 128 are
    // not written.
    prj.InsCharDef(new CCharDef(128, {0xE0, 0xE0, 0xE0, 0xE0, 0xE0, 0xE0, 0xE0, 0xFF}));
    prj.InsCharDef(new CCharDef(255, {0x1F, 0, 0, 0, 0, 0, 0, 0}));
    prj.InsCharDef(new CCharDef(3, {1, 2, 3, 4, 5, 6, 7, 8}));
    std::string image = Image();
    EXPECT_EQ(HexAt(image, 170, 2), "0100");
    EXPECT_EQ(HexAt(image, 172, 5), "0000000000");
    EXPECT_EQ(HexAt(image, 172 + 5 * 127, 5), "E003000000");
    EXPECT_EQ(image.substr(172 + 5, 5 * 126), std::string(5 * 126, '\0'));

    // 473: eight codes of eight rows.
    prj.GetCharDefColl()->FreeAll();
    prj.InsCharDef(new CCharDef(3, {1, 2, 3, 4, 5, 6, 7, 8}));
    SetDevType(473);
    image = Image();
    EXPECT_EQ(HexAt(image, 170, 2 + 64), "0100" + std::string(48, '0') + "0102030405060708" + std::string(64, '0'));
    prj.InsCharDef(new CCharDef(9, {}));
    EXPECT_EQ(Compile().error, CComp::kErrIncomplete);
}

// --- Rows ------------------------------------------------------------------------

TEST_F(Comp706, RowsPackBlanksByPanelType)
{
    struct Case {
        uint16_t type;
        std::string text;
        const char* bytes;  // n, m, (fields), text, 0
    } const cases[] = {
        {706, "A  B", "0300" "410242" "00"},
        {706, std::string(16, ' ') + "X", "0300" "0F0158" "00"},
        {473, "A" + std::string(9, ' ') + "B", "0400" "41070242" "00"},
        {477, std::string(8, ' '), "0200" "0701" "00"},
        {706, "A\x05" "B", "0200" "4142" "00"},  // a filtered character is dropped
        {706, "", "0000" "00"},
    };
    for (const Case& c : cases) {
        SetDevType(c.type);
        prj.GetOpTxtList()->FreeAllEntries();
        prj.InsOpTxt(Row(new CPrjOpTxt(0), c.text));
        const std::string image = Image();
        const std::string expect = c.bytes;
        EXPECT_EQ(HexAt(image, Row1(image, 98, 0), expect.size() / 2), expect) << c.type << " '" << c.text << "'";
    }
}

TEST_F(Comp706, RowsCarryFieldsAndAreCut)
{
    CPrjVar* var = Add(new CPrjVarWord("F", 5, 1, 33, 0));
    var->SetWidth(3);
    prj.InsOpTxt(Row(new CPrjOpTxt(0), "  ###  Z", {{var, 2}}));
    prj.InsOpTxt(Row(new CPrjOpTxt(1), std::string(45, 'X')));
    auto* prn = PrnRow(new COpPrnTxt(0), "A  B\x05" "##", {{var, 5}});
    prj.InsOpPrnTxt(prn);
    prj.InsOpPrnTxt(PrnRow(new COpPrnTxt(1), std::string(140, 'Y')));
    const std::string image = Image();
    const size_t data = DataOf(image, DWordAt(image, 94));
    char field[16];
    std::snprintf(field, sizeof field, "%08zX0002", data);
    // A field between blanks starts a new count.
    EXPECT_EQ(HexAt(image, Row1(image, 98, 0), 12), "0301" + std::string(field) + "02025A00");
    const size_t cut = Row1(image, 98, 1);
    EXPECT_EQ(ByteAt(image, cut), 39u);
    EXPECT_EQ(image.substr(cut + 2, 40), std::string(39, 'X') + '\0');
    // Printer rows keep blanks and control codes as they are.
    std::snprintf(field, sizeof field, "%08zX0005", data);
    EXPECT_EQ(HexAt(image, Row1(image, 134, 0), 14), "0501" + std::string(field) + "4120204205" + "00");
    const size_t longPrn = Row1(image, 134, 1);
    EXPECT_EQ(ByteAt(image, longPrn), 131u);
    EXPECT_EQ(image.substr(longPrn + 2, 132), std::string(131, 'Y') + '\0');
}

// --- Variables -------------------------------------------------------------------

struct Comp706VarCase {
    const char* what;
    std::function<CPrjVar*(CTextPool*)> make;
    const char* bytes;  // the data part from the width byte on
};

TEST_F(Comp706, VariableRecordsByTypeCode)
{
    const Comp706VarCase cases[] = {
        {"BCD 0", [](CTextPool*) { return new CPrjVarBcd("V", 7, 1, 0, 3, 12, 987, 1); },
         "05" "00" "0000" "00000000" "00000007" "03" "00" "0000000C" "000003DB"},
        {"BCD 16 kind 3", [](CTextPool*) { return new CPrjVarBcd("V", 9, 3, 16, 6, 100, 123456, 1); },
         "05" "02" "0010" "00000000" "00000009" "06" "00" "00000064" "0001E240"},
        {"BCD 28 kind 2, address 260", [](CTextPool*) { return new CPrjVarBcd("V", 260, 2, 28, 4, 0, 9999, 0); },
         "05" "01" "001C" "00000000" "00000004" "04" "00" "00000000" "0000270F"},
        {"BCD 30", [](CTextPool*) { return new CPrjVarBcd("V", 9, 1, 30, 2, 1, 99, 0); },
         "05" "00" "001E" "00000000" "00000009" "02" "00" "00000001" "00000063"},
        {"BIN 2", [](CTextPool*) { return new CPrjVarBin("V", 4, 1, 2, 4, 1, 100, 1100, 0, 4000); },
         "05" "00" "0002" "00000000" "00000004" "04" "01" "00000064" "0000044C" "0001" "0004" "000000000190"},
        {"BIN 3, zero PLC span", [](CTextPool*) { return new CPrjVarBin("V", 4, 1, 3, 4, 0, 0, 100, 50, 50); },
         "05" "00" "0003" "00000000" "00000004" "04" "00" "00000000" "00000064" "0001" "0000" "FFFFFFFFFFCE"},
        {"VBIN 18", [](CTextPool*) { return new CPrjVarVbin("V", 4, 1, 18, 4, 0, -500, 500, -1000, 3000); },
         "05" "00" "0012" "00000000" "00000004" "04" "00" "7FFFFE0C" "800001F4" "0001" "0004" "FFFFFFFFFC18"},
        {"BIN 6", [](CTextPool*) { return new CPrjVarBin("V", 4, 1, 6, 8, 2, 5, 99999, 0, 0); },
         "05" "00" "0006" "00000000" "00000004" "08" "02" "00000005" "0001869F"},
        {"VBIN 22", [](CTextPool*) { return new CPrjVarVbin("V", 4, 1, 22, 6, 0, -7, 7, 0, 0); },
         "05" "00" "0016" "00000000" "00000004" "06" "00" "7FFFFFF9" "80000007"},
        {"KM 33", [](CTextPool*) { return new CPrjVarWord("V", 4, 1, 33, 0); }, "05" "00" "0021" "00000000" "00000004" "0000"},
        {"KH 33", [](CTextPool*) { return new CPrjVarWord("V", 4, 1, 33, 1); }, "05" "00" "0021" "00000000" "00000004" "0001"},
        {"KY 33", [](CTextPool*) { return new CPrjVarWord("V", 4, 1, 33, 2); }, "05" "00" "0021" "00000000" "00000004" "0002"},
        {"KM 32", [](CTextPool*) { return new CPrjVarWord("V", 4, 1, 32, 0); }, "05" "00" "0020" "00000000" "00000004"},
        {"ASCII 34", [](CTextPool*) { return new CPrjVarAscii("V", 4, 1, 34, 3); }, "05" "00" "0022" "00000000" "00000004"},
        {"number 134", [](CTextPool*) {
             return new CPrjIntVarNum("V", 0, 1, 134, 0x40010, 10, 3, 1, 1, 99); },
         "05" "00" "0086" "00040010" "0000000A" "03" "01" "00000001" "00000063"},
        {"number 135 kind 2", [](CTextPool*) {
             return new CPrjIntVarNum("V", 0, 2, 135, 5, 6, 2, 0, -1, 7); },
         "05" "01" "0087" "00000005" "00000006" "02" "00" "FFFFFFFF" "00000007"},
        {"choice 142 without its text", [](CTextPool*) { return new CPrjIntVarStr("V", 0, 1, 142, 1, 2, nullptr); },
         "05" "00" "008E" "00000001" "00000002" "0000" "00000000"},
        {"time 250", [](CTextPool*) { return new CPrjIntVarW8("V", 0, 0, 1, 250, 3, 4); },
         "05" "00" "00FA" "00000003" "00000004"},
        {"sequence 249", [](CTextPool*) { return new CPrjIntVarHex("V", 0, 1, 249, 1, 2, "41004200"); },
         "05" "00" "00F9" "00000001" "00000002" "4142" "00" "04" "41004200"},
        {"date 251", [](CTextPool*) { return new CPrjIntVarByte("V", 0, 0, 1, 251, 0, 0, 2); },
         "05" "00" "00FB" "00000000" "00000000" "0002"},
        {"date 251, other mode", [](CTextPool*) { return new CPrjIntVarByte("V", 0, 0, 1, 251, 0, 0, 7); },
         "05" "00" "00FB" "00000000" "00000000" "0000"},
        {"255", [](CTextPool*) { return new CPrjIntVarByte("V", 0, 0, 1, 255, 3, 4, 7); },
         "05" "00" "00FF" "00000003" "00000004" "0007"},
    };
    for (const Comp706VarCase& c : cases) {
        prj.GetVarList()->FreeAll();
        CPrjVar* var = Add(c.make(prj.GetTextPool()));
        var->SetWidth(5);
        const std::string image = Image();
        const size_t at = DWordAt(image, 94);
        ASSERT_GE(at, 812u) << c.what;
        EXPECT_EQ(DWordAt(image, at), 0u) << c.what;
        EXPECT_EQ(HexAt(image, at + 4, 4), "03560000") << c.what;  // the counted name
        const std::string expect = c.bytes;
        EXPECT_EQ(HexAt(image, at + 8, expect.size() / 2), expect) << c.what;
        EXPECT_EQ(var->GetAttr32(), at + 8) << c.what;
    }
}

TEST_F(Comp706, StateTextsPointAtPackedSharedTexts)
{
    auto* bit = Add(new CPrjVarBit("Bit", 5, 1, 12, 3, prj.GetTextPool()));
    bit->SetStateTxt(0, "AUS");
    bit->SetStateTxt(1, "E   N");
    auto* str = Add(new CPrjVarString("Str", 6, 1, 14, prj.GetTextPool()));
    str->SetTxtCount(1);
    str->SetStateTxt(0, "A");
    str->SetStateTxt(1, "B");
    auto* timer = Add(new CPrjVarTimer("Tim", 7, 1, 36, prj.GetTextPool()));
    for (int i = 0; i < 4; ++i)
        timer->SetStateTxt(i, "A");
    const std::string image = Image();

    const auto textAt = [&](size_t pointer) { return HexAt(image, DWordAt(image, pointer), 1 + ByteAt(image, DWordAt(image, pointer)) + 1); };
    const size_t bitData = bit->GetAttr32();
    EXPECT_EQ(HexAt(image, bitData + 12, 2), "0008");
    EXPECT_EQ(textAt(bitData + 14), "0341555300");
    EXPECT_EQ(textAt(bitData + 18), "0345034E00");
    const size_t strData = str->GetAttr32();
    EXPECT_EQ(HexAt(image, strData + 12, 2), "0001");
    EXPECT_EQ(textAt(strData + 14), "014100");
    EXPECT_EQ(textAt(strData + 18), "014200");
    const size_t timData = timer->GetAttr32();
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(DWordAt(image, timData + 12 + 4 * i), DWordAt(image, strData + 14));

    // A missing state text of an ordinary variable stops the compile.
    bit->SetStateTxt(1, nullptr);
    EXPECT_EQ(Compile().error, CComp::kErrIncomplete);
}

TEST_F(Comp706, InternalVariablesOfBothListsComeFirstWithCountedNames)
{
    Add(new CPrjVarWord("AB", 4, 1, 33, 0));
    Add(new CPrjIntVarNum("[Z005]", 0, 1, 134, 0, 10, 3, 0, 1, 99));
    ASSERT_GE(prj.InsFwVar(new CPrjIntVarByte("ABC", 0, 0, 1, 251, 0, 0, 1)), 0);
    const std::string image = Image();
    const size_t first = DWordAt(image, 94);
    const size_t second = DWordAt(image, first);
    const size_t third = DWordAt(image, second);
    EXPECT_EQ(DWordAt(image, third), 0u);
    EXPECT_EQ(HexAt(image, first + 4, 8), "075B5A3030355D00");  // "[Z005]" + 1 is odd already
    EXPECT_EQ(HexAt(image, second + 4, 6), "054142430000");    // 3 + 1 raised to 5
    EXPECT_EQ(HexAt(image, third + 4, 4), "03414200");
    EXPECT_EQ(WordAt(image, DataOf(image, third) + 2), 33u);
    EXPECT_EQ(workspace.MemInfo().counts.vars, 3);
}

TEST_F(Comp706, SpansThePanelCannotScaleStopTheCompile)
{
    struct Case {
        const char* what;
        std::function<CPrjVar*()> make;
    } const cases[] = {
        {"zero display span", [] { return new CPrjVarBin("Zero", 4, 1, 2, 4, 0, 100, 100, 0, 10); }},
        {"zero signed span", [] { return new CPrjVarVbin("Zero", 4, 1, 18, 4, 0, -5, -5, 0, 10); }},
        {"reduced term over a word", [] { return new CPrjVarBin("Zero", 4, 1, 2, 4, 0, 0, 70000, 0, 3); }},
        // 4000000000 x 65534 needs more than the 48 signed bits of the offset.
        {"offset beyond 48 bits",
         [] { return new CPrjVarBin("Zero", 4, 1, 2, 10, 0, static_cast<int32_t>(4000000000u),
                                    static_cast<int32_t>(4000065535u), 0, 65534); }},
    };
    for (const Case& c : cases) {
        prj.GetVarList()->FreeAll();
        ui.ClearCalls();
        Add(c.make());
        EXPECT_EQ(Compile().error, CComp::kErrIncomplete) << c.what;
        const std::vector<std::string> log = LogLines();
        EXPECT_TRUE(std::any_of(log.begin(), log.end(),
                                [](const std::string& l) { return l.find("Zero") != std::string::npos; }))
            << c.what;
    }
}

// --- Blocks and memory ------------------------------------------------------------

// Word variables need 26 bytes but keep room for name length + 33: with ten
// longer names in front, the record that would end 4 bytes short of the
// margin before 65536 still moves to the boundary.
TEST_F(Comp706, VariableRecordsKeepTheirTypesRoomBeforeABlockBoundary)
{
    for (int i = 0; i < 10; ++i)
        Add(new CPrjVarWord("A00000" + std::to_string(i), 1, 1, 33, 0));
    for (int i = 0; i < 2600; ++i) {
        char name[16];  // room for any int; -Og does not track the range of i
        std::snprintf(name, sizeof name, "V%04d", i);
        Add(new CPrjVarWord(name, 1, 1, 33, 0));
    }
    const std::string image = Image();
    size_t last = 0;
    size_t gap = 0;  // where the record at the boundary would have started
    for (size_t at = DWordAt(image, 94); at != 0; at = DWordAt(image, at)) {
        const size_t reserve = ByteAt(image, at + 4) == 7 ? 5 + 33 : 7 + 33;
        EXPECT_EQ(at / 65536, (at + reserve + 64) / 65536) << at;
        if (at == 65536)
            gap = last + 26;
        last = at;
    }
    ASSERT_EQ(gap, 65442u);
    EXPECT_EQ(image.substr(gap, 65536 - gap), std::string(65536 - gap, '\0'));
}

// Entries and rows (over the first 64 KiB boundary), menus and their nodes
// (over the second) that would reach the margin before a boundary start at
// it, and a menu's start node stays directly behind the menu record.
TEST_F(Comp706, RecordsStartAtTheBlockBoundaryRatherThanReachIt)
{
    CPrjOpTxt* t0 = nullptr;
    for (int n = 0; n < 700; ++n) {
        auto* text = Row(new CPrjOpTxt(n), std::string(39, static_cast<char>('A' + n % 26)));
        for (int r = 2; r <= 4; ++r)
            Row(text, std::string(30 + r, 'x'), {}, r);
        prj.InsOpTxt(text);
        t0 = t0 ? t0 : text;
    }
    for (int m = 1; m <= 200; ++m) {
        auto* menu = new CPrjMnu(static_cast<uint8_t>(m), "M" + std::to_string(m), 0x30FF);
        menu->InsNode(new CPrjMnuNode(1, 0, 2, 0, 0, t0, 1));
        menu->InsNode(new CPrjMnuNode(2, 1, 0, 0, 0, t0, 0));
        prj.InsMnu(menu);
    }
    const std::string image = Image();
    ASSERT_GT(image.size(), 131072u);

    std::vector<std::pair<size_t, size_t>> records;  // address, size
    for (int n = 0; n < 700; ++n) {
        const size_t entry = Entry(image, 98, n);
        records.emplace_back(entry, 4 + 4 * 4);
        for (size_t r = 1; r <= 4; ++r) {
            const size_t row = DWordAt(image, entry + 4 * r);
            records.emplace_back(row, 2 + ByteAt(image, row) + 1);
        }
    }
    const size_t table = DWordAt(image, 154);
    for (int m = 1; m <= 200; ++m) {
        const size_t menu = DWordAt(image, table + 2 + 4 * static_cast<size_t>(m));
        const size_t node = menu + 1 + ByteAt(image, menu) + 2;
        EXPECT_EQ(WordAt(image, node + 4), 1u) << m;
        records.emplace_back(menu, node + 24 - menu);
        records.emplace_back(DWordAt(image, node), 24);
    }
    int atBoundary = 0;
    for (const auto& [at, size] : records) {
        EXPECT_EQ(at / 65536, (at + size + 64) / 65536) << at << " + " << size;
        atBoundary += at == 65536 || at == 131072;
    }
    EXPECT_EQ(atBoundary, 2);
}

TEST_F(Comp706, ImageReachingTheMemoryLimitFails)
{
    // The empty 706 project without its description is 834 bytes long.
    struct Case {
        uint32_t limit;
        uint16_t error;
    } const cases[] = {{835, 0}, {834, CComp::kErrMemory}, {500, CComp::kErrMemory}};
    for (const Case& c : cases) {
        workspace.MemInfo().freeData = c.limit;
        const Comp706Compiled out = Compile();
        EXPECT_EQ(out.error, c.error) << c.limit;
        EXPECT_EQ(out.check, c.error == 0 ? 1 : 0) << c.limit;
        EXPECT_EQ(workspace.MemInfo().freeData, c.error == 0 ? c.limit - 834 : 0u) << c.limit;
    }
}

// --- Lists ------------------------------------------------------------------------

TEST_F(Comp706, ListHeadersAndEntries)
{
    prj.InsOpTxt(new CPrjOpTxtRange(5, 200));
    prj.InsOpTxt(Row(new CPrjOpTxt(0), "a"));
    prj.InsOpTxt(Row(Row(new CPrjOpTxt(3), "b"), "c", {}, 3));
    prj.InsMsgTxt(Row(new CMsgTxt(2, 4, 3, 1), "m"));
    prj.InsMsgTxt(Row(new CMsgTxt(1, 3, 2, 0), "n"));
    prj.InsHlpTxt(2, new CKindTxtRange(0, 50));
    prj.InsHlpTxt(2, Row(new CKindTxt(0), "h"));
    prj.InsHistTxt(new CHistTxtRange(7, 9));
    prj.InsMsgPrnTxt(PrnRow(new CMsgPrnTxt(0, 3), "p"));
    const std::string image = Image();

    const size_t op = DWordAt(image, 98);
    EXPECT_EQ(HexAt(image, op, 8), "0000000000000000");
    EXPECT_NE(DWordAt(image, op + 8), 0u);
    EXPECT_EQ(WordAt(image, op + 12), 5u);
    EXPECT_EQ(WordAt(image, op + 14), 200u);
    EXPECT_EQ(WordAt(image, op + 16), 4u);
    EXPECT_NE(DWordAt(image, op + 18), 0u);
    EXPECT_EQ(DWordAt(image, op + 22), 0u);
    EXPECT_EQ(DWordAt(image, op + 26), 0u);
    const size_t e3 = DWordAt(image, op + 30);
    EXPECT_EQ(WordAt(image, e3), 0u);
    EXPECT_EQ(WordAt(image, e3 + 2), 3u);
    EXPECT_EQ(DWordAt(image, e3 + 8), 0u);  // row 2 missing
    EXPECT_EQ(HexAt(image, DWordAt(image, e3 + 12), 4), "01006300");

    // Message attribute words: delete mode low, priority 2..4 as 0..2 high,
    // the alarm in the top bit.
    EXPECT_EQ(WordAt(image, Entry(image, 102, 2)), 0x8203u);
    EXPECT_EQ(WordAt(image, Entry(image, 102, 1)), 0x0102u);
    const size_t hlp = DWordAt(image, 110 + 8);
    EXPECT_EQ(WordAt(image, hlp + 12), 0u);
    EXPECT_EQ(WordAt(image, hlp + 14), 0xFFFFu);
    EXPECT_EQ(WordAt(image, hlp + 16), 1u);
    const size_t hist = DWordAt(image, 106);
    EXPECT_EQ(WordAt(image, hist + 12), 7u);
    EXPECT_EQ(WordAt(image, hist + 14), 9u);
    EXPECT_EQ(WordAt(image, hist + 16), 0u);
    EXPECT_EQ(WordAt(image, Entry(image, 138, 0)), 3u);
    EXPECT_EQ(workspace.MemInfo().counts.opTexts, 3);
    EXPECT_EQ(workspace.MemInfo().counts.opRows, 3);
}

TEST_F(Comp706, SoftkeyTables)
{
    auto* act3 = new CPrjSkAct(3, "Act3");
    act3->SetOperation(0, CPrjSkAct::kOpWrite, 100, 0x1234, 2);
    act3->SetOperation(2, CPrjSkAct::kOpOr, 101, 1, 0);
    auto* act4 = new CPrjSkAct(4, nullptr);
    prj.InsSkAct(act3);
    prj.InsSkAct(act4);
    auto* sk = new CPrjSkTxt(2);
    sk->SetActs(1, act3, nullptr);
    sk->SetActs(20, act4, act3);
    prj.InsSkTxt(new CPrjSkTxtRange(0, 255));
    prj.InsSkTxt(sk);
    const std::string image = Image();

    const size_t table = DWordAt(image, 146);
    EXPECT_EQ(WordAt(image, table + 12), 0u);
    EXPECT_EQ(WordAt(image, table + 14), 255u);
    EXPECT_EQ(WordAt(image, table + 16), 3u);
    EXPECT_EQ(WordAt(image, DWordAt(image, table + 8) + 2), 20u);
    const size_t rec = DWordAt(image, table + 18 + 8);
    EXPECT_EQ(HexAt(image, rec, 4), "00000014");
    EXPECT_EQ(HexAt(image, DWordAt(image, rec + 4), 4), "00030000");
    EXPECT_EQ(DWordAt(image, rec + 8), 0u);
    EXPECT_EQ(HexAt(image, DWordAt(image, rec + 80), 4), "00040003");

    const size_t acts = DWordAt(image, 142);
    EXPECT_EQ(WordAt(image, acts), 5u);
    EXPECT_EQ(DWordAt(image, acts + 2 + 8), 0u);
    EXPECT_EQ(HexAt(image, DWordAt(image, acts + 2 + 12), 23),
              "0002" "00000064" "02" "02" "1234" "00000065" "08" "01" "0001" "4163743300");
    EXPECT_EQ(HexAt(image, DWordAt(image, acts + 2 + 16), 3), "000000");
}

TEST_F(Comp706, MenusLinkNodeAddresses)
{
    CPrjOpTxt* t5 = Row(new CPrjOpTxt(5), "five");
    CPrjOpTxt* t6 = Row(new CPrjOpTxt(6), "six");
    prj.InsOpTxt(t5);
    prj.InsOpTxt(t6);
    auto* menu = new CPrjMnu(1, "Main", 0x1234);
    menu->InsNode(new CPrjMnuNode(1, 0, 2, 0, 0, t5, 1));
    menu->InsNode(new CPrjMnuNode(2, 1, 0, 9, 0, t6, 0));
    menu->InsNode(new CPrjMnuNode(3, 0, 0, 0, 0, nullptr, 0));
    prj.InsMnu(menu);
    const Comp706Compiled c = Compile();
    ASSERT_EQ(c.error, 0);
    const std::string& image = c.image;
    const size_t table = DWordAt(image, 154);
    EXPECT_EQ(WordAt(image, table), 2u);
    EXPECT_EQ(DWordAt(image, table + 2), 0u);
    const size_t m = DWordAt(image, table + 6);
    EXPECT_EQ(HexAt(image, m, 8), "054D61696E00" "1234");
    const size_t n1 = m + 8;
    EXPECT_EQ(DWordAt(image, n1), n1 + 24);
    EXPECT_EQ(HexAt(image, n1 + 4, 4), "00010005");
    EXPECT_EQ(DWordAt(image, n1 + 8), 0u);
    EXPECT_EQ(DWordAt(image, n1 + 12), n1 + 24);  // right: node 2's address
    const size_t n2 = n1 + 24;
    EXPECT_EQ(DWordAt(image, n2), n2 + 24);
    EXPECT_EQ(HexAt(image, n2 + 4, 4), "00020006");
    EXPECT_EQ(DWordAt(image, n2 + 8), n1);
    EXPECT_EQ(DWordAt(image, n2 + 16), 0u);  // down to the missing node 9
    EXPECT_EQ(HexAt(image, n2 + 24, 24), "00000000" "00030000" + std::string(32, '0'));
    EXPECT_EQ(LogLinesAfter(LoadLangString(15201)), std::vector<std::string>{"Main"});
    EXPECT_EQ(workspace.MemInfo().counts.menuNodes, 3);

    auto* noStart = new CPrjMnu(2, "NoStart", 0x30FF);
    noStart->InsNode(new CPrjMnuNode(1, 0, 0, 0, 0, t5, 0));
    prj.InsMnu(noStart);
    EXPECT_EQ(Compile().error, CComp::kErrIncomplete);
}

TEST_F(Comp706, TimeSwitchesSystemBlockAndConstants)
{
    auto* timer = new CPrjTimer(2, "T1");
    timer->AddTimeVal(new CTimeVal(1 * 86400 + 8 * 3600 + 30 * 60 + 5, 2 * 86400 + 17 * 3600));
    prj.InsTimer(timer);
    prj.SetMsgMode(3);
    for (uint16_t type : {706, 473}) {
        SetDevType(type);
        const std::string image = Image();
        const size_t table = DWordAt(image, 158);
        EXPECT_EQ(WordAt(image, table), 3u);
        EXPECT_EQ(HexAt(image, DWordAt(image, table + 10), 14), "03543100" "0001" "01081E05" "02110000");
        const size_t sys = DWordAt(image, 162);
        EXPECT_EQ(HexAt(image, sys, 4), type == 706 ? "00060300" : "00080300");
        EXPECT_EQ(DWordAt(image, sys + 4), sys + 8);
        EXPECT_EQ(HexAt(image, sys + 8, 13), "000B7F01020408102040" "1F3F60");
    }
}

TEST_F(Comp706, FeatureBitsByCause)
{
    struct Case {
        const char* what;
        std::function<void()> build;
        unsigned byte56;
    } const cases[] = {
        {"system block only", [] {}, 0x08},
        {"softkey action", [this] { prj.InsSkAct(new CPrjSkAct(1, nullptr)); }, 0x18},
        {"softkey row variable", [this] { Add(new CPrjIntVarStr("[Z084]", 0, 1, 142, 0, 0, nullptr)); }, 0x18},
        {"character sequence", [this] { Add(new CPrjIntVarHex("[Z078]", 0, 1, 249, 0, 0, "")); }, 0x28},
        {"variable in a history row", [this] {
             CPrjVar* v = Add(new CPrjVarAscii("V", 4, 1, 34, 1));
             prj.InsHistTxt(Row(new CHistTxt(0), "x", {{v, 0}}));
         }, 0x48},
        {"variable in a message printer row", [this] {
             CPrjVar* v = Add(new CPrjVarAscii("V", 4, 1, 34, 1));
             prj.InsMsgPrnTxt(PrnRow(new CMsgPrnTxt(0, 2), "x", {{v, 0}}));
         }, 0x48},
        {"variable in an operator row", [this] {
             CPrjVar* v = Add(new CPrjVarAscii("V", 4, 1, 34, 1));
             prj.InsOpTxt(Row(new CPrjOpTxt(0), "x", {{v, 0}}));
         }, 0x08},
        {"word form", [this] { Add(new CPrjVarWord("V", 4, 1, 33, 0)); }, 0x88},
        {"timer", [this] {
             CPrjVar* v = Add(new CPrjVarTimer("V", 4, 1, 36, prj.GetTextPool()));
             for (int i = 0; i < 4; ++i)
                 v->SetStateTxt(i, "t");
         }, 0x88},
    };
    for (const Case& c : cases) {
        prj.GetOpTxtList()->FreeAllEntries();
        prj.GetHistTxtList()->FreeAllEntries();
        prj.GetMsgPrnTxtList()->FreeAllEntries();
        prj.GetSkActList()->FreeAllActs();
        prj.GetVarList()->FreeAll();
        c.build();
        const Comp706Compiled out = Compile();
        ASSERT_EQ(out.error, 0) << c.what;
        EXPECT_EQ(ByteAt(out.image, 56), c.byte56) << c.what;
        EXPECT_EQ(HexAt(out.image, 57, 7), "00000000000000") << c.what;
    }
}

TEST_F(Comp706, DescriptionOnlyWhenItFits)
{
    prj.SetDescr("About");
    // The empty 706 project ends its system block at 833.
    workspace.MemInfo().freeData = 842;
    std::string image = Image();
    EXPECT_EQ(DWordAt(image, 166), 833u);
    EXPECT_EQ(image.substr(833, 6), std::string("About\0", 6));

    workspace.MemInfo().freeData = 841;
    const Comp706Compiled c = Compile();
    EXPECT_EQ(c.error, 0);
    EXPECT_EQ(DWordAt(c.image, 166), 0u);
    EXPECT_EQ(c.image.size(), 834u);
    EXPECT_EQ(BoxIds().back(), 15215);
}

TEST_F(Comp706, MissingConfigurationWritesNothingUsable)
{
    world.Unwire(WorldPart::Frm);
    {
        CComp706 comp(workspace, dir.File("P.BIN"), bundle);
        EXPECT_EQ(comp.GetError(), CComp::kErrIncomplete);
        EXPECT_EQ(comp.CheckError(), 0);
    }
    world.Rewire(WorldPart::Frm);
    world.Unwire(WorldPart::CharSet);
    EXPECT_EQ(Compile().error, CComp::kErrIncomplete);
}

}  // namespace
