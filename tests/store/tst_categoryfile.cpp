#include "categoryfile.h"
#include "storefixture.h"

#include <QTest>

using namespace testutil;

namespace {

CategoryNode leaf(const QString &name)
{
    return CategoryNode{name, {}};
}

} // namespace

class TestCategoryFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void defaultFileBytes()
    {
        QTemporaryDir dir;
        QVERIFY(ensureCategoryFile(dir.path()));
        const char *names[] = {"Categories", "Kitchen Items", "Household Items", "Pet Items", "Kids Stuff",
                               "PDA & PC Items", "Electronic Items", "Wear Items", "Beauty Items", "Meat Market",
                               "Necessitites", "Snacks"};
        QByteArray expected = hex("0c000000");
        for (int i = 0; i < 12; ++i) {
            expected += QByteArray(1, char(i)) + hex("000000") + (i == 0 ? hex("ffffffff") : hex("00000000"));
            expected += QByteArray(1, char(qstrlen(names[i]))) + names[i];
        }
        QCOMPARE(readFile(dir.filePath("Category.cat")), expected);
        const CategoryTree tree = readCategoryFile(dir.path());
        QCOMPARE(tree.size(), 1);
        QCOMPARE(tree[0].name, QStringLiteral("Categories"));
        QCOMPARE(tree[0].children.size(), 11);
        QCOMPARE(tree[0].children.last().name, QStringLiteral("Snacks"));
    }

    void anyCatEntryKeepsTheDefaultAway()
    {
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("Old.CAT"), hex("00000000")));
        QVERIFY(!ensureCategoryFile(dir.path()));
        QVERIFY(!QFileInfo::exists(dir.filePath("Category.cat")));
        QTemporaryDir withFolder;
        QVERIFY(QDir(withFolder.path()).mkdir("x.cat"));
        QVERIFY(!ensureCategoryFile(withFolder.path()));
    }

    void writeThenReadKeepsTheTree()
    {
        QTemporaryDir dir;
        const CategoryTree tree = {
            CategoryNode{"Food", {leaf("Fruit"), CategoryNode{"Drinks", {leaf("Tea"), leaf("Café")}}, leaf("Bread")}},
            CategoryNode{"Home", {leaf("Rent")}},
            leaf("Fruit"), // names may repeat
        };
        writeCategoryFile(dir.path(), tree);
        QCOMPARE(readCategoryFile(dir.path()), tree);
        // Pre-order with fresh dense indexes.
        const QByteArray bytes = readFile(dir.filePath("Category.cat"));
        QCOMPARE(bytes.left(4), hex("09000000"));
        QCOMPARE(bytes.mid(4, 13), hex("00000000 ffffffff 04") + "Food");
        QCOMPARE(bytes.mid(17, 14), hex("01000000 00000000 05") + "Fruit");
        QCOMPARE(bytes.mid(31, 15), hex("02000000 00000000 06") + "Drinks");
        QCOMPARE(bytes.mid(46, 12), hex("03000000 02000000 03") + "Tea");

        // An empty tree writes nothing: the file keeps its content.
        writeCategoryFile(dir.path(), CategoryTree());
        QCOMPARE(readCategoryFile(dir.path()), tree);
    }

    void readerRules()
    {
        // Index 5 has a parent never read (9): skipped, along with its own child.
        QByteArray bytes = hex("05000000");
        bytes += hex("00000000 ffffffff 01") + "A";
        bytes += hex("05000000 09000000 01") + "X";
        bytes += hex("06000000 05000000 01") + "Y";
        bytes += hex("07000000 00000000 01") + "B";
        bytes += hex("08000000 00000000 01") + "C";
        const auto tree = decodeCategoryTree(bytes);
        QVERIFY(tree);
        QCOMPARE(*tree, CategoryTree({CategoryNode{"A", {leaf("B"), leaf("C")}}}));

        QVERIFY(!decodeCategoryTree(bytes.left(bytes.size() - 1)));
        QVERIFY(!decodeCategoryTree(hex("ffffff7f")));
        QCOMPARE(decodeCategoryTree(hex("00000000"))->size(), 0);

        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("Category.cat"), bytes.left(10)));
        QCOMPARE(readCategoryFile(dir.path()), CategoryTree());
        QCOMPARE(readCategoryFile(dir.filePath("missing")), CategoryTree());
    }

    void find()
    {
        const CategoryTree tree = {
            CategoryNode{"Root", {CategoryNode{"Food", {leaf("Snacks")}}, leaf("Snacks"), leaf("snacks")}},
        };
        QCOMPARE(findCategory(tree, QStringLiteral("  Snacks ")), QList<int>({0, 0, 0}));
        QCOMPARE(findCategory(tree, QStringLiteral("snacks")), QList<int>({0, 2}));
        QCOMPARE(findCategory(tree, QStringLiteral("Root")), QList<int>({0}));
        QCOMPARE(findCategory(tree, QStringLiteral("None")), QList<int>());
    }

    void storeLoadsMakeTheDefaultFiles()
    {
        Book fresh;
        fresh.store.loadAtStartup();
        QCOMPARE(entries(fresh.dir.path()), QStringList({"Category.cat", "Graph.grp"}));
        Book other;
        other.store.LoadAll();
        QCOMPARE(entries(other.dir.path()), QStringList({"Category.cat", "Graph.grp"}));
    }
};

QTEST_GUILESS_MAIN(TestCategoryFile)
#include "tst_categoryfile.moc"
