#include "bitmaplabel.h"
#include "guitestutil.h"

#include <QPainter>
#include <QTest>

using namespace testutil;

namespace {

const QColor kGround(0, 140, 70);

// 20 x 16 white with a red 4 x 4 square at (8, 6).
QPixmap picture()
{
    QPixmap p(20, 16);
    p.fill(Qt::white);
    QPainter painter(&p);
    painter.fillRect(8, 6, 4, 4, Qt::red);
    return p;
}

} // namespace

class TestBitmapLabel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void whiteIsTransparent()
    {
        QWidget ground;
        ground.setAutoFillBackground(true);
        QPalette palette = ground.palette();
        palette.setColor(QPalette::Window, kGround);
        ground.setPalette(palette);
        auto *label = new CBitmapLabel(&ground);
        label->setBitmap(picture(), QStringLiteral("Start Date"));
        label->setGeometry(0, 0, 40, 30);
        ground.resize(40, 30);
        ground.show();
        QVERIFY(QTest::qWaitForWindowExposed(&ground));

        const QImage image = render(&ground);
        const int top = (30 - 16) / 2;
        QCOMPARE(pixel(image, 9, top + 7), QColor(Qt::red));
        QCOMPARE(pixel(image, 11, top + 9), QColor(Qt::red));
        QCOMPARE(pixel(image, 7, top + 7), kGround);
        QCOMPARE(pixel(image, 0, top), kGround);
        QCOMPARE(pixel(image, 9, top - 1), kGround);
        QCOMPARE(pixel(image, 9, top + 10), kGround);
        QCOMPARE(pixel(image, 30, 15), kGround);
        QCOMPARE(label->accessibleName(), QStringLiteral("Start Date"));
        QCOMPARE(label->sizeHint(), QSize(20, 16));
    }

    void picturedWords()
    {
        const QPixmap words = CBitmapLabel::textPicture(QStringLiteral("End Date"), Qt::red);
        QCOMPARE(words.height(), 16);
        QVERIFY(words.width() > 30);
        const QImage image = words.toImage();
        int red = 0;
        int other = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c == QColor(Qt::red))
                    ++red;
                else if (c != QColor(Qt::white))
                    ++other;
            }
        }
        // Only the colour and white: nothing that would show as a halo once white is cut out.
        QVERIFY(red > 20);
        QCOMPARE(other, 0);
    }
};

FENNIMAR_GUI_TEST_MAIN(TestBitmapLabel)
#include "tst_bitmaplabel.moc"
