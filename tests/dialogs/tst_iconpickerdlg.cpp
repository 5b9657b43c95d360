#include "iconpickerdlg.h"
#include "images.h"
#include "recorddlgtest.h"

#include <QScrollBar>

using namespace testutil;

namespace {

QImage itemPicture(const QListWidgetItem *item)
{
    return item->icon().pixmap(QSize(32, 32), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
}

bool inSight(CIconListCtrl *list, int index)
{
    return list->viewport()->rect().contains(list->visualItemRect(list->item(index)));
}

void click(CIconListCtrl *list, int index, bool twice = false)
{
    clickItem(list, list->model()->index(index, 0), twice);
}

} // namespace

class TestIconPickerDlg : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyPicture()
    {
        CIconListCtrl list;
        list.fill();
        QCOMPARE(list.count(), accountPictureCount());
        QCOMPARE(list.count(), 198);
        QCOMPARE(list.viewMode(), QListView::IconMode);
        QCOMPARE(list.gridSize(), QSize(40, 40));
        QCOMPARE(list.selectionMark(), -1);
        for (int i : {0, 1, 97, 197}) {
            QVERIFY(list.item(i)->text().isEmpty());
            QCOMPARE(itemPicture(list.item(i)), accountPicture(i, 1.0).toImage().convertToFormat(QImage::Format_ARGB32));
        }
        QVERIFY(itemPicture(list.item(0)) != itemPicture(list.item(1)));
        list.fill();
        QCOMPARE(list.count(), 198);
    }

    // Opened on a picture, the picker shows it chosen and in sight; OK
    // without a click gives it back.
    void openedOn_data()
    {
        QTest::addColumn<int>("index");
        QTest::newRow("first") << 0;
        QTest::newRow("middle") << 100;
        QTest::newRow("last") << accountPictureCount() - 1;
    }

    void openedOn()
    {
        QFETCH(int, index);
        CIconPickerDlg picker(index);
        showAndWait(&picker);
        QCOMPARE(picker.windowTitle(), QStringLiteral("Icons"));
        QCOMPARE(picker.list()->selectionMark(), index);
        QVERIFY(picker.list()->item(index)->isSelected());
        QVERIFY(inSight(picker.list(), index));
        if (index == 100) {
            // Brought to the middle, with pictures before and after it in sight.
            const int middle = picker.list()->viewport()->height() / 2;
            QVERIFY(qAbs(picker.list()->visualItemRect(picker.list()->item(index)).center().y() - middle) <= 20);
        }
        QCOMPARE(focusName(), QStringLiteral("icons"));
        press(&picker, "ok");
        QCOMPARE(picker.result(), int(QDialog::Accepted));
        QCOMPARE(picker.selectedIndex(), index);
    }

    // The grid scrolls: the last picture is out of sight when the first is shown.
    void scrolls()
    {
        CIconPickerDlg picker(0);
        showAndWait(&picker);
        QVERIFY(inSight(picker.list(), 0));
        QVERIFY(!inSight(picker.list(), accountPictureCount() - 1));
        QVERIFY(picker.list()->verticalScrollBar()->isVisible());
    }

    // An index the strip has no picture for stays as it is unless one is chosen.
    void outOfRange_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("clicked");
        QTest::addColumn<int>("result");
        QTest::newRow("kept") << 500 << -1 << 500;
        QTest::newRow("negative kept") << -1 << -1 << -1;
        QTest::newRow("replaced") << 500 << 3 << 3;
    }

    void outOfRange()
    {
        QFETCH(int, index);
        QFETCH(int, clicked);
        QFETCH(int, result);
        CIconPickerDlg picker(index);
        showAndWait(&picker);
        QCOMPARE(picker.list()->selectionMark(), -1);
        QVERIFY(picker.list()->selectedItems().isEmpty());
        if (clicked >= 0)
            click(picker.list(), clicked);
        press(&picker, "ok");
        QCOMPARE(picker.selectedIndex(), result);
    }

    void choosing_data()
    {
        QTest::addColumn<int>("clicked");
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("selected");
        QTest::newRow("click, OK") << 7 << "ok" << int(QDialog::Accepted) << 7;
        QTest::newRow("last, OK") << 197 << "ok" << int(QDialog::Accepted) << 197;
        QTest::newRow("double click") << 12 << "double" << int(QDialog::Accepted) << 12;
        QTest::newRow("click, Cancel") << 7 << "cancel" << int(QDialog::Rejected) << 20;
        QTest::newRow("click, Escape") << 7 << "escape" << int(QDialog::Rejected) << 20;
        QTest::newRow("click, Enter") << 9 << "enter" << int(QDialog::Accepted) << 9;
    }

    void choosing()
    {
        QFETCH(int, clicked);
        QFETCH(QString, how);
        QFETCH(int, result);
        QFETCH(int, selected);
        CIconPickerDlg picker(20);
        showAndWait(&picker);
        click(picker.list(), clicked, how == u"double");
        QCOMPARE(picker.list()->selectionMark(), clicked);
        if (how == u"ok" || how == u"cancel")
            press(&picker, qPrintable(how));
        else if (how == u"escape")
            QTest::keyClick(picker.list(), Qt::Key_Escape);
        else if (how == u"enter")
            QTest::keyClick(picker.list(), Qt::Key_Return);
        QVERIFY(!picker.isVisible());
        QCOMPARE(picker.result(), result);
        QCOMPARE(picker.selectedIndex(), selected);
    }

    void arrowKeys()
    {
        CIconPickerDlg picker(20);
        showAndWait(&picker);
        QTest::keyClick(picker.list(), Qt::Key_Right);
        QTest::keyClick(picker.list(), Qt::Key_Right);
        QTest::keyClick(picker.list(), Qt::Key_Left);
        QCOMPARE(picker.list()->selectionMark(), 21);
        QTest::keyClick(picker.list(), Qt::Key_End);
        QCOMPARE(picker.list()->selectionMark(), accountPictureCount() - 1);
        QVERIFY(inSight(picker.list(), accountPictureCount() - 1));
        QTest::keyClick(picker.list(), Qt::Key_Return);
        QCOMPARE(picker.selectedIndex(), accountPictureCount() - 1);
    }

    // The list fills the dialog as it grows.
    void resized()
    {
        CIconPickerDlg picker(0);
        showAndWait(&picker);
        const QSize before = picker.list()->size();
        picker.resize(picker.width() + 200, picker.height() + 120);
        QTRY_COMPARE(picker.list()->size(), before + QSize(200, 120));
    }
};

QTEST_MAIN(TestIconPickerDlg)
#include "tst_iconpickerdlg.moc"
