#include "app/undohistory.h"

#include "store/datastore.h"

#include <optional>

namespace {

// A step of the history. The files are written by CUndoHistory before the
// stack moves, so the stack's own calls of undo() and redo() only move it.
class FileChangeCommand : public QUndoCommand
{
public:
    FileChangeCommand(const QString &text, FileSnapshot before, FileSnapshot after)
        : QUndoCommand(text), m_before(std::move(before)), m_after(std::move(after))
    {}

    void undo() override {}
    void redo() override {}

    const FileSnapshot &before() const { return m_before; }
    const FileSnapshot &after() const { return m_after; }

private:
    FileSnapshot m_before;
    FileSnapshot m_after;
};

} // namespace

CUndoHistory::CUndoHistory(CDataStore &store, QObject *parent) : QObject(parent), m_store(store)
{
    connect(&m_stack, &QUndoStack::indexChanged, this, &CUndoHistory::changed);
    connect(&m_stack, &QUndoStack::cleanChanged, this, &CUndoHistory::changed);
}

CUndoHistory::~CUndoHistory()
{
    // The stack clears itself as it goes: no one is told any more.
    blockSignals(true);
    m_stack.blockSignals(true);
}

void CUndoHistory::record(const QString &text, const std::function<QStringList()> &names,
                          const std::function<QStringList()> &change)
{
    // A change of files that exist looks at them and changes them under one
    // lock; one that only makes new files (an add) needs none.
    std::optional<CDataStore::ChangeLock> lock;
    QStringList touched = names();
    if (!touched.isEmpty()) {
        lock.emplace(m_store);
        touched = names();
    }
    FileSnapshot before = m_store.captureFiles(touched);
    const QStringList made = change();
    // A file the change made was not there before it.
    const QStringList newNames = [&] {
        QStringList fresh;
        for (const QString &name : made) {
            if (!name.isEmpty() && !before.contains(name))
                fresh << name;
        }
        return fresh;
    }();
    for (const QString &name : newNames)
        before.insert(name, FileState());
    const FileSnapshot after = m_store.captureFiles(before.keys());
    if (after == before)
        return;
    m_stack.push(new FileChangeCommand(text, std::move(before), after));
}

bool CUndoHistory::apply(bool undo, QString *problem)
{
    const int at = undo ? m_stack.index() - 1 : m_stack.index();
    const auto *step = static_cast<const FileChangeCommand *>(m_stack.command(at));
    if (!step)
        return false;
    const FileSnapshot &from = undo ? step->after() : step->before();
    const FileSnapshot &to = undo ? step->before() : step->after();
    const QString changed = m_store.restoreFiles(from, to);
    if (!changed.isEmpty()) {
        *problem = QStringLiteral("%1 was changed by another program since; \"%2\" is not %3.")
                       .arg(changed, step->text(), undo ? QStringLiteral("undone") : QStringLiteral("redone"));
        return false;
    }
    m_lastFiles = to.keys();
    if (undo)
        m_stack.undo();
    else
        m_stack.redo();
    return true;
}

bool CUndoHistory::undo(QString *problem)
{
    return m_stack.canUndo() && apply(true, problem);
}

bool CUndoHistory::redo(QString *problem)
{
    return m_stack.canRedo() && apply(false, problem);
}

void CUndoHistory::clear()
{
    m_stack.clear();
    m_lastFiles.clear();
    Q_EMIT changed();
}
