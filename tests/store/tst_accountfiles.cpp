#include "storefixture.h"

#include <QRegularExpression>
#include <QTest>

using namespace testutil;

class TestAccountFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useUsEnglish(); }

    void addWritesTheFileBytes()
    {
        Book book;
        AccountRecord a;
        a.accountNumber = QStringLiteral("12-34");
        a.name = QStringLiteral("Home");
        a.bank = QStringLiteral("Ülm");
        a.minimumBalance = 100.0;
        a.notes = QStringLiteral("a\r\nb");
        a.icon = 3;
        const QString id = book.store.addAccount(a);

        QVERIFY(QRegularExpression(QStringLiteral("^\\d{14}90$")).match(id).hasMatch());
        const QDateTime stamp = QDateTime::fromString(id.left(14), QStringLiteral("yyyyMMddHHmmss"));
        QVERIFY(qAbs(stamp.secsTo(QDateTime::currentDateTime())) < 120);

        const QByteArray expected = QByteArray("\x10") + id.toLatin1() + hex("05 31322d3334") + hex("04 486f6d65")
                                    + hex("03 dc6c6d") + hex("0000000000005940") + hex("04 610d0a62") + hex("03000000");
        QCOMPARE(readFile(book.path(id + ".act")), expected);

        a.id = id;
        QCOMPARE(book.store.lookupAccount(id), a);
        QCOMPARE(book.store.lookupAccount(QStringLiteral("2000010100000090")), AccountRecord());

        // A second store over the same folder reads the same record back.
        CDataStore other(book.dir.path());
        other.loadAccounts();
        QCOMPARE(other.lookupAccount(id), a);
    }

    void modifyRewritesTheFile()
    {
        Book book;
        const QString id = book.store.addAccount(account("1"));
        AccountRecord a = book.store.lookupAccount(id);
        a.name = QStringLiteral("Changed");
        book.store.modifyAccount(a);
        QCOMPARE(entries(book.dir.path()), QStringList({id + ".act"}));
        CDataStore other(book.dir.path());
        other.loadAccounts();
        QCOMPARE(other.lookupAccount(id).name, QStringLiteral("Changed"));
    }

    void loadUsesTheIdInTheFile()
    {
        Book book;
        AccountRecord a = account("7");
        a.id = QStringLiteral("2001020304050690");
        QVERIFY(writeFile(book.path("2222222222222290.act"), encodeAccount(a)));
        book.store.loadAccounts();
        QCOMPARE(book.store.accounts().keys(), QStringList({a.id}));
        // Modify writes the file of that id; the old file stays.
        book.store.modifyAccount(book.store.lookupAccount(a.id));
        QCOMPARE(entries(book.dir.path()), QStringList({"2001020304050690.act", "2222222222222290.act"}));
    }

    void hundredAccountsInOneSecondGetTheirOwnIds()
    {
        Book book;
        QSet<QString> ids;
        for (int i = 0; i < 100; ++i)
            ids.insert(book.store.addAccount(account(QString::number(i))));
        QCOMPARE(ids.size(), 100);
        QCOMPARE(entries(book.dir.path()).size(), 100);
        CDataStore other(book.dir.path());
        other.loadAccounts();
        QCOMPARE(other.accounts().size(), 100);
    }

    void deleteRemovesTheAccountWithItsTransactionsAndPlans()
    {
        Book book;
        const QString keep = book.store.addAccount(account("keep"));
        const QString gone = book.store.addAccount(account("gone"));
        book.store.addTransaction(movement(gone, at(2026, 1, 5), 10));
        book.store.addTransaction(movement(gone, at(2026, 1, 6), -3));
        const QString kept = book.store.addTransaction(movement(keep, at(2026, 1, 6), 1));
        book.store.addPlan(movement(gone, at(2026, 2, 1), 5));
        const QString keptPlan = book.store.addPlan(movement(keep, at(2026, 2, 1), 5));

        book.store.deleteAccount(gone);

        const QString planFile = QFileInfo(book.store.planFilePath()).fileName();
        QCOMPARE(entries(book.dir.path()), QStringList({keep + ".act", kept + ".tra", planFile}));
        QCOMPARE(book.store.accounts().keys(), QStringList({keep}));
        CDataStore other(book.dir.path());
        other.loadPlans();
        QCOMPARE(other.plans().keys(), QStringList({keptPlan}));
    }

    void accountListCarriesBalancesInTableOrder()
    {
        Book book;
        QStringList ids;
        for (int s = 0; s < 5; ++s) {
            AccountRecord a = account(QString::number(s));
            a.id = (QStringLiteral("202612060900%1").arg(s, 2, 10, QLatin1Char('0')) + QStringLiteral("90"));
            a.minimumBalance = s * 10;
            a.icon = s;
            QVERIFY(writeFile(book.path(a.id + ".act"), encodeAccount(a)));
            ids << a.id;
        }
        book.store.loadAccounts();
        book.putTransaction(movement(ids[0] + "2026010100000090", at(2026, 1, 1), 100.25));
        book.putTransaction(movement(ids[0] + "2026010100000190", at(2030, 1, 1), -0.25));
        book.putTransaction(movement(ids[3] + "2026010100000090", at(1990, 1, 1), -42));

        const AccountTable rows = book.store.fillAccountList();
        QCOMPARE(rows.size(), 5);
        QStringList order;
        for (const auto &row : rows) {
            order << row.data->id;
            QCOMPARE(row.image, row.data->icon);
            QCOMPARE(row.data->minimumBalance, row.data->icon * 10.0);
            const double expected = row.data->id == ids[0] ? 100.0 : row.data->id == ids[3] ? -42.0 : 0.0;
            QCOMPARE(row.data->transactionSum, expected);
        }
        // These five ids happen to fall in ascending buckets.
        QCOMPARE(order, book.store.accounts().keys());
        QCOMPARE(order, ids);
        QVERIFY(book.store.accountTransactions().isEmpty());
    }

    void accountCombo()
    {
        Book book;
        QCOMPARE(book.store.fillAccountCombo(QString()).currentIndex, -1);
        QVERIFY(book.store.fillAccountCombo(QString()).items.isEmpty());

        const QString a = book.store.addAccount(account("111", "First"));
        const QString b = book.store.addAccount(account("222", "Second"));
        const QStringList order = book.store.accounts().keys();

        AccountCombo combo = book.store.fillAccountCombo(b);
        QCOMPARE(combo.items.size(), 2);
        QCOMPARE(combo.currentId(), b);
        QCOMPARE(combo.items[order.indexOf(a)].text, QStringLiteral("First - 111"));
        QCOMPARE(combo.items[order.indexOf(a)].accountNumber, QStringLiteral("111"));
        QCOMPARE(combo.items[order.indexOf(b)].text, QStringLiteral("Second - 222"));

        // An id that matches none selects item 0.
        QCOMPARE(book.store.fillAccountCombo(QStringLiteral("1999010100000090")).currentIndex, 0);

        combo.selectByText(QStringLiteral("First - 111"));
        QCOMPARE(combo.currentId(), a);
        combo.selectByText(QStringLiteral("first - 111")); // case-sensitive: no change
        QCOMPARE(combo.currentId(), a);
    }
};

QTEST_GUILESS_MAIN(TestAccountFiles)
#include "tst_accountfiles.moc"
