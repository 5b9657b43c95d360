#include "officecontent.h"
#include "officeformats.h"
#include "officetestutil.h"

#include <QTest>

using namespace testutil;

class TestOfficeContent : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { useUsEnglish(); }
    void cleanupTestCase() { useUsEnglish(); }

    void currencyFormat_data();
    void currencyFormat();
    void dateFormat_data();
    void dateFormat();
    void localeDateFormat();
    void serialDate_data();
    void serialDate();
    void colours_data();
    void colours();
    void roundedMoney_data();
    void roundedMoney();
    void accounts();
    void transactionsLeaveOutPlans();
    void plans();
    void nothingToExport_data() { addEmptySources(); }
    void nothingToExport();
};

void TestOfficeContent::currencyFormat_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("format");
    QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates)
                           << QStringLiteral(R"f("$"#,##0.00;"($"#,##0.00")")f");
    QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany)
                           << QStringLiteral("#,##0.00\"\u00A0\u20AC\";\"-\"#,##0.00\"\u00A0\u20AC\"");
    QTest::newRow("fr_FR") << QLocale(QLocale::French, QLocale::France)
                           << QStringLiteral("#,##0.00\"\u00A0\u20AC\";\"(\"#,##0.00\"\u00A0\u20AC)\"");
    QTest::newRow("ja_JP no decimals") << QLocale(QLocale::Japanese, QLocale::Japan)
                                       << QStringLiteral("\"\uFFE5\"#,##0;\"(\uFFE5\"#,##0\")\"");
    QTest::newRow("C no grouping") << QLocale::c() << QStringLiteral("0.00;\"-\"0.00");
}

void TestOfficeContent::currencyFormat()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, format);
    QLocale::setDefault(locale);
    QCOMPARE(excelCurrencyFormat(), format);
}

void TestOfficeContent::dateFormat_data()
{
    QTest::addColumn<QString>("qt");
    QTest::addColumn<QString>("excel");
    QTest::newRow("en_US") << QStringLiteral("M/d/yy") << QStringLiteral(R"f(m"/"d"/"yy)f");
    QTest::newRow("de_DE") << QStringLiteral("dd.MM.yy") << QStringLiteral(R"f(dd"."mm"."yy)f");
    QTest::newRow("ja_JP") << QStringLiteral("yyyy/MM/dd") << QStringLiteral(R"f(yyyy"/"mm"/"dd)f");
    QTest::newRow("names") << QStringLiteral("dddd, d MMMM yyyy") << QStringLiteral(R"f(dddd", "d" "mmmm" "yyyy)f");
    QTest::newRow("quoted text") << QStringLiteral("d 'de' MMM 'de' yyyy")
                                 << QStringLiteral(R"f(d" de "mmm" de "yyyy)f");
    QTest::newRow("quote characters") << QStringLiteral("d''M\"yy") << QStringLiteral(R"f(d"'"m\"yy)f");
    QTest::newRow("quote inside quoted text") << QStringLiteral("'o''clock' d") << QStringLiteral(R"f("o'clock "d)f");
    QTest::newRow("letters that are not fields") << QStringLiteral("y.M.d") << QStringLiteral(R"f("y."m"."d)f");
}

void TestOfficeContent::dateFormat()
{
    QFETCH(QString, qt);
    QFETCH(QString, excel);
    QCOMPARE(excelDateFormat(qt), excel);
}

void TestOfficeContent::localeDateFormat()
{
    QCOMPARE(excelDateFormat(), QStringLiteral(R"f(m"/"d"/"yy)f"));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(excelDateFormat(), QStringLiteral(R"f(dd"."mm"."yy)f"));
}

void TestOfficeContent::serialDate_data()
{
    QTest::addColumn<OleDateTime>("date");
    QTest::addColumn<double>("serial"); // -1: none
    QTest::newRow("2026-12-06 evening") << day(2026, 12, 6, 23) << 46362.0;
    QTest::newRow("2027-01-15") << day(2027, 1, 15) << 46402.0;
    QTest::newRow("1900-03-01") << day(1900, 3, 1) << 61.0;
    QTest::newRow("9999-12-31") << day(9999, 12, 31) << 2958465.0;
    QTest::newRow("1900-02-28") << day(1900, 2, 28) << -1.0;
    QTest::newRow("1899-12-30") << day(1899, 12, 30) << -1.0;
    QTest::newRow("invalid") << OleDateTime(46362.0, OleDateTime::Invalid) << -1.0;
}

void TestOfficeContent::serialDate()
{
    QFETCH(OleDateTime, date);
    QFETCH(double, serial);
    const std::optional<double> result = excelSerialDate(date);
    QCOMPARE(result.value_or(-1.0), serial);
}

void TestOfficeContent::colours_data()
{
    QTest::addColumn<quint32>("colorRef");
    QTest::addColumn<quint32>("rgb");
    QTest::newRow("subtitle") << quint32(0x5CC0C0) << quint32(0xC0C05C);
    QTest::newRow("label") << quint32(0x00FFC0) << quint32(0xC0FF00);
    QTest::newRow("navy") << quint32(0x800000) << quint32(0x000080);
    QTest::newRow("red") << quint32(0x0000FF) << quint32(0xFF0000);
    QTest::newRow("data") << quint32(0xF1E3E7) << quint32(0xE7E3F1);
    QTest::newRow("high byte dropped") << quint32(0xFF123456) << quint32(0x563412);
}

void TestOfficeContent::colours()
{
    QFETCH(quint32, colorRef);
    QFETCH(quint32, rgb);
    QCOMPARE(rgbFromColorRef(colorRef), rgb);
}

void TestOfficeContent::roundedMoney_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("rounded");
    QTest::addColumn<bool>("negative");
    QTest::newRow("cents") << 12.345 << 12.35 << false;
    QTest::newRow("negative") << -2500.0 << -2500.0 << true;
    QTest::newRow("rounds to minus zero") << -0.004 << 0.0 << false;
    QTest::newRow("rounds to a cent") << -0.005001 << -0.01 << true;
}

void TestOfficeContent::roundedMoney()
{
    QFETCH(double, value);
    QFETCH(double, rounded);
    QFETCH(bool, negative);
    const OfficeCell cell = OfficeCell::fromMoney(value);
    QCOMPARE(cell.roundedValue(), rounded);
    QVERIFY(!std::signbit(cell.roundedValue()) || negative);
    QCOMPARE(cell.isNegativeMoney(), negative);
    QCOMPARE(OfficeCell::fromText(QStringLiteral("-1")).isNegativeMoney(), false);
}

void TestOfficeContent::accounts()
{
    const std::optional<OfficeContent> content = officeContent(accountsSource());
    QVERIFY(content);
    QCOMPARE(content->title, QStringLiteral("Fennimar - Accounts"));
    QCOMPARE(content->subtitle.kind, OfficeCell::Kind::Date);
    QCOMPARE(content->subtitle.date, day(2026, 12, 6, 18));
    QCOMPARE(content->headings, (QStringList{QStringLiteral("Account Number"), QStringLiteral("Name"),
                                             QStringLiteral("Bank"), QStringLiteral("Balance")}));
    QCOMPARE(content->rows.size(), 3);
    const OfficeRow &second = content->rows[1];
    QCOMPARE(second[0].text, QStringLiteral("2002"));
    QCOMPARE(second[1].text, QStringLiteral("Savings & <Co>"));
    QCOMPARE(second[2].text, QStringLiteral("Second \"Bank\""));
    QCOMPARE(second[3].kind, OfficeCell::Kind::Money);
    QCOMPARE(second[3].value, -12.5);
}

void TestOfficeContent::transactionsLeaveOutPlans()
{
    const std::optional<OfficeContent> content = officeContent(transactionsSource());
    QVERIFY(content);
    QCOMPARE(content->title, QStringLiteral("Fennimar - Transactions"));
    QCOMPARE(content->subtitle.kind, OfficeCell::Kind::Text);
    QCOMPARE(content->subtitle.text, QStringLiteral("12/1/26 to 12/31/26"));
    QCOMPARE(content->accountTitle, QStringLiteral("First Bank - 1001"));
    QCOMPARE(content->openingText, QStringLiteral("Balance till 11/30/26"));
    QCOMPARE(content->openingBalance, 100.0);
    QCOMPARE(content->rows.size(), 2);
    QCOMPARE(content->rows[0][0].kind, OfficeCell::Kind::Date);
    QCOMPARE(content->rows[0][0].date, day(2026, 12, 5));
    QCOMPARE(content->rows[1][1].text, QStringLiteral("Rent"));
    QCOMPARE(content->rows[1][2].value, -2500.0);
    QCOMPARE(content->rows[1][3].value, -400.0);

    // Only the opening row: the head, no data rows.
    ExportSource opening = transactionsSource();
    opening.transactions.rows.resize(1);
    opening.transactions.count = 1;
    const std::optional<OfficeContent> bare = officeContent(opening);
    QVERIFY(bare);
    QCOMPARE(bare->rows.size(), 0);
}

void TestOfficeContent::plans()
{
    const std::optional<OfficeContent> content = officeContent(plansSource());
    QVERIFY(content);
    QCOMPARE(content->title, QStringLiteral("Fennimar - Plans"));
    QCOMPARE(content->subtitle.text, QStringLiteral("12/1/26 to 12/31/26"));
    QCOMPARE(content->headings, (QStringList{QStringLiteral("Account Number"), QStringLiteral("Date"),
                                             QStringLiteral("Subject"), QStringLiteral("Amount")}));
    QCOMPARE(content->rows.size(), 2);
    QCOMPARE(content->rows[0][0].text, QStringLiteral("1001"));
    QCOMPARE(content->rows[0][1].date, day(2026, 12, 20));
    QCOMPARE(content->rows[0][2].text, QStringLiteral("Insurance"));
    QCOMPARE(content->rows[0][3].value, -75.25);
}

void TestOfficeContent::nothingToExport()
{
    QFETCH(ExportSource, source);
    QVERIFY(!officeContent(source).has_value());
}

QTEST_GUILESS_MAIN(TestOfficeContent)
#include "tst_officecontent.moc"
