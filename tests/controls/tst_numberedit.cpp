#include "controls/numberedit.h"
#include "guitestutil.h"

#include <QClipboard>
#include <QKeyEvent>

using namespace testutil;

class TestNumberEdit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    // `input` typed, pasted or inserted over `selected` characters from `caret` of `start` goes in
    // character by character under the typing rule; the amount reads alike in any locale.
    void entry_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("caret");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("amount"); // -1: none
        QTest::newRow("two decimals at most") << "" << 0 << 0 << "type"
                                              << "12.345"
                                              << "12.34" << 12.34;
        QTest::newRow("second point, minus, others") << "" << 0 << 0 << "type"
                                                     << "-1.2.a 3,"
                                                     << "1.23" << 1.23;
        QTest::newRow("caret between 1 and 2") << "12.34" << 1 << 0 << "type"
                                               << "5"
                                               << "152.34" << 152.34;
        // Typing over a selection: each rule looks at the text the key would leave.
        QTest::newRow("typed over the whole amount") << "84.37" << 0 << 5 << "type"
                                                     << "94.37"
                                                     << "94.37" << 94.37;
        QTest::newRow("typed over the decimals") << "84.37" << 3 << 2 << "type"
                                                 << "1295"
                                                 << "84.12" << 84.12;
        QTest::newRow("point typed over the point") << "84.37" << 2 << 2 << "type"
                                                    << ".5"
                                                    << "84.57" << 84.57;
        QTest::newRow("point typed over digits") << "84.37" << 0 << 1 << "type"
                                                 << "."
                                                 << "84.37" << 84.37;
        QTest::newRow("minus typed over the amount") << "84.37" << 0 << 5 << "type"
                                                     << "-"
                                                     << "84.37" << 84.37;
        // Only typing after the point is limited: a point typed into digits may leave more.
        QTest::newRow("point into digits") << "12345" << 1 << 0 << "type"
                                           << ".9"
                                           << "1.2345" << 1.2345;
        QTest::newRow("point alone") << "" << 0 << 0 << "type"
                                     << "."
                                     << "." << -1.0;
        QTest::newRow("other scripts' digits") << "" << 0 << 0 << "type"
                                               << "1\u0663\uFF14\u00B22"
                                               << "12" << 12.0;
        QTest::newRow("pasted negative amount") << "" << 0 << 0 << "paste"
                                                << "-1,234.567x"
                                                << "1234.56" << 1234.56;
        QTest::newRow("pasted second point") << "12.5" << 4 << 0 << "paste"
                                             << "3.4"
                                             << "12.53" << 12.53;
        QTest::newRow("pasted over the decimals") << "12.34" << 3 << 2 << "paste"
                                                  << "-5.6789"
                                                  << "12.56" << 12.56;
        QTest::newRow("inserted") << "7" << 0 << 0 << "insert"
                                  << "-1,2"
                                  << "127" << 127.0;
    }

    void entry()
    {
        QFETCH(QString, start);
        QFETCH(int, caret);
        QFETCH(int, selected);
        QFETCH(QString, way);
        QFETCH(QString, input);
        QFETCH(QString, text);
        QFETCH(double, amount);
        CNumberEdit edit;
        edit.show();
        edit.setFocus();
        QTest::keyClicks(&edit, start);
        edit.setSelection(caret, selected);
        for (QChar typed : way == "type" ? input : QString()) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, typed);
            QCoreApplication::sendEvent(&edit, &press);
        }
        QGuiApplication::clipboard()->setText(input);
        if (way == "paste")
            QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
        if (way == "insert")
            edit.insert(input);
        QCOMPARE(edit.text(), text);
        QCOMPARE(edit.cursorPosition(), caret + text.size() - (start.size() - selected));
        QCOMPARE(edit.value().value_or(-1), amount);
    }
};

FENNIMAR_GUI_TEST_MAIN(TestNumberEdit)
#include "tst_numberedit.moc"
