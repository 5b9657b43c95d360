#include "reports/reportdata.h"
#include "store/chartcolours.h"
#include "storefixture.h"

#include <QImage>
#include <QPainter>
#include <QTest>
#include <QXmlStreamReader>

using namespace testutil;

namespace {

const QString A = QStringLiteral("2026010100000090");

QList<std::pair<int, double>> pairs(const QList<ChartEntry> &entries)
{
    QList<std::pair<int, double>> out;
    for (const ChartEntry &e : entries)
        out << std::pair{e.day, e.amount};
    return out;
}

// A file of `count` colours: the face ones 1, 2, 3 ..., then the shade ones 101, 102 ...
QByteArray colourFile(int count)
{
    QByteArray bytes;
    const auto put = [&](qint32 v) { bytes.append(reinterpret_cast<const char *>(&v), 4); };
    put(count);
    for (int i = 0; i < count / 2; ++i)
        put(0x000000FF + i); // reds
    for (int i = 0; i < count / 2; ++i)
        put(0x00FF0000 + i); // blues
    return bytes;
}

} // namespace

class TestReportData : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useUsEnglish(); }

    // What the dialog hands the chart: the opening balance, then the period's
    // movements by date (equal dates in table order), whole days and whole units.
    void gathering()
    {
        Book book;
        book.putTransaction(movement(recordKey(A, 1), at(2026, 11, 20), 100.75)); // before: opening
        book.putTransaction(movement(recordKey(A, 2), at(2026, 11, 30, 23, 0), -0.5));
        book.putTransaction(movement(recordKey(A, 3), at(2026, 12, 5, 18), -40.9));
        book.putTransaction(movement(recordKey(A, 4), at(2026, 12, 2, 9), 25.99));
        book.putTransaction(movement(recordKey(A, 5), at(2026, 12, 5, 18), 7));
        book.putTransaction(movement(recordKey(A, 6), at(2026, 12, 31, 23, 59, 58), 3));
        book.putTransaction(movement(recordKey(A, 7), at(2027, 1, 1), 1000)); // after: out
        const OleDateTime from = at(2026, 12, 1, 0, 0, 0), to = at(2026, 12, 31, 23, 59, 59);
        const std::optional<ReportData> data = gatherReportData(book.store, A, from, to);
        QVERIFY(data);
        QCOMPARE(data->days, 31);
        // Of the two on the 5th, the one first in table order comes first.
        RecordMap<TransactionRecord> order;
        for (int n : {3, 5}) {
            const QString key = recordKey(A, n);
            order.insert(key, TransactionRecord());
        }
        const bool threeFirst = order.begin().key() == recordKey(A, 3);
        const std::pair<int, double> three{4, -40.0}, five{4, 7.0};
        QCOMPARE(pairs(data->entries),
                 (QList<std::pair<int, double>>{
                     {0, 100.0}, {1, 25.0}, threeFirst ? three : five, threeFirst ? five : three, {30, 3.0}}));
        QCOMPARE(data->from, from);
        QCOMPARE(data->to, to);
    }

    void periods_data()
    {
        QTest::addColumn<int>("lastDay"); // days after the start
        QTest::addColumn<int>("days");    // 0: refused
        QTest::newRow("one day") << 0 << 1;
        QTest::newRow("three days") << 2 << 3;
        QTest::newRow("365 days") << 364 << 365;
        QTest::newRow("366 days") << 365 << 366;
        QTest::newRow("367 days") << 366 << 0;
        QTest::newRow("ten years") << 3652 << 0;
    }

    void periods()
    {
        QFETCH(int, lastDay);
        QFETCH(int, days);
        Book book;
        const OleDateTime from = at(2026, 1, 1, 0, 0, 0);
        const OleDateTime to = from.addDays(lastDay).atTime(23, 59, 59);
        QString problem;
        const std::optional<ReportData> data = gatherReportData(book.store, A, from, to, &problem);
        if (days == 0) {
            QVERIFY(!data);
            QCOMPARE(problem, QStringLiteral("A report covers at most 366 days; this period has %1.").arg(lastDay + 1));
            return;
        }
        QVERIFY(data);
        QCOMPARE(data->days, days);
        QCOMPARE(pairs(data->entries), (QList<std::pair<int, double>>{{0, 0.0}}));
    }

    // The colours come from the working directory's file, at most twenty of each
    // kind; without a readable file the defaults paint.
    void colours_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QRgb>("positive");
        QTest::newRow("no file") << QByteArray() << qRgb(0, 0, 255); // 16711680: blue
        QTest::newRow("the usual twelve") << colourFile(12) << qRgb(255, 0, 0);
        QTest::newRow("44 colours") << colourFile(44) << qRgb(255, 0, 0);
    }

    void colours()
    {
        QFETCH(QByteArray, file);
        QFETCH(QRgb, positive);
        QTemporaryDir dir;
        if (!file.isEmpty())
            QVERIFY(writeFile(dir.filePath("Graph.grp"), file));
        ReportData data;
        data.from = at(2026, 1, 1, 0, 0, 0);
        data.to = at(2026, 1, 3, 23, 59, 59);
        data.days = 3;
        data.entries = {{0, 500.0}};
        ReportChart chart;
        setUpChart(chart, data, dir.path(), false);
        QCOMPARE(chart.value(0, 2), 500);

        // A bar of the 2D chart, well inside its first day, in the positive face colour.
        QImage image(defaultReportSize(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        paintReport(painter, chart, false, ReportChart::Bar2D, image.rect());
        painter.end();
        QCOMPARE(image.pixel(2, 2), reportBackground().rgb());
        const ChartScale scale = chart.balanceScale(ReportChart::Bar2D, image.rect().adjusted(30, 15, -30, -10));
        QCOMPARE(QColor(image.pixel(scale.plot.left() + 3, scale.originY - 3)).rgb(), positive);
    }

    void profitAndLossHasNoLine()
    {
        QCOMPARE(reportKind(true, ReportChart::Line), int(ReportChart::Scatter));
        QCOMPARE(reportKind(false, ReportChart::Line), int(ReportChart::Line));
        QCOMPARE(reportKind(true, ReportChart::Bar3D), int(ReportChart::Bar3D));
    }

    // The pictures open: a PNG of the size asked for, an SVG that is XML.
    void pictures()
    {
        QTemporaryDir dir;
        ReportData data;
        data.from = at(2026, 1, 1, 0, 0, 0);
        data.to = at(2026, 1, 31, 23, 59, 59);
        data.days = 31;
        data.entries = {{0, 100.0}, {3, -250.0}, {9, 400.0}};
        ReportChart chart;
        setUpChart(chart, data, dir.path(), true);

        const QString png = dir.filePath("balance.png");
        saveReportImage(png, chart, false, ReportChart::Line, QSize(640, 480));
        const QImage image(png);
        QCOMPARE(image.size(), QSize(640, 480));

        const QString svg = dir.filePath("pl.SVG");
        saveReportImage(svg, chart, true, ReportChart::Bar3D, QSize(500, 400));
        QFile file(svg);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        int elements = 0;
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement)
                ++elements;
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QVERIFY(elements > 10);

        QVERIFY_THROWS_EXCEPTION(FileError,
                                 saveReportImage(dir.filePath("none/x.png"), chart, false, 0, QSize(10, 10)));
    }
};

QTEST_MAIN(TestReportData)
#include "tst_reportdata.moc"
