#pragma once

#include "app/commandregistry.h"

#include <QObject>

#include <functional>

class CMainFrame;
class QPoint;
struct TransactionRecord;

// The record commands: each finds the record the user means, asks through a
// dialog or a confirmation, calls one store operation and shows the result.
// Also the lists' double-click and context menus, which lead to them.
class CRecordCommands : public QObject
{
    Q_OBJECT

public:
    explicit CRecordCommands(CMainFrame &frame);

    static const QList<Command<CRecordCommands>> &commands();

    // A double-click on a row of a record list: Modify of that row's record.
    void modifyRow(int row);
    // The context menu of a row of a record list, and of the category tree.
    void showListMenu(int row, const QPoint &globalPos);
    void showCategoryMenu(const QPoint &globalPos);
    // The dialog of a transaction of any account (Find in All Transactions).
    void openTransaction(const QString &key);
    // A category renamed in place in the tree: written as one step.
    void categoryRenamed();

private:
    void accountAdd();
    void accountModify();
    void accountDelete();
    void transactionAdd();
    void transactionModify();
    void transactionDelete();
    void modifyAllAccountsTransaction(const QString &key);
    void planAdd();
    void planModify();
    void planDelete();
    void convertPlan();
    void categoryAdd();
    void categoryModify();
    void categoryDelete();
    // Modify and Delete of the current view's selection.
    void modifySelected();
    void deleteSelected();

    QString selectedPlanKey() const;
    bool editTransaction(const QString &caption, const QString &accountId, bool locked, TransactionRecord &record);
    // Runs a store change as one step of the undo history named `text`: the
    // files it may touch and those it makes (see CUndoHistory::record). A
    // failed write is shown, and the view shows the disk.
    bool storeChange(const QString &text, const std::function<QStringList()> &names,
                     const std::function<QStringList()> &change);
    // A change of the category tree, written at once as one step.
    void categoryChange(const QString &text, const std::function<void()> &apply);

    CMainFrame &m_frame;
};
