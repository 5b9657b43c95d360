#pragma once

#include <QDate>
#include <QList>
#include <QString>

// One movement of a bank statement as a reader found it: what would become a
// transaction, or the reason its line or record cannot be read.
struct Candidate
{
    int line = 0; // the line (CSV, QIF) or record (OFX) it starts at, from 1
    QDate date;
    double amount = 0.0; // in cents; income positive, expense negative
    QString subject;
    QString notes;
    QString category; // as the file names it
    QString bankId;   // the bank's own id of the movement (OFX FITID), when given
    QString problem;  // why it cannot be read; empty when it can

    bool readable() const { return problem.isEmpty(); }

    friend bool operator==(const Candidate &, const Candidate &) = default;
};

enum class StatementFormat { Csv, Qif, Ofx };
