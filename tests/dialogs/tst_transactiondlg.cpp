#include "controls/categorytreectrl.h"
#include "dialogs/categoriespickerdlg.h"
#include "dialogs/transactiondlg.h"
#include "dialogtest.h"
#include "storefixture.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QRadioButton>

using namespace testutil;

static TransactionRecord expenseRecord()
{
    TransactionRecord r(at(2026, 3, 14, 9, 30, 15));
    r.key = QStringLiteral("20260101120000902026031409301590");
    r.subject = QStringLiteral("Groceries");
    r.amount = -25.5;
    r.incomeFlag = 0;
    r.category = QStringLiteral("Snacks");
    r.notes = QStringLiteral("first\r\nsecond\nthird");
    r.spare = 7;
    return r;
}

static QComboBox *selector(QWidget *dialog)
{
    return child<QComboBox>(dialog, QStringLiteral("account"));
}

// The transaction dialog with its amount and notes fields.
class TestTransactionDlg : public QObject
{
    Q_OBJECT

    std::optional<GuiTestPlace> m_place;
    CDataStore m_store;
    QString m_first;
    QString m_second;

    // As the Modify command shows a record (account locked, the second) or as Add does (the first).
    std::unique_ptr<CTransactionDlg> open(bool modify, const TransactionRecord &record = expenseRecord())
    {
        auto dialog = std::make_unique<CTransactionDlg>(m_store);
        dialog->setAccountLocked(modify);
        dialog->setAccountId(modify ? m_second : m_first);
        dialog->setRecord(modify ? record : TransactionRecord(at(2026, 5, 1)));
        showAndWait(dialog.get());
        return dialog;
    }

private Q_SLOTS:
    void init()
    {
        m_place.emplace();
        m_store.setWorkDir(m_place->path());
        ensureCategoryFile(m_place->path());
        m_first = m_store.addAccount(account(QStringLiteral("100"), QStringLiteral("North")));
        m_second = m_store.addAccount(account(QStringLiteral("200"), QStringLiteral("South")));
    }

    // The amount shows in short form as a magnitude beside its kind, which gives the sign.
    // Untouched, the whole record comes back exactly, time of day and line ends included,
    // even a sign that disagrees with the kind; a typed amount or a changed kind signs anew.
    void amount_data()
    {
        QTest::addColumn<double>("amount");
        QTest::addColumn<int>("incomeFlag");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<double>("stored");
        QTest::addColumn<int>("storedFlag");
        QTest::newRow("expense unchanged") << -25.5 << 0 << "25.5"
                                           << ""
                                           << "" << -25.5 << 0;
        QTest::newRow("sum error kept") << 0.1 + 0.2 << 1 << "0.3"
                                        << ""
                                        << "" << 0.1 + 0.2 << 1;
        QTest::newRow("three decimals kept") << 25.555 << 1 << "25.55"
                                             << ""
                                             << "" << 25.555 << 1;
        QTest::newRow("large, no exponent") << 1e15 << 1 << "1000000000000000"
                                            << ""
                                            << "" << 1e15 << 1;
        QTest::newRow("expense to income") << -25.5 << 0 << "25.5"
                                           << ""
                                           << "income" << 25.5 << 1;
        QTest::newRow("expense of nothing") << 0.0 << 1 << "0"
                                            << ""
                                            << "expense" << 0.0 << 0;
        QTest::newRow("negative income kept") << -40.25 << 1 << "40.25"
                                              << ""
                                              << "" << -40.25 << 1;
        QTest::newRow("positive expense kept") << 40.25 << 0 << "40.25"
                                               << ""
                                               << "" << 40.25 << 0;
        QTest::newRow("negative income, kind clicked back") << -40.25 << 1 << "40.25"
                                                            << ""
                                                            << "expense income" << -40.25 << 1;
        QTest::newRow("negative income retyped") << -40.25 << 1 << "40.25"
                                                 << "41"
                                                 << "" << 41.0 << 1;
        QTest::newRow("negative income to expense") << -40.25 << 1 << "40.25"
                                                    << ""
                                                    << "expense" << -40.25 << 0;
        QTest::newRow("positive expense to income") << 40.25 << 0 << "40.25"
                                                    << ""
                                                    << "income" << 40.25 << 1;
        QTest::newRow("positive expense retyped") << 40.25 << 0 << "40.25"
                                                  << "12.5"
                                                  << "" << -12.5 << 0;
    }

    void amount()
    {
        QFETCH(double, amount);
        QFETCH(int, incomeFlag);
        QFETCH(QString, shown);
        QFETCH(QString, typed);
        QFETCH(QString, kind);
        QFETCH(double, stored);
        QFETCH(int, storedFlag);
        TransactionRecord given = expenseRecord();
        given.amount = amount;
        given.incomeFlag = incomeFlag;
        auto dialog = open(true, given);
        QCOMPARE(edit(dialog.get(), "amount")->text(), shown);
        QCOMPARE(child<QRadioButton>(dialog.get(), QStringLiteral("expense"))->isChecked(), incomeFlag == 0);
        if (!typed.isEmpty())
            retype(edit(dialog.get(), "amount"), typed);
        for (const QString &button : kind.split(u' ', Qt::SkipEmptyParts))
            press(dialog.get(), qPrintable(button));
        press(dialog.get(), "ok");
        QCOMPARE(std::signbit(dialog->record().amount), stored < 0);
        given.amount = stored;
        given.incomeFlag = storedFlag;
        QCOMPARE(dialog->record(), given);
    }

    // Shift+Tab and Tab stop at the checked one of Income and Expense only, the pair being
    // one stop; after a click on the other, or an arrow key that checks it, at that one.
    void kindIsOneTabStop_data()
    {
        QTest::addColumn<int>("incomeFlag");
        QTest::addColumn<QString>("clicked");
        QTest::addColumn<QString>("stop");
        QTest::newRow("expense") << 0 << ""
                                 << "expense";
        QTest::newRow("income") << 1 << ""
                                << "income";
        QTest::newRow("expense, income clicked") << 0 << "income"
                                                 << "income";
        QTest::newRow("income, expense clicked") << 1 << "expense"
                                                 << "expense";
        QTest::newRow("income, arrow to expense") << 1 << "arrow"
                                                  << "expense";
        QTest::newRow("expense, arrow to income") << 0 << "arrow"
                                                  << "income";
    }

    void kindIsOneTabStop()
    {
        QFETCH(int, incomeFlag);
        QFETCH(QString, clicked);
        QFETCH(QString, stop);
        TransactionRecord given = expenseRecord();
        given.incomeFlag = incomeFlag;
        // Each way on a dialog of its own: the first stop in the pair is the one in question.
        for (const bool forward : {true, false}) {
            auto dialog = open(true, given);
            if (clicked == u"arrow") {
                const QString shown = incomeFlag ? QStringLiteral("income") : QStringLiteral("expense");
                auto *checked = child<QRadioButton>(dialog.get(), shown);
                checked->setFocus();
                QTest::keyClick(checked, incomeFlag ? Qt::Key_Right : Qt::Key_Left);
                QCOMPARE(focusName(), stop);
                QVERIFY(child<QRadioButton>(dialog.get(), stop)->isChecked());
            } else if (!clicked.isEmpty()) {
                press(dialog.get(), qPrintable(clicked));
            }
            edit(dialog.get(), forward ? "amount" : "category")->setFocus();
            QStringList stops;
            for (int i = 0; i < 2; ++i) {
                QTest::keyClick(QApplication::focusWidget(), forward ? Qt::Key_Tab : Qt::Key_Backtab);
                stops << focusName();
            }
            QCOMPARE(stops, QStringList({stop, forward ? "category" : "amount"}));
        }
    }

    // Adding from the keyboard: Enter in the notes is a new line, elsewhere OK; an amount
    // that is no number is refused, nothing typed lost.
    void addFromTheKeyboard()
    {
        MessageRecorder messages;
        auto dialog = open(false);
        CTransactionDlg *d = dialog.get();
        QCOMPARE(edit(d, "amount")->text(), QStringLiteral("0"));
        QVERIFY(child<QRadioButton>(d, QStringLiteral("income"))->isChecked());
        selector(d)->setFocus();
        QTest::keyClick(selector(d), selector(d)->currentIndex() == 0 ? Qt::Key_Down : Qt::Key_Up);
        retype(edit(d, "subject"), QStringLiteral("Gift"));
        retype(edit(d, "amount"), QString(400, u'9'));
        auto *notes = child<QPlainTextEdit>(d, QStringLiteral("notes"));
        QTest::keyClicks(notes, QStringLiteral("one"));
        QCOMPARE(keyResult(d, notes, Qt::Key_Return), -1);
        QTest::keyClicks(notes, QStringLiteral("two"));
        QCOMPARE(keyResult(d, edit(d, "subject"), Qt::Key_Return), -1);
        QCOMPARE(messages.texts(), QStringList({"Please enter a number."}));
        QCOMPARE(focusName(), QStringLiteral("amount"));
        QCOMPARE(edit(d, "subject")->text(), QStringLiteral("Gift"));
        QTest::keyClicks(edit(d, "amount"), QStringLiteral("99.95"));
        QCOMPARE(keyResult(d, child<QWidget>(d, QStringLiteral("date")), Qt::Key_Return), int(QDialog::Accepted));
        QCOMPARE(d->record().amount, 99.95);
        QCOMPARE(d->record().incomeFlag, 1);
        QCOMPARE(d->record().notes, QStringLiteral("one\r\ntwo"));
        QCOMPARE(d->accountId(), m_second);
    }

    // A typed amount beyond what a double holds to the cent is refused, the dialog stays
    // open; one within is rounded to cents once, here.
    void anAmountTooLargeIsRefused()
    {
        MessageRecorder messages;
        auto dialog = open(false);
        CTransactionDlg *d = dialog.get();
        retype(edit(d, "amount"), QStringLiteral("12345678901234567"));
        QCOMPARE(keyResult(d, edit(d, "subject"), Qt::Key_Return), -1);
        QCOMPARE(messages.texts(), QStringList({"The amount is too large: an amount is at most 1000000000000."}));
        QCOMPARE(focusName(), QStringLiteral("amount"));
        retype(edit(d, "amount"), QStringLiteral("999999999999.99"));
        QCOMPARE(keyResult(d, edit(d, "subject"), Qt::Key_Return), int(QDialog::Accepted));
        QCOMPARE(d->record().amount, 999999999999.99);
    }

    // Browse opens the picker on the category. Cancel and Escape give the record back as
    // it was; OK and Enter store the subject trimmed, "No Subject" for none, and the
    // category picked unless the picker was cancelled. Closing lets the locked
    // selector's items go; reopened, all is back.
    void closing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("picker");
        QTest::addColumn<QString>("subject");
        QTest::newRow("Cancel") << "cancel"
                                << "Changed"
                                << "ok"
                                << "Groceries";
        QTest::newRow("Escape") << "escape"
                                << "Changed"
                                << "ok"
                                << "Groceries";
        QTest::newRow("OK, inner blanks kept") << "ok"
                                               << "  Rent  for   May "
                                               << "ok"
                                               << "Rent  for   May";
        QTest::newRow("Enter, blanks only") << "enter"
                                            << "    "
                                            << "cancel"
                                            << "No Subject";
        QTest::newRow("OK, empty") << "ok"
                                   << ""
                                   << "cancel"
                                   << "No Subject";
    }

    void closing()
    {
        QFETCH(QString, how);
        QFETCH(QString, typed);
        QFETCH(QString, picker);
        QFETCH(QString, subject);
        auto dialog = open(true);
        QVERIFY(!selector(dialog.get())->isEnabled());
        QCOMPARE(selector(dialog.get())->currentText(), QStringLiteral("South - 200"));
        QString preselected;
        whenModal<CCategoriesPickerDlg>([&](CCategoriesPickerDlg *categories) {
            preselected = categories->tree()->currentItem()->text(0);
            categories->tree()->setCurrentItem(categories->tree()->find(QStringLiteral("Pet Items")));
            press(categories, qPrintable(picker));
        });
        press(dialog.get(), "browse");
        QCOMPARE(preselected, QStringLiteral("Snacks"));
        const QString picked = picker == u"ok" ? QStringLiteral("Pet Items") : QStringLiteral("Snacks");
        QCOMPARE(edit(dialog.get(), "category")->text(), picked);
        retype(edit(dialog.get(), "subject"), typed);
        const bool accepted = how == u"ok" || how == u"enter";
        QCOMPARE(finish(dialog.get(), edit(dialog.get(), "subject"), how),
                 int(accepted ? QDialog::Accepted : QDialog::Rejected));
        QCOMPARE(selector(dialog.get())->count(), 0);
        TransactionRecord expected = expenseRecord();
        expected.subject = subject;
        if (accepted)
            expected.category = picked;
        QCOMPARE(dialog->record(), expected);
        QCOMPARE(dialog->accountId(), m_second);
        showAndWait(dialog.get());
        QCOMPARE(selector(dialog.get())->count(), 2);
        QCOMPARE(edit(dialog.get(), "subject")->text(), subject);
    }

    // The account of a locked record is gone, or there is no account: none is shown and the id is kept.
    void accountNotListed()
    {
        for (const bool locked : {true, false}) {
            if (!locked)
                m_store.setWorkDir(m_place->filePath(QStringLiteral("empty")));
            CTransactionDlg dialog(m_store);
            dialog.setAccountLocked(locked);
            dialog.setAccountId(QStringLiteral("1999010100000090"));
            showAndWait(&dialog);
            QCOMPARE(selector(&dialog)->count(), locked ? 2 : 0);
            QCOMPARE(selector(&dialog)->currentIndex(), -1);
            press(&dialog, "ok");
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(dialog.accountId(), QStringLiteral("1999010100000090"));
        }
    }
};

QTEST_MAIN(TestTransactionDlg)
#include "tst_transactiondlg.moc"
