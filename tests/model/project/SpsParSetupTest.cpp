#include <gtest/gtest.h>

#include <set>
#include <string>

#include "model/core/Catalogues.h"
#include "model/project/DrvParItem.h"
#include "model/project/PrjBundle.h"
#include "model/project/PrjData.h"
#include "model/project/SpsPar.h"
#include "support/ProjectWorld.h"
#include "support/SpsParBuilder.h"

using namespace orv;

namespace {

TEST(SpsParSetup, ConstructorDefaults) {
    CSpsPar sps(nullptr);
    EXPECT_EQ(sps.GetSpsType(), 33);
    EXPECT_EQ(sps.GetOffset(), 0);
    EXPECT_EQ(sps.GetLength(), 256);
    EXPECT_EQ(sps.GetDataBlock(), 0);
    for (int i = -1; i <= 4; ++i) EXPECT_EQ(sps.GetCaption(i), "") << i;
    EXPECT_EQ(sps.GetItems().GetCount(), 0);
    EXPECT_EQ(sps.GetSimWords().GetCount(), 0);
}

TEST(SpsParSetup, SetCaptionKeepsOwnCopyUpTo127Characters) {
    CSpsPar sps(nullptr);
    std::string text = "DW";
    sps.SetCaption(0, text);
    text = "changed";
    EXPECT_EQ(sps.GetCaption(0), "DW");
    sps.SetCaption(1, std::string(200, 'x'));
    EXPECT_EQ(sps.GetCaption(1), std::string(127, 'x'));
    sps.SetCaption(4, "ignored");
    EXPECT_EQ(sps.GetCaption(4), "");
}

TEST(SpsParSetup, SetCaptionsByType) {
    struct Case {
        uint16_t type;
        const char* area;
        const char* header;
    };
    const Case cases[] = {
        {33, "DW", " 15    ...     8  7     ...     0"},
        {0, "MW", " 7     ...     0  7     ...     0"},
        {5, "AB x.", " 8     ...     1  8     ...     1"},
        {8, "R", " 16    ...     9  8     ...     1"},
        {29, "MW", " 0     ...     7  8     ...    15"},
        {26, "DW", " 7     ...     0  15    ...     8"},
        {10, "Counter", " 7     ...     0  7     ...     0"},
        {32, "Array", " 15    ...     8  7     ...     0"},
        {38, "PW", " 15    ...     8  7     ...     0"},
        {49, "Wort", " 15    ...     8  7     ...     0"},
    };
    for (const Case& c : cases) {
        CSpsPar sps(nullptr);
        sps.SetSpsType(c.type);
        sps.SetCaptions();
        EXPECT_EQ(sps.GetCaption(0), c.area) << c.type;
        EXPECT_EQ(sps.GetCaption(1), "Kom.") << c.type;
        EXPECT_EQ(sps.GetCaption(2), c.header) << c.type;
        EXPECT_EQ(sps.GetCaption(3), "Belegung") << c.type;
    }
}

TEST(SpsParSetup, TypeFrom50LeavesCaptionsUnchanged) {
    CSpsPar sps(nullptr);
    sps.SetSpsType(5);
    sps.SetCaptions();
    sps.SetSpsType(50);
    sps.SetCaptions();
    EXPECT_EQ(sps.GetCaption(0), "AB x.");
    EXPECT_EQ(sps.GetCaption(2), " 8     ...     1  8     ...     1");
}

TEST(SpsParSetup, TypeKeysAreDistinctVendorKeys) {
    std::set<std::string> vendorKeys;
    for (uint16_t n = 158; n <= 207; ++n) vendorKeys.insert(ResKonstText(n));
    std::set<std::string> seen;
    for (uint16_t type = 0; type <= 48; ++type) {
        const std::string key = GetSpsTypeKey(type);
        EXPECT_TRUE(vendorKeys.count(key)) << type << " " << key;
        EXPECT_TRUE(seen.insert(key).second) << "duplicate key " << key;
    }
    EXPECT_FALSE(seen.count(ResKonstText(207))) << "207 belongs to no type";
    EXPECT_STREQ(GetSpsTypeKey(49), "UNKNOWN");
    EXPECT_STREQ(GetSpsTypeKey(50), "");
    EXPECT_STREQ(GetSpsTypeKey(0xFFFF), "");
    // Spot checks where the key order differs from the type order.
    EXPECT_STREQ(GetSpsTypeKey(6), "AEG_MW_A250");
    EXPECT_STREQ(GetSpsTypeKey(7), "AEG_MW");
    EXPECT_STREQ(GetSpsTypeKey(24), "KLOECKNER_MOELLER_MW");
    EXPECT_STREQ(GetSpsTypeKey(32), "SELECTRON_CAN");
    EXPECT_STREQ(GetSpsTypeKey(33), "SIEMENS_DW");
    EXPECT_STREQ(GetSpsTypeKey(45), "BAUMUELLER");
}

TEST(SpsParSetup, FreeItemNumber) {
    struct Case {
        bool withRoot;
        uint16_t devType;
        bool freeItem;
        uint16_t expected;
    };
    const Case cases[] = {
        {true, 706, true, 21},  {true, 118, false, 36}, {true, 163, false, 36},
        {true, 167, false, 36}, {true, 706, false, 49}, {true, 473, false, 49},
        {true, 477, false, 49}, {true, 14, false, 30},  {true, 755, false, 30},
        {false, 706, false, 30},
    };
    for (const Case& c : cases) {
        SpsParBuilder builder;
        builder.Sys(3).Msg(10, 0).Var(20);
        if (c.freeItem) builder.Var(21);
        const auto world = World(c.devType).Sps(builder).Build();
        if (!c.withRoot) world->Unwire(WorldPart::Root);
        CSpsPar* sps = world->sps.get();
        // Word 20 is taken by a variable.
        static_cast<CDrvParVarItem*>(sps->GetItems().FindItem(20))->UseBy("V20");
        EXPECT_EQ(sps->GetFreeItemNo(), c.expected) << c.devType;
    }
    CSpsPar noBundle(nullptr);
    EXPECT_EQ(noBundle.GetFreeItemNo(), 30);
}

TEST(SpsParSetup, ClearItemsFreesItemsButOnlyEmptiesSimWords) {
    auto sps = SpsParBuilder().Sys(3).Var(20).Msg(30, 100).Build();
    CDrvParVarItem borrowed(99, 3);
    sps->GetSimWords().Insert(sps->GetItems().FindItem(20));
    sps->GetSimWords().Insert(&borrowed);
    sps->ClearItems();
    EXPECT_EQ(sps->GetItems().GetCount(), 0);
    EXPECT_EQ(sps->GetSimWords().GetCount(), 0);
    EXPECT_EQ(borrowed.GetNumber(), 99);  // still alive: the sanitizer build checks
}

TEST(SpsParSetup, ReloadTextsSetsCaptionsAndRefreshesItems) {
    auto sps = SpsParBuilder().Type(34).Sys(3, 2).Msg(30, 100).Build();
    CDrvParItem* sys = sps->GetItems().FindItem(3);
    CDrvParItem* msg = sps->GetItems().FindItem(30);
    sys->SetText("old");
    msg->FreeText();
    sps->ReloadTexts();
    EXPECT_EQ(sps->GetCaption(0), "MB");
    EXPECT_EQ(sys->GetText(), ResourceTXT(1172));
    EXPECT_EQ(msg->GetText(), static_cast<CDrvParMsgItem*>(msg)->RangeText());
}

}  // namespace
