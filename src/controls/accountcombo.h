#pragma once

#include "uiext/guicomboboxext.h"

struct AccountCombo;

// The account selector: "All" at index 0, then the accounts as the store
// fills them, each carrying its account id and account number. The field asks
// for the width of its longest account, up to kMaxFieldWidth.
class CAccountCombo : public CGuiComboBoxExt
{
    Q_OBJECT

public:
    static constexpr int kCommandId = 32792;
    static constexpr int kIdRole = Qt::UserRole;
    static constexpr int kNumberRole = Qt::UserRole + 1;
    static constexpr int kMaxFieldWidth = 320;

    explicit CAccountCombo(QWidget *parent = nullptr);

    // Replaces the items with "All" and the store's accounts; the store's
    // selection moves along (index + 1), none when the store selected none.
    void fill(const AccountCombo &accounts);

    // Selects the first account, from index 1 on, whose id equals `id`
    // exactly; index 0 ("All") when none does.
    void selectById(const QString &id);

    // Empty for "All", for no selection and for an index out of range.
    QString accountId(int index) const;
    QString currentAccountId() const;
    QString currentAccountNumber() const;
    // A real account is selected (neither "All" nor nothing).
    bool isAccountSelected() const { return currentIndex() > 0; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    // The user picked an entry (programmatic changes do not report).
    void accountChanged(const QString &accountId);

private:
    // The width the field's text gets in a selector `width` pixels wide.
    int textRoom(int width) const;
};
