#include "app/mainframe.h"
#include "app/midpage.h"
#include "controls/accountcombo.h"
#include "controls/categorytreectrl.h"
#include "controls/enddatectrl.h"
#include "controls/recordlists.h"
#include "controls/startdatectrl.h"
#include "dialogs/accountdlg.h"
#include "dialogs/categorydlg.h"
#include "dialogs/checkbooksdlg.h"
#include "dialogs/transactiondlg.h"
#include "export/exportformats.h"
#include "export/fileexport.h"
#include "framefixture.h"
#include "guitestutil.h"
#include "res/stringtable.h"
#include "storefixture.h"
#include "uiext/guicapoutbar.h"
#include "uiext/guifolder.h"
#include "uiext/guioutlook.h"
#include "uiext/guitoolbutton.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPrinter>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStatusBar>

using namespace testutil;

namespace {

// Fills the transaction dialog and presses OK; records its caption.
void answerTransaction(QString *caption, const QString &subject, const QString &amount, bool expense)
{
    whenModal<CTransactionDlg>([=](CTransactionDlg *dialog) {
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

void answerAccount(const QList<std::pair<QString, QString>> &fields, const QString &button = QStringLiteral("ok"))
{
    whenModal<CAccountDlg>([=](CAccountDlg *dialog) {
        for (const auto &[field, text] : fields)
            child<QLineEdit>(dialog, field)->setText(text);
        clickButton(dialog, button);
    });
}

QStringList filesLike(const FrameFixture &f, const QStringList &patterns)
{
    return QDir(f.dir.path()).entryList(patterns, QDir::Files);
}

} // namespace

// The main window: views, pickers, and the record, export and print commands.
class TestMainFrame : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useUsEnglish(); }

    void noAccountsAndThePeriodPickers()
    {
        FrameFixture f;
        f.open();
        QCOMPARE(f.frame->accountSelector()->count(), 1);
        QCOMPARE(f.frame->accountSelector()->currentIndex(), -1);
        f.frame->runCommand(ID_VIEW_TRANSACTIONS);
        for (int id : {ID_TRANSACTION_ADD, ID_PLAN_ADD, ID_EXPORT_EXCEL, ID_EXPORT_CSV})
            QVERIFY(!f.frame->action(id)->isEnabled());

        // The month of today, then ranges of 365 days each way.
        const QDate today = QDate::currentDate();
        QCOMPARE(f.frame->startDate()->dateTime(), QDateTime(QDate(today.year(), today.month(), 1), QTime(0, 0)));
        QCOMPARE(f.frame->endDate()->dateTime(),
                 QDateTime(QDate(today.year(), today.month(), today.daysInMonth()), QTime(23, 59, 59)));
        const QDateTime start(QDate(2026, 3, 10), QTime(0, 0));
        f.frame->startDate()->setDateTime(start);
        QCOMPARE(f.frame->endDate()->minimumDateTime(), start);
        QCOMPARE(f.frame->endDate()->maximumDateTime(), start.addDays(365));
        const QDateTime end(QDate(2026, 5, 1), QTime(23, 59, 59));
        f.frame->endDate()->setDateTime(end);
        QCOMPARE(f.frame->startDate()->minimumDateTime(), end.addDays(-365));
        QCOMPARE(f.frame->startDate()->maximumDateTime(), end);
    }

    void accountsViewsAndTheSelector()
    {
        FrameFixture f;
        f.addAccount("111", "First");
        f.addAccount("222", "Second");
        f.open();
        // The Accounts view, with the first account of the table selected.
        CAccountListCtrl *list = f.page()->accountList();
        QCOMPARE(f.page()->visibleControl(), int(VIEW_ACCOUNTS));
        QCOMPARE(f.frame->captionBar()->caption(), QStringLiteral("Accounts"));
        QCOMPARE(f.frame->statusBar()->currentMessage(), QStringLiteral("Ready"));
        QCOMPARE(list->model()->rowCount(), 2);
        QCOMPARE(f.frame->accountSelector()->count(), 3);
        QCOMPARE(f.frame->accountSelector()->itemText(0), QStringLiteral("All"));
        QCOMPARE(f.frame->accountSelector()->currentIndex(), 1);
        QCOMPARE(f.frame->accountSelector()->currentAccountId(), f.store.accounts().keys().first());

        // A click on a row chooses its account; a double click opens its transactions.
        const QString second = list->idAt(1);
        const QPoint row1 = list->visualRect(list->model()->index(1, 0)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row1);
        QCOMPARE(f.frame->accountSelector()->currentAccountId(), second);
        QVERIFY(f.frame->action(ID_ACCOUNT_MODIFY)->isEnabled());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row1);
        QCOMPARE(f.page()->visibleControl(), int(VIEW_TRANSACTIONS));
        QCOMPARE(f.frame->accountSelector()->currentAccountId(), second);

        // Each view command: its caption and radio mark; the selector is off in Planner and Categories.
        const QList<std::pair<int, QString>> views = {{ID_VIEW_PLANNER, "Planner"},
                                                      {ID_VIEW_CATEGORIES, "Categories"},
                                                      {ID_VIEW_REPORTS, "Reports"},
                                                      {ID_VIEW_TRANSACTIONS, "Transactions"},
                                                      {ID_VIEW_ACCOUNTS, "Accounts"}};
        for (const auto &[command, caption] : views) {
            f.frame->runCommand(command);
            QCOMPARE(f.page()->visibleControl(), command - ID_VIEW_ACCOUNTS);
            QCOMPARE(f.frame->captionBar()->caption(), caption);
            for (int other = ID_VIEW_ACCOUNTS; other <= ID_VIEW_REPORTS; ++other)
                QCOMPARE(f.frame->action(other)->isChecked(), other == command);
            QCOMPARE(f.frame->accountSelector()->isEnabled(),
                     command != ID_VIEW_PLANNER && command != ID_VIEW_CATEGORIES);
        }
    }

    // Files skipped as damaged are counted in the status bar until Check Books
    // has moved them aside; nothing is deleted.
    void damagedFilesAreNotedAndMovedAside()
    {
        FrameFixture f;
        const QString books = f.dir.filePath("Books");
        QVERIFY(makePrivateDir(books));
        f.store.setWorkDir(books);
        const QString good = f.addAccount("111");
        const QString damaged = f.addAccount("222");
        f.store.addTransaction(movement(good, at(2026, 1, 1), 5));
        const QByteArray cut = readFile(books + "/" + damaged + ".act").chopped(2);
        QVERIFY(writeFile(books + "/" + damaged + ".act", cut));
        QVERIFY(writeFile(books + "/" + recordKey(good, 9) + ".tra", QByteArray()));
        f.open();

        QCOMPARE(f.page()->accountList()->model()->rowCount(), 1);
        QLabel *note = f.frame->damageNote();
        QVERIFY(note->isVisible());
        QCOMPARE(note->text(), QStringLiteral("2 damaged files skipped - Tools > Check Books"));
        // The check is on the Tools menu.
        QAction *tools = nullptr;
        for (QAction *menu : f.frame->menuBar()->actions())
            tools = menu->text() == QStringLiteral("T&ools") ? menu : tools;
        QVERIFY(tools);
        QVERIFY(tools->menu()->actions().contains(f.frame->action(ID_CHECK_BOOKS)));

        MessageRecorder messages; // answers Yes to the repair's question
        QStringList found, after;
        QString summary;
        whenModal<CCheckBooksDlg>([&](CCheckBooksDlg *dialog) {
            auto *problems = child<QListWidget>(dialog, QStringLiteral("problems"));
            for (int i = 0; i < problems->count(); ++i)
                found << problems->item(i)->text();
            clickButton(dialog, QStringLiteral("repair"));
            for (int i = 0; i < problems->count(); ++i)
                after << problems->item(i)->text();
            summary = child<QLabel>(dialog, QStringLiteral("summary"))->text();
            QVERIFY(!child<QPushButton>(dialog, QStringLiteral("repair"))->isEnabled());
            dialog->reject();
        });
        f.frame->runCommand(ID_CHECK_BOOKS);
        QStringList expected = {damaged + ".act: cut short or malformed",
                                recordKey(good, 9) + ".tra: empty: an interrupted write"};
        found.sort();
        expected.sort();
        QCOMPARE(found, expected);
        QCOMPARE(after.size(), 2);
        QVERIFY(after[0].startsWith("moved "));
        QCOMPARE(summary, QStringLiteral("1 accounts, 1 transactions, 0 plans: no problems found in %1").arg(books));
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0].buttons, MessageButtons::YesNo);
        QVERIFY(!note->isVisible());
        QCOMPARE(readFile(f.dir.filePath("Damaged/" + damaged + ".act")), cut);
        QVERIFY(QFileInfo::exists(f.dir.filePath("Damaged/" + recordKey(good, 9) + ".tra")));
        QCOMPARE(f.page()->accountList()->model()->rowCount(), 1);
    }

    void oneAccountList()
    {
        FrameFixture f;
        const QString id = f.addAccount("111");
        f.store.addTransaction(movement(id, OleDateTime::currentDateTime().addDays(-40), 100));
        const QString plan = f.store.addPlan(movement(id, OleDateTime::currentDateTime().addDays(60), -30, "Tax"));
        f.open();
        f.frame->runCommand(ID_VIEW_TRANSACTIONS);
        CAccountTransListCtrl *list = f.page()->accountTransList();
        QCOMPARE(list->count(), 1);

        // Row 0 and the four separator rows: the record commands do nothing.
        MessageRecorder messages;
        auto files = snapshot(f.dir.path());
        for (int row = 0; row < 5; ++row) {
            list->setSelectionMark(row);
            for (int command : {ID_MODIFY, ID_DELETE, ID_CONVERT_PLAN, ID_TRANSACTION_MODIFY, ID_PLAN_DELETE})
                f.frame->runCommand(command);
        }
        QVERIFY(messages.shown.isEmpty());
        QCOMPARE(snapshot(f.dir.path()), files);

        // The road of one request: navigation "Transaction", the dialog, OK, the file, the new row.
        QString caption;
        answerTransaction(&caption, QStringLiteral("  Coffee beans "), QStringLiteral("12.5"), true);
        f.frame->navigation()->SelectFolder(1);
        QWidget *item = f.frame->navigation()->panel(1)->item(ID_TRANSACTION_ADD);
        QTRY_VERIFY(clickable(item));
        QTest::mouseClick(item, Qt::LeftButton);
        QCOMPARE(caption, QStringLiteral("Transaction"));
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->model()->index(1, 1).data().toString(), QStringLiteral("Coffee beans"));
        QCOMPARE(list->model()->index(1, 3).data().toString(), QStringLiteral("$87.50")); // 100 brought forward
        const TransactionRecord added = decodeTransaction(readFile(f.dir.filePath(list->keyAt(1) + ".tra"))).value();
        QCOMPARE(added.subject, QStringLiteral("Coffee beans"));
        QCOMPARE(added.amount, -12.5);
        QCOMPARE(added.incomeFlag, 0);

        // Modify on a plan row opens the dialog captioned "Plan".
        const int planRow = list->count() + 4;
        list->setSelectionMark(planRow);
        answerTransaction(&caption, QStringLiteral("Taxes"), QStringLiteral("31"), true);
        f.frame->runCommand(ID_MODIFY);
        QCOMPARE(caption, QStringLiteral("Plan"));
        CDataStore reader(f.dir.path());
        reader.loadPlans();
        QCOMPARE(reader.lookupPlan(plan).subject, QStringLiteral("Taxes"));
        QCOMPARE(reader.lookupPlan(plan).amount, -31.0);

        // Delete there asks about a plan (No keeps it); Convert asks, then makes it a transaction.
        files = snapshot(f.dir.path());
        messages.answers = {MessageNo};
        list->setSelectionMark(planRow);
        f.frame->runCommand(ID_DELETE);
        QCOMPARE(messages.texts(), QStringList({LoadText(IDS_CONFIRM_DELETE_PLAN)}));
        QCOMPARE(messages.shown[0].buttons, MessageButtons::YesNo);
        QCOMPARE(messages.shown[0].icon, MessageIcon::Question);
        QCOMPARE(snapshot(f.dir.path()), files);
        list->setSelectionMark(planRow);
        f.frame->runCommand(ID_CONVERT_PLAN);
        QCOMPARE(messages.texts().last(), LoadText(IDS_CONFIRM_CONVERT_PLAN));
        QCOMPARE(filesLike(f, {QStringLiteral("*.tra")}).size(), 3);
        reader.loadPlans();
        QVERIFY(reader.plans().isEmpty());
    }

    void accountCommands()
    {
        FrameFixture f;
        const QString gone = f.addAccount("gone");
        f.store.addTransaction(movement(gone, OleDateTime::currentDateTime(), 5));
        f.store.addPlan(movement(gone, OleDateTime::currentDateTime(), 5));
        f.open();
        answerAccount({{"accountNumber", "55-1"}, {"bank", "River Bank"}});
        f.frame->runCommand(ID_ACCOUNT_ADD);
        CAccountListCtrl *list = f.page()->accountList();
        QCOMPARE(list->model()->rowCount(), 2);
        QVERIFY(f.frame->accountSelector()->findText(QStringLiteral("River Bank - 55-1")) > 0); // refilled
        const int row = list->idAt(0) == gone ? 1 : 0;
        const QString id = list->idAt(row);

        list->setSelectionMark(row);
        answerAccount({{"name", "Daily"}});
        f.frame->runCommand(ID_MODIFY);
        CDataStore reader(f.dir.path());
        reader.loadAccounts();
        QCOMPARE(reader.lookupAccount(id).name, QStringLiteral("Daily"));
        QCOMPARE(reader.lookupAccount(id).accountNumber, QStringLiteral("55-1"));
        // Cancel, and No to a delete, change nothing on disk; a delete asks once.
        const auto before = snapshot(f.dir.path());
        list->setSelectionMark(row);
        answerAccount({{"name", "Cancelled"}}, QStringLiteral("cancel"));
        f.frame->runCommand(ID_ACCOUNT_MODIFY);
        MessageRecorder messages;
        messages.answers = {MessageNo};
        list->setSelectionMark(1 - row);
        f.frame->runCommand(ID_DELETE);
        QCOMPARE(snapshot(f.dir.path()), before);
        list->setSelectionMark(1 - row);
        f.frame->runCommand(ID_ACCOUNT_DELETE);
        QCOMPARE(messages.texts(), QStringList(2, LoadText(IDS_CONFIRM_DELETE_ACCOUNT)));
        QCOMPARE(filesLike(f, {QStringLiteral("*.act"), QStringLiteral("*.tra")}), QStringList({id + ".act"}));
        reader.loadPlans();
        QVERIFY(reader.plans().isEmpty());
        QCOMPARE(list->model()->rowCount(), 1);
        QCOMPARE(f.frame->accountSelector()->count(), 2);
    }

    void allAccountsList()
    {
        FrameFixture f;
        const QString key = f.store.addTransaction(movement(f.addAccount("111"), OleDateTime::currentDateTime(), 9));
        f.store.addTransaction(movement(f.addAccount("222"), OleDateTime::currentDateTime(), 7));
        f.open();
        f.frame->accountSelector()->setCurrentIndex(0);
        // Add with "All" stays enabled in the Accounts view and does nothing.
        QVERIFY(f.frame->action(ID_TRANSACTION_ADD)->isEnabled());
        f.frame->runCommand(ID_TRANSACTION_ADD);
        f.frame->runCommand(ID_PLAN_ADD);
        QCOMPARE(filesLike(f, {QStringLiteral("*.tra"), QStringLiteral("*.pln")}).size(), 2);

        f.frame->runCommand(ID_VIEW_TRANSACTIONS);
        QCOMPARE(f.page()->visibleControl(), int(VIEW_TRANSACTIONS_ALL));
        QCOMPARE(f.frame->captionBar()->caption(), QStringLiteral("Transactions All"));
        for (int id = ID_VIEW_ACCOUNTS; id <= ID_VIEW_REPORTS; ++id)
            QVERIFY(!f.frame->action(id)->isChecked());
        QVERIFY(!f.frame->action(ID_TRANSACTION_ADD)->isEnabled());
        CAllTransListCtrl *list = f.page()->allTransList();
        QCOMPARE(list->model()->rowCount(), 2);

        // The list's own Modify and Delete.
        list->setSelectionMark(list->keyAt(0) == key ? 0 : 1);
        QString caption;
        answerTransaction(&caption, QStringLiteral("New"), QStringLiteral("9"), false);
        f.frame->runCommand(ID_MODIFY);
        QCOMPARE(caption, QStringLiteral("Transaction"));
        const auto written = decodeTransaction(readFile(f.dir.filePath(key + ".tra")));
        QVERIFY(written);
        QCOMPARE(written->subject, QStringLiteral("New"));
        MessageRecorder messages;
        list->setSelectionMark(list->keyAt(0) == key ? 0 : 1);
        f.frame->runCommand(ID_DELETE);
        QCOMPARE(messages.texts(), QStringList({LoadText(IDS_CONFIRM_DELETE_TRANSACTION)}));
        QVERIFY(!QFileInfo::exists(f.dir.filePath(key + ".tra")));
        QCOMPARE(list->model()->rowCount(), 1);
        // Choosing an account shows its own list again.
        f.frame->accountSelector()->setCurrentIndex(1);
        QCOMPARE(f.page()->visibleControl(), int(VIEW_TRANSACTIONS));
    }

    void categoryChangesReachTheFileWhenTheViewIsLeftRefreshedOrClosed()
    {
        FrameFixture f;
        f.open();
        const QByteArray before = readFile(f.dir.filePath("Category.cat"));
        f.frame->runCommand(ID_VIEW_PLANNER);
        f.frame->runCommand(ID_VIEW_REPORTS);
        QCOMPARE(readFile(f.dir.filePath("Category.cat")), before); // other views leave the file alone

        f.frame->runCommand(ID_VIEW_CATEGORIES);
        CCategoryTreeCtrl *tree = f.page()->categoryTree();
        auto saved = [&](const QString &name) { return !findCategory(readCategoryFile(f.dir.path()), name).isEmpty(); };
        auto answerName = [](const QString &name) {
            whenModal<CCategoryDlg>([name](CCategoryDlg *dialog) {
                child<QLineEdit>(dialog, QStringLiteral("name"))->setText(name);
                clickButton(dialog, QStringLiteral("ok"));
            });
        };
        tree->setCurrentItem(tree->topLevelItem(0));
        answerName(QStringLiteral("Travel"));
        f.frame->runCommand(ID_CATEGORY_ADD);
        tree->setCurrentItem(tree->find(QStringLiteral("Snacks")));
        answerName(QStringLiteral("Sweets"));
        f.frame->runCommand(ID_MODIFY);
        MessageRecorder messages;
        tree->setCurrentItem(tree->find(QStringLiteral("Pet Items")));
        f.frame->runCommand(ID_CATEGORY_DELETE);
        QCOMPARE(messages.texts(), QStringList({LoadText(IDS_CONFIRM_DELETE_CATEGORY)}));
        // Each change is written at once, as a step Edit > Undo can take back.
        QVERIFY(saved("Travel"));
        QVERIFY(saved("Sweets"));
        QVERIFY(!saved("Pet Items"));
        f.frame->runCommand(ID_VIEW_ACCOUNTS);
        QVERIFY(saved("Sweets"));
        QVERIFY(!saved("Snacks"));
        QVERIFY(!saved("Pet Items"));
        QCOMPARE(readCategoryFile(f.dir.path())[0].children.last().name, QStringLiteral("Travel"));

        // A refresh while the tree shows writes it and reads it again; so does closing the window.
        f.frame->runCommand(ID_VIEW_CATEGORIES);
        tree->setCurrentItem(tree->topLevelItem(0));
        answerName(QStringLiteral("Books"));
        f.frame->runCommand(ID_CATEGORY_ADD);
        f.frame->runCommand(ID_REFRESH);
        QVERIFY(saved("Books"));
        QVERIFY(tree->find(QStringLiteral("Books")));
        tree->setCurrentItem(tree->topLevelItem(0));
        answerName(QStringLiteral("Music"));
        f.frame->runCommand(ID_CATEGORY_ADD);
        QVERIFY(saved("Music"));
        f.frame->close();
        QVERIFY(saved("Music"));
        QCOMPARE(f.profileWrites, QStringList({f.dir.path()}));
    }

    // Every command the menus, toolbars and navigation bar show runs through one handler.
    void everyShownCommandHasOneHandler()
    {
        FrameFixture f;
        f.open();
        QList<int> shown;
        for (QAction *action : f.frame->actions())
            shown << action->data().toInt();
        std::sort(shown.begin(), shown.end());
        QCOMPARE(f.frame->commands().handledIds(), shown);
        QVERIFY(f.frame->commands().duplicateIds().isEmpty());
        for (int id : shown)
            QCOMPARE(f.frame->action(id)->isCheckable(), f.frame->commands().isCheckable(id));
    }

    // With "All" the Transactions view shows the all-accounts list in one
    // switch: one caption, and the Transactions view stays the current view.
    void theTransactionsViewWithAllSwitchesOnce()
    {
        FrameFixture f;
        f.store.addTransaction(movement(f.addAccount("111"), OleDateTime::currentDateTime(), 9));
        f.open();
        f.frame->accountSelector()->setCurrentIndex(0);
        QSignalSpy captions(f.page(), &CMidPage::viewCaptionChanged);
        f.frame->runCommand(ID_VIEW_TRANSACTIONS);
        QCOMPARE(captions.size(), 1);
        QCOMPARE(captions[0], QVariantList({QStringLiteral("Transactions All"), int(VIEW_TRANSACTIONS_ALL)}));
        QCOMPARE(f.page()->currentView(), int(VIEW_TRANSACTIONS));
        QCOMPARE(f.page()->visibleControl(), int(VIEW_TRANSACTIONS_ALL));
        QCOMPARE(f.page()->allTransList()->model()->rowCount(), 1);

        f.frame->runCommand(ID_REFRESH);
        QCOMPARE(captions.size(), 2);
        QCOMPARE(captions[1], QVariantList({QStringLiteral("Transactions All"), int(VIEW_TRANSACTIONS_ALL)}));
        f.frame->accountSelector()->setCurrentIndex(1);
        QCOMPARE(captions.size(), 3);
        QCOMPARE(captions[2], QVariantList({QStringLiteral("Transactions"), int(VIEW_TRANSACTIONS)}));
        QCOMPARE(f.page()->visibleControl(), int(VIEW_TRANSACTIONS));
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
        f.frame->runCommand(command); // Save As cancelled: nothing
        QVERIFY(f.opened.isEmpty());
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

    void officeExportsPrintingAndFailedWrites()
    {
        FrameFixture f;
        f.store.addPlan(movement(f.addAccount("111"), OleDateTime::currentDateTime(), 5, "Printed plan"));
        f.open();
        for (int command : {ID_EXPORT_EXCEL, ID_EXPORT_WORD}) {
            f.saveAs = f.dir.filePath(command == ID_EXPORT_EXCEL ? "books.xlsx" : "books.docx");
            f.frame->runCommand(command);
            QVERIFY(readFile(f.saveAs).startsWith("PK"));
        }
        QCOMPARE(f.opened.size(), 2);
        // Printing writes the shown list; nothing prints from the Accounts view.
        f.printTo = f.dir.filePath("accounts.pdf");
        f.frame->runCommand(ID_FILE_PRINT);
        QVERIFY(!QFileInfo::exists(f.printTo));
        f.frame->runCommand(ID_VIEW_PLANNER);
        f.printTo = f.dir.filePath("plans.pdf");
        f.frame->runCommand(ID_FILE_PRINT);
        QVERIFY(readFile(f.printTo).startsWith("%PDF"));

        // An export file that cannot be written: a message with the path, and nothing opened.
        MessageRecorder messages;
        f.saveAs = f.dir.filePath("missing/out.csv");
        f.frame->runCommand(ID_EXPORT_CSV);
        QCOMPARE(f.opened.size(), 2);
        QCOMPARE(messages.shown.size(), 1);
        QVERIFY(messages.shown[0].text.contains(QDir::toNativeSeparators(f.saveAs)));
        QCOMPARE(messages.shown[0].icon, MessageIcon::Stop);
        // A data file that cannot be written: the message, and the list shows the disk.
        f.frame->runCommand(ID_VIEW_ACCOUNTS);
        answerAccount({{"accountNumber", "222"}});
        QVERIFY(f.dir.remove());
        f.frame->runCommand(ID_ACCOUNT_ADD);
        QCOMPARE(messages.shown.size(), 2);
        const QString head = QStringLiteral("Could not save ") + QDir::toNativeSeparators(f.dir.path());
        QVERIFY2(messages.shown[1].text.startsWith(head), qPrintable(messages.shown[1].text));
        QCOMPARE(f.page()->accountList()->model()->rowCount(), 1);
    }
};

FENNIMAR_GUI_TEST_MAIN(TestMainFrame)
#include "tst_mainframe.moc"
