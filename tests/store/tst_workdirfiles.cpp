#include "store/categoryfile.h"
#include "store/chartcolours.h"
#include "storefixture.h"

#include <QTest>

using namespace testutil;

using Colours = QList<quint32>;

namespace {

CategoryNode leaf(const QString &name)
{
    return CategoryNode{name, {}};
}

} // namespace

// The category file and the chart colour file of a working directory.
class TestWorkDirFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void defaultFiles()
    {
        Book book;
        book.store.loadAtStartup();
        QCOMPARE(entries(book.dir.path()), QStringList({"Category.cat", "Graph.grp"}));
        const char *names[] = {"Categories",   "Kitchen Items",  "Household Items",  "Pet Items",
                               "Kids Stuff",   "PDA & PC Items", "Electronic Items", "Wear Items",
                               "Beauty Items", "Meat Market",    "Necessitites",     "Snacks"};
        QByteArray categories = hex("0c000000");
        for (int i = 0; i < 12; ++i) {
            categories += QByteArray(1, char(i)) + hex("000000") + (i == 0 ? hex("ffffffff") : hex("00000000"));
            categories += QByteArray(1, char(qstrlen(names[i]))) + names[i];
        }
        QCOMPARE(readFile(book.path("Category.cat")), categories);
        QCOMPARE(readCategoryFile(book.dir.path()), defaultCategoryTree());
        QCOMPARE(readFile(book.path("Graph.grp")), hex("0c000000 0000ff00 ff000000 00ff0000 ff000000 0000ff00 d4d4d400"
                                                       " 00008000 80000000 00800000 80000000 00008000 aaaaaa00"));
        const auto colours = readChartColourFile(book.dir.path(), 6);
        QVERIFY(colours);
        QCOMPARE(colours->face, Colours({0xFF0000, 0xFF, 0xFF00, 0xFF, 0xFF0000, 0xD4D4D4}));
        QCOMPARE(colours->shade, Colours({0x800000, 0x80, 0x8000, 0x80, 0x800000, 0xAAAAAA}));
    }

    void anyEntryOfTheKindKeepsTheDefaultAway()
    {
        Book book;
        QVERIFY(writeFile(book.path("Old.CAT"), hex("00000000")));
        QVERIFY(QDir(book.dir.path()).mkdir("mine.grp"));
        book.store.LoadAll();
        QCOMPARE(entries(book.dir.path()), QStringList({"Old.CAT", "mine.grp"}));
        QVERIFY(!readChartColourFile(book.dir.path(), 6));
    }

    void categoriesWriteThenRead()
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
        QCOMPARE(readFile(dir.filePath("Category.cat")).left(58),
                 hex("09000000 00000000 ffffffff 04") + "Food" + hex("01000000 00000000 05") + "Fruit"
                     + hex("02000000 00000000 06") + "Drinks" + hex("03000000 02000000 03") + "Tea");
        // An empty tree writes nothing: the file keeps its content.
        writeCategoryFile(dir.path(), CategoryTree());
        QCOMPARE(readCategoryFile(dir.path()), tree);
    }

    void categoryReaderRules()
    {
        // Index 5 has a parent never read (9): skipped, along with its own child.
        const QByteArray bytes = hex("05000000 00000000 ffffffff 01") + "A" + hex("05000000 09000000 01") + "X"
                                 + hex("06000000 05000000 01") + "Y" + hex("07000000 00000000 01") + "B"
                                 + hex("08000000 00000000 01") + "C";
        QCOMPARE(decodeCategoryTree(bytes).value_or(CategoryTree()),
                 CategoryTree({CategoryNode{"A", {leaf("B"), leaf("C")}}}));
        QVERIFY(!decodeCategoryTree(bytes.left(bytes.size() - 1)));
        QVERIFY(!decodeCategoryTree(hex("ffffff7f")));
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("Category.cat"), bytes.left(10)));
        QCOMPARE(readCategoryFile(dir.path()), CategoryTree());

        // A tree of the deepest kind a file may hold reads; one level deeper is malformed.
        const auto chain = [](int depth) {
            QByteArray bytes = hex("00000000");
            for (qint32 i = 0; i < depth; ++i) {
                const qint32 parent = i - 1;
                bytes += QByteArray(reinterpret_cast<const char *>(&i), 4)
                         + QByteArray(reinterpret_cast<const char *>(&parent), 4) + hex("01") + "n";
            }
            const qint32 count = depth;
            bytes.replace(0, 4, QByteArray(reinterpret_cast<const char *>(&count), 4));
            return bytes;
        };
        const std::optional<CategoryTree> deepest = decodeCategoryTree(chain(kMaxCategoryDepth));
        QVERIFY(deepest);
        int depth = 0;
        for (const QList<CategoryNode> *level = &*deepest; !level->isEmpty(); level = &level->first().children)
            ++depth;
        QCOMPARE(depth, kMaxCategoryDepth);
        QVERIFY(!decodeCategoryTree(chain(kMaxCategoryDepth + 1)));
        QVERIFY(!decodeCategoryTree(chain(32000))); // read in linear time, then refused
        // A wide tree: one root with 100,000 children, each with a child, in file order.
        CategoryTree wide = {CategoryNode{"Root", {}}};
        for (int i = 0; i < 100000; ++i)
            wide[0].children.append(CategoryNode{QString::number(i), {leaf("c")}});
        QCOMPARE(decodeCategoryTree(encodeCategoryTree(wide)).value_or(CategoryTree()), wide);

        const CategoryTree tree = {CategoryNode{"Root", {CategoryNode{"Food", {leaf("Snacks")}}, leaf("snacks")}}};
        QCOMPARE(findCategory(tree, QStringLiteral("  Snacks ")), QList<int>({0, 0, 0}));
        QCOMPARE(findCategory(tree, QStringLiteral("snacks")), QList<int>({0, 1}));
        QCOMPARE(findCategory(tree, QStringLiteral("None")), QList<int>());
    }

    void chartColourCountsThatLie_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("slots");
        QTest::addColumn<Colours>("face");
        QTest::addColumn<Colours>("shade");
        QByteArray sixteen = hex("10000000");
        for (int i = 1; i <= 16; ++i)
            sixteen += QByteArray(1, char(i)) + hex("000000");
        QTest::newRow("16 into 6 slots") << sixteen << 6 << Colours{1, 2, 3, 4, 5, 6} << Colours{9, 10, 11, 12, 13, 14};
        QTest::newRow("16 into 20 slots")
            << sixteen << 20 << Colours{1, 2, 3, 4, 5, 6, 7, 8} << Colours{9, 10, 11, 12, 13, 14, 15, 16};
        QTest::newRow("count says a billion") << hex("00ca9a3b 01000000 02000000") << 20 << Colours{1, 2} << Colours{};
        QTest::newRow("negative") << hex("f4ffffff 01000000") << 6 << Colours{} << Colours{};
        QTest::newRow("cut short") << hex("0c00") << 6 << Colours{} << Colours{};
    }

    void chartColourCountsThatLie()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, slots);
        QFETCH(Colours, face);
        QFETCH(Colours, shade);
        const ChartColours colours = decodeChartColours(bytes, slots);
        QCOMPARE(colours.face, face);
        QCOMPARE(colours.shade, shade);
    }

    void chartColoursWriteThenRead()
    {
        QTemporaryDir dir;
        const ChartColours colours{{1, 2, 3, 4, 5, 0xFFFFFF}, {7, 8, 9, 10, 11, 12}};
        writeChartColourFile(dir.path(), colours);
        QCOMPARE(readFile(dir.filePath("Graph.grp")).size(), 52);
        QCOMPARE(readChartColourFile(dir.path(), 6)->face, colours.face);
        QCOMPARE(readChartColourFile(dir.path(), 6)->shade, colours.shade);
        QVERIFY_THROWS_EXCEPTION(FileError, writeChartColourFile(dir.filePath("gone"), colours));
    }

    // Without a working directory the colours go nowhere, not into the current folder.
    void chartColoursNeedAFolder()
    {
        QTemporaryDir dir;
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        QString message;
        try {
            writeChartColourFile(QString(), defaultChartColours());
        } catch (const FileError &e) {
            message = e.message();
        }
        const bool ensured = ensureChartColourFile(QString());
        QVERIFY(QDir::setCurrent(previous));
        QCOMPARE(message, QStringLiteral("Could not save Graph.grp: no working directory has been chosen"));
        QCOMPARE(ensured, false);
        QCOMPARE(entries(dir.path()), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestWorkDirFiles)
#include "tst_workdirfiles.moc"
