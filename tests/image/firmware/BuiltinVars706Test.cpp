// The built-in content of panels 473, 477 and 706: the firmware's variables
// read through the firmware source, their descriptive names, and on 706 the
// user characters and the history template.
#include "BuiltinContentFixture.h"
#include "model/core/Catalogues.h"
#include "model/project/CharDef.h"
#include "model/project/CharSet.h"
#include "model/project/MsgTxt.h"
#include "model/project/PrjIntVar.h"
#include "model/project/PrjVarList.h"
#include "model/project/TxtRow.h"
#include "tools/cfggen/FwBuilders.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace orv;

namespace {

// The variables the history rows show, of widths 4, 8, 17, 40 and 1, a few
// that get names, and one above the named range.
std::string BuiltinVars706FirmwareFixture()
{
    Fw706Image img;
    auto add = [&img](const char* name, uint16_t type, std::vector<FwText> states = {}) {
        Fw706Entry e = Fw706Var(name, type);
        e.digits = 4;
        e.states = std::move(states);
        e.raw = type == 249 ? std::string("\x1B", 1) + '\0' : std::string();
        img.Add(e);
    };
    add("[Z001]", 134);
    add("[Z008]", 134);
    add("[Z009]", 250);
    add("[Z010]", 252);
    add("[Z011]", 255);
    add("[Z027]", 142, {"300", "19200"});
    add("[Z033]", 142, {"a", "b"});
    add("[Z078]", 249);
    add("[Z101]", 250);
    return img.Build();
}

class BuiltinVars706 : public BuiltinContentFixture, public ::testing::Test {
protected:
    BuiltinVars706() : BuiltinContentFixture(BuiltinVars706FirmwareFixture(), "ORV706.FRM") {}
};

TEST_F(BuiltinVars706, ClearReadsTheFirmwareOfEachPanel)
{
    const std::vector<std::string> vars = {"[Z001]", "[Z008]", "[Z009]", "[Z010]",
                                           "[Z011]", "[Z027]", "[Z033]", "[Z101]"};
    for (uint16_t type : {706, 477, 473}) {
        SCOPED_TRACE(type);
        ClearAs(type);
        EXPECT_EQ(Names(*prj.GetVarList()), vars);
        EXPECT_EQ(Names(*prj.GetFwVarList()), std::vector<std::string>{"[Z078]"});
        EXPECT_EQ(prj.GetCharDefColl()->GetCount(), type == 706 ? 128 : 0);
        EXPECT_EQ(prj.GetHistTxtList()->GetCount(), type == 706 ? 1 : 0);
    }
    EXPECT_TRUE(BoxIds().empty());
}

TEST_F(BuiltinVars706, NameIntVarsGivesCatalogueNames)
{
    ClearAs(706);
    struct Case {
        const char* name;
        std::string stdName;
    };
    const Case cases[] = {
        {"[Z001]", "[HINWEISE]"},
        {"[Z027]", "[PRN_BAUDRATE]"},
        {"[Z078]", ResourceTXT(638 + 78)},
        {"[Z101]", "[Z101]"},
    };
    for (const Case& c : cases) {
        const CPrjIntVar* var = IntVar(c.name);
        ASSERT_NE(var, nullptr) << c.name;
        EXPECT_EQ(var->GetOrigName(), c.stdName) << c.name;
    }
    EXPECT_EQ(prj.GetVarList()->FindIntByStdName("[PRN_BAUDRATE]"), IntVar("[Z027]"));
    // A number the firmware does not define names nothing.
    EXPECT_EQ(prj.GetVarList()->FindIntByStdName(ResourceTXT(640)), nullptr);
}

TEST_F(BuiltinVars706, WithoutFirmwareFileNoVariablesAndTheMessage)
{
    workspace.SetFormFile(dir.File("MISSING.FRM"));
    ClearAs(706);
    EXPECT_EQ(prj.GetVarList()->GetCount(), 0);
    EXPECT_EQ(prj.GetFwVarList()->GetCount(), 0);
    EXPECT_EQ(BoxIds(), std::vector<int>{15104});
    // The rest of the default content is still made.
    EXPECT_EQ(prj.GetCharDefColl()->GetCount(), 128);
    ASSERT_NE(prj.GetHistTxtList()->GetTemplate(), nullptr);
}

TEST_F(BuiltinVars706, UserCharactersFromThe706Font)
{
    auto font = charSet.FillFontBuffer(CharGroup::F706);
    for (size_t i = 0; i < font.size(); ++i)
        font[i] = static_cast<uint8_t>(i % 251);
    ClearAs(706);
    const CCharDefColl& defs = *prj.GetCharDefColl();
    ASSERT_EQ(defs.GetCount(), 128);
    for (int code : {128, 129, 200, 255}) {
        const CCharDef* def = defs.FindByCode(static_cast<uint16_t>(code));
        ASSERT_NE(def, nullptr) << code;
        const size_t entry = 1024 + static_cast<size_t>(code - 128) * 8;
        for (int row = 0; row < 7; ++row)
            EXPECT_EQ(def->GetRow(row), (entry + static_cast<size_t>(row)) % 251) << code << " row " << row;
        EXPECT_EQ(def->GetRow(7), 0) << code;
    }
}

TEST_F(BuiltinVars706, UserCharactersWithoutFontAreEmpty)
{
    ClearAs(706);
    const CCharDefColl& defs = *prj.GetCharDefColl();
    ASSERT_EQ(defs.GetCount(), 128);
    EXPECT_EQ(defs.ItemAt(0)->GetCode(), 128);
    EXPECT_EQ(defs.ItemAt(127)->GetCode(), 255);
    for (int i = 0; i < defs.GetCount(); ++i)
        EXPECT_EQ(defs.ItemAt(i)->GetRows(), CCharDef::Rows{}) << i;
}

TEST_F(BuiltinVars706, HistoryTemplate)
{
    ClearAs(706);
    CPrjNumEntry* entry = prj.GetHistTxtList()->GetTemplate();
    ASSERT_NE(entry, nullptr);
    auto* range = dynamic_cast<CNumRange*>(entry);
    ASSERT_NE(range, nullptr);
    EXPECT_EQ(range->GetLowest(), 0);
    EXPECT_EQ(range->GetHighest(), 1023);
    ASSERT_EQ(entry->GetRowCount(), 6);

    // 706 frame characters are the kind numbers 1..4.
    struct Row {
        std::string text;
        const char* var; // null: no slot
    };
    const Row rows[] = {
        {"     Historytext Nr. \x02\x03\x03\x04", "[Z008]"},
        {"      gekommen am/um \x02\x03\x03\x03\x03\x03\x03\x04", "[Z009]"},
        {"      gegangen am/um \x02" + std::string(15, '\x03') + "\x04", "[Z010]"},
        // Forty columns of field do not fit behind the text.
        {"     quittiert am/um ", nullptr},
        {"\x01", "[Z033]"},
        // No "[Z034]" in the firmware.
        {"", nullptr},
    };
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i + 1);
        const CPrjTxtRow* row = entry->GetRow(i + 1);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->GetText(), rows[i].text);
        if (!rows[i].var) {
            EXPECT_EQ(row->GetFilledCount(), 0);
            continue;
        }
        const TxtVarSlot slot = row->GetVarSlot(0);
        EXPECT_EQ(slot.var, FindVar(rows[i].var));
        EXPECT_EQ(slot.col, i == 4 ? 0 : 21);
    }
    EXPECT_EQ(FindVar("[Z008]")->GetUseCount(), 1);
}

} // namespace
