#include "guifolder.h"
#include "guiicons.h"
#include "guioutlook.h"
#include "guitestutil.h"
#include "guitoolbutton.h"

#include <QAbstractButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

using namespace testutil;

namespace {

struct Item
{
    const char *text;
    int id;
};

// The navigation bar of the main window.
const QList<std::pair<const char *, QList<Item>>> kFolders = {
    {"Views",
     {{"Accounts", 32809}, {"Transactions", 32810}, {"Planner", 32811}, {"Categories", 32812}, {"Reports", 32813}}},
    {"Add", {{"Account", 32781}, {"Transaction", 32784}, {"Plan", 32787}}},
    {"Tools", {{"Working Directory", 32799}, {"Password", 32807}, {"Synchronize", 32800}, {"Refresh", 32798}}},
    {"Export",
     {{"Excel", 32814}, {"Word", 32815}, {"HTML", 32816}, {"PDF", 32817}, {"Text", 32818}, {"CSV", 32819}}},
    {"Print", {{"Print", 57607}}},
};

void build(CGuiFolder &folder)
{
    for (const auto &[title, items] : kFolders) {
        auto *panel = new CGuiOutLook;
        for (const Item &item : items)
            panel->AddItem(item.id, QString::fromLatin1(item.text),
                           themedIcon(QString(), QString::fromLatin1(item.text).left(1), Qt::darkCyan));
        folder.AddFolder(QString::fromLatin1(title), panel);
    }
}

} // namespace

class TestGuiFolder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void firstFolderOpens()
    {
        CGuiFolder folder;
        build(folder);
        folder.resize(160, 600);
        folder.show();
        QVERIFY(QTest::qWaitForWindowExposed(&folder));
        QCOMPARE(folder.folderCount(), 5);
        QCOMPARE(folder.currentFolder(), 0);
        QVERIFY(folder.panel(0)->isVisible());
        for (int i = 1; i < 5; ++i)
            QVERIFY(!folder.panel(i)->isVisible());
        QCOMPARE(folder.titleButton(3)->text(), QStringLiteral("Export"));
        // The open panel fills the room between its title and the later titles at the bottom.
        QCOMPARE(folder.titleButton(4)->geometry().bottom(), folder.height() - 1);
        QVERIFY(folder.panel(0)->height() > 300);
        QVERIFY(!folder.panel(5));
    }

    void titleClickOpensItsFolder()
    {
        CGuiFolder folder;
        build(folder);
        folder.resize(160, 600);
        folder.show();
        QVERIFY(QTest::qWaitForWindowExposed(&folder));
        QSignalSpy changed(&folder, &CGuiFolder::folderChanged);

        QTest::mouseClick(folder.titleButton(3), Qt::LeftButton);
        QCOMPARE(folder.currentFolder(), 3);
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed[0][0].toInt(), 3);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(folder.panel(i)->isVisible(), i == 3);
        // Titles before the open folder stay on top, later ones go to the bottom.
        QVERIFY(folder.titleButton(3)->geometry().bottom() < folder.panel(3)->geometry().top());
        QVERIFY(folder.titleButton(4)->geometry().top() > folder.panel(3)->geometry().bottom());

        // Opening the open folder again changes nothing.
        QTest::mouseClick(folder.titleButton(3), Qt::LeftButton);
        QCOMPARE(changed.size(), 1);
        folder.SelectFolder(9);
        QCOMPARE(folder.currentFolder(), 3);
    }

    void itemClicksBecomeCommands()
    {
        CGuiFolder folder;
        build(folder);
        folder.resize(160, 600);
        folder.show();
        QVERIFY(QTest::qWaitForWindowExposed(&folder));
        QSignalSpy commands(&folder, &CGuiFolder::commandTriggered);

        QTest::mouseClick(folder.panel(0)->item(32811), Qt::LeftButton);
        QTest::mouseClick(folder.titleButton(1), Qt::LeftButton);
        QTRY_VERIFY(clickable(folder.panel(1)->item(32784)));
        QTest::mouseClick(folder.panel(1)->item(32784), Qt::LeftButton);
        QCOMPARE(commands.size(), 2);
        QCOMPARE(commands[0][0].toInt(), 32811);
        QCOMPARE(commands[1][0].toInt(), 32784);
    }

    void itemsAsBuilt()
    {
        CGuiFolder folder;
        build(folder);
        for (int f = 0; f < kFolders.size(); ++f) {
            const QList<CGuiToolButton *> items = folder.panel(f)->items();
            QCOMPARE(items.size(), kFolders[f].second.size());
            for (int i = 0; i < items.size(); ++i) {
                QCOMPARE(items[i]->commandId(), kFolders[f].second[i].id);
                QCOMPARE(items[i]->text(), QString::fromLatin1(kFolders[f].second[i].text));
                QVERIFY(items[i]->toolTip().isEmpty());
                QCOMPARE(items[i]->iconSize(), QSize(32, 32));
                QCOMPARE(items[i]->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
            }
        }
    }

    // A folder with more items than room scrolls instead of squeezing them.
    void longFolderScrolls()
    {
        CGuiFolder folder;
        build(folder);
        folder.resize(160, 260);
        folder.SelectFolder(3);
        folder.show();
        QVERIFY(QTest::qWaitForWindowExposed(&folder));
        CGuiOutLook *panel = folder.panel(3);
        CGuiToolButton *last = panel->item(32819);
        QTRY_VERIFY(panel->verticalScrollBar()->maximum() > 0);
        QCOMPARE(last->height(), last->sizeHint().height());
        QVERIFY(!clickable(last));
        panel->ensureWidgetVisible(last);
        QTRY_VERIFY(clickable(last));
        QSignalSpy commands(&folder, &CGuiFolder::commandTriggered);
        QTest::mouseClick(last, Qt::LeftButton);
        QCOMPARE(commands.size(), 1);
        QCOMPARE(commands[0][0].toInt(), 32819);
    }
};

QTEST_MAIN(TestGuiFolder)
#include "tst_guifolder.moc"
