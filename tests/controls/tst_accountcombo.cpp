#include "accountcombo.h"
#include "guitestutil.h"
#include "rowtables.h"

#include <QSignalSpy>
#include <QTest>

using namespace testutil;

namespace {

AccountCombo accounts(int count, int selected)
{
    AccountCombo combo;
    for (int i = 0; i < count; ++i) {
        const QString id = QStringLiteral("2026061212000%1").arg(i) + QStringLiteral("90");
        combo.items.append({QStringLiteral("Bank %1 - 100%1").arg(i), id, QStringLiteral("100%1").arg(i)});
    }
    combo.currentIndex = selected;
    return combo;
}

} // namespace

class TestAccountCombo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fill()
    {
        CAccountCombo combo;
        QSignalSpy user(&combo, &CAccountCombo::accountChanged);
        combo.fill(accounts(3, 0));
        QCOMPARE(combo.count(), 4);
        QCOMPARE(combo.itemText(0), QStringLiteral("All"));
        QCOMPARE(combo.itemText(1), QStringLiteral("Bank 0 - 1000"));
        QCOMPARE(combo.itemText(3), QStringLiteral("Bank 2 - 1002"));
        // The store's selection moves down by the inserted "All".
        QCOMPARE(combo.currentIndex(), 1);
        QCOMPARE(combo.currentAccountId(), QStringLiteral("20260612120000") + QStringLiteral("90"));
        QCOMPARE(combo.currentAccountNumber(), QStringLiteral("1000"));
        QVERIFY(combo.isAccountSelected());
        QCOMPARE(combo.accountId(0), QString());
        QCOMPARE(combo.accountId(2), QStringLiteral("2026061212000190"));
        QCOMPARE(combo.accountId(4), QString());
        QCOMPARE(combo.accountId(-1), QString());
        QVERIFY(!combo.isEditable());
        QCOMPARE(user.size(), 0);
    }

    void refill_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("items");
        QTest::addColumn<int>("current");
        QTest::newRow("first selected") << 2 << 0 << 3 << 1;
        QTest::newRow("last selected") << 2 << 1 << 3 << 2;
        QTest::newRow("none selected") << 2 << -1 << 3 << -1;
        QTest::newRow("no accounts") << 0 << -1 << 1 << -1;
        QTest::newRow("selection out of range") << 2 << 5 << 3 << -1;
    }

    void refill()
    {
        QFETCH(int, count);
        QFETCH(int, selected);
        QFETCH(int, items);
        QFETCH(int, current);
        CAccountCombo combo;
        combo.fill(accounts(5, 3));
        combo.fill(accounts(count, selected));
        QCOMPARE(combo.count(), items);
        QCOMPARE(combo.itemText(0), QStringLiteral("All"));
        QCOMPARE(combo.currentIndex(), current);
        QCOMPARE(combo.isAccountSelected(), current > 0);
        if (current <= 0)
            QCOMPARE(combo.currentAccountId(), QString());
    }

    void selectById_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("index");
        QTest::newRow("second account") << "2026061212000190" << 2;
        QTest::newRow("third account") << "2026061212000290" << 3;
        QTest::newRow("unknown") << "2026061212000990" << 0;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("prefix only") << "202606121200019" << 0;
        QTest::newRow("other case") << "2026061212000190 " << 0;
    }

    void selectById()
    {
        QFETCH(QString, id);
        QFETCH(int, index);
        CAccountCombo combo;
        combo.fill(accounts(3, 0));
        QSignalSpy user(&combo, &CAccountCombo::accountChanged);
        combo.selectById(id);
        QCOMPARE(combo.currentIndex(), index);
        QCOMPARE(combo.currentAccountId(), index > 0 ? id : QString());
        QCOMPARE(user.size(), 0);
    }

    void duplicateIdsTakeTheFirst()
    {
        AccountCombo store = accounts(3, 0);
        store.items[2].id = store.items[1].id;
        CAccountCombo combo;
        combo.fill(store);
        combo.selectById(store.items[1].id);
        QCOMPARE(combo.currentIndex(), 2);
    }

    void userChoiceReports()
    {
        CAccountCombo combo;
        combo.fill(accounts(3, 0));
        combo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&combo));
        combo.setFocus();
        QSignalSpy user(&combo, &CAccountCombo::accountChanged);
        QTest::keyClick(&combo, Qt::Key_Down);
        QCOMPARE(combo.currentIndex(), 2);
        QCOMPARE(user.size(), 1);
        QCOMPARE(user[0][0].toString(), QStringLiteral("2026061212000190"));
        QTest::keyClick(&combo, Qt::Key_Home);
        QCOMPARE(combo.currentIndex(), 0);
        QCOMPARE(user.size(), 2);
        QCOMPARE(user[1][0].toString(), QString());
    }
};

FENNIMAR_GUI_TEST_MAIN(TestAccountCombo)
#include "tst_accountcombo.moc"
