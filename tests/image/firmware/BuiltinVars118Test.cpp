// The built-in content of panels 118, 163 and 167: the softkey rows, the
// firmware's variables read through the firmware source, and their
// descriptive names.
#include "BuiltinContentFixture.h"
#include "model/core/Catalogues.h"
#include "model/project/PrjIntVar.h"
#include "model/project/PrjVarList.h"
#include "tools/cfggen/FwBuilders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace orv;

namespace {

std::vector<std::string> Sorted(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

Fw118Entry TwoLetters(char second, uint8_t kind)
{
    Fw118Entry e;
    e.number = static_cast<uint8_t>(second);
    e.kind = kind;
    return e;
}

// The clock, date and recipe numbers [Z15]..[Z26] with the weekdays as
// state texts, a numbered variable without a descriptive name, and a few
// two-letter names: printer and servo variables and one that no table
// names.
std::string BuiltinVars118FirmwareFixture()
{
    Fw118Image img;
    for (int number = 15; number <= 26; ++number) {
        const bool weekday = number == 21 || number == 22;
        Fw118Entry e = Fw118Var(number, weekday ? 14 : 2);
        if (weekday)
            e.states = {"MO", "DI", "MI", "DO", "FR", "SA", "SO"};
        if (number == 24)
            e.kind = 46;
        img.Add(e);
    }
    img.Add(Fw118Var(30, 44));
    Fw118Entry baud = TwoLetters('E', 14);
    baud.states = {"300", "19200"};
    img.Add(baud);
    img.Add(TwoLetters('A', 2));
    img.Add(TwoLetters('I', 14));
    img.Add(TwoLetters('J', 2));
    img.Add(TwoLetters('P', 2));
    return img.Build();
}

const std::vector<std::string> kFirmwareVars = {
    "[Z15]", "[Z16]", "[Z17]", "[Z18]", "[Z19]", "[Z20]", "[Z21]", "[Z22]", "[Z23]", "[Z24]",
    "[Z25]", "[Z26]", "[Z30]", "ZE",    "ZA",    "ZI",    "ZJ",    "ZP",
};

class BuiltinVars118 : public BuiltinContentFixture, public ::testing::Test {
protected:
    BuiltinVars118() : BuiltinContentFixture(BuiltinVars118FirmwareFixture(), "ORV118.FRM") {}

    void ClearWithFkt(uint16_t devType, const char* fktFile, bool fktUsed)
    {
        fkt.SetUsed(fktUsed ? 1 : 0);
        fkt.SetFile(fktFile);
        ClearAs(devType);
    }
};

struct BuiltinVars118RowCase {
    uint16_t devType;
    uint8_t width;
    bool secondRow;
};

// Both rows carry 128 blank texts from the project's pool at the panel
// address of the softkey rows.
void ExpectSoftkeyRow(const CPrjIntVar* var, const char* stdName, uint8_t width, const CTextPool* pool)
{
    const auto* row = dynamic_cast<const CPrjIntVarStr*>(var);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->GetType(), 144);
    EXPECT_EQ(row->GetWidth(), width);
    EXPECT_EQ(row->GetAdr(), 26);
    EXPECT_EQ(row->GetOrigName(), stdName);
    EXPECT_EQ(row->GetTextPool(), pool);
    EXPECT_EQ(row->MaxStateIdx(), 127);
    EXPECT_STREQ(row->GetStateTxt(0), " ");
    EXPECT_STREQ(row->GetStateTxt(127), " ");
}

TEST_F(BuiltinVars118, ClearMakesTheSoftkeyRowsThenReadsTheFirmware)
{
    for (const BuiltinVars118RowCase& c : {BuiltinVars118RowCase{118, 20, true}, BuiltinVars118RowCase{163, 40, false}, BuiltinVars118RowCase{167, 40, true}}) {
        SCOPED_TRACE(c.devType);
        ClearAs(c.devType);
        std::vector<std::string> expected = {"[Z084]"};
        if (c.secondRow)
            expected.push_back("[Z085]");
        expected.insert(expected.end(), kFirmwareVars.begin(), kFirmwareVars.end());
        EXPECT_EQ(Sorted(Names(*prj.GetVarList())), Sorted(expected));
        EXPECT_EQ(prj.GetFwVarList()->GetCount(), 0);
        ExpectSoftkeyRow(IntVar("[Z084]"), "[SOFTKEYZEILE_1]", c.width, prj.GetTextPool());
        if (c.secondRow)
            ExpectSoftkeyRow(IntVar("[Z085]"), "[SOFTKEYZEILE_2]", c.width, prj.GetTextPool());
    }
    EXPECT_TRUE(BoxIds().empty());
}

TEST_F(BuiltinVars118, FirmwareVariablesKeepTheirData)
{
    ClearAs(163);
    const auto* weekday = dynamic_cast<const CPrjIntVarStr*>(IntVar("[Z22]"));
    ASSERT_NE(weekday, nullptr);
    EXPECT_STREQ(weekday->GetStateTxt(0), ResourceTXT(741));
    EXPECT_STREQ(weekday->GetStateTxt(6), ResourceTXT(747));
    const auto* baud = dynamic_cast<const CPrjIntVarStr*>(IntVar("ZE"));
    ASSERT_NE(baud, nullptr);
    EXPECT_STREQ(baud->GetStateTxt(1), "19200");
    EXPECT_EQ(IntVar("[Z24]")->GetType(), 251);
    EXPECT_EQ(IntVar("[Z30]")->GetType(), 250);
    EXPECT_EQ(prj.GetVarList()->FindIntByStdName("[PRN_BAUDRATE]"), IntVar("ZE"));
}

struct NameCase {
    const char* name;
    const char* stdName;
    int16_t adr;
};

// Names that every panel of the family gives the fixture's variables; the
// servo names come only with the servo functions on 167. The reader places
// the byte and 8-column kinds ([Z24], [Z30]) at address 0, the numbers at
// -1; naming moves only [Z25].
const NameCase kNames[] = {
    {"[Z15]", "[UHR_SEKUNDEN]", -1},   {"[Z16]", "[UHR_MINUTEN]", -1},   {"[Z17]", "[UHR_STUNDEN]", -1},
    {"[Z18]", "[DATUM_TAG]", -1},      {"[Z19]", "[DATUM_MONAT]", -1},   {"[Z20]", "[DATUM_JAHR]", -1},
    {"[Z21]", "[WOCHENTAG_SOLL]", -1}, {"[Z22]", "[WOCHENTAG_IST]", -1}, {"[Z23]", "[UHRZEIT]", -1},
    {"[Z24]", "[DATUM]", 0},           {"[Z25]", "[REZEPTNR_IST]", 0},   {"[Z26]", "[REZEPTNR_SOLL]", -1},
    {"[Z30]", "[Z30]", 0},             {"ZA", "[PRN_TIMEOUT]", -1},      {"ZE", "[PRN_BAUDRATE]", -1},
    {"ZP", "ZP", -1},
};

struct ServoCase {
    uint16_t devType;
    const char* fktFile;
    bool fktUsed;
    bool servoNames;
};

TEST_F(BuiltinVars118, NameIntVarsGivesTheFixedNames)
{
    const ServoCase cases[] = {
        {167, "SERVO.FKT", true, true},   {167, "SERVO.FKT", false, false}, {167, "servo.fkt", true, false},
        {167, "FKT167.FKT", true, false}, {118, "SERVO.FKT", true, false},   {163, "SERVO.FKT", true, false},
    };
    for (const ServoCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.devType << " " << c.fktFile << " used " << c.fktUsed);
        ClearWithFkt(c.devType, c.fktFile, c.fktUsed);
        for (const NameCase& n : kNames) {
            const CPrjIntVar* var = IntVar(n.name);
            ASSERT_NE(var, nullptr) << n.name;
            EXPECT_EQ(var->GetOrigName(), n.stdName) << n.name;
            EXPECT_EQ(var->GetAdr(), n.adr) << n.name;
        }
        EXPECT_EQ(IntVar("ZI")->GetOrigName(), c.servoNames ? "[ANTRIEB_NR]" : "ZI");
        EXPECT_EQ(IntVar("ZJ")->GetOrigName(), c.servoNames ? "[WEGLAENGE]" : "ZJ");
    }
}

TEST_F(BuiltinVars118, WithoutFirmwareFileOnlyTheSoftkeyRowsAndTheMessage)
{
    workspace.SetFormFile(dir.File("MISSING.FRM"));
    for (const BuiltinVars118RowCase& c : {BuiltinVars118RowCase{118, 20, true}, BuiltinVars118RowCase{163, 40, false}, BuiltinVars118RowCase{167, 40, true}}) {
        SCOPED_TRACE(c.devType);
        const size_t boxesBefore = BoxIds().size();
        ClearAs(c.devType);
        std::vector<std::string> expected = {"[Z084]"};
        if (c.secondRow)
            expected.push_back("[Z085]");
        EXPECT_EQ(Sorted(Names(*prj.GetVarList())), Sorted(expected));
        EXPECT_EQ(prj.GetFwVarList()->GetCount(), 0);
        ASSERT_EQ(BoxIds().size(), boxesBefore + 1);
        EXPECT_EQ(BoxIds().back(), 15104);
    }
}

} // namespace
