#include "categoriespickerdlg.h"
#include "categoryfile.h"
#include "categorytreectrl.h"
#include "recorddlgtest.h"

using namespace testutil;

namespace {

// Food > (Fruit, Drinks > Fruit), Fruit, Home: "Fruit" three times.
CategoryTree duplicatesTree()
{
    return {CategoryNode{"Food", {CategoryNode{"Fruit", {}}, CategoryNode{"Drinks", {CategoryNode{"Fruit", {}}}}}},
            CategoryNode{"Fruit", {}}, CategoryNode{"Home", {}}};
}

// The path of an item as names from the top: "Food/Drinks/Fruit".
QString pathOf(const QTreeWidgetItem *item)
{
    QStringList names;
    for (; item; item = item->parent())
        names.prepend(item->text(0));
    return names.join(u'/');
}

QString selectedPath(CCategoriesPickerDlg *picker)
{
    const QList<QTreeWidgetItem *> selected = picker->tree()->selectedItems();
    return selected.isEmpty() ? QString() : pathOf(selected.first());
}

void click(CCategoryTreeCtrl *tree, QTreeWidgetItem *item, bool twice = false)
{
    clickItem(tree, tree->indexFromItem(item), twice);
}

} // namespace

class TestCategoriesPickerDlg : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<GuiTestPlace> m_place;

private Q_SLOTS:
    void init()
    {
        m_place = std::make_unique<GuiTestPlace>();
        ensureCategoryFile(m_place->path());
    }

    void cleanup() { m_place.reset(); }

    void showsTheFile()
    {
        CCategoriesPickerDlg picker(m_place->path());
        showAndWait(&picker);
        QCOMPARE(picker.windowTitle(), QStringLiteral("Categories"));
        QCOMPARE(picker.tree()->tree(), defaultCategoryTree());
        QCOMPARE(picker.tree()->editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(focusName(), QStringLiteral("tree"));
        // Nothing is chosen until a name is given or an item clicked.
        QVERIFY(picker.tree()->selectedItems().isEmpty());
    }

    // The given name, trimmed, is looked for exactly, depth-first.
    void preselect_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("path");
        QTest::newRow("empty") << "" << "";
        QTest::newRow("child") << "Snacks" << "Categories/Snacks";
        QTest::newRow("surrounding blanks") << "  Pet Items \t" << "Categories/Pet Items";
        QTest::newRow("other letter case") << "snacks" << "";
        QTest::newRow("inner blanks differ") << "Pet  Items" << "";
        QTest::newRow("top level") << "Categories" << "Categories";
        QTest::newRow("unknown") << "Travel" << "";
    }

    void preselect()
    {
        QFETCH(QString, name);
        QFETCH(QString, path);
        CCategoriesPickerDlg picker(m_place->path());
        picker.setName(name);
        showAndWait(&picker);
        QCOMPARE(selectedPath(&picker), path);
        QCOMPARE(pathOf(picker.tree()->currentItem()), path);
        QCOMPARE(picker.name(), name);
    }

    void firstOfDuplicates()
    {
        writeCategoryFile(m_place->path(), duplicatesTree());
        CCategoriesPickerDlg picker(m_place->path());
        picker.setName(QStringLiteral("Fruit"));
        showAndWait(&picker);
        QCOMPARE(selectedPath(&picker), QStringLiteral("Food/Fruit"));
        picker.setName(QStringLiteral("Drinks"));
        QCOMPARE(selectedPath(&picker), QStringLiteral("Food/Drinks"));
        picker.setName(QStringLiteral("Nothing"));
        QCOMPARE(selectedPath(&picker), QString());
    }

    // OK needs a chosen item; then the result is its text.
    void okNeedsSelection()
    {
        CCategoriesPickerDlg picker(m_place->path());
        picker.setName(QStringLiteral("Travel"));
        showAndWait(&picker);
        press(&picker, "ok");
        QVERIFY(picker.isVisible());
        QCOMPARE(picker.result(), int(QDialog::Rejected));
        QTest::keyClick(picker.tree(), Qt::Key_Return);
        QVERIFY(picker.isVisible());

        click(picker.tree(), picker.tree()->find(QStringLiteral("Wear Items")));
        press(&picker, "ok");
        QCOMPARE(picker.result(), int(QDialog::Accepted));
        QCOMPARE(picker.name(), QStringLiteral("Wear Items"));
    }

    void choosing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("name");
        QTest::newRow("OK") << "ok" << int(QDialog::Accepted) << "Meat Market";
        QTest::newRow("Enter") << "enter" << int(QDialog::Accepted) << "Meat Market";
        QTest::newRow("double click") << "double" << int(QDialog::Accepted) << "Meat Market";
        QTest::newRow("Cancel") << "cancel" << int(QDialog::Rejected) << " Snacks ";
        QTest::newRow("Escape") << "escape" << int(QDialog::Rejected) << " Snacks ";
    }

    void choosing()
    {
        QFETCH(QString, how);
        QFETCH(int, result);
        QFETCH(QString, name);
        CCategoriesPickerDlg picker(m_place->path());
        picker.setName(QStringLiteral(" Snacks "));
        showAndWait(&picker);
        click(picker.tree(), picker.tree()->find(QStringLiteral("Meat Market")), how == u"double");
        if (how == u"ok" || how == u"cancel")
            press(&picker, qPrintable(how));
        else if (how == u"enter")
            QTest::keyClick(picker.tree(), Qt::Key_Return);
        else if (how == u"escape")
            QTest::keyClick(picker.tree(), Qt::Key_Escape);
        QVERIFY(!picker.isVisible());
        QCOMPARE(picker.result(), result);
        QCOMPARE(picker.name(), name);
    }

    void arrowKeys()
    {
        CCategoriesPickerDlg picker(m_place->path());
        picker.setName(QStringLiteral("Kitchen Items"));
        showAndWait(&picker);
        QTest::keyClick(picker.tree(), Qt::Key_Down);
        QTest::keyClick(picker.tree(), Qt::Key_Down);
        QCOMPARE(selectedPath(&picker), QStringLiteral("Categories/Pet Items"));
        QTest::keyClick(picker.tree(), Qt::Key_Return);
        QCOMPARE(picker.name(), QStringLiteral("Pet Items"));
    }

    void missingFile()
    {
        QFile::remove(QDir(m_place->path()).filePath(QStringLiteral("Category.cat")));
        CCategoriesPickerDlg picker(m_place->path());
        picker.setName(QStringLiteral("Snacks"));
        showAndWait(&picker);
        QCOMPARE(picker.tree()->topLevelItemCount(), 0);
        press(&picker, "ok");
        QVERIFY(picker.isVisible());
        press(&picker, "cancel");
        QCOMPARE(picker.name(), QStringLiteral("Snacks"));
    }
};

QTEST_MAIN(TestCategoriesPickerDlg)
#include "tst_categoriespickerdlg.moc"
