#include "dialogs/preferencedlg.h"

#include "dialogs/colorsettingsdlg.h"
#include "dialogs/dialogkit.h"
#include "res/stringtable.h"
#include "store/workdir.h"
#include "uiext/helpopener.h"
#include "uiext/messagebox.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

namespace {

CPreferenceDlg::FolderPicker &currentPicker()
{
    static CPreferenceDlg::FolderPicker picker;
    return picker;
}

} // namespace

CPreferenceDlg::CPreferenceDlg(const QString &workDir, int mode, QWidget *parent)
    : QDialog(parent)
    , m_mode(mode)
    , m_directory(mode == kStartUpMode ? QString() : workDir)
    , m_workDir(workDir)
    , m_field(makeLineEdit(QStringLiteral("directory"), false, this))
{
    setWindowTitle(QStringLiteral("Preference"));
    setBackground(this, Qt::white);

    m_field->setReadOnly(true);
    m_field->setMinimumWidth(320);
    m_field->setText(QDir::toNativeSeparators(m_directory));

    auto *help = makeActionButton(QStringLiteral("Help"), QStringLiteral("help"), this);
    auto *change = makeActionButton(QStringLiteral("Change"), QStringLiteral("change"), this);
    m_change = change;
    auto *color = makeActionButton(QStringLiteral("Color"), QStringLiteral("color"), this);
    connect(help, &QPushButton::clicked, this, [this] { openHelp(this); });
    connect(change, &QPushButton::clicked, this, &CPreferenceDlg::onChange);
    connect(color, &QPushButton::clicked, this, &CPreferenceDlg::onColor);

    auto *grid = new QGridLayout;
    grid->addWidget(makeLabel(QStringLiteral("Current Working Directory"), m_field, this), 0, 0, 1, 2);
    grid->addWidget(m_field, 1, 0);
    grid->addWidget(change, 1, 1);
    grid->setRowMinimumHeight(2, 10);
    grid->addWidget(makeLabel(QStringLiteral("Graph Color Settings"), color, this), 3, 0);
    grid->addWidget(color, 3, 1);
    grid->setColumnStretch(0, 1);

    const DialogButtons buttons = makeDialogButtons(this);
    buttons.box->addButton(help, QDialogButtonBox::HelpRole);
    connect(buttons.ok, &QPushButton::clicked, this, &CPreferenceDlg::onOk);

    auto *layout = new QVBoxLayout(this);
    if (mode == kStartUpMode) {
        auto *purpose = new QLabel(QStringLiteral("Choose the folder where Fennimar keeps your books."), this);
        purpose->setObjectName(QStringLiteral("purpose"));
        layout->addWidget(purpose);
        layout->addSpacing(6);
    }
    layout->addLayout(grid);
    layout->addSpacing(10);
    layout->addWidget(buttons.box);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setTabChain({m_field, change, color, buttons.ok, buttons.cancel, help});
    change->setFocus();
}

CPreferenceDlg::FolderPicker CPreferenceDlg::setFolderPicker(FolderPicker picker)
{
    return std::exchange(currentPicker(), std::move(picker));
}

void CPreferenceDlg::onChange()
{
    const QString title = QStringLiteral("Pick a Directory");
    const FolderPicker &picker = currentPicker();
    const QString picked = picker ? picker(this, title) : QFileDialog::getExistingDirectory(this, title);
    if (picked.isEmpty())
        return;

    m_directory = QDir::cleanPath(QDir::fromNativeSeparators(picked));
    m_field->setText(QDir::toNativeSeparators(m_directory));
    const QFileInfo folder(m_directory);
    if (folder.exists() && folder.isDir()) {
        m_workDir = workDirFor(m_directory);
        return;
    }
    showMessage(this, LoadText(IDS_DIR_NOT_FOUND));
    m_directory.clear();
    m_field->clear();
}

void CPreferenceDlg::onColor()
{
    CColorSettingsDlg colours(m_workDir, this);
    colours.exec();
}

void CPreferenceDlg::onOk()
{
    if (m_directory.isEmpty() && m_mode == kStartUpMode) {
        showMessage(this, QStringLiteral("Please choose a folder for the books first."));
        m_change->setFocus();
        return;
    }
    if (m_directory.isEmpty()) {
        reject();
        return;
    }
    m_directory = QDir::fromNativeSeparators(m_field->text());
    accept();
}
