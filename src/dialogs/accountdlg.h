#pragma once

#include "store/records.h"

#include <QDialog>
#include <QStringList>

class CAmountEdit;
class CNotesEdit;
class QLineEdit;
class QToolButton;

// "Account": edits one account. The picture button opens the icon picker.
// OK refuses an amount that is no number and an empty account number, and
// asks before saving a number that another account has.
class CAccountDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CAccountDlg(QWidget *parent = nullptr);

    void setRecord(const AccountRecord &record);
    // The numbers of the other accounts: OK asks before saving one of them.
    void setOtherNumbers(const QStringList &numbers) { m_otherNumbers = numbers; }
    // After OK, the edited record; the id is the one given.
    AccountRecord record() const { return m_record; }

private:
    void showIcon(int index);
    void onIcon();
    void onOk();

    AccountRecord m_record;
    QStringList m_otherNumbers;
    int m_icon = 0;
    QLineEdit *m_number;
    QLineEdit *m_name;
    QLineEdit *m_bank;
    CAmountEdit *m_minimumBalance;
    CNotesEdit *m_notes;
    QToolButton *m_iconButton;
};
