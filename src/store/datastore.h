#pragma once

#include "fileio.h"
#include "recordmap.h"
#include "records.h"
#include "rowtables.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The record store: accounts, transactions and plans of one working directory,
// held in tables that walk in the original hash order. Every change goes to its
// file before the call returns. A change whose file cannot be written throws
// FileError and leaves the tables as they were.
class CDataStore
{
public:
    explicit CDataStore(const QString &workDir = QString());

    QString workDir() const { return m_workDir; }
    // Takes a new working directory; the tables are emptied.
    void setWorkDir(const QString &workDir);
    QString filePath(const QString &name) const;

    // Receives every data file that a load skips, with the reason.
    using ProblemHandler = std::function<void(const QString &path, const QString &reason)>;
    void setProblemHandler(ProblemHandler handler) { m_problemHandler = std::move(handler); }

    // Refresh and Preference: accounts, transactions, plans, categories, chart colours.
    void LoadAll();
    // When the main window is made: categories, chart colours, accounts.
    void loadAtStartup();
    // A new id: 14 digits of local time and "90", later than every id handed
    // out before in this run.
    QString NewRecordId();

    // Accounts
    void loadAccounts();
    QString addAccount(AccountRecord record);
    void modifyAccount(const AccountRecord &record);
    void deleteAccount(const QString &id);
    AccountRecord lookupAccount(const QString &id) const;
    AccountTable fillAccountList();
    AccountCombo fillAccountCombo(const QString &idToSelect) const;

    // Transactions of one account (m_mapAccountTrans)
    void loadAccountTransactions(const QString &accountId);
    double sumAccountTransactions();
    QString addTransaction(TransactionRecord record);
    void modifyTransaction(const QString &key, const TransactionRecord &record);
    void deleteTransaction(const QString &key);
    void deleteAllTransactions(const QString &accountId);
    TransactionRecord lookupTransaction(const QString &key) const;
    TransactionTable fillAccountTransList(const OleDateTime &from, const OleDateTime &to, const QString &accountId);
    double gatherAccountMovements(const QString &accountId, OleDateTime from, OleDateTime to,
                                  RecordMap<MovementRecord> &out);

    // Transactions of all accounts (m_mapAllTrans)
    void rebuildAllTransactions();
    void modifyAllTransaction(const QString &key, const TransactionRecord &record);
    void deleteAllTransaction(const QString &key);
    TransactionRecord lookupAllTransaction(const QString &key) const;
    TransactionTable fillAllTransList(const OleDateTime &from, const OleDateTime &to);

    // Plans (m_mapPlans)
    void loadPlans();
    void savePlans();
    QString addPlan(TransactionRecord record);
    void modifyPlan(const QString &key, const TransactionRecord &record);
    void deletePlan(const QString &key);
    void deleteAllPlans(const QString &accountId);
    TransactionRecord lookupPlan(const QString &key) const;
    QString convertPlan(const QString &key);
    TransactionTable fillPlansList() const;
    // Appends the account's plans in date order; returns how many.
    int fillAccountPlansList(TransactionTable &list, const QString &accountId);
    // The file that holds the plans, or empty when there is none yet.
    QString planFilePath() const;

    // Category and chart colour files
    void ensureCategoryFile();
    void ensureChartColourFile();

    // The period bounds every fill uses: the first day at 00:00:01 and the last
    // day at 23:59:59, both exclusive.
    static OleDateTime periodStart(const OleDateTime &from) { return from.atTime(0, 0, 1); }
    static OleDateTime periodEnd(const OleDateTime &to) { return to.atTime(23, 59, 59); }

    const RecordMap<AccountRecord> &accounts() const { return m_mapAccounts; }
    const RecordMap<TransactionRecord> &accountTransactions() const { return m_mapAccountTrans; }
    const RecordMap<TransactionRecord> &allTransactions() const { return m_mapAllTrans; }
    const RecordMap<TransactionRecord> &plans() const { return m_mapPlans; }

private:
    // Transaction file names by the account id they begin with, from one listing.
    using TransactionIndex = QHash<QString, QStringList>;
    TransactionIndex listTransactionFiles() const;
    void loadTransactionFiles(RecordMap<TransactionRecord> &table, const QString &accountId,
                              const QStringList &fileNames);
    void skip(const QString &path, const QString &reason) const;
    // A record file read and decoded, or nothing (reported) when it cannot be.
    template <typename Record>
    std::optional<Record> readRecordFile(const QString &name,
                                         std::optional<Record> (*decode)(QByteArrayView, QString *)) const;
    TransactionRow rowFor(const TransactionRecord &record, const QString &accountNumber) const;
    // A row of the plans and all-transactions lists: account number, date, subject, amount.
    ListRow<TransactionRow> recordRow(const TransactionRecord &record) const;
    void modifyTransactionIn(RecordMap<TransactionRecord> &table, const QString &key,
                             const TransactionRecord &record);
    void deleteTransactionIn(RecordMap<TransactionRecord> &table, const QString &key);
    static TransactionRecord lookupIn(const RecordMap<TransactionRecord> &table, const QString &key);
    TransactionTable fillAccountTransList(const OleDateTime &from, const OleDateTime &to, const QString &accountId,
                                          const TransactionIndex &index);

    template <typename Change>
    void changePlans(Change change);
    QString nextFreeId(const std::function<bool(const QString &)> &taken);

    QString m_workDir;
    ProblemHandler m_problemHandler;
    QString m_lastId;

    RecordMap<AccountRecord> m_mapAccounts;
    RecordMap<TransactionRecord> m_mapAccountTrans;
    RecordMap<TransactionRecord> m_mapAllTrans;
    RecordMap<TransactionRecord> m_mapPlans;
    RecordMap<TransactionRecord> m_mapAccountPlans;
};
