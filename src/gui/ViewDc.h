// The display editor pane: turns keys, mouse, drops and context-menu requests
// into calls on the Qt-free editor and paints the scene it builds.
#pragma once

#include "gui/PrintView.h"
#include "workspace/DspEdit.h"
#include "workspace/DspFrameHost.h"

#include <QSize>
#include <QWidget>

#include <string>

class QLabel;
class QPainter;

namespace orv {

class CDspGeometry;
class CFon;
class CFrameCore;
struct DspScene;

// Paints the draw items with the panel font's glyphs (none without a font).
void PaintDspScene(QPainter& painter, const DspScene& scene, const CFon* font);

class CViewDc final : public QWidget, public IQtPrintView {
    Q_OBJECT
public:
    // Registers the editor with the core for the view's lifetime; the OVR
    // label (may be null) shows overwrite mode.
    CViewDc(CFrameCore& core, QLabel* ovrLabel, QWidget* parent = nullptr);
    ~CViewDc() override;

    CDspEdit& Edit() { return m_edit; }
    // Paints what the screen shows onto any painter of the given size, so a
    // print or its preview shows the same picture.
    void PaintTo(QPainter& painter, QSize size) const;
    // The print commands print the panel as the pane shows it.
    QSize PrintSize() const override { return size(); }
    void PaintPrint(QPainter& painter, const QSize& target) const override { PaintTo(painter, target); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    CDspGeometry Geometry() const;
    void ShowInsertMode();
    // One level-0 line for a device whose display cannot be laid out, not
    // one a paint.
    void ReportUnusableDevice(const DevRecord& dev) const;

    CFrameCore& m_core;
    QLabel* m_ovr;
    CDspFrameHost m_host;
    CDspEdit m_edit;
    // The device already told about; painting stays const for printing.
    mutable std::string m_reportedDevice;
};

} // namespace orv
