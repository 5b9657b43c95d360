#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

// One data file at one moment: gone, its bytes, or something that cannot be
// read back (not a regular file, unreadable).
struct FileState
{
    enum Kind { Missing, Bytes, Unusable };
    Kind kind = Missing;
    QByteArray bytes;

    friend bool operator==(const FileState &, const FileState &) = default;
};

// Data files of a working directory by name, as they were at one moment.
using FileSnapshot = QMap<QString, FileState>;

// The record a data file holds, for a message: "the account \"12-3456\"",
// "the transaction \"Groceries\" of 12/6/26", "the plans", "the category tree".
// `state` is the file as this program knows it; a file it cannot decode is
// named by its file name.
QString describeDataFile(const QString &name, const FileState &state);
// The record that differs between two states of a data file, as
// describeDataFile names it; for the plans file the first plan that another
// program added, changed or removed.
QString describeChange(const QString &name, const FileState &expected, const FileState &current);
