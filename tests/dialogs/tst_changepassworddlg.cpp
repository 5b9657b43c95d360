#include "changepassworddlg.h"
#include "guitestutil.h"
#include "settingsfile.h"
#include "testutil.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <algorithm>

using namespace testutil;

namespace {

const SettingsRecord kStored{QStringLiteral("kept as it is"), QStringLiteral("old pw"), QStringLiteral("First pet?"),
                             QStringLiteral("Rex")};

struct Form
{
    QString oldPassword;
    QString newPassword;
    QString confirmPassword;
    QString question;
    QString answer;
};

QLineEdit *field(QDialog *dialog, const char *name)
{
    return child<QLineEdit>(dialog, QString::fromLatin1(name));
}

void fill(QDialog *dialog, const Form &form)
{
    const auto type = [](QLineEdit *w, const QString &text) {
        w->setFocus();
        // The test keyboard knows ASCII only.
        const bool ascii = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 128; });
        if (ascii)
            QTest::keyClicks(w, text);
        else
            w->insert(text);
    };
    type(field(dialog, "oldPassword"), form.oldPassword);
    type(field(dialog, "newPassword"), form.newPassword);
    type(field(dialog, "confirmPassword"), form.confirmPassword);
    auto *question = child<QComboBox>(dialog, QStringLiteral("question"));
    question->lineEdit()->clear();
    type(question->lineEdit(), form.question);
    type(field(dialog, "answer"), form.answer);
}

} // namespace

class TestChangePasswordDlg : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<GuiTestPlace> m_place;
    QByteArray m_before;

private Q_SLOTS:
    void init()
    {
        m_place = std::make_unique<GuiTestPlace>();
        QVERIFY(writeSettings(m_place->path(), kStored));
        m_before = readFile(settingsFilePath(m_place->path()));
    }

    void cleanup() { m_place.reset(); }

    void opening()
    {
        CChangePasswordDlg dialog(m_place->path());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Change Password"));
        QCOMPARE(child<QComboBox>(&dialog, QStringLiteral("question"))->currentText(), QStringLiteral("First pet?"));
        QCOMPARE(child<QComboBox>(&dialog, QStringLiteral("question"))->count(), 0);
        for (const char *name : {"oldPassword", "newPassword", "confirmPassword", "answer"})
            QVERIFY(field(&dialog, name)->text().isEmpty());
        for (const char *name : {"oldPassword", "newPassword", "confirmPassword"})
            QCOMPARE(field(&dialog, name)->echoMode(), QLineEdit::Password);
        QCOMPARE(field(&dialog, "answer")->echoMode(), QLineEdit::Normal);
        QVERIFY(field(&dialog, "oldPassword")->hasFocus());
        QStringList labels;
        for (QLabel *label : dialog.findChildren<QLabel *>())
            labels << label->text();
        labels.sort();
        QCOMPARE(labels, QStringList({"Confirm Password", "Hint Answer", "Hint Question", "New Password",
                                      "Old Password"}));
    }

    // The checks run in this order; each refusal keeps the dialog open and writes nothing.
    void refusals_data()
    {
        QTest::addColumn<QString>("oldPassword");
        QTest::addColumn<QString>("newPassword");
        QTest::addColumn<QString>("confirmPassword");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("passwordsEmptied");
        QTest::addColumn<QString>("focus");
        QTest::newRow("wrong old password first") << "old pw " << "a" << "b" << "" << "" << "You have entered a wrong password !!!"
                                                  << true << "oldPassword";
        QTest::newRow("old password in other case") << "Old pw" << "new" << "new" << "Q?" << "A"
                                                    << "You have entered a wrong password !!!" << true << "oldPassword";
        QTest::newRow("new passwords differ") << "old pw" << "new" << "New" << "" << ""
                                              << "New Password and Confirm New Password do not match !!!" << true
                                              << "oldPassword";
        QTest::newRow("question empty") << "old pw" << "new" << "new" << "" << ""
                                        << "Hint Question cannot be empty." << false << "question";
        QTest::newRow("answer empty") << "old pw" << "new" << "new" << "Q?" << ""
                                      << "Hint Answer cannot be empty." << false << "answer";
    }

    void refusals()
    {
        QFETCH(QString, oldPassword);
        QFETCH(QString, newPassword);
        QFETCH(QString, confirmPassword);
        QFETCH(QString, question);
        QFETCH(QString, answer);
        QFETCH(QString, message);
        QFETCH(bool, passwordsEmptied);
        QFETCH(QString, focus);

        MessageRecorder messages;
        CChangePasswordDlg dialog(m_place->path());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        fill(&dialog, {oldPassword, newPassword, confirmPassword, question, answer});
        clickButton(&dialog, QStringLiteral("ok"));

        QCOMPARE(messages.texts(), QStringList({message}));
        QCOMPARE(messages.shown[0].icon, MessageIcon::Stop);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(readFile(settingsFilePath(m_place->path())), m_before);
        QCOMPARE(field(&dialog, "oldPassword")->text(), passwordsEmptied ? QString() : oldPassword);
        QCOMPARE(field(&dialog, "newPassword")->text(), passwordsEmptied ? QString() : newPassword);
        QCOMPARE(field(&dialog, "confirmPassword")->text(), passwordsEmptied ? QString() : confirmPassword);
        QCOMPARE(field(&dialog, "answer")->text(), answer);
        QWidget *focused = QApplication::focusWidget();
        QVERIFY(focused);
        QVERIFY2(focused->objectName() == focus || focused->parentWidget()->objectName() == focus,
                 qPrintable(focused->objectName()));
    }

    void success_data()
    {
        QTest::addColumn<QString>("newPassword");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("answer");
        QTest::newRow("plain") << "n3w s3cret" << "Town of birth?" << "Ely";
        QTest::newRow("empty password") << "" << "First pet?" << "Rex";
        QTest::newRow("accented") << QStringLiteral("pässwörd€") << QStringLiteral("Straße?") << QStringLiteral("Köln");
    }

    void success()
    {
        QFETCH(QString, newPassword);
        QFETCH(QString, question);
        QFETCH(QString, answer);
        MessageRecorder messages;
        CChangePasswordDlg dialog(m_place->path());
        dialog.show();
        fill(&dialog, {QStringLiteral("old pw"), newPassword, newPassword, question, answer});
        clickButton(&dialog, QStringLiteral("ok"));

        QCOMPARE(messages.texts(), QStringList({"Password has been changed successfully."}));
        QCOMPARE(messages.shown[0].icon, MessageIcon::None);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const SettingsRecord expected{kStored.first, newPassword, question, answer};
        QCOMPARE(readSettings(m_place->path()), expected);
        QCOMPARE(dialog.settings(), expected);
        QCOMPARE(entries(m_place->path()), QStringList({"setfnpngs.pss"}));
    }

    // The message is shown while the new file is already there.
    void successReportedAfterTheWrite()
    {
        MessageRecorder messages;
        SettingsRecord atMessage;
        messages.onShow = [&] { atMessage = readSettings(m_place->path()); };
        CChangePasswordDlg dialog(m_place->path());
        dialog.show();
        fill(&dialog, {QStringLiteral("old pw"), QStringLiteral("x"), QStringLiteral("x"), QStringLiteral("Q"),
                       QStringLiteral("A")});
        QTest::keyClick(field(&dialog, "answer"), Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(atMessage.password, QStringLiteral("x"));
    }

    void cancelWritesNothing()
    {
        CChangePasswordDlg dialog(m_place->path());
        dialog.show();
        fill(&dialog, {QStringLiteral("old pw"), QStringLiteral("x"), QStringLiteral("x"), QStringLiteral("Q"),
                       QStringLiteral("A")});
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(readFile(settingsFilePath(m_place->path())), m_before);
    }

    // A write that fails says why and keeps the dialog open; no success is claimed.
    void failedWrite()
    {
        MessageRecorder messages;
        CChangePasswordDlg dialog(m_place->path());
        dialog.show();
        fill(&dialog, {QStringLiteral("old pw"), QStringLiteral("x"), QStringLiteral("x"), QStringLiteral("Q"),
                       QStringLiteral("A")});
        // The working directory goes away while the dialog is open.
        QVERIFY(QDir(m_place->path()).removeRecursively());
        clickButton(&dialog, QStringLiteral("ok"));

        QCOMPARE(messages.shown.size(), 1);
        const QString text = messages.shown[0].text;
        QVERIFY2(text.startsWith(QStringLiteral("The password has not been changed.\nCould not save ")
                                 + QDir::toNativeSeparators(settingsFilePath(m_place->path())) + QStringLiteral(": ")),
                 qPrintable(text));
        QCOMPARE(messages.shown[0].icon, MessageIcon::Stop);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(dialog.settings(), kStored);
        QVERIFY(!QFileInfo::exists(settingsFilePath(m_place->path())));

        // Once the folder is back, OK goes through.
        QVERIFY(QDir().mkpath(m_place->path()));
        clickButton(&dialog, QStringLiteral("ok"));
        QCOMPARE(messages.texts().last(), QStringLiteral("Password has been changed successfully."));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(readSettings(m_place->path()).password, QStringLiteral("x"));
    }
};

FENNIMAR_GUI_TEST_MAIN(TestChangePasswordDlg)
#include "tst_changepassworddlg.moc"
