// The display editor's layout: the text block is 90 % of the display width,
// starts 5 % in from its left edge and is centred vertically.
#include "workspace/DspGeometry.h"

#include <algorithm>

namespace orv {

namespace {

int DspTrunc(double v)
{
    return static_cast<int>(v);
}

} // namespace

bool CDspGeometry::IsTextRecord(const DevRecord& dev)
{
    return dev.numDspRows >= 1 && dev.numDspRows <= kMaxRows && dev.numDspCols >= 1 && dev.numDspCols <= kMaxCols &&
           dev.dspWid > 0 && dev.dspHei > 0 && dev.bmpWid > 0 && dev.bmpHei > 0;
}

CDspGeometry::CDspGeometry(const DevRecord& dev, int paneWidth, int paneHeight) : m_dev(dev)
{
    if (dev.bmpWid <= 0 || dev.bmpHei <= 0 || paneWidth <= 0 || paneHeight <= 0)
        return;
    m_f = static_cast<double>(paneWidth) / dev.bmpWid;
    const double bottom = static_cast<double>(dev.dspTop) + dev.dspHei;
    // The whole width fits unless the display area would reach below the pane.
    if (bottom > 0 && bottom * m_f > paneHeight)
        m_f = paneHeight / bottom;
    if (!IsTextRecord(dev))
        return;
    m_text = true;
    m_chrWid = dev.dspWid * 0.9 / dev.numDspCols;
    m_chrHei = 1.6 * m_chrWid;
    m_borVer = (dev.dspHei - dev.numDspRows * m_chrHei) / dev.dspHei * 0.5;
    m_orgX = dev.dspLft + dev.dspWid * 0.05;
    m_orgY = dev.dspTop + dev.dspHei * m_borVer;
}

int CDspGeometry::LastPage() const
{
    return m_text ? kMaxRows / m_dev.numDspRows : 1;
}

int CDspGeometry::RowAt(int y) const
{
    if (!m_text || m_f <= 0)
        return 0;
    return DspTrunc((y / m_f - m_orgY) / m_chrHei + 0.99);
}

int CDspGeometry::ColAt(int x) const
{
    if (!m_text || m_f <= 0)
        return 0;
    return DspTrunc((x / m_f - m_orgX) / m_chrWid + 0.99);
}

bool CDspGeometry::InHotChrArea(int x, int y) const
{
    if (!m_text)
        return false;
    return m_f * m_orgX <= x && x <= (m_dev.dspWid * 0.9 + m_orgX) * m_f && m_f * m_orgY <= y &&
           y <= (m_dev.dspHei * (1 - 2 * m_borVer) + m_orgY) * m_f;
}

int CDspGeometry::HotRowAt(int y) const
{
    return std::clamp(RowAt(y), 1, std::max(1, Rows()));
}

int CDspGeometry::HotColAt(int x) const
{
    return std::clamp(ColAt(x), 1, std::max(1, Cols()));
}

int CDspGeometry::Px(double bitmapCoord) const
{
    return DspTrunc(bitmapCoord * m_f);
}

DspRect CDspGeometry::PanelRect() const
{
    return {0, 0, Px(m_dev.bmpWid), Px(m_dev.bmpHei)};
}

DspRect CDspGeometry::DisplayRect() const
{
    return {Px(m_dev.dspLft), Px(m_dev.dspTop), Px(m_dev.dspLft + m_dev.dspWid), Px(m_dev.dspTop + m_dev.dspHei)};
}

DspRect CDspGeometry::CellRect(int row, int col) const
{
    const double x = m_orgX + (col - 1) * m_chrWid;
    const double y = m_orgY + (row - 1) * m_chrHei;
    return {Px(x), Px(y), Px(x + m_chrWid), Px(y + m_chrHei)};
}

DspRect CDspGeometry::CharRect(int row, int col) const
{
    const double x = m_orgX + (col - 1) * m_chrWid;
    const double y = m_orgY + (row - 1) * m_chrHei;
    return {Px(x + 0.01 * m_chrWid), Px(y + 0.01 * m_chrHei), Px(x + 0.98 * m_chrWid), Px(y + 0.98 * m_chrHei)};
}

DspRect CDspGeometry::BoxAt(double x, double y) const
{
    return {Px(x + 0.01 * m_chrWid), Px(y + 0.01 * m_chrHei), Px(x + 1.98 * m_chrWid), Px(y + 0.98 * m_chrHei)};
}

DspRect CDspGeometry::PageNumRect() const
{
    return BoxAt(DspTrunc(m_orgX - 2 * m_chrWid), DspTrunc(m_orgY + 0.5 * m_chrHei));
}

DspRect CDspGeometry::PageUpRect() const
{
    return BoxAt(DspTrunc(Cols() * m_chrWid + m_orgX), DspTrunc(m_orgY));
}

DspRect CDspGeometry::PageDownRect() const
{
    return BoxAt(DspTrunc(Cols() * m_chrWid + m_orgX), DspTrunc((Rows() - 1) * m_chrHei + m_orgY));
}

int CDspGeometry::PagingX() const
{
    return Px(DspTrunc(Cols() * m_chrWid + m_orgX));
}

int CDspGeometry::PageUpY() const
{
    return Px(DspTrunc(m_orgY));
}

int CDspGeometry::PageDownY() const
{
    return Px(DspTrunc((Rows() - 1) * m_chrHei + m_orgY));
}

// The clickable area is the drawn box: its extents scale with the anchors.
bool CDspGeometry::InPagingBox(int x, int y, int anchorY) const
{
    if (!m_text)
        return false;
    const int anchorX = PagingX();
    return x >= anchorX && x <= anchorX + 2 * m_chrWid * m_f && y >= anchorY && y <= anchorY + m_chrHei * m_f;
}

bool CDspGeometry::InPageUp(int x, int y) const
{
    return InPagingBox(x, y, PageUpY());
}

bool CDspGeometry::InPageDown(int x, int y) const
{
    return InPagingBox(x, y, PageDownY());
}

int CDspGeometry::GlyphHeight() const
{
    return DspTrunc(m_chrHei * m_f * 0.6);
}

int CDspGeometry::VarNameHeight() const
{
    return DspTrunc(m_chrHei * m_f * 0.7);
}

} // namespace orv
