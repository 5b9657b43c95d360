#pragma once

#include "import/candidate.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>

// The largest file taken as a statement; a bank's statement is far smaller.
constexpr qint64 kMaxStatementSize = qint64(64) << 20;

// A statement file read whole, or why it is no statement at all (missing,
// empty, too large, binary); then nothing of it is imported.
struct StatementBytes
{
    QByteArray bytes;
    QString error;

    bool ok() const { return error.isEmpty(); }
};
StatementBytes readStatementFile(const QString &path);

// The format a file's suffix names (.csv .txt, .qif, .ofx .qfx); nothing for another.
std::optional<StatementFormat> formatFromSuffix(const QString &path);
// The format the bytes look like: an OFX header or <OFX>, a QIF !Type line, else CSV.
StatementFormat guessFormat(const QByteArray &bytes);
// "csv", "qif", "ofx"; and back (nothing for another name).
QString formatName(StatementFormat format);
std::optional<StatementFormat> formatNamed(const QString &name);

// Text in UTF-8 (with or without a byte order mark) or, when it is not valid
// UTF-8, Windows-1252. *encoding names the one taken, for the user.
QString decodeStatementText(const QByteArray &bytes, QString *encoding = nullptr);

// An amount as statements write it: a sign before or after, or parentheses,
// for a negative one; blanks, apostrophes and the other separator between the
// thousands; a currency symbol or code at either end; the decimal separator
// given. Rounded to cents; nothing, with the reason, for anything that is no
// amount or is beyond what a transaction may hold ("\"abc\" is not an amount").
std::optional<double> parseStatementAmount(QStringView text, QChar decimal, QString *problem = nullptr);

// A date of a format in Qt's notation ("dd.MM.yyyy"); a two-digit year is
// 2000 to 2079, or 1980 to 1999. Invalid when the text is no such date or lies
// outside the years a transaction may hold.
QDate parseStatementDate(const QString &text, const QString &format);
