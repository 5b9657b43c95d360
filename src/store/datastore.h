#pragma once

#include "store/fileio.h"
#include "store/filesnapshot.h"
#include "store/recordmap.h"
#include "store/recordreader.h"
#include "store/records.h"
#include "store/rowtables.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class RecordCache;

// The record store: accounts, transactions and plans of one working directory,
// held in tables that walk in hash order. Every change goes to its file, durably,
// before the call returns. A change whose file cannot be written throws
// FileError and leaves the tables as they were. Changes that look before they
// write (modify, delete, convert, every plan change) hold the book's lock, so
// other processes of the program never interleave with them; a modify or
// convert of a record that is gone throws FileError (Gone) and writes nothing.
class CDataStore
{
public:
    explicit CDataStore(const QString &workDir = QString());
    ~CDataStore();

    QString workDir() const { return m_workDir; }
    // Takes a new working directory; the tables are emptied.
    void setWorkDir(const QString &workDir);
    QString filePath(const QString &name) const;

    // Receives every data file that a load skips, with the reason.
    using ProblemHandler = std::function<void(const QString &path, const QString &reason)>;
    void setProblemHandler(ProblemHandler handler) { m_problemHandler = std::move(handler); }

    // Keeps what the fills read and reads again only what changed since (a
    // program that shows the same books again and again); off, every fill
    // reads the files afresh. See RecordCache for when a kept file is trusted.
    // watchFolder false: every kept file is checked by its identity at each
    // fill, as where no watch of the folder can be had (a network file system).
    void setCaching(bool on, bool watchFolder = true);
    bool caching() const { return m_cache != nullptr; }

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
    // RowTexts::None leaves each row's column texts empty, for callers that
    // write the row objects their own way (fennimar-cli's tsv).
    enum class RowTexts { Shown, None };
    TransactionTable fillAllTransList(const OleDateTime &from, const OleDateTime &to, RowTexts texts = RowTexts::Shown);
    // The rows of fillAllTransList, problems told the same, for a caller that
    // needs no table afterwards (fennimar-cli): only the period's records are
    // decoded whole, and the tables are left as they are.
    TransactionTable fillAllTransRows(const OleDateTime &from, const OleDateTime &to, RowTexts texts = RowTexts::Shown);

    // Plans (m_mapPlans)
    void loadPlans();
    void savePlans();
    QString addPlan(TransactionRecord record);
    // Plan changes read the plan file again under the lock, unless the plans
    // were loaded under the ChangeLock the caller already holds.
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
    // Why the plan file could not be read whole at the last load; empty when it
    // could (or there is none). While it is set, every plan change is refused.
    QString planFileProblem() const { return m_planProblem; }

    // Category and chart colour files
    void ensureCategoryFile();
    void ensureChartColourFile();

    // Undo and redo: data files by name as they are now, and put back as they
    // were. restoreFiles writes `target` only where every file of `expected`
    // is still as it has it (under the lock), else writes nothing and returns
    // the changed record as describeChange names it; empty when restored. A
    // failed write throws FileError after putting back the files it wrote.
    FileSnapshot captureFiles(const QStringList &names) const;
    QString restoreFiles(const FileSnapshot &expected, const FileSnapshot &target);
    // The names of the account's transaction files.
    QStringList transactionFileNames(const QString &accountId) const;

    // The period bounds every fill uses: the first day at 00:00:01 and the last
    // day at 23:59:59, both exclusive.
    static OleDateTime periodStart(const OleDateTime &from) { return from.atTime(0, 0, 1); }
    static OleDateTime periodEnd(const OleDateTime &to) { return to.atTime(23, 59, 59); }

    const RecordMap<AccountRecord> &accounts() const { return m_mapAccounts; }
    const RecordMap<TransactionRecord> &accountTransactions() const { return m_mapAccountTrans; }
    const RecordMap<TransactionRecord> &allTransactions() const { return m_mapAllTrans; }
    const RecordMap<TransactionRecord> &plans() const { return m_mapPlans; }

    // Holds the book's lock for the scope; nests within one store.
    class ChangeLock
    {
    public:
        explicit ChangeLock(CDataStore &store);
        ~ChangeLock();
        ChangeLock(const ChangeLock &) = delete;
        ChangeLock &operator=(const ChangeLock &) = delete;

    private:
        CDataStore &m_store;
    };

private:
    // Transaction file entries by the account id they begin with, from one listing.
    using TransactionIndex = QHash<QString, QList<DirEntry>>;
    TransactionIndex listTransactionFiles() const;
    // The folder's entries of that extension, kept while the cache trusts them.
    QList<DirEntry> listFiles(const QString &extension) const;
    // The files of every account of m_mapAccounts, in table order, each
    // account's in the listing's order; groupStarts gets where each begins.
    QList<DirEntry> accountsFiles(const TransactionIndex &index, std::vector<qsizetype> &groupStarts) const;
    // Reads record files (or takes them from the cache), results in the entries' order.
    template <typename Record>
    std::vector<RecordRead<Record>> readFiles(const QList<DirEntry> &entries, ReadDepth depth) const;
    // Reports the unusable files among reads [first, last), in order.
    template <typename Record>
    void reportProblems(const QList<DirEntry> &entries, const std::vector<RecordRead<Record>> &reads, size_t first,
                        size_t last) const;
    void loadTransactionFiles(RecordMap<TransactionRecord> &table, const QList<DirEntry> &files);
    void skip(const QString &path, const QString &reason) const;
    // A data file this store wrote, replaced or removed: the cache forgets it.
    void noteChanged(const QString &name, bool namesChanged = true) const;
    void syncCache() const;
    void writePlans(QString path);
    TransactionRow rowFor(const TransactionRecord &record, const QString &accountNumber) const;
    // A row of the plans and all-transactions lists: account number, date, subject, amount.
    ListRow<TransactionRow> recordRow(const TransactionRecord &record, RowTexts texts = RowTexts::Shown) const;
    void modifyTransactionIn(RecordMap<TransactionRecord> &table, const QString &key, const TransactionRecord &record);
    void deleteTransactionIn(RecordMap<TransactionRecord> &table, const QString &key);
    static TransactionRecord lookupIn(const RecordMap<TransactionRecord> &table, const QString &key);
    TransactionTable fillAccountTransList(const OleDateTime &from, const OleDateTime &to, const QString &accountId,
                                          const TransactionIndex &index);

    // Runs a change of m_mapPlans on the plans as the file has them now, under
    // the lock, and saves when the change says it changed something.
    template <typename Change>
    void changePlans(Change change);
    void requirePlansWhole() const;
    QString nextFreeId(const std::function<bool(const QString &)> &taken);

    QString m_workDir;
    ProblemHandler m_problemHandler;
    QString m_lastId;
    QString m_planProblem;
    QString m_planPath; // the plan file the last load found
    bool m_plansLoadedUnderLock = false;
    std::unique_ptr<RecordCache> m_cache;
    // What the last rebuild of m_mapAllTrans came from, so that one from
    // unchanged books gives the same without walking every record again.
    struct AllTransSource
    {
        quint64 generation = 0;
        QStringList accountIds;
        QList<std::pair<QString, QString>> problems; // path, reason
        RecordMap<TransactionRecord> lastAccount;
    };
    std::optional<AllTransSource> m_allTransSource;
    // Brings m_mapAllTrans up to date with the few files changed since source
    // was taken, as a rebuild would; false when only a rebuild can.
    bool patchAllTransactions(AllTransSource &source);
    int m_lockDepth = 0;
    std::unique_ptr<FileLock> m_lock;

    RecordMap<AccountRecord> m_mapAccounts;
    RecordMap<TransactionRecord> m_mapAccountTrans;
    RecordMap<TransactionRecord> m_mapAllTrans;
    RecordMap<TransactionRecord> m_mapPlans;
    RecordMap<TransactionRecord> m_mapAccountPlans;
};
