#include "FwFixture.h"
#include "image/firmware/Firmware118.h"
#include "model/core/Catalogues.h"
#include "model/project/PrjIntVar.h"
#include "tools/cfggen/FwBuilders.h"

#include <gtest/gtest.h>

#include <string>

using namespace orv;

namespace {

class Firmware118 : public FwFixture, public ::testing::Test {
protected:
    Firmware118() { prj.SetDevType(118); }

    uint16_t ReadVars(const Fw118Image& img)
    {
        CFirmware118 fw(WriteFw(img.Build()), &bundle);
        fw.ReadSysVars();
        return fw.GetError();
    }
};

TEST_F(Firmware118, ReadIdAndDate)
{
    struct Case {
        const char* digits;
        const char* shown;
    };
    for (const Case& c : {Case{"241231", "24.12.31"}, Case{"010203", "01.02.03"}}) {
        Fw118Image img;
        img.Id("ORV118B07").Date(c.digits);
        CFirmware118 fw(WriteFw(img.Build()), &bundle);
        fw.ReadId();
        fw.ReadDate();
        EXPECT_EQ(fw.GetError(), 0);
        EXPECT_EQ(frm.GetFrmId(), "ORV118B07");
        EXPECT_EQ(frm.GetName(), c.shown);
    }
}

TEST_F(Firmware118, FeatureMaskThroughItsAddress)
{
    Fw118Image img;
    img.Feature(61).Feature(2);
    CFirmware118 fw(WriteFw(img.Build()), &bundle);
    fw.ReadSysVars();
    EXPECT_EQ(fw.GetError(), 0);
    EXPECT_TRUE(fw.HasFeature(61));
    EXPECT_TRUE(fw.HasFeature(2));
    EXPECT_FALSE(fw.HasFeature(60));

    // Mask address 0: no mask.
    Fw118Image plain;
    plain.Bytes().U8(Fw118Image::kMaskAt, 0xFF);
    CFirmware118 none(WriteFw(plain.Build()), &bundle);
    none.ReadSysVars();
    EXPECT_EQ(none.GetError(), 0);
    EXPECT_FALSE(none.HasFeature(63));
}

TEST_F(Firmware118, KindGivesTheType)
{
    struct Case {
        uint8_t kind;
        int type; // 0: no variable
    };
    const Case cases[] = {{2, 134}, {4, 134}, {6, 134}, {28, 134}, {14, 142},
                          {44, 250}, {46, 251}, {3, 0},  {0, 0},    {63, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        prj.GetVarList()->FreeAll();
        Fw118Image img;
        img.Add(Fw118Var(40, c.kind));
        // A second entry shows that the walk goes on past every kind.
        img.Add(Fw118Var(41, 44));
        ASSERT_EQ(ReadVars(img), 0);
        CPrjVar* var = FindVar("[Z40]");
        ASSERT_NE(FindVar("[Z41]"), nullptr);
        if (c.type == 0) {
            EXPECT_EQ(var, nullptr);
            continue;
        }
        ASSERT_NE(var, nullptr);
        EXPECT_EQ(var->GetType(), c.type);
    }
}

TEST_F(Firmware118, BothNameForms)
{
    Fw118Image img;
    img.Add(Fw118Var(5, 2));
    Fw118Entry plain;
    plain.letter = 'Z';
    plain.number = 'B';
    plain.kind = 44;
    img.Add(plain);
    ASSERT_EQ(ReadVars(img), 0);
    EXPECT_NE(FindVar("[Z05]"), nullptr);
    EXPECT_NE(FindVar("ZB"), nullptr);
}

TEST_F(Firmware118, TopBitsGiveSizeAndSetpointKindAndFieldsAreBytes)
{
    struct Case {
        uint8_t top;
        uint8_t setpKind;
    };
    int number = 10;
    Fw118Image img;
    for (const Case& c : {Case{0, 1}, Case{1, 1}, Case{2, 2}, Case{3, 3}}) {
        Fw118Entry e = Fw118Var(number++, 2);
        e.top = c.top;
        e.flags = 0x80000000u | c.top;
        e.setting = 200;
        e.digits = 3;
        e.decimals = 1;
        e.lower = 7;
        e.upper = 250;
        img.Add(e);
    }
    ASSERT_EQ(ReadVars(img), 0);
    number = 10;
    for (const Case& c : {Case{0, 1}, Case{1, 1}, Case{2, 2}, Case{3, 3}}) {
        const std::string name = "[Z" + std::to_string(number++) + "]";
        auto* var = dynamic_cast<CPrjIntVarNum*>(FindVar(name.c_str()));
        ASSERT_NE(var, nullptr) << name;
        EXPECT_EQ(var->GetSetpKind(), c.setpKind) << name;
        // The flags come from 8 or 12 bytes before the entry.
        EXPECT_EQ(var->GetFlags(), 0x80000000u | c.top) << name;
        EXPECT_EQ(var->GetExtWord0(), 0);
        EXPECT_EQ(var->GetExtWord1(), 200);
        EXPECT_EQ(var->GetExtByte12(), 3);
        EXPECT_EQ(var->GetDecimals(), 1);
        EXPECT_EQ(var->GetExtWord4(), 7);
        EXPECT_EQ(var->GetExtWord5(), 250);
        EXPECT_EQ(var->GetWidth(), 5);
    }
}

TEST_F(Firmware118, WidthKindTakesTheWidthByteAndEveryVariableItsAddress)
{
    Fw118Image img;
    Fw118Entry wide = Fw118Var(23, 28);
    wide.width = 12;
    wide.digits = 2;
    const size_t at = img.Add(wide);
    Fw118Entry date = Fw118Var(24, 46);
    date.setting = 9;
    const size_t dateAt = img.Add(date);
    ASSERT_EQ(ReadVars(img), 0);

    CPrjVar* var = FindVar("[Z23]");
    ASSERT_NE(var, nullptr);
    EXPECT_EQ(var->GetWidth(), 12);
    EXPECT_EQ(var->GetMaxWidth(), 12);
    EXPECT_EQ(var->GetAttr32(), Fw118Image::Adr(at));
    auto* byteVar = dynamic_cast<CPrjIntVarByte*>(FindVar("[Z24]"));
    ASSERT_NE(byteVar, nullptr);
    EXPECT_EQ(byteVar->GetAttr32(), Fw118Image::Adr(dateAt));
    EXPECT_EQ(byteVar->GetExtByte12(), 1);
    EXPECT_EQ(byteVar->GetExtWord1(), 9);
    EXPECT_EQ(byteVar->GetAdr(), 0);
}

TEST_F(Firmware118, StartAddressZeroReadsNothing)
{
    Fw118Image img;
    ASSERT_EQ(ReadVars(img), 0);
    EXPECT_EQ(VarCount(), 0);
}

TEST_F(Firmware118, StateTexts)
{
    Fw118Image img;
    Fw118Entry plain = Fw118Var(30, 14);
    plain.states = {"Aus", std::nullopt, std::string(45, 'y')};
    img.Add(plain);
    Fw118Entry keys = Fw118Var(84, 14);
    keys.states = {"x"};
    img.Add(keys);
    Fw118Entry keys2 = Fw118Var(85, 14);
    img.Add(keys2);
    Fw118Entry day = Fw118Var(21, 14);
    day.lastState = 6;
    img.Add(day);
    Fw118Entry day2 = Fw118Var(22, 14);
    day2.lastState = 6;
    img.Add(day2);
    ASSERT_EQ(ReadVars(img), 0);

    CPrjVar* var = FindVar("[Z30]");
    ASSERT_NE(var, nullptr);
    EXPECT_EQ(var->MaxStateIdx(), 2);
    EXPECT_STREQ(var->GetStateTxt(0), "Aus");
    EXPECT_EQ(var->GetStateTxt(1), nullptr);
    EXPECT_EQ(std::string(var->GetStateTxt(2)), std::string(40, 'y'));
    for (const char* name : {"[Z84]", "[Z85]"}) {
        CPrjVar* row = FindVar(name);
        ASSERT_NE(row, nullptr) << name;
        EXPECT_EQ(row->MaxStateIdx(), 255) << name;
        EXPECT_STREQ(row->GetStateTxt(0), " ") << name;
        EXPECT_STREQ(row->GetStateTxt(255), " ") << name;
    }
    for (const char* name : {"[Z21]", "[Z22]"}) {
        CPrjVar* days = FindVar(name);
        ASSERT_NE(days, nullptr) << name;
        for (int i = 0; i < 7; ++i)
            EXPECT_STREQ(days->GetStateTxt(i), ResourceTXT(static_cast<uint16_t>(741 + i))) << name << i;
    }
}

} // namespace
