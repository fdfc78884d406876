// Where the panel, its display and each character cell of the display editor
// lie in a pane of a given size: a pure function of the pane and the device
// record, so the hit tests and the painting always agree.
#pragma once

#include "workspace/SelQueries.h"

namespace orv {

// A rectangle in client pixels, right and bottom exclusive.
struct DspRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const DspRect&) const = default;
};

class CDspGeometry {
public:
    static constexpr int kMaxRows = 32;
    static constexpr int kMaxCols = 40;

    CDspGeometry(const DevRecord& dev, int paneWidth, int paneHeight);

    // The panel face can be scaled into the pane.
    bool HasPanel() const { return m_f > 0; }
    // The record describes a display whose rows can be laid out.
    bool HasText() const { return m_text; }
    // A record whose rows or columns no display can hold.
    static bool IsTextRecord(const DevRecord& dev);

    double Stretch() const { return m_f; }
    double ChrWid() const { return m_chrWid; }
    double ChrHei() const { return m_chrHei; }
    double BorVer() const { return m_borVer; }
    double OrgX() const { return m_orgX; }
    double OrgY() const { return m_orgY; }
    int Rows() const { return m_dev.numDspRows; }
    int Cols() const { return m_dev.numDspCols; }
    // 32 rows a text at most, shown a display page at a time.
    int LastPage() const;

    // The cell under a client point, 1-based; 0 or below left of or above
    // the display.
    int RowAt(int y) const;
    int ColAt(int x) const;
    bool InHotChrArea(int x, int y) const;
    // The cell under a point of the hot area, kept inside the display: its
    // edges can round to row or column 0.
    int HotRowAt(int y) const;
    int HotColAt(int x) const;

    // Bitmap coordinates scaled and truncated as every drawn coordinate is.
    int Px(double bitmapCoord) const;

    DspRect PanelRect() const;
    DspRect DisplayRect() const;
    // Cell (row, col) of the page, 1-based.
    DspRect CellRect(int row, int col) const;
    // The inner rectangle of a character cell.
    DspRect CharRect(int row, int col) const;

    // The paging boxes and the page number box as drawn.
    DspRect PageNumRect() const;
    DspRect PageUpRect() const;
    DspRect PageDownRect() const;
    // The anchors the hit tests start from, in client pixels.
    int PagingX() const;
    int PageUpY() const;
    int PageDownY() const;
    bool InPageUp(int x, int y) const;
    bool InPageDown(int x, int y) const;

    // The pixel heights of the panel font's characters and of the variable
    // names.
    int GlyphHeight() const;
    int VarNameHeight() const;

private:
    DspRect BoxAt(double x, double y) const;
    bool InPagingBox(int x, int y, int anchorY) const;

    DevRecord m_dev;
    bool m_text = false;
    double m_f = 0;
    double m_chrWid = 0;
    double m_chrHei = 0;
    double m_borVer = 0;
    double m_orgX = 0;
    double m_orgY = 0;
};

} // namespace orv
