#include "dialogs/colorsettingsdlg.h"
#include "dialogs/colorswatch.h"
#include "dialogs/preferencedlg.h"
#include "dialogtest.h"
#include "testutil.h"

#include <QLabel>

using namespace testutil;

// Graph.grp as the program writes it: count 12, the 2D column, the 3D column.
static const char *const kDefaultFile = "0c000000"
                                        "0000ff00 ff000000 00ff0000 ff000000 0000ff00 d4d4d400"
                                        "00008000 80000000 00800000 80000000 00008000 aaaaaa00";
// Count 2: one colour a column.
static const char *const kShortFile = "02000000 2a000000 2b000000";

// The preference dialog and its chart colour settings, in a folder that holds
// Data/, file.txt and the working directory Old/Fennimar with its categories.
class TestPreferenceDlg : public QObject
{
    Q_OBJECT

    std::optional<GuiTestPlace> m_place;
    QList<QColor> m_picks;
    QList<QColor> m_offered;

    QString at(const QString &name) const { return name.isEmpty() ? QString() : m_place->filePath(name); }

private Q_SLOTS:
    void init()
    {
        m_place.emplace();
        QVERIFY(QDir().mkpath(at("Old/Fennimar")));
        QVERIFY(QDir().mkpath(at("Data")));
        QVERIFY(writeFile(at("file.txt"), "x"));
        QVERIFY(writeFile(at("Old/Fennimar/Category.cat"), "x"));
        m_offered.clear();
        CColorSettingsDlg::setColourPicker([this](QWidget *, const QColor &initial) {
            m_offered << initial;
            return m_picks.isEmpty() ? QColor() : m_picks.takeFirst();
        });
    }

    void cleanup() { CPreferenceDlg::setFolderPicker({}); }

    // Space on Change (the first stop) picks each folder, then Enter: OK, or Cancel without a
    // folder. A folder that holds a book is the working directory itself; another gets
    // "Fennimar" appended. At start-up, OK without a folder says one is needed and stays.
    void change_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("picks");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("workDir");
        const int command = CPreferenceDlg::kCommandMode;
        const int startUp = CPreferenceDlg::kStartUpMode;
        QTest::newRow("folder") << command << QStringList({"Data"}) << false << "Data"
                                << "Data/Fennimar";
        QTest::newRow("trailing separator") << startUp << QStringList({"Data/"}) << false << "Data"
                                            << "Data/Fennimar";
        QTest::newRow("the current book") << command << QStringList({"Old/Fennimar"}) << false << "Old/Fennimar"
                                          << "Old/Fennimar";
        QTest::newRow("start-up, a book") << startUp << QStringList({"Old/Fennimar/"}) << false << "Old/Fennimar"
                                          << "Old/Fennimar";
        QTest::newRow("the folder above a book") << command << QStringList({"Old"}) << false << "Old"
                                                 << "Old/Fennimar";
        QTest::newRow("missing folder") << command << QStringList({"Gone"}) << true << ""
                                        << "Old/Fennimar";
        QTest::newRow("a file") << command << QStringList({"file.txt"}) << true << ""
                                << "Old/Fennimar";
        QTest::newRow("later pick missing") << startUp << QStringList({"Data", "Gone"}) << true << ""
                                            << "Data/Fennimar";
        QTest::newRow("picker cancelled") << command << QStringList() << false << "Old/Fennimar"
                                          << "Old/Fennimar";
        QTest::newRow("start-up, none picked") << startUp << QStringList() << false << ""
                                               << "Old/Fennimar";
    }

    void change()
    {
        QFETCH(int, mode);
        QFETCH(QStringList, picks);
        QFETCH(bool, refused);
        QFETCH(QString, shown);
        QFETCH(QString, workDir);
        MessageRecorder messages;
        const qsizetype presses = qMax<qsizetype>(1, picks.size());
        CPreferenceDlg::setFolderPicker([&](QWidget *, const QString &title) {
            return title == u"Pick a Directory" && !picks.isEmpty() ? at(picks.takeFirst()) : QString();
        });
        CPreferenceDlg dialog(at("Old/Fennimar"), mode);
        showAndWait(&dialog);
        for (qsizetype i = 0; i < presses; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(picks, QStringList());
        QStringList told;
        if (refused)
            told << QStringLiteral("The working directory is moved or deleted. Please select the working directory "
                                   "to continue.");
        QCOMPARE(messages.texts(), told);
        QCOMPARE(edit(&dialog, "directory")->text(), QDir::toNativeSeparators(at(shown)));
        QCOMPARE(dialog.workDir(), at(workDir));
        const bool staysOpen = shown.isEmpty() && mode == CPreferenceDlg::kStartUpMode;
        QCOMPARE(keyResult(&dialog, &dialog, Qt::Key_Return),
                 staysOpen ? -1 : int(shown.isEmpty() ? QDialog::Rejected : QDialog::Accepted));
        if (staysOpen) {
            told << QStringLiteral("Please choose a folder for the books first.");
            QCOMPARE(messages.texts(), told);
            QCOMPARE(focusName(), QStringLiteral("change"));
            QCOMPARE(keyResult(&dialog, &dialog, Qt::Key_Escape), int(QDialog::Rejected));
        }
        QCOMPARE(dialog.directory(), at(shown));
    }

    // At start-up the dialog says what the folder is for; as the Preference command it does not.
    void purpose_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("said");
        QTest::newRow("start-up") << CPreferenceDlg::kStartUpMode << true;
        QTest::newRow("Preference command") << CPreferenceDlg::kCommandMode << false;
    }

    void purpose()
    {
        QFETCH(int, mode);
        QFETCH(bool, said);
        CPreferenceDlg dialog(at("Old/Fennimar"), mode);
        showAndWait(&dialog);
        QStringList shownTexts;
        for (const QLabel *label : dialog.findChildren<QLabel *>()) {
            if (label->isVisible())
                shownTexts << label->text();
        }
        QCOMPARE(shownTexts.contains(QStringLiteral("Choose the folder where Fennimar keeps your books.")), said);
    }

    // Color edits the chart colours of the working directory; Escape cancels.
    void colorAndEscape()
    {
        QVERIFY(writeFile(at("Old/Fennimar/Graph.grp"), hex(kShortFile)));
        CPreferenceDlg dialog(at("Old/Fennimar"), CPreferenceDlg::kCommandMode);
        showAndWait(&dialog);
        quint32 firstColour = 0;
        whenModal<CColorSettingsDlg>([&firstColour](CColorSettingsDlg *colours) {
            firstColour = colours->colours().face.value(0);
            colours->reject();
        });
        press(&dialog, "color");
        QCOMPARE(firstColour, quint32(42));
        QCOMPARE(keyResult(&dialog, &dialog, Qt::Key_Escape), int(QDialog::Rejected));
    }

    // The swatches show the file, defaults in its gaps; a click or Space picks, offering the
    // colour shown, and a cancelled picker keeps it. Only OK writes.
    void colours_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("OK") << hex(kDefaultFile) << "ok"
                            << hex("0c000000 0000ff00 01020300 00ff0000 ff000000 0000ff00 d4d4d400"
                                   "00008000 80000000 00800000 80000000 00008000 40506000");
        QTest::newRow("short file, Enter") << hex(kShortFile) << "enter"
                                           << hex("0c000000 2a000000 01020300 00ff0000 ff000000 0000ff00 d4d4d400"
                                                  "2b000000 80000000 00800000 80000000 00008000 40506000");
        QTest::newRow("Cancel") << hex(kDefaultFile) << "cancel" << hex(kDefaultFile);
        QTest::newRow("Escape") << hex(kShortFile) << "escape" << hex(kShortFile);
    }

    void colours()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, how);
        QFETCH(QByteArray, after);
        QVERIFY(writeFile(at("Graph.grp"), before));
        m_picks = {QColor(1, 2, 3), QColor(0x40, 0x50, 0x60)};
        CColorSettingsDlg dialog(m_place->path());
        showAndWait(&dialog);
        QCOMPARE(pixel(render(dialog.swatch(1058)), 10, 8), QColor(0, 255, 0));
        QTest::mouseClick(dialog.swatch(1056), Qt::LeftButton);
        QTest::keyClick(dialog.swatch(1065), Qt::Key_Space);
        QTest::mouseClick(dialog.swatch(1060), Qt::LeftButton);
        QCOMPARE(m_offered, QList<QColor>({QColor(255, 0, 0), QColor(0xAA, 0xAA, 0xAA), QColor(255, 0, 0)}));
        QVERIFY(finish(&dialog, dialog.swatch(1065), how) >= 0);
        QCOMPARE(readFile(at("Graph.grp")), after);
    }

    // The folder gone, or none chosen: the dialog says so and stays open, never using the current folder.
    void coloursNotSaved_data()
    {
        QTest::addColumn<bool>("folderGone");
        QTest::newRow("folder gone") << true;
        QTest::newRow("no working directory") << false;
    }

    void coloursNotSaved()
    {
        QFETCH(bool, folderGone);
        MessageRecorder messages;
        QVERIFY(writeFile(at("Graph.grp"), hex(kShortFile)));
        CColorSettingsDlg dialog(folderGone ? m_place->path() : QString());
        QCOMPARE(dialog.swatch(1054)->colour(), quint32(folderGone ? 42 : 16711680));
        showAndWait(&dialog);
        if (folderGone)
            QVERIFY(QDir(m_place->path()).removeRecursively());
        press(&dialog, "ok");
        const QString reason = folderGone ? QDir::toNativeSeparators(at("Graph.grp")) + QStringLiteral(": ")
                                          : QStringLiteral("Graph.grp: no working directory has been chosen");
        QCOMPARE(messages.shown.size(), 1);
        QVERIFY2(messages.shown[0].text.startsWith(
                     QStringLiteral("The chart colours have not been saved.\nCould not save ") + reason),
                 qPrintable(messages.shown[0].text));
        QCOMPARE(messages.shown[0].icon, MessageIcon::Stop);
        QVERIFY(dialog.isVisible());
        QCOMPARE(readFile(at("Graph.grp")), folderGone ? QByteArray() : hex(kShortFile));
    }
};

FENNIMAR_GUI_TEST_MAIN(TestPreferenceDlg)
#include "tst_preferencedlg.moc"
