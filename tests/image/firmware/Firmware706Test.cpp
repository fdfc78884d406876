#include "FwFixture.h"
#include "image/firmware/Firmware.h"
#include "model/core/Catalogues.h"
#include "model/project/PrjIntVar.h"
#include "tools/cfggen/FwBuilders.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace orv;

namespace {

class Firmware706 : public FwFixture, public ::testing::Test {
protected:
    CFirmware Open(const Fw706Image& img) { return CFirmware(WriteFw(img.Build()), &bundle); }

    // Reads the image's variables; the error state afterwards.
    uint16_t ReadVars(const Fw706Image& img)
    {
        CFirmware fw(WriteFw(img.Build()), &bundle);
        fw.ReadSysVars();
        return fw.GetError();
    }
};

TEST_F(Firmware706, IsValidByMagic)
{
    Fw706Image img;
    EXPECT_TRUE(Open(img).IsValid());
    img.Magic(466);
    EXPECT_FALSE(Open(img).IsValid());
}

TEST_F(Firmware706, NameMatchesThePanelsFirmwareFile)
{
    struct Case {
        const char* stored;
        uint16_t devType;
        bool matches;
    };
    const Case cases[] = {
        {"ORV706.FRM", 706, true},   {"ORV706.FRM  ", 706, true},  {"ORV473.FRM", 473, true},
        {"ORV473.FRM", 477, true},   {"ORV477.FRM", 477, false},   {"orv706.frm", 706, false},
        {"ORV706.FRM X", 706, true}, {"ORV706.FRMXY", 706, false}, {"ORV706.FRM", 473, false},
    };
    for (const Case& c : cases) {
        prj.SetDevType(c.devType);
        Fw706Image img;
        img.Name(c.stored);
        EXPECT_EQ(Open(img).NameMatches(), c.matches) << c.stored << " on " << c.devType;
    }
}

TEST_F(Firmware706, ReadIdAndDate)
{
    Fw706Image img;
    img.Id("FW7060123").Date(0x01, 0x12, 0x24);
    CFirmware fw = Open(img);
    fw.ReadId();
    fw.ReadDate();
    EXPECT_EQ(fw.GetError(), 0);
    EXPECT_EQ(frm.GetFrmId(), "FW7060123");
    EXPECT_EQ(frm.GetVersion(), "012.3");
    // The last date byte is shown first.
    EXPECT_EQ(frm.GetName(), "24.12.01");
}

TEST_F(Firmware706, FeatureBitsFromTheMask)
{
    Fw706Image img;
    img.Feature(0).Feature(9).Feature(63);
    CFirmware fw = Open(img);
    EXPECT_FALSE(fw.HasFeature(0));
    fw.ReadSysVars();
    for (int bit : {0, 9, 63})
        EXPECT_TRUE(fw.HasFeature(bit)) << bit;
    for (int bit : {-1, 1, 8, 56, 62, 64})
        EXPECT_FALSE(fw.HasFeature(bit)) << bit;
}

// One entry of each type code and what it makes.
enum class Made { None, Num, Str, Hex, W8, Byte, W17, W40 };

struct TypeCase {
    uint16_t type;
    uint8_t setpCode;
    Made made;
    bool fwList;
    uint8_t setpKind;
    uint8_t width;
};

TEST_F(Firmware706, EachTypeCodeMakesItsVariable)
{
    const TypeCase cases[] = {
        {134, 0, Made::Num, false, 1, 6},  {135, 1, Made::Num, false, 2, 6},   {142, 2, Made::Str, false, 3, 5},
        {154, 3, Made::Str, false, 1, 5},  {249, 1, Made::Hex, true, 2, 5},    {250, 0, Made::W8, false, 1, 8},
        {251, 2, Made::Byte, false, 3, 8}, {252, 0, Made::W17, false, 1, 17},  {253, 0, Made::W17, false, 1, 17},
        {254, 0, Made::W17, false, 1, 17}, {255, 1, Made::W40, false, 2, 40},  {143, 0, Made::None, false, 0, 0},
        {0x186, 0, Made::None, false, 0, 0},
    };
    for (const TypeCase& c : cases) {
        SCOPED_TRACE(c.type);
        prj.GetVarList()->FreeAll();
        prj.GetFwVarList()->FreeAll();
        Fw706Image img;
        Fw706Entry e = Fw706Var("[Z050]", c.type);
        e.setpCode = c.setpCode;
        e.v = 0x40200;
        e.flags = 0xA55A;
        e.s = 0x12345678;
        e.digits = 4;
        e.decimals = 1;
        e.lower = -5;
        e.upper = 70000;
        e.states = {"Aus", "Start"};
        e.value = 0x0102;
        if (c.type == 249)
            e.raw = std::string("\x1F\xA0", 2) + '\0';
        img.Add(e);
        ASSERT_EQ(ReadVars(img), 0);

        CPrjVar* var = FindVar("[Z050]");
        if (c.made == Made::None) {
            EXPECT_EQ(var, nullptr);
            EXPECT_EQ(VarCount() + FwVarCount(), 0);
            continue;
        }
        ASSERT_NE(var, nullptr);
        EXPECT_EQ(c.fwList ? FwVarCount() : VarCount(), 1);
        EXPECT_EQ(var->GetType(), c.type);
        EXPECT_EQ(var->GetSetpKind(), c.setpKind);
        EXPECT_EQ(var->GetFlags(), 0xA55Au);
        EXPECT_EQ(var->GetExtWord0(), 0x40200);
        EXPECT_EQ(var->GetExtWord1(), 0x12345678);
        EXPECT_EQ(var->GetWidth(), c.width);
        switch (c.made) {
        case Made::Num: {
            auto* num = dynamic_cast<CPrjIntVarNum*>(var);
            ASSERT_NE(num, nullptr);
            EXPECT_EQ(num->GetExtByte12(), 4);
            EXPECT_EQ(num->GetDecimals(), 1);
            EXPECT_EQ(num->GetExtWord4(), -5);
            EXPECT_EQ(num->GetExtWord5(), 70000);
            break;
        }
        case Made::Str:
            ASSERT_NE(dynamic_cast<CPrjIntVarStr*>(var), nullptr);
            EXPECT_EQ(var->MaxStateIdx(), 1);
            EXPECT_STREQ(var->GetStateTxt(0), "Aus");
            EXPECT_STREQ(var->GetStateTxt(1), "Start");
            break;
        case Made::Hex:
            ASSERT_NE(dynamic_cast<CPrjIntVarHex*>(var), nullptr);
            EXPECT_EQ(static_cast<CPrjIntVarHex*>(var)->GetHexText(), "1FA0");
            break;
        case Made::W8:
            EXPECT_NE(dynamic_cast<CPrjIntVarW8*>(var), nullptr);
            break;
        case Made::Byte:
            ASSERT_NE(dynamic_cast<CPrjIntVarByte*>(var), nullptr);
            EXPECT_EQ(var->GetExtByte12(), 0x02);
            break;
        case Made::W17:
            EXPECT_NE(dynamic_cast<CPrjIntVarW17*>(var), nullptr);
            break;
        case Made::W40:
            ASSERT_NE(dynamic_cast<CPrjIntVarW40*>(var), nullptr);
            EXPECT_EQ(static_cast<CPrjIntVarW40*>(var)->GetValue(), 0x0102);
            break;
        case Made::None:
            break;
        }
    }
}

TEST_F(Firmware706, ChainGoesOnPastUnknownTypesAndWithoutVariableBlock)
{
    Fw706Image img;
    Fw706Entry unknown = Fw706Var("[Z001]", 7);
    img.Add(unknown);
    Fw706Entry time = Fw706Var("[Z002]", 250);
    img.Add(time);
    ASSERT_EQ(ReadVars(img), 0);
    EXPECT_EQ(FindVar("[Z001]"), nullptr);
    ASSERT_NE(FindVar("[Z002]"), nullptr);
    // Address 0: no variable block, no flags.
    EXPECT_EQ(FindVar("[Z002]")->GetFlags(), 0u);
}

TEST_F(Firmware706, LongNameIsCutButTheFieldsFollowTheWholeName)
{
    Fw706Image img;
    Fw706Entry e = Fw706Var("ABCDEFGHIJKLMNOPQRSTUVWXYZ", 255);
    e.value = 4711;
    img.Add(e);
    ASSERT_EQ(ReadVars(img), 0);
    auto* var = dynamic_cast<CPrjIntVarW40*>(FindVar("ABCDEFGHIJKLMNOP"));
    ASSERT_NE(var, nullptr);
    EXPECT_EQ(var->GetValue(), 4711);
}

TEST_F(Firmware706, StateTextsAreReplacedByTheCatalogue)
{
    const std::string timer = std::string(ResourceTXT(748)).substr(0, 15);
    struct Case {
        FwText stored;
        std::string expected;
    };
    const Case cases[] = {
        {"MO   ", ResourceTXT(741)}, {"MO-FR", ResourceTXT(750)}, {"DI", ResourceTXT(742)},
        {"timer 3", timer + "3"},    {"TIMER 3", "TIMER 3"},      {"SA-SO", ResourceTXT(752)},
        {"MO-SO", ResourceTXT(749)}, {"MO-SA", ResourceTXT(751)}, {"MOX", "MOX"},
        {"Timer 9", timer + "9"},    {std::nullopt, ""},          {"SO   ", ResourceTXT(747)},
        {"TIMER 3", "TIMER 3"},
    };
    Fw706Entry e = Fw706Var("[Z030]", 142);
    for (const Case& c : cases)
        e.states.push_back(c.stored);
    Fw706Image img;
    img.Add(e);
    ASSERT_EQ(ReadVars(img), 0);
    CPrjVar* var = FindVar("[Z030]");
    ASSERT_NE(var, nullptr);
    ASSERT_EQ(var->MaxStateIdx(), 12);
    for (int i = 0; i <= 12; ++i) {
        const char* text = var->GetStateTxt(i);
        EXPECT_EQ(text ? std::string(text) : std::string(), cases[i].expected) << i;
    }
}

TEST_F(Firmware706, StateTextsAreCutAtFortyCharacters)
{
    Fw706Entry e = Fw706Var("[Z031]", 154);
    e.states = {std::string(45, 'x')};
    Fw706Image img;
    img.Add(e);
    ASSERT_EQ(ReadVars(img), 0);
    EXPECT_EQ(std::string(FindVar("[Z031]")->GetStateTxt(0)), std::string(40, 'x'));
}

TEST_F(Firmware706, SoftkeyRowsGetAllSlotsAndTheTimeSwitchItsWidth)
{
    Fw706Image img;
    Fw706Entry row = Fw706Var("[Z084]", 142);
    row.states = {"ignored"};
    img.Add(row);
    Fw706Entry sw = Fw706Var("[Z022]", 142);
    sw.states = {"A", "B"};
    img.Add(sw);
    ASSERT_EQ(ReadVars(img), 0);

    auto* keys = dynamic_cast<CPrjIntVarStr*>(FindVar("[Z084]"));
    ASSERT_NE(keys, nullptr);
    EXPECT_EQ(keys->MaxStateIdx(), 255);
    EXPECT_EQ(keys->GetSlotCount(), 256u);
    for (int i : {0, 1, 128, 255})
        EXPECT_STREQ(keys->GetStateTxt(i), " ") << i;
    EXPECT_EQ(FindVar("[Z022]")->GetWidth(), 16);
}

TEST_F(Firmware706, HexDataCountedOrEndedByZero)
{
    struct Case {
        bool counted;
        std::string raw;
        size_t bytes;
        const char* start;
    };
    const Case cases[] = {
        {true, std::string("\x03\x41\x00\x43", 4), 3, "410043"},
        {true, "\x2D" + std::string(45, '\x11'), 40, "1111"},
        {false, std::string("\x41\x42\x00\x43", 4), 2, "4142"},
        {false, std::string(45, '\x22') + '\0', 40, "2222"},
        {false, std::string(1, '\0'), 0, ""},
    };
    for (const Case& c : cases) {
        prj.GetFwVarList()->FreeAll();
        Fw706Image img;
        if (c.counted)
            img.Feature(61);
        Fw706Entry e = Fw706Var("[Z079]", 249);
        e.raw = c.raw;
        img.Add(e);
        ASSERT_EQ(ReadVars(img), 0);
        auto* hex = dynamic_cast<CPrjIntVarHex*>(FindVar("[Z079]"));
        ASSERT_NE(hex, nullptr);
        EXPECT_EQ(hex->GetHexText().size(), 2 * c.bytes) << c.bytes;
        EXPECT_EQ(hex->GetHexText().substr(0, std::strlen(c.start)), c.start);
    }
}

TEST_F(Firmware706, HexVariableWidths)
{
    Fw706Image img;
    for (const char* name : {"[Z078]", "[Z077]"}) {
        Fw706Entry e = Fw706Var(name, 249);
        e.raw = std::string(1, '\0');
        img.Add(e);
    }
    ASSERT_EQ(ReadVars(img), 0);
    EXPECT_EQ(FindVar("[Z078]")->GetWidth(), 4);
    EXPECT_EQ(FindVar("[Z077]")->GetWidth(), 5);
}

TEST_F(Firmware706, MissingOrEmptyFileIsErrorEightAndStopsEverything)
{
    dir.Write("EMPTY.FRM", "");
    for (const std::string& path : {std::string(), dir.File("NONE.FRM"), dir.File("EMPTY.FRM")}) {
        SCOPED_TRACE(path);
        ui.ClearCalls();
        CFirmware fw(path, &bundle);
        EXPECT_EQ(fw.GetError(), 8);
        fw.ReadId();
        fw.ReadSysVars();
        EXPECT_FALSE(fw.IsValid());
        EXPECT_TRUE(frm.GetFrmId().empty());
        EXPECT_FALSE(fw.CheckError());
        EXPECT_EQ(BoxIds(), std::vector<int>{15104});
        EXPECT_EQ(ui.TextsOf(UiCall::Kind::Box).back(), "Firmware konnte nicht gelesen werden!");
        EXPECT_TRUE(fw.CheckError());
        EXPECT_EQ(BoxIds().size(), 1u);
    }
}

TEST_F(Firmware706, FailedReadMidChainKeepsEarlierVariablesAndStops)
{
    Fw706Image img;
    Fw706Entry e = Fw706Var("[Z001]", 250);
    img.Add(e);
    e.name = "[Z002]";
    const size_t second = img.Add(e);
    img.SetNext(second, Fw706Image::Adr(0x8000));
    CFirmware fw(WriteFw(img.Build()), &bundle);
    fw.ReadSysVars();
    EXPECT_EQ(fw.GetError(), 8);
    EXPECT_NE(FindVar("[Z001]"), nullptr);
    EXPECT_NE(FindVar("[Z002]"), nullptr);
    EXPECT_EQ(VarCount(), 2);
    // Nothing more happens until the error is reported.
    fw.ReadId();
    EXPECT_TRUE(frm.GetFrmId().empty());
    EXPECT_FALSE(fw.CheckError());
    fw.ReadId();
    EXPECT_EQ(frm.GetFrmId(), "FW7060105");
}

TEST_F(Firmware706, NameTakenTwiceKeepsTheFirst)
{
    Fw706Image img;
    Fw706Entry e = Fw706Var("[Z003]", 252);
    img.Add(e);
    e.type = 250;
    img.Add(e);
    ASSERT_EQ(ReadVars(img), 0);
    EXPECT_EQ(VarCount(), 1);
    EXPECT_EQ(FindVar("[Z003]")->GetType(), 252);
}

} // namespace
