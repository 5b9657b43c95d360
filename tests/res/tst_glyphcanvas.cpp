#include "glyph.h"
#include "glyphcanvas.h"

#include <QImage>
#include <QPainter>
#include <QTest>

#include <functional>

namespace {

// A 24 x 24 pixel layer, one pixel per grid unit unless `unitPixels` says otherwise.
QImage draw(qreal unitPixels, const std::function<void(GlyphCanvas &)> &paint)
{
    const int side = qRound(24 * unitPixels);
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(unitPixels, unitPixels);
    GlyphCanvas canvas(p, unitPixels);
    paint(canvas);
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

int opaque(const QImage &image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += qAlpha(image.pixel(x, y)) == 255;
    return n;
}

} // namespace

class TestGlyphCanvas : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fillPaintsWhite()
    {
        const QImage image = draw(1, [](GlyphCanvas &c) { c.fill(GlyphCanvas::rect(4, 4, 8, 8)); });
        QCOMPARE(image.pixel(5, 5), qRgba(255, 255, 255, 255));
        QCOMPARE(qAlpha(image.pixel(13, 5)), 0);
        QCOMPARE(opaque(image), 64);
    }

    void cutClears()
    {
        const QImage image = draw(1, [](GlyphCanvas &c) {
            c.fill(GlyphCanvas::rect(0, 0, 24, 24));
            c.cut(GlyphCanvas::rect(10, 10, 4, 4));
            c.fill(GlyphCanvas::rect(12, 12, 1, 1));
        });
        QCOMPARE(qAlpha(image.pixel(10, 10)), 0);
        QCOMPARE(qAlpha(image.pixel(12, 12)), 255);
        QCOMPARE(opaque(image), 24 * 24 - 16 + 1);
    }

    void opacityFill()
    {
        const QImage image = draw(1, [](GlyphCanvas &c) { c.fill(GlyphCanvas::rect(0, 0, 2, 2), 0.5); });
        QVERIFY(qAbs(qAlpha(image.pixel(0, 0)) - 128) <= 1);
    }

    // A line never gets thinner than one device pixel, however small the grid.
    void linesKeepADevicePixel_data()
    {
        QTest::addColumn<qreal>("unitPixels");
        QTest::addColumn<qreal>("width");
        QTest::addColumn<int>("minimumPixels");
        QTest::newRow("large grid, wide line") << 2.0 << 3.0 << 6;
        QTest::newRow("small grid, hairline") << 0.5 << 0.2 << 1;
        QTest::newRow("small grid, default") << 0.5 << 0.0 << 1;
    }

    void linesKeepADevicePixel()
    {
        QFETCH(qreal, unitPixels);
        QFETCH(qreal, width);
        QFETCH(int, minimumPixels);
        const QImage image = draw(unitPixels, [&](GlyphCanvas &c) {
            c.line(GlyphCanvas::segment(2, 12, 22, 12), width);
        });
        const int column = image.width() / 2;
        int coverage = 0;
        for (int y = 0; y < image.height(); ++y)
            coverage += qAlpha(image.pixel(column, y));
        QVERIFY2(coverage >= 255 * minimumPixels - 8, qPrintable(QString::number(coverage)));
    }

    void defaultStrokeGrowsOnSmallGrids()
    {
        QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
        QPainter p(&image);
        QCOMPARE(GlyphCanvas(p, 1.0).stroke(), 2.0);
        QCOMPARE(GlyphCanvas(p, 0.35).stroke(), 4.0);
        QVERIFY(GlyphCanvas(p, 1.0).detailed());
        QVERIFY(!GlyphCanvas(p, 0.6).detailed());
    }

    void rotateTurnsAboutTheCentre()
    {
        const QImage image = draw(1, [](GlyphCanvas &c) {
            c.rotate(90);
            c.fill(GlyphCanvas::rect(11, 0, 2, 4));
        });
        // The bar at the top comes to lie at the right edge.
        QCOMPARE(qAlpha(image.pixel(22, 12)), 255);
        QCOMPARE(qAlpha(image.pixel(12, 1)), 0);
    }

    void arcRunsCounterClockwise()
    {
        const QPainterPath quarter = GlyphCanvas::arc(12, 12, 10, 0, 90);
        QCOMPARE(quarter.pointAtPercent(0), QPointF(22, 12));
        const QPointF end = quarter.pointAtPercent(1);
        QVERIFY(qAbs(end.x() - 12) < 1e-6 && qAbs(end.y() - 2) < 1e-6);
    }

    void letters_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qreal>("height");
        QTest::newRow("PDF") << QStringLiteral("PDF") << 10.0;
        QTest::newRow("CSV") << QStringLiteral("CSV") << 5.0;
        QTest::newRow("TXT") << QStringLiteral("TXT") << 8.0;
        QTest::newRow("W") << QStringLiteral("W") << 12.0;
        QTest::newRow("HTML") << QStringLiteral("HTML") << 6.0;
    }

    void letters()
    {
        QFETCH(QString, text);
        QFETCH(qreal, height);
        const QRectF box = GlyphCanvas::letters(text, 3, 4, height).boundingRect();
        // The drawn centre lines stay within the measured box (curves may bow a little).
        QVERIFY(box.left() >= 3 - 0.05 * height);
        QVERIFY(box.top() >= 4 - 0.05 * height);
        QVERIFY(box.bottom() <= 4 + height * 1.05);
        QVERIFY(box.right() <= 3 + GlyphCanvas::lettersWidth(text, height) + 0.05 * height);
        QVERIFY(box.width() > GlyphCanvas::lettersWidth(text, height) * 0.85);
        QCOMPARE(GlyphCanvas::lettersWidth(text, 2 * height), 2 * GlyphCanvas::lettersWidth(text, height));
    }

    void noLettersNoWidth()
    {
        QCOMPARE(GlyphCanvas::lettersWidth(QString(), 10), 0.0);
        QVERIFY(GlyphCanvas::letters(QString(), 0, 0, 10).isEmpty());
    }

    // Each glyph draws something, and nothing outside its grid.
    void glyphsStayOnTheGrid()
    {
        for (int g = 0; g <= int(Glyph::AppMark); ++g) {
            QImage image(48, 48, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            p.translate(12, 12);
            p.save();
            GlyphCanvas canvas(p, 1.0);
            paintGlyph(Glyph(g), canvas);
            p.restore();
            p.end();
            const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
            int inside = 0;
            int outside = 0;
            for (int y = 0; y < 48; ++y) {
                for (int x = 0; x < 48; ++x) {
                    const int a = qAlpha(argb.pixel(x, y));
                    const bool onGrid = x >= 11 && x < 37 && y >= 11 && y < 37;
                    (onGrid ? inside : outside) += a;
                }
            }
            QVERIFY2(inside > 255 * 20, qPrintable(QStringLiteral("glyph %1 is empty").arg(g)));
            QVERIFY2(outside == 0, qPrintable(QStringLiteral("glyph %1 leaves its grid").arg(g)));
        }
    }
};

QTEST_MAIN(TestGlyphCanvas)
#include "tst_glyphcanvas.moc"
