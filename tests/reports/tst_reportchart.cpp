#include "reports/reportchart.h"

#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QTest>

#include <climits>

// Every expected pixel below is worked out by hand from the chart's rules for
// the rectangle kRect, so the numbers are written as that arithmetic.
namespace {

const QRect kRect(30, 20, 700, 400);
const QSize kImage(800, 460);

// The plot of the balance chart: left + 40, top + 10, right - 10, bottom - 20
// of kRect less the 90 legend pixels (right = 30 + 700 - 90).
constexpr int kL = 30 + 40;            // 70
constexpr int kT = 20 + 10;            // 30
constexpr int kR = 30 + 700 - 90 - 10; // 630
constexpr int kB = 20 + 400 - 20;      // 400
// The profit-and-loss chart keeps kRect whole.
constexpr int kPlR = 30 + 700 - 10; // 720

// The default colours, Windows values with red in the low byte.
const QColor kBlue(0, 0, 255);       // 16711680 = 0xFF0000
const QColor kRed(255, 0, 0);        // 255
const QColor kGreen(0, 255, 0);      // 65280 = 0x00FF00
const QColor kGrey(212, 212, 212);   // 13948116 = 0xD4D4D4
const QColor kDarkBlue(0, 0, 128);   // 8388608 = 0x800000
const QColor kDarkRed(128, 0, 0);    // 128
const QColor kDarkGreen(0, 128, 0);  // 32768 = 0x008000
const QColor kYellow(255, 255, 153); // the value boxes of the scatter balance chart
const QColor kWhite(Qt::white);
const QColor kBlack(Qt::black);

enum Chart { Balance, ProfitLoss };

QImage render(const ReportChart &chart, Chart which, int kind, const QRect &rect = kRect)
{
    QImage image(kImage, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    if (which == Balance)
        chart.DrawBalance(painter, kind, rect);
    else
        chart.DrawProfitLoss(painter, kind, rect);
    return image;
}

QColor at(const QImage &image, int x, int y)
{
    return QColor(image.pixel(x, y));
}

// A chart of one series over `days` days from the given entries, default colours.
ReportChart chartOf(int days, const QList<ChartEntry> &entries, bool values = false)
{
    ReportChart chart;
    chart.SetSize(1, days);
    chart.SetData(entries, {}, {});
    chart.setPeriod(QDate(2026, 3, 1), QDate(2026, 3, 1).addDays(days - 1));
    chart.setShowValues(values);
    return chart;
}

// Three days ending below zero: balances 60, -40, -20.
//   max 60, min -40: range 60 + 40 + 1 = 101, unit 10 (101 / 9 = 11 > 10, 101 / 10 = 10);
//   columns min(3, 5) + 1 = 4, xStep (630 - 70) / 4 = 140 (3D: (620 - 70) / 4 = 137);
//   max - min >= 10: r = 10, R = 13, yStep (400 - 30) / 13 = 28;
//   zero line 400 - ((10 + 40 - 1) / 10 + 1) * 28 = 400 - 5 * 28 = 260;
//   heights 60 * 28 / 10 = 168, -40 * 28 / 10 = -112, -20 * 28 / 10 = -56.
const QList<ChartEntry> kMixed = {{0, 60}, {1, -100}, {2, 20}};
constexpr int kMixedZero = 400 - 5 * 28; // 260
constexpr int kMixedY0 = 260 - 168;      // 92
constexpr int kMixedY1 = 260 + 112;      // 372
constexpr int kMixedY2 = 260 + 56;       // 316

} // namespace

class TestReportChart : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void runningBalance()
    {
        ReportChart chart;
        chart.SetSize(1, 4);
        // Opening 100.75, then movements of days 0, 1, 2 and one past the period.
        chart.SetData({{0, 100.75}, {0, 20.9}, {1, -30.5}, {1, 0.0}, {2, 5.99}, {4, 7.0}}, {}, {});
        // Each amount loses its fraction: 100 + 20 = 120; 120 - 30 + 0 = 90; 90 + 5 = 95; day 3 keeps 95.
        QCOMPARE(chart.value(0, 0), 120);
        QCOMPARE(chart.value(0, 1), 90);
        QCOMPARE(chart.value(0, 2), 95);
        QCOMPARE(chart.value(0, 3), 95);
        QCOMPARE(chart.MaxValue(), 120);
        QCOMPARE(chart.MinValue(), 90);
        // Not the opening balance; every later entry, the one past the period too: 20 + 5 + 7 and -30 + 0.
        QCOMPARE(chart.income(), 32.0);
        QCOMPARE(chart.expense(), -30.0);
        QCOMPARE(chart.value(0, 4), 0);
        QCOMPARE(chart.value(1, 0), 0);
    }

    void everySeriesGetsTheMovements()
    {
        ReportChart chart;
        chart.SetSize(3, 2);
        chart.SetData({{0, -12.99}, {1, 40}}, {}, {});
        for (int s = 0; s < 3; ++s) {
            QCOMPARE(chart.value(s, 0), -12);
            QCOMPARE(chart.value(s, 1), 28);
        }
        QCOMPARE(chart.income(), 40.0);
        QCOMPARE(chart.expense(), 0.0);
    }

    void scale_data()
    {
        QTest::addColumn<int>("days");
        QTest::addColumn<QList<ChartEntry>>("entries");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("unit");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("xStep");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("yStep");
        QTest::addColumn<int>("zero");

        QTest::newRow("3 days, mixed") << 3 << kMixed << int(ReportChart::Bar2D) << 10 << 1 << 4 << 560 / 4 << 13
                                       << 370 / 13 << kMixedZero;
        QTest::newRow("3 days, mixed, 3D")
            << 3 << kMixed << int(ReportChart::Bar3D) << 10 << 1 << 4 << 550 / 4 << 13 << 370 / 13 << kMixedZero;
        // range 0 + 1 = 1: unit 1; r = max - min = 0, R = 3; the zero line is the plot bottom.
        QTest::newRow("all zero") << 3 << QList<ChartEntry>{{0, 0}} << int(ReportChart::Bar2D) << 1 << 1 << 4 << 140
                                  << 3 << 370 / 3 << kB;
        // -1, -5, -3: range -1 + 5 + 1 = 5, unit 1; r = 4, R = 7, yStep 370 / 7 = 52;
        // zero line up by (1 + 5 - 1) / 1 + 1 = 6 rows.
        QTest::newRow("all negative") << 3 << QList<ChartEntry>{{0, -1}, {1, -4}, {2, 2}} << int(ReportChart::Line) << 1
                                      << 1 << 4 << 140 << 7 << 52 << 400 - 6 * 52;
        // -30, -50, -40: range 21, unit 2 (21 / 2 = 10); r = 10, R = 13, yStep 28;
        // up by (2 + 50 - 1) / 2 + 1 = 26 rows, far above the plot.
        QTest::newRow("all negative, unit 2")
            << 3 << QList<ChartEntry>{{0, -30}, {1, -20}, {2, 10}} << int(ReportChart::Bar2D) << 2 << 1 << 4 << 140
            << 13 << 28 << 400 - 26 * 28;
        // n = 366: 366 / 61 = 6, 366 / 62 = 5; columns min(365, 5) + 1 = 6, xStep 560 / 6 = 93.
        // 10 all along: range 11, unit 2; r = max = 10, R = 13.
        QTest::newRow("365 days") << 365 << QList<ChartEntry>{{0, 10}} << int(ReportChart::Bar2D) << 2 << 62 << 6
                                  << 560 / 6 << 13 << 28 << kB;
        // n = 5: 5 / 2 = 2 <= 5, so step 2; six columns.
        QTest::newRow("4 days") << 4 << QList<ChartEntry>{{0, 3}} << int(ReportChart::Line) << 1 << 2 << 5 << 560 / 5
                                << 3 + 3 << 370 / 6 << kB;
        // One day: n = 2, step 1; columns 2; 5 alone: range 6, unit 1, r = 5, R = 8.
        QTest::newRow("1 day") << 1 << QList<ChartEntry>{{0, 5}} << int(ReportChart::Line) << 1 << 1 << 2 << 560 / 2
                               << 8 << 370 / 8 << kB;
        // 7 without movements: range 8, unit 1; r = max = 7, R = 10, yStep 37.
        QTest::newRow("flat at 7") << 3 << QList<ChartEntry>{{0, 7}} << int(ReportChart::Line) << 1 << 1 << 4 << 140
                                   << 10 << 37 << kB;
        // 250 without movements: range 251, unit 23 (251 / 22 = 11, 251 / 23 = 10); r = max would
        // be 250 rows of one pixel, held to 10: R = 13.
        QTest::newRow("flat at 250") << 3 << QList<ChartEntry>{{0, 250}} << int(ReportChart::Line) << 23 << 1 << 4
                                     << 140 << 13 << 28 << kB;
    }

    void scale()
    {
        QFETCH(int, days);
        QFETCH(QList<ChartEntry>, entries);
        QFETCH(int, kind);
        QFETCH(int, unit);
        QFETCH(int, step);
        QFETCH(int, columns);
        QFETCH(int, xStep);
        QFETCH(int, rows);
        QFETCH(int, yStep);
        QFETCH(int, zero);

        const ChartScale s = chartOf(days, entries).balanceScale(kind, kRect);
        const int depth = kind == ReportChart::Bar3D ? 10 : 0;
        QCOMPARE(s.unit, unit);
        QCOMPARE(s.step, step);
        QCOMPARE(s.columns, columns);
        QCOMPARE(s.xStep, xStep);
        QCOMPARE(s.rows, rows);
        QCOMPARE(s.yStep, yStep);
        QCOMPARE(s.depth, depth);
        QCOMPARE(s.originY, zero);
        QCOMPARE(s.plot.left(), kL);
        QCOMPARE(s.plot.top(), kT);
        QCOMPARE(s.plot.right(), kR - depth);
        QCOMPARE(s.plot.bottom(), kB);
        QCOMPARE(s.xAxisStart, QPoint(kL, zero));
        QCOMPARE(s.xAxisEnd, QPoint(kL + 10 + xStep * columns, zero));
        QCOMPARE(s.yAxisBottom, QPoint(kL, kB));
        QCOMPARE(s.yAxisTop, QPoint(kL, kB - yStep * rows));
    }

    // Positive bars in the positive face colour above the zero line, negative
    // ones in the negative colour from the zero line down, and the zero line
    // itself past the last bar.
    void bars2D()
    {
        const QImage image = render(chartOf(3, kMixed), Balance, ReportChart::Bar2D);
        // Bar d from 70 + 140 d to 70 + 140 (d + 1).
        QCOMPARE(at(image, 70, kMixedY0), kBlue);
        QCOMPARE(at(image, 209, kMixedY0), kBlue);
        QCOMPARE(at(image, 209, kMixedZero - 1), kBlue);
        QCOMPARE(at(image, 100, kMixedY0 - 1), kWhite);
        QCOMPARE(at(image, 210, kMixedY0), kWhite);

        QCOMPARE(at(image, 210, kMixedZero), kRed);
        QCOMPARE(at(image, 349, kMixedY1 - 1), kRed);
        QCOMPARE(at(image, 300, kMixedY1), kWhite);
        QCOMPARE(at(image, 300, kMixedZero - 1), kWhite);

        QCOMPARE(at(image, 350, kMixedY2 - 1), kRed);
        QCOMPARE(at(image, 489, kMixedZero), kRed);
        QCOMPARE(at(image, 400, kMixedY2), kWhite);
        QCOMPARE(at(image, 495, 300), kWhite);

        // The x axis runs on to 70 + 10 + 4 * 140 = 640.
        for (int x : {490, 560, 639})
            QCOMPARE(at(image, x, kMixedZero), kBlack);
        QCOMPARE(at(image, 645, kMixedZero), kWhite);
        QCOMPARE(at(image, 560, kMixedZero - 1), kWhite);
        QCOMPARE(at(image, 560, kMixedZero + 1), kWhite);
        // The y axis rises from 400 to 400 - 28 * 13 = 36, beside the bars' left edge.
        QCOMPARE(at(image, kL, 390), kBlack);
        QCOMPARE(at(image, kL, 37), kBlack);
        QCOMPARE(at(image, kL + 1, 390), kWhite);
    }

    void bars3D()
    {
        const QImage image = render(chartOf(3, kMixed), Balance, ReportChart::Bar3D);
        // xStep 137: bars [70, 207), [207, 344), [344, 481); depth 10.
        // Bar 0 rises to 92: its face, then the top face (70,92) (80,82) (217,82) (207,92) and the
        // side face (207,92) (217,82) (217,250) (207,260), both in the shade colour.
        QCOMPARE(at(image, 140, 170), kBlue);
        QCOMPARE(at(image, 140, 87), kDarkBlue);
        QCOMPARE(at(image, 212, 170), kDarkBlue);
        QCOMPARE(at(image, 140, 80), kWhite);
        QCOMPARE(at(image, 220, 170), kWhite);

        // Bar 1 hangs from 260 to 372: the face shifted up and right shows over the front
        // (rows 250 to 259 from x = 217), the bottom face (207,372) (217,362) (354,362) (344,372)
        // and the side face from x = 344 to 354 in the dark red shade.
        QCOMPARE(at(image, 280, 300), kRed);
        QCOMPARE(at(image, 280, 255), kRed);
        QCOMPARE(at(image, 280, 367), kDarkRed);
        QCOMPARE(at(image, 349, 340), kDarkRed);
        QCOMPARE(at(image, 280, 245), kWhite);
        QCOMPARE(at(image, 358, 340), kWhite);

        // Bar 2 hangs from 260 to 316: bottom face rows 306 to 316, side from x = 481 to 491.
        QCOMPARE(at(image, 400, 290), kRed);
        QCOMPARE(at(image, 400, 255), kRed);
        QCOMPARE(at(image, 400, 311), kDarkRed);
        QCOMPARE(at(image, 486, 290), kDarkRed);
        QCOMPARE(at(image, 495, 290), kWhite);

        // The x axis to 70 + 10 + 4 * 137 = 628.
        QCOMPARE(at(image, 500, kMixedZero), kBlack);
        QCOMPARE(at(image, 627, kMixedZero), kBlack);
        QCOMPARE(at(image, 635, kMixedZero), kWhite);
    }

    void scatter()
    {
        const QImage image = render(chartOf(3, kMixed), Balance, ReportChart::Scatter);
        // 5 x 5 squares from 1 pixel left and 2 above the point. Day 0 at (70, 92).
        QCOMPARE(at(image, 69, 90), kBlue);
        QCOMPARE(at(image, 73, 94), kBlue);
        QCOMPARE(at(image, 74, 92), kWhite);
        QCOMPARE(at(image, 71, 89), kWhite);
        QCOMPARE(at(image, 71, 95), kWhite);
        // Day 1 (x = 210) changes 60 to -40: a blue square at 92 and a red one at 372.
        QCOMPARE(at(image, 209, 90), kBlue);
        QCOMPARE(at(image, 213, 94), kBlue);
        QCOMPARE(at(image, 208, 92), kWhite);
        QCOMPARE(at(image, 214, 92), kWhite);
        QCOMPARE(at(image, 209, 370), kRed);
        QCOMPARE(at(image, 213, 374), kRed);
        QCOMPARE(at(image, 211, 369), kWhite);
        QCOMPARE(at(image, 211, 375), kWhite);
        // Day 2 (x = 350) changes -40 to -20: red squares at 372 and 316.
        QCOMPARE(at(image, 351, 372), kRed);
        QCOMPARE(at(image, 351, 316), kRed);
        QCOMPARE(at(image, 351, 344), kWhite);
        // No joining lines: the middle of day 0 to day 1.
        QCOMPARE(at(image, 140, 232), kWhite);
    }

    void scatterValueBoxes()
    {
        // Day 1's label of the previous value 60 lies above its point 92: its box ends 2 pixels
        // above it (90), starts 17 higher (73) and spans x = 212 to 228 at least; filled less a
        // pixel at top and bottom, rows 74 to 88. Its text is centred well left of x = 226.
        const QImage shown = render(chartOf(3, kMixed, true), Balance, ReportChart::Scatter);
        QCOMPARE(at(shown, 226, 75), kYellow);
        QCOMPARE(at(shown, 226, 88), kYellow);
        QCOMPARE(at(shown, 226, 89), kWhite);
        QCOMPARE(at(shown, 226, 73), kWhite);
        const QImage hidden = render(chartOf(3, kMixed, false), Balance, ReportChart::Scatter);
        QCOMPARE(at(hidden, 226, 81), kWhite);
        // Bars have labels without a box.
        const QImage bars = render(chartOf(3, kMixed, true), Balance, ReportChart::Bar2D);
        for (int y = 60; y < kMixedY0; ++y) {
            for (int x = 70; x < 210; ++x)
                QVERIFY2(at(bars, x, y) != kYellow, qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
        }
    }

    // The segment from (70, 92) to (210, 372) crosses the zero line 260 at
    // x = 70 + 140 * (260 - 92) / (372 - 92) = 154: blue before, red after.
    void lineZeroCrossing()
    {
        const QImage image = render(chartOf(3, kMixed), Balance, ReportChart::Line);
        // On the segment y = 92 + 2 (x - 70).
        QCOMPARE(at(image, 100, 152), kBlue);
        QCOMPARE(at(image, 150, 252), kBlue);
        QCOMPARE(at(image, 158, 268), kRed);
        QCOMPARE(at(image, 190, 332), kRed);
        // (210, 372) to (350, 316): y = 372 - (x - 210) * 56 / 140, all below the zero line.
        QCOMPARE(at(image, 280, 344), kRed);
        QCOMPARE(at(image, 345, 318), kRed);
        // Off the line.
        QCOMPARE(at(image, 100, 200), kWhite);
        QCOMPARE(at(image, 280, 330), kWhite);
    }

    void flatLine_data()
    {
        QTest::addColumn<int>("opening");
        QTest::addColumn<int>("y");
        // See "flat at 7" and "flat at 250" of scale(): 400 - 7 * 37 and 400 - 250 * 28 / 23.
        QTest::newRow("7") << 7 << 400 - 7 * 37;
        QTest::newRow("250") << 250 << 400 - 250 * 28 / 23;
        // -3: range 1, unit 1, r = 0, R = 3, yStep 123; the zero line 400 - ((1 + 3 - 1) / 1 + 1) * 123
        // lies above the image, the line 3 rows below it.
        QTest::newRow("-3") << -3 << 400 - ((1 + 3 - 1) / 1 + 1) * (370 / 3) + 3 * (370 / 3);
    }

    // No movements: a flat line at the opening balance from day 0 (x = 70) to day 2 (x = 350).
    void flatLine()
    {
        QFETCH(int, opening);
        QFETCH(int, y);
        const QImage image = render(chartOf(3, {{0, double(opening)}}), Balance, ReportChart::Line);
        const QColor colour = opening < 0 ? kRed : kBlue;
        for (int x : {72, 140, 300, 349})
            QCOMPARE(at(image, x, y), colour);
        QCOMPARE(at(image, 140, y - 3), kWhite);
        QCOMPARE(at(image, 140, y + 3), kWhite);
        QCOMPARE(at(image, 356, y), kWhite);
    }

    // All zero: unit 1, R = 3, every bar one pixel high on the zero line 400, in the
    // negative colour since none is above it.
    void allZeroBars()
    {
        const QImage image = render(chartOf(3, {{0, 0}}), Balance, ReportChart::Bar2D);
        for (int x : {70, 200, 350, 489})
            QCOMPARE(at(image, x, kB), kRed);
        QCOMPARE(at(image, 200, kB - 1), kWhite);
        QCOMPARE(at(image, 200, kB + 1), kWhite);
        QCOMPARE(at(image, 490, kB), kBlack);
        QCOMPARE(at(image, 639, kB), kBlack);
    }

    void allNegativeBars()
    {
        {
            // -1, -5, -3: zero line 400 - 6 * 52 = 88; bars hang to 88 + 52, 88 + 5 * 52, 88 + 3 * 52.
            const QImage image = render(chartOf(3, {{0, -1}, {1, -4}, {2, 2}}), Balance, ReportChart::Bar2D);
            QCOMPARE(at(image, 100, 88), kRed);
            QCOMPARE(at(image, 100, 139), kRed);
            QCOMPARE(at(image, 100, 140), kWhite);
            QCOMPARE(at(image, 100, 87), kWhite);
            QCOMPARE(at(image, 250, 347), kRed);
            QCOMPARE(at(image, 250, 348), kWhite);
            QCOMPARE(at(image, 400, 243), kRed);
            QCOMPARE(at(image, 400, 244), kWhite);
            QCOMPARE(at(image, 560, 88), kBlack);
            QCOMPARE(at(image, 560, 87), kWhite);
            QCOMPARE(at(image, 560, 89), kWhite);
            // The y axis still stands on the plot bottom.
            QCOMPARE(at(image, kL, 390), kBlack);
        }
        {
            // -30, -50, -40: zero line 400 - 26 * 28 = -328 above the image; the bars hang from
            // it to -328 + 30 * 28 / 2 = 92, -328 + 700 = 372 and -328 + 560 = 232.
            const QImage image = render(chartOf(3, {{0, -30}, {1, -20}, {2, 10}}), Balance, ReportChart::Bar2D);
            QCOMPARE(at(image, 100, 0), kRed);
            QCOMPARE(at(image, 100, 91), kRed);
            QCOMPARE(at(image, 100, 92), kWhite);
            QCOMPARE(at(image, 250, 371), kRed);
            QCOMPARE(at(image, 250, 372), kWhite);
            QCOMPARE(at(image, 400, 231), kRed);
            QCOMPARE(at(image, 400, 232), kWhite);
        }
    }

    // A year: step 62, xStep 93; bar d spans 70 + 93 d / 62 to 70 + 93 (d + 1) / 62. 10 all along
    // stands 10 * 28 / 2 = 140 high, from 260 to the zero line 400.
    void yearOfBars_data()
    {
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("lastLeft");
        QTest::addColumn<int>("lastRight");
        // 365 days: bar 364 from 70 + 33852 / 62 = 616 to 70 + 33945 / 62 = 617.
        QTest::newRow("365") << 365 << 70 + 93 * 364 / 62 << 70 + 93 * 365 / 62;
        // 366 days: n = 367, still step 62 (367 / 62 = 5); bar 365 from 617 to 70 + 34038 / 62 = 619.
        QTest::newRow("366") << 366 << 70 + 93 * 365 / 62 << 70 + 93 * 366 / 62;
    }

    void yearOfBars()
    {
        QFETCH(int, days);
        QFETCH(int, lastLeft);
        QFETCH(int, lastRight);
        const QImage image = render(chartOf(days, {{0, 10}}), Balance, ReportChart::Bar2D);
        QCOMPARE(at(image, 72, 260), kBlue);
        QCOMPARE(at(image, 72, 259), kWhite);
        QCOMPARE(at(image, lastLeft, 260), kBlue);
        QCOMPARE(at(image, lastRight - 1, 399), kBlue);
        QCOMPARE(at(image, lastRight, 300), kWhite);
        QCOMPARE(at(image, lastRight, kB), kBlack);
    }

    void tooLongPeriodIsClamped()
    {
        ReportChart chart;
        chart.SetSize(25, 500);
        QCOMPARE(chart.seriesCount(), ReportChart::kMaxSeries);
        QCOMPARE(chart.pointCount(), ReportChart::kMaxPoints);
        chart.SetSize(1, 500);
        chart.SetData({{0, 10}, {365, 5}, {400, 1000}, {-3, 1000}}, {}, {});
        QCOMPARE(chart.value(0, 364), 10);
        QCOMPARE(chart.value(0, 365), 15);
        QCOMPARE(chart.value(0, 366), 0);
        // Income counts every movement all the same.
        QCOMPARE(chart.income(), 2005.0);
        // 15 at the end: range 16, unit 2; r = max = 15 held to 10, R = 13, yStep 28; bar 365
        // from 617 to 619, 15 * 28 / 2 = 210 high.
        const QImage image = render(chart, Balance, ReportChart::Bar2D);
        QCOMPARE(at(image, 618, 400 - 210), kBlue);
        QCOMPARE(at(image, 618, 400 - 211), kWhite);
        QCOMPARE(at(image, 619, 300), kWhite);

        chart.SetSize(-1, -5);
        QCOMPARE(chart.seriesCount(), 0);
        QCOMPARE(chart.pointCount(), 0);
        QCOMPARE(chart.MaxValue(), 0);
        render(chart, Balance, ReportChart::Line);
        render(chart, ProfitLoss, ReportChart::Bar3D);
    }

    // Balances beyond int are held at its ends; the sums keep every unit.
    void hugeAmounts()
    {
        ReportChart chart;
        chart.SetSize(1, 3);
        chart.SetData({{0, 1e12}, {1, 1e12}, {2, -5e12}}, {}, {});
        QCOMPARE(chart.value(0, 0), INT_MAX);
        QCOMPARE(chart.value(0, 1), INT_MAX);
        QCOMPARE(chart.value(0, 2), INT_MIN);
        QCOMPARE(chart.income(), 1e12);
        QCOMPARE(chart.expense(), -5e12);
        // range 2147483647 + 2147483648 + 1 = 2^32, unit 2^32 / 11 + 1 = 390451573; r = 10, yStep 28;
        // zero line 400 - ((390451573 + 2147483648 - 1) / 390451573 + 1) * 28 = 400 - 7 * 28 = 204.
        const ChartScale s = chart.balanceScale(ReportChart::Bar2D, kRect);
        QCOMPARE(s.unit, 390451573);
        QCOMPARE(s.originY, 204);
        const QImage image = render(chart, Balance, ReportChart::Bar2D);
        // INT_MAX stands 2147483647 * 28 / 390451573 = 153 pixels high, INT_MIN hangs 153 low.
        QCOMPARE(at(image, 100, 204 - 153), kBlue);
        QCOMPARE(at(image, 100, 204 - 154), kWhite);
        QCOMPARE(at(image, 400, 204 + 153 - 1), kRed);
        QCOMPARE(at(image, 400, 204 + 153), kWhite);
        // Profit and loss: income and expense held at 2147483647, P / L 0.
        const QImage pl = render(chart, ProfitLoss, ReportChart::Bar2D);
        QCOMPARE(at(pl, kL + 130 + 65, 399), kGreen);
        QCOMPARE(at(pl, kL + 390 + 65, 400), kBlue);
    }

    void profitLoss_data()
    {
        QTest::addColumn<QList<ChartEntry>>("entries");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("xStep");
        QTest::addColumn<QList<int>>("tops");
        QTest::addColumn<QColor>("plColour");

        // Income 300 + 50 = 350, expense 120 + 80 = 200, P / L 150; the opening 1000 is no income.
        //   range 351, unit 32 (351 / 31 = 11, 351 / 32 = 10); r = 10, R = 13, yStep 28;
        //   c = 3, xStep (720 - 70) / (3 + 2) = 130; heights 350 * 28 / 32 = 306,
        //   200 * 28 / 32 = 175, 150 * 28 / 32 = 131.
        const QList<ChartEntry> profit = {{0, 1000}, {1, 300}, {1, -120}, {2, 50}, {2, -80}};
        QTest::newRow("profit") << profit << int(ReportChart::Bar2D) << 650 / 5
                                << QList<int>{400 - 306, 400 - 175, 400 - 131} << kBlue;
        // Income 100, expense 250, P / L -150, which rises too, in the Loss colour.
        //   max 250, min -150: range 401, unit 37 (401 / 36 = 11, 401 / 37 = 10);
        //   heights 100 * 28 / 37 = 75, 250 * 28 / 37 = 189, 150 * 28 / 37 = 113.
        const QList<ChartEntry> loss = {{0, 0}, {1, 100}, {2, -250}};
        QTest::newRow("loss") << loss << int(ReportChart::Bar2D) << 650 / 5
                              << QList<int>{400 - 75, 400 - 189, 400 - 113} << kGrey;
        // Nothing moved: unit 1, R = 3; bars one pixel high on the zero line, P / L 0 a profit.
        QTest::newRow("nothing") << QList<ChartEntry>{{0, 500}} << int(ReportChart::Bar2D) << 650 / 5
                                 << QList<int>{400, 400, 400} << kBlue;
        // 3D: the plot ends 10 further left, xStep (710 - 70) / 5 = 128.
        QTest::newRow("profit, 3D") << profit << int(ReportChart::Bar3D) << 640 / 5
                                    << QList<int>{400 - 306, 400 - 175, 400 - 131} << kBlue;
    }

    // Income, Expense and P / L side by side from one xStep right of the y axis, rising from
    // the plot bottom 400.
    void profitLoss()
    {
        QFETCH(QList<ChartEntry>, entries);
        QFETCH(int, kind);
        QFETCH(int, xStep);
        QFETCH(QList<int>, tops);
        QFETCH(QColor, plColour);

        const QImage image = render(chartOf(3, entries), ProfitLoss, kind);
        const QColor colours[] = {kGreen, kRed, plColour};
        for (int i = 0; i < 3; ++i) {
            const int left = kL + (i + 1) * xStep;
            const int bottom = tops[i] == kB ? kB : kB - 1;
            // A 3D bar's top row carries the edge of its top face.
            const int top = kind == ReportChart::Bar3D && tops[i] < kB ? tops[i] + 1 : tops[i];
            QCOMPARE(at(image, left + 1, top), colours[i]);
            QCOMPARE(at(image, left + xStep / 2, bottom), colours[i]);
            if (kind == ReportChart::Bar2D)
                QCOMPARE(at(image, left + 1, tops[i] - 1), kWhite);
        }
        QCOMPARE(at(image, kL + xStep / 2, 399), kWhite);
        // The x axis along the plot bottom to 70 + 10 + 4 * xStep; the y axis up to
        // 400 - (r + 2) * yStep + 10.
        QCOMPARE(at(image, kL + 4 * xStep + 5, kB), kBlack);
        QCOMPARE(at(image, kL + 4 * xStep + 15, kB), kWhite);
        QCOMPARE(at(image, kL, 300), kBlack);
    }

    void profitLoss3DFaces()
    {
        const QImage image =
            render(chartOf(3, {{0, 1000}, {1, 300}, {1, -120}, {2, 50}, {2, -80}}), ProfitLoss, ReportChart::Bar3D);
        // Income [198, 326) up to 94: top face rows 84 to 94, side face x 326 to 336, dark green.
        QCOMPARE(at(image, 260, 89), kDarkGreen);
        QCOMPARE(at(image, 331, 200), kDarkGreen);
        QCOMPARE(at(image, 260, 200), kGreen);
        QCOMPARE(at(image, 260, 82), kWhite);
        // P / L [454, 582) up to 269, in the Profit shade.
        QCOMPARE(at(image, 520, 264), kDarkBlue);
        QCOMPARE(at(image, 587, 330), kDarkBlue);
        QCOMPARE(at(image, 595, 330), kWhite);
    }

    // Scatter: only a 5 x 5 square centred on the middle of each bar's top.
    void profitLossScatter()
    {
        const QImage image =
            render(chartOf(3, {{0, 1000}, {1, 300}, {1, -120}, {2, 50}, {2, -80}}), ProfitLoss, ReportChart::Scatter);
        // Income [200, 330): middle 265, top 94.
        QCOMPARE(at(image, 263, 92), kGreen);
        QCOMPARE(at(image, 267, 96), kGreen);
        QCOMPARE(at(image, 262, 94), kWhite);
        QCOMPARE(at(image, 268, 94), kWhite);
        QCOMPARE(at(image, 265, 91), kWhite);
        QCOMPARE(at(image, 265, 97), kWhite);
        QCOMPARE(at(image, 265, 200), kWhite);
        // Expense [330, 460): 395, 225. P / L [460, 590): 525, 269.
        QCOMPARE(at(image, 395, 225), kRed);
        QCOMPARE(at(image, 395, 300), kWhite);
        QCOMPARE(at(image, 525, 269), kBlue);
        QCOMPARE(at(image, 525, 300), kWhite);
    }

    // Slots: s positive, nSeries + s negative, then Income, Expense, Profit, Loss.
    void longColourLists()
    {
        QList<quint32> face, shade;
        for (quint32 i = 0; i < 25; ++i) {
            face << (0x010101u * (i + 1));
            shade << (0x000100u * (i + 100));
        }
        ReportChart chart;
        chart.SetSize(8, 3);
        chart.SetData({{0, 0}, {1, 10}, {2, -25}}, face, shade);
        QCOMPARE(chart.faceColour(0), face[0]);
        QCOMPARE(chart.faceColour(19), face[19]);
        QCOMPARE(chart.shadeColour(19), shade[19]);
        QCOMPARE(chart.faceColour(20), 0u);
        // With 8 series Income is slot 16, Expense 17, Loss 19 (P / L is 10 - 25 = -15).
        const QImage image = render(chart, ProfitLoss, ReportChart::Bar2D);
        auto colour = [](quint32 v) { return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF); };
        QCOMPARE(at(image, kL + 130 + 65, 399), colour(face[16]));
        QCOMPARE(at(image, kL + 260 + 65, 399), colour(face[17]));
        QCOMPARE(at(image, kL + 390 + 65, 399), colour(face[19]));
    }

    void shortColourLists()
    {
        ReportChart chart;
        chart.SetSize(1, 3);
        // Red 0x11, green 0x22, blue 0x33 and so on.
        chart.SetData({{0, 5}, {1, 300}, {2, -120}}, {0x332211, 0x665544}, {0x998877});
        QCOMPARE(chart.faceColour(0), 0x332211u);
        QCOMPARE(chart.faceColour(1), 0x665544u);
        QCOMPARE(chart.faceColour(2), 65280u);
        QCOMPARE(chart.shadeColour(0), 0x998877u);
        QCOMPARE(chart.shadeColour(1), 128u);
        const QImage bars = render(chart, Balance, ReportChart::Bar2D);
        QCOMPARE(at(bars, 100, kB - 1), QColor(0x11, 0x22, 0x33));
        // A second list of one colour leaves the second slot as the first list set it.
        chart.SetData({{0, -5}}, {0xCCBBAA}, {});
        QCOMPARE(chart.faceColour(0), 0xCCBBAAu);
        QCOMPARE(chart.faceColour(1), 0x665544u);
        const QImage negative = render(chart, Balance, ReportChart::Bar2D);
        // -5 alone: unit 1, R = 3, yStep 123; the bar hangs from 400 - 6 * 123 = -338 to -338 + 5 * 123 = 277.
        QCOMPARE(at(negative, 100, 276), QColor(0x44, 0x55, 0x66));
        QCOMPARE(at(negative, 100, 277), kWhite);
        // The profit-and-loss chart keeps the default Income colour.
        chart.SetData({{0, 0}, {1, 50}}, {}, {});
        const QImage pl = render(chart, ProfitLoss, ReportChart::Bar2D);
        QCOMPARE(at(pl, kL + 130 + 65, 399), kGreen);
    }

    void defaultColours()
    {
        const ReportChart chart;
        const quint32 face[] = {16711680, 255, 65280, 255, 16711680, 13948116};
        const quint32 shade[] = {8388608, 128, 32768, 128, 8388608, 11184810};
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(chart.faceColour(i), face[i]);
            QCOMPARE(chart.shadeColour(i), shade[i]);
        }
    }

    // Too small for a pixel per column or per row: nothing is drawn, and nothing breaks.
    void tooSmall_data()
    {
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<int>("chart");
        // Balance: 60 - 90 - 10 - 40 < 0 pixels wide.
        QTest::newRow("narrow balance") << QRect(0, 0, 60, 300) << int(Balance);
        // Profit and loss: 54 - 10 - 40 = 4 pixels over 5 columns.
        QTest::newRow("narrow profit and loss") << QRect(0, 0, 54, 300) << int(ProfitLoss);
        // 32 - 30 = 2 pixels over 13 rows.
        QTest::newRow("flat balance") << QRect(0, 0, 700, 32) << int(Balance);
        QTest::newRow("flat profit and loss") << QRect(0, 0, 700, 32) << int(ProfitLoss);
        QTest::newRow("empty") << QRect() << int(Balance);
    }

    void tooSmall()
    {
        QFETCH(QRect, rect);
        QFETCH(int, chart);
        QImage white(kImage, QImage::Format_RGB32);
        white.fill(Qt::white);
        const ReportChart c = chartOf(3, kMixed, true);
        for (int kind = ReportChart::Line; kind <= ReportChart::Bar3D; ++kind)
            QCOMPARE(render(c, Chart(chart), kind, rect), white);
    }

    // A paint leaves the painter as it found it.
    void painterStateKept()
    {
        QImage image(kImage, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, true);
        QFont font(QStringLiteral("DejaVu Serif"));
        font.setPixelSize(31);
        painter.setFont(font);
        painter.setPen(QPen(Qt::green, 7));
        painter.setBrush(Qt::magenta);
        const ReportChart chart = chartOf(3, kMixed, true);
        chart.DrawBalance(painter, ReportChart::Bar3D, kRect);
        chart.DrawProfitLoss(painter, ReportChart::Bar3D, kRect);
        QVERIFY(painter.testRenderHint(QPainter::Antialiasing));
        QCOMPARE(painter.font(), font);
        QCOMPARE(painter.pen(), QPen(Qt::green, 7));
        QCOMPARE(painter.brush(), QBrush(Qt::magenta));
    }
};

QTEST_MAIN(TestReportChart)
#include "tst_reportchart.moc"
