#include "categorydlg.h"
#include "recorddlgtest.h"

#include <QLineEdit>

using namespace testutil;

class TestCategoryDlg : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opening()
    {
        CCategoryDlg dialog;
        dialog.setName(QStringLiteral("Snacks"));
        showAndWait(&dialog);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Category"));
        QCOMPARE(captions(&dialog), QStringList({"Enter a Category"}));
        QCOMPARE(child<QLineEdit>(&dialog, QStringLiteral("name"))->text(), QStringLiteral("Snacks"));
        QCOMPARE(focusName(), QStringLiteral("name"));
    }

    // The name comes back exactly as typed, with OK or with Enter.
    void typed_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("enter");
        QTest::newRow("add") << "" << "Travel" << false;
        QTest::newRow("blanks kept") << "" << "  Train  tickets " << true;
        QTest::newRow("emptied") << "Snacks" << "" << false;
        QTest::newRow("renamed") << "Snacks" << "Sweets" << true;
    }

    void typed()
    {
        QFETCH(QString, given);
        QFETCH(QString, typed);
        QFETCH(bool, enter);
        CCategoryDlg dialog;
        dialog.setName(given);
        showAndWait(&dialog);
        auto *edit = child<QLineEdit>(&dialog, QStringLiteral("name"));
        // The given name is selected, so typing replaces it.
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, typed);
        if (enter)
            QTest::keyClick(edit, Qt::Key_Return);
        else
            press(&dialog, "ok");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.name(), typed);
    }

    void cancelled_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Cancel") << false;
        QTest::newRow("Escape") << true;
    }

    void cancelled()
    {
        QFETCH(bool, escape);
        CCategoryDlg dialog;
        dialog.setName(QStringLiteral("Snacks"));
        showAndWait(&dialog);
        auto *edit = child<QLineEdit>(&dialog, QStringLiteral("name"));
        QTest::keyClicks(edit, QStringLiteral("Other"));
        if (escape)
            QTest::keyClick(edit, Qt::Key_Escape);
        else
            press(&dialog, "cancel");
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(dialog.name(), QStringLiteral("Snacks"));
    }
};

QTEST_MAIN(TestCategoryDlg)
#include "tst_categorydlg.moc"
