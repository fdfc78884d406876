#include "CompWorld.h"

#include "image/compile/Comp043.h"
#include "model/project/CharDef.h"
#include "model/core/LangStrings.h"
#include "model/project/Mnu.h"
#include "model/project/MsgTxt.h"
#include "model/project/OpTxt.h"
#include "model/project/PrjIntVar.h"
#include "model/project/PrjVarKinds.h"
#include "model/project/PrjVarList.h"
#include "model/project/SkAct.h"
#include "model/project/SkTxt.h"
#include "model/core/WorkspaceState.h"
#include "tools/cfggen/DrvBuilders.h"
#include "support/FktBuilders.h"
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

struct Compiled {
    uint16_t error = 0;
    int check = 0;  // what CheckError said
    std::string image;
    std::string dataSet;  // the image without the appended files
};

class Comp043 : public ::testing::Test, public CompWorld {
public:
    Comp043()
    {
        Drv043Entry drv;
        drv.drvFile = "P.DRV";
        drvBytes = drv.Build().bytes;
        FktDosFile fkt;
        fkt.body = "special-functions";
        fktBytes = fkt.Build();
        dir.Write("P.DRV", drvBytes);
        dir.Write("P.FKT", fktBytes);
        prj.SetPath(dir.File("P.ORV"));
    }

    void SetType(uint16_t type, uint16_t variant = 0)
    {
        prj.SetVariant(variant);
        SetDevType(type);
    }

    Compiled Compile(uint32_t reserve = 0)
    {
        Compiled out;
        {
            CComp043 comp(workspace, dir.File("P.BIN"), dir.File("P.DRV"), dir.File("P.FKT"), reserve, bundle);
            out.error = comp.GetError();
            out.check = comp.CheckError();
        }
        out.image = dir.Read("P.BIN");
        const size_t tail = drvBytes.size() + fktBytes.size() + 2;
        if (out.error == 0 && out.image.size() >= tail)
            out.dataSet = out.image.substr(0, out.image.size() - tail);
        return out;
    }

    // A compile that must succeed.
    std::string Image()
    {
        const Compiled c = Compile();
        EXPECT_EQ(c.error, 0);
        return c.image;
    }

    // The counted text at an address.
    static std::string CountedAt(const std::string& image, size_t at)
    {
        return image.substr(at + 1, ByteAt(image, at));
    }

    // Row 1 of the operator text n as stored.
    static std::string OpRow(const std::string& image, int n)
    {
        const size_t at = WordAt(image, 394 + 2 * static_cast<size_t>(n));
        return CountedAt(image, at + 1);
    }

    std::string drvBytes;
    std::string fktBytes;
};

// --- Header and finish ----------------------------------------------------------

TEST_F(Comp043, EmptyProjectGivesHeaderIdAndTheAppendedFiles)
{
    ScopedEnv tz("TZ", "UTC0");
    tzset();
    dir.Write("P.ORV", "source");
    const auto stamp = std::chrono::sys_days{std::chrono::year{2021} / 3 / 4} + std::chrono::hours{5} +
                       std::chrono::minutes{6} + std::chrono::seconds{9};
    std::filesystem::last_write_time(dir.File("P.ORV"), std::chrono::file_clock::from_sys(stamp));
    prj.SetCycleTime(25);

    const Compiled c = Compile();
    ASSERT_EQ(c.error, 0);
    EXPECT_EQ(c.check, 1);
    const std::string& image = c.image;
    // The header and the empty description's NUL.
    EXPECT_EQ(c.dataSet.size(), 1043u);
    EXPECT_EQ(WordAt(image, 0), 0u);
    EXPECT_EQ(WordAt(image, 2), 1041u);
    EXPECT_EQ(WordAt(image, 113), 1042u);
    EXPECT_EQ(ByteAt(image, 4), 240u);
    EXPECT_EQ(image.substr(5, 6), std::string("P.ORV\0", 6));
    EXPECT_EQ(WordAt(image, 18), 5u * 2048 + 6 * 32 + 4);
    EXPECT_EQ(WordAt(image, 20), 41u * 512 + 3 * 32 + 4);
    EXPECT_EQ(image.substr(22, 9), std::string("OG043000\0", 9));
    EXPECT_EQ(image.substr(31, 10), std::string("Q32r11000\0", 10));
    EXPECT_EQ(Hex(image.substr(131, 4)), "00000001");
    EXPECT_EQ(ByteAt(image, 135), 25u);
    EXPECT_EQ(WordAt(image, 136), 0u);
    EXPECT_EQ(image.substr(1043), drvBytes + fktBytes + std::string(2, '\0'));
    const std::vector<std::string> log = LogLines();
    EXPECT_NE(std::find(log.begin(), log.end(), "Driver anhaengen !"), log.end());
    EXPECT_EQ(workspace.MemInfo().freeData, 32766u - image.size());
}

TEST_F(Comp043, MissingSourceFileAndLongNames)
{
    prj.SetPath(dir.File(std::string(56, 'N') + ".ORV"));
    const std::string image = Image();
    EXPECT_EQ(WordAt(image, 18), 0u);
    EXPECT_EQ(WordAt(image, 20), 0u);
    EXPECT_EQ(image.substr(5, 13), std::string(12, 'N') + '\0');
    EXPECT_EQ(image.substr(41, 70), std::string(70, '\0'));
    EXPECT_EQ(WordAt(image, 111), 1042u);  // the names fitted behind the header
}

TEST_F(Comp043, SameProjectTwiceGivesTheSameBytes)
{
    Add(new CPrjVarWord("W", 5, 1, 32, 1));
    OpTxt(1, "Hello  world");
    EXPECT_EQ(Image(), Image());
}

// --- Variables --------------------------------------------------------------------

struct VarCase {
    const char* what;
    std::function<CPrjVar*()> make;
    const char* bytes;  // from the width byte on
};

TEST_F(Comp043, VariableRecordsByTypeCode)
{
    const VarCase cases[] = {
        {"BCD 0", [] { return new CPrjVarBcd("V", 7, 1, 0, 3, 12, 987, 1); }, "05" "00" "07" "0FFF" "0012" "0987" "01"},
        {"BCD 28 kind 2", [] { return new CPrjVarBcd("V", 8, 2, 28, 4, 0, 9999, 0); },
         "05" "9C" "08" "FFFF" "0000" "9999" "00"},
        {"BCD 16 kind 3", [] { return new CPrjVarBcd("V", 9, 3, 16, 6, 100, 123456, 1); },
         "05" "D0" "09" "00FF" "FFFF" "00000100" "00123456" "01"},
        {"BCD 30", [] { return new CPrjVarBcd("V", 9, 1, 30, 2, 1, 99, 0); },
         "05" "1E" "09" "0000" "00FF" "00000001" "00000099" "00"},
        {"BIN 2, display term larger", [] { return new CPrjVarBin("V", 4, 1, 2, 4, 1, 100, 1100, 0, 4000); },
         "05" "02" "04" "04" "01" "00000064" "0000044C" "0001" "0004" "000000000190" "000000000000"},
        {"BIN 3, PLC term larger", [] { return new CPrjVarBin("V", 4, 1, 3, 4, 0, 0, 1000, 2000, 6000); },
         "05" "03" "04" "04" "00" "00000000" "000003E8" "0001" "0004" "000000000000" "0000000007D0"},
        {"VBIN 18, negative limits", [] { return new CPrjVarVbin("V", 4, 1, 18, 4, 0, -500, 500, -1000, 3000); },
         "05" "12" "04" "04" "00" "7FFFFE0C" "800001F4" "0001" "0004" "FFFFFFFFFC18"},
        {"VBIN 21, kind 2", [] { return new CPrjVarVbin("V", 4, 2, 21, 3, 1, -100, -50, 0, 100); },
         "05" "95" "04" "03" "01" "7FFFFF9C" "7FFFFFCE" "0001" "0002" "FFFFFFFFFF38"},
        {"BIN 6", [] { return new CPrjVarBin("V", 4, 1, 6, 8, 2, 5, 99999, 0, 0); },
         "05" "06" "04" "08" "02" "00000005" "0001869F"},
        {"BIN 9", [] { return new CPrjVarBin("V", 4, 1, 9, 8, 0, 0, 7, 0, 0); },
         "05" "09" "04" "08" "00" "00000000" "00000007"},
        {"VBIN 22", [] { return new CPrjVarVbin("V", 4, 1, 22, 6, 0, -7, 7, 0, 0); },
         "05" "16" "04" "06" "00" "7FFFFFF9" "80000007"},
        {"VBIN 25", [] { return new CPrjVarVbin("V", 4, 3, 25, 6, 0, 0, 7, 0, 0); },
         "05" "D9" "04" "06" "00" "80000000" "80000007"},
        {"KM", [] { return new CPrjVarWord("V", 4, 1, 33, 0); }, "05" "20" "04"},
        {"KH", [] { return new CPrjVarWord("V", 4, 1, 33, 1); }, "05" "24" "04"},
        {"KY", [] { return new CPrjVarWord("V", 260, 2, 33, 2); }, "05" "A6" "04"},
        {"ASCII", [] { return new CPrjVarAscii("V", 4, 1, 34, 3); }, "05" "22" "04"},
    };
    for (const VarCase& c : cases) {
        prj.GetVarList()->FreeAll();
        CPrjVar* var = Add(c.make());
        var->SetWidth(5);
        const std::string image = Image();
        const size_t at = WordAt(image, 136);
        ASSERT_GE(at, 1042u) << c.what;
        EXPECT_EQ(WordAt(image, at), 0u) << c.what;
        const std::string expect = c.bytes;
        EXPECT_EQ(Hex(image.substr(at + 4, expect.size() / 2)), expect) << c.what;
        // The name fitted at the end and its address in the second word.
        EXPECT_EQ(image.substr(WordAt(image, at + 2), 2), std::string("V\0", 2)) << c.what;
    }
}

TEST_F(Comp043, StateTextVariablesPointAtTheirSharedTexts)
{
    auto* bit = Add(new CPrjVarBit("Bit", 5, 1, 12, 5, prj.GetTextPool()));
    bit->SetStateTxt(0, "AUS");
    bit->SetStateTxt(1, "EIN");
    auto* str = Add(new CPrjVarString("Str", 6, 1, 14, prj.GetTextPool()));
    str->SetTxtCount(2);
    str->SetStateTxt(0, "A");
    str->SetStateTxt(1, "B");
    str->SetStateTxt(2, "EIN");
    auto* cstr = Add(new CPrjVarString("Cstr", 6, 1, 26, prj.GetTextPool()));
    cstr->SetTxtCount(1);
    cstr->SetStateTxt(0, "A");
    cstr->SetStateTxt(1, "B");
    auto* timer = Add(new CPrjVarTimer("Tim", 7, 1, 36, prj.GetTextPool()));
    for (int i = 0; i < 4; ++i)
        timer->SetStateTxt(i, i % 2 ? "ms" : "s");
    auto* row = Add(new CPrjIntVarStr("[Z084]", 0, 1, 144, 0, 0, prj.GetTextPool()));
    row->SetTxtCount(1);
    row->SetStateTxt(0, "F1");
    row->SetStateTxt(1, "F2");
    auto* row2 = Add(new CPrjIntVarStr("[Z085]", 0, 1, 144, 0, 0, prj.GetTextPool()));
    row2->SetStateTxt(0, "G");
    Add(new CPrjIntVarStr("[Z999]", 0, 1, 144, 0, 0, prj.GetTextPool()));  // no entries: not written
    bit->SetWidth(3);

    const std::string image = Image();
    const auto texts = [&](size_t at, int n) {
        std::string out;
        for (int i = 0; i < n; ++i)
            out += (i ? "," : "") + CountedAt(image, WordAt(image, at + 2 * static_cast<size_t>(i)));
        return out;
    };
    const size_t bitAt = bit->GetAttr32();
    EXPECT_EQ(Hex(image.substr(bitAt + 4, 5)), "030C050020");
    EXPECT_EQ(texts(bitAt + 9, 2), "AUS,EIN");
    const size_t strAt = str->GetAttr32();
    EXPECT_EQ(ByteAt(image, strAt + 5), 14u);
    EXPECT_EQ(ByteAt(image, strAt + 7), 2u);
    EXPECT_EQ(texts(strAt + 8, 3), "A,B,EIN");
    EXPECT_EQ(ByteAt(image, cstr->GetAttr32() + 5), 26u);
    EXPECT_EQ(ByteAt(image, cstr->GetAttr32() + 7), 1u);
    EXPECT_EQ(texts(cstr->GetAttr32() + 8, 2), "A,B");
    EXPECT_EQ(ByteAt(image, timer->GetAttr32() + 5), 40u);
    EXPECT_EQ(texts(timer->GetAttr32() + 7, 4), "s,ms,s,ms");
    EXPECT_EQ(ByteAt(image, row->GetAttr32() + 5), 42u);
    EXPECT_EQ(texts(row->GetAttr32() + 8, 2), "F1,F2");
    EXPECT_EQ(WordAt(image, 123), row->GetAttr32());
    EXPECT_EQ(WordAt(image, 125), row2->GetAttr32());

    // The chain runs from the last record written back to the first, in
    // list order.
    std::vector<std::string> names;
    for (size_t at = WordAt(image, 136); at != 0; at = WordAt(image, at))
        names.push_back(image.substr(WordAt(image, at + 2)).c_str());
    EXPECT_EQ(names, (std::vector<std::string>{"[Z085]", "[Z084]", "Tim", "Str", "Cstr", "Bit"}));
}

TEST_F(Comp043, VariablesThatCannotBeWrittenStopTheCompile)
{
    struct Case {
        const char* what;
        std::function<void()> add;
        const char* name;
    } const cases[] = {
        {"missing state text",
         [this] { Add(new CPrjVarBit("HalfBit", 5, 1, 12, 1, prj.GetTextPool()))->SetStateTxt(0, "AUS"); },
         "HalfBit"},
        {"no image code", [this] { Add(new CPrjVar("Sstring", 5, CPrjVar::kPlcFlags, 1, 42)); }, "Sstring"},
        {"zero display span", [this] { Add(new CPrjVarBin("FlatBin", 4, 1, 2, 4, 0, 10, 10, 0, 100)); }, "FlatBin"},
        {"both spans zero", [this] { Add(new CPrjVarVbin("Flat2", 4, 1, 18, 4, 0, 5, 5, 7, 7)); }, "Flat2"},
        {"reduced span above a word", [this] { Add(new CPrjVarBin("Wide", 4, 1, 4, 9, 0, 0, 100003, 0, 2)); },
         "Wide"},
    };
    for (const Case& c : cases) {
        prj.GetVarList()->FreeAll();
        ui.ClearCalls();
        c.add();
        EXPECT_EQ(Compile().error, CComp::kErrIncomplete) << c.what;
        bool named = false;
        for (const std::string& line : LogLines())
            named = named || line.find(c.name) != std::string::npos;
        EXPECT_TRUE(named) << c.what;
    }
}

// --- Text rows ----------------------------------------------------------------------

TEST_F(Comp043, TextRowsPackBlanksAndFields)
{
    struct Case {
        uint16_t type;
        uint16_t variant;
        std::string text;
        bool field;
        const char* bytes;  // "@@@@" for the field's record address
    } const cases[] = {
        {43, 0, "AB  C", false, "41428143"},
        {43, 0, "A B", false, "418042"},
        {47, 1, "A" + std::string(8, ' ') + "B", false, "41070142"},
        {47, 1, "A" + std::string(10, ' ') + "B", false, "41070342"},
        {47, 1, "A" + std::string(7, ' ') + "B", false, "410742"},
        {47, 1, "A  B", false, "410242"},
        {47, 0, "A  B", false, "418142"},
        {43, 0, "AB   ", false, "4142"},
        {43, 0, "   ", false, "82"},
        {47, 1, std::string(9, ' '), false, "0702"},
        {43, 0, "", false, "20"},
        {43, 0, "A\x81" "B", false, "4142"},
        {43, 0, "AB###C", true, "4142@@@@43"},
        {43, 0, "  ###", true, "81@@@@"},
        {43, 0, std::string(45, 'X'), false, nullptr},
    };
    for (const Case& c : cases) {
        prj.GetOpTxtList()->FreeAllEntries();
        prj.GetVarList()->FreeAll();
        SetType(c.type, c.variant);
        CPrjVar* var = Add(new CPrjVarWord("F", 5, 1, 33, 1));
        var->SetWidth(3);
        const uint8_t col = static_cast<uint8_t>(c.text.find('#'));
        if (c.field)
            OpTxt(0, c.text, {{var, col}});
        else
            OpTxt(0, c.text);
        const std::string image = Image();
        std::string expect = c.bytes ? c.bytes : Hex(std::string(40, 'X'));
        const size_t mark = expect.find("@@@@");
        if (mark != std::string::npos) {
            char adr[8];
            std::snprintf(adr, sizeof adr, "00%04X", static_cast<unsigned>(WordAt(image, 136)));
            expect.replace(mark, 4, adr);
        }
        EXPECT_EQ(Hex(OpRow(image, 0)), expect) << c.type << "/" << c.variant << " '" << c.text << "'";
    }
}

// --- Records and header slots -----------------------------------------------------------

TEST_F(Comp043, OperatorMessageAndHelpTexts)
{
    CPrjOpTxt* op = OpTxt(5, "one");
    Row(op, "three", {}, 3);
    struct Msg {
        int32_t num;
        uint8_t prio;
        uint8_t del;
        unsigned attr;
    } const msgs[] = {{0, 3, 2, 34}, {1, 4, 3, 68}, {2, 2, 4, 128}, {3, 0, 1, 0}, {127, 4, 5, 4}};
    for (const Msg& m : msgs)
        prj.InsMsgTxt(Row(new CMsgTxt(m.num, m.prio, m.del, 0), "msg"));
    prj.InsHlpTxt(0, Row(new CKindTxt(1), "idle"));
    prj.InsHlpTxt(6, Row(new CKindTxt(2), "recipe-help"));
    prj.InsHlpTxt(3, Row(new CKindTxt(4), "warn"));

    const std::string image = Image();
    const size_t opAt = WordAt(image, 394 + 10);
    EXPECT_EQ(ByteAt(image, opAt), 3u);
    EXPECT_EQ(CountedAt(image, opAt + 1), "one");
    EXPECT_EQ(Hex(image.substr(opAt + 5, 2)), "0120");  // a missing row
    EXPECT_EQ(CountedAt(image, opAt + 7), "three");
    for (const Msg& m : msgs) {
        EXPECT_EQ(ByteAt(image, 660 + static_cast<size_t>(m.num)), m.attr) << m.num;
        const size_t at = WordAt(image, 138 + 2 * static_cast<size_t>(m.num));
        EXPECT_EQ(ByteAt(image, at), 1u);
        EXPECT_EQ(CountedAt(image, at + 1), "msg");
    }
    // Lists 0 and 6 share a slot, the later list wins; list 5 has no text,
    // so the attributes of messages 0 and 1 stay.
    EXPECT_EQ(CountedAt(image, WordAt(image, 650) + 1), "recipe-help");
    EXPECT_EQ(CountedAt(image, WordAt(image, 656) + 1), "warn");
    EXPECT_EQ(WordAt(image, 652), 0u);
    EXPECT_EQ(workspace.MemInfo().counts.hlpTexts, 3);
}

TEST_F(Comp043, SoftkeyTextsAndActions)
{
    for (uint16_t type : {47, 43}) {
        SetType(type);
        prj.GetSkTxtList()->FreeAllSkTxt();
        prj.GetSkActList()->FreeAllActs();
        auto* act3 = new CPrjSkAct(3, "Act3");
        act3->SetOperation(0, CPrjSkAct::kOpWrite, 100, 0x1234, 2);
        act3->SetOperation(2, CPrjSkAct::kOpOr, 101, 1, 0);
        auto* act4 = new CPrjSkAct(4, nullptr);
        act4->SetOperation(5, CPrjSkAct::kOpAnd, 102, 0xFF00, 3);
        prj.InsSkAct(act3);
        prj.InsSkAct(act4);
        auto* range = new CPrjSkTxtRange(0, 255);
        auto* sk = new CPrjSkTxt(2);
        sk->SetActs(1, act3, nullptr);
        sk->SetActs(16, act4, act3);
        prj.InsSkTxt(range);
        prj.InsSkTxt(sk);

        const std::string image = Image();
        const size_t table = WordAt(image, 121);
        ASSERT_NE(table, 0u);
        const unsigned keys = type == 47 ? 16 : 8;
        EXPECT_EQ(WordAt(image, table), 0u);
        EXPECT_EQ(WordAt(image, table + 2), 0u);
        EXPECT_EQ(WordAt(image, table + 6), 0u);
        EXPECT_EQ(WordAt(image, table + 8), 255u);
        EXPECT_EQ(WordAt(image, table + 10), 3u);
        EXPECT_EQ(WordAt(image, table + 12), 0u);
        const size_t rangeAt = WordAt(image, table + 4);
        EXPECT_EQ(WordAt(image, rangeAt + 2), keys);
        const size_t rec = WordAt(image, table + 12 + 4);
        EXPECT_EQ(WordAt(image, rec), 0u);
        EXPECT_EQ(WordAt(image, rec + 2), keys);
        EXPECT_EQ(Hex(image.substr(WordAt(image, rec + 4), 4)), "00030000");
        EXPECT_EQ(WordAt(image, rec + 6), 0u);
        if (type == 47) {
            EXPECT_EQ(Hex(image.substr(WordAt(image, rec + 2 + 32), 4)), "00040003");
        }

        const size_t acts = WordAt(image, 119);
        EXPECT_EQ(WordAt(image, acts), 5u);
        EXPECT_EQ(WordAt(image, acts + 2 + 2), 0u);
        EXPECT_EQ(Hex(image.substr(WordAt(image, acts + 2 + 6), 19)), "0002" "0064" "02" "02" "1234" "0065" "08" "01" "0001"
                                                                      "4163743300");
        EXPECT_EQ(Hex(image.substr(WordAt(image, acts + 2 + 8), 9)), "0001" "0066" "04" "03" "FF00" "00");
    }
}

TEST_F(Comp043, MenusKeepTheirMaskBeforeTheFirstNode)
{
    CPrjOpTxt* t0 = OpTxt(0, "zero");
    CPrjOpTxt* t1 = OpTxt(1, "one");
    auto* menu = new CPrjMnu(1, "Main", 0x30FF);
    menu->InsNode(new CPrjMnuNode(1, 0, 2, 0, 0, t0, 1));
    menu->InsNode(new CPrjMnuNode(2, 1, 0, 9, 0, t1, 0));
    menu->InsNode(new CPrjMnuNode(3, 0, 0, 0, 0, nullptr, 0));  // shows no text: not written
    prj.InsMnu(menu);
    auto* other = new CPrjMnu(5, "Other", 0x30FF);
    other->InsNode(new CPrjMnuNode(4, 0, 0, 0, 0, t1, 0));
    other->InsNode(new CPrjMnuNode(7, 0, 0, 0, 0, t0, 1));
    prj.InsMnu(other);
    prj.SetDescr("About");

    const std::string image = Image();
    const size_t first = WordAt(image, 786 + 2);
    EXPECT_EQ(WordAt(image, first - 2), 0x30FFu);
    EXPECT_EQ(WordAt(image, first), first + 8);
    EXPECT_EQ(Hex(image.substr(first + 2, 14)), "010002000000" "0000" "020100000001");
    // The start node comes first, then the others in list order.
    const size_t second = WordAt(image, 786 + 10);
    EXPECT_EQ(ByteAt(image, second + 2), 7u);
    EXPECT_EQ(ByteAt(image, second + 8 + 2), 4u);
    // Main links to a missing node and has a node that no start node
    // reaches; Other's node 4 is not reached either.
    EXPECT_EQ(LogLinesAfter(LoadLangString(15201)), (std::vector<std::string>{"Main", "Other"}));

    const size_t names = WordAt(image, 111);
    EXPECT_EQ(image.substr(names, 32), std::string("Main\0\0\0\0\0\0\0\0\0\0\0\0Other\0\0\0\0\0\0\0\0\0\0\0", 32));
    EXPECT_EQ(image.substr(WordAt(image, 113), 6), std::string("About\0", 6));
    EXPECT_EQ(workspace.MemInfo().counts.menus, 2);
    EXPECT_EQ(workspace.MemInfo().counts.menuNodes, 4);
}

TEST_F(Comp043, BrokenMenusAreReportedAndMenusWithoutStartStop)
{
    CPrjOpTxt* t0 = OpTxt(0, "zero");
    auto* menu = new CPrjMnu(1, "Broken", 0x30FF);
    menu->InsNode(new CPrjMnuNode(1, 0, 0, 9, 0, t0, 1));
    prj.InsMnu(menu);
    const Compiled c = Compile();
    EXPECT_EQ(c.check, 1);
    EXPECT_EQ(LogLinesAfter(LoadLangString(15201)), std::vector<std::string>{"Broken"});
    const std::string& image = c.image;
    EXPECT_EQ(ByteAt(image, WordAt(image, 788) + 5), 0u);  // the down link to the missing node

    auto* noStart = new CPrjMnu(2, "NoStart", 0x30FF);
    noStart->InsNode(new CPrjMnuNode(1, 0, 0, 0, 0, t0, 0));
    prj.InsMnu(noStart);
    EXPECT_EQ(Compile().error, CComp::kErrIncomplete);
}

TEST_F(Comp043, PrinterBlockOnPanel47Only)
{
    SetType(47);
    prj.SetPrnInit("1B4041");
    prj.SetPrnSubst(0, 'x');
    prj.SetPrnSubst(7, 'y');
    prj.SetPrnTimeout(30);
    const std::string image = Image();
    const size_t at = WordAt(image, 115);
    EXPECT_EQ(at, 1042u);
    EXPECT_EQ(WordAt(image, at), 30u);
    EXPECT_EQ(ByteAt(image, at + 16), 3u);
    EXPECT_EQ(Hex(image.substr(at + 17, 8)), "1B40410000000000");
    EXPECT_EQ(ByteAt(image, at + 25 + 8), unsigned{'x'});
    EXPECT_EQ(ByteAt(image, at + 25 + 15), unsigned{'y'});
    EXPECT_EQ(ByteAt(image, at + 25 + 'A'), unsigned{'A'});
    EXPECT_EQ(ByteAt(image, at + 25 + 0), unsigned{' '});
    EXPECT_EQ(WordAt(image, at + 153), 0u);

    SetType(43);
    EXPECT_EQ(WordAt(Image(), 115), 0u);
}

TEST_F(Comp043, UserCharacters)
{
    prj.InsCharDef(new CCharDef(3, {1, 2, 3, 4, 5, 6, 7, 8}));
    prj.InsCharDef(new CCharDef(7, {9, 9, 9, 9, 9, 9, 9, 9}));
    const std::string image = Image();
    EXPECT_EQ(Hex(image.substr(41 + 24, 8)), "0102030405060708");
    EXPECT_EQ(Hex(image.substr(41 + 56, 8)), "0909090909090909");
}

// --- Firmware ids -------------------------------------------------------------------

TEST_F(Comp043, FirmwareIdByCauseAndLevel)
{
    using Setup = std::function<void(Comp043&)>;
    const Setup none = [](Comp043&) {};
    const Setup softkey = [](Comp043& t) { t.prj.InsSkTxt(new CPrjSkTxt(0)); };
    const Setup action = [](Comp043& t) { t.prj.InsSkAct(new CPrjSkAct(1, nullptr)); };
    const Setup wideBin = [](Comp043& t) { t.Add(new CPrjVarBin("B", 4, 1, 5, 4, 0, 0, 10, 0, 10)); };
    const Setup wordForm = [](Comp043& t) { t.Add(new CPrjVarWord("W", 4, 1, 33, 2)); };
    const Setup timer = [](Comp043& t) {
        auto* var = t.Add(new CPrjVarTimer("T", 4, 1, 36, t.prj.GetTextPool()));
        for (int i = 0; i < 4; ++i)
            var->SetStateTxt(i, "s");
    };
    const Setup menu = [](Comp043& t) {
        auto* m = new CPrjMnu(1, "M", 0x10FF);
        m->InsNode(new CPrjMnuNode(1, 0, 0, 0, 0, t.OpTxt(0, "x"), 1));
        t.prj.InsMnu(m);
    };
    const auto rowVar = [](const char* name, uint8_t type) {
        return Setup([name, type](Comp043& t) {
            CPrjVar* var = type == 144
                               ? static_cast<CPrjVar*>(new CPrjIntVarStr(name, 0, 1, 144, 0, 0, t.prj.GetTextPool()))
                               : new CPrjIntVar(name, 0, 0, 1, type, 0, 0);
            var->SetAttr32(0xFD8A);
            t.Add(var);
            t.OpTxt(0, "ab", {{var, 1}});
        });
    };
    struct Case {
        uint16_t type;
        uint16_t variant;
        Setup setup;
        const char* id;
    } const cases[] = {
        {14, 0, none, "OG014000"},        {14, 0, softkey, "OG014203"},    {14, 0, rowVar("[Z084]", 144), "OG014203"},
        {14, 0, wideBin, "OG014000"},     {36, 0, action, "OG036000"},     {36, 0, wordForm, "OG036000"},
        {43, 0, none, "OG043000"},        {43, 0, wideBin, "OG043202"},    {43, 0, menu, "OG043204"},
        {43, 0, wordForm, "OG043205"},    {43, 0, timer, "OG043205"},      {43, 0, action, "OG043206"},
        {43, 0, rowVar("[Z084]", 144), "OG043206"},                        {43, 0, rowVar("ZA", 140), "OG043000"},
        {47, 0, none, "OG047000"},        {47, 0, wideBin, "OG047202"},    {47, 0, menu, "OG047204"},
        {47, 0, rowVar("ZA", 140), "OG047405"},                            {47, 0, rowVar("ZH", 142), "OG047405"},
        {47, 0, wordForm, "OG047406"},    {47, 0, softkey, "OG047407"},    {47, 0, rowVar("Z4", 140), "OG047407"},
        {47, 0, rowVar("[Z085]", 144), "OG047407"},                        {47, 1, none, "OG047427"},
        {47, 1, wideBin, "OG047427"},     {755, 0, none, "OG047427"},
    };
    for (const Case& c : cases) {
        prj.GetMnuList()->FreeAllMnus();
        prj.GetOpTxtList()->FreeAllEntries();
        prj.GetSkTxtList()->FreeAllSkTxt();
        prj.GetSkActList()->FreeAllActs();
        prj.GetVarList()->FreeAll();
        SetType(c.type, c.variant);
        c.setup(*this);
        const std::string image = Image();
        EXPECT_EQ(image.substr(22, 9), std::string(c.id) + '\0') << c.type << " expects " << c.id;
    }
}

TEST_F(Comp043, Panel755CompilesAs47InItsVariant)
{
    const auto fill = [this] {
        Add(new CPrjVarWord("W", 4, 1, 33, 0))->SetWidth(4);
        OpTxt(0, "A         B");
        prj.InsSkTxt(Row(new CPrjSkTxt(0), "keys"));
    };
    SetType(47, 1);
    fill();
    const std::string as47 = Image();
    prj.GetOpTxtList()->FreeAllEntries();
    prj.GetSkTxtList()->FreeAllSkTxt();
    prj.GetVarList()->FreeAll();
    SetType(755, 0);
    fill();
    EXPECT_EQ(Image(), as47);
    EXPECT_EQ(WordAt(as47, 115), 1042u);
}

// --- Memory --------------------------------------------------------------------------

TEST_F(Comp043, NamesGiveWayToTheDriverReserve)
{
    Add(new CPrjVarWord("W", 4, 1, 33, 0));
    auto* menu = new CPrjMnu(1, "M", 0x30FF);
    menu->InsNode(new CPrjMnuNode(1, 0, 0, 0, 0, OpTxt(0, "x"), 1));
    prj.InsMnu(menu);
    prj.SetDescr("descr");
    const Compiled full = Compile();
    ASSERT_EQ(full.error, 0);
    // The length before the names: 16 per variable and menu, the description.
    const uint32_t before = static_cast<uint32_t>(full.dataSet.size()) - 16 - 16 - 6;

    struct Case {
        uint32_t reserve;
        int box;
    } const cases[] = {
        {32766 - 2 - before - 16, 15212},
        {32766 - 2 - before - 32, 15213},
        {32766 - 2 - before - 38, 15215},
        {32766 - 2 - before - 39, 0},
    };
    for (const Case& c : cases) {
        ui.ClearCalls();
        {
            CComp043 comp(workspace, dir.File("P.BIN"), "", "", c.reserve, bundle);
            ASSERT_EQ(comp.GetError(), 0);
            EXPECT_EQ(comp.CheckError(), 1);
        }
        const std::string image = dir.Read("P.BIN");
        EXPECT_EQ(BoxIds(), c.box ? std::vector<int>{c.box} : std::vector<int>{}) << c.reserve;
        EXPECT_EQ(WordAt(image, 111) != 0, c.box == 0 || c.box == 15215) << c.reserve;
        EXPECT_EQ(WordAt(image, 113) != 0, c.box == 0) << c.reserve;
    }
}

TEST_F(Comp043, ImageReachingTheLimitFails)
{
    drvBytes = std::string(32000, 'D');
    dir.Write("P.DRV", drvBytes);
    const Compiled c = Compile();
    EXPECT_EQ(c.error, CComp::kErrMemory);
    EXPECT_EQ(c.check, 0);
    EXPECT_EQ(workspace.MemInfo().freeData, 0u);
}

TEST_F(Comp043, CountersFollowTheObjectsWritten)
{
    auto* bit = Add(new CPrjVarBit("Bit", 5, 1, 12, 5, prj.GetTextPool()));
    bit->SetStateTxt(0, "AUS");
    bit->SetStateTxt(1, "EIN");
    Add(new CPrjVarWord("W", 4, 1, 33, 0));
    CPrjOpTxt* t0 = OpTxt(0, "zero", {{bit, 0}});
    Row(t0, "row2", {}, 2);
    prj.InsMsgTxt(Row(new CMsgTxt(4, 2, 1, 0), "m"));
    auto* menu = new CPrjMnu(1, "M", 0x30FF);
    menu->InsNode(new CPrjMnuNode(1, 0, 0, 0, 0, t0, 1));
    prj.InsMnu(menu);
    prj.InsSkAct(new CPrjSkAct(1, nullptr));
    prj.InsSkTxt(new CPrjSkTxt(0));

    const std::string image = Image();
    const CMemInfo::Counts& n = workspace.MemInfo().counts;
    EXPECT_EQ(n.vars, 2);
    EXPECT_EQ(n.varTexts, 2);
    EXPECT_EQ(n.opTexts, 1);
    EXPECT_EQ(n.opRows, 2);
    EXPECT_EQ(n.msgTexts, 1);
    EXPECT_EQ(n.msgRows, 1);
    EXPECT_EQ(n.menus, 1);
    EXPECT_EQ(n.menuNodes, 1);
    EXPECT_EQ(n.skActions, 1);
    EXPECT_EQ(n.skTexts, 1);
    EXPECT_EQ(workspace.MemInfo().freeData, 32766u - image.size());
    EXPECT_EQ(prj.GetVarList()->GetCount(), 2);
}

// --- Faults built soundly -------------------------------------------------------------

TEST_F(Comp043, NumbersWithoutAHeaderSlotStopTheCompile)
{
    struct Case {
        const char* what;
        std::function<void()> add;
        const char* logged;
    } const cases[] = {
        {"operator text 200", [this] { OpTxt(200, "x"); }, "200"},
        {"operator text template", [this] { prj.InsOpTxt(Row(new CPrjOpTxtRange(0, 255), "t")); }, "-1"},
        {"message text 128", [this] { prj.InsMsgTxt(Row(new CMsgTxt(128, 2, 1, 0), "m")); }, "128"},
        {"menu 128",
         [this] {
             auto* m = new CPrjMnu(128, "Big", 0x30FF);
             m->InsNode(new CPrjMnuNode(1, 0, 0, 0, 0, OpTxt(0, "x"), 1));
             prj.InsMnu(m);
         },
         "128"},
        {"user character 9", [this] { prj.InsCharDef(new CCharDef(9, {})); }, "9"},
    };
    for (const Case& c : cases) {
        prj.GetMnuList()->FreeAllMnus();
        prj.GetOpTxtList()->FreeAllEntries();
        prj.GetMsgTxtList()->FreeAllEntries();
        prj.GetCharDefColl()->DeleteAll();
        ui.ClearCalls();
        c.add();
        EXPECT_EQ(Compile().error, CComp::kErrIncomplete) << c.what;
        const std::vector<std::string> log = LogLines();
        ASSERT_FALSE(log.empty()) << c.what;
        EXPECT_NE(log.back().find(c.logged), std::string::npos) << c.what << ": " << log.back();
    }
}

TEST_F(Comp043, MissingCharacterSetWritesNothingUsable)
{
    world.Unwire(WorldPart::CharSet);
    CComp043 comp(workspace, dir.File("P.BIN"), dir.File("P.DRV"), dir.File("P.FKT"), 0, bundle);
    EXPECT_EQ(comp.GetError(), CComp::kErrIncomplete);
    EXPECT_EQ(comp.CheckError(), 0);
    EXPECT_EQ(BoxIds(), std::vector<int>{15207});
}

}  // namespace
