#include "storefixture.h"

#include <QRegularExpression>
#include <QTest>

using namespace testutil;

namespace {

const QString A = QStringLiteral("2026010100000090");
const QString B = QStringLiteral("2026010100000190");

QString planName(const Book &book)
{
    return QFileInfo(book.store.planFilePath()).fileName();
}

} // namespace

class TestPlanFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useUsEnglish(); }

    void firstPlanCreatesTheFileAndLaterSavesReuseIt()
    {
        Book book;
        QCOMPARE(book.store.planFilePath(), QString());
        const QString key = book.store.addPlan(movement(A, OleDateTime(39184.5), -12.5, "Pay"));
        const QString name = planName(book);
        QVERIFY(QRegularExpression(QStringLiteral("^Plan\\d{14}90\\.pln$")).match(name).hasMatch());

        TransactionRecord r = book.store.lookupPlan(key);
        const QByteArray expected = hex("01000000") + hex("20") + key.toLatin1() + hex("00000000 000000001022e340")
                                    + hex("03 506179") + hex("00000000000029c0") + hex("00000000") + hex("00 00");
        QCOMPARE(readFile(book.store.planFilePath()), expected);

        QTest::qWait(1100); // a later id would name a different file
        book.store.addPlan(movement(B, OleDateTime(39185.5), 1));
        QCOMPARE(planName(book), name);
        QCOMPARE(entries(book.dir.path()), QStringList({name}));

        book.store.deletePlan(key);
        r = book.store.lookupPlan(key);
        QCOMPARE(r.subject, QString());
        QCOMPARE(book.store.plans().size(), 1);
    }

    void deletingTheLastPlanLeavesCountZero()
    {
        Book book;
        const QString key = book.store.addPlan(movement(A, at(2026, 1, 1), 3));
        book.store.deletePlan(key);
        QCOMPARE(readFile(book.store.planFilePath()), hex("00000000"));
    }

    void onlyTheFirstPlanFileCounts()
    {
        Book book;
        RecordMap<TransactionRecord> first, second;
        TransactionRecord p = movement(A + "2026010100000090", at(2026, 1, 1), 1);
        first.insert(p.key, p);
        TransactionRecord q = movement(A + "2026010100000190", at(2026, 1, 2), 2);
        second.insert(q.key, q);
        QVERIFY(writeFile(book.path("Plan2020010100000090.pln"), encodePlans(first)));
        QVERIFY(writeFile(book.path("plan2030010100000090.PLN"), encodePlans(second)));
        // A folder that sorts first is not the plan file.
        QVERIFY(QDir(book.dir.path()).mkdir("Plan1990010100000090.pln"));

        book.store.loadPlans();
        QCOMPARE(book.store.plans().keys(), QStringList({p.key}));
        book.store.addPlan(movement(B, at(2026, 1, 3), 3));
        QCOMPARE(decodePlans(readFile(book.path("Plan2020010100000090.pln"))).size(), 2);
        QCOMPARE(readFile(book.path("plan2030010100000090.PLN")), encodePlans(second));
    }

    void aPlanAddedByAnotherProgramIsKept()
    {
        Book book;
        const QString mine = book.store.addPlan(movement(A, at(2026, 1, 1), 1));
        CDataStore other(book.dir.path());
        const QString theirs = other.addPlan(movement(B, at(2026, 1, 2), 2));
        // The first store still holds its old table, yet its change keeps the other plan.
        QVERIFY(!book.store.plans().contains(theirs));
        TransactionRecord r = book.store.lookupPlan(mine);
        r.subject = QStringLiteral("changed");
        book.store.modifyPlan(mine, r);
        QVERIFY(book.store.plans().contains(theirs));
        CDataStore reader(book.dir.path());
        reader.loadPlans();
        QCOMPARE(reader.plans().size(), 2);
        QCOMPARE(reader.lookupPlan(mine).subject, QStringLiteral("changed"));
        QVERIFY(!QFileInfo::exists(book.path("Plan.lock")));
    }

    void convertKeepsTheDate()
    {
        Book book;
        TransactionRecord plan = movement(A, at(2027, 1, 15, 9, 30), -80, "Insurance");
        plan.category = QStringLiteral("Wear Items");
        plan.notes = QStringLiteral("yearly");
        const QString planKey = book.store.addPlan(plan);
        const QString key = book.store.convertPlan(planKey);
        QVERIFY(key.startsWith(A));
        QVERIFY(key != planKey);
        QVERIFY(book.store.plans().isEmpty());
        const auto onDisk = decodeTransaction(readFile(book.path(key + ".tra")));
        QVERIFY(onDisk);
        plan.key = key;
        QCOMPARE(*onDisk, plan);
        // A plan that is not there converts into nothing.
        QVERIFY_THROWS_EXCEPTION(FileError, book.store.convertPlan(planKey));
        QCOMPARE(entries(book.dir.path()).size(), 2);
    }

    void deleteAllPlansOfAnAccount()
    {
        Book book;
        for (int i = 0; i < 3; ++i)
            book.store.addPlan(movement(A, at(2026, 1, 1 + i), i));
        const QString other = book.store.addPlan(movement(B, at(2026, 1, 9), 9));
        book.store.deleteAllPlans(A);
        QCOMPARE(book.store.plans().keys(), QStringList({other}));
    }

    void plansListInTableOrder()
    {
        Book book;
        AccountRecord a = account("111");
        a.id = A;
        book.store.modifyAccount(a);
        for (int i = 0; i < 6; ++i)
            book.store.addPlan(movement(i % 2 ? A : B, at(2026, 1, 1 + i), i + 0.5, QString::number(i)));
        const TransactionTable rows = book.store.fillPlansList();
        QStringList keys;
        for (const auto &row : rows) {
            keys << row.data->key;
            const QString number = row.data->key.startsWith(A) ? QStringLiteral("111") : QString();
            QCOMPARE(row.text(0), number);
            QCOMPARE(row.data->accountNumber, number);
        }
        QCOMPARE(keys, book.store.plans().keys());
        QCOMPARE(rows.size(), 6);
    }

    void accountPlansByDate()
    {
        Book book;
        // Keys chosen so that table order differs from date order.
        RecordMap<TransactionRecord> plans;
        const QList<QPair<int, int>> keyAndDay = {{0, 20}, {1, 5}, {2, 5}, {3, 1}, {4, 12}};
        for (const auto &[n, day] : keyAndDay) {
            TransactionRecord r = movement(A + (QStringLiteral("202601010000%1").arg(n, 2, 10, QLatin1Char('0')) + QStringLiteral("90")),
                                           at(2026, 3, day), n);
            plans.insert(r.key, r);
        }
        TransactionRecord other = movement(B + "2026010100000090", at(2026, 1, 1), 9);
        plans.insert(other.key, other);
        QVERIFY(writeFile(book.path("Plan2026010100000090.pln"), encodePlans(plans)));
        book.store.loadPlans();

        TransactionTable rows;
        rows.append(ListRow<TransactionRow>{{"x"}, 0, std::nullopt}); // the fill appends
        QCOMPARE(book.store.fillAccountPlansList(rows, A), 5);
        QCOMPARE(rows.size(), 6);
        QList<double> amounts;
        for (int i = 1; i < rows.size(); ++i)
            amounts << rows[i].data->amount;
        // Day 5 twice: the one first in table order comes first.
        const QStringList order = book.store.plans().keys();
        const bool oneBeforeTwo = order.indexOf(A + "2026010100000190") < order.indexOf(A + "2026010100000290");
        QCOMPARE(amounts, QList<double>({3, oneBeforeTwo ? 1.0 : 2.0, oneBeforeTwo ? 2.0 : 1.0, 4, 0}));
        QCOMPARE(rows[1].texts, QStringList({"3/1/26", "Item", "$3.00", ""}));
        QCOMPARE(rows[1].data->accountNumber, QString());
        QCOMPARE(book.store.fillAccountPlansList(rows, QStringLiteral("1999010100000090")), 0);
    }
};

QTEST_GUILESS_MAIN(TestPlanFile)
#include "tst_planfile.moc"
