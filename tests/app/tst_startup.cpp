#include "fennimarapp.h"
#include "guitestutil.h"
#include "logindlg.h"
#include "mainframe.h"
#include "preferencedlg.h"
#include "settingsfile.h"
#include "stringtable.h"

#include <QLineEdit>
#include <QSettings>

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
        QCOMPARE(app.g_strWorkDir, dir);
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
        QCOMPARE(app.g_strWorkDir, dir);
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
        QCOMPARE(again.g_strWorkDir, root().filePath(QStringLiteral("Fennimar")));
        QCOMPARE(messages.texts().size(), 2);
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
