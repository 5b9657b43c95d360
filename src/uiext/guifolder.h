#pragma once

#include <QList>
#include <QWidget>

class CGuiOutLook;
class QAbstractButton;
class QVBoxLayout;

// The navigation bar: a stack of folders of which one is open at a time. Each
// folder is a title bar; the open one shows its panel below its title, the
// titles of the later folders gather at the bottom. A click on an item of any
// panel emits commandTriggered with the item's command id.
class CGuiFolder : public QWidget
{
    Q_OBJECT

public:
    explicit CGuiFolder(QWidget *parent = nullptr);

    // Adds a folder at the end and returns its index; the first one added opens.
    int AddFolder(const QString &title, CGuiOutLook *panel);
    void SelectFolder(int index);

    int currentFolder() const { return m_current; }
    int folderCount() const { return int(m_folders.size()); }
    CGuiOutLook *panel(int index) const;
    QAbstractButton *titleButton(int index) const;

    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void commandTriggered(int commandId);
    void folderChanged(int index);

private:
    struct Folder
    {
        QAbstractButton *title;
        CGuiOutLook *panel;
    };
    QVBoxLayout *m_layout;
    QList<Folder> m_folders;
    int m_current = -1;
};
