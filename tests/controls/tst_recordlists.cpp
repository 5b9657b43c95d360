#include "accounttransrows.h"
#include "recordlists.h"
#include "storefixture.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QImage>
#include <QSignalSpy>
#include <QTest>

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
