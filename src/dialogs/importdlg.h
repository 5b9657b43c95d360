#pragma once

#include "import/statementimport.h"

#include <QDialog>

#include <functional>

class CDataStore;
class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

// "Import Statement": the preview of a statement before it is imported. The
// target account, the CSV mapping or the QIF day order, and a table of every
// candidate with a tick box, its status and its category (editable). Import
// writes exactly the ticked rows, with a progress bar; Cancel while it writes
// stops after the transaction being written, so every file is whole.
class CImportDlg : public QDialog
{
    Q_OBJECT

public:
    enum Column { TickColumn, LineColumn, StatusColumn, DateColumn, SubjectColumn, AmountColumn, CategoryColumn };

    // bytes: the statement file read whole, of that format.
    CImportDlg(CDataStore &store, const QString &fileName, const QByteArray &bytes, StatementFormat format,
               const StatementOptions &options, const QString &accountId, QWidget *parent = nullptr);

    QString accountId() const;
    QTableWidget *table() const { return m_table; }
    QString summary() const;
    // After Import: the keys of the transactions written.
    QStringList writtenKeys() const { return m_written; }

    void done(int result) override;

    // Runs the import's writing, which returns the names of the files it made
    // (the program's history records it as one step that can be undone).
    using Recorder = std::function<void(const std::function<QStringList()> &write)>;
    void setRecorder(Recorder recorder) { m_recorder = std::move(recorder); }

private:
    void readAgain();
    void matchAgain();
    void fillTable();
    void updateSummary();
    void onImport();
    CsvMapping mappingShown() const;

    CDataStore &m_store;
    QByteArray m_bytes;
    StatementFormat m_format;
    StatementOptions m_options;
    StatementRead m_read;
    QList<CandidateStatus> m_status;
    QStringList m_categories; // every name of the category tree
    CategoryTree m_tree;
    QStringList m_written;
    bool m_importing = false;
    bool m_cancelRequested = false;
    bool m_filling = false;
    Recorder m_recorder;

    QComboBox *m_account;
    QLabel *m_found;
    QList<QComboBox *> m_columns; // date, subject, amount, debit, credit, notes, category
    QComboBox *m_dateFormat = nullptr;
    QComboBox *m_decimal = nullptr;
    QComboBox *m_dayOrder = nullptr;
    QCheckBox *m_untickPossible;
    QTableWidget *m_table;
    QLabel *m_summary;
    QProgressBar *m_progress;
    QPushButton *m_import;
    QPushButton *m_cancel;
};
