#include "export/office/officeformats.h"
#include "officetestutil.h"

#include <QTest>

using namespace testutil;

class TestOfficeContent : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { useUsEnglish(); }

    void currencyFormat_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("format");
        QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates)
                               << QStringLiteral(R"f("$"#,##0.00;"($"#,##0.00")")f");
        QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany)
                               << QStringLiteral("#,##0.00\"\u00A0\u20AC\";\"-\"#,##0.00\"\u00A0\u20AC\"");
        QTest::newRow("ja_JP no decimals")
            << QLocale(QLocale::Japanese, QLocale::Japan) << QStringLiteral("\"\uFFE5\"#,##0;\"(\uFFE5\"#,##0\")\"");
        QTest::newRow("C no grouping") << QLocale::c() << QStringLiteral("0.00;\"-\"0.00");
    }

    void currencyFormat()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, format);
        QLocale::setDefault(locale);
        QCOMPARE(excelCurrencyFormat(), format);
    }

    void dateFormat_data()
    {
        QTest::addColumn<QString>("qt");
        QTest::addColumn<QString>("excel");
        QTest::newRow("names") << QStringLiteral("dddd, d MMMM yyyy") << QStringLiteral(R"f(dddd", "d" "mmmm" "yyyy)f");
        QTest::newRow("quoted text") << QStringLiteral("d 'de' MMM") << QStringLiteral(R"f(d" de "mmm)f");
        QTest::newRow("quote characters") << QStringLiteral("d''M\"yy") << QStringLiteral(R"f(d"'"m\"yy)f");
        QTest::newRow("quote in quoted text") << QStringLiteral("'o''clock' d") << QStringLiteral(R"f("o'clock "d)f");
        QTest::newRow("letters that are not fields") << QStringLiteral("y.M.d") << QStringLiteral(R"f("y."m"."d)f");
    }

    void dateFormat()
    {
        QFETCH(QString, qt);
        QFETCH(QString, excel);
        QCOMPARE(excelDateFormat(qt), excel);
    }
};

QTEST_GUILESS_MAIN(TestOfficeContent)
#include "tst_officecontent.moc"
