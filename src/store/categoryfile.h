#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// The category tree as a plain value: the top-level items with their children
// in display order.
struct CategoryNode
{
    QString name;
    QList<CategoryNode> children;

    friend bool operator==(const CategoryNode &, const CategoryNode &) = default;
};
using CategoryTree = QList<CategoryNode>;

// The tree of the default string: "Categories" with its eleven children.
CategoryTree defaultCategoryTree();
int categoryCount(const CategoryTree &tree);

// Count, then per item in pre-order: index (dense, from 0), parent index (-1 at
// the top level), name.
QByteArray encodeCategoryTree(const CategoryTree &tree);
// The deepest tree a file may hold; a deeper one is malformed.
constexpr int kMaxCategoryDepth = 64;

// Inserts each item as the last child of its parent; an item whose parent
// index is unknown is skipped. A file that is cut short or malformed, or whose
// tree is deeper than kMaxCategoryDepth, gives nothing.
std::optional<CategoryTree> decodeCategoryTree(QByteArrayView bytes);

// The tree of Category.cat in the folder; empty when it is missing or unreadable.
CategoryTree readCategoryFile(const QString &workDir);
// Writes Category.cat whole; a tree with no item writes nothing. Throws FileError.
void writeCategoryFile(const QString &workDir, const CategoryTree &tree);
// Writes the default tree unless some *.cat entry exists. Returns whether it wrote.
bool ensureCategoryFile(const QString &workDir);

// The path (child positions from the top level) of the first item, depth-first
// in pre-order, whose name equals the trimmed name; empty when there is none.
QList<int> findCategory(const CategoryTree &tree, const QString &name);
