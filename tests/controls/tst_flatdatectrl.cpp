#include "controls/enddatectrl.h"
#include "controls/startdatectrl.h"
#include "guitestutil.h"
#include "testutil.h"
#include "uiext/flatframepainter.h"
#include "uiext/guidrawlayer.h"

#include <QCalendarWidget>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

using namespace testutil;

class TestFlatDateCtrl : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useUsEnglish(); }

    // The second ring from the outside shows the face colour at rest and the accent
    // colour when hot; the button goes dark while pressed.
    void looksFollowTheMouse()
    {
        QWidget window;
        auto *date = new CStartDateCtrl(&window);
        date->setGeometry(10, 10, 140, date->sizeHint().height());
        window.resize(200, 140);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QLineEdit *field = date->findChild<QLineEdit *>();
        const auto ring = [date] { return pixel(render(date), 1, date->height() / 2); };
        const auto button = [date] { return pixel(render(date), FlatFramePainter::buttonRect(date).left() + 1, 5); };
        QCOMPARE(ring(), GuiDrawLayer::GetRGBColorFace());
        QTest::mouseMove(date, QPoint(2, 2));
        QTRY_COMPARE(date->drawState(), 1);
        QCOMPARE(ring(), GuiDrawLayer::GetRGBCaptionXP());
        // Over the text field inside it still counts as over the picker.
        QTest::mouseMove(field, QPoint(5, 5));
        QTest::qWait(40);
        QCOMPARE(date->drawState(), 1);
        QTest::mousePress(field, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(date->drawState(), 2);
        QCOMPARE(button(), GuiDrawLayer::GetRGBPressBXP());
        QTest::mouseRelease(field, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(date->drawState(), 1);
        QCOMPARE(button(), GuiDrawLayer::GetRGBFondoXP());
        // Pressed while the calendar is open, not after a day closed it; the day is reported.
        QSignalSpy changed(date, &CStartDateCtrl::startDateChanged);
        QTest::mouseClick(date, Qt::LeftButton, {}, FlatFramePainter::buttonRect(date).center());
        QTRY_VERIFY(date->calendarWidget()->window()->isVisible());
        QCOMPARE(date->drawState(), 2);
        Q_EMIT date->calendarWidget()->clicked(QDate(2026, 2, 1));
        QTRY_VERIFY(!date->calendarWidget()->window()->isVisible());
        QVERIFY(date->drawState() != 2);
        QCOMPARE(changed.size(), 1);
        QCOMPARE(date->text(), QStringLiteral("Feb, 01 2026"));
        QTest::mouseMove(&window, QPoint(100, 100));
        QTRY_COMPARE(date->drawState(), 0);
        QCOMPARE(ring(), GuiDrawLayer::GetRGBColorFace());
    }

    // Enter, keypad's too, becomes the control's command and does not close the dialog.
    void enterIsACommand()
    {
        QDialog dialog;
        auto *date = new CEndDateCtrl(&dialog);
        auto *ok = new QPushButton(QStringLiteral("OK"), &dialog);
        ok->setDefault(true);
        QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
        dialog.show();
        date->setFocus();
        QSignalSpy commands(date, &CFlatDateCtrl::commandTriggered);
        QTest::keyClick(date, Qt::Key_Return);
        QTest::keyClick(date, Qt::Key_Enter);
        QCOMPARE(commands.size(), 2);
        QCOMPARE(commands[1][0].toInt(), 32777);
        QVERIFY(dialog.isVisible());
    }
};

FENNIMAR_GUI_TEST_MAIN(TestFlatDateCtrl)
#include "tst_flatdatectrl.moc"
