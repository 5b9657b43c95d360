#include "chartcolours.h"
#include "colorref.h"
#include "colorsettingsdlg.h"
#include "colorswatch.h"
#include "guidrawlayer.h"
#include "guitestutil.h"
#include "testutil.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace testutil;

namespace {

// Swatch ids in grid order and the default colours they show.
const QList<std::pair<int, quint32>> kDefaults = {
    {1054, 16711680}, {1055, 8388608}, {1056, 255},      {1057, 128},      {1058, 65280},    {1059, 32768},
    {1060, 255},      {1061, 128},     {1062, 16711680}, {1063, 8388608},  {1064, 13948116}, {1065, 11184810},
};

// Graph.grp as the program writes it: count 12, the 2D column, the 3D column.
const char *const kDefaultFile = "0c000000"
                                 "0000ff00 ff000000 00ff0000 ff000000 0000ff00 d4d4d400"
                                 "00008000 80000000 00800000 80000000 00008000 aaaaaa00";

} // namespace

class TestColorSettingsDlg : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<GuiTestPlace> m_place;
    QList<QColor> m_picks;
    QList<QColor> m_offered;

    QString graphFile() const { return m_place->filePath(QStringLiteral("Graph.grp")); }

private Q_SLOTS:
    void init()
    {
        m_place = std::make_unique<GuiTestPlace>();
        m_picks.clear();
        m_offered.clear();
        CColorSettingsDlg::setColourPicker([this](QWidget *, const QColor &initial) {
            m_offered << initial;
            return m_picks.isEmpty() ? QColor() : m_picks.takeFirst();
        });
    }

    void cleanup()
    {
        CColorSettingsDlg::setColourPicker({});
        m_place.reset();
    }

    void readsTheDefaults()
    {
        QVERIFY(ensureChartColourFile(m_place->path()));
        QCOMPARE(readFile(graphFile()), hex(kDefaultFile));
        CColorSettingsDlg dialog(m_place->path());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Color Settings"));
        for (const auto &[id, colour] : kDefaults) {
            QVERIFY(dialog.swatch(id));
            QCOMPARE(dialog.swatch(id)->colour(), colour);
            QCOMPARE(dialog.swatch(id)->objectName(), QStringLiteral("swatch%1").arg(id));
        }
        QVERIFY(!dialog.swatch(1053));
        QVERIFY(!dialog.swatch(1066));
        QCOMPARE(dialog.colours(), defaultChartColours());
    }

    void layout()
    {
        QVERIFY(ensureChartColourFile(m_place->path()));
        CColorSettingsDlg dialog(m_place->path());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.palette().color(QPalette::Window), GuiDrawLayer::GetRGBColorFace());
        const QStringList rows = {"Account Balance +ve", "Account Balance -ve", "Income", "Expense", "Profit", "Loss"};
        QLabel *heading2D = nullptr;
        QLabel *heading3D = nullptr;
        QList<QLabel *> rowLabels;
        for (QLabel *label : dialog.findChildren<QLabel *>()) {
            if (label->text() == QStringLiteral("2D"))
                heading2D = label;
            else if (label->text() == QStringLiteral("3D"))
                heading3D = label;
            else if (rows.contains(label->text()))
                rowLabels << label;
        }
        QVERIFY(heading2D && heading3D);
        QCOMPARE(rowLabels.size(), 6);
        // Each row's label sits level with its two swatches, 2D left of 3D, under their headings.
        for (QLabel *label : rowLabels) {
            const int row = int(rows.indexOf(label->text()));
            CColorSwatch *face = dialog.swatch(1054 + 2 * row);
            CColorSwatch *shade = dialog.swatch(1055 + 2 * row);
            QVERIFY(qAbs(label->geometry().center().y() - face->geometry().center().y()) <= 2);
            QCOMPARE(face->geometry().center().y(), shade->geometry().center().y());
            QVERIFY(face->geometry().right() < shade->geometry().left());
            QVERIFY(qAbs(face->geometry().center().x() - heading2D->geometry().center().x()) <= 2);
            QVERIFY(qAbs(shade->geometry().center().x() - heading3D->geometry().center().x()) <= 2);
            QVERIFY(face->geometry().top() > heading2D->geometry().bottom());
        }
        // The swatch shows its colour as a solid block.
        const QImage image = render(dialog.swatch(1058));
        QCOMPARE(pixel(image, image.width() / 2, image.height() / 2), QColor(0, 255, 0));
    }

    void changeThenCancel()
    {
        QVERIFY(ensureChartColourFile(m_place->path()));
        const QByteArray before = readFile(graphFile());
        m_picks = {QColor(1, 2, 3)};
        CColorSettingsDlg dialog(m_place->path());
        dialog.show();
        QTest::mouseClick(dialog.swatch(1056), Qt::LeftButton);
        QCOMPARE(m_offered, QList<QColor>({QColor(255, 0, 0)}));
        QCOMPARE(dialog.swatch(1056)->colour(), quint32(0x030201));
        clickButton(&dialog, QStringLiteral("cancel"));
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(readFile(graphFile()), before);
    }

    void changeThenOk()
    {
        QVERIFY(ensureChartColourFile(m_place->path()));
        m_picks = {QColor(1, 2, 3), QColor(0x40, 0x50, 0x60)};
        CColorSettingsDlg dialog(m_place->path());
        dialog.show();
        QTest::mouseClick(dialog.swatch(1056), Qt::LeftButton);
        // Keyboard: Space on a focused swatch picks too.
        dialog.swatch(1065)->setFocus();
        QTest::keyClick(dialog.swatch(1065), Qt::Key_Space);
        QCOMPARE(m_offered.last(), QColor(0xAA, 0xAA, 0xAA));
        clickButton(&dialog, QStringLiteral("ok"));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));

        const QByteArray expected = hex("0c000000"
                                        "0000ff00 01020300 00ff0000 ff000000 0000ff00 d4d4d400"
                                        "00008000 80000000 00800000 80000000 00008000 40506000");
        QCOMPARE(expected.size(), 52);
        QCOMPARE(readFile(graphFile()), expected);
        QCOMPARE(entries(m_place->path()), QStringList({"Graph.grp"}));
    }

    void pickerCancelledKeepsTheColour()
    {
        QVERIFY(ensureChartColourFile(m_place->path()));
        CColorSettingsDlg dialog(m_place->path());
        dialog.show();
        QTest::mouseClick(dialog.swatch(1060), Qt::LeftButton);
        QCOMPARE(m_offered.size(), 1);
        QCOMPARE(dialog.swatch(1060)->colour(), quint32(255));
        QTest::keyClick(&dialog, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(readFile(graphFile()), hex(kDefaultFile));
    }

    // Files that are short, long or missing: at most six a column, defaults in the gaps.
    void otherFiles_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QList<quint32>>("face");
        QTest::addColumn<QList<quint32>>("shade");
        const QList<quint32> face = {16711680, 255, 65280, 255, 16711680, 13948116};
        const QList<quint32> shade = {8388608, 128, 32768, 128, 8388608, 11184810};
        QTest::newRow("missing") << QByteArray() << face << shade;
        QTest::newRow("count 4") << hex("04000000 01000000 02000000 03000000 04000000")
                                 << QList<quint32>({1, 2, 65280, 255, 16711680, 13948116})
                                 << QList<quint32>({3, 4, 32768, 128, 8388608, 11184810});
        QTest::newRow("count 16") << hex("10000000 01000000 02000000 03000000 04000000 05000000 06000000 07000000"
                                         "08000000 09000000 0a000000 0b000000 0c000000 0d000000 0e000000 0f000000 10000000")
                                  << QList<quint32>({1, 2, 3, 4, 5, 6}) << QList<quint32>({9, 10, 11, 12, 13, 14});
        QTest::newRow("cut short") << hex("0c000000 11000000 22000000") << QList<quint32>({0x11, 0x22, 65280, 255, 16711680, 13948116})
                                   << shade;
    }

    void otherFiles()
    {
        QFETCH(QByteArray, file);
        QFETCH(QList<quint32>, face);
        QFETCH(QList<quint32>, shade);
        if (!file.isEmpty())
            QVERIFY(writeFile(graphFile(), file));
        CColorSettingsDlg dialog(m_place->path());
        QCOMPARE(dialog.colours().face, face);
        QCOMPARE(dialog.colours().shade, shade);
        // OK writes a whole file of twelve.
        dialog.show();
        clickButton(&dialog, QStringLiteral("ok"));
        QCOMPARE(readChartColourFile(m_place->path(), 6), std::optional<ChartColours>(ChartColours{face, shade}));
        QCOMPARE(readFile(graphFile()).size(), 52);
    }

    void failedWrite()
    {
        MessageRecorder messages;
        QVERIFY(ensureChartColourFile(m_place->path()));
        CColorSettingsDlg dialog(m_place->path());
        dialog.show();
        QVERIFY(QDir(m_place->path()).removeRecursively());
        clickButton(&dialog, QStringLiteral("ok"));
        QCOMPARE(messages.shown.size(), 1);
        QVERIFY2(messages.shown[0].text.startsWith(QStringLiteral("The chart colours have not been saved.\nCould not save ")
                                                   + QDir::toNativeSeparators(graphFile()) + QStringLiteral(": ")),
                 qPrintable(messages.shown[0].text));
        QCOMPARE(messages.shown[0].icon, MessageIcon::Stop);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    // Without a working directory nothing is read from or written to the current folder.
    void noWorkingDirectory()
    {
        MessageRecorder messages;
        QVERIFY(writeFile(graphFile(), hex("0c000000 01000000")));
        const QByteArray before = readFile(graphFile());
        CColorSettingsDlg dialog{QString()};
        QCOMPARE(dialog.colours(), defaultChartColours());
        dialog.show();
        clickButton(&dialog, QStringLiteral("ok"));
        QCOMPARE(messages.shown.size(), 1);
        QVERIFY(messages.shown[0].text.contains(QStringLiteral("no working directory")));
        QCOMPARE(readFile(graphFile()), before);
        QVERIFY(dialog.isVisible());
    }

    void swatch()
    {
        CColorSwatch swatch;
        QCOMPARE(swatch.colour(), quint32(0));
        QSignalSpy changed(&swatch, &CColorSwatch::colourChanged);
        swatch.setColour(0x00C46E3D);
        swatch.setColour(0x00C46E3D);
        QCOMPARE(changed.size(), 1);
        swatch.resize(40, 20);
        swatch.show();
        QVERIFY(QTest::qWaitForWindowExposed(&swatch));
        QCOMPARE(pixel(render(&swatch), 20, 10), fromColorRef(0x00C46E3D));
        swatch.setColour(255);
        QCOMPARE(pixel(render(&swatch), 20, 10), QColor(255, 0, 0));
    }
};

FENNIMAR_GUI_TEST_MAIN(TestColorSettingsDlg)
#include "tst_colorsettingsdlg.moc"
