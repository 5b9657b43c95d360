#include "controls/categorytreectrl.h"
#include "dialogs/categoriespickerdlg.h"
#include "dialogs/categorydlg.h"
#include "dialogtest.h"
#include "store/categoryfile.h"

using namespace testutil;

// The category dialog and the categories picker.
class TestCategoryDlg : public QObject
{
    Q_OBJECT

    GuiTestPlace m_place;

private Q_SLOTS:
    void initTestCase() { ensureCategoryFile(m_place.path()); }

    // The given name is selected, so typing replaces it; OK and Enter give back
    // exactly what was typed, Cancel and Escape the given name.
    void category_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("how");
        QTest::newRow("OK") << "Travel"
                            << "ok";
        QTest::newRow("Enter, blanks kept") << "  Train  tickets "
                                            << "enter";
        QTest::newRow("emptied") << ""
                                 << "ok";
        QTest::newRow("Escape") << "Other"
                                << "escape";
    }

    void category()
    {
        QFETCH(QString, typed);
        QFETCH(QString, how);
        CCategoryDlg dialog;
        dialog.setName(QStringLiteral("Snacks"));
        showAndWait(&dialog);
        QTest::keyClick(edit(&dialog, "name"), Qt::Key_Delete);
        QTest::keyClicks(edit(&dialog, "name"), typed);
        const bool accepted = how != u"escape";
        QCOMPARE(finish(&dialog, edit(&dialog, "name"), how), int(accepted ? QDialog::Accepted : QDialog::Rejected));
        QCOMPARE(dialog.name(), accepted ? typed : QStringLiteral("Snacks"));
    }

    // The picker looks for the given name trimmed, exactly; OK needs a chosen item
    // and gives its text, Cancel and Escape the given name.
    void picker_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("name");
        QTest::newRow("surrounding blanks, Enter") << "  Pet Items \t"
                                                   << "Pet Items"
                                                   << "enter" << 1 << "Pet Items";
        QTest::newRow("other letter case") << "snacks"
                                           << ""
                                           << "ok" << -1 << "snacks";
        QTest::newRow("inner blanks differ") << "Pet  Items"
                                             << ""
                                             << "enter" << -1 << "Pet  Items";
        QTest::newRow("click, OK") << " Snacks "
                                   << "Meat Market"
                                   << "ok" << 1 << "Meat Market";
        QTest::newRow("double click") << " Snacks "
                                      << "Meat Market"
                                      << "double" << 1 << "Meat Market";
        QTest::newRow("click, Escape") << " Snacks "
                                       << "Meat Market"
                                       << "escape" << 0 << " Snacks ";
    }

    void picker()
    {
        QFETCH(QString, given);
        QFETCH(QString, chosen);
        QFETCH(QString, how);
        QFETCH(int, result);
        QFETCH(QString, name);
        CCategoriesPickerDlg picker(m_place.path());
        picker.setName(given);
        showAndWait(&picker);
        CCategoryTreeCtrl *tree = picker.tree();
        if (given == u" Snacks ")
            clickItem(tree, tree->indexFromItem(tree->find(chosen)), how == u"double");
        const QList<QTreeWidgetItem *> selected = tree->selectedItems();
        QCOMPARE(selected.isEmpty() ? QString() : selected.first()->text(0), chosen);
        QCOMPARE(finish(&picker, tree, how), result);
        QCOMPARE(picker.name(), name);
    }
};

FENNIMAR_GUI_TEST_MAIN(TestCategoryDlg)
#include "tst_categorydlg.moc"
