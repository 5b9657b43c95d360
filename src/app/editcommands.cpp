#include "app/editcommands.h"

#include "app/commandtable.h"
#include "app/listfilter.h"
#include "app/mainframe.h"
#include "app/midpage.h"
#include "app/undohistory.h"
#include "controls/categorytreectrl.h"
#include "dialogs/finddlg.h"
#include "store/datastore.h"
#include "store/filenames.h"
#include "store/search.h"
#include "uiext/messagebox.h"

#include <QAction>
#include <QLineEdit>

namespace {

bool undoable(const CommandState &s)
{
    return s.canUndo;
}

bool redoable(const CommandState &s)
{
    return s.canRedo;
}

} // namespace

CEditCommands::CEditCommands(CMainFrame &frame) : QObject(&frame), m_frame(frame) {}

const QList<Command<CEditCommands>> &CEditCommands::commands()
{
    using namespace CommandRules;
    using G = CEditCommands;
    static const QList<Command<G>> table = {
        {ID_EDIT_UNDO, undoable, &G::undo},
        {ID_EDIT_REDO, redoable, &G::redo},
        {ID_EDIT_FIND, always, &G::focusSearch},
        {ID_FIND_ALL, always, &G::findAll},
    };
    return table;
}

void CEditCommands::updateTexts()
{
    const CUndoHistory *history = m_frame.undoHistory();
    const auto name = [](int id, const QString &step) {
        const QString plain = commandInfo(id).text.section(u'\t', 0, 0);
        return step.isEmpty() ? plain : QStringLiteral("%1 %2").arg(plain, step);
    };
    if (QAction *undo = m_frame.action(ID_EDIT_UNDO)) {
        undo->setText(name(ID_EDIT_UNDO, history->undoText()));
        undo->setToolTip(undo->text().remove(u'&'));
    }
    if (QAction *redo = m_frame.action(ID_EDIT_REDO)) {
        redo->setText(name(ID_EDIT_REDO, history->redoText()));
        redo->setToolTip(redo->text().remove(u'&'));
    }
}

void CEditCommands::undo()
{
    step(&CUndoHistory::undo);
}

void CEditCommands::redo()
{
    step(&CUndoHistory::redo);
}

void CEditCommands::step(bool (CUndoHistory::*move)(QString *))
{
    QString problem;
    try {
        if (!(m_frame.undoHistory()->*move)(&problem)) {
            if (!problem.isEmpty())
                showMessage(&m_frame, problem, MessageIcon::Stop);
            return;
        }
    } catch (const FileError &e) {
        showMessage(&m_frame, e.message(), MessageIcon::Stop);
        return;
    }
    showRestored();
}

void CEditCommands::showRestored()
{
    // The tree shows the file as it is now, unsaved: leaving the view must not write it back.
    if (m_frame.undoHistory()->lastFiles().contains(kCategoryFileName))
        m_frame.midPage()->categoryTree()->clear();
    m_frame.reloadBooks();
    m_frame.refillAccountSelector(true);
    m_frame.refreshCurrentView();
}

void CEditCommands::focusSearch()
{
    m_frame.searchField()->setFocus(Qt::ShortcutFocusReason);
    m_frame.searchField()->selectAll();
}

void CEditCommands::filterList()
{
    filterVisibleList(*m_frame.midPage(), m_frame.store(), SearchQuery(m_frame.searchField()->text()));
}

void CEditCommands::findAll()
{
    CFindDlg dialog(m_frame.store(), &m_frame);
    dialog.setText(m_frame.searchField()->text());
    if (!m_frame.searchField()->text().trimmed().isEmpty())
        dialog.search();
    connect(&dialog, &CFindDlg::openRecord, this, [this, &dialog](const QString &key) {
        m_frame.openTransaction(key);
        dialog.search(); // the record may no longer match, or be gone
    });
    m_findDialog = &dialog;
    dialog.exec();
    m_findDialog = nullptr;
}
