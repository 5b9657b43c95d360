#include "app/commandids.h"
#include "res/images.h"

#include <QTest>

#include <functional>

namespace {

using PixmapFn = std::function<QPixmap(qreal)>;
using PictureFn = std::function<QPixmap(int)>;

QImage pixels(const QPixmap &pixmap)
{
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

QImage commandImage(int id, int size = 24)
{
    return pixels(commandIcon(id).pixmap(QSize(size, size), 1.0));
}

// The shares of opaque near-white pixels (the glyph) and of opaque coloured ones (the tile).
std::pair<double, double> coverage(const QImage &image)
{
    double white = 0;
    double tile = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (const QRgb c = image.pixel(x, y); qAlpha(c) >= 250)
                ++(qMin(qMin(qRed(c), qGreen(c)), qBlue(c)) > 235 ? white : tile);
    const double all = image.width() * image.height();
    return {white / all, tile / all};
}

// Every command with a picture on a toolbar, a menu or the caption bar.
const int kCommands[] = {
    ID_ACCOUNT_ADD,   ID_TRANSACTION_ADD,   ID_PLAN_ADD,      ID_CATEGORY_ADD,    ID_MODIFY,
    ID_DELETE,        ID_CONVERT_PLAN,      ID_EXPORT_EXCEL,  ID_EXPORT_WORD,     ID_EXPORT_HTML,
    ID_EXPORT_PDF,    ID_EXPORT_TEXT,       ID_EXPORT_CSV,    ID_FILE_PRINT,      ID_REFRESH,
    ID_SYNCHRONIZE,   ID_PREFERENCE,        ID_HELP_CONTENTS, ID_APP_ABOUT,       ID_CHANGE_PASSWORD,
    ID_VIEW_ACCOUNTS, ID_VIEW_TRANSACTIONS, ID_VIEW_PLANNER,  ID_VIEW_CATEGORIES, ID_VIEW_REPORTS};

} // namespace

class TestImages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Painted for the device pixel ratio: size x ratio pixels carrying the ratio, the same shape finer.
    void devicePixelRatio_data()
    {
        QTest::addColumn<PixmapFn>("make");
        QTest::addColumn<int>("logical");
        QTest::newRow("account") << PixmapFn([](qreal r) { return accountPicture(5, r); }) << 32;
        QTest::newRow("column") << PixmapFn([](qreal r) { return columnPicture(1, 0, r); }) << 16;
        QTest::newRow("command") << PixmapFn([](qreal r) { return commandIcon(ID_DELETE).pixmap(QSize(24, 24), r); })
                                 << 24;
    }

    void devicePixelRatio()
    {
        QFETCH(PixmapFn, make);
        QFETCH(int, logical);
        for (const qreal ratio : {1.0, 2.0, 1.5}) {
            const QPixmap pixmap = make(ratio);
            QCOMPARE(pixmap.devicePixelRatio(), ratio);
            QCOMPARE(pixmap.size(), QSize(logical, logical) * ratio);
        }
        const auto one = coverage(pixels(make(1)));
        const auto two = coverage(pixels(make(2)).scaledToWidth(logical, Qt::SmoothTransformation));
        QVERIFY(qAbs(one.first - two.first) < 0.1);
        QVERIFY(qAbs(one.second - two.second) < 0.1);
    }

    void outOfRangeIsNull()
    {
        QVERIFY(accountPictureCount() >= 48);
        const QList<QPixmap> none = {accountPicture(-1, 1),   accountPicture(accountPictureCount(), 2),
                                     navigationIcon(19, 1),   viewCaptionImage(-1, 1),
                                     viewCaptionImage(6, 2),  viewButtonIcon(5, 1),
                                     columnPicture(2, 0, 1),  columnPicture(0, 4, 1),
                                     columnPicture(1, -1, 1), commandIcon(ID_PLAN_MODIFY).pixmap(QSize(16, 16), 1.0)};
        for (int i = 0; i < none.size(); ++i)
            QVERIFY2(none[i].isNull(), qPrintable(QString::number(i)));
    }

    // Every picture of a set is its own and shows a glyph on a tile with round corners (a
    // blank glyph or one that floods its tile is a drawing fault).
    void pictures_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<PictureFn>("picture");
        QTest::newRow("accounts") << accountPictureCount() << PictureFn([](int i) { return accountPicture(i, 1); });
        QTest::newRow("navigation") << navigationIconCount() << PictureFn([](int i) { return navigationIcon(i, 1); });
        QTest::newRow("commands") << int(std::size(kCommands))
                                  << PictureFn([](int i) { return commandIcon(kCommands[i]).pixmap(24); });
        QTest::newRow("lists") << 8 << PictureFn([](int i) {
            const QPixmap other[] = {reportPicture(1), transactionRowPicture(1), categoryPicture(1)};
            return i < 5 ? columnPicture(i / 4, i % 4, 1) : other[i - 5];
        });
        QTest::newRow("program") << 2 << PictureFn([](int i) { return applicationIcon().pixmap(16 << 4 * i); });
    }

    void pictures()
    {
        QFETCH(int, count);
        QFETCH(PictureFn, picture);
        QList<QImage> seen;
        for (int i = 0; i < count; ++i) {
            const QImage image = pixels(picture(i));
            QVERIFY2(!seen.contains(image), qPrintable(QStringLiteral("%1 is %2").arg(i).arg(seen.indexOf(image))));
            seen.append(image);
            const auto [white, tile] = coverage(image);
            const QByteArray which = QByteArray::number(i);
            QVERIFY2(white > 0.025, which); // a glyph shows
            QVERIFY2(white < 0.5, which);   // and does not flood its tile
            QVERIFY2(tile > 0.25, which);
            QCOMPARE(qAlpha(image.pixel(0, 0)), 0); // round corners
        }
    }

    // The same thing has the same picture wherever it shows.
    void picturesAgree()
    {
        // The navigation items in picture order; the working directory's picture is its own.
        const int commands[] = {ID_VIEW_ACCOUNTS,
                                ID_VIEW_TRANSACTIONS,
                                ID_VIEW_PLANNER,
                                ID_VIEW_CATEGORIES,
                                ID_VIEW_REPORTS,
                                ID_ACCOUNT_ADD,
                                ID_TRANSACTION_ADD,
                                ID_PLAN_ADD,
                                ID_SYNCHRONIZE,
                                ID_REFRESH,
                                0,
                                ID_CHANGE_PASSWORD,
                                ID_FILE_PRINT,
                                ID_EXPORT_WORD,
                                ID_EXPORT_EXCEL,
                                ID_EXPORT_HTML,
                                ID_EXPORT_PDF,
                                ID_EXPORT_TEXT,
                                ID_EXPORT_CSV};
        QCOMPARE(navigationIconCount(), 19);
        for (int i = 0; i < 19; ++i)
            if (commands[i])
                QCOMPARE(pixels(navigationIcon(i, 1)), commandImage(commands[i], 32));
        for (int view = 0; view < 5; ++view) {
            QCOMPARE(pixels(viewCaptionImage(view, 1)).copy(0, 0, 32, 32), pixels(navigationIcon(view, 1)));
            QCOMPARE(pixels(viewButtonIcon(view, 1)), commandImage(ID_VIEW_ACCOUNTS + view, 16));
        }
    }

    // A disabled command: grey and faded to 45%.
    void disabledLook()
    {
        const QRgb normal = commandImage(ID_DELETE).pixel(12, 12);
        const QRgb c = pixels(commandIcon(ID_DELETE).pixmap(QSize(24, 24), 1.0, QIcon::Disabled)).pixel(12, 12);
        QCOMPARE(qAlpha(c), 255 * 45 / 100);
        QCOMPARE(qGreen(c), qRed(c));
        QCOMPARE(qBlue(c), qRed(c));
        QVERIFY(qRed(c) >= qGray(normal)); // lighter, never darker
    }
};

QTEST_MAIN(TestImages)
#include "tst_images.moc"
