#pragma once

#include <QByteArrayView>
#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>

// What one reader made of one input: whether it takes the file as a whole,
// and the first invariant that broke (empty when every one holds).
struct ReaderVerdict
{
    bool accepted = false;
    QString broken;
};

// Each decodes the bytes; what it reads is encoded again and decoded again,
// and must come back as the same values (not always the same bytes: a string
// that Windows-1252 can hold may have been stored in the Unicode form).
ReaderVerdict checkAccountFile(QByteArrayView bytes);
ReaderVerdict checkTransactionFile(QByteArrayView bytes);
ReaderVerdict checkPlanFile(QByteArrayView bytes);
ReaderVerdict checkCategoryFile(QByteArrayView bytes);
// Taken when the bytes are exactly the twelve-colour file that would be written
// for what they hold, as the book check has it.
ReaderVerdict checkChartColourFile(QByteArrayView bytes);
ReaderVerdict checkSettingsFile(QByteArrayView bytes);

using ReaderCheck = ReaderVerdict (*)(QByteArrayView bytes);

struct FuzzedReader
{
    const char *name; // also the name of its corpus folder
    ReaderCheck check;
};

inline constexpr std::array<FuzzedReader, 6> kFuzzedReaders{{
    {"account", checkAccountFile},
    {"transaction", checkTransactionFile},
    {"plans", checkPlanFile},
    {"categories", checkCategoryFile},
    {"chartcolours", checkChartColourFile},
    {"settings", checkSettingsFile},
}};

// The body of a fuzzer: a broken invariant is printed and aborts, so that
// libFuzzer keeps the input.
int fuzzOneInput(ReaderCheck check, const uint8_t *data, size_t size);
