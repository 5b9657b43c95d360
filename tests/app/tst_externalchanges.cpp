#include "app/commandids.h"
#include "controls/accountcombo.h"
#include "controls/recordlists.h"
#include "framefixture.h"

#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace testutil;

namespace {

QStringList subjectsOf(const QAbstractItemModel *model, int column)
{
    QStringList subjects;
    for (int row = 0; row < model->rowCount(); ++row)
        subjects << model->index(row, column).data().toString();
    subjects.sort();
    return subjects;
}

} // namespace

// The desktop program keeps what it read, yet every refresh shows what another
// program (fennimar-cli, a second window) changed in the books.
class TestExternalChanges : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useUsEnglish(); }

    void aRefreshShowsWhatAnotherProgramChanged()
    {
        FrameFixture f;
        const QString id = f.addAccount("111", "First");
        const OleDateTime today = OleDateTime::currentDateTime();
        const QString kept = f.store.addTransaction(movement(id, today, 4, "Kept"));
        const QString changed = f.store.addTransaction(movement(id, today, 5, "Before"));
        const QString inPlace = f.store.addTransaction(movement(id, today, 6, "Old"));
        f.open();
        QVERIFY(f.store.caching());
        f.frame->runCommand(ID_VIEW_TRANSACTIONS);
        f.frame->accountSelector()->setCurrentIndex(0); // "All"
        const QAbstractItemModel *all = f.page()->allTransList()->model();
        QCOMPARE(subjectsOf(all, 2), QStringList({"Before", "Kept", "Old"}));

        CDataStore other(f.dir.path());
        other.addTransaction(movement(id, today, 7, "Added"));
        other.modifyTransaction(changed, movement(changed, today, 5, "After")); // replaced by a rename
        // Rewritten where it is, the same size, within the same second.
        TransactionRecord rewritten = movement(inPlace, today, 6, "New");
        const QByteArray bytes = encodeTransaction(rewritten);
        const QByteArray name = QFile::encodeName(f.dir.filePath(inPlace + ".tra"));
        const int fd = ::open(name.constData(), O_WRONLY);
        QVERIFY(fd >= 0);
        QCOMPARE(::pwrite(fd, bytes.constData(), size_t(bytes.size()), 0), ssize_t(bytes.size()));
        ::close(fd);
        other.deleteTransaction(kept);

        f.frame->runCommand(ID_REFRESH);
        QCOMPARE(subjectsOf(all, 2), QStringList({"Added", "After", "New"}));

        f.frame->runCommand(ID_VIEW_ACCOUNTS);
        const QAbstractItemModel *accounts = f.page()->accountList()->model();
        QCOMPARE(accounts->rowCount(), 1);
        QCOMPARE(f.store.fillAccountList().first().data->transactionSum, 18.0);
    }
};

FENNIMAR_GUI_TEST_MAIN(TestExternalChanges)
#include "tst_externalchanges.moc"
