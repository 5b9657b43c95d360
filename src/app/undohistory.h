#pragma once

#include "store/filesnapshot.h"

#include <QObject>
#include <QStringList>
#include <QUndoStack>

#include <functional>

class CDataStore;

// The changes of the books made in this session, as steps that can be undone
// and redone. A step keeps every data file it touched as it was before and as
// the change left it; undo writes the files back byte for byte (so the same
// names, keys and ids), redo writes the change again. A step whose files
// another program changed since is not undone: the history stays where it is.
class CUndoHistory : public QObject
{
    Q_OBJECT

public:
    explicit CUndoHistory(CDataStore &store, QObject *parent = nullptr);
    ~CUndoHistory() override;

    // Runs a change of the books as one step named `text`: `names` gives the
    // files it may touch (asked again under the book's lock, which the change
    // runs under when there are any), the change returns the names of files
    // it made. A change that throws, or that left every file as it was, is no
    // step.
    void record(const QString &text, const std::function<QStringList()> &names,
                const std::function<QStringList()> &change);

    bool canUndo() const { return m_stack.canUndo(); }
    bool canRedo() const { return m_stack.canRedo(); }
    QString undoText() const { return m_stack.undoText(); }
    QString redoText() const { return m_stack.redoText(); }
    int count() const { return m_stack.count(); }
    int index() const { return m_stack.index(); }

    // Undoes (redoes) the step. False, writing nothing, when a file of the step
    // is no longer as the step left it; *problem names the record. Throws
    // FileError when a write fails (the files are then as before the call).
    bool undo(QString *problem);
    bool redo(QString *problem);
    // The files the last undo or redo wrote.
    QStringList lastFiles() const { return m_lastFiles; }

    // Forgets every step (a new working directory).
    void clear();

Q_SIGNALS:
    void changed();

private:
    bool apply(bool undo, QString *problem);

    CDataStore &m_store;
    QUndoStack m_stack;
    QStringList m_lastFiles;
};
