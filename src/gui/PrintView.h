// What a view gives the frame's print commands: its picture, painted to a
// size the page decides.
#pragma once

#include "workspace/FrameViews.h"

#include <QSize>

class QPainter;
class QPrinter;

namespace orv {

class IQtPrintView : public IViewPrint {
public:
    bool CanPrint() const override { return true; }
    // The picture's own size; the page keeps its proportions.
    virtual QSize PrintSize() const = 0;
    // Paints the picture into (0, 0, target) of the painter.
    virtual void PaintPrint(QPainter& painter, const QSize& target) const = 0;
};

// The largest size of the picture's proportions that fits the page.
QSize PrintTargetSize(const QSize& picture, const QSize& page);
// Prints the view's picture on one page of the printer, scaled to its
// printable area; false when the printer could not start.
bool PrintViewOnPage(const IQtPrintView& view, QPrinter& printer);

} // namespace orv
