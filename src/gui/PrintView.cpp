// Puts a view's picture on one printed page.
#include "gui/PrintView.h"

#include <QPainter>
#include <QPrinter>

namespace orv {

QSize PrintTargetSize(const QSize& picture, const QSize& page)
{
    if (picture.isEmpty() || page.isEmpty())
        return {};
    return picture.scaled(page, Qt::KeepAspectRatio);
}

bool PrintViewOnPage(const IQtPrintView& view, QPrinter& printer)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QSize target = PrintTargetSize(view.PrintSize(), page.size());
    if (!target.isEmpty()) {
        // Painted relative to the printable area's corner.
        painter.save();
        painter.setClipRect(QRect(QPoint(0, 0), target));
        view.PaintPrint(painter, target);
        painter.restore();
    }
    return painter.end();
}

} // namespace orv
