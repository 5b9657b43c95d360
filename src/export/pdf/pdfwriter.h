#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

// A minimal PDF 1.4 writer: US Letter pages, text in Helvetica, straight lines.
// Objects 1 to 4 are the catalog, the procedure set, the font F1 and the page
// tree; every page and content stream takes the next object number when it is
// made, so their numbers interleave in call order.
class PdfWriter
{
public:
    PdfWriter() = default;

    // Starts a page; later streams go onto it.
    void NewPage();
    // Text at (x, y) in size units of 12 points; each CR LF starts a new line.
    void AddText(const QString &text, int x, int y, int size);
    void AddLine(int x1, int y1, int x2, int y2, int width);
    // Text wrapped to 500 points, lines 2 * lineHeight apart, continued on new
    // pages below y 65. Parentheses become blanks.
    void AddParagraph(const QString &text, int x, int y, int size, int lineHeight);

    // The whole file.
    QByteArray document() const;

    // The output lines of one line of MacRoman text wrapped at an extent of 500
    // in Helvetica of the given height: each cut after the last blank that
    // fits, else after the last "-", else after the last character that fits.
    static QList<QByteArray> wrap(const QByteArray &line, int fontHeight);

private:
    void addTextBytes(const QByteArray &text, int x, int y, int size);
    void addStream(int number, const QByteArray &object);

    int m_nLastObj = 4;
    int m_nCurPage = 0;
    QMap<int, QByteArray> m_mapPages;
    QMap<int, QByteArray> m_mapStreams;
};
