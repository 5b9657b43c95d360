#include "export/pdf/pdfwriter.h"

#include "export/pdf/pdffont.h"

#include <algorithm>

namespace {

constexpr char kPlaceholder[] = "%%123Page_Contents321%%";
constexpr int kCatalog = 1;
constexpr int kProcSet = 2;
constexpr int kFont = 3;
constexpr int kPageTree = 4;
constexpr int kWrapExtent = 500;

// printf into bytes; every format here is ASCII.
template <typename... Args>
QByteArray formatted(const char *format, Args... args)
{
    return QString::asprintf(format, args...).toLatin1();
}

// A literal string's bytes: "(", ")" and "\" escaped so that no text can end
// the string early.
QByteArray escaped(const QByteArray &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (const char c : text) {
        if (c == '(' || c == ')' || c == '\\')
            out += '\\';
        out += c;
    }
    return out;
}

QList<QByteArray> splitLines(const QByteArray &text)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (;;) {
        const qsizetype end = text.indexOf("\r\n", start);
        if (end < 0)
            break;
        lines.append(text.mid(start, end - start));
        start = end + 2;
    }
    lines.append(text.mid(start));
    return lines;
}

// How many leading bytes fit into the wrap extent.
qsizetype fittingLength(QByteArrayView line, int fontHeight)
{
    const qint64 limit = qint64(kWrapExtent) * 1000;
    qint64 extent = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        extent += qint64(helveticaWidth(static_cast<unsigned char>(line[i]))) * fontHeight;
        if (extent > limit)
            return i;
    }
    return line.size();
}

// The order in which the writer's hash maps of 17 buckets walk their objects:
// bucket (number / 16) mod 17 ascending, the newest (larger) number first within one.
QList<int> mapOrder(QList<int> numbers)
{
    std::sort(numbers.begin(), numbers.end(), [](int a, int b) {
        const int bucketA = (a / 16) % 17;
        const int bucketB = (b / 16) % 17;
        return bucketA != bucketB ? bucketA < bucketB : a > b;
    });
    return numbers;
}

} // namespace

void PdfWriter::NewPage()
{
    m_nCurPage = ++m_nLastObj;
    m_mapPages.insert(m_nCurPage, QByteArray::number(m_nCurPage) + " 0 obj<</Type /Page /Parent "
                                      + QByteArray::number(kPageTree) + " 0 R /MediaBox[0 0 612 792] /Contents ["
                                      + kPlaceholder + "] /Resources<</ProcSet " + QByteArray::number(kProcSet)
                                      + " 0 R\r\n/Font << /F1 " + QByteArray::number(kFont) + " 0 R>>>>>>\nendobj\n");
}

void PdfWriter::AddText(const QString &text, int x, int y, int size)
{
    addTextBytes(encodeMacRoman(text), x, y, size);
}

void PdfWriter::addTextBytes(const QByteArray &text, int x, int y, int size)
{
    QByteArray shown;
    const QList<QByteArray> lines = splitLines(text);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            shown += ")Tj T*(";
        shown += escaped(lines[i]);
    }
    const int number = ++m_nLastObj;
    const QByteArray content = "0 g\r1 i \rBT\r/F1 " + QByteArray::number(size)
                               + " Tf\r0 Tc 0 Tw 0  Ts 100  Tz 0 Tr 1.2 TL 12 0 0 12 " + QByteArray::number(x) + ' '
                               + QByteArray::number(y) + " Tm \rT* (" + shown + ") Tj \rET";
    addStream(number, QByteArray::number(number) + " 0 obj<</Length " + QByteArray::number(content.size())
                          + ">>stream\r\n" + content + "\r\nendstream\rendobj\n");
}

void PdfWriter::AddLine(int x1, int y1, int x2, int y2, int width)
{
    const int number = ++m_nLastObj;
    const QByteArray content = QByteArray::number(width) + " w\r\n" + QByteArray::number(x1) + ' '
                               + QByteArray::number(y1) + " m\r\n" + QByteArray::number(x2) + ' '
                               + QByteArray::number(y2) + " l\r\nS";
    addStream(number, QByteArray::number(number) + " 0 obj<</Length " + QByteArray::number(content.size())
                          + " >>stream\r\n" + content + "\r\nendstream\rendobj\n");
}

void PdfWriter::addStream(int number, const QByteArray &object)
{
    m_mapStreams.insert(number, object);
    if (m_nCurPage == 0)
        return;
    QByteArray &page = m_mapPages[m_nCurPage];
    page.replace(kPlaceholder, QByteArray::number(number) + " 0 R " + kPlaceholder);
}

QList<QByteArray> PdfWriter::wrap(const QByteArray &line, int fontHeight)
{
    QList<QByteArray> out;
    QByteArrayView rest(line);
    for (;;) {
        const qsizetype fit = fittingLength(rest, fontHeight);
        if (fit >= rest.size()) {
            out.append(rest.toByteArray());
            return out;
        }
        const QByteArrayView prefix = rest.first(fit);
        qsizetype cut = prefix.lastIndexOf(' ');
        if (cut < 0)
            cut = prefix.lastIndexOf('-');
        cut = cut < 0 ? std::max<qsizetype>(fit, 1) : cut + 1;
        out.append(rest.first(cut).toByteArray());
        rest = rest.sliced(cut);
    }
}

void PdfWriter::AddParagraph(const QString &text, int x, int y, int size, int lineHeight)
{
    QByteArray bytes = encodeMacRoman(text);
    bytes.replace('(', ' ').replace(')', ' ');
    const int fontHeight = lineHeight * 9 / 5;
    const int step = 2 * lineHeight;
    int blockY = y;
    QByteArray gathered;
    for (const QByteArray &line : splitLines(bytes)) {
        for (const QByteArray &outputLine : wrap(line, fontHeight)) {
            y -= step;
            if (y < 65) {
                addTextBytes(gathered, x, blockY, size);
                gathered.clear();
                NewPage();
                y = blockY = 750;
            }
            gathered += outputLine + "\r\n";
        }
    }
    if (!gathered.isEmpty())
        addTextBytes(gathered, x, blockY, size);
}

QByteArray PdfWriter::document() const
{
    qsizetype size = 512 + qsizetype(m_nLastObj + 1) * 30;
    for (const QByteArray &object : m_mapPages)
        size += object.size();
    for (const QByteArray &object : m_mapStreams)
        size += object.size();
    QByteArray out;
    out.reserve(size);
    QList<qsizetype> offsets(m_nLastObj, 0);
    out += "%PDF-1.4\r\n";
    offsets[kCatalog - 1] = out.size();
    out += formatted("%d 0 obj<</Type /Catalog /Pages %d 0 R>>\nendobj\r", kCatalog, kPageTree);
    offsets[kProcSet - 1] = out.size();
    out += formatted("%d 0 obj\r\n[/PDF /Text]\r\nendobj\n", kProcSet);
    offsets[kFont - 1] = out.size();
    out += formatted("%d 0 obj\r\n<< /Type /Font /Subtype /Type1 /Name /F1 /BaseFont /Helvetica "
                     "/Encoding /MacRomanEncoding>>endobj\r\n",
                     kFont);
    offsets[kPageTree - 1] = out.size();
    out += formatted("%d 0 obj<</Type /Pages /Kids [", kPageTree);
    for (auto it = m_mapPages.keyBegin(); it != m_mapPages.keyEnd(); ++it)
        out += QByteArray::number(*it) + " 0 R ";
    out += "] /Count " + QByteArray::number(m_mapPages.size()) + ">>\nendobj\r";

    for (const int number : mapOrder(m_mapPages.keys())) {
        offsets[number - 1] = out.size();
        const QByteArray &page = m_mapPages.value(number);
        const qsizetype placeholder = page.indexOf(kPlaceholder);
        out += QByteArrayView(page).first(placeholder);
        out += QByteArrayView(page).sliced(placeholder + qsizetype(sizeof kPlaceholder) - 1);
    }
    for (const int number : mapOrder(m_mapStreams.keys())) {
        offsets[number - 1] = out.size();
        out += m_mapStreams.value(number);
    }

    const qsizetype xref = out.size();
    out += "xref\r\n0 " + QByteArray::number(m_nLastObj + 1) + "\r\n0000000000 65535 f\r\n";
    for (const qsizetype offset : offsets)
        out += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n\r\n";
    out += "trailer\n<</Size " + QByteArray::number(m_nLastObj + 1) + "/Root " + QByteArray::number(kCatalog)
           + " 0 R>>\r\nstartxref\r\n" + QByteArray::number(xref) + "\r\n%%EOF\r\n";
    return out;
}
