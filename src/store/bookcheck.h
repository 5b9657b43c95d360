#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class CDataStore;

// Reads every data file of a working directory and names each one that the
// program cannot use: unreadable, cut short or malformed, empty (a write that
// was interrupted), named otherwise than its record, not a regular file, or a
// record of an account that does not exist.
struct BookProblem
{
    QString name; // the entry in the working directory
    QString reason;
    bool movable = true; // a repair moves it aside
};

struct BookCheck
{
    int accounts = 0;
    int transactions = 0;
    int plans = 0;
    QList<BookProblem> problems;

    bool clean() const { return problems.isEmpty(); }
    bool repairable() const;
    // One line per problem, "name: reason".
    QStringList lines() const;
    // "N accounts, N transactions, N plans: no problems found in DIR", or "N problem(s) found in DIR".
    QString summary(const QString &workDir) const;
};

BookCheck checkBooks(const QString &workDir);

// Where a repair puts what it moves aside: the folder "Damaged" beside the
// working directory.
QString damagedFolder(const QString &workDir);

struct BookRepair
{
    QStringList moved;    // "name -> path in the Damaged folder"
    QStringList failures; // what could not be moved, with the reason
};

// Under the book's lock, moves every movable problem of a fresh check into the
// Damaged folder, never deleting anything. A plan file that does not read whole
// is moved there and its readable plans written back; plans of accounts that
// do not exist are written there as a plan file of their own and taken out of
// the plan file. The settings file is left alone.
BookRepair repairBooks(CDataStore &store);
