#pragma once

#include "fuzzreaders.h"

#include <QByteArrayView>

#include <array>

// Each opens the bytes as a file the way the program does, reads them as a
// statement and checks every candidate: its line or record lies within the
// file, a readable one has a storable date and an amount in whole cents
// within the limits, becomes a transaction that is written and read back
// unchanged, and is found again as a duplicate of that transaction.
ReaderVerdict checkCsvStatement(QByteArrayView bytes);
ReaderVerdict checkQifStatement(QByteArrayView bytes);
ReaderVerdict checkOfxStatement(QByteArrayView bytes);

// Taken when the file opens as a statement with at least one movement that
// can be imported.
inline constexpr std::array<FuzzedReader, 3> kFuzzedStatementReaders{{
    {"csv", checkCsvStatement},
    {"qif", checkQifStatement},
    {"ofx", checkOfxStatement},
}};
