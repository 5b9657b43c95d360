#include "colorsettingsdlg.h"
#include "guitestutil.h"
#include "helpopener.h"
#include "preferencedlg.h"
#include "testutil.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace testutil;

namespace {

QString shown(QDialog *dialog)
{
    return child<QLineEdit>(dialog, QStringLiteral("directory"))->text();
}

} // namespace

class TestPreferenceDlg : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<GuiTestPlace> m_place;
    QString m_workDir;
    QStringList m_picks;
    QStringList m_titles;

    QString dataFolder() const
    {
        const QString data = m_place->filePath(QStringLiteral("Data"));
        QDir().mkpath(data);
        return data;
    }

    // The folder picker answers with the next of m_picks.
    void pickFolders(const QStringList &picks)
    {
        m_picks = picks;
        m_titles.clear();
    }

private Q_SLOTS:
    void init()
    {
        m_place = std::make_unique<GuiTestPlace>();
        m_workDir = m_place->filePath(QStringLiteral("Old/Fennimar"));
        QVERIFY(QDir().mkpath(m_workDir));
        CPreferenceDlg::setFolderPicker([this](QWidget *, const QString &title) {
            m_titles << title;
            return m_picks.isEmpty() ? QString() : m_picks.takeFirst();
        });
    }

    void cleanup()
    {
        CPreferenceDlg::setFolderPicker({});
        m_place.reset();
    }

    void looks()
    {
        CPreferenceDlg dialog(m_workDir, CPreferenceDlg::kCommandMode);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Preference"));
        QCOMPARE(dialog.palette().color(QPalette::Window), QColor(Qt::white));
        auto *field = child<QLineEdit>(&dialog, QStringLiteral("directory"));
        QVERIFY(field->isReadOnly());
        QCOMPARE(field->text(), QDir::toNativeSeparators(m_workDir));
        QStringList labels;
        for (QLabel *label : dialog.findChildren<QLabel *>())
            labels << label->text();
        labels.sort();
        QCOMPARE(labels, QStringList({"Current Working Directory", "Graph Color Settings"}));
        for (const char *name : {"help", "change", "color", "ok", "cancel"})
            QVERIFY(child<QPushButton>(&dialog, QString::fromLatin1(name))->isVisible());
        QCOMPARE(child<QPushButton>(&dialog, QStringLiteral("color"))->text(), QStringLiteral("Color"));
        QCOMPARE(dialog.mode(), CPreferenceDlg::kCommandMode);
    }

    // Picking D:\Data shows D:\Data and makes D:\Data\Fennimar the working
    // directory; OK hands back D:\Data.
    void pickAFolder()
    {
        MessageRecorder messages;
        const QString data = dataFolder();
        pickFolders({data});
        CPreferenceDlg dialog(m_workDir, CPreferenceDlg::kCommandMode);
        dialog.show();
        clickButton(&dialog, QStringLiteral("change"));
        QCOMPARE(m_titles, QStringList({"Pick a Directory"}));
        QCOMPARE(shown(&dialog), QDir::toNativeSeparators(data));
        QCOMPARE(dialog.workDir(), data + QStringLiteral("/Fennimar"));
        QVERIFY(messages.shown.isEmpty());

        clickButton(&dialog, QStringLiteral("ok"));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.directory(), data);
        QCOMPARE(dialog.workDir(), data + QStringLiteral("/Fennimar"));
        // Nothing is made on disk: that is the caller's business.
        QVERIFY(!QFileInfo::exists(dialog.workDir()));
    }

    void folderWithTrailingSeparator()
    {
        const QString data = dataFolder();
        pickFolders({data + QStringLiteral("/")});
        CPreferenceDlg dialog(QString(), CPreferenceDlg::kStartUpMode);
        dialog.show();
        clickButton(&dialog, QStringLiteral("change"));
        QCOMPARE(dialog.workDir(), data + QStringLiteral("/Fennimar"));
        clickButton(&dialog, QStringLiteral("ok"));
        QCOMPARE(dialog.directory(), data);
    }

    void missingFolder_data()
    {
        QTest::addColumn<QString>("picked");
        QTest::newRow("gone") << "Gone";
        QTest::newRow("a file") << "file.txt";
    }

    void missingFolder()
    {
        QFETCH(QString, picked);
        MessageRecorder messages;
        QVERIFY(writeFile(m_place->filePath(QStringLiteral("file.txt")), "x"));
        pickFolders({m_place->filePath(picked)});
        CPreferenceDlg dialog(m_workDir, CPreferenceDlg::kCommandMode);
        dialog.show();
        clickButton(&dialog, QStringLiteral("change"));
        QCOMPARE(messages.texts(), QStringList({"The working directory is moved or deleted. Please select the "
                                                "working directory to continue."}));
        QCOMPARE(messages.shown[0].icon, MessageIcon::None);
        QCOMPARE(shown(&dialog), QString());
        QCOMPARE(dialog.workDir(), m_workDir);

        // With no folder, OK is Cancel.
        clickButton(&dialog, QStringLiteral("ok"));
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(dialog.directory(), QString());
    }

    void pickerCancelledLeavesTheField()
    {
        pickFolders({});
        CPreferenceDlg dialog(m_workDir, CPreferenceDlg::kCommandMode);
        dialog.show();
        clickButton(&dialog, QStringLiteral("change"));
        QCOMPARE(m_titles.size(), 1);
        QCOMPARE(shown(&dialog), QDir::toNativeSeparators(m_workDir));
        QCOMPARE(dialog.workDir(), m_workDir);
        clickButton(&dialog, QStringLiteral("ok"));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.directory(), m_workDir);
        QCOMPARE(dialog.workDir(), m_workDir);
    }

    void startUpModeStartsEmpty()
    {
        CPreferenceDlg dialog(m_workDir, CPreferenceDlg::kStartUpMode);
        dialog.show();
        QCOMPARE(shown(&dialog), QString());
        QCOMPARE(dialog.mode(), CPreferenceDlg::kStartUpMode);
        QTest::keyClick(&dialog, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    // A later pick of a missing folder takes back the earlier good one.
    void secondPickFails()
    {
        MessageRecorder messages;
        const QString data = dataFolder();
        pickFolders({data, m_place->filePath(QStringLiteral("Gone"))});
        CPreferenceDlg dialog(QString(), CPreferenceDlg::kStartUpMode);
        dialog.show();
        clickButton(&dialog, QStringLiteral("change"));
        clickButton(&dialog, QStringLiteral("change"));
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(shown(&dialog), QString());
        clickButton(&dialog, QStringLiteral("ok"));
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    void keyboard()
    {
        const QString data = dataFolder();
        pickFolders({data});
        CPreferenceDlg dialog(QString(), CPreferenceDlg::kStartUpMode);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        // The first stop is the Change button.
        QCOMPARE(QApplication::focusWidget(), child<QPushButton>(&dialog, QStringLiteral("change")));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(dialog.workDir(), data + QStringLiteral("/Fennimar"));
        QTest::keyClick(&dialog, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.directory(), data);

        CPreferenceDlg tabbed(m_workDir, CPreferenceDlg::kCommandMode);
        tabbed.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tabbed));
        QCOMPARE(tabWalk(6), QStringList({"change", "color", "ok", "cancel", "help", "directory"}));
        tabbed.reject();

        CPreferenceDlg other(m_workDir, CPreferenceDlg::kCommandMode);
        other.show();
        QTest::keyClick(&other, Qt::Key_Escape);
        QCOMPARE(other.result(), int(QDialog::Rejected));
    }

    void cancelAfterChange()
    {
        const QString data = dataFolder();
        pickFolders({data});
        CPreferenceDlg dialog(m_workDir, CPreferenceDlg::kCommandMode);
        dialog.show();
        clickButton(&dialog, QStringLiteral("change"));
        clickButton(&dialog, QStringLiteral("cancel"));
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    void helpButton()
    {
        int opened = 0;
        setHelpOpener([&opened] { ++opened; });
        CPreferenceDlg dialog(m_workDir, CPreferenceDlg::kCommandMode);
        dialog.show();
        clickButton(&dialog, QStringLiteral("help"));
        QCOMPARE(opened, 1);
        QVERIFY(dialog.isVisible());
        setHelpOpener({});
    }

    // Color edits the chart colours of the working directory.
    void colorButton()
    {
        QVERIFY(ensureChartColourFile(m_workDir));
        CPreferenceDlg dialog(m_workDir, CPreferenceDlg::kCommandMode);
        dialog.show();
        QString title;
        quint32 firstColour = 0;
        whenModal<CColorSettingsDlg>([&](CColorSettingsDlg *colours) {
            title = colours->windowTitle();
            firstColour = colours->colours().face.value(0);
            colours->reject();
        });
        clickButton(&dialog, QStringLiteral("color"));
        QCOMPARE(title, QStringLiteral("Color Settings"));
        QCOMPARE(firstColour, quint32(16711680));
        QVERIFY(dialog.isVisible());
    }
};

FENNIMAR_GUI_TEST_MAIN(TestPreferenceDlg)
#include "tst_preferencedlg.moc"
