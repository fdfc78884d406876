// The display editor pane. Every rule lives in the Qt-free editor and scene;
// this file only translates events and paints plain draw items.
#include "gui/ViewDc.h"

#include "dialogs/FixedFont.h"
#include "dialogs/PanelGlyphPainter.h"
#include "dialogs/QtText.h"
#include "gui/DragMime.h"
#include "gui/FntDc.h"
#include "gui/PopupMenu.h"
#include "model/core/FrameState.h"
#include "model/core/Log.h"
#include "workspace/DspGeometry.h"
#include "workspace/DspScene.h"
#include "workspace/FrameCore.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

#include <array>
#include <utility>

namespace orv {

namespace {

// The panel pictures were numbered from 171 by device row.
constexpr int kDspFirstBmpId = 171;

QRect ToQRect(const DspRect& r)
{
    return {QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)};
}

QColor Rgb(uint32_t rgb)
{
    return QColor::fromRgb(static_cast<QRgb>(rgb));
}

const std::array<std::pair<int, DspKey>, 20> kDspKeys = {{
    {Qt::Key_Backspace, DspKey::Backspace}, {Qt::Key_Return, DspKey::Enter}, {Qt::Key_Enter, DspKey::Enter},
    {Qt::Key_Escape, DspKey::Esc},          {Qt::Key_End, DspKey::End},      {Qt::Key_Home, DspKey::Home},
    {Qt::Key_Left, DspKey::Left},           {Qt::Key_Up, DspKey::Up},        {Qt::Key_Right, DspKey::Right},
    {Qt::Key_Down, DspKey::Down},           {Qt::Key_Insert, DspKey::Insert}, {Qt::Key_Delete, DspKey::Delete},
    {Qt::Key_F1, DspKey::F1},               {Qt::Key_F2, DspKey::F2},        {Qt::Key_F3, DspKey::F3},
    {Qt::Key_F4, DspKey::F4},               {Qt::Key_F5, DspKey::F5},        {Qt::Key_F6, DspKey::F6},
    {Qt::Key_F7, DspKey::F7},               {Qt::Key_F8, DspKey::F8},
}};

std::optional<DspKey> DspKeyOf(int qtKey)
{
    for (const auto& [key, dsp] : kDspKeys)
        if (key == qtKey)
            return dsp;
    return std::nullopt;
}

void DrawTriangle(QPainter& p, const DspTriangle& t)
{
    p.drawLine(t.left, t.baseY, t.right, t.baseY);
    p.drawLine(t.left, t.baseY, t.tipX, t.tipY);
    p.drawLine(t.right, t.baseY, t.tipX, t.tipY);
}

// The page number in the panel font, centred in its box.
void DrawPageNumber(QPainter& p, const CFon* font, const DspRect& box, int page, int s)
{
    const std::string digits = std::to_string(page);
    int width = 0;
    for (char d : digits)
        width += CPanelGlyphPainter::GlyphSize(font, static_cast<unsigned char>(d), s).width();
    int x = (box.left + box.right - width) / 2;
    for (char d : digits) {
        const QSize size = CPanelGlyphPainter::GlyphSize(font, static_cast<unsigned char>(d), s);
        CPanelGlyphPainter::DrawGlyph(p, font, static_cast<unsigned char>(d), QRect(x, box.top, size.width(), box.bottom - box.top),
                                      s, Rgb(DspColours::kGlyph));
        x += size.width();
    }
}

} // namespace

void PaintDspScene(QPainter& p, const DspScene& scene, const CFon* font)
{
    p.setRenderHint(QPainter::Antialiasing, false);
    // The panel picture stands in for the panel bitmap, scaled as it would be.
    p.setPen(QPen(Rgb(DspColours::kPanelBorder), 2));
    p.setBrush(Rgb(DspColours::kPanel));
    const QRect face = ToQRect(scene.face);
    p.drawRoundedRect(face, face.width() / 25.0, face.width() / 25.0);
    p.setPen(Qt::black);
    p.setBrush(Rgb(DspColours::kDisplay));
    p.drawRoundedRect(ToQRect(scene.display), scene.displayRadius, scene.displayRadius);
    if (!scene.text)
        return;
    const int s = CPanelGlyphPainter::ScaleForHeight(font, scene.glyphHeight);
    if (scene.paging) {
        for (const DspRect& box : {scene.pageNum, scene.pageUp, scene.pageDown})
            p.drawRect(ToQRect(box));
        DrawPageNumber(p, font, scene.pageNum, scene.page, s);
        if (scene.upTriangle)
            DrawTriangle(p, *scene.upTriangle);
        if (scene.downTriangle)
            DrawTriangle(p, *scene.downTriangle);
    }
    p.setPen(Qt::NoPen);
    for (const DspCellItem& cell : scene.cells) {
        const QRect r = ToQRect(cell.rect);
        p.fillRect(r, Rgb(DspColours::kCell));
        if (scene.caret && scene.caret->left == cell.rect.left && scene.caret->top == cell.rect.top)
            p.fillRect(ToQRect(*scene.caret), Rgb(DspColours::kCaret));
        CPanelGlyphPainter::DrawGlyph(p, font, cell.code, r, s, Rgb(DspColours::kGlyph));
        LogLine(kLogDebugExt, "DspTxt: chr %c drawn on nCol=%d, nRow=%d", static_cast<char>(cell.code), cell.col, cell.row);
    }
    CFntDc names({&p, FixedPitchFont().family(), -scene.nameHeight, 400, Qt::AlignLeft | Qt::AlignVCenter});
    names.Create();
    names.Select();
    for (const DspVarItem& var : scene.vars) {
        const QRect r = ToQRect(var.rect);
        p.fillRect(r, Rgb(DspColours::kVarBox));
        p.setPen(Rgb(var.textColour));
        p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, FromCp437(var.name));
        LogLine(kLogDebugExt, "DspTxt: var %s drawn on nCol=%d, nRow=%d", var.name.c_str(), var.col, var.row);
    }
}

CViewDc::CViewDc(CFrameCore& core, QLabel* ovrLabel, QWidget* parent)
    : QWidget(parent), m_core(core), m_ovr(ovrLabel), m_host(core), m_edit(m_host)
{
    setObjectName(QStringLiteral("paneDisplay"));
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_edit.SetRepaint([this] { update(); });
    m_core.SetViewDc(&m_edit);
    LogLine(kLogDebug, "CViewDc::OnInitialUpdate()");
    ShowInsertMode();
}

CViewDc::~CViewDc()
{
    if (m_core.GetViewDc() == &m_edit)
        m_core.SetViewDc(nullptr);
}

CDspGeometry CViewDc::Geometry() const
{
    const DevRecord* dev = m_host.Device();
    return CDspGeometry(dev != nullptr ? *dev : DevRecord{}, width(), height());
}

void CViewDc::ReportUnusableDevice(const DevRecord& dev) const
{
    if (m_reportedDevice == dev.name)
        return;
    m_reportedDevice = dev.name;
    LogLine(kLogErrors, "display of device %s cannot be laid out", dev.name.c_str());
}

void CViewDc::PaintTo(QPainter& painter, QSize size) const
{
    painter.fillRect(QRect(QPoint(0, 0), size), palette().color(QPalette::Base));
    // With the selection unset only the background shows: the frame tells
    // the user, never a paint handler.
    const DevRecord* dev = m_host.Device();
    if (dev == nullptr)
        return;
    const CDspGeometry geo(*dev, size.width(), size.height());
    if (!geo.HasPanel() || !geo.HasText())
        ReportUnusableDevice(*dev);
    if (!geo.HasPanel())
        return;
    LogLine(kLogDebugExt, "Hor strech factor =%d", static_cast<int>(geo.Stretch() * 100));
    LogLine(kLogDebug, "Bmp Id = %d", kDspFirstBmpId + m_core.GetStartSel().GetDevIdx());
    LogLine(kLogDebug, "BmpWid=%d, BmpHei=%d, FctHor=%d", dev->bmpWid, dev->bmpHei, static_cast<int>(geo.Stretch() * 100));
    if (geo.HasText()) {
        LogLine(kLogDebugExt, "DspHei=%d,ChrWid=%d,ChrHei=%d,BorVer=%d", dev->dspHei, static_cast<int>(geo.ChrWid()),
                static_cast<int>(geo.ChrHei()), static_cast<int>(geo.BorVer() * 100));
        LogLine(kLogDebug, "CFntDc.Nam=%s, CFntDc.Height=%d", dev->fntNam.c_str(), geo.GlyphHeight());
    }
    const CFrameState* frame = GetMainFrame();
    const DspSceneInput in{hasFocus(), frame != nullptr && frame->IsInsertMode(), m_core.GetListType()};
    PaintDspScene(painter, BuildDspScene(geo, m_edit, in), frame != nullptr ? frame->GetScreenFon() : nullptr);
}

void CViewDc::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    PaintTo(painter, size());
}

void CViewDc::ShowInsertMode()
{
    const CFrameState* frame = GetMainFrame();
    if (m_ovr != nullptr)
        m_ovr->setEnabled(frame == nullptr || !frame->IsInsertMode());
}

void CViewDc::keyPressEvent(QKeyEvent* event)
{
    if (const std::optional<DspKey> key = DspKeyOf(event->key())) {
        m_edit.OnKey(*key, (event->modifiers() & Qt::ControlModifier) != 0);
        if (*key == DspKey::Insert)
            ShowInsertMode();
        return;
    }
    const QString text = event->text();
    if (text.isEmpty()) {
        QWidget::keyPressEvent(event);
        return;
    }
    for (const char32_t cp : text.toUcs4())
        m_edit.OnChar(cp, ToCp437(cp));
}

void CViewDc::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const QPoint at = event->position().toPoint();
    m_edit.OnLButtonDown(Geometry(), at.x(), at.y());
}

void CViewDc::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    m_edit.OnMouseMove(Geometry(), at.x(), at.y());
}

void CViewDc::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_edit.OnLButtonUp();
    QWidget::mouseReleaseEvent(event);
}

void CViewDc::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_edit.OnDblClk();
}

void CViewDc::contextMenuEvent(QContextMenuEvent* event)
{
    const std::vector<DspMenuItem> items = m_edit.MenuItems();
    if (items.empty())
        return;
    CPopupMenu menu;
    for (const DspMenuItem& item : items) {
        if (item.id == 0)
            menu.AddSeparator();
        else
            menu.AddItem(item.id, item.enabled);
    }
    const int id = menu.Track(event->globalPos().x(), event->globalPos().y(), this);
    if (id != 0)
        m_edit.OnMenuCommand(id);
}

void CViewDc::dragEnterEvent(QDragEnterEvent* event)
{
    const QMimeData* mime = event->mimeData();
    if (mime != nullptr && (mime->hasFormat(MimeVarIndex()) || mime->hasFormat(MimeCharCode())))
        event->acceptProposedAction();
}

void CViewDc::dragMoveEvent(QDragMoveEvent* event)
{
    const QMimeData* mime = event->mimeData();
    if (mime != nullptr && (mime->hasFormat(MimeVarIndex()) || mime->hasFormat(MimeCharCode())))
        event->acceptProposedAction();
}

void CViewDc::dropEvent(QDropEvent* event)
{
    const QMimeData* mime = event->mimeData();
    if (mime == nullptr)
        return;
    const QPoint at = event->position().toPoint();
    bool ok = false;
    if (mime->hasFormat(MimeVarIndex())) {
        const int index = QString::fromLatin1(mime->data(MimeVarIndex())).toInt(&ok);
        if (ok)
            m_edit.DrpVar(Geometry(), index, at.x(), at.y());
    } else if (mime->hasFormat(MimeCharCode())) {
        const int code = QString::fromLatin1(mime->data(MimeCharCode())).toInt(&ok);
        if (ok && code >= 0 && code <= 255)
            m_edit.DrpChr(Geometry(), code, at.x(), at.y());
    }
    if (ok)
        event->acceptProposedAction();
}

void CViewDc::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void CViewDc::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

} // namespace orv
