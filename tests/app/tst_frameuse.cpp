// The main window as a user meets it: what the keyboard, the navigation bar,
// the filter controls and the file commands do beyond the lists themselves.

#include "controls/accountcombo.h"
#include "controls/categorytreectrl.h"
#include "controls/enddatectrl.h"
#include "controls/recordlists.h"
#include "controls/startdatectrl.h"
#include "dialogs/accountdlg.h"
#include "dialogs/categorydlg.h"
#include "dialogs/preferencedlg.h"
#include "dialogs/reportsdlg.h"
#include "framefixture.h"
#include "res/stringtable.h"
#include "store/accounttransrows.h"
#include "store/categoryfile.h"
#include "uiext/guicapoutbar.h"
#include "uiext/guifolder.h"
#include "uiext/guioutlook.h"
#include "uiext/guitoolbutton.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenuBar>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QRegularExpression>

using namespace testutil;

namespace {

void clickRow(CRecordListView *list, int row)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(row, 0)).center());
}

int pdfPages(const QByteArray &pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    return int(QString::fromLatin1(pdf).count(page));
}

} // namespace

class TestFrameUse : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useUsEnglish(); }

    // After a delete the list holds no selection: Modify and Delete are off, and
    // a second Delete deletes nothing.
    void aDeleteNeverHitsAnUnselectedAccount()
    {
        FrameFixture f;
        f.addAccount("111");
        f.addAccount("222");
        f.addAccount("333");
        f.open();
        CAccountListCtrl *list = f.page()->accountList();
        clickRow(list, 1);
        const QString chosen = list->idAt(1);
        MessageRecorder messages;
        f.frame->runCommand(ID_ACCOUNT_DELETE);
        QCOMPARE(messages.shown.size(), 1);
        QVERIFY(!f.store.accounts().contains(chosen));
        QCOMPARE(list->model()->rowCount(), 2);
        QCOMPARE(list->selectionMark(), -1);
        QVERIFY(list->selectionModel()->selectedRows().isEmpty());
        for (int id : {ID_ACCOUNT_MODIFY, ID_ACCOUNT_DELETE, ID_MODIFY, ID_DELETE})
            QVERIFY(!f.frame->action(id)->isEnabled());

        const auto before = snapshot(f.dir.path());
        f.frame->runCommand(ID_ACCOUNT_DELETE);
        f.frame->runCommand(ID_DELETE);
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(snapshot(f.dir.path()), before);
        QCOMPARE(f.store.accounts().size(), 2);
    }

    // The 365-day ranges come with the first change; the start picker has its tips.
    void thePeriodPickersAtStartUp()
    {
        FrameFixture f;
        f.open();
        const Period month = monthPeriod(QDate::currentDate());
        CStartDateCtrl *start = f.frame->startDate();
        CEndDateCtrl *end = f.frame->endDate();
        QVERIFY(start->maximumDateTime() > month.to.toDateTime().addDays(60));
        QVERIFY(end->minimumDateTime() < month.from.toDateTime().addDays(-60));
        QCOMPARE(start->toolTip(), QStringLiteral("Select Starting Date"));
        QCOMPARE(start->statusTip(), QStringLiteral("Select the Starting Date"));
        QCOMPARE(end->toolTip(), QStringLiteral("Select Ending Date"));
        QCOMPARE(f.frame->accountSelector()->statusTip(), QStringLiteral("Select an Account"));
        QVERIFY(!f.frame->action(ID_START_DATE)); // a filter control, no command

        start->setDateTime(month.to.toDateTime().addDays(20));
        QCOMPARE(end->maximumDateTime(), start->dateTime().addDays(365));
    }

    // Refresh brings in accounts another program added and keeps the chosen one;
    // visiting other views does not change the choice.
    void theAccountSelectorKeepsTheUsersChoice()
    {
        FrameFixture f;
        f.addAccount("111", "First");
        const QString second = f.addAccount("222", "Second");
        f.open();
        CAccountCombo *selector = f.frame->accountSelector();
        f.frame->runCommand(ID_VIEW_TRANSACTIONS);
        selector->selectById(second);
        for (int view : {ID_VIEW_PLANNER, ID_VIEW_CATEGORIES, ID_VIEW_ACCOUNTS, ID_VIEW_TRANSACTIONS})
            f.frame->runCommand(view);
        QCOMPARE(selector->currentAccountId(), second);

        CDataStore other(f.dir.path());
        const QString theirs = other.addAccount(account("333", "Third"));
        f.frame->runCommand(ID_REFRESH);
        QCOMPARE(selector->count(), 4);
        QCOMPARE(selector->currentAccountId(), second);
        f.frame->runCommand(ID_VIEW_ACCOUNTS);
        CAccountListCtrl *list = f.page()->accountList();
        int row = 0;
        while (list->idAt(row) != theirs)
            ++row;
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                           list->visualRect(list->model()->index(row, 0)).center());
        QCOMPARE(selector->currentAccountId(), theirs);
        QCOMPARE(f.page()->visibleControl(), int(VIEW_TRANSACTIONS));
    }

    void theNavigationBarMarksTheCurrentView()
    {
        FrameFixture f;
        f.open();
        CGuiOutLook *views = f.frame->navigation()->panel(0);
        for (int command : {ID_VIEW_PLANNER, ID_VIEW_REPORTS, ID_VIEW_ACCOUNTS}) {
            f.frame->runCommand(command);
            for (CGuiToolButton *item : views->items())
                QCOMPARE(item->isMarked(), item->commandId() == command);
        }
        // A click on a marked item does not unmark it.
        QTest::mouseClick(views->item(ID_VIEW_ACCOUNTS), Qt::LeftButton);
        QVERIFY(views->item(ID_VIEW_ACCOUNTS)->isMarked());
    }

    void synchronizeSaysWhyNothingHappens()
    {
        FrameFixture f;
        f.open();
        MessageRecorder messages;
        f.frame->runCommand(ID_SYNCHRONIZE);
        QCOMPARE(messages.texts(), QStringList({"No handheld synchronisation manager is installed on this system."}));
    }

    // Save As suggests a name; when nothing opens the written file, the user
    // is told where it is.
    void exportsSuggestANameAndSayWhereTheFileIs()
    {
        FrameFixture f;
        const QString id = f.addAccount("111");
        f.store.addPlan(movement(id, OleDateTime::currentDateTime(), 5));
        f.open();
        const QString month = QDate::currentDate().toString(QStringLiteral("yyyy-MM"));
        MessageRecorder messages;
        f.frame->runCommand(ID_EXPORT_CSV); // Save As cancelled: nothing written
        f.frame->runCommand(ID_VIEW_TRANSACTIONS);
        f.frame->runCommand(ID_EXPORT_PDF);
        f.frame->runCommand(ID_VIEW_PLANNER);
        f.frame->runCommand(ID_EXPORT_HTML);
        QCOMPARE(f.suggestions, QStringList({"Accounts.csv", "Transactions " + month + ".pdf", "Plans.html"}));

        f.saveAs = f.dir.filePath("plans.html");
        f.opens = false;
        f.frame->runCommand(ID_EXPORT_HTML);
        QCOMPARE(f.opened, QStringList({f.saveAs}));
        QCOMPARE(messages.texts(),
                 QStringList({"Saved as " + f.saveAs + ". No program on this system could open it."}));
    }

    // Delete and Enter act on the selected record through the commands; the
    // menus' mnemonics are unique; About closes with a button.
    void theKeyboard()
    {
        FrameFixture f;
        f.addAccount("111");
        f.addAccount("222");
        f.open();
        f.frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.frame.get()));
        CAccountListCtrl *list = f.page()->accountList();
        QCOMPARE(f.frame->focusWidget(), list); // a key typed after start-up lands in the list

        MessageRecorder messages;
        messages.answers = {MessageNo, MessageYes};
        clickRow(list, 0);
        const QString first = list->idAt(0);
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(messages.texts(), QStringList({LoadText(IDS_CONFIRM_DELETE_ACCOUNT)}));
        QCOMPARE(f.store.accounts().size(), 2);
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(messages.shown.size(), 2);
        QVERIFY(!f.store.accounts().contains(first));
        QTest::keyClick(list, Qt::Key_Delete); // nothing selected now: nothing asked
        QCOMPARE(messages.shown.size(), 2);
        clickRow(list, 0);

        bool modifyOpened = false;
        whenModal<CAccountDlg>([&](CAccountDlg *dialog) {
            modifyOpened = true;
            dialog->reject();
        });
        QTest::keyClick(list, Qt::Key_Return);
        QVERIFY(modifyOpened);

        for (QAction *menu : f.frame->menuBar()->actions()) {
            QSet<QChar> keys;
            for (QAction *item : menu->menu()->actions()) {
                if (item->isSeparator())
                    continue;
                const QString text = item->text();
                const qsizetype amp = text.indexOf(u'&');
                QVERIFY2(amp >= 0 && amp + 1 < text.size(), qPrintable(menu->text() + " > " + text));
                const QChar key = text[amp + 1].toLower();
                QVERIFY2(!keys.contains(key), qPrintable(menu->text() + " > " + text));
                keys.insert(key);
            }
        }

        bool closed = false;
        whenModal<QDialog>([&](QDialog *about) {
            auto *close = about->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Close);
            QTest::mouseClick(close, Qt::LeftButton);
            closed = about->isHidden();
        });
        f.frame->runCommand(ID_APP_ABOUT);
        QVERIFY(closed);
    }

    // Restored from maximised: at least 1024 x 700, and never so small that a
    // navigation button is out of sight.
    void theWindowsSizes()
    {
        FrameFixture f;
        f.open();
        QVERIFY(f.frame->minimumSize().height() > 349);
        f.frame->resize(100, 100);
        QApplication::processEvents();
        for (int folder = 0; folder < f.frame->navigation()->folderCount(); ++folder) {
            f.frame->navigation()->SelectFolder(folder);
            QApplication::processEvents();
            CGuiOutLook *panel = f.frame->navigation()->panel(folder);
            for (CGuiToolButton *item : panel->items()) {
                const QRect shown = QRect(item->mapTo(panel->viewport(), QPoint()), item->size());
                QVERIFY2(panel->viewport()->rect().contains(shown),
                         qPrintable(QStringLiteral("%1 at %2,%3 %4x%5 in %6x%7, window %8x%9")
                                        .arg(item->text())
                                        .arg(shown.x())
                                        .arg(shown.y())
                                        .arg(shown.width())
                                        .arg(shown.height())
                                        .arg(panel->viewport()->width())
                                        .arg(panel->viewport()->height())
                                        .arg(f.frame->width())
                                        .arg(f.frame->height())));
            }
        }
        CMainFrame fresh(f.store, f.services());
        QVERIFY(fresh.width() >= 1024);
        QVERIFY(fresh.height() >= 700);
    }

    // Change on a folder that already holds books opens them as they are.
    void preferenceOpensAFolderThatHoldsBooks()
    {
        FrameFixture f;
        f.open();
        QTemporaryDir other;
        const QString theirs = CDataStore(other.path()).addAccount(account("999", "Elsewhere"));
        const auto picker = CPreferenceDlg::setFolderPicker([&](QWidget *, const QString &) { return other.path(); });
        whenModal<CPreferenceDlg>([](CPreferenceDlg *dialog) {
            clickButton(dialog, QStringLiteral("change"));
            clickButton(dialog, QStringLiteral("ok"));
        });
        f.frame->runCommand(ID_PREFERENCE);
        CPreferenceDlg::setFolderPicker(picker);
        QCOMPARE(f.profileWrites, QStringList({other.path()}));
        QCOMPARE(f.store.workDir(), other.path());
        QCOMPARE(f.store.accounts().keys(), QStringList({theirs}));
        QCOMPARE(f.frame->accountSelector()->currentAccountId(), theirs);
        QVERIFY(!QFileInfo::exists(other.filePath("Fennimar")));
    }

    // After Refresh, Preference or a repair the list shows the account the
    // selector shows, also when the chosen one is gone.
    void theListFollowsTheSelectorWhenTheChosenAccountIsGone()
    {
        FrameFixture f;
        const QString first = f.addAccount("111", "First");
        const QString second = f.addAccount("222", "Second");
        f.store.addTransaction(movement(first, OleDateTime::currentDateTime(), 40, "Kept"));
        f.store.addTransaction(movement(second, OleDateTime::currentDateTime(), 7, "Gone"));
        f.open();
        f.frame->runCommand(ID_VIEW_TRANSACTIONS);
        CAccountCombo *selector = f.frame->accountSelector();
        selector->selectById(second);
        CDataStore(f.dir.path()).deleteAccount(second); // another program
        f.frame->runCommand(ID_REFRESH);
        const QString shownId = selector->currentAccountId();
        QVERIFY(f.store.accounts().contains(shownId));
        const Period period = f.frame->period();
        const AccountTransRows expected = buildAccountTransRows(f.store, shownId, period.from, period.to);
        CAccountTransListCtrl *list = f.page()->accountTransList();
        QCOMPARE(list->count(), expected.count);
        QCOMPARE(list->model()->index(1, 1).data().toString(), QStringLiteral("Kept"));
    }

    // Preference with "All" chosen: the new books' first account is chosen and
    // its own list is shown, not the all-accounts list.
    void preferenceShowsTheListOfTheChosenAccount()
    {
        FrameFixture f;
        f.addAccount("111");
        f.open();
        f.frame->accountSelector()->setCurrentIndex(0);
        f.frame->runCommand(ID_VIEW_TRANSACTIONS);
        QCOMPARE(f.page()->visibleControl(), int(VIEW_TRANSACTIONS_ALL));
        QTemporaryDir other;
        const QString theirs = CDataStore(other.path()).addAccount(account("999", "Elsewhere"));
        const auto picker = CPreferenceDlg::setFolderPicker([&](QWidget *, const QString &) { return other.path(); });
        whenModal<CPreferenceDlg>([](CPreferenceDlg *dialog) {
            clickButton(dialog, QStringLiteral("change"));
            clickButton(dialog, QStringLiteral("ok"));
        });
        f.frame->runCommand(ID_PREFERENCE);
        CPreferenceDlg::setFolderPicker(picker);
        QCOMPARE(f.frame->accountSelector()->currentAccountId(), theirs);
        QCOMPARE(f.page()->visibleControl(), int(VIEW_TRANSACTIONS));
        QCOMPARE(f.frame->captionBar()->caption(), QStringLiteral("Transactions"));
        QVERIFY(f.frame->action(ID_VIEW_TRANSACTIONS)->isChecked());
    }

    // The tree's edits made before Preference are written to the folder left.
    void preferenceKeepsTheCategoryEditsOfTheFolderLeft()
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
        QTemporaryDir other;
        CDataStore(other.path()).addAccount(account("999"));
        const auto picker = CPreferenceDlg::setFolderPicker([&](QWidget *, const QString &) { return other.path(); });
        whenModal<CPreferenceDlg>([](CPreferenceDlg *dialog) {
            clickButton(dialog, QStringLiteral("change"));
            clickButton(dialog, QStringLiteral("ok"));
        });
        f.frame->runCommand(ID_PREFERENCE);
        CPreferenceDlg::setFolderPicker(picker);
        QVERIFY(!findCategory(readCategoryFile(f.dir.path()), QStringLiteral("Travel")).isEmpty());
        QVERIFY(!tree->find(QStringLiteral("Travel")));
    }

    // A number another account has is asked about; No keeps the dialog open.
    void aSharedAccountNumberIsAskedAbout()
    {
        FrameFixture f;
        f.addAccount("111");
        f.open();
        MessageRecorder messages;
        messages.answers = {MessageNo};
        whenModal<CAccountDlg>([](CAccountDlg *dialog) {
            child<QLineEdit>(dialog, QStringLiteral("accountNumber"))->setText(QStringLiteral("111"));
            clickButton(dialog, QStringLiteral("ok"));
            QVERIFY(dialog->isVisible());
            clickButton(dialog, QStringLiteral("cancel"));
        });
        f.frame->runCommand(ID_ACCOUNT_ADD);
        QCOMPARE(messages.texts(), QStringList({"Another account already has this number. Save anyway?"}));
        QCOMPARE(f.store.accounts().size(), 1);
    }

    // A sort chosen by a click on a title stays through changes, until Refresh.
    void refreshBringsBackTheListsOrder()
    {
        FrameFixture f;
        const QString id = f.addAccount("111");
        for (const char *subject : {"b", "c", "a"})
            f.store.addPlan(movement(id, OleDateTime::currentDateTime(), 1, QString::fromLatin1(subject)));
        f.open();
        f.frame->runCommand(ID_VIEW_PLANNER);
        CPlanListCtrl *list = f.page()->planList();
        const auto subjects = [list] {
            QStringList texts;
            for (int row = 0; row < list->model()->rowCount(); ++row)
                texts << list->model()->index(row, 2).data().toString();
            return texts;
        };
        const QStringList usual = subjects();
        QHeaderView *header = list->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(2) + 5, header->height() / 2));
        QCOMPARE(subjects(), QStringList({"a", "b", "c"}));
        f.frame->runCommand(ID_VIEW_ACCOUNTS);
        f.frame->runCommand(ID_VIEW_PLANNER);
        QCOMPARE(subjects(), QStringList({"a", "b", "c"}));
        f.frame->runCommand(ID_REFRESH);
        QCOMPARE(subjects(), usual);
    }

    // A double-click (or Enter) on a report opens it for the selected account.
    void theReportsView()
    {
        FrameFixture f;
        f.addAccount("111");
        const QString second = f.addAccount("222");
        f.store.addTransaction(movement(second, OleDateTime::currentDateTime().addDays(-40), 75));
        f.open();
        f.frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.frame.get()));
        f.frame->runCommand(ID_VIEW_TRANSACTIONS);
        f.frame->accountSelector()->selectById(second);
        f.frame->runCommand(ID_VIEW_REPORTS);
        CReportListCtrl *list = f.page()->reportList();

        QList<std::pair<bool, int>> opened; // Line enabled, the first day's balance
        const auto watch = [&] {
            whenModal<CReportsDlg>([&](CReportsDlg *dialog) {
                opened << std::pair{child<QPushButton>(dialog, QStringLiteral("line"))->isEnabled(),
                                    dialog->chart().value(0, 0)};
                dialog->reject();
            });
        };
        QTest::keyClick(list, Qt::Key_Return); // nothing selected: nothing opens
        QTest::qWait(50);
        QVERIFY(opened.isEmpty());
        watch();
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(0, 0)).center());
        QCOMPARE(opened, (QList<std::pair<bool, int>>{{true, 75}}));
        f.frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.frame.get()));
        watch();
        clickRow(list, 1);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(opened.size(), 2);
        QCOMPARE(opened[1].first, false); // profit and loss: no Line

        // With "All" nothing opens.
        f.frame->runCommand(ID_VIEW_TRANSACTIONS);
        f.frame->accountSelector()->setCurrentIndex(0);
        f.frame->runCommand(ID_VIEW_REPORTS);
        clickRow(list, 0);
        CReportsDlg *shown = nullptr;
        whenModal<CReportsDlg>([&](CReportsDlg *dialog) {
            shown = dialog;
            dialog->reject();
        });
        QTest::keyClick(list, Qt::Key_Return);
        QTest::qWait(100);
        QVERIFY(!shown);
    }

    // Print Preview shows the pages Print makes.
    void printPreviewShowsThePrintedPages()
    {
        FrameFixture f;
        const QString id = f.addAccount("111");
        for (int i = 0; i < 120; ++i)
            f.store.addPlan(movement(id, OleDateTime::currentDateTime().addDays(i), i));
        f.open();
        f.frame->runCommand(ID_VIEW_PLANNER);
        QVERIFY(f.frame->action(ID_FILE_PRINT_PREVIEW)->isEnabled());
        f.printTo = f.dir.filePath("plans.pdf");
        f.frame->runCommand(ID_FILE_PRINT);
        const int printed = pdfPages(readFile(f.printTo));
        QVERIFY(printed > 1);

        int previewed = -1;
        whenModal<QPrintPreviewDialog>([&](QPrintPreviewDialog *preview) {
            previewed = preview->findChild<QPrintPreviewWidget *>()->pageCount();
            preview->reject();
        });
        f.frame->runCommand(ID_FILE_PRINT_PREVIEW);
        QCOMPARE(previewed, printed);
        f.frame->runCommand(ID_VIEW_ACCOUNTS);
        QVERIFY(!f.frame->action(ID_FILE_PRINT_PREVIEW)->isEnabled());
    }
};

FENNIMAR_GUI_TEST_MAIN(TestFrameUse)
#include "tst_frameuse.moc"
