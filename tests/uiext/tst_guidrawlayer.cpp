#include "colorref.h"
#include "fennimarlook.h"
#include "guidrawlayer.h"
#include "guiicons.h"

#include <QApplication>
#include <QStyle>
#include <QTest>

#include <cmath>

namespace {

double luminance(const QColor &c)
{
    const auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace

class TestGuiDrawLayer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void colorRefs_data()
    {
        QTest::addColumn<quint32>("value");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<quint32>("back");
        QTest::newRow("positive amount") << quint32(0xC46E3D) << QColor(0x3D, 0x6E, 0xC4) << quint32(0xC46E3D);
        QTest::newRow("red") << quint32(255) << QColor(255, 0, 0) << quint32(255);
        QTest::newRow("blue") << quint32(16711680) << QColor(0, 0, 255) << quint32(16711680);
        QTest::newRow("dark green") << quint32(32768) << QColor(0, 128, 0) << quint32(32768);
        QTest::newRow("grey") << quint32(0xD4D4D4) << QColor(212, 212, 212) << quint32(0xD4D4D4);
        QTest::newRow("high byte ignored") << quint32(0xFF00FF00) << QColor(0, 255, 0) << quint32(0x00FF00);
    }

    void colorRefs()
    {
        QFETCH(quint32, value);
        QFETCH(QColor, colour);
        QFETCH(quint32, back);
        QCOMPARE(fromColorRef(value), colour);
        QCOMPARE(toColorRef(colour), back);
    }

    void colorRefOfOtherSpecs()
    {
        QCOMPARE(toColorRef(QColor::fromHsv(0, 255, 255)), quint32(0x0000FF));
        QCOMPARE(toColorRef(QColor::fromCmyk(255, 0, 255, 0)), quint32(0x00FF00));
    }

    // The look must stay readable: body text on every background it is used on,
    // and white text on the accent colour (selected rows).
    void paletteIsReadable_data()
    {
        QTest::addColumn<QColor>("foreground");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<double>("least");
        QTest::newRow("text on face") << GuiDrawLayer::textColor() << GuiDrawLayer::GetRGBColorFace() << 7.0;
        QTest::newRow("text on hot") << GuiDrawLayer::textColor() << GuiDrawLayer::GetRGBFondoXP() << 7.0;
        QTest::newRow("text on pressed") << GuiDrawLayer::textColor() << GuiDrawLayer::GetRGBPressBXP() << 7.0;
        QTest::newRow("text on tabs") << GuiDrawLayer::textColor() << GuiDrawLayer::GetRGBColorTabs() << 7.0;
        QTest::newRow("white on accent") << QColor(Qt::white) << GuiDrawLayer::GetRGBCaptionXP() << 4.5;
        QTest::newRow("accent frame on face") << GuiDrawLayer::GetRGBCaptionXP() << GuiDrawLayer::GetRGBColorFace()
                                              << 3.0;
    }

    void paletteIsReadable()
    {
        QFETCH(QColor, foreground);
        QFETCH(QColor, background);
        QFETCH(double, least);
        const double ratio = contrast(foreground, background);
        QVERIFY2(ratio >= least, qPrintable(QString::number(ratio)));
    }

    // Hot, pressed and normal must look different from each other.
    void statesAreDistinct()
    {
        const QList<QColor> states = {GuiDrawLayer::GetRGBColorFace(), GuiDrawLayer::GetRGBFondoXP(),
                                      GuiDrawLayer::GetRGBPressBXP()};
        for (int i = 0; i < states.size(); ++i) {
            for (int j = i + 1; j < states.size(); ++j)
                QVERIFY2(contrast(states[i], states[j]) > 1.1, qPrintable(QStringLiteral("%1 %2").arg(i).arg(j)));
        }
        QVERIFY(contrast(GuiDrawLayer::GetRGBColorShadow(), GuiDrawLayer::GetRGBColorFace()) > 1.8);
    }

    void applyLook()
    {
        auto *app = qobject_cast<QApplication *>(QCoreApplication::instance());
        applyFennimarLook(*app);
        QCOMPARE(QApplication::style()->name(), QStringLiteral("fusion"));
        const QPalette palette = QApplication::palette();
        QCOMPARE(palette.color(QPalette::Window), GuiDrawLayer::GetRGBColorFace());
        QCOMPARE(palette.color(QPalette::Button), GuiDrawLayer::GetRGBColorFace());
        QCOMPARE(palette.color(QPalette::Highlight), GuiDrawLayer::GetRGBCaptionXP());
        QCOMPARE(palette.color(QPalette::WindowText), GuiDrawLayer::textColor());
        QCOMPARE(palette.color(QPalette::Base), QColor(Qt::white));
        QWidget widget;
        QCOMPARE(widget.palette().color(QPalette::Window), GuiDrawLayer::GetRGBColorFace());
    }

    void paintedFallbackIcon()
    {
        const QIcon icon = themedIcon(QStringLiteral("fennimar-no-such-icon"), QStringLiteral("A"), QColor(200, 0, 0));
        QVERIFY(!icon.isNull());
        const QImage image = icon.pixmap(32, 32).toImage();
        QCOMPARE(image.size(), QSize(32, 32));
        // A rounded badge: clear corners, the colour in the body, the white label in the middle.
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        const QColor body = image.pixelColor(4, 28);
        QVERIFY2(body.red() > 150 && body.green() < 60 && body.blue() < 60, qPrintable(body.name()));
        int white = 0;
        for (int y = 8; y < 24; ++y) {
            for (int x = 8; x < 24; ++x)
                white += image.pixelColor(x, y).lightness() > 230 ? 1 : 0;
        }
        QVERIFY(white > 10);
    }
};

QTEST_MAIN(TestGuiDrawLayer)
#include "tst_guidrawlayer.moc"
