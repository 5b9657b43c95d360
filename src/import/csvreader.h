#pragma once

#include "import/candidate.h"

#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// A CSV statement as found: its records (a quoted field may span lines), the
// delimiter, whether the first record is a header, the encoding.
struct CsvRecord
{
    int line = 0; // where the record starts, from 1
    QStringList fields;
};

struct CsvLayout
{
    QChar delimiter = u',';
    bool header = false;
    QString encoding;
    QStringList columns;      // the header's names, or "Column 1" ...
    QList<CsvRecord> records; // without the header
    int lineCount = 0;

    // "';' delimiter, header row, UTF-8 with BOM": what was detected, for the user.
    QString description() const;
};

// Splits text into records with a delimiter; quotes ("") hold delimiters,
// line breaks and doubled quotes.
QList<CsvRecord> splitCsv(const QString &text, QChar delimiter);
// Finds the delimiter (; , tab |) that splits the lines most evenly, and
// whether the first record names the columns.
CsvLayout readCsvLayout(const QByteArray &bytes);

// Which column (from 0, -1 for none) holds what, and how dates and amounts
// are written. Either an amount column (signed) or debit and/or credit
// columns (magnitudes; a debit is an expense).
struct CsvMapping
{
    int date = -1;
    int subject = -1;
    int amount = -1;
    int debit = -1;
    int credit = -1;
    int notes = -1;
    int category = -1;
    QString dateFormat = QStringLiteral("yyyy-MM-dd");
    QChar decimal = u'.';

    // Why the mapping cannot read a statement of that many columns; empty when it can.
    QString problem(int columnCount) const;
    // "date=1,subject=2,amount=3": the columns from 1, as --map takes them.
    QString columnsText() const;
    // Sets the columns from such a text; false, with the reason, for a bad one.
    bool setColumns(const QString &text, QString *problem = nullptr);

    friend bool operator==(const CsvMapping &, const CsvMapping &) = default;
};

// The date formats offered, most usual first.
QStringList csvDateFormats();
// A mapping from the header's names and the values: the date format that reads
// most dates, a decimal comma when the amounts are written with one.
CsvMapping guessCsvMapping(const CsvLayout &layout);
// The candidates of the records under a mapping, one per record; a record
// that cannot be read carries the reason.
QList<Candidate> csvCandidates(const CsvLayout &layout, const CsvMapping &mapping);
