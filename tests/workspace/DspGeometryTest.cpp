#include "DspKit.h"

#include <gtest/gtest.h>

namespace orv {

namespace {

TEST(workspace_dsp_geometry, LayoutOfTheSyntheticRecord)
{
    struct Case {
        int w;
        int h;
        double f;
    };
    // The width decides unless the display's bottom edge would leave the pane.
    const Case cases[] = {{400, 600, 1.0}, {800, 400, 2.0}, {800, 150, 0.75}, {800, 2000, 2.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h);
        const CDspGeometry geo(DspAltRecord(), c.w, c.h);
        ASSERT_TRUE(geo.HasText());
        EXPECT_DOUBLE_EQ(c.f, geo.Stretch());
        EXPECT_DOUBLE_EQ(13.5, geo.ChrWid());
        EXPECT_NEAR(21.6, geo.ChrHei(), 1e-9);
        EXPECT_NEAR(0.14, geo.BorVer(), 1e-9);
        EXPECT_DOUBLE_EQ(65, geo.OrgX());
        EXPECT_NEAR(96.8, geo.OrgY(), 1e-9);
    }
}

TEST(workspace_dsp_geometry, PointToCellAndTheHotArea)
{
    const CDspGeometry geo(DspAltRecord(), 800, 400);   // f = 2
    // OrgX 65 → x 130 at f 2; OrgY 96.8 → y 193.6.
    EXPECT_EQ(0, geo.ColAt(129 - 27));                  // a cell left of the display
    EXPECT_LE(geo.ColAt(120), 0);
    EXPECT_EQ(1, geo.ColAt(131));
    EXPECT_EQ(0, geo.RowAt(194));   // the top edge rounds to row 0
    EXPECT_EQ(0, geo.ColAt(130));   // and the left edge to column 0
    EXPECT_EQ(1, geo.RowAt(196));
    EXPECT_EQ(20, geo.ColAt(130 + 2 * 270 - 1));
    struct Case {
        int x;
        int y;
        bool hot;
    };
    // Edges: x from 130 to (270 + 65) × 2 = 670, y from 193.6 to (120 × 0.72 + 96.8) × 2 = 366.4.
    const Case cases[] = {
        {130, 200, true},  {129, 200, false}, {670, 200, true},  {671, 200, false},
        {300, 194, true},  {300, 193, false}, {300, 366, true},  {300, 367, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        EXPECT_EQ(c.hot, geo.InHotChrArea(c.x, c.y));
    }
    // The hot area's edges can round to row or column 0 or past the last:
    // the cell is kept inside the display.
    EXPECT_EQ(1, geo.HotColAt(130));
    EXPECT_EQ(1, geo.HotRowAt(194));
    EXPECT_EQ(20, geo.HotColAt(670));
    EXPECT_EQ(4, geo.HotRowAt(366));
}

TEST(workspace_dsp_geometry, LastPageAndPagingBoxesScaleWithTheStretch)
{
    DevRecord three = DspAltRecord();
    three.numDspRows = 3;
    EXPECT_EQ(8, CDspGeometry(DspAltRecord(), 400, 600).LastPage());
    EXPECT_EQ(10, CDspGeometry(three, 400, 600).LastPage());

    struct Case {
        int w;
        int h;
        int x;
        int upY;
        int downY;
    };
    // x1 = trunc(20 × 13.5 + 65) = 335, y1 = 96, y2 = trunc(3 × 21.6 + 96.8) = 161.
    const Case cases[] = {{800, 150, 251, 72, 120}, {800, 400, 670, 192, 322}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.h);
        const CDspGeometry geo(DspAltRecord(), c.w, c.h);
        const double f = geo.Stretch();
        EXPECT_EQ(c.x, geo.PagingX());
        EXPECT_EQ(c.upY, geo.PageUpY());
        EXPECT_EQ(c.downY, geo.PageDownY());
        // The clickable area is the box as drawn: 2 × ChrWid × f wide,
        // ChrHei × f high.
        const int wide = static_cast<int>(2 * 13.5 * f);
        const int high = static_cast<int>(21.6 * f);
        EXPECT_TRUE(geo.InPageUp(c.x + wide, c.upY + high));
        EXPECT_FALSE(geo.InPageUp(c.x + wide + 1, c.upY));
        EXPECT_FALSE(geo.InPageUp(c.x, c.upY + high + 1));
        EXPECT_FALSE(geo.InPageUp(c.x - 1, c.upY));
        EXPECT_TRUE(geo.InPageDown(c.x, c.downY));
        EXPECT_TRUE(geo.InPageDown(c.x + wide, c.downY + high));
        EXPECT_FALSE(geo.InPageDown(c.x, c.downY + high + 1));
    }
}

TEST(workspace_dsp_geometry, RecordsNoDisplayCanHoldGiveNoTextGeometry)
{
    struct Case {
        const char* name;
        int rows;
        int cols;
        int dspWid;
        bool text;
    };
    const Case cases[] = {
        {"no rows", 0, 20, 300, false},   {"33 rows", 33, 20, 300, false}, {"no columns", 4, 0, 300, false},
        {"41 columns", 4, 41, 300, false}, {"no width", 4, 20, 0, false}, {"32 rows of 40", 32, 40, 300, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DevRecord dev = DspAltRecord();
        dev.numDspRows = c.rows;
        dev.numDspCols = c.cols;
        dev.dspWid = c.dspWid;
        const CDspGeometry geo(dev, 400, 600);
        EXPECT_EQ(c.text, geo.HasText());
        EXPECT_EQ(c.text, CDspGeometry::IsTextRecord(dev));
        if (!c.text) {
            EXPECT_EQ(0, geo.RowAt(300));
            EXPECT_FALSE(geo.InHotChrArea(200, 200));
            EXPECT_EQ(1, geo.LastPage());
        }
    }
    EXPECT_FALSE(CDspGeometry(DevRecord{}, 400, 600).HasPanel());
}

} // namespace

} // namespace orv
