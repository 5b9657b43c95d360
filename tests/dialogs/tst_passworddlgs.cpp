#include "dialogs/changepassworddlg.h"
#include "dialogs/hintdlg.h"
#include "dialogs/logindlg.h"
#include "dialogtest.h"
#include "store/settingsfile.h"
#include "testutil.h"

#include <QComboBox>
#include <QLabel>

using namespace testutil;

static const SettingsRecord kStored{QStringLiteral("kept as it is"), QStringLiteral("secret"),
                                    QStringLiteral("First pet?"), QStringLiteral("Rex")};

// The login, its hint dialog and the change of password.
class TestPasswordDlgs : public QObject
{
    Q_OBJECT

    std::optional<GuiTestPlace> m_place;
    QByteArray m_before;

    // The stored password, the hint kept; "none" for no settings file.
    void storePassword(const QString &password) const
    {
        if (password == u"none") {
            QVERIFY(QFile::remove(settingsFilePath(m_place->path())));
            return;
        }
        SettingsRecord record = kStored;
        record.password = password;
        QVERIFY(writeSettings(m_place->path(), record));
    }

    // Types the old, new and confirmed password, the hint question and answer.
    static void fill(QDialog *dialog, const QStringList &texts)
    {
        const char *const names[] = {"oldPassword", "newPassword", "confirmPassword", "question", "answer"};
        for (int i = 0; i < 5; ++i)
            retype(i == 3 ? child<QComboBox>(dialog, QStringLiteral("question"))->lineEdit() : edit(dialog, names[i]),
                   texts[i]);
    }

private Q_SLOTS:
    void init()
    {
        m_place.emplace();
        QVERIFY(writeSettings(m_place->path(), kStored));
        m_before = readFile(settingsFilePath(m_place->path()));
    }

    // Enter tries the password; a refused one is emptied and may be tried again.
    void login_data()
    {
        QTest::addColumn<bool>("settings");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("admitted");
        QTest::newRow("right") << true << "secret" << true;
        QTest::newRow("other case") << true << "Secret" << false;
        QTest::newRow("empty") << true << "" << false;
        QTest::newRow("no settings file, empty") << false << "" << true;
    }

    void login()
    {
        QFETCH(bool, settings);
        QFETCH(QString, typed);
        QFETCH(bool, admitted);
        if (!settings)
            QVERIFY(QFile::remove(settingsFilePath(m_place->path())));
        MessageRecorder messages;
        CLoginDlg login(m_place->path());
        showAndWait(&login);
        QLineEdit *password = edit(&login, "password");
        QTest::keyClicks(password, typed);
        QCOMPARE(keyResult(&login, password, Qt::Key_Return), admitted ? int(QDialog::Accepted) : -1);
        QCOMPARE(messages.texts(), admitted ? QStringList() : QStringList({"Sorry, Unauthorized User !!!"}));
        if (admitted)
            return;
        QCOMPARE(messages.shown[0].icon, MessageIcon::Stop);
        QCOMPARE(password->text(), QString());
        QTest::keyClicks(password, kStored.password);
        press(&login, "ok");
        QCOMPARE(login.result(), int(QDialog::Accepted));
    }

    // The hint tells two wrong answers and ends at the third; the right one shows the password.
    void forgot_data()
    {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QStringList>("told");
        const QString wrong = QStringLiteral("You have entered a Wrong Answer");
        const QString password = QStringLiteral("Your password is \n\"secret\"");
        QTest::newRow("right at the third") << QStringList({"x", "y", "Rex"}) << QStringList({wrong, wrong, password});
        QTest::newRow("three wrong") << QStringList({"rex", "Rex ", "REX"})
                                     << QStringList({wrong, wrong, "Too many attempts. Unauthorized user!"});
        QTest::newRow("hint escaped") << QStringList() << QStringList();
    }

    void forgot()
    {
        QFETCH(QStringList, answers);
        QFETCH(QStringList, told);
        MessageRecorder messages;
        CLoginDlg login(m_place->path());
        showAndWait(&login);
        QString question;
        whenModal<CHintDlg>([&](CHintDlg *hint) {
            question = child<QComboBox>(hint, QStringLiteral("question"))->currentText();
            // Typed after what the field holds, so an answer left in it spoils the next.
            for (const QString &text : answers) {
                QTest::keyClicks(edit(hint, "answer"), text);
                QTest::keyClick(edit(hint, "answer"), Qt::Key_Return);
            }
            if (answers.isEmpty())
                QTest::keyClick(hint, Qt::Key_Escape);
        });
        press(&login, "forgot");
        QCOMPARE(question, QStringLiteral("First pet?"));
        QCOMPARE(messages.texts(), told);
        for (const ShownMessage &shown : messages.shown)
            QCOMPARE(shown.icon, shown.text.startsWith(u"Too") ? MessageIcon::Stop : MessageIcon::Information);
        if (answers.value(answers.size() - 1) == kStored.hintAnswer)
            QCOMPARE(login.result(), int(QDialog::Accepted));
        else
            QCOMPARE(keyResult(&login, edit(&login, "password"), Qt::Key_Escape), int(QDialog::Rejected));
    }

    // While no password is stored, the login says under its field that OK admits.
    void loginWithoutPassword_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("note");
        QTest::newRow("password set") << "secret" << false;
        QTest::newRow("empty password") << "" << true;
        QTest::newRow("no settings file") << "none" << true;
    }

    void loginWithoutPassword()
    {
        QFETCH(QString, stored);
        QFETCH(bool, note);
        storePassword(stored);
        CLoginDlg login(m_place->path());
        showAndWait(&login);
        QLineEdit *password = edit(&login, "password");
        const QLabel *said = nullptr;
        for (const QLabel *label : login.findChildren<QLabel *>()) {
            if (label->isVisible() && label->text() == u"No password is set: press OK")
                said = label;
        }
        QCOMPARE(said != nullptr, note);
        if (!note)
            return;
        QVERIFY(said->mapTo(&login, QPoint(0, 0)).y() >= password->mapTo(&login, QPoint(0, password->height())).y());
        press(&login, "ok");
        QCOMPARE(login.result(), int(QDialog::Accepted));
    }

    // With no password stored, Forgot's OK says there is none to recover, whatever the
    // hint holds, and goes back to the login.
    void forgotWithoutPassword_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("answer");
        QTest::newRow("no settings file") << "none"
                                          << "";
        QTest::newRow("empty password, right answer") << ""
                                                      << "Rex";
        QTest::newRow("empty password, no answer") << ""
                                                   << "";
    }

    void forgotWithoutPassword()
    {
        QFETCH(QString, stored);
        QFETCH(QString, answer);
        storePassword(stored);
        MessageRecorder messages;
        CLoginDlg login(m_place->path());
        showAndWait(&login);
        bool leftOpen = false;
        whenModal<CHintDlg>([&](CHintDlg *hint) {
            QTest::keyClicks(edit(hint, "answer"), answer);
            press(hint, "ok");
            leftOpen = hint->isVisible();
            if (leftOpen)
                hint->reject();
        });
        press(&login, "forgot");
        QCOMPARE(messages.texts(), QStringList({"No password is set, so there is none to recover."}));
        QCOMPARE(messages.shown[0].icon, MessageIcon::Information);
        QVERIFY(!leftOpen);
        QVERIFY(login.isVisible());
        QCOMPARE(keyResult(&login, edit(&login, "password"), Qt::Key_Escape), int(QDialog::Rejected));
    }

    // The checks run in this order; each refusal keeps the dialog open and writes nothing,
    // and one about the passwords empties them.
    void refusals_data()
    {
        QTest::addColumn<QStringList>("form");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("wrong old password first")
            << QStringList({"Secret", "a", "b", "", ""}) << "You have entered a wrong password !!!"
            << "oldPassword";
        QTest::newRow("new passwords differ")
            << QStringList({"secret", "new", "New", "", ""}) << "New Password and Confirm New Password do not match !!!"
            << "oldPassword";
        QTest::newRow("question empty") << QStringList({"secret", "new", "new", "", ""})
                                        << "Hint Question cannot be empty."
                                        << "question";
        QTest::newRow("answer empty") << QStringList({"secret", "new", "new", "Q?", ""})
                                      << "Hint Answer cannot be empty."
                                      << "answer";
    }

    void refusals()
    {
        QFETCH(QStringList, form);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        MessageRecorder messages;
        CChangePasswordDlg dialog(m_place->path());
        showAndWait(&dialog);
        fill(&dialog, form);
        press(&dialog, "ok");
        QCOMPARE(messages.texts(), QStringList({message}));
        QCOMPARE(messages.shown[0].icon, MessageIcon::Stop);
        QCOMPARE(focusName(), focus);
        const bool emptied = focus == u"oldPassword";
        QCOMPARE(edit(&dialog, "oldPassword")->text(), emptied ? QString() : form[0]);
        QCOMPARE(edit(&dialog, "confirmPassword")->text(), emptied ? QString() : form[2]);
        QCOMPARE(keyResult(&dialog, edit(&dialog, "answer"), Qt::Key_Escape), int(QDialog::Rejected));
        QCOMPARE(readFile(settingsFilePath(m_place->path())), m_before);
    }

    // A failed write says why and keeps the dialog open; then Enter saves before telling so.
    void changePassword()
    {
        MessageRecorder messages;
        CChangePasswordDlg dialog(m_place->path());
        showAndWait(&dialog);
        fill(&dialog, {"secret", "n3w s3cret", "n3w s3cret", "Town of birth?", "Ely"});
        QVERIFY(QDir(m_place->path()).removeRecursively());
        press(&dialog, "ok");
        QCOMPARE(messages.shown.size(), 1);
        QVERIFY2(messages.shown[0].text.startsWith(QStringLiteral("The password has not been changed.\nCould not save ")
                                                   + QDir::toNativeSeparators(settingsFilePath(m_place->path()))),
                 qPrintable(messages.shown[0].text));
        QCOMPARE(messages.shown[0].icon, MessageIcon::Stop);
        QCOMPARE(dialog.settings(), kStored);

        QVERIFY(QDir().mkpath(m_place->path()));
        SettingsRecord atMessage;
        messages.onShow = [&] { atMessage = readSettings(m_place->path()); };
        QCOMPARE(keyResult(&dialog, edit(&dialog, "answer"), Qt::Key_Return), int(QDialog::Accepted));
        QCOMPARE(messages.texts().last(), QStringLiteral("Password has been changed successfully."));
        const SettingsRecord expected{kStored.first, "n3w s3cret", "Town of birth?", "Ely"};
        QCOMPARE(atMessage, expected);
        QCOMPARE(entries(m_place->path()), QStringList({"setfnpngs.pss"}));
    }
};

FENNIMAR_GUI_TEST_MAIN(TestPasswordDlgs)
#include "tst_passworddlgs.moc"
