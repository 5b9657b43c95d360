#include "accountdlg.h"
#include "accounttransrows.h"
#include "appfixture.h"
#include "categorydlg.h"
#include "categorytreectrl.h"
#include "exportformats.h"
#include "fileexport.h"
#include "guifolder.h"
#include "guioutlook.h"
#include "guitoolbutton.h"
#include "recordlists.h"
#include "stringtable.h"
#include "transactiondlg.h"

#include <QAction>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QRadioButton>

using namespace testutil;

namespace {

// Fills the transaction dialog and presses OK; records its caption.
void answerTransaction(QString *caption, const QString &subject, const QString &amount, bool expense)
{
    whenModal<CTransactionDlg>([=](CTransactionDlg *dialog) {
        if (caption)
            *caption = dialog->windowTitle();
        child<QLineEdit>(dialog, QStringLiteral("subject"))->setText(subject);
        auto *field = child<QLineEdit>(dialog, QStringLiteral("amount"));
        field->selectAll();
        QTest::keyClicks(field, amount);
        QTest::mouseClick(child<QRadioButton>(dialog, expense ? QStringLiteral("expense") : QStringLiteral("income")),
                          Qt::LeftButton);
        clickButton(dialog, QStringLiteral("ok"));
    });
}

void cancelDialog()
{
    whenModal<QDialog>([](QDialog *dialog) { clickButton(dialog, QStringLiteral("cancel")); });
}

} // namespace

class TestRecordCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useUsEnglish(); }

    void addingATransactionFromTheNavigationBar()
    {
        FrameFixture f;
        const QString id = f.addAccount("111");
        f.store.addTransaction(movement(id, OleDateTime::currentDateTime().addDays(-40), 100));
        f.open();
        f.frame->runCommand(ID_VIEW_TRANSACTIONS);
        QString caption;
        answerTransaction(&caption, QStringLiteral("  Coffee beans "), QStringLiteral("12.5"), true);
        f.frame->navigation()->SelectFolder(1);
        QWidget *item = f.frame->navigation()->panel(1)->item(ID_TRANSACTION_ADD);
        QTRY_VERIFY(clickable(item));
        QTest::mouseClick(item, Qt::LeftButton);
        QCOMPARE(caption, QStringLiteral("Transaction"));

        const QStringList files = QDir(f.dir.path()).entryList({QStringLiteral("*.tra")});
        QCOMPARE(files.size(), 2);
        CDataStore reader(f.dir.path());
        reader.loadAccountTransactions(id);
        bool found = false;
        for (const auto &entry : reader.accountTransactions()) {
            if (entry.value().subject == QLatin1String("Coffee beans")) {
                found = true;
                QCOMPARE(entry.value().amount, -12.5);
                QCOMPARE(entry.value().incomeFlag, 0);
            }
        }
        QVERIFY(found);
        // The new row shows with its running balance after the 100 brought forward.
        CAccountTransListCtrl *list = f.page()->accountTransList();
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->model()->index(1, 1).data().toString(), QStringLiteral("Coffee beans"));
        QCOMPARE(list->model()->index(1, 3).data().toString(), QStringLiteral("$87.50"));
    }

    void planRowsInTheOneAccountList()
    {
        FrameFixture f;
        const QString id = f.addAccount("111");
        const QString plan = f.store.addPlan(movement(id, OleDateTime::currentDateTime().addDays(60), -30, "Tax"));
        f.open();
        f.frame->runCommand(ID_VIEW_TRANSACTIONS);
        CAccountTransListCtrl *list = f.page()->accountTransList();
        QCOMPARE(list->count(), 1);
        const int planRow = list->count() + 4;
        list->setSelectionMark(planRow);
        f.frame->updateCommandStates();
        QVERIFY(f.frame->action(ID_CONVERT_PLAN)->isEnabled());

        // Modify there opens the dialog captioned "Plan" and changes the plan.
        QString caption;
        answerTransaction(&caption, QStringLiteral("Taxes"), QStringLiteral("31"), true);
        f.frame->runCommand(ID_MODIFY);
        QCOMPARE(caption, QStringLiteral("Plan"));
        f.store.loadPlans();
        QCOMPARE(f.store.lookupPlan(plan).subject, QStringLiteral("Taxes"));
        QCOMPARE(f.store.lookupPlan(plan).amount, -31.0);

        // Delete there asks about a plan, not a transaction; No keeps it.
        MessageRecorder messages;
        messages.answers = {MessageNo};
        list->setSelectionMark(planRow);
        f.frame->runCommand(ID_DELETE);
        QCOMPARE(messages.texts(), QStringList({LoadText(IDS_CONFIRM_DELETE_PLAN)}));
        QCOMPARE(messages.shown[0].buttons, MessageButtons::YesNo);
        QCOMPARE(messages.shown[0].icon, MessageIcon::Question);
        f.store.loadPlans();
        QVERIFY(f.store.plans().contains(plan));

        // Convert asks, then the plan becomes a transaction.
        messages.answers = {MessageYes};
        list->setSelectionMark(planRow);
        f.frame->runCommand(ID_CONVERT_PLAN);
        QCOMPARE(messages.texts().last(), LoadText(IDS_CONFIRM_CONVERT_PLAN));
        f.store.loadPlans();
        QVERIFY(f.store.plans().isEmpty());
        QCOMPARE(QDir(f.dir.path()).entryList({QStringLiteral("*.tra")}).size(), 1);
    }

    void openingAndSeparatorRowsDoNothing()
    {
        FrameFixture f;
        const QString id = f.addAccount("111");
        f.store.addTransaction(movement(id, OleDateTime::currentDateTime(), 5));
        f.store.addPlan(movement(id, OleDateTime::currentDateTime().addDays(40), 5));
        f.open();
        f.frame->runCommand(ID_VIEW_TRANSACTIONS);
        CAccountTransListCtrl *list = f.page()->accountTransList();
        MessageRecorder messages;
        const auto before = QDir(f.dir.path()).entryList(QDir::Files);
        for (int row : {0, list->count(), list->count() + 1, list->count() + 2, list->count() + 3}) {
            list->setSelectionMark(row);
            for (int command : {ID_MODIFY, ID_DELETE, ID_CONVERT_PLAN, ID_TRANSACTION_MODIFY, ID_PLAN_DELETE})
                f.frame->runCommand(command);
        }
        QVERIFY(messages.shown.isEmpty());
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(QDir(f.dir.path()).entryList(QDir::Files), before);
    }

    void deletingAnAccount()
    {
        FrameFixture f;
        const QString keep = f.addAccount("keep");
        const QString gone = f.addAccount("gone");
        f.store.addTransaction(movement(gone, OleDateTime::currentDateTime(), 5));
        f.store.addPlan(movement(gone, OleDateTime::currentDateTime(), 5));
        f.open();
        CAccountListCtrl *list = f.page()->accountList();
        const int row = list->idAt(0) == gone ? 0 : 1;

        MessageRecorder messages;
        messages.answers = {MessageNo};
        list->setSelectionMark(row);
        f.frame->runCommand(ID_DELETE);
        QCOMPARE(QDir(f.dir.path()).entryList({QStringLiteral("*.act")}).size(), 2);

        list->setSelectionMark(row);
        f.frame->runCommand(ID_ACCOUNT_DELETE);
        QCOMPARE(messages.texts(), QStringList(2, LoadText(IDS_CONFIRM_DELETE_ACCOUNT)));
        QCOMPARE(QDir(f.dir.path()).entryList({QStringLiteral("*.act")}), QStringList({keep + ".act"}));
        QVERIFY(QDir(f.dir.path()).entryList({QStringLiteral("*.tra")}).isEmpty());
        f.store.loadPlans();
        QVERIFY(f.store.plans().isEmpty());
        QCOMPARE(list->model()->rowCount(), 1);
        QCOMPARE(f.frame->accountSelector()->count(), 2);
    }

    void accountAddAndModify()
    {
        FrameFixture f;
        f.open();
        whenModal<CAccountDlg>([](CAccountDlg *dialog) {
            child<QLineEdit>(dialog, QStringLiteral("accountNumber"))->setText(QStringLiteral("55-1"));
            child<QLineEdit>(dialog, QStringLiteral("bank"))->setText(QStringLiteral("River Bank"));
            clickButton(dialog, QStringLiteral("ok"));
        });
        f.frame->runCommand(ID_ACCOUNT_ADD);
        QCOMPARE(f.page()->accountList()->model()->rowCount(), 1);
        QCOMPARE(f.frame->accountSelector()->itemText(1), QStringLiteral("River Bank - 55-1"));

        f.page()->accountList()->setSelectionMark(0);
        whenModal<CAccountDlg>([](CAccountDlg *dialog) {
            child<QLineEdit>(dialog, QStringLiteral("name"))->setText(QStringLiteral("Daily"));
            clickButton(dialog, QStringLiteral("ok"));
        });
        f.frame->runCommand(ID_MODIFY);
        const QString id = f.page()->accountList()->idAt(0);
        f.store.loadAccounts();
        QCOMPARE(f.store.lookupAccount(id).name, QStringLiteral("Daily"));
        QCOMPARE(f.store.lookupAccount(id).accountNumber, QStringLiteral("55-1"));

        // Cancel changes nothing on disk.
        const QByteArray before = readFile(f.dir.filePath(id + ".act"));
        f.page()->accountList()->setSelectionMark(0);
        cancelDialog();
        f.frame->runCommand(ID_ACCOUNT_MODIFY);
        QCOMPARE(readFile(f.dir.filePath(id + ".act")), before);
    }

    void allAccountsListModifyAndDelete()
    {
        FrameFixture f;
        const QString a = f.addAccount("111");
        const QString key = f.store.addTransaction(movement(a, OleDateTime::currentDateTime(), 9, "Old"));
        f.open();
        f.frame->accountSelector()->setCurrentIndex(0);
        f.frame->runCommand(ID_VIEW_TRANSACTIONS);
        QVERIFY(f.page()->allAccountsMode());
        f.page()->allTransList()->setSelectionMark(0);
        QString caption;
        answerTransaction(&caption, QStringLiteral("New"), QStringLiteral("9"), false);
        f.frame->runCommand(ID_MODIFY);
        QCOMPARE(caption, QStringLiteral("Transaction"));
        QCOMPARE(decodeTransaction(readFile(f.dir.filePath(key + ".tra")))->subject, QStringLiteral("New"));

        MessageRecorder messages;
        f.page()->allTransList()->setSelectionMark(0);
        f.frame->runCommand(ID_DELETE);
        QCOMPARE(messages.texts(), QStringList({LoadText(IDS_CONFIRM_DELETE_TRANSACTION)}));
        QVERIFY(!QFileInfo::exists(f.dir.filePath(key + ".tra")));
        QCOMPARE(f.page()->allTransList()->model()->rowCount(), 0);
    }

    void addWithAllDoesNothing()
    {
        FrameFixture f;
        f.addAccount("111");
        f.open();
        f.frame->accountSelector()->setCurrentIndex(0);
        QVERIFY(f.frame->action(ID_TRANSACTION_ADD)->isEnabled()); // enabled in the Accounts view
        f.frame->runCommand(ID_TRANSACTION_ADD);
        f.frame->runCommand(ID_PLAN_ADD);
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(QDir(f.dir.path()).entryList({QStringLiteral("*.tra"), QStringLiteral("*.pln")}).isEmpty());
    }

    void categoryCommandsReachTheFileWhenTheViewIsLeft()
    {
        FrameFixture f;
        f.open();
        f.frame->runCommand(ID_VIEW_CATEGORIES);
        CCategoryTreeCtrl *tree = f.page()->categoryTree();
        tree->setCurrentItem(tree->topLevelItem(0));
        whenModal<CCategoryDlg>([](CCategoryDlg *dialog) {
            child<QLineEdit>(dialog, QStringLiteral("name"))->setText(QStringLiteral("Travel"));
            clickButton(dialog, QStringLiteral("ok"));
        });
        f.frame->runCommand(ID_CATEGORY_ADD);
        QVERIFY(tree->topLevelItem(0)->isExpanded());
        tree->setCurrentItem(tree->find(QStringLiteral("Snacks")));
        whenModal<CCategoryDlg>([](CCategoryDlg *dialog) {
            QCOMPARE(child<QLineEdit>(dialog, QStringLiteral("name"))->text(), QStringLiteral("Snacks"));
            child<QLineEdit>(dialog, QStringLiteral("name"))->setText(QStringLiteral("Sweets"));
            clickButton(dialog, QStringLiteral("ok"));
        });
        f.frame->runCommand(ID_MODIFY);
        MessageRecorder messages;
        tree->setCurrentItem(tree->find(QStringLiteral("Pet Items")));
        f.frame->runCommand(ID_CATEGORY_DELETE);
        QCOMPARE(messages.texts(), QStringList({LoadText(IDS_CONFIRM_DELETE_CATEGORY)}));

        const CategoryTree before = readCategoryFile(f.dir.path());
        QVERIFY(!findCategory(before, QStringLiteral("Pet Items")).isEmpty()); // not written yet
        f.frame->runCommand(ID_VIEW_ACCOUNTS);
        const CategoryTree after = readCategoryFile(f.dir.path());
        QVERIFY(!findCategory(after, QStringLiteral("Travel")).isEmpty());
        QVERIFY(!findCategory(after, QStringLiteral("Sweets")).isEmpty());
        QVERIFY(findCategory(after, QStringLiteral("Pet Items")).isEmpty());
        QCOMPARE(after[0].children.last().name, QStringLiteral("Travel"));
    }

    void exportCommandsWriteTheExportersBytes_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("view");
        QTest::addColumn<int>("format");
        for (int view : {ID_VIEW_ACCOUNTS, ID_VIEW_TRANSACTIONS, ID_VIEW_PLANNER}) {
            QTest::addRow("text %d", view) << int(ID_EXPORT_TEXT) << view << int(ExportFormat::Text);
            QTest::addRow("csv %d", view) << int(ID_EXPORT_CSV) << view << int(ExportFormat::Csv);
            QTest::addRow("html %d", view) << int(ID_EXPORT_HTML) << view << int(ExportFormat::Html);
            QTest::addRow("pdf %d", view) << int(ID_EXPORT_PDF) << view << int(ExportFormat::Pdf);
        }
    }

    void exportCommandsWriteTheExportersBytes()
    {
        QFETCH(int, command);
        QFETCH(int, view);
        QFETCH(int, format);
        FrameFixture f;
        const QString id = f.addAccount("111", "River");
        f.store.addTransaction(movement(id, OleDateTime::currentDateTime(), 20, "Pay, weekly"));
        f.store.addPlan(movement(id, OleDateTime::currentDateTime().addDays(30), -4, "<Tax>"));
        f.open();
        f.frame->runCommand(view);
        f.saveAs = f.dir.filePath("out.file");
        const ExportSource source = f.frame->exportSource();
        f.frame->runCommand(command);
        QCOMPARE(f.opened, QStringList({f.saveAs}));
        if (view == ID_VIEW_TRANSACTIONS) {
            QCOMPARE(source.accountTitle, QStringLiteral("River - 111"));
            QCOMPARE(source.transactions.count, 2);
        }
        QByteArray expected = exportBytes(ExportFormat(format), source);
        QByteArray written = readFile(f.saveAs);
        if (view == ID_VIEW_ACCOUNTS && format == int(ExportFormat::Html)) {
            // The accounts page is headed by the moment of the export.
            expected.truncate(expected.indexOf("</b>"));
            written.truncate(written.indexOf("</b>"));
        }
        QCOMPARE(written, expected);
    }

    void officeExportsAndCancel()
    {
        FrameFixture f;
        const QString id = f.addAccount("111");
        f.store.addTransaction(movement(id, OleDateTime::currentDateTime(), 20));
        f.open();
        f.saveAs.clear(); // Save As cancelled
        f.frame->runCommand(ID_EXPORT_EXCEL);
        QVERIFY(f.opened.isEmpty());
        for (int command : {ID_EXPORT_EXCEL, ID_EXPORT_WORD}) {
            f.saveAs = f.dir.filePath(command == ID_EXPORT_EXCEL ? "books.xlsx" : "books.docx");
            f.frame->runCommand(command);
            QVERIFY(readFile(f.saveAs).startsWith("PK"));
        }
        QCOMPARE(f.opened.size(), 2);
    }

    void failedWritesAreShownAndNotOpened()
    {
        FrameFixture f;
        f.addAccount("111");
        f.open();
        MessageRecorder messages;
        f.saveAs = f.dir.filePath("missing/out.csv");
        f.frame->runCommand(ID_EXPORT_CSV);
        QVERIFY(f.opened.isEmpty());
        QCOMPARE(messages.shown.size(), 1);
        QVERIFY(messages.shown[0].text.contains(QDir::toNativeSeparators(f.saveAs)));
        QCOMPARE(messages.shown[0].icon, MessageIcon::Stop);

        // A data file that cannot be written: the message, and the list shows the disk.
        whenModal<CAccountDlg>([](CAccountDlg *dialog) {
            child<QLineEdit>(dialog, QStringLiteral("accountNumber"))->setText(QStringLiteral("222"));
            clickButton(dialog, QStringLiteral("ok"));
        });
        QVERIFY(f.dir.remove());
        f.frame->runCommand(ID_ACCOUNT_ADD);
        QCOMPARE(messages.shown.size(), 2);
        QVERIFY(messages.shown[1].text.startsWith(QStringLiteral("Could not save ")));
        QCOMPARE(f.page()->accountList()->model()->rowCount(), 1);
    }

    void printsTheShownList()
    {
        FrameFixture f;
        const QString id = f.addAccount("111");
        f.store.addPlan(movement(id, OleDateTime::currentDateTime(), 5, "Printed plan"));
        f.open();
        f.frame->runCommand(ID_VIEW_PLANNER);
        f.printTo = f.dir.filePath("plans.pdf");
        f.frame->runCommand(ID_FILE_PRINT);
        QVERIFY(readFile(f.printTo).startsWith("%PDF"));
        // Nothing prints from the Accounts view.
        f.frame->runCommand(ID_VIEW_ACCOUNTS);
        f.printTo = f.dir.filePath("accounts.pdf");
        f.frame->runCommand(ID_FILE_PRINT);
        QVERIFY(!QFileInfo::exists(f.printTo));
    }
};

FENNIMAR_GUI_TEST_MAIN(TestRecordCommands)
#include "tst_recordcommands.moc"
