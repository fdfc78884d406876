#include "model/project/DrvParItem.h"
#include "model/project/PrjData.h"
#include "model/project/SpsPar.h"
#include "source/config/CfgSearch.h"
#include "support/CfgTextBuilders.h"
#include "support/FrameWorld.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace orv;

namespace {

// What one item should be.
struct ItemSpec {
    uint16_t word;
    uint8_t kind;
    uint8_t direction;
    uint16_t msgStart = 0;  // MSG only
    uint8_t textNo = 0;     // SYS and MSG
};

class CfgSearchTest : public ::testing::Test {
protected:
    // Loads panel 43, SIEMENS_DW, KELMIR from the file; the error code.
    uint16_t Load(const StartSelCfgText& cfg)
    {
        cfg.WriteFor(fx.workspace);
        CCfgSearch search(fx.workspace, fx.bundle);
        search.LoadCombination(43, 33, 5);
        return search.GetError();
    }

    // "[section]" followed by the lines.
    static StartSelCfgText Own(const std::vector<std::string>& lines)
    {
        StartSelCfgText cfg;
        cfg.Section(kKelmir043Section);
        for (const auto& line : lines)
            cfg.Line(line);
        return cfg;
    }

    std::vector<uint16_t> Words() const
    {
        std::vector<uint16_t> words;
        for (int i = 0; i < sps.GetItems().GetCount(); ++i)
            words.push_back(sps.GetItems().ItemAt(i)->GetNumber());
        return words;
    }

    void ExpectItem(const ItemSpec& want) const
    {
        SCOPED_TRACE(want.word);
        const CDrvParItem* item = sps.GetItems().FindItem(want.word);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->GetKind(), want.kind);
        EXPECT_EQ(item->GetDirection(), want.direction);
        if (want.kind == CDrvParItem::KindSys) {
            const auto* sys = dynamic_cast<const CDrvParSysItem*>(item);
            ASSERT_NE(sys, nullptr);
            EXPECT_EQ(sys->GetTextNo(), want.textNo);
        } else if (want.kind == CDrvParItem::KindMsg) {
            const auto* msg = dynamic_cast<const CDrvParMsgItem*>(item);
            ASSERT_NE(msg, nullptr);
            EXPECT_EQ(msg->GetStart(), want.msgStart);
            EXPECT_EQ(msg->GetLetterTextNo(), want.textNo);
        }
    }

    static std::vector<uint16_t> Range(uint16_t first, uint16_t last)
    {
        std::vector<uint16_t> words;
        for (int w = first; w <= last; ++w)
            words.push_back(static_cast<uint16_t>(w));
        return words;
    }

    FrameWorld fx{World()};
    CPrjData& root = fx.prj;
    CSpsPar& sps = fx.sps;
};

TEST_F(CfgSearchTest, TakesTheOwnSectionNotTheDecoyWhoseNameExtendsIt)
{
    ASSERT_EQ(Load(StartSelCfgText().Kelmir043()), 0);
    EXPECT_EQ(Words(), Range(0, 255));
    constexpr uint8_t kBoth = CDrvParItem::DirToPanel | CDrvParItem::DirToPlc;
    const ItemSpec expected[] = {
        {0, CDrvParItem::KindSys, kBoth, 0, 1},
        {14, CDrvParItem::KindSys, kBoth, 0, 1},
        {15, CDrvParItem::KindMsg, CDrvParItem::DirToPanel, 0, 1},
        {16, CDrvParItem::KindMsg, CDrvParItem::DirToPanel, 16, 1},
        {22, CDrvParItem::KindMsg, CDrvParItem::DirToPanel, 112, 1},
        {23, CDrvParItem::KindSys, kBoth, 0, 2},
        {29, CDrvParItem::KindSys, kBoth, 0, 2},
        {30, CDrvParItem::KindVar, kBoth},
        {255, CDrvParItem::KindVar, kBoth},
    };
    for (const auto& want : expected)
        ExpectItem(want);
    EXPECT_EQ(sps.GetCaption(0), "DW");
    EXPECT_TRUE(fx.ui.CallsOf(UiCall::Kind::Box).empty());
}

TEST_F(CfgSearchTest, WordRangesAndDirections)
{
    struct Case {
        const char* name;
        StartSelCfgText cfg;
        std::vector<ItemSpec> items;  // exactly these
    };
    const std::vector<Case> cases = {
        {"a range past the words is clipped to them",
         Own({"ADR=VAR,250,300,->"}),
         {{250, CDrvParItem::KindVar, 2}, {251, CDrvParItem::KindVar, 2}, {252, CDrvParItem::KindVar, 2},
          {253, CDrvParItem::KindVar, 2}, {254, CDrvParItem::KindVar, 2}, {255, CDrvParItem::KindVar, 2}}},
        {"a range beyond the words creates nothing", Own({"ADR=VAR,300,310,<->"}), {}},
        {"VAR with both arrows",
         Own({"ADR=VAR,10,12,<->"}),
         {{10, CDrvParItem::KindVar, 3}, {11, CDrvParItem::KindVar, 3}, {12, CDrvParItem::KindVar, 3}}},
        {"directions without arrows and with either",
         Own({"ADR = VAR , 1 , 1 , -", "ADR=VAR,2,2,<-", "ADR=VAR,3,3,->"}),
         {{1, CDrvParItem::KindVar, 0}, {2, CDrvParItem::KindVar, 1}, {3, CDrvParItem::KindVar, 2}}},
        {"a section without ADR lines runs on into the next",
         Own({"; nothing here"}).Section("ORV043-OTHER").Adr("SYS", 7, 7, "->", "TEXT 40").Section("LAST").Adr(
             "VAR", 9, 9, "->"),
         {{7, CDrvParItem::KindSys, 2, 0, 40}}},
        {"other lines are passed over",
         Own({"COMMENT=1", "ADR=MSG,4,4,<-,1023,TEXT 26", "", "ADR=VAR,5,5,<->"}),
         {{4, CDrvParItem::KindMsg, 1, 1023, 26}, {5, CDrvParItem::KindVar, 3}}},
        {"a word that has an item keeps the first",
         Own({"ADR=SYS,5,5,<->,TEXT 3", "ADR=VAR,4,6,->"}),
         {{4, CDrvParItem::KindVar, 2}, {5, CDrvParItem::KindSys, 3, 0, 3}, {6, CDrvParItem::KindVar, 2}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        sps.ClearItems();
        EXPECT_EQ(Load(c.cfg), 0);
        std::vector<uint16_t> words;
        for (const auto& want : c.items) {
            words.push_back(want.word);
            ExpectItem(want);
        }
        EXPECT_EQ(Words(), words);
    }
    EXPECT_TRUE(fx.ui.CallsOf(UiCall::Kind::Box).empty());
}

TEST_F(CfgSearchTest, RangeBeyondTheItemCapStopsAtTheFirstRefusal)
{
    sps.SetLength(65535);
    EXPECT_EQ(Load(Own({"ADR=VAR,0,65534,<-"})), 0);
    EXPECT_EQ(sps.GetItems().GetCount(), CColl::kMaxCount);
    // One report of the full list, not one modal box per refused word.
    EXPECT_EQ(fx.ui.CallsOf(UiCall::Kind::Box).size(), 1u);
}

TEST_F(CfgSearchTest, NoWordsCreateNothing)
{
    sps.SetLength(0);
    EXPECT_EQ(Load(Own({"ADR=VAR,0,5,<->", "ADR=SYS,0,0,<->,TEXT 1"})), 0);
    EXPECT_EQ(sps.GetItems().GetCount(), 0);
}

TEST_F(CfgSearchTest, BadLineStopsWithEarlierItemsKept)
{
    const char* const badLines[] = {
        "ADR VAR,3,3,<->",
        "ADR=BIT,3,3,<->",
        "ADR=VAR,3,3",
        "ADR=VAR,3,2,<->",  // last below first
        "ADR=VAR,3,,<->",
        "ADR=VAR,3,3,<>",
        "ADR=SYS,3,3,<->",
        "ADR=SYS,3,3,<->,TEXT 41",
        "ADR=SYS,3,3,<->,TEXT 0",
        "ADR=MSG,3,3,<-,1024,TEXT 1",
        "ADR=MSG,3,3,<-,0,TEXT 27",
        "ADR=MSG,3,3,<-,TEXT 1",
        "ADR=VAR,70000,70001,<->",
    };
    for (const char* bad : badLines) {
        SCOPED_TRACE(bad);
        sps.ClearItems();
        EXPECT_EQ(Load(Own({"ADR=VAR,1,2,<->", bad, "ADR=VAR,9,9,<->"})), CCfgSearch::kErrCombination);
        EXPECT_EQ(Words(), (std::vector<uint16_t>{1, 2}));
    }
}

TEST_F(CfgSearchTest, MissingCombinationShowsTheInternalErrorBox)
{
    StartSelCfgText cfg;
    cfg.Section(std::string(kKelmir043Section) + "X").Adr("VAR", 0, 1, "<->");
    cfg.WriteFor(fx.workspace);
    CCfgSearch search(fx.workspace, fx.bundle);
    search.LoadCombination(43, 33, 5);
    EXPECT_EQ(search.GetError(), CCfgSearch::kErrCombination);
    EXPECT_FALSE(search.CheckError());
    const auto boxes = fx.ui.CallsOf(UiCall::Kind::Box);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].box, MsgKind::InternalError);
    EXPECT_EQ(boxes[0].caption, "ORVtool Intern Error");
    EXPECT_EQ(boxes[0].text,
              "Internal Error ! Kombination der Startauswahl nicht in .CFG File gefunden\n"
              "Bitte Startauswahl korrigieren !");
    EXPECT_TRUE(search.CheckError());
    EXPECT_EQ(sps.GetItems().GetCount(), 0);
}

TEST_F(CfgSearchTest, MissingFileNamesItsPath)
{
    CCfgSearch search(fx.workspace, fx.bundle);
    search.LoadCombination(43, 33, 5);
    EXPECT_EQ(search.GetError(), CCfgSearch::kErrOpen);
    EXPECT_FALSE(search.CheckError());
    const auto boxes = fx.ui.CallsOf(UiCall::Kind::Box);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].id, 15025);
    EXPECT_EQ(boxes[0].text, "Datei " + fx.workspace.GetCfgFile() + " kann nicht ge\xf6" "ffnet werden");
    EXPECT_TRUE(search.CheckError());
}

TEST_F(CfgSearchTest, OtherCombinationsNameTheirSection)
{
    // Panel 706, ABB_CS31_ARCNET_MW, driver 74 (DF1_DIR).
    StartSelCfgText cfg;
    cfg.Section("ORV706-ABB_CS31_ARCNET_MW-DF1").Adr("VAR", 1, 1, "->");
    cfg.Section("ORV706-ABB_CS31_ARCNET_MW-DF1_DIR").Adr("VAR", 2, 2, "->");
    cfg.WriteFor(fx.workspace);
    CCfgSearch search(fx.workspace, fx.bundle);
    search.LoadCombination(706, 0, 74);
    EXPECT_TRUE(search.CheckError());
    EXPECT_EQ(Words(), (std::vector<uint16_t>{2}));
}

} // namespace
