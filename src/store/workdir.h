#pragma once

#include <QString>

// Whether a folder holds a book: any data file of a working directory in it
// (accounts, transactions, plans, categories, chart colours, the password file).
bool holdsBook(const QString &dir);

// The working directory for a folder the user chose: the folder itself when it
// holds a book already, else its sub-folder "Fennimar", where a new book goes.
QString workDirFor(const QString &chosen);
