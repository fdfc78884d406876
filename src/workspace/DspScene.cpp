// Turns the display editor's state into draw items, in the order they are
// painted: panel face, display, paging boxes, then cells and variable boxes.
#include "workspace/DspScene.h"

#include "model/project/PrjVar.h"
#include "workspace/DspEdit.h"

namespace orv {

namespace {

constexpr int kTriangleInset = 3;

// The triangle inside the paging box shrunk on every side; its base on the
// edge opposite the way it points.
DspTriangle Pointing(const DspRect& box, bool up)
{
    const DspRect in{box.left + kTriangleInset, box.top + kTriangleInset, box.right - kTriangleInset,
                     box.bottom - kTriangleInset};
    return {up ? in.bottom : in.top, in.left, in.right, (in.left + in.right) / 2, up ? in.top : in.bottom};
}

} // namespace

DspScene BuildDspScene(const CDspGeometry& geo, const CDspEdit& edit, const DspSceneInput& in)
{
    DspScene scene;
    if (!geo.HasPanel())
        return scene;
    scene.panel = true;
    scene.face = geo.PanelRect();
    scene.display = geo.DisplayRect();
    scene.displayRadius = geo.Px(5);
    if (!geo.HasText() || edit.LoadedText() == nullptr)
        return scene;
    scene.text = true;
    scene.glyphHeight = geo.GlyphHeight();
    scene.nameHeight = geo.VarNameHeight();
    const int page = edit.Page();
    if (in.listType != CDspEdit::kListOpTxt) {
        scene.paging = true;
        scene.page = page;
        scene.pageNum = geo.PageNumRect();
        scene.pageUp = geo.PageUpRect();
        scene.pageDown = geo.PageDownRect();
        if (page > 1)
            scene.upTriangle = Pointing(scene.pageUp, true);
        if (page < geo.LastPage())
            scene.downTriangle = Pointing(scene.pageDown, false);
    }
    for (int r = 1; r <= geo.Rows(); ++r) {
        const int abs = edit.AbsRow(r);
        const std::string& text = edit.RowText(abs);
        for (int c = 1; c <= geo.Cols() && c <= static_cast<int>(text.size()); ++c) {
            if (const std::optional<DspFoundVar> var = edit.FindVar(abs, c)) {
                if (var->startCol + 1 != c)
                    continue;
                const DspRect cell = geo.CellRect(r, c);
                const DspRect last = geo.CellRect(r, c + var->width - 1);
                scene.vars.push_back({r, c, var->width, {cell.left, cell.top, last.right, cell.bottom},
                                      var->var->GetName(),
                                      edit.IsDragging() ? DspColours::kVarNameDragged : DspColours::kVarName});
                continue;
            }
            const DspRect rect = geo.CharRect(r, c);
            scene.cells.push_back({r, c, rect, static_cast<unsigned char>(text[static_cast<size_t>(c - 1)])});
            if (in.focus && r == edit.CaretRow() && c == edit.CaretCol()) {
                DspRect caret = rect;
                // A half-width caret tells insert mode from overwrite.
                if (in.insertMode)
                    caret.right -= static_cast<int>(geo.Stretch() * geo.ChrWid() * 0.49);
                scene.caret = caret;
            }
        }
    }
    return scene;
}

} // namespace orv
