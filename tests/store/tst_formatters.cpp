#include "formatters.h"
#include "testutil.h"

#include <QTest>

class TestFormatters : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testutil::useUsEnglish(); }
    void cleanup() { testutil::useUsEnglish(); }

    void amounts_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("amount");     // formatAmount
        QTest::addColumn<QString>("signedText"); // amountText

        QTest::newRow("us positive") << "en_US" << 12.5 << "$12.50" << "$12.50";
        // The locale writes ($12.50); the parentheses go, and with them the sign.
        QTest::newRow("us negative") << "en_US" << -12.5 << "$12.50" << "-$12.50";
        QTest::newRow("us zero") << "en_US" << 0.0 << "$0.00" << "$0.00";
        QTest::newRow("us ten million") << "en_US" << 10000000.0 << "$10,000,000.00" << "$10,000,000.00";
        QTest::newRow("us rounding") << "en_US" << 0.1 + 0.2 << "$0.30" << "$0.30";
        QTest::newRow("us negative millions") << "en_US" << -1234567.891 << "$1,234,567.89" << "-$1,234,567.89";
        // A locale that writes a minus sign keeps it.
        QTest::newRow("de negative") << "de_DE" << -12.5 << "-12,50\u00a0€" << "-12,50\u00a0€";
        QTest::newRow("de positive") << "de_DE" << 1234.5 << "1.234,50\u00a0€" << "1.234,50\u00a0€";
    }

    void amounts()
    {
        QFETCH(QString, locale);
        QFETCH(double, value);
        QFETCH(QString, amount);
        QFETCH(QString, signedText);
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(formatAmount(value), amount);
        QCOMPARE(amountText(value), signedText);
    }

    void currencyOfText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("currency");
        QTest::addColumn<QString>("plain");
        QTest::newRow("trimmed") << "  42.000000 " << "$42.00" << "$42.00";
        QTest::newRow("negative") << "-3.5" << "$3.50" << "($3.50)";
        QTest::newRow("no integer part") << ".5" << "$0.50" << "$0.50";
        QTest::newRow("trailing point") << "7." << "$7.00" << "$7.00";
        QTest::newRow("not a number") << "abc" << "" << "";
        QTest::newRow("two points") << "1.2.3" << "" << "";
        QTest::newRow("sign only") << "-" << "" << "";
        QTest::newRow("exponent") << "1e5" << "" << "";
        QTest::newRow("empty") << "" << "" << "";
    }

    void currencyOfText()
    {
        QFETCH(QString, text);
        QFETCH(QString, currency);
        QFETCH(QString, plain);
        QCOMPARE(formatCurrency(text), currency);
        QCOMPARE(formatCurrencyPlain(text), plain);
    }

    void dates()
    {
        const OleDateTime d = OleDateTime::fromDateTime(QDate(2026, 12, 6), QTime(23, 59, 59));
        QCOMPARE(formatDate(d), QLocale().toString(QDate(2026, 12, 6), QLocale::ShortFormat));
        QCOMPARE(formatDate(d), QStringLiteral("12/6/26"));
        QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
        QCOMPARE(formatDate(d), QStringLiteral("06.12.26"));
        QCOMPARE(formatDate(OleDateTime(0.0, OleDateTime::Invalid)), QString());
    }
};

QTEST_GUILESS_MAIN(TestFormatters)
#include "tst_formatters.moc"
