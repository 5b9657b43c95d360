#include "controls/categorytreectrl.h"

#include <QContextMenuEvent>
#include <QLineEdit>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyledItemDelegate>

namespace {

constexpr int kStoredNameRole = Qt::UserRole + 1;

// Bold names in the tree's own colours; an edit that ends blank is refused and
// an accepted name is stored trimmed.
class CategoryDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->font.setBold(true);
        if (!(option->state & QStyle::State_Selected))
            option->palette.setColor(QPalette::Text, QColor(0x06, 0x2A, 0x3F));
    }

    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override
    {
        const auto *line = qobject_cast<QLineEdit *>(editor);
        const QString name = line ? line->text().trimmed() : QString();
        if (name.isEmpty())
            return;
        if (index.data(kStoredNameRole).toString() == name && index.data(Qt::DisplayRole).toString() == name)
            return;
        model->setData(index, name, Qt::DisplayRole);
        model->setData(index, name, kStoredNameRole);
        if (auto *tree = qobject_cast<CCategoryTreeCtrl *>(parent()))
            Q_EMIT tree->renamedInPlace();
    }
};

void collect(const QTreeWidgetItem *item, CategoryNode &node)
{
    node.name = CCategoryTreeCtrl::storedName(item);
    for (int i = 0; i < item->childCount(); ++i) {
        node.children.append(CategoryNode());
        collect(item->child(i), node.children.last());
    }
}

QTreeWidgetItem *findIn(QTreeWidgetItem *item, const QString &name)
{
    if (item->text(0) == name)
        return item;
    for (int i = 0; i < item->childCount(); ++i) {
        if (QTreeWidgetItem *found = findIn(item->child(i), name))
            return found;
    }
    return nullptr;
}

} // namespace

CCategoryTreeCtrl::CCategoryTreeCtrl(bool editing, QWidget *parent) : QTreeWidget(parent), m_editing(editing)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegate(new CategoryDelegate(this));
    setEditTriggers(editing ? QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed
                            : QAbstractItemView::NoEditTriggers);
    setAccessibleName(QStringLiteral("Categories"));
    connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem *item) { setCurrentItem(item); });
    connect(this, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem *item) { setCurrentItem(item); });
}

QTreeWidgetItem *CCategoryTreeCtrl::makeItem(const QString &name) const
{
    auto *item = new QTreeWidgetItem(QStringList{name});
    item->setData(0, kStoredNameRole, name);
    item->setIcon(0, m_itemPicture);
    if (m_editing)
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    return item;
}

QString CCategoryTreeCtrl::storedName(const QTreeWidgetItem *item)
{
    return item ? item->data(0, kStoredNameRole).toString() : QString();
}

void CCategoryTreeCtrl::fill(const QString &workDir)
{
    clear();
    const CategoryTree tree = readCategoryFile(workDir);
    {
        // Expanding while filling would make each item current in turn.
        const QSignalBlocker quiet(this);
        // Depth-first with a stack of its own: no recursion however deep the file.
        struct Pending
        {
            QTreeWidgetItem *parent;
            const CategoryNode *node;
        };
        QList<Pending> stack;
        for (auto it = tree.crbegin(); it != tree.crend(); ++it)
            stack.append({nullptr, &*it});
        while (!stack.isEmpty()) {
            const Pending next = stack.takeLast();
            QTreeWidgetItem *item = makeItem(next.node->name);
            if (next.parent)
                next.parent->addChild(item);
            else
                addTopLevelItem(item);
            const QList<CategoryNode> &children = next.node->children;
            for (auto it = children.crbegin(); it != children.crend(); ++it)
                stack.append({item, &*it});
        }
        expandAll();
    }
    if (QTreeWidgetItem *first = topLevelItem(0)) {
        first->setExpanded(true);
        setCurrentItem(first);
    }
}

CategoryTree CCategoryTreeCtrl::tree() const
{
    CategoryTree nodes;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        nodes.append(CategoryNode());
        collect(topLevelItem(i), nodes.last());
    }
    return nodes;
}

void CCategoryTreeCtrl::writeFile(const QString &workDir)
{
    if (topLevelItemCount() == 0)
        return;
    // The tree as the file holds it is not written again: the file keeps its bytes.
    const CategoryTree edited = tree();
    if (encodeCategoryTree(edited) != encodeCategoryTree(readCategoryFile(workDir)))
        writeCategoryFile(workDir, edited);
    clear();
}

QTreeWidgetItem *CCategoryTreeCtrl::add(const QString &name)
{
    QTreeWidgetItem *selected = currentItem();
    if (!selected && topLevelItemCount() > 0)
        return nullptr;
    QTreeWidgetItem *item = makeItem(name);
    if (selected) {
        selected->addChild(item);
        selected->setExpanded(true);
    } else {
        addTopLevelItem(item);
    }
    return item;
}

void CCategoryTreeCtrl::rename(QTreeWidgetItem *item, const QString &name)
{
    item->setText(0, name);
    item->setData(0, kStoredNameRole, name);
}

QTreeWidgetItem *CCategoryTreeCtrl::find(const QString &name) const
{
    const QString wanted = name.trimmed();
    for (int i = 0; i < topLevelItemCount(); ++i) {
        if (QTreeWidgetItem *found = findIn(topLevelItem(i), wanted))
            return found;
    }
    return nullptr;
}

void CCategoryTreeCtrl::contextMenuEvent(QContextMenuEvent *event)
{
    if (!m_editing)
        return;
    QTreeWidgetItem *item = itemAt(event->pos());
    if (event->reason() == QContextMenuEvent::Mouse && !item)
        return;
    if (item)
        setCurrentItem(item);
    Q_EMIT contextMenuRequested(event->globalPos());
}
