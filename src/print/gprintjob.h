#pragma once

#include <QRect>
#include <QString>

class QPainter;
class QPrinter;

// One print run on a printer the user has chosen: the page rectangle, the
// document and its pages.
class GPrintJob
{
public:
    enum Result { Printed = 0, Cancelled = 1, NoDevice = 2, FileCancelled = 3 };

    explicit GPrintJob(const QString &title) : m_title(title) {}
    virtual ~GPrintJob() = default;

    // Prints every page on the printer. NoDevice when the document cannot start.
    Result Print(QPrinter &printer);

    const QString &title() const { return m_title; }
    // The printable page less a margin of 5 device units on every side.
    QRect pageRect() const { return m_pageRect; }

protected:
    virtual void printPages(QPainter &painter, QPrinter &printer) = 0;

private:
    QString m_title;
    QRect m_pageRect;
};
