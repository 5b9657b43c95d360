#pragma once

#include <QString>

#include <functional>

// Makes (once) a book of `accounts` accounts with `perAccount` transactions each,
// spread over the two years before 2026-12-01, and `plans` plans. Returns its folder.
QString ensureBenchBook(const QString &dir, int accounts, int perAccount, int plans);

// The median wall time of running work `repeats` times, in milliseconds.
double medianMs(int repeats, const std::function<void()> &work);

// The floor a fill is measured against: listing and reading every transaction
// file of the book once with plain POSIX calls (bench/readfloor.c), with
// `inFlight` reads at a time; milliseconds.
double floorMs(const QString &dir, int inFlight);
