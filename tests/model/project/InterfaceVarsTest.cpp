#include "model/project/DrvParColl.h"
#include "model/project/PrjData.h"
#include "model/project/PrjIntVar.h"
#include "model/project/PrjVarKinds.h"
#include "model/project/PrjVarList.h"
#include "support/ProjectWorld.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

using namespace orv;

namespace {

struct InterfaceVars : ::testing::Test {
    std::unique_ptr<ProjectWorld> b = World()
                                        .Sps(SpsParBuilder()
                                                 .Var(5, 1).Var(6, 1).Var(7, 1)
                                                 .Var(20, 1).Var(21, 1).Var(22, 1).Var(23, 1)
                                                 .Var(30, 1).Var(31, 1).Var(32, 1).Var(33, 1)
                                                 .Var(40, 3).Var(41, 3))
                                        .Build();
    CPrjData& prj = *b->prj;
    CPrjKomVarList& kom = *prj.GetKomVarList();
    CDrvParColl& items = b->sps->GetItems();

    CDrvParItem& Item(uint16_t n) { return *items.FindItem(n); }
    std::vector<std::pair<std::string, int>> NamesAndWords() const
    {
        std::vector<std::pair<std::string, int>> out;
        for (int i = 0; i < kom.GetCount(); ++i)
            out.emplace_back(kom.VarAt(i)->GetName(), kom.VarAt(i)->GetAdr());
        return out;
    }
    // Used by one variable, named after it, going dir, flagged.
    void ExpectTaken(uint16_t n, const char* name, int dir)
    {
        SCOPED_TRACE("item " + std::to_string(n));
        EXPECT_EQ(Item(n).GetUseCount(), 1);
        EXPECT_EQ(Item(n).GetText(), name);
        EXPECT_EQ(Item(n).GetDirection(), dir);
        EXPECT_EQ(Item(n).GetFlag(), 1);
    }
    void ExpectFree(uint16_t n)
    {
        SCOPED_TRACE("item " + std::to_string(n));
        EXPECT_EQ(Item(n).GetUseCount(), 0);
        EXPECT_FALSE(Item(n).HasText());
        EXPECT_EQ(Item(n).GetDirection(), Item(n).GetDefDirection());
        EXPECT_EQ(Item(n).GetFlag(), 0);
    }
};

TEST_F(InterfaceVars, DateTimeCreatedMovedAndReleased)
{
    prj.MakeDateTimeVars(20, 0);
    using NW = std::vector<std::pair<std::string, int>>;
    EXPECT_EQ(NamesAndWords(), (NW{{"Datum", 20}, {"Datum", 21}, {"Uhrzeit", 22}, {"Uhrzeit", 23}}));
    ASSERT_EQ(kom.GetCount(), 4);
    std::vector<CPrjVar*> objects;
    for (int i = 0; i < 4; ++i)
        objects.push_back(kom.VarAt(i));
    auto* date = dynamic_cast<CPrjIntVarByte*>(objects[0]);
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(date->GetType(), 251);
    EXPECT_EQ(date->GetExtByte12(), 1);
    EXPECT_EQ(date->GetSetpKind(), 4);
    EXPECT_EQ(date->GetFlags(), 0x33FBu);
    ASSERT_NE(dynamic_cast<CPrjIntVarW8*>(objects[2]), nullptr);
    EXPECT_EQ(objects[2]->GetType(), 250);
    ExpectTaken(20, "Datum", 3);
    ExpectTaken(21, "Datum", 3);
    ExpectTaken(22, "Uhrzeit", 3);
    ExpectTaken(23, "Uhrzeit", 3);

    prj.MakeDateTimeVars(30, 20);
    EXPECT_EQ(NamesAndWords(), (NW{{"Datum", 30}, {"Datum", 31}, {"Uhrzeit", 32}, {"Uhrzeit", 33}}));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(kom.VarAt(i), objects[static_cast<size_t>(i)]) << "the same variables are moved";
    for (uint16_t n = 20; n <= 23; ++n)
        ExpectFree(n);
    ExpectTaken(30, "Datum", 3);
    ExpectTaken(33, "Uhrzeit", 3);

    prj.MakeDateTimeVars(0, 30);
    EXPECT_EQ(kom.GetCount(), 4) << "first 0 only releases";
    for (uint16_t n = 30; n <= 33; ++n)
        ExpectFree(n);
}

TEST_F(InterfaceVars, RecipeNumbers)
{
    prj.MakeRcpNumVars(5, 0);
    using NW = std::vector<std::pair<std::string, int>>;
    EXPECT_EQ(NamesAndWords(), (NW{{"Rezeptnummer IST", 5}, {"Rezeptnummer SOLL", 6}, {"Steuerwort", 7}}));
    const int setpKinds[] = {1, 2, 4};
    const int directions[] = {1, 2, 3};
    for (int i = 0; i < 3; ++i) {
        const CPrjVar* var = kom.VarAt(i);
        SCOPED_TRACE(var->GetName());
        ASSERT_NE(dynamic_cast<const CPrjIntVarNum*>(var), nullptr);
        EXPECT_EQ(var->GetType(), 134);
        EXPECT_EQ(var->GetSetpKind(), setpKinds[i]);
        EXPECT_EQ(var->GetFlags(), 0x400033FBu);
        EXPECT_EQ(var->GetExtByte12(), 2);
        EXPECT_EQ(var->GetExtWord5(), 99);
        ExpectTaken(static_cast<uint16_t>(5 + i), var->GetName().c_str(), directions[i]);
    }
}

TEST_F(InterfaceVars, PrinterTexts)
{
    prj.MakePrnTxtVars(40, 0);
    ASSERT_EQ(kom.GetCount(), 2);
    for (int i = 0; i < 2; ++i) {
        const CPrjVar* var = kom.VarAt(i);
        EXPECT_NE(dynamic_cast<const CPrjVarBin*>(var), nullptr);
        EXPECT_EQ(var->GetType(), 6);
        EXPECT_EQ(var->GetAdr(), 40 + i);
        ExpectTaken(static_cast<uint16_t>(40 + i), var->GetName().c_str(), 1);
    }
    EXPECT_EQ(kom.VarAt(0)->GetName(), "Druckertexte alt");
    EXPECT_EQ(kom.VarAt(1)->GetName(), "Druckertexte neu");

    prj.MakePrnTxtVars(0, 40);
    EXPECT_EQ(kom.GetCount(), 2);
    ExpectFree(40);
    ExpectFree(41);
}

TEST_F(InterfaceVars, ItemWithTwoEarlierUsersKeepsItsDirection)
{
    auto& item = dynamic_cast<CDrvParVarItem&>(Item(6));
    item.UseBy("A");
    item.UseBy("B");
    prj.MakeRcpNumVars(5, 0);
    EXPECT_EQ(item.GetDirection(), 1);
    EXPECT_EQ(item.GetUseCount(), 3);
    EXPECT_EQ(item.GetFlag(), 1) << "flagged all the same";
    EXPECT_EQ(Item(5).GetDirection(), 1);
}

// Without items on the old words the group is still moved, not doubled.
TEST_F(InterfaceVars, GroupMovedWithoutItemsAtOldWords)
{
    prj.MakeDateTimeVars(100, 0);
    ASSERT_EQ(kom.GetCount(), 4);
    prj.MakeDateTimeVars(20, 100);
    using NW = std::vector<std::pair<std::string, int>>;
    EXPECT_EQ(NamesAndWords(), (NW{{"Datum", 20}, {"Datum", 21}, {"Uhrzeit", 22}, {"Uhrzeit", 23}}));
    ExpectTaken(20, "Datum", 3);

    prj.MakeRcpNumVars(200, 0);
    prj.MakeRcpNumVars(5, 200);
    prj.MakePrnTxtVars(300, 0);
    prj.MakePrnTxtVars(40, 300);
    EXPECT_EQ(kom.GetCount(), 9);
    EXPECT_EQ(kom.FindByName("Steuerwort")->GetAdr(), 7);
    EXPECT_EQ(kom.FindByName("Druckertexte neu")->GetAdr(), 41);
}

TEST_F(InterfaceVars, NothingWithoutPlcParameters)
{
    auto bare = World().NoSps().Build();
    bare->prj->MakeDateTimeVars(20, 0);
    bare->prj->MakeRcpNumVars(5, 0);
    bare->prj->MakePrnTxtVars(40, 0);
    EXPECT_EQ(bare->prj->GetKomVarList()->GetCount(), 0);
}

} // namespace
