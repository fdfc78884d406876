// The start-selection database the build ships beside the program: its
// panels agree with the panel table, and every offered pair is found.
#include "model/PanelTable.h"
#include "support/ScriptedUi.h"
#include "support/TempDir.h"
#include "workspace/SelQueries.h"
#include "workspace/StartSel.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const char* FontOf(CharGroup group)
{
    switch (group) {
    case CharGroup::Alt: return "alt";
    case CharGroup::F706: return "706";
    case CharGroup::Int: return "int";
    default: return "";
    }
}

} // namespace

TEST(ShippedStartSel, DevicesAgreeWithPanelTableAndEveryPairIsFound)
{
    ScriptedUi ui;
    ScopedUiServices reg(ui);
    // A copy, so that nothing could write the shipped file.
    TempDir dir;
    std::filesystem::copy_file(ORV_SHIPPED_STARTSEL, dir.File("startsel.db"));
    orv::CStartSel sel;
    ASSERT_TRUE(sel.OpenDb(dir.Path()));
    orv::CSelQueries q(&sel.Db());
    q.RunApp("ORVPRO");
    EXPECT_EQ(q.app.GetRow(), 1);
    q.RunDev(-1);
    EXPECT_EQ(q.dev.Record(), orv::DevRecord::Fallback());
    const auto names = q.dev.Names();
    ASSERT_EQ(names.size(), 11u);
    for (int row = 0; row < 11; ++row) {
        q.RunDev(q.dev.IdAt(row));
        const orv::DevRecord& dev = q.dev.Record();
        SCOPED_TRACE(dev.devId);
        const PanelRow* panel = FindPanel(static_cast<uint16_t>(dev.devId));
        ASSERT_NE(panel, nullptr);
        EXPECT_EQ(dev.numDspCols, panel->columns);
        EXPECT_EQ(dev.numDspRows, panel->rows);
        EXPECT_EQ(dev.numSK, panel->functionKeys);
        EXPECT_EQ(dev.fntNam, FontOf(panel->charGroup));
        EXPECT_EQ(dev.Offers(orv::TxtKind::Hst), dev.devId == 706);
        EXPECT_GT(dev.dspWid, 0);
        EXPECT_LE(dev.dspLft + dev.dspWid, dev.bmpWid);
        EXPECT_LE(dev.dspTop + dev.dspHei, dev.bmpHei);
        q.RunSps(-1);
        for (const int sps : {33, 9, 12, 15, 25, 27}) {
            q.RunSps(sps);
            q.RunDrv(-1);
            EXPECT_FALSE(q.drv.Names().empty()) << sps;
        }
    }
    EXPECT_TRUE(ui.TextsOf(UiCall::Kind::Box).empty());
}
