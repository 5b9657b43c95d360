#pragma once

#include "store/rowtables.h"

class CDataStore;

// The one-account transactions list as it is shown: the store's opening row and
// the period's transactions sorted by date, running balances, then the plans
// block when the account has plans.
AccountTransRows buildAccountTransRows(CDataStore &store, const QString &accountId, const OleDateTime &from,
                                       const OleDateTime &to);

// Sorts rows by date, keeping the order of equal ones; rows without data or
// with an invalid date compare equal to every row.
void sortRowsByDate(TransactionTable &rows);

// Running balances over rows [first, last): the first row's balance is its
// amount, every later row adds its amount and shows the balance in column 3.
// Returns the last balance.
double runningBalance(TransactionTable &rows, int first, int last);
