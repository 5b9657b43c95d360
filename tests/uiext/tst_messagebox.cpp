#include "guitestutil.h"
#include "uiext/helpopener.h"
#include "uiext/messagebox.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QMessageBox>

using namespace testutil;

// The seams tests put in place of the message box and of the help browser.
class TestMessageBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A handler (here the recorder's) answers in place of the box until it is taken back.
    void handlerTakesThePlaceOfTheBox()
    {
        {
            MessageRecorder recorder;
            recorder.answers = {MessageNo};
            QCOMPARE(showMessage(nullptr, QStringLiteral("Delete?"), MessageIcon::Question, MessageButtons::YesNo),
                     int(MessageNo));
            QCOMPARE(showMessage(nullptr, QStringLiteral("Done")), int(MessageOk));
            QCOMPARE(recorder.texts(), QStringList({"Delete?", "Done"}));
            QCOMPARE(recorder.shown[0].icon, MessageIcon::Question);
            QCOMPARE(recorder.shown[0].buttons, MessageButtons::YesNo);
        }
        QVERIFY(!setMessageHandler({}));
    }

    // The real box: the program's caption, the icon and buttons asked for; Escape is No.
    void realBox_data()
    {
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("press");
        QTest::addColumn<int>("boxIcon");
        QTest::addColumn<int>("answer");
        QTest::newRow("stop, OK") << int(MessageIcon::Stop) << int(MessageButtons::Ok) << int(QMessageBox::Ok)
                                  << int(QMessageBox::Critical) << int(MessageOk);
        QTest::newRow("question, no") << int(MessageIcon::Question) << int(MessageButtons::YesNo)
                                      << int(QMessageBox::No) << int(QMessageBox::Question) << int(MessageNo);
        QTest::newRow("warning, Escape") << int(MessageIcon::Warning) << int(MessageButtons::YesNo) << -1
                                         << int(QMessageBox::Warning) << int(MessageNo);
    }

    void realBox()
    {
        QFETCH(int, icon);
        QFETCH(int, buttons);
        QFETCH(int, press);
        QFETCH(int, boxIcon);
        QFETCH(int, answer);
        QStringList shown;
        whenModal<QMessageBox>([&](QMessageBox *box) {
            shown << box->windowTitle() << box->text() << QString::number(box->icon())
                  << QString::number(box->standardButtons().toInt());
            if (press < 0)
                QTest::keyClick(box, Qt::Key_Escape);
            else
                box->button(QMessageBox::StandardButton(press))->click();
        });
        QCOMPARE(showMessage(nullptr, QStringLiteral("Sure?"), MessageIcon(icon), MessageButtons(buttons)), answer);
        const int boxButtons =
            buttons == int(MessageButtons::YesNo) ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok;
        QCOMPARE(shown, QStringList({"Fennimar", "Sure?", QString::number(boxIcon), QString::number(boxButtons)}));
    }

    // When nothing opens the help, a message says where it is.
    void helpOpener()
    {
        QCOMPARE(helpFilePath(), QCoreApplication::applicationDirPath() + QStringLiteral("/FennimarHelp.html"));
        int tried = 0;
        bool opens = true;
        QVERIFY(!setHelpOpener([&] {
            ++tried;
            return opens;
        }));
        MessageRecorder messages;
        openHelp();
        QCOMPARE(tried, 1);
        QVERIFY(messages.shown.isEmpty());
        opens = false;
        openHelp();
        QCOMPARE(tried, 2);
        QCOMPARE(messages.texts(), QStringList({"No program on this system could open the help. It is the page "
                                                + helpFilePath() + "."}));
        QCOMPARE(messages.shown[0].icon, MessageIcon::Information);
        QVERIFY(setHelpOpener({}));
    }

    // Installed, the page lies in share/fennimar beside bin; that one is taken first.
    void installedHelpPageComesFirst()
    {
        QDir programs(QCoreApplication::applicationDirPath());
        const QString shared = programs.filePath(QStringLiteral("../share/fennimar"));
        QVERIFY(QDir().mkpath(shared));
        const QString page = QDir::cleanPath(shared + QStringLiteral("/FennimarHelp.html"));
        QFile file(page);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        const QString found = helpFilePath();
        QDir(programs.filePath(QStringLiteral("../share"))).removeRecursively();
        QCOMPARE(found, page);
        QCOMPARE(helpFilePath(), QCoreApplication::applicationDirPath() + QStringLiteral("/FennimarHelp.html"));
    }
};

FENNIMAR_GUI_TEST_MAIN(TestMessageBox)
#include "tst_messagebox.moc"
