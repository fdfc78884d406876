#include "workspace/forms/VarAddress.h"

#include "model/core/FrameState.h"
#include "model/core/Log.h"
#include "model/project/DrvParColl.h"
#include "model/project/PrjData.h"
#include "model/project/SpsPar.h"
#include "support/ProjectWorld.h"
#include "support/SpsParBuilder.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

std::unique_ptr<CSpsPar> VaSps(uint16_t type, uint16_t offset = 0)
{
    return SpsParBuilder().Type(type).Offset(offset).Build();
}

// A project on the PLC parameters under a frame that logs debug lines.
struct VaWorld {
    explicit VaWorld(SpsParBuilder sps) : w(World().OwnUi().Sps(std::move(sps)).Build())
    {
        frame.SetLogLevel(kLogDebug);
    }
    CFrameState frame;
    ScopedMainFrame frameScope{frame};
    std::unique_ptr<ProjectWorld> w;
};

TEST(workspace_var_address, StoredTypedStoredKeepsWordAndBitOnEveryType)
{
    for (uint16_t type = 0; type < CSpsPar::kTypeCount; ++type) {
        for (uint16_t offset : {0, 50}) {
            const auto sps = VaSps(type, offset);
            for (uint16_t wordNo : {0, 1, 7, 20, 255, 1000}) {
                for (int bit = -1; bit < 16; ++bit) {
                    SCOPED_TRACE(testing::Message() << "type " << type << " offset " << offset << " word "
                                                    << wordNo << " bit " << bit);
                    const VarTypedAdr typed = CVarAddress::Typed(*sps, wordNo, bit);
                    const VarStoredAdr stored = CVarAddress::Stored(*sps, typed, bit >= 0);
                    EXPECT_EQ(CVarAddress::WordNo(*sps, stored.adr), wordNo);
                    EXPECT_EQ(stored.bit, bit < 0 ? 0 : bit);
                    if (bit >= 0) {
                        const CVarAddress::Range r = CVarAddress::TypedBitRange(*sps);
                        EXPECT_GE(typed.bit, r.lo);
                        EXPECT_LE(typed.bit, r.hi);
                    }
                }
            }
        }
    }
}

TEST(workspace_var_address, ShownFormOfTheTypesWithRulesOfTheirOwn)
{
    struct Case {
        uint16_t type, offset, wordNo;
        int bit;
        VarTypedAdr shown;
        bool blockShown;
    };
    const Case cases[] = {
        {1, 0, 20, 3, {2, 9, 3}, true},     // address 40, low byte on the odd address
        {1, 0, 20, 11, {2, 8, 3}, true},    // high byte on the even one
        {5, 0, 20, 0, {0, 41, 1}, false},   // bits counted from 1
        {5, 0, 20, 15, {0, 40, 8}, false},
        {6, 0, 3, 0, {0, 3, 1}, false},
        {26, 0, 3, 2, {0, 3, 10}, false},   // bytes swapped
        {29, 0, 3, 2, {0, 3, 13}, false},   // bits counted from the top
        {38, 50, 2, 5, {0, 52, 87}, false}, // one running bit number
        {24, 0, 7, -1, {0, 14, 0}, false},  // doubled word address
        {45, 0, 300, -1, {2, 88, 0}, true}, // byte address 600 as 2.88
        {3, 0, 40, -1, {2, 8, 0}, true},
        {33, 10, 40, -1, {0, 50, 0}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " word " << c.wordNo << " bit " << c.bit);
        const auto sps = VaSps(c.type, c.offset);
        EXPECT_EQ(CVarAddress::Typed(*sps, c.wordNo, c.bit), c.shown);
        EXPECT_EQ(CVarAddress::BlockShown(c.type), c.blockShown);
        const VarStoredAdr back = CVarAddress::Stored(*sps, c.shown, c.bit >= 0);
        EXPECT_EQ(CVarAddress::WordNo(*sps, back.adr), c.wordNo);
    }
    // A typed bit below the offset of type 38 counts from the window's start.
    const auto t38 = VaSps(38, 50);
    EXPECT_EQ(CVarAddress::Stored(*t38, {0, 0, 20}, true), (VarStoredAdr{51, 4}));
}

TEST(workspace_var_address, ProposalTakesThePresetsOnce)
{
    struct Case {
        const char* name;
        uint16_t type;
        uint16_t offset;
        int16_t wordPreset, bitPreset;
        SpsParBuilder items;
        uint16_t devType;
        VarTypedAdr proposed;
    };
    const Case cases[] = {
        {"word preset", 33, 0, 12, -1, SpsParBuilder().Var(20), 14, {0, 12, 0}},
        {"first free VAR item", 33, 0, 0, -1, SpsParBuilder().Sys(5).Var(21).Var(22), 14, {0, 21, 0}},
        {"none free, panel 14", 33, 0, 0, -1, SpsParBuilder(), 14, {0, 30, 0}},
        {"bit default 1", 6, 0, 12, -1, SpsParBuilder(), 14, {0, 12, 1}},
        {"bit default offset", 38, 40, 2, -1, SpsParBuilder(), 14, {0, 42, 40}},
        {"bit preset mapped", 1, 0, 20, 3, SpsParBuilder(), 14, {2, 9, 3}},
        {"bit preset, running bit", 38, 50, 2, 5, SpsParBuilder(), 14, {0, 52, 87}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SpsParBuilder b = c.items;
        const auto w = World(c.devType).Sps(b.Type(c.type).Offset(c.offset)).Build();
        w->prj->SetVarDlgPreset(c.wordPreset);
        w->prj->SetVarDlgPreset2(c.bitPreset);
        EXPECT_EQ(CVarAddress::Propose(*w->sps, *w->prj), c.proposed);
        EXPECT_EQ(w->prj->GetVarDlgPreset(), 0);
        EXPECT_EQ(w->prj->GetVarDlgPreset2(), -1);
    }
}

TEST(workspace_var_address, OddWordsRefusedWhereTheTypeCountsBytes)
{
    struct Case {
        uint16_t type;
        int64_t word;
        bool internal, isBit;
        int msg;
        bool logged;
    };
    const Case cases[] = {
        {1, 3, false, false, 16300, true},  {1, 4, false, false, 0, true},
        {1, 3, false, true, 0, true},       {1, 3, true, false, 0, true},
        {34, 7, false, false, 16300, true}, {5, 7, false, true, 0, true},
        {24, 7, false, false, 16300, false}, {24, 7, false, true, 16300, false},
        {35, 6, false, false, 0, false},    {39, 1, true, false, 0, false},
        {45, 9, false, false, 16300, false}, {33, 7, false, false, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " word " << c.word << " internal " << c.internal
                                        << " bit " << c.isBit);
        const VaWorld v(SpsParBuilder().Type(c.type));
        const auto& w = v.w;
        const VarAdrCheck check = CVarAddress::CheckEven(*w->sps, c.word, c.internal, c.isBit);
        EXPECT_EQ(check.msg, c.msg);
        EXPECT_EQ(check.focus, c.msg ? CVarAddress::kWordEdit : 0);
        EXPECT_EQ(w->ui.HasLogLine("Byteaddressierung"), c.logged);
    }
}

TEST(workspace_var_address, EveryWordNeedsAnItemThatAllowsTheDirection)
{
    struct Case {
        const char* name;
        SpsParBuilder sps;
        int64_t adr;
        int words, cls;
        bool internal;
        int msg;
        std::string text;
        bool msgWord = false;
        size_t widenings = 0;
    };
    const Case cases[] = {
        {"no item, type 1", SpsParBuilder().Type(1), 40, 1, 0, false, 16301, " 2.8-9 "},
        {"no item, type 3", SpsParBuilder().Type(3), 40, 1, 0, false, 16301, " 2.8 "},
        {"no item, type 45", SpsParBuilder().Type(45), 600, 1, 0, false, 16301, "2.88 "},
        {"no item, type 5", SpsParBuilder().Type(5), 40, 1, 0, false, 16301, "40, 41 "},
        {"no item, type 38", SpsParBuilder().Type(38), 7, 1, 0, false, 16301, "14"},
        {"no item, type 33", SpsParBuilder(), 7, 1, 0, false, 16301, "7"},
        {"empty items", SpsParBuilder(), 0, 1, 0, false, 16301, "0"},
        {"SYS first word", SpsParBuilder().Sys(20, 1, 3), 20, 1, 0, false, 16301, "20"},
        {"SYS second word", SpsParBuilder().Var(20).Sys(21, 1, 3), 20, 2, 0, false, 16301, "21"},
        {"second word missing", SpsParBuilder().Var(20), 20, 2, 0, false, 16301, "21"},
        {"two words", SpsParBuilder().Var(20).Var(21), 20, 2, 0, false, 0, ""},
        {"MSG word", SpsParBuilder().Msg(40, 100, 40, 3), 40, 1, 1, false, 0, "", true},
        {"IST flagged", SpsParBuilder().Var(20, 2).Flag(20), 20, 1, 0, false, 0, "", false, 1},
        {"IST unflagged", SpsParBuilder().Var(20, 2), 20, 1, 0, false, 16303, ""},
        {"SOLL", SpsParBuilder().Var(20, 1), 20, 1, 1, false, 16302, ""},
        {"Soll-P", SpsParBuilder().Var(20, 1), 20, 1, 2, false, 16302, ""},
        {"internal at word 0", SpsParBuilder().Var(1), 0, 2, 0, true, 0, ""},
        {"below the window", SpsParBuilder().Offset(50).Var(0), 49, 1, 0, false, 16301, "49"},
        {"beyond 65535", SpsParBuilder().Var(0), 65536, 1, 0, false, 16301, "65536"},
        {"last word beyond", SpsParBuilder().Var(65535), 65535, 2, 0, false, 16301, "65536"},
        {"flag then failure", SpsParBuilder().Var(20, 2).Flag(20), 20, 2, 0, false, 16301, "21"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const VaWorld v(c.sps);
        const auto& w = v.w;
        std::vector<uint8_t> dirs;
        for (int i = 0; i < w->sps->GetItems().GetCount(); ++i)
            dirs.push_back(w->sps->GetItems().ItemAt(i)->GetDirection());
        const VarAdrCheck check = CVarAddress::CheckItems(*w->sps, c.adr, c.words, c.cls, c.internal);
        EXPECT_EQ(check.msg, c.msg);
        EXPECT_EQ(check.adrText, c.text);
        EXPECT_EQ(check.focus, c.msg ? CVarAddress::kWordEdit : 0);
        EXPECT_EQ(check.msgWord, c.msgWord);
        EXPECT_EQ(w->ui.HasLogLine("Meldewort Used "), c.msgWord);
        EXPECT_EQ(check.widenings.size(), c.widenings);
        // Checking never changes a direction.
        for (int i = 0; i < w->sps->GetItems().GetCount(); ++i)
            EXPECT_EQ(w->sps->GetItems().ItemAt(i)->GetDirection(), dirs[size_t(i)]);
    }
}

TEST(workspace_var_address, TypeThirtyEightBitChecksTheWordItIsStoredOn)
{
    // Bit 87 on offset 50 lies in data word 2; only that word's item counts.
    const auto w = World().OwnUi().Sps(SpsParBuilder().Type(38).Offset(50).Var(0).Var(2)).Build();
    const VarStoredAdr onWord2 = CVarAddress::Stored(*w->sps, {0, 0, 87}, true);
    EXPECT_TRUE(CVarAddress::CheckItems(*w->sps, onWord2.adr, 1, 0, false).Ok());
    const VarStoredAdr onWord1 = CVarAddress::Stored(*w->sps, {0, 0, 70}, true);
    const VarAdrCheck missing = CVarAddress::CheckItems(*w->sps, onWord1.adr, 1, 0, false);
    EXPECT_EQ(missing.msg, 16301);
    EXPECT_EQ(missing.adrText, "102");
}

TEST(workspace_var_address, RecordedWideningHappensOnlyWhenApplied)
{
    const auto w = World().OwnUi().Sps(SpsParBuilder().Var(20, 2).Flag(20)).Build();
    CDrvParItem* item = w->sps->GetItems().FindItem(20);
    const VarAdrCheck check = CVarAddress::CheckItems(*w->sps, 20, 1, 0, false);
    ASSERT_TRUE(check.Ok());
    EXPECT_EQ(item->GetDirection(), 2);
    CVarAddress::Widen(check);
    EXPECT_EQ(item->GetDirection(), 3);
}

} // namespace
} // namespace orv
