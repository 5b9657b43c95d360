#pragma once

#include "app/commandrules.h"

#include <QHash>
#include <QList>

#include <functional>

// One row of a command group's table: the command id, the rule that enables
// it, the group's handler, and for a command with a check mark the rule that
// sets it. A handler may take the id, so that one handler serves a family of
// commands (the exports, the views).
template <typename Group>
struct Command
{
    Command(int commandId, CommandRule enabledRule, void (Group::*handler)(), CommandRule checkedRule = nullptr)
        : id(commandId), enabled(enabledRule), checked(checkedRule), run([handler](Group &g, int) { (g.*handler)(); })
    {}
    Command(int commandId, CommandRule enabledRule, void (Group::*handler)(int), CommandRule checkedRule = nullptr)
        : id(commandId)
        , enabled(enabledRule)
        , checked(checkedRule)
        , run([handler](Group &g, int i) { (g.*handler)(i); })
    {}

    int id;
    CommandRule enabled;
    CommandRule checked;
    std::function<void(Group &, int)> run;
};

// The commands of the main window by id. A group is a class with a static
// table `commands()` of Command rows; addRules takes its rules alone (no
// group object is needed, so the rules are read without a window), add takes
// its rules and binds its handlers to the group given.
class CommandRegistry
{
public:
    template <typename Group>
    void addRules()
    {
        for (const Command<Group> &command : Group::commands())
            insert(command.id, command.enabled, command.checked, {});
    }

    template <typename Group>
    void add(Group &group)
    {
        for (const Command<Group> &command : Group::commands())
            insert(command.id, command.enabled, command.checked,
                   [&group, run = command.run, id = command.id] { run(group, id); });
    }

    // A command without a rule is always enabled and never checked.
    bool isEnabled(int id, const CommandState &state) const;
    bool isCheckable(int id) const;
    bool isChecked(int id, const CommandState &state) const;
    // Runs the command's handler; false when no handler is bound to the id.
    bool run(int id) const;
    // Every id with rules, ascending.
    QList<int> ids() const;
    // Every id with a bound handler, ascending.
    QList<int> handledIds() const;
    // Ids that a second table row claimed; the first row keeps the id.
    QList<int> duplicateIds() const { return m_duplicates; }

private:
    struct Entry
    {
        CommandRule enabled = nullptr;
        CommandRule checked = nullptr;
        std::function<void()> run;
    };
    void insert(int id, CommandRule enabled, CommandRule checked, std::function<void()> run);

    QHash<int, Entry> m_entries;
    QList<int> m_duplicates;
};
