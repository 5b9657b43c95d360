#include "images.h"
#include "tile.h"

#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPixmapCache>
#include <QTest>

#include <functional>

namespace {

using PixmapFn = std::function<QPixmap(qreal)>;

QImage pixels(const QPixmap &pixmap)
{
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

QByteArray bytes(const QImage &image)
{
    return QByteArray(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes());
}

// Share of the pixels that are opaque and near white (the glyph) and that are
// opaque and coloured (the tile).
struct Coverage
{
    double white = 0;
    double tile = 0;
};

Coverage coverage(const QImage &image)
{
    int white = 0;
    int tile = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            if (qAlpha(c) < 250)
                continue;
            if (qRed(c) > 235 && qGreen(c) > 235 && qBlue(c) > 235)
                ++white;
            else
                ++tile;
        }
    }
    const double all = image.width() * image.height();
    return {white / all, tile / all};
}

// Fails naming the first two of `count` pictures that are pixel for pixel the same;
// `picture` gives each one's name and image.
void verifyAllDistinct(int count, const std::function<QPair<QString, QImage>(int)> &picture)
{
    QHash<QByteArray, QString> seen;
    for (int i = 0; i < count; ++i) {
        const auto [name, image] = picture(i);
        const QByteArray key = bytes(image);
        if (seen.contains(key))
            QFAIL(qPrintable(QStringLiteral("%1 and %2 are the same picture").arg(seen.value(key), name)));
        seen.insert(key, name);
    }
}

const QList<int> kCommandIds = {32781, 32784, 32787, 32793, 32771, 32772, 32790, 32814, 32815,
                                32816, 32817, 32818, 32819, 57607, 32798, 32800, 32799, 57670,
                                57664, 32807, 32809, 32810, 32811, 32812, 32813};

} // namespace

class TestImages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pictureSizes_data()
    {
        QTest::addColumn<PixmapFn>("make");
        QTest::addColumn<QSize>("logical");
        QTest::newRow("first account") << PixmapFn([](qreal r) { return accountPicture(0, r); }) << QSize(32, 32);
        QTest::newRow("last account") << PixmapFn([](qreal r) { return accountPicture(accountPictureCount() - 1, r); })
                                      << QSize(32, 32);
        QTest::newRow("navigation 0") << PixmapFn([](qreal r) { return navigationIcon(0, r); }) << QSize(32, 32);
        QTest::newRow("navigation 18") << PixmapFn([](qreal r) { return navigationIcon(18, r); }) << QSize(32, 32);
        QTest::newRow("view button 4") << PixmapFn([](qreal r) { return viewButtonIcon(4, r); }) << QSize(16, 16);
        QTest::newRow("transaction row") << PixmapFn(transactionRowPicture) << QSize(32, 32);
        QTest::newRow("report") << PixmapFn(reportPicture) << QSize(32, 32);
        QTest::newRow("category") << PixmapFn(categoryPicture) << QSize(16, 16);
        QTest::newRow("column 0 3") << PixmapFn([](qreal r) { return columnPicture(0, 3, r); }) << QSize(16, 16);
        QTest::newRow("column 1 0") << PixmapFn([](qreal r) { return columnPicture(1, 0, r); }) << QSize(16, 16);
    }

    void pictureSizes()
    {
        QFETCH(PixmapFn, make);
        QFETCH(QSize, logical);
        for (const qreal ratio : {1.0, 2.0, 1.5}) {
            const QPixmap pixmap = make(ratio);
            QVERIFY(!pixmap.isNull());
            QCOMPARE(pixmap.devicePixelRatio(), ratio);
            QCOMPARE(pixmap.size(), (QSizeF(logical) * ratio).toSize());
            QCOMPARE(pixmap.deviceIndependentSize(), QSizeF(logical));
        }
    }

    void applicationRatioIsTheDefault()
    {
        const qreal ratio = qGuiApp->devicePixelRatio();
        QCOMPARE(accountPicture(3).devicePixelRatio(), ratio);
        QCOMPARE(viewCaptionImage(1).devicePixelRatio(), ratio);
    }

    void outOfRangeIsNull_data()
    {
        QTest::addColumn<PixmapFn>("make");
        QTest::newRow("account -1") << PixmapFn([](qreal r) { return accountPicture(-1, r); });
        QTest::newRow("account count") << PixmapFn([](qreal r) { return accountPicture(accountPictureCount(), r); });
        QTest::newRow("navigation -1") << PixmapFn([](qreal r) { return navigationIcon(-1, r); });
        QTest::newRow("navigation 19") << PixmapFn([](qreal r) { return navigationIcon(19, r); });
        QTest::newRow("caption -1") << PixmapFn([](qreal r) { return viewCaptionImage(-1, r); });
        QTest::newRow("caption 6") << PixmapFn([](qreal r) { return viewCaptionImage(6, r); });
        QTest::newRow("view button -1") << PixmapFn([](qreal r) { return viewButtonIcon(-1, r); });
        QTest::newRow("view button 5") << PixmapFn([](qreal r) { return viewButtonIcon(5, r); });
        QTest::newRow("column list 2") << PixmapFn([](qreal r) { return columnPicture(2, 0, r); });
        QTest::newRow("column list -1") << PixmapFn([](qreal r) { return columnPicture(-1, 0, r); });
        QTest::newRow("column 4") << PixmapFn([](qreal r) { return columnPicture(0, 4, r); });
        QTest::newRow("column -1") << PixmapFn([](qreal r) { return columnPicture(1, -1, r); });
    }

    void outOfRangeIsNull()
    {
        QFETCH(PixmapFn, make);
        QVERIFY(make(1).isNull());
        QVERIFY(make(2).isNull());
    }

    void accountPicturesAreAllDistinct()
    {
        QVERIFY(accountPictureCount() >= 48);
        verifyAllDistinct(accountPictureCount(), [](int i) {
            return qMakePair(QStringLiteral("account picture %1").arg(i), pixels(accountPicture(i, 1)));
        });
    }

    // A blank glyph or a glyph that floods its tile is a drawing fault.
    void everyPictureShowsAGlyphOnATile()
    {
        QList<QPair<QString, QImage>> all;
        for (int i = 0; i < accountPictureCount(); ++i)
            all.append({QStringLiteral("account %1").arg(i), pixels(accountPicture(i, 1))});
        for (int i = 0; i < navigationIconCount(); ++i)
            all.append({QStringLiteral("navigation %1").arg(i), pixels(navigationIcon(i, 1))});
        for (int id : kCommandIds)
            for (int size : {16, 24})
                all.append({QStringLiteral("command %1 at %2").arg(id).arg(size),
                            pixels(commandIcon(id).pixmap(QSize(size, size), 1.0))});
        for (int list = 0; list < 2; ++list)
            for (int column = 0; column < 4; ++column)
                all.append({QStringLiteral("column %1 %2").arg(list).arg(column), pixels(columnPicture(list, column, 1))});
        all.append({QStringLiteral("category"), pixels(categoryPicture(1))});
        all.append({QStringLiteral("report"), pixels(reportPicture(1))});
        all.append({QStringLiteral("transaction row"), pixels(transactionRowPicture(1))});
        for (const auto &[name, image] : all) {
            const Coverage c = coverage(image);
            QVERIFY2(c.white > 0.025, qPrintable(name + QStringLiteral(": glyph missing")));
            QVERIFY2(c.white < 0.5, qPrintable(name + QStringLiteral(": glyph floods the tile")));
            QVERIFY2(c.tile > 0.25, qPrintable(name + QStringLiteral(": tile missing")));
            QCOMPARE(qAlpha(image.pixel(0, 0)), 0); // rounded corner
        }
    }

    void twiceTheRatioPaintsTheSameShapeFiner()
    {
        const QImage one = pixels(accountPicture(0, 1));
        const QImage two = pixels(accountPicture(0, 2));
        QCOMPARE(two.size(), one.size() * 2);
        const QImage reduced = two.scaled(one.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const Coverage a = coverage(one);
        const Coverage b = coverage(reduced);
        QVERIFY(qAbs(a.white - b.white) < 0.1);
        QVERIFY(qAbs(a.tile - b.tile) < 0.1);
    }

    void commandIcons_data()
    {
        QTest::addColumn<int>("id");
        for (int id : kCommandIds)
            QTest::addRow("%d", id) << id;
    }

    void commandIcons()
    {
        QFETCH(int, id);
        const QIcon icon = commandIcon(id);
        QVERIFY(!icon.isNull());
        QVERIFY(icon.availableSizes().contains(QSize(16, 16)));
        QVERIFY(icon.availableSizes().contains(QSize(24, 24)));
        QCOMPARE(icon.pixmap(QSize(16, 16), 1.0).size(), QSize(16, 16));
        QCOMPARE(icon.pixmap(QSize(24, 24), 1.0).size(), QSize(24, 24));
        const QPixmap hidpi = icon.pixmap(QSize(16, 16), 2.0);
        QCOMPARE(hidpi.size(), QSize(32, 32));
        QCOMPARE(hidpi.deviceIndependentSize(), QSizeF(16, 16));

        const QImage disabled = pixels(icon.pixmap(QSize(24, 24), 1.0, QIcon::Disabled));
        const QImage normal = pixels(icon.pixmap(QSize(24, 24), 1.0));
        QVERIFY(disabled != normal);
        for (int y = 0; y < disabled.height(); ++y) {
            for (int x = 0; x < disabled.width(); ++x) {
                const QRgb c = disabled.pixel(x, y);
                QVERIFY(qAlpha(c) <= qAlpha(normal.pixel(x, y)));
                if (qAlpha(c) > 0)
                    QVERIFY(qAbs(qRed(c) - qBlue(c)) <= 1 && qAbs(qGreen(c) - qBlue(c)) <= 1);
            }
        }
    }

    void commandIconsAreAllDistinct()
    {
        verifyAllDistinct(int(kCommandIds.size()), [](int i) {
            return qMakePair(QString::number(kCommandIds[i]), pixels(commandIcon(kCommandIds[i]).pixmap(QSize(24, 24), 1.0)));
        });
    }

    void commandsWithoutPicture_data()
    {
        QTest::addColumn<int>("id");
        for (int id : {0, -1, 32773, 32782, 32785, 32794, 57665, 59392, 32808, 32820})
            QTest::addRow("%d", id) << id;
    }

    void commandsWithoutPicture()
    {
        QFETCH(int, id);
        QVERIFY(commandIcon(id).isNull());
    }

    void iconPaintedIntoAHiDpiPainter()
    {
        QImage target(QSize(48, 48), QImage::Format_ARGB32_Premultiplied);
        target.setDevicePixelRatio(2);
        target.fill(Qt::transparent);
        {
            QPainter p(&target);
            commandIcon(32772).paint(&p, QRect(0, 0, 24, 24));
        }
        QCOMPARE(target.convertToFormat(QImage::Format_ARGB32),
                 pixels(commandIcon(32772).pixmap(QSize(24, 24), 2.0)).convertToFormat(QImage::Format_ARGB32));
    }

    // The navigation bar and the toolbar show one picture per command.
    void navigationMatchesCommands_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("id");
        const int ids[] = {32809, 32810, 32811, 32812, 32813, 32781, 32784, 32787, 32800, 32798,
                           0,     32807, 57607, 32815, 32814, 32816, 32817, 32818, 32819};
        for (int i = 0; i < 19; ++i)
            if (ids[i])
                QTest::addRow("%d", i) << i << ids[i];
    }

    void navigationMatchesCommands()
    {
        QFETCH(int, index);
        QFETCH(int, id);
        QCOMPARE(pixels(navigationIcon(index, 1)), pixels(commandIcon(id).pixmap(QSize(32, 32), 1.0)));
    }

    void navigationIconsAreAllDistinct()
    {
        QCOMPARE(navigationIconCount(), 19);
        verifyAllDistinct(navigationIconCount(), [](int i) {
            return qMakePair(QStringLiteral("navigation %1").arg(i), pixels(navigationIcon(i, 1)));
        });
    }

    void viewCaptions()
    {
        for (int view = 0; view < 6; ++view) {
            const QPixmap one = viewCaptionImage(view, 1);
            const QPixmap two = viewCaptionImage(view, 2);
            QCOMPARE(one.height(), 32);
            QVERIFY(one.width() >= 128);
            QCOMPARE(two.size(), one.size() * 2);
            QCOMPARE(two.deviceIndependentSize(), QSizeF(one.size()));
            // Dark text right of the icon.
            bool text = false;
            const QImage image = pixels(one);
            for (int x = 40; x < image.width() && !text; ++x)
                for (int y = 0; y < 32 && !text; ++y)
                    text = qAlpha(image.pixel(x, y)) > 200 && qGray(image.pixel(x, y)) < 90;
            QVERIFY2(text, qPrintable(QStringLiteral("view %1 has no name").arg(view)));
        }
        verifyAllDistinct(6, [](int view) {
            return qMakePair(QStringLiteral("caption %1").arg(view), pixels(viewCaptionImage(view, 1)));
        });
        QVERIFY(viewCaptionImage(5, 1).width() > viewCaptionImage(4, 1).width());
    }

    void captionIconIsTheNavigationIcon()
    {
        for (int view = 0; view < 5; ++view)
            QCOMPARE(pixels(viewCaptionImage(view, 1)).copy(0, 0, 32, 32), pixels(navigationIcon(view, 1)));
    }

    void viewButtonsAreTheViewCommands()
    {
        for (int view = 0; view < 5; ++view)
            QCOMPARE(pixels(viewButtonIcon(view, 1)), pixels(commandIcon(32809 + view).pixmap(QSize(16, 16), 1.0)));
    }

    void columnPictures()
    {
        // Date and Amount mean the same in both lists; the rest differ.
        QCOMPARE(pixels(columnPicture(0, 0, 1)), pixels(columnPicture(1, 1, 1)));
        QCOMPARE(pixels(columnPicture(0, 2, 1)), pixels(columnPicture(1, 3, 1)));
        QCOMPARE(pixels(columnPicture(0, 1, 1)), pixels(columnPicture(1, 2, 1)));
        verifyAllDistinct(6, [](int i) {
            const QPixmap pixmap = i < 4 ? columnPicture(0, i, 1) : i == 4 ? columnPicture(1, 0, 1) : categoryPicture(1);
            return qMakePair(QStringLiteral("picture %1").arg(i), pixels(pixmap));
        });
        QVERIFY(pixels(reportPicture(1)) != pixels(transactionRowPicture(1)));
    }

    void applicationIcon_data()
    {
        QTest::addColumn<int>("size");
        for (int size : {16, 24, 32, 48, 64, 128, 256})
            QTest::addRow("%d", size) << size;
    }

    void applicationIcon()
    {
        QFETCH(int, size);
        const QIcon icon = ::applicationIcon();
        QVERIFY(icon.availableSizes().contains(QSize(size, size)));
        const QPixmap pixmap = icon.pixmap(QSize(size, size), 1.0);
        QCOMPARE(pixmap.size(), QSize(size, size));
        const Coverage c = coverage(pixels(pixmap));
        QVERIFY(c.white > 0.05);
        QVERIFY(c.tile > 0.3);
    }

    void picturesComeFromTheCache()
    {
        const QPixmap first = accountPicture(7, 1);
        QCOMPARE(accountPicture(7, 1).cacheKey(), first.cacheKey());
        QCOMPARE(viewCaptionImage(2, 1).cacheKey(), viewCaptionImage(2, 1).cacheKey());
        // A cleared cache paints the same picture again.
        QPixmapCache::clear();
        const QPixmap again = accountPicture(7, 1);
        QVERIFY(again.cacheKey() != first.cacheKey());
        QCOMPARE(pixels(again), pixels(first));
    }

    void badgesSetAddApart()
    {
        const QImage plain = renderTile({Glyph::Bank, palette::Blue}, 32, 1);
        const QImage plus = renderTile({Glyph::Bank, palette::Blue, Badge::Plus}, 32, 1);
        const QImage arrow = renderTile({Glyph::Bank, palette::Blue, Badge::Arrow}, 32, 1);
        QVERIFY(plain != plus);
        QVERIFY(plus != arrow);
        // The badge sits at the lower right corner, in its own colour.
        const QRgb corner = plus.pixel(27, 27);
        QCOMPARE(qAlpha(corner), 255);
        QVERIFY(qGreen(corner) > qBlue(corner) || qGray(corner) > 235);
        QCOMPARE(qAlpha(plain.pixel(31, 31)), 0);
    }

    void disabledImageIsGreyAndFaded()
    {
        QImage image(2, 1, QImage::Format_ARGB32_Premultiplied);
        image.setPixel(0, 0, qRgba(200, 40, 40, 255));
        image.setPixel(1, 0, qRgba(0, 0, 0, 0));
        image.setDevicePixelRatio(2);
        const QImage out = disabledImage(image).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(out.devicePixelRatio(), 2.0);
        const QRgb c = out.pixel(0, 0);
        QCOMPARE(qAlpha(c), 255 * 45 / 100);
        QCOMPARE(qRed(c), qGreen(c));
        QCOMPARE(qGreen(c), qBlue(c));
        QCOMPARE(qAlpha(out.pixel(1, 0)), 0);
    }
};

QTEST_MAIN(TestImages)
#include "tst_images.moc"
