#include "model/project/PrjData.h"
#include "source/writer/SrcPanel.h"
#include "support/ProjectWorld.h"
#include "SrcWriterRig.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace orv;

namespace {

const std::string kSep = " " + std::string(76, '_') + "\r\n\r\n";

struct SettingsCase {
    const char* name;
    uint16_t devType;
    uint16_t variant;
    std::function<void(CPrjData&)> set;
    std::string expected; // after an earlier section
    int leftOut;
};

std::vector<SettingsCase> SettingsCases()
{
    return {
        {"Defaults", 43, 0, [](CPrjData&) {}, "\r\n", 0},
        {"CycleAndMsgMode", 43, 0,
         [](CPrjData& p) {
             p.SetCycleTime(5);
             p.SetMsgMode(1);
         },
         kSep + "CYCLE_TIME,  5\r\n\r\nMSGMODE, 1\r\n\r\n", 0},
        {"PrnStatusPos", 163, 0, [](CPrjData& p) { p.SetPrnStatusPos(33); }, kSep + "POS_PRN_STATUS, 33\r\n\r\n\r\n", 0},
        {"PrnStatusPosOutOfRange", 163, 0, [](CPrjData& p) { p.SetPrnStatusPos(3); }, "\r\n", 1},
        {"CycleTimeOutOfRange", 163, 0, [](CPrjData& p) { p.SetCycleTime(61); }, "\r\n", 1},
        {"MsgModeOutOfRange", 163, 0, [](CPrjData& p) { p.SetMsgMode(2); }, "\r\n", 1},
        {"DateModeOn163", 163, 0, [](CPrjData& p) { p.SetDateMode(2); }, kSep + "DMODE, MIL\r\n\r\n\r\n", 0},
        {"DateModeLeftOutOn43", 43, 0, [](CPrjData& p) { p.SetDateMode(1); }, "\r\n", 1},
        {"DateModeLeftOutOn755", 47, 1, [](CPrjData& p) { p.SetDateMode(1); }, "\r\n", 1},
        {"PrModeNineFieldsOn755", 47, 1, [](CPrjData& p) { p.SetPrnHandshake(1); },
         "\r\n" + kSep + "PRMODE, RS232, 9600, EVEN, 7, 2, XON, 1TO32, 1\r\n\r\n", 0},
        {"PrModeDefaultSkippedOn163", 163, 0, [](CPrjData&) {}, "\r\n", 0},
        {"PrModeFiveFieldsOn706", 706, 0,
         [](CPrjData& p) {
             p.SetPrnBaud(4);
             p.SetPrnHandshake(0); // not part of the short form
         },
         "\r\n" + kSep + "PRMODE, RS232, 19200, EVEN, 7, 2\r\n\r\n", 0},
        {"PrModeLeftOutOn43", 43, 0, [](CPrjData& p) { p.SetPrnParity(2); }, "\r\n", 1},
        {"PrCharAndPrInit", 163, 0,
         [](CPrjData& p) {
             p.SetPrnSubst(0, 'A');
             p.SetPrnSubst(7, 0x9A);
             p.SetPrnInit("1B40");
         },
         "\r\n" + kSep + "PRCHAR, 0, $41\r\nPRCHAR, 7, $9A\r\n\r\n" + kSep + "PRINIT, \"$1B$40\"\r\n\r\n", 0},
        {"PrInitDefaultSkipped", 118, 0, [](CPrjData& p) { p.SetPrnInit("0D0A"); }, "\r\n", 0},
        {"PrInitOddLengthWholePairs", 167, 0, [](CPrjData& p) { p.SetPrnInit("1B4"); },
         "\r\n" + kSep + "PRINIT, \"$1B\"\r\n\r\n", 1},
        {"NoPrinterLinesOn43", 43, 0, [](CPrjData& p) { p.SetPrnInit("1B40"); }, "\r\n", 0},
    };
}

class WriterSettingsTest : public ::testing::TestWithParam<SettingsCase> {};

TEST_P(WriterSettingsTest, Lines)
{
    const SettingsCase& c = GetParam();
    SrcWriterRig rig(c.devType);
    const auto world = World(c.devType).Build();
    CPrjData& prj = *world->prj;
    prj.SetVariant(c.variant);
    prj.SetPrnInit("0D0A");
    c.set(prj);
    const std::string out = rig.Write([&](CSrcSink& s) {
        s.Separator();
        WriteSettingLines(s, prj);
    });
    EXPECT_EQ(out, c.expected);
    EXPECT_EQ(rig.leftOut, c.leftOut);
}

INSTANTIATE_TEST_SUITE_P(WriterLayoutTest, WriterSettingsTest, ::testing::ValuesIn(SettingsCases()),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
