#include "model/project/DrvParItem.h"
#include "model/project/MsgTxt.h"
#include "model/project/PrjData.h"
#include "model/project/PrnTxt.h"
#include "model/project/SpsPar.h"

#include "support/SpsParBuilder.h"

#include <gtest/gtest.h>

#include <memory>

using namespace orv;

namespace {

struct MarkCase {
    uint16_t panel;
    int32_t num;
    uint8_t prio;
    uint16_t item;
    unsigned bit;
    bool inA;
    bool inB;
};

TEST(MsgTxtList, MarkMsgBitSetsThePriorityOfTheMessagesBit)
{
    const MarkCase cases[] = {
        {43, 0, 2, 15, 0, true, false},
        {43, 1023, 3, 78, 15, false, true},
        {14, 17, 4, 16, 1, true, true},
        {755, 33, 2, 17, 1, true, false},
        {118, 127, 4, 22, 15, true, true},
        {118, 128, 2, 30, 0, true, false},
        {477, 130, 3, 30, 2, false, true},
        {473, 100, 2, 21, 4, true, false},
        {706, 5, 4, 41, 5, true, true},
        {706, 1023, 2, 104, 15, true, false},
    };
    for (const MarkCase& c : cases) {
        auto sps = SpsParBuilder().Msg(c.item, 0).Build();
        CPrjData prj(nullptr);
        prj.SetDevType(c.panel);
        CMsgTxt msg(c.num, c.prio, 1, 0);

        msg.MarkMsgBit({&prj, sps.get()});

        auto* item = dynamic_cast<CDrvParMsgItem*>(sps->GetItems().FindItem(c.item));
        ASSERT_NE(item, nullptr);
        const uint16_t mask = static_cast<uint16_t>(1u << c.bit);
        EXPECT_EQ(item->GetBitsA(), c.inA ? mask : 0) << "panel " << c.panel << ", message " << c.num;
        EXPECT_EQ(item->GetBitsB(), c.inB ? mask : 0) << "panel " << c.panel << ", message " << c.num;
    }
}

TEST(MsgTxtList, MessagesWithoutAMessageItemMarkNothing)
{
    // Message 16 on panel 43 lives in word 16, message 32 in word 17.
    auto sps = SpsParBuilder().Var(16).Msg(15, 0).Build();
    CPrjData prj(nullptr);
    prj.SetDevType(43);
    CMsgTxtList list(16, 8);
    list.Adopt(std::make_unique<CMsgTxt>(16, 4, 1, 0));  // not a message item
    list.Adopt(std::make_unique<CMsgTxt>(32, 4, 1, 0));  // no item
    list.Adopt(std::make_unique<CMsgTxt>(-5, 4, 1, 0));  // negative number
    list.MarkMsgBits({&prj, sps.get()});
    list.MarkMsgBits({nullptr, sps.get()});
    list.MarkMsgBits({&prj, nullptr});

    auto* msgItem = dynamic_cast<CDrvParMsgItem*>(sps->GetItems().FindItem(15));
    ASSERT_NE(msgItem, nullptr);
    EXPECT_EQ(msgItem->GetBitsA(), 0);
    EXPECT_EQ(msgItem->GetBitsB(), 0);
    auto* varItem = dynamic_cast<CDrvParVarItem*>(sps->GetItems().FindItem(16));
    ASSERT_NE(varItem, nullptr);
    EXPECT_EQ(varItem->GetMask(), 0);

    list.Adopt(std::make_unique<CMsgTxt>(2, 3, 1, 0));
    list.MarkMsgBits({&prj, sps.get()});
    EXPECT_EQ(msgItem->GetBitsB(), 1u << 2);
}

TEST(MsgTxtList, NewEntryCarriesTheTemplatesFields)
{
    CMsgTxtList list(16, 8);
    auto* tmpl = static_cast<CMsgTxtRange*>(list.Adopt(std::make_unique<CMsgTxtRange>(0, 1023, 4, 3, 1)));
    ASSERT_NE(tmpl, nullptr);
    tmpl->SetRowCount(2);

    CMsgTxt* msg = list.NewEntry(tmpl, 12);
    ASSERT_NE(msg, nullptr);
    EXPECT_EQ(msg->GetNum(), 12);
    EXPECT_EQ(msg->GetPrio(), 4);
    EXPECT_EQ(msg->GetDelMode(), 3);
    EXPECT_EQ(msg->IsAlarm(), 1);
    EXPECT_EQ(msg->GetRowCount(), 2);
    EXPECT_EQ(list.GetCurIdx(), 1);

    CMsgTxtList other(16, 8);
    auto* copy = dynamic_cast<CMsgTxtRange*>(other.NewEntry(msg, -1));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetLowest(), 0);
    EXPECT_EQ(copy->GetHighest(), 1023);
    EXPECT_EQ(copy->GetPrio(), 4);
}

TEST(MsgTxtList, AlarmFlagIsStoredAsOne)
{
    CMsgTxt msg(1, 2, 1, 9);
    EXPECT_EQ(msg.IsAlarm(), 1);
    msg.SetAlarm(0);
    EXPECT_EQ(msg.IsAlarm(), 0);
    msg.SetAlarm(7);
    EXPECT_EQ(msg.IsAlarm(), 1);
}

TEST(MsgTxtList, PrinterTextsHold126RowsOf132Characters)
{
    CMsgPrnTxt prn(4, 0x1F);
    prn.SetRowCount(150);
    EXPECT_EQ(prn.GetRowCount(), 126);
    EXPECT_NE(prn.SetRow(std::make_unique<CPrnTxtLin>(126, "x", nullptr)), nullptr);
    EXPECT_EQ(prn.GetRow(126)->GetLineWidth(), 132);
    EXPECT_EQ(prn.GetValue(), 0x1F);

    CMsgPrnTxtList list(16, 8);
    list.Adopt(std::make_unique<CMsgPrnTxtRange>(0, 99, 2));
    list.Adopt(std::make_unique<CMsgPrnTxt>(8, 1));
    EXPECT_EQ(list.GetTemplate()->GetNum(), -1);
    EXPECT_EQ(list.GetHighest()->GetNum(), 8);
    list.FreeAllEntries();
    EXPECT_EQ(list.GetCount(), 0);
}

}  // namespace
