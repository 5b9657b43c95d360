// The desktop program's File > Import Statement: the preview dialog driven as
// a user would, and the list of the account afterwards.

#include "app/commandids.h"
#include "controls/accountcombo.h"
#include "controls/listmodels.h"
#include "controls/recordlists.h"
#include "dialogs/importdlg.h"
#include "framefixture.h"
#include "store/categoryfile.h"
#include "store/formatters.h"

#include <QInputDialog>
#include <QLabel>
#include <QSettings>
#include <QTableWidget>
#include <QTest>

using namespace testutil;

namespace {

// Date, subject, amount and balance of each transaction row the list shows.
QList<QStringList> transactionRows(const CAccountTransListCtrl *list)
{
    QList<QStringList> rows;
    const QAbstractItemModel *model = list->model();
    for (int r = 1; r < list->count(); ++r) {
        QStringList texts;
        for (int c = 0; c < model->columnCount(); ++c)
            texts << model->index(r, c).data().toString();
        rows << texts;
    }
    return rows;
}

} // namespace

class TestImportPreview : public QObject
{
    Q_OBJECT

    QDate m_first = QDate::currentDate().addDays(1 - QDate::currentDate().day());

    OleDateTime day(int n) const { return OleDateTime::fromDateTime(m_first.addDays(n), QTime(12, 0)); }
    QByteArray iso(int n) const { return m_first.addDays(n).toString(Qt::ISODate).toLatin1(); }

    void openWithFile(FrameFixture &f, const QString &path)
    {
        CMainFrame::Services services = f.services();
        services.openFileName = [path](QWidget *, const QString &, const QString &) { return path; };
        f.frame = std::make_unique<CMainFrame>(f.store, services);
        f.frame->resize(1200, 800);
        f.frame->show();
        QApplication::processEvents();
    }

private Q_SLOTS:
    void initTestCase()
    {
        useUsEnglish();
        QStandardPaths::setTestModeEnabled(true);
        // No CSV mapping of an earlier run is offered.
        QSettings(QStringLiteral("Kestrune"), QStringLiteral("Fennimar")).remove(QStringLiteral("CsvMapping"));
    }

    // Untick a row, import: the list shows exactly the ticked rows with the
    // running balance, and the disk holds exactly their files.
    void theTickedRowsAreImported()
    {
        FrameFixture f;
        ensureCategoryFile(f.dir.path());
        const QString id = f.addAccount("111", "River");
        f.store.addTransaction(movement(id, day(0), 100.0, "Opening deposit"));
        const QString statement = f.dir.filePath("june.csv");
        QVERIFY(writeFile(statement, "Date,Subject,Amount,Category\n" + iso(0) + ",Opening deposit,100.00,\n" + iso(1)
                                         + ",Coffee,-2.50,Treats\n" + iso(1) + ",Coffee,-2.50,Treats\n" + iso(2)
                                         + ",Groceries,-40.00,Kitchen Items\n" + iso(3) + ",Refund,12.00,\n"
                                         + "yesterday,Typo,1.00,\n"));
        openWithFile(f, statement);
        f.frame->runCommand(ID_VIEW_TRANSACTIONS);
        QCOMPARE(f.frame->accountSelector()->currentAccountId(), id);
        QCOMPARE(f.frame->action(ID_IMPORT_STATEMENT)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_I));

        QStringList summaries;
        QStringList statuses;
        QStringList categories;
        bool shown = false;
        whenModal<CImportDlg>([&](CImportDlg *dialog) {
            shown = true;
            QTableWidget *table = dialog->table();
            QCOMPARE(dialog->accountId(), id);
            for (int row = 0; row < table->rowCount(); ++row) {
                statuses << table->item(row, CImportDlg::StatusColumn)->text() + QStringLiteral(" ")
                                + (table->item(row, CImportDlg::TickColumn)->checkState() == Qt::Checked
                                       ? QStringLiteral("ticked")
                                       : QStringLiteral("unticked"));
                categories << table->item(row, CImportDlg::CategoryColumn)->text();
            }
            summaries << dialog->summary();
            // The second coffee is left out, the refund gets a category of the tree.
            table->item(2, CImportDlg::TickColumn)->setCheckState(Qt::Unchecked);
            QVERIFY(table->item(4, CImportDlg::CategoryColumn)->flags() & Qt::ItemIsEditable);
            table->item(4, CImportDlg::CategoryColumn)->setText(QStringLiteral("Household Items"));
            summaries << dialog->summary();
            clickButton(dialog, QStringLiteral("ok"));
        });
        f.frame->runCommand(ID_IMPORT_STATEMENT);
        QVERIFY(shown);
        QCOMPARE(statuses, QStringList({"duplicate unticked", "new ticked", "new ticked", "new ticked", "new ticked",
                                        "unreadable: \"yesterday\" is not a date of the form yyyy-MM-dd unticked"}));
        // A category the tree does not have is left blank.
        QCOMPARE(categories, QStringList({"", "", "", "Kitchen Items", "", ""}));
        QCOMPARE(summaries, QStringList({"4 new, 1 duplicate, 1 line skipped - 4 ticked to import",
                                         "4 new, 1 duplicate, 1 line skipped - 3 ticked to import"}));

        QList<QStringList> expected;
        const QList<std::tuple<int, QString, double, double>> rows = {{0, "Opening deposit", 100.0, 100.0},
                                                                      {1, "Coffee", -2.5, 97.5},
                                                                      {2, "Groceries", -40.0, 57.5},
                                                                      {3, "Refund", 12.0, 69.5}};
        for (const auto &[n, subject, amount, balance] : rows)
            expected << QStringList{formatDate(day(n)), subject, amountText(amount), amountText(balance)};
        QCOMPARE(transactionRows(f.page()->accountTransList()), expected);

        // On disk: the account's four transactions, the categories as chosen.
        f.store.loadAccountTransactions(id);
        QStringList written;
        for (const auto &entry : f.store.accountTransactions())
            written << entry.value().subject + QStringLiteral("/") + entry.value().category;
        written.sort();
        QCOMPARE(written,
                 QStringList({"Coffee/", "Groceries/Kitchen Items", "Opening deposit/", "Refund/Household Items"}));
        QCOMPARE(QDir(f.dir.path()).entryList({"*.tra"}, QDir::Files).size(), 4);

        // One step of the history: Undo takes the three back, Redo writes them again.
        const QStringList imported = QDir(f.dir.path()).entryList({"*.tra"}, QDir::Files);
        QCOMPARE(f.frame->action(ID_EDIT_UNDO)->text(), QStringLiteral("&Undo Import Statement"));
        f.frame->runCommand(ID_EDIT_UNDO);
        QCOMPARE(QDir(f.dir.path()).entryList({"*.tra"}, QDir::Files).size(), 1);
        QCOMPARE(transactionRows(f.page()->accountTransList()), expected.mid(0, 1));
        f.frame->runCommand(ID_EDIT_REDO);
        QCOMPARE(QDir(f.dir.path()).entryList({"*.tra"}, QDir::Files), imported);
        QCOMPARE(transactionRows(f.page()->accountTransList()), expected);
    }

    // A statement of two accounts asks which one; Cancel in the preview writes nothing.
    void aStatementOfTwoAccountsAsksWhichOne()
    {
        FrameFixture f;
        f.addAccount("111"); // the account to import into
        const QString statement = f.dir.filePath("two.ofx");
        QFile seed(QStringLiteral(FENNIMAR_FUZZ_CORPUS "/ofx/sgml-two-accounts"));
        QVERIFY(seed.open(QIODevice::ReadOnly));
        QVERIFY(writeFile(statement, seed.readAll()));
        openWithFile(f, statement);
        f.frame->runCommand(ID_VIEW_TRANSACTIONS);

        QStringList offered;
        whenModal<QInputDialog>([&](QInputDialog *ask) {
            offered = ask->comboBoxItems();
            ask->setTextValue(offered.value(1));
            ask->accept();
        });
        QStringList subjects;
        whenModal<CImportDlg>([&](CImportDlg *dialog) {
            for (int row = 0; row < dialog->table()->rowCount(); ++row)
                subjects << dialog->table()->item(row, CImportDlg::SubjectColumn)->text();
            clickButton(dialog, QStringLiteral("cancel"));
        });
        f.frame->runCommand(ID_IMPORT_STATEMENT);
        QCOMPARE(offered.size(), 2);
        QVERIFY(offered[1].endsWith(QStringLiteral("222")));
        QCOMPARE(subjects, QStringList({"Two", "Three"}));
        QVERIFY(QDir(f.dir.path()).entryList({"*.tra"}, QDir::Files).isEmpty());
        QVERIFY(!f.frame->action(ID_EDIT_UNDO)->isEnabled());
    }

    // The same statement again: every row is a duplicate, nothing is ticked.
    void aSecondImportOffersNothing()
    {
        FrameFixture f;
        const QString id = f.addAccount("111");
        const QString statement = f.dir.filePath("s.qif");
        QVERIFY(writeFile(statement, "!Type:Bank\nD" + m_first.addDays(1).toString("MM/dd/yyyy").toLatin1()
                                         + "\nT-2.50\nPCoffee\n^\n"));
        openWithFile(f, statement);
        f.frame->runCommand(ID_VIEW_TRANSACTIONS);
        QString summary;
        whenModal<CImportDlg>([](CImportDlg *dialog) { clickButton(dialog, QStringLiteral("ok")); });
        f.frame->runCommand(ID_IMPORT_STATEMENT);
        QCOMPARE(f.page()->accountTransList()->count(), 2);
        whenModal<CImportDlg>([&](CImportDlg *dialog) {
            summary = dialog->summary();
            QVERIFY(!child<QPushButton>(dialog, QStringLiteral("ok"))->isEnabled());
            clickButton(dialog, QStringLiteral("cancel"));
        });
        f.frame->runCommand(ID_IMPORT_STATEMENT);
        QCOMPARE(summary, QStringLiteral("0 new, 1 duplicate - 0 ticked to import"));
        QCOMPARE(QDir(f.dir.path()).entryList({"*.tra"}, QDir::Files).size(), 1);
        QCOMPARE(f.store.accountTransactions().size(), 1);
        Q_UNUSED(id);
    }

    // A file that is no statement: a clear message, nothing written.
    void aPictureIsRefused()
    {
        FrameFixture f;
        f.addAccount("111");
        const QString picture = f.dir.filePath("photo.csv");
        QVERIFY(writeFile(picture, QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)));
        openWithFile(f, picture);
        const auto before = snapshot(f.dir.path());
        MessageRecorder messages;
        f.frame->runCommand(ID_IMPORT_STATEMENT);
        QCOMPARE(messages.texts(),
                 QStringList({"photo.csv is not a bank statement (CSV, QIF or OFX text): it holds binary data. "
                              "Nothing was imported."}));
        QCOMPARE(snapshot(f.dir.path()), before);
    }
};

QTEST_MAIN(TestImportPreview)
#include "tst_importpreview.moc"
