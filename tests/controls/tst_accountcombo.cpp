#include "controls/accountcombo.h"
#include "guitestutil.h"
#include "store/rowtables.h"
#include "textrecorder.h"

#include <QAbstractItemView>
#include <QSignalSpy>
#include <QToolBar>

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

static AccountCombo named(const QStringList &texts, int selected)
{
    AccountCombo combo{{}, selected};
    for (int i = 0; i < texts.size(); ++i)
        combo.items.append({texts[i], "id" + QString::number(i), QString::number(i)});
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

    // In the bar the field grows with its longest account, up to 320 pixels, so a
    // bank with a long name still shows the whole account number.
    void fieldFitsTheAccounts_data()
    {
        const QString harbour = QStringLiteral("Harbour Credit Union - 55-9876-5432");
        const QString longest = QStringLiteral("Cooperative Savings and Loan Association of the Northern "
                                               "Fjords - 0001-2222-3333-4444");
        QTest::addColumn<QStringList>("accounts");
        QTest::addColumn<int>("selected");
        QTest::addColumn<bool>("whole");
        QTest::addColumn<bool>("widest");
        QTest::newRow("short") << QStringList{"Kestrel - 1"} << 0 << true << false;
        QTest::newRow("long name") << QStringList{"Kestrel - 1", harbour} << 1 << true << false;
        QTest::newRow("beside a longer one") << QStringList{harbour, longest} << 0 << true << true;
        QTest::newRow("too long for the bar") << QStringList{harbour, longest} << 1 << false << true;
    }

    void fieldFitsTheAccounts()
    {
        QFETCH(QStringList, accounts);
        QFETCH(int, selected);
        QFETCH(bool, whole);
        QFETCH(bool, widest);
        QToolBar bar;
        auto *combo = new CAccountCombo;
        combo->setMinimumWidth(170);
        bar.addWidget(combo);
        bar.resize(900, 40);
        bar.show();
        combo->fill(named({"Bank - 1"}, 0));
        QApplication::processEvents();
        combo->fill(named(accounts, selected));
        QApplication::processEvents();

        QVERIFY(combo->width() >= 170);
        QVERIFY(combo->width() <= 320);
        QCOMPARE(combo->width() == 320, widest);
        const QStringList painted = textsIn(paintedTexts(*combo), combo->rect());
        QCOMPARE(painted.size(), 1);
        if (whole) {
            QCOMPARE(painted.first(), accounts[selected]);
        } else {
            QVERIFY2(painted.first().endsWith(QChar(0x2026)), qPrintable(painted.first()));
            QVERIFY(accounts[selected].startsWith(painted.first().chopped(1)));
        }
    }

    // The drop-down shows every account whole, however narrow the field.
    void dropDownFitsTheLongestAccount()
    {
        const QString longest = QStringLiteral("Cooperative Savings and Loan Association of the Northern "
                                               "Fjords - 0001-2222-3333-4444");
        CAccountCombo combo;
        combo.fill(named({"Kestrel - 1", longest, "Harbour Credit Union - 55-9876-5432"}, 0));
        combo.resize(170, combo.sizeHint().height());
        combo.show();
        combo.showPopup();
        QAbstractItemView *view = combo.view();
        QTRY_VERIFY(view->isVisible());
        QVERIFY(view->viewport()->width() >= view->sizeHintForColumn(0));
        QVERIFY(view->viewport()->width() >= view->fontMetrics().horizontalAdvance(longest));
        combo.hidePopup();
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
