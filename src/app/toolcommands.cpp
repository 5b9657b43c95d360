#include "app/toolcommands.h"

#include "app/mainframe.h"
#include "app/midpage.h"
#include "app/undohistory.h"
#include "controls/recordlists.h"
#include "dialogs/changepassworddlg.h"
#include "dialogs/checkbooksdlg.h"
#include "dialogs/preferencedlg.h"
#include "res/images.h"
#include "store/datastore.h"
#include "store/fileio.h"
#include "uiext/helpopener.h"
#include "uiext/messagebox.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The About box: the program's banner; a click closes it.
class AboutDialog : public QDialog
{
public:
    explicit AboutDialog(QWidget *parent) : QDialog(parent)
    {
        setWindowTitle(QStringLiteral("About"));
        auto *banner = new QLabel(this);
        banner->setPixmap(applicationIcon().pixmap(96, 96));
        banner->setAlignment(Qt::AlignCenter);
        auto *text = new QLabel(QStringLiteral("<h2>Fennimar</h2><p>Version %1</p><p>A personal-finance book: "
                                               "accounts, transactions, plans and categories.</p>")
                                    .arg(QCoreApplication::applicationVersion()),
                                this);
        text->setAlignment(Qt::AlignCenter);
        text->setWordWrap(true);
        auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
        buttons->button(QDialogButtonBox::Close)->setObjectName(QStringLiteral("close"));
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::accept);
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(banner);
        layout->addWidget(text);
        layout->addWidget(buttons);
        setFixedSize(320, 300);
    }

protected:
    void mousePressEvent(QMouseEvent *) override { accept(); }
    void keyPressEvent(QKeyEvent *event) override
    {
        QDialog::keyPressEvent(event);
        if (!event->isAccepted() || event->key() == Qt::Key_Space)
            accept();
    }
};

} // namespace

CToolCommands::CToolCommands(CMainFrame &frame) : QObject(&frame), m_frame(frame) {}

const QList<Command<CToolCommands>> &CToolCommands::commands()
{
    using namespace CommandRules;
    using G = CToolCommands;
    static const QList<Command<G>> table = {
        {ID_REFRESH, always, &G::refresh},
        {ID_PREFERENCE, always, &G::preference},
        {ID_CHANGE_PASSWORD, always, &G::changePassword},
        {ID_CHECK_BOOKS, always, &G::checkBooks},
        {ID_SYNCHRONIZE, always, &G::synchronize},
        {ID_HELP_CONTENTS, always, &G::helpContents},
        {ID_APP_ABOUT, always, &G::about},
        {ID_APP_EXIT, always, &G::quit},
    };
    return table;
}

void CToolCommands::showBooksAgain(bool keepSelection)
{
    m_frame.refillAccountSelector(keepSelection);
    m_frame.refreshCurrentView();
}

void CToolCommands::refresh()
{
    // The lists' own order comes back with the books read again.
    CMidPage *page = m_frame.midPage();
    for (CRecordListView *list :
         std::initializer_list<CRecordListView *>{page->accountTransList(), page->planList(), page->allTransList()})
        list->clearSortOrder();
    m_frame.reloadBooks();
    showBooksAgain(true);
}

void CToolCommands::preference()
{
    const QString before = m_frame.store().workDir();
    CPreferenceDlg dialog(before, CPreferenceDlg::kCommandMode, &m_frame);
    if (dialog.exec() != QDialog::Accepted || dialog.workDir() == before)
        return;
    const QString dir = dialog.workDir();
    if (m_frame.services().claimWorkDir && !m_frame.services().claimWorkDir(dir)) {
        showMessage(&m_frame, QStringLiteral("The books of %1 are open in another Fennimar window; it is shown now.")
                                  .arg(QDir::toNativeSeparators(dir)));
        return;
    }
    m_frame.services().writeProfile(dir, 15, 85);
    makePrivateDir(dir);
    // The category tree's edits belong to the folder being left.
    CMidPage *page = m_frame.midPage();
    if (page->currentView() == VIEW_CATEGORIES)
        page->saveCategoryTree();
    page->emptyForNewDirectory();
    m_frame.store().setWorkDir(dir);
    // The steps of the history belong to the folder being left.
    m_frame.undoHistory()->clear();
    m_frame.reloadBooks();
    showBooksAgain(false);
}

void CToolCommands::changePassword()
{
    CChangePasswordDlg(m_frame.store().workDir(), &m_frame).exec();
}

void CToolCommands::checkBooks()
{
    CMidPage *page = m_frame.midPage();
    if (page->currentView() == VIEW_CATEGORIES)
        page->saveCategoryTree();
    CCheckBooksDlg dialog(m_frame.store(), &m_frame);
    dialog.exec();
    if (!dialog.repaired())
        return;
    page->emptyForNewDirectory();
    m_frame.reloadBooks();
    showBooksAgain(true);
}

void CToolCommands::synchronize()
{
    showMessage(&m_frame, QStringLiteral("No handheld synchronisation manager is installed on this system."),
                MessageIcon::Information);
}

void CToolCommands::helpContents()
{
    openHelp(&m_frame);
}

void CToolCommands::about()
{
    AboutDialog(&m_frame).exec();
}

void CToolCommands::quit()
{
    m_frame.close();
}
