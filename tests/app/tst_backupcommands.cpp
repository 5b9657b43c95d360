#include "app/backupcommands.h"
#include "app/undohistory.h"
#include "controls/recordlists.h"
#include "dialogs/restorebackupdlg.h"
#include "framefixture.h"
#include "store/backups.h"
#include "store/categoryfile.h"

#include <QLineEdit>
#include <QTreeWidget>
#include <QtTest>

using namespace testutil;

class TestBackupCommands : public QObject
{
    Q_OBJECT

    // A frame over "<temporary>/Books", so that Backups lands in the temporary folder.
    struct Fixture : FrameFixture
    {
        QString books = dir.filePath("Books");
        QString backups = dir.filePath("Backups");
        QString accountId;

        Fixture()
        {
            QDir().mkdir(books);
            store.setWorkDir(books);
            ensureCategoryFile(books);
            accountId = store.addAccount(account("111"));
            store.addTransaction(movement(accountId, at(2026, 3, 4), -42.8, "Groceries"));
            open();
        }
    };

private Q_SLOTS:
    void initTestCase() { useUsEnglish(); }

    void theDaysBackupWhenTheProgramStarts()
    {
        Fixture f;
        MessageRecorder messages;
        const QString zip = CBackupCommands::backUpIfDue(*f.frame);
        QCOMPARE(zip, f.backups + "/Books-" + QDate::currentDate().toString(Qt::ISODate) + ".zip");
        const BackupInfo info = readBackupInfo(zip);
        QCOMPARE(info.accounts, 1);
        QCOMPARE(info.transactions, 1);
        QCOMPARE(CBackupCommands::backUpIfDue(*f.frame), QString()); // once a day
        QCOMPARE(messages.shown.size(), 0);
    }

    void aFailedBackupSaysSoAndChangesNothing()
    {
        Fixture f;
        QVERIFY(writeFile(f.backups, "in the way"));
        const QMap<QString, QByteArray> books = snapshot(f.books);
        MessageRecorder messages;
        QCOMPARE(CBackupCommands::backUpIfDue(*f.frame), QString());
        QCOMPARE(messages.shown.size(), 1);
        QVERIFY(messages.shown[0].text.startsWith("No backup of the books was made today."));
        QVERIFY(messages.shown[0].text.contains(f.backups));
        QCOMPARE(readFile(f.backups), QByteArray("in the way"));
        QCOMPARE(snapshot(f.books), books);
    }

    // Tools > Restore Backup: the backups with their counts; one restored into
    // a new folder, which is then opened.
    void restoreAndOpen()
    {
        Fixture f;
        writeBackup(f.books, QDate(2026, 12, 5));
        f.store.addAccount(account("222"));
        writeBackup(f.books, QDate(2026, 12, 6));
        f.frame->undoHistory()->record(
            "Add Account", [] { return QStringList(); },
            [&] { return QStringList{f.store.addAccount(account("333")) + ".act"}; });
        const QMap<QString, QByteArray> books = snapshot(f.books);
        QCOMPARE(f.frame->undoHistory()->count(), 1);

        QStringList rows;
        QString suggested;
        whenModal<CRestoreBackupDlg>([&](CRestoreBackupDlg *dialog) {
            QTreeWidget *list = dialog->backupList();
            for (int i = 0; i < list->topLevelItemCount(); ++i) {
                const QTreeWidgetItem *item = list->topLevelItem(i);
                rows << QStringList{item->text(0), item->text(1), item->text(2), item->text(3)}.join(u'|');
            }
            list->setCurrentItem(list->topLevelItem(1)); // the older one
            suggested = dialog->targetEdit()->text();
            clickButton(dialog, "restore");
        });
        MessageRecorder messages; // Yes: open the restored books
        f.frame->runCommand(ID_RESTORE_BACKUP);
        QCOMPARE(rows, QStringList({"Sunday, December 6, 2026|2|1|0", "Saturday, December 5, 2026|1|1|0"}));
        const QString target = f.dir.filePath("Books restored 2026-12-05");
        QCOMPARE(suggested, target);
        QCOMPARE(messages.shown.size(), 1);
        QVERIFY(messages.shown[0].text.contains("Open those books now?"));
        QCOMPARE(f.store.workDir(), target);
        QCOMPARE(f.profileWrites.last(), target);
        QCOMPARE(f.page()->accountList()->model()->rowCount(), 1);
        QCOMPARE(f.frame->undoHistory()->count(), 0);
        // The books of before are as they were.
        QCOMPARE(snapshot(f.books), books);
        QCOMPARE(CRestoreBackupDlg::suggestedFolder(f.books, QDate(2026, 12, 5)),
                 f.dir.filePath("Books restored 2026-12-05 (2)"));
    }
};

QTEST_MAIN(TestBackupCommands)
#include "tst_backupcommands.moc"
