#pragma once

#include "store/categoryfile.h"

#include <QTreeWidget>

// The category tree: the working copy of Category.cat while it is shown. The
// Categories view edits it (commands and in-place renaming) and writes it back
// when the view is left; the categories picker only reads.
class CCategoryTreeCtrl : public QTreeWidget
{
    Q_OBJECT

public:
    // With editing, names can be changed in place and the context menu is offered.
    explicit CCategoryTreeCtrl(bool editing, QWidget *parent = nullptr);

    // Reads the file of the working directory: each item the last child of its
    // parent, the first top-level item expanded and selected.
    void fill(const QString &workDir);
    // Writes the tree to the file when it holds an item other than the file's
    // own, then empties the tree. Throws FileError (the tree is kept then).
    void writeFile(const QString &workDir);

    // The picture every item shows.
    void setItemPicture(const QIcon &picture) { m_itemPicture = picture; }

    CategoryTree tree() const;
    // Adds a name as the last child of the selected item and expands it; with no
    // selected item only into an empty tree, at the top level. Returns the new item.
    QTreeWidgetItem *add(const QString &name);
    void rename(QTreeWidgetItem *item, const QString &name);
    // The first item, depth-first in pre-order, whose name equals the trimmed name.
    QTreeWidgetItem *find(const QString &name) const;
    static QString storedName(const QTreeWidgetItem *item);

Q_SIGNALS:
    void contextMenuRequested(const QPoint &globalPos);
    // A name was changed in place (by the editor of the item).
    void renamedInPlace();

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    QTreeWidgetItem *makeItem(const QString &name) const;
    bool m_editing;
    QIcon m_itemPicture;
};
