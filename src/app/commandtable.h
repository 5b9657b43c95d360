#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

// What a command shows: its menu text, the status-bar prompt, the tool tip and
// its keyboard shortcut.
struct CommandInfo
{
    int id;
    QString text;
    QString prompt;
    QString toolTip;
    QKeySequence shortcut;
};

const QList<CommandInfo> &commandTable();
// The command of an id; an empty entry for an unknown id.
const CommandInfo &commandInfo(int id);

// The menu bar: each menu's title with the ids of its items (0 = separator).
struct MenuInfo
{
    QString title;
    QList<int> items;
};
const QList<MenuInfo> &menuTable();

// The two toolbars: ids in order, 0 for a separator.
const QList<int> &commandToolBarItems();

// The navigation folders: title and (text, icon, command id) items.
struct NavigationItem
{
    QString text;
    int icon;
    int id;
};
struct NavigationFolder
{
    QString title;
    QList<NavigationItem> items;
};
const QList<NavigationFolder> &navigationTable();
