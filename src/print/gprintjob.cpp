#include "print/gprintjob.h"

#include <QPainter>
#include <QPrinter>

GPrintJob::Result GPrintJob::Print(QPrinter &printer)
{
    if (!m_title.isEmpty())
        printer.setDocName(m_title);
    QPainter painter;
    if (!painter.begin(&printer))
        return NoDevice;
    const QRect device = printer.pageLayout().paintRectPixels(printer.resolution());
    m_pageRect = QRect(0, 0, device.width(), device.height()).adjusted(5, 5, -5, -5);
    printPages(painter, printer);
    painter.end();
    printer.setCopyCount(1);
    return Printed;
}
