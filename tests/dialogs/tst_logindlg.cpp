#include "guitestutil.h"
#include "hintdlg.h"
#include "logindlg.h"
#include "settingsfile.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace testutil;

namespace {

const SettingsRecord kStored{QString(), QStringLiteral("secret"), QStringLiteral("First pet?"), QStringLiteral("Rex")};

void answer(CHintDlg *hint, const QString &text)
{
    auto *field = child<QLineEdit>(hint, QStringLiteral("answer"));
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
    clickButton(hint, QStringLiteral("ok"));
}

} // namespace

class TestLoginDlg : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<GuiTestPlace> m_place;

private Q_SLOTS:
    void init()
    {
        m_place = std::make_unique<GuiTestPlace>();
        QVERIFY(writeSettings(m_place->path(), kStored));
    }

    void cleanup() { m_place.reset(); }

    void looks()
    {
        CLoginDlg login(m_place->path());
        login.show();
        QVERIFY(QTest::qWaitForWindowExposed(&login));
        QCOMPARE(login.windowTitle(), QStringLiteral("Fennimar"));
        auto *password = child<QLineEdit>(&login, QStringLiteral("password"));
        QCOMPARE(password->echoMode(), QLineEdit::Password);
        QVERIFY(password->hasFocus());
        QStringList labels;
        for (QLabel *label : login.findChildren<QLabel *>())
            labels << label->text();
        QVERIFY(labels.contains(QStringLiteral("Enter Password Here")));
        QCOMPARE(child<QPushButton>(&login, QStringLiteral("forgot"))->text(), QStringLiteral("Forgot"));
        // A fixed size that holds everything.
        QCOMPARE(login.minimumSize(), login.maximumSize());
        QVERIFY(login.width() >= login.sizeHint().width());
    }

    void tabOrder()
    {
        CLoginDlg login(m_place->path());
        login.show();
        QVERIFY(QTest::qWaitForWindowExposed(&login));
        QCOMPARE(tabWalk(4), QStringList({"password", "ok", "cancel", "forgot"}));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("password"));
    }

    void rightPassword_data()
    {
        QTest::addColumn<bool>("enterKey");
        QTest::newRow("OK button") << false;
        QTest::newRow("Enter") << true;
    }

    void rightPassword()
    {
        QFETCH(bool, enterKey);
        MessageRecorder messages;
        CLoginDlg login(m_place->path());
        login.show();
        auto *password = child<QLineEdit>(&login, QStringLiteral("password"));
        QTest::keyClicks(password, QStringLiteral("secret"));
        if (enterKey)
            QTest::keyClick(password, Qt::Key_Return);
        else
            clickButton(&login, QStringLiteral("ok"));
        QCOMPARE(login.result(), int(QDialog::Accepted));
        QVERIFY(!login.isVisible());
        QVERIFY(messages.shown.isEmpty());
    }

    void wrongPassword_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("other case") << "Secret";
        QTest::newRow("trailing blank") << "secret ";
        QTest::newRow("empty") << "";
        QTest::newRow("prefix") << "secre";
    }

    void wrongPassword()
    {
        QFETCH(QString, typed);
        MessageRecorder messages;
        CLoginDlg login(m_place->path());
        login.show();
        auto *password = child<QLineEdit>(&login, QStringLiteral("password"));
        QTest::keyClicks(password, typed);
        clickButton(&login, QStringLiteral("ok"));
        QCOMPARE(messages.texts(), QStringList({"Sorry, Unauthorized User !!!"}));
        QCOMPARE(messages.shown[0].icon, MessageIcon::Stop);
        QVERIFY(login.isVisible());
        QVERIFY(password->text().isEmpty());

        // No limit on attempts.
        for (int i = 0; i < 4; ++i)
            clickButton(&login, QStringLiteral("ok"));
        QCOMPARE(messages.shown.size(), 5);
        QTest::keyClicks(password, QStringLiteral("secret"));
        QTest::keyClick(password, Qt::Key_Return);
        QCOMPARE(login.result(), int(QDialog::Accepted));
    }

    void noSettingsFileAdmitsOnlyEmpty()
    {
        MessageRecorder messages;
        QFile::remove(settingsFilePath(m_place->path()));
        CLoginDlg login(m_place->path());
        login.show();
        auto *password = child<QLineEdit>(&login, QStringLiteral("password"));
        QTest::keyClicks(password, QStringLiteral("secret"));
        QTest::keyClick(password, Qt::Key_Return);
        QCOMPARE(messages.shown.size(), 1);
        QVERIFY(login.isVisible());
        QTest::keyClick(password, Qt::Key_Return);
        QCOMPARE(login.result(), int(QDialog::Accepted));
    }

    void escapeCancels()
    {
        CLoginDlg login(m_place->path());
        login.show();
        QTest::keyClicks(child<QLineEdit>(&login, QStringLiteral("password")), QStringLiteral("secret"));
        QTest::keyClick(&login, Qt::Key_Escape);
        QCOMPARE(login.result(), int(QDialog::Rejected));
        QVERIFY(!login.isVisible());
    }

    // A right hint answer shows the password and admits the user.
    void forgotWithTheRightAnswer()
    {
        MessageRecorder messages;
        CLoginDlg login(m_place->path());
        login.show();
        QString question;
        whenModal<CHintDlg>([&question](CHintDlg *hint) {
            question = child<QComboBox>(hint, QStringLiteral("question"))->currentText();
            answer(hint, QStringLiteral("Rex"));
        });
        clickButton(&login, QStringLiteral("forgot"));
        QCOMPARE(question, QStringLiteral("First pet?"));
        QCOMPARE(messages.texts(), QStringList({"Your password is \n\"secret\""}));
        QCOMPARE(messages.shown[0].icon, MessageIcon::Information);
        QCOMPARE(login.result(), int(QDialog::Accepted));
        QVERIFY(!login.isVisible());
    }

    void forgotThenCancel()
    {
        MessageRecorder messages;
        CLoginDlg login(m_place->path());
        login.show();
        whenModal<CHintDlg>([](CHintDlg *hint) { QTest::keyClick(hint, Qt::Key_Escape); });
        clickButton(&login, QStringLiteral("forgot"));
        QVERIFY(messages.shown.isEmpty());
        QVERIFY(login.isVisible());
    }

    // Each Forgot starts the count of wrong answers anew.
    void forgotCountsAfresh()
    {
        MessageRecorder messages;
        CLoginDlg login(m_place->path());
        login.show();
        for (int round = 0; round < 2; ++round) {
            whenModal<CHintDlg>([](CHintDlg *hint) {
                answer(hint, QStringLiteral("Rover"));
                answer(hint, QStringLiteral("Rover"));
                hint->reject();
            });
            clickButton(&login, QStringLiteral("forgot"));
        }
        QCOMPARE(messages.texts(), QStringList(4, QStringLiteral("You have entered a Wrong Answer")));
        QVERIFY(login.isVisible());
    }

    void hintThreeAttempts()
    {
        MessageRecorder messages;
        CHintDlg hint(m_place->path());
        whenModal<CHintDlg>([](CHintDlg *dlg) {
            QCOMPARE(dlg->windowTitle(), QStringLiteral("Hint Dlg"));
            answer(dlg, QStringLiteral("rex"));
            QVERIFY(dlg->isVisible());
            QVERIFY(child<QLineEdit>(dlg, QStringLiteral("answer"))->text().isEmpty());
            answer(dlg, QStringLiteral("Rex "));
            QVERIFY(dlg->isVisible());
            answer(dlg, QStringLiteral("REX"));
        });
        QCOMPARE(hint.run(), int(QDialog::Rejected));
        QCOMPARE(messages.texts(), QStringList({"You have entered a Wrong Answer", "You have entered a Wrong Answer",
                                                "Too many attempts. Unauthorized user!"}));
        QCOMPARE(messages.shown[0].icon, MessageIcon::Information);
        QCOMPARE(messages.shown[1].icon, MessageIcon::Information);
        QCOMPARE(messages.shown[2].icon, MessageIcon::Stop);
        QCOMPARE(hint.wrongAnswers(), 3);
    }

    void hintRightAtTheLastAttempt()
    {
        MessageRecorder messages;
        CHintDlg hint(m_place->path());
        whenModal<CHintDlg>([](CHintDlg *dlg) {
            answer(dlg, QStringLiteral("x"));
            answer(dlg, QStringLiteral("y"));
            answer(dlg, QStringLiteral("Rex"));
        });
        QCOMPARE(hint.run(), int(QDialog::Accepted));
        QCOMPARE(messages.shown.size(), 2);
    }

    // Only the answer counts: the question may be edited, but not emptied.
    void hintQuestionField()
    {
        MessageRecorder messages;
        CHintDlg hint(m_place->path());
        whenModal<CHintDlg>([](CHintDlg *dlg) {
            auto *question = child<QComboBox>(dlg, QStringLiteral("question"));
            QVERIFY(question->isEditable());
            QCOMPARE(question->count(), 0);
            question->setEditText(QString());
            answer(dlg, QStringLiteral("wrong"));
            QVERIFY(dlg->isVisible());
            question->setEditText(QStringLiteral("Something else?"));
            answer(dlg, QStringLiteral("Rex"));
        });
        QCOMPARE(hint.run(), int(QDialog::Accepted));
        QVERIFY(messages.shown.isEmpty());
        QCOMPARE(hint.wrongAnswers(), 0);
    }
};

FENNIMAR_GUI_TEST_MAIN(TestLoginDlg)
#include "tst_logindlg.moc"
