#include "store/categoryfile.h"

#include "res/stringtable.h"
#include "store/archive.h"
#include "store/fileio.h"
#include "store/filenames.h"

#include <QDir>
#include <QHash>

namespace {

void encodeNodes(ArchiveWriter &out, const QList<CategoryNode> &nodes, qint32 parent, qint32 &next)
{
    for (const CategoryNode &node : nodes) {
        const qint32 index = next++;
        out.writeInt32(index);
        out.writeInt32(parent);
        out.writeString(node.name);
        encodeNodes(out, node.children, index, next);
    }
}

bool findIn(const QList<CategoryNode> &nodes, const QString &name, QList<int> &path)
{
    for (int i = 0; i < nodes.size(); ++i) {
        path.append(i);
        if (nodes[i].name == name || findIn(nodes[i].children, name, path))
            return true;
        path.removeLast();
    }
    return false;
}

} // namespace

CategoryTree defaultCategoryTree()
{
    const QStringList names = LoadText(IDS_DEFAULT_CATEGORIES).split(u'\n', Qt::SkipEmptyParts);
    CategoryNode root{names.value(0), {}};
    for (qsizetype i = 1; i < names.size(); ++i)
        root.children.append(CategoryNode{names[i], {}});
    return {root};
}

int categoryCount(const CategoryTree &tree)
{
    int n = 0;
    for (const CategoryNode &node : tree)
        n += 1 + categoryCount(node.children);
    return n;
}

QByteArray encodeCategoryTree(const CategoryTree &tree)
{
    ArchiveWriter out;
    out.writeInt32(categoryCount(tree));
    qint32 next = 0;
    encodeNodes(out, tree, -1, next);
    return out.bytes();
}

std::optional<CategoryTree> decodeCategoryTree(QByteArrayView bytes)
{
    ArchiveReader in(bytes);
    qint32 count = 0;
    if (!in.readInt32(count))
        return std::nullopt;
    // Flat first: each item with its parent's position in this list (-1 at the
    // top level) and its depth, so that every step is constant time.
    struct Item
    {
        QString name;
        qsizetype parent;
        int depth;
        QList<qsizetype> children;
    };
    QList<Item> items;
    QList<qsizetype> top;
    QHash<qint32, qsizetype> byIndex; // file index -> position in items
    for (qint32 i = 0; i < count; ++i) {
        qint32 index, parent;
        QString name;
        if (!(in.readInt32(index) && in.readInt32(parent) && in.readString(name)))
            return std::nullopt;
        qsizetype parentPos = -1;
        int depth = 1;
        if (parent != -1) {
            const auto it = byIndex.constFind(parent);
            if (it == byIndex.constEnd())
                continue;
            parentPos = *it;
            depth = items[parentPos].depth + 1;
            if (depth > kMaxCategoryDepth)
                return std::nullopt;
        }
        const qsizetype pos = items.size();
        items.append(Item{name, parentPos, depth, {}});
        (parentPos < 0 ? top : items[parentPos].children).append(pos);
        byIndex.insert(index, pos);
    }
    // Then the nested tree, children before their parents (they come later in the list).
    QList<CategoryNode> nodes(items.size());
    for (qsizetype pos = items.size() - 1; pos >= 0; --pos) {
        nodes[pos].name = items[pos].name;
        nodes[pos].children.reserve(items[pos].children.size());
        for (qsizetype child : items[pos].children)
            nodes[pos].children.append(std::move(nodes[child]));
    }
    CategoryTree tree;
    for (qsizetype pos : top)
        tree.append(std::move(nodes[pos]));
    return tree;
}

CategoryTree readCategoryFile(const QString &workDir)
{
    const auto bytes = readWholeFile(QDir(workDir).filePath(kCategoryFileName));
    if (!bytes)
        return {};
    return decodeCategoryTree(*bytes).value_or(CategoryTree());
}

void writeCategoryFile(const QString &workDir, const CategoryTree &tree)
{
    if (tree.isEmpty())
        return;
    writeFileAtomic(QDir(workDir).filePath(kCategoryFileName), encodeCategoryTree(tree));
}

bool ensureCategoryFile(const QString &workDir)
{
    if (!listEntries(workDir, kCategoryExtension, false).isEmpty())
        return false;
    try {
        writeFileAtomic(QDir(workDir).filePath(kCategoryFileName), encodeCategoryTree(defaultCategoryTree()));
    } catch (const FileError &) {
        return false; // the default files are written quietly, or not at all
    }
    return true;
}

QList<int> findCategory(const CategoryTree &tree, const QString &name)
{
    QList<int> path;
    findIn(tree, name.trimmed(), path);
    return path;
}
