#include "guitestutil.h"
#include "uiext/guicapoutbar.h"
#include "uiext/guifolder.h"
#include "uiext/guiminitool.h"
#include "uiext/guioutlook.h"
#include "uiext/guitoolbutton.h"

#include <QScrollBar>
#include <QSignalSpy>

using namespace testutil;

static QList<int> ids(const QSignalSpy &spy)
{
    QList<int> list;
    for (const QList<QVariant> &arguments : spy)
        list << arguments.at(0).toInt();
    return list;
}

// The caption bar, the mini tool strips and the navigation folders: each click,
// or Space on a focused button, becomes its command id.
class TestGuiBars : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void captionBar()
    {
        GuiCapOutBar bar;
        for (int id = 32809; id <= 32813; ++id)
            bar.rightTool()->AddButton(id, QIcon(), QString(), QString::number(id));
        bar.setCaption(QStringLiteral("Transactions All"), QIcon());
        bar.resize(600, GuiCapOutBar::kHeight);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        QSignalSpy commands(&bar, &GuiCapOutBar::commandTriggered);
        for (int id : {32811, 32809, 32813})
            QTest::mouseClick(bar.rightTool()->GetButton(id), Qt::LeftButton);
        QTest::mouseClick(bar.captionButton(), Qt::LeftButton);
        QCOMPARE(ids(commands), QList<int>({32811, 32809, 32813, GuiCapOutBar::kCaptionButtonId}));
        QCOMPARE(bar.caption(), QStringLiteral("Transactions All"));
    }

    void miniTool()
    {
        CGuiMiniTool tool;
        QSignalSpy commands(&tool, &CGuiMiniTool::commandTriggered);
        CGuiToolButton *print = tool.AddButton(57607, QIcon(), QStringLiteral("Print"));
        tool.setIconSize(QSize(24, 24));
        CGuiToolButton *help = tool.AddButton(57670, QIcon(), QStringLiteral("Help"));
        QCOMPARE(print->iconSize(), QSize(24, 24));
        QCOMPARE(help->iconSize(), QSize(24, 24));
        tool.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tool));
        QTest::mouseClick(help, Qt::LeftButton);
        QTest::mouseClick(print, Qt::LeftButton);
        help->setFocus();
        QTest::keyClick(help, Qt::Key_Space);
        QCOMPARE(ids(commands), QList<int>({57670, 57607, 57670}));
    }

    // The arrows of a strip's direction move the focus along it, Enter presses.
    void keyboardInAStrip()
    {
        CGuiMiniTool tool(nullptr, Qt::Vertical);
        QSignalSpy commands(&tool, &CGuiMiniTool::commandTriggered);
        QList<CGuiToolButton *> buttons;
        for (int id : {32809, 32810, 32811})
            buttons << tool.AddButton(id, QIcon(), QString::number(id));
        buttons[1]->setEnabled(false);
        tool.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tool));
        tool.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&tool));
        buttons[0]->setFocus();
        QTest::keyClick(buttons[0], Qt::Key_Down); // over the disabled one
        QVERIFY(buttons[2]->hasFocus());
        QTest::keyClick(buttons[2], Qt::Key_Down); // the end: stays
        QVERIFY(buttons[2]->hasFocus());
        QTest::keyClick(buttons[2], Qt::Key_Right); // across a column: nothing
        QVERIFY(buttons[2]->hasFocus());
        QTest::keyClick(buttons[2], Qt::Key_Return);
        QTest::keyClick(buttons[2], Qt::Key_Up);
        QVERIFY(buttons[0]->hasFocus());
        QTest::keyClick(buttons[0], Qt::Key_Enter);
        QCOMPARE(ids(commands), QList<int>({32811, 32809}));

        // A marked button keeps its mark through a click and paints as pressed.
        buttons[2]->setMarked(true);
        QTest::mouseClick(buttons[2], Qt::LeftButton);
        QVERIFY(buttons[2]->isMarked());
        QVERIFY(!buttons[2]->isChecked());
        const QImage marked = render(buttons[2]);
        buttons[2]->setMarked(false);
        QVERIFY(render(buttons[2]) != marked);
    }

    // One folder is open at a time; a folder with more items than room scrolls.
    void folders()
    {
        CGuiFolder folder;
        const QList<QList<int>> items = {
            {32809, 32810, 32811}, {32781, 32784}, {32814, 32815, 32816, 32817, 32818, 32819}};
        for (const QList<int> &ids : items) {
            auto *panel = new CGuiOutLook;
            for (int id : ids)
                panel->AddItem(id, QString::number(id), QIcon());
            folder.AddFolder(QString::number(ids.first()), panel);
        }
        folder.resize(160, 150);
        folder.show();
        QVERIFY(QTest::qWaitForWindowExposed(&folder));
        QCOMPARE(folder.currentFolder(), 0);
        QSignalSpy changed(&folder, &CGuiFolder::folderChanged);
        QSignalSpy commands(&folder, &CGuiFolder::commandTriggered);
        QTest::mouseClick(folder.panel(0)->item(32811), Qt::LeftButton);
        QTest::mouseClick(folder.titleButton(1), Qt::LeftButton);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(folder.panel(i)->isVisible(), i == 1);
        // Later titles gather at the bottom.
        QVERIFY(folder.titleButton(2)->geometry().top() > folder.panel(1)->geometry().bottom());
        QTest::mouseClick(folder.titleButton(2), Qt::LeftButton);
        QTest::mouseClick(folder.titleButton(2), Qt::LeftButton);
        QCOMPARE(ids(changed), QList<int>({1, 2}));
        CGuiToolButton *last = folder.panel(2)->item(32819);
        QTRY_VERIFY(folder.panel(2)->verticalScrollBar()->maximum() > 0);
        QVERIFY(!clickable(last));
        folder.panel(2)->ensureWidgetVisible(last);
        QTRY_VERIFY(clickable(last));
        QTest::mouseClick(last, Qt::LeftButton);
        QCOMPARE(ids(commands), QList<int>({32811, 32819}));

        // Placed in a layout, the bar asks for room for every title and the tallest panel.
        int titles = 0;
        for (int i = 0; i < 3; ++i)
            titles += folder.titleButton(i)->sizeHint().height();
        QVERIFY(folder.minimumSizeHint().height() >= titles + 6 * last->sizeHint().height());
    }
};

FENNIMAR_GUI_TEST_MAIN(TestGuiBars)
#include "tst_guibars.moc"
