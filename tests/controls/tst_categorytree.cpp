#include "controls/categorytreectrl.h"
#include "testutil.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

using namespace testutil;

class TestCategoryTree : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fillsFromTheFile()
    {
        QTemporaryDir dir;
        ensureCategoryFile(dir.path());
        CCategoryTreeCtrl tree(true);
        tree.fill(dir.path());
        QCOMPARE(tree.topLevelItemCount(), 1);
        QCOMPARE(tree.currentItem(), tree.topLevelItem(0));
        QVERIFY(tree.topLevelItem(0)->isExpanded());
        QCOMPARE(tree.topLevelItem(0)->childCount(), 11);
        QCOMPARE(tree.tree(), defaultCategoryTree());
    }

    // The deepest tree a file may hold fills without recursion, every item
    // expanded and the first one current; a deeper file gives an empty tree.
    void deepTrees()
    {
        QTemporaryDir dir;
        CategoryTree chain = {CategoryNode{QStringLiteral("level 1"), {}}};
        CategoryNode *last = &chain[0];
        for (int level = 2; level <= kMaxCategoryDepth; ++level) {
            last->children.append(CategoryNode{QStringLiteral("level %1").arg(level), {}});
            last = &last->children[0];
        }
        writeCategoryFile(dir.path(), chain);
        CCategoryTreeCtrl tree(true);
        int currentChanges = 0;
        connect(&tree, &QTreeWidget::currentItemChanged, [&] { ++currentChanges; });
        tree.show();
        tree.fill(dir.path());
        QCOMPARE(tree.tree(), chain);
        QCOMPARE(tree.currentItem(), tree.topLevelItem(0));
        QCOMPARE(currentChanges, 1);
        int depth = 0;
        for (QTreeWidgetItem *item = tree.topLevelItem(0); item; item = item->child(0)) {
            QVERIFY(item->isExpanded() || item->childCount() == 0);
            ++depth;
        }
        QCOMPARE(depth, kMaxCategoryDepth);

        last->children.append(CategoryNode{QStringLiteral("too deep"), {}});
        writeCategoryFile(dir.path(), chain);
        tree.fill(dir.path());
        QCOMPARE(tree.topLevelItemCount(), 0);
    }

    void addRenameDeleteAndWrite()
    {
        QTemporaryDir dir;
        ensureCategoryFile(dir.path());
        CCategoryTreeCtrl tree(true);
        tree.fill(dir.path());
        QTreeWidgetItem *root = tree.topLevelItem(0);
        QTreeWidgetItem *added = tree.add(QStringLiteral("Travel"));
        QCOMPARE(root->child(root->childCount() - 1), added);
        QVERIFY(root->isExpanded());
        tree.setCurrentItem(added);
        tree.add(QStringLiteral("Trains"));
        tree.rename(tree.find(QStringLiteral("Snacks")), QStringLiteral("Sweets"));
        delete tree.find(QStringLiteral("Kitchen Items"));

        tree.writeFile(dir.path());
        QCOMPARE(tree.topLevelItemCount(), 0); // written and emptied
        const CategoryTree back = readCategoryFile(dir.path());
        QCOMPARE(back[0].children.size(), 11);
        QCOMPARE(back[0].children.first().name, QStringLiteral("Household Items"));
        QCOMPARE(back[0].children.last(), (CategoryNode{"Travel", {CategoryNode{"Trains", {}}}}));
        QVERIFY(!findCategory(back, QStringLiteral("Sweets")).isEmpty());

        // An empty tree writes nothing.
        tree.writeFile(dir.path());
        QCOMPARE(readCategoryFile(dir.path()), back);
    }

    void addWithoutSelection()
    {
        CCategoryTreeCtrl tree(true);
        QVERIFY(tree.add(QStringLiteral("First")));
        QCOMPARE(tree.topLevelItemCount(), 1);
        tree.setCurrentItem(nullptr);
        QVERIFY(!tree.add(QStringLiteral("Second")));
        QCOMPARE(tree.topLevelItemCount(), 1);
    }

    void inPlaceRenaming()
    {
        CCategoryTreeCtrl tree(true);
        QTreeWidgetItem *item = tree.add(QStringLiteral("Food"));
        tree.resize(300, 200);
        tree.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tree));
        for (const auto &[typed, expected] : {std::pair{"   ", "Food"}, std::pair{"  Groceries ", "Groceries"}}) {
            tree.editItem(item);
            QLineEdit *editor = nullptr;
            for (QLineEdit *candidate : tree.findChildren<QLineEdit *>()) {
                if (candidate->isVisible())
                    editor = candidate;
            }
            QVERIFY(editor);
            editor->setText(QString::fromLatin1(typed));
            QTest::keyClick(editor, Qt::Key_Return);
            QApplication::processEvents();
            QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCOMPARE(item->text(0), QString::fromLatin1(expected));
            QCOMPARE(CCategoryTreeCtrl::storedName(item), QString::fromLatin1(expected));
        }
    }

    void findIsTrimmedExactAndPreOrder()
    {
        QTemporaryDir dir;
        writeCategoryFile(
            dir.path(),
            {CategoryNode{"Root", {CategoryNode{"A", {CategoryNode{"Snacks", {}}}}, CategoryNode{"Snacks", {}}}}});
        CCategoryTreeCtrl tree(false);
        tree.fill(dir.path());
        QTreeWidgetItem *found = tree.find(QStringLiteral(" Snacks  "));
        QVERIFY(found);
        QCOMPARE(found->parent()->text(0), QStringLiteral("A"));
        QVERIFY(!tree.find(QStringLiteral("snacks")));
        QCOMPARE(tree.editTriggers(), QAbstractItemView::NoEditTriggers);
    }
};

QTEST_MAIN(TestCategoryTree)
#include "tst_categorytree.moc"
