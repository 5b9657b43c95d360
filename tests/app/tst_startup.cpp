#include "appfixture.h"
#include "fennimarapp.h"
#include "logindlg.h"
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

    static QVariant profileValue(const QString &key)
    {
        return QSettings(QStringLiteral("Kestrune"), QStringLiteral("Fennimar")).value(key);
    }
    static void setProfileValue(const QString &key, const QVariant &value)
    {
        QSettings(QStringLiteral("Kestrune"), QStringLiteral("Fennimar")).setValue(key, value);
    }

    // Answers the login with a password, and the chooser with a folder (or Cancel).
    static void answerLogin(const QString &password, bool ok = true)
    {
        whenModal<CLoginDlg>([password, ok](CLoginDlg *login) {
            child<QLineEdit>(login, QStringLiteral("password"))->setText(password);
            clickButton(login, ok ? QStringLiteral("ok") : QStringLiteral("cancel"));
        });
    }
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
        QSettings(QStringLiteral("Kestrune"), QStringLiteral("Fennimar")).clear();
        CPreferenceDlg::setFolderPicker([this](QWidget *, const QString &) { return root().path(); });
    }

    void cleanup() { QSettings(QStringLiteral("Kestrune"), QStringLiteral("Fennimar")).clear(); }

    void firstRun()
    {
        MessageRecorder messages;
        answerLogin(QString());
        answerChooser(true);
        CFennimarApp app;
        QVERIFY(app.InitInstance());
        const QString dir = root().filePath(QStringLiteral("Fennimar"));
        QCOMPARE(app.g_strWorkDir, dir);
        QVERIFY(QFileInfo(dir).isDir());
        // The new folder has its settings and default files; nothing went to the current folder.
        QVERIFY(QFileInfo::exists(settingsFilePath(dir)));
        QVERIFY(QFileInfo::exists(dir + "/Category.cat"));
        QVERIFY(!QFileInfo::exists(QDir::current().filePath(QStringLiteral("setfnpngs.pss"))));
        QVERIFY(messages.shown.isEmpty());
        QVERIFY(app.mainFrame()->isVisible());
        QVERIFY(!profileValue("Directory/Path").isValid()); // written at exit only

        app.mainFrame()->close();
        QCOMPARE(profileValue("Directory/Path").toString(), dir);
        QCOMPARE(profileValue("Size/First").toInt(), 15);
        QCOMPARE(profileValue("Size/Second").toInt(), 85);
    }

    void rememberedFolderAndPassword()
    {
        const QString dir = root().filePath(QStringLiteral("books"));
        QDir().mkpath(dir);
        QVERIFY(writeSettings(dir, {QString(), QStringLiteral("secret"), QStringLiteral("q"), QStringLiteral("a")}));
        setProfileValue("Directory/Path", dir);
        MessageRecorder messages;
        // A wrong password first: refused and asked again; then the right one.
        whenModal<CLoginDlg>([](CLoginDlg *login) {
            child<QLineEdit>(login, QStringLiteral("password"))->setText(QStringLiteral("Secret"));
            clickButton(login, QStringLiteral("ok"));
            child<QLineEdit>(login, QStringLiteral("password"))->setText(QStringLiteral("secret"));
            clickButton(login, QStringLiteral("ok"));
        });
        CFennimarApp app;
        QVERIFY(app.InitInstance());
        QCOMPARE(app.g_strWorkDir, dir);
        QCOMPARE(messages.texts(), QStringList({LoadText(IDS_UNAUTHORIZED)}));
        app.mainFrame()->close();
    }

    void vanishedFolder()
    {
        const QString gone = root().filePath(QStringLiteral("gone/Fennimar"));
        setProfileValue("Directory/Path", gone);
        MessageRecorder messages;
        answerLogin(QString());
        answerChooser(false);
        CFennimarApp app;
        QVERIFY(!app.InitInstance());
        QCOMPARE(messages.texts(), QStringList({LoadText(IDS_WORKDIR_MOVED)}));
        QVERIFY(!app.mainFrame());
        QCOMPARE(profileValue("Directory/Path").toString(), gone); // untouched
        QVERIFY(!profileValue("Size/First").isValid());

        // The same start answered with a folder goes on there.
        answerLogin(QString());
        answerChooser(true);
        CFennimarApp again;
        QVERIFY(again.InitInstance());
        QCOMPARE(again.g_strWorkDir, root().filePath(QStringLiteral("Fennimar")));
        QCOMPARE(messages.texts().size(), 2);
        again.mainFrame()->close();
    }

    void cancelledLoginTouchesNothing()
    {
        answerLogin(QString(), false);
        CFennimarApp app;
        QVERIFY(!app.InitInstance());
        QVERIFY(QSettings(QStringLiteral("Kestrune"), QStringLiteral("Fennimar")).allKeys().isEmpty());
        QVERIFY(!QFileInfo::exists(root().filePath(QStringLiteral("Fennimar"))));
    }

    void showValuesDefaultsToOne()
    {
        QCOMPARE(CFennimarApp::readShowValues(), 1);
        CFennimarApp::writeShowValues(0);
        QCOMPARE(CFennimarApp::readShowValues(), 0);
    }
};

FENNIMAR_GUI_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
