#pragma once

#include "store/records.h"

#include <QDialog>

class CAmountEdit;
class CDataStore;
class CFlatDateCtrl;
class CGuiComboBoxExt;
class CNotesEdit;
class QLineEdit;
class QRadioButton;

// "Transaction" or "Plan": edits one money movement. The amount is typed as a
// magnitude with Income or Expense beside it; the record holds it signed.
// The account selector lists the store's accounts; its items are let go
// whenever the dialog closes.
class CTransactionDlg : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kIdRole = Qt::UserRole;
    static constexpr int kNumberRole = Qt::UserRole + 1;

    explicit CTransactionDlg(CDataStore &store, QWidget *parent = nullptr);

    void setCaption(const QString &caption);
    // When modifying: the selector is disabled and the account stays.
    void setAccountLocked(bool locked);
    void setAccountId(const QString &id);
    void setRecord(const TransactionRecord &record);

    // After OK: the account chosen (the one given when none could be).
    QString accountId() const { return m_accountId; }
    // After OK: the record edited; key and spare as given.
    TransactionRecord record() const { return m_record; }

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void fillAccounts();
    void releaseAccounts();
    void showRecord();
    void showKind(bool income);
    void onBrowse();
    void onOk();

    CDataStore &m_store;
    bool m_locked = false;
    QString m_accountId;
    TransactionRecord m_record;
    bool m_shownIncome = true;
    bool m_released = false;

    CGuiComboBoxExt *m_account;
    CFlatDateCtrl *m_date;
    QLineEdit *m_subject;
    CAmountEdit *m_amount;
    QRadioButton *m_income;
    QRadioButton *m_expense;
    QLineEdit *m_category;
    CNotesEdit *m_notes;
};
