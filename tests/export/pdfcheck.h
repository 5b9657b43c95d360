#pragma once

#include "exportfixture.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace testutil {

// Objects 1 to 3, as every document starts.
const QByteArray kFixedObjects = "%PDF-1.4\r\n"
                                 "1 0 obj<</Type /Catalog /Pages 4 0 R>>\n"
                                 "endobj\r"
                                 "2 0 obj\r\n"
                                 "[/PDF /Text]\r\n"
                                 "endobj\n"
                                 "3 0 obj\r\n"
                                 "<< /Type /Font /Subtype /Type1 /Name /F1 /BaseFont /Helvetica /Encoding "
                                 "/MacRomanEncoding>>endobj\r\n";

// Where the cross-reference table starts, as the trailer gives it.
inline qsizetype xrefOffset(const QByteArray &pdf)
{
    const qsizetype at = pdf.lastIndexOf("\r\nstartxref\r\n");
    return at < 0 ? -1 : pdf.mid(at + 13, pdf.indexOf("\r\n", at + 13) - at - 13).toLongLong();
}

// The object numbers in the order the body holds them.
inline QList<int> bodyOrder(const QByteArray &pdf)
{
    QList<int> numbers;
    const qsizetype end = xrefOffset(pdf);
    static const QRegularExpression object(QStringLiteral("(?:^|[\\r\\n])(\\d+) 0 obj"));
    auto it = object.globalMatch(QString::fromLatin1(pdf.left(end)));
    while (it.hasNext())
        numbers << it.next().captured(1).toInt();
    return numbers;
}

// Checks the cross-reference table: 20-byte entries whose offsets point at
// "n 0 obj", and the trailer's size.
inline void checkXref(const QByteArray &pdf, int objects)
{
    const qsizetype xref = xrefOffset(pdf);
    QVERIFY(xref > 0);
    QVERIFY(pdf.endsWith("\r\nstartxref\r\n" + QByteArray::number(xref) + "\r\n%%EOF\r\n"));
    const QByteArray head = "xref\r\n0 " + QByteArray::number(objects + 1) + "\r\n";
    QCOMPARE(pdf.mid(xref, head.size()), head);
    qsizetype entry = xref + head.size();
    QCOMPARE(pdf.mid(entry, 20), QByteArray("0000000000 65535 f\r\n"));
    for (int n = 1; n <= objects; ++n) {
        entry += 20;
        const QByteArray line = pdf.mid(entry, 20);
        QVERIFY2(line.endsWith(" 00000 n\r\n"), line.constData());
        const qsizetype offset = line.left(10).toLongLong();
        const QByteArray start = QByteArray::number(n) + " 0 obj";
        QCOMPARE(pdf.mid(offset, start.size()), start);
    }
    QCOMPARE(pdf.mid(entry + 20, 8), QByteArray("trailer\n"));
    QVERIFY(pdf.contains("<</Size " + QByteArray::number(objects + 1) + "/Root 1 0 R>>"));
}

// Every stream's /Length is the number of bytes between "stream" CR LF and
// CR LF "endstream".
inline void checkStreamLengths(const QByteArray &pdf)
{
    static const QRegularExpression length(QStringLiteral("<</Length (\\d+) ?>>stream\r\n"));
    const QString text = QString::fromLatin1(pdf);
    auto it = length.globalMatch(text);
    int streams = 0;
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const qsizetype end = m.capturedEnd() + m.captured(1).toLongLong();
        QCOMPARE(pdf.mid(end, 11), QByteArray("\r\nendstream"));
        ++streams;
    }
    QVERIFY(streams > 0);
}

// qpdf finds no fault and pdftotext reads the texts back; nothing when either fails.
inline std::optional<QString> checkedText(const QByteArray &pdf)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("check.pdf"));
    if (!testutil::writeFile(path, pdf))
        return std::nullopt;
    const ToolRun check = runTool(QStringLiteral("/usr/bin/qpdf"), {QStringLiteral("--check"), path});
    if (check.exitCode != 0) {
        qWarning("qpdf: %s %s", check.out.constData(), check.err.constData());
        return std::nullopt;
    }
    const ToolRun text = runTool(QStringLiteral("/usr/bin/pdftotext"), {path, QStringLiteral("-")});
    if (text.exitCode != 0)
        return std::nullopt;
    return QString::fromUtf8(text.out);
}

// The content of stream object n.
inline QByteArray streamContent(const QByteArray &pdf, int n)
{
    const QByteArray start = QByteArray::number(n) + " 0 obj<</Length ";
    qsizetype at = -1;
    do {
        at = pdf.indexOf(start, at + 1);
    } while (at > 0 && pdf[at - 1] != '\r' && pdf[at - 1] != '\n');
    if (at <= 0)
        return {};
    at = pdf.indexOf("stream\r\n", at) + 8;
    return pdf.mid(at, pdf.indexOf("\r\nendstream", at) - at);
}

// A text stream's content from its position on: "x y Tm \rT* (...) Tj \rET".
inline QByteArray shownText(const QByteArray &pdf, int n)
{
    const QByteArray content = streamContent(pdf, n);
    const qsizetype matrix = content.indexOf(" TL 12 0 0 12 ");
    return matrix < 0 ? QByteArray() : content.mid(matrix + 14);
}

} // namespace testutil
