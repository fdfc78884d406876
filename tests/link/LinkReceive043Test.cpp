// The 043 and 118 families' read-back over the emulated panel: transfers
// read back byte for byte, the record choice, the checks of checksum,
// terminal module, model, driver and data area.
#include "LinkKit.h"
#include "LinkKit043.h"

#include "model/core/CatalogueIds.h"
#include "model/project/PrjData.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

using Receive043Sc = panelemu::PanelScenario;

// The catalogue's text, in its code page.
const std::string kInvalid = "- ung\xFCltig -";

TEST(link_receive043, RoundTripAfterTheTransfer)
{
    Link043Rig rig(14);
    rig.Write();
    ASSERT_EQ(rig.Transmit()->GetError(), 0);
    rig.UseBackDir();
    auto r = rig.Receive();
    ASSERT_EQ(r->GetError(), 0);
    const std::string back = rig.ReadBack("ANLAGE1.BIN");
    ASSERT_EQ(back.size(), rig.image.size() + 2);
    EXPECT_EQ(back.substr(0, 2), std::string(2, '\0'));
    EXPECT_EQ(back.substr(2, rig.image.size() - 2), rig.image.substr(2));
    EXPECT_EQ(back.substr(rig.image.size()), std::string(2, '\xFF'));
    EXPECT_EQ(rig.f.workspace.GetImageFile(), rig.f.dir.File("back/ANLAGE1.BIN"));
    EXPECT_TRUE(r->ReportResult());
    EXPECT_EQ(rig.prj.prj->GetPath(), "ANLAGE1.ORV");
    EXPECT_EQ(rig.emu.Count("end"), 2);
}

TEST(link_receive043, ChoiceOf047)
{
    Link043Rig rig(47);
    Receive043Sc s = Link043Holding(rig, 1, true, EmuScenario(47));
    s = Link043Holding(rig, 3, false, s);
    rig.emu.Reset(s);
    rig.UseBackDir();
    rig.chooser.Choose(2);
    auto r = rig.Receive();
    ASSERT_EQ(r->GetError(), 0);
    ASSERT_EQ(rig.chooser.Runs().size(), 1u);
    const ScriptedRecordChooser::Shown& shown = rig.chooser.Runs()[0];
    EXPECT_EQ(shown.mode, 0);
    EXPECT_EQ(shown.count, 4u);
    EXPECT_EQ(shown.items[0].text, kInvalid);
    EXPECT_EQ(shown.items[1].text, "ANLAGE1.ORV");
    EXPECT_EQ(shown.items[3].text, kInvalid);
    EXPECT_EQ(r->GetChosenDataSet(), 1);
    EXPECT_EQ(rig.ReadBack("ANLAGE1.BIN").substr(2, rig.image.size() - 2), rig.image.substr(2));

    Link043Rig cancelled(47);
    cancelled.emu.Reset(Link043Holding(cancelled, 1, true, EmuScenario(47)));
    cancelled.chooser.Cancel();
    auto c = cancelled.Receive();
    EXPECT_EQ(c->GetError(), 45);
    EXPECT_FALSE(c->ReportResult());
    EXPECT_TRUE(BoxIds(cancelled.f.ui).empty());
}

struct Receive043Case {
    const char* name;
    uint16_t projectType;
    std::function<void(Link043Rig&, Receive043Sc&)> setUp;
    uint16_t error;
    int box;
};

TEST(link_receive043, Checks)
{
    using Rig = Link043Rig;
    const Receive043Case cases[] = {
        {"checksum differs", 14, [](Rig& r, Receive043Sc& s) { s = Link043Holding(r, 0, false, s); }, 44, 15027},
        {"036 without the module bit", 36,
         [](Rig& r, Receive043Sc& s) {
             s = Link043Holding(r, 0, true, s);
             s.identification = Link043Ident("OG036299");
             s.terminalModule = 0x00;
         },
         33, 15503},
        {"project 43 against an 036 panel", 43,
         [](Rig& r, Receive043Sc& s) {
             s = Link043Holding(r, 0, true, s);
             s.identification = Link043Ident("OG036999");
         },
         34, 0},
        {"driver name differs", 14,
         [](Rig& r, Receive043Sc& s) {
             r.drv.SetDrvNo(DrvNoOf("MODBUSPS.DRV"));
             s = Link043Holding(r, 0, true, s);
         },
         34, 0},
        {"data area differs", 14,
         [](Rig& r, Receive043Sc& s) {
             r.drvEntry.params[1] = DrvParamSpec::Number("AK", 77, 0, 255);
             r.Rebuild();
             s = Link043Holding(r, 0, true, s);
         },
         34, 0},
        {"name that leaves the directory", 14,
         [](Rig& r, Receive043Sc& s) {
             Patch(r.image, 5, "../ANLAGE1  ");
             s = Link043Holding(r, 0, true, s);
         },
         44, 15027},
        {"data area matches", 14, [](Rig& r, Receive043Sc& s) { s = Link043Holding(r, 0, true, s); }, 0, 0},
    };
    for (const Receive043Case& c : cases) {
        SCOPED_TRACE(c.name);
        Link043Rig rig(c.projectType);
        Receive043Sc s = EmuScenario(c.projectType == 43 ? 36 : c.projectType);
        c.setUp(rig, s);
        rig.emu.Reset(s);
        rig.UseBackDir();
        auto r = rig.Receive();
        EXPECT_EQ(r->GetError(), c.error);
        EXPECT_EQ(r->ReportResult(), c.error == 0);
        if (c.box) {
            ASSERT_FALSE(BoxIds(rig.f.ui).empty());
            EXPECT_EQ(BoxIds(rig.f.ui)[0], c.box);
        }
        if (c.error == 33) {
            EXPECT_NE(rig.f.ui.CallsOf(UiCall::Kind::Box)[0].text.find("Terminal ORV523 kann nicht ausgelesen werden!"),
                      std::string::npos);
        }
        EXPECT_EQ(rig.ExistsBack("ANLAGE1.BIN"), c.error == 0);
        EXPECT_EQ(rig.emu.Count("end"), 1);
    }
}

TEST(link_receive043, ExpectedCountIsCapped)
{
    Link043Rig rig(14);
    rig.image = std::string(0x7010, '\0');
    Patch(rig.image, 2, std::string("\x70\x00", 2));
    Patch(rig.image, 5, "ANLAGE1.ORV");
    Patch(rig.image, 0x7002, std::string("\x20\x00", 2));
    rig.emu.Reset(Link043Holding(rig, 0, true, EmuScenario(14)));
    rig.UseBackDir();
    auto r = rig.Receive(false);
    ASSERT_EQ(r->GetError(), 0);
    EXPECT_EQ(rig.ReadBack("ANLAGE1.BIN").size(), 0x8000u + 2);
}

// The 118 panel after the recipe transfer into the record.
struct Rig118 {
    explicit Rig118(uint16_t type, uint8_t dataFormat, uint8_t recipeFormat, int record) : rig(type)
    {
        rig.prj.prj->SetDataSize(dataFormat);
        rig.prj.prj->SetRcpSize(recipeFormat);
        rig.Write();
        panelemu::PanelScenario s = EmuScenario(type);
        s.status[2] = static_cast<uint8_t>(dataFormat + 2 * recipeFormat);
        rig.emu.Reset(s);
        rig.chooser.Choose(record, true);
        sent = rig.driver;
        EXPECT_EQ(rig.Transmit()->GetError(), 0);
        rig.UseBackDir();
    }
    Link043Rig rig;
    std::string sent;
};

TEST(link_receive043, RoundTripOf118)
{
    Rig118 r118(118, 1, 1, 2);
    Link043Rig& rig = r118.rig;
    rig.prj.prj->SetDataSize(0);
    rig.chooser.Choose(2);
    const int recipeBankBefore = rig.emu.Count("B31");
    auto r = rig.Receive();
    ASSERT_EQ(r->GetError(), 0);
    EXPECT_EQ(rig.prj.prj->GetDataSize(), 1);
    EXPECT_EQ(rig.prj.prj->GetRcpSize(), 1);
    EXPECT_EQ(rig.emu.Count("B31") - recipeBankBefore, 2);
    const size_t size = static_cast<uint8_t>(rig.image[2]) << 8 | static_cast<uint8_t>(rig.image[3]);
    EXPECT_EQ(rig.ReadBack("ANLAGE1.BIN"), rig.image.substr(0, size + 4));
    EXPECT_EQ(rig.ReadBack("ANLAGE1.REC"), rig.recipe);
    EXPECT_EQ(rig.ReadBack("ANLAGE1.DRV"), r118.sent.substr(0, r118.sent.size()));
    EXPECT_EQ(rig.f.workspace.GetRecipeFile(), rig.f.dir.File("back/ANLAGE1.REC"));
    EXPECT_EQ(rig.f.workspace.GetDrvFile(), rig.f.dir.File("back/ANLAGE1.DRV"));
}

TEST(link_receive043, RecordsOf118And167)
{
    {
        Rig118 r118(167, 0, 0, 2);
        Link043Rig& rig = r118.rig;
        rig.chooser.Choose(2);
        const int recipeBankBefore = rig.emu.Count("B30");
        auto r = rig.Receive();
        ASSERT_EQ(r->GetError(), 0);
        ASSERT_EQ(rig.chooser.Runs().size(), 2u);
        EXPECT_EQ(rig.chooser.Runs()[1].count, 3u);
        EXPECT_EQ(rig.chooser.Runs()[1].items[1].text, "ANLAGE1.ORV");
        EXPECT_EQ(rig.chooser.Runs()[1].items[0].text, kInvalid);
        const std::vector<std::string> commands = rig.emu.Commands();
        const auto size = std::find(commands.rbegin(), commands.rend(), "R000202");
        ASSERT_NE(size, commands.rend());
        EXPECT_EQ(*std::find_if(size, commands.rend(), [](const std::string& c) { return c[0] == 'B'; }), "B02");
        EXPECT_EQ(rig.emu.Count("B30") - recipeBankBefore, 2);
    }
    {
        Rig118 r118(118, 0, 0, 1);
        auto r = r118.rig.Receive();
        EXPECT_EQ(r->GetError(), 0);
        EXPECT_EQ(r118.rig.chooser.Runs().size(), 1u);
    }
    {
        Rig118 r118(167, 0, 0, 2);
        r118.rig.chooser.Choose(1);
        auto r = r118.rig.Receive();
        EXPECT_EQ(r->GetError(), 44);
    }
}

TEST(link_receive043, DataAreaOf118ComesFromBank20)
{
    Rig118 r118(118, 0, 0, 1);
    Link043Rig& rig = r118.rig;
    auto good = rig.Receive();
    EXPECT_EQ(good->GetError(), 0);

    Rig118 other(118, 0, 0, 1);
    // Another data block in the panel's driver: the value of "AK" lies at
    // its value offset from address 4 of bank 0x20.
    const BuiltDrvEntry built = other.rig.drvEntry.Build();
    const uint16_t valueAt = static_cast<uint16_t>(4 + built.valueAt[1]);
    other.rig.emu.Panel().Memory().Write(0x20, static_cast<uint16_t>(valueAt + 3), 77);
    auto bad = other.rig.Receive();
    EXPECT_EQ(bad->GetError(), 34);
}

} // namespace
} // namespace orv
