#include "controls/recordlists.h"
#include "store/accounttransrows.h"
#include "store/formatters.h"
#include "storefixture.h"
#include "textrecorder.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QImage>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <QVBoxLayout>

#include <memory>

using namespace testutil;

namespace {

const QString A = QStringLiteral("2026010100000090");

QPixmap solid(const QColor &colour)
{
    QPixmap p(32, 32);
    p.fill(colour);
    return p;
}

// How many pixels of a region have exactly this colour.
int countColour(const QImage &image, const QRect &region, const QColor &colour)
{
    int n = 0;
    const QRect area = region.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += image.pixelColor(x, y) == colour;
    return n;
}

QImage render(QWidget &widget)
{
    widget.resize(600, 400);
    widget.show();
    QApplication::processEvents();
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QRect cellRect(const CRecordListView &list, int row, int column)
{
    const QRect r = list.visualRect(list.model()->index(row, column));
    return r.translated(list.viewport()->pos());
}

// One column's texts from the top row down.
QStringList columnTexts(const CRecordListView &list, int column)
{
    QStringList texts;
    for (int row = 0; row < list.model()->rowCount(); ++row)
        texts << list.model()->index(row, column).data().toString();
    return texts;
}

void clickTitle(CRecordListView &list, int column)
{
    QHeaderView *header = list.horizontalHeader();
    const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                    header->viewport()->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

ListRow<TransactionRow> recordRow(const QString &key, const QString &number, const OleDateTime &date,
                                  const QString &subject, double amount)
{
    ListRow<TransactionRow> row;
    row.texts = QStringList{number, formatDate(date), subject, amountText(amount)};
    row.data = TransactionRow{key, subject, number, amount, 0.0, date};
    return row;
}

// Four records whose texts order otherwise than their values: "12/6/26" before
// "2/1/26", "$10.00" before "$9.50", "Cherry" before "apple".
TransactionTable fourRecords()
{
    return {recordRow("k1", "55-10", at(2026, 12, 6), "banana", 9.5),
            recordRow("k2", "7-20", at(2026, 2, 1), "Apple", 10),
            recordRow("k3", "55-10", at(2025, 3, 15), "Cherry", -1000),
            recordRow("k4", "8-99", at(2026, 12, 6), "apple", 200)};
}

QStringList keys(const CRecordListView &list)
{
    QStringList found;
    for (int row = 0; row < list.model()->rowCount(); ++row)
        found << list.model()->index(row, 0).data(KeyRole).toString();
    return found;
}

// An account of the one-account list: 50 brought forward, three transactions in
// December and two plans.
struct OneAccountBook
{
    Book book;

    OneAccountBook()
    {
        book.putTransaction(movement(A + "2026120100000090", at(2026, 11, 2), 50));
        book.putTransaction(movement(A + "2026120100000190", at(2026, 12, 3), -80, "Rent"));
        book.putTransaction(movement(A + "2026120100000290", at(2026, 12, 4), 10, "bonus"));
        book.putTransaction(movement(A + "2026120100000390", at(2026, 12, 5), 2000, "Salary"));
        book.store.addPlan(movement(A, at(2027, 1, 1), 5, "Zinc"));
        book.store.addPlan(movement(A, at(2027, 2, 1), -7, "apple"));
        book.store.loadPlans();
    }

    AccountTransRows rows() { return buildAccountTransRows(book.store, A, at(2026, 12, 1), at(2026, 12, 31)); }
};

} // namespace

class TestRecordLists : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useUsEnglish(); }

    void oneAccountList()
    {
        Book book;
        book.putTransaction(movement(A + "2026120100000090", at(2026, 11, 2), 50));
        book.putTransaction(movement(A + "2026120100000190", at(2026, 12, 3), -80));
        book.putTransaction(movement(A + "2026120100000290", at(2026, 12, 4), 10));
        book.store.addPlan(movement(A, at(2027, 1, 1), 5, "Plan"));
        book.store.loadPlans();

        CAccountTransListCtrl list(solid(Qt::green));
        QAbstractItemModelTester tester(const_cast<TransactionListModel *>(&list.listModel()),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        list.setRows(buildAccountTransRows(book.store, A, at(2026, 12, 1), at(2026, 12, 31)));
        QCOMPARE(list.count(), 3);
        QCOMPARE(list.model()->rowCount(), 3 + 4 + 1);
        QCOMPARE(list.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Transaction Name"));
        QCOMPARE(list.keyAt(0), QString());
        QCOMPARE(list.keyAt(1), A + "2026120100000190");
        QCOMPARE(list.keyAt(3), QString());
        QCOMPARE(list.columnSpan(3, 0), 1);
        QCOMPARE(list.columnSpan(list.count() + 1, 0), 4); // "Plans" across the row

        list.setSelectionMark(2);
        const QImage shot = render(list);

        // Row 1: -80 after 50 brought forward: both amount and balance in red.
        const QColor red(0xFF, 0, 0), blue(0x3D, 0x6E, 0xC4), mark(0xE9, 0xE9, 0xE9), rule(0x84, 0x82, 0x84);
        QVERIFY(countColour(shot, cellRect(list, 1, 2), red) > 10);
        QVERIFY(countColour(shot, cellRect(list, 1, 3), red) > 10);
        QCOMPARE(countColour(shot, cellRect(list, 1, 2), blue), 0);
        // Row 2: +10, balance -20: a blue amount, a red balance, on the selection mark's grey.
        QVERIFY(countColour(shot, cellRect(list, 2, 2), blue) > 10);
        QVERIFY(countColour(shot, cellRect(list, 2, 3), red) > 10);
        QVERIFY(countColour(shot, cellRect(list, 2, 1), mark) > 100);
        QCOMPARE(countColour(shot, cellRect(list, 1, 1), mark), 0);
        // The opening row shows no amount but its balance (50) in blue.
        QCOMPARE(countColour(shot, cellRect(list, 0, 2), blue) + countColour(shot, cellRect(list, 0, 2), red), 0);
        QVERIFY(countColour(shot, cellRect(list, 0, 3), blue) > 10);
        // The row picture before every date but the opening row's.
        QVERIFY(countColour(shot, cellRect(list, 1, 0), Qt::green) > 500);
        QCOMPARE(countColour(shot, cellRect(list, 0, 0), Qt::green), 0);
        // Separator lines under painted cells; nothing on the empty row N; the rule above the plans.
        const QRect amount1 = cellRect(list, 1, 2);
        QCOMPARE(shot.pixelColor(amount1.center().x(), amount1.bottom()), rule);
        QCOMPARE(countColour(shot, cellRect(list, 3, 0), rule), 0);
        const QRect ruleCell = cellRect(list, 6, 0);
        QCOMPARE(shot.pixelColor(ruleCell.center().x(), ruleCell.bottom()), rule);
        QCOMPARE(countColour(shot, cellRect(list, 6, 1), rule), 0);
        // The plan row has no balance.
        QCOMPARE(countColour(shot, cellRect(list, 7, 3), blue) + countColour(shot, cellRect(list, 7, 3), red), 0);
        QVERIFY(countColour(shot, cellRect(list, 7, 2), blue) > 10);
    }

    // en_US writes a negative currency amount in parentheses; the balances show
    // the rows' own texts, as print and the exports do: a leading "-" and no parentheses.
    void balancesShowTheirSign_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("balance");
        QTest::newRow("brought forward") << 0 << "50.00"; // the store writes it as a plain number
        QTest::newRow("below zero") << 1 << "-$30.00";
        QTest::newRow("still below") << 2 << "-$20.00";
        QTest::newRow("above again") << 3 << "$1,980.00";
    }

    void balancesShowTheirSign()
    {
        QFETCH(int, row);
        QFETCH(QString, balance);
        OneAccountBook fixture;
        CAccountTransListCtrl list{QPixmap()};
        list.setRows(fixture.rows());
        render(list);
        const QList<PaintedText> painted = paintedTexts(list);
        QCOMPARE(textsIn(painted, cellRect(list, row, 3)), QStringList{balance});
        QCOMPARE(textsIn(painted, cellRect(list, 1, 2)), QStringList{"$80.00"}); // an amount's sign is its colour
    }

    // A refill leaves no row selected, and none comes back when the list gets the
    // focus again (as after a confirmation): the commands see no selection.
    void refillForgetsTheSelection_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("accounts") << "accounts";
        QTest::newRow("one account") << "one account";
        QTest::newRow("one account emptied") << "one account emptied";
        QTest::newRow("plans") << "plans";
        QTest::newRow("all transactions") << "all transactions";
    }

    void refillForgetsTheSelection()
    {
        QFETCH(QString, kind);
        OneAccountBook fixture;
        CDataStore &store = fixture.book.store;
        QStringList ids;
        for (const char *number : {"11-1", "22-2", "33-3"})
            ids << store.addAccount(account(number));
        for (int day = 3; day <= 5; ++day)
            store.addTransaction(movement(ids[1], at(2026, 12, day), day));
        for (int i = 0; i < 3; ++i)
            store.addPlan(movement(A, at(2026, 1, 1 + i), i));
        store.loadPlans();

        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        CRecordListView *list = nullptr;
        std::function<void()> refill;
        if (kind == "accounts") {
            auto *accounts = new CAccountListCtrl([](int) { return solid(Qt::green); });
            refill = [accounts, &store] { accounts->setRows(store.fillAccountList()); };
            list = accounts;
        } else if (kind.startsWith("one account")) {
            auto *trans = new CAccountTransListCtrl(QPixmap());
            trans->setRows(fixture.rows());
            refill = kind.endsWith("emptied") ? std::function<void()>([trans] { trans->clear(); })
                                              : [trans, &fixture] { trans->setRows(fixture.rows()); };
            list = trans;
        } else if (kind == "plans") {
            auto *plans = new CPlanListCtrl;
            refill = [plans, &store] { plans->setRows(store.fillPlansList()); };
            list = plans;
        } else {
            auto *all = new CAllTransListCtrl;
            refill = [all, &store] { all->setRows(store.fillAllTransList(at(2026, 12, 1), at(2026, 12, 31))); };
            list = all;
        }
        if (kind != "one account emptied")
            refill();
        auto *other = new QLineEdit;
        layout->addWidget(list);
        layout->addWidget(other);
        window.resize(600, 400);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(1, 0)).center());
        QCOMPARE(list->selectionMark(), 1);
        other->setFocus(Qt::OtherFocusReason);
        QVERIFY(!list->hasFocus());

        QSignalSpy marks(list, &CRecordListView::selectionMarkChanged);
        refill();
        QCOMPARE(list->selectionMark(), -1);
        QVERIFY(!marks.isEmpty());
        QCOMPARE(marks.last().first().toInt(), -1);

        list->setFocus(Qt::ActiveWindowFocusReason);
        QVERIFY(list->hasFocus());
        QCOMPARE(list->selectionMark(), -1);
        QCOMPARE(marks.last().first().toInt(), -1);
        QCOMPARE(list->selectionModel()->selectedIndexes().size(), 0);
    }

    // The first click on a title sorts by its values, the next one reverses;
    // equal values keep the list's own order.
    void titlesSortTheRecords_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QStringList>("ascending");
        QTest::addColumn<QStringList>("descending");
        QTest::newRow("account number") << 0 << QStringList{"k1", "k3", "k2", "k4"}
                                        << QStringList{"k4", "k2", "k1", "k3"};
        QTest::newRow("date") << 1 << QStringList{"k3", "k2", "k1", "k4"} << QStringList{"k1", "k4", "k2", "k3"};
        QTest::newRow("subject, any case")
            << 2 << QStringList{"k2", "k4", "k1", "k3"} << QStringList{"k3", "k1", "k2", "k4"};
        QTest::newRow("amount") << 3 << QStringList{"k3", "k1", "k2", "k4"} << QStringList{"k4", "k2", "k1", "k3"};
    }

    void titlesSortTheRecords()
    {
        QFETCH(int, column);
        QFETCH(QStringList, ascending);
        QFETCH(QStringList, descending);
        const QStringList own{"k1", "k2", "k3", "k4"};
        for (auto kind : {CRecordTableCtrl::Kind::Plans, CRecordTableCtrl::Kind::AllTransactions}) {
            std::unique_ptr<CRecordTableCtrl> list;
            if (kind == CRecordTableCtrl::Kind::Plans)
                list = std::make_unique<CPlanListCtrl>();
            else
                list = std::make_unique<CAllTransListCtrl>();
            QAbstractItemModelTester tester(list->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
            list->setRows(fourRecords());
            render(*list);
            QCOMPARE(keys(*list), own);
            QCOMPARE(list->horizontalHeader()->sortIndicatorSection(), -1);

            clickTitle(*list, column);
            QCOMPARE(keys(*list), ascending);
            QCOMPARE(list->horizontalHeader()->sortIndicatorSection(), column);
            QCOMPARE(list->horizontalHeader()->sortIndicatorOrder(), Qt::AscendingOrder);
            // Every cell moves with its row.
            QCOMPARE(list->model()->index(0, 2).data().toString(), fourRecords()[own.indexOf(ascending[0])].text(2));
            clickTitle(*list, column);
            QCOMPARE(keys(*list), descending);
            QCOMPARE(list->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
            QCOMPARE(list->keyAt(0), descending[0]);

            // The user's order stays across refills, until it is cleared.
            list->setRows(fourRecords());
            QCOMPARE(keys(*list), descending);
            QCOMPARE(list->horizontalHeader()->sortIndicatorSection(), column);
            list->clearSortOrder();
            QCOMPARE(keys(*list), own);
            QCOMPARE(list->horizontalHeader()->sortIndicatorSection(), -1);
            list->setRows(fourRecords());
            QCOMPARE(keys(*list), own);
        }
    }

    // The opening row, the separator rows and the "Plans" heading keep their
    // places; transactions and plans sort each in their own block, and every
    // running balance stays the one of the date order.
    void oneAccountListSortsInBlocks_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<QStringList>("subjects");
        QTest::addColumn<QStringList>("balances");
        const QString o;
        QTest::newRow("name") << 1 << 1 << QStringList{o, "bonus", "Rent", "Salary", o, o, o, o, "apple", "Zinc"}
                              << QStringList{"50.00", "-$20.00", "-$30.00", "$1,980.00", o, o, o, o, o, o};
        QTest::newRow("amount, reversed")
            << 2 << 2 << QStringList{o, "Salary", "bonus", "Rent", o, o, o, o, "Zinc", "apple"}
            << QStringList{"50.00", "$1,980.00", "-$20.00", "-$30.00", o, o, o, o, o, o};
        QTest::newRow("balance") << 3 << 1 << QStringList{o, "Rent", "bonus", "Salary", o, o, o, o, "Zinc", "apple"}
                                 << QStringList{"50.00", "-$30.00", "-$20.00", "$1,980.00", o, o, o, o, o, o};
        QTest::newRow("date, reversed") << 0 << 2
                                        << QStringList{o, "Salary", "bonus", "Rent", o, o, o, o, "apple", "Zinc"}
                                        << QStringList{"50.00", "$1,980.00", "-$20.00", "-$30.00", o, o, o, o, o, o};
    }

    void oneAccountListSortsInBlocks()
    {
        QFETCH(int, column);
        QFETCH(int, clicks);
        QFETCH(QStringList, subjects);
        QFETCH(QStringList, balances);
        OneAccountBook fixture;
        CAccountTransListCtrl list{QPixmap()};
        QAbstractItemModelTester tester(list.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        list.setRows(fixture.rows());
        render(list);
        const QStringList first = columnTexts(list, 0);
        for (int i = 0; i < clicks; ++i)
            clickTitle(list, column);
        QCOMPARE(columnTexts(list, 1), subjects);
        QCOMPARE(columnTexts(list, 3), balances);
        QCOMPARE(list.count(), 4);
        QCOMPARE(columnTexts(list, 0).first(), first.first());
        QCOMPARE(columnTexts(list, 0).at(5), QStringLiteral("Plans"));
        QCOMPARE(list.columnSpan(0, 0), 2);
        QCOMPARE(list.columnSpan(5, 0), 4);
        QCOMPARE(list.keyAt(0), QString());
        QCOMPARE(list.model()->index(1, 0).data(RowKindRole).toInt(), int(AccountTransRows::Kind::Transaction));
        QCOMPARE(list.model()->index(9, 0).data(RowKindRole).toInt(), int(AccountTransRows::Kind::Plan));
        // The painted balance is the moved row's.
        const QList<PaintedText> painted = paintedTexts(list);
        QCOMPARE(textsIn(painted, cellRect(list, 1, 3)), QStringList{balances[1]});
        // A refill (after a change) keeps the order; clearing it brings back the dates.
        list.setRows(fixture.rows());
        QCOMPARE(columnTexts(list, 1), subjects);
        list.clearSortOrder();
        QCOMPARE(columnTexts(list, 1), QStringList({"", "Rent", "bonus", "Salary", "", "", "", "", "Zinc", "apple"}));
        QCOMPARE(columnTexts(list, 0), first);
    }

    // The selected record stays selected where the sort moves it, and the list
    // says where it went.
    void selectionFollowsTheSort()
    {
        CPlanListCtrl list;
        list.setRows(fourRecords());
        render(list);
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualRect(list.model()->index(0, 2)).center());
        QCOMPARE(list.keyAt(list.selectionMark()), QStringLiteral("k1"));
        QSignalSpy marks(&list, &CRecordListView::selectionMarkChanged);
        clickTitle(list, 3); // k3, k1, k2, k4
        QCOMPARE(list.selectionMark(), 1);
        QCOMPARE(list.keyAt(1), QStringLiteral("k1"));
        QVERIFY(!marks.isEmpty());
        QCOMPARE(marks.last().first().toInt(), 1);
    }

    // The sorted column's title carries a mark, which goes with the sort order.
    void theSortedTitleIsMarked()
    {
        CAllTransListCtrl list;
        list.setRows(fourRecords());
        render(list);
        QHeaderView *header = list.horizontalHeader();
        const auto shot = [header] {
            return header->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        };
        clickTitle(list, 2);
        const QImage ascending = shot();
        clickTitle(list, 2);
        const QImage descending = shot();
        list.clearSortOrder();
        const QImage plain = shot();
        const QRect section(header->sectionViewportPosition(2), 0, header->sectionSize(2), header->height());
        const auto differing = [](const QImage &a, const QImage &b, const QRect &area) {
            int n = 0;
            for (int y = area.top(); y <= area.bottom() && y < a.height(); ++y)
                for (int x = area.left(); x <= area.right() && x < a.width(); ++x)
                    n += a.pixel(x, y) != b.pixel(x, y);
            return n;
        };
        QVERIFY(differing(ascending, plain, section) > 5);
        QVERIFY(differing(descending, plain, section) > 5);
        QVERIFY(differing(ascending, descending, section) > 5);
        QCOMPARE(differing(ascending, plain, plain.rect()), differing(ascending, plain, section));
    }

    void columnWidthsFollowTheWidth()
    {
        CAccountTransListCtrl trans{QPixmap()};
        trans.resize(612, 300);
        trans.show();
        QApplication::processEvents();
        const int w = trans.viewport()->width();
        QCOMPARE(trans.columnWidth(1), w / 2);
        QCOMPARE(trans.columnWidth(0), w / 6);
    }

    void accountListPaintsTheBalanceBySign()
    {
        AccountTable rows;
        for (double balance : {-42.5, 0.0}) {
            ListRow<AccountRow> row;
            row.texts = QStringList{QString()};
            row.data = AccountRow{A, "Home", "12-34", "Bank", balance, 0, 0};
            rows << row;
        }
        QList<int> asked;
        CAccountListCtrl list([&](int icon) {
            asked << icon;
            return solid(Qt::green);
        });
        QAbstractItemModelTester tester(const_cast<AccountListModel *>(&list.listModel()),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        list.setRows(rows);
        QCOMPARE(list.idAt(1), A);
        const QImage shot = render(list);
        const QRect first = cellRect(list, 0, 0), second = cellRect(list, 1, 0);
        const QRect balance0(first.right() - 150, first.top(), 150, first.height());
        const QRect balance1(second.right() - 150, second.top(), 150, second.height());
        QVERIFY(countColour(shot, balance0, QColor(0xFF, 0, 0)) > 10);
        QVERIFY(countColour(shot, balance1, QColor(0x3D, 0x6E, 0xC4)) > 10); // zero is positive
        QVERIFY(!asked.isEmpty());
    }

    // A balance below the set minimum gets a warning sign beside it and a tool tip
    // naming the minimum; no minimum (0) warns of nothing.
    void belowTheMinimumIsMarked_data()
    {
        QTest::addColumn<double>("balance");
        QTest::addColumn<double>("minimum");
        QTest::addColumn<QString>("tip");
        QTest::addColumn<QString>("shown");
        QTest::newRow("below") << 120.0 << 500.0 << "Below the minimum balance of $500.00"
                               << "$120.00";
        QTest::newRow("negative, below") << -25.5 << 1234.5 << "Below the minimum balance of $1,234.50"
                                         << "$25.50";
        QTest::newRow("at the minimum") << 500.0 << 500.0 << ""
                                        << "$500.00";
        QTest::newRow("above") << 600.0 << 500.0 << ""
                               << "$600.00";
        QTest::newRow("no minimum") << -10.0 << 0.0 << ""
                                    << "$10.00";
    }

    void belowTheMinimumIsMarked()
    {
        QFETCH(double, balance);
        QFETCH(double, minimum);
        QFETCH(QString, tip);
        QFETCH(QString, shown);
        AccountTable rows(2);
        rows[0].texts = rows[1].texts = QStringList{QString()};
        rows[0].data = AccountRow{A, "Home", "12-34", "Bank", 1000.0, 0.0, 0};
        rows[1].data = AccountRow{A, "Away", "56-78", "Bank", balance, minimum, 0};
        CAccountListCtrl list([](int) { return solid(Qt::green); });
        QAbstractItemModelTester tester(list.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        list.setRows(rows);
        QCOMPARE(list.model()->index(1, 0).data(Qt::ToolTipRole).toString(), tip);
        QCOMPARE(list.model()->index(0, 0).data(Qt::ToolTipRole).toString(), QString());

        const QImage shot = render(list);
        const QColor warning(0xF5, 0xA6, 0x23);
        const auto balanceArea = [&](int row) {
            const QRect r = cellRect(list, row, 0);
            return QRect(r.right() - 150, r.top(), 151, r.height());
        };
        QCOMPARE(countColour(shot, balanceArea(0), warning), 0);
        const QList<PaintedText> painted = paintedTexts(list);
        QCOMPARE(textsIn(painted, balanceArea(1)), QStringList{shown});
        if (tip.isEmpty()) {
            QCOMPARE(countColour(shot, balanceArea(1), warning), 0);
            return;
        }
        QVERIFY(countColour(shot, balanceArea(1), warning) > 20);
        // The sign stands left of the balance, clear of its text.
        int textStart = 0;
        for (const PaintedText &t : painted) {
            if (t.text == shown)
                textStart = qRound(t.at.x());
        }
        const QRect area = balanceArea(1);
        const QRect underText(textStart - 2, area.top(), area.right() - textStart + 3, area.height());
        QCOMPARE(countColour(shot, underText, warning), 0);

        const QPoint at = list.visualRect(list.model()->index(1, 0)).center();
        QHelpEvent help(QEvent::ToolTip, at, list.viewport()->mapToGlobal(at));
        QCoreApplication::sendEvent(list.viewport(), &help);
        QTRY_COMPARE(QToolTip::text(), tip);
        QToolTip::hideText();
    }

    void rightClickMarksTheRowAndAsksForTheMenu()
    {
        Book book;
        for (int i = 0; i < 3; ++i)
            book.store.addPlan(movement(A, at(2026, 1, 1 + i), i));
        book.store.loadPlans();
        CPlanListCtrl list;
        list.setRows(book.store.fillPlansList());
        QCOMPARE(list.model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Account No"));
        render(list);
        QSignalSpy menu(&list, &CRecordListView::contextMenuRequested);
        QSignalSpy marks(&list, &CRecordListView::selectionMarkChanged);
        QSignalSpy doubles(&list, &CRecordListView::rowDoubleClicked);
        const QPoint second = list.visualRect(list.model()->index(1, 2)).center();
        QTest::mouseClick(list.viewport(), Qt::RightButton, {}, second);
        QCOMPARE(list.selectionMark(), 1);
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualRect(list.model()->index(2, 0)).center());
        QCOMPARE(list.selectionMark(), 2);
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, second);
        QCOMPARE(doubles.size(), 1);
        QCOMPARE(doubles.first().first().toInt(), 1);
        QVERIFY(marks.size() >= 2);
        // A refill forgets the mark.
        list.setRows(book.store.fillPlansList());
        QCOMPARE(list.selectionMark(), -1);
    }
};

QTEST_MAIN(TestRecordLists)
#include "tst_recordlists.moc"
