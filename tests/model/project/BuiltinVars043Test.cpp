#include "model/project/PrjData.h"
#include "model/project/PrjIntVar.h"
#include "model/project/PrjVarList.h"
#include "support/PrjBuilder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace orv;

namespace {

enum class Cls { Str, Num };

// One built-in variable as the panel tables give it. For state-text
// variables "digits" is the highest state index.
struct Expected {
    const char* name;
    Cls cls;
    uint8_t type;
    uint8_t setpKind;
    int digits;
    int32_t lower, upper;
    int32_t setting;
    int16_t adr;
    uint32_t ref;
    uint8_t width;
    uint32_t flags;
    const char* stdName;
};

using Table = std::vector<Expected>;

constexpr uint32_t F = 0x33FB;
// The softkey rows carry the flag of the rows the panel redraws.
constexpr uint32_t FRow = 0x800033FB;

Expected SoftkeyRow(const char* name, const char* stdName, uint8_t width)
{
    return {name, Cls::Str, 144, 1, 127, 0, 0, 0, 26, 0, width, FRow, stdName};
}

const Table kNumbers = {
    {"ZP", Cls::Num, 134, 1, 3, 0, 127, 0, -1, 0xFD04, 3, F, "[HINWEISE]"},
    {"ZQ", Cls::Num, 134, 1, 3, 0, 127, 0, -1, 0xFD19, 3, F, "[WARNUNGEN]"},
    {"ZR", Cls::Num, 134, 1, 3, 0, 127, 0, -1, 0xFD2E, 3, F, "[STOERUNGEN]"},
    {"ZT", Cls::Num, 134, 1, 3, 1, 127, 0, -1, 0xFD43, 3, F, "[MENUE_NUMMER]"},
    {"ZV", Cls::Num, 134, 2, 2, 1, 60, 0, -1, 0xFD5C, 2, F, "[ROLLIER_SOLL]"},
    {"ZX", Cls::Num, 134, 1, 2, 0, 99, 0, -1, 0xFD71, 2, F, "[ERR_SCHNITTST]"},
};

const Table kPrinter = {
    {"ZA", Cls::Num, 134, 2, 3, 0, 999, 1, -1, 0xFD8A, 3, F, "[PRN_TIMEOUT]"},
    {"ZB", Cls::Str, 142, 2, 0, 0, 0, 0, -1, 0xFDA3, 5, F, "[PRN_RS232/TTY]"},
    {"ZC", Cls::Str, 142, 2, 0, 0, 0, 0, -1, 0xFDC5, 3, F, "[PRN_HANDSHAKE]"},
    {"ZD", Cls::Str, 142, 2, 0, 0, 0, 0, -1, 0xFDEA, 4, F, "[DRUCKRICHTUNG]"},
    {"ZE", Cls::Str, 142, 2, 0, 0, 0, 0, -1, 0xFE0C, 5, F, "[PRN_BAUDRATE]"},
    {"ZF", Cls::Str, 142, 2, 0, 0, 0, 0, -1, 0xFE46, 1, F, "[PRN_DATENBIT]"},
    {"ZG", Cls::Str, 142, 2, 0, 0, 0, 0, -1, 0xFE60, 1, F, "[PRN_STOPBIT]"},
    {"ZH", Cls::Str, 142, 2, 0, 0, 0, 0, -1, 0xFE7A, 4, F, "[PRN_PARITAET]"},
};

const Table kServo = {
    {"ZI", Cls::Str, 154, 2, 14, 0, 0, 0, -1, 0xFEA1, 2, F, "[ANTRIEB_NR]"},
    {"ZJ", Cls::Num, 134, 2, 4, 0, 9999, 0, -1, 0xFEFE, 4, F, "[WEGLAENGE]"},
    {"ZK", Cls::Num, 134, 2, 4, 0, 3000, 0, -1, 0xFF17, 4, F, "[GESCHW_VOR]"},
    {"ZL", Cls::Num, 134, 2, 4, 0, 3000, 0, -1, 0xFF30, 4, F, "[GESCHW_RUECK]"},
};

Table Join(std::initializer_list<Table> parts)
{
    Table all;
    for (const Table& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

void ExpectVar(const CPrjVar* var, const Expected& e)
{
    SCOPED_TRACE(e.name);
    ASSERT_NE(var, nullptr);
    EXPECT_EQ(var->GetName(), e.name);
    EXPECT_EQ(var->GetType(), e.type);
    EXPECT_EQ(var->GetSetpKind(), e.setpKind);
    EXPECT_EQ(var->GetExtWord1(), e.setting);
    EXPECT_EQ(var->GetAdr(), e.adr);
    EXPECT_EQ(var->GetAttr32(), e.ref);
    EXPECT_EQ(var->GetWidth(), e.width);
    EXPECT_EQ(var->GetFlags(), e.flags);
    const auto* intVar = dynamic_cast<const CPrjIntVar*>(var);
    ASSERT_NE(intVar, nullptr);
    EXPECT_EQ(intVar->GetOrigName(), e.stdName);
    if (e.cls == Cls::Num) {
        const auto* num = dynamic_cast<const CPrjIntVarNum*>(var);
        ASSERT_NE(num, nullptr);
        EXPECT_EQ(num->GetExtByte12(), e.digits);
        EXPECT_EQ(num->GetDecimals(), 0);
        EXPECT_EQ(num->GetExtWord4(), e.lower);
        EXPECT_EQ(num->GetExtWord5(), e.upper);
        return;
    }
    const auto* str = dynamic_cast<const CPrjIntVarStr*>(var);
    ASSERT_NE(str, nullptr);
    EXPECT_EQ(str->MaxStateIdx(), e.digits);
    const bool softkeyRow = e.type == 144;
    EXPECT_EQ(str->GetTextPool() != nullptr, softkeyRow);
    for (int i = 0; i <= e.digits; ++i) {
        if (softkeyRow)
            EXPECT_STREQ(str->GetStateTxt(i), " ") << "state " << i;
        else
            EXPECT_EQ(str->GetStateTxt(i), nullptr) << "state " << i;
    }
    EXPECT_EQ(str->GetStateTxt(e.digits + 1), nullptr);
}

struct Case {
    const char* name;
    uint16_t devType;
    uint16_t variant;
    bool fktUsed;
    const char* fktFile;
    Table expected;
};

class BuiltinVars043 : public testing::TestWithParam<Case> {};

TEST_P(BuiltinVars043, ClearMakesTheTable)
{
    const Case& c = GetParam();
    ProjectWorld fx(LoadedWorld(c.devType));
    fx.prj->SetVariant(c.variant);
    fx.fkt->SetUsed(c.fktUsed ? 1 : 0);
    fx.fkt->SetFile(c.fktFile);
    fx.prj->Clear();

    const CPrjVarList& vars = *fx.prj->GetVarList();
    ASSERT_EQ(vars.GetCount(), static_cast<int>(c.expected.size()));
    for (size_t i = 0; i < c.expected.size(); ++i)
        ExpectVar(vars.VarAt(static_cast<int>(i)), c.expected[i]);
    EXPECT_EQ(fx.prj->GetFwVarList()->GetCount(), 0);
    EXPECT_EQ(fx.prj->GetKomVarList()->GetCount(), 0);
}

const Table kPanel14 = Join({kNumbers, {SoftkeyRow("[Z084]", "[SOFTKEYZEILE_1]", 20),
                                        SoftkeyRow("[Z085]", "[SOFTKEYZEILE_2]", 20)}});
const Table kPanel36 = Join({kNumbers, {SoftkeyRow("[Z084]", "[SOFTKEYZEILE_1]", 40)}});
const Table kRows47 = {SoftkeyRow("[Z084]", "[SOFTKEYZEILE_1]", 40), SoftkeyRow("[Z085]", "[SOFTKEYZEILE_2]", 40)};
const Table kPanel47 = Join({kPrinter, kNumbers, kRows47});
const Table kPanel47Servo = Join({kPrinter, kServo, kNumbers, kRows47});

INSTANTIATE_TEST_SUITE_P(
    Panels, BuiltinVars043,
    testing::Values(Case{"p14", 14, 0, false, "", kPanel14}, Case{"p36", 36, 0, false, "", kPanel36},
                    Case{"p43", 43, 0, false, "", kPanel36},
                    Case{"p47_without_fkt", 47, 0, false, "", kPanel47},
                    Case{"p47_servo_in_use", 47, 0, true, "SERVO.FKT", kPanel47Servo},
                    Case{"p47_servo_named_not_in_use", 47, 0, false, "SERVO.FKT", kPanel47},
                    Case{"p47_servo_lower_case", 47, 0, true, "servo.fkt", kPanel47},
                    Case{"p47_other_fkt", 47, 0, true, "FKT047.FKT", kPanel47},
                    Case{"p47_variant1_servo_in_use", 47, 1, true, "SERVO.FKT", kPanel47},
                    Case{"p755_servo_in_use", 755, 0, true, "SERVO.FKT", kPanel47}),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(BuiltinVars043Lookup, FindsPrinterBaudRateByItsDescriptiveName)
{
    ProjectWorld fx(LoadedWorld(47));
    fx.prj->Clear();
    const CPrjIntVar* var = fx.prj->GetVarList()->FindIntByStdName("[PRN_BAUDRATE]");
    ASSERT_NE(var, nullptr);
    EXPECT_EQ(var->GetName(), "ZE");
}

} // namespace
