#include "store/recordrules.h"
#include "testutil.h"

#include <QTest>

#include <cmath>

using namespace testutil;

Q_DECLARE_METATYPE(AccountField)

namespace {

TransactionRecord stored(double amount, int incomeFlag)
{
    TransactionRecord r(OleDateTime::fromDateTime(QDate(2026, 12, 1), QTime(12, 0)));
    r.key = QStringLiteral("20261201120000902026120112000190");
    r.subject = QStringLiteral("Rent");
    r.amount = amount;
    r.incomeFlag = incomeFlag;
    r.category = QStringLiteral("Home");
    r.notes = QStringLiteral("December");
    return r;
}

AccountRecord account(const QString &number, double minimumBalance)
{
    AccountRecord a;
    a.id = QStringLiteral("2026120112000090");
    a.accountNumber = number;
    a.minimumBalance = minimumBalance;
    return a;
}

} // namespace

// What a dialog or the command line makes of what the user gave.
class TestRecordRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void subjects_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("subject");
        QTest::newRow("empty") << ""
                               << "No Subject";
        QTest::newRow("blanks") << "   "
                                << "No Subject";
        QTest::newRow("tab and line end") << "\t\n"
                                          << "No Subject";
        QTest::newRow("trimmed") << "  Salary "
                                 << "Salary";
        QTest::newRow("inner blanks kept") << "Car  tax"
                                           << "Car  tax";
        QTest::newRow("as given") << "Rent"
                                  << "Rent";
    }

    void subjects()
    {
        QFETCH(QString, given);
        QFETCH(QString, subject);
        TransactionRecord r = stored(10.0, 1);
        RecordInput input;
        input.subject = given;
        applyRecordInput(input, r);
        QCOMPARE(r.subject, subject);
    }

    // The amount text as the command line and the record dialogs take it, and
    // the kind: -1 not given, 0 expense, 1 income. An empty text gives no amount.
    void amountAndKind_data()
    {
        QTest::addColumn<double>("storedAmount");
        QTest::addColumn<int>("storedFlag");
        QTest::addColumn<QString>("amountText");
        QTest::addColumn<int>("kind");
        QTest::addColumn<double>("amount");
        QTest::addColumn<int>("incomeFlag");

        QTest::newRow("income") << 0.0 << 1 << "12.5" << 1 << 12.5 << 1;
        QTest::newRow("expense") << 0.0 << 1 << "12.5" << 0 << -12.5 << 0;
        QTest::newRow("an expense of nothing is no -0") << 5.0 << 1 << "0" << 0 << 0.0 << 0;
        QTest::newRow("a stored -0 made an expense") << -0.0 << 0 << "" << 0 << 0.0 << 0;
        QTest::newRow("the largest") << 1.0 << 0 << "1000000000000" << -1 << -1e12 << 0;
        QTest::newRow("cents of a point") << 1.0 << 1 << ".05" << -1 << 0.05 << 1;

        // Neither amount nor kind: the record keeps both exactly.
        QTest::newRow("untouched: a sign the kind disagrees with") << -7.0 << 1 << "" << -1 << -7.0 << 1;
        QTest::newRow("untouched: more decimals than cents") << 12.345 << 1 << "" << -1 << 12.345 << 1;
        QTest::newRow("untouched: -0") << -0.0 << 0 << "" << -1 << -0.0 << 0;
        QTest::newRow("untouched: a kind flag of another program") << 3.0 << 2 << "" << -1 << 3.0 << 2;

        // The kind alone signs the stored magnitude, as stored.
        QTest::newRow("kind alone: expense") << 12.345 << 1 << "" << 0 << -12.345 << 0;
        QTest::newRow("kind alone: income") << -40.0 << 0 << "" << 1 << 40.0 << 1;
        QTest::newRow("kind alone: the same kind mends the sign") << -7.0 << 1 << "" << 1 << 7.0 << 1;

        // The amount alone keeps the kind.
        QTest::newRow("amount alone: expense") << -40.0 << 0 << "15" << -1 << -15.0 << 0;
        QTest::newRow("amount alone: income") << 40.0 << 1 << "15" << -1 << 15.0 << 1;
        QTest::newRow("amount alone: another program's flag is income") << 3.0 << 2 << "4" << -1 << 4.0 << 1;
    }

    void amountAndKind()
    {
        QFETCH(double, storedAmount);
        QFETCH(int, storedFlag);
        QFETCH(QString, amountText);
        QFETCH(int, kind);
        QFETCH(double, amount);
        QFETCH(int, incomeFlag);

        TransactionRecord r = stored(storedAmount, storedFlag);
        TransactionRecord expected = r;
        expected.amount = amount;
        expected.incomeFlag = incomeFlag;

        RecordInput input;
        if (!amountText.isEmpty()) {
            const std::optional<double> magnitude = parseAmountText(amountText);
            QVERIFY(magnitude);
            input.magnitude = *magnitude;
        }
        if (kind >= 0)
            input.income = kind == 1;
        applyRecordInput(input, r);

        QCOMPARE(r.amount, amount);
        QCOMPARE(std::signbit(r.amount), std::signbit(amount));
        QCOMPARE(r.incomeFlag, incomeFlag);
        // Nothing else was given, so nothing else changed.
        QCOMPARE(r, expected);
    }

    void amountsThatAreRefused_data()
    {
        QTest::addColumn<QString>("amountText");
        QTest::addColumn<QString>("problem");
        QTest::newRow("one cent too large") << "1000000000000.01"
                                            << "is too large";
        QTest::newRow("a sign") << "-5"
                                << "is not an amount";
        QTest::newRow("three decimals") << "1.005"
                                        << "is not an amount";
    }

    // An amount that is refused where it is typed never reaches a record.
    void amountsThatAreRefused()
    {
        QFETCH(QString, amountText);
        QFETCH(QString, problem);
        QString why;
        QVERIFY(!parseAmountText(amountText, &why).has_value());
        QVERIFY2(why.startsWith(problem), qPrintable(why));
    }

    void nothingGivenChangesNothing()
    {
        TransactionRecord r = stored(-12.345, 1);
        r.subject = QString();
        const TransactionRecord before = r;
        applyRecordInput(RecordInput(), r);
        QCOMPARE(r, before);
    }

    void everythingGiven()
    {
        TransactionRecord r = stored(-12.345, 1);
        RecordInput input;
        input.subject = QStringLiteral(" Bonus ");
        input.date = OleDateTime::fromDateTime(QDate(2027, 1, 15), QTime(12, 0));
        input.magnitude = 250.0;
        input.income = true;
        input.category = QStringLiteral("Salary");
        input.notes = QString();
        applyRecordInput(input, r);

        TransactionRecord expected = stored(250.0, 1);
        expected.subject = QStringLiteral("Bonus");
        expected.date = *input.date;
        expected.category = QStringLiteral("Salary");
        expected.notes = QString();
        QCOMPARE(r, expected);
    }

    void accountProblems_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<double>("minimumBalance");
        QTest::addColumn<QString>("problem");
        QTest::addColumn<AccountField>("field");
        QTest::newRow("fit") << "12-3456" << 100.0 << "" << AccountField::None;
        QTest::newRow("a negative minimum") << "12-3456" << -250.5 << "" << AccountField::None;
        QTest::newRow("the largest minimum") << "12-3456" << -1e12 << "" << AccountField::None;
        QTest::newRow("a blank number is a number") << " " << 0.0 << "" << AccountField::None;
        QTest::newRow("no number") << "" << 0.0 << "Please enter the Account Number." << AccountField::AccountNumber;
        QTest::newRow("no number comes first")
            << "" << 2e12 << "Please enter the Account Number." << AccountField::AccountNumber;
        QTest::newRow("minimum too large")
            << "12-3456" << 1e12 + 0.01 << "The minimum balance is too large: an amount is at most 1000000000000."
            << AccountField::MinimumBalance;
        QTest::newRow("minimum not a number")
            << "12-3456" << qQNaN() << "The minimum balance is not a number." << AccountField::MinimumBalance;
    }

    void accountProblems()
    {
        QFETCH(QString, number);
        QFETCH(double, minimumBalance);
        QFETCH(QString, problem);
        QFETCH(AccountField, field);
        AccountField at = AccountField::MinimumBalance;
        QCOMPARE(accountProblem(account(number, minimumBalance), &at), problem);
        QCOMPARE(at, field);
        QCOMPARE(accountProblem(account(number, minimumBalance)), problem);
    }
};

QTEST_GUILESS_MAIN(TestRecordRules)
#include "tst_recordrules.moc"
