#include "store/search.h"
#include "storefixture.h"

#include <QtTest>

using namespace testutil;

class TestSearch : public QObject
{
    Q_OBJECT

    static TransactionRecord sample()
    {
        TransactionRecord r =
            movement(QStringLiteral("2026120100000090"), at(2026, 3, 4), -42.8, QStringLiteral("Groceries at Market"));
        r.category = QStringLiteral("Snacks");
        r.notes = QStringLiteral("Paid with the blue card");
        return r;
    }

private Q_SLOTS:
    void initTestCase() { useUsEnglish(); }

    void eachFieldMatches_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("found");
        QTest::newRow("subject") << "market" << true;
        QTest::newRow("subject, other case") << "GROCERIES" << true;
        QTest::newRow("notes") << "Blue Card" << true;
        QTest::newRow("category") << "snack" << true;
        QTest::newRow("amount as stored") << "42.80" << true;
        QTest::newRow("amount with one decimal") << "42.8" << true;
        QTest::newRow("amount, another value") << "42.81" << false;
        QTest::newRow("amount without its cents") << "42" << false;
        QTest::newRow("date as the list shows it") << "3/4/26" << true;
        QTest::newRow("ISO date") << "2026-03-04" << true;
        QTest::newRow("ISO month") << "2026-03" << true;
        QTest::newRow("another month") << "2026-04" << false;
        QTest::newRow("every word somewhere") << "snacks 42.8 market" << true;
        QTest::newRow("one word nowhere") << "snacks rent" << false;
        QTest::newRow("the key is not searched") << "20261201" << false;
        QTest::newRow("blanks only") << "   " << true;
    }

    void eachFieldMatches()
    {
        QFETCH(QString, text);
        QFETCH(bool, found);
        QCOMPARE(SearchQuery(text).matches(sample()), found);
    }

    void amountsWhateverTheirSpelling_data()
    {
        QTest::addColumn<double>("amount");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("found");
        QTest::newRow("income") << 42.8 << "42.8" << true;
        QTest::newRow("whole") << 1250.0 << "1250" << true;
        QTest::newRow("whole with point") << 1250.0 << "1250." << true;
        QTest::newRow("grouped") << 1250.0 << "1,250" << true;
        QTest::newRow("grouped with cents") << 1250.5 << "1,250.50" << true;
        QTest::newRow("badly grouped is text") << 1250.0 << "12,50" << false;
        QTest::newRow("cents only") << 0.5 << ".5" << true;
        QTest::newRow("three decimals is text") << 42.8 << "42.800" << false;
    }

    void amountsWhateverTheirSpelling()
    {
        QFETCH(double, amount);
        QFETCH(QString, text);
        QFETCH(bool, found);
        TransactionRecord r = movement(QStringLiteral("2026120100000090"), at(2025, 1, 1), amount, QStringLiteral("x"));
        QCOMPARE(SearchQuery(text).matches(r), found);
    }

    void accounts()
    {
        AccountRecord a = account(QStringLiteral("12-3456"), QStringLiteral("Kestrel Bank"));
        a.notes = QStringLiteral("joint");
        QVERIFY(SearchQuery(QStringLiteral("kestrel")).matches(a));
        QVERIFY(SearchQuery(QStringLiteral("3456 JOINT")).matches(a));
        QVERIFY(!SearchQuery(QStringLiteral("savings")).matches(a));
        QVERIFY(SearchQuery(QStringLiteral("cat")).matchesText(QStringLiteral("Categories")));
    }

    void findOverEveryAccountAndDate()
    {
        Book book;
        const QString a = book.store.addAccount(account(QStringLiteral("111")));
        const QString b = book.store.addAccount(account(QStringLiteral("222")));
        const QString k1 = book.store.addTransaction(movement(a, at(2026, 3, 4), -42.8, QStringLiteral("Rent")));
        const QString k2 = book.store.addTransaction(movement(b, at(1999, 1, 2), 42.8, QStringLiteral("Refund")));
        const QString k3 = book.store.addTransaction(movement(b, at(2030, 5, 6), -900, QStringLiteral("Rent")));
        book.store.addPlan(movement(a, at(2026, 3, 5), -42.8, QStringLiteral("Rent plan")));

        const auto keys = [&](const QString &text, const FindLimits &limits = FindLimits()) {
            QStringList found;
            for (const TransactionRecord &r : findTransactions(book.store, SearchQuery(text), limits))
                found << r.key;
            return found;
        };
        // By date, plans aside.
        QCOMPARE(keys("42.8"), QStringList({k2, k1}));
        QCOMPARE(keys("rent"), QStringList({k1, k3}));
        FindLimits account;
        account.accountId = b;
        QCOMPARE(keys("rent", account), QStringList{k3});
        FindLimits period;
        period.from = at(2026, 3, 4, 0, 0, 0);
        period.to = at(2026, 3, 4, 23, 59, 59);
        QCOMPARE(keys("", period), QStringList{k1});
        FindLimits amounts;
        amounts.minimum = 100;
        QCOMPARE(keys("", amounts), QStringList{k3});
        amounts.minimum = 42.8;
        amounts.maximum = 42.8;
        QCOMPARE(keys("", amounts), QStringList({k2, k1}));
    }
};

QTEST_GUILESS_MAIN(TestSearch)
#include "tst_search.moc"
