#include "ParseCases.h"

#include "model/project/CharDef.h"
#include "model/project/DrvParColl.h"
#include "model/project/DrvParItem.h"
#include "model/project/Fon.h"
#include "model/core/FrameState.h"
#include "model/project/PrjIntVar.h"
#include "model/project/PrjVarList.h"
#include "support/FakeStartSelInfo.h"
#include "support/FonFixture.h"
#include "support/SourceTextBuilder.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

using namespace orv;

namespace {

using Getter = std::function<int(const ProjectWorld&)>;

int KomAdr(const ProjectWorld& pp, const char* name)
{
    const CPrjVar* var = pp.prj->GetKomVarList()->FindByName(name);
    return var != nullptr ? var->GetAdr() : -1;
}

int CountKom(const ProjectWorld& pp, const std::string& name)
{
    int n = 0;
    const CPrjVarList& list = *pp.prj->GetKomVarList();
    for (int i = 0; i < list.GetCount(); ++i)
        n += list.VarAt(i)->GetName() == name ? 1 : 0;
    return n;
}

class ParserSettingsTest : public ParserStatementTest {};

// One setting with an open operator text before it and a row after it:
// the row is refused (491) when the setting closed the text.
TEST_F(ParserSettingsTest, SettingsTable)
{
    struct Case {
        uint16_t devType;
        std::string statement;
        uint16_t xerror;
        std::string text;
        bool closes;
        Getter get;
        int value;
    };
    const Getter cycle = [](const ProjectWorld& pp) { return pp.prj->GetCycleTime(); };
    const Getter prnStatus = [](const ProjectWorld& pp) { return pp.prj->GetPrnStatusPos(); };
    const Getter date = [](const ProjectWorld& pp) { return KomAdr(pp, "Datum"); };
    const Getter rcp = [](const ProjectWorld& pp) { return KomAdr(pp, "Rezeptnummer IST"); };
    const Getter dataSize = [](const ProjectWorld& pp) { return pp.prj->GetDataSize(); };
    const Getter rcpSize = [](const ProjectWorld& pp) { return pp.prj->GetRcpSize(); };
    const Getter dmode = [](const ProjectWorld& pp) { return pp.prj->GetDateMode(); };
    const Getter msgMode = [](const ProjectWorld& pp) { return pp.prj->GetMsgMode(); };
    const std::vector<Case> cases{
        {43, "CYCLE_TIME, 1", 0, "", true, cycle, 1},
        {43, "CYCLE_TIME, 60", 0, "", true, cycle, 60},
        {43, "CYCLE_TIME, 0", 578, "", true, cycle, 10},
        {43, "CYCLE_TIME, 61", 578, "", true, cycle, 10},
        {706, "POS_PRN_STATUS, 30", 0, "", true, prnStatus, 30},
        {706, "POS_PRN_STATUS, 254", 0, "", true, prnStatus, 254},
        {706, "POS_PRN_STATUS, 29", 579, "", true, prnStatus, 0},
        {706, "POS_PRN_STATUS, 255", 579, "", true, prnStatus, 0},
        {706, "POS_DATE_TIME, 30", 0, "", true, date, 30},
        {706, "POS_DATE_TIME, 252", 0, "", true, date, 252},
        {706, "POS_DATE_TIME, 253", 0, "Wertebereich 30..251 erwartet", true, date, -1},
        {706, "POS_DATE_TIME, 29", 0, "Wertebereich 30..251 erwartet", true, date, -1},
        {706, "POS_REC_BLOCK, 253", 0, "", true, rcp, 253},
        {706, "POS_REC_BLOCK, 254", 0, "Wertebereich 30..253 erwartet", true, rcp, -1},
        {706, "DATASIZE, 1", 0, "", false, dataSize, 1},
        {706, "DATASIZE, 2", 0, "Wertebereich 0..1 erwartet", false, dataSize, 0},
        {706, "RECIPESIZE, 1", 0, "", false, rcpSize, 1},
        {706, "RECIPESIZE, 2", 0, "Wertebereich 0..1 erwartet", false, rcpSize, 0},
        {706, "DMODE, US", 0, "", true, dmode, 1},
        {163, "DMODE, MIL", 0, "", true, dmode, 2},
        {706, "DMODE, EU", 0, "", true, dmode, 0},
        {706, "DMODE, USA", 586, "", true, dmode, 0},
        {706, "MSGMODE, 1", 0, "", false, msgMode, 1},
        {706, "MSGMODE, 2", 587, "", false, msgMode, 0},
    };
    for (const Case& c : cases) {
        const ParseOutcome out = Run(c.devType, {"OP_TEXT, 1", "TEXT, \"a\"", c.statement, "TEXT, \"b\""});
        const std::string& name = c.statement;
        const std::string field = c.statement.substr(c.statement.rfind(' ') + 1);
        if (c.xerror != 0 || !c.text.empty()) {
            EXPECT_EQ(out.xerror, c.xerror) << name;
            EXPECT_EQ(out.errorText, c.text) << name;
            EXPECT_EQ(out.line, 5) << name;
            EXPECT_EQ(out.column, ColumnOf(c.statement, field)) << name;
        } else if (c.closes) {
            EXPECT_EQ(out.xerror, 491) << name;
            EXPECT_EQ(out.line, 6) << name;
        } else {
            EXPECT_EQ(out.error, 0) << name;
        }
        EXPECT_EQ(c.get(*p), c.value) << name;
    }
}

TEST_F(ParserSettingsTest, SecondCycleTimeAndDateModeRefusals)
{
    ExpectRefusals({
        {43, {"CYCLE_TIME, 5", "CYCLE_TIME, 6"}, 577, 1, ""},
        {14, {"DMODE, EU"}, 580, 0, ""},
        {36, {"DMODE, EU"}, 581, 0, ""},
        {43, {"DMODE, EU"}, 582, 0, ""},
        {47, {"DMODE, EU"}, 583, 0, ""},
        {755, {"DMODE, EU"}, 583, 0, ""},
        {473, {"DMODE, EU"}, 585, 0, ""},
        {477, {"DMODE, EU"}, 585, 0, ""},
    });
}

TEST_F(ParserSettingsTest, DateModeReachesTheDateVariables)
{
    const auto addDate = [](ProjectWorld& pp) {
        pp.prj->InsVar(new CPrjIntVarByte("[ZD1]", 0, 0x33FB, 4, 251, 0, 0, 0));
    };
    ASSERT_EQ(Run(163, {"DMODE, MIL"}, addDate).error, 0);
    EXPECT_EQ(p->Var("[ZD1]")->GetExtByte12(), 2);
}

TEST_F(ParserSettingsTest, BlockPositionsPlaceTheInterfaceVariables)
{
    SpsParBuilder sps;
    for (uint16_t w = 40; w <= 63; ++w)
        sps.Var(w);
    const auto addPosVars = [](ProjectWorld& pp) {
        for (const char* name : {"[Z24]", "[Z25]"})
            if (pp.Var(name) == nullptr)
                pp.prj->InsVar(new CPrjIntVarStr(name, 0x33FB, 0, 142, 0, 0, pp.prj->GetTextPool()));
    };
    ASSERT_EQ(RunWith(ParserWorld(163).Sps(sps), 163,
                      {"POS_DATE_TIME, 40", "POS_REC_BLOCK, 50", "POS_DATE_TIME, 56"}, addPosVars)
                  .error,
              0);
    EXPECT_EQ(p->Var("[Z24]")->GetAdr(), 56);
    EXPECT_EQ(p->Var("[Z25]")->GetAdr(), 50);
    // The second position moved the group instead of adding one.
    EXPECT_EQ(CountKom(*p, "Datum"), 2);
    EXPECT_EQ(KomAdr(*p, "Datum"), 56);
    EXPECT_EQ(KomAdr(*p, "Uhrzeit"), 58);
    EXPECT_EQ(KomAdr(*p, "Rezeptnummer IST"), 50);
    EXPECT_EQ(KomAdr(*p, "Rezeptnummer SOLL"), 51);
    EXPECT_EQ(KomAdr(*p, "Steuerwort"), 52);
    for (const uint16_t w : {50, 51, 52, 56, 57, 58, 59}) {
        const CDrvParItem* item = p->sps->GetItems().FindItem(w);
        ASSERT_NE(item, nullptr) << w;
        EXPECT_EQ(item->GetFlag(), 1) << w;
        EXPECT_GE(item->GetUseCount(), 1) << w;
    }
    for (const uint16_t w : {40, 41, 42, 43})
        EXPECT_EQ(p->sps->GetItems().FindItem(w)->GetUseCount(), 0) << w;
}

TEST_F(ParserSettingsTest, PrinterModeRefusals)
{
    const std::string good = "PRMODE, RS232, 9600, EVEN, 7, 2, RTS, 1TO32, 1";
    ExpectRefusals({
        {14, {good}, 588, 0, ""},
        {36, {good}, 589, 0, ""},
        {43, {good}, 590, 0, ""},
        {163, {"PRMODE, V24, 9600, EVEN, 7, 2, RTS, 1TO32, 1"}, 593, 0, "V24"},
        {163, {"PRMODE, RS232, 9601, EVEN, 7, 2, RTS, 1TO32, 1"}, 594, 0, "9601"},
        {163, {"PRMODE, RS232, 9600, MARK, 7, 2, RTS, 1TO32, 1"}, 595, 0, "MARK"},
        {163, {"PRMODE, RS232, 9600, EVEN, 9, 2, RTS, 1TO32, 1"}, 596, 0, "9"},
        {163, {"PRMODE, RS232, 9600, EVEN, 7, 12, RTS, 1TO32, 1"}, 597, 0, "12"},
        {163, {"PRMODE, RS232, 9600, EVEN, 7, 2, CTS, 1TO32, 1"}, 598, 0, "CTS"},
        {755, {"PRMODE, RS232, 9600, EVEN, 7, 2, RTS, 1TO3, 1"}, 599, 0, "1TO3"},
        {47, {"PRMODE, RS232, 9600, EVEN, 7, 2, RTS, 1TO32, 256"}, 600, 0, "256"},
        {167, {"PRMODE, RS232, 9600, EVEN, 7, 2"}, 0, 0, "2", "Zeichen ',' erwartet!"},
    });
}

TEST_F(ParserSettingsTest, PrinterModeFieldsPerPanel)
{
    struct Case {
        uint16_t devType;
        std::string statement;
        std::array<int, 8> values;
    };
    const std::vector<Case> cases{
        {473, "PRMODE, TTY, 19200, ODD, 8, 2, NO_HANDSHAKE, 1TO32, 9, more", {1, 4, 2, 1, 1, 1, 1, 1}},
        {706, "PRMODE, RS232, 1200, NONE, 7, 1", {0, 0, 0, 0, 0, 1, 1, 1}},
        {163, "PRMODE, TTY, 2400, EVEN, 8, 1, XON, 32TO1, 200", {1, 1, 1, 1, 0, 1, 1, 200}},
        {47, "PRMODE, RS232, 4800, NONE, 7, 2, RTS, 1TO32, 0", {0, 2, 0, 0, 1, 2, 0, 0}},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(Run(c.devType, {c.statement}).error, 0) << c.statement;
        const CPrjData& prj = *p->prj;
        const std::array<int, 8> got{prj.GetPrnIfc(),      prj.GetPrnBaud(),      prj.GetPrnParity(),
                                     prj.GetPrnDataBits(), prj.GetPrnStopBits(),  prj.GetPrnHandshake(),
                                     prj.GetPrnDirection(), prj.GetPrnTimeout()};
        EXPECT_EQ(got, c.values) << c.statement;
    }
}

TEST_F(ParserSettingsTest, PrinterCharactersAndInit)
{
    ExpectRefusals({
        {163, {"PRCHAR, 8, $41"}, 601, 0, "8"},
        {163, {"PRCHAR, 1, $00"}, 602, 0, "00"},
        {163, {"PRCHAR, 1, $4"}, 602, 0, "4"},
        {163, {"PRCHAR, 1, 41"}, 0, 0, "41", "Zeichen '$' erwartet!"},
        {167, {"PRINIT, \"$0G\""}, 618, 0, "$0G"},
        {167, {"PRINIT, \"12345678$0D\""}, 0, 0, "$0D", "Zeichen '\"' erwartet!"},
    });
    ASSERT_EQ(Run(163, {"PRCHAR, 3, $4f", "PRCHAR, 7, $FF", "PRINIT, \"A$0D\""}).error, 0);
    EXPECT_EQ(p->prj->GetPrnSubst(3), 0x4F);
    EXPECT_EQ(p->prj->GetPrnSubst(7), 0xFF);
    EXPECT_EQ(p->prj->GetPrnInit(), "410D");
    // Panels without printer characters skip both lines whatever they hold.
    for (const uint16_t t : {14, 43, 706}) {
        ASSERT_EQ(Run(t, {"PRCHAR, 9, junk", "PRINIT, junk"}).error, 0) << t;
        EXPECT_EQ(p->prj->GetPrnSubst(0), ' ') << t;
        EXPECT_EQ(p->prj->GetPrnInit(), "0D0A") << t;
    }
}

TEST_F(ParserSettingsTest, CharacterRefusals)
{
    const std::string rows = ", 1, 2, 3, 4, 5, 6, 7, 8";
    ExpectRefusals({
        {43, {"CHAR, 8" + rows}, 601, 0, "8, 1"},
        {706, {"CHAR, 8" + rows}, 603, 0, "8, 1"},
        {706, {"CHAR, 127" + rows}, 603, 0, "127"},
        {706, {"CHAR, 256" + rows}, 603, 0, "256"},
        {43, {"CHAR, 2" + rows, "CHAR, 2" + rows}, 604, 1, "2, 1"},
        {43, {"CHAR, 2, 1, 2, 32, 4, 5, 6, 7, 8"}, 605, 0, "32"},
        {43, {"CHAR, 2, 1, 2, 3, 4, 5, 6, 7"}, 0, 0, "7", "Zeichen ',' erwartet!"},
    });
}

// A frame with the three panel fonts and a start selection, registered for
// the fixture's lifetime.
class ParserCharTest : public ParserStatementTest {
protected:
    void SetUp() override
    {
        dir.Write("F.FON", BuildFixtureFon());
        for (int family = 1; family <= 3; ++family) {
            fons[static_cast<size_t>(family - 1)] = std::make_unique<CFon>(0);
            ASSERT_EQ(fons[static_cast<size_t>(family - 1)]->Load(dir.File("F.FON")), 1);
            frame.SetFon(family, fons[static_cast<size_t>(family - 1)].get());
        }
        frame.SetStartSel(&startSel);
    }

    uint8_t GlyphRow(int family, unsigned code, int row) const
    {
        return fons[static_cast<size_t>(family - 1)]->GetCharInfo(code)->rows[static_cast<size_t>(row)];
    }

    std::array<std::unique_ptr<CFon>, 3> fons;
    FakeStartSelInfo startSel{40, 706, "706"};
    CFrameState frame;
    ScopedMainFrame frameReg{frame};
};

TEST_F(ParserCharTest, ConvertedCodeDefinesTheUpperCharacterAndRestoresTheFont)
{
    ASSERT_NE(GlyphRow(2, 131, 0), 1 << 3);
    ASSERT_EQ(Run(706, {"CHAR, 3, 1, 2, 3, 4, 5, 6, 7, 31"}).error, 0);
    const CCharDef* def = p->prj->GetCharDefColl()->FindByCode(131);
    ASSERT_NE(def, nullptr);
    EXPECT_EQ(def->GetRows(), (CCharDef::Rows{1, 2, 3, 4, 5, 6, 7, 0}));
    EXPECT_EQ(p->prj->GetCharDefColl()->FindByCode(3), nullptr);
    CCharSet::Rows inSet{};
    p->charSet->GetUserChar(131, inSet);
    EXPECT_EQ(inSet, def->GetRows());
    for (int r = 0; r < 7; ++r)
        EXPECT_EQ(GlyphRow(2, 131, r), (r + 1) << 3) << r;
    for (const int family : {1, 3})
        for (int r = 0; r < 8; ++r)
            EXPECT_EQ(GlyphRow(family, 8, r), FixtureRow(8, r)) << family;
}

TEST_F(ParserCharTest, ExistingCodeOn706IsReplaced)
{
    ASSERT_EQ(Run(706, {"CHAR, 200, 1, 1, 1, 1, 1, 1, 1", "CHAR, 200, 9, 9, 9, 9, 9, 9, 9"}).error, 0);
    // A new 706 project holds its default characters 128..255 already.
    ASSERT_EQ(p->prj->GetCharDefColl()->GetCount(), 128);
    EXPECT_EQ(p->prj->GetCharDefColl()->FindByCode(200)->GetRow(0), 9);
}

TEST_F(ParserCharTest, OtherSelectionLeavesTheFontsAlone)
{
    startSel.fntNam = "";
    ASSERT_EQ(Run(706, {"CHAR, 131, 1, 2, 3, 4, 5, 6, 7"}).error, 0);
    for (int family = 1; family <= 3; ++family)
        for (int r = 0; r < 8; ++r)
            EXPECT_EQ(GlyphRow(family, 131, r), FixtureRow(131, r)) << family;
}

TEST_F(ParserCharTest, ConvertedCharactersAreNoticed)
{
    p = ParserWorld(706).Build();
    const std::string text =
        SourceTextBuilder().Header(43).Begin().Line("CHAR, 0, 1, 2, 3, 4, 5, 6, 7, 8").End().Build();
    dir.Write("N.ORV", text);
    p->prj->SetSrcDevType(43);
    CParsOrvLoad parser(dir.File("N.ORV"), true, p->bundle);
    parser.ReadDescription();
    parser.Parse();
    ASSERT_EQ(parser.GetError(), 0);
    EXPECT_TRUE(parser.Finish());
    std::vector<int> ids;
    for (const UiCall& call : p->ui.CallsOf(UiCall::Kind::Box))
        ids.push_back(call.id);
    EXPECT_EQ(ids, std::vector<int>{15609});
    EXPECT_NE(p->prj->GetCharDefColl()->FindByCode(128), nullptr);
}

} // namespace
