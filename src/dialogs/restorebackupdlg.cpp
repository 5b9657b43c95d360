#include "dialogs/restorebackupdlg.h"

#include "store/fileio.h"
#include "uiext/messagebox.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

CRestoreBackupDlg::CRestoreBackupDlg(const QString &workDir, QWidget *parent)
    : QDialog(parent), m_workDir(workDir), m_backups(listBackups(workDir))
{
    setWindowTitle(QStringLiteral("Restore Backup"));
    auto *intro =
        new QLabel(QStringLiteral("Backups of %1 in %2. A backup is restored into a new folder; the "
                                  "books you have now stay as they are.")
                       .arg(QDir::toNativeSeparators(workDir), QDir::toNativeSeparators(backupFolder(workDir))),
                   this);
    intro->setWordWrap(true);

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("backups"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels(
        {QStringLiteral("Date"), QStringLiteral("Accounts"), QStringLiteral("Transactions"), QStringLiteral("Plans")});
    for (const BackupInfo &b : m_backups) {
        const bool readable = b.files >= 0;
        auto *item = new QTreeWidgetItem(m_list, {QLocale().toString(b.date, QLocale::LongFormat),
                                                  readable ? QString::number(b.accounts) : QStringLiteral("damaged"),
                                                  readable ? QString::number(b.transactions) : QString(),
                                                  readable ? QString::number(b.plans) : QString()});
        for (int column = 1; column < 4; ++column)
            item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
        item->setDisabled(!readable);
    }
    m_list->header()->setSectionResizeMode(0, QHeaderView::Stretch);

    auto *targetLabel = new QLabel(QStringLiteral("Restore &into:"), this);
    m_target = new QLineEdit(this);
    m_target->setObjectName(QStringLiteral("target"));
    targetLabel->setBuddy(m_target);
    auto *browse = new QPushButton(QStringLiteral("&Browse..."), this);
    browse->setObjectName(QStringLiteral("browse"));
    auto *row = new QHBoxLayout;
    row->addWidget(targetLabel);
    row->addWidget(m_target, 1);
    row->addWidget(browse);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *restore = buttons->addButton(QStringLiteral("&Restore"), QDialogButtonBox::AcceptRole);
    restore->setObjectName(QStringLiteral("restore"));
    QPushButton *close = buttons->addButton(QDialogButtonBox::Close);
    close->setObjectName(QStringLiteral("close"));
    restore->setEnabled(false);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(m_list, 1);
    layout->addLayout(row);
    layout->addWidget(buttons);
    resize(560, 380);

    connect(m_list, &QTreeWidget::currentItemChanged, this, [this, restore] {
        restore->setEnabled(m_list->currentItem() && !m_list->currentItem()->isDisabled());
        onSelection();
    });
    connect(browse, &QPushButton::clicked, this, &CRestoreBackupDlg::onBrowse);
    connect(restore, &QPushButton::clicked, this, &CRestoreBackupDlg::onRestore);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
}

QString CRestoreBackupDlg::suggestedFolder(const QString &workDir, const QDate &day)
{
    const QFileInfo info(QDir::cleanPath(QDir(workDir).absolutePath()));
    const QString stem = QStringLiteral("%1 restored %2").arg(info.fileName(), day.toString(Qt::ISODate));
    const QDir parent(info.absolutePath());
    QString candidate = parent.filePath(stem);
    for (int n = 2; entryType(candidate) != EntryType::Missing; ++n)
        candidate = parent.filePath(QStringLiteral("%1 (%2)").arg(stem).arg(n));
    return candidate;
}

void CRestoreBackupDlg::onSelection()
{
    const int row = m_list->currentItem() ? m_list->indexOfTopLevelItem(m_list->currentItem()) : -1;
    if (row >= 0)
        m_target->setText(suggestedFolder(m_workDir, m_backups[row].date));
}

void CRestoreBackupDlg::onBrowse()
{
    const QString parent = QFileDialog::getExistingDirectory(this, QStringLiteral("Restore into a folder in"),
                                                             QFileInfo(m_target->text()).absolutePath());
    if (!parent.isEmpty())
        m_target->setText(QDir(parent).filePath(QFileInfo(m_target->text()).fileName()));
}

void CRestoreBackupDlg::onRestore()
{
    const int row = m_list->currentItem() ? m_list->indexOfTopLevelItem(m_list->currentItem()) : -1;
    const QString target = m_target->text().trimmed();
    if (row < 0 || target.isEmpty())
        return;
    const QString folder = QDir(target).absolutePath();
    // The books of the working directory are never written over.
    if (QDir::cleanPath(folder) == QDir::cleanPath(QDir(m_workDir).absolutePath())) {
        showMessage(this, QStringLiteral("A backup is restored into a new folder, not over the books."),
                    MessageIcon::Stop);
        return;
    }
    int files = 0;
    try {
        files = restoreBackup(m_backups[row].path, folder);
    } catch (const FileError &e) {
        showMessage(this, e.message(), MessageIcon::Stop);
        return;
    }
    const QString question = QStringLiteral("The backup of %1 (%2 files) is restored into %3.\n\nOpen those books now?")
                                 .arg(QLocale().toString(m_backups[row].date, QLocale::LongFormat))
                                 .arg(files)
                                 .arg(QDir::toNativeSeparators(folder));
    if (showMessage(this, question, MessageIcon::Question, MessageButtons::YesNo) == MessageYes)
        m_open = folder;
    accept();
}
