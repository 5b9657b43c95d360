#include "dialogs/accountdlg.h"
#include "dialogs/iconpickerdlg.h"
#include "dialogtest.h"
#include "res/images.h"
#include "store/records.h"

#include <QPlainTextEdit>
#include <QToolButton>

using namespace testutil;

static AccountRecord stored()
{
    AccountRecord a;
    a.id = QStringLiteral("2026010112000090");
    a.accountNumber = QStringLiteral("12-345");
    a.minimumBalance = -150.75;
    a.notes = QStringLiteral("joint\r\naccount");
    a.icon = 42;
    return a;
}

static QImage picture(const QIcon &icon)
{
    return icon.pixmap(32, 32).toImage();
}

// The account dialog and its icon picker.
class TestAccountDlg : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The balance is checked before the number, which may be blanks; Enter in the notes is a new line.
    void newAccount()
    {
        MessageRecorder messages;
        CAccountDlg dialog;
        showAndWait(&dialog);
        retype(edit(&dialog, "name"), QStringLiteral("Savings"));
        auto *notes = child<QPlainTextEdit>(&dialog, QStringLiteral("notes"));
        QTest::keyClicks(notes, QStringLiteral("joint"));
        QCOMPARE(keyResult(&dialog, notes, Qt::Key_Return), -1);
        QTest::keyClicks(notes, QStringLiteral("account"));
        retype(edit(&dialog, "minimumBalance"), QString());
        press(&dialog, "ok");
        QCOMPARE(focusName(), QStringLiteral("minimumBalance"));
        QTest::keyClicks(edit(&dialog, "minimumBalance"), QStringLiteral("500.5"));
        press(&dialog, "ok");
        QCOMPARE(messages.texts(), QStringList({"Please enter a number.", "Please enter the Account Number."}));
        QCOMPARE(messages.shown[1].icon, MessageIcon::None);
        QCOMPARE(messages.shown[1].buttons, MessageButtons::Ok);
        QCOMPARE(focusName(), QStringLiteral("accountNumber"));
        QCOMPARE(dialog.record(), AccountRecord());
        QTest::keyClicks(edit(&dialog, "accountNumber"), QStringLiteral("   "));
        QCOMPARE(keyResult(&dialog, edit(&dialog, "accountNumber"), Qt::Key_Return), int(QDialog::Accepted));
        AccountRecord expected;
        expected.accountNumber = QStringLiteral("   ");
        expected.name = QStringLiteral("Savings");
        expected.minimumBalance = 500.5;
        expected.notes = QStringLiteral("joint\r\naccount");
        QCOMPARE(dialog.record(), expected);
    }

    // A minimum balance that cannot be stored, read from a file another program
    // wrote, is refused at OK even untouched, with the focus on it; a fit one saves.
    void unstorableMinimumBalance_data()
    {
        QTest::addColumn<double>("minimumBalance");
        QTest::addColumn<QString>("message");
        QTest::newRow("too large") << 2e12 << "The minimum balance is too large: an amount is at most 1000000000000.";
        QTest::newRow("not a number") << qQNaN() << "The minimum balance is not a number.";
    }

    void unstorableMinimumBalance()
    {
        QFETCH(double, minimumBalance);
        QFETCH(QString, message);
        MessageRecorder messages;
        CAccountDlg dialog;
        AccountRecord unfit = stored();
        unfit.minimumBalance = minimumBalance;
        dialog.setRecord(unfit);
        showAndWait(&dialog);
        QCOMPARE(keyResult(&dialog, edit(&dialog, "name"), Qt::Key_Return), -1);
        QCOMPARE(messages.texts(), QStringList{message});
        QCOMPARE(focusName(), QStringLiteral("minimumBalance"));
        retype(edit(&dialog, "minimumBalance"), QStringLiteral("25"));
        QCOMPARE(keyResult(&dialog, edit(&dialog, "name"), Qt::Key_Return), int(QDialog::Accepted));
        AccountRecord expected = stored();
        expected.minimumBalance = 25.0;
        QCOMPARE(dialog.record(), expected);
    }

    // A number another account has asks first: No keeps the dialog open on the number,
    // Yes saves. The number is compared as it is stored, blanks and letter case included.
    void sharedNumber_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QList<int>>("answers");
        QTest::newRow("No, then Yes") << "12-345" << QList<int>({MessageNo, MessageYes});
        QTest::newRow("Yes") << "77-1" << QList<int>({MessageYes});
        QTest::newRow("a trailing blank differs") << "12-345 " << QList<int>();
        QTest::newRow("letter case differs") << "ab-1" << QList<int>();
        QTest::newRow("a number of its own") << "99-999" << QList<int>();
    }

    void sharedNumber()
    {
        QFETCH(QString, number);
        QFETCH(QList<int>, answers);
        MessageRecorder messages;
        messages.answers = answers;
        CAccountDlg dialog;
        dialog.setRecord(stored());
        dialog.setOtherNumbers({QStringLiteral("77-1"), QStringLiteral("AB-1"), QStringLiteral("12-345")});
        showAndWait(&dialog);
        retype(edit(&dialog, "accountNumber"), number);
        retype(edit(&dialog, "name"), QStringLiteral("Savings"));
        const QString question = QStringLiteral("Another account already has this number. Save anyway?");
        QStringList told;
        for (const int answer : answers) {
            QCOMPARE(keyResult(&dialog, edit(&dialog, "name"), Qt::Key_Return),
                     answer == MessageYes ? int(QDialog::Accepted) : -1);
            told << question;
            QCOMPARE(messages.texts(), told);
            QCOMPARE(messages.shown.last().buttons, MessageButtons::YesNo);
            QCOMPARE(messages.shown.last().icon, MessageIcon::Question);
            if (answer == MessageNo) {
                QCOMPARE(focusName(), QStringLiteral("accountNumber"));
                QCOMPARE(dialog.record(), stored());
            }
        }
        if (answers.isEmpty()) {
            QCOMPARE(keyResult(&dialog, edit(&dialog, "name"), Qt::Key_Return), int(QDialog::Accepted));
            QCOMPARE(messages.texts(), QStringList());
        }
        AccountRecord expected = stored();
        expected.accountNumber = number;
        expected.name = QStringLiteral("Savings");
        QCOMPARE(dialog.record(), expected);
    }

    // The picker opens on the current picture, which only its OK, Enter or a double click
    // changes; the record comes back whole, the negative balance the field cannot show included.
    void pickIcon_data()
    {
        QTest::addColumn<int>("clicked");
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("icon");
        QTest::newRow("last picture") << 197 << "ok" << 197;
        QTest::newRow("OK without a click") << -1 << "ok" << 42;
        QTest::newRow("double click") << 5 << "double" << 5;
        QTest::newRow("Enter") << 0 << "enter" << 0;
        QTest::newRow("Cancel") << 5 << "cancel" << 42;
        QTest::newRow("Escape") << 5 << "escape" << 42;
    }

    void pickIcon()
    {
        QFETCH(int, clicked);
        QFETCH(QString, how);
        QFETCH(int, icon);
        CAccountDlg dialog;
        dialog.setRecord(stored());
        showAndWait(&dialog);
        int openedOn = -2;
        whenModal<CIconPickerDlg>([&](CIconPickerDlg *picker) {
            openedOn = picker->list()->selectionMark();
            if (clicked >= 0)
                clickItem(picker->list(), picker->list()->model()->index(clicked, 0), how == u"double");
            finish(picker, picker->list(), how);
        });
        press(&dialog, "icon");
        QCOMPARE(openedOn, 42);
        QCOMPARE(picture(child<QToolButton>(&dialog, QStringLiteral("icon"))->icon()), picture(accountPicture(icon)));
        // Escape leaves the account as it was; Enter takes it with the picture.
        const bool kept = how == u"cancel" || how == u"escape";
        QCOMPARE(keyResult(&dialog, edit(&dialog, "name"), kept ? Qt::Key_Escape : Qt::Key_Return),
                 int(kept ? QDialog::Rejected : QDialog::Accepted));
        AccountRecord expected = stored();
        expected.icon = icon;
        QCOMPARE(dialog.record(), expected);
    }

    // The picker shows every picture, the current one chosen and in sight; OK without a
    // click gives it back, or keeps an index with no picture.
    void pickerOpenedOn_data()
    {
        QTest::addColumn<int>("index");
        QTest::newRow("last") << 197;
        QTest::newRow("out of range") << 500;
    }

    void pickerOpenedOn()
    {
        QFETCH(int, index);
        CIconPickerDlg picker(index);
        showAndWait(&picker);
        CIconListCtrl *list = picker.list();
        QCOMPARE(list->count(), 198);
        if (index < 198) {
            QCOMPARE(picture(list->item(index)->icon()), picture(accountPicture(index)));
            QVERIFY(list->viewport()->rect().contains(list->visualItemRect(list->item(index))));
            QVERIFY(!list->viewport()->rect().contains(list->visualItemRect(list->item(0))));
        }
        press(&picker, "ok");
        QCOMPARE(picker.selectedIndex(), index);
    }
};

QTEST_MAIN(TestAccountDlg)
#include "tst_accountdlg.moc"
