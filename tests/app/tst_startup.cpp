#include "app/commandids.h"
#include "app/fennimarapp.h"
#include "app/mainframe.h"
#include "app/singleinstance.h"
#include "dialogs/logindlg.h"
#include "dialogs/preferencedlg.h"
#include "guitestutil.h"
#include "res/stringtable.h"
#include "store/fileio.h"
#include "store/settingsfile.h"
#include "testutil.h"

#include <QLineEdit>
#include <QSettings>

#include <sys/stat.h>

using namespace testutil;

class TestStartup : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_rootDir;
    QTemporaryDir &root() { return *m_rootDir; }
    QSettings m_profile{QStringLiteral("Kestrune"), QStringLiteral("Fennimar")};

    // Answers the login with each password in turn, pressing OK (or Cancel).
    static void answerLogin(const QStringList &passwords, bool ok = true)
    {
        whenModal<CLoginDlg>([passwords, ok](CLoginDlg *login) {
            for (const QString &password : passwords) {
                child<QLineEdit>(login, QStringLiteral("password"))->setText(password);
                clickButton(login, ok ? QStringLiteral("ok") : QStringLiteral("cancel"));
            }
        });
    }
    // Answers the chooser with a folder, or Cancel.
    static void answerChooser(bool pick)
    {
        whenModal<CPreferenceDlg>([pick](CPreferenceDlg *chooser) {
            if (pick)
                clickButton(chooser, QStringLiteral("change"));
            clickButton(chooser, pick ? QStringLiteral("ok") : QStringLiteral("cancel"));
        });
    }

private Q_SLOTS:
    void init()
    {
        m_rootDir = std::make_unique<QTemporaryDir>();
        m_profile.clear();
        CPreferenceDlg::setFolderPicker([this](QWidget *, const QString &) { return root().path(); });
    }

    void cleanup() { m_profile.clear(); }

    void firstRun()
    {
        MessageRecorder messages;
        answerLogin({QString()});
        answerChooser(true);
        CFennimarApp app;
        QVERIFY(app.InitInstance());
        const QString dir = root().filePath(QStringLiteral("Fennimar"));
        QCOMPARE(app.g_strWorkDir(), dir);
        // The new folder has its settings and default files; nothing went to the current folder.
        QVERIFY(QFileInfo::exists(settingsFilePath(dir)));
        QVERIFY(QFileInfo::exists(dir + "/Category.cat"));
        QVERIFY(!QFileInfo::exists(QDir::current().filePath(QStringLiteral("setfnpngs.pss"))));
        QVERIFY(messages.shown.isEmpty());
        QVERIFY(app.mainFrame()->isVisible());
        QVERIFY(!m_profile.value("Directory/Path").isValid()); // written at exit only

        app.mainFrame()->close();
        QCOMPARE(m_profile.value("Directory/Path").toString(), dir);
        QCOMPARE(m_profile.value("Size/First").toInt(), 15);
        QCOMPARE(m_profile.value("Size/Second").toInt(), 85);
    }

    void rememberedFolderAndPassword()
    {
        const QString dir = root().filePath(QStringLiteral("books"));
        QDir().mkpath(dir);
        QVERIFY(writeSettings(dir, {QString(), QStringLiteral("secret"), QStringLiteral("q"), QStringLiteral("a")}));
        m_profile.setValue("Directory/Path", dir);
        MessageRecorder messages;
        // A wrong password first: refused and asked again; then the right one.
        answerLogin({QStringLiteral("Secret"), QStringLiteral("secret")});
        CFennimarApp app;
        QVERIFY(app.InitInstance());
        QCOMPARE(app.g_strWorkDir(), dir);
        QCOMPARE(messages.texts(), QStringList({LoadText(IDS_UNAUTHORIZED)}));
        app.mainFrame()->close();
    }

    void vanishedFolder()
    {
        const QString gone = root().filePath(QStringLiteral("gone/Fennimar"));
        m_profile.setValue("Directory/Path", gone);
        MessageRecorder messages;
        answerLogin({QString()});
        answerChooser(false);
        CFennimarApp app;
        QVERIFY(!app.InitInstance());
        QCOMPARE(messages.texts(), QStringList({LoadText(IDS_WORKDIR_MOVED)}));
        QVERIFY(!app.mainFrame());
        QCOMPARE(m_profile.value("Directory/Path").toString(), gone); // untouched
        QVERIFY(!m_profile.value("Size/First").isValid());

        // The same start answered with a folder goes on there.
        answerLogin({QString()});
        answerChooser(true);
        CFennimarApp again;
        QVERIFY(again.InitInstance());
        QCOMPARE(again.g_strWorkDir(), root().filePath(QStringLiteral("Fennimar")));
        QCOMPARE(messages.texts().size(), 2);
        again.mainFrame()->close();
    }

    // A password file that is there but cannot be read whole admits nobody: no
    // login is offered, and the file is not written over with an empty password.
    void aDamagedPasswordFileAdmitsNobody_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::newRow("cut short") << "cut";
        QTest::newRow("a folder") << "folder";
        QTest::newRow("a FIFO") << "fifo";
        QTest::newRow("unreadable") << "unreadable";
    }

    void aDamagedPasswordFileAdmitsNobody()
    {
        QFETCH(QString, damage);
        if (damage == "unreadable" && runningAsRoot())
            QSKIP("root reads every file");
        const QString dir = root().filePath(QStringLiteral("books"));
        QDir().mkpath(dir);
        const QString path = settingsFilePath(dir);
        QVERIFY(writeSettings(dir, {QString(), QStringLiteral("secret"), QString(), QString()}));
        const QByteArray whole = readFile(path);
        if (damage == "cut") {
            QVERIFY(writeFile(path, whole.chopped(3)));
        } else if (damage == "unreadable") {
            QVERIFY(QFile::setPermissions(path, QFile::WriteOwner));
        } else {
            QVERIFY(QFile::remove(path));
            QVERIFY(damage == "folder" ? QDir().mkdir(path) : ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        }
        m_profile.setValue("Directory/Path", dir);
        MessageRecorder messages;
        bool asked = false;
        QTimer watcher; // gone with the test, unlike a pending answer
        connect(&watcher, &QTimer::timeout, [&asked] {
            if (auto *login = qobject_cast<CLoginDlg *>(QApplication::activeModalWidget())) {
                asked = true;
                login->reject();
            }
        });
        watcher.start(10);
        CFennimarApp app;
        QVERIFY(!app.InitInstance());
        QVERIFY(!asked);
        QCOMPARE(messages.texts().size(), 1);
        QVERIFY2(messages.texts()[0].startsWith("The password file " + path + " cannot be read: "),
                 qPrintable(messages.texts()[0]));
        QVERIFY(!app.mainFrame());
        if (damage == "cut")
            QCOMPARE(readFile(path), whole.chopped(3));
        QCOMPARE(entryType(path) == EntryType::File, damage == "cut" || damage == "unreadable");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    }

    // A second start on the same folder shows the running window and opens none.
    void oneProgramPerFolder()
    {
        const QString dir = root().filePath(QStringLiteral("books"));
        QDir().mkpath(dir);
        m_profile.setValue("Directory/Path", dir);
        answerLogin({QString()});
        CFennimarApp first;
        QVERIFY(first.InitInstance());
        first.mainFrame()->showMinimized();
        QTRY_VERIFY(first.mainFrame()->isMinimized());

        bool asked = false;
        QTimer watcher;
        connect(&watcher, &QTimer::timeout, [&asked] {
            if (auto *login = qobject_cast<CLoginDlg *>(QApplication::activeModalWidget())) {
                asked = true;
                login->reject();
            }
        });
        watcher.start(10);
        CFennimarApp second;
        QVERIFY(!second.InitInstance());
        QVERIFY(!second.mainFrame());
        QVERIFY(!asked);
        QTRY_VERIFY(!first.mainFrame()->isMinimized());
        watcher.stop();
        first.mainFrame()->close();

        // Another folder is no one's: it starts.
        const QString other = root().filePath(QStringLiteral("other"));
        QDir().mkpath(other);
        m_profile.setValue("Directory/Path", other);
        answerLogin({QString()});
        CFennimarApp third;
        QVERIFY(third.InitInstance());
        third.mainFrame()->close();
    }

    // Preference to a folder another running program keeps shows that one's
    // window and stays; to a free folder, the claim moves along.
    void preferenceNeverOpensAnotherProgramsFolder()
    {
        const QString dir = root().filePath(QStringLiteral("books"));
        const QString other = root().filePath(QStringLiteral("other"));
        QDir().mkpath(dir);
        QDir().mkpath(other);
        createDefaultSettings(other); // a folder with books of its own
        m_profile.setValue("Directory/Path", dir);
        answerLogin({QString()});
        CFennimarApp app;
        QVERIFY(app.InitInstance());
        CPreferenceDlg::setFolderPicker([&](QWidget *, const QString &) { return other; });

        auto holder = std::make_unique<CSingleInstance>();
        QVERIFY(holder->claim(other));
        int shown = 0;
        connect(holder.get(), &CSingleInstance::showRequested, [&shown] { ++shown; });
        {
            MessageRecorder messages;
            answerChooser(true);
            app.mainFrame()->runCommand(ID_PREFERENCE);
            QCOMPARE(messages.texts(),
                     QStringList({"The books of " + other + " are open in another Fennimar window; it is shown now."}));
        }
        QCOMPARE(app.store().workDir(), dir);
        QTRY_COMPARE(shown, 1);
        QVERIFY(CSingleInstance::askRunning(dir)); // still this program's

        holder.reset();
        answerChooser(true);
        app.mainFrame()->runCommand(ID_PREFERENCE);
        QCOMPARE(app.store().workDir(), other);
        QVERIFY(CSingleInstance::askRunning(other));
        QVERIFY(!CSingleInstance::askRunning(dir));
        app.mainFrame()->close();
    }

    // Maximised at first; then as the window was left.
    void theWindowComesBackAsItWasLeft()
    {
        const QString dir = root().filePath(QStringLiteral("books"));
        QDir().mkpath(dir);
        m_profile.setValue("Directory/Path", dir);
        answerLogin({QString()});
        {
            CFennimarApp app;
            QVERIFY(app.InitInstance());
            QVERIFY(app.mainFrame()->windowState() & Qt::WindowMaximized);
            app.mainFrame()->showNormal();
            app.mainFrame()->setGeometry(40, 50, 900, 650);
            QTRY_COMPARE(app.mainFrame()->size(), QSize(900, 650));
            app.mainFrame()->close();
        }
        answerLogin({QString()});
        CFennimarApp again;
        QVERIFY(again.InitInstance());
        QVERIFY(!(again.mainFrame()->windowState() & Qt::WindowMaximized));
        QCOMPARE(again.mainFrame()->size(), QSize(900, 650));
        again.mainFrame()->close();
    }

    void cancelledLoginTouchesNothing()
    {
        answerLogin({QString()}, false);
        CFennimarApp app;
        QVERIFY(!app.InitInstance());
        QVERIFY(m_profile.allKeys().isEmpty());
        QVERIFY(!QFileInfo::exists(root().filePath(QStringLiteral("Fennimar"))));
    }
};

FENNIMAR_GUI_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
