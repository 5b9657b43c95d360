#include "enddatectrl.h"
#include "flatdatectrl.h"
#include "flatframepainter.h"
#include "guidrawlayer.h"
#include "guitestutil.h"
#include "startdatectrl.h"
#include "testutil.h"

#include <QCalendarWidget>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

using namespace testutil;

namespace {

// A window with the picker and a neighbour to move the mouse to.
struct Bench
{
    QWidget window;
    CFlatDateCtrl *date = new CFlatDateCtrl(&window, 32776);
    QLineEdit *other = new QLineEdit(&window);

    Bench()
    {
        date->setGeometry(10, 10, 140, date->sizeHint().height());
        other->setGeometry(10, 80, 140, 24);
        window.resize(200, 140);
        window.show();
        other->setFocus();
    }
};

// The second ring from the outside: face colour at rest, accent colour when hot or pressed.
QColor ring(CFlatDateCtrl *date)
{
    return pixel(render(date), 1, date->height() / 2);
}

} // namespace

class TestFlatDateCtrl : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        useUsEnglish();
    }

    void hotWhileTheCursorIsOver()
    {
        Bench bench;
        QVERIFY(QTest::qWaitForWindowExposed(&bench.window));
        QCOMPARE(bench.date->drawState(), 0);
        QCOMPARE(ring(bench.date), GuiDrawLayer::GetRGBColorFace());

        QTest::mouseMove(bench.date, QPoint(2, 2));
        QTRY_COMPARE(bench.date->drawState(), 1);
        QCOMPARE(ring(bench.date), GuiDrawLayer::GetRGBCaptionXP());
        // Over the text field inside it still counts as over the picker.
        QTest::mouseMove(bench.date->findChild<QLineEdit *>(), QPoint(5, 5));
        QTest::qWait(40);
        QCOMPARE(bench.date->drawState(), 1);

        QTest::mouseMove(bench.other, QPoint(5, 5));
        QTRY_COMPARE(bench.date->drawState(), 0);
        QCOMPARE(ring(bench.date), GuiDrawLayer::GetRGBColorFace());
    }

    void pressedWhileTheButtonIsDown()
    {
        Bench bench;
        QVERIFY(QTest::qWaitForWindowExposed(&bench.window));
        QLineEdit *field = bench.date->findChild<QLineEdit *>();
        QTest::mouseMove(field, QPoint(5, 5));
        QTRY_COMPARE(bench.date->drawState(), 1);
        QTest::mousePress(field, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(bench.date->drawState(), 2);
        QCOMPARE(pixel(render(bench.date), FlatFramePainter::buttonRect(bench.date).left() + 1, 5),
                 GuiDrawLayer::GetRGBPressBXP());
        QTest::mouseRelease(field, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(bench.date->drawState(), 1);
        QCOMPARE(pixel(render(bench.date), FlatFramePainter::buttonRect(bench.date).left() + 1, 5),
                 GuiDrawLayer::GetRGBFondoXP());
    }

    void buttonOpensTheCalendar()
    {
        Bench bench;
        QVERIFY(QTest::qWaitForWindowExposed(&bench.window));
        bench.date->setDate(QDate(2026, 6, 12));
        const QRect button = FlatFramePainter::buttonRect(bench.date);
        QTest::mouseMove(bench.date, button.center());
        QTest::mouseClick(bench.date, Qt::LeftButton, {}, button.center());
        QWidget *popup = bench.date->calendarWidget()->window();
        QTRY_VERIFY(popup->isVisible());
        QCOMPARE(bench.date->drawState(), 2);

        // Picking a day closes it; the picker is no longer pressed.
        QSignalSpy changed(bench.date, &QDateTimeEdit::dateChanged);
        bench.date->calendarWidget()->setSelectedDate(QDate(2026, 6, 20));
        Q_EMIT bench.date->calendarWidget()->clicked(QDate(2026, 6, 20));
        QTRY_VERIFY(!popup->isVisible());
        QCOMPARE(bench.date->date(), QDate(2026, 6, 20));
        QVERIFY(changed.size() >= 1);
        QVERIFY(bench.date->drawState() != 2);
        QTest::mouseMove(bench.other, QPoint(5, 5));
        QTRY_COMPARE(bench.date->drawState(), 0);
    }

    void fieldSitsInsideTheRings()
    {
        Bench bench;
        QVERIFY(QTest::qWaitForWindowExposed(&bench.window));
        auto *field = bench.date->findChild<QLineEdit *>();
        const QRect expected = FlatFramePainter::editorRect(bench.date->rect(), FlatFramePainter::buttonRect(bench.date));
        QCOMPARE(field->geometry(), expected);
        bench.date->resize(220, bench.date->height());
        QCOMPARE(field->geometry(),
                 FlatFramePainter::editorRect(bench.date->rect(), FlatFramePainter::buttonRect(bench.date)));
        QVERIFY(bench.date->height() >= FlatFramePainter::minimumHeight(bench.date));
    }

    // Enter becomes the control's command and does not close the dialog.
    void enterIsACommand_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("return") << int(Qt::Key_Return);
        QTest::newRow("keypad enter") << int(Qt::Key_Enter);
    }

    void enterIsACommand()
    {
        QFETCH(int, key);
        QDialog dialog;
        auto *date = new CFlatDateCtrl(&dialog, 32777);
        auto *ok = new QPushButton(QStringLiteral("OK"), &dialog);
        ok->setDefault(true);
        QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
        auto *layout = new QVBoxLayout(&dialog);
        layout->addWidget(date);
        layout->addWidget(ok);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        date->setFocus();
        QSignalSpy commands(date, &CFlatDateCtrl::commandTriggered);

        QTest::keyClick(date, Qt::Key(key));
        QCOMPARE(commands.size(), 1);
        QCOMPARE(commands[0][0].toInt(), 32777);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));

        // Other keys still edit the date.
        date->setDate(QDate(2026, 6, 12));
        date->setCurrentSection(QDateTimeEdit::DaySection);
        QTest::keyClick(date, Qt::Key_Up);
        QCOMPARE(date->date(), QDate(2026, 6, 13));
        QCOMPARE(commands.size(), 1);
    }

    void toolbarPickers()
    {
        CStartDateCtrl start;
        CEndDateCtrl end;
        QCOMPARE(start.displayFormat(), QStringLiteral("MMM, dd yyyy"));
        QCOMPARE(end.displayFormat(), QStringLiteral("MMM, dd yyyy"));
        QCOMPARE(start.commandId(), 32776);
        QCOMPARE(end.commandId(), 32777);
        QVERIFY(start.calendarPopup());

        QSignalSpy startChanged(&start, &CStartDateCtrl::startDateChanged);
        QSignalSpy endChanged(&end, &CEndDateCtrl::endDateChanged);
        const QDateTime first(QDate(2026, 2, 1), QTime(0, 0, 0));
        const QDateTime last(QDate(2026, 2, 28), QTime(23, 59, 59));
        start.setDateTime(first);
        end.setDateTime(last);
        QCOMPARE(startChanged.size(), 1);
        QCOMPARE(startChanged[0][0].toDateTime(), first);
        QCOMPARE(endChanged.size(), 1);
        QCOMPARE(endChanged[0][0].toDateTime(), last);
        // The times of day stay with the dates.
        QCOMPARE(start.dateTime(), first);
        QCOMPARE(end.dateTime(), last);
        QCOMPARE(start.text(), QStringLiteral("Feb, 01 2026"));
        QCOMPARE(end.text(), QStringLiteral("Feb, 28 2026"));

        // The user's change reports too, and keeps the time of day.
        start.show();
        start.setFocus();
        start.setCurrentSection(QDateTimeEdit::DaySection);
        QTest::keyClick(&start, Qt::Key_Up);
        QCOMPARE(startChanged.size(), 2);
        QCOMPARE(startChanged[1][0].toDateTime(), QDateTime(QDate(2026, 2, 2), QTime(0, 0, 0)));
        QCOMPARE(end.dateTime().time(), QTime(23, 59, 59));
    }
};

FENNIMAR_GUI_TEST_MAIN(TestFlatDateCtrl)
#include "tst_flatdatectrl.moc"
