#include "amountedit.h"
#include "guitestutil.h"
#include "notesedit.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace testutil;

class TestRecordFields : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shortestText_data()
    {
        QTest::addColumn<double>("amount");
        QTest::addColumn<QString>("text");
        QTest::newRow("nothing") << 0.0 << "0";
        QTest::newRow("one decimal") << 25.5 << "25.5";
        QTest::newRow("two decimals") << 1234567.89 << "1234567.89";
        QTest::newRow("sum error hidden") << 0.1 + 0.2 << "0.3";
        QTest::newRow("fifteen digits") << 123456789012.345 << "123456789012.345";
        QTest::newRow("large, no exponent") << 1e15 << "1000000000000000";
        QTest::newRow("tiny, no exponent") << 0.00001 << "0.00001";
        QTest::newRow("negative") << -25.5 << "-25.5";
    }

    void shortestText()
    {
        QFETCH(double, amount);
        QFETCH(QString, text);
        QCOMPARE(CAmountEdit::shortestText(amount), text);
    }

    // What the field shows, and what it gives back untouched and after typing.
    void amount_data()
    {
        QTest::addColumn<double>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("plain") << 25.5 << "25.5";
        QTest::newRow("three decimals") << 25.555 << "25.55";
        QTest::newRow("negative") << -150.75 << "150.75";
        QTest::newRow("large") << 1e15 << "1000000000000000";
    }

    void amount()
    {
        QFETCH(double, stored);
        QFETCH(QString, shown);
        CAmountEdit field(QStringLiteral("amount"));
        field.setAmount(stored);
        QCOMPARE(field.text(), shown);
        QCOMPARE(field.amount(), std::optional<double>(stored));

        field.setFocus();
        field.end(false);
        QTest::keyClick(&field, Qt::Key_Backspace);
        const std::optional<double> typed = field.amount();
        QVERIFY(typed);
        QCOMPARE(*typed, shown.chopped(1).toDouble());
        // Typed back to the text shown, the field gives the stored amount again.
        QTest::keyClicks(&field, shown.right(1));
        QCOMPARE(field.amount(), std::optional<double>(stored));
    }

    void noNumber()
    {
        MessageRecorder messages;
        CAmountEdit field(QStringLiteral("amount"));
        QCOMPARE(field.text(), QStringLiteral("0"));
        field.clear();
        QCOMPARE(field.amount(), std::nullopt);
        QCOMPARE(field.checkedAmount(), std::nullopt);
        QCOMPARE(messages.texts(), QStringList({"Please enter a number."}));
        QCOMPARE(messages.shown[0].icon, MessageIcon::Warning);
        QTest::keyClicks(&field, QStringLiteral("-1.5e3"));
        QCOMPARE(field.text(), QStringLiteral("1.53"));
        QCOMPARE(field.checkedAmount(), std::optional<double>(1.53));
        QCOMPARE(messages.shown.size(), 1);
    }

    void notInfinity()
    {
        CAmountEdit field(QStringLiteral("amount"));
        field.setText(QString(400, u'9'));
        QCOMPARE(field.amount(), std::nullopt);
        field.setAmount(std::numeric_limits<double>::infinity());
        QVERIFY(std::isinf(*field.amount()));
    }

    // Notes come back byte for byte when untouched; typed lines end in CR LF.
    void notes_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("CR LF") << "a\r\nb\r\n" << "a\nb\n";
        QTest::newRow("LF only") << "a\nb" << "a\nb";
        QTest::newRow("one line") << "plain" << "plain";
        QTest::newRow("empty") << "" << "";
    }

    void notes()
    {
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        CNotesEdit field;
        field.setNotes(stored);
        QCOMPARE(field.toPlainText(), shown);
        QCOMPARE(field.notes(), stored);
        field.moveCursor(QTextCursor::End);
        QTest::keyClick(&field, Qt::Key_Return);
        QTest::keyClicks(&field, QStringLiteral("z"));
        QCOMPARE(field.notes(), QString(shown + QStringLiteral("\nz")).replace(u'\n', QStringLiteral("\r\n")));
    }
};

QTEST_MAIN(TestRecordFields)
#include "tst_recordfields.moc"
