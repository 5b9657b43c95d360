#include "guicapoutbar.h"
#include "guidrawlayer.h"
#include "guiicons.h"
#include "guiminitool.h"
#include "guitestutil.h"
#include "guitoolbutton.h"

#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

using namespace testutil;

class TestGuiCapOutBar : public QObject
{
    Q_OBJECT

private:
    // The caption bar as the main window sets it up: five view buttons on the right.
    static void addViewButtons(GuiCapOutBar &bar)
    {
        const QStringList tips = {"Accounts", "Transactions", "Plans", "Categories", "Reports"};
        for (int i = 0; i < tips.size(); ++i)
            bar.rightTool()->AddButton(32809 + i, themedIcon(QString(), tips[i].left(1), Qt::darkBlue), QString(),
                                       tips[i]);
    }

private Q_SLOTS:
    void layout()
    {
        QWidget window;
        auto *bar = new GuiCapOutBar(&window);
        auto *below = new QWidget(&window);
        auto *column = new QVBoxLayout(&window);
        column->addWidget(bar);
        column->addWidget(below, 1);
        addViewButtons(*bar);
        window.resize(700, 300);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QCOMPARE(bar->height(), GuiCapOutBar::kHeight);
        QCOMPARE(bar->height(), 32);
        QCOMPARE(bar->width(), window.width() - column->contentsMargins().left() - column->contentsMargins().right());
        // Caption at the left edge, view buttons at the right edge.
        QVERIFY(bar->captionButton()->geometry().left() < 20);
        const QRect last = bar->rightTool()->GetButton(32813)->geometry();
        QVERIFY(bar->rightTool()->mapTo(bar, last.topRight()).x() > bar->width() - 20);
        for (CGuiToolButton *button : bar->rightTool()->buttons())
            QVERIFY(button->height() <= bar->height());
    }

    void clicksBecomeCommands()
    {
        GuiCapOutBar bar;
        addViewButtons(bar);
        bar.resize(600, GuiCapOutBar::kHeight);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        QSignalSpy commands(&bar, &GuiCapOutBar::commandTriggered);

        for (int id : {32811, 32809, 32813})
            QTest::mouseClick(bar.rightTool()->GetButton(id), Qt::LeftButton);
        QTest::mouseClick(bar.captionButton(), Qt::LeftButton);
        QCOMPARE(commands.size(), 4);
        QCOMPARE(commands[0][0].toInt(), 32811);
        QCOMPARE(commands[1][0].toInt(), 32809);
        QCOMPARE(commands[2][0].toInt(), 32813);
        QCOMPARE(commands[3][0].toInt(), GuiCapOutBar::kCaptionButtonId);
        QCOMPARE(bar.rightTool()->GetButton(32812)->toolTip(), QStringLiteral("Categories"));
        QVERIFY(!bar.rightTool()->GetButton(32814));
    }

    void captionFollowsTheView()
    {
        GuiCapOutBar bar;
        bar.resize(600, GuiCapOutBar::kHeight);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        const int before = bar.captionButton()->width();
        bar.setCaption(QStringLiteral("Transactions All"), themedIcon(QString(), QStringLiteral("T"), Qt::darkGreen));
        QCOMPARE(bar.caption(), QStringLiteral("Transactions All"));
        QVERIFY(!bar.captionButton()->icon().isNull());
        QVERIFY(bar.captionButton()->toolTip().isEmpty());
        QCOMPARE(bar.captionButton()->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
        // The button grows to the whole title.
        QTRY_VERIFY(bar.captionButton()->width() > before);
        QVERIFY(bar.captionButton()->width()
                >= bar.captionButton()->fontMetrics().horizontalAdvance(QStringLiteral("Transactions All")));
    }

    void miniToolStrip()
    {
        CGuiMiniTool tool;
        QSignalSpy commands(&tool, &CGuiMiniTool::commandTriggered);
        CGuiToolButton *print = tool.AddButton(57607, QIcon(), QStringLiteral("Print"), QStringLiteral("Print it"));
        CGuiToolButton *help = tool.AddButton(57670, QIcon(), QStringLiteral("Help"));
        QCOMPARE(tool.GetButton(57607), print);
        QCOMPARE(tool.GetButton(57670), help);
        QCOMPARE(tool.buttons(), QList<CGuiToolButton *>({print, help}));
        QCOMPARE(print->commandId(), 57607);
        QCOMPARE(print->iconSize(), QSize(16, 16));
        QCOMPARE(print->toolButtonStyle(), Qt::ToolButtonIconOnly);

        tool.setIconSize(QSize(24, 24));
        tool.setButtonStyle(Qt::ToolButtonTextUnderIcon);
        QCOMPARE(help->iconSize(), QSize(24, 24));
        QCOMPARE(help->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        CGuiToolButton *later = tool.AddButton(1, QIcon());
        QCOMPARE(later->iconSize(), QSize(24, 24));
        QCOMPARE(later->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);

        tool.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tool));
        QTest::mouseClick(help, Qt::LeftButton);
        QTest::mouseClick(print, Qt::LeftButton);
        QCOMPARE(commands.size(), 2);
        QCOMPARE(commands[0][0].toInt(), 57670);
        QCOMPARE(commands[1][0].toInt(), 57607);
        // Keyboard: the focused button answers Space.
        help->setFocus();
        QTest::keyClick(help, Qt::Key_Space);
        QCOMPARE(commands.size(), 3);
        QCOMPARE(commands[2][0].toInt(), 57670);
    }

    // A hovered button is painted in the hot colours, a plain one is not.
    void hotPainting()
    {
        CGuiMiniTool tool;
        // The first button takes the focus, which also shows it hot.
        tool.AddButton(7, QIcon(), QStringLiteral("Go"));
        CGuiToolButton *button = tool.AddButton(8, QIcon(), QStringLiteral("Stop"));
        tool.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tool));
        const QImage before = render(button);
        QTest::mouseMove(button, button->rect().center());
        QTRY_VERIFY(button->underMouse());
        const QImage after = render(button);
        QVERIFY(before != after);
        QCOMPARE(pixel(after, 3, after.height() / 2), GuiDrawLayer::GetRGBFondoXP());
    }
};

QTEST_MAIN(TestGuiCapOutBar)
#include "tst_guicapoutbar.moc"
