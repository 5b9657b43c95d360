#include "accountdlg.h"
#include "iconpickerdlg.h"
#include "images.h"
#include "recorddlgtest.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>

using namespace testutil;

namespace {

AccountRecord stored()
{
    AccountRecord a;
    a.id = QStringLiteral("2026010112000090");
    a.accountNumber = QStringLiteral("12-345");
    a.name = QStringLiteral("Household");
    a.bank = QStringLiteral("North Bank");
    a.minimumBalance = -150.75;
    a.notes = QStringLiteral("joint\r\naccount");
    a.icon = 42;
    return a;
}

QImage shownPicture(QWidget *dialog)
{
    auto *button = child<QToolButton>(dialog, QStringLiteral("icon"));
    return button->icon().pixmap(QSize(32, 32), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
}

QImage picture(int index)
{
    return accountPicture(index, 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class TestAccountDlg : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<GuiTestPlace> m_place;

private Q_SLOTS:
    void init() { m_place = std::make_unique<GuiTestPlace>(); }
    void cleanup() { m_place.reset(); }

    void newAccount()
    {
        CAccountDlg dialog;
        showAndWait(&dialog);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Account"));
        QCOMPARE(captions(&dialog), QStringList({"Account Number", "Bank", "Icon", "Minimum Balance", "Name", "Notes"}));
        for (const char *name : {"accountNumber", "name", "bank"})
            QVERIFY(edit(&dialog, name)->text().isEmpty());
        QCOMPARE(edit(&dialog, "minimumBalance")->text(), QStringLiteral("0"));
        QCOMPARE(dialog.iconIndex(), 0);
        QCOMPARE(shownPicture(&dialog), picture(0));
        QCOMPARE(focusName(), QStringLiteral("accountNumber"));
        QCOMPARE(dialog.record(), AccountRecord());
    }

    // OK without a change gives the record back whole, the negative minimum
    // balance the field cannot show included.
    void unchangedRoundTrip()
    {
        CAccountDlg dialog;
        dialog.setRecord(stored());
        showAndWait(&dialog);
        QCOMPARE(edit(&dialog, "accountNumber")->text(), QStringLiteral("12-345"));
        QCOMPARE(edit(&dialog, "name")->text(), QStringLiteral("Household"));
        QCOMPARE(edit(&dialog, "bank")->text(), QStringLiteral("North Bank"));
        QCOMPARE(edit(&dialog, "minimumBalance")->text(), QStringLiteral("150.75"));
        QCOMPARE(child<QPlainTextEdit>(&dialog, QStringLiteral("notes"))->toPlainText(), QStringLiteral("joint\naccount"));
        QCOMPARE(shownPicture(&dialog), picture(42));
        press(&dialog, "ok");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.record(), stored());
    }

    void edited()
    {
        CAccountDlg dialog;
        dialog.setRecord(stored());
        showAndWait(&dialog);
        retype(edit(&dialog, "accountNumber"), QStringLiteral(" 99 "));
        retype(edit(&dialog, "name"), QStringLiteral("Savings"));
        retype(edit(&dialog, "bank"), QString());
        retype(edit(&dialog, "minimumBalance"), QStringLiteral("500.5"));
        press(&dialog, "ok");
        AccountRecord expected = stored();
        expected.accountNumber = QStringLiteral(" 99 ");
        expected.name = QStringLiteral("Savings");
        expected.bank.clear();
        expected.minimumBalance = 500.5;
        QCOMPARE(dialog.record(), expected);
    }

    // The refusals come in this order; each keeps the dialog open and the record as it was.
    void refusals_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("balance");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("focus");
        QTest::newRow("empty number") << "" << "0" << "Please enter the Account Number." << int(MessageIcon::None)
                                      << "accountNumber";
        QTest::newRow("no balance first") << "" << "" << "Please enter a number." << int(MessageIcon::Warning)
                                          << "minimumBalance";
        QTest::newRow("balance a point") << "7" << "." << "Please enter a number." << int(MessageIcon::Warning)
                                         << "minimumBalance";
    }

    void refusals()
    {
        QFETCH(QString, number);
        QFETCH(QString, balance);
        QFETCH(QString, message);
        QFETCH(int, icon);
        QFETCH(QString, focus);
        MessageRecorder messages;
        CAccountDlg dialog;
        showAndWait(&dialog);
        retype(edit(&dialog, "accountNumber"), number);
        retype(edit(&dialog, "name"), QStringLiteral("Kept"));
        retype(edit(&dialog, "minimumBalance"), balance);
        press(&dialog, "ok");
        QCOMPARE(messages.texts(), QStringList({message}));
        QCOMPARE(int(messages.shown[0].icon), icon);
        QCOMPARE(messages.shown[0].buttons, MessageButtons::Ok);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(focusName(), focus);
        QCOMPARE(edit(&dialog, "name")->text(), QStringLiteral("Kept"));
        QCOMPARE(dialog.record(), AccountRecord());
    }

    // A new account closes with OK once a number is typed; blanks are a number.
    void numberThenAccepted_data()
    {
        QTest::addColumn<QString>("number");
        QTest::newRow("digits") << "123";
        QTest::newRow("blanks") << "   ";
    }

    void numberThenAccepted()
    {
        QFETCH(QString, number);
        MessageRecorder messages;
        CAccountDlg dialog;
        showAndWait(&dialog);
        press(&dialog, "ok");
        QVERIFY(dialog.isVisible());
        QTest::keyClicks(edit(&dialog, "accountNumber"), number);
        press(&dialog, "ok");
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.record().accountNumber, number);
    }

    // The picture button opens the picker on the current picture; only OK changes it.
    void pickIcon_data()
    {
        QTest::addColumn<int>("clicked");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("icon");
        QTest::newRow("first picture") << 0 << true << 0;
        QTest::newRow("last picture") << accountPictureCount() - 1 << true << accountPictureCount() - 1;
        QTest::newRow("OK without a click") << -1 << true << 42;
        QTest::newRow("Cancel") << 5 << false << 42;
    }

    void pickIcon()
    {
        QFETCH(int, clicked);
        QFETCH(bool, ok);
        QFETCH(int, icon);
        CAccountDlg dialog;
        dialog.setRecord(stored());
        showAndWait(&dialog);
        int openedOn = -2;
        whenModal<CIconPickerDlg>([&](CIconPickerDlg *picker) {
            openedOn = picker->list()->selectionMark();
            if (clicked >= 0)
                clickItem(picker->list(), picker->list()->model()->index(clicked, 0));
            press(picker, ok ? "ok" : "cancel");
        });
        press(&dialog, "icon");
        QCOMPARE(openedOn, 42);
        QCOMPARE(dialog.iconIndex(), icon);
        QCOMPARE(shownPicture(&dialog), picture(icon));
        QVERIFY(dialog.isVisible());
        press(&dialog, "ok");
        QCOMPARE(dialog.record().icon, icon);
    }

    void keyboard_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("result");
        QTest::newRow("Enter in the number") << "accountNumber" << int(Qt::Key_Return) << int(QDialog::Accepted);
        QTest::newRow("Enter in the balance") << "minimumBalance" << int(Qt::Key_Enter) << int(QDialog::Accepted);
        QTest::newRow("Escape") << "name" << int(Qt::Key_Escape) << int(QDialog::Rejected);
    }

    void keyboard()
    {
        QFETCH(QString, field);
        QFETCH(int, key);
        QFETCH(int, result);
        CAccountDlg dialog;
        dialog.setRecord(stored());
        showAndWait(&dialog);
        edit(&dialog, qPrintable(field))->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), result);
    }

    void enterInNotes()
    {
        CAccountDlg dialog;
        dialog.setRecord(stored());
        showAndWait(&dialog);
        auto *notes = child<QPlainTextEdit>(&dialog, QStringLiteral("notes"));
        notes->setFocus();
        notes->moveCursor(QTextCursor::End);
        QTest::keyClick(notes, Qt::Key_Return);
        QTest::keyClicks(notes, QStringLiteral("since 2020"));
        QVERIFY(dialog.isVisible());
        press(&dialog, "ok");
        QCOMPARE(dialog.record().notes, QStringLiteral("joint\r\naccount\r\nsince 2020"));
    }

    void tabOrder()
    {
        CAccountDlg dialog;
        showAndWait(&dialog);
        QStringList walked{focusName()};
        for (int i = 0; i < 7; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            walked << focusName();
        }
        QCOMPARE(walked, QStringList({"accountNumber", "name", "bank", "minimumBalance", "notes", "icon", "ok",
                                      "cancel"}));
    }

    // Space on the focused picture opens the picker, Escape closes it.
    void iconByKeyboard()
    {
        CAccountDlg dialog;
        dialog.setRecord(stored());
        showAndWait(&dialog);
        bool opened = false;
        whenModal<CIconPickerDlg>([&](CIconPickerDlg *picker) {
            opened = true;
            QTest::keyClick(picker->list(), Qt::Key_Right);
            QTest::keyClick(picker->list(), Qt::Key_Return);
        });
        auto *button = child<QToolButton>(&dialog, QStringLiteral("icon"));
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Space);
        QVERIFY(opened);
        QCOMPARE(dialog.iconIndex(), 43);
    }
};

QTEST_MAIN(TestAccountDlg)
#include "tst_accountdlg.moc"
