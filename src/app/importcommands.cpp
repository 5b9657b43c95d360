#include "app/importcommands.h"

#include "app/mainframe.h"
#include "app/undohistory.h"
#include "controls/accountcombo.h"
#include "dialogs/importdlg.h"
#include "import/statementfile.h"
#include "import/statementimport.h"
#include "store/datastore.h"
#include "uiext/messagebox.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>

CImportCommands::CImportCommands(CMainFrame &frame) : QObject(&frame), m_frame(frame) {}

const QList<Command<CImportCommands>> &CImportCommands::commands()
{
    using G = CImportCommands;
    static const QList<Command<G>> table = {
        {ID_IMPORT_STATEMENT, CommandRules::always, &G::importStatement},
    };
    return table;
}

void CImportCommands::importStatement()
{
    CDataStore &store = m_frame.store();
    if (store.accounts().isEmpty()) {
        showMessage(&m_frame, QStringLiteral("Add the account the statement belongs to first."),
                    MessageIcon::Information);
        return;
    }
    const QString caption = QStringLiteral("Import Statement");
    const QString filter = QStringLiteral("Bank statements (*.csv *.txt *.qif *.ofx *.qfx);;All files (*)");
    const QString path = m_frame.services().openFileName
                             ? m_frame.services().openFileName(&m_frame, caption, filter)
                             : QFileDialog::getOpenFileName(&m_frame, caption, QString(), filter);
    if (path.isEmpty())
        return;

    const StatementBytes file = readStatementFile(path);
    if (!file.ok()) {
        showMessage(&m_frame, file.error, MessageIcon::Stop);
        return;
    }
    const StatementFormat format = formatFromSuffix(path).value_or(guessFormat(file.bytes));
    StatementOptions options;
    if (format == StatementFormat::Ofx) {
        // A file of several accounts: the user says which one.
        const StatementRead first = readStatement(file.bytes, format, options);
        if (first.needsAccountChoice) {
            bool chosen = false;
            options.ofxAccount = QInputDialog::getItem(&m_frame, caption,
                                                       QStringLiteral("The statement holds several accounts. Import "
                                                                      "the transactions of:"),
                                                       first.ofxAccounts, 0, false, &chosen);
            if (!chosen)
                return;
        }
    }
    const StatementRead read = readStatement(file.bytes, format, options);
    // A CSV file is shown even when its columns are still to be chosen.
    if (!read.error.isEmpty() && (format != StatementFormat::Csv || read.csv.records.isEmpty())) {
        showMessage(&m_frame, QStringLiteral("%1: %2").arg(QFileInfo(path).fileName(), read.error), MessageIcon::Stop);
        return;
    }

    CAccountCombo *selector = m_frame.accountSelector();
    const QString preset = selector->isAccountSelected() ? selector->currentAccountId() : QString();
    CImportDlg dialog(store, QFileInfo(path).fileName(), file.bytes, format, options, preset, &m_frame);
    // One step of the history: Undo takes back every transaction the import wrote.
    dialog.setRecorder([this](const std::function<QStringList()> &write) {
        m_frame.undoHistory()->record(
            QStringLiteral("Import Statement"), [] { return QStringList(); }, write);
    });
    dialog.exec();
    // The lists show the books as they are now, whatever was written.
    m_frame.refreshCurrentView();
}
