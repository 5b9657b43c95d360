#include "categoriespickerdlg.h"
#include "categorytreectrl.h"
#include "flatdatectrl.h"
#include "recorddlgtest.h"
#include "transactiondlg.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

using namespace testutil;

namespace {

TransactionRecord expenseRecord()
{
    TransactionRecord r(at(2026, 3, 14, 9, 30, 15));
    r.key = QStringLiteral("2026010112000090") + QStringLiteral("2026031409301590");
    r.subject = QStringLiteral("Groceries");
    r.amount = -25.5;
    r.incomeFlag = 0;
    r.category = QStringLiteral("Snacks");
    r.notes = QStringLiteral("first\r\nsecond");
    r.spare = 7;
    return r;
}

QComboBox *selector(QWidget *dialog)
{
    return child<QComboBox>(dialog, QStringLiteral("account"));
}

QPlainTextEdit *notes(QWidget *dialog)
{
    return child<QPlainTextEdit>(dialog, QStringLiteral("notes"));
}

} // namespace

class TestTransactionDlg : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<DialogBook> m_book;
    QString m_first;
    QString m_second;

    // A dialog as the Modify command sets it up, on the second account.
    std::unique_ptr<CTransactionDlg> modifyDialog(const TransactionRecord &record)
    {
        auto dialog = std::make_unique<CTransactionDlg>(m_book->store);
        dialog->setCaption(QStringLiteral("Transaction"));
        dialog->setAccountLocked(true);
        dialog->setAccountId(m_second);
        dialog->setRecord(record);
        return dialog;
    }

    std::unique_ptr<CTransactionDlg> addDialog(const QString &accountId)
    {
        auto dialog = std::make_unique<CTransactionDlg>(m_book->store);
        dialog->setCaption(QStringLiteral("Plan"));
        dialog->setAccountLocked(false);
        dialog->setAccountId(accountId);
        dialog->setRecord(TransactionRecord(at(2026, 5, 1)));
        return dialog;
    }

private Q_SLOTS:
    void initTestCase() { useUsEnglish(); }

    void init()
    {
        m_book = std::make_unique<DialogBook>();
        ensureCategoryFile(m_book->place.path());
        m_first = m_book->addAccount(QStringLiteral("100"), QStringLiteral("North"));
        m_second = m_book->addAccount(QStringLiteral("200"), QStringLiteral("South"));
    }

    void cleanup() { m_book.reset(); }

    void opening()
    {
        auto dialog = addDialog(m_second);
        showAndWait(dialog.get());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Plan"));
        QCOMPARE(captions(dialog.get()), QStringList({"Account No.", "Amount", "Category", "Date", "Expense",
                                                      "Income", "Notes", "Subject"}));
        QCOMPARE(selector(dialog.get())->count(), 2);
        QVERIFY(selector(dialog.get())->isEnabled());
        QCOMPARE(selector(dialog.get())->currentText(), QStringLiteral("South - 200"));
        auto *date = child<CFlatDateCtrl>(dialog.get(), QStringLiteral("date"));
        QCOMPARE(date->displayFormat(), QStringLiteral("MMM dd, yyyy"));
        QCOMPARE(date->text(), QStringLiteral("May 01, 2026"));
        QCOMPARE(edit(dialog.get(), "amount")->text(), QStringLiteral("0"));
        QVERIFY(child<QRadioButton>(dialog.get(), QStringLiteral("income"))->isChecked());
        QVERIFY(!child<QRadioButton>(dialog.get(), QStringLiteral("expense"))->isChecked());
        QVERIFY(edit(dialog.get(), "category")->isReadOnly());
        QVERIFY(edit(dialog.get(), "subject")->text().isEmpty());
        QVERIFY(notes(dialog.get())->toPlainText().isEmpty());
    }

    // The amount shows as a magnitude with the kind beside it.
    void showsAmount_data()
    {
        QTest::addColumn<double>("amount");
        QTest::addColumn<int>("incomeFlag");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("income");
        QTest::newRow("expense") << -25.5 << 0 << "25.5" << false;
        QTest::newRow("income") << 1234.5 << 1 << "1234.5" << true;
        QTest::newRow("income of nothing") << 0.0 << 1 << "0" << true;
        QTest::newRow("expense stored positive") << 80.0 << 0 << "80" << false;
        QTest::newRow("two decimals") << -0.07 << 0 << "0.07" << false;
    }

    void showsAmount()
    {
        QFETCH(double, amount);
        QFETCH(int, incomeFlag);
        QFETCH(QString, text);
        QFETCH(bool, income);
        TransactionRecord record = expenseRecord();
        record.amount = amount;
        record.incomeFlag = incomeFlag;
        auto dialog = modifyDialog(record);
        showAndWait(dialog.get());
        QCOMPARE(edit(dialog.get(), "amount")->text(), text);
        QCOMPARE(child<QRadioButton>(dialog.get(), QStringLiteral("income"))->isChecked(), income);
        QCOMPARE(child<QRadioButton>(dialog.get(), QStringLiteral("expense"))->isChecked(), !income);
    }

    // OK without a change hands back the record as it was given, key, spare,
    // time of day and line ends included.
    void unchangedRoundTrip()
    {
        const TransactionRecord given = expenseRecord();
        auto dialog = modifyDialog(given);
        showAndWait(dialog.get());
        QCOMPARE(edit(dialog.get(), "amount")->text(), QStringLiteral("25.5"));
        QCOMPARE(notes(dialog.get())->toPlainText(), QStringLiteral("first\nsecond"));
        press(dialog.get(), "ok");
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QCOMPARE(dialog->record(), given);
        QCOMPARE(dialog->record().amount, -25.5);
        QCOMPARE(dialog->accountId(), m_second);
    }

    void subject_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("empty") << "" << "No Subject";
        QTest::newRow("blanks only") << "    " << "No Subject";
        QTest::newRow("inner blanks kept") << "  Rent  for   May " << "Rent  for   May";
        QTest::newRow("plain") << "Salary" << "Salary";
    }

    void subject()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        auto dialog = addDialog(m_first);
        showAndWait(dialog.get());
        retype(edit(dialog.get(), "subject"), typed);
        press(dialog.get(), "ok");
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QCOMPARE(dialog->record().subject, stored);
    }

    // The user types a magnitude; the kind gives the sign.
    void signedAmount_data()
    {
        QTest::addColumn<double>("amount");
        QTest::addColumn<int>("incomeFlag");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<double>("stored");
        QTest::addColumn<int>("storedFlag");
        QTest::newRow("expense to income") << -25.5 << 0 << QString() << "income" << 25.5 << 1;
        QTest::newRow("income to expense") << 40.0 << 1 << QString() << "expense" << -40.0 << 0;
        QTest::newRow("typed expense") << 0.0 << 1 << "12.34" << "expense" << -12.34 << 0;
        QTest::newRow("typed income") << -3.0 << 0 << "1000.5" << "income" << 1000.5 << 1;
        QTest::newRow("expense of nothing") << 5.0 << 1 << "0" << "expense" << 0.0 << 0;
    }

    void signedAmount()
    {
        QFETCH(double, amount);
        QFETCH(int, incomeFlag);
        QFETCH(QString, typed);
        QFETCH(QString, kind);
        QFETCH(double, stored);
        QFETCH(int, storedFlag);
        TransactionRecord given = expenseRecord();
        given.amount = amount;
        given.incomeFlag = incomeFlag;
        auto dialog = modifyDialog(given);
        showAndWait(dialog.get());
        if (!typed.isEmpty())
            retype(edit(dialog.get(), "amount"), typed);
        QTest::mouseClick(child<QRadioButton>(dialog.get(), kind), Qt::LeftButton);
        press(dialog.get(), "ok");
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QCOMPARE(dialog->record().amount, stored);
        QVERIFY(!std::signbit(dialog->record().amount) || stored < 0);
        QCOMPARE(dialog->record().incomeFlag, storedFlag);
    }

    void editedFields()
    {
        auto dialog = addDialog(m_first);
        showAndWait(dialog.get());
        child<CFlatDateCtrl>(dialog.get(), QStringLiteral("date"))->setDate(QDate(2026, 12, 24));
        retype(edit(dialog.get(), "subject"), QStringLiteral("Gift"));
        retype(edit(dialog.get(), "amount"), QStringLiteral("99.95"));
        notes(dialog.get())->setFocus();
        QTest::keyClicks(notes(dialog.get()), QStringLiteral("wrapped"));
        press(dialog.get(), "ok");
        const TransactionRecord r = dialog->record();
        QCOMPARE(r.date, at(2026, 12, 24));
        QCOMPARE(r.subject, QStringLiteral("Gift"));
        QCOMPARE(r.amount, 99.95);
        QCOMPARE(r.incomeFlag, 1);
        QCOMPARE(r.notes, QStringLiteral("wrapped"));
        QVERIFY(r.key.isEmpty());
        QCOMPARE(dialog->accountId(), m_first);
    }

    // An amount that is no number is refused; nothing typed is lost.
    void amountRefused_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("empty") << "";
        QTest::newRow("point only") << ".";
    }

    void amountRefused()
    {
        QFETCH(QString, typed);
        MessageRecorder messages;
        auto dialog = addDialog(m_first);
        showAndWait(dialog.get());
        retype(edit(dialog.get(), "subject"), QStringLiteral("Typed"));
        retype(edit(dialog.get(), "amount"), typed);
        press(dialog.get(), "ok");
        QCOMPARE(messages.texts(), QStringList({"Please enter a number."}));
        QCOMPARE(messages.shown[0].icon, MessageIcon::Warning);
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QCOMPARE(focusName(), QStringLiteral("amount"));
        QCOMPARE(edit(dialog.get(), "subject")->text(), QStringLiteral("Typed"));
        QCOMPARE(selector(dialog.get())->count(), 2);
        QCOMPARE(dialog->record().subject, QString());

        QTest::keyClicks(edit(dialog.get(), "amount"), QStringLiteral("7"));
        press(dialog.get(), "ok");
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        // The refused text was selected, so the digit replaced it.
        QCOMPARE(dialog->record().amount, 7.0);
        QCOMPARE(messages.shown.size(), 1);
    }

    void lockedSelectorKeepsAccount()
    {
        auto dialog = modifyDialog(expenseRecord());
        showAndWait(dialog.get());
        QVERIFY(!selector(dialog.get())->isEnabled());
        QCOMPARE(selector(dialog.get())->currentText(), QStringLiteral("South - 200"));
        QTest::keyClick(selector(dialog.get()), Qt::Key_Up);
        press(dialog.get(), "ok");
        QCOMPARE(dialog->accountId(), m_second);
        QCOMPARE(dialog->record().key, expenseRecord().key);
    }

    // A locked record whose account is gone shows no other account.
    void lockedUnknownAccount()
    {
        auto dialog = std::make_unique<CTransactionDlg>(m_book->store);
        dialog->setAccountLocked(true);
        dialog->setAccountId(QStringLiteral("1999010100000090"));
        showAndWait(dialog.get());
        QCOMPARE(selector(dialog.get())->currentIndex(), -1);
        press(dialog.get(), "ok");
        QCOMPARE(dialog->accountId(), QStringLiteral("1999010100000090"));
    }

    void otherAccountChosen()
    {
        auto dialog = addDialog(m_first);
        showAndWait(dialog.get());
        QComboBox *combo = selector(dialog.get());
        const int other = 1 - combo->currentIndex();
        combo->setFocus();
        QTest::keyClick(combo, other > combo->currentIndex() ? Qt::Key_Down : Qt::Key_Up);
        QCOMPARE(combo->currentIndex(), other);
        press(dialog.get(), "ok");
        QCOMPARE(dialog->accountId(), m_second);
    }

    // An id no account has: the first account is shown, and it is the one chosen.
    void unknownAccountShowsFirst()
    {
        auto dialog = addDialog(QStringLiteral("1999010100000090"));
        showAndWait(dialog.get());
        QCOMPARE(selector(dialog.get())->currentIndex(), 0);
        const QString shown = selector(dialog.get())->currentData(CTransactionDlg::kIdRole).toString();
        QVERIFY(shown == m_first || shown == m_second);
        press(dialog.get(), "ok");
        QCOMPARE(dialog->accountId(), shown);
    }

    void noAccounts()
    {
        DialogBook empty;
        CTransactionDlg dialog(empty.store);
        dialog.setAccountLocked(false);
        dialog.setAccountId(QStringLiteral("2026010112000090"));
        showAndWait(&dialog);
        QCOMPARE(selector(&dialog)->count(), 0);
        press(&dialog, "ok");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.accountId(), QStringLiteral("2026010112000090"));
        QCOMPARE(dialog.record().subject, QStringLiteral("No Subject"));
    }

    // Cancel gives the record back as it was; every close lets the items go.
    void closing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("result");
        QTest::newRow("Cancel") << "cancel" << int(QDialog::Rejected);
        QTest::newRow("Escape") << "escape" << int(QDialog::Rejected);
        QTest::newRow("close box") << "close" << int(QDialog::Rejected);
        QTest::newRow("OK") << "ok" << int(QDialog::Accepted);
    }

    void closing()
    {
        QFETCH(QString, how);
        QFETCH(int, result);
        const TransactionRecord given = expenseRecord();
        auto dialog = modifyDialog(given);
        showAndWait(dialog.get());
        retype(edit(dialog.get(), "subject"), QStringLiteral("Changed"));
        if (how == u"cancel")
            press(dialog.get(), "cancel");
        else if (how == u"escape")
            QTest::keyClick(edit(dialog.get(), "subject"), Qt::Key_Escape);
        else if (how == u"close")
            dialog->close();
        else
            press(dialog.get(), "ok");
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->result(), result);
        QCOMPARE(selector(dialog.get())->count(), 0);
        QCOMPARE(dialog->record().subject,
                 result == QDialog::Accepted ? QStringLiteral("Changed") : given.subject);
        if (result == QDialog::Rejected)
            QCOMPARE(dialog->record(), given);
    }

    // Shown again after closing, the dialog begins from the values it holds.
    void reopened()
    {
        auto dialog = modifyDialog(expenseRecord());
        showAndWait(dialog.get());
        retype(edit(dialog.get(), "subject"), QStringLiteral("Changed"));
        press(dialog.get(), "cancel");
        showAndWait(dialog.get());
        QCOMPARE(selector(dialog.get())->count(), 2);
        QCOMPARE(selector(dialog.get())->currentText(), QStringLiteral("South - 200"));
        QCOMPARE(edit(dialog.get(), "subject")->text(), QStringLiteral("Groceries"));
    }

    void browse_data()
    {
        QTest::addColumn<bool>("pick");
        QTest::addColumn<QString>("category");
        QTest::newRow("picked") << true << "Pet Items";
        QTest::newRow("picker cancelled") << false << "Snacks";
    }

    void browse()
    {
        QFETCH(bool, pick);
        QFETCH(QString, category);
        auto dialog = modifyDialog(expenseRecord());
        showAndWait(dialog.get());
        QString preselected;
        whenModal<CCategoriesPickerDlg>([&](CCategoriesPickerDlg *picker) {
            QCOMPARE(picker->windowTitle(), QStringLiteral("Categories"));
            if (QTreeWidgetItem *current = picker->tree()->currentItem())
                preselected = current->text(0);
            picker->tree()->setCurrentItem(picker->tree()->find(QStringLiteral("Pet Items")));
            press(picker, pick ? "ok" : "cancel");
        });
        press(dialog.get(), "browse");
        QCOMPARE(preselected, QStringLiteral("Snacks"));
        QCOMPARE(edit(dialog.get(), "category")->text(), category);
        QVERIFY(dialog->isVisible());
        press(dialog.get(), "ok");
        QCOMPARE(dialog->record().category, category);
    }

    // The order Tab walks: every field (the date month, day and year), then OK and Cancel.
    void tabOrder()
    {
        auto dialog = addDialog(m_first);
        showAndWait(dialog.get());
        selector(dialog.get())->setFocus();
        QStringList walked{focusName()};
        for (int i = 0; i < 11; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            walked << focusName();
        }
        QCOMPARE(walked, QStringList({"account", "date", "date", "date", "subject", "amount", "income", "category",
                                      "browse", "notes", "ok", "cancel"}));
    }

    // Enter in a one-line field is OK; in the notes it starts a new line.
    void enterKey_data()
    {
        QTest::addColumn<QString>("field");
        QTest::newRow("subject") << "subject";
        QTest::newRow("amount") << "amount";
        QTest::newRow("date") << "date";
        QTest::newRow("account") << "account";
    }

    void enterKey()
    {
        QFETCH(QString, field);
        auto dialog = addDialog(m_first);
        showAndWait(dialog.get());
        QWidget *widget = child<QWidget>(dialog.get(), field);
        widget->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QVERIFY(!dialog->isVisible());
    }

    void enterInNotes()
    {
        auto dialog = addDialog(m_first);
        showAndWait(dialog.get());
        QPlainTextEdit *field = notes(dialog.get());
        field->setFocus();
        QTest::keyClicks(field, QStringLiteral("one"));
        QTest::keyClick(field, Qt::Key_Return);
        QTest::keyClicks(field, QStringLiteral("two"));
        QVERIFY(dialog->isVisible());
        QCOMPARE(field->toPlainText(), QStringLiteral("one\ntwo"));
        press(dialog.get(), "ok");
        QCOMPARE(dialog->record().notes, QStringLiteral("one\r\ntwo"));
    }
};

QTEST_MAIN(TestTransactionDlg)
#include "tst_transactiondlg.moc"
