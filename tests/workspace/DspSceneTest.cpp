#include "DspKit.h"

#include "workspace/DspScene.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace orv {

namespace {

class workspace_dsp_scene : public ::testing::Test {
protected:
    DspScene Scene(bool focus = true, bool insert = false, int w = 800, int h = 400) const
    {
        return BuildDspScene(CDspGeometry(*kit.host.dev, w, h), kit.edit, {focus, insert, kit.host.listType});
    }

    static const DspCellItem* Cell(const DspScene& scene, int row, int col)
    {
        const auto it = std::find_if(scene.cells.begin(), scene.cells.end(),
                                     [&](const DspCellItem& c) { return c.row == row && c.col == col; });
        return it == scene.cells.end() ? nullptr : &*it;
    }

    DspKit kit;
};

TEST_F(workspace_dsp_scene, PagingBoxesAndTrianglesByListAndPage)
{
    struct Case {
        const char* name;
        int listType;
        int page;
        bool paging;
        bool up;
        bool down;
    };
    const Case cases[] = {
        {"operator text", 2, 1, false, false, false},
        {"recipe page 1", 6, 1, true, false, true},
        {"recipe page 2", 6, 2, true, true, true},
        {"recipe last page", 6, 8, true, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        kit.Show(c.listType == 2 ? static_cast<CPrjNumEntry*>(kit.op) : kit.rcp, c.listType, c.listType == 2 ? 4 : 32);
        kit.edit.SetPage(c.page);
        const DspScene scene = Scene();
        ASSERT_TRUE(scene.text);
        EXPECT_EQ(c.paging, scene.paging);
        EXPECT_EQ(c.up, scene.upTriangle.has_value());
        EXPECT_EQ(c.down, scene.downTriangle.has_value());
        if (c.paging) {
            EXPECT_EQ(c.page, scene.page);
        }
    }
}

TEST_F(workspace_dsp_scene, AVariableIsOneLabelledBoxOverItsColumns)
{
    kit.Show(kit.op, 2, 4);
    const CDspGeometry geo(*kit.host.dev, 800, 400);
    DspScene scene = Scene();
    const auto tmp = std::find_if(scene.vars.begin(), scene.vars.end(), [](const DspVarItem& v) { return v.name == "Tmp"; });
    ASSERT_NE(tmp, scene.vars.end());
    EXPECT_EQ(5, tmp->col);
    EXPECT_EQ(3, tmp->width);
    EXPECT_EQ(geo.CellRect(1, 5).left, tmp->rect.left);
    EXPECT_EQ(geo.CellRect(1, 7).right, tmp->rect.right);
    EXPECT_EQ(DspColours::kVarName, tmp->textColour);
    EXPECT_EQ(3u, scene.vars.size());
    for (int col : {5, 6, 7, 13, 18, 20})
        EXPECT_EQ(nullptr, Cell(scene, 1, col)) << col;
    ASSERT_NE(nullptr, Cell(scene, 1, 1));
    EXPECT_EQ('A', Cell(scene, 1, 1)->code);
    EXPECT_EQ(geo.CharRect(1, 1), Cell(scene, 1, 1)->rect);

    // Picking the variable up starts a drag: its name turns blue.
    const DspPoint at = kit.CellPoint(1, 6);
    kit.edit.OnLButtonDown(CDspGeometry(*kit.host.dev, 400, 600), at.x, at.y);
    ASSERT_TRUE(kit.edit.IsDragging());
    scene = Scene();
    EXPECT_EQ(DspColours::kVarNameDragged, scene.vars.front().textColour);
}

TEST_F(workspace_dsp_scene, CaretIsFilledOnlyWithFocusAndHalfInInsertMode)
{
    kit.Show(kit.op, 2, 4);
    kit.edit.CaretHome();
    const CDspGeometry geo(*kit.host.dev, 800, 400);
    EXPECT_FALSE(Scene(false).caret.has_value());
    ASSERT_TRUE(Scene(true).caret.has_value());
    EXPECT_EQ(geo.CharRect(1, 1), *Scene(true).caret);
    const DspRect half = *Scene(true, true).caret;
    EXPECT_EQ(geo.CharRect(1, 1).right - static_cast<int>(2 * 13.5 * 0.49), half.right);
    EXPECT_EQ(geo.CharRect(1, 1).left, half.left);
}

TEST_F(workspace_dsp_scene, WithoutATextOrARecordOnlyThePanelShows)
{
    DspScene scene = Scene();
    EXPECT_TRUE(scene.panel);
    EXPECT_FALSE(scene.text);
    EXPECT_TRUE(scene.cells.empty());
    kit.Show(kit.op, 2, 4);
    kit.host.dev->numDspRows = 33;
    scene = Scene();
    EXPECT_TRUE(scene.panel);
    EXPECT_FALSE(scene.text);
    // 32 rows of 40 on a tall display: every cell laid out, none lost.
    kit.host.dev->numDspRows = 32;
    kit.host.dev->numDspCols = 40;
    kit.host.dev->dspHei = 600;
    kit.Show(kit.rcp, 6, 32);
    scene = Scene();
    ASSERT_TRUE(scene.text);
    EXPECT_EQ(1, kit.edit.AbsRow(1));
}

} // namespace

} // namespace orv
