#include "controls/gradientheaderctrl.h"
#include "guitestutil.h"
#include "uiext/colorref.h"
#include "uiext/guidrawlayer.h"

#include <QStandardItemModel>
#include <QTableView>

using namespace testutil;

namespace {

// A table of three 100-pixel columns under a 24-pixel gradient header.
struct Table
{
    QTableView view;
    CGradientHeaderCtrl *header = new CGradientHeaderCtrl;

    explicit Table(const QString &first)
    {
        auto *model = new QStandardItemModel(2, 3, &view);
        model->setHorizontalHeaderLabels({first, QString(), QStringLiteral("Amount")});
        view.setHorizontalHeader(header);
        view.setModel(model);
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
    // Row y of 24 is band y * 255 / 23; each band moves (end - start) * band / 256, cut toward zero.
    void header_data()
    {
        QTest::addColumn<int>("base");
        QTest::addColumn<QColor>("top");
        QTest::addColumn<QColor>("middle");
        QTest::addColumn<QColor>("bottom");
        QTest::newRow("XP blue") << 0xF3C9AD << QColor(222, 234, 253) << QColor(180, 205, 238) << QColor(142, 179, 224);
        QTest::newRow("30 darker") << 0xC89664 << QColor(70, 120, 170) << QColor(85, 135, 185) << QColor(99, 149, 199);
        QTest::newRow("not below 0") << 0x280A14 << QColor(0, 0, 10) << QColor(10, 5, 25) << QColor(19, 9, 39);
    }

    // The gradient and separators; a title right of a 20-pixel margin, ended with an
    // ellipsis rather than passing its column.
    void header()
    {
        QFETCH(int, base);
        QFETCH(QColor, top);
        QFETCH(QColor, middle);
        QFETCH(QColor, bottom);
        Table table(QStringLiteral("A much longer title than the column holds"));
        QCOMPARE(table.header->baseColour(), GuiDrawLayer::GetRGBColorFace());
        table.header->setBaseColour(fromColorRef(base));
        const QImage image = table.image();
        QCOMPARE(pixel(image, 150, 0), top);
        QCOMPARE(pixel(image, 250, 12), middle);
        QCOMPARE(pixel(image, 150, 23), bottom);
        QCOMPARE(pixel(image, 198, 12), GuiDrawLayer::GetRGBColorShadow());
        QCOMPARE(pixel(image, 199, 12), GuiDrawLayer::GetRGBColorTabs());
        const QString shown = table.header->displayedTitle(0);
        QVERIFY2(shown.endsWith(QChar(0x2026)) && shown.size() < 20, qPrintable(shown));
        QVERIFY(QFontMetrics(table.header->titleFont()).horizontalAdvance(shown) <= 80);
        QCOMPARE(table.header->displayedTitle(2), QStringLiteral("Amount"));
        const auto ink = [&](int from, int to) {
            int n = 0;
            for (int y = 0; y < 24; ++y)
                for (int x = from; x < to; ++x)
                    n += pixel(image, x, y) != pixel(image, 150, y);
            return n;
        };
        QCOMPARE(ink(0, 20) + ink(100, 197), 0);
        QVERIFY(ink(20, 97) > 50);
    }
};

FENNIMAR_GUI_TEST_MAIN(TestGradientHeaderCtrl)
#include "tst_gradientheaderctrl.moc"
