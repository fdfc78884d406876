#include "model/project/PrjData.h"
#include "model/project/RcpTxt.h"
#include "model/project/TxtLin.h"

#include "TxtTestVars.h"
#include "support/FrameFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

using namespace orv;

namespace {

constexpr uint8_t kTxtLinBin = 2;
constexpr uint8_t kTxtLinAscii = 34;
constexpr uint8_t kIntNum = 134;
constexpr int kListOpTxt = 2;

const std::string kMsgExtOnce = "Externe Variable d\xFCrfen nur einmal pro Rezepttext eingtragen sein";
const std::string kMsgFourVars = "Nur 4 Variable pro Zeile erlaubt";
const std::string kMsgOneAscii = "Nur 1 ASCII-Variable pro Zeile erlaubt";
const std::string kMsgAsciiAlone = "Ausser 1 ASCII-Variable keine weitere Variable pro Zeile erlaubt";
const std::string kMsgWouldCut = "Einf\xFCgen der Variablen w\xFCrde Zeileninhalt abschneiden";
const std::string kMsgOverVar = "Variable kann nicht \xFC" "ber andere Variable geschoben werden";

// The display editor as an edit row sees it; records how many UI calls had
// been made when the drag was ended.
class FakeEditContext : public CTxtEditContext {
public:
    explicit FakeEditContext(const ScriptedUi& ui) : m_ui(ui) {}

    int GetEditListType() const override { return listType; }
    CPrjNumEntry* GetEditEntry() const override { return entry; }
    void ClearDrag() override { dragClearedAt.push_back(m_ui.Calls().size()); }

    int listType = kListOpTxt;
    CPrjNumEntry* entry = nullptr;
    std::vector<size_t> dragClearedAt;

private:
    const ScriptedUi& m_ui;
};

struct Placement {
    const CPrjVar* var;
    int col;
    bool operator==(const Placement&) const = default;
};

class TxtLin : public ::testing::Test {
protected:
    TxtLin()
    {
        text.SetRowCount(4);
        context.entry = &text;
    }

    // Binds a new edit row to row n of the text, with the characters padded
    // to 40 and the variables at their 0-based columns.
    CPrjTxtLin& EditRow(uint8_t n, const std::string& chars, std::initializer_list<SlotAt> slots = {})
    {
        CPrjTxtRow* row = text.SetRow(MakeRow(n, "", slots));
        auto lin = std::make_unique<CPrjTxtLin>(context);
        lin->SetRowIdx(n - 1);
        lin->SetText(chars + std::string(chars.size() < 40 ? 40 - chars.size() : 0, ' '));
        lin->SetStoredRow(row);
        lins.push_back(std::move(lin));
        return *lins.back();
    }

    CPrjVar* Var(const char* name, uint8_t type, uint8_t width)
    {
        vars.push_back(MakeVar(name, type, width));
        return vars.back().get();
    }

    void MakeRecipe() { context.listType = CTxtEditContext::kListRcpTxt; }

    static std::vector<Placement> PlacementsOf(const CPrjTxtLin& lin)
    {
        std::vector<Placement> placed;
        const CPrjTxtRow* row = lin.GetStoredRow();
        for (int i = 0; i < row->GetVarCount(); ++i)
            placed.push_back({row->GetVarSlot(i).var, row->GetVarSlot(i).col});
        return placed;
    }

    std::vector<const CPrjVar*> PairVars() const
    {
        std::vector<const CPrjVar*> out;
        for (int i = 0; i < text.GetValList().GetCount(); ++i)
            out.push_back(text.GetValList().GetAt(i)->GetVar());
        return out;
    }

    std::vector<std::string> Boxes() const { return fx.ui.TextsOf(UiCall::Kind::Box); }

    // One box with the message, and the drag ended just before it.
    void ExpectRefusal(const std::string& message, const std::string& name = "")
    {
        EXPECT_EQ(Boxes(), std::vector<std::string>{message}) << name;
        ASSERT_EQ(context.dragClearedAt.size(), 1u) << name;
        const size_t at = context.dragClearedAt.front();
        ASSERT_LT(at, fx.ui.Calls().size()) << name;
        EXPECT_EQ(fx.ui.Calls()[at].kind, UiCall::Kind::Box) << name;
        EXPECT_EQ(fx.ui.Calls()[at].text, message) << name;
    }

    FrameFixture fx;
    FakeEditContext context{fx.ui};
    std::vector<std::unique_ptr<CPrjVar>> vars;  // outlive the text's rows
    CPrjRcpTxt text{1};
    std::vector<std::unique_ptr<CPrjTxtLin>> lins;
};

TEST_F(TxtLin, VarInsRefusesInRuleOrderAndChangesNothing)
{
    struct Case {
        const char* name;
        bool recipe;
        int rowVars;       // PLC variables, 3 wide, at columns 0, 5, 10, 15
        bool rowAscii;     // the row's only variable is ASCII
        uint8_t newType;
        uint8_t newWidth;
        bool alreadyInRecipe;
        int usedLen;
        const std::string& message;
    };
    const Case cases[] = {
        {"external variable twice in a recipe", true, 0, false, kTxtLinBin, 3, true, 10, kMsgExtOnce},
        {"recipe rule before the row limit", true, 4, false, kTxtLinBin, 3, true, 20, kMsgExtOnce},
        {"a fifth variable", false, 4, false, kTxtLinBin, 3, false, 20, kMsgFourVars},
        {"a fifth variable that is ASCII", false, 4, false, kTxtLinAscii, 3, false, 20, kMsgFourVars},
        {"ASCII beside a variable", false, 1, false, kTxtLinAscii, 3, false, 10, kMsgOneAscii},
        {"ASCII beside an ASCII", false, 0, true, kTxtLinAscii, 3, false, 10, kMsgOneAscii},
        {"a variable beside an ASCII", false, 0, true, kTxtLinBin, 3, false, 10, kMsgAsciiAlone},
        {"beside an ASCII before too wide", false, 0, true, kTxtLinBin, 30, false, 35, kMsgAsciiAlone},
        {"too wide for the display", false, 0, false, kTxtLinBin, 5, false, 36, kMsgWouldCut},
    };
    for (const Case& c : cases) {
        fx.ui.ClearCalls();
        context.dragClearedAt.clear();
        context.listType = c.recipe ? CTxtEditContext::kListRcpTxt : kListOpTxt;
        text.ClearRows();
        text.SetRowCount(4);
        text.GetValList().DeleteAll();

        CPrjTxtLin& lin = EditRow(1, std::string(static_cast<size_t>(c.usedLen), 'x'));
        for (int i = 0; i < c.rowVars; ++i)
            lin.GetStoredRow()->SetVarSlot(i, Var("P", kTxtLinBin, 3), static_cast<uint8_t>(i * 5));
        if (c.rowAscii)
            lin.GetStoredRow()->SetVarSlot(0, Var("T", kTxtLinAscii, 4), 0);
        CPrjVar* added = Var("NEW", c.newType, c.newWidth);
        if (c.alreadyInRecipe)
            text.GetValList().InsertPair(added, 0);
        const std::string before = lin.GetText();
        const std::vector<Placement> placedBefore = PlacementsOf(lin);
        const std::vector<const CPrjVar*> pairsBefore = PairVars();

        EXPECT_FALSE(lin.VarIns(12, added, 0, false)) << c.name;

        ExpectRefusal(c.message, c.name);
        EXPECT_EQ(lin.GetText(), before) << c.name;
        EXPECT_EQ(PlacementsOf(lin), placedBefore) << c.name;
        EXPECT_EQ(PairVars(), pairsBefore) << c.name;
        EXPECT_EQ(added->GetUseCount(), 0) << c.name;
    }
}

TEST_F(TxtLin, FourVariablesPerRowAlsoOnA706)
{
    CPrjData prj(nullptr);
    prj.SetDevType(706);
    CPrjTxtLin& lin = EditRow(1, "");
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(lin.VarIns(1 + 4 * i, Var("P", kTxtLinBin, 3), 0, false)) << i;
    EXPECT_FALSE(lin.VarIns(20, Var("Q", kTxtLinBin, 3), 0, false));
    ExpectRefusal(kMsgFourVars);
    EXPECT_EQ(lin.GetStoredRow()->GetFilledCount(), 4);
}

TEST_F(TxtLin, VarInsKeepsTheUsedLengthWithinTheDisplay)
{
    ASSERT_EQ(fx.startSel.dspWidth, 40);
    CPrjTxtLin& lin = EditRow(1, std::string(35, 'x'));
    CPrjVar* six = Var("SIX", kTxtLinBin, 6);
    EXPECT_FALSE(lin.VarIns(36, six, 0, false));
    ExpectRefusal(kMsgWouldCut);

    CPrjVar* five = Var("FIVE", kTxtLinBin, 5);
    EXPECT_TRUE(lin.VarIns(36, five, 0, false));
    EXPECT_EQ(lin.GetText(), std::string(35, 'x') + std::string(5, ' ') + std::string(5, ' '));
    EXPECT_EQ(PlacementsOf(lin), (std::vector<Placement>{{five, 35}}));
    EXPECT_EQ(five->GetUseCount(), 1);
    EXPECT_EQ(six->GetUseCount(), 0);
}

TEST_F(TxtLin, SecondDropIntoARecipeIsRefusedAMoveIsNot)
{
    MakeRecipe();
    CPrjVar* a = Var("A", kTxtLinBin, 3);
    CPrjTxtLin& row1 = EditRow(1, "");
    CPrjTxtLin& row2 = EditRow(2, "");
    ASSERT_TRUE(row1.VarIns(1, a, 0, false));
    text.GetValList().GetAt(0)->SetValue(42);

    EXPECT_FALSE(row2.VarIns(1, a, 0, false));
    ExpectRefusal(kMsgExtOnce);

    EXPECT_TRUE(row2.VarIns(1, a, 0, true));
    ASSERT_EQ(PairVars(), (std::vector<const CPrjVar*>{a}));
    EXPECT_EQ(text.GetValList().GetAt(0)->GetValue(), 42u);
    EXPECT_EQ(a->GetUseCount(), 2);
}

TEST_F(TxtLin, VarDelClosesTheRowUp)
{
    CPrjVar* a = Var("A", kTxtLinBin, 3);
    CPrjVar* b = Var("B", kTxtLinBin, 4);
    CPrjVar* c = Var("C", kTxtLinBin, 2);
    CPrjTxtLin& lin = EditRow(1, "aaa bbbb   cc", {{a, 0}, {b, 4}, {c, 11}});

    lin.VarDel(5, b, 1);

    EXPECT_EQ(PlacementsOf(lin), (std::vector<Placement>{{a, 0}, {c, 7}}));
    EXPECT_EQ(lin.GetText(), "aaa    cc" + std::string(31, ' '));
    EXPECT_EQ(b->GetUseCount(), 0);
    EXPECT_EQ(a->GetUseCount(), 1);
    EXPECT_EQ(c->GetUseCount(), 1);

    lin.VarDel(2, a, 0);  // no variable starts there
    lin.VarDel(8, a, 0);  // another variable starts there
    EXPECT_EQ(PlacementsOf(lin), (std::vector<Placement>{{a, 0}, {c, 7}}));
}

TEST_F(TxtLin, ChrDelLeftOfAVariableMovesItLeft)
{
    CPrjVar* v = Var("V", kTxtLinBin, 3);
    CPrjTxtLin& lin = EditRow(1, "abcdefXYZ", {{v, 6}});
    lin.ChrDel(2);
    EXPECT_EQ(lin.GetText(), "acdefXYZ" + std::string(32, ' '));
    EXPECT_EQ(PlacementsOf(lin), (std::vector<Placement>{{v, 5}}));
    EXPECT_EQ(v->GetUseCount(), 1);
}

TEST_F(TxtLin, ChrInsInInsertAndOverwriteMode)
{
    const std::string full(40, 'f');
    CPrjTxtLin& fullRow = EditRow(1, full);

    fx.frame.SetInsertMode(true);
    EXPECT_FALSE(fullRow.ChrIns(5, 'q'));
    EXPECT_EQ(fullRow.GetText(), full);

    fx.frame.SetInsertMode(false);
    EXPECT_TRUE(fullRow.ChrIns(5, 'q'));
    EXPECT_EQ(fullRow.GetText(), "ffffqfffff" + std::string(30, 'f'));

    CPrjVar* v = Var("V", kTxtLinBin, 3);
    CPrjVar* w = Var("W", kTxtLinBin, 2);
    CPrjTxtLin& lin = EditRow(2, "abcdXYZ", {{w, 0}, {v, 4}});
    fx.frame.SetInsertMode(true);
    EXPECT_TRUE(lin.ChrIns(3, 'q'));
    EXPECT_EQ(lin.GetText().substr(0, 8), "abqcdXYZ");
    EXPECT_EQ(lin.GetText().size(), 41u);
    EXPECT_EQ(PlacementsOf(lin), (std::vector<Placement>{{w, 0}, {v, 5}}));
    EXPECT_EQ(v->GetUseCount(), 1);
    EXPECT_EQ(w->GetUseCount(), 1);
}

TEST_F(TxtLin, ShiftVarsNeverGoesBelowZero)
{
    CPrjVar* v = Var("V", kTxtLinBin, 3);
    CPrjVar* w = Var("W", kTxtLinBin, 3);
    CPrjTxtLin& lin = EditRow(1, "", {{v, 1}, {w, 8}});
    lin.ShiftVars(1, -3);
    EXPECT_EQ(PlacementsOf(lin), (std::vector<Placement>{{v, 0}, {w, 5}}));
    lin.ShiftVars(6, 2);
    EXPECT_EQ(PlacementsOf(lin), (std::vector<Placement>{{v, 0}, {w, 7}}));
    EXPECT_EQ(v->GetUseCount(), 1);
}

TEST_F(TxtLin, VarMovSwapsTheNeighbouringCharacter)
{
    CPrjVar* v = Var("V", kTxtLinBin, 3);
    CPrjTxtLin& lin = EditRow(1, "abVVVcd", {{v, 2}});

    EXPECT_TRUE(lin.VarMov(3, 4, v, 0));
    EXPECT_EQ(lin.GetText().substr(0, 7), "abcVVcd");
    EXPECT_EQ(PlacementsOf(lin), (std::vector<Placement>{{v, 3}}));

    EXPECT_TRUE(lin.VarMov(4, 3, v, 0));
    EXPECT_EQ(lin.GetText().substr(0, 7), "abcVVcd");
    EXPECT_EQ(PlacementsOf(lin), (std::vector<Placement>{{v, 2}}));
    EXPECT_TRUE(lin.VarMov(3, 2, v, 0));
    EXPECT_EQ(lin.GetText().substr(0, 7), "abcVbcd");
    EXPECT_EQ(PlacementsOf(lin), (std::vector<Placement>{{v, 1}}));
    EXPECT_EQ(v->GetUseCount(), 1);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_TRUE(context.dragClearedAt.empty());
}

TEST_F(TxtLin, VarMovPastTheDisplayOrOntoAVariableIsRefused)
{
    CPrjVar* edge = Var("E", kTxtLinBin, 3);
    CPrjVar* first = Var("F", kTxtLinBin, 3);
    CPrjVar* v = Var("V", kTxtLinBin, 3);
    CPrjVar* w = Var("W", kTxtLinBin, 2);
    CPrjTxtLin& lin = EditRow(1, "FFF", {{first, 0}, {v, 5}, {w, 8}, {edge, 37}});
    const std::string before = lin.GetText();

    EXPECT_FALSE(lin.VarMov(38, 39, edge, 3));
    EXPECT_FALSE(lin.VarMov(1, 0, first, 0));
    EXPECT_TRUE(Boxes().empty());
    EXPECT_TRUE(context.dragClearedAt.empty());

    EXPECT_FALSE(lin.VarMov(6, 7, v, 1));
    ExpectRefusal(kMsgOverVar);
    EXPECT_EQ(lin.GetText(), before);
    EXPECT_EQ(PlacementsOf(lin), (std::vector<Placement>{{first, 0}, {v, 5}, {w, 8}, {edge, 37}}));
    EXPECT_EQ(v->GetUseCount(), 1);
}

TEST_F(TxtLin, IsVarAtCoversTheFieldWhileATextIsEdited)
{
    CPrjVar* v = Var("V", kTxtLinBin, 3);
    CPrjTxtLin& lin = EditRow(1, "", {{v, 4}});
    EXPECT_FALSE(lin.IsVarAt(4));
    EXPECT_TRUE(lin.IsVarAt(5));
    EXPECT_TRUE(lin.IsVarAt(7));
    EXPECT_FALSE(lin.IsVarAt(8));
    context.entry = nullptr;
    EXPECT_FALSE(lin.IsVarAt(5));
}

TEST_F(TxtLin, RecipeValuesFollowTheTextOrderOfPlcVariables)
{
    MakeRecipe();
    CPrjVar* p1 = Var("P1", kTxtLinBin, 3);
    CPrjVar* internal = Var("[Z005]", kIntNum, 3);
    CPrjVar* p2 = Var("P2", kTxtLinBin, 3);
    CPrjVar* p3 = Var("P3", kTxtLinBin, 3);
    CPrjTxtLin& lin = EditRow(1, "");
    ASSERT_TRUE(lin.VarIns(1, p1, 0, false));
    ASSERT_TRUE(lin.VarIns(11, internal, 0, false));
    ASSERT_TRUE(lin.VarIns(21, p2, 0, false));
    EXPECT_EQ(PairVars(), (std::vector<const CPrjVar*>{p1, p2}));

    ASSERT_TRUE(lin.VarIns(16, p3, 0, false));
    EXPECT_EQ(PairVars(), (std::vector<const CPrjVar*>{p1, p3, p2}));
    EXPECT_EQ(text.CountExtVars(), 3);
    EXPECT_EQ(lin.CountExtVarsBefore(24, 1), 2);
    EXPECT_EQ(lin.CountExtVarsBefore(16, 1), 1);

    lin.VarDel(1, p1, 0);
    EXPECT_EQ(PairVars(), (std::vector<const CPrjVar*>{p3, p2}));
    EXPECT_EQ(p1->GetUseCount(), 0);
    EXPECT_EQ(internal->GetUseCount(), 1);
}

TEST_F(TxtLin, MovingAVariableToAnotherRowKeepsItsRecipeValue)
{
    MakeRecipe();
    CPrjVar* a = Var("A", kTxtLinBin, 3);
    CPrjVar* b = Var("B", kTxtLinBin, 3);
    CPrjVar* c = Var("C", kTxtLinBin, 3);
    CPrjTxtLin& row1 = EditRow(1, "");
    CPrjTxtLin& row2 = EditRow(2, "");
    ASSERT_TRUE(row1.VarIns(1, a, 0, false));
    ASSERT_TRUE(row1.VarIns(10, b, 0, false));
    ASSERT_TRUE(row2.VarIns(1, c, 0, false));
    ASSERT_EQ(PairVars(), (std::vector<const CPrjVar*>{a, b, c}));
    text.GetValList().GetAt(0)->SetValue(7);

    // The display editor's drag into another row: drop as a move, then
    // delete at the old place.
    ASSERT_TRUE(row2.VarIns(5, a, 0, true));
    row1.VarDel(1, a, 0);

    ASSERT_EQ(PairVars(), (std::vector<const CPrjVar*>{b, c, a}));
    EXPECT_EQ(text.GetValList().GetAt(2)->GetValue(), 7u);
    EXPECT_EQ(PlacementsOf(row1), (std::vector<Placement>{{b, 6}}));
    EXPECT_EQ(PlacementsOf(row2), (std::vector<Placement>{{c, 0}, {a, 4}}));
    EXPECT_EQ(a->GetUseCount(), 1);
    EXPECT_EQ(b->GetUseCount(), 1);
    EXPECT_EQ(c->GetUseCount(), 1);
    EXPECT_TRUE(Boxes().empty());
}

}  // namespace
