#include "export/office/wordexport.h"

#include "export/office/officecontent.h"
#include "export/office/officeformats.h"
#include "export/office/zippackage.h"
#include "res/stringtable.h"
#include "store/fileio.h"
#include "store/formatters.h"

#include <QLocale>
#include <QXmlStreamWriter>

namespace {

const QString wordNamespace = QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main");

// Font sizes in half points.
constexpr int normalSize = 24;
constexpr int largerSize = normalSize + 4;

constexpr quint32 titleColour = 0x993333;
constexpr quint32 headingColour = 0x800000;
constexpr quint32 headingShading = 0xDCDCDC;
constexpr quint32 black = 0x000000;
constexpr quint32 red = 0x0000FF;

enum class Align { Left, Centre, Right };

struct Font
{
    bool bold = false;
    bool underline = false;
    quint32 colour = black; // a Windows colour value
    int size = normalSize;
};

struct Run
{
    QString text;
    Font font;
};

struct Paragraph
{
    Align align = Align::Left;
    Font mark; // the paragraph mark's font: the font when the paragraph ended
    QList<Run> runs;
};

struct Cell
{
    Paragraph paragraph;
    std::optional<quint32> shading;
};

// Lays out the document as typing at a word processor's cursor would: the
// font and alignment set before a text apply to it and to what follows, and
// "\r\n" ends a paragraph.
class Typist
{
public:
    Font font;
    Align align = Align::Left;

    void type(const QString &text)
    {
        const QStringList lines = text.split(QStringLiteral("\r\n"));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0)
                endParagraph();
            if (!lines[i].isEmpty())
                m_current.runs.append({lines[i], font});
        }
    }

    // A table of four columns in place of the (empty) paragraph at the cursor.
    void addTable(const OfficeContent &content);

    QByteArray documentXml();

private:
    void endParagraph()
    {
        m_current.align = align;
        m_current.mark = font;
        m_paragraphs.append(m_current);
        m_current = Paragraph();
    }
    Cell cell(const QString &text, Align cellAlign, quint32 colour) const
    {
        Cell c;
        c.paragraph.align = cellAlign;
        c.paragraph.mark = font;
        c.paragraph.mark.colour = colour;
        if (!text.isEmpty())
            c.paragraph.runs.append({text, c.paragraph.mark});
        return c;
    }

    QList<Paragraph> m_paragraphs; // before the table
    Paragraph m_current;
    QList<QList<Cell>> m_table;
};

void Typist::addTable(const OfficeContent &content)
{
    if (!m_current.runs.isEmpty())
        endParagraph();
    QList<Cell> heading;
    for (const QString &text : content.headings) {
        Cell c = cell(text, align, headingColour);
        c.shading = headingShading;
        heading.append(c);
    }
    m_table.append(heading);
    for (const OfficeRow &row : content.rows) {
        QList<Cell> cells;
        for (const OfficeCell &item : row) {
            QString text;
            switch (item.kind) {
            case OfficeCell::Kind::Text:
                text = item.text;
                break;
            case OfficeCell::Kind::Money:
                text = formatCurrency(moneyDigits(item.value));
                break;
            case OfficeCell::Kind::Date:
                text = formatDate(item.date);
                break;
            }
            cells.append(cell(text, item.isMoney() ? Align::Right : Align::Left, item.isNegativeMoney() ? red : black));
        }
        m_table.append(cells);
    }
}

QString hexColour(quint32 colorRef)
{
    return QStringLiteral("%1").arg(rgbFromColorRef(colorRef), 6, 16, QLatin1Char('0')).toUpper();
}

void writeValue(QXmlStreamWriter &w, const QString &element, const QString &value)
{
    w.writeStartElement(wordNamespace, element);
    w.writeAttribute(wordNamespace, QStringLiteral("val"), value);
    w.writeEndElement();
}

void writeFont(QXmlStreamWriter &w, const Font &font)
{
    w.writeStartElement(wordNamespace, QStringLiteral("rPr"));
    if (font.bold)
        w.writeEmptyElement(wordNamespace, QStringLiteral("b"));
    writeValue(w, QStringLiteral("color"), hexColour(font.colour));
    writeValue(w, QStringLiteral("sz"), QString::number(font.size));
    writeValue(w, QStringLiteral("szCs"), QString::number(font.size));
    if (font.underline)
        writeValue(w, QStringLiteral("u"), QStringLiteral("single"));
    w.writeEndElement();
}

bool allowedInXml(char16_t c)
{
    return c >= 0x20 ? c != 0xFFFE && c != 0xFFFF : c == u'\t' || c == u'\n' || c == u'\r';
}

// A text as w:t pieces; tabs and line ends become w:tab and w:br, characters
// XML cannot hold are left out.
void writeText(QXmlStreamWriter &w, const QString &text)
{
    QString piece;
    const auto flush = [&] {
        if (piece.isEmpty())
            return;
        w.writeStartElement(wordNamespace, QStringLiteral("t"));
        w.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
        w.writeCharacters(piece);
        w.writeEndElement();
        piece.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            piece += c;
            piece += text[++i];
        } else if (c.isSurrogate() || !allowedInXml(c.unicode())) {
            continue;
        } else if (c == u'\t') {
            flush();
            w.writeEmptyElement(wordNamespace, QStringLiteral("tab"));
        } else if (c == u'\n' || c == u'\r') {
            flush();
            w.writeEmptyElement(wordNamespace, QStringLiteral("br"));
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else {
            piece += c;
        }
    }
    flush();
}

void writeParagraph(QXmlStreamWriter &w, const Paragraph &p)
{
    w.writeStartElement(wordNamespace, QStringLiteral("p"));
    w.writeStartElement(wordNamespace, QStringLiteral("pPr"));
    writeValue(w, QStringLiteral("jc"),
               p.align == Align::Centre  ? QStringLiteral("center")
               : p.align == Align::Right ? QStringLiteral("right")
                                         : QStringLiteral("left"));
    writeFont(w, p.mark);
    w.writeEndElement();
    for (const Run &run : p.runs) {
        w.writeStartElement(wordNamespace, QStringLiteral("r"));
        writeFont(w, run.font);
        writeText(w, run.text);
        w.writeEndElement();
    }
    w.writeEndElement();
}

void writeWidth(QXmlStreamWriter &w, const QString &element, int twips)
{
    w.writeStartElement(wordNamespace, element);
    w.writeAttribute(wordNamespace, QStringLiteral("w"), QString::number(twips));
    w.writeAttribute(wordNamespace, QStringLiteral("type"), QStringLiteral("dxa"));
    w.writeEndElement();
}

struct Page
{
    int width;
    int height;
    int margin;
    int textWidth() const { return width - 2 * margin; }
};

// Letter where the locale measures in inches, else A4; margins of an inch.
Page pageOfLocale()
{
    if (QLocale().measurementSystem() == QLocale::ImperialUSSystem)
        return {12240, 15840, 1440};
    return {11906, 16838, 1440};
}

void writeTable(QXmlStreamWriter &w, const QList<QList<Cell>> &rows, int columnWidth)
{
    w.writeStartElement(wordNamespace, QStringLiteral("tbl"));
    w.writeStartElement(wordNamespace, QStringLiteral("tblPr"));
    writeWidth(w, QStringLiteral("tblW"), columnWidth * 4);
    w.writeStartElement(wordNamespace, QStringLiteral("tblBorders"));
    for (const char *side : {"top", "left", "bottom", "right", "insideH", "insideV"}) {
        w.writeStartElement(wordNamespace, QString::fromLatin1(side));
        w.writeAttribute(wordNamespace, QStringLiteral("val"), QStringLiteral("single"));
        w.writeAttribute(wordNamespace, QStringLiteral("sz"), QStringLiteral("4"));
        w.writeAttribute(wordNamespace, QStringLiteral("space"), QStringLiteral("0"));
        w.writeAttribute(wordNamespace, QStringLiteral("color"), QStringLiteral("auto"));
        w.writeEndElement();
    }
    w.writeEndElement();
    w.writeStartElement(wordNamespace, QStringLiteral("tblLayout"));
    w.writeAttribute(wordNamespace, QStringLiteral("type"), QStringLiteral("fixed"));
    w.writeEndElement();
    w.writeEndElement(); // tblPr
    w.writeStartElement(wordNamespace, QStringLiteral("tblGrid"));
    for (int i = 0; i < 4; ++i) {
        w.writeStartElement(wordNamespace, QStringLiteral("gridCol"));
        w.writeAttribute(wordNamespace, QStringLiteral("w"), QString::number(columnWidth));
        w.writeEndElement();
    }
    w.writeEndElement();
    for (const QList<Cell> &row : rows) {
        w.writeStartElement(wordNamespace, QStringLiteral("tr"));
        for (const Cell &cell : row) {
            w.writeStartElement(wordNamespace, QStringLiteral("tc"));
            w.writeStartElement(wordNamespace, QStringLiteral("tcPr"));
            writeWidth(w, QStringLiteral("tcW"), columnWidth);
            if (cell.shading) {
                w.writeStartElement(wordNamespace, QStringLiteral("shd"));
                w.writeAttribute(wordNamespace, QStringLiteral("val"), QStringLiteral("clear"));
                w.writeAttribute(wordNamespace, QStringLiteral("color"), QStringLiteral("auto"));
                w.writeAttribute(wordNamespace, QStringLiteral("fill"), hexColour(*cell.shading));
                w.writeEndElement();
            }
            w.writeEndElement(); // tcPr
            writeParagraph(w, cell.paragraph);
            w.writeEndElement(); // tc
        }
        w.writeEndElement(); // tr
    }
    w.writeEndElement(); // tbl
}

QByteArray Typist::documentXml()
{
    const Page page = pageOfLocale();
    QByteArray xml;
    QXmlStreamWriter w(&xml);
    w.writeStartDocument(QStringLiteral("1.0"), true);
    w.writeNamespace(wordNamespace, QStringLiteral("w"));
    w.writeStartElement(wordNamespace, QStringLiteral("document"));
    w.writeStartElement(wordNamespace, QStringLiteral("body"));
    for (const Paragraph &p : std::as_const(m_paragraphs))
        writeParagraph(w, p);
    if (!m_table.isEmpty())
        writeTable(w, m_table, page.textWidth() / 4);
    // A document ends with a paragraph, after the table too.
    writeParagraph(w, Paragraph());
    w.writeStartElement(wordNamespace, QStringLiteral("sectPr"));
    w.writeStartElement(wordNamespace, QStringLiteral("pgSz"));
    w.writeAttribute(wordNamespace, QStringLiteral("w"), QString::number(page.width));
    w.writeAttribute(wordNamespace, QStringLiteral("h"), QString::number(page.height));
    w.writeEndElement();
    w.writeStartElement(wordNamespace, QStringLiteral("pgMar"));
    for (const char *side : {"top", "right", "bottom", "left"})
        w.writeAttribute(wordNamespace, QString::fromLatin1(side), QString::number(page.margin));
    for (const char *side : {"header", "footer"})
        w.writeAttribute(wordNamespace, QString::fromLatin1(side), QStringLiteral("720"));
    w.writeAttribute(wordNamespace, QStringLiteral("gutter"), QStringLiteral("0"));
    w.writeEndElement();
    w.writeEndElement(); // sectPr
    w.writeEndElement(); // body
    w.writeEndElement(); // document
    w.writeEndDocument();
    return xml;
}

QByteArray stylesXml()
{
    const QString language = QLocale().name().replace(u'_', u'-');
    return QStringLiteral(
               R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<w:styles xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main">
<w:docDefaults><w:rPrDefault><w:rPr><w:rFonts w:ascii="Times New Roman" w:hAnsi="Times New Roman" w:eastAsia="Times New Roman" w:cs="Times New Roman"/><w:sz w:val="%1"/><w:szCs w:val="%1"/><w:lang w:val="%2"/></w:rPr></w:rPrDefault><w:pPrDefault/></w:docDefaults>
<w:style w:type="paragraph" w:default="1" w:styleId="Normal"><w:name w:val="Normal"/><w:qFormat/></w:style>
<w:style w:type="table" w:default="1" w:styleId="TableNormal"><w:name w:val="Normal Table"/><w:uiPriority w:val="99"/><w:semiHidden/><w:unhideWhenUsed/><w:tblPr><w:tblInd w:w="0" w:type="dxa"/><w:tblCellMar><w:top w:w="0" w:type="dxa"/><w:left w:w="108" w:type="dxa"/><w:bottom w:w="0" w:type="dxa"/><w:right w:w="108" w:type="dxa"/></w:tblCellMar></w:tblPr></w:style>
</w:styles>
)")
        .arg(normalSize)
        .arg(language.toHtmlEscaped())
        .toUtf8();
}

const char contentTypesXml[] = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"><Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/><Default Extension="xml" ContentType="application/xml"/><Override PartName="/word/document.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/><Override PartName="/word/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml"/></Types>
)";

const char packageRelsXml[] = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/document.xml"/></Relationships>
)";

const char documentRelsXml[] = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/></Relationships>
)";

QByteArray documentOf(const OfficeContent &content)
{
    Typist typist;
    typist.font = {true, true, titleColour, largerSize};
    typist.align = Align::Centre;
    typist.type(content.title + QStringLiteral("\r\n"));

    typist.font.colour = black;
    typist.type(content.subtitle.kind == OfficeCell::Kind::Date ? formatDate(content.subtitle.date)
                                                                : content.subtitle.text);
    typist.type(QStringLiteral("\r\n\r\n"));

    if (content.view == ExportView::Transactions) {
        typist.type(QStringLiteral("Account No:   ") + content.accountTitle + QStringLiteral("\r\n\r\n"));
        typist.type(content.openingText + QStringLiteral("    ")
                    + formatCurrency(QString::asprintf("%10.2f", content.openingBalance)) + QStringLiteral("\r\n"));
    }

    // Bold stays on: only underline, size and colour are put back.
    typist.font.underline = false;
    typist.font.size = normalSize;
    typist.font.colour = black;
    typist.addTable(content);
    return typist.documentXml();
}

} // namespace

bool CWordExport::write(const QString &path, const ExportSource &source)
{
    const std::optional<OfficeContent> content = officeContent(source);
    if (!content)
        return false;
    ZipPackage package;
    package.add(QStringLiteral("[Content_Types].xml"), QByteArray(contentTypesXml));
    package.add(QStringLiteral("_rels/.rels"), QByteArray(packageRelsXml));
    package.add(QStringLiteral("word/document.xml"), documentOf(*content));
    package.add(QStringLiteral("word/_rels/document.xml.rels"), QByteArray(documentRelsXml));
    package.add(QStringLiteral("word/styles.xml"), stylesXml());
    const std::optional<QByteArray> bytes = package.bytes();
    if (!bytes)
        throw FileError(path, package.errorString());
    writeExportFile(path, *bytes);
    return true;
}

QString CWordExport::failureText()
{
    return LoadText(IDS_WORD_EXPORT_FAILED);
}
