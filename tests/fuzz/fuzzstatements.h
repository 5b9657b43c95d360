#pragma once

#include <QByteArrayView>
#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>

// What one statement reader made of one input: whether the file opens as a
// statement with at least one movement that can be imported, and the first
// invariant that broke (empty when every one holds).
struct StatementVerdict
{
    bool accepted = false;
    QString broken;
};

// Each opens the bytes as a file the way the program does, reads them as a
// statement and checks every candidate: its line or record lies within the
// file, a readable one has a storable date and an amount in whole cents
// within the limits, becomes a transaction that is written and read back
// unchanged, and is found again as a duplicate of that transaction.
StatementVerdict checkCsvStatement(QByteArrayView bytes);
StatementVerdict checkQifStatement(QByteArrayView bytes);
StatementVerdict checkOfxStatement(QByteArrayView bytes);

using StatementCheck = StatementVerdict (*)(QByteArrayView bytes);

struct FuzzedStatementReader
{
    const char *name; // also the name of its corpus folder
    StatementCheck check;
};

inline constexpr std::array<FuzzedStatementReader, 3> kFuzzedStatementReaders{{
    {"csv", checkCsvStatement},
    {"qif", checkQifStatement},
    {"ofx", checkOfxStatement},
}};

// The body of a fuzzer: a broken invariant is printed and aborts, so that
// libFuzzer keeps the input.
int fuzzOneStatement(StatementCheck check, const uint8_t *data, size_t size);
