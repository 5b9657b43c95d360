#include "colorref.h"
#include "gradientheaderctrl.h"
#include "guidrawlayer.h"
#include "guitestutil.h"

#include <QPainter>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>

using namespace testutil;

namespace {

// A table of three 100-pixel columns with a 24-pixel gradient header.
struct Table
{
    QStandardItemModel model{2, 3};
    QTableView view;
    CGradientHeaderCtrl *header = new CGradientHeaderCtrl;

    explicit Table(const QStringList &titles = {"Date", "", "Amount"})
    {
        model.setHorizontalHeaderLabels(titles);
        view.setHorizontalHeader(header);
        view.setModel(&model);
        view.verticalHeader()->hide();
        header->setMinimumSectionSize(10);
        for (int i = 0; i < 3; ++i)
            header->resizeSection(i, 100);
        header->setFixedHeight(24);
        view.resize(360, 200);
        view.show();
    }

    QImage image() { return render(header->viewport()); }
};

} // namespace

class TestGradientHeaderCtrl : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void gradientPairs_data()
    {
        QTest::addColumn<quint32>("base");
        QTest::addColumn<QColor>("start");
        QTest::addColumn<QColor>("end");
        QTest::newRow("XP blue") << quint32(0xF3C9AD) << QColor(222, 234, 253) << QColor(141, 178, 223);
        QTest::newRow("XP olive") << quint32(0xB9DEDC) << QColor(243, 251, 221) << QColor(179, 194, 138);
        QTest::newRow("XP silver") << quint32(0xF1E3E7) << QColor(248, 248, 250) << QColor(165, 160, 184);
        QTest::newRow("classic grey") << quint32(0xC8D0D4) << QColor(182, 178, 170) << QColor(212, 208, 200);
        QTest::newRow("dark") << quint32(0x280A14) << QColor(0, 0, 10) << QColor(20, 10, 40);
    }

    void gradientPairs()
    {
        QFETCH(quint32, base);
        QFETCH(QColor, start);
        QFETCH(QColor, end);
        const auto [top, bottom] = CGradientHeaderCtrl::gradientColours(fromColorRef(base));
        QCOMPARE(top, start);
        QCOMPARE(bottom, end);
    }

    // Row 0 is band 0 (the start colour), the last row band 255; each band
    // moves (end - start) * band / 256, cut toward zero.
    void paintedGradient_data()
    {
        QTest::addColumn<quint32>("base");
        QTest::addColumn<QColor>("top");
        QTest::addColumn<QColor>("middle");
        QTest::addColumn<QColor>("bottom");
        // Row 12 of 24 is band 12 * 255 / 23 = 133.
        QTest::newRow("XP blue") << quint32(0xF3C9AD) << QColor(222, 234, 253) << QColor(180, 205, 238)
                                 << QColor(142, 179, 224);
        QTest::newRow("XP olive") << quint32(0xB9DEDC) << QColor(243, 251, 221) << QColor(210, 222, 178)
                                  << QColor(180, 195, 139);
        QTest::newRow("XP silver") << quint32(0xF1E3E7) << QColor(248, 248, 250) << QColor(205, 203, 216)
                                   << QColor(166, 161, 185);
        QTest::newRow("other: 30 darker at the top") << quint32(0xC89664) << QColor(70, 120, 170)
                                                     << QColor(85, 135, 185) << QColor(99, 149, 199);
    }

    void paintedGradient()
    {
        QFETCH(quint32, base);
        QFETCH(QColor, top);
        QFETCH(QColor, middle);
        QFETCH(QColor, bottom);
        Table table;
        QVERIFY(QTest::qWaitForWindowExposed(&table.view));
        table.header->setBaseColour(fromColorRef(base));
        const QImage image = table.image();
        QCOMPARE(image.height(), 24);
        for (int x : {0, 10, 150, 250}) {
            QCOMPARE(pixel(image, x, 0), top);
            QCOMPARE(pixel(image, x, 23), bottom);
        }
        QCOMPARE(pixel(image, 10, 12), middle);
        QCOMPARE(pixel(image, 110, 12), middle);
    }

    void followsTheFaceColour()
    {
        CGradientHeaderCtrl header;
        QCOMPARE(header.baseColour(), GuiDrawLayer::GetRGBColorFace());
        QCOMPARE(CGradientHeaderCtrl::bandOfRow(0, 24), 0);
        QCOMPARE(CGradientHeaderCtrl::bandOfRow(23, 24), 255);
        QCOMPARE(CGradientHeaderCtrl::bandOfRow(0, 1), 0);
    }

    void separators()
    {
        Table table;
        QVERIFY(QTest::qWaitForWindowExposed(&table.view));
        const QImage image = table.image();
        for (int right : {99, 199, 299}) {
            QCOMPARE(pixel(image, right - 1, 12), GuiDrawLayer::GetRGBColorShadow());
            QCOMPARE(pixel(image, right, 12), GuiDrawLayer::GetRGBColorTabs());
        }
        // Not over the whole height.
        const auto [top, bottom] = CGradientHeaderCtrl::gradientColours(table.header->baseColour());
        QCOMPARE(pixel(image, 98, 0), top);
    }

    // Titles sit right of a 20-pixel margin and never reach past their column.
    void titlesStayInTheirRoom()
    {
        Table table({QStringLiteral("A much longer title than the column holds"), QString(), QStringLiteral("Amount")});
        QVERIFY(QTest::qWaitForWindowExposed(&table.view));
        const QString shown = table.header->displayedTitle(0);
        QVERIFY2(shown.endsWith(QChar(0x2026)), qPrintable(shown));
        QVERIFY(shown.size() < 20);
        QVERIFY(QFontMetrics(table.header->titleFont()).horizontalAdvance(shown) <= 80);
        QCOMPARE(table.header->displayedTitle(2), QStringLiteral("Amount"));

        const QImage image = table.image();
        const auto [start, end] = CGradientHeaderCtrl::gradientColours(table.header->baseColour());
        const auto plain = [&](int x, int y) {
            return pixel(image, x, y) == CGradientHeaderCtrl::bandColour(start, end, CGradientHeaderCtrl::bandOfRow(y, 24));
        };
        int ink = 0;
        for (int y = 0; y < 24; ++y) {
            for (int x = 0; x < 20; ++x)
                QVERIFY2(plain(x, y), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            for (int x = 100; x < 197; ++x)
                QVERIFY2(plain(x, y), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            for (int x = 20; x < 97; ++x)
                ink += plain(x, y) ? 0 : 1;
        }
        QVERIFY(ink > 50);

        // What is painted is the shortened title with its ellipsis.
        Table shortened({shown, QString(), QStringLiteral("Amount")});
        QVERIFY(QTest::qWaitForWindowExposed(&shortened.view));
        QCOMPARE(shortened.image(), image);
    }

    void titleFont()
    {
        CGradientHeaderCtrl header;
        QCOMPARE(header.titleFont().pixelSize(), 13);
        QVERIFY(header.titleFont().bold());
        QCOMPARE(header.titleFont().families().value(0), QStringLiteral("Tahoma"));
    }

    void pictures()
    {
        Table table;
        QVERIFY(QTest::qWaitForWindowExposed(&table.view));
        QPixmap strip(48, 16);
        strip.fill(Qt::white);
        {
            QPainter p(&strip);
            p.fillRect(0, 0, 16, 16, Qt::red);
            p.fillRect(20, 4, 8, 8, Qt::blue);
        }
        QVERIFY(!table.header->hasPictures());
        table.header->setPictureStrip(strip);
        QVERIFY(table.header->hasPictures());
        const QImage image = table.image();
        const int top = (24 - 16) / 2;
        QCOMPARE(pixel(image, 3, top), QColor(Qt::red));
        QCOMPARE(pixel(image, 18, top + 15), QColor(Qt::red));
        QVERIFY(pixel(image, 2, top) != QColor(Qt::red));
        QVERIFY(pixel(image, 19, top) != QColor(Qt::red));
        // Picture 1: white is see-through, only the blue square shows.
        QCOMPARE(pixel(image, 100 + 3 + 4, top + 4), QColor(Qt::blue));
        const auto [start, end] = CGradientHeaderCtrl::gradientColours(table.header->baseColour());
        QCOMPARE(pixel(image, 100 + 3 + 1, top + 1),
                 CGradientHeaderCtrl::bandColour(start, end, CGradientHeaderCtrl::bandOfRow(top + 1, 24)));
    }

    void hotColumn()
    {
        Table table;
        QVERIFY(QTest::qWaitForWindowExposed(&table.view));
        QCOMPARE(table.header->hotColumn(), -1);
        const QImage before = table.image();

        QTest::mouseMove(table.header->viewport(), QPoint(150, 12));
        QTRY_COMPARE(table.header->hotColumn(), 1);
        const QImage hot = table.image();
        QCOMPARE(pixel(hot, 50, 2), pixel(before, 50, 2));
        QVERIFY(pixel(hot, 150, 2).lightness() > pixel(before, 150, 2).lightness());
        QCOMPARE(pixel(hot, 150, 23), GuiDrawLayer::GetRGBCaptionXP());

        QTest::mouseMove(table.header->viewport(), QPoint(250, 12));
        QTRY_COMPARE(table.header->hotColumn(), 2);
        QTest::mouseMove(table.view.viewport(), QPoint(50, 60));
        QTRY_COMPARE(table.header->hotColumn(), -1);
        QCOMPARE(table.image(), before);
    }

    // Columns keep resizing and sorting clicks as any header.
    void stillAHeader()
    {
        Table table;
        QVERIFY(QTest::qWaitForWindowExposed(&table.view));
        QSignalSpy clicked(table.header, &QHeaderView::sectionClicked);
        QTest::mouseClick(table.header->viewport(), Qt::LeftButton, {}, QPoint(150, 12));
        QCOMPARE(clicked.size(), 1);
        QCOMPARE(clicked[0][0].toInt(), 1);
        table.header->resizeSection(0, 40);
        QCOMPARE(table.header->sectionViewportPosition(1), 40);
        QCOMPARE(pixel(table.image(), 38, 12), GuiDrawLayer::GetRGBColorShadow());
    }
};

FENNIMAR_GUI_TEST_MAIN(TestGradientHeaderCtrl)
#include "tst_gradientheaderctrl.moc"
