#include "accountcombo.h"
#include "guitestutil.h"
#include "rowtables.h"

#include <QSignalSpy>

using namespace testutil;

// Accounts "Bank i - 100i" with ids "id0", "id1", "id0" ...: the third repeats the first one's.
static AccountCombo accounts(int count, int selected)
{
    AccountCombo combo{{}, selected};
    for (int i = 0; i < count; ++i)
        combo.items.append(
            {QStringLiteral("Bank %1 - 100%1").arg(i), "id" + QString::number(i % 2), "100" + QString::number(i)});
    return combo;
}

class TestAccountCombo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A refill replaces the items; the store's selection moves down by the "All".
    void fill()
    {
        CAccountCombo combo;
        combo.fill(accounts(5, 3));
        combo.fill(accounts(3, 1));
        QCOMPARE(combo.count(), 4);
        QCOMPARE(combo.itemText(0), QStringLiteral("All"));
        QCOMPARE(combo.itemText(3), QStringLiteral("Bank 2 - 1002"));
        QCOMPARE(combo.currentIndex(), 2);
        QCOMPARE(combo.currentAccountId(), QStringLiteral("id1"));
        QCOMPARE(combo.currentAccountNumber(), QStringLiteral("1001"));
        combo.fill(accounts(2, 2)); // a selection out of range selects nothing
        QCOMPARE(combo.currentIndex(), -1);
        QCOMPARE(combo.currentAccountId(), QString());
    }

    void selectById_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("index");
        QTest::newRow("second account") << "id1" << 2;
        QTest::newRow("first of two equal ids") << "id0" << 1;
        QTest::newRow("unknown") << "id9" << 0;
        QTest::newRow("prefix only") << "id" << 0;
    }

    // The program's choice does not report; the user's does.
    void selectById()
    {
        QFETCH(QString, id);
        QFETCH(int, index);
        CAccountCombo combo;
        combo.fill(accounts(3, 2));
        combo.show();
        combo.setFocus();
        QSignalSpy user(&combo, &CAccountCombo::accountChanged);
        combo.selectById(id);
        QCOMPARE(combo.currentIndex(), index);
        QCOMPARE(combo.currentAccountId(), index > 0 ? id : QString());
        QCOMPARE(user.size(), 0);
        QTest::keyClick(&combo, Qt::Key_Home);
        QTest::keyClick(&combo, Qt::Key_Down);
        QCOMPARE(user.size(), index > 0 ? 2 : 1);
        QCOMPARE(user.last().first().toString(), QStringLiteral("id0"));
    }
};

FENNIMAR_GUI_TEST_MAIN(TestAccountCombo)
#include "tst_accountcombo.moc"
