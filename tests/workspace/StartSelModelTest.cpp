// The program-wide selection: SetOrvVals, what it tells frame and project
// manager, the character ranges and a read before anything was set.
#include "StartSelFixture.h"

#include <gtest/gtest.h>

using namespace orv;

class StartSelModel : public StartSelFixture, public testing::Test {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(Open()); }
};

TEST_F(StartSelModel, SetOrvValsPicksDriverByOffsetAndKeepsLength)
{
    struct Case {
        int drv;
        int offset;
        int length;
        int heldDrv;
        int lastDw;
    };
    const Case cases[] = {
        {50, 1000, 16, 5001, 1015},
        {50, 2000, 256, 5002, 2255},
        {50, 3000, 1, 5003, 3000},
        {50, 0, 10, 5001, 9},
        {5, 7, 256, 5, 262},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.offset);
        EXPECT_TRUE(sel.SetOrvVals("ORVPRO", 14, 33, c.drv, 50, c.offset, c.length));
        EXPECT_EQ(sel.GetDrvId(), c.heldDrv);
        EXPECT_EQ(sel.GetSelection().firstDw, c.offset);
        EXPECT_EQ(sel.GetSelection().lastDw, c.lastDw);
        EXPECT_EQ(sel.GetSelection().dwLength, c.length);
    }
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(StartSelModel, TellsFrameAndTargetInOrder)
{
    sel.SetOrvVals("ORVPRO", 755, 33, 50, 0, 2000, 16);
    EXPECT_EQ(log, (std::vector<std::string>{"Fields ORV 047.2|S33|Sicos (Offset 2000)", "SetIntlDisplay 1",
                                             "LoadFon"}));
    EXPECT_EQ(frame.GetScreenFon() != nullptr, true);
    EXPECT_EQ(sel.GetDevIdx(), 1);
    EXPECT_EQ(sel.GetDspWidth(), 40);
    EXPECT_EQ(sel.GetModelNo(), 755);
}

TEST_F(StartSelModel, CharacterRangesByFontName)
{
    struct Case {
        int dev;
        const char* font;
        int family;
        int font706OrInt;
        bool valid20;
        bool valid33;
        bool valid200;
        bool def9;
    };
    const Case cases[] = {
        {14, "alt", 1, 0, false, true, false, true},
        {755, "int", 3, 1, true, true, true, true},
        {706, "706", 2, 1, true, true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.font);
        sel.SetOrvVals("ORVPRO", c.dev, 33, 5, 0, 0, 256);
        EXPECT_EQ(sel.GetFntNam(), c.font);
        EXPECT_EQ(sel.GetFontFamily(), c.family);
        EXPECT_EQ(sel.IsFont706OrInt(), c.font706OrInt);
        EXPECT_EQ(sel.IsValidChar(20), c.valid20);
        EXPECT_EQ(sel.IsValidChar(33), c.valid33);
        EXPECT_EQ(sel.IsValidChar(200), c.valid200);
        EXPECT_EQ(sel.IsDefChar(9), c.def9);
    }
    // Only the 706 reports the history texts its type offers.
    EXPECT_TRUE(sel.Dev().Offers(orv::TxtKind::Hst));
}

TEST(StartSelFonts, OtherFontNameChangesNoRange)
{
    // No frame: the screen font is not the point here.
    ScriptedUi ui;
    ScopedUiServices reg(ui);
    TempDir dir;
    {
        orv::CSelDb fill;
        StartSelRows rows(fill, dir.File("startsel.db"));
        rows.App("ORVPRO").DevTyp("ORVPRO", "mini").DevTyp("ORVPRO", "plus");
        rows.Device({"ORVPRO", "A", 0, 14, "mini", 2, 40, 8, "alt"});
        rows.Device({"ORVPRO", "N", 1, 15, "plus", 2, 40, 8, "neu"});
    }
    orv::CStartSel sel;
    ASSERT_TRUE(sel.OpenDb(dir.Path()));
    sel.SetOrvVals("ORVPRO", 14, -1, -1, 0, 0, 256);
    const orv::CharRanges before = sel.Ranges();
    sel.SetOrvVals("ORVPRO", 15, -1, -1, 0, 0, 256);
    EXPECT_EQ(sel.GetFntNam(), "neu");
    EXPECT_EQ(sel.Ranges(), before);
    EXPECT_EQ(sel.GetFontFamily(), 1);
    EXPECT_EQ(sel.IsFont706OrInt(), 0);
}

TEST(StartSelUnset, FntNamBeforeSetOrvValsIsEmptyAndFatalButRunsOn)
{
    ScriptedUi ui;
    ScopedUiServices reg(ui);
    CFrameState frame;
    ScopedMainFrame frameReg(frame);
    ui.ExpectFatal(orv::CStartSel::kFatalLogLine);
    orv::CStartSel sel;
    EXPECT_EQ(sel.GetFntNam(), "");
    EXPECT_EQ(ui.TextsOf(UiCall::Kind::Box), std::vector<std::string>{orv::CStartSel::kFatalNotSet});
    // The fallback record: the display editor divides by these.
    EXPECT_EQ(sel.GetDspWidth(), 20);
    EXPECT_EQ(sel.Dev().numDspRows, 4);
}
