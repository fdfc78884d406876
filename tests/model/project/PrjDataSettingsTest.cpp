#include "model/core/Catalogues.h"
#include "model/project/MsgTxt.h"
#include "model/project/PrjBundle.h"
#include "model/project/PrjData.h"
#include "model/project/PrjVarList.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace orv;

namespace {

TEST(PrjDataSettings, NewRootDefaults)
{
    const CPrjData prj(nullptr);
    struct Case {
        const char* field;
        std::function<int(const CPrjData&)> get;
        int expected;
    };
    const Case cases[] = {
        {"panel type", &CPrjData::GetDevType, 14},
        {"source panel type", &CPrjData::GetSrcDevType, 0},
        {"data-set type", &CPrjData::GetDsType, 14},
        {"change counter", &CPrjData::GetModCount, 0},
        {"address preset", &CPrjData::GetVarDlgPreset, 0},
        {"bit preset", &CPrjData::GetVarDlgPreset2, -1},
        {"cycle time", &CPrjData::GetCycleTime, 10},
        {"printer status word", &CPrjData::GetPrnStatusPos, 0},
        {"date mode", &CPrjData::GetDateMode, 0},
        {"message mode", &CPrjData::GetMsgMode, 0},
        {"printer interface", &CPrjData::GetPrnIfc, 0},
        {"baud rate", &CPrjData::GetPrnBaud, 3},
        {"parity", &CPrjData::GetPrnParity, 1},
        {"data bits", &CPrjData::GetPrnDataBits, 0},
        {"stop bits", &CPrjData::GetPrnStopBits, 1},
        {"handshake", &CPrjData::GetPrnHandshake, 2},
        {"direction", &CPrjData::GetPrnDirection, 0},
        {"time-out", &CPrjData::GetPrnTimeout, 1},
        {"variant", &CPrjData::GetVariant, 0},
        {"data-set size", &CPrjData::GetDataSize, 0},
        {"recipe size", &CPrjData::GetRcpSize, 0},
        {"double words", &CPrjData::GetDWordVars, 0},
        {"path length", [](const CPrjData& p) { return static_cast<int>(p.GetPath().size()); }, 0},
        {"description length", [](const CPrjData& p) { return static_cast<int>(p.GetDescr().size()); }, 0},
        {"variables", [](const CPrjData& p) { return p.GetVarList()->GetCount(); }, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.get(prj), c.expected) << c.field;
    EXPECT_EQ(prj.GetPrnInit(), "0D0A");
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(prj.GetPrnSubst(i), ' ') << i;
}

TEST(PrjDataSettings, PanelConstants)
{
    struct Case {
        uint16_t type;
        int txtRows, dspWidth, charRows, varsPerRow, maxRcp, sysHist;
        uint16_t mnuOpt;
        int maxSkTxt;
    };
    const Case cases[] = {
        {14, 4, 20, 8, 4, 127, 0, 0x30FF, 127},   {36, 2, 40, 8, 4, 127, 0, 0x30FF, 127},
        {43, 2, 40, 8, 4, 127, 0, 0x30FF, 127},   {47, 4, 40, 8, 4, 127, 0, 0x30FF, 127},
        {755, 2, 40, 8, 4, 127, 0, 0x303F, 127},  {118, 4, 20, 8, 4, 127, 0, 0x30FF, 127},
        {163, 2, 40, 8, 4, 127, 0, 0x30FF, 127},  {167, 4, 40, 8, 4, 127, 0, 0x30FF, 127},
        {473, 2, 40, 8, 8, 127, 0, 0x303F, 255},  {477, 4, 40, 8, 8, 127, 0, 0x303F, 255},
        {706, 2, 40, 7, 8, 127, 1023, 0x303F, 255}, {999, 2, 40, 8, 4, 127, 0, 0x303F, 127},
    };
    CPrjData prj(nullptr);
    for (const Case& c : cases) {
        prj.SetDevType(c.type);
        EXPECT_EQ(prj.GetTxtRows(), c.txtRows) << c.type;
        EXPECT_EQ(prj.GetDspWidth(), c.dspWidth) << c.type;
        EXPECT_EQ(prj.GetCharRows(), c.charRows) << c.type;
        EXPECT_EQ(prj.GetMaxVarsPerRow(), c.varsPerRow) << c.type;
        EXPECT_EQ(prj.GetMaxRcpTxtNr(), c.maxRcp) << c.type;
        EXPECT_EQ(prj.GetSysHistTxtNr(), c.sysHist) << c.type;
        EXPECT_EQ(prj.GetMnuOptMask(), c.mnuOpt) << c.type;
        EXPECT_EQ(prj.GetMaxSkTxtNr(), c.maxSkTxt) << c.type;
    }
}

TEST(PrjDataSettings, DevIdOf)
{
    const std::pair<uint16_t, const char*> cases[] = {
        {14, "ORV014"},  {36, "ORVlight"}, {43, "ORV043"}, {47, "ORV047"},  {118, "ORV118"}, {163, "ORV163"},
        {167, "ORV167"}, {473, "ORV473"},  {477, "ORV477"}, {706, "ORV706"}, {755, "ORV0755"}, {999, ""},
    };
    for (const auto& [type, id] : cases)
        EXPECT_STREQ(CPrjData::DevIdOf(type), id) << type;
}

TEST(PrjDataSettings, PrinterInitAndSubstitutes)
{
    CPrjData prj(nullptr);
    prj.SetPrnInit("1B401B4D0D0A0C1B50");
    EXPECT_EQ(prj.GetPrnInit(), "1B401B4D0D0A0C1B");
    prj.SetPrnSubst(7, 'x');
    prj.SetPrnSubst(8, 'y');
    prj.SetPrnSubst(-1, 'z');
    EXPECT_EQ(prj.GetPrnSubst(7), 'x');
    EXPECT_EQ(prj.GetPrnSubst(8), ' ');
    EXPECT_EQ(prj.GetPrnSubst(-1), ' ');
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(prj.GetPrnSubst(i), ' ') << i;
}

TEST(PrjDataSettings, LongPathKeptWhole)
{
    CPrjData prj(nullptr);
    std::string path = "/home/user/";
    path.append(5000 - path.size() - 4, 'p');
    path += ".orv";
    ASSERT_EQ(path.size(), 5000u);
    EXPECT_EQ(prj.SetPath(path), 5001);
    EXPECT_EQ(prj.GetPath(), path);
    EXPECT_EQ(prj.SetPath(""), 1);
    EXPECT_EQ(prj.GetPath(), "");
}

TEST(PrjDataSettings, Descriptions)
{
    CPrjData prj(nullptr);
    const std::string nl = "\r\n";
    const std::string expected = nl + ResourceTXT(12) + nl + nl + nl + nl + nl + ResourceTXT(13) + nl + nl +
                                 ResourceTXT(14) + nl + nl + ResourceTXT(15) + nl + nl + ResourceTXT(16) + nl +
                                 nl + ResourceTXT(17) + nl + nl;
    EXPECT_EQ(prj.GetDefDescr(), expected);
    EXPECT_EQ(prj.GetDefDescr().substr(0, 10), "\r\nFirma:\r\n");

    prj.SetDescr("Anlage 3");
    EXPECT_EQ(prj.GetDescr(), "Anlage 3");
    prj.ResetDescr();
    EXPECT_EQ(prj.GetDescr(), expected);

    prj.SetDefDescr("Kunde: Muster");
    EXPECT_EQ(prj.GetDescr(), expected);
    prj.ResetDescr();
    EXPECT_EQ(prj.GetDescr(), "Kunde: Muster");
}

TEST(PrjDataSettings, SetModifiedCounters)
{
    struct Case {
        const char* name;
        bool withOwner;
        uint16_t rootStart, bundleStart;
        std::vector<bool> calls;
        uint16_t rootEnd, bundleEnd;
    };
    const Case cases[] = {
        {"two changes", true, 0, 0, {true, true}, 2, 2},
        {"changes then cleared", true, 0, 0, {true, true, false}, 0, 0},
        {"clearing an unchanged root keeps the bundle", true, 0, 3, {false}, 0, 3},
        {"clearing a changed root clears the bundle", true, 1, 3, {false}, 0, 0},
        {"without an owner", false, 0, 0, {true, true}, 2, 0},
        {"root held at the top", true, 0xFFFF, 5, {true}, 0xFFFF, 6},
        {"bundle held at the top", true, 5, 0xFFFF, {true}, 6, 0xFFFF},
    };
    for (const Case& c : cases) {
        PrjBundle bundle;  // the root alone: only its counter is looked at
        CPrjData prj(c.withOwner ? &bundle : nullptr);
        prj.SetModCount(c.rootStart);
        bundle.modCount = c.bundleStart;
        for (bool call : c.calls)
            EXPECT_EQ(prj.SetModified(call), 0) << c.name;
        EXPECT_EQ(prj.GetModCount(), c.rootEnd) << c.name;
        EXPECT_EQ(bundle.modCount, c.bundleEnd) << c.name;
    }
}

TEST(PrjDataSettings, ModCountAndDsType)
{
    PrjBundle bundle;  // the root alone: only its counter is looked at
    CPrjData prj(&bundle);
    bundle.modCount = 4;
    prj.SetModCount(9);
    EXPECT_EQ(prj.GetModCount(), 9);
    EXPECT_EQ(bundle.modCount, 4);
    prj.SetDsType(755);
    EXPECT_EQ(prj.GetDsType(), 755);
    prj.SetDevType(47);
    prj.Clear();
    EXPECT_EQ(prj.GetDsType(), 755);
    EXPECT_EQ(prj.GetModCount(), 0);
}

TEST(PrjDataSettings, HelpListsOnlyForKindsZeroToSix)
{
    CPrjData prj(nullptr);
    for (int kind = 0; kind < 7; ++kind) {
        ASSERT_NE(prj.GetHlpTxtList(kind), nullptr) << kind;
        EXPECT_EQ(prj.GetHlpTxtList(kind)->GetKind(), kind);
    }
    EXPECT_EQ(prj.GetHlpTxtList(7), nullptr);
    EXPECT_EQ(prj.GetHlpTxtList(-1), nullptr);

    auto entry = std::make_unique<CKindTxt>(3);
    EXPECT_EQ(prj.InsHlpTxt(7, entry.get()), 0);
    EXPECT_EQ(prj.InsHlpTxt(2, nullptr), 0);
    for (int kind = 0; kind < 7; ++kind)
        EXPECT_EQ(prj.GetHlpTxtList(kind)->GetCount(), 0);
    EXPECT_EQ(prj.InsHlpTxt(6, entry.get()), 0);
    entry.release();
    EXPECT_EQ(prj.GetHlpTxtList(6)->GetCount(), 1);
}

TEST(PrjDataSettings, CurrentProjectIsScoped)
{
    const CPrjData* before = CPrjData::GetCurrent();
    {
        CPrjData first(nullptr);
        EXPECT_EQ(CPrjData::GetCurrent(), &first);
        {
            CPrjData second(nullptr);
            EXPECT_EQ(CPrjData::GetCurrent(), &second);
        }
        EXPECT_EQ(CPrjData::GetCurrent(), &first);

        // Destroyed out of order: the older root goes first.
        auto third = std::make_unique<CPrjData>(nullptr);
        auto fourth = std::make_unique<CPrjData>(nullptr);
        third.reset();
        EXPECT_EQ(CPrjData::GetCurrent(), fourth.get());
        fourth.reset();
        EXPECT_EQ(CPrjData::GetCurrent(), &first);
    }
    EXPECT_EQ(CPrjData::GetCurrent(), before);
}

} // namespace
