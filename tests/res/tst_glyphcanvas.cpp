#include "res/glyphcanvas.h"

#include <QImage>
#include <QPainter>
#include <QTest>

#include <functional>

// A 24 x 24 unit layer at `unitPixels` device pixels per unit.
static QImage draw(qreal unitPixels, const std::function<void(GlyphCanvas &)> &paint)
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

class TestGlyphCanvas : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // White shapes; cuts clear what lies under them; turns go about the centre.
    void fillCutAndRotate()
    {
        const QImage image = draw(1, [](GlyphCanvas &c) {
            c.fill(GlyphCanvas::rect(0, 0, 24, 24));
            c.cut(GlyphCanvas::rect(10, 10, 4, 4));
            c.rotate(90);
            c.cut(GlyphCanvas::rect(11, 0, 2, 4)); // a bar at the top turned to the right edge
        });
        int opaque = 0;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x)
                opaque += qAlpha(image.pixel(x, y)) == 255;
        QCOMPARE(opaque, 24 * 24 - 16 - 8);
        QCOMPARE(image.pixel(5, 5), qRgba(255, 255, 255, 255));
        QCOMPARE(qAlpha(image.pixel(12, 12)) + qAlpha(image.pixel(22, 12)), 0);
    }

    // A line never gets thinner than one device pixel, however small the grid.
    void linesKeepADevicePixel()
    {
        const std::tuple<qreal, qreal, int> cases[] = {{2, 3, 6}, {0.5, 0.2, 1}, {0.5, 0, 1}};
        for (const auto &[unitPixels, width, pixels] : cases) {
            const QImage image = draw(unitPixels, [&](GlyphCanvas &c) { c.line(c.segment(2, 12, 22, 12), width); });
            int coverage = 0;
            for (int y = 0; y < image.height(); ++y)
                coverage += qAlpha(image.pixel(image.width() / 2, y));
            QVERIFY2(coverage >= 255 * pixels - 8, qPrintable(QString::number(coverage)));
        }
    }
};

QTEST_MAIN(TestGlyphCanvas)
#include "tst_glyphcanvas.moc"
