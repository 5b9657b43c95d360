#include "dialogs/checkbooksdlg.h"

#include "dialogs/dialogkit.h"
#include "store/datastore.h"
#include "uiext/messagebox.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CCheckBooksDlg::CCheckBooksDlg(CDataStore &store, QWidget *parent)
    : QDialog(parent)
    , m_store(store)
    , m_summary(new QLabel(this))
    , m_lines(new QListWidget(this))
    , m_repair(makeActionButton(QStringLiteral("Repair"), QStringLiteral("repair"), this))
{
    setWindowTitle(QStringLiteral("Check Books"));
    m_summary->setObjectName(QStringLiteral("summary"));
    m_summary->setWordWrap(true);
    m_lines->setObjectName(QStringLiteral("problems"));
    m_lines->setMinimumSize(560, 200);
    m_repair->setToolTip(QStringLiteral("Moves the damaged files into %1; nothing is deleted")
                             .arg(QDir::toNativeSeparators(damagedFolder(store.workDir()))));

    auto *box = new QDialogButtonBox(QDialogButtonBox::Close, this);
    box->addButton(m_repair, QDialogButtonBox::ActionRole);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_repair, &QPushButton::clicked, this, &CCheckBooksDlg::onRepair);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_lines, 1);
    layout->addWidget(box);
    showCheck({});
}

void CCheckBooksDlg::showCheck(const QStringList &before)
{
    m_check = checkBooks(m_store.workDir());
    m_lines->clear();
    m_lines->addItems(before);
    m_lines->addItems(m_check.lines());
    m_summary->setText(m_check.summary(QDir::toNativeSeparators(m_store.workDir())));
    m_repair->setEnabled(m_check.repairable());
}

void CCheckBooksDlg::onRepair()
{
    const QString folder = QDir::toNativeSeparators(damagedFolder(m_store.workDir()));
    const QString question = QStringLiteral("Move the damaged files into %1? Nothing is deleted; what is moved "
                                            "no longer counts in the books.")
                                 .arg(folder);
    if (showMessage(this, question, MessageIcon::Question, MessageButtons::YesNo) != MessageYes)
        return;
    QStringList done;
    try {
        const BookRepair repair = repairBooks(m_store);
        m_repaired = m_repaired || !repair.moved.isEmpty();
        for (const QString &moved : repair.moved)
            done << QStringLiteral("moved ") + moved;
        done << repair.failures;
    } catch (const FileError &e) {
        done << e.message();
    }
    showCheck(done);
}
