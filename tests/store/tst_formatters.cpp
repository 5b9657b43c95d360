#include "store/formatters.h"
#include "testutil.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>

class TestFormatters : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { testutil::useUsEnglish(); }

    void amounts_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("amount");     // formatAmount
        QTest::addColumn<QString>("signedText"); // amountText

        QTest::newRow("us positive") << "en_US" << 12.5 << "$12.50"
                                     << "$12.50";
        // The locale writes ($12.50); the parentheses go, and with them the sign.
        QTest::newRow("us negative") << "en_US" << -12.5 << "$12.50"
                                     << "-$12.50";
        QTest::newRow("us rounding") << "en_US" << 0.1 + 0.2 << "$0.30"
                                     << "$0.30";
        QTest::newRow("us negative millions") << "en_US" << -1234567.891 << "$1,234,567.89"
                                              << "-$1,234,567.89";
        // A locale that writes a minus sign keeps it.
        QTest::newRow("de negative") << "de_DE" << -1234.5 << "-1.234,50\u00a0€"
                                     << "-1.234,50\u00a0€";
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

    // Amounts are the currency text of the value written with six decimals:
    // half-cent edges, huge and tiny values and values that are no numbers.
    void amountsAreTheCurrencyOfTheirSixDecimals()
    {
        QList<double> values{0.005, 0.015,  0.0049999999, 2.675,  -0.0000001, 1e15 + 0.125,
                             1e300, 5e-324, -0.0,         qInf(), -qInf(),    qQNaN()};
        QRandomGenerator random(7);
        for (int i = 0; i < 2000; ++i)
            values << (random.generateDouble() - 0.5) * std::pow(10.0, random.bounded(14));
        for (const char *locale : {"en_US", "de_DE", "fr_CH", "ja_JP"}) {
            QLocale::setDefault(QLocale(QString::fromLatin1(locale)));
            for (const double value : values) {
                const QString sixDecimals = QString::asprintf("%lf", value);
                QCOMPARE(formatAmount(value), formatCurrency(sixDecimals));
            }
        }
    }

    void currencyOfText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("currency");
        QTest::addColumn<QString>("plain");
        QTest::newRow("trimmed") << "  42.000000 "
                                 << "$42.00"
                                 << "$42.00";
        QTest::newRow("negative") << "-3.5"
                                  << "$3.50"
                                  << "($3.50)";
        QTest::newRow("no integer part") << ".5"
                                         << "$0.50"
                                         << "$0.50";
        for (const char *bad : {"abc", "1.2.3", "-", "1e5"})
            QTest::newRow(bad) << bad << ""
                               << "";
    }

    void currencyOfText()
    {
        QFETCH(QString, text);
        QFETCH(QString, currency);
        QFETCH(QString, plain);
        QCOMPARE(formatCurrency(text), currency);
        QCOMPARE(formatCurrencyPlain(text), plain);
    }
};

QTEST_GUILESS_MAIN(TestFormatters)
#include "tst_formatters.moc"
