// The command registry: a group's table gives each command its rules and its
// handler; the main window's groups cover every command the user can see.

#include "app/commandgroups.h"
#include "app/commandregistry.h"
#include "app/commandtable.h"

#include <QTest>

namespace {

bool onlyInPlanner(const CommandState &s)
{
    return s.view == VIEW_PLANNER;
}

bool statusBarOn(const CommandState &s)
{
    return s.statusBarVisible;
}

// A group of three commands: a plain handler, a handler that takes the id, and
// a checkable one.
struct FakeGroup
{
    static const QList<Command<FakeGroup>> &commands()
    {
        static const QList<Command<FakeGroup>> table = {
            {1, onlyInPlanner, &FakeGroup::plain},
            {2, CommandRules::always, &FakeGroup::withId},
            {3, CommandRules::always, &FakeGroup::withId, statusBarOn},
        };
        return table;
    }
    void plain() { calls << 0; }
    void withId(int id) { calls << id; }

    QList<int> calls;
};

// A group whose table claims id 1 twice.
struct TwiceGroup
{
    static const QList<Command<TwiceGroup>> &commands()
    {
        static const QList<Command<TwiceGroup>> table = {
            {1, CommandRules::always, &TwiceGroup::first},
            {1, onlyInPlanner, &TwiceGroup::second},
        };
        return table;
    }
    void first() { calls << QStringLiteral("first"); }
    void second() { calls << QStringLiteral("second"); }

    QStringList calls;
};

QList<int> shownCommandIds()
{
    QList<int> ids;
    for (const CommandInfo &info : commandTable()) {
        if (!info.text.isEmpty())
            ids << info.id;
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

} // namespace

class TestCommandRegistry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rulesWithoutHandlers()
    {
        CommandRegistry registry;
        registry.addRules<FakeGroup>();
        CommandState planner;
        planner.view = VIEW_PLANNER;
        planner.statusBarVisible = false;
        const CommandState accounts;
        QCOMPARE(registry.ids(), QList<int>({1, 2, 3}));
        QCOMPARE(registry.isEnabled(1, planner), true);
        QCOMPARE(registry.isEnabled(1, accounts), false);
        QCOMPARE(registry.isCheckable(1), false);
        QCOMPARE(registry.isCheckable(3), true);
        QCOMPARE(registry.isChecked(3, accounts), true);
        QCOMPARE(registry.isChecked(3, planner), false);
        // Rules alone run nothing.
        QCOMPARE(registry.run(1), false);
        QVERIFY(registry.handledIds().isEmpty());
    }

    void handlersRunWithTheirIds()
    {
        CommandRegistry registry;
        FakeGroup group;
        registry.add(group);
        QCOMPARE(registry.handledIds(), QList<int>({1, 2, 3}));
        QCOMPARE(registry.run(3), true);
        QCOMPARE(registry.run(1), true);
        QCOMPARE(registry.run(2), true);
        QCOMPARE(group.calls, QList<int>({3, 0, 2}));
        QVERIFY(registry.duplicateIds().isEmpty());
    }

    // An id no group claims: enabled, never checked, nothing runs.
    void anUnknownId()
    {
        CommandRegistry registry;
        FakeGroup group;
        registry.add(group);
        const CommandState state;
        QCOMPARE(registry.isEnabled(99, state), true);
        QCOMPARE(registry.isCheckable(99), false);
        QCOMPARE(registry.isChecked(99, state), false);
        QCOMPARE(registry.run(99), false);
        QVERIFY(group.calls.isEmpty());
    }

    // A second row for one id is noted and does not replace the first.
    void anIdClaimedTwice()
    {
        CommandRegistry registry;
        TwiceGroup group;
        registry.add(group);
        QCOMPARE(registry.duplicateIds(), QList<int>({1}));
        QCOMPARE(registry.isEnabled(1, CommandState()), true);
        registry.run(1);
        QCOMPARE(group.calls, QStringList({"first"}));
    }

    // The main window's groups: each command of the menus, toolbars and
    // navigation bar has rules, and no id is claimed twice.
    void theMainWindowsGroupsCoverTheCommandTable()
    {
        const CommandRegistry &rules = CommandGroups::rules();
        QVERIFY(rules.duplicateIds().isEmpty());
        QCOMPARE(rules.ids(), shownCommandIds());
        // The navigation bar and the toolbars name only commands that exist.
        for (const NavigationFolder &folder : navigationTable()) {
            for (const NavigationItem &item : folder.items)
                QVERIFY2(rules.ids().contains(item.id), qPrintable(item.text));
        }
        for (int id : commandToolBarItems())
            QVERIFY(id == 0 || rules.ids().contains(id));
    }
};

QTEST_GUILESS_MAIN(TestCommandRegistry)
#include "tst_commandregistry.moc"
