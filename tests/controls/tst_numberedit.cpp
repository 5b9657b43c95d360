#include "guitestutil.h"
#include "numberedit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QTest>

#include <optional>

using namespace testutil;

class TestNumberEdit : public QObject
{
    Q_OBJECT

private:
    // A shown, focused edit, so that keys and paste reach it as they do for a user.
    struct Shown
    {
        CNumberEdit edit;
        Shown()
        {
            edit.show();
            edit.activateWindow();
            edit.setFocus();
        }
    };

private Q_SLOTS:
    void typing_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::newRow("two decimals at most") << "12.345" << "12.34";
        QTest::newRow("second point ignored") << "1.2.3" << "1.23";
        QTest::newRow("minus ignored") << "-12" << "12";
        QTest::newRow("plus ignored") << "+7" << "7";
        QTest::newRow("thousands separator ignored") << "1,234" << "1234";
        QTest::newRow("letters ignored") << "a1b2e3" << "123";
        QTest::newRow("blank ignored") << "1 000" << "1000";
        QTest::newRow("leading point") << ".55" << ".55";
        QTest::newRow("point alone") << "." << ".";
        QTest::newRow("one decimal") << "7.5" << "7.5";
        QTest::newRow("long whole part") << "123456789" << "123456789";
    }

    void typing()
    {
        QFETCH(QString, keys);
        QFETCH(QString, text);
        Shown shown;
        QTest::keyClicks(&shown.edit, keys);
        QCOMPARE(shown.edit.text(), text);
    }

    void otherDigitsIgnored()
    {
        Shown shown;
        for (const QString &typed : {QStringLiteral("1"), QStringLiteral("\u0663"), QStringLiteral("\uFF14"),
                                     QStringLiteral("\u00B2")}) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, typed);
            QCoreApplication::sendEvent(&shown.edit, &press);
        }
        QCOMPARE(shown.edit.text(), QStringLiteral("1"));
    }

    void caretPlacesTheDecimals_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::newRow("between 1 and 2") << "12.34" << 1 << "5" << "152.34";
        QTest::newRow("before the point") << "12.34" << 2 << "9" << "129.34";
        QTest::newRow("right after the point") << "12.34" << 3 << "9" << "12.34";
        QTest::newRow("at the end") << "12.34" << 5 << "9" << "12.34";
        QTest::newRow("one decimal, caret at end") << "12.3" << 4 << "45" << "12.34";
        QTest::newRow("at the start") << "12.34" << 0 << "7" << "712.34";
        // A point typed into the digits may leave more decimals: only typing after the point is limited.
        QTest::newRow("point into digits") << "12345" << 1 << "." << "1.2345";
        QTest::newRow("then no more after it") << "12345" << 1 << ".9" << "1.2345";
    }

    void caretPlacesTheDecimals()
    {
        QFETCH(QString, start);
        QFETCH(int, caret);
        QFETCH(QString, keys);
        QFETCH(QString, text);
        Shown shown;
        QTest::keyClicks(&shown.edit, start);
        QCOMPARE(shown.edit.text(), start);
        QTest::keyClick(&shown.edit, Qt::Key_Home);
        for (int i = 0; i < caret; ++i)
            QTest::keyClick(&shown.edit, Qt::Key_Right);
        QCOMPARE(shown.edit.cursorPosition(), caret);
        QTest::keyClicks(&shown.edit, keys);
        QCOMPARE(shown.edit.text(), text);
    }

    void editingKeysWork()
    {
        Shown shown;
        QTest::keyClicks(&shown.edit, "12.34");
        QTest::keyClick(&shown.edit, Qt::Key_Backspace);
        QCOMPARE(shown.edit.text(), QStringLiteral("12.3"));
        QTest::keyClick(&shown.edit, Qt::Key_Home);
        QTest::keyClick(&shown.edit, Qt::Key_Delete);
        QCOMPARE(shown.edit.text(), QStringLiteral("2.3"));
        // The point may go and come back.
        QTest::keyClick(&shown.edit, Qt::Key_Right);
        QTest::keyClick(&shown.edit, Qt::Key_Delete);
        QCOMPARE(shown.edit.text(), QStringLiteral("23"));
        QTest::keyClick(&shown.edit, Qt::Key_End);
        QTest::keyClicks(&shown.edit, ".05");
        QCOMPARE(shown.edit.text(), QStringLiteral("23.05"));
        QTest::keyClick(&shown.edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&shown.edit, Qt::Key_Backspace);
        QCOMPARE(shown.edit.text(), QString());
    }

    void filterRule_data()
    {
        QTest::addColumn<QChar>("c");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("backspace") << QChar(8) << "12.34" << 5 << true;
        QTest::newRow("code 12") << QChar(12) << "12.34" << 5 << true;
        QTest::newRow("carriage return") << QChar(13) << "" << 0 << false;
        QTest::newRow("tab") << QChar(9) << "" << 0 << false;
        QTest::newRow("digit") << QChar(u'0') << "" << 0 << true;
        QTest::newRow("point") << QChar(u'.') << "12" << 2 << true;
        QTest::newRow("second point") << QChar(u'.') << "1.2" << 0 << false;
        QTest::newRow("third decimal") << QChar(u'9') << "1.23" << 4 << false;
        QTest::newRow("second decimal") << QChar(u'9') << "1.2" << 3 << true;
        QTest::newRow("left of the point") << QChar(u'9') << "1.23" << 1 << true;
        QTest::newRow("minus") << QChar(u'-') << "" << 0 << false;
        QTest::newRow("comma") << QChar(u',') << "1" << 1 << false;
    }

    void filterRule()
    {
        QFETCH(QChar, c);
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(bool, accepted);
        QCOMPARE(CNumberEdit::acceptsCharacter(c, text, caret), accepted);
    }

    // Pasted text goes in character by character under the same rule.
    void paste_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caretAfter");
        QTest::newRow("formatted negative amount") << "" << 0 << "-1,234.567x" << "1234.56" << 7;
        QTest::newRow("currency") << "" << 0 << "$12.50" << "12.50" << 5;
        QTest::newRow("second point dropped") << "12.5" << 4 << "3.4" << "12.53" << 5;
        QTest::newRow("digits before the point") << "12.34" << 0 << "99" << "9912.34" << 2;
        QTest::newRow("nothing usable") << "7" << 1 << "abc" << "7" << 1;
        QTest::newRow("line end") << "" << 0 << "12\n34" << "1234" << 4;
    }

    void paste()
    {
        QFETCH(QString, start);
        QFETCH(int, caret);
        QFETCH(QString, clipboard);
        QFETCH(QString, text);
        QFETCH(int, caretAfter);
        Shown shown;
        shown.edit.setText(start);
        shown.edit.setCursorPosition(caret);
        QGuiApplication::clipboard()->setText(clipboard);
        QTest::keyClick(&shown.edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(shown.edit.text(), text);
        QCOMPARE(shown.edit.cursorPosition(), caretAfter);

        // The context menu's paste takes the same road.
        shown.edit.setText(start);
        shown.edit.setCursorPosition(caret);
        shown.edit.paste();
        QCOMPARE(shown.edit.text(), text);
    }

    void pasteOverSelection()
    {
        Shown shown;
        shown.edit.setText(QStringLiteral("12.34"));
        shown.edit.setSelection(3, 2);
        QGuiApplication::clipboard()->setText(QStringLiteral("-5.6789"));
        shown.edit.paste();
        QCOMPARE(shown.edit.text(), QStringLiteral("12.56"));
    }

    void drop()
    {
        Shown shown;
        shown.edit.setText(QStringLiteral("10"));
        auto *data = new QMimeData;
        data->setText(QStringLiteral("-2,5.x5"));
        const QPointF at = shown.edit.rect().center();
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&shown.edit, &enter);
        QDropEvent dropped(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&shown.edit, &dropped);
        QVERIFY(dropped.isAccepted());
        // Dropped past the end of the short text.
        QCOMPARE(shown.edit.text(), QStringLiteral("1025.5"));
        delete data;
    }

    void programmaticText_data()
    {
        QTest::addColumn<QString>("set");
        QTest::addColumn<QString>("text");
        QTest::newRow("formatted") << "1,234.50" << "1234.50";
        QTest::newRow("negative") << "-12.5" << "12.5";
        QTest::newRow("plain") << "99.99" << "99.99";
        QTest::newRow("three decimals") << "1.005" << "1.00";
        QTest::newRow("words") << "twelve" << "";
        QTest::newRow("empty") << "" << "";
    }

    void programmaticText()
    {
        QFETCH(QString, set);
        QFETCH(QString, text);
        CNumberEdit edit;
        edit.setText(set);
        QCOMPARE(edit.text(), text);
        edit.clear();
        edit.insert(set);
        QCOMPARE(edit.text(), text);
    }

    void undoGoesBack()
    {
        Shown shown;
        QTest::keyClicks(&shown.edit, "12.34");
        shown.edit.selectAll();
        QTest::keyClick(&shown.edit, Qt::Key_Delete);
        QCOMPARE(shown.edit.text(), QString());
        shown.edit.undo();
        QCOMPARE(shown.edit.text(), QStringLiteral("12.34"));
    }

    void value_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("has");
        QTest::addColumn<double>("amount");
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("point") << "." << false << 0.0;
        QTest::newRow("whole") << "1234" << true << 1234.0;
        QTest::newRow("decimals") << "1234.56" << true << 1234.56;
        QTest::newRow("trailing point") << "12." << true << 12.0;
        QTest::newRow("leading point") << ".5" << true << 0.5;
        QTest::newRow("zero") << "0.00" << true << 0.0;
    }

    void value()
    {
        QFETCH(QString, text);
        QFETCH(bool, has);
        QFETCH(double, amount);
        // The locale must not change how the amount reads.
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        CNumberEdit edit;
        edit.setText(text);
        const std::optional<double> v = edit.value();
        QCOMPARE(v.has_value(), has);
        if (has)
            QCOMPARE(*v, amount);
        QLocale::setDefault(QLocale::c());
    }

    // Enter is left to the dialog's default button.
    void enterReachesTheDialog()
    {
        QWidget window;
        auto *edit = new CNumberEdit(&window);
        window.show();
        edit->setFocus();
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QCoreApplication::sendEvent(edit, &enter);
        QVERIFY(!enter.isAccepted());
        QCOMPARE(edit->text(), QString());
    }
};

FENNIMAR_GUI_TEST_MAIN(TestNumberEdit)
#include "tst_numberedit.moc"
