#include "model/project/MsgTxt.h"
#include "model/project/OpTxt.h"
#include "model/project/PrjVarKinds.h"
#include "model/project/PrnTxt.h"
#include "model/project/TxtRow.h"
#include "source/writer/SrcTexts.h"
#include "SrcWriterRig.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace orv;

namespace {

template <class Entry>
Entry* WithRow(Entry* e, const std::string& text)
{
    e->SetRowCount(e->GetRowCount() + 1);
    e->SetRow(std::make_unique<CPrjTxtRow>(static_cast<uint8_t>(e->GetRowCount()), text, nullptr));
    return e;
}

template <class Entry>
Entry* WithPrnRow(Entry* e, const std::string& text)
{
    e->SetRowCount(e->GetRowCount() + 1);
    e->SetRow(std::make_unique<CPrnTxtLin>(static_cast<uint8_t>(e->GetRowCount()), text, nullptr));
    return e;
}

const auto kNoNode = [](const CPrjOpTxt&) { return false; };

TEST(WriterLayoutTest, OperatorTextsWithTemplateAndEmptyRows)
{
    SrcWriterRig rig(43);
    CPrjOpTxtList list(8, 8);
    auto* tmpl = list.Adopt(std::make_unique<CPrjOpTxtRange>(10, 20));
    WithRow(tmpl, "T");
    auto* one = list.Adopt(std::make_unique<CPrjOpTxt>(1));
    WithRow(one, "a");
    one->SetRowCount(3); // place 2 stays empty
    one->SetRow(std::make_unique<CPrjTxtRow>(3, "c", nullptr));
    auto* rowless = list.Adopt(std::make_unique<CPrjOpTxt>(2));
    list.Adopt(std::make_unique<CPrjOpTxt>(3)); // neither rows nor node

    const auto shown = [&](const CPrjOpTxt& t) { return &t == rowless; };
    const std::string body = "OP_TEXT,   1\r\nTEXT, \"a\"\r\nTEXT, \"c\"\r\n\r\n"
                             "OP_TEXT,   2\r\nTEXT, \"\"\r\n\r\n";
    EXPECT_EQ(rig.Write([&](CSrcSink& s) { WriteOpTextRecords(s, &list, SrcRowLimit{8, false}, PanelType(706, false), shown); }),
              "DEF_OP_TEXT,  10,  20\r\nTEXT, \"T\"\r\n\r\n" + body);
    EXPECT_EQ(rig.leftOut, 1);
    // Only the 706 family reads templates: elsewhere it is left out.
    EXPECT_EQ(rig.Write([&](CSrcSink& s) { WriteOpTextRecords(s, &list, SrcRowLimit{8, false}, PanelType(43, false), shown); }), body);
    EXPECT_EQ(rig.leftOut, 2);
    // Without rows and nodes the section is not written at all.
    CPrjOpTxtList empty(8, 8);
    empty.Adopt(std::make_unique<CPrjOpTxt>(4));
    EXPECT_EQ(rig.Write([&](CSrcSink& s) { WriteOpTextRecords(s, &empty, SrcRowLimit{8, false}, PanelType(43, false), kNoNode); }), "");
    list.DeleteAll();
    empty.DeleteAll();
}

struct MsgCase {
    const char* name;
    uint16_t devType;
    int32_t num;
    uint8_t delMode;
    uint8_t alarm;
    std::string head;
    int leftOut;
};

class WriterMsgHeadTest : public ::testing::TestWithParam<MsgCase> {};

TEST_P(WriterMsgHeadTest, Head)
{
    const MsgCase& c = GetParam();
    SrcWriterRig rig(c.devType);
    CMsgTxtList list(8, 8);
    CPrjNumEntry* e = c.num < 0
                          ? list.Adopt(std::make_unique<CMsgTxtRange>(5, 9, CMsgTxt::PrioFault, c.delMode, c.alarm))
                          : list.Adopt(std::make_unique<CMsgTxt>(c.num, CMsgTxt::PrioInfo, c.delMode, c.alarm));
    WithRow(e, "m");
    const std::string out = rig.Write([&](CSrcSink& s) { WriteMsgTextRecords(s, &list, SrcRowLimit{8, false}, PanelType(c.devType, false)); });
    EXPECT_EQ(out, c.head + "TEXT, \"m\"\r\n\r\n");
    EXPECT_EQ(rig.leftOut, c.leftOut);
    list.DeleteAll();
}

INSTANTIATE_TEST_SUITE_P(
    WriterLayoutTest, WriterMsgHeadTest,
    ::testing::Values(MsgCase{"Plain", 43, 16, 3, 0, "MSG_TEXT,   16, INFO   , 3\r\n", 0},
                      MsgCase{"Mode5On43WrittenAs4", 43, 1, 5, 0, "MSG_TEXT,    1, INFO   , 4\r\n", 1},
                      MsgCase{"Mode5On118WrittenAs4", 118, 1, 5, 0, "MSG_TEXT,    1, INFO   , 4\r\n", 1},
                      MsgCase{"Mode0WrittenAs1", 43, 1, 0, 0, "MSG_TEXT,    1, INFO   , 1\r\n", 1},
                      MsgCase{"AlarmOn706", 706, 2, 5, 1, "MSG_TEXT,    2, INFO   , 5, ALARM\r\n", 0},
                      MsgCase{"AlarmLeftOutOn43", 43, 2, 2, 1, "MSG_TEXT,    2, INFO   , 2\r\n", 1},
                      MsgCase{"TemplateWithAlarmOn706", 706, -1, 5, 1, "DEF_MSG_TEXT,   5,   9, FAULT  , 5, ALARM\r\n", 0}),
    [](const auto& info) { return std::string(info.param.name); });

// Kinds in order, kind 5 skipped on the 118 family; what the panel's reader
// would refuse is left out and counted: HISTORY templates outside the 706
// family, RECIPE templates on it, numbered texts but the 706 family's MENU
// texts and number 0 of a kind without template elsewhere.
struct HlpCase {
    uint16_t type;
    const char* out;
    int leftOut;
};

class WriterHlpTest : public ::testing::TestWithParam<HlpCase> {};

TEST_P(WriterHlpTest, KindsInOrderAndOnlyWhatTheReaderTakes)
{
    const HlpCase& c = GetParam();
    SrcWriterRig rig(c.type);
    CKindTxtList l0(0, 4, 4), l1(1, 4, 4), l2(2, 4, 4), l5(5, 4, 4), l6(6, 4, 4);
    WithRow(l0.Adopt(std::make_unique<CKindTxtRange>(0, 9)), "d");
    WithRow(l1.Adopt(std::make_unique<CKindTxt>(0)), "m0");
    WithRow(l1.Adopt(std::make_unique<CKindTxt>(3)), "m3");
    WithRow(l2.Adopt(std::make_unique<CKindTxtRange>(0, 9)), "i");
    WithRow(l2.Adopt(std::make_unique<CKindTxt>(0)), "i0");
    WithRow(l5.Adopt(std::make_unique<CKindTxtRange>(0, 9)), "h");
    WithRow(l6.Adopt(std::make_unique<CKindTxtRange>(0, 9)), "r");
    CKindTxtList* lists[7] = {&l0, &l1, &l2, nullptr, nullptr, &l5, &l6};
    const std::string out = rig.Write([&](CSrcSink& s) {
        s.Separator(); // a section before: the help texts get one separator
        WriteHlpTextRecords(s, lists, SrcRowLimit{8, false}, PanelType(c.type, false));
    });
    const std::string sep = " " + std::string(76, '_') + "\r\n\r\n";
    EXPECT_EQ(out, sep + c.out);
    EXPECT_EQ(rig.leftOut, c.leftOut);
    for (auto* l : {&l0, &l1, &l2, &l5, &l6})
        l->DeleteAll();
}

constexpr const char* kHlp43 = "DEF_HLP_TEXT, DEFAULT\r\nTEXT, \"d\"\r\n\r\n"
                               "HLP_TEXT, MENU   ,   0\r\nTEXT, \"m0\"\r\n\r\n"
                               "DEF_HLP_TEXT, INFO   \r\nTEXT, \"i\"\r\n\r\n"
                               "DEF_HLP_TEXT, RECIPE \r\nTEXT, \"r\"\r\n\r\n";

INSTANTIATE_TEST_SUITE_P(
    WriterLayoutTest, WriterHlpTest,
    ::testing::Values(HlpCase{43, kHlp43, 3}, HlpCase{118, kHlp43, 3}, HlpCase{163, kHlp43, 3},
                      HlpCase{167, kHlp43, 3},
                      HlpCase{706,
                              "DEF_HLP_TEXT, DEFAULT\r\nTEXT, \"d\"\r\n\r\n"
                              "HLP_TEXT, MENU   ,   0\r\nTEXT, \"m0\"\r\n\r\n"
                              "HLP_TEXT, MENU   ,   3\r\nTEXT, \"m3\"\r\n\r\n"
                              "DEF_HLP_TEXT, INFO   \r\nTEXT, \"i\"\r\n\r\n"
                              "DEF_HLP_TEXT, HISTORY\r\nTEXT, \"h\"\r\n\r\n",
                              2}),
    [](const auto& info) { return std::to_string(info.param.type); });

TEST(WriterLayoutTest, HistoryAndPrinterTexts)
{
    SrcWriterRig rig(706);
    CHistTxtList hist(4, 4);
    WithRow(hist.Adopt(std::make_unique<CHistTxtRange>(1, 50)), "x");
    WithRow(hist.Adopt(std::make_unique<CHistTxt>(7)), "y");
    COpPrnTxtList opPrn(4, 4);
    WithPrnRow(opPrn.Adopt(std::make_unique<COpPrnTxt>(12)), "p\x01");
    CMsgPrnTxtList msgPrn(4, 4);
    WithPrnRow(msgPrn.Adopt(std::make_unique<CMsgPrnTxtRange>(0, 99, 0x05)), "q");
    WithPrnRow(msgPrn.Adopt(std::make_unique<CMsgPrnTxt>(3, 0xA0)), "r");
    const std::string sep = " " + std::string(76, '_') + "\r\n\r\n";
    const std::string out = rig.Write([&](CSrcSink& s) {
        WriteHistTextRecords(s, &hist, SrcRowLimit{8, false}, PanelType(706, false));
        WriteOpPrnTextRecords(s, &opPrn, SrcRowLimit{8, false}, PanelType(706, false));
        WriteMsgPrnTextRecords(s, &msgPrn, SrcRowLimit{8, false}, PanelType(706, false));
    });
    EXPECT_EQ(out, "DEF_HIST_TEXT,   1,  50\r\nHTEXT, \"x\"\r\n\r\nHIST_TEXT,    7\r\nHTEXT, \"y\"\r\n\r\n" + sep +
                       "OP_PRNTEXT,   12\r\nPRNTEXT, \"p$01\"\r\n\r\n" + sep +
                       "DEF_MSG_PRNTEXT,   0,  99, 05\r\nPRNTEXT, \"q\"\r\n\r\n"
                       "MSG_PRNTEXT,    3, 00\r\nPRNTEXT, \"r\"\r\n\r\n");
    // Only the three output-time bits are read back.
    EXPECT_EQ(rig.leftOut, 1);
    // Panels without history and printer texts write none of them.
    SrcWriterRig other(163);
    EXPECT_EQ(other.Write([&](CSrcSink& s) {
        WriteHistTextRecords(s, &hist, SrcRowLimit{8, false}, PanelType(163, false));
        WriteOpPrnTextRecords(s, &opPrn, SrcRowLimit{8, false}, PanelType(163, false));
        WriteMsgPrnTextRecords(s, &msgPrn, SrcRowLimit{8, false}, PanelType(163, false));
    }),
              sep + sep);
    EXPECT_EQ(other.leftOut, 5);
    hist.DeleteAll();
    opPrn.DeleteAll();
    msgPrn.DeleteAll();
}

} // namespace
